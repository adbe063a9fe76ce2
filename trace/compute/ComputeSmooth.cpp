#include "trace/compute/ComputeSmooth.h"

#include "host/app/DebugLog.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeTarget.h"
#include "trace/model/QXTrace.h"

IMPLEMENT_DYNAMIC(CComputeSmooth, CCompute)

namespace {

bool InRange(int i) { return i >= CComputeSmooth::kMinCount && i <= CComputeSmooth::kMaxCount; }

} // namespace

int CComputeSmooth::DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int)
{
    if (!QXVERIFY(pTrace != nullptr)) return 0;
    CComputeTarget target(*pTrace, bUseTransformedYData);
    if (!target.HasData()) {
        QXASSERT(pTrace->GetYDataBuffer(bUseTransformedYData) != 0);
        return 0;
    }
    // A limit line is averaged as signed data, so its polarity follows the mean.
    target.ChangeData([this](double* pd, int n) { SmoothArray(pd, n, m_iHalfWidth, m_iPasses); });
    return 1;
}

void CComputeSmooth::CopyFrom(const CCompute& from)
{
    CCompute::CopyFrom(from);
    const auto* pFrom = dynamic_cast<const CComputeSmooth*>(&from);
    if (!QXVERIFY(pFrom != nullptr)) return;
    m_iHalfWidth = pFrom->m_iHalfWidth;
    m_iPasses = pFrom->m_iPasses;
}

CString CComputeSmooth::GetDescriptionString() const
{
    CString sText;
    sText.Format(LoadResString(IDS_COMPUTE_DESC_SMOOTH), m_iPasses, 2 * m_iHalfWidth + 1);
    return sText;
}

bool CComputeSmooth::SetHalfWidth(int iHalfWidth)
{
    if (!InRange(iHalfWidth)) return false;
    m_iHalfWidth = iHalfWidth;
    return true;
}

bool CComputeSmooth::SetPasses(int iPasses)
{
    if (!InRange(iPasses)) return false;
    m_iPasses = iPasses;
    return true;
}
