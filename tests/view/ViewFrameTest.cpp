// The toolkit-free frame: which view shows a trace, the interceptor chain,
// the trace the next command acts on, and the command table's states.

#include "ViewFixture.h"

#include "trace/display/GraphFrame.h"
#include "trace/display/QuickLegend.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/file/WindowCommands.h"
#include "trace/limits/LimitLine.h"

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

// Every command of the window's table, installed as the window installs
// them, on the three traces a user meets most: (a) the live spectrum of
// channel A as it arrives (default window, cursor off, solid); (b) that
// spectrum saved and loaded back on channel B, zoomed in X and moved right,
// its cursor on, two marks shown, an inversion shown, dashed; (c) an upper
// limit line copied from (a). E enabled, C
// enabled and ticked, G greyed. Commands added to the table need a row.
TEST_F(ViewFrame, EveryCommandsStateOnALiveSpectrumALoadedTraceAndALimitLine)
{
    m_pDoc->Initialise();
    CQXTrace* pLive = m_pDoc->GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1);
    ASSERT_NE(pLive, nullptr);
    pLive->SetYUnit(UNIT_DBV);
    for (int i = 0; i < pLive->GetDataSize(); ++i)
        pLive->GetYDataBuffer(0)[i] = pLive->GetYDataForValue(-30.0 - 0.01 * i, UNIT_DBV, 0);
    const CString sFile = m_host.GetRoot() + L"/spectrum.trc";
    ASSERT_TRUE(m_pDoc->SaveTrace(pLive, sFile, 0));
    CQXTrace* pLoaded = m_pDoc->LoadTrace(sFile, CHANNEL_B, 0, nullptr);
    ASSERT_NE(pLoaded, nullptr);
    m_pDoc->ZoomInX(pLoaded, 0);
    m_pDoc->TraceRight(pLoaded, 10, 1);
    pLoaded->CursorOn();
    pLoaded->AddMark(10, 0);
    pLoaded->AddMark(20, 0);
    pLoaded->MarksOn();
    CComputeList list;
    list.AddComputeObject(new CComputeInvert());
    pLoaded->SetComputeList(&list);
    pLoaded->SetShowTransformedYData(1, 0);
    pLoaded->SetPrintStyle(TRACE_PRINTSTYLE_DASH);
    auto* pLimit = new CLimitLine(pLive, 1, 0);
    ASSERT_EQ(pLimit->CopyDataFromTrace(), 1);
    pLive->SetLimitLineForTrace(pLimit, TT_MAXLIMITLINE, 1, 0, 0);
    m_pDoc->SetCurrentTrace(pLive, 0);
    InstallWindowCommands(m_frame, {[](COLORREF, COLORREF&) { return false; }, [](CQXTrace*) { return true; },
                                    [](UINT) { return true; }});

    constexpr SCommandStatus E{true, false}, C{true, true}, G{};
    struct SRow {
        UINT uId;
        SCommandStatus live, loaded, limit;
    };
    std::vector<SRow> aRows{
        {ID_TRACE_SETTINGS, E, E, E}, {ID_TRACE_COLOR, E, E, E}, {ID_TRACE_REMOVE, E, E, E},
        {ID_TRACE_SAVE, E, E, E}, {ID_TRACE_COPY, E, E, G}, {ID_TRACE_UNDOZOOM, G, E, G},
        // X: a spectrum's default window stops short of its last bin, the loaded
        // trace's lies inside its data; a limit line has its trace's axes.
        {ID_TRACE_LOGX, E, E, E}, {ID_TRACE_ZOOMINX, E, E, E}, {ID_TRACE_ZOOMOUTX, E, E, E},
        {ID_TRACE_AUTOZOOMX, E, E, E}, {ID_TRACE_DEFAULTX, E, E, E}, {ID_TRACE_START, G, E, G},
        {ID_TRACE_LEFT, G, E, G}, {ID_TRACE_RIGHT, E, E, E}, {ID_TRACE_END, E, E, E},
        // Y: dBV cannot be logarithmic; the default window is not the full range.
        {ID_TRACE_LOGY, G, G, G}, {ID_TRACE_ZOOMINY, E, E, E}, {ID_TRACE_ZOOMOUTY, E, E, E},
        {ID_TRACE_AUTOZOOMY, E, E, E}, {ID_TRACE_DEFAULTY, E, E, E}, {ID_TRACE_UP, E, E, E},
        {ID_TRACE_DOWN, E, E, E}, {ID_TRACE_CURSOR, E, C, E}, {ID_TRACE_MARKS, E, C, E},
        {ID_TRACE_TRANSFORMED, G, C, G}, {ID_TRACE_COMPUTELIST, E, E, E}, {ID_TRACE_LIMITLINE, E, E, E},
        {ID_TRACE_CREATEFILTER, E, E, E}, {ID_TRACE_IMPULSEWINDOW, E, E, E}, {ID_TRACE_COMMENT, E, E, E},
        {ID_TRACE_PRINTSTYLE_SOLID, C, E, C}, {ID_TRACE_PRINTSTYLE_DOTTED, E, E, E},
        {ID_TRACE_PRINTSTYLE_DASHED, E, C, E}, {ID_TRACE_PRINTSTYLE_DASHDOT, E, E, E},
        {ID_TRACE_PRINTSTYLE_DASHDOTDOT, E, E, E},
        {ID_CURSOR_LEFT, G, E, G}, {ID_CURSOR_RIGHT, G, E, G}, {ID_CURSOR_RELATIVE, G, E, G},
        {ID_CURSOR_RESET, G, E, G},
        // Marks: the loaded trace's two; harmonics are a spectrum's.
        {ID_MARK_ADD, E, E, E}, {ID_MARK_REMOVE, G, E, G}, {ID_MARK_REMOVEALL, G, E, G}, {ID_MARK_NEXT, G, E, G},
        {ID_MARK_PREVIOUS, G, E, G}, {ID_MARK_LABEL, G, E, G}, {ID_MARK_LISTALL, E, E, E},
        {ID_MARK_HARMONICS, E, E, G},
        {ID_TRACE_INTERPOLATED, E, G, G}, {ID_TRACE_LISTVALUES, E, E, E}, {ID_GRAPH_ONE_CHANNEL, E, E, E},
        {ID_FILE_OPEN_TRACE, E, E, E}, {ID_FILE_OPEN_DOCUMENT, E, E, E}, {ID_FILE_SAVE_DOCUMENT, E, E, E},
        // Only the demo runs scripts; no file has been opened yet.
        {ID_FILE_RUN_SCRIPT, G, G, G},
    };
    for (UINT uId = ID_GRAPH_PRINT; uId <= ID_GRAPH_ADD_TRACE; ++uId) aRows.push_back({uId, E, E, E});
    for (UINT uId = ID_FILE_RECENT_FIRST; uId <= ID_FILE_RECENT_LAST; ++uId) aRows.push_back({uId, G, G, G});

    for (const CGraphFrame::SCommand& command : m_frame.GetCommands()) {
        const auto it = std::find_if(aRows.begin(), aRows.end(), [&](const SRow& row) { return row.uId == command.uId; });
        if (it == aRows.end()) {
            ADD_FAILURE() << "no row for command " << command.uId;
            continue;
        }
        const std::pair<CQXTrace*, SCommandStatus> aCases[] = {{pLive, it->live}, {pLoaded, it->loaded}, {pLimit, it->limit}};
        for (const auto& [pTrace, expected] : aCases) {
            m_frame.SetTraceForNextCommand(pTrace);
            const SCommandStatus status = m_frame.GetCommandStatus(command.uId);
            EXPECT_EQ(std::make_pair(status.bEnabled, status.bChecked), std::make_pair(expected.bEnabled, expected.bChecked))
                << "command " << command.uId << " on " << pTrace->GetTraceName(1, 0, 0).ToUtf8();
        }
    }
    // A greyed command does nothing; the toolbar shows the table's states.
    m_frame.SetTraceForNextCommand(nullptr);
    for (UINT uId : {UINT(ID_TRACE_UNDOZOOM), UINT(ID_TRACE_START), UINT(ID_CURSOR_LEFT), UINT(ID_FILE_RUN_SCRIPT), 12345u})
        EXPECT_FALSE(m_frame.Execute(uId)) << uId;
    for (const SMenuItem& button : m_frame.GetToolbar()) {
        if (!button.IsSeparator()) EXPECT_EQ(button.bEnabled, m_frame.GetCommandStatus(button.uCommand).bEnabled) << button.uCommand;
    }
    // Interpolation ticks once on; Log X of a limit line is its trace's axis.
    for (auto [pTrace, uId] : {std::pair{pLive, ID_TRACE_INTERPOLATED}, std::pair{static_cast<CQXTrace*>(pLimit), ID_TRACE_LOGX}}) {
        m_frame.SetTraceForNextCommand(pTrace);
        EXPECT_TRUE(m_frame.Execute(uId)) << uId;
    }
    EXPECT_EQ(std::make_pair(pLive->GetInterpolated(), pLive->GetLogX()), std::make_pair(1, 1));
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
