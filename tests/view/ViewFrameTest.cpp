// The toolkit-free frame: which view shows a trace, the interceptor chain,
// the trace the next command acts on, and the command table's states.

#include "ViewFixture.h"

#include "trace/display/GraphFrame.h"
#include "trace/display/QuickLegend.h"
#include "trace/document/GraphColorsDlg.h"
#include "trace/document/TraceCommentDlg.h"
#include "trace/document/TraceSettingsDlg.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/file/AddTraceDlg.h"
#include "trace/file/CreateFilterDlg.h"
#include "trace/file/FileCommands.h"
#include "trace/limits/LimitLineManager.h"
#include "trace/types/ImpulseWindowEditor.h"

#include <algorithm>

class ViewFrame : public ViewFixture {
protected:
    ViewFrame()
    {
        m_viewB.SetChannel(CHANNEL_B);
        m_frame.SetView(CHANNEL_A, &m_view);
        m_frame.SetView(CHANNEL_B, &m_viewB);
    }
    CGraphView m_viewB;
    CGraphFrame m_frame;
};

TEST_F(ViewFrame, ViewsPerChannelOrOneForBothAndTheNewestInterceptorFirst)
{
    CTestTrace* pA = AddLiveTrace(TT_FFT, CHANNEL_A);
    CTestTrace* pB = AddLiveTrace(TT_FFT, CHANNEL_B);
    EXPECT_EQ(m_view.GetParentFrame(), &m_frame);
    EXPECT_EQ(std::make_pair(m_frame.GetTraceView(pA), m_frame.GetTraceView(pB)), std::make_pair(&m_view, &m_viewB));
    // The View menu's choice puts both channels in channel A's view and tells the window.
    int iSplits = 0;
    m_frame.SetSplitListener([&iSplits]() { ++iSplits; });
    EXPECT_TRUE(m_frame.Execute(ID_GRAPH_ONE_CHANNEL));
    EXPECT_EQ(std::make_pair(iSplits, m_frame.GetViewMenu()[2].bChecked), std::make_pair(1, true));
    EXPECT_EQ(m_frame.GetTraceView(pB), &m_view);
    EXPECT_EQ(m_frame.GetTraceView(nullptr), nullptr);

    CRecordingInterceptor first, second;
    m_frame.PushInterceptor(&first);
    m_frame.PushInterceptor(&second);
    EXPECT_EQ(m_frame.GetTraceInterceptor(), &second);
    m_frame.RemoveInterceptor(&second);
    EXPECT_EQ(m_frame.GetTraceInterceptor(), &first);
    m_frame.RemoveInterceptor(&first);
    EXPECT_EQ(m_frame.GetTraceInterceptor(), nullptr);
}

TEST_F(ViewFrame, APendingTraceTakesOneCommandThenTheCurrentTraceAgain)
{
    CTestTrace* pCurrent = AddLiveTrace();
    CTestTrace* pRow = AddLiveTrace();
    m_pDoc->SetCurrentTrace(pCurrent, 0);
    m_frame.SetTraceForNextCommand(pRow);
    EXPECT_EQ(m_frame.PeekTraceForCurrentCommand(), pRow);
    EXPECT_TRUE(m_frame.Execute(ID_TRACE_CURSOR));
    EXPECT_TRUE(m_frame.Execute(ID_TRACE_MARKS));
    EXPECT_EQ(std::make_pair(pRow->IsCursorOn(), pRow->AreMarksOn()), std::make_pair(1, 0));
    EXPECT_EQ(std::make_pair(pCurrent->IsCursorOn(), pCurrent->AreMarksOn()), std::make_pair(0, 1));
    EXPECT_EQ(m_frame.PeekTraceForCurrentCommand(), pCurrent);

    // A press on a trace that is off switches it on and makes it current.
    pRow->TraceOff(0);
    EXPECT_TRUE(m_frame.OnSetCurrentTrace(pRow));
    EXPECT_EQ(std::make_pair(m_pDoc->GetCurrentTrace(), pRow->IsOn()), std::make_pair(static_cast<CQXTrace*>(pRow), 1));
}

TEST_F(ViewFrame, CommandsNotCarriedOutYetAreGreyedAndDoNothing)
{
    // A trace on which every built command can act: a spectrum, on, with
    // data, zoomed, with a transform, its cursor on and two marks shown.
    CTestTrace* pTrace = AddLiveTrace();
    m_pDoc->SetCurrentTrace(pTrace, 0);
    pTrace->SetFFTKind(true);
    pTrace->CursorOn();
    pTrace->AddMark(10, 0);
    pTrace->AddMark(20, 0);
    pTrace->MarksOn();
    m_pDoc->ZoomInX(pTrace, 1);
    m_pDoc->ZoomInY(pTrace, 1);
    CComputeList list;
    list.AddComputeObject(new CComputeInvert());
    pTrace->SetComputeList(&list);
    CLimitLineManager::Install(m_frame);
    CImpulseWindowEditor::Install(m_frame);
    InstallCreateFilterCommand(m_frame);
    InstallTraceSettingsCommand(m_frame);
    InstallTraceCommentCommand(m_frame);
    InstallAddTraceCommand(m_frame);
    InstallGraphColorsCommand(m_frame);
    InstallFileCommands(m_frame);
    // What the library does not carry out; the window installs its output
    // commands, print setup, the script runner and the colour chooser
    // itself; no recent file is listed.
    std::vector<UINT> auGreyed{
        ID_TRACE_COLOR,
        ID_GRAPH_PRINT,         ID_GRAPH_PRINT_PREVIEW,
        ID_GRAPH_EXPORT,        ID_GRAPH_EXPORT_PREVIEW, ID_GRAPH_COPY,         ID_GRAPH_PRINT_SETUP,
        ID_TRACE_LISTVALUES,
        ID_FILE_RUN_SCRIPT,
    };
    for (UINT uId = ID_FILE_RECENT_FIRST; uId <= ID_FILE_RECENT_LAST; ++uId) auGreyed.push_back(uId);
    std::vector<UINT> auDisabled;
    for (const CGraphFrame::SCommand& command : m_frame.GetCommands())
        if (!m_frame.GetCommandStatus(command.uId).bEnabled) auDisabled.push_back(command.uId);
    EXPECT_EQ(auDisabled, auGreyed);
    for (UINT uId : auGreyed) EXPECT_FALSE(m_frame.Execute(uId)) << uId;
    EXPECT_FALSE(m_frame.Execute(12345));
    // The menus and the toolbar the window builds show the same states.
    EXPECT_FALSE(m_frame.GetGraphMenu()[0].bEnabled);
    EXPECT_TRUE(m_frame.GetTraceMenu()[0].bEnabled); // "Trace settings..."
    for (const SMenuItem& button : m_frame.GetToolbar()) {
        if (button.IsSeparator()) continue;
        EXPECT_EQ(button.bEnabled, std::find(auGreyed.begin(), auGreyed.end(), button.uCommand) == auGreyed.end())
            << button.uCommand;
    }
    // Interpolation is a live trace's: it shows a tick once on, and is greyed on a trace no longer live.
    EXPECT_TRUE(m_frame.Execute(ID_TRACE_INTERPOLATED));
    EXPECT_EQ(std::make_pair(m_frame.GetViewMenu()[1].bChecked, pTrace->GetInterpolated()), std::make_pair(true, 1));
    pTrace->SetLive(0);
    EXPECT_FALSE(m_frame.GetCommandStatus(ID_TRACE_INTERPOLATED).bEnabled);
    pTrace->SetLive(1);
    EXPECT_TRUE(m_frame.Execute(ID_TRACE_PRINTSTYLE_DASHED));
    EXPECT_EQ(pTrace->GetPrintStyle(), TRACE_PRINTSTYLE_DASH);
}

TEST_F(ViewFrame, LegendRowsTheirCellsAndTheCopyCellActingOnItsOwnRow)
{
    CTestTrace* pCurrent = AddLiveTrace();
    CTestTrace* pRow = AddLiveTrace();
    CTestTrace* pOnB = AddLiveTrace(TT_FFT, CHANNEL_B);
    auto* pLimit = new CTestLimitLine(pCurrent, TT_MAXLIMITLINE, 512);
    pCurrent->AttachLimitLines(pLimit, nullptr);
    pLimit->SetInUse(1);
    pOnB->TraceOff(0);
    m_pDoc->SetCurrentTrace(pCurrent, 0);
    CQuickLegend legend(m_frame);
    legend.FillList();

    const auto& aRows = legend.GetRows();
    ASSERT_EQ(aRows.size(), 4u);
    const struct {
        CQXTrace* pTrace;
        int iOnImage;
        const char* pszChannel;
        bool bCurrent;
    } aExpected[] = {{pCurrent, 11, "A", true}, {pLimit, 10, "A", false}, {pRow, 11, "A", false}, {pOnB, 10, "B", false}};
    for (size_t i = 0; i < aRows.size(); ++i) {
        EXPECT_EQ(aRows[i].pTrace, aExpected[i].pTrace) << i;
        EXPECT_EQ(aRows[i].iOnImage, aExpected[i].iOnImage) << i;
        EXPECT_EQ(aRows[i].sChannel.ToUtf8(), aExpected[i].pszChannel) << i;
        EXPECT_EQ(aRows[i].bCurrent, aExpected[i].bCurrent) << i;
    }
    EXPECT_EQ(CQuickLegend::GetColumns()[CQuickLegend::COL_CHANNEL].bClickable, false);

    // The on/off cell switches channel B's trace on; the copy cell of the
    // second row copies that row's trace, and the next command acts on the
    // current trace again.
    EXPECT_TRUE(legend.OnCellClicked(3, CQuickLegend::COL_ONOFF));
    EXPECT_EQ(pOnB->IsOn(), 1);
    const size_t iTraces = m_pDoc->GetTraceArray(CHANNEL_A).size();
    EXPECT_EQ(legend.GetRows()[2].iCopyImage, 13);
    EXPECT_TRUE(legend.OnCellClicked(2, CQuickLegend::COL_COPY));
    ASSERT_EQ(m_pDoc->GetTraceArray(CHANNEL_A).size(), iTraces + 1);
    EXPECT_EQ(legend.GetRows().size(), 5u); // and a row for the copy
    EXPECT_EQ(m_frame.PeekTraceForCurrentCommand(), pCurrent);
    // The colour cell: the chooser is shown the row's colour; cancelled, nothing changes.
    COLORREF crShown = 0;
    bool bPick = false;
    m_frame.SetColourChooser([&](COLORREF crCurrent, COLORREF& crChosen) {
        crShown = crCurrent;
        crChosen = RGB(1, 2, 3);
        return bPick;
    });
    EXPECT_FALSE(legend.OnCellClicked(2, CQuickLegend::COL_COLOR));
    EXPECT_EQ(crShown, pRow->GetScreenColor());
    bPick = true;
    EXPECT_TRUE(legend.OnCellClicked(2, CQuickLegend::COL_COLOR));
    EXPECT_EQ(std::make_pair(pRow->GetScreenColor(), legend.GetRows()[2].crColor), std::make_pair(RGB(1, 2, 3), RGB(1, 2, 3)));
    EXPECT_EQ(m_frame.PeekTraceForCurrentCommand(), pCurrent);

    EXPECT_TRUE(legend.OnSelChange(2));
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pRow);
    EXPECT_TRUE(legend.OnLabelEdited(2, L"Mine"));
    EXPECT_EQ(pRow->GetUserName().ToUtf8(), "Mine");
    EXPECT_FALSE(legend.OnCellClicked(99, CQuickLegend::COL_ONOFF));
}
