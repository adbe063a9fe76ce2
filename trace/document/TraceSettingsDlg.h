#pragma once
// "Trace Settings": a trace's name, the range of each axis ("from" and
// "to", in the axis unit), its intervals (automatic, a fixed count, or
// logarithmic) and, for traces whose data takes both signs, which side of
// zero a Y range typed in a dB unit lies on ("+ve polarity": dB values are
// magnitudes). For a limit line everything but the name is its trace's.
// OK checks each axis with the scales' own range checks, then sets only
// what was changed, through the setters scripts use.
//
// Toolkit-free: the fields, their checks and OK; a host shows it
// (qt/dialogs/TraceSettingsForm, or the headless host in tests).

#include "host/app/DialogModel.h"
#include "trace/core/TraceDefs.h"

class CGraphFrame;
class CQXTrace;

class CTraceSettingsDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 805;
    // Control ids of the form.
    static constexpr int IDC_NAME = 8300;
    static constexpr int IDC_X_FROM = 8301;
    static constexpr int IDC_X_TO = 8302;
    static constexpr int IDC_X_INTERVALS = 8303;
    static constexpr int IDC_Y_FROM = 8311;
    static constexpr int IDC_Y_TO = 8312;
    static constexpr int IDC_Y_INTERVALS = 8313;
    static constexpr int IDC_POSITIVE = 8320;
    static constexpr int IDC_RESET_DEFAULTS = 8321;
    static constexpr int IDC_UPPER_LIMIT = 8322;
    static constexpr int IDC_LOWER_LIMIT = 8323;

    enum class EIntervals { automatic, linear, logarithmic };
    struct SAxis {
        CString sFrom, sTo;
        EIntervals eIntervals = EIntervals::automatic;
        // The fixed count, used when linear.
        CString sCount;
        bool operator==(const SAxis&) const = default;
    };

    // The trace stays the caller's and must outlive the dialog.
    explicit CTraceSettingsDlg(CQXTrace& trace);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;

    const CString& GetName() const { return m_sName; }
    void SetName(const CString& sName) { m_sName = sName; }
    const SAxis& GetAxis(AxisType eAxis) const { return m_aAxes[eAxis == X_AXIS ? 0 : 1]; }
    SAxis& Axis(AxisType eAxis) { return m_aAxes[eAxis == X_AXIS ? 0 : 1]; }
    // The axis unit's name, shown after the range.
    CString GetUnitName(AxisType eAxis) const;
    // "Logarithmic" is offered only where the axis's unit allows it.
    bool LogAllowed(AxisType eAxis) const;
    bool PolarityApplies() const { return m_bPolarityApplies; }
    bool GetPositive() const { return m_bPositive; }
    void SetPositive(bool bPositive) { m_bPositive = bPositive; }
    // "Upper limit" and "Lower limit": the limit file of each line (the
    // file it was loaded from, if any). OK loads a changed, non-empty one
    // as that line; an emptied field leaves the line.
    const CString& GetLimitFile(bool bUpper) const { return m_asLimit[bUpper ? 0 : 1]; }
    void SetLimitFile(bool bUpper, const CString& sFile) { m_asLimit[bUpper ? 0 : 1] = sFile; }
    // "Browse...": the host's open dialog in the limits folder; true when a
    // file was chosen (it becomes the field).
    bool BrowseLimitFile(bool bUpper);
    // "Reset Defaults": the trace's own name, its full ranges, automatic
    // intervals and positive polarity; applied by OK like any edit.
    void ResetDefaults();

    CString Validate(int* piControl) const override;

protected:
    // A range or interval count the trace refuses names the axis, a limit
    // file that does not load gets the limit file's message; what was set
    // before it stays set.
    bool Apply() override;

private:
    void ShowRange(AxisType eAxis, double dMin, double dMax);
    // The axis's fields read: its range and TRACE_INTERVALS_AUTO or the
    // count (0 when not a number); false when from or to is not a number.
    bool ReadAxis(AxisType eAxis, double* pdFrom, double* pdTo, int* piIntervals) const;
    bool ApplyAxis(AxisType eAxis);
    bool Refuse(int iMessageId, AxisType eAxis) const;

    CQXTrace& m_Trace;
    // The trace whose scales and limit lines the dialog edits: a limit
    // line's own trace, else the trace itself.
    CQXTrace& m_Axes;
    CString m_sName;
    SAxis m_aAxes[2];
    bool m_bPolarityApplies = false;
    bool m_bPositive = true;
    // What the dialog opened with: OK sets what differs.
    SAxis m_aOpened[2];
    bool m_bOpenedPositive = true;
    CString m_asLimit[2];
    CString m_asOpenedLimit[2];
};

// "Trace settings..." in the frame's command table: the dialog on a trace in use.
void InstallTraceSettingsCommand(CGraphFrame& frame);
