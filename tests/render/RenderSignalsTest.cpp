// The built-in signals and the FFT that turns them into spectra: transforms
// worked by hand, power scaling, tone levels, harmonics, noise floor.

#include "host/numeric/RealFFT.h"
#include "host/sim/StaticSignals.h"
#include "host/units/References.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>

namespace {

constexpr double kFullScaleSine = SReferences::kFullScaleSineHex;

double PowerTodBFS(double dPower) { return 10.0 * std::log10(dPower / (kFullScaleSine * kFullScaleSine)); }

// A tone's level as an analyser's band reading gives it: the power of the
// bins around it divided by the window's noise bandwidth, which undoes the
// spreading and scalloping of the window.
double BandLeveldBFS(const std::vector<double>& adPowers, int iCentre, int iHalfWidth, double dNoiseBandwidth)
{
    double dSum = 0.0;
    for (int k = iCentre - iHalfWidth; k <= iCentre + iHalfWidth; ++k) dSum += adPowers[static_cast<size_t>(k)];
    return PowerTodBFS(dSum / dNoiseBandwidth);
}

int PeakBin(const std::vector<double>& adPowers, int iFrom, int iTo)
{
    return static_cast<int>(std::max_element(adPowers.begin() + iFrom, adPowers.begin() + iTo) - adPowers.begin());
}

} // namespace

// ---- The transform ---------------------------------------------------------------------

TEST(RenderFFT, KnownTransforms)
{
    // Worked by hand from X(k) = sum of x(j) e^(-2 pi i j k / n): a ramp 0 .. n-1
    // gives -n/2 + i (n/2) cot(pi k / n) for k > 0; an impulse is flat; a
    // cosine on bin 5 of 64 is 32 there and nothing elsewhere.
    using C = std::complex<double>;
    std::vector<double> adCosine(64);
    for (int j = 0; j < 64; ++j) adCosine[size_t(j)] = std::cos(2.0 * std::numbers::pi * 5 * j / 64);
    std::vector<C> aCosine(33);
    aCosine[5] = 32.0;
    std::vector<double> adImpulse(256);
    adImpulse[0] = 1.0;
    const struct { std::vector<double> x; std::vector<C> X; } aCases[] = {
        {{3, -1}, {2.0, 4.0}},
        {{1, 2, 3, 4}, {10.0, C(-2, 2), -2.0}},
        {{0, 1, 2, 3, 4, 5, 6, 7}, {28.0, C(-4, 4 + 4 * std::sqrt(2.0)), C(-4, 4), C(-4, 4 * std::sqrt(2.0) - 4), -4.0}},
        {{1, -1, 1, -1, 1, -1, 1, -1}, {0.0, 0.0, 0.0, 0.0, 8.0}},
        {adCosine, aCosine},
        {adImpulse, std::vector<C>(129, 1.0)},
    };
    for (const auto& c : aCases) {
        std::vector<C> aOut;
        ASSERT_TRUE(RealFFT(c.x, aOut)) << c.x.size();
        ASSERT_EQ(aOut.size(), c.X.size());
        for (size_t k = 0; k < aOut.size(); ++k) EXPECT_NEAR(std::abs(aOut[k] - c.X[k]), 0.0, 1e-9) << c.x.size() << " k=" << k;
    }
}

TEST(RenderFFT, RefusesSizesThatAreNotPowersOfTwo)
{
    for (int n : {0, 1, 3, 6, 1000, 1025}) {
        std::vector<std::complex<double>> out(5);
        EXPECT_FALSE(RealFFT(std::vector<double>(static_cast<size_t>(n), 1.0), out)) << n;
        EXPECT_TRUE(out.empty()) << n;
    }
    std::vector<std::complex<double>> data(6, {1.0, 0.0});
    EXPECT_FALSE(ComplexFFT(data));
    EXPECT_EQ(data[5], std::complex<double>(1.0, 0.0));
}

// ---- Power scaling -------------------------------------------------------------------------

TEST(RenderSpectrum, BinCentredSineReadsItsMeanSquareThroughEveryWindow)
{
    constexpr int n = 256;
    constexpr int kBin = 20;
    constexpr double dPeak = 1.0e6;
    std::vector<double> x(n);
    for (int j = 0; j < n; ++j) x[j] = dPeak * std::cos(2.0 * std::numbers::pi * kBin * j / n + 0.3);
    for (WINDOWFUNCTION eWindow : {WINDOW_RECTANGULAR, WINDOW_HANN, WINDOW_HAMMING, WINDOW_BLACKMAN,
                                   WINDOW_BLACKMANHARRIS4, WINDOW_FLATTOP}) {
        const auto adPowers = PowerSpectrum(x, MakeWindow(eWindow, n));
        ASSERT_EQ(adPowers.size(), static_cast<size_t>(n / 2 + 1));
        EXPECT_NEAR(adPowers[kBin] / (dPeak * dPeak / 2.0), 1.0, 1e-9) << eWindow;
        EXPECT_EQ(PeakBin(adPowers, 0, n / 2 + 1), kBin) << eWindow;
    }
}

TEST(RenderSpectrum, ParsevalHoldsForTheWindowedBlock)
{
    constexpr int n = 1024;
    const auto adSamples = MakeSamples(GetBuiltInSignal(0), n);
    const auto adWindow = MakeWindow(WINDOW_BLACKMANHARRIS4, n);
    const auto adPowers = PowerSpectrum(adSamples, adWindow);
    double dTimeEnergy = 0.0;
    for (int j = 0; j < n; ++j) dTimeEnergy += std::pow(adSamples[j] * adWindow[j], 2);
    const double dSum = std::accumulate(adWindow.begin(), adWindow.end(), 0.0);
    const double dFrequencyEnergy = std::accumulate(adPowers.begin(), adPowers.end(), 0.0) * dSum * dSum / n;
    EXPECT_NEAR(dFrequencyEnergy / dTimeEnergy, 1.0, 1e-9);
}

TEST(RenderSpectrum, NoiseBandwidthOfKnownWindows)
{
    const struct {
        WINDOWFUNCTION eWindow;
        double dBins;
    } cases[] = {{WINDOW_RECTANGULAR, 1.0}, {WINDOW_HANN, 1.5}, {WINDOW_BLACKMANHARRIS4, 2.0044}};
    for (const auto& c : cases) EXPECT_NEAR(NoiseBandwidthBins(MakeWindow(c.eWindow, 4096)), c.dBins, 1e-3) << c.eWindow;
    EXPECT_EQ(NoiseBandwidthBins({}), 0.0);
    EXPECT_EQ(NoiseBandwidthBins({0.0, 0.0}), 0.0);
}

TEST(RenderSpectrum, BadRequestsGiveEmptyResults)
{
    EXPECT_TRUE(PowerSpectrum(std::vector<double>(64, 1.0), MakeWindow(WINDOW_HANN, 32)).empty());
    EXPECT_TRUE(PowerSpectrum(std::vector<double>(48, 1.0), MakeWindow(WINDOW_HANN, 48)).empty());
    EXPECT_TRUE(PowerSpectrum(std::vector<double>(64, 1.0), std::vector<double>(64, 0.0)).empty());
    EXPECT_TRUE(MakeWindow(WINDOW_HANN, 0).empty());
    const SSignal signal = GetBuiltInSignal(0);
    for (SSpectrumSettings settings : {SSpectrumSettings{1000, WINDOW_HANN, 1}, SSpectrumSettings{1, WINDOW_HANN, 1},
                                       SSpectrumSettings{1024, WINDOW_HANN, 0},
                                       SSpectrumSettings{1 << 20, WINDOW_HANN, 1 << 20}})
        EXPECT_TRUE(MakeSpectrum(signal, settings).empty()) << settings.iLength << " x " << settings.iAverages;
    EXPECT_TRUE(MakeSamples(signal, -5).empty());
}

// ---- The built-in signals ------------------------------------------------------------------

TEST(RenderSignals, SamplesAre24BitRepeatableAndExtendable)
{
    const SSignal signal = GetBuiltInSignal(0);
    const auto adShort = MakeSamples(signal, 1024);
    const auto adLong = MakeSamples(signal, 4096);
    ASSERT_EQ(adShort.size(), 1024u);
    EXPECT_TRUE(std::equal(adShort.begin(), adShort.end(), adLong.begin()));
    EXPECT_EQ(adShort, MakeSamples(signal, 1024));
    for (double v : adLong) {
        EXPECT_EQ(v, std::round(v));
        EXPECT_LE(std::fabs(v), SReferences::kFullScaleHex);
    }
    // A -6 dBFS sine peaks at half of full scale.
    const double dPeak = *std::max_element(adLong.begin(), adLong.end());
    EXPECT_NEAR(dPeak / SReferences::kFullScaleHex, std::pow(10.0, -6.0 / 20.0), 0.01);
    EXPECT_NE(MakeSamples(GetBuiltInSignal(1), 64), MakeSamples(signal, 64));
}

TEST(RenderSignals, OverloadSaturatesAtDigitalFullScale)
{
    SSignal signal;
    signal.aTones = {{1000.0, 6.0}};
    const auto adSamples = MakeSamples(signal, 480);
    EXPECT_EQ(*std::max_element(adSamples.begin(), adSamples.end()), SReferences::kFullScaleHex);
    EXPECT_EQ(*std::min_element(adSamples.begin(), adSamples.end()), -SReferences::kFullScaleHex);
}

TEST(RenderSignals, ToneLevelsAndHarmonicsReadBackFromTheSpectrum)
{
    const SSpectrumSettings settings;
    const double dBinWidth = 48000.0 / settings.iLength;
    const double dBandwidth = NoiseBandwidthBins(MakeWindow(settings.eWindow, settings.iLength));
    const struct {
        int iChannel;
        double dFrequency;
        double dLevel;
    } cases[] = {{0, 1000.0, -6.0}, {0, 3000.0, -40.0}, {1, 3000.0, -12.0}, {1, 6000.0, -70.0}};
    for (const auto& c : cases) {
        const auto adPowers = MakeSpectrum(GetBuiltInSignal(c.iChannel), settings);
        ASSERT_EQ(adPowers.size(), static_cast<size_t>(settings.iLength / 2 + 1));
        const int iExpected = static_cast<int>(std::lround(c.dFrequency / dBinWidth));
        const int iPeak = PeakBin(adPowers, iExpected - 20, iExpected + 20);
        EXPECT_EQ(iPeak, iExpected) << c.dFrequency;
        EXPECT_NEAR(BandLeveldBFS(adPowers, iPeak, 6, dBandwidth), c.dLevel, 0.1) << c.iChannel << " " << c.dFrequency;
    }
    // The third harmonic of channel A lies 34 dB below its fundamental.
    const auto adPowers = MakeSpectrum(GetBuiltInSignal(0), settings);
    const double dFundamental = BandLeveldBFS(adPowers, PeakBin(adPowers, 150, 190), 6, dBandwidth);
    const double dThird = BandLeveldBFS(adPowers, PeakBin(adPowers, 500, 524), 6, dBandwidth);
    EXPECT_NEAR(dFundamental - dThird, 34.0, 0.1);
}

TEST(RenderSignals, TotalPowerAndNoiseFloorAreThoseOfTheSignal)
{
    const SSpectrumSettings settings;
    const SSignal signal = GetBuiltInSignal(0);
    const auto adPowers = MakeSpectrum(signal, settings);
    const double dBandwidth = NoiseBandwidthBins(MakeWindow(settings.eWindow, settings.iLength));

    double dExpected = std::pow(dBFSToRms(signal.dNoisedBFS), 2);
    for (const STone& tone : signal.aTones) dExpected += std::pow(dBFSToRms(tone.dLeveldBFS), 2);
    const double dTotal = std::accumulate(adPowers.begin(), adPowers.end(), 0.0) / dBandwidth;
    EXPECT_NEAR(10.0 * std::log10(dTotal / dExpected), 0.0, 0.1);

    // Far from the tones the floor is the noise spread over the bins.
    std::vector<double> adFloor(adPowers.begin() + 1500, adPowers.end() - 1);
    std::nth_element(adFloor.begin(), adFloor.begin() + adFloor.size() / 2, adFloor.end());
    const double dMedian = PowerTodBFS(adFloor[adFloor.size() / 2]);
    EXPECT_GT(dMedian, -140.0);
    EXPECT_LT(dMedian, -120.0);
}
