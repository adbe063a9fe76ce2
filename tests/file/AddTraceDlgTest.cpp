// "Add Trace" on the document's own traces (scope and FFT shown, the CT
// detector's two offered): its checks with the library's messages, the live
// list and what Add does with each kind, through the frame's command and
// the headless host; a limit file through the choose-trace step.

#include "support/HostDocFixture.h"
#include "host/app/ScriptedDialogs.h"
#include "host/settings/SettingsIds.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "resources/StringTable.h"
#include "trace/display/GraphFrame.h"
#include "trace/file/AddTraceDlg.h"
#include "trace/file/ChooseLimitTraceDlg.h"
#include "trace/limits/LimitTable.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/SweepTrace.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

using Dlg = CAddTraceDlg;
using EKind = Dlg::EKind;

std::vector<std::wstring> Names(const Dlg& dialog)
{
    std::vector<std::wstring> asNames;
    for (const Dlg::SLiveEntry& entry : dialog.GetLiveEntries()) asNames.push_back(entry.sName.GetString());
    return asNames;
}

} // namespace

class AddTraceDialog : public HostDocFixture {
protected:
    AddTraceDialog()
    {
        m_pDoc->Initialise();
        InstallAddTraceCommand(m_frame);
    }
    void TearDown() override { EXPECT_EQ(AssertCount(), 0); }
    // Runs the command; each answer fills the dialog shown then.
    void Run(std::initializer_list<CScriptedDialogs::Answer> answers)
    {
        for (const auto& answer : answers) m_dialogs.QueueAnswer(answer);
        EXPECT_TRUE(m_frame.Execute(ID_GRAPH_ADD_TRACE));
    }
    // Fills the Add Trace dialog (the file of the kind, the index of its
    // list), presses Add once and closes it.
    CScriptedDialogs::Answer AddOnce(EKind eKind, const char* szFile, Dlg::EChannels eChannels = Dlg::EChannels::both,
                                     int iIndex = 0) const
    {
        const CString sFile = Path(szFile);
        return [=](CDialogModel& model) {
            auto& dialog = static_cast<Dlg&>(model);
            dialog.SetChannels(eChannels);
            dialog.SetKind(eKind);
            dialog.SetSavedFile(sFile);
            dialog.SetLimitFile(sFile);
            dialog.SetWindowFile(sFile);
            dialog.SetWindowIndex(iIndex);
            dialog.SetFilterIndex(iIndex);
            dialog.Add();
            return IDCANCEL;
        };
    }
    std::vector<std::wstring> Boxes() const
    {
        std::vector<std::wstring> asTexts;
        for (const auto& box : m_host.GetMessageBoxes()) asTexts.push_back(box.sText.GetString());
        return asTexts;
    }
    CString Path(const char* szName) const { return CString((m_host.GetRoot().ToUtf8() + "/" + szName).c_str()); }
    CQXTrace* Live(ChannelNumber eChannel, TraceType eType) { return m_pDoc->GetTraceFromArray(eChannel, eType, 0, 1); }
    size_t TraceCount() { return m_pDoc->GetTraceArray(CHANNEL_A).size() + m_pDoc->GetTraceArray(CHANNEL_B).size(); }

    CGraphFrame m_frame;
    CScriptedDialogs m_dialogs;
};

TEST_F(AddTraceDialog, ChecksTheChoiceOfEachKindWithTheLibraryMessages)
{
    const std::wstring sNoFile = L"Please enter the name of the file to add.";
    const struct {
        EKind eKind;
        int iWindow;
        const wchar_t* szFile;
        int iControl;
        std::wstring sMessage;
    } kRows[] = {
        {EKind::live, 0, L"", 0, L""},
        {EKind::filter, 0, L"", 0, L""},
        {EKind::window, 1, L"", 0, L""},
        {EKind::window, 6, L" ", Dlg::IDC_WINDOW_FILE, L"Please enter the name of the user-defined window function file."},
        {EKind::window, 6, L"gains.txt", 0, L""},
        {EKind::saved, 0, L"", Dlg::IDC_SAVED_FILE, sNoFile},
        {EKind::limit, 0, L"  ", Dlg::IDC_LIMIT_FILE, sNoFile},
    };
    Dlg dialog(*m_pDoc);
    EXPECT_EQ(dialog.GetCaption(), CString(L"Add Trace"));
    for (const auto& row : kRows) {
        Dlg check = dialog;
        check.SetKind(row.eKind);
        check.SetWindowIndex(row.iWindow);
        check.SetWindowFile(row.szFile);
        check.SetSavedFile(row.szFile);
        check.SetLimitFile(row.szFile);
        int iControl = -1;
        EXPECT_EQ(check.Validate(&iControl).GetString(), row.sMessage) << row.szFile;
        EXPECT_EQ(iControl, row.iControl) << row.szFile;
    }
    EXPECT_EQ(Dlg::GetNoLiveTracesText(), CString(L"- No Live Traces to add -"));
}

TEST_F(AddTraceDialog, ChannelsStartAsTheAnalyserMeasuresThem)
{
    // Channel mode: 0 channel A, 1 channel B, 2 both.
    const std::pair<int, Dlg::EChannels> kModes[] = {
        {0, Dlg::EChannels::a}, {1, Dlg::EChannels::b}, {2, Dlg::EChannels::both}};
    for (const auto& [iMode, eChannels] : kModes) {
        GetSignalAnalyserSettings()->SetProperty(PROP_SA_CHANNEL_MODE, iMode);
        EXPECT_EQ(Dlg(*m_pDoc).GetChannels(), eChannels) << iMode;
    }
}

TEST_F(AddTraceDialog, LiveTracesOnePerTypeInTypeOrderAndAddMakesTheFirstChannelsCurrent)
{
    // A sweep that has measured a point is offered; one given a result that never ran is not.
    auto* pRan = dynamic_cast<CSweepTrace*>(Live(CHANNEL_B, TT_SWEEP2));
    auto* pNeverRan = dynamic_cast<CSweepTrace*>(Live(CHANNEL_A, TT_SWEEP1));
    ASSERT_TRUE(pRan && pNeverRan);
    pRan->SetResultID(RES_CHA_RMSAMPL);
    pRan->SetBuffer(4);
    pNeverRan->SetResultID(RES_CHA_RMSAMPL);

    Dlg dialog(*m_pDoc);
    const std::wstring sSweep = pRan->GetTraceName(0, 0, 1).GetString();
    EXPECT_EQ(Names(dialog), (std::vector<std::wstring>{L"Live CTA output", L"Live FFT of CTA output", sSweep}));
    EXPECT_EQ(dialog.GetLiveEntries()[0].apTraces, (std::vector<CQXTrace*>{Live(CHANNEL_A, TT_CTDET), Live(CHANNEL_B, TT_CTDET)}));
    dialog.SetChannels(Dlg::EChannels::a);
    EXPECT_EQ(Names(dialog), (std::vector<std::wstring>{L"Live CTA output", L"Live FFT of CTA output"}));

    // Add twice without closing, on both channels: both CT detector traces
    // come on, channel A's current; then the CT FFT ones.
    Run({[](CDialogModel& model) {
        auto& add = static_cast<Dlg&>(model);
        EXPECT_TRUE(add.Add());
        EXPECT_EQ(add.GetLiveEntries().size(), 2u);
        EXPECT_TRUE(add.Add());
        return IDCANCEL;
    }});
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (TraceType eType : {TT_CTDET, TT_CTFFT})
            EXPECT_EQ(std::make_pair(Live(eChannel, eType)->IsInUse(), Live(eChannel, eType)->IsOn()), std::make_pair(1, 1));
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), Live(CHANNEL_A, TT_CTFFT));

    // Channel A has nothing left to add: the list says so and Add refuses.
    Run({AddOnce(EKind::live, "", Dlg::EChannels::a)});
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"There is no Live Trace to add on the channels selected."});
}

TEST_F(AddTraceDialog, SavedTraceLoadsOnTheChannelAndABadFileChangesNothing)
{
    ASSERT_EQ(m_pDoc->SaveTrace(Live(CHANNEL_A, TT_FFT), Path("spectrum.trc"), 0), 1);
    std::ofstream(Path("notes.trc").ToUtf8()) << "not a trace\n";
    const size_t uBefore = TraceCount();

    Run({AddOnce(EKind::saved, "notes.trc", Dlg::EChannels::b)});
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{LoadResString(IDS_TRACE_LOAD_FAILED).GetString()});
    EXPECT_EQ(TraceCount(), uBefore);

    Run({AddOnce(EKind::saved, "spectrum.trc", Dlg::EChannels::b)});
    CQXTrace* pLoaded = m_pDoc->GetCurrentTrace();
    ASSERT_TRUE(pLoaded && !pLoaded->IsLive());
    EXPECT_EQ(std::make_tuple(pLoaded->GetChannel(), pLoaded->GetTraceType(), pLoaded->IsOn()), std::make_tuple(CHANNEL_B, TT_FFT, 1));
    EXPECT_EQ(TraceCount(), uBefore + 1);
}

TEST_F(AddTraceDialog, LimitFileGoesToTheTraceTheChooseStepNames)
{
    CQXTrace* pFFTA = Live(CHANNEL_A, TT_FFT);
    CQXTrace* pFFTB = Live(CHANNEL_B, TT_FFT);
    // Two points, -10 over the band, in the units given.
    const auto WriteTable = [this](const char* szName, int iXUnit, int iYUnit) {
        CLimitTable table;
        table.SetXUnit(iXUnit);
        table.SetYUnit(iYUnit);
        for (double dX : {20.0, 20000.0}) table.AddPoint(dX, -10.0, 1, POLARITY_NONE);
        ASSERT_EQ(m_pDoc->SaveLimitTable(table, Path(szName), 0), 1);
    };
    WriteTable("flat.lim", pFFTA->GetXUnit(), pFFTA->GetYUnit());
    WriteTable("gate.lim", UNIT_MS, UNIT_RELATIVE_GAIN);
    std::ofstream(Path("junk.lim").ToUtf8()) << "junk\n";

    // A file the reader refuses: its message, no choose step, no line.
    Run({AddOnce(EKind::limit, "junk.lim")});
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Boxes()[0].starts_with(L"The file '") && Boxes()[0].ends_with(L"junk.lim' is not a valid Quorix limit file."))
        << Boxes()[0];

    // The step offers only the traces whose units suit the file (the
    // spectra, not the scopes), each channel at its current one; nothing
    // chosen is refused, then channel B's spectrum gets the lower limit.
    m_pDoc->SetCurrentTrace(pFFTA, 0);
    Run({AddOnce(EKind::limit, "flat.lim"),
         [&](CDialogModel& model) {
             auto& choose = static_cast<CChooseLimitTraceDlg&>(model);
             EXPECT_TRUE(choose.GetUpper());
             EXPECT_EQ(choose.GetChannels().size(), 2u);
             EXPECT_EQ(choose.GetChannels()[0].apTraces, std::vector<CQXTrace*>{pFFTA});
             EXPECT_EQ(choose.GetChannels()[0].iChosen, 0);
             choose.SetChosen(CHANNEL_A, -1);
             choose.SetChosen(CHANNEL_B, -1);
             return IDOK;
         },
         [&](CDialogModel& model) {
             auto& choose = static_cast<CChooseLimitTraceDlg&>(model);
             EXPECT_EQ(choose.GetFailedControl(), CChooseLimitTraceDlg::IDC_TRACE_A);
             choose.SetChosen(CHANNEL_B, 0);
             choose.SetUpper(false);
             return IDOK;
         }});
    EXPECT_EQ(m_dialogs.GetDialogsShown(), (std::vector<int>{Dlg::kTemplateID, Dlg::kTemplateID, CChooseLimitTraceDlg::kTemplateID}));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1], L"Please choose the Trace that is to get this Limit Line.");
    EXPECT_TRUE(!pFFTA->GetMaxLimitLine() && !pFFTA->GetMinLimitLine());
    ASSERT_TRUE(pFFTB->GetMinLimitLine() && !pFFTB->GetMaxLimitLine());
    EXPECT_EQ(pFFTB->GetMinLimitLine()->GetDataSize(), 2);

    // A file whose units no trace of the channels has: its message, no step.
    Run({AddOnce(EKind::limit, "gate.lim")});
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[2], L"There are no valid Traces to connect this Limit Line to. This Limit Line will not be loaded.");
    EXPECT_EQ(m_dialogs.GetDialogsShown().size(), 4u);
}

TEST_F(AddTraceDialog, WindowFunctionBuiltInOrFromTheUserFile)
{
    std::ofstream(Path("gains.txt").ToUtf8()) << "# rising, then held\n0\n0.5\n1\n";
    std::ofstream(Path("bad.txt").ToUtf8()) << "0\nhalf\n";
    const auto Window = [this](ChannelNumber eChannel) { return m_pDoc->GetTraceFromArray(eChannel, TT_WINDOW, 0, 0); };

    // A file holding a word: the document's message, no window.
    Run({AddOnce(EKind::window, "bad.txt", Dlg::EChannels::a, 6)});
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Cannot load this Window function."});
    EXPECT_EQ(Window(CHANNEL_A), nullptr);

    // The file's three gains, the last held to the end; shown and current.
    Run({AddOnce(EKind::window, "gains.txt", Dlg::EChannels::b, 6)});
    CQXTrace* pUser = Window(CHANNEL_B);
    ASSERT_NE(pUser, nullptr);
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pUser);
    const double* pdY = pUser->GetYDataBuffer(0);
    const int iLast = pUser->GetDataSize() - 1;
    EXPECT_EQ(std::vector<double>(pdY, pdY + 4), (std::vector<double>{0.0, 0.5, 1.0, 1.0}));
    EXPECT_EQ(pdY[iLast], 1.0);

    // Hann (the second entry) on channel B draws its window again, 1 at the middle.
    Run({AddOnce(EKind::window, "", Dlg::EChannels::b, 1)});
    EXPECT_NEAR(pUser->GetYDataBuffer(0)[iLast / 2], 1.0, 1e-3);
}

TEST_F(AddTraceDialog, FilterOfTheChosenPath)
{
    Run({AddOnce(EKind::filter, "", Dlg::EChannels::b, 1)}); // FFT parameters
    CQXTrace* pFilter = m_pDoc->GetCurrentTrace();
    ASSERT_NE(pFilter, nullptr);
    EXPECT_EQ(std::make_tuple(pFilter->GetTraceType(), pFilter->GetChannel(), static_cast<CFilterTrace*>(pFilter)->GetFilterType(), pFilter->IsOn()),
              std::make_tuple(TT_FILTER, CHANNEL_B, 1001, 1));
}
