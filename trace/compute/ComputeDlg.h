#pragma once
// CComputeDlg: what the dialogs of the transforms share, as dialog models
// (host/app/DialogModel.h). A transform's dialog edits one compute (of the
// transforms-list dialog's working list, or on its own) for one trace: its
// value fields are typed text with a unit, checked against the trace's
// limits, and OK copies them into the compute. A form (qt/dialogs) only maps
// its widgets onto these fields and presses the buttons.

#include "host/app/DialogModel.h"
#include "host/units/UnitIds.h"
#include "platform/String.h"
#include "trace/core/TraceDefs.h"
#include "trace/model/QXTrace.h"

#include <vector>

class CCompute;
class CComputeListDlg;

// One value edit and the unit combo box beside it.
struct SValueField {
    AxisType eAxis = Y_AXIS;
    int iControl = 0;       // the edit's control id (focused when refused)
    CUnitChoiceList aUnits; // what the combo box offers
    int iUnit = -1;         // the selected unit; -1: none selected
    CString sText;          // what the edit holds
    bool bEnabled = true;
    bool bUnitEnabled = true;
};

class CComputeDlg : public CDialogModel {
public:
    // pListDlg: the transforms-list dialog this one was opened from, or null.
    // Compute and trace stay the caller's and must outlive the dialog.
    CComputeDlg(int iTemplateID, int iCaptionID, CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg);

    int GetTemplateID() const override { return m_iTemplateID; }
    CString GetCaption() const override;
    CQXTrace* GetTrace() const { return m_pTrace; }
    CCompute* GetCompute() const { return m_pCompute; }

    // The first field whose text is not a usable value: the range message.
    CString Validate(int* piControl) const override;

    // Minus infinity may be typed for Y only, in a unit that has it, on
    // scope and CT-detector traces (for a limit line, those of its trace).
    bool NegInfinityAllowed(AxisType eAxis, int iUnit) const;
    // A field's value: a number (hexadecimal digits in UNIT_HEX) within the
    // trace's limits for its axis and unit, or minus infinity where allowed;
    // otherwise the range message, and *pdValue untouched.
    CString ReadValue(const SValueField& field, double* pdValue) const;

protected:
    // Copies the fields into the compute, then asks the compute whether the
    // list stays valid; a No to "transforms will be deleted" keeps the
    // dialog open. A failed copy says "The system failed to save these details.".
    bool Apply() override;
    // Leaving an edit: a refused value shows the range message (false); an
    // accepted one is rewritten as its unit shows it.
    bool LeaveField(SValueField& field);
    // Fills a field's unit list from the trace and shows a value in it.
    void FillUnits(SValueField& field) const;
    void ShowValue(SValueField& field, double dValue, int iUnit) const;
    // Switches a field's unit, converting the value shown (value in the old
    // unit -> data -> value in the new one).
    void ChangeUnit(SValueField& field, int iNewUnit) const;
    // The unit and value a field opens with: the compute's when the trace
    // is not a sweep trace or offers that unit, else the trace's current
    // unit and the default value. Returns the value shown.
    double OpenField(SValueField& field, int iUnit, double dValue, double dDefault) const;
    // The limits of a value typed for an axis in a unit.
    virtual void GetLimits(AxisType eAxis, int iUnit, double* pdLow, double* pdHigh) const;
    // The fields OK checks, in the order the user meets them.
    virtual std::vector<const SValueField*> CheckedFields() const = 0;
    // Copies the (checked) fields into the compute; false when it cannot.
    virtual bool SaveComputeDetailsFromDlg(CCompute* pCompute) = 0;

    // The trace whose kind and units decide (a limit line's own trace).
    CQXTrace* UnitTrace() const;

private:
    int m_iTemplateID;
    int m_iCaptionID;
    CCompute* m_pCompute;
    CQXTrace* m_pTrace;
    CComputeListDlg* m_pComputeListDlg;
};

// The edit text of a value in a unit: the unit's decimal places,
// hexadecimal digits for UNIT_HEX, "-Infinity" for minus infinity.
CString FormatFieldValue(double dValue, int iUnit);
// The value of an edit text; false for anything but one number (or
// "-Infinity"/"-inf", read as -DBL_MAX).
bool ParseFieldValue(const CString& sText, int iUnit, double* pdValue);
