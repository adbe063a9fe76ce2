#pragma once
// The plain tables the trace kinds answer from: full Y ranges by unit, the Y
// unit set of an amplitude axis, storage units, default units and scale
// types of sweep axes, and the reference records of amplitude axes. Free of
// trace objects so that each table is tested alone and shared by the kinds
// that use it.

#include "host/units/References.h"
#include "host/units/UnitIds.h"
#include "trace/core/TraceDefs.h"

// ---- Full Y ranges by unit ---------------------------------------------------
// Each gives the range of a unit in its table and returns true; false (outputs
// 0) for a unit the table has no row for. UNIT_RELATIVE_ANAVSGEN has no row:
// the kinds look up the host's analyser unit instead.

// Spectra and frequency-domain kinds (FFT, CT FFT, response, filter, window).
bool GetSpectrumYLimits(EUnit eUnit, double* pdMin, double* pdMax);
// Time-domain kinds (scope, CT detector).
bool GetTimeYLimits(EUnit eUnit, double* pdMin, double* pdMax);
// Sweep results.
bool GetSweepYLimits(EUnit eUnit, double* pdMin, double* pdMax);

// ---- Amplitude Y axes ----------------------------------------------------------

// Unit-set id of an amplitude Y axis: absolute (12), jitter (8), relative
// (11), or gain (29) for a response relative to the generator (relativity 2)
// measured through an impulse response.
int GetAmplitudeYUnitSet(bool bRelative, bool bJitterMode, bool bFromImpulseResponse, int iRelativity);

// What the reference record of an amplitude Y axis is built from.
struct SAmplitudeYRefInputs {
    bool bRelative = false;
    bool bJitterMode = false;
    bool bDataJitter = false;    // mode 3 rather than 4
    bool bAnalogue = false;      // analogue input (mode 2)
    bool bUnlocked = false;
    bool bDefault = false;       // fill the defaults a relative reference falls back on
    bool bTimeDomain = false;    // scope-like kinds fall back on the full-scale peak
    int iResponse = 0;
    double dAnalogueRange = 0.0; // the four absolute references (mV, mV, ohms, mV)
    double dReference = 0.0;
    double dImpedance = 0.0;
    double dZerodBSPL = 0.0;
    double dJitterSampleRate = 0.0;
    double dRelativityOther = 0.0;
    double dAnaVsGenFactor = 1.0;
    int iAnalyserUnit = UNIT_INVALID;
    int iGeneratorUnit = UNIT_INVALID;
};
// Kind 2 (absolute), 4 (jitter) or 3 (relative), with the unlocked bit.
SReferences MakeAmplitudeYReferences(const SAmplitudeYRefInputs& in);

// The nominal rate a trace runs on while its input is unlocked or has no rate.
constexpr double kUnlockedSampleRate = 96000.0;
// The sample rate a trace converts with: its own, or the nominal rate.
double EffectiveSampleRate(double dSampleRate, bool bUnlocked);

// ---- Sweep axes -------------------------------------------------------------------

// Sweep triggers that describe an X axis by its source.
enum ESweepTrigger : int {
    TRIGGER_GENFREQ_CHA = 0,
    TRIGGER_GENFREQ_CHB = 1,
    TRIGGER_GENFREQ_BOTH = 2,
    TRIGGER_GENAMPL_CHA = 3,
    TRIGGER_GENAMPL_CHB = 4,
    TRIGGER_GENAMPL_BOTH = 5,
    TRIGGER_DCOFFSET = 6,
    TRIGGER_JITTERFREQ = 7,
    TRIGGER_JITTERAMPL = 8,
    TRIGGER_CTDET_BPBRFREQ = 9,
    TRIGGER_FFTDET_BPBRFREQ = 10,
    TRIGGER_SENSEFREQ_CHA = 11,
    TRIGGER_SENSEFREQ_CHB = 12,
    TRIGGER_SENSEAMPL_CHA = 13,
    TRIGGER_SENSEAMPL_CHB = 14,
    TRIGGER_TIME = 15,
    TRIGGER_DATATABLE = 16,
    TRIGGER_MANUAL = 17,
    TRIGGER_NONE = 18,
    TRIGGER_CHANNELARRAY = 19,
};

bool IsSweepAmplitudeResult(int iResultID);   // 3208, 3210, 3251, 3253, 3351, 3352
bool IsSweepFrequencyResult(int iResultID);   // 3082, 3209, 3211, 3424, 4008, 4036, 4206
bool IsSweepDetectorResult(int iResultID);    // the CT and FFT detector amplitudes

// Storage unit of a result (the actual id); UNIT_NULL with an assertion for an unknown one.
EUnit GetSweepStorageUnit(int iResultID, EUnit eUnit, int iRelativity);
// Whether a result's values go below zero (deviations, phases, delay; the
// detector amplitudes of a relative trace outside the jitter modes).
bool IsSweepResultSigned(int iResultID, bool bRelative, bool bJitterMode);
// Whether an axis showing a result (absolute) or a source in iUnit may be
// logarithmic: never in a dB unit, never for a signed result, an unknown
// result, a time or a manual source.
bool IsSweepResultLogAllowed(int iResultID, int iUnit);
bool IsSweepSourceLogAllowed(int iTrigger, int iUnit);
// Storage unit of an X axis given by a source trigger.
EUnit GetSweepSourceStorageUnit(int iTrigger, int iXAxisUnit);
// Default display unit of a result for an input mode (CQXTrace::EMode values).
EUnit GetDefaultUnitForResultID(int iResultID, int iMode, bool bRelative);

// What a kind's Y axis shows by default: a level in dB (the spectra) or an
// amplitude (the time-domain kinds and amplitude results).
enum class EYQuantity { Level, Amplitude };
// The default Y unit of an absolute reading in a measuring mode (the trace's
// EMode: 1 digital, 2 analogue, 3 and 4 jitter, 5 soundcard); relative
// readings are the caller's to decide. UNIT_INVALID for any other mode.
EUnit DefaultYUnitForMode(int iMode, EYQuantity eQuantity);
// Scale kinds of an X axis given by a source or by a result.
ScaleType GetSweepSourceScaleType(int iTrigger);
ScaleType GetSweepResultScaleType(int iResultID, bool bRelative, bool bJitterMode);
// Host control id behind a source trigger; 0 for triggers without one.
int GetCtrlIDForSweepSource(int iTrigger);
