#include "trace/core/ZoomMath.h"

#include "host/settings/AnalyserSettings.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/units/References.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "support/HostDocFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct SRange { double dMin = 0.0; double dMax = 0.0; int iFound = 0; };

SRange Range(int iResult, int iUnit, int bJDO = 0, int iDetector = 1)
{
    SRange r;
    r.iFound = GetDefaultRangeForResultID(iResult, iDetector, iUnit, bJDO, &r.dMin, &r.dMax);
    return r;
}

class ZoomDefaultRanges : public HostDocFixture {
protected:
    CFFTDetectorSettings* Detector() { return Settings()->GetFFTDetectorFromID(1); }
};

#define EXPECT_RANGE(range, min, max)                                                                   \
    do {                                                                                                 \
        const SRange r_ = (range);                                                                       \
        EXPECT_EQ(r_.iFound, 1);                                                                         \
        EXPECT_NEAR(r_.dMin, (min), 1e-9 * (1.0 + std::fabs(min)));                                      \
        EXPECT_NEAR(r_.dMax, (max), 1e-9 * (1.0 + std::fabs(max)));                                      \
    } while (0)

} // namespace

// Zero to the full-scale sine: sample value 5931640, 15.4553019 V rms on the
// fixed analogue range (x 2 root 2 peak to peak; 20 log(V / 0.7746) dBu;
// V^2 / 600 ohms; 20 log(V / 20 mV) dBSPL); the dB floor is -200.
TEST_F(ZoomDefaultRanges, AbsoluteAmplitudeRowsSpanZeroToTheFullScaleSine)
{
    const struct { int iUnit; double dMin, dMax; } aCases[] = {
        {UNIT_DBFS, -200.0, 0.0},   {UNIT_FS, 0.0, 100.0},       {UNIT_HEX, 0.0, SReferences::kFullScaleSineHex},
        {UNIT_V, 0.0, 15.4553019},  {UNIT_VPP, 0.0, 43.7141951},    {UNIT_DBU, -200.0, 26.0000374},
        {UNIT_DBV, -200.0, 23.7815499}, {UNIT_W, 0.0, 0.398110595},    {UNIT_DBSPL, -200.0, 57.7609499},
    };
    for (int iResult : {RES_CHA_RMSAMPL, RES_CTDET_CHA, RES_FFTDET_CHA}) {
        for (const auto& c : aCases) {
            SCOPED_TRACE(testing::Message() << "result " << iResult << " unit " << GetUnitDiagName(c.iUnit));
            const SRange r = Range(iResult, c.iUnit);
            EXPECT_EQ(r.iFound, 1);
            EXPECT_DOUBLE_EQ(r.dMin, c.dMin);
            EXPECT_NEAR(r.dMax, c.dMax, 1e-7 * (1.0 + c.dMax));
        }
    }
    // The power units follow the impedance setting.
    Settings()->GetSignalAnalyserSettings()->SetProperty(PROP_SA_IMPEDANCE, 150.0);
    EXPECT_RANGE(Range(RES_CHA_RMSAMPL, UNIT_W), 0.0, 15.4553019 * 15.4553019 / 150.0);
}

TEST_F(ZoomDefaultRanges, JitterDemodulatorReadsJitter)
{
    EXPECT_RANGE(Range(RES_CHA_RMSAMPL, UNIT_JITTER_UI, 1), 0.0, 0.5);
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_JITTER_UIPP, 1), 0.0, 0.5);
    EXPECT_RANGE(Range(RES_CTDET_CHA, UNIT_JITTER_NS, 1), 0.0, 81.38020833); // half of 1 / (48 kHz x 128)

    CAnalyserSettings* pAnalyser = Settings()->GetAnalyserSettings();
    pAnalyser->SetProperty(PROP_ANA_JDO_SELECTION, 1);
    EXPECT_RANGE(Range(RES_CHA_RMSAMPL, UNIT_HEX, 1), 0.0, 2965820.0);
    pAnalyser->SetProperty(PROP_ANA_JDO_SELECTION, 2);
    EXPECT_RANGE(Range(RES_CHA_RMSAMPL, UNIT_HEX, 1), 0.0, 296582.0);
    pAnalyser->SetProperty(PROP_ANA_JDO_SELECTION, 7);
    const SRange bad = Range(RES_CHA_RMSAMPL, UNIT_HEX, 1);
    EXPECT_EQ(std::make_pair(bad.iFound, bad.dMax), std::make_pair(0, 0.0));
    EXPECT_TRUE(HasLog("Was ASSERT! Unhandled iInput=7"));

    EXPECT_EQ(Range(RES_CHA_RMSAMPL, UNIT_DBFS, 1).iFound, 0) << "a jitter input has no dBFS";
}

TEST_F(ZoomDefaultRanges, FFTDetectorRelativeUnitsFollowItsSettings)
{
    // Absolute detector, band mode off.
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_RELATIVE_DB), -20.0, 20.0);
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_RELATIVE_PERCENT), -100.0, 100.0);
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_PERCENTREF), -100.0, 100.0);
    Detector()->SetProperty(PROP_FFTD_BAND_MODE, 1);
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_PERCENTREF), 0.0, 100.0);
    Detector()->SetProperty(PROP_FFTD_RELATIVITY, 1);
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_RELATIVE_DB), -150.0, 0.0);
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_RELATIVE_PERCENT), 0.0, 100.0);
    // Without a detector the reading counts as relative.
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_RELATIVE_DB, 0, 0), -150.0, 0.0);
    // Linear relative units read the dB cell.
    EXPECT_RANGE(Range(RES_FFTDET_CHA, UNIT_RELATIVE_GAIN, 0, 0), std::pow(10.0, -150.0 / 20.0), 1.0);
}

TEST_F(ZoomDefaultRanges, CTDetectorRelativeUnitsFollowItsSettings)
{
    CCTDetectorSettings* pCT = Settings()->GetCTDetectorSettings();
    EXPECT_RANGE(Range(RES_CTDET_CHA, UNIT_RELATIVE_DB), -20.0, 20.0);
    EXPECT_RANGE(Range(RES_CTDET_CHA, UNIT_RELATIVE_PERCENT), 80.0, 120.0);
    pCT->SetProperty(PROP_CT_RESPONSE_NAME, L"Cross-talk");
    EXPECT_RANGE(Range(RES_CTDET_CHA, UNIT_RELATIVE_DB), -150.0, 0.0);
    EXPECT_RANGE(Range(RES_CTDET_CHA, UNIT_RELATIVE_PERCENT), 80.0, 120.0);
    pCT->SetProperty(PROP_CT_RESPONSE_NAME, L"RMS");
    pCT->SetProperty(PROP_CT_RELATIVITY, 1);
    EXPECT_RANGE(Range(RES_CTDET_CHA, UNIT_RELATIVE_DB), -150.0, 0.0);
    EXPECT_RANGE(Range(RES_CTDET_CHA, UNIT_RELATIVE_PERCENT), 0.0, 1.0);
}

TEST_F(ZoomDefaultRanges, FrequencyResultsSpanHalfTheSampleRate)
{
    CAnalyserSettings* pAnalyser = Settings()->GetAnalyserSettings();
    pAnalyser->SetAnalyserSampleRate(96000.0);
    EXPECT_RANGE(Range(RES_CHA_FREQ, UNIT_FREQ_HZ), 0.0, 48000.0);
    EXPECT_RANGE(Range(RES_CHB_FREQ, UNIT_FREQ_RATIO), 0.0, 48000.0); // any unit
    // Unlocked: no valid rate.
    pAnalyser->SetProperty(PROP_ANA_SAMPLE_RATE_CHA, -1.0);
    pAnalyser->SetProperty(PROP_ANA_INPUT_KIND, INPUT_ANALOGUE);
    EXPECT_RANGE(Range(RES_CHA_FREQ, UNIT_FREQ_HZ), 0.0, 48000.0);
    pAnalyser->SetProperty(PROP_ANA_INPUT_KIND, INPUT_DIGITAL);
    EXPECT_RANGE(Range(RES_CHA_FREQ, UNIT_FREQ_HZ), 0.0, 24000.0);
}

TEST_F(ZoomDefaultRanges, ChannelBAndSelectedResultsShareTheChannelARow)
{
    const std::pair<int, int> aAliases[] = {
        {RES_CHB_RMSAMPL, RES_CHA_RMSAMPL}, {RES_SEL_RMSAMPL, RES_CHA_RMSAMPL}, {RES_NONSEL_RMSAMPL, RES_CHA_RMSAMPL},
        {RES_CTDET_CHB, RES_CTDET_CHA},     {RES_CTDET_NONSEL, RES_CTDET_CHA},  {RES_FFTDET_CHB, RES_FFTDET_CHA},
        {RES_FFTDET_SEL, RES_FFTDET_CHA},   {RES_CHB_FREQ, RES_CHA_FREQ},       {RES_NONSEL_FREQ, RES_CHA_FREQ},
    };
    for (const auto& [iAlias, iRow] : aAliases) {
        for (EUnit eUnit : AllUnitIds()) {
            for (int bJDO : {0, 1}) {
                const SRange a = Range(iAlias, eUnit, bJDO);
                const SRange b = Range(iRow, eUnit, bJDO);
                EXPECT_EQ(std::make_tuple(a.iFound, a.dMin, a.dMax), std::make_tuple(b.iFound, b.dMin, b.dMax))
                    << iAlias << " unit " << eUnit;
            }
        }
    }
}

TEST_F(ZoomDefaultRanges, UnknownRequestsLeaveZeroAndAreReported)
{
    struct SCase { int iResult; int iUnit; const char* sLog; };
    const SCase aCases[] = {
        {UNUSED_RESULT, UNIT_DBFS, "Was ASSERT! UNHANDLED ResID:65535=UNUSED_RESULT/1 Unit:20=UNIT_DBFS, JDO:N"},
        {4242, UNIT_DBFS, "Was ASSERT! UNRECOGNISED ResID:4242=RES_UNKNOWN/1"},
        {RES_AI_SAMPLERATE, UNIT_DBFS, "Was ASSERT! Unhandled Unit for ResID:3082=RES_AI_SAMPLERATE"},
        {RES_CHA_RMSAMPL, UNIT_FREQ_HZ, "Was ASSERT! Unhandled Unit for ResID:3208"},
    };
    for (const SCase& c : aCases) {
        double dMin = 7.0;
        double dMax = 7.0;
        EXPECT_EQ(GetDefaultRangeForResultID(c.iResult, 1, c.iUnit, 0, &dMin, &dMax), 0) << c.sLog;
        EXPECT_EQ(std::make_pair(dMin, dMax), std::make_pair(0.0, 0.0));
        EXPECT_TRUE(HasLog(c.sLog)) << c.sLog;
    }
}
