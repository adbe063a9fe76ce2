#include "host/units/UnitFunctions.h"
#include "support/HostDocFixture.h"

#include <cfloat>
#include <utility>
#include <vector>

namespace {

class ZoomTrace : public HostDocFixture {
protected:
    static constexpr int kPoints = 2048;

    void SetUp() override
    {
        // The full X range in values, so the X tests compare like with like.
        const int iUnit = m_trace.GetXUnit();
        m_trace.SetTestXRange(m_trace.GetXValueAtPos(0, iUnit), m_trace.GetXValueAtPos(kPoints - 1, iUnit));
        m_trace.ZoomX(0, 0, kPoints - 1, 0);
    }

    void ExpectXWindow(int iMin, int iMax)
    {
        EXPECT_EQ(std::make_pair(m_trace.GetCurrentMinXPos(), m_trace.GetCurrentMaxXPos()), std::make_pair(iMin, iMax));
        EXPECT_DOUBLE_EQ(m_trace.GetCurrentMinXScaleValue(), m_trace.GetXValueAtPos(iMin, m_trace.GetXUnit()));
        EXPECT_DOUBLE_EQ(m_trace.GetCurrentMaxXScaleValue(), m_trace.GetXValueAtPos(iMax, m_trace.GetXUnit()));
    }

    CTestTrace m_trace{TT_FFT, CHANNEL_A, kPoints};
};

double HexOfdBFS(double ddBFS) { return ConvertdBFSToHex(ddBFS); }

} // namespace

// ---- X ---------------------------------------------------------------------------------

TEST_F(ZoomTrace, ZoomXSetsPositionsValuesHistoryAndHint)
{
    m_trace.ZoomX(1, 0, 1000, 1);
    ExpectXWindow(0, 1000);
    EXPECT_EQ(m_trace.GetZoomHistory().GetCount(), 1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMX), 1);
    m_trace.ZoomX(0, 10, 20, 0);
    EXPECT_EQ(m_trace.GetZoomHistory().GetCount(), 1) << "not stored when not asked";
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMX), 1) << "no hint when not asked";
}

TEST_F(ZoomTrace, UnZoomXOnAFullWindowChangesNothing)
{
    EXPECT_EQ(m_trace.CanUnZoomX(), 0);
    m_trace.UnZoomX(0, 0);
    ExpectXWindow(0, kPoints - 1);

    m_trace.ZoomX(0, 1500, 1600, 0);
    EXPECT_EQ(m_trace.CanUnZoomX(), 1);
    m_trace.UnZoomX(1, 1);
    ExpectXWindow(1450, 1650);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMX), 1);
}

TEST_F(ZoomTrace, ZoomCentreFollowsTheEndTheWindowTouchesAndZoomingNeedsTwoPositions)
{
    const int aCases[][3] = {{1000, kPoints - 1, kPoints - 1}, {0, 300, 0}, {100, 301, 200}}; // min, max, centre
    for (const auto& c : aCases) {
        m_trace.ZoomX(0, c[0], c[1], 0);
        EXPECT_EQ(m_trace.GetXZoomCentrePoint(), c[2]) << c[0] << " .. " << c[1];
    }
    EXPECT_EQ(m_trace.CanZoomX(10, 11) + m_trace.CanZoomX(12, 10), 0);
    EXPECT_EQ(m_trace.CanZoomX(10, 12), 1);
}

TEST_F(ZoomTrace, LogXWindowFromZeroStartsAtTenHertz)
{
    m_trace.SetLogX(1);
    const int iEnd = m_trace.GetXPosForValue(20000.0, UNIT_FREQ_HZ);
    m_trace.ZoomX(0, 0, iEnd, 0);
    EXPECT_DOUBLE_EQ(m_trace.GetCurrentMinXScaleValue(), 10.0);
    EXPECT_NEAR(m_trace.GetCurrentMaxXScaleValue(), 20000.0, 24000.0 / (kPoints - 1));
}

TEST_F(ZoomTrace, DefaultAndAutoXSkipPointsWithoutValue)
{
    m_trace.FillYData([](int i) { return (i < 10 || i >= 2000) ? DBL_MAX : 1000.0; });
    m_trace.ZoomX(0, 500, 600, 0);
    m_trace.DefaultZoomX(1, 1);
    ExpectXWindow(10, 1999);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMX), 1);

    m_trace.AutoZoomX(1, 0);
    ExpectXWindow(10, 1999);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMX), 1) << "auto zoom hints only on change";

    m_trace.FillYData([](int) { return DBL_MAX; });
    m_trace.DefaultZoomX(0, 0);
    ExpectXWindow(0, kPoints - 1);
}

TEST_F(ZoomTrace, DataRangeChangesKeepAFullWindowFull)
{
    const auto Window = [&] { return std::make_pair(m_trace.GetCurrentMinXPos(), m_trace.GetCurrentMaxXPos()); };
    m_trace.SetXDataRange(0, 1023);
    EXPECT_EQ(Window(), std::make_pair(0, 1023));
    m_trace.SetXDataRange(0, kPoints - 1);
    EXPECT_EQ(Window(), std::make_pair(0, kPoints - 1));
    m_trace.ZoomX(0, 100, 1500, 0);
    m_trace.SetXDataRange(0, 1023);
    EXPECT_EQ(Window(), std::make_pair(100, 1023));
}

// ---- History ------------------------------------------------------------------------------

TEST_F(ZoomTrace, RestoreReturnsToTheStoredWindows)
{
    m_trace.ZoomY(0, HexOfdBFS(-80.0), HexOfdBFS(-20.0), 0);
    m_trace.ZoomX(0, 100, 900, 1);
    m_trace.ZoomY(0, HexOfdBFS(-50.0), HexOfdBFS(-40.0), 1);
    ASSERT_EQ(m_trace.RestoreLastZoomDetails(), 1);
    ExpectXWindow(100, 900);
    EXPECT_NEAR(m_trace.GetCurrentMinYScaleValue(), -80.0, 1e-9);
    ASSERT_EQ(m_trace.RestoreLastZoomDetails(), 1);
    ExpectXWindow(0, kPoints - 1);
    EXPECT_EQ(m_host.GetBeepCount(), 0);
}

TEST_F(ZoomTrace, RestoringFromAnEmptyHistoryBeeps)
{
    m_trace.ZoomX(0, 100, 900, 0);
    EXPECT_EQ(m_trace.RestoreLastZoomDetails(), 0);
    EXPECT_EQ(m_host.GetBeepCount(), 1);
    ExpectXWindow(100, 900);
}

// ---- Y ------------------------------------------------------------------------------------

TEST_F(ZoomTrace, AutoYOnFFTDataRoundsToTheStep)
{
    m_trace.FillYData([](int i) { return HexOfdBFS(-93.2 + 80.8 * i / (kPoints - 1)); });
    m_trace.AutoZoomY(1, 1);
    EXPECT_NEAR(m_trace.GetCurrentMinYScaleValue(), -100.0, 1e-9);
    EXPECT_NEAR(m_trace.GetCurrentMaxYScaleValue(), -10.0, 1e-9);
    EXPECT_NEAR(m_trace.GetCurrentMinYData(), HexOfdBFS(-100.0), 1e-6);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMY), 1);
    m_trace.AutoZoomY(1, 0);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMY), 1) << "unchanged: no hint";
}

TEST_F(ZoomTrace, AutoYWithoutValuesChangesNothing)
{
    m_trace.ZoomY(0, 100.0, 200.0, 0);
    m_trace.FillYData([](int) { return DBL_MAX; });
    m_trace.AutoZoomY(1, 0);
    EXPECT_EQ(std::make_pair(m_trace.GetCurrentMinYData(), m_trace.GetCurrentMaxYData()), std::make_pair(100.0, 200.0));
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMY), 0);
}

TEST_F(ZoomTrace, AutoYOnAScopeIsSymmetricAroundZero)
{
    CTestTrace scope(TT_SCOPE, CHANNEL_A, 1024, CTestTrace::XAXIS_TIME);
    scope.SetFullYRange(-CTestTrace::kFullScaleHex, CTestTrace::kFullScaleHex);
    scope.SetYUnit(UNIT_V);
    const double dRange = scope.GetReferenceBlock().dAnalogueInputRange;
    scope.FillYData([&](int i) { return ConvertVToHex(-0.31 + 0.73 * i / 1023.0, dRange); });
    scope.AutoZoomY(0, 0);
    EXPECT_NEAR(scope.GetCurrentMinYScaleValue(), -0.42, 1e-9);
    EXPECT_NEAR(scope.GetCurrentMaxYScaleValue(), 0.42, 1e-9);
    EXPECT_NEAR(scope.GetCurrentMinYData(), -scope.GetCurrentMaxYData(), 1e-6);
    EXPECT_LT(scope.GetCurrentMinYData(), 0.0);

    // One-sided data keeps its rounded window.
    scope.FillYData([&](int i) { return ConvertVToHex(0.11 + 0.2 * i / 1023.0, dRange); });
    scope.AutoZoomY(0, 0);
    EXPECT_NEAR(scope.GetCurrentMinYScaleValue(), 0.1, 1e-9);
    EXPECT_NEAR(scope.GetCurrentMaxYScaleValue(), 0.4, 1e-9);
}

TEST_F(ZoomTrace, ZoomingInAndOutOnValues)
{
    m_trace.ZoomY(0, HexOfdBFS(-60.0), HexOfdBFS(-40.0), 0);
    double dMin = 0.0, dMax = 0.0;
    m_trace.CalcNewYZoomValues(0.5, &dMin, &dMax);
    EXPECT_NEAR(dMin, HexOfdBFS(-55.0), 1e-6);
    EXPECT_NEAR(dMax, HexOfdBFS(-45.0), 1e-6);

    m_trace.UnZoomY(1, 1);
    EXPECT_NEAR(m_trace.GetCurrentMinYScaleValue(), -70.0, 1e-9);
    EXPECT_NEAR(m_trace.GetCurrentMaxYScaleValue(), -30.0, 1e-9);
    EXPECT_EQ(m_trace.GetZoomHistory().GetCount(), 1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMY), 1);

    // A window ending at the full maximum keeps that end; the start stops at the full minimum.
    m_trace.SetFullYRange(HexOfdBFS(-100.0), CTestTrace::kFullScaleHex);
    const double dTop = m_trace.GetMaxYValue(UNIT_DBFS);
    m_trace.ZoomY(0, HexOfdBFS(-60.0), CTestTrace::kFullScaleHex, 0);
    m_trace.UnZoomY(0, 0);
    EXPECT_NEAR(m_trace.GetCurrentMaxYScaleValue(), dTop, 1e-9);
    EXPECT_NEAR(m_trace.GetCurrentMinYScaleValue(), -100.0, 1e-9);
    EXPECT_EQ(m_trace.CanUnZoomY(), 0);
}

TEST_F(ZoomTrace, CanZoomYNeedsAnOrderedSpanInsideTheFullRange)
{
    struct SCase { const char* sName; double dMinData, dMaxData; int iExpected; };
    const SCase aCases[] = {
        {"ordered window", HexOfdBFS(-60.0), HexOfdBFS(-40.0), 1},
        {"reversed", HexOfdBFS(-40.0), HexOfdBFS(-60.0), 0},
        {"rounds to nothing", HexOfdBFS(-40.0), HexOfdBFS(-40.001), 0},
        {"beyond the full range", HexOfdBFS(-60.0), 2.0 * CTestTrace::kFullScaleHex, 0},
        {"same dB either side of zero", -HexOfdBFS(0.0), HexOfdBFS(0.0), 0},
    };
    for (const SCase& c : aCases) EXPECT_EQ(m_trace.CanZoomY(c.dMinData, c.dMaxData), c.iExpected) << c.sName;

    // A scope accepts a window across zero whose ends read the same.
    m_trace.SetTraceType(TT_SCOPE);
    EXPECT_EQ(m_trace.CanZoomY(-HexOfdBFS(0.0), HexOfdBFS(0.0)), 1);
}

TEST_F(ZoomTrace, DefaultYResetsTheOffsetAndSendsItsHint)
{
    m_trace.SetDefaultYWindow(HexOfdBFS(-120.0), HexOfdBFS(0.0));
    m_trace.SetYOffset(5.0);
    m_trace.DefaultZoomY(1, 1);
    EXPECT_EQ(m_trace.GetYOffset(), 0.0);
    EXPECT_NEAR(m_trace.GetCurrentMinYScaleValue(), -120.0, 1e-9);
    EXPECT_NEAR(m_trace.GetCurrentMaxYScaleValue(), 0.0, 1e-9);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMY), 1);
    EXPECT_EQ(m_trace.GetZoomHistory().GetCount(), 1);

    m_trace.SetYUnit(UNIT_INVALID);
    m_trace.DefaultZoomY(1, 1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMY), 1) << "no Y unit: nothing happens";
}

// ---- Both axes -------------------------------------------------------------------------------

TEST_F(ZoomTrace, BothAxesStoreOnceAndSendTheCombinedHint)
{
    m_trace.ZoomXAndY(1, 100, 200, HexOfdBFS(-60.0), HexOfdBFS(-40.0), 1);
    ExpectXWindow(100, 200);
    EXPECT_NEAR(m_trace.GetCurrentMaxYScaleValue(), -40.0, 1e-9);
    EXPECT_EQ(m_trace.GetZoomHistory().GetCount(), 1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMBOTH), 1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMX) + CountHints(UPDATE_TRACE_ZOOMY), 0);

    m_trace.DefaultZoomXAndY(1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMBOTH), 2);
    m_trace.FillYData([](int) { return 1000.0; });
    m_trace.AutoZoomXAndY(1);
    const int iAfterFirst = CountHints(UPDATE_TRACE_ZOOMBOTH);
    m_trace.AutoZoomXAndY(1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_ZOOMBOTH), iAfterFirst) << "auto zoom hints only on change";
}
