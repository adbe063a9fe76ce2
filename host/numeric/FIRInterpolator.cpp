#include "host/numeric/FIRInterpolator.h"

namespace {

// Windowed-sinc low-pass designs, h[k] = w[k] sin(2 pi fc t) / (pi t) with
// t = k - (N - 1) / 2, normalised to a DC gain of exactly 1 (the stage's
// scale then restores the level the stuffed zeros remove). The cut-off fc
// is the input's Nyquist frequency in units of the output rate:
//  - x2 stage: N = 14, fc = 1/4 (a half-band design), Hamming window
//    w[k] = 0.54 - 0.46 cos(2 pi k / (N - 1));
//  - x4 stage: N = 34, fc = 1/8, Blackman window
//    w[k] = 0.42 - 0.5 cos(2 pi k / (N - 1)) + 0.08 cos(4 pi k / (N - 1)).
// Both are symmetric, so each stage delays by (N - 1) / 2 output samples.
constexpr double kStage1[14] = {
    -0.0027759194677316047, 0.0054413477719073705, 0.013968167731896228, -0.031225082075076505,
    -0.063433488067637031, 0.13296763290937422, 0.44505734119726736, 0.44505734119726736,
    0.13296763290937422, -0.063433488067637045, -0.031225082075076502, 0.013968167731896252,
    0.0054413477719073688, -0.0027759194677316047,
};

constexpr double kStage2[34] = {
    -1.0242074301795771e-19, -2.5965858804640869e-05, -0.00027806569243029228, -0.00071006295178355401,
    -0.00060340589073034885, 0.0010991999302292753, 0.0044770953691606165, 0.0071489363883226031,
    0.0045352812177705945, -0.0067283409583003837, -0.023548302339295068, -0.033674811147246707,
    -0.01991790161173454, 0.028943300500200157, 0.10710776186285406, 0.18953242891195757,
    0.24264285226983057, 0.24264285226983057, 0.1895324289119576, 0.10710776186285408,
    0.028943300500200147, -0.019917901611734536, -0.033674811147246728, -0.023548302339295075,
    -0.0067283409583003854, 0.0045352812177705945, 0.0071489363883225996, 0.0044770953691606209,
    0.0010991999302292759, -0.00060340589073034918, -0.0007100629517835565, -0.00027806569243029298,
    -2.5965858804641086e-05, -1.0242074301795771e-19,
};

} // namespace

bool cFIRInterpolator::Initialise(const SFIRInterpolatorParameters& parameters)
{
    if (!parameters.pdCoefficients || parameters.iNumTaps <= 0 || parameters.iFactor < 1) {
        m_Parameters = SFIRInterpolatorParameters();
        return false;
    }
    m_Parameters = parameters;
    return true;
}

double cFIRInterpolator::Filter(const double* pdWork, int i) const
{
    if (!IsInitialised() || !pdWork || i < 0) return 0.0;
    const int iFactor = m_Parameters.iFactor;
    // Only every factor-th stuffed sample is non-zero: start at the first
    // tap that meets one and step by the factor.
    int k = (iFactor - i % iFactor) % iFactor;
    double dSum = 0.0;
    for (; k < m_Parameters.iNumTaps; k += iFactor) dSum += m_Parameters.pdCoefficients[k] * pdWork[(i + k) / iFactor];
    return m_Parameters.dScale * dSum;
}

const SFIRInterpolatorParameters& GetFIRInterpolatorStage1()
{
    static const SFIRInterpolatorParameters parameters{kStage1, 2.0, 14, 2};
    return parameters;
}

const SFIRInterpolatorParameters& GetFIRInterpolatorStage2()
{
    static const SFIRInterpolatorParameters parameters{kStage2, 4.0, 34, 4};
    return parameters;
}
