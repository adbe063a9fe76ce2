#include "trace/compute/ComputeInvert.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeTarget.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

IMPLEMENT_DYNAMIC(CComputeInvert, CCompute)

int CComputeInvert::DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int)
{
    if (!QXVERIFY(pTrace != nullptr)) return 0;
    CComputeTarget target(*pTrace, bUseTransformedYData);
    if (!target.HasData()) {
        QXASSERT(pTrace->GetYDataBuffer(bUseTransformedYData) != 0);
        return 0;
    }
    // A limit line is inverted around the cursor of the trace it belongs to.
    CQXTrace& owner = target.OwnerTrace();
    if (m_bInvertAroundCursor && !(owner.IsCursorOn() && owner.GetCursor())) return 0;
    const double dCursorDatum = m_bInvertAroundCursor ? target.DatumAtPos(owner.GetCursor()->GetPosition(1)) : 0.0;

    if (target.IsDataSpace()) {
        const double dPivot = m_bInvertAroundCursor ? dCursorDatum : target.DataForValue(m_dInvertValue, m_eYUnit);
        if (!IsUnchangeable(dPivot)) target.Mirror(dPivot, SValueSpace{});
        return 1;
    }
    const int iUnit = owner.GetYUnit();
    double dPivot = m_dInvertValue;
    if (m_bInvertAroundCursor)
        dPivot = target.ValueForData(dCursorDatum, iUnit);
    else if (m_eYUnit != iUnit)
        dPivot = target.ValueForData(target.DataForValue(m_dInvertValue, m_eYUnit), iUnit);
    // No value, or minus infinity, has no mirror image.
    if (!IsUnchangeable(dPivot)) target.Mirror(dPivot, target.ValueSpace(iUnit));
    return 1;
}

void CComputeInvert::CopyFrom(const CCompute& from)
{
    CCompute::CopyFrom(from);
    const auto* pFrom = dynamic_cast<const CComputeInvert*>(&from);
    if (!QXVERIFY(pFrom != nullptr)) return;
    m_bInvertAroundCursor = pFrom->m_bInvertAroundCursor;
    m_dInvertValue = pFrom->m_dInvertValue;
    m_eYUnit = pFrom->m_eYUnit;
}

void CComputeInvert::InitialiseDetailsFromTrace(CQXTrace* pTrace)
{
    if (!QXVERIFY(pTrace != 0)) return;
    m_bInvertAroundCursor = pTrace->IsCursorOn() ? 1 : 0;
    m_eYUnit = GetDefaultYUnit(pTrace);
    m_dInvertValue = GetDefaultYValue(pTrace);
}

CString CComputeInvert::GetDescriptionString() const
{
    if (m_bInvertAroundCursor) return LoadResString(IDS_COMPUTE_DESC_INVERT_CURSOR);
    CString sText;
    sText.Format(LoadResString(IDS_COMPUTE_DESC_INVERT_VALUE), FormatValueWithUnit(m_dInvertValue, m_eYUnit).GetString());
    return sText;
}

int CComputeInvert::ValidateComputeObject(int, int iYUnit) const
{
    if (m_bInvertAroundCursor) return 1;
    return AreSameKindsOfUnit(iYUnit, m_eYUnit) ? 1 : 0;
}

int CComputeInvert::SetYUnit(EUnit eUnit)
{
    m_eYUnit = eUnit;
    return 1;
}
