#pragma once
// The host's analyser filters as magnitude responses (linear gain at a
// frequency in Hz). Pure functions; the settings objects pick the indices.
//
// Filter indices (the values of the low-pass, high-pass and weighting
// properties):
//   low-pass:  0 none, 1 20 kHz, 2 22 kHz, 3 30 kHz, 4 80 kHz,
//              5 sample-rate brick wall (not drawable)
//   high-pass: 0 none, 1 10 Hz, 2 20 Hz, 3 22 Hz, 4 100 Hz, 5 400 Hz,
//              6 DC-blocking servo (not drawable)
//   weighting: 0 none, 1 A, 2 C, 3 Z (flat), 4 B, 5 ITU-R 468 (not drawable),
//              6 user weighting file
// Low- and high-pass filters are 4th-order Butterworth; A and C weighting
// follow IEC 61672-1 (0 dB at 1 kHz), B the former IEC 60651 curve.

#include <cstddef>

enum ELowPassFilter : int { LPF_NONE = 0, LPF_20K = 1, LPF_22K = 2, LPF_30K = 3, LPF_80K = 4, LPF_BRICKWALL = 5 };
enum EHighPassFilter : int { HPF_NONE = 0, HPF_10 = 1, HPF_20 = 2, HPF_22 = 3, HPF_100 = 4, HPF_400 = 5, HPF_SERVO = 6 };
enum EWeightingFilter : int {
    WEIGHTING_NONE = 0, WEIGHTING_A = 1, WEIGHTING_C = 2, WEIGHTING_Z = 3, WEIGHTING_B = 4,
    WEIGHTING_468 = 5, WEIGHTING_USER = 6,
};
// Band filter of a detector: 0 off, 1 band-pass, 2 band-reject.
enum EBandMode : int { BAND_OFF = 0, BAND_PASS = 1, BAND_REJECT = 2 };

// Corner frequency of a filter index; 0 for none or unknown.
double LowPassCorner(int iFilter);
double HighPassCorner(int iFilter);

// Gains; unknown or non-drawable indices give 1 (pass everything).
double LowPassGain(int iFilter, double dFreq);
double HighPassGain(int iFilter, double dFreq);
double WeightingGain(int iWeighting, double dFreq);

// Second-order band-pass (or its complementary notch) around dCentre with a
// bandwidth of dWidthOctaves; band types above 0 cascade further sections
// (type + 1 sections). Mode BAND_OFF gives 1.
double BandFilterGain(int iMode, int iBandType, double dCentre, double dWidthOctaves, double dFreq);

// Frequency of FFT bin k when iNumPoints bins span 0 to half the sample rate.
inline double BinFrequency(int k, int iNumPoints, double dSampleRate)
{
    return iNumPoints > 0 ? k * (dSampleRate * 0.5) / iNumPoints : 0.0;
}
