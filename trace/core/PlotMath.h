#pragma once
// The arithmetic of building and stroking a trace's plot: the extremes of a
// run of Y data, how neighbouring column spans are joined, interpolation
// between plotted points, line widths across devices, and the dash patterns
// of the print styles stepped pixel by pixel. Pure functions, free of trace
// objects and of drawing, so they can be tested and measured alone.

#include "platform/Geometry.h"
#include "trace/core/TraceDefs.h"

#include <cstdlib>

// The lowest and highest value of a run of Y data as a plot column reads it:
// the run ends before its first missing value (+DBL_MAX).
struct SDataExtremes {
    double dMin = 0.0;
    double dMax = 0.0;
    // Values taken before the first missing one (0: the column has no data).
    int iCount = 0;
    // -DBL_MAX, an infinity or NaN among them: their heights do not follow
    // the order of the data, so each value must be mapped on its own.
    bool bUnusual = false;
};
// One pass over n values without allocation; the hot loop of the plot.
SDataExtremes ScanDataExtremes(const double* pdData, int n);

// A plot column: its lowest and highest height above the Y origin
// (2147483647 in both: no data).
struct SColumnSpan {
    int iLow = 0;
    int iHigh = 0;
    bool HasData() const { return iLow != POINT_BEYOND_MAX && iHigh != POINT_BEYOND_MAX; }
};
// Makes a column touch its left neighbour without overlapping it: a span
// wholly above the neighbour starts one row above its top, one wholly below
// ends one row below its bottom. Columns without data are left alone.
// Inline: once per plot column.
inline void JoinColumnSpans(const SColumnSpan& previous, SColumnSpan* pSpan)
{
    if (!previous.HasData() || !pSpan->HasData()) return;
    if (previous.iHigh < pSpan->iLow) pSpan->iLow = previous.iHigh + 1;
    else if (pSpan->iHigh < previous.iLow) pSpan->iHigh = previous.iLow - 1;
}

// Linear interpolation at column k between columns c0 < c1.
double InterpolateAtColumn(double d0, double d1, int k, int c0, int c1);
// Between two heights, rounded (+ 0.5, floor); 2147483647 when either has no data.
int InterpolateHeight(int iHeight0, int iHeight1, int k, int c0, int c1);

// Device row of a height above the origin row, kept inside top - 1 .. bottom
// so that off-plot values run along the edges instead of overflowing.
int ClippedPlotRow(int iOrigin, int iHeight, int iTop, int iBottom);

// A line width in output pixels: scaled by the output device's resolution
// over the resolution it was chosen on (LOGPIXELSX), rounded, at least 1.
int ScaleLineWidth(int iWidth, int iOutputDpi, int iAttributeDpi);

// On/off runs of a print style, stepped one pixel at a time so that wide
// lines keep their pattern on every device. Lengths grow with the line width
// so printouts look like the screen. The solid style is always on.
class CDashPattern {
public:
    CDashPattern(int iPrintStyle, int iScale);
    bool IsSolid() const { return m_iCount == 0; }
    // Whether the next pixel is drawn; advances the pattern by one pixel.
    bool Step();
    // Back to the start of the first dash.
    void Reset();

private:
    const int* m_piLengths = nullptr; // alternating on and off lengths
    int m_iCount = 0;
    int m_iScale = 1;
    int m_iEntry = 0;
    int m_iLeft = 0;
};

// Calls f(CPoint) for each pixel of the line from a to b, b excluded, in
// drawing order (the pixels a one-pixel LineTo from a to b sets).
template <class F>
void ForEachLinePixel(CPoint a, CPoint b, F&& f)
{
    const int dx = std::abs(b.x - a.x);
    const int dy = std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int iError = (dx > dy ? dx : -dy) / 2;
    CPoint p = a;
    const int iSteps = dx > dy ? dx : dy;
    for (int i = 0; i < iSteps; ++i) {
        f(p);
        const int e = iError;
        if (e > -dx) {
            iError -= dy;
            p.x += sx;
        }
        if (e < dy) {
            iError += dx;
            p.y += sy;
        }
    }
}
