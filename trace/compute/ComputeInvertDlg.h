#pragma once
// "Invert Trace data": around the cursor (if on), or around a Y value typed
// with its unit.

#include "trace/compute/ComputeDlg.h"

class CComputeInvertDlg : public CComputeDlg {
public:
    static constexpr int kTemplateID = 814;
    static constexpr int IDC_VALUE = 8231;
    static constexpr int IDC_UNIT = 8232;
    static constexpr int IDC_AROUND_CURSOR = 8233;
    static constexpr int IDC_AROUND_VALUE = 8234;

    // Opens on the compute's pivot, unit and value (see OpenField).
    CComputeInvertDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg);

    // The radio buttons: around the cursor the value field is emptied and
    // disabled and no unit is selected; around a value it shows the value
    // last typed or opened with.
    void SetAroundCursor(bool bCursor);
    bool IsAroundCursor() const { return m_bAroundCursor; }
    void SetValueText(const CString& sText) { m_Value.sText = sText; }
    // Converts the value shown into the new unit.
    void SetUnit(int iUnit) { ChangeUnit(m_Value, iUnit); }
    bool LeaveValue() { return LeaveField(m_Value); }
    const SValueField& Value() const { return m_Value; }

protected:
    std::vector<const SValueField*> CheckedFields() const override;
    bool SaveComputeDetailsFromDlg(CCompute* pCompute) override;

private:
    bool m_bAroundCursor = false;
    SValueField m_Value;
    // What the field shows again when the pivot goes back to a value.
    double m_dValue = 0.0;
    int m_iValueUnit = UNIT_INVALID;
};
