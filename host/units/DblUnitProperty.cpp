#include "host/units/DblUnitProperty.h"

#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitSets.h"

#include <cfloat>

CDblUnitProperty::CDblUnitProperty(int iID, int iUnitSetId, EUnit eStorageUnit, EUnit eInUnit)
    : CDblUnitProperty(iID, ::GetUnitSet(iUnitSetId), eStorageUnit, eInUnit)
{
}

CDblUnitProperty::CDblUnitProperty(int iID, const CUnitSet* pUnitSet, EUnit eStorageUnit, EUnit eInUnit)
    : CQXProperty(iID, eInUnit), m_pUnitSet(pUnitSet), m_eStorageUnit(eStorageUnit)
{
}

EUnit CDblUnitProperty::ResolveUnit(int iUnit) const
{
    switch (iUnit) {
    case UNIT_USESTORAGE: return GetStorageUnit();
    case UNIT_USECURRENT: return GetInUnit();
    case UNIT_USEFIRST: {
        const CUnitSet* pSet = GetUnitSet();
        return (pSet && pSet->GetCount() > 0) ? pSet->GetAt(0) : UNIT_USEFIRST;
    }
    default: return static_cast<EUnit>(iUnit);
    }
}

double CDblUnitProperty::Convert(double dValue, int iFromUnit, int iToUnit, const SReferences* pReferences) const
{
    const EUnit eFrom = ResolveUnit(iFromUnit);
    const EUnit eTo = ResolveUnit(iToUnit);
    if (dValue == DBL_MAX || (eFrom == eTo && IsValidUnit(eFrom))) return dValue;
    const CUnitSet* pSet = GetUnitSet();
    if (!pSet) {
        QXDebugLog(1, "CDblUnitProperty::Convert", "UNITS: property %d has no unit set for %d=%s -> %d=%s", GetID(),
                   static_cast<int>(eFrom), GetUnitDiagName(eFrom), static_cast<int>(eTo), GetUnitDiagName(eTo));
        QXASSERT(pSet != nullptr);
        return DBL_MAX;
    }
    return pSet->ConvertValue(dValue, eFrom, eTo, pReferences ? pReferences : &m_References);
}

double CDblUnitProperty::GetValueInUnit(int iUnit, const SReferences* pReferences) const
{
    return Convert(m_dValue, UNIT_USESTORAGE, iUnit, pReferences);
}

void CDblUnitProperty::SetValueInUnit(double dValue, int iUnit, const SReferences* pReferences)
{
    m_dValue = Convert(dValue, iUnit, UNIT_USESTORAGE, pReferences);
}

bool CDblUnitProperty::IsUnitValid(int iUnit) const
{
    const CUnitSet* pSet = GetUnitSet();
    return pSet ? pSet->IsUnitValid(iUnit) : CQXProperty::IsUnitValid(iUnit);
}

std::vector<CDblUnitProperty::SUnitChoice> CDblUnitProperty::FillCombo() const
{
    std::vector<SUnitChoice> aChoices;
    if (const CUnitSet* pSet = GetUnitSet())
        for (EUnit eUnit : pSet->GetUnits()) aChoices.emplace_back(eUnit, CPUnit(eUnit)->GetName());
    return aChoices;
}
