// The smooth, band-sum and relative transforms on traces of a document and
// their dialog models, driven as a user would.

#include "support/HostDocFixture.h"

#include "host/units/UnitIds.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeRelative.h"
#include "trace/compute/ComputeRelativeDlg.h"
#include "trace/compute/ComputeSmooth.h"
#include "trace/compute/ComputeSmoothDlg.h"
#include "trace/compute/ComputeSumBins.h"
#include "trace/compute/ComputeSumBinsDlg.h"

#include <cmath>

namespace {

class ComputeRelativeSmooth : public HostDocFixture {
protected:
    // An FFT trace in dBV whose point i reads dValue + i x dStep dBV.
    CQXTrace* Spectrum(double dValue, double dStep = 0.0)
    {
        CQXTrace* p = m_pDoc->CreateTrace(TT_FFT, CHANNEL_A, 64, 0, 0, 0, 0, 1, 1, 1);
        p->SetYUnit(UNIT_DBV);
        for (int i = 0; i < p->GetDataSize(); ++i)
            p->GetYDataBuffer(0)[i] = p->GetYDataForValue(dValue + i * dStep, UNIT_DBV, 0);
        p->GetYDataBuffer(0)[63] = DBL_MAX; // the Nyquist bin
        return p;
    }
    double ShownDB(CQXTrace* p, int i) { return p->GetYValueForData(p->GetYDataBuffer(1)[i], UNIT_DBV, 1, 1); }
    std::string LastBox() const
    {
        return m_host.GetMessageBoxes().empty() ? "" : m_host.GetMessageBoxes().back().sText.ToUtf8();
    }
};

// (Its reading through a trace: tests/file, relative to a trace 1 dB lower.)
TEST_F(ComputeRelativeSmooth, RelativeLosesItsGoldenTraceWithTheTrace)
{
    CQXTrace* pTrace = Spectrum(-20.0, 0.5);
    CQXTrace* pGolden = Spectrum(-21.0, 0.5);
    CComputeList list;
    list.AddComputeObject(new CComputeRelative());
    pTrace->SetComputeList(&list);
    auto& relative = static_cast<CComputeRelative&>(*pTrace->GetComputeList()->GetComputeObjectAt(0));
    relative.SetGoldenTrace(pGolden);
    ASSERT_TRUE(pTrace->InitialiseTransformedData());
    ASSERT_EQ(relative.DoComputation(pTrace, 1, 0), 1);
    EXPECT_EQ(pTrace->GetYDataBuffer(1)[63], DBL_MAX); // the Nyquist bin has no value
    // Once the golden trace goes the transform has none and stops the list.
    m_pDoc->RemoveTrace(pGolden, 0);
    m_host.PumpMessages();
    EXPECT_EQ(relative.GetGoldenTraceID(), CComputeRelative::kNoGoldenTrace);
    EXPECT_EQ(relative.GetDescriptionString(), L"** NO TRACE SELECTED **");
    EXPECT_EQ(relative.DoComputation(pTrace, 1, 0), 0);
}

TEST_F(ComputeRelativeSmooth, SmoothAndBandSumCheckTheirSettingsAndRunOnTheTrace)
{
    CComputeSmooth smooth;
    EXPECT_FALSE(smooth.SetHalfWidth(11));
    EXPECT_FALSE(smooth.SetPasses(0));
    CComputeSumBins sum;
    EXPECT_EQ(sum.ValidateComputeObject(UNIT_FREQ_HZ, UNIT_DBV), 1);
    EXPECT_EQ(sum.ValidateComputeObject(UNIT_MS, UNIT_DBV), 0);
    CQXTrace* pTrace = Spectrum(-40.0);
    double* pdY = pTrace->GetYDataBuffer(0);
    // The spectrum's band sums come from its own sliding window; its Nyquist bin stays without value.
    sum.SetBandWidth(CComputeSumBins::BAND_OCTAVE);
    for (int i = 0; i < 63; ++i) pdY[i] = 2.0;
    pdY[63] = DBL_MAX;
    ASSERT_TRUE(pTrace->InitialiseTransformedData());
    ASSERT_EQ(sum.DoComputation(pTrace, 1, 0), 1);
    EXPECT_DOUBLE_EQ(pTrace->GetYDataBuffer(1)[20], 2.0 * std::sqrt(15.0)); // bins 14 .. 28
    EXPECT_EQ(pTrace->GetYDataBuffer(1)[63], DBL_MAX);
    sum.SetBandWidth(7);
    EXPECT_EQ(sum.DoComputation(pTrace, 1, 0), 0);
}

TEST_F(ComputeRelativeSmooth, DialogsCheckAndSaveWhatWasChosen)
{
    CQXTrace* pTrace = Spectrum(-20.0);
    CComputeSmooth smooth;
    CComputeSmoothDlg smoothDlg(&smooth, pTrace, nullptr);
    EXPECT_EQ(smoothDlg.GetHalfWidthText(), L"1");
    for (const wchar_t* szBad : {L"0", L"11", L"2.5", L""}) {
        smoothDlg.SetHalfWidthText(szBad);
        EXPECT_FALSE(smoothDlg.OnOK()) << szBad;
        EXPECT_EQ(LastBox(), "Please enter an integer between 1 and 10.");
        EXPECT_EQ(smoothDlg.GetFailedControl(), CComputeSmoothDlg::IDC_HALF_WIDTH);
    }
    smoothDlg.SetHalfWidthText(L" 4 ");
    smoothDlg.SetPassesText(L"10");
    EXPECT_TRUE(smoothDlg.OnOK());
    EXPECT_EQ(std::make_pair(smooth.GetHalfWidth(), smooth.GetPasses()), std::make_pair(4, 10));

    CComputeSumBins sum;
    CComputeSumBinsDlg sumDlg(&sum, pTrace, nullptr);
    EXPECT_EQ(sumDlg.GetBandWidth(), 1);
    EXPECT_EQ(sumDlg.GetBandNames().back(), L"1/12 octave");
    EXPECT_FALSE(sumDlg.SetBandWidth(4));
    EXPECT_TRUE(sumDlg.SetBandWidth(3));
    EXPECT_TRUE(sumDlg.OnOK());
    EXPECT_EQ(sum.GetBandWidth(), 3);

    // Golden traces: the others in use, not the trace itself.
    CQXTrace* pGolden = Spectrum(-30.0);
    CComputeRelative relative;
    CComputeRelativeDlg relativeDlg(&relative, pTrace, nullptr);
    ASSERT_EQ(relativeDlg.GetChoices().size(), 1u);
    EXPECT_EQ(relativeDlg.GetChoices()[0].sTraceID, pGolden->GetTraceID());
    EXPECT_TRUE(relativeDlg.IsGainAllowed()); // dBV is an amplitude
    EXPECT_FALSE(relativeDlg.IsOKEnabled());
    EXPECT_FALSE(relativeDlg.OnOK());
    relativeDlg.Select(0);
    relativeDlg.SetGain(true);
    EXPECT_TRUE(relativeDlg.OnOK());
    EXPECT_EQ(relative.GetGoldenTrace(), pGolden);
    EXPECT_EQ(relative.GetRelativeMode(), 0); // gain does not change what is computed
}

} // namespace
