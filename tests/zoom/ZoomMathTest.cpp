#include "trace/core/ZoomMath.h"

#include "host/app/HeadlessHost.h"
#include "host/units/UnitIds.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cfloat>

// ---- X windows ---------------------------------------------------------------------

struct SXZoomCase {
    const char* sName;
    SXWindow window;
    double dFactor;
    int iCentre;
    int iExpectedMin;
    int iExpectedMax;
};

TEST(ZoomXWindow, ZoomFactorsAroundACentre)
{
    const SXZoomCase aCases[] = {
        {"zoom in on the middle", {0, 2047, 0, 1000}, 0.5, 500, 250, 750},
        {"centre at the start doubles the span", {0, 2047, 0, 1000}, 0.5, 0, 0, 500},
        {"centre at the end doubles the span", {0, 2047, 1047, 2047}, 0.5, 2047, 1547, 2047},
        {"zoom out is clamped into the full range", {0, 2047, 100, 300}, 2.0, 200, 0, 400},
        {"zoom out beyond both ends", {0, 2047, 0, 2047}, 2.0, 1023, 0, 2047},
        {"an empty window gets a span of 2", {0, 100, 50, 50}, 0.5, 50, 49, 51},
        {"odd spans round half up", {0, 100, 0, 5}, 0.5, 50, 49, 51},
        {"a huge factor saturates at the ends", {0, 100, 10, 20}, 1e12, 50, 0, 100},
    };
    for (const SXZoomCase& c : aCases) {
        int iMin = -1;
        int iMax = -1;
        CalcZoomedXWindow(c.window, c.dFactor, c.iCentre, &iMin, &iMax);
        EXPECT_EQ(iMin, c.iExpectedMin) << c.sName;
        EXPECT_EQ(iMax, c.iExpectedMax) << c.sName;
    }
}

// ---- Y windows ---------------------------------------------------------------------

TEST(ZoomYWindow, PlacementKeepsTheEndAtTheFullRange)
{
    struct SCase { const char* sName; double dMin, dMax, dNewSpan, dExpectedMin, dExpectedMax; };
    // Full range -100 ... 0.
    const SCase aCases[] = {
        {"start at the full minimum stays", -100.0, -50.0, 25.0, -100.0, -75.0},
        {"end at the full maximum stays", -40.0, 0.0, 80.0, -80.0, 0.0},
        {"inside is centred", -60.0, -40.0, 40.0, -70.0, -30.0},
        {"touching both ends is centred", -100.0, 0.0, 50.0, -75.0, -25.0},
    };
    for (const SCase& c : aCases) {
        double dMin = 0.0;
        double dMax = 0.0;
        PlaceYWindow(c.dMin, c.dMax, -100.0, 0.0, c.dNewSpan, &dMin, &dMax);
        EXPECT_DOUBLE_EQ(dMin, c.dExpectedMin) << c.sName;
        EXPECT_DOUBLE_EQ(dMax, c.dExpectedMax) << c.sName;
    }
}

// ---- Automatic windows -----------------------------------------------------------------

TEST(ZoomAutoStep, StepTableAtEachBoundary)
{
    const std::pair<double, double> aCases[] = {
        {0.0, 1.0},          {0.00005, 0.00001}, {0.0001, 0.0001}, {0.0009, 0.0001}, {0.001, 0.001},
        {0.01, 0.01},        {0.1, 0.1},         {0.99, 0.1},      {1.0, 1.0},       {19.9, 1.0},
        {20.0, 5.0},         {49.0, 5.0},        {50.0, 10.0},     {80.8, 10.0},     {499.0, 10.0},
        {500.0, 50.0},       {1000.0, 100.0},    {4999.0, 100.0},  {5000.0, 1000.0}, {10000.0, 10000.0},
        {99999.0, 10000.0},  {100000.0, 100000.0}, {1e300, 100000.0}, {-80.8, 10.0},
    };
    for (const auto& [dSpan, dStep] : aCases) EXPECT_DOUBLE_EQ(GetAutoZoomStep(dSpan), dStep) << "span " << dSpan;
}

TEST(ZoomAutoStep, RoundingTheWindowOutwards)
{
    struct SCase {
        const char* sName;
        double dMin, dMax, dSpan;
        SAutoZoomRounding rounding;
        double dExpectedMin, dExpectedMax;
    };
    const SCase aCases[] = {
        {"FFT data in dBFS", -93.2, -12.4, 80.8, {0.1, false}, -100.0, -10.0},
        {"ends already on the step stay", -100.0, -10.0, 90.0, {0.1, false}, -100.0, -10.0},
        {"the unit's smallest step wins", 0.00012, 0.00034, 0.00022, {0.001, false}, 0.0, 0.001},
        {"scope dB start is kept inside the data", -93.2, -12.4, 80.8, {0.1, true}, -90.0, -10.0},
        {"an empty window widens by a step", 5.0, 5.0, 0.0, {0.0, false}, 4.0, 6.0},
        {"volts across zero", -0.31, 0.42, 0.73, {0.0001, false}, -0.4, 0.5},
    };
    for (const SCase& c : aCases) {
        double dMin = c.dMin;
        double dMax = c.dMax;
        RoundAutoZoomWindow(&dMin, &dMax, c.dSpan, c.rounding);
        EXPECT_NEAR(dMin, c.dExpectedMin, 1e-9) << c.sName;
        EXPECT_NEAR(dMax, c.dExpectedMax, 1e-9) << c.sName;
    }
}

TEST(ZoomAutoStep, UnusableEndsAreLeftAlone)
{
    double dMin = -DBL_MAX;
    double dMax = -12.4;
    RoundAutoZoomWindow(&dMin, &dMax, 100.0, {});
    EXPECT_EQ(dMin, -DBL_MAX);
    EXPECT_DOUBLE_EQ(dMax, -10.0);
}

TEST(ZoomAutoStep, SmallestStepOfAUnit)
{
    const std::pair<int, double> aCases[] = {
        {UNIT_DBFS, 0.1},         // 2 places
        {UNIT_V, 0.0001},         // volts: a thousandth of 0.1
        {UNIT_VRMS, 0.0001},      {UNIT_W, 0.0001},
        {UNIT_PPM, 1.0},          // 1 place
        {UNIT_RELATIVE_PERCENT, 0.0001}, // 5 places
        {UNIT_PHASE_SAMPLES, 10.0},      // 0 places
    };
    for (const auto& [iUnit, dStep] : aCases) EXPECT_NEAR(GetMinMultipleForScales(iUnit), dStep, 1e-15) << iUnit;
    CLogCapture log;
    EXPECT_DOUBLE_EQ(GetMinMultipleForScales(UNIT_INVALID), 1.0);
    EXPECT_TRUE(log.Contains("FAILED ASSERT: <<pUnit != nullptr>>"));
}

// ---- Entry ranges --------------------------------------------------------------------

TEST(ZoomInvalidRange, MessageTextsAndBox)
{
    CHeadlessHost host;
    EXPECT_EQ(GetInvalidRangeText(L"", -200.0, 0.0, UNIT_DBFS, 0),
              CString(L"The value entered is invalid.\n\nPlease enter a number between -200.00 and 0.00 dBFS"));
    EXPECT_EQ(GetInvalidRangeText(L"start frequency", 0.0, 24000.0, UNIT_NULL, 0).Find(L"start frequency"), 4);
    EXPECT_EQ(GetInvalidRangeText(L"x", 1.0, 2.0, UNIT_NULL, 0).Right(7), CString(L"1 and 2"))
        << "unit 0 has no unit text";
    EXPECT_EQ(GetInvalidRangeText(L"x", 1.0, 2.0, UNIT_PPM, 1),
              CString(L"The x is out of range.\n\nPlease enter a value from +1.0 to +2.0 ppm"));

    ShowInvalidRange(L"", 0.0, 1.0, UNIT_PPM, 0);
    ASSERT_EQ(host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(host.GetMessageBoxes()[0].uType, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(host.GetMessageBoxes()[0].sText, GetInvalidRangeText(L"", 0.0, 1.0, UNIT_PPM, 0));
}
