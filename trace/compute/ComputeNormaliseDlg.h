#pragma once
// "Normalize Trace data": "Set Y value to be" a value with its unit "at X
// value of" a value with its unit.

#include "trace/compute/ComputeDlg.h"

class CComputeNormaliseDlg : public CComputeDlg {
public:
    static constexpr int kTemplateID = 812;
    static constexpr int IDC_Y_UNIT = 8221;
    static constexpr int IDC_X_UNIT = 8222;
    static constexpr int IDC_Y = 8226;
    static constexpr int IDC_X = 8227;

    // Opens on the compute's values; an X without a unit opens at the
    // compute's default X in the trace's X unit.
    CComputeNormaliseDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg);

    void SetYText(const CString& sText) { m_Y.sText = sText; }
    void SetXText(const CString& sText) { m_X.sText = sText; }
    void SetYUnit(int iUnit) { ChangeUnit(m_Y, iUnit); }
    void SetXUnit(int iUnit) { ChangeUnit(m_X, iUnit); }
    bool LeaveY() { return LeaveField(m_Y); }
    bool LeaveX() { return LeaveField(m_X); }
    const SValueField& Y() const { return m_Y; }
    const SValueField& X() const { return m_X; }

protected:
    // X must lie between the trace's first and last positions (a limit
    // table's first and last points).
    void GetLimits(AxisType eAxis, int iUnit, double* pdLow, double* pdHigh) const override;
    std::vector<const SValueField*> CheckedFields() const override { return {&m_Y, &m_X}; }
    bool SaveComputeDetailsFromDlg(CCompute* pCompute) override;

private:
    SValueField m_Y;
    SValueField m_X;
};
