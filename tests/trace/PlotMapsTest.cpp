// Coordinate maps as values: columns to X values and back, affine value to
// position maps and data to heights, with answers worked out by hand.

#include "trace/core/PlotMaps.h"
#include "trace/core/TraceDefs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

TEST(PlotMaps, XMapsColumnsToValuesAndBackLinearAndInDecades)
{
    // 0 .. 1000 over 100 columns; 10 .. 10000 (three decades) over 300.
    const SXMap lin = SXMap::Make(0.0, 1000.0, 100, false);
    const SXMap log = SXMap::Make(10.0, 10000.0, 300, true);
    const struct {
        const SXMap& map;
        int iColumn;
        double dValue;
    } aAtColumn[] = {{lin, 0, 0.0}, {lin, 25, 250.0}, {lin, 100, 1000.0}, {log, 0, 10.0}, {log, 100, 100.0}};
    for (const auto& c : aAtColumn) EXPECT_DOUBLE_EQ(c.map.ValueAtColumn(c.iColumn), c.dValue) << c.iColumn;
    const struct { const SXMap& map; double dValue; int iColumn; } aForValue[] = {
        {lin, 250.0, 25}, {lin, 999.99, 99}, {lin, -10.0, -1}, {lin, 1100.0, 110}, // truncated, not clamped
        {log, 500.0, 169},                                                          // 300 x 1.699 / 3
        {log, 5.0, -30},                                                            // 300 x -0.301 / 3
    };
    for (const auto& c : aForValue) EXPECT_EQ(c.map.ColumnForValue(c.dValue), c.iColumn) << c.dValue;
}

TEST(PlotMaps, AffineMapsTruncateAndLeaveEdgesToTheService)
{
    // 0 .. 24 kHz over 8192 bins.
    const SAffineMap bins = SAffineMap::Through(0.0, 0.0, 24000.0, 8192.0);
    bool bExact = false;
    EXPECT_EQ(bins.TruncAt(1000.0, &bExact), 341); // 341.33
    EXPECT_TRUE(bExact);
    bins.TruncAt(3000.0, &bExact); // exactly bin 1024: rounding decides
    EXPECT_FALSE(bExact);
    EXPECT_TRUE(bins.Confirms(12000.0, 4096.0));
    EXPECT_FALSE(bins.Confirms(12000.0, 4096.1) || SAffineMap::Through(5.0, 1.0, 5.0, 1.0).bValid);
    EXPECT_FALSE(SAffineMap::Through(0.0, 1.0, 1.0, HUGE_VAL).bValid);
}

TEST(PlotMaps, FastLog2KeepsToTheLibrarysLog2)
{
    EXPECT_NEAR(FastLog2(0.125), -3.0, 1e-15);
    EXPECT_EQ(FastLog2(0.0), -HUGE_VAL); // left to the library, as are subnormals and infinity
    EXPECT_EQ(FastLog2(HUGE_VAL), HUGE_VAL);
    EXPECT_DOUBLE_EQ(FastLog2(DBL_TRUE_MIN), -1074.0);
    // Every table interval, over the exponents spectra take, within a few
    // units in the last place.
    for (double d = 1e-12; d < 1e12; d *= 1.0 + 1.0 / 613) {
        const double dExpected = std::log2(d);
        ASSERT_NEAR(FastLog2(d), dExpected, 1e-15 * std::max(1.0, std::fabs(dExpected))) << d;
    }
}

TEST(PlotMaps, YMapsGiveHeightsOrLeaveTheDatumToTheTrace)
{
    // Rows 0 .. 200, origin row 100, data -50 .. 50: 2 rows per unit.
    SYPlotFrame frame{100, 0, 200, -50.0, 50.0, false};
    const SYMap linear = SYMap::LinearData(frame, 0.0);
    const SYMap shifted = SYMap::LinearData(frame, 5.0);
    frame.bLog = true;
    const SYMap logAxis = SYMap::LinearData(frame, 0.0);
    // Rows 0.5 - 20 u (u = log10 of the datum) and 0.5 + 0.4 d, origin row 7.
    const SYMap dB = SYMap::Affine(SAffineMap::Through(0.0, 0.5, 6.0, -119.5), 7, true);
    const SYMap affine = SYMap::Affine(SAffineMap::Through(0.0, 0.5, 100.0, 40.5), 7, false);
    constexpr bool kNo = false;
    const struct { const SYMap& map; double dData; bool bAnswered; int iHeight; } aCases[] = {
        {linear, 25.0, true, 50},   {linear, -25.0, true, -50},  {linear, DBL_MAX, true, POINT_BEYOND_MAX},
        {linear, 0.0, true, 0},     {linear, -DBL_MAX, true, -99},
        {shifted, 25.0, true, 60},  {shifted, 0.0, true, 10},    {shifted, -DBL_MAX, true, -99},
        {logAxis, 25.0, kNo, 0},    {logAxis, 0.0, true, -5},
        {dB, 1000.0, true, -52},    {dB, 0.0, kNo, 0},           {dB, DBL_MAX, true, POINT_BEYOND_MAX},
        {dB, 100.0, true, -32},     // -39.5 truncated toward zero
        {affine, 10.0, true, 11},   {affine, -10.0, true, 4},    {affine, 1.25, kNo, 0}, // row 1.0: an edge
        {SYMap(), 1.0, kNo, 0},
    };
    for (const auto& c : aCases) {
        int iHeight = 0;
        EXPECT_EQ(c.map.Height(c.dData, &iHeight), c.bAnswered) << c.dData;
        if (c.bAnswered) {
            EXPECT_EQ(iHeight, c.iHeight) << c.dData;
        }
    }
}

} // namespace
