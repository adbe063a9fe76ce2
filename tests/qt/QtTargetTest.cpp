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
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

// A frame, a dashed line and a label.
void DrawSample(CDC& dc)
{
    dc.SelectObject(CBrush::FromStock(NULL_BRUSH));
    dc.Rectangle(5, 5, 95, 55);
    dc.SelectObject(CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, RGB(0, 0, 255), {4, 4}));
    dc.MoveTo(5, 30);
    dc.LineTo(95, 30);
    CFont font;
    font.CreatePointFont(100, L"Lucida Sans Unicode", &dc);
    dc.SelectObject(font);
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

TEST_F(QtTargets, ImagesSaveInTheFormatTheirExtensionNames)
{
    const struct {
        const char* name;
        const char* format; // as found in the file's content
    } cases[] = {{"graph.png", "png"}, {"graph.JPG", "jpeg"}, {"graph.jpeg", "jpeg"}, {"graph.bmp", "bmp"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CQtImageTarget target(120, 70, false, RGB(10, 20, 30));
        DrawSample(*target.GetDC());
        ASSERT_TRUE(target.Save(Path(c.name), 90));
        EXPECT_EQ(target.GetDC(), nullptr); // finished
        const QImage loaded(ToQString(Path(c.name)));
        EXPECT_EQ(loaded.size(), QSize(120, 70));
        EXPECT_EQ(QImageReader::imageFormat(ToQString(Path(c.name))), QByteArray(c.format));
        if (QByteArray(c.format) == "png") { EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), target.GetImage()); }
    }
    EXPECT_EQ(qttest::PixelAt(CQtImageTarget(4, 4, false, RGB(10, 20, 30)).GetImage(), 3, 3), RGB(10, 20, 30));
    EXPECT_EQ(qAlpha(CQtImageTarget(4, 4, true).GetImage().pixel(1, 1)), 0);
    // A picture with alpha keeps it in its PNG.
    CQtImageTarget clear(4, 4, true);
    ASSERT_TRUE(clear.Save(Path("clear.png")));
    EXPECT_EQ(qAlpha(QImage(ToQString(Path("clear.png"))).pixel(1, 1)), 0);
}

TEST_F(QtTargets, BadSizesNamesAndFilesGiveNoSurface)
{
    CQtImageTarget tooBig(CQtImageTarget::kMaxSide + 1, 10);
    CQtImageTarget empty(0, 10);
    CQtSvgTarget noPath(L"", 10, 10);
    CQtSvgTarget missingFolder(Path("no/such/folder/graph.svg"), 50, 50);
    CQtPdfTarget badPage(Path("a.pdf"), -5.0, 10.0);
    CQtPdfTarget badResolution(Path("b.pdf"), 0.0, 0.0, 0);
    for (CQtTarget* target : std::initializer_list<CQtTarget*>{&tooBig, &empty, &noPath, &missingFolder, &badPage, &badResolution}) {
        EXPECT_FALSE(target->IsValid());
        EXPECT_EQ(target->GetDC(), nullptr);
        EXPECT_FALSE(target->Finish());
    }
    EXPECT_TRUE(empty.GetImage().isNull());
    EXPECT_FALSE(empty.Save(Path("x.png")) || badPage.NewPage());
    CQtImageTarget image(10, 10);
    EXPECT_FALSE(image.Save(Path("graph.nosuchformat")) || image.Save(Path("graph")));
    EXPECT_FALSE(image.Save(Path("no/such/folder/graph.png")));
}

TEST(QtImageFormats, ListsLowerCaseExtensionsOnceAndNamesTheFormatOfAFile)
{
    const std::vector<CString> formats = QtSupportedImageFormats();
    for (const wchar_t* required : {L"png", L"jpg", L"bmp"})
        EXPECT_TRUE(std::binary_search(formats.begin(), formats.end(), CString(required))) << CString(required).ToUtf8();
    EXPECT_EQ(std::adjacent_find(formats.begin(), formats.end(), std::greater_equal<CString>()), formats.end());
    EXPECT_EQ(QtImageFormatForFile(L"C:\\graphs\\Trace.PNG"), CString(L"png"));
    EXPECT_EQ(QtImageFormatForFile(L"/tmp/a.b/graph"), CString());
}

// Column strokes as a plot draws them, a line of another pen, and a fill over
// both: an SVG metafile is well-formed, gathers the strokes into one element
// per pen and still shows, once rasterised, the pixels the image target
// draws. (Qt's SVG writer keeps no clip, so none is drawn here.)
TEST_F(QtTargets, SvgIsAMetafileGatheringStrokesIntoPaths)
{
    const auto draw = [](CDC& dc) {
        dc.FillSolidRect(CRect(0, 0, 120, 60), RGB(255, 255, 255));
        dc.SelectObject(CPen(PS_SOLID, 1, RGB(255, 0, 0)));
        for (int x = 10; x < 110; ++x) {
            dc.MoveTo(x, 10 + x % 7);
            dc.LineTo(x, 40);
        }
        dc.SelectObject(CPen(PS_SOLID, 1, RGB(0, 160, 0)));
        dc.MoveTo(5, 50);
        dc.LineTo(100, 50);
        dc.LineTo(115, 50); // carries on the run
        dc.FillSolidRect(CRect(20, 20, 30, 30), RGB(0, 0, 255)); // over the strokes
    };
    CQtImageTarget image(120, 60);
    draw(*image.GetDC());
    const CString path = Path("strokes.svg");
    {
        CQtSvgTarget svg(path, 120, 60, L"Trace window");
        ASSERT_TRUE(svg.IsValid());
        EXPECT_EQ(svg.GetDC()->GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
        draw(*svg.GetDC());
        ASSERT_TRUE(svg.Finish());
    }
    EXPECT_FALSE(CQtSvgTarget(Path("s.svg"), 9, 9, CString(), CQtSvgTarget::ERole::ScreenPicture).GetDC()->IsMetafile());
    const QByteArray text = Read(path);
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(text.contains("viewBox=\"0 0 120 60\"") && text.contains("Trace window"));
    EXPECT_EQ(text.count("<polyline"), 0);
    EXPECT_EQ(text.count("<path"), 2); // one per pen, not one per stroke

    QSvgRenderer renderer(text);
    QImage shown(120, 60, QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    renderer.render(&painter, QRectF(0, 0, 120, 60));
    painter.end();
    for (COLORREF color : {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)})
        EXPECT_EQ(qttest::PixelsOf(shown, color), qttest::PixelsOf(image.GetImage(), color)) << std::hex << color;
}

TEST_F(QtTargets, PdfIsAPrinterAtItsResolution)
{
    const CString path = Path("graph.pdf");
    {
        CQtPdfTarget target(path); // A4 landscape at 300 dpi
        ASSERT_TRUE(target.IsValid());
        const CDC& dc = *target.GetDC();
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
        EXPECT_NEAR(dc.GetDeviceCaps(HORZSIZE), 297, 1);
        EXPECT_NEAR(dc.GetDeviceCaps(VERTRES), 210 / 25.4 * 300, 3);
        DrawSample(*target.GetDC());
        EXPECT_TRUE(target.NewPage());
        DrawSample(*target.GetDC());
    }
    const QByteArray pdf = Read(path);
    EXPECT_TRUE(pdf.startsWith("%PDF") && pdf.contains("/Count 2"));

    CQtPdfTarget small(Path("small.pdf"), 120.0, 80.0, 150);
    EXPECT_EQ(small.GetDC()->GetDeviceCaps(LOGPIXELSY), 150);
    EXPECT_NEAR(small.GetDC()->GetDeviceCaps(VERTSIZE), 80, 1);
    EXPECT_NEAR(small.GetDC()->GetDeviceCaps(HORZRES), 120 / 25.4 * 150, 2);
}

TEST_F(QtTargets, FontHeightsAreDevicePixelsOnEveryTarget)
{
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
    EXPECT_EQ(widget.GetPainter().GetBackBuffer().size(), QSize(80, 50));
    EXPECT_EQ(qttest::Bounds(qttest::PixelsOf(shown, RGB(255, 0, 0))), CRect(10, 20, 70, 21));
}

} // namespace
