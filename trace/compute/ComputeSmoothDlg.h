#pragma once
// "Smooth Trace data": "Average" n "points either side of current point",
// "Number of passes:" m; both edits with spin buttons over 1 to 10, checked
// as whole numbers in that range.

#include "trace/compute/ComputeDlg.h"

class CComputeSmoothDlg : public CComputeDlg {
public:
    static constexpr int kTemplateID = 811;
    static constexpr int IDC_HALF_WIDTH_SPIN = 8210;
    static constexpr int IDC_PASSES_SPIN = 8211;
    static constexpr int IDC_HALF_WIDTH = 8212;
    static constexpr int IDC_PASSES = 8213;

    CComputeSmoothDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg);

    // What the edits hold; a spin step sets the number shown.
    void SetHalfWidthText(const CString& sText) { m_sHalfWidth = sText; }
    void SetPassesText(const CString& sText) { m_sPasses = sText; }
    const CString& GetHalfWidthText() const { return m_sHalfWidth; }
    const CString& GetPassesText() const { return m_sPasses; }

    // The first edit that is not a whole number from 1 to 10, with the range message.
    CString Validate(int* piControl) const override;

protected:
    std::vector<const SValueField*> CheckedFields() const override { return {}; }
    bool SaveComputeDetailsFromDlg(CCompute* pCompute) override;

private:
    CString m_sHalfWidth;
    CString m_sPasses;
};

// A whole number from iMin to iMax typed in an edit (spaces around allowed).
bool ParseCountField(const CString& sText, int iMin, int iMax, int* piValue);
