#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

// One application for the whole run; widgets and fonts need it. The suite
// runs without a display.
class CQtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_qt";
        static char* argv[] = {name, nullptr};
        m_pApp = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_pApp.reset(); }

private:
    std::unique_ptr<QApplication> m_pApp;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new CQtApplicationEnvironment);

} // namespace

namespace qttest {

COLORREF PixelAt(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

int CountColor(const QImage& image, COLORREF color)
{
    const int all = image.width() * image.height();
    return all - static_cast<int>(InkPixels(image, color).size());
}

CRect ColorBounds(const QImage& image, COLORREF color)
{
    CRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == color) bounds.UnionRect(bounds, CRect(x, y, x + 1, y + 1));
    return bounds;
}

std::set<std::pair<int, int>> InkPixels(const QImage& image, COLORREF background)
{
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) != background) out.insert({x, y});
    return out;
}

CRect InkBounds(const QImage& image, COLORREF background)
{
    CRect bounds;
    for (const auto& [x, y] : InkPixels(image, background)) bounds.UnionRect(bounds, CRect(x, y, x + 1, y + 1));
    return bounds;
}

std::vector<int> RowRuns(const QImage& image, int y, int from, int to, COLORREF background)
{
    std::vector<int> runs;
    bool ink = true;
    int length = 0;
    for (int x = from; x < to; ++x) {
        const bool isInk = PixelAt(image, x, y) != background;
        if (isInk == ink) {
            ++length;
            continue;
        }
        runs.push_back(length);
        ink = isInk;
        length = 1;
    }
    runs.push_back(length);
    return runs;
}

} // namespace qttest
