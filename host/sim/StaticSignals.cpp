#include "host/sim/StaticSignals.h"

#include "host/numeric/RealFFT.h"
#include "host/units/UnitMath.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <random>

namespace {

double To24Bit(double dValue) { return std::clamp(std::round(dValue), -kFullScaleHex, kFullScaleHex); }

} // namespace

double CGaussianNoise::Next()
{
    if (m_bHaveSpare) {
        m_bHaveSpare = false;
        return m_dSpare;
    }
    const double u1 = Uniform();
    const double u2 = Uniform();
    const double r = std::sqrt(-2.0 * std::log(u1));
    m_dSpare = r * std::sin(2.0 * std::numbers::pi * u2);
    m_bHaveSpare = true;
    return r * std::cos(2.0 * std::numbers::pi * u2);
}

SSignal GetBuiltInSignal(int iChannel)
{
    SSignal signal;
    if (iChannel == 1) {
        signal.aTones = {{3000.0, -12.0}, {6000.0, -70.0}};
        signal.uSeed = 2;
    } else {
        signal.aTones = {{1000.0, -6.0}, {3000.0, -40.0}};
        signal.uSeed = 1;
    }
    return signal;
}

double dBFSToRms(double ddBFS) { return kFullScaleSineHex * std::pow(10.0, ddBFS / 20.0); }

std::vector<double> MakeSamples(const SSignal& signal, int iCount)
{
    std::vector<double> adSamples(static_cast<size_t>(std::max(iCount, 0)));
    if (adSamples.empty() || !(signal.dSampleRate > 0.0)) return std::vector<double>(adSamples.size(), 0.0);
    CGaussianNoise noise(signal.uSeed);
    const double dNoiseRms = dBFSToRms(signal.dNoisedBFS);
    for (size_t i = 0; i < adSamples.size(); ++i) {
        const double t = static_cast<double>(i) / signal.dSampleRate;
        double dValue = dNoiseRms * noise.Next();
        for (const STone& tone : signal.aTones)
            dValue += std::sqrt(2.0) * dBFSToRms(tone.dLeveldBFS) * std::sin(2.0 * std::numbers::pi * tone.dFrequency * t);
        adSamples[i] = To24Bit(dValue);
    }
    return adSamples;
}

std::vector<double> MakeWindow(WINDOWFUNCTION eWindow, int n)
{
    std::vector<double> adWindow(static_cast<size_t>(std::max(n, 0)));
    for (size_t i = 0; i < adWindow.size(); ++i)
        adWindow[i] = WindowValue(eWindow, static_cast<double>(i) / static_cast<double>(n));
    return adWindow;
}

double NoiseBandwidthBins(const std::vector<double>& adWindow)
{
    double dSum = 0.0, dSumSquares = 0.0;
    for (double w : adWindow) {
        dSum += w;
        dSumSquares += w * w;
    }
    if (dSum == 0.0) return 0.0;
    return static_cast<double>(adWindow.size()) * dSumSquares / (dSum * dSum);
}

std::vector<double> PowerSpectrum(const std::vector<double>& adBlock, const std::vector<double>& adWindow)
{
    const size_t n = adBlock.size();
    if (n != adWindow.size() || n < 2 || !IsPowerOfTwo(static_cast<int>(std::min<size_t>(n, 1u << 30)))) return {};
    double dSum = 0.0;
    std::vector<double> adWindowed(n);
    for (size_t i = 0; i < n; ++i) {
        adWindowed[i] = adBlock[i] * adWindow[i];
        dSum += adWindow[i];
    }
    std::vector<std::complex<double>> aBins;
    if (dSum == 0.0 || !RealFFT(adWindowed, aBins)) return {};

    // A sine of peak A centred on bin k gives |X[k]| = A x sum(w) / 2; its
    // mean square A^2 / 2 is therefore 2 |X[k]|^2 / sum(w)^2. DC and the
    // Nyquist bin have no mirror image and take half of that factor.
    std::vector<double> adPowers(aBins.size());
    const double dScale = 2.0 / (dSum * dSum);
    for (size_t k = 0; k < aBins.size(); ++k) {
        const bool bEdge = k == 0 || k + 1 == aBins.size();
        adPowers[k] = std::norm(aBins[k]) * dScale * (bEdge ? 0.5 : 1.0);
    }
    return adPowers;
}

std::vector<double> MakeSpectrum(const SSignal& signal, const SSpectrumSettings& settings)
{
    const int n = settings.iLength;
    // Beyond 2^26 samples the request can only come from a corrupt setting.
    if (n < 2 || !IsPowerOfTwo(n) || settings.iAverages < 1 ||
        static_cast<long long>(n) * settings.iAverages > (1LL << 26))
        return {};
    const std::vector<double> adSamples = MakeSamples(signal, n * settings.iAverages);
    const std::vector<double> adWindow = MakeWindow(settings.eWindow, n);
    std::vector<double> adAverage(static_cast<size_t>(n / 2 + 1), 0.0);
    for (int iBlock = 0; iBlock < settings.iAverages; ++iBlock) {
        const auto first = adSamples.begin() + static_cast<std::ptrdiff_t>(iBlock) * n;
        const std::vector<double> adPowers = PowerSpectrum(std::vector<double>(first, first + n), adWindow);
        for (size_t k = 0; k < adAverage.size(); ++k) adAverage[k] += adPowers[k] / settings.iAverages;
    }
    return adAverage;
}
