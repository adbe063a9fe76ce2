#pragma once
// The simulated analyser's inputs: per channel a sine with harmonics, an
// optional second tone and white noise, or a multitone, sampled as the 24-bit converters
// deliver them. Each block continues where the previous one ended, so a
// run of blocks is one unbroken signal.
//
// Levels are dBFS: RMS against the RMS of a full-scale sine (5931640).

#include "host/sim/StaticSignals.h"

#include <vector>

struct SHarmonic {
    int iOrder = 2;             // multiple of the fundamental, 2 or more
    double dRelativedB = -40.0; // level against the fundamental
};

struct SChannelSignal {
    double dFrequency = 1000.0; // Hz
    double dLeveldBFS = -20.0;
    std::vector<SHarmonic> aHarmonics;
    // RMS of the white noise over the whole band; at or below kNoiseOff none.
    double dNoisedBFS = -200.0;
    bool bSecondTone = false;
    double dSecondFrequency = 3000.0;
    double dSecondLeveldBFS = -40.0;
    // When given, these tones are played instead of the tone, its harmonics
    // and the second tone (noise still adds), with phases spread so that
    // their peaks do not line up.
    std::vector<STone> aMultitone;
};

class CSignalGenerator {
public:
    static constexpr int kNumChannels = 2;
    static constexpr double kNoiseOff = -200.0;

    explicit CSignalGenerator(double dSampleRate = 48000.0);

    double GetSampleRate() const { return m_dSampleRate; }
    // Positive and finite only (assert otherwise). Keeps the phases.
    bool SetSampleRate(double dRate);

    // A channel other than 0 or 1 asserts and gives null / false.
    const SChannelSignal* GetChannelSignal(int iChannel) const;
    // Refused (false, assert) for a non-positive or non-finite frequency or
    // a harmonic order below 2. Keeps the channel's phase.
    bool SetChannelSignal(int iChannel, const SChannelSignal& signal);

    // Phases back to 0 and the noise restarted: the next block starts the
    // signal again from time 0.
    void Reset();

    // The next iCount samples of a channel into pDest (may be null for 0): rounded to integers
    // and saturated at +/-8388607. False (nothing written) for a bad
    // channel, a null destination or a negative count.
    bool Generate(int iChannel, double* pDest, int iCount);

private:
    struct SState {
        SChannelSignal signal;
        double dPhase = 0.0;       // fundamental, in cycles 0..1
        double dSecondPhase = 0.0; // second tone, in cycles 0..1
        CGaussianNoise noise{1};
        // Peak amplitudes in sample units, worked out once per signal.
        double dFundamentalPeak = 0.0;
        double dSecondPeak = 0.0;
        double dNoiseRms = 0.0;
        std::vector<double> adHarmonicPeaks;
        std::vector<double> adTonePhases; // multitone, in cycles 0..1
        std::vector<double> adTonePeaks;
    };

    SState* State(int iChannel);
    static double NextSample(SState& state, double dSampleRate);

    double m_dSampleRate;
    SState m_aStates[kNumChannels];
};
