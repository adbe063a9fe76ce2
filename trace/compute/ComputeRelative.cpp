#include "trace/compute/ComputeRelative.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/units/References.h"
#include "host/units/UnitSet.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/core/ComputeMath.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

IMPLEMENT_DYNAMIC(CComputeRelative, CCompute)

namespace {

// An X value of one trace in the X unit of another.
double XInUnitOf(CQXTrace& golden, double dX, int iFromUnit)
{
    const int iToUnit = golden.GetXUnit();
    if (iFromUnit == iToUnit || dX == DBL_MAX) return dX;
    const CUnitSet* pSet = golden.GetUnitSet(1);
    if (!pSet || !pSet->CanConvert(iFromUnit) || !pSet->CanConvert(iToUnit)) return DBL_MAX;
    SReferences refs;
    golden.GetReferences(1, 0, &refs);
    return pSet->ConvertValue(dX, iFromUnit, iToUnit, &refs);
}

} // namespace

CQXTrace* CComputeRelative::GetGoldenTrace() const
{
    if (!m_pGoldenTrace && m_sGoldenTraceID != kNoGoldenTrace)
        if (CGraphDoc* pDoc = GetGraphDoc()) m_pGoldenTrace = pDoc->GetTraceFromID(m_sGoldenTraceID);
    return m_pGoldenTrace;
}

void CComputeRelative::SetGoldenTrace(short sTraceID)
{
    m_sGoldenTraceID = sTraceID;
    m_pGoldenTrace = nullptr;
}

void CComputeRelative::SetGoldenTrace(CQXTrace* pTrace)
{
    m_pGoldenTrace = pTrace;
    m_sGoldenTraceID = pTrace ? pTrace->GetTraceID() : kNoGoldenTrace;
}

bool CComputeRelative::IsAcceptableGoldenTrace(CQXTrace* pTrace, CQXTrace* pCandidate)
{
    if (!pTrace || !pCandidate || pCandidate == pTrace || pCandidate == pTrace->GetComputeTrace()) return false;
    if (!pCandidate->IsInUse() || pCandidate->IsLimitLine() || !pCandidate->GetYDataBuffer(0)) return false;
    return pCandidate->GetDomain() == pTrace->GetDomain();
}

double CComputeRelative::Relate(CQXTrace& trace, double dDatum, CQXTrace& golden, double dGolden, int bTransformed) const
{
    if (m_iRelativeMode != 0) return GoldenRatio(dDatum, dGolden);
    const int iUnit = trace.GetYUnit();
    const double dGoldenValue = dGolden == DBL_MAX ? DBL_MAX : golden.GetYValueForData(dGolden, iUnit, 1, 0);
    const double dDifference = GoldenDifference(trace.GetYValueForData(dDatum, iUnit, 1, bTransformed), dGoldenValue);
    return dDifference == DBL_MAX ? DBL_MAX : trace.GetYDataForValue(dDifference, iUnit, 0);
}

void CComputeRelative::ComputeSameLayout(CQXTrace& trace, CQXTrace& golden, int bTransformed) const
{
    double* pdY = trace.GetYDataBuffer(bTransformed);
    for (int i = 0; i < trace.GetDataSize(); ++i) {
        const double dDatum = trace.GetYDataAtXPos(i, bTransformed);
        if (dDatum == DBL_MAX) continue;
        pdY[i] = Relate(trace, dDatum, golden, golden.GetYDataAtXPos(i, 0), bTransformed);
    }
}

void CComputeRelative::ComputeAtXValues(CQXTrace& trace, CQXTrace& golden, int bTransformed) const
{
    double* pdY = trace.GetYDataBuffer(bTransformed);
    const int iXUnit = trace.GetXUnit();
    const int iGoldenUnit = golden.GetXUnit();
    const int iMinPos = golden.GetMinXPos();
    const int iMaxPos = golden.GetMaxXPos();
    const double dGoldenMin = golden.GetXValueAtPos(iMinPos, iGoldenUnit);
    const double dGoldenMax = golden.GetXValueAtPos(iMaxPos, iGoldenUnit);
    for (int i = 0; i < trace.GetDataSize(); ++i) {
        const double dX = XInUnitOf(golden, trace.GetXValueAtPos(i, iXUnit), iXUnit);
        const int iPos = dX == DBL_MAX ? -1 : golden.GetXPosForValue(dX, iGoldenUnit);
        const double dDatum = trace.GetYDataAtXPos(i, bTransformed);
        if (iPos < iMinPos || iPos > iMaxPos || dX < dGoldenMin || dX > dGoldenMax || dDatum == DBL_MAX) {
            pdY[i] = DBL_MAX;
            continue;
        }
        pdY[i] = Relate(trace, dDatum, golden, golden.GetYDataAtXValue(dX, 0), bTransformed);
    }
}

int CComputeRelative::DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int)
{
    CQXTrace* pGolden = GetGoldenTrace();
    if (!pTrace || !pGolden) return 0;
    if (!pTrace->GetYDataBuffer(bUseTransformedYData) || !pGolden->GetYDataBuffer(0)) return 0;
    // Ratio mode is reached only from files and scripts.
    QXASSERT(m_iRelativeMode == 0);
    const bool bSameLayout =
        pTrace->GetDataSize() == pGolden->GetDataSize() && !pTrace->HasXData() && !pGolden->HasXData();
    if (bSameLayout) ComputeSameLayout(*pTrace, *pGolden, bUseTransformedYData);
    else ComputeAtXValues(*pTrace, *pGolden, bUseTransformedYData);
    return 1;
}

void CComputeRelative::CopyFrom(const CCompute& from)
{
    CCompute::CopyFrom(from);
    const auto* pFrom = dynamic_cast<const CComputeRelative*>(&from);
    if (!QXVERIFY(pFrom != nullptr)) return;
    m_sGoldenTraceID = pFrom->m_sGoldenTraceID;
    m_pGoldenTrace = pFrom->m_pGoldenTrace;
    m_iRelativeMode = pFrom->m_iRelativeMode;
}

CString CComputeRelative::GetDescriptionString() const
{
    CQXTrace* pGolden = GetGoldenTrace();
    if (!pGolden) return LoadResString(IDS_COMPUTE_DESC_NO_TRACE);
    CString sText;
    sText.Format(LoadResString(IDS_COMPUTE_DESC_RELATIVE), pGolden->GetTraceName(1, 0, 0).GetString());
    return sText;
}

void CComputeRelative::OnTraceDeleted(CQXTrace* pDeleted)
{
    if (!pDeleted || GetGoldenTrace() != pDeleted) return;
    SetGoldenTrace(kNoGoldenTrace);
}

void CComputeRelative::PostSerialize()
{
    m_pGoldenTrace = nullptr;
    CQXTrace* pGolden = GetGoldenTrace();
    if (pGolden && !pGolden->HasXData() && !pGolden->GetYDataBuffer(0)) SetGoldenTrace(kNoGoldenTrace);
}
