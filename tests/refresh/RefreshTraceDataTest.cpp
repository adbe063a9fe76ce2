// Refilling a trace from sample buffers: sizes, scaling, array reuse, the
// zoom window across a size change, rates, input modes and interpolation.

#include "host/buffers/SampleBuffer.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SettingsIds.h"
#include "host/units/References.h"
#include "support/HostDocFixture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr double kDigitalFullScale = SReferences::kFullScaleHex;
constexpr double kSineRMS = SReferences::kFullScaleSineHex;

std::unique_ptr<CDoublePrecisionBuffer> MakeBuffer(int iSamples, double dRate = 48000.0,
                                                   ESourceKind eSource = SOURCE_DIGITAL)
{
    auto pBuffer = std::make_unique<CDoublePrecisionBuffer>(iSamples);
    pBuffer->SetSize(iSamples);
    for (int i = 0; i < iSamples; ++i) pBuffer->SetAt(i, 0.001 * (i % 100));
    pBuffer->SetSampleRate(dRate);
    pBuffer->SetSourceKind(eSource);
    return pBuffer;
}

using RefreshTest = HostDocFixture;

} // namespace

TEST_F(RefreshTest, RefillSizesTheTraceAndScalesTheSamplesIntoTheStorageUnit)
{
    struct SCase {
        TraceType eType;
        CTestTrace::EXAxis eXAxis;
        int iExtraPoints; // bins run from 0 to N inclusive
        double dFactor;
    };
    const SCase aCases[] = {
        {TT_SCOPE, CTestTrace::XAXIS_TIME, 0, kDigitalFullScale},
        {TT_CTDET, CTestTrace::XAXIS_TIME, 0, kDigitalFullScale},
        {TT_FFT, CTestTrace::XAXIS_FFT_BINS, 1, kSineRMS * kSineRMS},
        {TT_CTFFT, CTestTrace::XAXIS_FFT_BINS, 1, kSineRMS * kSineRMS},
        {TT_FFTRESPONSE, CTestTrace::XAXIS_FFT_BINS, 1, 1.0},
        {TT_SWEEP1, CTestTrace::XAXIS_TIME, 0, 1.0},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(static_cast<int>(c.eType));
        CTestTrace trace(c.eType, CHANNEL_A, 64, c.eXAxis);
        const auto pBuffer = MakeBuffer(300);
        int bSizeChanged = -1;
        EXPECT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, &bSizeChanged), 1);
        EXPECT_EQ(bSizeChanged, 1);
        ASSERT_EQ(trace.GetDataSize(), 300 + c.iExtraPoints);
        const auto aY = trace.GetYDataCopy();
        for (int i : {0, 1, 57, 299}) EXPECT_DOUBLE_EQ(aY[static_cast<size_t>(i)], pBuffer->GetAt(i) * c.dFactor) << i;
        EXPECT_TRUE(trace.NeedsRecalc());
    }
}

TEST_F(RefreshTest, NullOrEmptyBufferLeavesTheTraceAlone)
{
    CTestTrace trace(TT_SCOPE, CHANNEL_A, 16, CTestTrace::XAXIS_TIME);
    trace.FillYData([](int i) { return 3.0 * i; });
    CDoublePrecisionBuffer empty(32);
    int bSizeChanged = -1;
    EXPECT_EQ(trace.UpdateTraceData(nullptr, nullptr, &bSizeChanged), 0);
    EXPECT_EQ(bSizeChanged, 0);
    EXPECT_EQ(trace.UpdateTraceData(&empty, nullptr, &bSizeChanged), 0);
    EXPECT_EQ(trace.GetDataSize(), 16);
    EXPECT_DOUBLE_EQ(trace.GetYDataCopy()[5], 15.0);
}

TEST_F(RefreshTest, SameSizeRefillReusesTheArraysAndReportsNoChange)
{
    CTestTrace trace(TT_SCOPE, CHANNEL_A, 64, CTestTrace::XAXIS_TIME);
    auto pBuffer = MakeBuffer(200);
    int bSizeChanged = 0;
    ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, &bSizeChanged), 1);
    const double* pdBefore = trace.GetYDataBuffer(0);

    pBuffer->SetAt(10, 0.5);
    ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, &bSizeChanged), 1);
    EXPECT_EQ(trace.GetYDataBuffer(0), pdBefore);
    EXPECT_EQ(bSizeChanged, 0);
    EXPECT_DOUBLE_EQ(trace.GetYDataCopy()[10], 0.5 * kDigitalFullScale);

    // A smaller fill of the same maximum size copies only what it holds.
    pBuffer->SetSize(20);
    ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, &bSizeChanged), 1);
    EXPECT_EQ(std::make_tuple(trace.GetYDataBuffer(0), trace.GetDataSize()), std::make_tuple(pdBefore, 200));
}

TEST_F(RefreshTest, SizeChangeReallocatesAndKeepsTheZoomWindowInXValues)
{
    CTestTrace trace(TT_FFT, CHANNEL_A, 64, CTestTrace::XAXIS_FFT_BINS);
    trace.CreateXScale();
    auto pSmall = MakeBuffer(1024);
    ASSERT_EQ(trace.UpdateTraceData(pSmall.get(), nullptr, nullptr), 1);
    const double dFullMax = trace.GetMaxXScaleValue();
    EXPECT_NEAR(trace.GetXValueAtPos(trace.GetMaxXPos(), trace.GetXUnit()), dFullMax, 1e-6);

    const int iUnit = trace.GetXUnit();
    const double dMinX = trace.GetXValueAtPos(100, iUnit);
    const double dMaxX = trace.GetXValueAtPos(400, iUnit);
    trace.SetCurrentMinXPos(100);
    trace.SetCurrentMaxXPos(400);
    trace.SetTestXWindow(dMinX, dMaxX);
    const double* pdBefore = trace.GetYDataBuffer(0);

    auto pLarge = MakeBuffer(4096);
    int bSizeChanged = 0;
    ASSERT_EQ(trace.UpdateTraceData(pLarge.get(), nullptr, &bSizeChanged), 1);
    EXPECT_EQ(bSizeChanged, 1);
    EXPECT_EQ(trace.GetDataSize(), 4097);
    EXPECT_NE(trace.GetYDataBuffer(0), pdBefore);
    // The same frequencies, now at four times the positions.
    EXPECT_NEAR(trace.GetCurrentMinXScaleValue(), dMinX, 1e-6);
    EXPECT_NEAR(trace.GetCurrentMaxXScaleValue(), dMaxX, 1e-6);
    EXPECT_EQ(std::make_pair(trace.GetCurrentMinXPos(), trace.GetCurrentMaxXPos()), std::make_pair(400, 1600));
    // The full range is that of the new points.
    EXPECT_NEAR(trace.GetMaxXScaleValue(), trace.GetXValueAtPos(trace.GetMaxXPos(), iUnit), 1e-6);
}

TEST_F(RefreshTest, SampleRateChangesCountAnUnlockedInputAsTheNominalRate)
{
    struct SCase { double dOldRate; double dBufferRate; int iExpectedChanges; bool bUnlocked; double dStoredRate; };
    const SCase aCases[] = {
        {48000.0, -1.0, 1, true, -1.0},      // locked 48 kHz to the nominal 96 kHz
        {-1.0, -1.0, 0, true, -1.0},         // staying unlocked
        {96000.0, -1.0, 0, true, -1.0},      // unlocked runs at 96 kHz anyway
        {-1.0, 96000.0, 0, false, 96000.0},  // locking at the nominal rate
        {48000.0, 48000.4, 0, false, 48000.0}, // rounded to whole hertz
        {48000.0, 44100.0, 1, false, 44100.0},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.dBufferRate);
        CTestTrace trace(TT_FFT, CHANNEL_A, 129, CTestTrace::XAXIS_FFT_BINS);
        trace.CreateXScale();
        trace.SetTestSampleRate(c.dOldRate);
        trace.SetInputUnlocked(c.dOldRate == -1.0);
        const auto pBuffer = MakeBuffer(128, c.dBufferRate);
        ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, nullptr), 1);
        EXPECT_EQ(std::make_tuple(trace.GetRateChanges(), trace.IsUnlocked(), trace.GetSampleRate()),
                  std::make_tuple(c.iExpectedChanges, c.bUnlocked, c.dStoredRate));
    }
}

TEST_F(RefreshTest, ModeFollowsTheBufferSourceAndPicksThatInputsYUnit)
{
    CTestTrace trace(TT_SCOPE, CHANNEL_A, 100, CTestTrace::XAXIS_TIME);
    trace.CreateXScale();
    trace.CreateYScale();
    struct SCase { ESourceKind eSource; CQXTrace::EMode eMode; int iUnit; };
    const SCase aCases[] = {
        {SOURCE_ANALOGUE, CQXTrace::eModeAnalogue, UNIT_DBU},
        {SOURCE_DIGITAL, CQXTrace::eModeDigital, UNIT_DBFS},
        {SOURCE_SOUNDCARD, CQXTrace::eModeSoundcard, UNIT_DBV},
        {SOURCE_JDOFS, CQXTrace::eModeJDOfs, UNIT_VRMS},
        {SOURCE_DIGITAL, CQXTrace::eModeDigital, UNIT_DBFS},
    };
    for (const SCase& c : aCases) { // each mode's own Y unit, ending in digital
        trace.SetTestMode(c.eMode);
        trace.SetYUnit(c.iUnit);
    }
    for (const SCase& c : aCases) {
        SCOPED_TRACE(static_cast<int>(c.eSource));
        const auto pBuffer = MakeBuffer(100, 48000.0, c.eSource);
        int bChanged = 0;
        ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, &bChanged), 1);
        EXPECT_EQ(std::make_pair(trace.GetMode(), trace.GetYUnit()), std::make_pair(c.eMode, c.iUnit));
        // Same size, but the Y display changed with the unit.
        EXPECT_EQ(bChanged, 1);
    }
    // The same input again changes nothing.
    const auto pBuffer = MakeBuffer(100, 48000.0, SOURCE_DIGITAL);
    int bChanged = -1;
    ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, &bChanged), 1);
    EXPECT_EQ(bChanged, 0);
}

TEST_F(RefreshTest, InterpolatedRefillHoldsEightTimesThePointsWithAnUnusableTail)
{
    CTestTrace trace(TT_SCOPE, CHANNEL_A, 64, CTestTrace::XAXIS_TIME);
    trace.SetInterpolated(1);
    const int n = 256;
    const auto pBuffer = MakeBuffer(n);
    ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, nullptr), 1);
    EXPECT_EQ(std::make_tuple(trace.GetDataSize(), trace.GetMaxXPos()), std::make_tuple(8 * n, 8 * n - 48 - 1));
    // The measured points were spread, not left at the front of the array.
    EXPECT_NE(trace.GetYDataCopy()[8 * 50], 0.0);

    // Interpolation off: the plain size again.
    trace.SetInterpolated(0);
    ASSERT_EQ(trace.UpdateTraceData(pBuffer.get(), nullptr, nullptr), 1);
    EXPECT_EQ(trace.GetDataSize(), n);
}

TEST_F(RefreshTest, SizeChangeResizesTheLimitLineForItsTraceKind)
{
    // The host's FFT length decides the new size: 32 samples or 17 bins.
    GetFFTParametersSettings()->SetProperty(PROP_FFT_LENGTH, 32);
    const std::vector<double> aOld = {10, 11, 12, 13, 14, 15, 16, 17, 18};
    struct SCase {
        TraceType eType;
        CTestTrace::EXAxis eXAxis;
        int iResult;
        std::vector<double> aExpected; // empty: the limit is left as it was
    };
    const std::vector<double> aKept = {10, 11, 12, 13, 14, 15, 16, 17, 18};
    std::vector<double> aScope = aKept;
    aScope.resize(32, DBL_MAX);
    // New bin i takes old bin i * 9 / 17.
    const std::vector<double> aFFT = {10, 10, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15, 16, 16, 17, 17, 18};
    const SCase aCases[] = {
        {TT_SCOPE, CTestTrace::XAXIS_TIME, 1, aScope},
        {TT_FFT, CTestTrace::XAXIS_FFT_BINS, 1, aFFT},
        {TT_SWEEP1, CTestTrace::XAXIS_TIME, 0, aKept},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(static_cast<int>(c.eType));
        CTestTrace trace(c.eType, CHANNEL_A, 64, c.eXAxis);
        trace.CreateXScale();
        trace.CreateYScale();
        auto* pLimit = new CTestLimitLine(&trace, TT_MAXLIMITLINE, static_cast<int>(aOld.size()));
        pLimit->ShareParentScales();
        pLimit->FillYData(aOld);
        trace.AttachLimitLines(pLimit, nullptr);
        EXPECT_EQ(trace.ManageDataSizeChange(), c.iResult);
        EXPECT_EQ(pLimit->GetYDataCopy(), c.aExpected);
    }
}

TEST_F(RefreshTest, YWindowIsResetOnlyWhenTheInputCrossesIntoOrOutOfJitterModes)
{
    struct SCase { ESourceKind eFrom; ESourceKind eTo; bool bReset; };
    const SCase aCases[] = {
        {SOURCE_DIGITAL, SOURCE_ANALOGUE, false},
        {SOURCE_ANALOGUE, SOURCE_SOUNDCARD, false},
        {SOURCE_DIGITAL, SOURCE_JDOFS, true},
        {SOURCE_JDODATA, SOURCE_ANALOGUE, true},
        {SOURCE_JDOFS, SOURCE_JDODATA, true},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(static_cast<int>(c.eTo));
        CTestTrace trace(TT_SCOPE, CHANNEL_A, 100, CTestTrace::XAXIS_TIME);
        trace.CreateXScale();
        trace.CreateYScale();
        trace.SetDefaultYWindow(-1000.0, 1000.0);
        ASSERT_EQ(trace.UpdateTraceData(MakeBuffer(100, 48000.0, c.eFrom).get(), nullptr, nullptr), 1);
        trace.SetCurrentMinYData(-50.0);
        trace.SetCurrentMaxYData(70.0);
        trace.SetCurrentMinYScaleValue(-5.0);
        trace.SetCurrentMaxYScaleValue(7.0);
        ASSERT_EQ(trace.UpdateTraceData(MakeBuffer(100, 48000.0, c.eTo).get(), nullptr, nullptr), 1);
        EXPECT_EQ(std::make_pair(trace.GetCurrentMinYData(), trace.GetCurrentMaxYData()),
                  c.bReset ? std::make_pair(-1000.0, 1000.0) : std::make_pair(-50.0, 70.0));
    }
}
