// Checking a trace against its limit lines: which scan runs, strict
// comparisons, missing limits, the order and count of the breach events,
// the per-point check, replacing a line, and dropping lines whose units no
// longer suit the trace.

#include "support/LimitFixture.h"

#include "host/buffers/SampleBuffer.h"

#include <algorithm>
#include <cfloat>
#include <tuple>

namespace {

constexpr double M = DBL_MAX;
constexpr int MIN_EVENT = EVENT_MIN_LIMIT_BREACHED;
constexpr int MAX_EVENT = EVENT_MAX_LIMIT_BREACHED;

using LimitCheck = LimitFixture;

TEST_F(LimitCheck, TraceDataScanReportsEachKindOnceMinimumFirst)
{
    struct SCase {
        const char* pName;
        std::vector<double> aMax;
        std::vector<double> aMin;
        std::vector<double> aData;
        std::vector<int> aEvents;
    };
    const SCase aCases[] = {
        {"equal to both limits", {5, 5, 5, 5, 5, 5, 5, 5}, {1, 1, 1, 1, 1, 1, 1, 1}, {5, 1, 5, 1, 5, 1, 5, 1}, {}},
        {"no limit anywhere", {M, M, M, M, M, M, M, M}, {M, M, M, M, M, M, M, M}, {9, 0, 9, 0, 9, 0, 9, 0}, {}},
        {"missing data", {5, 5, 5, 5, 5, 5, 5, 5}, {1, 1, 1, 1, 1, 1, 1, 1}, {M, 2, 2, 2, 2, 2, 2, 2}, {}},
        {"max only, twice", {5, 5, 5, 5, 5, 5, 5, 5}, {1, 1, 1, 1, 1, 1, 1, 1}, {6, 2, 7, 2, 2, 2, 2, 2}, {MAX_EVENT}},
        {"both, max first in the data", {5, 5, 5, 5, 5, 5, 5, 5}, {1, 1, 1, 1, 1, 1, 1, 1},
         {6, 2, 2, 0, 2, 9, 0, 2}, {MIN_EVENT, MAX_EVENT}},
        {"no limit where it breaches", {5, M, 5, 5, 5, 5, 5, 5}, {1, 1, 1, 1, 1, M, 1, 1}, {2, 9, 2, 2, 2, 0, 2, 2}, {}},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.pName);
        AttachDataLine(true, c.aMax);
        AttachDataLine(false, c.aMin);
        m_pTrace->FillYData(c.aData);
        m_pTrace->SetMinLimitBreached(0);
        m_pTrace->SetMaxLimitBreached(0);
        m_host.Events().ClearFiredEvents();
        m_pTrace->CheckLimits();
        EXPECT_EQ(FiredEventKinds(), c.aEvents);
        const bool bMin = std::find(c.aEvents.begin(), c.aEvents.end(), MIN_EVENT) != c.aEvents.end();
        const bool bMax = std::find(c.aEvents.begin(), c.aEvents.end(), MAX_EVENT) != c.aEvents.end();
        EXPECT_EQ(m_pTrace->GetMinLimitBreachCount(), bMin ? 1 : 0);
        EXPECT_EQ(m_pTrace->GetMaxLimitBreachCount(), bMax ? 1 : 0);
        for (const SFiredEvent& e : m_host.Events().GetFiredEvents())
            EXPECT_EQ(std::make_tuple(e.lParam, e.iParam, e.iState), std::make_tuple(Handle(m_pTrace), 1, 2));
        // Detaching takes the lines off the graph; the host deletes them.
        m_pTrace->SetLimitLineForTrace(nullptr, TT_MAXLIMITLINE, 0, 0, 0);
        m_pTrace->SetLimitLineForTrace(nullptr, TT_MINLIMITLINE, 0, 0, 0);
        EXPECT_EQ(m_host.PumpMessages(), 2);
    }
}

TEST_F(LimitCheck, ALineThatIsOffIsNotChecked)
{
    AttachDataLine(true, std::vector<double>(8, 5.0));
    m_pDoc->TraceOff(m_pTrace->GetMaxLimitLine(), 0);
    m_pTrace->FillYData(std::vector<double>(8, 9.0));
    m_pTrace->CheckLimits();
    EXPECT_TRUE(FiredEventKinds().empty());
    EXPECT_FALSE(m_pTrace->GetMaxLimitBreached());
}

TEST_F(LimitCheck, TableLimitsInterpolateBetweenTheirPoints)
{
    // Max rises from 4 at position 0 to 8 at position 4; nothing beyond.
    AttachTableLine(true, {{0, 4.0}, {4, 8.0}});
    struct SCase { std::vector<double> aData; bool bBreach; };
    const SCase aCases[] = {
        {{4, 5, 6, 7, 8, 100, 100, 100}, false}, // on the line, and past its end
        {{4, 5, 6.5, 7, 8, 0, 0, 0}, true},      // above the interpolated 6 at position 2
    };
    for (const SCase& c : aCases) {
        m_host.Events().ClearFiredEvents();
        m_pTrace->FillYData(c.aData);
        m_pTrace->CheckLimits();
        EXPECT_EQ(FiredEventKinds(), c.bBreach ? std::vector<int>{MAX_EVENT} : std::vector<int>{});
    }
}

TEST_F(LimitCheck, ATableAndTraceDataRunBothScansTableFirst)
{
    AttachTableLine(true, {{0, 5.0}, {7, 5.0}});
    AttachDataLine(false, std::vector<double>(8, 1.0));
    m_pTrace->FillYData({2, 0, 2, 2, 6, 2, 2, 2});
    m_pTrace->CheckLimits();
    // Each scan reports its own side: the table's maximum comes first.
    EXPECT_EQ(FiredEventKinds(), (std::vector<int>{MAX_EVENT, MIN_EVENT}));
    EXPECT_EQ(std::make_pair(m_pTrace->GetMaxLimitBreachCount(), m_pTrace->GetMinLimitBreachCount()), std::make_pair(1, 1));
}

TEST_F(LimitCheck, OnePointReportsMinimumThenMaximum)
{
    AttachTableLine(true, {{0, 5.0}, {7, 5.0}});
    AttachDataLine(false, {1, 1, 9, 1, M, 1, 1, 1});
    m_pTrace->FillYData({6, 0, 5, 2, -1, 2, 2, 2});
    struct SCase { int iPos; std::vector<int> aEvents; };
    const SCase aCases[] = {
        {0, {MAX_EVENT}}, {1, {MIN_EVENT}}, {2, {MIN_EVENT}}, {3, {}}, {4, {}}, {-1, {}}, {8, {}},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.iPos);
        m_host.Events().ClearFiredEvents();
        m_pTrace->CheckLimitAtPoint(c.iPos);
        EXPECT_EQ(FiredEventKinds(), c.aEvents);
    }
}

TEST_F(LimitCheck, ReplacingALineAsksFirst)
{
    CLimitLine* pFirst = AttachDataLine(true, std::vector<double>(8, 5.0));
    auto* pSecond = new CLimitLine(m_pTrace, 1, 0);
    m_host.QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(m_pTrace->SetLimitLineForTrace(pSecond, TT_MAXLIMITLINE, 1, 0, 1), 0);
    EXPECT_EQ(m_pTrace->GetMaxLimitLine(), pFirst);
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(std::wstring(m_host.GetMessageBoxes()[0].sText.GetString()),
              L"This will replace the existing Limit Line for this Trace. Are you sure you wish this to happen?");

    m_host.QueueMessageBoxAnswer(IDYES);
    EXPECT_EQ(m_pTrace->SetLimitLineForTrace(pSecond, TT_MAXLIMITLINE, 1, 0, 1), 1);
    EXPECT_EQ(m_pTrace->GetMaxLimitLine(), pSecond);
    EXPECT_TRUE(pSecond->IsOn());
    EXPECT_EQ(pSecond->GetTrace(), m_pTrace);
    EXPECT_EQ(pSecond->GetXScale(), m_pTrace->GetXScale());
    EXPECT_EQ(m_host.PumpMessages(), 1); // the first line is deleted by the host
}

TEST_F(LimitCheck, EnteringJitterModeDropsLinesOfOtherUnits)
{
    // The trace shows jitter in nanoseconds while its input is a jitter demodulator.
    m_pTrace->SetTestMode(CQXTrace::eModeJDOData);
    m_pTrace->SetYUnit(UNIT_JITTER_NS);
    m_pTrace->SetTestMode(CQXTrace::eModeDigital);
    AttachDataLine(true, std::vector<double>(8, 5.0));
    AttachTableLine(false, {{0, 1.0}});

    CDoublePrecisionBuffer buffer(8);
    buffer.SetSourceKind(SOURCE_DIGITAL);
    m_pTrace->UpdateMode(&buffer);
    EXPECT_NE(m_pTrace->GetMaxLimitLine(), nullptr); // no change of kind, nothing checked

    buffer.SetSourceKind(SOURCE_JDODATA);
    m_pTrace->UpdateMode(&buffer);
    EXPECT_TRUE(m_pTrace->GetMaxLimitLine() == nullptr && m_pTrace->GetMinLimitLine() == nullptr);
    EXPECT_EQ(m_host.PumpMessages(), 2);
}

} // namespace
