// The plain tables behind the trace kinds: full Y ranges, amplitude unit
// sets, reference records, and the storage units, default units and scale
// kinds of sweep axes.

#include "host/settings/SettingsIds.h"
#include "host/units/UnitFunctions.h"
#include "trace/types/TraceKindTables.h"

#include <gtest/gtest.h>

namespace {

struct SLimitCase {
    const char* szTable;
    bool (*pfnTable)(EUnit, double*, double*);
    EUnit eUnit;
    double dMin;
    double dMax;
};

class TypesYLimits : public ::testing::TestWithParam<SLimitCase> {};

TEST_P(TypesYLimits, GivesTheRowOfTheUnit)
{
    const SLimitCase& c = GetParam();
    double dMin = 1.0;
    double dMax = -1.0;
    EXPECT_TRUE(c.pfnTable(c.eUnit, &dMin, &dMax)) << c.szTable;
    EXPECT_EQ(dMin, c.dMin) << c.szTable;
    EXPECT_EQ(dMax, c.dMax) << c.szTable;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TypesYLimits,
    ::testing::Values(SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_DBFS, -250.0, 200.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_JITTER_DBUI, -250.0, 200.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_PERCENTREF, -1000.0, 1000.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_HEX, -8388607.0, 8388607.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_W, -10000.0, 10000.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_JITTER_UI, 0.0, 10.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_JITTER_NS, 0.0, 200.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_V, -500.0, 500.0},
                      SLimitCase{"spectrum", GetSpectrumYLimits, UNIT_RELATIVE_GAIN, -10.0, 10.0},
                      SLimitCase{"time", GetTimeYLimits, UNIT_DBV, -150.0, 150.0},
                      SLimitCase{"time", GetTimeYLimits, UNIT_W, -1000.0, 1000.0},
                      SLimitCase{"time", GetTimeYLimits, UNIT_JITTER_NS, -200.0, 200.0},
                      SLimitCase{"time", GetTimeYLimits, UNIT_RELATIVE_RATIO, -10.0, 10.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_FREQ_HZ, -100000.0, 100000.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_FREQ_RATIO, 0.0, 1000.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_JITTER_NSPP, -200.0, 200.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_VPP, -500.0, 500.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_PHASE_SAMPLES, -50000.0, 50000.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_PHASE_DEGREES, -360.0, 360.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_PHASE_RADIANS, -5.0, 5.0},
                      SLimitCase{"sweep", GetSweepYLimits, UNIT_PPM, -5000.0, 5000.0}));

TEST(TypesYLimitsMissing, UnitsOutsideATableGiveZeroAndFalse)
{
    double dMin = 1.0;
    double dMax = 1.0;
    EXPECT_FALSE(GetSpectrumYLimits(UNIT_PPM, &dMin, &dMax));
    EXPECT_EQ(dMin, 0.0);
    EXPECT_EQ(dMax, 0.0);
    EXPECT_FALSE(GetTimeYLimits(UNIT_FREQ_HZ, &dMin, &dMax));
    EXPECT_FALSE(GetSweepYLimits(UNIT_RELATIVE_ANAVSGEN, &dMin, &dMax));
}

TEST(TypesAmplitudeUnitSet, ChoosesBySignAndSource)
{
    EXPECT_EQ(GetAmplitudeYUnitSet(false, false, false, 0), 12);
    EXPECT_EQ(GetAmplitudeYUnitSet(false, true, false, 0), 8);
    EXPECT_EQ(GetAmplitudeYUnitSet(true, true, false, 2), 11);
    EXPECT_EQ(GetAmplitudeYUnitSet(true, false, true, 2), 29);
    EXPECT_EQ(GetAmplitudeYUnitSet(true, false, true, 3), 11);
}

TEST(TypesAmplitudeReferences, AbsoluteCarriesTheFourAnalogueReferences)
{
    SAmplitudeYRefInputs in;
    in.dAnalogueRange = 15455.3019;
    in.dReference = 1000.0;
    in.dImpedance = 600.0;
    in.dZerodBSPL = 200.0;
    in.iResponse = 1;
    const SReferences refs = MakeAmplitudeYReferences(in);
    EXPECT_EQ(refs.m_iType, SReferences::REFS_ABSOLUTE_Y);
    EXPECT_EQ(refs.m_adValues[0], 15455.3019);
    EXPECT_EQ(refs.m_adValues[1], 1000.0);
    EXPECT_EQ(refs.m_adValues[2], 600.0);
    EXPECT_EQ(refs.m_adValues[3], 200.0);
    EXPECT_EQ(refs.m_aiValues[0], 0); // not an RMS reading
}

TEST(TypesAmplitudeReferences, JitterUsesTheNominalRateWhileUnlocked)
{
    SAmplitudeYRefInputs in;
    in.bJitterMode = true;
    in.bDataJitter = true;
    in.dJitterSampleRate = 44100.0;
    SReferences refs = MakeAmplitudeYReferences(in);
    EXPECT_EQ(refs.GetType(), SReferences::REFS_JITTER_Y);
    EXPECT_EQ(refs.m_adValues[1], 44100.0);
    EXPECT_EQ(refs.m_aiValues[0], 1);
    EXPECT_FALSE(refs.IsUnlocked());

    in.bUnlocked = true;
    refs = MakeAmplitudeYReferences(in);
    EXPECT_EQ(refs.m_adValues[1], 96000.0);
    EXPECT_TRUE(refs.IsUnlocked());
    EXPECT_EQ(refs.GetType(), SReferences::REFS_JITTER_Y);
}

TEST(TypesAmplitudeReferences, RelativeDefaultsDependOnModeAndKind)
{
    struct SCase {
        bool bJitter, bAnalogue, bTime, bDefault;
        double dStored, dExpected;
    };
    const SCase aCases[] = {
        {false, true, false, true, 0.0, 15.4553019},  // analogue spectrum
        {false, false, false, true, 0.0, 5931640.0},  // digital spectrum
        {false, true, true, true, 0.0, 8388607.0},    // time domain: full-scale peak
        {true, false, false, true, 0.0, 10.0},        // jitter
        {false, true, false, true, 2.5, 2.5},         // a stored value wins
        {false, true, false, false, 0.0, 0.0},        // no defaults without bDefault
    };
    for (const SCase& c : aCases) {
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
        const SReferences refs = MakeAmplitudeYReferences(in);
        EXPECT_EQ(refs.GetType(), SReferences::REFS_RELATIVE_Y);
        EXPECT_EQ(refs.m_adValues[0], c.dExpected);
        EXPECT_EQ(refs.m_adValues[1], 0.5);
        EXPECT_EQ(refs.m_aiValues[0], UNIT_V);
        EXPECT_EQ(refs.m_aiValues[1], UNIT_VRMS);
    }
}

TEST(TypesSampleRate, NoRateOrUnlockedMeansTheNominalRate)
{
    EXPECT_EQ(EffectiveSampleRate(48000.0, false), 48000.0);
    EXPECT_EQ(EffectiveSampleRate(48000.0, true), 96000.0);
    EXPECT_EQ(EffectiveSampleRate(-1.0, false), 96000.0);
}

TEST(TypesSweepStorage, ResultsStoreInTheirQuantity)
{
    const struct {
        int iResult;
        int iRelativity;
        EUnit eExpected;
    } aCases[] = {
        {RES_DI_FRAMERATE_DEVIATION, 0, UNIT_PPM}, {RES_DO_SOURCEFSDEVIATION, 0, UNIT_PPM},
        {RES_DIC_CARRIERAMPL, 0, UNIT_V},          {RES_DIC_JITTER, 0, UNIT_JITTER_NSPP},
        {RES_DI_CARRIERPHASE, 0, UNIT_PHASE_UI},   {RES_AO_SAMPLERATE, 0, UNIT_FREQ_HZ},
        {RES_CHB_FREQ, 0, UNIT_FREQ_HZ},           {RES_CHA_RMSAMPL, 1, UNIT_HEX},
        {RES_CTDET_CHB, 0, UNIT_HEX},              {RES_FFTDET_CHA, 1, UNIT_RELATIVE_DB},
        {RES_PHASE, 0, UNIT_PHASE_RADIANS},        {UNUSED_RESULT, 0, UNIT_NULL},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(GetSweepStorageUnit(c.iResult, UNIT_PHASE_RADIANS, c.iRelativity), c.eExpected) << c.iResult;
}

TEST(TypesSweepStorage, SourcesStoreInTheirQuantity)
{
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_GENFREQ_BOTH, -1), UNIT_FREQ_HZ);
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_SENSEFREQ_CHB, -1), UNIT_FREQ_HZ);
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_DCOFFSET, -1), UNIT_HEX);
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_SENSEAMPL_CHA, -1), UNIT_HEX);
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_JITTERAMPL, -1), UNIT_JITTER_NSPP);
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_TIME, -1), UNIT_SECONDS);
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_MANUAL, -1), UNIT_NULL);
    EXPECT_EQ(GetSweepSourceStorageUnit(TRIGGER_DATATABLE, UNIT_MS), UNIT_MS);
}

TEST(TypesSweepDefaultUnits, AmplitudesFollowModeAndRelativity)
{
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CHA_RMSAMPL, 3, true), UNIT_JITTER_NS);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CTDET_CHA, 2, true), UNIT_RELATIVE_DB);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CHA_RMSAMPL, 1, false), GetDefaultDigitalUnit(RESULTKIND_AMPLITUDE));
    EXPECT_EQ(GetDefaultUnitForResultID(RES_CHA_RMSAMPL, 2, false), GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE));
    EXPECT_EQ(GetDefaultUnitForResultID(RES_DI_CARRIERPHASE, 2, false), UNIT_PHASE_SAMPLES);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_DELAY, 2, false), UNIT_PHASE_US);
    EXPECT_EQ(GetDefaultUnitForResultID(RES_DIC_JITTER, 2, false), UNIT_JITTER_NS);
    EXPECT_EQ(GetDefaultUnitForResultID(UNUSED_RESULT, 2, false), UNIT_NULL);
}

TEST(TypesSweepScaleTypes, SourcesAndResultsPickTheirScale)
{
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_SENSEFREQ_CHA), ST_SWEEP_FREQ);
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_SENSEAMPL_CHB), ST_SWEEP_AMPL);
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_DCOFFSET), ST_SWEEP_DCOFFSET);
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_JITTERAMPL), ST_SWEEP_JITTER);
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_TIME), ST_SWEEP_TIME);
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_MANUAL), ST_SWEEP_MANUAL);
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_CHANNELARRAY), ST_SWEEP_CHANNEL);
    EXPECT_EQ(GetSweepSourceScaleType(TRIGGER_DATATABLE), ST_SWEEP_FREQ);

    EXPECT_EQ(GetSweepResultScaleType(RES_DO_ACTUALSOURCEFS, false, false), ST_SWEEP_FREQ);
    EXPECT_EQ(GetSweepResultScaleType(RES_DO_SOURCEFSDEVIATION, false, false), ST_SWEEP_DEVIATION);
    EXPECT_EQ(GetSweepResultScaleType(RES_DIC_CARRIERAMPL, false, false), ST_SWEEP_CARRIERAMPL);
    EXPECT_EQ(GetSweepResultScaleType(RES_DI_CARRIERPHASE, false, false), ST_SWEEP_CARRIERPHASE);
    EXPECT_EQ(GetSweepResultScaleType(RES_DELAY, false, false), ST_SWEEP_DELAY);
    EXPECT_EQ(GetSweepResultScaleType(RES_FFTDET_CHB, true, true), ST_SWEEP_RELATIVEAMPL);
    EXPECT_EQ(GetSweepResultScaleType(RES_FFTDET_CHB, false, true), ST_SWEEP_JITTER);
    EXPECT_EQ(GetSweepResultScaleType(RES_CHB_RMSAMPL, false, false), ST_SWEEP_AMPL);
}

TEST(TypesSweepControls, SourcesNameTheirHostControl)
{
    EXPECT_EQ(GetCtrlIDForSweepSource(TRIGGER_GENFREQ_BOTH), 4310);
    EXPECT_EQ(GetCtrlIDForSweepSource(TRIGGER_GENFREQ_CHB), 4343);
    EXPECT_EQ(GetCtrlIDForSweepSource(TRIGGER_GENAMPL_BOTH), 4306);
    EXPECT_EQ(GetCtrlIDForSweepSource(TRIGGER_GENAMPL_CHB), 4339);
    EXPECT_EQ(GetCtrlIDForSweepSource(TRIGGER_CTDET_BPBRFREQ), 3261);
    EXPECT_EQ(GetCtrlIDForSweepSource(TRIGGER_SENSEAMPL_CHB), 3210);
    EXPECT_EQ(GetCtrlIDForSweepSource(TRIGGER_TIME), 0);
}

} // namespace
