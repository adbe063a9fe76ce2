// The recording surface: state in force per record, save/restore, clipping, text metrics, fills, edges, shapes,
// device capabilities and pen validation.

#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <tuple>

using EKind = CRecordingDC::EKind;

namespace {

// Paints edges pixel by pixel like a real back end, to check the default.
class CEdgePixelsDC : public CRecordingDC {
protected:
    void DoDrawEdge(const CRect& rect, UINT edge, UINT flags) override { CDC::DoDrawEdge(rect, edge, flags); }
};

CRect ClipBox(const CRecordingDC& dc)
{
    CRect box;
    dc.GetClipBox(&box);
    return box;
}

} // namespace

TEST(RecordingDCState, RecordsPenAndModesInForce)
{
    CRecordingDC dc;
    const CPen dashed(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 3, RGB(10, 20, 30), {4, 4});
    const CPen previous = dc.SelectObject(dashed);
    EXPECT_EQ(previous, CPen());
    EXPECT_EQ(dc.SetROP2(R2_NOTXORPEN), R2_COPYPEN);
    for (int bad : {0, 17}) EXPECT_EQ(dc.SetROP2(bad), 0); // refused, the mode stays
    EXPECT_EQ(dc.SetBkMode(3), 0);
    dc.MoveTo(1, 2);
    dc.LineTo(5, 6);
    dc.SelectObject(previous);
    dc.LineTo(7, 8);

    const auto lines = dc.GetRecords(EKind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].m_aPoints, (std::vector<CPoint>{{1, 2}, {5, 6}}));
    const CPen& pen = lines[0].m_state.m_pen;
    EXPECT_EQ(std::make_tuple(pen.GetBaseStyle(), pen.GetEndCap(), pen.IsGeometric(), pen.GetWidth(), pen.GetColor()),
              std::make_tuple(PS_USERSTYLE, PS_ENDCAP_FLAT, true, 3, RGB(10, 20, 30)));
    EXPECT_EQ(pen.GetDashes(), (std::vector<DWORD>{4, 4}));
    EXPECT_EQ(lines[0].m_state.m_iROP2, R2_NOTXORPEN);
    EXPECT_EQ(lines[0].m_state.m_iBkMode, OPAQUE);
    EXPECT_EQ(lines[1].m_aPoints.front(), CPoint(5, 6)); // continues from the last end
    EXPECT_EQ(lines[1].m_state.m_pen, CPen());
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(7, 8));
}

TEST(RecordingDCState, SaveAndRestoreLevels)
{
    CRecordingDC dc;
    dc.SetTextColor(RGB(1, 0, 0));
    EXPECT_EQ(dc.SaveDC(), 1);
    dc.SetTextColor(RGB(2, 0, 0));
    dc.SelectObject(CBrush(RGB(9, 9, 9)));
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SetTextColor(RGB(3, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    dc.MoveTo(50, 50);

    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(std::make_tuple(dc.GetTextColor(), dc.GetBkMode(), dc.GetTextAlign(), dc.GetCurrentPosition()),
              std::make_tuple(RGB(2, 0, 0), OPAQUE, UINT{TA_LEFT | TA_TOP}, CPoint(0, 0)));
    EXPECT_EQ(dc.GetCurrentBrush().GetColor(), RGB(9, 9, 9));

    EXPECT_EQ(dc.SaveDC(), 2);
    EXPECT_TRUE(dc.RestoreDC(1)); // drops level 2 as well
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 0, 0));
    EXPECT_EQ(dc.GetCurrentBrush(), CBrush());
    for (int bad : {1, -1, 0, 5}) EXPECT_FALSE(dc.RestoreDC(bad)) << bad;
}

TEST(RecordingDCClip, ClipBoxNarrowsAndIsSaved)
{
    CRecordingDC dc;
    EXPECT_EQ(ClipBox(dc), CRect(0, 0, 1024, 768));
    EXPECT_EQ(dc.IntersectClipRect(10, 10, 100, 100), SIMPLEREGION);
    const int saved = dc.SaveDC();
    EXPECT_EQ(dc.IntersectClipRect(CRect(50, -5, 2000, 60)), SIMPLEREGION);
    EXPECT_EQ(ClipBox(dc), CRect(50, 10, 100, 60));
    EXPECT_EQ(dc.IntersectClipRect(CRect(500, 500, 600, 600)), NULLREGION);
    dc.RestoreDC(saved);
    EXPECT_EQ(ClipBox(dc), CRect(10, 10, 100, 100));
    const CRect beyond(1000, 700, 1200, 900);
    EXPECT_EQ(dc.SelectClipRect(&beyond), SIMPLEREGION);
    EXPECT_EQ(ClipBox(dc), CRect(1000, 700, 1024, 768)); // clipped to the surface
    dc.SelectClipRect(nullptr);
    EXPECT_EQ(ClipBox(dc), CRect(0, 0, 1024, 768));
    EXPECT_EQ(dc.GetClipBox(nullptr), RGN_ERROR);
}

TEST(RecordingDCText, MetricsExtentAlignmentAndCurrentPosition)
{
    CRecordingDC dc;
    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 900, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                                CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Lucida Sans Unicode"));
    dc.SelectObject(font);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(std::make_tuple(tm.tmHeight, tm.tmAscent, tm.tmAveCharWidth, tm.tmWeight),
              std::make_tuple(20, 16, 11, FW_BOLD));
    EXPECT_EQ(dc.GetTextExtent(L"abc"), CSize(33, 20));
    EXPECT_EQ(dc.GetTextExtent(L""), CSize(0, 20));
    const struct { UINT align; CPoint origin; } rows[] = {
        {TA_LEFT | TA_TOP, {100, 50}},     {TA_RIGHT | TA_TOP, {67, 50}},
        {TA_CENTER | TA_BOTTOM, {84, 30}}, {TA_RIGHT | TA_BASELINE, {67, 34}},
    };
    for (const auto& row : rows) {
        dc.SetTextAlign(row.align);
        EXPECT_EQ(dc.GetTextOrigin(CPoint(100, 50), L"abc"), row.origin) << row.align;
    }
    dc.SetTextColor(RGB(0, 0, 255));
    dc.TextOut(100, 50, L"dB");
    const CRecordingDC::SRecord text = dc.GetRecords(EKind::Text).at(0);
    EXPECT_EQ(std::make_tuple(text.m_sText, text.m_aPoints.front(), text.m_state.m_uTextAlign, text.m_state.m_crText),
              std::make_tuple(CString(L"dB"), CPoint(100, 50), UINT{TA_RIGHT | TA_BASELINE}, RGB(0, 0, 255)));
    EXPECT_EQ(text.m_state.m_font.GetEscapement(), 900);

    CRecordingDC plain; // default font: 16 high, 9 per character
    plain.MoveTo(10, 10);
    plain.SetTextAlign(TA_UPDATECP);
    plain.TextOut(500, 500, L"ab");
    plain.TextOut(500, 500, L"c");
    const auto texts = plain.GetRecords(EKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].m_aPoints.front(), CPoint(10, 10));
    EXPECT_EQ(texts[1].m_aPoints.front(), CPoint(28, 10));
    EXPECT_EQ(plain.GetCurrentPosition(), CPoint(37, 10));
}

TEST(RecordingDCFill, FillsFramesAndBrushes)
{
    CRecordingDC dc;
    dc.FillRect(CRect(0, 0, 10, 10), CBrush::FromStock(NULL_BRUSH));
    dc.FillRect(CRect(0, 0, 10, 10), static_cast<const CBrush*>(nullptr));
    dc.FillRect(CRect(5, 5, 5, 10), CBrush(RGB(1, 1, 1)));
    EXPECT_TRUE(dc.GetRecords().empty());

    dc.FillSolidRect(1, 2, 3, 4, RGB(7, 7, 7));
    ASSERT_EQ(dc.GetRecords().size(), 1u);
    EXPECT_EQ(dc.GetRecords()[0].m_rect, CRect(1, 2, 4, 6));
    EXPECT_EQ(dc.GetBkColor(), RGB(7, 7, 7)); // the framework leaves it set
    dc.Clear();

    // Top-right and bottom-left corners belong to the bottom-right colour.
    dc.Draw3dRect(CRect(0, 0, 10, 10), RGB(255, 255, 255), RGB(0, 0, 0));
    const auto edges = dc.GetRecords(EKind::Fill);
    ASSERT_EQ(edges.size(), 4u);
    for (const auto& e : edges) {
        EXPECT_TRUE(e.m_rect.Width() == 1 || e.m_rect.Height() == 1);
        if (e.m_rect.PtInRect(CPoint(9, 0)) || e.m_rect.PtInRect(CPoint(0, 9))) {
            EXPECT_EQ(e.m_crColor, RGB(0, 0, 0));
        }
    }
}

TEST(RecordingDCEdge, RecordedAsAskedAdjustedAndPaintedByDefault)
{
    CRecordingDC dc;
    CRect rect(0, 0, 20, 10);
    EXPECT_TRUE(dc.DrawEdge(&rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_EQ(rect, CRect(2, 2, 18, 8));
    CRect thumb(0, 0, 8, 8);
    dc.DrawEdge(&thumb, BDR_RAISEDOUTER, BF_TOPLEFT | BF_ADJUST);
    EXPECT_EQ(thumb, CRect(1, 1, 8, 8));
    const auto edges = dc.GetRecords(EKind::Edge);
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(std::make_tuple(edges[0].m_rect, edges[0].m_uEdge), std::make_tuple(CRect(0, 0, 20, 10), UINT{EDGE_SUNKEN}));

    // The default paints two rings and the middle.
    CEdgePixelsDC pixels;
    pixels.DrawEdge(CRect(0, 0, 10, 10), EDGE_RAISED, BF_RECT | BF_MIDDLE);
    const auto fills = pixels.GetRecords(EKind::Fill);
    ASSERT_EQ(fills.size(), 9u);
    EXPECT_EQ(std::make_tuple(fills[0].m_rect, fills[0].m_crColor), std::make_tuple(CRect(0, 0, 9, 1), GetSysColor(COLOR_3DLIGHT)));
    EXPECT_EQ(fills[3].m_crColor, GetSysColor(COLOR_3DDKSHADOW)); // outer bottom
    EXPECT_EQ(std::make_tuple(fills[4].m_rect, fills[4].m_crColor), std::make_tuple(CRect(1, 1, 8, 2), GetSysColor(COLOR_3DHILIGHT)));
    EXPECT_EQ(std::make_tuple(fills[8].m_rect, fills[8].m_crColor), std::make_tuple(CRect(2, 2, 8, 8), GetSysColor(COLOR_3DFACE)));
}

TEST(RecordingDCShapes, PolylinesRectanglesAndRejectedInput)
{
    CRecordingDC dc;
    const CPoint points[] = {{0, 0}, {1, 1}, {2, 0}, {5, 5}, {6, 6}};
    const DWORD counts[] = {3, 2};
    EXPECT_TRUE(dc.PolyPolyline(points, counts, 2));
    const DWORD badCounts[] = {3, 1};
    EXPECT_FALSE(dc.PolyPolyline(points, badCounts, 2) || dc.Polyline(points, 1));
    EXPECT_FALSE(dc.Polyline(nullptr, 3) || dc.Polygon(points, 0));
    const auto polylines = dc.GetRecords(EKind::Polyline);
    ASSERT_EQ(polylines.size(), 2u);
    EXPECT_EQ(polylines[1].m_aPoints, (std::vector<CPoint>{{5, 5}, {6, 6}}));

    dc.SelectObject(CBrush::FromStock(NULL_BRUSH));
    dc.Rectangle(1, 2, 3, 4);
    dc.Ellipse(CRect(0, 0, 8, 8));
    EXPECT_EQ(dc.SetPixel(3, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
    const auto& all = dc.GetRecords();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[2].m_eKind, EKind::Rectangle);
    EXPECT_TRUE(all[2].m_state.m_brush.IsNull());
    EXPECT_EQ(all[3].m_eKind, EKind::Ellipse);
    EXPECT_EQ(std::make_tuple(all[4].m_eKind, all[4].m_crColor), std::make_tuple(EKind::Pixel, RGB(1, 2, 3)));
}

TEST(RecordingDCCaps, DefaultsAndPrinterConfiguration)
{
    CRecordingDC screen;
    const struct { int index; int value; } rows[] = {
        {LOGPIXELSX, 96}, {HORZRES, 1024}, {VERTRES, 768}, {HORZSIZE, 271},
        {NUMCOLORS, -1},  {TECHNOLOGY, DT_RASDISPLAY}, {12345, 0},
    };
    for (const auto& row : rows) EXPECT_EQ(screen.GetDeviceCaps(row.index), row.value) << row.index;
    EXPECT_FALSE(screen.IsPrinting() || screen.IsMetafile());

    CRecordingDC::SDeviceCaps caps;
    caps.m_iLogPixelsX = caps.m_iLogPixelsY = 600;
    caps.m_iHorzRes = 4800;
    caps.m_bPrinting = true;
    CRecordingDC printer(caps);
    printer.SetAttribDC(&screen);
    EXPECT_EQ(printer.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(printer.GetDeviceCaps(PHYSICALWIDTH), 4800);
    EXPECT_EQ(printer.GetAttribDC()->GetDeviceCaps(LOGPIXELSX), 96);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Lucida Sans Unicode", &printer));
    EXPECT_EQ(font.GetHeight(), -83); // 10 pt at 600 dpi
    ASSERT_TRUE(font.CreatePointFont(140, L"Lucida Sans Unicode"));
    EXPECT_EQ(font.GetHeight(), -19); // 14 pt at 96 dpi
}

TEST(RecordingDCObjects, PenAndFontValidation)
{
    const DWORD twoTwo[] = {2, 2};
    const DWORD zeros[] = {0, 0};
    const DWORD seventeen[17] = {1};
    const struct { int style; int width; int count; const DWORD* dashes; bool ok; } rows[] = {
        {PS_SOLID, 1, 0, nullptr, true},         {PS_DASHDOTDOT, 0, 0, nullptr, true},
        {0x10007, 2, 2, twoTwo, true}, // geometric user style
        {PS_USERSTYLE, 1, 0, nullptr, false},    {PS_USERSTYLE, 1, 2, zeros, false},
        {PS_USERSTYLE, 1, 17, seventeen, false}, {PS_DASH, 1, 2, twoTwo, false},
        {9, 1, 0, nullptr, false},               {PS_SOLID, -1, 0, nullptr, false},
    };
    for (const auto& row : rows) {
        CPen pen;
        EXPECT_EQ(pen.CreatePen(row.style, row.width, RGB(1, 2, 3), row.count, row.dashes), row.ok) << row.style;
        EXPECT_TRUE(row.ok || pen == CPen()) << "failed creation leaves the pen alone";
    }
    LOGFONT lf;
    lf.lfFaceName = CString(std::wstring(40, L'F'));
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    EXPECT_EQ(font.GetFaceName().GetLength(), LF_FACESIZE - 1);
    EXPECT_FALSE(font.CreateFontIndirect(nullptr));
}
