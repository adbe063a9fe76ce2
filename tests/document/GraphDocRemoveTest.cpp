// Taking traces off the graph and the current trace that follows.

#include "GraphDocFixture.h"

#include "trace/display/YScale.h"

namespace {

class GraphDocRemoveTest : public GraphDocFixture {};

TEST_F(GraphDocRemoveTest, LiveTraceStaysOffAndNotInUseWhileTheNextShownTraceBecomesCurrent)
{
    Add(TT_SCOPE, CHANNEL_A, 0, 1);
    CTestTrace* pFFT = Add(TT_FFT, CHANNEL_A, 0, 1);
    Add(TT_FFT, CHANNEL_A, 1, 0, 0); // hidden: skipped
    CTestTrace* pCopy = Add(TT_FFT, CHANNEL_A, 1);
    m_pDoc->SetCurrentTrace(pFFT, 0);

    EXPECT_EQ(m_pDoc->RemoveTrace(pFFT, 1), 1);
    EXPECT_EQ(Array(CHANNEL_A).size(), 4u);
    EXPECT_FALSE(pFFT->IsOn() || pFFT->IsInUse());
    EXPECT_TRUE(PostedDeletes().empty());
    EXPECT_EQ(HintsFor(pFFT).back(), UPDATE_TRACE_REMOVE);
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pCopy);
}

TEST_F(GraphDocRemoveTest, CopyLeavesWithItsSaveRowAndIsDeletedOnlyWhenTheHostPumps)
{
    CTestTrace* pScope = Add(TT_SCOPE, CHANNEL_A, 0, 1);
    CTestTrace* pCopy = Add(TT_FFT, CHANNEL_A, 1);
    CTestTrace* pCT = Add(TT_CTDET, CHANNEL_A, 0, 1);
    (*m_pDoc->GetSaveTable(CHANNEL_A))[2].m_sText = L"ct row";

    EXPECT_EQ(m_pDoc->RemoveTrace(pCopy, 0), 1);
    EXPECT_EQ(Array(CHANNEL_A), (std::vector<CQXTrace*>{pScope, pCT}));
    const auto& aRows = *m_pDoc->GetSaveTable(CHANNEL_A);
    ASSERT_EQ(aRows.size(), 2u);
    EXPECT_EQ(std::make_pair(aRows[1].m_pTrace, aRows[1].m_sText), std::make_pair(static_cast<CQXTrace*>(pCT), CString(L"ct row")));
    EXPECT_TRUE(HintsFor(pCopy).empty());
    // Still a valid object until the message loop runs.
    ASSERT_EQ(PostedDeletes(), (std::vector<LPARAM>{Handle(pCopy)}));
    EXPECT_EQ(pCopy->GetOwnTraceType(), TT_FFT);
    m_host.PumpMessages();
    EXPECT_TRUE(PostedDeletes().empty());
}

TEST_F(GraphDocRemoveTest, LimitLineIsDetachedFromItsOwnerWhichBecomesCurrent)
{
    CTestTrace* pOwner = Add(TT_FFT, CHANNEL_A, 0, 1);
    auto [pMax, pMin] = AddLimitLines(pOwner);
    m_pDoc->SetCurrentTrace(pMax, 0);
    m_pDoc->SetAutomationTrace(pMax);

    EXPECT_EQ(m_pDoc->RemoveTrace(pMax, 1), 1);
    EXPECT_EQ(std::make_tuple(pOwner->GetMaxLimitLine(), pOwner->GetMinLimitLine()), std::make_tuple(nullptr, pMin));
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pOwner);
    EXPECT_EQ(m_pDoc->GetAutomationTrace(), nullptr);
    EXPECT_EQ(PostedDeletes(), (std::vector<LPARAM>{Handle(pMax)}));
}

TEST_F(GraphDocRemoveTest, LastShownTraceOfChannelAHandsOverToBOnlyWhenBothAreShown)
{
    CTestTrace* pB = Add(TT_SCOPE, CHANNEL_B, 0, 1);
    for (const int iChannelMode : {2, 0}) { // both channels, only A
        ShowOnlyChannel(iChannelMode);
        CTestTrace* pA = Add(TT_FFT, CHANNEL_A, 0, 1);
        m_pDoc->SetCurrentTrace(pA, 0);
        m_pDoc->RemoveTrace(pA, 0);
        EXPECT_EQ(m_pDoc->GetCurrentTrace(), iChannelMode == 2 ? pB : nullptr) << iChannelMode;
    }
}

TEST_F(GraphDocRemoveTest, CurrentTraceOnAnotherChannelBecomesOrYieldsTheOtherChannelCurrent)
{
    CTestTrace* pA = Add(TT_FFT, CHANNEL_A, 0, 1);
    CTestTrace* pScopeB = Add(TT_SCOPE, CHANNEL_B, 0, 1);
    CTestTrace* pFFTB = Add(TT_FFT, CHANNEL_B, 0, 1);
    m_pDoc->SetCurrentTrace(pScopeB, 0);
    m_pDoc->SetCurrentTrace(pA, 1);
    // The matching live trace of channel B wins over the former current trace.
    EXPECT_EQ(m_pDoc->GetOtherChannelCurrentTrace(), pFFTB);
    EXPECT_EQ(m_pDoc->GetCurrentTrace(CHANNEL_B), pFFTB);
    EXPECT_EQ(pA->GetYScale()->GetLiveTrace(), pA);
    EXPECT_EQ(HintsFor(pA), (std::vector<LPARAM>{UPDATE_TRACE_CURRENT}));

    ShowOnlyChannel(1);
    m_pDoc->OnGlobalChannelChanged();
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pFFTB);
    EXPECT_EQ(HintsFor(pFFTB).back(), UPDATE_GRAPH_CHANNELCHANGED);
}

TEST_F(GraphDocRemoveTest, TurningTheCurrentTraceOffPassesCurrencyOnAndReportsItsLimitLines)
{
    CTestTrace* pFFT = Add(TT_FFT, CHANNEL_A, 0, 1);
    CTestTrace* pCT = Add(TT_CTDET, CHANNEL_A, 0, 1);
    auto [pMax, pMin] = AddLimitLines(pFFT);
    m_pDoc->SetCurrentTrace(pFFT, 0);
    m_pDoc->TraceOff(pFFT, 1);
    EXPECT_FALSE(pFFT->IsOn() || pMax->IsOn() || pMin->IsOn());
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pCT);
    for (CTestTrace* p : {pFFT, static_cast<CTestTrace*>(pMin), static_cast<CTestTrace*>(pMax)})
        EXPECT_EQ(HintsFor(p), (std::vector<LPARAM>{UPDATE_TRACE_OFF}));

    m_pDoc->TraceOn(pFFT, 1);
    EXPECT_TRUE(pFFT->IsOn());
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pCT); // a current trace exists already
    EXPECT_EQ(HintsFor(pFFT).back(), UPDATE_TRACE_ON);
}

} // namespace
