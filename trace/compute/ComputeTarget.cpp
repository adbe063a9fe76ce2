#include "trace/compute/ComputeTarget.h"

#include "host/units/UnitSet.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <cfloat>
#include <vector>

CComputeTarget::CComputeTarget(CQXTrace& trace, int bTransformed)
    : m_Trace(trace), m_pLimit(trace.IsLimitLine() ? static_cast<CLimitLine*>(&trace) : nullptr),
      m_bTransformed(bTransformed ? 1 : 0), m_bDataSpace(trace.ManageUsingYValues() == 0)
{
}

CQXTrace& CComputeTarget::OwnerTrace() const
{
    CQXTrace* pOwner = m_Trace.GetOwnerTrace();
    return pOwner ? *pOwner : m_Trace;
}

bool CComputeTarget::HasData() const
{
    if (m_pLimit && !m_bTransformed && m_pLimit->HasLimitTable()) return true;
    return m_Trace.GetYDataBuffer(m_bTransformed) != nullptr;
}

SValueSpace CComputeTarget::ValueSpace(int iUnit) const
{
    if (m_bDataSpace) return {};
    return {[this, iUnit](double d) { return ValueForData(d, iUnit); },
            [this, iUnit](double v) { return DataForValue(v, iUnit); }};
}

double CComputeTarget::DataForValue(double dValue, int iUnit) const
{
    if (dValue == DBL_MAX) return DBL_MAX;
    return m_Trace.GetYDataForValue(dValue, iUnit, 0);
}

double CComputeTarget::ValueForData(double dData, int iUnit) const
{
    if (dData == DBL_MAX) return DBL_MAX;
    return m_Trace.GetYValueForData(dData, iUnit, 1, 0);
}

double CComputeTarget::DatumAtPos(int iPos) const { return m_Trace.GetYDataAtXPos(iPos, m_bTransformed); }

double CComputeTarget::DatumAtXValue(double dX, int iXUnit) const
{
    // A limit line answers in its own X unit, any other trace in its current one.
    const int iTraceUnit = m_pLimit ? m_pLimit->GetLimitXUnit() : m_Trace.GetXUnit();
    double dInUnit = dX;
    if (iXUnit != iTraceUnit) {
        const CUnitSet* pSet = OwnerTrace().GetUnitSet(1);
        if (!pSet || !pSet->CanConvert(iXUnit) || !pSet->CanConvert(iTraceUnit)) return DBL_MAX;
        dInUnit = pSet->ConvertValue(dX, iXUnit, iTraceUnit, nullptr);
    }
    return m_Trace.GetYDataAtXValue(dInUnit, m_bTransformed);
}

template <typename Change>
void CComputeTarget::Apply(Change change)
{
    if (!m_pLimit) {
        change(m_Trace.GetYDataBuffer(m_bTransformed), m_Trace.GetDataSize());
        return;
    }
    // The limits as signed data, changed together, written back point by point.
    const int iCount = m_pLimit->GetDataSize();
    std::vector<double> adData(static_cast<size_t>(iCount > 0 ? iCount : 0));
    for (int i = 0; i < iCount; ++i) adData[static_cast<size_t>(i)] = DatumAtPos(i);
    change(adData.data(), iCount);
    for (int i = 0; i < iCount; ++i) m_pLimit->SetYDataAtXPos(i, adData[static_cast<size_t>(i)], m_bTransformed);
}

void CComputeTarget::Mirror(double dPivot, const SValueSpace& space)
{
    Apply([&](double* pd, int n) { MirrorArray(pd, n, dPivot, space); });
}

void CComputeTarget::Shift(double dOffset, const SValueSpace& space)
{
    Apply([&](double* pd, int n) { ShiftArray(pd, n, dOffset, space); });
}

void CComputeTarget::ChangeData(const std::function<void(double*, int)>& change)
{
    Apply([&](double* pd, int n) { change(pd, n); });
}
