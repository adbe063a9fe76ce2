// The arithmetic of invert and normalise on plain arrays, with answers
// worked out by hand: data space, a dB value space, and the data that are
// never changed.

#include "trace/core/ComputeMath.h"
#include "trace/core/LimitMath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace {

// Values in dB of magnitudes, as a trace kept in magnitudes shows them in a dB unit.
const SValueSpace kDecibels{[](double d) { return d == 0.0 ? -DBL_MAX : 20.0 * std::log10(std::fabs(d)); },
                            [](double v) { return std::pow(10.0, v / 20.0); }};

struct SArrayCase {
    const char* name;
    bool bDecibels;
    bool bMirror; // else shift
    double dParameter;
    std::vector<double> aIn;
    std::vector<double> aOut;
};

class ComputeArrays : public ::testing::TestWithParam<SArrayCase> {};

TEST_P(ComputeArrays, GiveTheHandWorkedData)
{
    const SArrayCase& c = GetParam();
    std::vector<double> a = c.aIn;
    const SValueSpace space = c.bDecibels ? kDecibels : SValueSpace{};
    if (c.bMirror)
        MirrorArray(a.data(), static_cast<int>(a.size()), c.dParameter, space);
    else
        ShiftArray(a.data(), static_cast<int>(a.size()), c.dParameter, space);
    ASSERT_EQ(a.size(), c.aOut.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], c.aOut[i], 1e-9 * std::max(1.0, std::fabs(c.aOut[i]))) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeArrays,
    ::testing::Values(
        // 2p - d: 0.2 about 0.5 is 0.8; -0.1 becomes 1.1.
        SArrayCase{"MirrorData", false, true, 0.5, {0.2, -0.1, 0.5}, {0.8, 1.1, 0.5}},
        // No value and minus infinity stay.
        SArrayCase{"MirrorKeepsMissing", false, true, 1.0, {DBL_MAX, -DBL_MAX, 3.0}, {DBL_MAX, -DBL_MAX, -1.0}},
        // -20 dB about 0 dB is +20 dB: 0.1 becomes 10; 1 stays; 0 (minus infinity in dB) stays.
        SArrayCase{"MirrorDecibels", true, true, 0.0, {0.1, 1.0, 0.0}, {10.0, 1.0, 0.0}},
        // About -6 dB: -20 dB (0.1) becomes +8 dB.
        SArrayCase{"MirrorDecibelsOffZero", true, true, -6.0, {0.1}, {std::pow(10.0, 8.0 / 20.0)}},
        SArrayCase{"ShiftData", false, false, -0.25, {1.0, 0.0, DBL_MAX}, {0.75, -0.25, DBL_MAX}},
        // +6 dB is a gain of 10^(6/20) on every magnitude, silence included as minus infinity.
        SArrayCase{"ShiftDecibelsIsAGain", true, false, 6.0, {0.5, 2.0, 0.0},
                   {0.5 * std::pow(10.0, 0.3), 2.0 * std::pow(10.0, 0.3), 0.0}}),
    [](const ::testing::TestParamInfo<SArrayCase>& info) { return std::string(info.param.name); });

TEST(ComputeMath, UnchangeableDataAreNoValueMinusInfinityAndNonFinite)
{
    EXPECT_TRUE(IsUnchangeable(DBL_MAX));
    EXPECT_TRUE(IsUnchangeable(-DBL_MAX));
    EXPECT_TRUE(IsUnchangeable(INFINITY));
    EXPECT_TRUE(IsUnchangeable(NAN));
    EXPECT_FALSE(IsUnchangeable(0.0));
    EXPECT_FALSE(IsUnchangeable(-1e300));
    // A null array is left alone.
    MirrorArray(nullptr, 4, 0.0, SValueSpace{});
}

TEST(ComputeMath, LastPositionWithDataSearchesDownFromTheTop)
{
    const double a[] = {1.0, DBL_MAX, 2.0, DBL_MAX, DBL_MAX};
    EXPECT_EQ(LastPositionWithData(a, 0, 4), 2);
    EXPECT_EQ(LastPositionWithData(a, 0, 1), 0);
    EXPECT_EQ(LastPositionWithData(a, 3, 4), -1);
    EXPECT_EQ(LastPositionWithData(nullptr, 0, 4), -1);
}

TEST(ComputeMath, DefaultNormaliseXIsAThousandHertzOnlyWhenStraddled)
{
    struct { bool bHz; double dMin, dMax, dLast, dExpected; } const aCases[] = {
        {true, 20.0, 20000.0, 19000.0, 1000.0},
        {true, 1000.0, 20000.0, 19000.0, 19000.0}, // starts at 1000: not below it
        {true, 20.0, 1000.0, 900.0, 900.0},
        {false, 20.0, 20000.0, 5.0, 5.0},          // not an axis in Hz
    };
    for (const auto& c : aCases) EXPECT_EQ(DefaultNormaliseXValue(c.bHz, c.dMin, c.dMax, c.dLast), c.dExpected);
}

TEST(ComputeMath, PolarityFollowsTheSignOfATransformedLimit)
{
    EXPECT_EQ(PolarityFollowingSign(-0.5, POLARITY_POSITIVE), POLARITY_NEGATIVE);
    EXPECT_EQ(PolarityFollowingSign(0.5, POLARITY_NEGATIVE), POLARITY_POSITIVE);
    EXPECT_EQ(PolarityFollowingSign(0.5, POLARITY_POSITIVE), POLARITY_POSITIVE);
    EXPECT_EQ(PolarityFollowingSign(0.0, POLARITY_NEGATIVE), POLARITY_NEGATIVE);
    EXPECT_EQ(PolarityFollowingSign(-3.0, POLARITY_NONE), POLARITY_NONE);
}

} // namespace
