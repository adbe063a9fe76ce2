// Value mapping: positions, X values, pixels, Y heights, unit conversions,
// range checks and hit testing.

#include "host/units/References.h"
#include "support/HostDocFixture.h"

#include "trace/core/ScaleMath.h"
#include "trace/core/TraceMath.h"

#include <climits>
#include <cmath>

namespace {

// 512 FFT points at 48 kHz (one bin is 48000 / 1022 Hz) on a plot 500 wide,
// X window 0 ... 1000 Hz, Y window the full digital scale.
class TraceMappingTest : public HostDocFixture {
protected:
    TraceMappingTest()
    {
        m_trace.SetTestMode(CQXTrace::eModeDigital);
        m_trace.SetTestDrawRect(CRect(0, 0, 500, 100));
        m_trace.SetTestXWindow(0.0, 1000.0);
        m_trace.SetYDefaultZoomValues();
    }
    CTestTrace m_trace{TT_FFT, CHANNEL_A, 512};
};

TEST_F(TraceMappingTest, XValueToPixelUsesWidthPlusOne)
{
    const std::pair<double, int> aCases[] = {{0.0, 0}, {500.0, 250}, {1000.0, 501}, {-100.0, -50}};
    for (const auto& [dValue, iPoint] : aCases) EXPECT_EQ(m_trace.GetXPointForValue(dValue, UNIT_FREQ_HZ), iPoint);
}

TEST_F(TraceMappingTest, PositionToPixelPlainOnLinearCarefulOnLog)
{
    // Position 5 is 234.83 Hz: plain form truncates 117.4.
    EXPECT_EQ(m_trace.GetXPointForPos(5), 117);
    m_trace.SetLogX(1);
    m_trace.SetTestXWindow(100.0, 1000.0);
    EXPECT_EQ(m_trace.GetXPointForPos(0), POINT_BEYOND_MIN);
    EXPECT_EQ(m_trace.GetXPointForPos(100), POINT_BEYOND_MAX);
    // 469.67 Hz: 500 x log10(4.6967) + 0.5.
    EXPECT_EQ(m_trace.GetXPointForPos(10), 336);
}

TEST_F(TraceMappingTest, DeviceXToValueInsideThePlotOnly)
{
    EXPECT_DOUBLE_EQ(m_trace.GetXValueAtPoint(0), 0.0);
    EXPECT_DOUBLE_EQ(m_trace.GetXValueAtPoint(500), 1000.0 * 500 / 501);
    EXPECT_DOUBLE_EQ(m_trace.GetXValueAtPoint(501), -1.0);
    EXPECT_DOUBLE_EQ(m_trace.GetXValueAtPoint(-1), -1.0);
}

TEST_F(TraceMappingTest, PositionsAndValuesRoundTripThroughTheXUnit)
{
    for (int iPos : {0, 1, 100, 511}) {
        const double dHz = m_trace.GetXValueAtPos(iPos, UNIT_FREQ_HZ);
        EXPECT_NEAR(dHz, iPos * 48000.0 / 1022.0, 1e-9);
        EXPECT_EQ(m_trace.GetXPosForValue(dHz + 1e-6, UNIT_FREQ_HZ), iPos);
    }
    EXPECT_EQ(m_trace.GetXPosForValue(1e300, UNIT_FREQ_HZ), 2147483647); // saturates, no overflow
}

TEST_F(TraceMappingTest, FindBinReturnsTheEntryAtOrBelow)
{
    CTestTrace trace(TT_USER, CHANNEL_A, 4);
    trace.SetXData({1.0, 2.0, 4.0, 8.0});
    const std::pair<double, int> aCases[] = {{4.0, 2}, {5.0, 2}, {0.5, 0}, {9.0, 3}, {1.0, 0}, {8.0, 3}};
    for (const auto& [dValue, iBin] : aCases) EXPECT_EQ(trace.FindBinForXValue(dValue, UNIT_BINS), iBin) << dValue;
}

TEST_F(TraceMappingTest, YHeightSentinelsScalingAndOffset)
{
    // Window 0 ... full scale: the origin is the bottom row.
    ASSERT_EQ(m_trace.GetYOrigin(), 100);
    const std::pair<double, int> aLinear[] = {
        {DBL_MAX, 2147483647}, {0.0, 0}, {SReferences::kFullScaleHex, 100}, {SReferences::kFullScaleHex / 2, 50}, {-1.0, -5}, {-DBL_MAX, 1}};
    for (const auto& [dData, iHeight] : aLinear) EXPECT_EQ(m_trace.GetYPointForData(dData), iHeight) << dData;

    m_trace.SetLogY(1);
    EXPECT_EQ(m_trace.GetYPointForData(0.0), -5);
    EXPECT_EQ(m_trace.GetYPointForData(DBL_MAX), 2147483647);

    m_trace.SetLogY(0);
    m_trace.SetCurrentMinYData(-100.0);
    m_trace.SetCurrentMaxYData(0.0);
    EXPECT_EQ(m_trace.GetYPointForData(10.0), 5);

    // An offset shifts every value but the sentinels.
    m_trace.SetCurrentMinYData(0.0);
    m_trace.SetCurrentMaxYData(SReferences::kFullScaleHex);
    m_trace.SetYOffset(SReferences::kFullScaleHex / 4);
    EXPECT_EQ(m_trace.GetYPointForData(0.0), 25);
    EXPECT_EQ(m_trace.GetYPointForData(DBL_MAX), 2147483647);
}

TEST_F(TraceMappingTest, DeviceYClampsToTheWindowAndInterpolatesInside)
{
    EXPECT_DOUBLE_EQ(m_trace.GetYDataAtPoint(-10), SReferences::kFullScaleHex);
    EXPECT_DOUBLE_EQ(m_trace.GetYDataAtPoint(200), 0.0);
    EXPECT_DOUBLE_EQ(m_trace.GetYDataAtPoint(50), SReferences::kFullScaleHex / 2);
}

TEST_F(TraceMappingTest, ZeroAmplitudeInDecibelsIsMinus200UnlessInfinityAllowed)
{
    EXPECT_DOUBLE_EQ(m_trace.GetYValueForData(0.0, UNIT_DBFS, 0, 0), -200.0);
    EXPECT_DOUBLE_EQ(m_trace.GetYValueForData(0.0, UNIT_DBFS, 1, 0), -DBL_MAX);
    EXPECT_NEAR(m_trace.GetYValueForData(SReferences::kFullScaleSineHex, UNIT_DBFS, 0, 0), 0.0, 1e-9);
    EXPECT_NEAR(m_trace.GetYDataForValue(-20.0, UNIT_DBFS, 0), 593164.0, 1e-6);
}

TEST_F(TraceMappingTest, ReadOutAtTheWindowEdgesShowsTheScaleValues)
{
    m_trace.SetCurrentMaxYScaleValue(3.0);
    EXPECT_EQ(m_trace.GetValueStringForYData(SReferences::kFullScaleHex, UNIT_DBFS, 0, 0, nullptr), CString(L"3.00"));
    EXPECT_EQ(m_trace.GetValueStringForYData(SReferences::kFullScaleHex, -1, 0, 0, nullptr), CString());
}

TEST_F(TraceMappingTest, RangeChecksAgainstTheUnitLimits)
{
    // dBFS has no lower end (zero amplitude): checks use -138.46.
    EXPECT_EQ(m_trace.CheckRange(-100.0, Y_AXIS, UNIT_DBFS, 0), 1);
    EXPECT_EQ(m_trace.CheckRange(-150.0, Y_AXIS, UNIT_DBFS, 0), 0);
    EXPECT_EQ(m_trace.CheckRange(24000.0, X_AXIS, UNIT_FREQ_HZ, 0), 1); // the last bin
    EXPECT_EQ(m_trace.CheckRange(25000.0, X_AXIS, UNIT_FREQ_HZ, 0), 0);
    EXPECT_EQ(m_host.GetMessageBoxes().size(), 2u);

    EXPECT_EQ(m_trace.CheckYScaleValue(-3.0, UNIT_DBFS), 1);
    EXPECT_EQ(m_trace.CheckYScaleValue(5.0, UNIT_DBFS), 0);
}

TEST_F(TraceMappingTest, YScaleRangeIsShiftedInsideKeepingItsSpan)
{
    const double dTop = m_trace.GetMaxYValue(UNIT_DBFS); // full scale peak, about +3 dBFS
    double dMin = -10.0;
    double dMax = dTop + 5.0;
    EXPECT_EQ(m_trace.CheckYScaleRange(dMin, dMax), 1);
    EXPECT_DOUBLE_EQ(dMax, dTop);
    EXPECT_NEAR(dMax - dMin, RoundValue(dTop + 15.0, UNIT_DBFS), 1e-9);
}

TEST_F(TraceMappingTest, UnitChecksAndScaleCover)
{
    EXPECT_EQ(m_trace.CheckUnit(UNIT_FREQ_HZ, X_AXIS), 1);
    EXPECT_EQ(m_trace.CheckUnit(UNIT_DBFS, X_AXIS), 0);
    EXPECT_EQ(m_trace.CheckUnit(UNIT_DBFS, Y_AXIS), 1);

    m_trace.SetTestXRange(0.0, 24000.0);
    EXPECT_EQ(m_trace.XScaleEncompasses(10.0, 20000.0, UNIT_FREQ_HZ), 1);
    EXPECT_EQ(m_trace.XScaleEncompasses(10.0, 30000.0, UNIT_FREQ_HZ), 0);
    EXPECT_EQ(m_trace.XScaleEncompasses(10.0, 20.0, UNIT_MS), 1);
    EXPECT_TRUE(HasLog("!= GetXUnit:"));
}

// ---- Hit testing ------------------------------------------------------------------

class TraceHitTest : public HostDocFixture {
protected:
    TraceHitTest()
    {
        // A flat curve on row 50 across a plot 100 wide.
        m_trace.SetTestDrawRect(CRect(0, 0, 100, 100));
        m_trace.SetTestYOrigin(100);
        m_trace.SetTestPlotColumns(std::vector<int>(101, 50), std::vector<int>(101, 50));
    }
    CTestTrace m_trace{TT_FFT, CHANNEL_A, 512};
};

TEST_F(TraceHitTest, FourPixelsBesideHitsFiveMisses)
{
    CPoint nearest;
    EXPECT_EQ(m_trace.HitTest(CPoint(40, 50), &nearest), 1);
    EXPECT_EQ(nearest, CPoint(40, 50));
    EXPECT_EQ(m_trace.HitTest(CPoint(40, 46), &nearest), 1);
    EXPECT_EQ(nearest.y, 50);
    EXPECT_EQ(m_trace.HitTest(CPoint(40, 54), &nearest), 1);
    EXPECT_EQ(m_trace.HitTest(CPoint(40, 45), &nearest), 0);
    EXPECT_EQ(nearest, CPoint(-1, -1));
    EXPECT_EQ(m_trace.HitTest(CPoint(40, 55), &nearest), 0);
}

TEST_F(TraceHitTest, ColumnsWithoutDataAreSkippedAndNoPlotNeverHits)
{
    std::vector<int> aNone(101, POINT_BEYOND_MAX);
    aNone[43] = 50;
    m_trace.SetTestPlotColumns(aNone, aNone);
    CPoint nearest;
    EXPECT_EQ(m_trace.HitTest(CPoint(40, 52), &nearest), 1);
    EXPECT_EQ(nearest, CPoint(43, 50));
    EXPECT_EQ(m_trace.HitTest(CPoint(20, 50), &nearest), 0);

    m_trace.SetTestPlotColumns({}, {});
    EXPECT_EQ(m_trace.HitTest(CPoint(43, 50), &nearest), 0);
}

TEST_F(TraceHitTest, NearestPointInAColumnIsTheNearerEndOfItsSpan)
{
    m_trace.SetTestPlotColumns(std::vector<int>(101, 20), std::vector<int>(101, 60)); // rows 40 ... 80
    CPoint p;
    EXPECT_EQ(m_trace.GetNearestPointOnTrace(10, 60, &p), 1);
    EXPECT_EQ(p, CPoint(10, 60));
    EXPECT_EQ(m_trace.GetNearestPointOnTrace(10, 10, &p), 0);
    EXPECT_EQ(p, CPoint(10, 40));
    EXPECT_EQ(m_trace.GetNearestPointOnTrace(10, 95, &p), 0);
    EXPECT_EQ(p, CPoint(10, 80));
}

// ---- Pure arithmetic ------------------------------------------------------------------

TEST(TraceMathTest, YOriginForWindows)
{
    struct Case { double dMin, dMax; int iOrigin; };
    // Rows 0 ... 100.
    const Case aCases[] = {
        {0.0, 10.0, 100}, {-10.0, 10.0, 50}, {-30.0, 10.0, 25}, {5.0, 10.0, 200},
        {-10.0, -5.0, -100}, {0.0, 0.0, 50}, {-DBL_MAX, DBL_MAX, 50},
    };
    for (const Case& c : aCases) EXPECT_EQ(YOriginForWindow(c.dMin, c.dMax, 0, 100), c.iOrigin) << c.dMin << " " << c.dMax;
}

TEST(TraceMathTest, FractionsOffsetsAndSaturation)
{
    EXPECT_DOUBLE_EQ(LogFraction(100.0, 10.0, 1000.0), 0.5);
    EXPECT_DOUBLE_EQ(LogFraction(5.0, 10.0, 10.0), std::log10(5.0) - 1.0); // zero span counts as 1
    EXPECT_DOUBLE_EQ(LinearFraction(3.0, 2.0, 2.0), 0.0);
    EXPECT_EQ(PlainXOffset(1500.0, 0.0, 1000.0, 500), 750); // not clamped
    EXPECT_EQ(CarefulXOffset(1500.0, 0.0, 1000.0, 500, false), POINT_BEYOND_MAX);
    EXPECT_EQ(CarefulXOffset(999.0, 0.0, 1000.0, 500, false), 500);
    EXPECT_EQ(TruncToInt(-1e300), INT_MIN);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
    EXPECT_EQ(TruncToInt(-2.7), -2);
    EXPECT_EQ(FindBinInArray(nullptr, 0, 1.0), 0);
    EXPECT_EQ(AllocateTraceArray(0), nullptr);
}

} // namespace
