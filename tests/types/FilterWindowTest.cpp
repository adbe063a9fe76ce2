// Computed traces: filter responses read at known points of the weighting
// curves, and window functions at indices worked out by hand (built-in
// windows and a user window file).

#include "support/HostDocFixture.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/FilterResponse.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/WindowFunction.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// The trace's value at a frequency, read as it shows it (relative dB).
double ReadDb(CQXTrace& trace, double dHz)
{
    const int iPos = trace.GetXPosForValue(dHz, UNIT_FREQ_HZ);
    return trace.GetYValueForData(trace.GetYDataBuffer(0)[iPos], UNIT_RELATIVE_DB, 0, 0);
}

} // namespace

using FilterTraces = HostDocFixture;

TEST_F(FilterTraces, WeightingCurvesReadTheirStandardValues)
{
    // IEC 61672-1 class 1 table values at 48 kHz.
    const struct { int iWeighting; double dHz, dDb, dTolerance; } kRows[] = {
        {WEIGHTING_A, 100.0, -19.1, 0.1}, {WEIGHTING_A, 1000.0, 0.0, 0.1}, {WEIGHTING_A, 2500.0, 1.3, 0.1},
        {WEIGHTING_A, 10000.0, -2.5, 0.5}, {WEIGHTING_C, 100.0, -0.3, 0.1}, {WEIGHTING_C, 10000.0, -4.4, 0.5},
    };
    for (const auto& row : kRows) {
        Settings()->GetFFTParametersSettings()->SetWeightingFilter(row.iWeighting);
        CQXTrace* pTrace = m_pDoc->CreateFilterTrace(CHANNEL_A, CFilterTrace::kSourceFFTParameters, 1);
        ASSERT_NE(pTrace, nullptr);
        // 480 bins: 50 Hz apart, so every frequency of the table is a bin.
        ASSERT_EQ(static_cast<CFilterTrace*>(pTrace)->SetFilter(480, 0, 0), 1);
        EXPECT_EQ(std::make_tuple(pTrace->GetDataSize(), pTrace->GetMaxXScaleValue()), std::make_tuple(481, 24000.0));
        EXPECT_NEAR(ReadDb(*pTrace, row.dHz), row.dDb, row.dTolerance) << row.iWeighting << " at " << row.dHz;
        m_pDoc->RemoveTrace(pTrace, 0);
    }
    EXPECT_EQ(AssertCount(), 0);
}

TEST_F(FilterTraces, SwitchingOnFollowsTheSettingsAndTheSampleRate)
{
    Settings()->GetFFTParametersSettings()->SetWeightingFilter(WEIGHTING_A);
    CQXTrace* pTrace = m_pDoc->CreateFilterTrace(CHANNEL_A, CFilterTrace::kSourceFFTParameters, 1);
    ASSERT_NE(pTrace, nullptr);
    EXPECT_NEAR(ReadDb(*pTrace, 100.0), -19.1, 0.2);
    m_pDoc->TraceOff(pTrace, 0);
    Settings()->GetFFTParametersSettings()->SetWeightingFilter(WEIGHTING_NONE);
    Settings()->GetFFTParametersSettings()->SetHighPassFilter(HPF_400);
    Settings()->GetAnalyserSettings()->SetAnalyserSampleRate(96000.0);
    m_pDoc->TraceOn(pTrace, 0);
    // Half the FFT length in bins, and the end point, over 0 .. 48 kHz.
    EXPECT_EQ(pTrace->GetDataSize(), CFFTParametersSettings::kDefaultFFTLength / 2 + 1);
    EXPECT_EQ(pTrace->GetMaxXScaleValue(), 48000.0);
    EXPECT_NEAR(ReadDb(*pTrace, 400.0), -3.0, 0.1);
    EXPECT_NEAR(ReadDb(*pTrace, 20000.0), 0.0, 0.01);
    // A user weighting file the host cannot read leaves the response as it was.
    Settings()->GetFFTParametersSettings()->SetProperty(PROP_FFT_USER_WEIGHTING, 1);
    EXPECT_EQ(static_cast<CFilterTrace*>(pTrace)->SetFilter(0, 0, 0), 0);
    EXPECT_NEAR(ReadDb(*pTrace, 400.0), -3.0, 0.1);
}

using WindowTraces = HostDocFixture;

TEST_F(WindowTraces, WindowsOverFivePoints)
{
    const std::string sFile = m_host.GetRoot().ToUtf8() + "/short.win";
    std::ofstream(sFile) << "# a user window shorter than the trace\n0.25\n\n1\n0.5\n";
    const std::string sBadFile = m_host.GetRoot().ToUtf8() + "/bad.win";
    std::ofstream(sBadFile) << "0.5\nhalf\n";
    // x = i / 4: cos(2 pi x) is 1, 0, -1, 0, 1.
    const struct { WINDOWFUNCTION eType; std::string sFile; std::vector<double> adGains; } kRows[] = {
        {WINDOW_RECTANGULAR, "", {1, 1, 1, 1, 1}},
        {WINDOW_HANN, "", {0, 0.5, 1, 0.5, 0}},
        {WINDOW_HAMMING, "", {0.08, 0.54, 1, 0.54, 0.08}},
        {WINDOW_BLACKMAN, "", {0, 0.34, 1, 0.34, 0}},
        {WINDOW_BLACKMANHARRIS4, "", {0.00006, 0.21747, 1, 0.21747, 0.00006}},
        {WINDOW_FLATTOP, "", {-0.000421051, -0.05473684, 1, -0.05473684, -0.000421051}},
        {WINDOW_USER, sFile, {0.25, 1, 0.5, 0.5, 0.5}},
    };
    for (const auto& row : kRows) {
        auto* pWindow = AddTrace(new CWindowFunction(CHANNEL_A, 64, 0));
        pWindow->SetWindowType(row.eType, CString(row.sFile));
        ASSERT_EQ(pWindow->SetWindow(5, 1), 1) << row.eType;
        ASSERT_EQ(pWindow->GetDataSize(), 5);
        for (int i = 0; i < 5; ++i) EXPECT_NEAR(pWindow->GetYDataBuffer(0)[i], row.adGains[i], 1e-8) << row.eType;
    }
    // A file with a line that is no number builds nothing and keeps the last window.
    auto* pWindow = AddTrace(new CWindowFunction(CHANNEL_A, 64, 0));
    pWindow->SetWindowType(WINDOW_HANN, CString());
    ASSERT_EQ(pWindow->SetWindow(5, 1), 1);
    pWindow->SetWindowType(WINDOW_USER, CString(sBadFile));
    EXPECT_EQ(pWindow->SetWindow(5, 1), 0);
    EXPECT_EQ(pWindow->GetYDataBuffer(0)[2], 1.0);
    EXPECT_TRUE(HasLog("line 2 is not a number"));

    // Unity gain: Hann over five points has a mean of 0.4.
    std::vector<double> aGains(5), aTemp;
    double* pdBuffer = aGains.data();
    int iCount = 5;
    ASSERT_TRUE(FillWindowBuffer(WINDOW_HANN, CString(), WINDOWMODE_UNITY_GAIN, &iCount, &pdBuffer, aTemp));
    EXPECT_NEAR(aGains[1], 1.25, 1e-12);
    EXPECT_NEAR(aGains[2], 2.5, 1e-12);
}
