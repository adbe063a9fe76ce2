// The pure arithmetic of the plot: data extremes, joining, interpolation,
// row clipping, width scaling, dash patterns and line stepping.

#include "trace/model/PlotMath.h"
#include "trace/model/TraceDefs.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kNone = POINT_BEYOND_MAX;

TEST(PlotMath, DataExtremesStopAtTheFirstMissingValueAndFlagUnusualOnes)
{
    struct SCase {
        std::vector<double> aData;
        double dMin, dMax;
        int iCount;
        bool bUnusual;
    };
    const SCase aCases[] = {
        {{1, 5, -2, 3}, -2, 5, 4, false},
        {{1, 5, -2, 3, 7, 0, 4, 2, 9}, -2, 9, 9, false}, // extremes in the tail after the blocks of four
        {{1, DBL_MAX, 9}, 1, 1, 1, false},               // the 9 lies after the gap
        {{2, 3, 4, 5, 6, DBL_MAX, -7}, 2, 6, 5, false},
        {{DBL_MAX, 1}, 0, 0, 0, false},
        {{}, 0, 0, 0, false},
        {{1, -DBL_MAX, 2}, -DBL_MAX, 2, 3, true},
        {{1, 2, kNaN, 3}, 1, 3, 4, true},                // NaN inside a block
        {{1, 2, 3, 4, 5, 6, 7, 8, kNaN}, 1, 8, 9, true}, // and in the tail
        {{1, kInf}, 1, kInf, 2, true},
        {{1, kNaN, DBL_MAX}, 1, 1, 2, true},
    };
    for (const SCase& c : aCases) {
        const SDataExtremes e = ScanDataExtremes(c.aData.data(), static_cast<int>(c.aData.size()));
        SCOPED_TRACE(testing::PrintToString(c.aData));
        EXPECT_EQ(e.iCount, c.iCount);
        EXPECT_EQ(e.bUnusual, c.bUnusual);
        if (c.iCount > 0 && !c.bUnusual) {
            EXPECT_EQ(e.dMin, c.dMin);
            EXPECT_EQ(e.dMax, c.dMax);
        }
    }
    EXPECT_EQ(ScanDataExtremes(nullptr, 5).iCount, 0);
}

TEST(PlotMath, DataExtremesOfALongRunMatchAPlainScan)
{
    std::vector<double> a(1001);
    for (size_t i = 0; i < a.size(); ++i) a[i] = std::sin(0.37 * i) * (1.0 + i % 13);
    a[500] = 42.0;
    a[1000] = -42.0;
    const SDataExtremes e = ScanDataExtremes(a.data(), 1001);
    EXPECT_EQ(e.dMax, 42.0);
    EXPECT_EQ(e.dMin, -42.0);
    EXPECT_EQ(e.iCount, 1001);
}

TEST(PlotMath, NeighbouringColumnsAreJoinedWithoutOverlapping)
{
    struct SCase {
        SColumnSpan previous, span, expected;
    };
    const SCase aCases[] = {
        {{0, 5}, {8, 10}, {6, 10}},               // above: reaches down to the neighbour
        {{10, 12}, {2, 4}, {2, 9}},               // below: reaches up to it
        {{0, 5}, {3, 9}, {3, 9}},                 // overlapping: unchanged
        {{0, 5}, {6, 9}, {6, 9}},                 // already touching
        {{kNone, kNone}, {8, 10}, {8, 10}},       // after a gap
        {{0, 5}, {kNone, kNone}, {kNone, kNone}}, // a gap stays a gap
    };
    for (const SCase& c : aCases) {
        SColumnSpan span = c.span;
        JoinColumnSpans(c.previous, &span);
        EXPECT_EQ(span.iLow, c.expected.iLow);
        EXPECT_EQ(span.iHigh, c.expected.iHigh);
    }
}

TEST(PlotMath, InterpolationRoundsHeightsAndKeepsGaps)
{
    EXPECT_EQ(InterpolateHeight(0, 10, 5, 0, 10), 5);
    EXPECT_EQ(InterpolateHeight(0, 1, 1, 0, 2), 1);   // 0.5 rounds up
    EXPECT_EQ(InterpolateHeight(0, -3, 1, 0, 2), -1); // -1.5 rounds up too
    EXPECT_EQ(InterpolateHeight(kNone, 3, 1, 0, 2), kNone);
    EXPECT_EQ(InterpolateHeight(3, kNone, 1, 0, 2), kNone);
    EXPECT_DOUBLE_EQ(InterpolateAtColumn(1.0, 3.0, 15, 10, 20), 2.0);
    EXPECT_DOUBLE_EQ(InterpolateAtColumn(1.0, 3.0, 10, 10, 10), 1.0);
}

TEST(PlotMath, RowsAreClippedToOneAboveTheTopAndTheBottom)
{
    // origin, height, top, bottom -> row
    const int aCases[][5] = {
        {100, 30, 0, 100, 70},   {100, 250, 0, 100, -1},          {100, -50, 0, 100, 100},
        {50, INT_MIN + 1, 0, 100, 100}, {-10, INT_MAX - 1, 0, 100, -1}, {0, -5, 0, 100, 5},
    };
    for (const auto& c : aCases) EXPECT_EQ(ClippedPlotRow(c[0], c[1], c[2], c[3]), c[4]);
}

TEST(PlotMath, LineWidthsScaleByResolution)
{
    // width, output dpi, attribute dpi -> width
    const int aCases[][4] = {{1, 96, 96, 1}, {1, 600, 96, 6}, {2, 600, 96, 13}, {0, 96, 96, 1},
                             {3, 0, 96, 3},  {4, 96, 0, 4},   {1, 48, 96, 1}};
    for (const auto& c : aCases) EXPECT_EQ(ScaleLineWidth(c[0], c[1], c[2]), c[3]) << c[0] << " " << c[1];
}

std::string PatternString(int iStyle, int iScale, int iPixels)
{
    CDashPattern pattern(iStyle, iScale);
    std::string s;
    for (int i = 0; i < iPixels; ++i) s += pattern.Step() ? '#' : '.';
    return s;
}

TEST(PlotMath, PrintStylesStepThroughTheirPatterns)
{
    EXPECT_EQ(PatternString(TRACE_PRINTSTYLE_DOT, 1, 14), "###...###...##");
    EXPECT_EQ(PatternString(TRACE_PRINTSTYLE_DOT, 2, 14), "######......##");
    EXPECT_EQ(PatternString(TRACE_PRINTSTYLE_DASH, 1, 26), std::string(18, '#') + "......##");
    EXPECT_EQ(PatternString(TRACE_PRINTSTYLE_DASHDOT, 1, 25), "#########......###......#");
    EXPECT_EQ(PatternString(TRACE_PRINTSTYLE_DASHDOTDOT, 1, 25), "#########...###...###...#");
    EXPECT_EQ(PatternString(TRACE_PRINTSTYLE_SOLID, 1, 5), "#####");
    EXPECT_EQ(PatternString(99, 1, 3), "###"); // unknown styles draw solid

    CDashPattern pattern(TRACE_PRINTSTYLE_DOT, 1);
    for (int i = 0; i < 4; ++i) pattern.Step();
    pattern.Reset();
    EXPECT_TRUE(pattern.Step());
    EXPECT_FALSE(CDashPattern(TRACE_PRINTSTYLE_DASH, 1).IsSolid());
    EXPECT_TRUE(CDashPattern(TRACE_PRINTSTYLE_SOLID, 3).IsSolid());
}

std::vector<CPoint> Pixels(CPoint a, CPoint b)
{
    std::vector<CPoint> a_;
    ForEachLinePixel(a, b, [&](CPoint p) { a_.push_back(p); });
    return a_;
}

TEST(PlotMath, LinePixelsLeaveOutTheEndPoint)
{
    EXPECT_EQ(Pixels({0, 0}, {3, 0}), (std::vector<CPoint>{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(Pixels({5, 5}, {5, 2}), (std::vector<CPoint>{{5, 5}, {5, 4}, {5, 3}}));
    EXPECT_EQ(Pixels({0, 0}, {2, 2}), (std::vector<CPoint>{{0, 0}, {1, 1}}));
    EXPECT_TRUE(Pixels({4, 4}, {4, 4}).empty());
    // A shallow line takes one pixel per column, each within half a pixel of the line.
    const std::vector<CPoint> aShallow = Pixels({0, 0}, {10, 3});
    ASSERT_EQ(aShallow.size(), 10u);
    for (size_t i = 0; i < aShallow.size(); ++i) {
        EXPECT_EQ(aShallow[i].x, static_cast<int>(i));
        EXPECT_LE(std::abs(aShallow[i].y - 0.3 * static_cast<double>(i)), 0.5 + 1e-9);
    }
}

} // namespace
