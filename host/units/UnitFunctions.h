#pragma once
// Free unit services: default units, unit kind tests, the raw-sample and
// jitter conversions and printf formats for decimal places.
//
// Raw-sample conversions work on 24-bit sample magnitudes (UNIT_HEX):
// 8388607 is digital full scale (peak) and 5931640 the RMS value of a
// full-scale sine, which reads 0.00 dBFS, 100 %FS and 1 FFS. Volts come
// through the analogue range: the RMS voltage, in mV, of a full-scale sine.
// All of them pass DBL_MAX (a missing value) unchanged. A zero magnitude reads
// -DBL_MAX (minus infinity) in dB, or -200.0 when bNoNegInf is non-zero (the
// floor shown on dB scales); negative magnitudes read as their size in dB.

#include "host/units/UnitIds.h"
#include "platform/String.h"

// Result kinds for the default-unit functions.
enum EResultKind : int {
    RESULTKIND_AMPLITUDE = 1,   // analogue V, digital and soundcard dBFS, relative dB
    RESULTKIND_FREQUENCY = 2,   // Hz (relative: frequency ratio)
    RESULTKIND_PHASE = 3,       // degrees
    RESULTKIND_JITTER = 4,      // ns
    RESULTKIND_DEVIATION = 5,   // ppm
    RESULTKIND_TIME = 6,        // ms
};

// The unit a new trace of a result kind shows for each input kind;
// UNIT_INVALID with an assertion for an unknown kind.
EUnit GetDefaultAnalogueUnit(int iResultKind);
EUnit GetDefaultDigitalUnit(int iResultKind);
EUnit GetDefaultSoundcardUnit(int iResultKind);
EUnit GetDefaultRelativeUnit(int iResultKind);

// The units chosen in the analyser and generator panels (defaults UNIT_V and
// UNIT_VRMS). Setting an id without a unit object is refused with an assertion.
EUnit GetAnalyzerUnit();
EUnit GetGeneratorUnit();
bool SetAnalyzerUnit(int iUnit);
bool SetGeneratorUnit(int iUnit);

// True when both ids have unit objects that measure the same kind of quantity:
// absolute amplitudes (dBr and % ref included), relative amplitudes, frequency,
// time (s, ms, samples, periods), jitter, analyser phase, carrier phase, duty
// cycle, deviation, impedance, or UNIT_NULL with UNIT_NULL. UNIT_BINS matches
// frequency and time units (it is their storage unit); degrees match both
// phase kinds.
bool AreSameKindsOfUnit(int iUnitA, int iUnitB);
// True when the id has a unit object.
bool IsValidUnit(int iUnit);
// True when both units are digital amplitude units (dBFS, %FS, FFS, Hex), so
// values in them compare without analogue references.
bool IsDigitalAmplitudeUnit(int iUnitA, int iUnitB);

// 20 log10(|dHex| / |dReferenceHex|); a zero reference gives DBL_MAX with an assertion.
double ConvertHexTodB(double dHex, double dReferenceHex, int bNoNegInf = 0);
double ConvertHexTodBFS(double dHex, int bNoNegInf = 0);
double ConvertHexToFS(double dHex);
double ConvertHexToFFS(double dHex);
// RMS volts.
double ConvertHexToV(double dHex, double dAnalogueRangemV);
// Watts into the impedance; keeps the sign of the voltage.
double ConvertHexToW(double dHex, double dAnalogueRangemV, double dImpedance);
double ConvertHexTodBu(double dHex, double dAnalogueRangemV, int bNoNegInf = 0);
double ConvertHexTodBV(double dHex, double dAnalogueRangemV, int bNoNegInf = 0);
double ConvertHexTodBm(double dHex, double dAnalogueRangemV, double dImpedance, int bNoNegInf = 0);
double ConvertHexTodBSPL(double dHex, double dAnalogueRangemV, double dZerodBSPLmV, int bNoNegInf = 0);
double ConvertVToHex(double dVolts, double dAnalogueRangemV);
double ConvertdBFSToHex(double ddBFS);
double ConvertdBToHex(double ddB, double dReferenceHex);

// Jitter: one UI is 1 / (128 fs) seconds on a digital audio interface
// (two 32-slot subframes, biphase-coded, per frame).
double ConvertUITons(double dUI, double dSampleRate);
// Sample magnitudes of the jitter demodulators: the data-jitter demodulator
// reads 10 UI and the sample-rate-jitter demodulator 1 UI as the full-scale
// sine (5931640).
double ConvertUIToDataJitterHex(double dUI);
double ConvertUITofsJitterHex(double dUI);

// Flags of GetDPsString and of CQXProperty::DoFormatValue.
enum EFormatFlags : int {
    FORMAT_INCLUDESIGN = 0x1,   // "+" before positive numbers
    FORMAT_INCLUDEUNIT = 0x2,   // " " and the unit's display name after the number
};

// A wide printf format for a number with that many decimal places: "%.2f",
// with FORMAT_INCLUDESIGN "%+.2f". Places are clamped into 0 .. 15.
CString GetDPsString(int iDecimalPlaces, int iFlags);
