// CQtDC on a raster image: pixel conventions, pens, raster operations, clip
// and text, checked on the pixels drawn.
#include "QtTestSupport.h"

#include "qt/QtDC.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <memory>

using namespace qttest;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A white image with a painter and a DC on it.
class QtDC : public ::testing::Test {
protected:
    void SetUp() override { Start(64, 64); }
    void Start(int width, int height)
    {
        Image(); // the painter must end before its image goes
        m_image = QImage(width, height, QImage::Format_RGB32);
        m_image.fill(Qt::white);
        Resume();
    }
    // A new painter and DC on the picture as it is.
    void Resume()
    {
        m_dc.reset();
        m_painter = std::make_unique<QPainter>(&m_image);
        m_dc = std::make_unique<CQtDC>(m_painter.get());
    }
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

Pixels Span(int x0, int x1, int y0, int y1) // x0..x1-1, y0..y1-1
{
    Pixels out;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) out.insert({x, y});
    return out;
}

TEST_F(QtDC, LinesLandOnWholePixelsWithoutTheirEnd)
{
    const struct { const char* name; CPen pen; CPoint from, to; Pixels pixels; } cases[] = {
        {"horizontal", CPen(PS_SOLID, 1, kBlack), {2, 5}, {10, 5}, Span(2, 10, 5, 6)},
        {"horizontal backwards", CPen(PS_SOLID, 1, kBlack), {10, 5}, {2, 5}, Span(3, 11, 5, 6)},
        {"vertical", CPen(PS_SOLID, 0, kBlack), {7, 3}, {7, 9}, Span(7, 8, 3, 9)},
        {"vertical backwards", CPen(PS_SOLID, 0, kBlack), {7, 9}, {7, 3}, Span(7, 8, 4, 10)},
        {"diagonal", CPen(PS_SOLID, 1, kBlack), {1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
        {"three pixels wide, centred", CPen(PS_SOLID | PS_GEOMETRIC | PS_ENDCAP_FLAT, 3, kBlack), {7, 2}, {7, 9}, Span(6, 9, 2, 9)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(16, 16);
        DC().SelectObject(c.pen);
        DC().MoveTo(c.from);
        DC().LineTo(c.to);
        EXPECT_EQ(Ink(Image()), c.pixels);
    }
}

TEST_F(QtDC, ACopyTakenWhilePaintingKeepsItsPixels)
{
    Start(16, 16);
    const QImage copy = m_image;
    DC().SelectObject(CPen(PS_SOLID, 1, kBlack));
    DC().MoveTo({2, 5});
    DC().LineTo({10, 5});
    EXPECT_EQ(Ink(copy), Pixels{});
    EXPECT_EQ(Ink(Image()), Span(2, 10, 5, 6));
}

TEST_F(QtDC, ColumnStrokesSideBySideKeepTheirSpansAndOrder)
{
    // A plot's strokes over 60 columns up to the right edge: tall equal
    // spans, then short scattered ones, one tall spike among them; then a
    // fill over part of them and strokes of another colour.
    Pixels expected;
    DC().SelectObject(CPen(PS_SOLID, 1, kBlack));
    for (int x = 4; x < 64; ++x) {
        const int top = x < 30 ? 2 : (x * 7) % 40, bottom = x == 41 ? 63 : (x < 30 ? 60 : top + 1 + x % 9);
        DC().MoveTo(x, top);
        DC().LineTo(x, bottom);
        expected.merge(Span(x, x + 1, top, bottom));
    }
    DC().FillSolidRect(CRect(0, 0, 64, 10), RGB(255, 255, 255));
    std::erase_if(expected, [](const auto& p) { return p.second < 10; });
    DC().SelectObject(CPen(PS_SOLID, 1, kRed));
    DC().MoveTo(0, 1);
    DC().LineTo(0, 5);
    EXPECT_EQ(Ink(Image()), [&] { expected.merge(Span(0, 1, 1, 5)); return expected; }());
}

TEST_F(QtDC, FillsAndRectanglesLeaveOutRightAndBottom)
{
    DC().FillSolidRect(CRect(2, 3, 7, 7), kBlack);
    EXPECT_EQ(Ink(Image()), Span(2, 7, 3, 7));

    Start(16, 16);
    DC().SelectObject(CBrush(kRed));
    DC().Rectangle(2, 2, 10, 8); // black one-pixel outline, red inside
    EXPECT_EQ(PixelsOf(Image(), kRed), Span(3, 9, 3, 7));
    EXPECT_EQ(Bounds(PixelsOf(m_image, kBlack)), CRect(2, 2, 10, 8));
    EXPECT_EQ(PixelsOf(m_image, kBlack).size(), 2u * 8 + 2 * 4);

    Start(16, 16);
    DC().SelectObject(CPen::FromStock(NULL_PEN)); // without a pen: one pixel less
    DC().SelectObject(CBrush(kBlack));
    DC().Rectangle(2, 2, 10, 8);
    EXPECT_EQ(Ink(Image()), Span(2, 9, 2, 7));
}

TEST_F(QtDC, DashedPensLeaveGapsOfTheirLength)
{
    const struct {
        const char* name;
        CPen pen;
        std::vector<int> runs; // along the row, starting with ink
    } cases[] = {
        {"dash", CPen(PS_DASH, 1, kBlack), {18, 6, 16}},
        {"user 4/4", CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, kBlack, {4, 4}), {4, 4, 4, 4, 4, 4, 4, 4, 4, 4}},
        {"user 2/5", CPen(PS_USERSTYLE, 1, kBlack, {2, 5}), {2, 5, 2, 5, 2, 5, 2, 5, 2, 5, 2, 3}},
        {"3 wide, 6/3 in pixels", CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 3, kBlack, {6, 3}), {6, 3, 6, 3, 6, 3, 6, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(64, 9);
        DC().SelectObject(c.pen);
        DC().MoveTo(0, 4);
        DC().LineTo(40, 4);
        EXPECT_EQ(RowRuns(Image(), 4, 40), c.runs);
    }
}

TEST_F(QtDC, NotXorDrawnTwiceRestoresThePicture)
{
    DC().FillSolidRect(CRect(0, 0, 32, 64), RGB(10, 200, 30));
    DC().FillSolidRect(CRect(20, 10, 50, 40), RGB(90, 0, 250));
    const QImage before = Image().copy();
    const CPoint path[] = {{2, 2}, {60, 2}, {60, 60}, {5, 40}};
    for (int pass = 1; pass <= 2; ++pass) {
        Resume();
        DC().SetROP2(R2_NOTXORPEN);
        DC().SelectObject(CPen(PS_SOLID, 1, RGB(200, 100, 50)));
        DC().SelectObject(CBrush(RGB(1, 2, 3)));
        DC().Rectangle(10, 5, 40, 50);
        DC().Polyline(path, 4);
        DC().MoveTo(0, 30);
        DC().LineTo(63, 31);
        EXPECT_EQ(Image() == before, pass == 2) << "pass " << pass;
    }
}

TEST_F(QtDC, RasterOperationsCombineWithThePicture)
{
    const struct { const char* name; int rop; COLORREF pen, under, result; } cases[] = {
        {"not", R2_NOT, kRed, RGB(0, 255, 0), RGB(255, 0, 255)},
        {"xor", R2_XORPEN, RGB(255, 255, 0), kRed, RGB(0, 255, 0)},
        {"not copy", R2_NOTCOPYPEN, kRed, RGB(9, 9, 9), RGB(0, 255, 255)},
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

TEST_F(QtDC, ClipIsRespectedRestoredAndKeepsThePaintersOwn)
{
    DC().SaveDC();
    DC().IntersectClipRect(10, 12, 20, 30);
    DC().MoveTo(0, 40);
    DC().LineTo(64, 40); // outside the clip
    DC().FillSolidRect(CRect(0, 0, 64, 64), kBlack);
    DC().RestoreDC(-1);
    DC().SetPixel(1, 1, kRed);
    EXPECT_EQ(Ink(Image()), [] { Pixels p = Span(10, 20, 12, 30); p.insert({1, 1}); return p; }());

    Start(64, 64);
    EXPECT_EQ(DC().IntersectClipRect(10, 10, 10, 40), NULLREGION);
    DC().FillSolidRect(CRect(0, 0, 64, 64), kBlack);
    EXPECT_TRUE(Ink(Image()).empty());

    Start(64, 64);
    m_dc.reset();
    m_painter->setClipRect(QRect(0, 0, 32, 64)); // the owner's clip
    m_dc = std::make_unique<CQtDC>(m_painter.get());
    DC().IntersectClipRect(16, 0, 64, 8);
    DC().FillSolidRect(CRect(0, 0, 64, 64), kBlack);
    DC().SelectClipRect(nullptr);
    DC().MoveTo(0, 40);
    DC().LineTo(64, 40);
    EXPECT_EQ(Ink(Image()), [] { Pixels p = Span(16, 32, 0, 8); p.merge(Span(0, 32, 40, 41)); return p; }());
}

// The interface font at a character height of `pixels`.
CFont ScaleFont(int pixels, int escapement = 0)
{
    CFont font;
    font.CreateFont(-pixels, 0, escapement, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                    CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Lucida Sans Unicode");
    return font;
}

TEST_F(QtDC, TextLiesWithinItsExtentWhereItsAlignmentPutsIt)
{
    // The extent box starts this many halves of the extent left of and above the reference (100, 40).
    const struct { UINT align; int iHalvesX, iHalvesY; } cases[] = {
        {TA_LEFT | TA_TOP, 0, 0}, {TA_RIGHT | TA_BOTTOM, 2, 2}, {TA_CENTER | TA_TOP, 1, 0}};
    const CString text = L"-120 dBFS";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        Start(200, 80);
        DC().SelectObject(ScaleFont(16));
        DC().SetBkMode(TRANSPARENT);
        DC().SetTextAlign(c.align);
        const CSize extent = DC().GetTextExtent(text);
        DC().TextOut(100, 40, text);
        CRect around(CPoint(100 - c.iHalvesX * extent.cx / 2, 40 - c.iHalvesY * extent.cy / 2), extent);
        around.InflateRect(1, 0); // anti-aliased glyph edges
        const CRect ink = Bounds(Ink(Image()));
        EXPECT_EQ(ink | around, around);
        EXPECT_GT(ink.Width(), extent.cx * 8 / 10); // the extent is not padded
    }
}

TEST_F(QtDC, OpaqueTextFillsItsBoxAndEscapementTurnsItUpwards)
{
    DC().SelectObject(ScaleFont(14));
    DC().SetBkColor(kRed);
    DC().TextOut(5, 6, L"Trace");
    EXPECT_EQ(Bounds(PixelsOf(Image(), kRed)), CRect(CPoint(5, 6), DC().GetTextExtent(L"Trace")));

    Start(100, 200);
    DC().SelectObject(ScaleFont(16, 900));
    DC().SetBkMode(TRANSPARENT);
    DC().TextOut(50, 150, L"Amplitude");
    const CRect ink = Bounds(Ink(Image()));
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_LE(ink.bottom, 151); // runs upwards
    EXPECT_GE(ink.left, 49);    // top of the text to the left
}

TEST_F(QtDC, FontsFallBackAndMeasureWhatIsUsed)
{
    DC().SelectObject(ScaleFont(16));
    EXPECT_FALSE(DC().GetTextFace().IsEmpty());
    TEXTMETRIC small, large;
    DC().GetTextMetrics(&small);
    const int smallWidth = DC().GetTextExtent(L"0123456789").cx;
    DC().SelectObject(ScaleFont(32));
    DC().GetTextMetrics(&large);
    EXPECT_EQ(small.tmHeight, small.tmAscent + small.tmDescent);
    EXPECT_NEAR(DC().GetTextExtent(L"0123456789").cx, 2 * smallWidth, 3);
    EXPECT_NEAR(large.tmHeight, 2 * small.tmHeight, 3);

    CFont cell; // a positive height asks for the cell height
    cell.CreateFont(30, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"No Such Face At All");
    DC().SelectObject(cell);
    DC().GetTextMetrics(&large);
    EXPECT_NEAR(large.tmHeight, 30, 1);
}

TEST_F(QtDC, DeviceCapsDescribeTheImage)
{
    Start(300, 200);
    const struct { int index; double value; } caps[] = {
        {LOGPIXELSX, 96}, {HORZRES, 300}, {VERTRES, 200}, {HORZSIZE, 300 * 25.4 / 96}, {TECHNOLOGY, DT_RASDISPLAY}};
    for (const auto& c : caps) EXPECT_NEAR(DC().GetDeviceCaps(c.index), c.value, 0.6) << c.index;
    DC().SetPrinting(true);
    EXPECT_EQ(DC().GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    DC().SetMetafile(true);
    EXPECT_EQ(DC().GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
}

TEST(QtDCWithoutPainter, ReportsTheErrorAndDrawsNothing)
{
    CLogCapture log;
    CQtDC dc(nullptr);
    dc.LineTo(10, 10);
    dc.TextOut(0, 0, L"x");
    dc.FillSolidRect(CRect(0, 0, 5, 5), kBlack);
    EXPECT_EQ(std::make_tuple(dc.GetDeviceCaps(LOGPIXELSX), dc.GetTextExtent(L"x")), std::make_tuple(0, CSize()));
    EXPECT_TRUE(log.Contains("FAILED VERIFY"));
}

} // namespace
