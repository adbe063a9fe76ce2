#pragma once
// cFIRInterpolator: raises the sample rate of a block by an integer factor
// with a low-pass FIR filter, one output at a time. The input is taken as
// if stuffed with factor - 1 zeros between samples; the filter removes the
// images that makes and the scale restores the amplitude the zeros took away.
//
// Output i looks forward over taps entries of the stuffed input:
//   y[i] = scale x sum(k = 0 .. taps - 1) h[k] u[i + k],
//   u[m] = x[m / factor] when m is a multiple of factor, else 0,
// so the work array must hold at least (i + taps - 1) / factor + 1 samples,
// and output i lies (taps - 1) / 2 output samples after input time i / factor.
// Two designs are provided for the trace's 8x display interpolation: a
// 14-tap x2 stage and a 34-tap x4 stage (derivation in docs/interpolation.md).

struct SFIRInterpolatorParameters {
    const double* pdCoefficients = nullptr;
    double dScale = 1.0;
    int iNumTaps = 0;
    int iFactor = 1;
};

class cFIRInterpolator {
public:
    // False (and the interpolator unusable) for a missing table, no taps or a
    // factor below 1.
    bool Initialise(const SFIRInterpolatorParameters& parameters);
    bool IsInitialised() const { return m_Parameters.pdCoefficients != nullptr; }
    // Output i (i >= 0) from the input samples in pdWork; 0.0 when not initialised.
    double Filter(const double* pdWork, int i) const;

private:
    SFIRInterpolatorParameters m_Parameters;
};

// The x2 stage: 14 taps, scale 2.0.
const SFIRInterpolatorParameters& GetFIRInterpolatorStage1();
// The x4 stage: 34 taps, scale 4.0.
const SFIRInterpolatorParameters& GetFIRInterpolatorStage2();
