#include "host/settings/FFTParametersSettings.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/SharedMeasurementData.h"
#include "host/sim/MeasurementEngine.h"
#include "host/sim/SignalGenerator.h"
#include "host/units/References.h"
#include "support/LogCapture.h"
#include "support/HostDocFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <new>
#include <thread>
#include <tuple>
#include <vector>

// GCC takes the malloc/free pair below for a mismatch; it is the standard
// way to replace the global allocator.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Counts heap allocations made by the current thread while switched on.
namespace {
thread_local bool t_bCountAllocations = false;
thread_local int t_iAllocations = 0;
} // namespace

void* operator new(std::size_t size)
{
    if (t_bCountAllocations) ++t_iAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr double kFullScale = SReferences::kFullScaleHex;
constexpr double kRmsFullScaleSine = SReferences::kFullScaleSineHex;

SChannelSignal Tone(double dFrequency, double dLeveldBFS)
{
    SChannelSignal signal;
    signal.dFrequency = dFrequency;
    signal.dLeveldBFS = dLeveldBFS;
    return signal;
}

std::vector<double> Contents(const CSampleBuffer& buffer, double dFactor = 1.0)
{
    std::vector<double> ad(static_cast<size_t>(buffer.GetSize()));
    buffer.GetDataAsDouble(ad.data(), 0, buffer.GetSize(), dFactor);
    return ad;
}

// The strongest bin within +/-3 bins of a frequency, in dBFS.
double PeakdBFS(const CFFTBuffer& fft, double dFrequency, double dBinWidth)
{
    const int iCentre = static_cast<int>(std::lround(dFrequency / dBinWidth));
    double dMax = 0.0;
    for (int k = std::max(iCentre - 3, 0); k <= std::min(iCentre + 3, fft.GetSize() - 1); ++k)
        dMax = std::max(dMax, fft.GetAt(k));
    return 10.0 * std::log10(dMax);
}

template <class Pred> bool WaitFor(Pred pred)
{
    // Generous: only a stuck thread takes this long.
    for (int i = 0; i < 2000 && !pred(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return pred();
}

class SimEngine : public ::testing::Test {
protected:
    SEngineConfig Config(int iLength, WINDOWFUNCTION eWindow)
    {
        SEngineConfig config;
        config.iFFTLength = iLength;
        config.eWindow = eWindow;
        return config;
    }

    CSharedMeasurementData m_Data{1024};
    CSignalGenerator m_Generator;
};

} // namespace

TEST_F(SimEngine, FlatTopSpectrumReadsToneAndHarmonicLevels)
{
    SChannelSignal signal = Tone(1000.0, -20.0);
    signal.aHarmonics = {{2, -40.0}, {3, -55.0}};
    ASSERT_TRUE(m_Generator.SetChannelSignal(0, signal));
    CMeasurementEngine engine(m_Generator, m_Data, Config(16384, WINDOW_FLATTOP));
    ASSERT_TRUE(engine.RunBlock());

    const CFFTBuffer& fft = *m_Data.GetFFTBuffer(0);
    ASSERT_EQ(fft.GetSize(), 8192);
    const double dBinWidth = 48000.0 / 16384.0;
    struct Line { double dFrequency, ddBFS; };
    for (const Line& line : {Line{1000.0, -20.0}, Line{2000.0, -60.0}, Line{3000.0, -75.0}})
        EXPECT_NEAR(PeakdBFS(fft, line.dFrequency, dBinWidth), line.ddBFS, 0.1) << line.dFrequency;
    // Away from the lines only rounding noise is left.
    EXPECT_LT(PeakdBFS(fft, 5000.0, dBinWidth), -120.0);
}

TEST_F(SimEngine, ScopeBufferHoldsTheGeneratorsBlocksAsFractionsOfFullScale)
{
    SChannelSignal signal = Tone(997.0, -6.0);
    signal.dNoisedBFS = -60.0;
    ASSERT_TRUE(m_Generator.SetChannelSignal(0, signal));
    CSignalGenerator reference;
    ASSERT_TRUE(reference.SetChannelSignal(0, signal));
    CMeasurementEngine engine(m_Generator, m_Data, Config(1024, WINDOW_HANN));

    std::vector<double> adExpected(1024);
    for (int iBlock = 0; iBlock < 2; ++iBlock) {
        ASSERT_TRUE(engine.RunBlock());
        reference.Generate(0, adExpected.data(), 1024);
        for (double& d : adExpected) d /= kFullScale;
        const std::vector<double> adScope = Contents(*m_Data.GetSampleBuffer(0));
        ASSERT_EQ(adScope.size(), adExpected.size());
        for (size_t i = 0; i < adScope.size(); ++i) ASSERT_DOUBLE_EQ(adScope[i], adExpected[i]) << iBlock << " " << i;
    }
    EXPECT_EQ(engine.GetBlockCount(), 2);
}

TEST_F(SimEngine, CTEnvelopeOfASteadySineIsFlatAtItsRms)
{
    ASSERT_TRUE(m_Generator.SetChannelSignal(0, Tone(1000.0, -20.0)));
    CMeasurementEngine engine(m_Generator, m_Data, Config(1024, WINDOW_HANN));
    const double dExpected = 0.1 * kRmsFullScaleSine / kFullScale;
    ASSERT_TRUE(engine.RunBlock());
    // The first block starts from silence: the envelope rises over 1 ms.
    std::vector<double> adFirst = Contents(*m_Data.GetCTSampleBuffer(0));
    EXPECT_LT(adFirst[10], dExpected * 0.9);
    ASSERT_TRUE(engine.RunBlock());
    const std::vector<double> adSecond = Contents(*m_Data.GetCTSampleBuffer(0));
    ASSERT_EQ(adSecond.size(), 1024u);
    for (size_t i = 0; i < adSecond.size(); ++i)
        ASSERT_NEAR(20.0 * std::log10(adSecond[i] / dExpected), 0.0, 0.01) << i;
    for (size_t i = 48; i < adFirst.size(); ++i) ASSERT_NEAR(adFirst[i], adSecond[i], 1e-6 * dExpected) << i;
}

TEST_F(SimEngine, ChannelInfoAndSizesFollowTheConfiguration)
{
    CLogCapture log;
    CMeasurementEngine engine(m_Generator, m_Data, Config(1024, WINDOW_HANN));
    SEngineConfig bigger = Config(4096, WINDOW_FLATTOP);
    bigger.dSampleRate = 96000.0;
    ASSERT_TRUE(engine.SetConfig(bigger));
    ASSERT_TRUE(engine.RunBlock());
    EXPECT_EQ(m_Data.GetFFTSize(), 4096);
    for (int iChannel = 0; iChannel < 2; ++iChannel) {
        const CSharedMeasurementData::SChannelInfo& info = *m_Data.GetChannelInfo(iChannel);
        EXPECT_EQ(std::make_tuple(info.dSampleRate, info.iDataSize, info.eSourceKind, info.bNewData),
                  std::make_tuple(96000.0, 4096, SOURCE_ANALOGUE, true));
        EXPECT_TRUE(m_Data.IsNewFFTDataValid(iChannel));
        EXPECT_EQ(std::make_tuple(m_Data.GetSampleBuffer(iChannel)->GetSize(), m_Data.GetCTSampleBuffer(iChannel)->GetSize(),
                                  m_Data.GetFFTBuffer(iChannel)->GetSize()), std::make_tuple(4096, 4096, 2048));
        EXPECT_EQ(m_Data.GetFFTBuffer(iChannel)->GetSampleRate(), 96000.0);
    }
    EXPECT_EQ(m_Generator.GetSampleRate(), 96000.0);

    // Refused configurations leave the last good one in place.
    for (const SEngineConfig& bad : {Config(1000, WINDOW_HANN), Config(1, WINDOW_HANN), Config(1 << 21, WINDOW_HANN),
                                     Config(1024, WINDOW_USER), SEngineConfig{0.0, 1024, WINDOW_HANN},
                                     SEngineConfig{NAN, 1024, WINDOW_HANN}})
        EXPECT_FALSE(engine.SetConfig(bad));
    EXPECT_EQ(log.Asserts(), 6);
    EXPECT_EQ(std::make_pair(engine.GetConfig().iFFTLength, engine.GetConfig().eWindow), std::make_pair(4096, WINDOW_FLATTOP));
}

using SimEngineSettings = HostDocFixture;

TEST_F(SimEngineSettings, ConfigurationComesFromTheInstalledSettings)
{
    ASSERT_TRUE(Settings()->GetFFTParametersSettings()->SetFFTLength(2048));
    ASSERT_TRUE(Settings()->GetFFTParametersSettings()->SetProperty(PROP_FFT_WINDOW, int(WINDOW_FLATTOP)));
    Settings()->GetAnalyserSettings()->SetAnalyserSampleRate(44100.0);
    const SEngineConfig config = EngineConfigFromSettings();
    EXPECT_EQ(std::make_tuple(config.iFFTLength, config.eWindow, config.dSampleRate), std::make_tuple(2048, WINDOW_FLATTOP, 44100.0));

    // A window we cannot compute falls back to Blackman-Harris.
    ASSERT_TRUE(Settings()->GetFFTParametersSettings()->SetProperty(PROP_FFT_WINDOW, int(WINDOW_USER)));
    EXPECT_EQ(EngineConfigFromSettings().eWindow, WINDOW_BLACKMANHARRIS4);

    InstallMeasurementSettings(nullptr);
    const SEngineConfig defaults = EngineConfigFromSettings();
    EXPECT_EQ(std::make_tuple(defaults.iFFTLength, defaults.eWindow, defaults.dSampleRate),
              std::make_tuple(16384, WINDOW_BLACKMANHARRIS4, 48000.0));
}

TEST_F(SimEngine, BlocksAreWrittenUnderTheSharedLockAndReuseTheirMemory)
{
    CMeasurementEngine engine(m_Generator, m_Data, Config(1024, WINDOW_BLACKMANHARRIS4));
    int iPublished = 0;
    engine.SetPublishObserver([&] {
        ++iPublished;
        EXPECT_TRUE(m_Data.GetLock().IsLockedByCurrentThread() && m_Data.GetChannelInfo(1)->bNewData);
        EXPECT_EQ(m_Data.GetSampleBuffer(1)->GetSize(), 1024);
    });
    ASSERT_TRUE(engine.RunBlock());
    EXPECT_FALSE(m_Data.GetLock().IsLockedByCurrentThread());
    EXPECT_EQ(m_Data.GetLock().GetLockCount(), 0);

    t_iAllocations = 0;
    t_bCountAllocations = true;
    const bool bOk = engine.RunBlock() && engine.RunBlock();
    t_bCountAllocations = false;
    EXPECT_TRUE(bOk);
    EXPECT_EQ(t_iAllocations, 0);
    EXPECT_EQ(iPublished, 3);
}

TEST_F(SimEngine, ThreadRunsBlocksUntilStopped)
{
    CLogCapture log;
    CMeasurementEngine engine(m_Generator, m_Data, Config(1024, WINDOW_HANN));
    EXPECT_FALSE(engine.Start(0, nullptr) || engine.Start(CMeasurementEngine::kMaxBlocksPerSecond + 1, nullptr));
    EXPECT_EQ(log.Asserts(), 2);

    std::atomic<int> iCallbacks{0};
    ASSERT_TRUE(engine.Start(25, [&] {
        ++iCallbacks;
        EXPECT_FALSE(m_Data.GetLock().IsLockedByCurrentThread());
    }));
    EXPECT_TRUE(engine.IsRunning());
    EXPECT_FALSE(engine.Start(25, nullptr));
    EXPECT_TRUE(WaitFor([&] { return iCallbacks.load() >= 3; }));
    engine.Stop();
    EXPECT_FALSE(engine.IsRunning());
    const long long iBlocks = engine.GetBlockCount();
    EXPECT_GE(iBlocks, 3);
    EXPECT_EQ(iCallbacks.load(), iBlocks);

    // It starts again after a stop, and may be stopped from its own callback.
    ASSERT_TRUE(engine.Start(50, [&] {
        if (++iCallbacks >= iBlocks + 2) engine.Stop();
    }));
    EXPECT_TRUE(WaitFor([&] { return !engine.IsRunning(); }));
    EXPECT_EQ(engine.GetBlockCount(), iBlocks + 2);
}

TEST_F(SimEngine, DestroyingARunningEngineStopsItsThread)
{
    std::atomic<int> iCallbacks{0};
    {
        CMeasurementEngine engine(m_Generator, m_Data, Config(1024, WINDOW_HANN));
        ASSERT_TRUE(engine.Start(10, [&] { ++iCallbacks; }));
        EXPECT_TRUE(WaitFor([&] { return iCallbacks.load() >= 1; }));
    }
    EXPECT_GE(iCallbacks.load(), 1);
    EXPECT_EQ(m_Data.GetLock().GetLockCount(), 0);
}
