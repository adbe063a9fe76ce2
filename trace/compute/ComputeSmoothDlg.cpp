#include "trace/compute/ComputeSmoothDlg.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeSmooth.h"

#include <cwchar>
#include <cwctype>

namespace {

CString CountText(int i)
{
    CString s;
    s.Format(L"%d", i);
    return s;
}

} // namespace

bool ParseCountField(const CString& sText, int iMin, int iMax, int* piValue)
{
    const wchar_t* p = sText.GetString();
    while (std::iswspace(*p)) ++p;
    wchar_t* pEnd = nullptr;
    const long lValue = std::wcstol(p, &pEnd, 10);
    if (pEnd == p) return false;
    while (std::iswspace(*pEnd)) ++pEnd;
    if (*pEnd != 0 || lValue < iMin || lValue > iMax) return false;
    *piValue = static_cast<int>(lValue);
    return true;
}

CComputeSmoothDlg::CComputeSmoothDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg)
    : CComputeDlg(kTemplateID, IDS_COMPUTE_SMOOTH_CAPTION, pCompute, pTrace, pListDlg)
{
    const auto* pSmooth = dynamic_cast<CComputeSmooth*>(pCompute);
    m_sHalfWidth = CountText(pSmooth ? pSmooth->GetHalfWidth() : 1);
    m_sPasses = CountText(pSmooth ? pSmooth->GetPasses() : 2);
}

CString CComputeSmoothDlg::Validate(int* piControl) const
{
    if (piControl) *piControl = 0;
    int iValue = 0;
    for (const auto& [pText, iControl] : {std::pair{&m_sHalfWidth, IDC_HALF_WIDTH}, std::pair{&m_sPasses, IDC_PASSES}}) {
        if (ParseCountField(*pText, CComputeSmooth::kMinCount, CComputeSmooth::kMaxCount, &iValue)) continue;
        if (piControl) *piControl = iControl;
        CString sText;
        sText.Format(LoadResString(IDS_INTEGER_RANGE), CComputeSmooth::kMinCount, CComputeSmooth::kMaxCount);
        return sText;
    }
    return CString();
}

bool CComputeSmoothDlg::SaveComputeDetailsFromDlg(CCompute* pCompute)
{
    auto* pSmooth = dynamic_cast<CComputeSmooth*>(pCompute);
    int iHalfWidth = 0;
    int iPasses = 0;
    if (!pSmooth || !ParseCountField(m_sHalfWidth, CComputeSmooth::kMinCount, CComputeSmooth::kMaxCount, &iHalfWidth) ||
        !ParseCountField(m_sPasses, CComputeSmooth::kMinCount, CComputeSmooth::kMaxCount, &iPasses))
        return false;
    return pSmooth->SetHalfWidth(iHalfWidth) && pSmooth->SetPasses(iPasses);
}
