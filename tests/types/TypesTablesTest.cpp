// The plain tables behind the trace kinds: full Y ranges, amplitude unit
// sets, reference records, and the storage units, default units and scale
// kinds of sweep axes. One row per rule, not one per table entry.

#include "host/settings/SettingsIds.h"
#include "host/units/References.h"
#include "host/units/UnitFunctions.h"
#include "trace/types/TraceKindTables.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(TypesTables, YLimitsGiveTheRowOfTheUnitOrZeroAndFalse)
{
    const struct {
        bool (*pfnTable)(EUnit, double*, double*);
        EUnit eUnit;
        bool bFound;
        double dMin, dMax;
    } aCases[] = {
        {GetSpectrumYLimits, UNIT_JITTER_DBUI, true, -250.0, 200.0}, {GetTimeYLimits, UNIT_DBV, true, -150.0, 150.0},
        {GetSweepYLimits, UNIT_PPM, true, -5000.0, 5000.0},          {GetSpectrumYLimits, UNIT_PPM, false, 0.0, 0.0},
        {GetTimeYLimits, UNIT_FREQ_HZ, false, 0.0, 0.0},
    };
    for (const auto& c : aCases) {
        double dMin = 1.0, dMax = -1.0;
        EXPECT_EQ(c.pfnTable(c.eUnit, &dMin, &dMax), c.bFound) << c.eUnit;
        EXPECT_EQ(std::make_pair(dMin, dMax), std::make_pair(c.dMin, c.dMax)) << c.eUnit;
    }
}

TEST(TypesTables, AmplitudeUnitSetAndSampleRate)
{
    EXPECT_EQ((std::vector<int>{GetAmplitudeYUnitSet(false, false, false, 0), GetAmplitudeYUnitSet(false, true, false, 0),
                                GetAmplitudeYUnitSet(true, true, false, 2), GetAmplitudeYUnitSet(true, false, true, 2),
                                GetAmplitudeYUnitSet(true, false, true, 3)}),
              (std::vector<int>{12, 8, 11, 29, 11}));
    EXPECT_EQ((std::vector<double>{EffectiveSampleRate(48000.0, false), EffectiveSampleRate(48000.0, true),
                                   EffectiveSampleRate(-1.0, false)}),
              (std::vector<double>{48000.0, 96000.0, 96000.0}));
}

TEST(TypesTables, AmplitudeReferencesByKind)
{
    SReferences refs;
    // Jitter takes the nominal rate while unlocked.
    SAmplitudeYRefInputs jitter;
    jitter.bJitterMode = jitter.bDataJitter = true;
    jitter.dJitterSampleRate = 44100.0;
    refs = MakeAmplitudeYReferences(jitter);
    EXPECT_EQ(std::make_tuple(refs.GetType(), refs.m_adValues[1], refs.m_aiValues[0], refs.IsUnlocked()),
              std::make_tuple(int{SReferences::REFS_JITTER_Y}, 44100.0, 1, false));
    jitter.bUnlocked = true;
    refs = MakeAmplitudeYReferences(jitter);
    EXPECT_EQ(std::make_pair(refs.m_adValues[1], refs.IsUnlocked()), std::make_pair(96000.0, true));

    // Relative: the default reference depends on mode and kind.
    const struct { bool bJitter, bAnalogue, bTime, bDefault; double dStored, dExpected; } aCases[] = {
        {false, true, false, true, 0.0, 15.4553019}, // analogue spectrum
        {false, false, false, true, 0.0, SReferences::kFullScaleSineHex}, // digital spectrum
        {false, true, true, true, 0.0, SReferences::kFullScaleHex},   // time domain: full-scale peak
        {true, false, false, true, 0.0, 10.0},       // jitter
        {false, true, false, true, 2.5, 2.5},        // a stored value wins
        {false, true, false, false, 0.0, 0.0},       // no defaults without bDefault
    };
    for (const auto& c : aCases) {
        SAmplitudeYRefInputs in;
        in.bRelative = true;
        in.bJitterMode = c.bJitter;
        in.bAnalogue = c.bAnalogue;
        in.bTimeDomain = c.bTime;
        in.bDefault = c.bDefault;
        in.dRelativityOther = c.dStored;
        in.dAnaVsGenFactor = 0.5;
        in.iAnalyserUnit = UNIT_V;
        in.iGeneratorUnit = UNIT_VRMS;
        refs = MakeAmplitudeYReferences(in);
        EXPECT_EQ(std::make_tuple(refs.GetType(), refs.m_adValues[0], refs.m_adValues[1], refs.m_aiValues[1]),
                  std::make_tuple(int{SReferences::REFS_RELATIVE_Y}, c.dExpected, 0.5, int{UNIT_VRMS}));
    }
}

TEST(TypesTables, SweepResultsPickStorageDefaultUnitAndScale)
{
    const struct { int iResult, iRelativity; EUnit eStorage; } aStorage[] = {
        {RES_CHA_RMSAMPL, 1, UNIT_HEX}, {RES_FFTDET_CHA, 1, UNIT_RELATIVE_DB}, {RES_PHASE, 0, UNIT_PHASE_RADIANS},
        {UNUSED_RESULT, 0, UNIT_NULL},
    };
    for (const auto& c : aStorage)
        EXPECT_EQ(GetSweepStorageUnit(c.iResult, UNIT_PHASE_RADIANS, c.iRelativity), c.eStorage) << c.iResult;

    EXPECT_EQ(GetDefaultUnitForResultID(RES_CHA_RMSAMPL, 3, true), UNIT_JITTER_NS);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CTDET_CHA, 2, true), UNIT_RELATIVE_DB);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CHA_RMSAMPL, 2, false), GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE));
    EXPECT_EQ(GetDefaultUnitForResultID(RES_DI_CARRIERPHASE, 2, false), UNIT_PHASE_SAMPLES);
    EXPECT_EQ(GetDefaultUnitForResultID(UNUSED_RESULT, 2, false), UNIT_NULL);

    EXPECT_EQ(GetSweepResultScaleType(RES_FFTDET_CHB, true, true), ST_SWEEP_RELATIVEAMPL);
    EXPECT_EQ(GetSweepResultScaleType(RES_FFTDET_CHB, false, true), ST_SWEEP_JITTER);
}

TEST(TypesTables, SweepSourcesPickStorageScaleAndControl)
{
    const struct { int iTrigger; EUnit eStorage; ScaleType eScale; int iCtrl; } aCases[] = {
        {TRIGGER_GENFREQ_BOTH, UNIT_FREQ_HZ, ST_SWEEP_FREQ, 4310},
        {TRIGGER_JITTERAMPL, UNIT_JITTER_NSPP, ST_SWEEP_JITTER, PROP_GEN_JITTER_AMPL},
        {TRIGGER_MANUAL, UNIT_NULL, ST_SWEEP_MANUAL, 0},
    };
    for (const auto& c : aCases) {
        EXPECT_EQ(std::make_tuple(GetSweepSourceStorageUnit(c.iTrigger, -1), GetSweepSourceScaleType(c.iTrigger),
                                  GetCtrlIDForSweepSource(c.iTrigger)),
                  std::make_tuple(c.eStorage, c.eScale, c.iCtrl)) << c.iTrigger;
    }
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_DATATABLE, UNIT_MS), UNIT_MS); // the table's own unit
}

} // namespace
