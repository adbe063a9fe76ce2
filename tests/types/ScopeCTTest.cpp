// Scope and CT detector traces: the automatic X window over whole periods of
// the fundamental, the symmetric default Y window, and a CT detector that
// turns relative.

#include "support/HostDocFixture.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SettingsIds.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/settings/SignalGeneratorSettings.h"
#include "host/units/UnitMath.h"
#include "trace/limits/LimitLine.h"
#include "trace/types/CTTrace.h"
#include "trace/types/ScopeTrace.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>
#include <string>

namespace {

class ScopeCT : public HostDocFixture {
protected:
    ~ScopeCT() override { EXPECT_EQ(LogCount("FAILED"), 0); }
    // A live scope trace of channel A in the document, its rate and mode
    // read from the host (48 kHz analogue by default).
    CScopeTrace* AddScope(int iDataSize = 1024)
    {
        auto* pScope = AddTrace(new CScopeTrace(CHANNEL_A, iDataSize, 0, 0));
        pScope->SetInUse(1);
        pScope->UpdateTraceVariables(false, false, nullptr);
        return pScope;
    }
};

TEST_F(ScopeCT, AutoZoomFitsWholePeriodsOfTheFundamental)
{
    struct SCase {
        int iWaveform;
        double dDocFundamental; // 0: the document knows none, the analyser's reading counts
        double dAnalyserFrequency;
        int iExpectedEnd;
    };
    const SCase aCases[] = {
        {0, 1000.0, 0.0, 96},    // k = 2 already reaches 64 samples
        {0, 10000.0, 0.0, 67},   // 4.8 samples a period: k = 14
        {0, 0.0, 1000.0, 96},    // from the signal analyser's frequency
        {0, 10.0, 0.0, 1023},    // longer than the buffer: limited to it
        {4, 1000.0, 0.0, 1023},  // noise-like waveforms show everything
        {11, 1000.0, 0.0, 1023},
        {0, 0.0, 0.0, 500},      // no fundamental at all: the window stays
    };
    CScopeTrace* pScope = AddScope();
    ASSERT_EQ(pScope->GetSampleRate(), 48000.0);
    for (const SCase& c : aCases) {
        m_host.GetSettingsService()->GetSignalGeneratorSettings()->SetProperty(PROP_GEN_WAVEFORM_CHA, c.iWaveform);
        m_host.GetSettingsService()->GetSignalAnalyserSettings()->SetProperty(RES_CHA_FREQ, c.dAnalyserFrequency);
        m_pDoc->SetFundamental(CHANNEL_A, c.dDocFundamental);
        pScope->SetCurrentMinXPos(10);
        pScope->SetCurrentMaxXPos(500);
        pScope->AutoZoomX(0, 0);
        EXPECT_EQ(std::make_pair(pScope->GetCurrentMinXPos(), pScope->GetCurrentMaxXPos()), std::make_pair(0, c.iExpectedEnd))
            << c.iWaveform << " " << c.dDocFundamental;
        EXPECT_DOUBLE_EQ(pScope->GetCurrentMaxXScaleValue(), pScope->GetXValueAtPos(c.iExpectedEnd, UNIT_MS));
    }
}

TEST_F(ScopeCT, AutoZoomTriesAHundredPeriodCounts)
{
    // k runs from 2 to 101: 101 * 0.64 samples reach 64, 101 * 0.63 do not.
    EXPECT_EQ((std::vector<int>{CCTBaseTrace::AutoZoomEndPos(75000.0, 48000.0), CCTBaseTrace::AutoZoomEndPos(76000.0, 48000.0),
                                CCTBaseTrace::AutoZoomEndPos(-1.0, 48000.0)}),
              (std::vector<int>{64, 0, 0}));
}

TEST_F(ScopeCT, DefaultYWindowIsSymmetricInData)
{
    // In a dB unit both default bounds read the same value, yet the data
    // window runs from minus to plus full scale.
    CScopeTrace* pScope = AddScope();
    for (const EUnit eUnit : {UNIT_DBU, UNIT_DBV, UNIT_V, UNIT_HEX}) {
        pScope->SetYUnit(eUnit);
        pScope->DefaultZoomY(0, 0);
        EXPECT_DOUBLE_EQ(pScope->GetCurrentMaxYData(), kFullScaleHex) << eUnit;
        EXPECT_DOUBLE_EQ(pScope->GetCurrentMinYData(), -pScope->GetCurrentMaxYData()) << eUnit;
    }
    pScope->SetYUnit(UNIT_DBU);
    pScope->DefaultZoomY(0, 0);
    EXPECT_DOUBLE_EQ(pScope->GetCurrentMinYScaleValue(), pScope->GetCurrentMaxYScaleValue());
}

TEST_F(ScopeCT, RelativeDetectorRescalesAroundMinus60dBAndDropsAbsoluteLimits)
{
    auto* pCT = AddTrace(new CCTTrace(CHANNEL_A, 1024, 0, 0));
    pCT->SetInUse(1);
    pCT->UpdateTraceVariables(false, false, nullptr);
    auto* pMax = new CLimitLine(pCT, 1, 0);
    pMax->SetUnitsCreated(UNIT_MS, UNIT_DBFS);
    pMax->SetTraceID(m_pDoc->GetNextTraceID());
    ASSERT_EQ(pCT->SetLimitLineForTrace(pMax, TT_MAXLIMITLINE, 0, 0, 0), 1);

    // Absolute, RMS: full scale of a sine either side of 0.
    pCT->SetScaleValuesFromCTDetector();
    EXPECT_EQ(std::make_pair(pCT->GetCurrentMinYData(), pCT->GetCurrentMaxYData()), std::make_pair(-kFullScaleSineHex, kFullScaleSineHex));
    EXPECT_EQ(pCT->GetMaxLimitLine(), pMax);

    CCTDetectorSettings* pDetector = m_host.GetSettingsService()->GetCTDetectorSettings();
    pDetector->SetProperty(PROP_CT_RELATIVITY, 1);
    pDetector->SetProperty(PROP_CT_UNIT, UNIT_RELATIVE_DB);
    pCT->UpdateTraceVariables(false, false, nullptr);

    EXPECT_TRUE(pCT->IsRelative());
    EXPECT_EQ(pCT->GetYUnit(), UNIT_RELATIVE_DB);
    EXPECT_NEAR(pCT->GetCurrentMaxYScaleValue(), -60.0, 1e-9);
    EXPECT_NEAR(pCT->GetYValueForData(pCT->GetCurrentMaxYData(), UNIT_RELATIVE_DB, 0, 1), -60.0, 1e-9);
    EXPECT_DOUBLE_EQ(pCT->GetCurrentMinYData(), -pCT->GetCurrentMaxYData());
    // The dBFS limit line means nothing to a relative trace: removed from the document.
    EXPECT_EQ(pCT->GetMaxLimitLine(), nullptr);

    // Back to absolute with a peak response: full digital scale.
    pDetector->SetProperty(PROP_CT_RELATIVITY, 0);
    pDetector->SetProperty(PROP_CT_RESPONSE, 1);
    pDetector->SetProperty(PROP_CT_UNIT, UNIT_DBFS);
    pCT->UpdateTraceVariables(false, false, nullptr);
    EXPECT_FALSE(pCT->IsRelative());
    EXPECT_DOUBLE_EQ(pCT->GetCurrentMaxYData(), kFullScaleHex);
}

} // namespace
