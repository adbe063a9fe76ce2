// Drawing a trace into a recording DC: pens, print styles stepped pixel by
// pixel, widths, clipping, the dotted region, cursor and marks.

#include "PlotFixture.h"

#include "platform/RecordingDC.h"
#include "trace/core/PlotMath.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

namespace {

using Record = CRecordingDC::SRecord;
using PixelSet = std::set<std::pair<int, int>>;

class PlotDraw : public PlotFixture {
protected:
    // A flat line along the origin row (a window of one position) over iColumns columns.
    CTestTrace* AddFlatTrace(int iColumns)
    {
        CTestTrace* pTrace = AddPlotTrace(16, iColumns);
        pTrace->SetCurrentMinXPos(3);
        pTrace->SetCurrentMaxXPos(3);
        return pTrace;
    }

    static std::vector<Record> Lines(const CRecordingDC& dc) { return dc.GetRecords(CRecordingDC::EKind::Line); }

    // The pixels the recorded lines set, as one-pixel lines.
    static PixelSet PixelsOf(const std::vector<Record>& aLines)
    {
        PixelSet set;
        for (const Record& r : aLines)
            ForEachLinePixel(r.m_aPoints[0], r.m_aPoints[1], [&](CPoint p) { set.insert({p.x, p.y}); });
        return set;
    }

    static CRecordingDC::SDeviceCaps Printer(int iDpi)
    {
        CRecordingDC::SDeviceCaps caps;
        caps.m_bPrinting = true;
        caps.m_iLogPixelsX = caps.m_iLogPixelsY = iDpi;
        return caps;
    }
};

TEST_F(PlotDraw, TheScreenGetsOneSolidLineInTheScreenColourAndTheDCIsRestored)
{
    CTestTrace* pTrace = AddFlatTrace(10);
    pTrace->SetColor(0x00FF00);
    pTrace->SetPrintStyle(TRACE_PRINTSTYLE_DASH);
    CRecordingDC dc;
    const SDCState before = dc.GetState();
    pTrace->Draw(&dc, 1);

    const std::vector<Record> aLines = Lines(dc);
    ASSERT_FALSE(aLines.empty());
    PixelSet expected;
    for (int x = 0; x < 10; ++x) expected.insert({x, kRows});
    EXPECT_EQ(PixelsOf(aLines), expected);
    for (const Record& r : aLines) {
        EXPECT_EQ(r.m_state.m_pen.GetBaseStyle(), PS_SOLID);
        EXPECT_EQ(r.m_state.m_pen.GetWidth(), 1);
        EXPECT_EQ(r.m_state.m_pen.GetColor(), 0x00FF00u);
        EXPECT_EQ(r.m_state.m_iROP2, R2_COPYPEN);
    }
    EXPECT_EQ(std::make_tuple(dc.GetCurrentPen(), dc.GetROP2()), std::make_tuple(before.m_pen, before.m_iROP2));
    EXPECT_FALSE(pTrace->NeedsRecalc());
}

TEST_F(PlotDraw, PrintStylesAreSteppedPixelByPixelOnPrintersAndMetafiles)
{
    // The first dashes of each style along a flat line 40 pixels long.
    struct SCase {
        int iStyle;
        std::vector<std::pair<int, int>> aDashes; // first and last pixel
    };
    const SCase aCases[] = {
        {TRACE_PRINTSTYLE_DASH, {{0, 17}, {24, 39}}},
        {TRACE_PRINTSTYLE_DOT, {{0, 2}, {6, 8}, {12, 14}, {18, 20}, {24, 26}, {30, 32}, {36, 38}}},
        {TRACE_PRINTSTYLE_DASHDOT, {{0, 8}, {15, 17}, {24, 32}, {39, 39}}},
        {TRACE_PRINTSTYLE_DASHDOTDOT, {{0, 8}, {12, 14}, {18, 20}, {24, 32}, {36, 38}}},
        {TRACE_PRINTSTYLE_SOLID, {{0, 39}}},
    };
    for (const bool bMetafile : {false, true}) {
        for (const SCase& c : aCases) {
            SCOPED_TRACE(c.iStyle);
            CTestTrace* pTrace = AddFlatTrace(40);
            pTrace->SetPrintStyle(c.iStyle);
            CRecordingDC::SDeviceCaps caps = Printer(96);
            caps.m_bPrinting = !bMetafile;
            caps.m_bMetafile = bMetafile;
            CRecordingDC dc(caps);
            pTrace->Draw(&dc, 1);
            PixelSet expected;
            for (const auto& [iFrom, iTo] : c.aDashes)
                for (int x = iFrom; x <= iTo; ++x) expected.insert({x, kRows});
            const std::vector<Record> aLines = Lines(dc);
            EXPECT_EQ(PixelsOf(aLines), expected);
            for (const Record& r : aLines) EXPECT_EQ(r.m_state.m_pen.GetBaseStyle(), PS_SOLID);
        }
    }
}

TEST_F(PlotDraw, WidthsScaleWithResolutionAndTheCurrentTraceIsBold)
{
    CTestTrace* pTrace = AddFlatTrace(10);
    CTestTrace* pOther = AddFlatTrace(10);
    m_pDoc->SetCurrentTrace(CHANNEL_A, pTrace);
    const auto WidthDrawn = [&](CTestTrace* p, const CRecordingDC::SDeviceCaps& caps, const CDC* pAttrib) {
        CRecordingDC dc(caps);
        if (pAttrib) dc.SetAttribDC(pAttrib);
        p->Draw(&dc, 1);
        const std::vector<Record> aLines = Lines(dc);
        return aLines.empty() ? 0 : aLines.front().m_state.m_pen.GetWidth();
    };
    const CRecordingDC screen;
    // A 600 dpi output measured against a 96 dpi screen.
    EXPECT_EQ(WidthDrawn(pTrace, Printer(600), &screen), 6);
    EXPECT_EQ(WidthDrawn(pTrace, CRecordingDC::SDeviceCaps(), nullptr), 1);

    m_pDoc->SetDrawCurrentTraceBold(1);
    EXPECT_EQ(WidthDrawn(pTrace, CRecordingDC::SDeviceCaps(), nullptr), 2);
    EXPECT_EQ(WidthDrawn(pTrace, Printer(96), nullptr), 10);
    EXPECT_EQ(WidthDrawn(pOther, CRecordingDC::SDeviceCaps(), nullptr), 1);
}

TEST_F(PlotDraw, RowsAreClippedToOneAboveTheTopAndTheBottom)
{
    CTestTrace* pTrace = AddPlotTrace(10, 100);
    pTrace->FillYData({50, 1000, 50, -50, 50, 1e9, -1e9, 50, 50, 50});
    CRecordingDC dc;
    pTrace->Draw(&dc, 1);
    int iTopmost = kRows;
    int iLowest = 0;
    for (const Record& r : Lines(dc)) {
        for (const CPoint& p : r.m_aPoints) {
            iTopmost = std::min(iTopmost, p.y);
            iLowest = std::max(iLowest, p.y);
        }
    }
    EXPECT_EQ(iTopmost, -1);
    EXPECT_EQ(iLowest, kRows);
}

TEST_F(PlotDraw, ColumnsAreVerticalStrokesOverTheirSpansWithBreaksAtGaps)
{
    CTestTrace* pTrace = AddPlotTrace(1000, 100);
    pTrace->FillYData([](int i) { return (i >= 500 && i < 530) ? DBL_MAX : (i / 10 % 2 ? 70.0 : 20.0); });
    CRecordingDC dc;
    pTrace->Draw(&dc, 1);
    const PixelSet pixels = PixelsOf(Lines(dc));
    for (int i = 0; i < 100; ++i) {
        const int iLow = pTrace->GetPlotMinArray()[i];
        const int iHigh = pTrace->GetPlotMaxArray()[i];
        PixelSet expected;
        for (int h = iLow; iLow != POINT_BEYOND_MAX && h <= iHigh; ++h) expected.insert({i, pTrace->GetPlotYOrigin() - h});
        PixelSet column;
        std::copy_if(pixels.begin(), pixels.end(), std::inserter(column, column.end()),
                     [i](const auto& p) { return p.first == i; });
        EXPECT_EQ(column, expected) << "column " << i;
    }
}

TEST_F(PlotDraw, TheRegionBelowTheLowestValidPointHasADottedPenOfItsOwn)
{
    struct SCase { bool bPrinting; int iPrintStyle; int iFirstPassStyle; };
    const SCase aCases[] = {{false, TRACE_PRINTSTYLE_SOLID, PS_DOT},
                            {true, TRACE_PRINTSTYLE_SOLID, PS_DOT},
                            {true, TRACE_PRINTSTYLE_DOT, PS_SOLID}};
    for (const SCase& c : aCases) {
        CTestTrace* pTrace = AddFlatTrace(40);
        pTrace->SetLowestValidXPoint(10);
        pTrace->SetPrintStyle(c.iPrintStyle);
        CRecordingDC::SDeviceCaps caps;
        caps.m_bPrinting = c.bPrinting;
        CRecordingDC dc(caps);
        pTrace->Draw(&dc, 1);
        for (const Record& r : Lines(dc)) {
            const int iExpected = r.m_aPoints[0].x < 10 ? c.iFirstPassStyle : PS_SOLID;
            if (r.m_aPoints[0].x != 10) {
                EXPECT_EQ(r.m_state.m_pen.GetBaseStyle(), iExpected);
            }
        }
        // The two passes meet: every pixel of the flat line is covered on the screen.
        if (!c.bPrinting) {
            EXPECT_EQ(PixelsOf(Lines(dc)).size(), 40u);
        }
    }
}

TEST_F(PlotDraw, CursorAndMarksComeAfterTheCurveAndPrintedMarksAreNumbered)
{
    CTestTrace* pTrace = AddPlotTrace(10, 100);
    pTrace->FillYData({50, 60, 50, 60, 50, 60, 50, 60, 50, 60});
    pTrace->CursorOn();
    pTrace->SetCursorPosition(3);
    pTrace->MarksOn();
    pTrace->AddMark(6, 0);
    CRecordingDC dc;
    pTrace->Draw(&dc, 1);
    const std::vector<Record>& aAll = dc.GetRecords();
    // The curve is solid; the cursor's line is dashed and its diamond and the mark are polygons.
    size_t iLastCurve = 0;
    size_t iFirstMarker = aAll.size();
    for (size_t i = 0; i < aAll.size(); ++i) {
        if (aAll[i].m_eKind == CRecordingDC::EKind::Polygon || aAll[i].m_state.m_pen.GetBaseStyle() == PS_DASH)
            iFirstMarker = std::min(iFirstMarker, i);
        else if (aAll[i].m_eKind == CRecordingDC::EKind::Line)
            iLastCurve = i;
    }
    EXPECT_LT(iLastCurve, iFirstMarker);
    EXPECT_EQ(dc.GetRecords(CRecordingDC::EKind::Polygon).size(), 2u);
    EXPECT_TRUE(dc.GetRecords(CRecordingDC::EKind::Text).empty());

    CRecordingDC printer(Printer(300));
    pTrace->DrawMarks(&printer);
    const std::vector<Record> aTexts = printer.GetRecords(CRecordingDC::EKind::Text);
    ASSERT_EQ(aTexts.size(), 1u);
    EXPECT_EQ(aTexts[0].m_sText, CString(L"1"));
}

} // namespace
