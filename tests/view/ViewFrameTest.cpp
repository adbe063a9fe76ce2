// The toolkit-free frame: which view shows a trace, the interceptor chain,
// the trace the next command acts on, and the command table's states.

#include "ViewFixture.h"

#include "trace/display/GraphFrame.h"
#include "trace/display/QuickLegend.h"

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
    m_pDoc->SetDrawingAllOnSameView(1);
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
    CTestTrace* pTrace = AddLiveTrace();
    m_pDoc->SetCurrentTrace(pTrace, 0);
    const struct { UINT uId; bool bEnabled; } aCommands[] = {
        {ID_TRACE_ZOOMINX, true},       {ID_TRACE_AUTOZOOMY, true},       {ID_TRACE_CURSOR, true},
        {ID_TRACE_PRINTSTYLE_DASHED, true}, {ID_GRAPH_AUTOZOOM_ALL, true}, {ID_TRACE_SETTINGS, false},
        {ID_TRACE_COLOR, false},        {ID_TRACE_SAVE, false},           {ID_TRACE_LIMITLINE, false},
        {ID_TRACE_CREATEFILTER, false}, {ID_TRACE_COMMENT, false},        {ID_TRACE_LOGX, false},
        {ID_GRAPH_PRINT, false},        {ID_GRAPH_EXPORT, false},         {ID_GRAPH_ADD_TRACE, false},
        {12345, false},
    };
    for (const auto& c : aCommands) {
        EXPECT_EQ(m_frame.GetCommandStatus(c.uId).bEnabled, c.bEnabled) << c.uId;
        if (!c.bEnabled) {
            EXPECT_FALSE(m_frame.Execute(c.uId)) << c.uId;
        }
    }
    // The menus the window builds show the same states.
    EXPECT_FALSE(m_frame.GetGraphMenu()[0].bEnabled);
    EXPECT_FALSE(m_frame.GetTraceMenu()[0].bEnabled);
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

    EXPECT_TRUE(legend.OnSelChange(2));
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pRow);
    EXPECT_TRUE(legend.OnLabelEdited(2, L"Mine"));
    EXPECT_EQ(pRow->GetUserName().ToUtf8(), "Mine");
    EXPECT_FALSE(legend.OnCellClicked(99, CQuickLegend::COL_ONOFF));
}
