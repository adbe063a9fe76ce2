// The 8x display interpolation and the FIR interpolator behind it.

#include "support/HostDocFixture.h"

#include "host/numeric/FIRInterpolator.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

class TraceInterpolateTest : public HostDocFixture {
protected:
    // n measured samples of a sine at the start of an 8n array, as a refill
    // leaves them.
    static void FillSine(CTestTrace& trace, int n, double dPeriod)
    {
        trace.SetTestInterpolationFactor(8);
        trace.FillYData([&](int i) { return i < n ? std::sin(2 * kPi * i / dPeriod) : 0.0; });
    }
};

TEST_F(TraceInterpolateTest, LastFortyEightPointsLieOutsideTheDataRange)
{
    CTestTrace trace(TT_SCOPE, CHANNEL_A, 8 * 256, CTestTrace::XAXIS_TIME);
    FillSine(trace, 256, 64.0);
    trace.SetInterpolated(1);
    EXPECT_EQ(std::make_tuple(trace.GetInterpolated(), trace.GetMinXPos()), std::make_tuple(1, 0));
    EXPECT_EQ(trace.GetMaxXPos(), 8 * 256 - 48 - 1);
    const auto aY = trace.GetYDataCopy();
    for (int i = 8 * 256 - 48; i < 8 * 256; ++i) EXPECT_EQ(aY[static_cast<size_t>(i)], 0.0) << i;
    // The range moved, so the views are told.
    EXPECT_GE(CountHints(-801), 1);
}

TEST_F(TraceInterpolateTest, ReproducesALowFrequencySine)
{
    const int n = 256;
    for (double dPeriod : {64.0, 16.0}) {
        CTestTrace trace(TT_SCOPE, CHANNEL_A, 8 * n, CTestTrace::XAXIS_TIME);
        FillSine(trace, n, dPeriod);
        trace.SetInterpolated(1);
        const auto aY = trace.GetYDataCopy();
        // Output j lies (13 / 2) x 4 + 33 / 2 = 42.5 output samples after input time j / 8.
        double dWorst = 0.0;
        for (int j = 0; j < 8 * n - 48; ++j) {
            const double t = (j + 42.5) / 8.0;
            if (t > n - 10) break; // the end of the block rings
            dWorst = std::max(dWorst, std::fabs(aY[static_cast<size_t>(j)] - std::sin(2 * kPi * t / dPeriod)));
        }
        EXPECT_LT(dWorst, 0.005) << dPeriod;
    }
}

TEST_F(TraceInterpolateTest, NothingHappensWhenOffOrBeforeTheArrayIsSizedForIt)
{
    CTestTrace trace(TT_SCOPE, CHANNEL_A, 64, CTestTrace::XAXIS_TIME);
    trace.FillYData([](int i) { return double(i); });
    trace.SetInterpolated(1); // factor still 1: the next refill sizes the array
    trace.SetInterpolated(1);
    EXPECT_EQ(std::make_tuple(trace.GetYDataCopy()[63], trace.GetMaxXPos()), std::make_tuple(63.0, 63));
}

TEST(FIRInterpolatorTest, StagesKeepTheLevelOfASteadyInput)
{
    const std::vector<double> aOnes(64, 1.0);
    for (const SFIRInterpolatorParameters* p : {&GetFIRInterpolatorStage1(), &GetFIRInterpolatorStage2()}) {
        cFIRInterpolator filter;
        ASSERT_TRUE(filter.Initialise(*p));
        for (int i = 0; i < 2 * p->iFactor; ++i) EXPECT_NEAR(filter.Filter(aOnes.data(), i), 1.0, 1e-3) << i;
    }
}

TEST(FIRInterpolatorTest, RefusesABadParameterBlock)
{
    cFIRInterpolator filter;
    EXPECT_FALSE(filter.Initialise(SFIRInterpolatorParameters{}));
    const double x[2] = {1.0, 1.0};
    EXPECT_EQ(filter.Filter(x, 0), 0.0);
}

} // namespace
