#pragma once
// The arithmetic of spectra, free of trace objects so it is tested alone:
// turning delivered powers into magnitudes, the lowest frequency a time gate
// lets through, the Nyquist limit under the host's rate modes, the ends of
// the valued part of a spectrum, the band sum's sliding window, and the
// line-mode interpolation of the plot reduction.

// Powers become magnitudes in place. Missing values (+DBL_MAX, or +infinity
// where scaling pushed one beyond the double range) become +DBL_MAX; a
// negative power (rounding below an empty bin) becomes 0.
void PowersToMagnitudes(double* pdData, int n);

// 1 / gate length in Hz for a gate from dStartMs to dEndMs; 0 for a gate
// that is off or not longer than zero.
double GateLowestFrequency(bool bGateOn, double dStartMs, double dEndMs);

// Half the trace's rate; under the rate modes that run the channels at
// separate rates (iRateMode 12 or 13) half the lower of the two channel
// rates instead. A rate of -1 (unlocked input) counts as 96 kHz.
double SpectrumNyquist(double dTraceRate, int iRateMode, double dRateA, double dRateB);

// The ends of the valued part of pdData[0 .. n-1] (no value: +DBL_MAX).
// First: the lowest valued position, n - 1 at the latest. Last: n - 1 when
// only the last position lacks a value (the Nyquist bin of a spectrum),
// else the highest valued position below n - 1, 0 at the lowest.
int FirstValuedPosition(const double* pdData, int n);
int LastValuedPosition(const double* pdData, int n);
// The last position a cursor may take at or below p: p itself when p has no
// value but p - 1 has; else the highest valued position below p (0 if none).
int LastCursorPosition(const double* pdData, int n, int p);

// One step of the band sum's sliding window over pdData: bins up to
// trunc(centre x factor + 0.5) join the running sum of squares, bins below
// trunc(centre / factor + 0.5) leave it; neither end passes n - 1. Returns
// sqrt(dScale x sum).
double SlideBandSum(const double* pdData, int n, int iCentreBin, double dBandFactor, double dScale, int* piLowBin,
                    int* piHighBin, double* pdSumSquares);

// Line-mode interpolation between the heights of two placed columns c < i,
// in integer arithmetic (truncating); 2147483647 when either end has none.
int LineColumnHeight(int iHeightC, int iHeightI, int k, int c, int i);
