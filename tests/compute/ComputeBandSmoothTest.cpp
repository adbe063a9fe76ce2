// Smoothing, band sums and golden-trace arithmetic on plain arrays, with
// answers worked out by hand.

#include "trace/core/ComputeMath.h"
#include "trace/core/FFTMath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace {

constexpr double M = DBL_MAX;

struct SSmoothCase {
    const char* name;
    int iHalfWidth, iPasses;
    std::vector<double> aIn, aOut;
};

TEST(ComputeSmooth, GivesTheHandWorkedMeans)
{
    const SSmoothCase aCases[] = {
        // windows 0..2, 0..4, 2..4: (1+2+9)/3, 21/5, (9+4+5)/3
        {"half width 2, one pass", 2, 1, {1, 2, 9, 4, 5}, {1, 4, 4.2, 6, 5}},
        // [0,3,3,3,0] after the first pass, then (0+3+3)/3, 3, 2
        {"two passes of half width 1", 1, 2, {0, 0, 9, 0, 0}, {0, 2, 3, 2, 0}},
        // near the start the window stays centred: 0..2, 0..4, 0..6 and symmetric at the end
        {"half width 10 keeps the window centred", 10, 1, {0, 3, 0, 0, 6, 0, 0}, {0, 1, 1.8, 9.0 / 7, 1.2, 2, 0}},
        // no value takes no part; a window of none keeps its centre
        {"no values skipped", 1, 1, {2, M, 4, M, M, M, 1}, {2, 3, 4, 4, M, 1, 1}},
        {"minus infinity skipped", 1, 1, {-M, 6, -M}, {-M, 6, -M}},
        {"two points never change", 1, 3, {1, 9}, {1, 9}},
    };
    for (const SSmoothCase& c : aCases) {
        std::vector<double> a = c.aIn;
        SmoothArray(a.data(), static_cast<int>(a.size()), c.iHalfWidth, c.iPasses);
        ASSERT_EQ(a.size(), c.aOut.size()) << c.name;
        for (size_t i = 0; i < a.size(); ++i) EXPECT_DOUBLE_EQ(a[i], c.aOut[i]) << c.name << " at " << i;
    }
}

// The band sum of every bin of n flat unit bins, through the sliding window.
std::vector<double> FlatBandSums(int n, int iBandWidth, std::vector<double> a = {})
{
    if (a.empty()) a.assign(static_cast<size_t>(n), 1.0);
    const double f = BandFactor(iBandWidth);
    SumBinsInBands(a.data(), n, [n, f](int i, double* pd, int* piLow, int* piHigh, double* pdSum) {
        return SlideBandSum(pd, n, i, f, 1.0, piLow, piHigh, pdSum);
    });
    return a;
}

TEST(ComputeSumBins, BandAtBinHundredCountsItsBins)
{
    // Bins trunc(100 / f + 0.5) .. trunc(100 f + 0.5):
    // octave 71 .. 141, third 89 .. 112, sixth 94 .. 106, twelfth 97 .. 103.
    const struct { int iBandWidth; double dBins; } aCases[] = {{0, 71}, {1, 24}, {2, 13}, {3, 7}};
    for (const auto& c : aCases) {
        const std::vector<double> a = FlatBandSums(256, c.iBandWidth);
        EXPECT_DOUBLE_EQ(a[100], std::sqrt(c.dBins)) << c.iBandWidth;
        EXPECT_EQ(a[255], 1.0); // the last bin is left alone
    }
    EXPECT_EQ(BandFactor(4), 0.0);
}

TEST(ComputeSumBins, ANoValueBinAddsNothingAndNeverMakesInfinity)
{
    std::vector<double> a(256, 1.0);
    a[0] = M;
    a[95] = M;
    a[255] = M;
    a = FlatBandSums(256, 1, a);
    EXPECT_EQ(a[0], M);                         // its band held nothing else
    EXPECT_DOUBLE_EQ(a[100], std::sqrt(23.0)); // 89 .. 112 less bin 95
    EXPECT_DOUBLE_EQ(a[95], std::sqrt(22.0));  // 85 .. 107 less itself
    EXPECT_DOUBLE_EQ(a[200], std::sqrt(47.0)); // 178 .. 224, long after 95 left
    for (size_t i = 0; i + 1 < a.size(); ++i) EXPECT_TRUE(std::isfinite(a[i]) || a[i] == M) << i;
}

TEST(ComputeRelative, GoldenArithmetic)
{
    EXPECT_EQ(GoldenRatio(3.0, 1.5), 2.0);
    EXPECT_EQ(GoldenRatio(0.0, 0.0), 1.0);
    EXPECT_EQ(GoldenRatio(2.0, 0.0), 0.0);
    EXPECT_EQ(GoldenRatio(2.0, M), M);
    EXPECT_EQ(GoldenDifference(-3.0, -4.5), 1.5);
    EXPECT_EQ(GoldenDifference(M, 1.0), M);
    EXPECT_EQ(GoldenDifference(1.0, M), M);
    EXPECT_EQ(GoldenDifference(-M, 1.0), -M);
    EXPECT_EQ(GoldenDifference(1.0, -M), M);
}

} // namespace
