// Impulse-response gates, filter responses at known points, filter combinations and user filter files.

#include "host/settings/AnalyserSettings.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/FilterResponse.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/UserTableSettings.h"
#include "support/LogCapture.h"
#include "support/HostDocFixture.h"

#include <cmath>
#include <vector>

namespace {

double Decibels(double dGain)
{
    return 20.0 * std::log10(dGain);
}

} // namespace

TEST(SettingsImpulseWindow, SettersKeepTheBinsInOrder)
{
    CImpulseWindowDetails details(100, 10, 20, 30);
    // Checked: a bin that would break start <= mid <= end is refused.
    EXPECT_FALSE(details.SetStartBin(25, true) || details.SetMidBin(5, true));
    EXPECT_FALSE(details.SetEndBin(15, true) || details.SetEndBin(100, true));
    EXPECT_FALSE(details.SetStartBin(-1, false));
    EXPECT_EQ(details, CImpulseWindowDetails(100, 10, 20, 30));
    EXPECT_TRUE(details.SetMidBin(12, true));
    EXPECT_EQ(details, CImpulseWindowDetails(100, 10, 12, 30));
    // Unchecked: the others are pushed along.
    EXPECT_TRUE(details.SetStartBin(40, false));
    EXPECT_EQ(details, CImpulseWindowDetails(100, 40, 40, 40));
    EXPECT_TRUE(details.SetEndBin(5, false));
    EXPECT_EQ(details, CImpulseWindowDetails(100, 5, 5, 5));
    // Fewer points pull the bins in.
    CImpulseWindowDetails wide(100, 10, 50, 90);
    EXPECT_FALSE(wide.SetNumPoints(0));
    EXPECT_TRUE(wide.SetNumPoints(40));
    EXPECT_EQ(wide, CImpulseWindowDetails(40, 10, 39, 39));
}

TEST(SettingsImpulseWindow, GateShape)
{
    std::vector<double> aGate(12, -1.0);
    ASSERT_TRUE(CImpulseWindowDetails::GetBuffer(CImpulseWindowDetails(10, 2, 4, 8, WINDOW_HANN, false), aGate.data(),
                                                 12, L""));
    // Closed up to the start, open at the mid bin, closed again from the end; 0 beyond the details' points.
    const std::pair<int, double> aFull[] = {{1, 0.0}, {2, 0.0}, {3, 0.5}, {4, 1.0}, {6, 0.5}, {8, 0.0}, {9, 0.0}, {11, 0.0}};
    for (const auto& [i, dGain] : aFull) EXPECT_NEAR(aGate[i], dGain, 1e-12) << i;

    ASSERT_TRUE(CImpulseWindowDetails::GetBuffer(CImpulseWindowDetails(10, 2, 4, 8, WINDOW_HANN, true), aGate.data(),
                                                 10, L""));
    EXPECT_EQ(aGate[0], 1.0); // a half window is open from bin 0
    EXPECT_EQ(aGate[3], 1.0);
    EXPECT_NEAR(aGate[6], 0.5, 1e-12);
}

using SettingsImpulseResponse = HostDocFixture;

TEST_F(SettingsImpulseResponse, TiedGateGoesToBothChannels)
{
    CImpulseResponseSettings* pIR = GetImpulseResponseSettings();
    const CImpulseWindowDetails gate(16384, 96, 192, 576);
    ASSERT_TRUE(pIR->SetImpulseWindowDetails(0, gate, UNIT_SAMPLES, true));
    EXPECT_EQ(pIR->GetImpulseWindowDetails(1), gate);
    EXPECT_EQ(pIR->GetPropertyAsEnum(PROP_IR_BIN_UNIT), UNIT_SAMPLES);
    EXPECT_TRUE(pIR->GetPropertyAsBool(PROP_IR_TIED));
    // The gate as the FFT trace reads it: 2 ms to 12 ms.
    EXPECT_DOUBLE_EQ(pIR->GetPropertyAsDouble(PROP_IR_START_CHB, UNIT_MS), 2.0);
    EXPECT_DOUBLE_EQ(pIR->GetPropertyAsDouble(PROP_IR_END_CHB, UNIT_MS), 12.0);

    const CImpulseWindowDetails other(16384, 0, 48, 480);
    ASSERT_TRUE(pIR->SetImpulseWindowDetails(1, other, UNIT_MS, false));
    EXPECT_EQ(pIR->GetImpulseWindowDetails(1), other);
    EXPECT_EQ(pIR->GetImpulseWindowDetails(0), gate);
    EXPECT_FALSE(pIR->GetPropertyAsBool(PROP_IR_TIED));

    CLogCapture log;
    EXPECT_FALSE(pIR->SetImpulseWindowDetails(2, other, UNIT_MS, false));
    EXPECT_EQ(pIR->GetImpulseWindowDetails(5), gate); // bad channel answers A
    EXPECT_EQ(log.Asserts(), 2);
}

TEST(SettingsFilters, KnownPointsOfTheResponses)
{
    EXPECT_NEAR(WeightingGain(WEIGHTING_A, 1000.0), 1.0, 1e-12);
    EXPECT_NEAR(Decibels(WeightingGain(WEIGHTING_A, 100.0)), -19.1, 0.05);
    EXPECT_NEAR(Decibels(WeightingGain(WEIGHTING_A, 10000.0)), -2.5, 0.05);
    EXPECT_NEAR(Decibels(WeightingGain(WEIGHTING_C, 31.5)), -3.0, 0.05);
    EXPECT_EQ(WeightingGain(WEIGHTING_A, 0.0), 0.0);
    EXPECT_EQ(WeightingGain(WEIGHTING_USER, 50.0), 1.0);
    EXPECT_NEAR(Decibels(LowPassGain(LPF_20K, 20000.0)), -3.0103, 1e-3);
    EXPECT_NEAR(Decibels(HighPassGain(HPF_400, 400.0)), -3.0103, 1e-3);
    EXPECT_EQ(HighPassGain(HPF_20, 0.0), 0.0);
    EXPECT_EQ(LowPassGain(LPF_NONE, 1e6), 1.0);
    EXPECT_NEAR(BandFilterGain(BAND_PASS, 0, 1000.0, 1.0 / 3.0, 1000.0), 1.0, 1e-12);
    EXPECT_NEAR(BandFilterGain(BAND_REJECT, 0, 1000.0, 1.0 / 3.0, 1000.0), 0.0, 1e-12);
    // The band edges of a third-octave band are 3 dB down.
    const double dEdge = 1000.0 * std::pow(2.0, 1.0 / 6.0);
    EXPECT_NEAR(Decibels(BandFilterGain(BAND_PASS, 0, 1000.0, 1.0 / 3.0, dEdge)), -3.0103, 1e-3);
}

using SettingsFilterService = HostDocFixture;

TEST_F(SettingsFilterService, CombinationMultipliesTheFiltersPerBin)
{
    FilterCombinationListItem item;
    item.iLowPassFilter = LPF_20K;
    item.iWeightingFilter = WEIGHTING_A;
    item.iNumPoints = 480; // 50 Hz per bin at 48 kHz
    ASSERT_TRUE(GetAnalyserSettings()->CreateNewFilterCombination(&item, 48000.0, 1, false));
    ASSERT_EQ(item.aBuffer.size(), 480u);
    EXPECT_EQ(item.aBuffer[0], 0.0);
    EXPECT_NEAR(item.aBuffer[20], LowPassGain(LPF_20K, 1000.0), 1e-12);
    EXPECT_NEAR(item.aBuffer[400], LowPassGain(LPF_20K, 20000.0) * WeightingGain(WEIGHTING_A, 20000.0), 1e-12);
    ASSERT_TRUE(GetAnalyserSettings()->CreateNewFilterCombination(&item, 48000.0, 0, true));
    EXPECT_NEAR(item.aBuffer[400], Decibels(LowPassGain(LPF_20K, 20000.0) * WeightingGain(WEIGHTING_A, 20000.0)), 1e-9);

    CLogCapture log;
    item.iNumPoints = 0;
    EXPECT_FALSE(GetAnalyserSettings()->CreateNewFilterCombination(&item, 48000.0, 1, false));
    EXPECT_FALSE(GetAnalyserSettings()->CreateNewFilterCombination(nullptr, 48000.0, 1, false));
    EXPECT_EQ(log.Asserts(), 2);

    // The band filter of an FFT detector.
    std::vector<double> aResponse;
    const CFFTDetectorSettings* pDetector = GetFFTDetectorFromID(1);
    ASSERT_TRUE(pDetector->CreateBPBRFilter(BAND_REJECT, 0, 1000.0, 1.0 / 3.0, 480, 48000.0, aResponse));
    ASSERT_EQ(aResponse.size(), 480u);
    EXPECT_NEAR(aResponse[20], 0.0, 1e-12);
    EXPECT_GT(aResponse[200], 0.99);
    EXPECT_FALSE(pDetector->CreateBPBRFilter(BAND_OFF, 0, 1000.0, 1.0 / 3.0, 480, 48000.0, aResponse));
    EXPECT_TRUE(aResponse.empty());
    EXPECT_EQ(log.Asserts(), 3);
}

TEST(SettingsUserTable, FilterFilesReadBackAsWeightings)
{
    CUserTableSettings tables;
    const double adFlat[] = {1.0, 2.0, 3.0};
    ASSERT_TRUE(tables.CreateFilterFile(L"/tmp/flat.flt", 3, adFlat));
    std::vector<double> aResponse;
    // Evenly spaced over 0..24 kHz: 0 Hz -> 1, 12 kHz -> 2, 24 kHz -> 3.
    ASSERT_EQ(tables.ReadWeightingFilterFromFile(L"/tmp/flat.flt", 4, 24000.0, aResponse), 4);
    EXPECT_DOUBLE_EQ(aResponse[0], 1.0);
    EXPECT_DOUBLE_EQ(aResponse[2], 2.0);
    EXPECT_DOUBLE_EQ(aResponse[3], 2.5);

    const double adFreq[] = {1000.0, 2000.0};
    const double adGain[] = {0.5, 1.5};
    ASSERT_TRUE(tables.CreateFreqTableFilterFile(L"/tmp/table.flt", 2, adFreq, adGain));
    ASSERT_EQ(tables.ReadWeightingFilterFromFile(L"/tmp/table.flt", 4, 4000.0, aResponse), 4);
    EXPECT_EQ(aResponse, (std::vector<double>{0.5, 0.5, 1.5, 1.5})); // held flat below the table

    EXPECT_EQ(tables.ReadWeightingFilterFromFile(L"/tmp/missing.flt", 4, 4000.0, aResponse),
              CUserTableSettings::kReadFailed);
    EXPECT_EQ(tables.GetRecordedCalls().size(), 5u);
    EXPECT_EQ(tables.GetRecordedCalls()[1].sFunction, L"ReadWeightingFilterFromFile");
}
