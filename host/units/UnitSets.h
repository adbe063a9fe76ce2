#pragma once
// The concrete unit sets and the shared instances behind GetUnitSet.
//
// Unit-set ids (EUnitSetId), the numbers traces pass to GetUnitSet:
//   1 UNITSET_AMPLITUDE_GENERATOR        CUnitSetAmplitudeGenerator
//   2 UNITSET_AMPLITUDE_SIGNALANALYSER   CUnitSetAmplitudeSignalAnalyser
//   3 UNITSET_REFAMPLITUDE               CUnitSetRefAmplitude
//   4 UNITSET_SPLREF                     CUnitSetSPLRef
//   5 UNITSET_TRIGGERTHRESHOLD           CUnitSetTriggerThreshold
//   6 UNITSET_ANALOGUERANGE              CUnitSetAnalogueRange
//   7 UNITSET_DALINEUP                   CUnitSetDALineUp
//   8 UNITSET_CARRIERJITTER              CUnitSetCarrierJitter        (jitter-mode Y of FFT traces; storage UNIT_HEX)
//   9 UNITSET_CARRIERJITTERPP            CUnitSetCarrierJitterPP
//  10 UNITSET_SOUNDCARDLINEUP            CUnitSetSoundcardLineUp
//  11 UNITSET_AMPLITUDEREL               CUnitSetAmplitudeRel         (relative Y; storage UNIT_HEX, ratio or gain)
//  12 UNITSET_AMPLITUDE_ANALYSER         CUnitSetAmplitudeAnalyser    (absolute Y; storage UNIT_HEX)
//  13 UNITSET_DCOFFSET                   CUnitSetDCOffset
//  14 UNITSET_AMPLITUDERELANAVSGEN       CUnitSetAmplitudeRelAnaVsGen
//  15 UNITSET_AMPLITUDERATIO             CUnitSetAmplitudeRatio
//  16 UNITSET_ANALOGUEPHASE              CUnitSetAnaloguePhase
//  17 UNITSET_DIGITALPHASE               CUnitSetDigitalPhase
//  18 UNITSET_CARRIERPHASE               CUnitSetCarrierPhase
//  19 UNITSET_CARRIERAMPL                CUnitSetCarrierAmpl
//  20 UNITSET_FREQUENCY                  CUnitSetFrequency
//  21 UNITSET_NUMSAMPLES                 CUnitSetNumSamples           (time X of scope traces; storage UNIT_BINS)
//  22 UNITSET_FFTBINS                    CUnitSetFFTBins              (X of FFT traces; storage UNIT_BINS)
//  23 UNITSET_FREQUENCYABS               CUnitSetFrequencyAbs
//  24 UNITSET_FREQUENCYRATIO             CUnitSetFrequencyRatio
//  25 UNITSET_DEVIATION                  CUnitSetDeviation
//  26 UNITSET_DUTYCYCLE                  CUnitSetDutyCycle
//  27 UNITSET_BURSTDURATION              CUnitSetBurstDuration
//  28 UNITSET_IMPEDANCE                  CUnitSetImpedance
//  29 UNITSET_GAIN                       CUnitSetGain                 (relative Y from an impulse response)
// 8, 11, 12, 21, 22 and 29 are the numbers the trace kinds use for their axes.
//
// CUnitSetCarrierJitterPP holds the peak-to-peak units UNIT_JITTER_UIPP and
// UNIT_JITTER_NSPP rather than ids 40 and 41: those would make it a copy of
// the non-peak set without dBUI, showing peak values under a peak-to-peak
// name. Its family still converts 40, 41 and dBUI, so values stored in those
// units keep converting.

#include "host/units/UnitSetFamilies.h"

enum EUnitSetId : int {
    UNITSET_NONE = 0,
    UNITSET_AMPLITUDE_GENERATOR = 1,
    UNITSET_AMPLITUDE_SIGNALANALYSER = 2,
    UNITSET_REFAMPLITUDE = 3,
    UNITSET_SPLREF = 4,
    UNITSET_TRIGGERTHRESHOLD = 5,
    UNITSET_ANALOGUERANGE = 6,
    UNITSET_DALINEUP = 7,
    UNITSET_CARRIERJITTER = 8,
    UNITSET_CARRIERJITTERPP = 9,
    UNITSET_SOUNDCARDLINEUP = 10,
    UNITSET_AMPLITUDEREL = 11,
    UNITSET_AMPLITUDE_ANALYSER = 12,
    UNITSET_DCOFFSET = 13,
    UNITSET_AMPLITUDERELANAVSGEN = 14,
    UNITSET_AMPLITUDERATIO = 15,
    UNITSET_ANALOGUEPHASE = 16,
    UNITSET_DIGITALPHASE = 17,
    UNITSET_CARRIERPHASE = 18,
    UNITSET_CARRIERAMPL = 19,
    UNITSET_FREQUENCY = 20,
    UNITSET_NUMSAMPLES = 21,
    UNITSET_FFTBINS = 22,
    UNITSET_FREQUENCYABS = 23,
    UNITSET_FREQUENCYRATIO = 24,
    UNITSET_DEVIATION = 25,
    UNITSET_DUTYCYCLE = 26,
    UNITSET_BURSTDURATION = 27,
    UNITSET_IMPEDANCE = 28,
    UNITSET_GAIN = 29,
    UNITSET_LAST = UNITSET_GAIN,
};

#define QX_DECLARE_UNIT_SET(Class, Base) \
    class Class : public Base {          \
    public:                              \
        Class();                         \
    };

QX_DECLARE_UNIT_SET(CUnitSetAmplitudeAnalyser, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetAmplitudeGenerator, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetAmplitudeSignalAnalyser, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetRefAmplitude, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetSPLRef, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetTriggerThreshold, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetAnalogueRange, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetDALineUp, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetSoundcardLineUp, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetDCOffset, CUnitSetAmplitudeAbsBase)
QX_DECLARE_UNIT_SET(CUnitSetAmplitudeRel, CUnitSetAmplitudeRelBase)
QX_DECLARE_UNIT_SET(CUnitSetAmplitudeRelAnaVsGen, CUnitSetAmplitudeRelBase)
QX_DECLARE_UNIT_SET(CUnitSetAmplitudeRatio, CUnitSetAmplitudeRelBase)
QX_DECLARE_UNIT_SET(CUnitSetGain, CUnitSetAmplitudeRelBase)
QX_DECLARE_UNIT_SET(CUnitSetAnaloguePhase, CUnitSetAnaPhaseBase)
QX_DECLARE_UNIT_SET(CUnitSetDigitalPhase, CUnitSetAnaPhaseBase)
QX_DECLARE_UNIT_SET(CUnitSetCarrierPhase, CUnitSetCarrierPhaseBase)
QX_DECLARE_UNIT_SET(CUnitSetCarrierJitter, CUnitSetJitterBase)
QX_DECLARE_UNIT_SET(CUnitSetCarrierJitterPP, CUnitSetJitterBase)
QX_DECLARE_UNIT_SET(CUnitSetCarrierAmpl, CUnitSetCarrierAmplBase)
QX_DECLARE_UNIT_SET(CUnitSetFrequency, CUnitSetFrequencyBase)
QX_DECLARE_UNIT_SET(CUnitSetFrequencyAbs, CUnitSetFrequencyBase)
QX_DECLARE_UNIT_SET(CUnitSetFrequencyRatio, CUnitSetFrequencyBase)
QX_DECLARE_UNIT_SET(CUnitSetFFTBins, CUnitSetFrequencyBase)
QX_DECLARE_UNIT_SET(CUnitSetDeviation, CUnitSetDeviationBase)
QX_DECLARE_UNIT_SET(CUnitSetDutyCycle, CUnitSetDutyCycleBase)
QX_DECLARE_UNIT_SET(CUnitSetBurstDuration, CUnitSetBurstDurationBase)
QX_DECLARE_UNIT_SET(CUnitSetNumSamples, CUnitSetNumSamplesBase)
QX_DECLARE_UNIT_SET(CUnitSetImpedance, CUnitSetImpedanceBase)

#undef QX_DECLARE_UNIT_SET

// The shared set of an id (never freed by the caller); null with an
// assertion for an unknown id.
const CUnitSet* GetUnitSet(int iSetId);

// Diagnostic name of a set id ("UNITSET_FFTBINS"), "UNITSET_UNKNOWN" otherwise.
const char* GetUnitSetDiagName(int iSetId);
