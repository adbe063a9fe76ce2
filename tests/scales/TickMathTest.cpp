// Tick arithmetic: rounding, log starts, spacing and tick positions.

#include "host/app/HeadlessHost.h"
#include "host/units/UnitIds.h"
#include "support/LogCapture.h"
#include "trace/core/ScaleMath.h"
#include "trace/core/TickArray.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<double> Positions(const CTickArray& ticks)
{
    std::vector<double> out;
    for (int i = 0; i < ticks.GetNumTicks(); ++i) out.push_back(ticks.GetAt(i));
    return out;
}

void ExpectPositions(const CTickArray& ticks, const std::vector<double>& expected)
{
    ASSERT_EQ(ticks.GetNumTicks(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(ticks.GetAt(static_cast<int>(i)), expected[i], 1e-9) << "tick " << i;
}

// Every axis starts at 0, ends at 1 and never goes back.
void ExpectWellFormed(const CTickArray& ticks)
{
    const std::vector<double> p = Positions(ticks);
    ASSERT_GE(p.size(), 2u);
    EXPECT_EQ(std::make_tuple(p.front(), p.back()), std::make_tuple(0.0, 1.0));
    for (size_t i = 1; i < p.size(); ++i) EXPECT_LT(p[i - 1], p[i]) << "tick " << i;
}

bool LoggedContaining(const CHeadlessHost& host, const std::string& part)
{
    return CountLinesContaining(host.GetLogLines(), part) > 0;
}

} // namespace

TEST(TickRounding, RoundValueUsesTheUnitPrecision)
{
    struct Case { double dValue; int iUnit; double dExpected; };
    const Case cases[] = {
        {1.234567, UNIT_FREQ_HZ, 1.23},          // 2 places ("kK" adds none)
        {1.235001, UNIT_DBFS, 1.24},
        {-1.2351, UNIT_DBFS, -1.24},
        {0.123456789, UNIT_VRMS, 0.12345679},    // "mu": 8 places
        {1234.56789, UNIT_IMPEDANCE_R, 1234.568}, // "kKM": 3 places
        {200.6, UNIT_HEX, 201.0},
        {DBL_MAX, UNIT_DBFS, DBL_MAX},           // beyond the resolution: unchanged
        {-DBL_MAX, UNIT_FREQ_HZ, -DBL_MAX},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(RoundValue(c.dValue, c.iUnit), c.dExpected) << c.dValue << " unit " << c.iUnit;
}

TEST(TickRounding, UnknownUnitLeavesTheValueAndReports)
{
    CHeadlessHost host;
    EXPECT_EQ(RoundValue(1.23456, 999), 1.23456);
    EXPECT_TRUE(LoggedContaining(host, "FAILED VERIFY"));
}

TEST(TickLogStart, NonPositiveStartsBecomeTheDecadeBelowTheEnd)
{
    struct Case { double dStart; double dEnd; int iUnit; double dExpected; };
    const Case cases[] = {
        {0.0, 1000.0, UNIT_FREQ_HZ, 10.0},
        {0.0, 200.0, UNIT_FREQ_HZ, 1.0},
        {0.0, 20.0, UNIT_FREQ_HZ, 0.1},
        {0.0, 5.0, UNIT_FREQ_HZ, 0.1},
        {0.0, 0.05, UNIT_FREQ_HZ, 0.01},  // divided until below the end
        {-5.0, 2.0, UNIT_VRMS, 1e-8},
        {0.0, 10.0, UNIT_DBFS, 0.01},     // the unit's smallest step
        {20.0, 20000.0, UNIT_FREQ_HZ, 20.0}, // a usable start stays
    };
    for (const Case& c : cases) {
        double dStart = c.dStart;
        EnsureLogStartCorrect(&dStart, c.dEnd, c.iUnit);
        EXPECT_DOUBLE_EQ(dStart, c.dExpected) << c.dStart << " .. " << c.dEnd;
    }
}

TEST(TickLogStart, EndNotPositiveChangesNothingAndIsDiagnosed)
{
    CHeadlessHost host;
    const int iOldLevel = QXDebugLogLevel;
    QXDebugLogLevel = 2;
    double dStart = -3.0;
    EnsureLogStartCorrect(&dStart, 0.0, UNIT_FREQ_HZ);
    EnsureLogStartCorrect(nullptr, 10.0, UNIT_FREQ_HZ);
    QXDebugLogLevel = iOldLevel;
    EXPECT_EQ(dStart, -3.0);
    EXPECT_TRUE(LoggedContaining(host, "SCALE: Bail out - MaxValue:0 <= 0.0 (MinValue:-3 Unit:11=UNIT_FREQ_HZ)"));
    EXPECT_TRUE(LoggedContaining(host, "FAILED VERIFY"));
}

TEST(TickLogStart, FirstDecadeAfterStart)
{
    struct Case { double dStart; double dExpected; };
    const Case cases[] = {
        {20.0, 100.0}, {10.0, 100.0}, {99.9, 100.0}, {3000.0, 10000.0}, {1.0, 1.0},
        {0.5, 1.0},    {0.1, 0.1},    {0.001, 0.001}, {0.0015, 0.01},   {0.0, 1.0}, {-4.0, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(GetFirstDecadeValueAfterStart(c.dStart), c.dExpected) << c.dStart;
}

TEST(TickSpacing, DivisionSizes)
{
    struct Case { double dRange; int iUnit; int bBinary; double dExpected; };
    const Case cases[] = {
        {100.0, UNIT_DBFS, 0, 20.0},  // 100 / 10 is not below ten divisions
        {99.0, UNIT_DBFS, 0, 10.0},
        {10.0, UNIT_DBFS, 0, 2.0},
        {7.0, UNIT_DBFS, 0, 1.0},
        {0.5, UNIT_VRMS, 0, 0.1},
        {20000.0, UNIT_FREQ_HZ, 0, 5000.0},
        {255.0, UNIT_HEX, 0, 32.0},   // powers of two for hexadecimal
        {8.0, UNIT_HEX, 1, 4194303.5 / 2097152.0},
        {7.0, UNIT_HEX, 1, 4194303.5 / 4194304.0},
        {0.0, UNIT_DBFS, 0, 0.0},
        {-5.0, UNIT_DBFS, 0, 0.0},
        {INFINITY, UNIT_DBFS, 0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(GetDivisionSize(c.dRange, c.iUnit, c.bBinary), c.dExpected) << c.dRange;
}

TEST(TickSpacing, BinaryDivisionCountsStayBetweenFourAndFifty)
{
    for (double dRange : {0.001, 1.0, 7.0, 8.0, 1000.0, 8388607.0, 1e9}) {
        const double dSpacing = GetDivisionSize(dRange, UNIT_HEX, 1);
        EXPECT_GT(dRange / dSpacing, 4.0) << dRange;
        EXPECT_LT(dRange / dSpacing + 1.0, 51.0) << dRange;
    }
}

TEST(TickLinear, RangeAcrossZeroKeepsTheZeroTick)
{
    CTickArray ticks;
    EXPECT_EQ(AutoCalcLinearTicks(-3.0, 7.0, UNIT_DBFS, 0, &ticks), 7);
    ExpectPositions(ticks, {0.0, 0.1, 0.3, 0.5, 0.7, 0.9, 1.0});
    EXPECT_EQ(ticks.GetMustHaveLabel(), 2);
}

TEST(TickLinear, OneSidedRanges)
{
    struct Case { double dMin; double dMax; int iUnit; int bBinary; std::vector<double> expected; };
    const Case cases[] = {
        {0.0, 100.0, UNIT_DBFS, 0, {0.0, 0.2, 0.4, 0.6, 0.8, 1.0}},
        {0.0, 99.0, UNIT_DBFS, 0, {0.0, 10 / 99.0, 20 / 99.0, 30 / 99.0, 40 / 99.0, 50 / 99.0, 60 / 99.0, 70 / 99.0,
                                   80 / 99.0, 90 / 99.0, 1.0}},
        {0.0, 255.0, UNIT_HEX, 0, {0.0, 32 / 255.0, 64 / 255.0, 96 / 255.0, 128 / 255.0, 160 / 255.0, 192 / 255.0,
                                   224 / 255.0, 1.0}},
        {-10.0, -2.0, UNIT_DBFS, 0, {0.0, 0.125, 0.25, 0.375, 0.5, 0.625, 0.75, 0.875, 1.0}},
        {2.3, 5.0, UNIT_DBFS, 0, {0.0, 0.2 / 2.7, 0.7 / 2.7, 1.2 / 2.7, 1.7 / 2.7, 2.2 / 2.7, 1.0}},
    };
    for (const Case& c : cases) {
        CTickArray ticks;
        AutoCalcLinearTicks(c.dMin, c.dMax, c.iUnit, c.bBinary, &ticks);
        SCOPED_TRACE(std::to_string(c.dMin) + " .. " + std::to_string(c.dMax));
        ExpectPositions(ticks, c.expected);
        EXPECT_EQ(ticks.GetMustHaveLabel(), -1);
    }
}

TEST(TickLinear, BinaryDataRanges)
{
    CTickArray eight;
    AutoCalcLinearTicks(0.0, 8.0, UNIT_HEX, 1, &eight);
    const double dEightStep = 4194303.5 / 2097152.0;
    ASSERT_EQ(eight.GetNumTicks(), 6); // four whole divisions and the sliver to 8
    for (int i = 1; i <= 4; ++i) EXPECT_NEAR(eight.GetAt(i), i * dEightStep / 8.0, 1e-8);

    CTickArray seven;
    AutoCalcLinearTicks(0.0, 7.0, UNIT_HEX, 1, &seven);
    const double dSevenStep = 4194303.5 / 4194304.0;
    ASSERT_EQ(seven.GetNumTicks(), 9);
    // Each tick sits on its own multiple: no error gathers along the axis.
    EXPECT_NEAR(seven.GetAt(7), std::floor(7 * dSevenStep * 1e8 + 0.5) / 1e8 / 7.0, 1e-12);
}

TEST(TickLinear, BadRangesLeaveTheTicksAlone)
{
    struct Case { double dMin; double dMax; };
    const Case cases[] = {{5.0, 5.0}, {7.0, 3.0}, {5.0, -5.0}, {-DBL_MAX, DBL_MAX}, {NAN, 1.0}, {0.0, INFINITY}};
    for (const Case& c : cases) {
        CTickArray ticks;
        AutoCalcLinearTicks(-3.0, 7.0, UNIT_DBFS, 0, &ticks);
        const std::vector<double> before = Positions(ticks);
        EXPECT_EQ(AutoCalcLinearTicks(c.dMin, c.dMax, UNIT_DBFS, 0, &ticks), 7) << c.dMin << " .. " << c.dMax;
        EXPECT_EQ(Positions(ticks), before);
    }
}

TEST(TickLinear, AnyRangeStaysInsideTheArray)
{
    for (double dMax : {1e-6, 0.3, 1.0, 9.99, 10.0, 1e6, 1e15}) {
        for (double dMin : {-dMax, 0.0, -dMax / 3.0}) {
            CTickArray ticks;
            AutoCalcLinearTicks(dMin, dMax, UNIT_VRMS, 0, &ticks);
            SCOPED_TRACE(std::to_string(dMin) + " .. " + std::to_string(dMax));
            EXPECT_LE(ticks.GetNumTicks(), CTickArray::kMaxTicks);
            ExpectWellFormed(ticks);
        }
    }
}

TEST(TickLog, DecadeTicks)
{
    struct Case { double dMin; double dMax; AxisType eAxis; std::vector<double> expected; };
    const double l20 = std::log10(20.0);
    const Case cases[] = {
        {20.0, 20000.0, X_AXIS, {0.0, (2 - l20) / 3, (3 - l20) / 3, (4 - l20) / 3, 1.0}},
        {0.0, 1000.0, X_AXIS, {0.0, 0.5, 1.0}},          // start becomes 10 Hz
        {3000.0, 7000.0, X_AXIS, {0.0, 1.0}},            // no decade inside
        {1.0, 1000.0, X_AXIS, {0.0, 1.0 / 3, 2.0 / 3, 1.0}},
        {1.0, 1000.0, Y_AXIS, {0.0, 1.0 / 3, 2.0 / 3, 1.0}},
    };
    for (const Case& c : cases) {
        CTickArray ticks;
        CalcLogTicks(c.dMin, c.dMax, UNIT_FREQ_HZ, c.eAxis, &ticks);
        SCOPED_TRACE(std::to_string(c.dMin) + " .. " + std::to_string(c.dMax));
        ExpectPositions(ticks, c.expected);
    }
}

TEST(TickLog, OddRangesStayInsideTheWindow)
{
    struct Case { double dMin; double dMax; int iDecades; };
    const Case cases[] = {{17.0, 23000.0, 3}, {3000.0, 7000.0, 0}, {0.2, 480000.0, 6},
                          {1e-6, 1e6, 4}}; // 1e-6 Hz rounds to 0, so the axis starts at 10 Hz
    for (const Case& c : cases) {
        CTickArray ticks;
        CalcLogTicks(c.dMin, c.dMax, UNIT_FREQ_HZ, X_AXIS, &ticks);
        SCOPED_TRACE(std::to_string(c.dMin) + " .. " + std::to_string(c.dMax));
        ExpectWellFormed(ticks);
        EXPECT_EQ(ticks.GetNumTicks(), c.iDecades + 2);
    }
}

TEST(TickLog, BrokenRangesGiveJustTheEnds)
{
    for (double dMax : {0.0, -5.0}) {
        CTickArray ticks;
        EXPECT_EQ(CalcLogTicks(-10.0, dMax, UNIT_FREQ_HZ, Y_AXIS, &ticks), 2);
        ExpectPositions(ticks, {0.0, 1.0});
    }
}

TEST(TickFixed, EvenIntervalsKeepTheCountAndDropTheZeroTick)
{
    CTickArray ticks;
    AutoCalcLinearTicks(-3.0, 7.0, UNIT_DBFS, 0, &ticks);
    ticks.SetNumTicks(5);
    EXPECT_EQ(CalcFixedIntervalTicks(&ticks), 5);
    ExpectPositions(ticks, {0.0, 0.25, 0.5, 0.75, 1.0});
    EXPECT_EQ(ticks.GetMustHaveLabel(), -1);

    CTickArray single;
    single.SetNumTicks(1);
    EXPECT_EQ(CalcFixedIntervalTicks(&single), 1);
    EXPECT_EQ(single.GetAt(0), 1.0);
}
