// Spectra fed from FFT buffers: the bin layout, the gate and Nyquist limits,
// windows over the valued bins, the column reduction, harmonics, the CT
// output flags.

#include "host/units/References.h"
#include "support/HostDocFixture.h"
#include "host/buffers/SampleBuffer.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "trace/model/CursorMark.h"
#include "trace/types/CTFFTTrace.h"
#include "trace/types/CTTrace.h"
#include "trace/types/FFTTrace.h"
#include "trace/core/FFTMath.h"
#include "trace/display/GraphFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr double kSineRMS = SReferences::kFullScaleSineHex;

// A spectrum whose heights are its data (floor), over rows 0 .. 100 with the
// origin on the bottom row, so spans can be read off the data.
class CPlotFFT : public CFFTTrace {
public:
    using CFFTTrace::CFFTTrace;
    int GetYPointForData(double d) override { return d == DBL_MAX ? POINT_BEYOND_MAX : int(std::floor(d)); }
    int GetYOrigin() override { return GetDrawRect().bottom; }
    SYMap MakeYMap() override { return SYMap(); }
    double* Y() { return GetYDataBuffer(0); }
};

// A spectrum that maps every height through the unit service (no Y map).
class CServiceFFT : public CFFTTrace {
public:
    using CFFTTrace::CFFTTrace;
    SYMap MakeYMap() override { return SYMap(); }
};

// A spectrum buffer of iBins bins of one power (a 2 iBins FFT); fnEdit may change some.
std::unique_ptr<CFFTBuffer> PowerBuffer(int iBins, double dRate, double dPower = 0.01,
                                        const std::function<void(CFFTBuffer&)>& fnEdit = {})
{
    auto pBuffer = std::make_unique<CFFTBuffer>(iBins);
    pBuffer->SetSize(iBins);
    for (int i = 0; i < iBins; ++i) pBuffer->SetAt(i, dPower);
    pBuffer->SetSampleRate(dRate);
    pBuffer->SetSourceKind(SOURCE_DIGITAL);
    if (fnEdit) fnEdit(*pBuffer);
    return pBuffer;
}

class FFTTrace : public HostDocFixture {
protected:
    // Every path here is a regular one: none may trip an assertion.
    ~FFTTrace() override { EXPECT_EQ(LogCount("FAILED ASSERT"), 0); }
    template <class T>
    T* Add(T* pTrace)
    {
        AddTrace(pTrace);
        pTrace->SetInUse(1);
        return pTrace;
    }
    // A spectrum of iBins + 1 points in the document, fed once with pBuffer.
    CFFTTrace* AddFed(ChannelNumber eChannel, int iBins, std::unique_ptr<CFFTBuffer> pBuffer)
    {
        CFFTTrace* pTrace = Add(new CFFTTrace(eChannel, iBins + 1, 0, 0));
        EXPECT_EQ(pTrace->UpdateTraceData(pBuffer.get(), nullptr, nullptr), 1);
        return pTrace;
    }
    // A plotted spectrum of iBins + 1 points over iColumns columns, all bins in view.
    CPlotFFT* AddPlot(int iBins, int iColumns, bool bLogX = false)
    {
        CPlotFFT* pTrace = Add(new CPlotFFT(CHANNEL_A, iBins + 1, 0, 0));
        pTrace->SetDrawRect(CRect(0, 0, iColumns - 1, 100));
        pTrace->SetCurrentMinYData(0.0);
        pTrace->SetCurrentMaxYData(100.0);
        pTrace->SetLogX(bLogX ? 1 : 0);
        SetWindow(pTrace, bLogX ? 1 : 0, iBins);
        return pTrace;
    }
    static void SetWindow(CQXTrace* pTrace, int iMin, int iMax)
    {
        pTrace->SetCurrentMinXPos(iMin);
        pTrace->SetCurrentMaxXPos(iMax);
        pTrace->SetCurrentMinXScaleValue(pTrace->GetXValueAtPos(iMin, pTrace->GetXUnit()));
        pTrace->SetCurrentMaxXScaleValue(pTrace->GetXValueAtPos(iMax, pTrace->GetXUnit()));
    }
};

} // namespace

TEST(FFTMath, GateNyquistAndValuedEnds)
{
    EXPECT_EQ(GateLowestFrequency(false, 2.0, 12.0), 0.0);
    EXPECT_DOUBLE_EQ(GateLowestFrequency(true, 2.0, 12.0), 100.0);
    EXPECT_EQ(GateLowestFrequency(true, 5.0, 5.0), 0.0); // an empty gate limits nothing

    EXPECT_EQ(SpectrumNyquist(96000.0, 0, 48000.0, 96000.0), 48000.0);
    EXPECT_EQ(SpectrumNyquist(96000.0, 12, 48000.0, 96000.0), 24000.0);
    EXPECT_EQ(SpectrumNyquist(48000.0, 13, 96000.0, 44100.0), 22050.0);
    EXPECT_EQ(SpectrumNyquist(-1.0, 0, 0.0, 0.0), 48000.0); // unlocked runs at 96 kHz

    const double M = DBL_MAX;
    const struct { std::vector<double> ad; int iFirst, iLast, iCursorFromEnd; } aCases[] = {
        {{1, 2, 3, M}, 0, 3, 3},    // only the Nyquist bin missing: it still ends the window
        {{M, M, 3, 4, M, M}, 2, 3, 3},
        {{1, 2, 3, 4}, 0, 2, 2},    // a valued last bin is not taken (the rule reads N-2 down)
        {{M, M, M}, 2, 0, 0},
    };
    for (const auto& c : aCases) {
        const int n = int(c.ad.size());
        EXPECT_EQ(FirstValuedPosition(c.ad.data(), n), c.iFirst);
        EXPECT_EQ(LastValuedPosition(c.ad.data(), n), c.iLast);
        EXPECT_EQ(LastCursorPosition(c.ad.data(), n, n - 1), c.iCursorFromEnd);
    }

    std::vector<double> adPowers = {4.0, -1e-30, M, 0.25, HUGE_VAL};
    PowersToMagnitudes(adPowers.data(), 5);
    EXPECT_EQ(adPowers, (std::vector<double>{2.0, 0.0, M, 0.5, M}));
}

TEST(FFTMath, BandSumAddsAndRemovesEachBinOnce)
{
    // Octave bands over bins of 1.0, scale 2: edges trunc(c * 2 + 0.5) and
    // trunc(c / 2 + 0.5); the top stops short of the Nyquist bin 63.
    const std::vector<double> ad(64, 1.0);
    int iLow = 0, iHigh = 0;
    double dSum = 0.0;
    const struct { int iCentre, iLow, iHigh; double dSum; } aSteps[] = {
        {4, 2, 9, 7.0}, {8, 4, 17, 13.0}, {40, 20, 63, 43.0}};
    for (const auto& c : aSteps) {
        EXPECT_DOUBLE_EQ(SlideBandSum(ad.data(), 64, c.iCentre, 2.0, 2.0, &iLow, &iHigh, &dSum), std::sqrt(2.0 * c.dSum));
        EXPECT_EQ(std::make_tuple(iLow, iHigh, dSum), std::make_tuple(c.iLow, c.iHigh, c.dSum)) << c.iCentre;
    }
}

TEST(FFTMath, LineColumnsInterpolateInIntegers)
{
    EXPECT_EQ(LineColumnHeight(10, 20, 3, 0, 4), 17); // 10 + 10 * 3 / 4, truncated
    EXPECT_EQ(LineColumnHeight(20, 10, 3, 0, 4), 13);
    EXPECT_EQ(LineColumnHeight(POINT_BEYOND_MAX, 10, 1, 0, 4), POINT_BEYOND_MAX);
}

TEST_F(FFTTrace, BufferOfPowersBecomesMagnitudesWithNyquistBinMissing)
{
    CFFTTrace* pTrace = Add(new CFFTTrace(CHANNEL_A, 513, 0, 0)); // grows to the 4k FFT delivered
    auto pBuffer = PowerBuffer(2048, 48000.0, 0.01, [](CFFTBuffer& b) { b.SetAt(7, DBL_MAX); });
    ASSERT_EQ(pTrace->UpdateTraceData(pBuffer.get(), nullptr, nullptr), 1);
    ASSERT_EQ(pTrace->GetDataSize(), 2049);
    EXPECT_EQ(std::make_tuple(pTrace->GetMaxXPos(), pTrace->GetYDataAtXPos(2048, 0)), std::make_tuple(2048, DBL_MAX));
    EXPECT_NEAR(pTrace->GetYDataAtXPos(100, 0), 0.1 * kSineRMS, 1e-6); // -20 dB of the full-scale sine
    EXPECT_EQ(pTrace->GetYDataAtXPos(7, 0), DBL_MAX);
    EXPECT_EQ(pTrace->GetNyquistFrequency(), 24000.0);
    EXPECT_EQ(pTrace->GetLowestValidFrequency(), 0.0);

    double dMin = 0.0, dMax = 0.0; // the missing bins take no part
    ASSERT_EQ(pTrace->GetYAutoZoomData(&dMin, &dMax), 1);
    EXPECT_NEAR(dMax - dMin, 0.0, 1e-6);
    EXPECT_NEAR(dMin, 0.1 * kSineRMS, 1e-6);
    EXPECT_EQ(pTrace->GetMaxCursorXPos(false), 2048);

    // A faster rate widens the range to its own Nyquist frequency.
    pBuffer->SetSampleRate(96000.0);
    ASSERT_EQ(pTrace->UpdateTraceData(pBuffer.get(), nullptr, nullptr), 1);
    EXPECT_EQ(std::make_pair(pTrace->GetMaxXScaleValue(), pTrace->GetCurrentMaxXScaleValue()),
              std::make_pair(48000.0, 48000.0));
}

TEST_F(FFTTrace, GateSetsTheLowestValidFrequencyPerChannel)
{
    CImpulseResponseSettings* pGate = GetImpulseResponseSettings();
    pGate->SetProperty(PROP_IR_GATE_ON, 1);
    pGate->SetProperty(PROP_IR_START_CHA, 2.0, UNIT_MS);
    pGate->SetProperty(PROP_IR_END_CHA, 12.0, UNIT_MS);
    pGate->SetProperty(PROP_IR_START_CHB, 0.0, UNIT_MS);
    pGate->SetProperty(PROP_IR_END_CHB, 20.0, UNIT_MS);
    EXPECT_DOUBLE_EQ(AddFed(CHANNEL_A, 512, PowerBuffer(512, 48000.0))->GetLowestValidFrequency(), 100.0);
    EXPECT_DOUBLE_EQ(AddFed(CHANNEL_B, 512, PowerBuffer(512, 48000.0))->GetLowestValidFrequency(), 50.0);
}

TEST_F(FFTTrace, SplitRatesCutBothChannelsToTheLowerNyquist)
{
    GetFFTParametersSettings()->SetProperty(PROP_FFT_RATE_MODE, 12);
    GetAnalyserSettings()->SetProperty(PROP_ANA_SAMPLE_RATE_CHA, 48000.0);
    GetAnalyserSettings()->SetProperty(PROP_ANA_SAMPLE_RATE_CHB, 96000.0);
    CFFTTrace* pA = AddFed(CHANNEL_A, 1024, PowerBuffer(1024, 48000.0));
    CFFTTrace* pB = AddFed(CHANNEL_B, 1024, PowerBuffer(1024, 96000.0));
    for (CFFTTrace* pTrace : {pA, pB})
        EXPECT_EQ(std::make_tuple(pTrace->GetNyquistFrequency(), pTrace->GetMaxXScaleValue(), pTrace->GetCurrentMaxXScaleValue()),
                  std::make_tuple(24000.0, 24000.0, 24000.0));
    // Channel B's bins above 24 kHz stay stored but out of view.
    EXPECT_EQ(std::make_tuple(pB->GetMaxXPos(), pB->GetCurrentMaxXPos()), std::make_tuple(1024, 512));
}

TEST_F(FFTTrace, ZoomEndBeyondNyquistMovesToItAndKeepsItsStart)
{
    CFFTTrace* pTrace = AddFed(CHANNEL_A, 1024, PowerBuffer(1024, 48000.0));
    // A window reaching past the data, as a shared X scale of a faster trace leaves it.
    pTrace->SetCurrentMinXScaleValue(1000.0);
    pTrace->SetCurrentMinXPos(pTrace->GetXPosForValue(1000.0, UNIT_FREQ_HZ));
    pTrace->SetCurrentMaxXScaleValue(30000.0);
    ASSERT_EQ(pTrace->UpdateTraceData(PowerBuffer(1024, 48000.0).get(), nullptr, nullptr), 1);
    EXPECT_EQ(std::make_tuple(pTrace->GetCurrentMinXScaleValue(), pTrace->GetCurrentMaxXScaleValue(), pTrace->GetCurrentMaxXPos()),
              std::make_tuple(1000.0, 24000.0, 1024));
}

TEST_F(FFTTrace, DefaultXWindowSkipsMissingEnds)
{
    CFFTTrace* pTrace = AddFed(CHANNEL_A, 1024, PowerBuffer(1024, 48000.0, 0.01, [](CFFTBuffer& b) {
        for (int i : {0, 1, 2, 1020, 1021, 1022, 1023}) b.SetAt(i, DBL_MAX);
    }));
    pTrace->SetXDefaultZoomValues();
    EXPECT_EQ(std::make_pair(pTrace->GetCurrentMinXPos(), pTrace->GetCurrentMaxXPos()), std::make_pair(3, 1019));
    EXPECT_DOUBLE_EQ(pTrace->GetCurrentMaxXScaleValue(), 1019 * 48000.0 / 2048);
    EXPECT_EQ(pTrace->GetMaxCursorXPos(false), 1019);
}

TEST_F(FFTTrace, ColumnsSpanTheirBinsUntilTheFirstMissingOne)
{
    // 16 bins over 4 columns: bins 0-4, 4-8, 8-12, 12-16 (heights are the data).
    CPlotFFT* pTrace = AddPlot(16, 4);
    const std::vector<double> aY = {10, 12, 14, 11, 13, 30, 31, 32, 33, 20, DBL_MAX, 25, 26, 40, 41, 42, DBL_MAX};
    std::copy(aY.begin(), aY.end(), pTrace->Y());
    pTrace->DataToPlot();
    ASSERT_TRUE(pTrace->IsPlotInColumns());
    EXPECT_EQ(pTrace->GetPlotMinArray(), (std::vector<int>{10, 13, 20, 26}));
    EXPECT_EQ(pTrace->GetPlotMaxArray(), (std::vector<int>{14, 33, 33, 42}));
}

TEST_F(FFTTrace, ColumnsInDecibelsAreTheRowsOfTheirBins)
{
    // A real spectrum in dBFS (power 10^(P / 10)) over a window -140 .. 0 dBFS
    // on 140 rows: the origin is the top row, and a bin of P dBFS (-140 .. -10)
    // lies P rows from it, truncated towards it (halves keep clear of row
    // edges; the rows near 0 dBFS are not one per dB). 16 bins
    // over 4 columns (bins 0-4, 4-8, 8-12, 12-16); the Nyquist point is missing.
    const double adB[16] = {-100.5, -90.5, -80.5, -70.5, -60.5, -50.5, -120.5, -130.5,
                            -135.5, -110.5, -30.5, -20.5, -10.5, -15.5, -25.5,  -40.5};
    CFFTTrace* pTrace = AddFed(CHANNEL_A, 16, PowerBuffer(16, 48000.0, 0.01, [&](CFFTBuffer& b) {
        for (int i = 0; i < 16; ++i) b.SetAt(i, std::pow(10.0, adB[i] / 10.0));
    }));
    pTrace->SetYUnit(UNIT_DBFS);
    pTrace->SetDrawRect(CRect(10, 5, 13, 145));
    pTrace->SetCurrentMinYScaleValue(-140.0);
    pTrace->SetCurrentMaxYScaleValue(0.0);
    pTrace->SetCurrentMinYData(pTrace->GetYDataForValue(-140.0, UNIT_DBFS, 0));
    pTrace->SetCurrentMaxYData(pTrace->GetYDataForValue(0.0, UNIT_DBFS, 0));
    SetWindow(pTrace, 0, 16);
    pTrace->DataToPlot();
    EXPECT_EQ(pTrace->GetPlotMinArray(), (std::vector<int>{-100, -135, -135, -40}));
    EXPECT_EQ(pTrace->GetPlotMaxArray(), (std::vector<int>{-60, -50, -10, -10}));
}

// The Y map held for a build (rows affine in log2 of the datum for dB
// units) gives every column the rows the unit service gives bin by bin,
// levels on row edges, silent bins and the missing Nyquist bin included.
TEST_F(FFTTrace, ColumnsThroughTheHeldMapEqualColumnsThroughTheService)
{
    constexpr int kBins = 4096;
    const auto Levels = [](CFFTBuffer& b) {
        for (int i = 0; i < kBins; ++i) {
            const double dB = -150.0 + (i * 7919 % 1550) / (i % 3 ? 10.0 : 7.0); // tenths, and sevenths off the grid
            b.SetAt(i, i % 97 == 5 ? 0.0 : std::pow(10.0, dB / 10.0));
        }
    };
    for (const int iUnit : {int(UNIT_DBFS), int(UNIT_FS)}) {
        for (const bool bLogX : {false, true}) {
            SCOPED_TRACE(testing::Message() << "unit " << iUnit << (bLogX ? ", log X" : ", linear X"));
            CQXTrace* apTraces[2] = {new CFFTTrace(CHANNEL_A, kBins + 1, 0, 0),
                                     new CServiceFFT(CHANNEL_A, kBins + 1, 0, 0)};
            for (CQXTrace* pTrace : apTraces) {
                Add(pTrace)->UpdateTraceData(PowerBuffer(kBins, 48000.0, 0.01, Levels).get(), nullptr, nullptr);
                pTrace->SetYUnit(iUnit);
                pTrace->SetDrawRect(CRect(0, 0, 299, 350));
                pTrace->SetCurrentMinYScaleValue(iUnit == UNIT_DBFS ? -140.0 : 0.0);
                pTrace->SetCurrentMaxYScaleValue(iUnit == UNIT_DBFS ? 0.0 : 1.0);
                pTrace->SetLogX(bLogX ? 1 : 0);
                SetWindow(pTrace, bLogX ? 1 : 0, kBins);
                pTrace->DataToPlot();
                pTrace->DataToPlot(); // the second build reuses the column plan
            }
            const std::vector<int>& aiMin = apTraces[0]->GetPlotMinArray();
            EXPECT_GT(std::count_if(aiMin.begin(), aiMin.end(), [](int h) { return h != POINT_BEYOND_MAX; }), 290);
            EXPECT_EQ(aiMin, apTraces[1]->GetPlotMinArray());
            EXPECT_EQ(apTraces[0]->GetPlotMaxArray(), apTraces[1]->GetPlotMaxArray());
        }
    }
}

TEST_F(FFTTrace, LogXInterpolatesLowColumnsAndKeepsFlatSpansVisible)
{
    CPlotFFT* pTrace = AddPlot(64, 200, true);
    double* pdY = pTrace->Y();
    for (int i = 0; i <= 64; ++i) pdY[i] = 30.0;
    pdY[1] = 10.0;
    pdY[2] = 90.0;
    pdY[64] = DBL_MAX;
    pTrace->DataToPlot();
    ASSERT_TRUE(pTrace->IsPlotInColumns());
    const auto& aiMin = pTrace->GetPlotMinArray();
    const auto& aiMax = pTrace->GetPlotMaxArray();
    // Bins 1 and 2 lie far apart on a log axis: the columns between them climb.
    const int c1 = pTrace->GetXPointForPos(1);
    const int c2 = pTrace->GetXPointForPos(2);
    ASSERT_GT(c2 - c1, 20);
    int iRising = 0;
    for (int i = c1 + 1; i < c2; ++i) {
        EXPECT_GT(aiMax[size_t(i)], 10) << i;
        EXPECT_LT(aiMax[size_t(i)], 90) << i;
        if (aiMax[size_t(i)] > aiMax[size_t(i - 1)]) ++iRising;
    }
    EXPECT_GT(iRising, 10);
    // The flat top end: every column at least one row tall.
    for (int i = 150; i < 199; ++i) {
        EXPECT_EQ(aiMax[size_t(i)], 30) << i;
        EXPECT_EQ(aiMin[size_t(i)], 29) << i;
    }
}

TEST_F(FFTTrace, LogXColumnShowsItsBinEvenPastAMissingOne)
{
    // Upper columns span many bins of a rising ramp and end at the bin they
    // show, so each tops out at that bin. A missing bin (every tenth) ends
    // a column's run early; the column must still reach the bin it shows.
    CPlotFFT* apTraces[2] = {AddPlot(4096, 200, true), AddPlot(4096, 200, true)};
    for (int i = 0; i <= 4096; ++i) {
        apTraces[0]->Y()[i] = i / 50.0;
        apTraces[1]->Y()[i] = i % 10 == 9 ? DBL_MAX : i / 50.0;
    }
    for (CPlotFFT* pTrace : apTraces) pTrace->DataToPlot();
    const auto& aiWhole = apTraces[0]->GetPlotMaxArray();
    const auto& aiGaps = apTraces[1]->GetPlotMaxArray();
    int iSame = 0;
    for (size_t i = 150; i < 199; ++i) {
        if (aiGaps[i] == POINT_BEYOND_MAX) continue; // the column shows a missing bin
        EXPECT_EQ(aiGaps[i], aiWhole[i]) << i;
        ++iSame;
    }
    EXPECT_GT(iSame, 35);
}

TEST_F(FFTTrace, FewBinsDrawALineThroughTheBins)
{
    CPlotFFT* pTrace = AddPlot(10, 101);
    double* pdY = pTrace->Y();
    for (int i = 0; i <= 10; ++i) pdY[i] = 10.0 * i;
    pTrace->DataToPlot();
    EXPECT_FALSE(pTrace->IsPlotInColumns());
    const auto& aiMin = pTrace->GetPlotMinArray();
    const auto& aiMax = pTrace->GetPlotMaxArray();
    EXPECT_EQ(std::make_pair(aiMin[0], aiMin[100]), std::make_pair(0, 100));
    for (int i = 1; i < 100; ++i) {
        EXPECT_LE(aiMin[size_t(i - 1)], aiMin[size_t(i)]) << i;
        EXPECT_EQ(aiMin[size_t(i)], aiMax[size_t(i)]) << i;
        EXPECT_NEAR(aiMin[size_t(i)], i, 10) << i;
    }
}

TEST_F(FFTTrace, HarmonicsAreMarkedAndLabelledUpToTheLastBin)
{
    CFFTTrace* pTrace = AddFed(CHANNEL_A, 8192, PowerBuffer(8192, 48000.0, 1e-10));
    double* pdY = pTrace->GetYDataBuffer(0);
    const int iTone = pTrace->GetXPosForValue(1000.0, UNIT_FREQ_HZ);
    pdY[iTone + 1] = 0.1 * kSineRMS; // the tone peaks one bin up

    m_pDoc->SetFundamental(CHANNEL_A, 0.0); // none known: the signal analyser's 1 kHz
    ASSERT_TRUE(pTrace->ListHarmonics(true));
    ASSERT_EQ(pTrace->GetLastMark(), 19);
    EXPECT_EQ(pTrace->GetMarkPosition(0, 1), iTone + 1);
    for (int n = 1; n < 20; ++n)
        EXPECT_EQ(pTrace->GetMarkPosition(n, 1), pTrace->GetXPosForValue((n + 1) * 1000.0, UNIT_FREQ_HZ)) << n;
    EXPECT_EQ(std::make_pair(pTrace->GetMarkLabel(0, 0), pTrace->GetMarkLabel(19, 0)),
              std::make_pair(CString(L"Fundamental"), CString(L"Twentieth")));
    EXPECT_TRUE(pTrace->IsCursorOn());
    EXPECT_EQ(pTrace->GetCursor()->GetPosition(1), iTone + 1);
    EXPECT_EQ(pTrace->GetCurrentMark(), 0);

    // A 2 kHz fundamental from the document: the 12th harmonic is the last bin.
    m_pDoc->SetFundamental(CHANNEL_A, 2000.0);
    ASSERT_TRUE(pTrace->ListHarmonics(true));
    EXPECT_EQ(std::make_tuple(pTrace->GetLastMark(), pTrace->GetMarkPosition(11, 1)), std::make_tuple(11, 8192));
}

TEST_F(FFTTrace, TheHarmonicsCommandListsAndSumsTheHarmonics)
{
    // A 4 kHz tone at 0 dBFS, its second harmonic at -20 dBFS, the third to
    // the sixth (24 kHz, the last bin) at -40 dBFS: the RMS sum of the
    // harmonics is sqrt(0.1^2 + 4 x 0.01^2) = 0.10198, -19.83 dBFS.
    CFFTTrace* pTrace = AddFed(CHANNEL_A, 8192, PowerBuffer(8192, 48000.0, 1e-10));
    double* pdY = pTrace->GetYDataBuffer(0);
    for (int n = 1; n <= 6; ++n)
        pdY[pTrace->GetXPosForValue(n * 4000.0, UNIT_FREQ_HZ)] = kSineRMS * (n == 1 ? 1.0 : n == 2 ? 0.1 : 0.01);
    pTrace->SetCursorYUnit(UNIT_DBFS, 0);
    m_pDoc->SetFundamental(CHANNEL_A, 4000.0);
    m_pDoc->SetCurrentTrace(pTrace, 0);
    CGraphView view; // passes the marks hints on to the frame
    view.OnSize(CRect(0, 0, 640, 480));
    CGraphFrame frame;
    frame.SetView(CHANNEL_A, &view);
    ASSERT_TRUE(frame.GetCommandStatus(ID_MARK_HARMONICS).bEnabled);
    ASSERT_TRUE(frame.Execute(ID_MARK_LISTALL));
    ASSERT_TRUE(frame.Execute(ID_MARK_HARMONICS));
    const CMarksDlg& list = frame.GetMarksDlg();
    ASSERT_EQ(list.GetRows().size(), 6u);
    EXPECT_EQ(list.GetRows()[0][CMarksDlg::COLUMN_Y], L"0.00");
    EXPECT_EQ(list.GetRows()[5][CMarksDlg::COLUMN_LABEL], L"6 : Sixth");
    EXPECT_EQ(list.GetSumCaption() + L": " + list.GetSumText(), L"Sum of harmonics: -19.83 dBFS");
    EXPECT_EQ(frame.GetMarkBar().GetMarkNumberText() + L" " + frame.GetMarkBar().GetMarkLabel(), L"Mark 1 Fundamental");
}

TEST_F(FFTTrace, CTKindsTellTheHostWhichCTOutputIsRead)
{
    CCTFFTTrace* pTrace = Add(new CCTFFTTrace(CHANNEL_B, 513, 0, 0));
    CCTTrace* pDetector = Add(new CCTTrace(CHANNEL_A, 1024, 0, 0));
    pTrace->TraceOn(0, 0);
    EXPECT_TRUE(m_pDoc->IsReadingCTA(CHANNEL_B));
    EXPECT_FALSE(m_pDoc->IsReadingCTA(CHANNEL_A));
    EXPECT_TRUE(GetFFTParametersSettings()->IsReadingCTBuffer(1));
    pDetector->TraceOn(0, 0);
    EXPECT_TRUE(m_pDoc->IsReadingCTA(CHANNEL_A));
    pTrace->TraceOff(0);
    pDetector->TraceOff(0);
    EXPECT_FALSE(m_pDoc->IsReadingCTA(CHANNEL_B) || m_pDoc->IsReadingCTA(CHANNEL_A));
    EXPECT_FALSE(GetFFTParametersSettings()->IsReadingCTBuffer(1));
    EXPECT_EQ(CountPosted(WM_QX_FFT_TRACES_CHANGED), 2);
}
