#pragma once
// Shared helpers of the Qt suite: an application object for the whole run
// (fonts need one), and pixel queries on rendered images.

#include "platform/Color.h"
#include "platform/Geometry.h"

#include <QImage>

#include <set>
#include <utility>
#include <vector>

namespace qttest {

// The pixels of `image` that differ from `background`, as (x, y) pairs.
std::set<std::pair<int, int>> InkPixels(const QImage& image, COLORREF background = RGB(255, 255, 255));
// The smallest rectangle holding every pixel that differs from `background`;
// empty when there is none.
CRect InkBounds(const QImage& image, COLORREF background = RGB(255, 255, 255));
COLORREF PixelAt(const QImage& image, int x, int y);
int CountColor(const QImage& image, COLORREF color);
// The smallest rectangle holding every pixel of `color`.
CRect ColorBounds(const QImage& image, COLORREF color);
// Lengths of the alternating runs along row `y` from x = `from` to `to`
// (exclusive), starting with a run of ink.
std::vector<int> RowRuns(const QImage& image, int y, int from, int to, COLORREF background = RGB(255, 255, 255));

} // namespace qttest
