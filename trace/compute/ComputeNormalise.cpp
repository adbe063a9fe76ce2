#include "trace/compute/ComputeNormalise.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeTarget.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/QXTrace.h"

IMPLEMENT_DYNAMIC(CComputeNormalise, CCompute)

int CComputeNormalise::DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int)
{
    if (!QXVERIFY(pTrace != nullptr)) return 0;
    CComputeTarget target(*pTrace, bUseTransformedYData);
    if (!target.HasData()) {
        QXASSERT(pTrace->GetYDataBuffer(bUseTransformedYData) != 0);
        return 0;
    }
    const double dReference = target.DatumAtXValue(m_dXValue, m_eXUnit);
    // Where the trace has no value at X there is nothing to pass through.
    if (dReference == DBL_MAX) return 1;

    if (target.IsDataSpace()) {
        const double dTarget = target.GetLimitLine() ? LimitTargetData(target, dReference, m_dXValue)
                                                     : target.DataForValue(m_dYValue, m_eYUnit);
        if (!IsUnchangeable(dTarget)) target.Shift(dTarget - dReference, SValueSpace{});
        return 1;
    }
    const double dReferenceValue = target.ValueForData(dReference, m_eYUnit);
    if (IsUnchangeable(dReferenceValue) || IsUnchangeable(m_dYValue)) return 1;
    target.Shift(m_dYValue - dReferenceValue, target.ValueSpace(m_eYUnit));
    return 1;
}

double CComputeNormalise::LimitTargetData(CComputeTarget& target, double /*dReference*/, double dX) const
{
    const double dTarget = target.DataForValue(m_dYValue, m_eYUnit);
    // A lower limit of a signal swinging both ways lies below the trace:
    // a positive target above the trace's own datum is taken on the negative side.
    if (target.Trace().GetOwnTraceType() != TT_MINLIMITLINE || IsUnchangeable(dTarget) || dTarget <= 0.0) return dTarget;
    CQXTrace& owner = target.OwnerTrace();
    CComputeTarget ownerData(owner, owner.HasTransformedYData());
    const double dOwnerDatum = ownerData.DatumAtXValue(dX, m_eXUnit);
    return (dOwnerDatum != DBL_MAX && dTarget > dOwnerDatum) ? -dTarget : dTarget;
}

void CComputeNormalise::CopyFrom(const CCompute& from)
{
    CCompute::CopyFrom(from);
    const auto* pFrom = dynamic_cast<const CComputeNormalise*>(&from);
    if (!QXVERIFY(pFrom != nullptr)) return;
    m_dYValue = pFrom->m_dYValue;
    m_eYUnit = pFrom->m_eYUnit;
    m_dXValue = pFrom->m_dXValue;
    m_eXUnit = pFrom->m_eXUnit;
}

void CComputeNormalise::InitialiseDetailsFromTrace(CQXTrace* pTrace)
{
    if (!QXVERIFY(pTrace != 0)) return;
    m_eXUnit = GetDefaultXUnit(pTrace);
    m_eYUnit = GetDefaultYUnit(pTrace);
    m_dXValue = GetDefaultXValue(pTrace);
    m_dYValue = GetDefaultYValue(pTrace);
}

double CComputeNormalise::GetDefaultXValue(CQXTrace* pTrace)
{
    if (!pTrace) return 0.0;
    if (pTrace->IsLimitLine()) {
        const CLimitTable* pTable = static_cast<CLimitLine*>(pTrace)->GetLimitTable();
        if (pTable && pTable->GetNumPoints() > 0) return pTable->GetPoints().back().dX;
    }
    const int iLast = LastPositionWithData(pTrace->GetYDataBuffer(0), pTrace->GetMinXPos(), pTrace->GetMaxXPos());
    const double dLastX = iLast < 0 ? CCompute::GetDefaultXValue(pTrace) : pTrace->GetXValueAtPos(iLast, pTrace->GetXUnit());
    return DefaultNormaliseXValue(GetDefaultXUnit(pTrace) == UNIT_FREQ_HZ, pTrace->GetMinXScaleValue(),
                                  pTrace->GetMaxXScaleValue(), dLastX);
}

CString CComputeNormalise::GetDescriptionString() const
{
    CString sText;
    sText.Format(LoadResString(IDS_COMPUTE_DESC_NORMALISE), FormatValueWithUnit(m_dYValue, m_eYUnit).GetString(),
                 FormatValueWithUnit(m_dXValue, m_eXUnit).GetString());
    return sText;
}

int CComputeNormalise::ValidateComputeObject(int iXUnit, int iYUnit) const
{
    return (AreSameKindsOfUnit(iXUnit, m_eXUnit) && AreSameKindsOfUnit(iYUnit, m_eYUnit)) ? 1 : 0;
}

int CComputeNormalise::SetXUnit(EUnit eUnit)
{
    m_eXUnit = eUnit;
    return 1;
}

int CComputeNormalise::SetYUnit(EUnit eUnit)
{
    m_eYUnit = eUnit;
    return 1;
}
