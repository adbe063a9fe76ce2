#pragma once
// "Sum Trace data bins": "Sum bins within" one of the four band widths.

#include "trace/compute/ComputeDlg.h"

class CComputeSumBinsDlg : public CComputeDlg {
public:
    static constexpr int kTemplateID = 816;
    static constexpr int IDC_BAND_WIDTH = 8236;

    // Opens on the compute's band width (a new band sum: 1/3 octave).
    CComputeSumBinsDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg);

    // The combo box: the band names, item i standing for band width i.
    std::vector<CString> GetBandNames() const;
    int GetBandWidth() const { return m_iBandWidth; }
    // Refused (false) for anything but the four widths.
    bool SetBandWidth(int iBandWidth);

protected:
    std::vector<const SValueField*> CheckedFields() const override { return {}; }
    bool SaveComputeDetailsFromDlg(CCompute* pCompute) override;

private:
    int m_iBandWidth = 1;
};
