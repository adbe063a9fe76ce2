#pragma once
// The unit classes: one tiny class per unit of the table, grouped under
// CAmplitudeUnit and CFrequencyUnit; the peak-to-peak jitter units derive from
// their non-peak units. Each class's default constructor sets its table row.
// Code normally reaches these objects through CPUnit, never by constructing
// them; the classes exist so that a unit's kind can also be tested by type.

#include "host/units/Unit.h"

class CAmplitudeUnit : public CUnit {
protected:
    using CUnit::CUnit;
};

class CFrequencyUnit : public CUnit {
protected:
    using CUnit::CUnit;
};

#define QX_DECLARE_UNIT_CLASS(Class, Base) \
    class Class : public Base {            \
    public:                                \
        Class();                           \
    protected:                             \
        using Base::Base;                  \
    };

QX_DECLARE_UNIT_CLASS(CUnitNull, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitBins, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitSeconds, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitMs, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitFreqHz, CFrequencyUnit)
QX_DECLARE_UNIT_CLASS(CUnitFreqOffset, CFrequencyUnit)
QX_DECLARE_UNIT_CLASS(CUnitFreqRatio, CFrequencyUnit)
QX_DECLARE_UNIT_CLASS(CUnitSamples, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitDbspl, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitDbfs, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitFs, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitFfs, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitHex, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitVrms, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitVp, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitVpp, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitDbu, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitDbv, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitDbm, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitW, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitDbr, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitPercentRef, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitRelativeDb, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitRelativePercent, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitJitterUi, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitJitterNs, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitJitterDbui, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitJitterUiPP, CUnitJitterUi)
QX_DECLARE_UNIT_CLASS(CUnitJitterNsPP, CUnitJitterNs)
QX_DECLARE_UNIT_CLASS(CUnitPhaseUi, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitPhasePercent, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitPhaseSamples, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitPhaseDegrees, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitPhaseRadians, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitPhaseUs, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitDutycyclePercent, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitDutycycleSamples, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitV, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitPpm, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitImpedanceR, CUnit)
QX_DECLARE_UNIT_CLASS(CUnitRelativeRatio, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitRelativeGain, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitRelativeAnaVsGen, CAmplitudeUnit)
QX_DECLARE_UNIT_CLASS(CUnitNumPeriods, CUnit)

#undef QX_DECLARE_UNIT_CLASS
