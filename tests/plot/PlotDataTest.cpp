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

struct SSpan {
    int iLow;
    int iHigh;
};

std::vector<SSpan> PlotOf(const CQXTrace& trace)
{
    std::vector<SSpan> a;
    for (size_t i = 0; i < trace.GetPlotMinArray().size(); ++i)
        a.push_back({trace.GetPlotMinArray()[i], trace.GetPlotMaxArray()[i]});
    return a;
}

// Joined column spans mapping every point on its own: column i starts at
// floor(i x r) + the window start, the next floor(r) points widen it, and a
// point without a height ends it.
std::vector<SSpan> ReferenceColumns(CQXTrace& trace, const std::vector<double>& aY, int iColumns)
{
    const int iMinPos = trace.GetCurrentMinXPos();
    const double r = static_cast<double>(trace.GetCurrentMaxXPos() - iMinPos) / iColumns;
    std::vector<SSpan> a;
    for (int i = 0; i < iColumns; ++i) {
        const int iFirst = static_cast<int>(std::floor(i * r)) + iMinPos;
        SSpan s{kNone, kNone};
        for (int k = 0; k <= static_cast<int>(std::floor(r)); ++k) {
            const int h = trace.GetYPointForData(aY[static_cast<size_t>(iFirst + k)]);
            if (h == kNone) break;
            s = k == 0 ? SSpan{h, h} : SSpan{std::min(s.iLow, h), std::max(s.iHigh, h)};
        }
        if (i > 0 && s.iLow != kNone && a.back().iLow != kNone) {
            if (a.back().iHigh < s.iLow) s.iLow = a.back().iHigh + 1;
            else if (s.iHigh < a.back().iLow) s.iHigh = a.back().iLow - 1;
        }
        a.push_back(s);
    }
    return a;
}

TEST_F(PlotData, NoDataLeavesEveryColumnEmptyAndOnePositionIsFlatAtZero)
{
    CPlotTrace* pTrace = AddPlotTrace(100, 50);
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
    struct SCase {
        std::vector<double> aData;
        double dMin, dMax;
        int iCount;
        bool bUnusual;
    };
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
        EXPECT_EQ(e.iCount, c.iCount);
        EXPECT_EQ(e.bUnusual, c.bUnusual);
        EXPECT_TRUE(c.iCount == 0 || c.bUnusual || (e.dMin == c.dMin && e.dMax == c.dMax));
    }
}

TEST_F(PlotData, ThousandPointsOnHundredColumnsSpanTheirPointsAndTouch)
{
    CPlotTrace* pTrace = AddPlotTrace(1000);
    pTrace->FillYData([](int i) { return 50.0 + 45.0 * std::sin(i * 2.0 * M_PI / 200.0); });
    pTrace->DataToPlot();
    ASSERT_TRUE(pTrace->IsPlotInColumns());
    const std::vector<SSpan> aPlot = PlotOf(*pTrace);
    ASSERT_EQ(aPlot.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        SCOPED_TRACE(i);
        // 999 positions over 100 columns: ten points from floor(9.99 i).
        const int iFirst = static_cast<int>(std::floor(9.99 * i));
        for (int p = iFirst; p < iFirst + 10; ++p) {
            const int h = pTrace->GetYPointForData(pTrace->GetYDataAtXPos(p, 0));
            EXPECT_LE(aPlot[i].iLow, h);
            EXPECT_GE(aPlot[i].iHigh, h);
        }
        if (i > 0) {
            EXPECT_LE(aPlot[i].iLow, aPlot[i - 1].iHigh + 1);
            EXPECT_GE(aPlot[i].iHigh, aPlot[i - 1].iLow - 1);
        }
    }
}

TEST_F(PlotData, ColumnsEqualMappingEveryPoint)
{
    // Y data windows (with the origin at the bottom, in the middle, above
    // the top) and offsets; the data leave the window on both sides and
    // hold gaps, minus infinity, NaN and values beyond the int range.
    struct SCase {
        double dMin, dMax, dOffset;
    };
    const SCase aCases[] = {{0.0, 100.0, 0.0}, {-50.0, 50.0, 0.0}, {-200.0, -20.0, 0.0}, {0.0, 100.0, 12.5}};
    const int iSize = 4097;
    std::vector<double> aY(iSize);
    for (int i = 0; i < iSize; ++i) aY[i] = -30.0 + 160.0 * std::fabs(std::sin(i * 0.013) * std::cos(i * 0.0071));
    for (int i = 700; i < 760; ++i) aY[i] = DBL_MAX;
    aY[1500] = -DBL_MAX;
    aY[2100] = std::numeric_limits<double>::quiet_NaN();
    aY[2900] = 1e300;
    aY[3300] = DBL_MAX;
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.dMin);
        CPlotTrace* pTrace = AddPlotTrace(iSize);
        pTrace->FillYData(aY);
        pTrace->SetCurrentMinYData(c.dMin);
        pTrace->SetCurrentMaxYData(c.dMax);
        pTrace->SetYOffset(c.dOffset);
        pTrace->DataToPlot();
        const std::vector<SSpan> aPlot = PlotOf(*pTrace);
        const std::vector<SSpan> aReference = ReferenceColumns(*pTrace, aY, 100);
        for (size_t i = 0; i < aPlot.size(); ++i) {
            EXPECT_EQ(aPlot[i].iLow, aReference[i].iLow) << "column " << i;
            EXPECT_EQ(aPlot[i].iHigh, aReference[i].iHigh) << "column " << i;
        }
    }
}

TEST_F(PlotData, TenPointsOnHundredColumnsAreJoinedByStraightLines)
{
    // Spectra interpolate rounded heights, scope-like kinds interpolate data.
    for (const TraceType eType : {TT_FFT, TT_SCOPE}) {
        SCOPED_TRACE(eType);
        CPlotTrace* pTrace = AddPlotTrace(10, 100, eType);
        const std::vector<double> aY = {0, 90, 0, 90, 0, 90, 0, 90, 0, 90};
        pTrace->FillYData(aY);
        pTrace->DataToPlot();
        EXPECT_FALSE(pTrace->IsPlotInColumns());
        const std::vector<SSpan> aPlot = PlotOf(*pTrace);
        for (int p = 0; p + 1 < 10; ++p) {
            const int c0 = pTrace->GetXPointForPos(p);
            const int c1 = pTrace->GetXPointForPos(p + 1);
            ASSERT_LT(c0 + 1, c1);
            EXPECT_EQ(aPlot[c0].iLow, static_cast<int>(aY[p]));
            for (int k = c0 + 1; k < c1; ++k) {
                const double d = aY[p] + (aY[p + 1] - aY[p]) * (k - c0) / (c1 - c0);
                const int iExpected = static_cast<int>(std::floor(eType == TT_FFT ? d + 0.5 : d));
                EXPECT_EQ(aPlot[k].iLow, iExpected) << "column " << k;
                EXPECT_EQ(aPlot[k].iHigh, iExpected) << "column " << k;
            }
        }
        EXPECT_EQ(aPlot[99].iLow, 90); // the window's right edge is the last point
    }
}

TEST_F(PlotData, LineModeLeavesGapsAtMissingValuesAndTakesTheKindsPlotData)
{
    CPlotTrace* pTrace = AddPlotTrace(10, 100);
    pTrace->FillYData({10, 20, 30, 40, DBL_MAX, 60, 70, 80, 90, 80});
    pTrace->m_dPlotDataFactor = 0.5;
    pTrace->DataToPlot();
    const std::vector<SSpan> aPlot = PlotOf(*pTrace);
    const int c3 = pTrace->GetXPointForPos(3);
    const int c5 = pTrace->GetXPointForPos(5);
    EXPECT_EQ(aPlot[c3].iLow, 20);
    EXPECT_EQ(aPlot[c5].iLow, 30);
    for (int k = c3 + 1; k < c5; ++k) EXPECT_EQ(aPlot[k].iLow, kNone) << "column " << k;
    EXPECT_EQ(aPlot[c3 - 1].iLow, 20); // 15 .. 20, last step before the point
}

TEST_F(PlotData, LogXColumnsReachEveryPositionAndShowARowAtLeast)
{
    CPlotTrace* pTrace = AddPlotTrace(1024, 200);
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
    EXPECT_EQ(aPlot.front().iHigh, 0);
    EXPECT_EQ(aPlot.back().iHigh, 100);
    // Low bins are wider than a pixel: several columns show the same one.
    EXPECT_EQ(aPlot[0].iHigh, aPlot[5].iHigh);
}

TEST_F(PlotData, ARefillDuringTheScanStopsItAndIsReportedOnceInTheRateLimit)
{
    const int iSavedLevel = QXDebugLogLevel;
    QXDebugLogLevel = 2;
    CPlotTrace* pTrace = AddPlotTrace(1000);
    pTrace->FillYData([](int i) { return 10.0 + i % 50; });
    int iCalls = 0;
    bool bTransformed = false;
    pTrace->m_fnBeforeMapping = [&] {
        if (++iCalls != 20) return;
        // What a compute does: the plot now reads another array.
        if (bTransformed) pTrace->FreeTransformedYDataBuffer(1);
        else pTrace->AllocateTransformedYDataBuffer(1);
        bTransformed = !bTransformed;
    };
    pTrace->DataToPlot();
    std::vector<SSpan> aPlot = PlotOf(*pTrace);
    EXPECT_NE(aPlot.front().iLow, kNone); // the columns done so far stay
    EXPECT_EQ(aPlot.back().iLow, kNone);
    EXPECT_EQ(CountLogLines("GOTCHA: LINE:"), 1);
    EXPECT_EQ(CountLogLines("MUTEX required - "), 1);

    iCalls = 0;
    pTrace->DataToPlot();
    EXPECT_EQ(CountLogLines("GOTCHA: LINE:"), 1);

    // A window past the end of the data stops the same way, without reading beyond it.
    CPlotTrace* pOther = AddPlotTrace(1000);
    pOther->SetCurrentMaxXPos(1500);
    pOther->DataToPlot();
    EXPECT_EQ(CountLogLines("GOTCHA: LINE:"), 2);
    QXDebugLogLevel = iSavedLevel;
}

} // namespace
