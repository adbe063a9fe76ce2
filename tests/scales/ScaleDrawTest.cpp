// X and Y scales: construction, ticks, label painting into a recording DC,
// text widths, colours and fonts.

#include "host/units/UnitIds.h"
#include "platform/RecordingDC.h"
#include "support/HostDocFixture.h"
#include "trace/core/ScaleMath.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"

#include <cfloat>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct SText {
    std::wstring sText;
    CPoint pt;
    UINT uAlign;
    bool operator==(const SText&) const = default;
};

std::ostream& operator<<(std::ostream& os, const SText& t)
{
    return os << CString(t.sText).ToUtf8() << " at " << t.pt.x << "," << t.pt.y << " align " << t.uAlign;
}

std::vector<SText> Texts(const CRecordingDC& dc)
{
    std::vector<SText> out;
    for (const auto& r : dc.GetRecords(CRecordingDC::EKind::Text))
        out.push_back({r.m_sText.str(), r.m_aPoints.at(0), r.m_state.m_uTextAlign});
    return out;
}

// A 0 .. 100 Hz X scale painting into a strip of the given width.
CXScale MakeHzScale(double dMin, double dMax, int iWidth, int bLog = 0)
{
    CXScale scale(ST_FFT, CHANNEL_A);
    scale.SetXUnit(UNIT_FREQ_HZ);
    scale.SetLog(bLog);
    scale.SetCurrentMinXScaleValue(dMin);
    scale.SetCurrentMaxXScaleValue(dMax);
    scale.CalcXTicks();
    scale.SetDrawRect(CRect(0, 0, iWidth, 20));
    return scale;
}

class ScaleWithDoc : public HostDocFixture {
protected:
    CGraphDoc& m_doc = *m_pDoc;
};

} // namespace

TEST(ScaleX, CopyTakesEverythingButTheLabelFlags)
{
    CXScale source(ST_SWEEP_FREQ, CHANNEL_B);
    source.SetXUnit(UNIT_FREQ_HZ);
    source.SetCurrentMinXScaleValue(0.0);
    source.SetCurrentMaxXScaleValue(100.0);
    source.CalcXTicks();
    source.GetTicks().SetLabel(1, 0);

    CXScale copy;
    copy = source;
    EXPECT_EQ(std::make_tuple(copy.GetScaleType(), copy.GetChannel()), std::make_tuple(ST_SWEEP_FREQ, CHANNEL_B));
    EXPECT_EQ(std::make_tuple(copy.GetXUnit(), copy.GetUnitFormat()), std::make_tuple(UNIT_FREQ_HZ, CString(L"%.2f")));
    EXPECT_EQ(copy.GetTicks().GetNumTicks(), 6);
    EXPECT_DOUBLE_EQ(copy.GetTicks().GetAt(1), 0.2);
    EXPECT_EQ(copy.GetTicks().GetLabel(1), 1); // label flags are not copied
}

TEST(ScaleX, UnitNamesAndProgrammingErrors)
{
    CHeadlessHost host;
    CXScale scale(ST_FFT, CHANNEL_A);
    scale.SetXUnit(UNIT_FREQ_HZ);
    scale.SetXUnit(-1);
    EXPECT_EQ(scale.GetXUnit(), UNIT_FREQ_HZ);
    EXPECT_EQ(CountLinesContaining(host.GetLogLines(), "<<iUnit != -1>>"), 1);

    // Drawing without a rectangle is a programming error and draws nothing.
    CRecordingDC dc;
    scale.Draw(&dc, &scale.GetTicks());
    EXPECT_TRUE(dc.GetRecords().empty());
    EXPECT_EQ(CountLinesContaining(host.GetLogLines(), "m_rectDraw != CRect (-1,-1,-1,-1)"), 1);

    for (int iType : {16, -1}) EXPECT_STREQ(GetScaleTypeName(iType), "[INVALID SCALETYPE]");
}

TEST(ScaleX, CalcXTicksByMode)
{
    CXScale scale(ST_FFT, CHANNEL_A);
    EXPECT_EQ(scale.CalcXTicks(), 11); // no unit yet: unchanged
    scale.SetXUnit(UNIT_FREQ_HZ);
    scale.SetCurrentMinXScaleValue(20.0);
    scale.SetCurrentMaxXScaleValue(20.001); // equal once rounded to the unit
    EXPECT_EQ(scale.CalcXTicks(), 11);

    scale.SetCurrentMaxXScaleValue(20000.0);
    scale.SetLog(1);
    EXPECT_EQ(scale.CalcXTicks(), 5);
    scale.SetLog(0);
    EXPECT_EQ(scale.CalcXTicks(), 11); // 20, then 2000 .. 18000, then the end
    EXPECT_NEAR(scale.GetTicks().GetAt(1), 1980.0 / 19980.0, 1e-12);
    scale.SetAutoIntervals(0);
    scale.GetTicks().SetNumTicks(3);
    EXPECT_EQ(scale.CalcXTicks(), 3);
    EXPECT_DOUBLE_EQ(scale.GetTicks().GetAt(1), 0.5);
}

TEST(ScaleX, LabelsAlignToEdgesAndNameTheUnitOnce)
{
    CXScale scale = MakeHzScale(0.0, 100.0, 600);
    CRecordingDC dc;
    dc.SetTextAlign(TA_BASELINE);
    scale.Draw(&dc, &scale.GetTicks());

    const std::vector<SText> texts = Texts(dc);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], (SText{L"0.00 Hz", {0, 20}, TA_LEFT | TA_BOTTOM}));
    EXPECT_EQ(texts[1], (SText{L"20.00", {120, 20}, TA_CENTER | TA_BOTTOM}));
    EXPECT_EQ(texts[5], (SText{L"100.00", {600, 20}, TA_RIGHT | TA_BOTTOM}));
    for (size_t i = 1; i < texts.size(); ++i) EXPECT_EQ(texts[i].sText.find(L"Hz"), std::wstring::npos);
    EXPECT_EQ(dc.GetTextAlign(), TA_BASELINE); // the DC is left as it was
}

TEST(ScaleX, LabelsNearTheEdgesAreEdgeAligned)
{
    CXScale scale = MakeHzScale(0.0, 100.0, 100);
    CRecordingDC dc;
    const int iWidest = scale.GetMaxTextWidth(&dc, &scale.GetTicks());
    // "0.00 Hz" is 7 characters of 9 pixels in the 16-pixel scale font; "100.00" 6.
    EXPECT_EQ(std::make_tuple(scale.GetFirstLabelWidth(), scale.GetLastLabelWidth()), std::make_tuple(63, 54));
    EXPECT_EQ(iWidest, 63 + 2);

    scale.Draw(&dc, &scale.GetTicks());
    const std::vector<SText> texts = Texts(dc);
    ASSERT_EQ(texts.size(), 6u);
    // x 20 lies inside half the first label, x 80 inside half the last.
    EXPECT_EQ(texts[1], (SText{L"20.00", {0, 20}, TA_LEFT | TA_BOTTOM}));
    EXPECT_EQ(texts[2], (SText{L"40.00", {40, 20}, TA_CENTER | TA_BOTTOM}));
    EXPECT_EQ(texts[4], (SText{L"80.00", {100, 20}, TA_RIGHT | TA_BOTTOM}));
}

TEST(ScaleX, PrinterMarginAndLogLabels)
{
    CXScale scale = MakeHzScale(20.0, 20000.0, 600, 1);
    CRecordingDC::SDeviceCaps caps;
    caps.m_iLogPixelsX = 600;
    caps.m_iLogPixelsY = 600;
    caps.m_bPrinting = true;
    CRecordingDC printer(caps);
    const int iWidth = scale.GetMaxTextWidth(&printer, &scale.GetTicks());
    EXPECT_EQ(iWidth, scale.GetFirstLabelWidth() > scale.GetLastLabelWidth()
                          ? scale.GetFirstLabelWidth() + 13
                          : scale.GetLastLabelWidth() + 13); // 2 x 600 / 96, rounded

    CRecordingDC dc;
    scale.Draw(&dc, &scale.GetTicks());
    const std::vector<SText> texts = Texts(dc);
    ASSERT_EQ(texts.size(), 5u);
    const std::wstring expected[] = {L"20.00 Hz", L"100.00", L"1000.00", L"10000.00", L"20000.00"};
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].sText, expected[i]) << i;
}

TEST_F(ScaleWithDoc, YLabelsShiftByPositionAndFloorDecibels)
{
    CTestTrace trace(TT_FFT, CHANNEL_A);
    trace.SetTestMode(CQXTrace::eModeDigital);
    trace.SetYUnit(UNIT_DBFS);
    trace.SetCurrentMinYScaleValue(-400.0);
    trace.SetCurrentMaxYScaleValue(0.0);
    CTickArray ticks;
    ticks.SetNumTicks(3);
    ticks.SetAt(0, 0.0);
    ticks.SetAt(1, 0.5);
    ticks.SetAt(2, 1.0);

    struct Case { YScalePos iPos; int iShift; int iUnitY; };
    // The unit name sits a line above the top, or a line below the bottom for position 2.
    const Case cases[] = {{0, 16, 100 - 16 - 16}, {1, 8, 100 - 8 - 16}, {2, 0, 300 + 16}};
    for (const Case& c : cases) {
        CYScale scale;
        scale.SetLiveTrace(&trace);
        scale.SetDetails(LEFT, c.iPos, CHANNEL_A);
        scale.SetDrawRect(CRect(0, 100, 50, 300));
        CRecordingDC dc;
        scale.Draw(&dc, &ticks);
        const std::vector<SText> texts = Texts(dc);
        ASSERT_EQ(texts.size(), 4u) << c.iPos;
        EXPECT_EQ(texts[0].pt, CPoint(50, 300 - c.iShift)) << c.iPos;
        EXPECT_EQ(texts[1].pt, CPoint(50, 200 - c.iShift)) << c.iPos;
        EXPECT_EQ(texts[2].pt, CPoint(50, 100 - c.iShift)) << c.iPos;
        EXPECT_EQ(texts[3].sText, L"dBFS");
        EXPECT_EQ(texts[3].pt, CPoint(50, c.iUnitY)) << c.iPos;
        for (const SText& t : texts) EXPECT_EQ(t.uAlign, TA_RIGHT | TA_TOP);
        // -400 dB reads as minus infinity; -200 is an ordinary value.
        EXPECT_EQ(texts[0].sText, trace.GetValueStringForYValue(-DBL_MAX, UNIT_DBFS, nullptr).str());
        EXPECT_EQ(texts[1].sText, trace.GetValueStringForYValue(-200.0, UNIT_DBFS, nullptr).str());
    }
}

TEST_F(ScaleWithDoc, TraceTicksFollowTheYSettings)
{
    CTestTrace trace(TT_FFT, CHANNEL_A);
    trace.SetTestMode(CQXTrace::eModeDigital);
    trace.SetYUnit(UNIT_DBFS);
    trace.SetCurrentMinYScaleValue(-3.0);
    trace.SetCurrentMaxYScaleValue(7.0);
    EXPECT_EQ(trace.CalcYTicks(), 7);
    EXPECT_EQ(trace.GetTicks().GetMustHaveLabel(), 2);

    trace.SetYAutoIntervals(0);
    trace.GetTicks().SetNumTicks(4);
    EXPECT_EQ(trace.CalcYTicks(), 4);
    EXPECT_DOUBLE_EQ(trace.GetTicks().GetAt(1), 1.0 / 3.0);

    trace.SetCurrentMaxYScaleValue(-3.0); // empty window: left alone
    EXPECT_EQ(trace.CalcYTicks(), 4);
}

TEST_F(ScaleWithDoc, Colours)
{
    CRecordingDC screen;
    CTestTrace* pTrace = new CTestTrace(TT_FFT, CHANNEL_A);
    m_doc.AddTrace(pTrace);
    pTrace->CreateScales();
    pTrace->SetLive(1); // a live trace owns a Y scale too
    pTrace->SetColor(0x123456);
    m_doc.SetCurrentTrace(CHANNEL_A, pTrace);
    CXScale* pX = pTrace->GetXScale();
    CYScale* pY = pTrace->GetYScale();
    ASSERT_NE(pX, nullptr);
    ASSERT_NE(pY, nullptr);

    // On screen the scale shows the current trace's colour.
    EXPECT_EQ(pX->GetColor(&screen), 0x123456u);
    EXPECT_EQ(pY->GetColor(&screen), 0x123456u);

    // A scale no current trace uses falls back to the document's colour.
    CXScale other(ST_SCOPE, CHANNEL_A);
    EXPECT_EQ(other.GetColor(&screen), m_doc.GetXScaleColor(ST_SCOPE, CHANNEL_A));

    // Printing: the document's colour, black when printing in black and white.
    CRecordingDC::SDeviceCaps caps;
    caps.m_bPrinting = true;
    CRecordingDC printer(caps);
    EXPECT_EQ(pX->GetColor(&printer), m_doc.GetXScaleColor(ST_FFT, CHANNEL_A));
    m_doc.SetBlackAndWhite(0, 1);
    EXPECT_EQ(pX->GetColor(&printer), 0u);
    EXPECT_EQ(pY->GetColor(&printer), 0u);

    // Background: white for output, the document's colour on screen.
    m_doc.SetBackgroundColor(0x202020);
    EXPECT_EQ(pX->GetBkColor(&screen), 0x202020u);
    EXPECT_EQ(pX->GetBkColor(&printer), 0xFFFFFFu);
}

TEST_F(ScaleWithDoc, FontsPerSituationAndTheirRelease)
{
    CScale::ReleaseAllFonts();
    CRecordingDC screen;
    int iHeight = 0;
    const CFont* pScreen = CScale::GetFont(&screen, &iHeight);
    ASSERT_NE(pScreen, nullptr);
    EXPECT_EQ(std::make_pair(pScreen->GetHeight(), iHeight), std::make_pair(16, 16));

    CRecordingDC::SDeviceCaps caps;
    caps.m_iLogPixelsY = 300;
    caps.m_bPrinting = true;
    CRecordingDC printer(caps);
    m_doc.SetPrintScaleFontSize(10);
    const CFont* pPrint = CScale::GetFont(&printer, &iHeight);
    ASSERT_NE(pPrint, nullptr);
    EXPECT_EQ(pPrint->GetHeight(), -41); // 10 pt x 300 / 72, truncated
    EXPECT_EQ(iHeight, 41);

    // A new size takes effect only once the print font is released.
    m_doc.SetPrintScaleFontSize(20);
    EXPECT_EQ(CScale::GetFont(&printer, nullptr)->GetHeight(), -41);
    CScale::ReleasePrintFont();
    EXPECT_EQ(CScale::GetFont(&printer, nullptr)->GetHeight(), -83);

    m_doc.SetExporting(1);
    m_doc.SetExportScaleFontSize(16);
    EXPECT_EQ(CScale::GetFontHeight(&screen), 21); // 16 pt at 96 dpi
    m_doc.SetExporting(0);
    CScale::ReleaseAllFonts();
}
