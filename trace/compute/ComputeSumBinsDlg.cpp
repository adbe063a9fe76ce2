#include "trace/compute/ComputeSumBinsDlg.h"

#include "resources/StringIds.h"
#include "trace/compute/ComputeSumBins.h"

namespace {

bool IsBandWidth(int i) { return i >= CComputeSumBins::BAND_OCTAVE && i <= CComputeSumBins::BAND_TWELFTH; }

} // namespace

CComputeSumBinsDlg::CComputeSumBinsDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg)
    : CComputeDlg(kTemplateID, IDS_COMPUTE_SUMBINS_CAPTION, pCompute, pTrace, pListDlg)
{
    if (const auto* pSum = dynamic_cast<CComputeSumBins*>(pCompute); pSum && IsBandWidth(pSum->GetBandWidth()))
        m_iBandWidth = pSum->GetBandWidth();
}

std::vector<CString> CComputeSumBinsDlg::GetBandNames() const
{
    std::vector<CString> asNames;
    for (int i = CComputeSumBins::BAND_OCTAVE; i <= CComputeSumBins::BAND_TWELFTH; ++i)
        asNames.push_back(CComputeSumBins::GetBandWidthName(i));
    return asNames;
}

bool CComputeSumBinsDlg::SetBandWidth(int iBandWidth)
{
    if (!IsBandWidth(iBandWidth)) return false;
    m_iBandWidth = iBandWidth;
    return true;
}

bool CComputeSumBinsDlg::SaveComputeDetailsFromDlg(CCompute* pCompute)
{
    auto* pSum = dynamic_cast<CComputeSumBins*>(pCompute);
    if (!pSum) return false;
    pSum->SetBandWidth(static_cast<short>(m_iBandWidth));
    return true;
}
