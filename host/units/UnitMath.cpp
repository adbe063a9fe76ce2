#include "host/units/UnitMath.h"

#include "host/units/UnitTraits.h"

#include <cfloat>
#include <cmath>
#include <numbers>

namespace {

constexpr double kSqrt2 = std::numbers::sqrt2;
constexpr double kUIPerFrame = 128.0;

bool IsSpecial(double dValue)
{
    return dValue == DBL_MAX || dValue == -DBL_MAX || std::isnan(dValue);
}

// The relative reference of kind 3 as a sample magnitude; the full-scale sine
// when it cannot be had.
double RelativeReferenceHex(const SReferences& refs)
{
    const int iUnit = refs.RelativeReferenceUnit();
    double dHex = refs.RelativeReference();
    if (GetUnitTraits(iUnit) & UNITTRAIT_ABSOLUTE) {
        const SReferences absRefs = SReferences::ForAbsoluteY(refs.AnalogueRangemV(), 0.0, 0.0, 0.0);
        ConvertInFamily(GetAmplitudeAbsScale, dHex, static_cast<EUnit>(iUnit), UNIT_HEX, absRefs, dHex);
    } else if (GetUnitTraits(iUnit) & UNITTRAIT_JITTER) {
        const SReferences jitterRefs = SReferences::ForJitterY(refs.SampleRate(), false);
        ConvertInFamily(GetJitterScale, dHex, static_cast<EUnit>(iUnit), UNIT_HEX, jitterRefs, dHex);
    }
    return (dHex > 0.0 && dHex < DBL_MAX) ? dHex : kFullScaleSineHex;
}

} // namespace

double DbuReferenceVolts()
{
    return std::sqrt(0.6);
}

double ScaleToBase(double dValue, const SUnitScale& scale)
{
    if (dValue == DBL_MAX || std::isnan(dValue)) return dValue;
    switch (scale.eMode) {
    case SUnitScale::DB:
        return dValue == -DBL_MAX ? 0.0 : scale.dRef * std::pow(10.0, dValue / 20.0);
    case SUnitScale::POWER:
        if (dValue == -DBL_MAX) return dValue;
        return std::copysign(std::sqrt(std::fabs(dValue)) * scale.dRef, dValue);
    case SUnitScale::LINEAR:
    default:
        if (dValue == -DBL_MAX) return dValue;
        return dValue / scale.dFactor + scale.dOffset;
    }
}

double ScaleFromBase(double dBase, const SUnitScale& scale)
{
    if (IsSpecial(dBase)) return dBase;
    switch (scale.eMode) {
    case SUnitScale::DB:
        return dBase == 0.0 ? -DBL_MAX : 20.0 * std::log10(std::fabs(dBase) / scale.dRef);
    case SUnitScale::POWER: {
        const double dRatio = dBase / scale.dRef;
        return std::copysign(dRatio * dRatio, dBase);
    }
    case SUnitScale::LINEAR:
    default:
        return (dBase - scale.dOffset) * scale.dFactor;
    }
}

bool GetAmplitudeAbsScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    const double dHexPerVolt = kFullScaleSineHex / (refs.AnalogueRangemV() / 1000.0);
    switch (eUnit) {
    case UNIT_HEX: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_DBFS: scale = SUnitScale::Decibel(kFullScaleSineHex); return true;
    case UNIT_FS: scale = SUnitScale::Linear(100.0 / kFullScaleSineHex); return true;
    case UNIT_FFS: scale = SUnitScale::Linear(1.0 / kFullScaleSineHex); return true;
    case UNIT_VRMS:
    case UNIT_V: scale = SUnitScale::Linear(1.0 / dHexPerVolt); return true;
    case UNIT_VP: scale = SUnitScale::Linear(kSqrt2 / dHexPerVolt); return true;
    case UNIT_VPP: scale = SUnitScale::Linear(2.0 * kSqrt2 / dHexPerVolt); return true;
    case UNIT_DBU: scale = SUnitScale::Decibel(dHexPerVolt * DbuReferenceVolts()); return true;
    case UNIT_DBV: scale = SUnitScale::Decibel(dHexPerVolt); return true;
    // 0 dBm is 1 mW: sqrt(1e-3 * R) volts.
    case UNIT_DBM: scale = SUnitScale::Decibel(dHexPerVolt * std::sqrt(1e-3 * refs.Impedance())); return true;
    case UNIT_W: scale = SUnitScale::Power(dHexPerVolt * std::sqrt(refs.Impedance())); return true;
    case UNIT_DBSPL: scale = SUnitScale::Decibel(dHexPerVolt * refs.ZerodBSPLmV() / 1000.0); return true;
    case UNIT_DBR: scale = SUnitScale::Decibel(refs.ReferenceHex()); return true;
    case UNIT_PERCENTREF: scale = SUnitScale::Linear(100.0 / refs.ReferenceHex()); return true;
    default: return false;
    }
}

bool GetAmplitudeRelScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    switch (eUnit) {
    case UNIT_RELATIVE_RATIO:
    case UNIT_RELATIVE_GAIN: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_RELATIVE_PERCENT: scale = SUnitScale::Linear(100.0); return true;
    case UNIT_RELATIVE_DB: scale = SUnitScale::Decibel(1.0); return true;
    case UNIT_RELATIVE_ANAVSGEN: scale = SUnitScale::Linear(refs.AnaVsGenFactor()); return true;
    // Relative traces that store sample magnitudes: ratio = magnitude / reference.
    case UNIT_HEX: scale = SUnitScale::Linear(RelativeReferenceHex(refs)); return true;
    default: return false;
    }
}

bool GetAnaPhaseScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    const double dFrequency = refs.ReferenceFrequency();
    switch (eUnit) {
    case UNIT_PHASE_DEGREES: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_PHASE_RADIANS: scale = SUnitScale::Linear(std::numbers::pi / 180.0); return true;
    // The delay of that phase at the reference frequency.
    case UNIT_PHASE_US: scale = SUnitScale::Linear(1e6 / (360.0 * dFrequency)); return true;
    case UNIT_PHASE_SAMPLES: scale = SUnitScale::Linear(refs.SampleRate() / (360.0 * dFrequency)); return true;
    default: return false;
    }
}

bool GetCarrierPhaseScale(EUnit eUnit, const SReferences&, SUnitScale& scale)
{
    switch (eUnit) {
    case UNIT_PHASE_UI: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_PHASE_PERCENT: scale = SUnitScale::Linear(100.0 / kUIPerFrame); return true;
    case UNIT_PHASE_DEGREES: scale = SUnitScale::Linear(360.0 / kUIPerFrame); return true;
    default: return false;
    }
}

bool GetJitterScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    const double dNsPerUI = 1e9 / (kUIPerFrame * refs.SampleRate());
    switch (eUnit) {
    case UNIT_JITTER_UI: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_JITTER_UIPP: scale = SUnitScale::Linear(2.0); return true;
    case UNIT_JITTER_NS: scale = SUnitScale::Linear(dNsPerUI); return true;
    case UNIT_JITTER_NSPP: scale = SUnitScale::Linear(2.0 * dNsPerUI); return true;
    case UNIT_JITTER_DBUI: scale = SUnitScale::Decibel(1.0); return true;
    case UNIT_HEX:
        scale = SUnitScale::Linear(refs.IsDataJitter() ? kDataJitterHexPerUI : kFsJitterHexPerUI);
        return true;
    default: return false;
    }
}

bool GetCarrierAmplScale(EUnit eUnit, const SReferences&, SUnitScale& scale)
{
    if (eUnit != UNIT_V) return false;
    scale = SUnitScale::Linear(1.0);
    return true;
}

bool GetFrequencyScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    const double dReference = refs.ReferenceFrequency();
    switch (eUnit) {
    case UNIT_FREQ_HZ: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_FREQ_OFFSET: scale = SUnitScale::Linear(1.0, dReference); return true;
    case UNIT_FREQ_RATIO: scale = SUnitScale::Linear(1.0 / dReference); return true;
    case UNIT_BINS: scale = SUnitScale::Linear(refs.FFTLength() / refs.SampleRate()); return true;
    default: return false;
    }
}

bool GetDeviationScale(EUnit eUnit, const SReferences&, SUnitScale& scale)
{
    if (eUnit != UNIT_PPM) return false;
    scale = SUnitScale::Linear(1.0);
    return true;
}

bool GetDutyCycleScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    switch (eUnit) {
    case UNIT_DUTYCYCLE_PERCENT: scale = SUnitScale::Linear(100.0); return true;
    // Samples in one period of the reference frequency.
    case UNIT_DUTYCYCLE_SAMPLES:
        scale = SUnitScale::Linear(refs.SampleRate() / refs.ReferenceFrequency());
        return true;
    default: return false;
    }
}

bool GetBurstDurationScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    switch (eUnit) {
    case UNIT_SECONDS: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_MS: scale = SUnitScale::Linear(1000.0); return true;
    case UNIT_NUMPERIODS: scale = SUnitScale::Linear(refs.ReferenceFrequency()); return true;
    default: return false;
    }
}

bool GetNumSamplesScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    switch (eUnit) {
    case UNIT_SAMPLES: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_MS: scale = SUnitScale::Linear(1000.0 / refs.SampleRate()); return true;
    case UNIT_SECONDS: scale = SUnitScale::Linear(1.0 / refs.SampleRate()); return true;
    // Bins count from the start of the buffer, samples from the time origin.
    case UNIT_BINS:
        scale = SUnitScale::Linear(refs.BinsPerSample(), -static_cast<double>(refs.ZeroBinSamples()));
        return true;
    default: return false;
    }
}

bool GetImpedanceScale(EUnit eUnit, const SReferences&, SUnitScale& scale)
{
    if (eUnit != UNIT_IMPEDANCE_R) return false;
    scale = SUnitScale::Linear(1.0);
    return true;
}

bool GetSampleRateScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale)
{
    const double dNominal = refs.SampleRate();
    switch (eUnit) {
    case UNIT_FREQ_HZ: scale = SUnitScale::Linear(1.0); return true;
    case UNIT_FREQ_OFFSET: scale = SUnitScale::Linear(1.0, dNominal); return true;
    case UNIT_FREQ_RATIO: scale = SUnitScale::Linear(1.0 / dNominal); return true;
    case UNIT_PPM: scale = SUnitScale::Linear(1e6 / dNominal, dNominal); return true;
    default: return false;
    }
}

bool ConvertInFamily(UnitScaleFunction family, double dValue, EUnit eFrom, EUnit eTo,
                     const SReferences& refs, double& dResult)
{
    SUnitScale from;
    SUnitScale to;
    if (!family(eFrom, refs, from) || !family(eTo, refs, to)) return false;
    if (dValue == DBL_MAX || eFrom == eTo) {
        dResult = dValue;
        return true;
    }
    dResult = ScaleFromBase(ScaleToBase(dValue, from), to);
    return true;
}
