// "Trace Settings": its checks with the scales' messages, and OK through the
// frame's command setting the name, a range, a fixed interval count and
// (after Reset Defaults) the defaults back. "Edit Trace comment" too.

#include "ViewFixture.h"

#include "host/app/ScriptedDialogs.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/TraceCommentDlg.h"
#include "trace/document/TraceSettingsDlg.h"
#include "trace/document/TraceScaleSettings.h"

using Dlg = CTraceSettingsDlg;
using TraceSettingsDialog = ViewFixture;

TEST_F(TraceSettingsDialog, ChecksEachAxisWithTheScalesMessages)
{
    const struct {
        AxisType eAxis;
        const wchar_t *szFrom, *szTo;
        Dlg::EIntervals eIntervals;
        const wchar_t* szCount;
        int iControl;
        const wchar_t* szMessage; // its start
    } kRows[] = {
        {X_AXIS, L"100", L"20000", Dlg::EIntervals::linear, L"50", 0, L""},
        {X_AXIS, L"10", L"5", Dlg::EIntervals::automatic, L"", Dlg::IDC_X_TO,
         L"The number in the X axis \"to\" field is less than the \"from\" field. Please amend your entry."},
        {Y_AXIS, L"-20", L"-20", Dlg::EIntervals::logarithmic, L"", Dlg::IDC_Y_TO,
         L"The 'From' and 'To' values for the Y axis cannot be the same. Please amend your entry."},
        {X_AXIS, L"0", L"100", Dlg::EIntervals::linear, L"0", Dlg::IDC_X_INTERVALS,
         L"The interval for the X axis is invalid. Please amend your entry to a number between 1 and 50."},
        {Y_AXIS, L"-90", L"0", Dlg::EIntervals::linear, L"ten", Dlg::IDC_Y_INTERVALS,
         L"The interval for the Y axis is invalid. Please amend your entry to a number between 1 and 50."},
        {Y_AXIS, L"low", L"0", Dlg::EIntervals::automatic, L"", Dlg::IDC_Y_FROM, L"The value entered is invalid."},
    };
    Dlg dialog(*AddLiveTrace());
    EXPECT_EQ(dialog.GetCaption(), CString(L"Trace Settings"));
    for (const auto& row : kRows) {
        Dlg check = dialog;
        Dlg::SAxis& axis = check.Axis(row.eAxis);
        axis = {row.szFrom, row.szTo, row.eIntervals, row.szCount};
        int iControl = -1;
        const std::wstring sMessage = check.Validate(&iControl).GetString();
        EXPECT_EQ(iControl, row.iControl) << row.szFrom;
        EXPECT_EQ(sMessage.substr(0, std::wcslen(row.szMessage)), row.szMessage) << row.szFrom;
        EXPECT_EQ(sMessage.empty(), !*row.szMessage) << row.szFrom;
    }
}

TEST_F(TraceSettingsDialog, OkSetsWhatChangedAndResetDefaultsRestores)
{
    CTestTrace* pTrace = AddLiveTrace();
    m_pDoc->SetCurrentTrace(pTrace, 0);
    const CString sOwnName = pTrace->GetTraceName(0, 0, 1);
    CGraphFrame frame;
    InstallTraceSettingsCommand(frame);
    CScriptedDialogs dialogs;
    // 100 .. 110 Hz lies within one bin (24000 / 511 Hz wide): refused and the dialog stays open; the next answer is taken.
    dialogs.QueueAnswer([](CDialogModel& model) {
        auto& dialog = static_cast<Dlg&>(model);
        dialog.SetName(L"Left");
        dialog.Axis(X_AXIS) = {L"100", L"110", Dlg::EIntervals::linear, L"4"};
        dialog.Axis(Y_AXIS).eIntervals = Dlg::EIntervals::logarithmic;
        return IDOK;
    });
    dialogs.QueueAnswer([](CDialogModel& model) {
        static_cast<Dlg&>(model).Axis(X_AXIS) = {L"0", L"12000", Dlg::EIntervals::linear, L"4"};
        return IDOK;
    });
    EXPECT_TRUE(frame.Execute(ID_TRACE_SETTINGS));
    EXPECT_EQ(dialogs.GetDialogsShown(), std::vector<int>{Dlg::kTemplateID});
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.GetMessageBoxes()[0].sText,
              CString(L"This Trace cannot show that range on the X axis. Please amend your entry."));
    EXPECT_EQ(pTrace->GetTraceName(0, 0, 0), CString(L"Left"));
    EXPECT_EQ(GetTraceIntervals(*pTrace, X_AXIS), 4);
    EXPECT_EQ(std::make_pair(GetTraceIntervals(*pTrace, Y_AXIS), pTrace->GetLogY()), std::make_pair(TRACE_INTERVALS_AUTO, 1));
    double dMin = 0.0, dMax = 0.0;
    GetTraceRange(*pTrace, X_AXIS, false, &dMin, &dMax);
    // 511 bins over 24 kHz: 12000 Hz lies in bin 255.5, shown from its nearer bin.
    EXPECT_EQ(dMin, 0.0);
    EXPECT_NEAR(dMax, 12000.0, 24000.0 / 511);

    dialogs.QueueAnswer([](CDialogModel& model) {
        static_cast<Dlg&>(model).ResetDefaults();
        return IDOK;
    });
    EXPECT_TRUE(frame.Execute(ID_TRACE_SETTINGS));
    EXPECT_EQ(pTrace->GetUserName(), CString());
    EXPECT_EQ(pTrace->GetTraceName(0, 0, 0), sOwnName);
    EXPECT_EQ(GetTraceIntervals(*pTrace, X_AXIS), TRACE_INTERVALS_AUTO);
    EXPECT_EQ(pTrace->GetLogY(), 0);
    GetTraceRange(*pTrace, X_AXIS, false, &dMin, &dMax);
    EXPECT_EQ(std::make_pair(dMin, dMax), std::make_pair(0.0, 24000.0));

    // A limit file that does not load: its message, the dialog stays open, no line.
    dialogs.QueueAnswer([](CDialogModel& model) {
        static_cast<Dlg&>(model).SetLimitFile(true, L"no-such.lim");
        return IDOK;
    });
    EXPECT_TRUE(frame.Execute(ID_TRACE_SETTINGS));
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 2u);
    const std::wstring sText = m_host.GetMessageBoxes()[1].sText.GetString();
    EXPECT_EQ(sText.substr(0, 16), L"The limit file '");
    EXPECT_TRUE(sText.ends_with(L"/no-such.lim' could not be opened.")) << sText;
    EXPECT_EQ(pTrace->GetMaxLimitLine(), nullptr);
}

TEST_F(TraceSettingsDialog, CommentIsSetOnOkOnlyAndTellsTheViews)
{
    CTestTrace* pTrace = AddLiveTrace();
    m_pDoc->SetCurrentTrace(pTrace, 0);
    CGraphFrame frame;
    InstallTraceCommentCommand(frame);
    CScriptedDialogs dialogs;
    for (int iAnswer : {IDCANCEL, IDOK})
        dialogs.QueueAnswer([iAnswer](CDialogModel& model) {
            static_cast<CTraceCommentDlg&>(model).SetComment(iAnswer == IDOK ? L"after repair" : L"dropped");
            return iAnswer;
        });
    EXPECT_TRUE(frame.Execute(ID_TRACE_COMMENT));
    EXPECT_EQ(pTrace->GetComment(), CString());
    EXPECT_TRUE(frame.Execute(ID_TRACE_COMMENT));
    EXPECT_EQ(pTrace->GetComment(), CString(L"after repair"));
    EXPECT_EQ(CountHints(UPDATE_TRACE_COMMENT), 1);
}

// A limit line's dialog names the line and ranges the trace it is drawn in;
// a log axis its unit refuses and a negative dB range get their own answers.
TEST_F(TraceSettingsDialog, ALimitLineRangesItsTraceAndRefusalsAndPolarityOnOk)
{
    CTestTrace* pTrace = AddLiveTrace();
    auto* pLine = new CTestLimitLine(pTrace, TT_MAXLIMITLINE, 512);
    pTrace->AttachLimitLines(pLine, nullptr);
    pLine->SetInUse(1);
    CScriptedDialogs dialogs;
    const auto Answer = [&dialogs](std::function<void(Dlg&)> fnEdit) {
        dialogs.QueueAnswer([fnEdit](CDialogModel& model) {
            fnEdit(static_cast<Dlg&>(model));
            return IDOK;
        });
    };
    Answer([](Dlg& dialog) {
        dialog.SetName(L"Mask");
        dialog.Axis(X_AXIS) = {L"0", L"12000", Dlg::EIntervals::automatic, L"10"};
    });
    Dlg ofLine(*pLine);
    EXPECT_EQ(DoModalDialog(ofLine), IDOK);
    double dMin = 0.0, dMax = 0.0;
    GetTraceRange(*pTrace, X_AXIS, false, &dMin, &dMax);
    EXPECT_EQ(pLine->GetTraceName(0, 0, 0), CString(L"Mask"));
    EXPECT_NEAR(dMax, 12000.0, 24000.0 / 511);

    pTrace->SetLogAllowed(false);
    Answer([](Dlg& dialog) { dialog.Axis(Y_AXIS).eIntervals = Dlg::EIntervals::logarithmic; });
    Dlg refused(*pTrace);
    EXPECT_EQ(DoModalDialog(refused), IDCANCEL); // refused, then no answer left
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.GetMessageBoxes()[0].sText, CString(L"The Y axis of this Trace cannot be logarithmic in its unit."));

    // Data of both signs in dBV: "+ve polarity" off puts -20 .. 0 dBV below
    // zero, the lower end 10 times the upper (20 dB) in amplitude.
    pTrace->SetSignedData(true);
    pTrace->SetYUnit(UNIT_DBV);
    Dlg polarity(*pTrace);
    ASSERT_TRUE(polarity.PolarityApplies());
    Answer([](Dlg& dialog) {
        dialog.SetPositive(false);
        dialog.Axis(Y_AXIS) = {L"-20", L"0", Dlg::EIntervals::automatic, L"10"};
    });
    EXPECT_EQ(DoModalDialog(polarity), IDOK);
    EXPECT_LT(pTrace->GetCurrentMaxYData(), 0.0);
    EXPECT_NEAR(pTrace->GetCurrentMinYData() / pTrace->GetCurrentMaxYData(), 10.0, 1e-9);
}
