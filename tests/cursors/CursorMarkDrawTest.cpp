// CCursorMark on its own: drawing into a recording DC, hit testing, and the
// file form.

#include "CursorFixture.h"

#include "platform/Archive.h"
#include "platform/RecordingDC.h"
#include "trace/model/CursorMark.h"

namespace {

constexpr COLORREF kScreen = RGB(0, 200, 0);
constexpr COLORREF kPrint = RGB(0, 0, 160);

using EKind = CRecordingDC::EKind;

class CursorMarkDrawTest : public CursorFixture {
protected:
    CursorMarkDrawTest()
    {
        Trace().SetColor(kScreen);
        Trace().SetPrintColor(kPrint);
        Trace().CursorOn();
        Trace().SetCursorPosition(kPos);
    }
    // Where the datum at kPos (half scale) is drawn.
    CPoint DataPoint() { return CPoint(Trace().GetXPointForPos(kPos), 50); }
    static CRecordingDC::SDeviceCaps Printer()
    {
        CRecordingDC::SDeviceCaps caps;
        caps.m_iLogPixelsX = caps.m_iLogPixelsY = 600;
        caps.m_bPrinting = true;
        return caps;
    }

    static constexpr int kPos = 10;
};

TEST_F(CursorMarkDrawTest, CursorIsADashedLineOverThePlotWithAFilledDiamond)
{
    CRecordingDC dc;
    Trace().GetCursor()->DrawCursorMark(&dc, nullptr);
    const CPoint pt = DataPoint();
    ASSERT_GT(pt.x, 0);

    const auto aLines = dc.GetRecords(EKind::Line);
    ASSERT_EQ(aLines.size(), 1u);
    EXPECT_EQ(aLines[0].m_aPoints[0], CPoint(pt.x, 0));
    EXPECT_EQ(aLines[0].m_aPoints[1], CPoint(pt.x, 101));
    EXPECT_EQ(aLines[0].m_state.m_pen.GetBaseStyle(), PS_DASH);
    EXPECT_EQ(aLines[0].m_state.m_pen.GetColor(), kScreen);

    const auto aPolygons = dc.GetRecords(EKind::Polygon);
    ASSERT_EQ(aPolygons.size(), 1u);
    const auto& diamond = aPolygons[0];
    ASSERT_EQ(diamond.m_aPoints.size(), 4u);
    EXPECT_EQ(diamond.m_aPoints[0], CPoint(pt.x, pt.y - 4));
    EXPECT_EQ(diamond.m_aPoints[2], CPoint(pt.x, pt.y + 4));
    EXPECT_EQ(diamond.m_state.m_pen.GetColor(), kScreen);
    EXPECT_EQ(diamond.m_state.m_brush.GetColor(), kScreen);
    EXPECT_TRUE(dc.GetRecords(EKind::Text).empty());
}

TEST_F(CursorMarkDrawTest, RelativeCursorIsDottedAndHollow)
{
    Trace().RelativeCursorOn();
    CRecordingDC dc;
    Trace().GetRelativeCursor()->DrawCursorMark(&dc, nullptr);
    const auto aLines = dc.GetRecords(EKind::Line);
    ASSERT_EQ(aLines.size(), 1u);
    EXPECT_EQ(aLines[0].m_state.m_pen.GetBaseStyle(), PS_DOT);
    const auto aPolygons = dc.GetRecords(EKind::Polygon);
    ASSERT_EQ(aPolygons.size(), 1u);
    EXPECT_TRUE(aPolygons[0].m_state.m_brush.IsNull());
}

TEST_F(CursorMarkDrawTest, MarkIsATrianglePointingAtTheCurveWithItsLabelAbove)
{
    Trace().AddMark(kPos, 0);
    CRecordingDC dc;
    Trace().GetMark(0)->DrawCursorMark(&dc, L"1");
    const CPoint pt = DataPoint();

    EXPECT_TRUE(dc.GetRecords(EKind::Line).empty());
    const auto aPolygons = dc.GetRecords(EKind::Polygon);
    ASSERT_EQ(aPolygons.size(), 1u);
    ASSERT_EQ(aPolygons[0].m_aPoints.size(), 3u);
    EXPECT_EQ(aPolygons[0].m_aPoints[0], CPoint(pt.x, pt.y - 1)); // the tip
    for (size_t i = 1; i < 3; ++i) EXPECT_LT(aPolygons[0].m_aPoints[i].y, pt.y - 1);
    EXPECT_EQ(aPolygons[0].m_state.m_brush.GetColor(), kScreen);

    const auto aTexts = dc.GetRecords(EKind::Text);
    ASSERT_EQ(aTexts.size(), 1u);
    EXPECT_EQ(aTexts[0].m_sText, L"1");
    EXPECT_EQ(aTexts[0].m_state.m_crText, kScreen);
    EXPECT_EQ(aTexts[0].m_state.m_uTextAlign, TA_CENTER | TA_BOTTOM);
    EXPECT_LT(aTexts[0].m_aPoints[0].y, aPolygons[0].m_aPoints[1].y);
    EXPECT_EQ(aTexts[0].m_aPoints[0].x, pt.x);
}

TEST_F(CursorMarkDrawTest, PrintingUsesThePrintColourScaledPensAndTheCallersFont)
{
    Trace().AddMark(kPos, 0);
    CRecordingDC dc(Printer());
    CFont scaleFont;
    scaleFont.CreatePointFont(100, L"Arial", &dc);
    dc.SelectObject(scaleFont);
    Trace().GetCursor()->DrawCursorMark(&dc, nullptr);
    Trace().GetMark(0)->DrawCursorMark(&dc, L"1");

    const auto aLines = dc.GetRecords(EKind::Line);
    ASSERT_EQ(aLines.size(), 1u);
    EXPECT_EQ(aLines[0].m_state.m_pen.GetWidth(), 6);
    EXPECT_EQ(aLines[0].m_state.m_pen.GetColor(), kPrint);
    const auto aPolygons = dc.GetRecords(EKind::Polygon);
    ASSERT_EQ(aPolygons.size(), 2u);
    EXPECT_EQ(aPolygons[0].m_aPoints[0].y, 50 - 24); // the diamond grows with the resolution
    const auto aTexts = dc.GetRecords(EKind::Text);
    ASSERT_EQ(aTexts.size(), 1u);
    EXPECT_EQ(aTexts[0].m_state.m_font, scaleFont);
    EXPECT_EQ(aTexts[0].m_state.m_crText, kPrint);
}

TEST_F(CursorMarkDrawTest, BlackAndWhiteAppliesToOutputOnly)
{
    m_pDoc->SetBlackAndWhite(1, 0);
    CRecordingDC screen;
    CRecordingDC printer(Printer());
    Trace().GetCursor()->DrawCursorMark(&screen, nullptr);
    Trace().GetCursor()->DrawCursorMark(&printer, nullptr);
    EXPECT_EQ(screen.GetRecords(EKind::Line).at(0).m_state.m_pen.GetColor(), kScreen);
    EXPECT_EQ(printer.GetRecords(EKind::Line).at(0).m_state.m_pen.GetColor(), RGB(0, 0, 0));
}

TEST_F(CursorMarkDrawTest, DrawingLeavesTheDCAsItWas)
{
    Trace().AddMark(kPos, 0);
    CRecordingDC dc;
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    dc.SetTextColor(RGB(1, 2, 3));
    const SDCState before = dc.GetState();
    Trace().GetCursor()->DrawCursorMark(&dc, L"c");
    Trace().GetMark(0)->DrawCursorMark(&dc, L"1");
    EXPECT_TRUE(dc.GetState() == before);
}

TEST_F(CursorMarkDrawTest, NothingIsDrawnOutsideTheWindowOrWithoutAPlot)
{
    CRecordingDC dc;
    Trace().SetCursorPosition(300); // beyond the 1 kHz window
    EXPECT_FALSE(Trace().GetCursor()->IsVisible());
    Trace().GetCursor()->DrawCursorMark(&dc, L"x");
    EXPECT_TRUE(Trace().GetCursor()->GetCursorRect(&dc).IsRectEmpty());

    Trace().SetCursorPosition(kPos);
    Trace().SetTestDrawRect(CRect(-1, -1, -1, -1));
    EXPECT_FALSE(Trace().GetCursor()->IsVisible());
    Trace().GetCursor()->DrawCursorMark(&dc, nullptr);

    CCursorMark orphan(nullptr, eMark, 3);
    orphan.DrawCursorMark(&dc, L"1");
    EXPECT_TRUE(dc.GetRecords().empty());
    EXPECT_FALSE(LogHasAssertion());
}

TEST_F(CursorMarkDrawTest, CursorWithoutValueShowsOnlyItsLine)
{
    Trace().FillYData([](int i) { return i == kPos ? TRACE_NULL_VALUE : kFull / 2; });
    CRecordingDC dc;
    Trace().GetCursor()->DrawCursorMark(&dc, nullptr);
    EXPECT_EQ(dc.GetRecords(EKind::Line).size(), 1u);
    EXPECT_TRUE(dc.GetRecords(EKind::Polygon).empty());
}

TEST_F(CursorMarkDrawTest, HitTestCoversTheMarkerAndTheCursorLine)
{
    Trace().AddMark(kPos, 0);
    CRecordingDC dc;
    const CPoint pt = DataPoint();
    CCursorMark* pCursor = Trace().GetCursor();
    CCursorMark* pMark = Trace().GetMark(0);
    struct SCase {
        CPoint point;
        int bCursor, bMark;
    };
    const SCase aCases[] = {
        {CPoint(pt.x, pt.y + 3), 1, 0},
        {CPoint(pt.x + 5, pt.y + 3), 1, 0}, // beside the diamond, within the slack
        {CPoint(pt.x, 90), 1, 0},           // on the line, far from the curve
        {CPoint(pt.x + 10, 90), 0, 0},
        {CPoint(pt.x + 3, pt.y - 9), 0, 1}, // on the triangle, clear of the line
        {CPoint(pt.x, 150), 0, 0},          // below the plot
    };
    for (const SCase& c : aCases) {
        EXPECT_EQ(pCursor->PointInCursorMark(&dc, c.point), c.bCursor) << c.point.x << "," << c.point.y;
        EXPECT_EQ(pMark->PointInCursorMark(&dc, c.point), c.bMark) << c.point.x << "," << c.point.y;
    }
    EXPECT_TRUE(pMark->GetCursorRect(&dc).PtInRect(CPoint(pt.x, pt.y - 4)));
}

TEST_F(CursorMarkDrawTest, FileFormKeepsPositionStateAndLabel)
{
    CCursorMark mark(&Trace(), eMark, 123);
    mark.SetLabel(CString(L"Second"));
    mark.SetDisplayState(7);
    CArchive out(CArchive::store);
    mark.Serialize(out);

    CArchive in(CArchive::load, out.GetBytes());
    CCursorMark copy(&Trace(), eMark, 0);
    copy.Serialize(in);
    EXPECT_EQ(copy.GetPosition(1), 123);
    EXPECT_EQ(copy.GetDisplayState(), 7);
    EXPECT_EQ(copy.GetLabel(), L"Second");
    EXPECT_EQ(in.GetRemaining(), 0u);
}

} // namespace
