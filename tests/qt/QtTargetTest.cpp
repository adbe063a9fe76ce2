// Targets: images, SVG and PDF files, image formats and the double-buffered
// widget painter.
#include "QtTestSupport.h"

#include "qt/QtConvert.h"
#include "qt/QtDrawWidget.h"
#include "qt/QtImageFormats.h"
#include "qt/QtImageTarget.h"
#include "qt/QtPdfTarget.h"
#include "qt/QtSvgTarget.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// A little picture: a frame, a dashed line and a label.
void DrawSample(CDC& dc)
{
    dc.SelectObject(CPen(PS_SOLID, 1, RGB(0, 0, 255)));
    dc.SelectObject(CBrush::FromStock(NULL_BRUSH));
    dc.Rectangle(5, 5, 95, 55);
    dc.SelectObject(CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, kBlack, {4, 4}));
    dc.MoveTo(5, 30);
    dc.LineTo(95, 30);
    CFont font;
    font.CreatePointFont(100, L"Lucida Sans Unicode", &dc);
    dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(10, 8, L"-20 dBFS");
}

class QtTargets : public ::testing::Test {
protected:
    CString Path(const char* name) const { return FromQString(m_dir.filePath(QString::fromUtf8(name))); }
    QByteArray Read(const CString& path) const
    {
        QFile file(ToQString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

TEST_F(QtTargets, ImageTargetDrawsOnAnOpaqueBackground)
{
    CQtImageTarget target(100, 60, false, RGB(10, 20, 30));
    ASSERT_TRUE(target.IsValid());
    ASSERT_NE(target.GetDC(), nullptr);
    target.GetDC()->FillSolidRect(CRect(0, 0, 10, 10), kBlack);
    const QImage& image = target.GetImage();
    EXPECT_EQ(target.GetDC(), nullptr); // finished
    EXPECT_EQ(image.size(), QSize(100, 60));
    EXPECT_EQ(qttest::PixelAt(image, 9, 9), kBlack);
    EXPECT_EQ(qttest::PixelAt(image, 10, 10), RGB(10, 20, 30));

    CQtImageTarget alpha(4, 4, true);
    EXPECT_EQ(qAlpha(alpha.GetImage().pixel(1, 1)), 0);
}

TEST_F(QtTargets, InvalidSizesGiveNoSurface)
{
    for (auto [w, h] : {std::pair{0, 10}, std::pair{10, -1}, std::pair{CQtImageTarget::kMaxSide + 1, 10}}) {
        CQtImageTarget image(w, h);
        EXPECT_FALSE(image.IsValid());
        EXPECT_EQ(image.GetDC(), nullptr);
        EXPECT_TRUE(image.GetImage().isNull());
        EXPECT_FALSE(image.Save(Path("x.png")));
        EXPECT_FALSE(image.Finish());
    }
    CQtSvgTarget noPath(L"", 10, 10);
    EXPECT_FALSE(noPath.IsValid());
    CQtSvgTarget badSize(Path("a.svg"), 0, 10);
    EXPECT_FALSE(badSize.IsValid());
    CQtPdfTarget badPage(Path("a.pdf"), -5.0, 10.0);
    EXPECT_FALSE(badPage.IsValid());
    EXPECT_FALSE(badPage.NewPage());
    CQtPdfTarget badResolution(Path("b.pdf"), 0.0, 0.0, 0);
    EXPECT_FALSE(badResolution.IsValid());
}

TEST_F(QtTargets, UnwritableFilesFailCleanly)
{
    const CString missingFolder = Path("no/such/folder/graph");
    CQtSvgTarget svg(missingFolder + L".svg", 50, 50);
    EXPECT_FALSE(svg.IsValid());
    EXPECT_FALSE(svg.Finish());
    CQtImageTarget image(10, 10);
    EXPECT_FALSE(image.Save(missingFolder + L".png"));
}

TEST_F(QtTargets, ImagesSaveInTheFormatTheirExtensionNames)
{
    for (const char* name : {"graph.png", "graph.JPG", "graph.jpeg", "graph.bmp"}) {
        SCOPED_TRACE(name);
        CQtImageTarget target(120, 70);
        DrawSample(*target.GetDC());
        ASSERT_TRUE(target.Save(Path(name), 90));
        QImageReader reader(ToQString(Path(name)));
        const QImage loaded = reader.read();
        ASSERT_FALSE(loaded.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(loaded.size(), QSize(120, 70));
        const QByteArray expected = QByteArray(name).toLower().endsWith(".bmp") ? "bmp"
                                    : QByteArray(name).toLower().endsWith(".png") ? "png" : "jpeg";
        EXPECT_EQ(QImageReader::imageFormat(ToQString(Path(name))), expected); // by content, not by name
    }
    CQtImageTarget target(10, 10);
    EXPECT_FALSE(target.Save(Path("graph.nosuchformat")));
    EXPECT_FALSE(target.Save(Path("graph")));
}

TEST_F(QtTargets, PngKeepsThePixelsExactly)
{
    CQtImageTarget target(100, 60);
    DrawSample(*target.GetDC());
    ASSERT_TRUE(target.Save(Path("exact.png")));
    EXPECT_EQ(QImage(ToQString(Path("exact.png"))).convertToFormat(QImage::Format_RGB32), target.GetImage());
}

TEST(QtImageFormats, ListsLowerCaseExtensionsOnce)
{
    const std::vector<CString> formats = QtSupportedImageFormats();
    for (const wchar_t* required : {L"png", L"jpg", L"jpeg", L"bmp"})
        EXPECT_NE(std::find(formats.begin(), formats.end(), CString(required)), formats.end()) << CString(required).ToUtf8();
    EXPECT_TRUE(std::is_sorted(formats.begin(), formats.end()));
    EXPECT_EQ(std::adjacent_find(formats.begin(), formats.end()), formats.end());
    for (const CString& f : formats) {
        CString lower = f;
        EXPECT_EQ(lower.MakeLower(), f);
    }
    EXPECT_EQ(QtImageFormatForFile(L"C:\\graphs\\Trace.PNG"), CString(L"png"));
    EXPECT_EQ(QtImageFormatForFile(L"/tmp/a.b/graph"), CString());
    EXPECT_EQ(QtImageFormatForFile(L"graph.emf"), CString());
}

TEST_F(QtTargets, SvgIsAWellFormedMetafileWithTheDrawing)
{
    const CString path = Path("graph.svg");
    {
        CQtSvgTarget target(path, 100, 60, L"Trace window");
        ASSERT_TRUE(target.IsValid());
        CDC& dc = *target.GetDC();
        EXPECT_TRUE(dc.IsMetafile());
        EXPECT_FALSE(dc.IsPrinting());
        EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 100);
        DrawSample(dc);
        EXPECT_TRUE(target.Finish());
    }
    const QByteArray svg = Read(path);
    QXmlStreamReader xml(svg);
    bool sawDrawing = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            sawDrawing |= xml.name() == u"path" || xml.name() == u"polyline" || xml.name() == u"line";
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(sawDrawing);
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 100 60\""));
    EXPECT_TRUE(svg.contains("Trace window"));
}

TEST_F(QtTargets, PdfIsAPrinterAtItsResolution)
{
    const CString path = Path("graph.pdf");
    {
        CQtPdfTarget target(path);
        ASSERT_TRUE(target.IsValid());
        CDC& dc = *target.GetDC();
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
        // A4 landscape, and the size in pixels agrees with the size in mm.
        EXPECT_NEAR(dc.GetDeviceCaps(HORZSIZE), 297, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(VERTSIZE), 210, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(HORZRES), 297 / 25.4 * 300, 3);
        EXPECT_NEAR(dc.GetDeviceCaps(VERTRES), 210 / 25.4 * 300, 3);
        DrawSample(dc);
        EXPECT_TRUE(target.NewPage());
        DrawSample(*target.GetDC());
        EXPECT_TRUE(target.Finish());
        EXPECT_FALSE(target.NewPage());
    }
    const QByteArray pdf = Read(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 2"));
}

TEST_F(QtTargets, PdfPageFollowsTheDrawingSize)
{
    CQtPdfTarget target(Path("small.pdf"), 120.0, 80.0, 150);
    ASSERT_TRUE(target.IsValid());
    const CDC& dc = *target.GetDC();
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 150);
    EXPECT_NEAR(dc.GetDeviceCaps(HORZSIZE), 120, 1);
    EXPECT_NEAR(dc.GetDeviceCaps(VERTSIZE), 80, 1);
    EXPECT_NEAR(dc.GetDeviceCaps(HORZRES), 120 / 25.4 * 150, 2);
}

TEST_F(QtTargets, FontHeightsAreDevicePixelsOnEveryTarget)
{
    // Fonts are asked for in device pixels, so a 300 dpi page measures text
    // as a 96 dpi image does for the same height.
    CFont font;
    font.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Lucida Sans Unicode");
    CQtImageTarget image(10, 10);
    CQtPdfTarget pdf(Path("fonts.pdf"));
    image.GetDC()->SelectObject(font);
    pdf.GetDC()->SelectObject(font);
    const CSize onImage = image.GetDC()->GetTextExtent(L"Frequency / Hz");
    const CSize onPdf = pdf.GetDC()->GetTextExtent(L"Frequency / Hz");
    EXPECT_NEAR(onPdf.cx, onImage.cx, onImage.cx / 10);
    EXPECT_NEAR(onPdf.cy, onImage.cy, onImage.cy / 10);
}

TEST(QtWidgetPainter, WidgetShowsTheDrawingThroughTheBackBuffer)
{
    CQtDrawWidget widget;
    widget.resize(80, 50);
    CRect updated;
    widget.SetDrawFunction([&](CDC& dc, const CRect& update) {
        updated = update;
        dc.FillSolidRect(update, RGB(0, 0, 0));
        dc.SelectObject(CPen(PS_SOLID, 1, RGB(255, 0, 0)));
        dc.MoveTo(10, 20);
        dc.LineTo(70, 20);
    });
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(updated, CRect(0, 0, 80, 50));
    ASSERT_EQ(shown.size(), QSize(80, 50));
    EXPECT_EQ(qttest::PixelAt(shown, 10, 20), RGB(255, 0, 0));
    EXPECT_EQ(qttest::PixelAt(shown, 69, 20), RGB(255, 0, 0));
    EXPECT_EQ(qttest::PixelAt(shown, 70, 20), RGB(0, 0, 0));
    EXPECT_EQ(widget.GetPainter().GetBackBuffer().size(), QSize(80, 50));
}

} // namespace
