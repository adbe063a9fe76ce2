// Measurement settings: defaults, property access by id and unit, channel and result mapping, the service.

#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/settings/SignalGeneratorSettings.h"
#include "host/units/UnitSets.h"
#include "support/LogCapture.h"
#include "support/HostDocFixture.h"

#include <cmath>
#include <tuple>

using SettingsDefaults = HostDocFixture;
using SettingsProperties = HostDocFixture;
using SettingsResults = HostDocFixture;
using SettingsAnalyser = HostDocFixture;

namespace {

int InputKindsTrue(const CAnalyserSettings* p)
{
    return p->IsAnalogueInput() + p->IsDigitalInput() + p->IsSoundcardInput() + p->IsHDMIInput() + p->IsTamberInput() +
           p->IsJDO();
}

std::pair<int, int> ChannelRange(bool bSelection)
{
    int iFirst = -1, iLast = -1;
    GetAnalyserSettings()->GetAnalyserChannelRange(iFirst, iLast, bSelection);
    return {iFirst, iLast};
}

} // namespace

TEST_F(SettingsDefaults, ResetPutsBackTheGeneratorDefaults)
{
    CSignalGeneratorSettings* pGen = GetSignalGeneratorSettings();
    pGen->SetProperty(PROP_GEN_FREQ_CHA, 5000.0);
    pGen->SetProperty(PROP_GEN_WAVEFORM_CHB, 7);
    pGen->ResetToDefaults();
    EXPECT_EQ(std::make_tuple(pGen->GetFrequency(0), pGen->GetWaveform(1)), std::make_tuple(1000.0, 0));
}

TEST_F(SettingsProperties, UnknownIdsAndWrongKindsAssertAndGiveNeutralValues)
{
    CSettingsBase* pSettings = GetCTDetectorSettings();
    CLogCapture log;
    EXPECT_EQ(pSettings->GetPropertyAsEnum(4242), 0);
    EXPECT_EQ(pSettings->GetPropertyAsDouble(4242, UNIT_HEX), 0.0);
    EXPECT_TRUE(pSettings->GetPropertyAsString(4242).IsEmpty());
    EXPECT_FALSE(pSettings->SetProperty(4242, 1) || pSettings->SetProperty(4242, 1.5));
    EXPECT_FALSE(pSettings->SetProperty(4242, L"x"));
    EXPECT_EQ(log.Asserts(), 6);
    EXPECT_FALSE(pSettings->HasProperty(4242));

    EXPECT_EQ(pSettings->GetPropertyAsInt(PROP_CT_BPBR_FREQ), 0);
    EXPECT_EQ(pSettings->GetPropertyAsDouble(PROP_CT_RESPONSE_NAME), 0.0);
    EXPECT_FALSE(pSettings->SetProperty(PROP_CT_RELATIVITY, L"1"));
    EXPECT_EQ(pSettings->GetPropertyAsDouble(PROP_CT_RELATIVITY), 0.0); // an integer read as a double is its value
    EXPECT_EQ(log.Asserts(), 9);
    EXPECT_EQ(pSettings->GetPropertyAsDouble(PROP_CT_BPBR_FREQ, UNIT_DBFS), 0.0); // no conversion between them
    EXPECT_GT(log.Asserts(), 9);

    // Strings and numbers formatted as strings.
    EXPECT_EQ(pSettings->GetPropertyAsString(PROP_CT_RESPONSE_NAME), L"RMS");
    EXPECT_EQ(pSettings->GetPropertyAsString(PROP_CT_BPBR_FREQ), L"1000");
    EXPECT_EQ(pSettings->GetPropertyAsString(PROP_CT_UNIT), L"20");
}

TEST_F(SettingsProperties, DoublesConvertBetweenUnits)
{
    // The analyser's analogue reference, read as the trace reads it.
    EXPECT_NEAR(GetSignalAnalyserSettings()->GetPropertyAsDouble(PROP_SA_ANALOGUE_REF, UNIT_VP) * 1000.0, 15455.3019,
                1e-9);
    EXPECT_NEAR(GetSignalGeneratorSettings()->GetPropertyAsDouble(PROP_GEN_ANALOGUE_REF, UNIT_VP) * 1000.0,
                21857.09754588, 1e-6);
    // A full-scale RMS range in V (p) and V (p-p).
    const CAnalogueInputsSettings* pInputs = GetAnalogueInputsSettings();
    EXPECT_NEAR(pInputs->GetPropertyAsDouble(PROP_AI_RANGE_CHA, UNIT_VP), 15.4553019 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(pInputs->GetPropertyAsDouble(PROP_AI_RANGE_CHA, UNIT_VPP), 2 * 15.4553019 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(GetSignalGeneratorSettings()->GetPropertyAsDouble(PROP_GEN_AMPL_CHA, UNIT_DBFS), -20.0, 1e-9);

    // Times convert through the analyser's sample rate.
    CImpulseResponseSettings* pIR = GetImpulseResponseSettings();
    ASSERT_TRUE(pIR->SetProperty(PROP_IR_START_CHA, 96.0, UNIT_SAMPLES));
    EXPECT_DOUBLE_EQ(pIR->GetPropertyAsDouble(PROP_IR_START_CHA, UNIT_MS), 2.0);
    EXPECT_DOUBLE_EQ(pIR->GetPropertyAsDouble(PROP_IR_START_CHA, UNIT_BINS), 96.0);
    EXPECT_DOUBLE_EQ(pIR->GetPropertyAsDouble(PROP_IR_END_CHA, UNIT_SECONDS), 0.010);
    GetAnalyserSettings()->SetAnalyserSampleRate(96000.0);
    EXPECT_DOUBLE_EQ(pIR->GetPropertyAsDouble(PROP_IR_START_CHA, UNIT_BINS), 192.0);
}

TEST(SettingsTimeUnits, ConvertTimeUnitsTable)
{
    struct SCase { double dIn; EUnit eFrom; EUnit eTo; double dRate; bool bOk; double dOut; };
    const SCase aCases[] = {
        {2.0, UNIT_MS, UNIT_SAMPLES, 48000.0, true, 96.0},
        {480.0, UNIT_BINS, UNIT_MS, 48000.0, true, 10.0},
        {1.5, UNIT_SECONDS, UNIT_MS, 0.0, true, 1500.0}, // no rate needed
        {1.0, UNIT_MS, UNIT_BINS, -1.0, false, 0.0},     // unlocked: no rate
        {1.0, UNIT_MS, UNIT_FREQ_HZ, 48000.0, false, 0.0},
    };
    for (const SCase& c : aCases) {
        double dOut = 0.0;
        EXPECT_EQ(ConvertTimeUnits(c.dIn, c.eFrom, c.eTo, c.dRate, dOut), c.bOk) << c.dIn;
        if (c.bOk) {
            EXPECT_DOUBLE_EQ(dOut, c.dOut);
        }
    }
}

TEST_F(SettingsAnalyser, ChannelRangeFollowsSplitModeAndSelection)
{
    struct SCase { int bSplit; int iMode; bool bSelection; int iFirst; int iLast; };
    const SCase aCases[] = {
        {0, 2, true, 0, 1}, {0, 0, true, 0, 0}, {0, 1, true, 1, 1}, {0, 1, false, 0, 1},
        {1, 2, true, 0, 0}, {1, 1, true, 0, 0},
    };
    for (const SCase& c : aCases) {
        GetAnalyserSettings()->SetProperty(PROP_ANA_SPLIT96_SINGLE, c.bSplit);
        GetSignalAnalyserSettings()->SetProperty(PROP_SA_CHANNEL_MODE, c.iMode);
        EXPECT_EQ(ChannelRange(c.bSelection), std::make_pair(c.iFirst, c.iLast)) << c.bSplit << "/" << c.iMode;
        EXPECT_EQ(GetAnalyserSettings()->IsSplit96SingleChannel(), c.bSplit != 0);
    }
}

TEST_F(SettingsAnalyser, InputKindsAreExclusive)
{
    CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    for (int iKind = INPUT_ANALOGUE; iKind <= INPUT_JDO; ++iKind) {
        pAnalyser->SetProperty(PROP_ANA_INPUT_KIND, iKind);
        EXPECT_EQ(InputKindsTrue(pAnalyser), 1) << iKind;
    }
    EXPECT_TRUE(pAnalyser->IsJDO());
}

TEST_F(SettingsAnalyser, UnlockedRatesAndBandFrequencies)
{
    CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    // An unlocked channel reports -1, but its nominal rate stays.
    pAnalyser->SetProperty(PROP_ANA_SAMPLE_RATE_CHB, -1.0);
    EXPECT_EQ(pAnalyser->GetAnalyserSampleRate(1, true), -1.0);
    EXPECT_EQ(pAnalyser->GetAnalyserSampleRate(1, false), 48000.0);
    EXPECT_EQ(pAnalyser->GetAnalyserSampleRate(0, true), 48000.0);

    // The band frequency comes from each detector's own setting, or the measured frequency.
    GetCTDetectorSettings()->SetProperty(PROP_CT_BPBR_FREQ, 400.0);
    GetFFTDetectorFromID(2)->SetProperty(PROP_FFTD_BPBR_FREQ, 3150.0);
    GetFFTDetectorFromID(3)->SetProperty(PROP_FFTD_OWN_FREQ, 0);
    GetSignalAnalyserSettings()->SetProperty(RES_CHB_FREQ, 997.0);
    EXPECT_EQ(pAnalyser->GetBPBRFrequency(0, 0, 0, -1.0), 400.0);
    EXPECT_EQ(pAnalyser->GetBPBRFrequency(0, 2, 0, -1.0), 3150.0);
    EXPECT_EQ(pAnalyser->GetBPBRFrequency(1, 3, 0, -1.0), 997.0);
    EXPECT_EQ(pAnalyser->GetBPBRFrequency(0, 99, 0, -1.0), -1.0);
}

TEST_F(SettingsResults, SelectedAliasesFollowTheSelectedChannel)
{
    struct SCase { int iAlias; int iForA; int iForB; };
    const SCase aCases[] = {
        {RES_SEL_RMSAMPL, RES_CHA_RMSAMPL, RES_CHB_RMSAMPL},
        {RES_NONSEL_RMSAMPL, RES_CHB_RMSAMPL, RES_CHA_RMSAMPL},
        {RES_CTDET_SEL, RES_CTDET_CHA, RES_CTDET_CHB},
        {RES_CTDET_NONSEL, RES_CTDET_CHB, RES_CTDET_CHA},
        {RES_FFTDET_SEL, RES_FFTDET_CHA, RES_FFTDET_CHB},
        {RES_FFTDET_NONSEL, RES_FFTDET_CHB, RES_FFTDET_CHA},
        {RES_CHB_FREQ, RES_CHB_FREQ, RES_CHB_FREQ},
        {RES_DELAY, RES_DELAY, RES_DELAY},
        {UNUSED_RESULT, UNUSED_RESULT, UNUSED_RESULT},
    };
    for (const SCase& c : aCases) {
        EXPECT_EQ(MapSelectedResultID(c.iAlias, 0), c.iForA) << c.iAlias;
        EXPECT_EQ(MapSelectedResultID(c.iAlias, 1), c.iForB) << c.iAlias;
    }
    // The actual result follows the channel mode: with both channels measured, A is the selected one.
    EXPECT_EQ(GetActualResultID(RES_SEL_FREQ), RES_CHA_FREQ);
    GetSignalAnalyserSettings()->SetProperty(PROP_SA_CHANNEL_MODE, 1);
    EXPECT_EQ(GetActualResultID(RES_SEL_FREQ), RES_CHB_FREQ);
    EXPECT_EQ(GetActualResultID(RES_CTDET_NONSEL), RES_CTDET_CHA);

    for (int iId : {RES_FFTDET_CHA, RES_FFTDET_CHB, RES_FFTDET_SEL, RES_FFTDET_NONSEL}) EXPECT_TRUE(IsFFTResult(iId));
    for (int iId : {int(RES_CTDET_CHA), int(RES_SEL_RMSAMPL), int(UNUSED_RESULT), 0}) EXPECT_FALSE(IsFFTResult(iId));
}

TEST_F(SettingsResults, SettingsForIdFindTheOwningObject)
{
    const struct { int iId; int iDetector; const CSettingsBase* pExpected; } aCases[] = {
        {RES_CHA_FREQ, 0, GetSignalAnalyserSettings()},       {RES_SEL_RMSAMPL, 0, GetSignalAnalyserSettings()},
        {RES_CTDET_CHB, 0, GetCTDetectorSettings()},          {PROP_GEN_FREQ_CHB, 0, GetSignalGeneratorSettings()},
        {PROP_CT_BPBR_FREQ, 0, GetCTDetectorSettings()},      {PROP_IR_START_CHB, 0, GetImpulseResponseSettings()},
        {RES_FFTDET_CHA, 2, GetFFTDetectorFromID(2)},         {RES_FFTDET_SEL, 4, GetFFTDetectorFromID(4)},
        {RES_FFTDET_CHA, 0, nullptr}, {0, 0, nullptr}, {12345, 0, nullptr},
    };
    for (const auto& c : aCases) EXPECT_EQ(GetSettingsForID(c.iId, c.iDetector), c.pExpected) << c.iId;
}

