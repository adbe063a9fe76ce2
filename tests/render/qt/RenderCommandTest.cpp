// `tracewin render`: option parsing, error paths and the pictures it writes.

#include "apps/tracewin/RenderCommand.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <map>
#include <numeric>
#include <string>

namespace {

class RenderCommand : public ::testing::Test {
protected:
    std::string PathFor(const char* szName) const { return m_Dir.filePath(szName).toStdString(); }

    int Render(Args args, const char* szName, std::string* psVerdict = nullptr)
    {
        args.insert(args.end(), {"-o", PathFor(szName)});
        SRenderOptions options;
        std::string sError;
        if (!ParseRenderOptions(args, options, sError)) {
            m_sError = sError;
            return kExitUsage;
        }
        const int iExit = RenderGraph(options, sError, psVerdict);
        m_sError = sError;
        return iExit;
    }

    QTemporaryDir m_Dir;
    std::string m_sError;
};

// Pixels inside a rectangle that differ from the pixel at its top left.
int InkInside(const QImage& image, const QRect& rect)
{
    const QRgb background = image.pixel(rect.topLeft());
    int iInk = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) != background) ++iInk;
    return iInk;
}

} // namespace

// ---- Options -----------------------------------------------------------------------------

TEST(RenderOptions, RefusedArgumentsSayWhy)
{
    const struct { Args args; const char* szMessage; } cases[] = {
        {{}, "no output file"},
        {{"-o"}, "-o needs a value"},
        {{"--channel", "C", "-o", "a.png"}, "bad channel 'C'"},
        {{"--size", "640", "-o", "a.png"}, "bad size '640'"},
        {{"--size", "0x480", "-o", "a.png"}, "bad size"},
        {{"--size", "640x-1", "-o", "a.png"}, "bad size"},
        {{"--size", "99999x480", "-o", "a.png"}, "bad size"},
        {{"--size", "640x480px", "-o", "a.png"}, "bad size"},
        {{"--traces", "fft,sweep", "-o", "a.png"}, "unknown trace kind 'sweep'"},
        {{"--traces", "", "-o", "a.png"}, "unknown trace kind ''"},
        {{"--small", "--size", "640x480", "-o", "a.png"}, "exclude each other"},
        {{"--traces", "scope", "--log-x", "-o", "a.png"}, "--log-x needs the fft trace"},
        {{"--colour", "red", "-o", "a.png"}, "unknown option '--colour'"},
        {{"--sweep", "--live", "3", "-o", "a.png"}, "--sweep and --live exclude each other"},
    };
    for (const auto& c : cases) {
        SRenderOptions options;
        std::string sError;
        EXPECT_FALSE(ParseRenderOptions(c.args, options, sError)) << c.szMessage;
        EXPECT_NE(sError.find(c.szMessage), std::string::npos) << sError;
    }
    EXPECT_EQ(RunRender({"--size", "nonsense", "-o", "x.png"}), kExitUsage);
}

// ---- Pictures ------------------------------------------------------------------------------

TEST_F(RenderCommand, RasterPicturesHaveTheRequestedSizeAndAGraph)
{
    const struct { Args args; const char* szName; int iWidth, iHeight; } cases[] = {
        {{"--size", "640x400"}, "fft.png", 640, 400},
        {{"--size", "500x300", "--traces", "scope", "--channel", "B"}, "scope.bmp", 500, 300},
        {{"--size", "800x500", "--channel", "both", "--log-x"}, "both.jpg", 800, 500},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Render(c.args, c.szName), kExitOk) << m_sError;
        const QImage image(QString::fromStdString(PathFor(c.szName)));
        ASSERT_FALSE(image.isNull()) << c.szName;
        EXPECT_EQ(image.width(), c.iWidth);
        EXPECT_EQ(image.height(), c.iHeight);
        // Grid and curves inside the plot area, which starts 35 pixels down.
        EXPECT_GT(InkInside(image, QRect(60, 40, c.iWidth - 120, c.iHeight - 100)), 200) << c.szName;
    }
}

TEST_F(RenderCommand, SmallViewIsAllGraticule)
{
    ASSERT_EQ(Render({"--small", "--traces", "scope"}, "small.png"), kExitOk) << m_sError;
    const QImage image(QString::fromStdString(PathFor("small.png")));
    ASSERT_EQ(image.size(), QSize(kSmallRenderWidth, kSmallRenderHeight));
    // No scales or bars: the graticule is inset by 10, and only its 5-pixel
    // tick marks reach into the border.
    EXPECT_EQ(InkInside(image, QRect(0, 0, kSmallRenderWidth, 10)), 0);
    EXPECT_EQ(InkInside(image, QRect(0, 0, 5, kSmallRenderHeight)), 0);
    EXPECT_EQ(InkInside(image, QRect(0, kSmallRenderHeight - 4, kSmallRenderWidth, 4)), 0);
    EXPECT_GT(InkInside(image, QRect(10, 10, kSmallRenderWidth - 20, kSmallRenderHeight - 20)), 50);
}

// (The SVG is checked against the PNG below.)
TEST_F(RenderCommand, PdfIsWellFormed)
{
    ASSERT_EQ(Render({"--traces", "scope"}, "graph.pdf"), kExitOk) << m_sError;
    QFile pdf(QString::fromStdString(PathFor("graph.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"));
}

// The SVG is the picture the PNG is, position bars included, in a file of
// few elements: rasterised, it differs from the PNG only where text is
// smoothed differently.
TEST_F(RenderCommand, SvgShowsThePngPictureCompactly)
{
    for (const char* szName : {"view.png", "view.svg"}) ASSERT_EQ(Render({"--traces", "fft,scope"}, szName), kExitOk);
    const QImage png = QImage(QString::fromStdString(PathFor("view.png"))).convertToFormat(QImage::Format_RGB32);
    QFile file(QString::fromStdString(PathFor("view.svg")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_LT(svg.size(), 100 * 1024);
    EXPECT_LT(svg.count("<path") + svg.count("<polyline"), 100);

    QSvgRenderer renderer(svg);
    QImage shown(png.size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter painter(&shown);
    renderer.render(&painter, QRectF(0, 0, png.width(), png.height()));
    painter.end();
    int iDiffering = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QRgb a = png.pixel(x, y), b = shown.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 96)
                ++iDiffering;
        }
    EXPECT_LT(iDiffering, png.width() * png.height() / 200);
}

// A limit the trace breaches fails, and the breach is drawn over the trace
// in another colour: a line below every datum (and below the window, so
// drawn on its edge) passes as a minimum and fails as a maximum, and the
// two pictures differ inside the plot only where the breach is drawn.
TEST_F(RenderCommand, LimitBreachesFailAndAreDrawn)
{
    std::ofstream(PathFor("floor.txt")) << "20 -400\n24000 -400\n";
    ASSERT_EQ(RunLimit({"--table", PathFor("floor.txt"), "-o", PathFor("floor.lim")}), kExitOk);
    std::string sFailed;
    ASSERT_EQ(Render({"--limit", "min:" + PathFor("floor.lim")}, "pass.png"), kExitOk) << m_sError;
    ASSERT_EQ(Render({"--limit", PathFor("floor.lim")}, "fail.png", &sFailed), kExitLimitBreached) << m_sError;
    // Bins 4 (23.4 Hz) to 4095: the table starts at 20 Hz, and the last bin holds no value.
    EXPECT_EQ(sFailed, "FAIL: Ch A Live FFT Trace breaches its upper limit " + PathFor("floor.lim") + " at 4092 points");

    const QImage pass(QString::fromStdString(PathFor("pass.png")));
    const QImage fail(QString::fromStdString(PathFor("fail.png")));
    ASSERT_EQ(pass.size(), fail.size());
    std::map<QRgb, int> passColours, failColours;
    for (int y = 40; y < pass.height() - 60; ++y)
        for (int x = 60; x < pass.width() - 20; ++x)
            if (pass.pixel(x, y) != fail.pixel(x, y)) {
                ++passColours[pass.pixel(x, y)];
                ++failColours[fail.pixel(x, y)];
            }
    const auto Commonest = [](const std::map<QRgb, int>& m) {
        return std::max_element(m.begin(), m.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    };
    ASSERT_FALSE(failColours.empty());
    EXPECT_GT(std::accumulate(failColours.begin(), failColours.end(), 0, [](int n, auto& e) { return n + e.second; }),
              2000);
    EXPECT_NE(Commonest(failColours), Commonest(passColours));
}

TEST_F(RenderCommand, FileErrorsGiveExitCodesNotCrashes)
{
    EXPECT_EQ(Render({}, "graph.xyz"), kExitUsage);
    EXPECT_NE(m_sError.find("cannot tell the picture format"), std::string::npos) << m_sError;
    EXPECT_EQ(Render({}, "no-extension"), kExitUsage);

    for (const char* szName : {"missing/dir/graph.png", "missing/dir/graph.svg", "missing/dir/graph.pdf"}) {
        EXPECT_EQ(Render({}, szName), kExitFailure) << szName;
        EXPECT_NE(m_sError.find("cannot write"), std::string::npos) << m_sError;
    }
}
