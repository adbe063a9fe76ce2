#include "host/settings/FilterResponse.h"

#include <cmath>

namespace {

constexpr int kButterworthOrder = 4;

double ButterworthLowPass(double dCorner, double dFreq)
{
    if (dCorner <= 0.0) return 1.0;
    return 1.0 / std::sqrt(1.0 + std::pow(dFreq / dCorner, 2 * kButterworthOrder));
}

double ButterworthHighPass(double dCorner, double dFreq)
{
    if (dCorner <= 0.0) return 1.0;
    if (dFreq <= 0.0) return 0.0;
    return 1.0 / std::sqrt(1.0 + std::pow(dCorner / dFreq, 2 * kButterworthOrder));
}

// IEC 61672-1 pole frequencies.
constexpr double kF1 = 20.598997;
constexpr double kF2 = 107.65265;
constexpr double kF3 = 737.86223;
constexpr double kF4 = 12194.217;

double RawA(double f)
{
    const double f2 = f * f;
    return (kF4 * kF4 * f2 * f2) /
           ((f2 + kF1 * kF1) * std::sqrt((f2 + kF2 * kF2) * (f2 + kF3 * kF3)) * (f2 + kF4 * kF4));
}

double RawC(double f)
{
    const double f2 = f * f;
    return (kF4 * kF4 * f2) / ((f2 + kF1 * kF1) * (f2 + kF4 * kF4));
}

double RawB(double f)
{
    const double f2 = f * f;
    constexpr double kF5 = 158.5;
    return (kF4 * kF4 * f2 * f) / ((f2 + kF1 * kF1) * std::sqrt(f2 + kF5 * kF5) * (f2 + kF4 * kF4));
}

// Each curve is normalised to unity gain at 1 kHz.
double Normalised(double (*pRaw)(double), double dFreq)
{
    if (dFreq <= 0.0) return 0.0;
    return pRaw(dFreq) / pRaw(1000.0);
}

} // namespace

double LowPassCorner(int iFilter)
{
    switch (iFilter) {
    case LPF_20K: return 20000.0;
    case LPF_22K: return 22000.0;
    case LPF_30K: return 30000.0;
    case LPF_80K: return 80000.0;
    default: return 0.0;
    }
}

double HighPassCorner(int iFilter)
{
    switch (iFilter) {
    case HPF_10: return 10.0;
    case HPF_20: return 20.0;
    case HPF_22: return 22.0;
    case HPF_100: return 100.0;
    case HPF_400: return 400.0;
    default: return 0.0;
    }
}

double LowPassGain(int iFilter, double dFreq)
{
    return ButterworthLowPass(LowPassCorner(iFilter), dFreq);
}

double HighPassGain(int iFilter, double dFreq)
{
    return ButterworthHighPass(HighPassCorner(iFilter), dFreq);
}

double WeightingGain(int iWeighting, double dFreq)
{
    switch (iWeighting) {
    case WEIGHTING_A: return Normalised(RawA, dFreq);
    case WEIGHTING_C: return Normalised(RawC, dFreq);
    case WEIGHTING_B: return Normalised(RawB, dFreq);
    default: return 1.0;
    }
}

double BandFilterGain(int iMode, int iBandType, double dCentre, double dWidthOctaves, double dFreq)
{
    if (iMode != BAND_PASS && iMode != BAND_REJECT) return 1.0;
    if (dCentre <= 0.0 || dWidthOctaves <= 0.0) return 1.0;
    if (dFreq <= 0.0) return iMode == BAND_PASS ? 0.0 : 1.0;
    // Q of a section whose -3 dB points are dWidthOctaves apart.
    const double dSpan = std::pow(2.0, dWidthOctaves);
    const double dQ = std::sqrt(dSpan) / (dSpan - 1.0);
    const double dDetune = dQ * (dFreq / dCentre - dCentre / dFreq);
    const double dPass = 1.0 / std::sqrt(1.0 + dDetune * dDetune);
    const double dSection = iMode == BAND_PASS ? dPass : std::fabs(dDetune) * dPass;
    const int iSections = iBandType > 0 ? iBandType + 1 : 1;
    return std::pow(dSection, iSections);
}
