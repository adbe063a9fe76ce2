#include "host/sim/SignalGenerator.h"

#include "host/app/DebugLog.h"
#include "host/buffers/SampleBuffer.h"

#include <cmath>
#include <numbers>

namespace {

bool IsPositiveFinite(double d) { return std::isfinite(d) && d > 0.0; }

// Phases are kept in cycles and wrapped each sample, so that hours of
// blocks lose no precision against a growing time index.
double Advance(double dPhase, double dStep)
{
    dPhase += dStep;
    return dPhase - std::floor(dPhase);
}

double SineAt(double dPhaseCycles, double dPeak) { return dPeak * std::sin(2.0 * std::numbers::pi * dPhaseCycles); }

double PeakOf(double ddBFS) { return std::numbers::sqrt2 * dBFSToRms(ddBFS); }

// Schroeder's phases, k^2 / (2n) cycles for tone k of n: the tones' peaks
// spread out, so that the sum stays far below the sum of the peaks.
std::vector<double> StartPhases(size_t n)
{
    std::vector<double> ad(n);
    for (size_t k = 0; k < n; ++k) {
        const double d = static_cast<double>(k * k) / (2.0 * static_cast<double>(n));
        ad[k] = d - std::floor(d);
    }
    return ad;
}

unsigned SeedFor(int iChannel) { return static_cast<unsigned>(iChannel) + 1u; }

} // namespace

CSignalGenerator::CSignalGenerator(double dSampleRate) : m_dSampleRate(48000.0)
{
    SetSampleRate(dSampleRate);
    for (int i = 0; i < kNumChannels; ++i) SetChannelSignal(i, SChannelSignal());
    Reset();
}

bool CSignalGenerator::SetSampleRate(double dRate)
{
    if (!QXVERIFY(IsPositiveFinite(dRate))) return false;
    m_dSampleRate = dRate;
    return true;
}

CSignalGenerator::SState* CSignalGenerator::State(int iChannel)
{
    if (!QXVERIFY(iChannel >= 0 && iChannel < kNumChannels)) return nullptr;
    return &m_aStates[iChannel];
}

const SChannelSignal* CSignalGenerator::GetChannelSignal(int iChannel) const
{
    if (!QXVERIFY(iChannel >= 0 && iChannel < kNumChannels)) return nullptr;
    return &m_aStates[iChannel].signal;
}

bool CSignalGenerator::SetChannelSignal(int iChannel, const SChannelSignal& signal)
{
    SState* pState = State(iChannel);
    if (!pState) return false;
    bool bValid = IsPositiveFinite(signal.dFrequency) && std::isfinite(signal.dLeveldBFS) &&
                  (!signal.bSecondTone || IsPositiveFinite(signal.dSecondFrequency));
    for (const SHarmonic& harmonic : signal.aHarmonics) bValid = bValid && harmonic.iOrder >= 2;
    for (const STone& tone : signal.aMultitone)
        bValid = bValid && IsPositiveFinite(tone.dFrequency) && std::isfinite(tone.dLeveldBFS);
    if (!QXVERIFY(bValid)) return false;
    pState->signal = signal;
    pState->dFundamentalPeak = PeakOf(signal.dLeveldBFS);
    pState->dSecondPeak = signal.bSecondTone ? PeakOf(signal.dSecondLeveldBFS) : 0.0;
    pState->dNoiseRms = signal.dNoisedBFS > kNoiseOff ? dBFSToRms(signal.dNoisedBFS) : 0.0;
    pState->adHarmonicPeaks.clear();
    for (const SHarmonic& harmonic : signal.aHarmonics)
        pState->adHarmonicPeaks.push_back(pState->dFundamentalPeak * std::pow(10.0, harmonic.dRelativedB / 20.0));
    pState->adTonePeaks.clear();
    for (const STone& tone : signal.aMultitone) pState->adTonePeaks.push_back(PeakOf(tone.dLeveldBFS));
    pState->adTonePhases = StartPhases(signal.aMultitone.size());
    return true;
}

void CSignalGenerator::Reset()
{
    for (int i = 0; i < kNumChannels; ++i) {
        m_aStates[i].dPhase = 0.0;
        m_aStates[i].dSecondPhase = 0.0;
        m_aStates[i].noise = CGaussianNoise(SeedFor(i));
        m_aStates[i].adTonePhases = StartPhases(m_aStates[i].signal.aMultitone.size());
    }
}

double CSignalGenerator::NextSample(SState& state, double dSampleRate)
{
    const SChannelSignal& signal = state.signal;
    if (!signal.aMultitone.empty()) {
        double dSum = state.dNoiseRms > 0.0 ? state.dNoiseRms * state.noise.Next() : 0.0;
        for (size_t k = 0; k < state.adTonePeaks.size(); ++k) {
            dSum += SineAt(state.adTonePhases[k], state.adTonePeaks[k]);
            state.adTonePhases[k] = Advance(state.adTonePhases[k], signal.aMultitone[k].dFrequency / dSampleRate);
        }
        return static_cast<double>(ToSample24(dSum));
    }
    double dValue = SineAt(state.dPhase, state.dFundamentalPeak);
    // Harmonics are locked to the fundamental's phase, as distortion is.
    for (size_t i = 0; i < state.adHarmonicPeaks.size(); ++i) {
        const double dPhase = state.dPhase * signal.aHarmonics[i].iOrder;
        dValue += SineAt(dPhase - std::floor(dPhase), state.adHarmonicPeaks[i]);
    }
    if (signal.bSecondTone) {
        dValue += SineAt(state.dSecondPhase, state.dSecondPeak);
        state.dSecondPhase = Advance(state.dSecondPhase, signal.dSecondFrequency / dSampleRate);
    }
    if (state.dNoiseRms > 0.0) dValue += state.dNoiseRms * state.noise.Next();
    state.dPhase = Advance(state.dPhase, signal.dFrequency / dSampleRate);
    return static_cast<double>(ToSample24(dValue));
}

bool CSignalGenerator::Generate(int iChannel, double* pDest, int iCount)
{
    SState* pState = State(iChannel);
    if (!pState || !QXVERIFY(iCount >= 0 && (pDest != nullptr || iCount == 0))) return false;
    for (int i = 0; i < iCount; ++i) pDest[i] = NextSample(*pState, m_dSampleRate);
    return true;
}
