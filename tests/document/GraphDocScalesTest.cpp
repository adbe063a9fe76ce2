// Scale sharing: which traces are related, the Y step table, and how zooms,
// pans and the zoom of all traces carry over to related traces.

#include "GraphDocFixture.h"

#include "host/settings/OptionsSettings.h"
#include "trace/core/ZoomMath.h"
#include "trace/display/XScale.h"
#include "trace/document/ScaleSharing.h"

#include <string>
#include <tuple>
#include <utility>

namespace {

TEST(ScaleSharingRules, SweepResultsAndSourcesMatchByTheirKindOfQuantity)
{
    const struct { int iResultA, iRelA, iResultB, iRelB, iExpected; } aResults[] = {
        {3208, 0, 3210, 0, 1}, // RMS level of A and of B
        {3208, 0, 3351, 0, 1}, // a level and an FFT-detector level
        {3208, 0, 3209, 0, 0}, // a level and a frequency
        {3208, 1, 3208, 0, 0}, // relative and absolute
        {3209, 0, 3211, 0, 1}, // two frequencies
    };
    for (const auto& c : aResults)
        EXPECT_EQ(SweepResultsHaveSameYScale(c.iResultA, c.iRelA, c.iResultB, c.iRelB), c.iExpected)
            << c.iResultA << " " << c.iResultB;
    const std::tuple<int, int, int> aSources[] = {{0, 1, 1}, {0, 3, 0}, {3, 5, 1}, {-1, -1, 1}, {-1, 0, 0}, {15, 17, 0}};
    for (const auto& [iA, iB, iExpected] : aSources) EXPECT_EQ(SweepSourceTypesMatch(iA, iB), iExpected) << iA << " " << iB;
}

TEST(ScaleSharingRules, YMoveStepIsOneTwoFiveBelowATenthOfTheSpan)
{
    const struct { double dSpan; int n; double dExpected; } aCases[] = {
        {100.0, 0, 10.0}, {37.0, 0, 2.0}, {15.0, 0, 1.0},  {0.9, 0, 0.05}, {-100.0, 0, 10.0},
        {100.0, 1, 20.0}, {100.0, 2, 50.0}, {100.0, -1, 5.0}, {100.0, -3, 1.0}, {0.0, 0, 0.0},
    };
    for (const auto& c : aCases) EXPECT_DOUBLE_EQ(GetYMoveStep(c.dSpan, c.n), c.dExpected) << c.dSpan << " " << c.n;
}

class GraphDocScalesTest : public GraphDocFixture {
protected:
    // A shown trace of 64 points showing all of them.
    CTestTrace* Shown(TraceType eType, ChannelNumber eChannel = CHANNEL_A, int bCopy = 0)
    {
        CTestTrace* pTrace = Add(eType, eChannel, bCopy, 0, 0);
        pTrace->SetTestXPositions(0, 63, 0, 63);
        pTrace->SetTestXWindow(pTrace->GetXValueAtPos(0, pTrace->GetXUnit()),
                               pTrace->GetXValueAtPos(63, pTrace->GetXUnit()));
        pTrace->TraceOn(0, 0);
        return pTrace;
    }
    static std::pair<int, int> XWindow(CQXTrace* p) { return {p->GetCurrentMinXPos(), p->GetCurrentMaxXPos()}; }
    static std::pair<double, double> YWindow(CQXTrace* p)
    {
        return {p->GetCurrentMinYScaleValue(), p->GetCurrentMaxYScaleValue()};
    }
    void SameXScaleOption(int bOn) { Settings()->GetOptionsSettings()->SetProperty(PROP_OPT_SAME_X_SCALE, bOn); }
};

TEST_F(GraphDocScalesTest, RulesRelateCopiesAndLimitLinesAndSeparateOtherQuantities)
{
    CTestTrace* pFFT = Shown(TT_FFT);
    CTestTrace* pCopy = Shown(TT_FFT, CHANNEL_A, 1);
    CTestTrace* pJitter = Shown(TT_FFT);
    pJitter->SetTestMode(CQXTrace::eModeJDOfs);
    auto* pScope = AddTrace(new CTestTrace(TT_SCOPE, CHANNEL_A, 64, CTestTrace::XAXIS_TIME));
    auto* pLimit = new CTestLimitLine(pFFT, TT_MAXLIMITLINE);
    pFFT->AttachLimitLines(pLimit, nullptr);
    pLimit->ShareParentScales();
    const struct { const char* pszCase; CQXTrace *pA, *pB; int iSameX, iSameY; } aCases[] = {
        {"a copy", pFFT, pCopy, 1, 1},
        {"the trace itself", pFFT, pFFT, 0, 0},
        {"jitter against plain input", pFFT, pJitter, 1, 0},
        {"another X kind and type", pFFT, pScope, 0, 0},
        {"its own limit line", pLimit, pFFT, 1, 1},
        {"another trace's limit line", pLimit, pCopy, 0, 0},
    };
    for (const auto& c : aCases) {
        EXPECT_EQ(ShouldUseSameXScale(c.pA, c.pB), c.iSameX) << c.pszCase;
        EXPECT_EQ(ShouldUseSameYScale(c.pA, c.pB), c.iSameY) << c.pszCase;
        EXPECT_EQ(ShouldUseSameXScale(c.pB, c.pA), c.iSameX) << c.pszCase << " (swapped)";
    }
}

TEST_F(GraphDocScalesTest, ACopyJoinsTheScalesAndZoomsAndPansWithItsTrace)
{
    CTestTrace* pTrace = Shown(TT_FFT);
    CTestTrace* pCopy = Shown(TT_FFT, CHANNEL_A, 1);
    EXPECT_EQ(pCopy->GetXScale(), pTrace->GetXScale());

    m_pDoc->ZoomInX(pTrace, 1);
    EXPECT_EQ(XWindow(pTrace), std::make_pair(15, 47)); // half of 63 points round the middle
    EXPECT_EQ(XWindow(pCopy), XWindow(pTrace));
    EXPECT_EQ(HintsFor(pTrace).back(), UPDATE_TRACE_ZOOMX);

    EXPECT_EQ(m_pDoc->TraceRight(pTrace, 10, 1), 1);
    EXPECT_EQ(XWindow(pCopy), std::make_pair(25, 57));

    m_pDoc->MoveTraceOnYScale(pTrace, -10.0, 1, 0);
    EXPECT_EQ(YWindow(pCopy), YWindow(pTrace));
    EXPECT_EQ(CountHints(UPDATE_GRAPH_REDRAWALL), 1);
    EXPECT_EQ(AssertCount(), 0);
}

TEST_F(GraphDocScalesTest, UserTracesShareXOnlyOverTheSameRange)
{
    const auto AddUser = [&](double dMax) {
        CTestTrace* p = Add(TT_USER, CHANNEL_A, 0, 0, 0);
        p->SetTestXPositions(0, 63, 0, 63);
        p->SetTestXRange(0.0, dMax);
        p->SetTestXWindow(0.0, dMax);
        p->TraceOn(0, 0);
        return p;
    };
    CTestTrace* pFirst = AddUser(1000.0);
    CTestTrace* pOther = AddUser(5000.0);
    CTestTrace* pSame = AddUser(1000.0);
    EXPECT_NE(pOther->GetXScale(), pFirst->GetXScale());
    EXPECT_EQ(pSame->GetXScale(), pFirst->GetXScale());

    m_pDoc->ZoomInX(pFirst, 0);
    EXPECT_EQ(XWindow(pOther), std::make_pair(0, 63));
    EXPECT_DOUBLE_EQ(pOther->GetCurrentMaxXScaleValue(), 5000.0);
    EXPECT_EQ(XWindow(pSame), XWindow(pFirst));
}

TEST_F(GraphDocScalesTest, ChannelBFollowsChannelAOnlyWithTheSameXScaleOption)
{
    for (int bOption : {0, 1}) {
        SCOPED_TRACE(bOption);
        SameXScaleOption(bOption);
        CTestTrace* pA = Shown(TT_FFT, CHANNEL_A);
        CTestTrace* pB = Shown(TT_FFT, CHANNEL_B);
        EXPECT_EQ(pB->GetXScale() == pA->GetXScale(), bOption == 1);
        m_pDoc->ZoomInX(pA, 1);
        EXPECT_EQ(XWindow(pB), bOption ? XWindow(pA) : std::make_pair(0, 63));
        EXPECT_EQ(HintsFor(pB).size(), static_cast<size_t>(bOption));
        m_pDoc->RemoveTrace(pA, 0);
        m_pDoc->RemoveTrace(pB, 0);
    }
}

TEST_F(GraphDocScalesTest, AScaleSharedAcrossChannelsOutlivesTheTraceThatMadeIt)
{
    SameXScaleOption(1);
    CTestTrace* pA = Shown(TT_FFT, CHANNEL_A);
    CTestTrace* pB = Shown(TT_FFT, CHANNEL_B);
    CXScale* pShared = pA->GetXScale();
    ASSERT_EQ(pB->GetXScale(), pShared);
    m_pDoc->RemoveTrace(pA, 0);
    m_host.PumpMessages();
    const auto& aScales = m_pDoc->GetXScales();
    EXPECT_NE(std::find(aScales.begin(), aScales.end(), pShared), aScales.end());
    EXPECT_EQ(pB->GetXScale(), pShared);
    m_pDoc->ZoomInX(pB, 0); // draws on it
    EXPECT_EQ(XWindow(pB), std::make_pair(15, 47));
}

TEST_F(GraphDocScalesTest, AutoZoomAllZoomsAGroupToItsJointDataWithOneRedraw)
{
    CTestTrace* pTrace = Shown(TT_FFT);
    CTestTrace* pCopy = Shown(TT_FFT, CHANNEL_A, 1);
    pTrace->FillYData(std::vector<double>(64, 1000.0));
    pCopy->FillYData(std::vector<double>(64, 100000.0));
    m_pDoc->AutoZoomAll(CHANNEL_BOTH, 1);
    EXPECT_EQ(CountHints(UPDATE_GRAPH_REDRAWALL), 1);
    EXPECT_EQ(YWindow(pCopy), YWindow(pTrace));
    // The joint window holds both levels (-78.5 and -38.5 dBFS).
    EXPECT_LT(pTrace->GetCurrentMinYScaleValue(), -78.5);
    EXPECT_GT(pTrace->GetCurrentMaxYScaleValue(), -38.5);
    EXPECT_TRUE(pTrace->HasZoomHistory());
    EXPECT_EQ(AssertCount(), 0);
}

TEST_F(GraphDocScalesTest, TraceUpAndDownMoveTheWindowByTheStepAndStopAtTheRange)
{
    CTestTrace* pTrace = Shown(TT_FFT);
    CTestTrace* pCopy = Shown(TT_FFT, CHANNEL_A, 1);
    const auto [dMin, dMax] = YWindow(pTrace);
    const double dStep = GetYMoveStep(dMax - dMin, 0);
    EXPECT_EQ(m_pDoc->TraceDown(pTrace, 0), 1);
    EXPECT_DOUBLE_EQ(pTrace->GetCurrentMinYScaleValue(), dMin - dStep);
    EXPECT_DOUBLE_EQ(pCopy->GetCurrentMaxYScaleValue(), dMax - dStep);
    EXPECT_EQ(m_pDoc->TraceUp(pTrace, 0), 1);
    EXPECT_DOUBLE_EQ(pTrace->GetCurrentMinYScaleValue(), dMin);
    // Far past the top of the range: clamped there, with a beep.
    const double dTop = pTrace->GetMaxYValue(static_cast<EUnit>(pTrace->GetYUnit()));
    EXPECT_EQ(m_pDoc->MoveTraceOnYScale(pTrace, 1e6, 1, 0), 0);
    EXPECT_NEAR(pTrace->GetCurrentMaxYScaleValue(), dTop, 1e-9);
    EXPECT_EQ(m_host.GetBeepCount(), 1);
}

} // namespace
