#include "host/units/UnitSet.h"

#include "host/app/DebugLog.h"
#include "host/units/References.h"
#include "host/units/Unit.h"

#include <cfloat>

EUnit CUnitSet::GetAt(int iIndex) const
{
    const bool bInside = iIndex >= 0 && iIndex < GetCount();
    QXASSERT(bInside);
    return bInside ? static_cast<EUnit>(GetItem(iIndex)) : UNIT_INVALID;
}

std::vector<EUnit> CUnitSet::GetUnits() const
{
    std::vector<EUnit> aeUnits;
    for (int iUnit : *this) aeUnits.push_back(static_cast<EUnit>(iUnit));
    return aeUnits;
}

EUnit CUnitSet::ResolveUnit(int iUnit) const
{
    if (iUnit == UNIT_USEFIRST && GetCount() > 0) return GetAt(0);
    return static_cast<EUnit>(iUnit);
}

bool CUnitSet::CanConvert(int iUnit) const
{
    SUnitScale scale;
    return iUnit >= 0 && GetScaleFunction()(static_cast<EUnit>(iUnit), SReferences(), scale);
}

double CUnitSet::ConvertValue(double dValue, int iFromUnit, int iToUnit, const SReferences* pReferences) const
{
    if (dValue == DBL_MAX) return dValue;
    const EUnit eFrom = ResolveUnit(iFromUnit);
    const EUnit eTo = ResolveUnit(iToUnit);
    const SReferences defaults;
    double dResult = DBL_MAX;
    const bool bConverted = (eFrom >= 0 && eTo >= 0)
        && ConvertInFamily(GetScaleFunction(), dValue, eFrom, eTo, pReferences ? *pReferences : defaults, dResult);
    if (!bConverted) {
        QXDebugLog(1, "CUnitSet::ConvertValue", "UNITS: no conversion from %d=%s to %d=%s in this unit set",
                   static_cast<int>(eFrom), GetUnitDiagName(eFrom), static_cast<int>(eTo), GetUnitDiagName(eTo));
        QXASSERT(bConverted);
    }
    return dResult;
}
