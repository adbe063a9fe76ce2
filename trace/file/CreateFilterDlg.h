#pragma once
// "Create Weighting filter": turns a trace into a weighting-filter file.
// The user picks a value (in one of the units of the trace's Y axis) that
// becomes a gain of 1 (0 dB); every point's gain is its value relative to
// that one, optionally inverted, and the gains are written through the
// host's user-table service: evenly spaced for a trace over bins, at the
// trace's X values for one that carries them.
//
// Toolkit-free: the fields, their checks and OK; a host shows it
// (qt/dialogs/CreateFilterForm, or the headless host in tests).

#include "host/app/DialogModel.h"
#include "host/units/UnitIds.h"

#include <vector>

class CGraphFrame;
class CQXTrace;

class CCreateFilterDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 866;
    // Control ids of the form.
    static constexpr int IDC_VALUE = 8260;
    static constexpr int IDC_UNIT = 8261;
    static constexpr int IDC_FILE = 8262;
    static constexpr int IDC_BROWSE = 8263;
    static constexpr int IDC_INVERT = 8272;

    // The trace stays the caller's and must outlive the dialog. The value
    // starts at the trace's largest value in its Y unit, so no gain exceeds 1.
    explicit CCreateFilterDlg(CQXTrace* pTrace);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;

    // "Use" (8260): the value as typed.
    const CString& GetValueText() const { return m_sValue; }
    void SetValueText(const CString& sValue) { m_sValue = sValue; }
    // The unit combo (8261): the units of the trace's Y unit set.
    const std::vector<EUnit>& GetUnits() const { return m_aeUnits; }
    int GetUnitIndex() const { return m_iUnitIndex; }
    // False for an index outside the list.
    bool SetUnitIndex(int iIndex);
    EUnit GetUnit() const;
    // "Invert Trace data before creating filter" (8272).
    bool GetInvert() const { return m_bInvert; }
    void SetInvert(bool bInvert) { m_bInvert = bInvert; }
    // "Weighting filter file name:" (8262).
    const CString& GetFileName() const { return m_sFileName; }
    void SetFileName(const CString& sFile) { m_sFileName = sFile; }
    // "Browse..." (8263): the host's save dialog in the filters folder; true
    // when a name was chosen (it becomes the file name).
    bool Browse();

    CString Validate(int* piControl) const override;
    // The gain of every point for a reference value in the selected unit.
    std::vector<double> ComputeGains(double dReference) const;

protected:
    bool Apply() override;

private:
    // The value typed, when it is a finite number.
    bool ParseValue(double& dValue) const;

    CQXTrace* m_pTrace;
    CString m_sValue;
    std::vector<EUnit> m_aeUnits;
    int m_iUnitIndex = 0;
    bool m_bInvert = false;
    CString m_sFileName;
};

// "Create Weighting filter from Trace..." in the frame's command table: the
// dialog on a trace that is on and has data.
void InstallCreateFilterCommand(CGraphFrame& frame);
