// CQtDC on a raster image: pixel conventions, pens, raster operations, clip
// and text, checked on the pixels drawn.
#include "QtTestSupport.h"

#include "host/app/DebugLog.h"
#include "qt/QtDC.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <memory>
#include <string>

using qttest::InkBounds;
using qttest::InkPixels;
using qttest::PixelAt;
using qttest::RowRuns;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A white image with a painter and a DC on it.
class QtDC : public ::testing::Test {
protected:
    void SetUp() override { Start(64, 64); }

    void Start(int width, int height)
    {
        m_dc.reset();
        m_painter.reset();
        m_image = QImage(width, height, QImage::Format_RGB32);
        m_image.fill(Qt::white);
        m_painter = std::make_unique<QPainter>(&m_image);
        m_dc = std::make_unique<CQtDC>(m_painter.get());
    }
    // Ends painting and returns the picture.
    const QImage& Image()
    {
        m_dc.reset();
        m_painter.reset();
        return m_image;
    }
    CQtDC& DC() { return *m_dc; }

    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<CQtDC> m_dc;
};

using Pixels = std::set<std::pair<int, int>>;

Pixels Span(int x0, int x1, int y0, int y1) // x0..x1-1, y0..y1-1
{
    Pixels out;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) out.insert({x, y});
    return out;
}

TEST_F(QtDC, OnePixelLinesLandOnWholePixelsWithoutTheirEnd)
{
    struct SCase {
        const char* name;
        CPen pen;
        CPoint from, to;
        Pixels pixels;
    } const cases[] = {
        {"horizontal", CPen(PS_SOLID, 1, kBlack), {2, 5}, {10, 5}, Span(2, 10, 5, 6)},
        {"horizontal backwards", CPen(PS_SOLID, 1, kBlack), {10, 5}, {2, 5}, Span(3, 11, 5, 6)},
        {"vertical", CPen(PS_SOLID, 0, kBlack), {7, 3}, {7, 9}, Span(7, 8, 3, 9)},
        {"vertical backwards", CPen(PS_SOLID, 0, kBlack), {7, 9}, {7, 3}, Span(7, 8, 4, 10)},
        {"diagonal", CPen(PS_SOLID, 1, kBlack), {1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
        {"geometric one pixel", CPen(PS_GEOMETRIC | PS_ENDCAP_ROUND, 1, kBlack), {2, 5}, {10, 5}, Span(2, 10, 5, 6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(16, 16);
        DC().SelectObject(c.pen);
        DC().MoveTo(c.from);
        DC().LineTo(c.to);
        EXPECT_EQ(DC().GetCurrentPosition(), c.to);
        EXPECT_EQ(InkPixels(Image()), c.pixels);
    }
}

TEST_F(QtDC, FillsAndRectanglesLeaveOutRightAndBottom)
{
    DC().FillSolidRect(CRect(2, 3, 7, 7), kBlack);
    EXPECT_EQ(InkPixels(Image()), Span(2, 7, 3, 7));

    Start(16, 16);
    DC().SelectObject(CPen(PS_SOLID, 1, kBlack));
    DC().SelectObject(CBrush(kRed));
    DC().Rectangle(2, 2, 10, 8);
    const QImage& image = Image();
    EXPECT_EQ(InkBounds(image), CRect(2, 2, 10, 8));
    for (CPoint p : {CPoint(2, 2), CPoint(9, 2), CPoint(2, 7), CPoint(9, 7), CPoint(5, 2), CPoint(9, 5)})
        EXPECT_EQ(PixelAt(image, p.x, p.y), kBlack) << p.x << "," << p.y;
    EXPECT_EQ(qttest::CountColor(image, kRed), 6 * 4); // the inside, within the outline
    EXPECT_EQ(qttest::CountColor(image, kBlack), 2 * 8 + 2 * 4);
    EXPECT_EQ(PixelAt(image, 3, 3), kRed);
    EXPECT_EQ(PixelAt(image, 8, 6), kRed);
}

TEST_F(QtDC, RectangleWithoutPenFillsOnePixelLess)
{
    DC().SelectObject(CPen::FromStock(NULL_PEN));
    DC().SelectObject(CBrush(kBlack));
    DC().Rectangle(2, 2, 10, 8);
    EXPECT_EQ(InkPixels(Image()), Span(2, 9, 2, 7));
}

TEST_F(QtDC, DashedPensLeaveGapsOfTheirLength)
{
    struct SCase {
        const char* name;
        CPen pen;
        std::vector<int> runs; // along the row, starting with ink
    } const cases[] = {
        {"dash", CPen(PS_DASH, 1, kBlack), {18, 6, 18, 6, 12}},
        {"dot", CPen(PS_DOT, 0, kBlack), {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}},
        {"user 4/4", CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, kBlack, {4, 4}),
         {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}},
        {"user 2 on 5 off", CPen(PS_USERSTYLE, 1, kBlack, {2, 5}), {2, 5, 2, 5, 2, 5, 2, 5, 2, 5, 2, 5, 2, 5, 2, 5, 2, 2}},
        {"wide flat 6/3 in pixels", CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 3, kBlack, {6, 3}),
         {6, 3, 6, 3, 6, 3, 6, 3, 6, 3, 6, 3, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(64, 9);
        DC().SelectObject(c.pen);
        DC().MoveTo(0, 4);
        DC().LineTo(60, 4);
        EXPECT_EQ(RowRuns(Image(), 4, 0, 60), c.runs);
    }
}

TEST_F(QtDC, WidePensAreCentredAndAsWideAsAsked)
{
    DC().SelectObject(CPen(PS_SOLID, 3, kBlack));
    DC().MoveTo(10, 20);
    DC().LineTo(10, 40);
    const CRect ink = InkBounds(Image());
    EXPECT_EQ(ink.left, 9);
    EXPECT_EQ(ink.right, 12);
}

TEST_F(QtDC, NotXorDrawnTwiceRestoresThePicture)
{
    DC().FillSolidRect(CRect(0, 0, 32, 64), RGB(10, 200, 30));
    DC().FillSolidRect(CRect(20, 10, 50, 40), RGB(90, 0, 250));
    m_painter->end();
    const QImage before = m_image.copy();
    m_dc.reset();
    m_painter->begin(&m_image);
    m_dc = std::make_unique<CQtDC>(m_painter.get());

    DC().SetROP2(R2_NOTXORPEN);
    DC().SelectObject(CPen(PS_SOLID, 1, RGB(200, 100, 50)));
    DC().SelectObject(CBrush::FromStock(NULL_BRUSH));
    const CPoint path[] = {{2, 2}, {60, 2}, {60, 60}, {5, 40}};
    for (int pass = 0; pass < 2; ++pass) {
        DC().Rectangle(10, 5, 40, 50);
        DC().Polyline(path, 4);
        DC().MoveTo(0, 30);
        DC().LineTo(63, 31);
        if (pass == 0) {
            m_painter->end();
            EXPECT_NE(m_image, before);
            m_dc.reset();
            m_painter->begin(&m_image);
            m_dc = std::make_unique<CQtDC>(m_painter.get());
            DC().SetROP2(R2_NOTXORPEN);
            DC().SelectObject(CPen(PS_SOLID, 1, RGB(200, 100, 50)));
            DC().SelectObject(CBrush::FromStock(NULL_BRUSH));
        }
    }
    EXPECT_EQ(Image(), before);
}

TEST_F(QtDC, RasterOperationsCombineWithThePicture)
{
    struct SCase {
        const char* name;
        int rop;
        COLORREF pen;
        COLORREF under; // what was there
        COLORREF result;
    } const cases[] = {
        {"copy", R2_COPYPEN, RGB(1, 2, 3), kWhite, RGB(1, 2, 3)},
        {"not", R2_NOT, kRed, RGB(0, 255, 0), RGB(255, 0, 255)},
        {"xor", R2_XORPEN, RGB(255, 255, 0), RGB(255, 0, 0), RGB(0, 255, 0)},
        {"not copy", R2_NOTCOPYPEN, RGB(255, 0, 0), kWhite, RGB(0, 255, 255)},
        {"mask", R2_MASKPEN, RGB(255, 255, 0), RGB(0, 255, 255), RGB(0, 255, 0)},
        {"merge", R2_MERGEPEN, RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 0, 255)},
        {"black", R2_BLACK, kRed, kWhite, kBlack},
        {"nothing", R2_NOP, kRed, RGB(7, 7, 7), RGB(7, 7, 7)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(8, 8);
        DC().FillSolidRect(CRect(0, 0, 8, 8), c.under);
        DC().SetROP2(c.rop);
        DC().SelectObject(CPen(PS_SOLID, 1, c.pen));
        DC().MoveTo(0, 3);
        DC().LineTo(8, 3);
        EXPECT_EQ(PixelAt(Image(), 4, 3), c.result);
        EXPECT_EQ(PixelAt(m_image, 4, 4), c.under);
    }
}

TEST_F(QtDC, ClipRectangleIsRespectedAndRestored)
{
    const int saved = DC().SaveDC();
    EXPECT_EQ(DC().IntersectClipRect(10, 12, 20, 30), SIMPLEREGION);
    DC().FillSolidRect(CRect(0, 0, 64, 64), kBlack);
    DC().SelectObject(CPen(PS_SOLID, 1, kBlack));
    DC().MoveTo(0, 40);
    DC().LineTo(64, 40); // outside the clip
    EXPECT_EQ(InkPixels(Image()), Span(10, 20, 12, 30));

    Start(64, 64);
    DC().SaveDC();
    DC().IntersectClipRect(10, 12, 20, 30);
    DC().RestoreDC(saved);
    DC().FillSolidRect(CRect(0, 0, 64, 64), kBlack);
    EXPECT_EQ(InkPixels(Image()).size(), 64u * 64u);

    Start(64, 64);
    DC().IntersectClipRect(10, 10, 10, 40); // empty: nothing shows
    DC().FillSolidRect(CRect(0, 0, 64, 64), kBlack);
    DC().SelectClipRect(nullptr);
    DC().SetPixel(1, 1, kBlack);
    EXPECT_EQ(InkPixels(Image()), (Pixels{{1, 1}}));
}

TEST_F(QtDC, ThePaintersOwnClipStaysInForce)
{
    m_dc.reset();
    m_painter->setClipRect(QRect(0, 0, 32, 64));
    m_dc = std::make_unique<CQtDC>(m_painter.get());
    DC().IntersectClipRect(16, 0, 64, 8);
    DC().FillSolidRect(CRect(0, 0, 64, 64), kBlack);
    EXPECT_EQ(InkBounds(Image()), CRect(16, 0, 32, 8));
}

// Selects the interface font at a character height of `pixels`.
CFont ScaleFont(int pixels, int escapement = 0)
{
    CFont font;
    font.CreateFont(-pixels, 0, escapement, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                    CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Lucida Sans Unicode");
    return font;
}

TEST_F(QtDC, TextLiesWithinItsMeasuredExtent)
{
    Start(200, 60);
    DC().SelectObject(ScaleFont(16));
    DC().SetBkMode(TRANSPARENT);
    const CString text = L"Hello 123 dBFS";
    const CSize extent = DC().GetTextExtent(text);
    DC().TextOut(10, 10, text);
    const CRect ink = InkBounds(Image());
    ASSERT_FALSE(ink.IsRectEmpty());
    const CRect box(CPoint(10, 10), extent);
    EXPECT_GE(ink.left, box.left - 1);
    EXPECT_LE(ink.right, box.right + 1);
    EXPECT_GE(ink.top, box.top);
    EXPECT_LE(ink.bottom, box.bottom);
    EXPECT_GT(ink.Width(), extent.cx * 8 / 10); // the extent is not padded
}

TEST_F(QtDC, AlignmentPlacesTextAroundTheReferencePoint)
{
    struct SCase {
        const char* name;
        UINT align;
        bool leftOf, above;
    } const cases[] = {
        {"left top", TA_LEFT | TA_TOP, false, false},
        {"right bottom", TA_RIGHT | TA_BOTTOM, true, true},
        {"right baseline", TA_RIGHT | TA_BASELINE, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(200, 80);
        DC().SelectObject(ScaleFont(16));
        DC().SetBkMode(TRANSPARENT);
        DC().SetTextAlign(c.align);
        DC().TextOut(100, 40, L"Level");
        const CRect ink = InkBounds(Image());
        ASSERT_FALSE(ink.IsRectEmpty());
        if (c.leftOf) EXPECT_LE(ink.right, 101);
        else EXPECT_GE(ink.left, 100);
        if (c.above) EXPECT_LE(ink.bottom, 41);
        else EXPECT_GE(ink.top, 40);
    }
}

TEST_F(QtDC, OpaqueTextFillsItsBoxWithTheBackground)
{
    Start(120, 40);
    DC().SelectObject(ScaleFont(14));
    DC().SetBkMode(OPAQUE);
    DC().SetBkColor(kRed);
    DC().TextOut(5, 6, L"Trace");
    const CSize extent = DC().GetTextExtent(L"Trace");
    const QImage& image = Image();
    // Glyphs may reach a pixel beyond their advance; the background fills the box exactly.
    EXPECT_EQ(qttest::ColorBounds(image, kRed), CRect(CPoint(5, 6), extent));
}

TEST_F(QtDC, UpdateCurrentPositionMovesAlongTheText)
{
    DC().SelectObject(ScaleFont(12));
    DC().SetTextAlign(TA_UPDATECP);
    DC().MoveTo(3, 4);
    DC().TextOut(0, 0, L"ab");
    EXPECT_EQ(DC().GetCurrentPosition(), CPoint(3 + DC().GetTextExtent(L"ab").cx, 4));
}

TEST_F(QtDC, EscapementTurnsText)
{
    Start(100, 200);
    DC().SelectObject(ScaleFont(16, 900));
    DC().SetBkMode(TRANSPARENT);
    DC().TextOut(50, 150, L"Amplitude");
    const CRect ink = InkBounds(Image());
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_LE(ink.bottom, 151); // runs upwards from the reference point
}

TEST_F(QtDC, FontsFallBackAndMeasureWhatIsUsed)
{
    DC().SelectObject(ScaleFont(16));
    EXPECT_FALSE(DC().GetTextFace().IsEmpty());
    TEXTMETRIC small;
    ASSERT_TRUE(DC().GetTextMetrics(&small));
    const int smallWidth = DC().GetTextExtent(L"0123456789").cx;
    DC().SelectObject(ScaleFont(32));
    TEXTMETRIC large;
    DC().GetTextMetrics(&large);
    EXPECT_EQ(small.tmHeight, small.tmAscent + small.tmDescent);
    EXPECT_GE(small.tmHeight, 16); // the character height plus internal leading
    EXPECT_NEAR(DC().GetTextExtent(L"0123456789").cx, 2 * smallWidth, 3);
    EXPECT_NEAR(large.tmHeight, 2 * small.tmHeight, 3);

    // A positive height asks for the cell height.
    CFont cell;
    cell.CreateFont(30, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"No Such Face At All");
    DC().SelectObject(cell);
    DC().GetTextMetrics(&large);
    EXPECT_NEAR(large.tmHeight, 30, 1);
    EXPECT_EQ(large.tmWeight, FW_BOLD);
}

TEST_F(QtDC, DeviceCapsDescribeTheImage)
{
    Start(300, 200);
    EXPECT_EQ(DC().GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(DC().GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(DC().GetDeviceCaps(HORZRES), 300);
    EXPECT_EQ(DC().GetDeviceCaps(VERTRES), 200);
    EXPECT_NEAR(DC().GetDeviceCaps(HORZSIZE), 300 * 25.4 / 96, 1);
    EXPECT_NEAR(DC().GetDeviceCaps(VERTSIZE), 200 * 25.4 / 96, 1);
    EXPECT_EQ(DC().GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(DC().GetDeviceCaps(NUMCOLORS), -1);
    EXPECT_EQ(DC().GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
    DC().SetPrinting(true);
    EXPECT_EQ(DC().GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_TRUE(DC().IsPrinting());
    DC().SetMetafile(true);
    EXPECT_EQ(DC().GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
    CRect box;
    EXPECT_EQ(DC().GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 300, 200));
}

TEST(QtDCWithoutPainter, ReportsTheErrorAndDrawsNothing)
{
    std::string logged;
    const QXLogSink previous = QXSetLogSink([&](int, const char*, const std::string& text) { logged += text; });
    {
        CQtDC dc(nullptr);
        dc.MoveTo(0, 0);
        EXPECT_TRUE(dc.LineTo(10, 10));
        dc.TextOut(0, 0, L"x");
        dc.FillSolidRect(CRect(0, 0, 5, 5), kBlack);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 0);
        EXPECT_EQ(dc.GetTextExtent(L"x"), CSize());
    }
    QXSetLogSink(previous);
    EXPECT_NE(logged.find("FAILED VERIFY"), std::string::npos);
}

} // namespace
