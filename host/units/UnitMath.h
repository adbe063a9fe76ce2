#pragma once
// The conversion arithmetic of the unit families, as pure functions.
//
// Every family converts through one base quantity:
//   absolute amplitude  RMS sample magnitude (UNIT_HEX; 5931640 = full-scale sine)
//   relative amplitude  linear ratio
//   analyser phase      degrees
//   carrier phase       UI (1/128 of a frame of a digital audio interface)
//   jitter              UI (peak), UI = 1 / (128 fs) seconds for digital audio interfaces
//   carrier amplitude   V
//   frequency           Hz
//   deviation           ppm
//   duty cycle          fraction of a period
//   burst duration      seconds
//   number of samples   samples from the time origin
//   impedance           ohms
//   sample rate         Hz
// Each family function describes how one unit reads the base quantity (an
// SUnitScale) for the given references, or returns false for a unit the
// family does not know.
//
// Special values: DBL_MAX (a missing value) passes through unchanged. A zero
// base quantity reads -DBL_MAX (minus infinity) in dB units and -DBL_MAX in a
// dB unit is a zero base quantity. -DBL_MAX in any other unit is kept as
// minus infinity. dB units show the magnitude of negative quantities (the
// sign is lost); W keeps the sign of the voltage.

#include "host/units/References.h"
#include "host/units/UnitIds.h"

struct SUnitScale {
    enum EMode { LINEAR, DB, POWER };
    EMode eMode = LINEAR;
    double dFactor = 1.0;  // LINEAR: value = (base - offset) * factor
    double dOffset = 0.0;
    double dRef = 1.0;     // DB: value = 20 log10(|base| / ref); POWER: value = sign * (base / ref)^2

    static SUnitScale Linear(double dFactor, double dOffset = 0.0) { return {LINEAR, dFactor, dOffset, 1.0}; }
    static SUnitScale Decibel(double dRef) { return {DB, 1.0, 0.0, dRef}; }
    static SUnitScale Power(double dRef) { return {POWER, 1.0, 0.0, dRef}; }
};

double ScaleToBase(double dValue, const SUnitScale& scale);
double ScaleFromBase(double dBase, const SUnitScale& scale);

// 24-bit sample magnitudes.
constexpr double kFullScaleHex = SReferences::kFullScaleHex;
constexpr double kFullScaleSineHex = SReferences::kFullScaleSineHex;
// 0 dBu: the voltage that gives 1 mW into 600 ohms.
double DbuReferenceVolts();
// Sample magnitude per UI of the two jitter demodulators: the data-jitter
// demodulator reads 10 UI, the sample-rate-jitter demodulator 1 UI, as the
// full-scale sine.
constexpr double kDataJitterHexPerUI = kFullScaleSineHex / 10.0;
constexpr double kFsJitterHexPerUI = kFullScaleSineHex / 1.0;

bool GetAmplitudeAbsScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetAmplitudeRelScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetAnaPhaseScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetCarrierPhaseScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetJitterScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetCarrierAmplScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetFrequencyScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetDeviationScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetDutyCycleScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetBurstDurationScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetNumSamplesScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetImpedanceScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);
bool GetSampleRateScale(EUnit eUnit, const SReferences& refs, SUnitScale& scale);

using UnitScaleFunction = bool (*)(EUnit, const SReferences&, SUnitScale&);

// Converts through one family; false, leaving dResult untouched, when the family
// does not know one of the units.
bool ConvertInFamily(UnitScaleFunction family, double dValue, EUnit eFrom, EUnit eTo,
                     const SReferences& refs, double& dResult);
