#pragma once
// The built-in test signals of the simulated analyser: a few sine tones
// plus white noise, sampled as a 24-bit converter delivers them, and their
// spectrum as the analyser's FFT would give it. Programs without a
// measurement engine show these so that every trace kind has real data.
//
// Levels are dBFS: RMS against the RMS of a full-scale sine (5931640 in
// sample units, whose peak is digital full scale 8388607).

#include "host/settings/WindowFunction.h"

#include <random>
#include <vector>

struct STone {
    double dFrequency = 1000.0; // Hz
    double dLeveldBFS = 0.0;
};

struct SSignal {
    double dSampleRate = 48000.0;
    std::vector<STone> aTones;
    // RMS of the white noise over the whole band.
    double dNoisedBFS = -100.0;
    unsigned uSeed = 1;
};

// How the spectrum is taken: FFT length (a power of two), window and the
// number of consecutive blocks whose powers are averaged.
struct SSpectrumSettings {
    int iLength = 8192;
    WINDOWFUNCTION eWindow = WINDOW_BLACKMANHARRIS4;
    int iAverages = 8;
};

// Gaussian noise of unit RMS from the exactly specified mt19937 through
// Box-Muller, so the same seed gives the same samples with every standard
// library.
class CGaussianNoise {
public:
    explicit CGaussianNoise(unsigned uSeed) : m_Engine(uSeed) {}
    double Next();

private:
    // Uniform in (0, 1), never 0 so that the logarithm stays finite.
    double Uniform() { return (static_cast<double>(m_Engine()) + 0.5) / 4294967296.0; }

    std::mt19937 m_Engine;
    double m_dSpare = 0.0;
    bool m_bHaveSpare = false;
};

// Channel A (0): 1 kHz at -6 dBFS with its third harmonic at -40 dBFS.
// Channel B (1): 3 kHz at -12 dBFS with its second harmonic at -70 dBFS.
// Any other channel gives channel A's signal.
SSignal GetBuiltInSignal(int iChannel);

// The RMS value in sample units of a level in dBFS.
double dBFSToRms(double ddBFS);

// iCount samples from time 0, each rounded to an integer and saturated at
// +/-8388607 as a 24-bit converter delivers them. The same signal always
// gives the same samples; a shorter run is the start of a longer one.
std::vector<double> MakeSamples(const SSignal& signal, int iCount);

// The n points of a window over one FFT block (periodic: point n would be
// point 0 again); empty for n < 1.
std::vector<double> MakeWindow(WINDOWFUNCTION eWindow, int n);

// The equivalent noise bandwidth of a window in bins: n x sum(w^2) / sum(w)^2.
// 0 for an empty or all-zero window.
double NoiseBandwidthBins(const std::vector<double>& adWindow);

// Powers of bins 0 .. n/2 of one windowed block, n = window size: mean
// squares in sample units squared, scaled so that a sine centred on a bin
// reads its own mean square there (the square of its RMS). Empty unless the
// block and the window have the same power-of-two size.
std::vector<double> PowerSpectrum(const std::vector<double>& adBlock, const std::vector<double>& adWindow);

// The averaged spectrum of the signal: settings.iAverages consecutive blocks
// of settings.iLength samples from time 0. Empty for a length that is not a
// power of two of at least 2 or fewer than one average.
std::vector<double> MakeSpectrum(const SSignal& signal, const SSpectrumSettings& settings);
