#include "QtTestSupport.h"

#include "support/QtAppEnvironment.h"

#include <QApplication>

[[maybe_unused]] static ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new CQtAppEnvironment<QApplication>);

namespace qttest {

COLORREF PixelAt(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

Pixels PixelsOf(const QImage& image, COLORREF color, bool equal)
{
    Pixels out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((PixelAt(image, x, y) == color) == equal) out.insert({x, y});
    return out;
}

CRect Bounds(const Pixels& pixels)
{
    CRect bounds;
    for (const auto& [x, y] : pixels) bounds.UnionRect(bounds, CRect(x, y, x + 1, y + 1));
    return bounds;
}

std::vector<int> RowRuns(const QImage& image, int y, int to)
{
    std::vector<int> runs{0};
    bool ink = true;
    for (int x = 0; x < to; ++x) {
        const bool isInk = PixelAt(image, x, y) != RGB(255, 255, 255);
        if (isInk != ink) runs.push_back(0);
        ink = isInk;
        ++runs.back();
    }
    return runs;
}

} // namespace qttest
