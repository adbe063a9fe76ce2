#pragma once
// The simulated device under test: a gentle second-order (Butterworth)
// low-pass at a set corner, followed by an output stage with a gain and a little
// second- and third-order distortion (so a tone the filter has weakened
// distorts less). It works on 24-bit sample values, one channel per object,
// and keeps its state between calls as a real device would. Harmonics above
// half the sample rate fold back as they would in any sampled model; their
// level, which THD+N reads, is unchanged by that.
//
// The filter is the bilinear transform of the analogue prototype with the
// corner pre-warped, so the digital response is exactly 3.01 dB down at the
// corner frequency.

struct SDeviceParams {
    double dCornerHz = 5000.0;
    // y = x + a2 x^2 + a3 x^3 on x in fractions of digital full scale.
    double dSecondOrder = 0.005;
    double dThirdOrder = 0.01;
    // Gain of the output stage before its distortion, dB.
    double dGaindB = 0.0;
};

class CDeviceUnderTest {
public:
    // Refused (assert, pass-through) for a corner outside (0, fs/2).
    CDeviceUnderTest(const SDeviceParams& params, double dSampleRate);

    const SDeviceParams& GetParams() const { return m_Params; }
    // The filter state back to rest.
    void Reset();
    // Processes iCount samples; pIn and pOut may be the same array.
    void Process(const double* pIn, double* pOut, int iCount);

private:
    SDeviceParams m_Params;
    // Biquad coefficients (a0 = 1) and its two state words (transposed form II).
    double m_b0 = 1.0, m_b1 = 0.0, m_b2 = 0.0, m_a1 = 0.0, m_a2 = 0.0;
    double m_z1 = 0.0, m_z2 = 0.0;
    double m_dGain = 1.0;
};
