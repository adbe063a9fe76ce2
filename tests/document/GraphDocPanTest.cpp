// Panning a trace's X window: the arithmetic alone, then through the
// document with beeps at the ends of the data.

#include "GraphDocFixture.h"

#include "trace/document/PanWindow.h"

#include <climits>
#include <string>
#include <tuple>

namespace {

TEST(GraphDocPanWindow, MovesKeepingTheWidthAndClampsAtTheData)
{
    const struct {
        bool bRight;
        int iEdge; // first position (left) or last position (right)
        int iCurrentMin, iCurrentMax, n, bRelative;
        SPanWindow expected;
    } aCases[] = {
        {false, 0, 50, 80, 10, 1, {40, 70, 1}},
        {false, 0, 10, 40, 10, 1, {0, 30, 1}},      // exactly to the start
        {false, 0, 5, 35, 10, 1, {0, 30, 0}},       // past the start: clamped
        {false, 3, 50, 80, 1, 0, {3, 33, 0}},       // absolute, before the first
        {false, 0, 50, 80, INT_MAX, 1, {0, 30, 0}}, // no overflow
        {true, 511, 400, 501, 10, 1, {410, 511, 1}},
        {true, 511, 400, 505, 10, 1, {406, 511, 0}},
        {true, 511, 100, 200, 50, 0, {50, 150, 1}}, // absolute: the new start
        {true, 511, 100, 200, INT_MAX, 1, {411, 511, 0}},
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(std::to_string(c.bRight) + " " + std::to_string(c.iCurrentMin) + " " + std::to_string(c.n));
        const SPanWindow w = c.bRight ? PanWindowRight(c.iEdge, c.iCurrentMin, c.iCurrentMax, c.n, c.bRelative)
                                      : PanWindowLeft(c.iEdge, c.iCurrentMin, c.iCurrentMax, c.n, c.bRelative);
        EXPECT_EQ(std::make_tuple(w.iMin, w.iMax, w.bWithinData),
                  std::make_tuple(c.expected.iMin, c.expected.iMax, c.expected.bWithinData));
    }
}

class GraphDocPanTest : public GraphDocFixture {
protected:
    // 512 FFT bins, showing bins 100 to 200.
    void SetUp() override { m_pTrace->SetTestXPositions(0, 511, 100, 200); }
    double ValueAt(int iPos) { return m_pTrace->GetXValueAtPos(iPos, m_pTrace->GetXUnit()); }
    CTestTrace* m_pTrace = Add(TT_FFT, CHANNEL_A, 0, 1);
};

TEST_F(GraphDocPanTest, MovesWindowAndScaleValuesAndBeepsOnlyAtTheEnds)
{
    EXPECT_EQ(m_pDoc->TraceRight(m_pTrace, 50, 1), 1);
    EXPECT_EQ(std::make_pair(m_pTrace->GetCurrentMinXPos(), m_pTrace->GetCurrentMaxXPos()), std::make_pair(150, 250));
    EXPECT_DOUBLE_EQ(m_pTrace->GetCurrentMinXScaleValue(), ValueAt(150));
    EXPECT_DOUBLE_EQ(m_pTrace->GetCurrentMaxXScaleValue(), ValueAt(250));
    EXPECT_EQ(HintsFor(m_pTrace).back(), UPDATE_TRACE_ZOOMX);
    EXPECT_EQ(m_host.GetBeepCount(), 0);

    EXPECT_EQ(m_pDoc->TraceStart(m_pTrace), 1);
    EXPECT_EQ(m_pDoc->TraceLeft(m_pTrace, 10, 1), 0); // at the start: beep, no move
    EXPECT_EQ(std::make_pair(m_pTrace->GetCurrentMinXPos(), m_pTrace->GetCurrentMaxXPos()), std::make_pair(0, 100));
    EXPECT_EQ(m_pDoc->TraceRight(m_pTrace, 450, 1), 0); // clamped to the end
    EXPECT_EQ(m_pTrace->GetCurrentMinXPos(), 411);
    EXPECT_EQ(m_host.GetBeepCount(), 2);
}

TEST_F(GraphDocPanTest, EndRefusesWhenTheDataRunPastTheLargestScaleValue)
{
    m_pTrace->SetTestXRange(0.0, ValueAt(300));
    EXPECT_EQ(m_pDoc->TraceEnd(m_pTrace), 0);
    EXPECT_EQ(m_pDoc->TraceRight(m_pTrace, 150, 1), 0);
    EXPECT_EQ(m_host.GetBeepCount(), 2);
    EXPECT_EQ(m_pTrace->GetCurrentMaxXPos(), 200); // neither moved
    m_pTrace->SetTestXRange(0.0, ValueAt(511));
    EXPECT_EQ(m_pDoc->TraceEnd(m_pTrace), 1);
    EXPECT_EQ(m_pTrace->GetCurrentMinXPos(), 411);
}

TEST_F(GraphDocPanTest, LimitLinePansItsOwnerAndNullPansNothing)
{
    auto [pMax, pMin] = AddLimitLines(m_pTrace);
    (void)pMax;
    EXPECT_EQ(m_pDoc->TraceLeft(pMin, 30, 1), 1);
    EXPECT_EQ(m_pTrace->GetCurrentMinXPos(), 70);
    EXPECT_EQ(m_pDoc->TraceLeft(nullptr, 1, 1), 0);
    EXPECT_EQ(m_host.GetBeepCount(), 0);
}

} // namespace
