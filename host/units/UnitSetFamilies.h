#pragma once
// The family bases of the unit sets: each carries one family's conversion
// arithmetic (UnitMath.h). CUnitSetSampleRateBase has no concrete set yet; it
// converts Hz, offset and ratio against the nominal sample rate and ppm.

#include "host/units/UnitSet.h"

#define QX_DECLARE_UNIT_SET_FAMILY(Class, ScaleFunction)                              \
    class Class : public CUnitSet {                                                   \
    protected:                                                                        \
        UnitScaleFunction GetScaleFunction() const override { return ScaleFunction; } \
    };

QX_DECLARE_UNIT_SET_FAMILY(CUnitSetAmplitudeAbsBase, GetAmplitudeAbsScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetAmplitudeRelBase, GetAmplitudeRelScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetAnaPhaseBase, GetAnaPhaseScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetCarrierPhaseBase, GetCarrierPhaseScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetJitterBase, GetJitterScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetCarrierAmplBase, GetCarrierAmplScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetFrequencyBase, GetFrequencyScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetDeviationBase, GetDeviationScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetDutyCycleBase, GetDutyCycleScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetBurstDurationBase, GetBurstDurationScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetNumSamplesBase, GetNumSamplesScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetImpedanceBase, GetImpedanceScale)
QX_DECLARE_UNIT_SET_FAMILY(CUnitSetSampleRateBase, GetSampleRateScale)

#undef QX_DECLARE_UNIT_SET_FAMILY
