// Building the plot columns: column reduction, log-X columns, line mode,
// gaps, sentinels and a refill racing the scan.

#include "PlotFixture.h"

#include "trace/core/PlotMath.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int kNone = POINT_BEYOND_MAX;

using PlotData = PlotFixture;

struct SSpan { int iLow; int iHigh; };

std::vector<SSpan> PlotOf(const CQXTrace& trace)
{
    std::vector<SSpan> a;
    for (size_t i = 0; i < trace.GetPlotMinArray().size(); ++i)
        a.push_back({trace.GetPlotMinArray()[i], trace.GetPlotMaxArray()[i]});
    return a;
}

bool operator==(const SSpan& a, const SSpan& b) { return a.iLow == b.iLow && a.iHigh == b.iHigh; }
void PrintTo(const SSpan& s, std::ostream* os) { *os << s.iLow << ".." << s.iHigh; }

TEST_F(PlotData, NoDataLeavesEveryColumnEmptyAndOnePositionIsFlatAtZero)
{
    CTestTrace* pTrace = AddPlotTrace(100, 50);
    pTrace->SetCurrentMinXPos(40);
    pTrace->SetCurrentMaxXPos(40);
    pTrace->DataToPlot();
    for (const SSpan& s : PlotOf(*pTrace)) EXPECT_TRUE(s.iLow == 0 && s.iHigh == 0);
    pTrace->SetBuffer(0);
    pTrace->DataToPlot();
    for (const SSpan& s : PlotOf(*pTrace)) EXPECT_TRUE(s.iLow == kNone && s.iHigh == kNone);
}

TEST(PlotDataExtremes, StopAtTheFirstMissingValueAndFlagValuesOutOfOrder)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct SCase { std::vector<double> aData; double dMin, dMax; int iCount; bool bUnusual; };
    const SCase aCases[] = {
        {{1, 5, -2, 3, 7, 0, 4, 2, 9}, -2, 9, 9, false}, // extremes in the tail after the blocks of four
        {{2, 3, 4, 5, 6, DBL_MAX, -7}, 2, 6, 5, false},
        {{DBL_MAX, 1}, 0, 0, 0, false},
        {{1, -DBL_MAX, 2}, 0, 0, 3, true},
        {{1, 2, kNaN, 3}, 0, 0, 4, true},                // NaN in a block
        {{1, 2, 3, 4, 5, 6, 7, 8, kNaN}, 0, 0, 9, true}, // and in the tail
        {{1, std::numeric_limits<double>::infinity()}, 0, 0, 2, true},
    };
    for (const SCase& c : aCases) {
        const SDataExtremes e = ScanDataExtremes(c.aData.data(), static_cast<int>(c.aData.size()));
        SCOPED_TRACE(testing::PrintToString(c.aData));
        EXPECT_EQ(std::make_tuple(e.iCount, e.bUnusual), std::make_tuple(c.iCount, c.bUnusual));
        EXPECT_TRUE(c.iCount == 0 || c.bUnusual || (e.dMin == c.dMin && e.dMax == c.dMax));
    }
}

// Column i takes the floor(r) + 1 points from floor(i x r), r = positions
// per column, up to the first point without a height; a column that does
// not reach its neighbour is stretched to touch it. Heights are floor(d).
TEST_F(PlotData, ColumnsSpanTheirPointsUpToAGapAndTouchTheirNeighbours)
{
    constexpr double kGap = DBL_MAX;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct SCase { const char* sName; std::vector<double> aY; double dOffset; std::vector<SSpan> aColumns; };
    const SCase aCases[] = {
        // r = 2: columns over 0-2, 2-4, 4-6, 6-8.
        {"a gap ends a column; a jump is joined", {10, 20, 15, kGap, 50, 40, 30, 5, 7}, 0.0,
         {{10, 20}, {15, 15}, {16, 50}, {5, 30}}},
        {"the offset moves every height", {10, 20, 15, kGap, 50, 40, 30, 5, 7}, 12.5,
         {{22, 32}, {27, 27}, {28, 62}, {17, 42}}},
        {"minus infinity sits a row above the origin, negatives below", {-DBL_MAX, 30, 40, -3, 60, 70, 80, 90, 95},
         0.0, {{1, 40}, {-5, 60}, {60, 80}, {80, 95}}},
        {"a value past the int range ends a column like a gap", {10, 20, 1e300, 30, 35, 40, 45, 50, 55}, 0.0,
         {{10, 20}, {kNone, kNone}, {35, 45}, {45, 55}}},
        {"NaN in a column is mapped point by point, at height 0", {10, 20, 30, kNaN, 50, 40, 30, 5, 7}, 0.0,
         {{10, 30}, {0, 50}, {30, 50}, {5, 30}}},
        // r = 2.5: columns over 0-2, 2-4, 5-7, 7-9; position 10 is in none.
        {"fractional positions per column", {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 99}, 0.0,
         {{0, 20}, {20, 40}, {41, 70}, {70, 90}}},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.sName);
        CTestTrace* pTrace = AddPlotTrace(static_cast<int>(c.aY.size()), 4);
        pTrace->FillYData(c.aY);
        pTrace->SetYOffset(c.dOffset);
        pTrace->DataToPlot();
        ASSERT_TRUE(pTrace->IsPlotInColumns());
        EXPECT_EQ(PlotOf(*pTrace), c.aColumns);
    }
}

TEST_F(PlotData, FewPointsOnManyColumnsAreJoinedByStraightLines)
{
    // Points 0, 1, 2 on columns 0, 3, 6. Spectra interpolate rounded
    // heights (16.7 gives 17), scope-like kinds interpolate data (16).
    const std::pair<TraceType, std::vector<int>> aCases[] = {{TT_FFT, {0, 17, 33, 50, 40, 30, 20}},
                                                             {TT_SCOPE, {0, 16, 33, 50, 40, 30, 20}}};
    for (const auto& [eType, aHeights] : aCases) {
        SCOPED_TRACE(eType);
        CTestTrace* pTrace = AddPlotTrace(3, 7, eType);
        pTrace->FillYData({0, 50, 20});
        pTrace->DataToPlot();
        EXPECT_FALSE(pTrace->IsPlotInColumns());
        std::vector<SSpan> aExpected;
        for (int h : aHeights) aExpected.push_back({h, h});
        EXPECT_EQ(PlotOf(*pTrace), aExpected);
    }
}

TEST_F(PlotData, LineModeLeavesGapsAtMissingValuesAndTakesTheKindsPlotData)
{
    CTestTrace* pTrace = AddPlotTrace(10, 100);
    pTrace->FillYData({10, 20, 30, 40, DBL_MAX, 60, 70, 80, 90, 80});
    pTrace->SetPlotDataFactor(0.5);
    pTrace->DataToPlot();
    const std::vector<SSpan> aPlot = PlotOf(*pTrace);
    const int c3 = pTrace->GetXPointForPos(3);
    const int c5 = pTrace->GetXPointForPos(5);
    EXPECT_EQ(std::make_tuple(aPlot[c3].iLow, aPlot[c5].iLow), std::make_tuple(20, 30));
    for (int k = c3 + 1; k < c5; ++k) EXPECT_EQ(aPlot[k].iLow, kNone) << "column " << k;
    EXPECT_EQ(aPlot[c3 - 1].iLow, 20); // 15 .. 20, last step before the point
}

TEST_F(PlotData, LogXColumnsReachEveryPositionAndShowARowAtLeast)
{
    CTestTrace* pTrace = AddPlotTrace(1024, 200);
    pTrace->SetLogX(1);
    SetXWindow(pTrace, 1, 1023);
    pTrace->FillYData([](int i) { return i / 10.23; });
    pTrace->DataToPlot();
    ASSERT_TRUE(pTrace->IsPlotInColumns());
    const std::vector<SSpan> aPlot = PlotOf(*pTrace);
    for (size_t i = 0; i < aPlot.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(aPlot[i].iLow, kNone);
        EXPECT_LT(aPlot[i].iLow, aPlot[i].iHigh);
        if (i > 0) {
            EXPECT_GE(aPlot[i].iHigh, aPlot[i - 1].iHigh); // a rising ramp keeps rising
            EXPECT_LE(aPlot[i].iLow, aPlot[i - 1].iHigh + 1);
        }
    }
    EXPECT_EQ(std::make_tuple(aPlot.front().iHigh, aPlot.back().iHigh), std::make_tuple(0, 100));
    // Low bins are wider than a pixel: several columns show the same one.
    EXPECT_EQ(aPlot[0].iHigh, aPlot[5].iHigh);
}

TEST_F(PlotData, ARefillDuringTheScanStopsItAndIsReportedOnceInTheRateLimit)
{
    const int iSavedLevel = QXDebugLogLevel;
    QXDebugLogLevel = 2;
    CTestTrace* pTrace = AddPlotTrace(1000);
    pTrace->FillYData([](int i) { return 10.0 + i % 50; });
    int iCalls = 0;
    bool bTransformed = false;
    pTrace->SetBeforeYMapping([&] {
        if (++iCalls != 20) return;
        // What a compute does: the plot now reads another array.
        if (bTransformed) pTrace->FreeTransformedYDataBuffer(1);
        else pTrace->AllocateTransformedYDataBuffer(1);
        bTransformed = !bTransformed;
    });
    pTrace->DataToPlot();
    std::vector<SSpan> aPlot = PlotOf(*pTrace);
    EXPECT_NE(aPlot.front().iLow, kNone); // the columns done so far stay
    EXPECT_EQ(aPlot.back().iLow, kNone);
    EXPECT_EQ(LogCount("GOTCHA: LINE:"), 1);
    EXPECT_EQ(LogCount("MUTEX required - "), 1);

    iCalls = 0;
    pTrace->DataToPlot();
    EXPECT_EQ(LogCount("GOTCHA: LINE:"), 1);

    // A window past the end of the data stops the same way, without reading beyond it.
    CTestTrace* pOther = AddPlotTrace(1000);
    pOther->SetCurrentMaxXPos(1500);
    pOther->DataToPlot();
    EXPECT_EQ(LogCount("GOTCHA: LINE:"), 2);
    QXDebugLogLevel = iSavedLevel;
}

} // namespace
