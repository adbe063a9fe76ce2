#pragma once
// Shared helpers of the Qt suite: pixel queries on rendered images. The suite
// also creates one application object for the whole run (fonts need one).

#include "platform/Color.h"
#include "platform/Geometry.h"

#include <QImage>

#include <set>
#include <utility>
#include <vector>

namespace qttest {

using Pixels = std::set<std::pair<int, int>>;

COLORREF PixelAt(const QImage& image, int x, int y);
// The pixels that are (or, with `equal` false, are not) `color`.
Pixels PixelsOf(const QImage& image, COLORREF color, bool equal = true);
// The smallest rectangle around `pixels`; empty when there are none.
CRect Bounds(const Pixels& pixels);
// Pixels that differ from a white background.
inline Pixels Ink(const QImage& image) { return PixelsOf(image, RGB(255, 255, 255), false); }
// Lengths of the alternating ink/white runs along row `y` from x = 0 to
// `to` (exclusive), starting with ink.
std::vector<int> RowRuns(const QImage& image, int y, int to);

} // namespace qttest
