// How a kind's relativity, taken from the host's settings, changes what it
// stores and which units it offers.

#include "support/HostDocFixture.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/units/UnitSets.h"
#include "trace/types/CTTrace.h"
#include "trace/types/FFTResponseTrace.h"
#include "trace/types/FFTTrace.h"
#include "trace/types/ScopeTrace.h"

#include <gtest/gtest.h>

namespace {

using TypesRelativity = HostDocFixture;

TEST_F(TypesRelativity, ImpulseResponseGateDecidesSpectrumStorageAndUnits)
{
    struct SCase {
        int bGate, iRelativity, bKeepAbsolute;
        int iExpectedRelativity;
        EUnit eExpectedStorage;
        int iExpectedSet;
    };
    const SCase aCases[] = {
        {0, 0, 0, 0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER},
        {1, 0, 0, 2, UNIT_RELATIVE_RATIO, UNITSET_GAIN},
        {1, 1, 0, 3, UNIT_RELATIVE_RATIO, UNITSET_AMPLITUDEREL},
        {1, 1, 1, 0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER},
    };
    CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
    ASSERT_NE(pSettings, nullptr);
    auto* pFFT = AddTrace(new CFFTTrace(CHANNEL_A, 65, 0, 0));
    auto* pScope = AddTrace(new CScopeTrace(CHANNEL_A, 64, 0, 0));
    for (const SCase& c : aCases) {
        pSettings->SetProperty(PROP_IR_GATE_ON, c.bGate);
        pSettings->SetProperty(PROP_IR_RELATIVITY, c.iRelativity);
        pSettings->SetProperty(PROP_IR_KEEP_ABSOLUTE, c.bKeepAbsolute);
        for (CQXTrace* pTrace : {static_cast<CQXTrace*>(pFFT), static_cast<CQXTrace*>(pScope)}) {
            pTrace->UpdateRelativityAndResponse();
            EXPECT_EQ(pTrace->GetRelativity(), c.iExpectedRelativity);
            EXPECT_EQ(pTrace->IsFromImpulseResponse(), c.bGate);
            EXPECT_EQ(pTrace->GetStorageUnit(Y_AXIS), c.eExpectedStorage);
            EXPECT_EQ(pTrace->GetUnitSet(2), GetUnitSet(c.iExpectedSet));
        }
    }
    // Scope samples are instantaneous values, spectra RMS readings.
    EXPECT_FALSE(pScope->IsRMS());
    EXPECT_TRUE(pFFT->IsRMS());
}

TEST_F(TypesRelativity, RelativeCTDetectorShowsRelativeDecibels)
{
    auto* pCT = AddTrace(new CCTTrace(CHANNEL_A, 64, 0, 0));
    GetCTDetectorSettings()->SetProperty(PROP_CT_RELATIVITY, 1);
    pCT->UpdateRelativityAndResponse();
    EXPECT_TRUE(pCT->IsRelative());
    EXPECT_EQ(pCT->GetDefaultYUnit(CQXTrace::eModeNull, 0), UNIT_RELATIVE_DB);
    EXPECT_EQ(pCT->GetUnitSet(2), GetUnitSet(UNITSET_AMPLITUDEREL));
    SReferences refs;
    ASSERT_EQ(pCT->GetReferences(2, 1, &refs), 1);
    EXPECT_EQ(refs.GetType(), SReferences::REFS_RELATIVE_Y);
}

TEST_F(TypesRelativity, ResponseReferenceGivesItsRelativity)
{
    const int aiExpected[] = {0, 2, 2, 4, 3, 4, 1};
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(CFFTResponseTrace::RelativityForRelativeTo(i), aiExpected[i]) << i;

    auto* pResponse = AddTrace(new CFFTResponseTrace(CHANNEL_A, 2, 0, 0));
    ResponseDetails details;
    details.sFunction = 4;
    details.sRelativeTo = 4;
    details.sIncludeType = 1;
    details.iYUnit = UNIT_RELATIVE_DB;
    EXPECT_EQ(pResponse->SetResponseDetails(details), 1);
    EXPECT_TRUE(pResponse->IsRelative());
    EXPECT_EQ(pResponse->GetRelativity(), 3);
    EXPECT_EQ(pResponse->GetStorageUnit(Y_AXIS), UNIT_RELATIVE_RATIO);
    EXPECT_EQ(pResponse->GetYUnit(), UNIT_RELATIVE_DB);
    EXPECT_EQ(pResponse->CanSumBinsInBands(), 0);
    EXPECT_LT(pResponse->GetCurrentMinYScaleValue(), pResponse->GetCurrentMaxYScaleValue());
}

} // namespace
