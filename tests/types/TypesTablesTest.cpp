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
        {GetSpectrumYLimits, UNIT_JITTER_DBUI, true, -250.0, 200.0}, {GetSpectrumYLimits, UNIT_HEX, true, -SReferences::kFullScaleHex, SReferences::kFullScaleHex},
        {GetSpectrumYLimits, UNIT_JITTER_UI, true, 0.0, 10.0},       {GetSpectrumYLimits, UNIT_RELATIVE_GAIN, true, -10.0, 10.0},
        {GetTimeYLimits, UNIT_DBV, true, -150.0, 150.0},             {GetTimeYLimits, UNIT_W, true, -1000.0, 1000.0},
        {GetSweepYLimits, UNIT_FREQ_RATIO, true, 0.0, 1000.0},       {GetSweepYLimits, UNIT_JITTER_NSPP, true, -200.0, 200.0},
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
    SAmplitudeYRefInputs absolute;
    absolute.dAnalogueRange = 15455.3019;
    absolute.dReference = 1000.0;
    absolute.dImpedance = 600.0;
    absolute.dZerodBSPL = 200.0;
    absolute.iResponse = 1;
    SReferences refs = MakeAmplitudeYReferences(absolute);
    EXPECT_EQ(refs.m_iType, SReferences::REFS_ABSOLUTE_Y);
    EXPECT_EQ(std::vector<double>(refs.m_adValues, refs.m_adValues + 4),
              (std::vector<double>{15455.3019, 1000.0, 600.0, 200.0}));
    EXPECT_EQ(refs.m_aiValues[0], 0); // not an RMS reading

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
    const struct {
        bool bJitter, bAnalogue, bTime, bDefault;
        double dStored, dExpected;
    } aCases[] = {
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
    const struct {
        int iResult, iRelativity;
        EUnit eStorage;
    } aStorage[] = {
        {RES_DO_SOURCEFSDEVIATION, 0, UNIT_PPM}, {RES_DIC_JITTER, 0, UNIT_JITTER_NSPP},
        {RES_AO_SAMPLERATE, 0, UNIT_FREQ_HZ},    {RES_CHA_RMSAMPL, 1, UNIT_HEX},
        {RES_CTDET_CHB, 0, UNIT_HEX},            {RES_FFTDET_CHA, 1, UNIT_RELATIVE_DB},
        {RES_PHASE, 0, UNIT_PHASE_RADIANS},      {UNUSED_RESULT, 0, UNIT_NULL},
    };
    for (const auto& c : aStorage)
        EXPECT_EQ(GetSweepStorageUnit(c.iResult, UNIT_PHASE_RADIANS, c.iRelativity), c.eStorage) << c.iResult;

    EXPECT_EQ(GetDefaultUnitForResultID(RES_CHA_RMSAMPL, 3, true), UNIT_JITTER_NS);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CTDET_CHA, 2, true), UNIT_RELATIVE_DB);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CHA_RMSAMPL, 2, false), GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE));
    EXPECT_EQ(GetDefaultUnitForResultID(RES_DI_CARRIERPHASE, 2, false), UNIT_PHASE_SAMPLES);
    EXPECT_EQ(GetDefaultUnitForResultID(UNUSED_RESULT, 2, false), UNIT_NULL);

    EXPECT_EQ(GetSweepResultScaleType(RES_DO_ACTUALSOURCEFS, false, false), ST_SWEEP_FREQ);
    EXPECT_EQ(GetSweepResultScaleType(RES_FFTDET_CHB, true, true), ST_SWEEP_RELATIVEAMPL);
    EXPECT_EQ(GetSweepResultScaleType(RES_FFTDET_CHB, false, true), ST_SWEEP_JITTER);
    EXPECT_EQ(GetSweepResultScaleType(RES_CHB_RMSAMPL, false, false), ST_SWEEP_AMPL);
    EXPECT_EQ(GetSweepResultScaleType(RES_DELAY, false, false), ST_SWEEP_DELAY);
}

TEST(TypesTables, SweepSourcesPickStorageScaleAndControl)
{
    const struct {
        int iTrigger;
        EUnit eStorage;
        ScaleType eScale;
        int iCtrl;
    } aCases[] = {
        {TRIGGER_GENFREQ_BOTH, UNIT_FREQ_HZ, ST_SWEEP_FREQ, 4310},
        {TRIGGER_SENSEAMPL_CHB, UNIT_HEX, ST_SWEEP_AMPL, 3210},
        {TRIGGER_DCOFFSET, UNIT_HEX, ST_SWEEP_DCOFFSET, PROP_GEN_DC_OFFSET},
        {TRIGGER_JITTERAMPL, UNIT_JITTER_NSPP, ST_SWEEP_JITTER, PROP_GEN_JITTER_AMPL},
        {TRIGGER_TIME, UNIT_SECONDS, ST_SWEEP_TIME, 0},
        {TRIGGER_MANUAL, UNIT_NULL, ST_SWEEP_MANUAL, 0},
        {TRIGGER_CHANNELARRAY, UNIT_NULL, ST_SWEEP_CHANNEL, 0},
    };
    for (const auto& c : aCases) {
        EXPECT_EQ(std::make_tuple(GetSweepSourceStorageUnit(c.iTrigger, -1), GetSweepSourceScaleType(c.iTrigger),
                                  GetCtrlIDForSweepSource(c.iTrigger)),
                  std::make_tuple(c.eStorage, c.eScale, c.iCtrl)) << c.iTrigger;
    }
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_DATATABLE, UNIT_MS), UNIT_MS); // the table's own unit
}

} // namespace
