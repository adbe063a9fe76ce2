// New measurement data reaching the document: which traces are fed, the
// guards that drop a delivery, the hints, the buffer scale factor, and a
// simulated sine read back in volts.

#include "GraphDocFixture.h"

#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/SharedMeasurementData.h"
#include "host/sim/MeasurementEngine.h"
#include "host/sim/SignalGenerator.h"
#include "host/units/References.h"
#include "host/units/UnitIds.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/BufferScale.h"

#include <algorithm>
#include <cmath>

namespace {

// Samples and FFT bins of one block as the engine would leave them.
void Publish(CSharedMeasurementData& data, int iFFTLength, double dRate = 48000.0)
{
    if (data.GetFFTSize() != iFFTLength) data.Rebuild(iFFTLength);
    for (int iChannel = 0; iChannel < 2; ++iChannel) {
        for (CSampleBuffer* p : {static_cast<CSampleBuffer*>(data.GetSampleBuffer(iChannel)),
                                 static_cast<CSampleBuffer*>(data.GetFFTBuffer(iChannel))}) {
            for (int i = 0; i < p->GetMaxSize(); ++i) p->SetAt(i, 0.25);
            p->SetSize(p->GetMaxSize());
            p->SetSampleRate(dRate);
        }
        data.GetChannelInfo(iChannel)->bNewFFTDataValid = true;
    }
}

class GraphDocLive : public GraphDocFixture {
protected:
    CSharedMeasurementData& Data() { return *m_host.GetSettingsService()->GetSharedMeasurementData(); }
    CAnalogueInputsSettings& Inputs() { return *m_host.GetSettingsService()->GetAnalogueInputsSettings(); }

    CTestTrace* AddLive(TraceType eType, ChannelNumber eChannel, int bOn = 1) { return Add(eType, eChannel, 0, 1, bOn); }
    std::vector<LPARAM> GraphHints() const { return HintsFor(nullptr); }
    static std::vector<int> Sizes(std::initializer_list<CQXTrace*> apTraces)
    {
        std::vector<int> aiSizes;
        for (CQXTrace* p : apTraces) aiSizes.push_back(p->GetDataSize());
        return aiSizes;
    }
};

TEST_F(GraphDocLive, GuardedDeliveryChangesNothingAndSendsNoHint)
{
    struct SCase { const char* szName; bool bExport; bool bUnlockedAndSkipped; };
    CTestTrace* pFFT = AddLive(TT_FFT, CHANNEL_A);
    const int iSize = pFFT->GetDataSize();
    Publish(Data(), 256);
    for (const SCase& c : {SCase{"export", true, false}, SCase{"unlocked", false, true}}) {
        SCOPED_TRACE(c.szName);
        m_pDoc->SetInExport(c.bExport ? 1 : 0);
        CAnalyserSettings* pAnalyser = m_host.GetSettingsService()->GetAnalyserSettings();
        pAnalyser->SetProperty(PROP_ANA_SAMPLE_RATE_CHA, c.bUnlockedAndSkipped ? -1.0 : 48000.0);
        pAnalyser->SetProperty(PROP_ANA_SKIP_WHEN_UNLOCKED, c.bUnlockedAndSkipped ? 1 : 0);
        const size_t iUpdates = m_host.GetUpdates().size();

        m_pDoc->NewMathThreadData(CHANNEL_BOTH, 0);
        EXPECT_EQ(pFFT->GetDataSize(), iSize);
        EXPECT_FALSE(pFFT->GetComputeRequired());
        EXPECT_EQ(m_host.GetUpdates().size(), iUpdates);
    }
}

TEST_F(GraphDocLive, FeedsInUseTracesThatAreOnOrWhoseComputeTraceIsOn)
{
    CTestTrace* pOn = AddLive(TT_FFT, CHANNEL_A);
    CTestTrace* pOffWithCompute = AddLive(TT_FFT, CHANNEL_A, 0);
    CTestTrace* pOff = AddLive(TT_FFT, CHANNEL_A, 0);
    CTestTrace* pCompute = AddLive(TT_FFT, CHANNEL_A);
    pCompute->SetLive(0);
    pOffWithCompute->SetComputeTrace(pCompute);
    Publish(Data(), 256);

    m_pDoc->NewMathThreadData(CHANNEL_A, 1);
    // The compute trace itself is not live: never fed.
    EXPECT_EQ(Sizes({pOn, pOffWithCompute, pOff, pCompute}), (std::vector<int>{129, 129, 64, 64}));
    // Without a compute list there is nothing to re-run: no mark stays.
    EXPECT_FALSE(pOffWithCompute->GetComputeRequired());
    pOffWithCompute->SetComputeTrace(nullptr);
}

TEST_F(GraphDocLive, AutoRangeFailureOnBFeedsOnlyA)
{
    const std::initializer_list<CQXTrace*> apTraces = {AddLive(TT_SCOPE, CHANNEL_A), AddLive(TT_FFT, CHANNEL_A),
                                                       AddLive(TT_SCOPE, CHANNEL_B), AddLive(TT_FFT, CHANNEL_B)};
    Publish(Data(), 256);
    Inputs().SetAutoRangeFailed(1, true);
    m_pDoc->NewMathThreadData(CHANNEL_BOTH, 0);
    EXPECT_EQ(Sizes(apTraces), (std::vector<int>{256, 129, 64, 64}));
}

TEST_F(GraphDocLive, RefillSizesReuseAndHints)
{
    CTestTrace* pFFT = AddLive(TT_FFT, CHANNEL_A);
    CTestTrace* pInterpolated = AddLive(TT_FFT, CHANNEL_B);
    pInterpolated->SetInterpolated(1);
    Publish(Data(), 256); // 128 bins

    m_pDoc->NewMathThreadData(CHANNEL_BOTH, 0);
    EXPECT_EQ(Sizes({pFFT, pInterpolated}), (std::vector<int>{129, 8 * 129}));
    EXPECT_DOUBLE_EQ(pFFT->GetYDataBuffer(0)[5], 0.25 * SReferences::kFullScaleSineHex * SReferences::kFullScaleSineHex);
    EXPECT_EQ(GraphHints().back(), UPDATE_GRAPH_REDRAWALL); // the range grew

    const double* pdBefore = pFFT->GetYDataBuffer(0);
    m_pDoc->NewMathThreadData(CHANNEL_BOTH, 0);
    EXPECT_EQ(pFFT->GetYDataBuffer(0), pdBefore);
    EXPECT_EQ(GraphHints().back(), UPDATE_GRAPH_TRACES);
}

TEST_F(GraphDocLive, DeliveryChecksTheLimitsOfLiveSpectra)
{
    CTestTrace* pFFT = AddLive(TT_FFT, CHANNEL_A);
    pFFT->CreateXScale();
    pFFT->CreateYScale();
    Publish(Data(), 256);
    m_pDoc->NewMathThreadData(CHANNEL_A, 0);

    // An upper limit far below the delivered level, over the whole trace,
    // in the storage unit so that it reads as data.
    pFFT->SetYUnit(UNIT_HEX);
    auto* pLine = new CLimitLine(pFFT, 1, 0);
    CLimitTable* pTable = pLine->EnsureLimitTable();
    for (int iPos : {0, pFFT->GetDataSize() - 1})
        pTable->AddPoint(pFFT->GetXValueAtPos(iPos, pTable->GetXUnit()), 1.0, 1, POLARITY_NONE);
    pFFT->SetLimitLineForTrace(pLine, TT_MAXLIMITLINE, 1, 0, 0);
    ASSERT_FALSE(pFFT->GetMaxLimitBreached());

    m_pDoc->NewMathThreadData(CHANNEL_A, 0);
    EXPECT_TRUE(pFFT->GetMaxLimitBreached());
}

TEST_F(GraphDocLive, BufferScaleFactorByKindModeAndRange)
{
    constexpr double kHex = SReferences::kFullScaleHex;
    constexpr double kSine = SReferences::kFullScaleSineHex;
    struct SCase { const char* szName; SBufferScaleInputs in; double dExpected; };
    // Kind, jitter, analogue, impulse relative, RMS relative, calibration, largest range mV, range V.
    const SCase aCases[] = {
        {"analogue scope", {TT_SCOPE, false, true, false, false, 1.0, 1000.0, 1.0}, std::sqrt(2.0) * kHex},
        {"analogue FFT", {TT_FFT, false, true, false, false, 1.0, 1000.0, 1.0}, 2.0 * kSine * kSine},
        {"jitter scope", {TT_SCOPE, true, false, false, false, 2.0, 0.0, 0.0}, 2.0 * kHex},
        {"jitter FFT", {TT_FFT, true, false, false, false, 2.0, 0.0, 0.0}, kSine * kSine},
        {"relative RMS CT", {TT_CTDET, false, false, false, true, 1.0, 0.0, 0.0}, kSine},
        {"relative impulse FFT", {TT_FFT, false, true, true, false, 1.0, 1000.0, 1.0}, 2.0},
        {"no largest range", {TT_SCOPE, false, true, false, false, 1.0, 0.0, 1.0}, kHex},
        {"filter", {TT_FILTER, false, true, false, false, 1.0, 1000.0, 1.0}, 1.0},
    };
    for (const SCase& c : aCases) EXPECT_NEAR(BufferScaleFactor(c.in), c.dExpected, 1e-6 * c.dExpected) << c.szName;

    // The document reads the same from the host's settings.
    Inputs().SetMaxmVValue(0, 1000.0);
    Inputs().SetCurrentRangeInV(0, 1.0);
    CTestTrace* pScope = AddLive(TT_SCOPE, CHANNEL_A);
    pScope->SetTestMode(CQXTrace::eModeAnalogue);
    EXPECT_NEAR(m_pDoc->GetTraceBufferScaleFactor(pScope), 11863281.79, 0.005);
}

TEST_F(GraphDocLive, OneVoltSineFromTheEngineReadsZeroDBVAtItsPeak)
{
    ASSERT_EQ(m_pDoc->Initialise(), 1);
    CSignalGenerator generator;
    SChannelSignal signal;
    signal.dFrequency = 1000.0;
    signal.dLeveldBFS = 20.0 * std::log10(1.0 / Inputs().GetCurrentRangeInV(0));
    ASSERT_TRUE(generator.SetChannelSignal(0, signal));
    SEngineConfig config;
    config.iFFTLength = 16384;
    config.eWindow = WINDOW_FLATTOP;
    CMeasurementEngine engine(generator, Data(), config);
    ASSERT_TRUE(engine.RunBlock());

    m_pDoc->NewMathThreadData(CHANNEL_BOTH, 0);
    CQXTrace* pFFT = m_pDoc->GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1);
    ASSERT_NE(pFFT, nullptr);
    ASSERT_EQ(pFFT->GetDataSize(), 8193);
    const double* pdY = pFFT->GetYDataBuffer(0);
    const double dPeak = *std::max_element(pdY, pdY + 8192);
    EXPECT_NEAR(pFFT->GetYValueForData(dPeak, UNIT_DBV, 0, 0), 0.0, 0.05);
}

} // namespace
