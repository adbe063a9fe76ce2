#include "trace/core/PlotMath.h"

#include "trace/core/TraceDefs.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace {

struct SMinMax {
    double dMin = DBL_MAX;
    double dMax = -DBL_MAX;
    bool bNaN = false;
};

// Four independent lanes keep the comparisons out of one dependency chain;
// the ternaries compile to plain min/max instructions. Each keeps its lane
// on the left so that the instruction reads the datum straight from memory
// into the lane (no copies): a NaN may then land in a lane, which does not
// matter, as NaN is looked for separately (one unordered test per pair) and
// any NaN sends the column to the point-by-point path.
SMinMax MinMaxOf(const double* pd, int n)
{
    double mn[4] = {DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX};
    double mx[4] = {-DBL_MAX, -DBL_MAX, -DBL_MAX, -DBL_MAX};
    bool bNaN = false;
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        for (int k = 0; k < 4; ++k) {
            const double v = pd[i + k];
            mn[k] = mn[k] < v ? mn[k] : v;
            mx[k] = mx[k] > v ? mx[k] : v;
        }
        bNaN |= std::isunordered(pd[i], pd[i + 1]) | std::isunordered(pd[i + 2], pd[i + 3]);
    }
    for (; i < n; ++i) {
        const double v = pd[i];
        mn[0] = mn[0] < v ? mn[0] : v;
        mx[0] = mx[0] > v ? mx[0] : v;
        bNaN |= std::isnan(v);
    }
    SMinMax result;
    result.dMin = std::min(std::min(mn[0], mn[1]), std::min(mn[2], mn[3]));
    result.dMax = std::max(std::max(mx[0], mx[1]), std::max(mx[2], mx[3]));
    result.bNaN = bNaN;
    return result;
}

// GDI's cosmetic patterns, in pixels of a one-pixel line.
constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

} // namespace

SDataExtremes ScanDataExtremes(const double* pdData, int n)
{
    SDataExtremes result;
    if (!pdData || n <= 0) return result;
    SMinMax mm = MinMaxOf(pdData, n);
    int iCount = n;
    // A missing value is the largest double: only then can one be present
    // (or where a NaN may have taken its lane).
    if (mm.dMax >= DBL_MAX || mm.bNaN) {
        const int iMissing = static_cast<int>(std::find(pdData, pdData + n, DBL_MAX) - pdData);
        if (iMissing < n) {
            iCount = iMissing;
            mm = MinMaxOf(pdData, iCount);
        }
    }
    result.iCount = iCount;
    if (iCount == 0) return result;
    result.dMin = mm.dMin;
    result.dMax = mm.dMax;
    result.bUnusual = mm.bNaN || !(mm.dMin > -DBL_MAX) || !(mm.dMax < DBL_MAX);
    return result;
}

double InterpolateAtColumn(double d0, double d1, int k, int c0, int c1)
{
    if (c1 == c0) return d0;
    const double t = (static_cast<double>(k) - c0) / (static_cast<double>(c1) - c0);
    return d0 + (d1 - d0) * t;
}

int InterpolateHeight(int iHeight0, int iHeight1, int k, int c0, int c1)
{
    if (iHeight0 == POINT_BEYOND_MAX || iHeight1 == POINT_BEYOND_MAX) return POINT_BEYOND_MAX;
    const double d = std::floor(InterpolateAtColumn(iHeight0, iHeight1, k, c0, c1) + 0.5);
    return static_cast<int>(std::clamp(d, -2147483647.0, 2147483646.0));
}

int ClippedPlotRow(int iOrigin, int iHeight, int iTop, int iBottom)
{
    const std::int64_t iRow = static_cast<std::int64_t>(iOrigin) - iHeight;
    return static_cast<int>(std::clamp<std::int64_t>(iRow, static_cast<std::int64_t>(iTop) - 1, iBottom));
}

int ScaleLineWidth(int iWidth, int iOutputDpi, int iAttributeDpi)
{
    if (iWidth < 1) iWidth = 1;
    if (iOutputDpi <= 0 || iAttributeDpi <= 0) return iWidth;
    const std::int64_t iScaled =
        (static_cast<std::int64_t>(iWidth) * iOutputDpi + iAttributeDpi / 2) / iAttributeDpi;
    return static_cast<int>(std::clamp<std::int64_t>(iScaled, 1, 10000));
}

CDashPattern::CDashPattern(int iPrintStyle, int iScale) : m_iScale(iScale < 1 ? 1 : iScale)
{
    switch (iPrintStyle) {
    case TRACE_PRINTSTYLE_DASH: m_piLengths = kDash; m_iCount = 2; break;
    case TRACE_PRINTSTYLE_DOT: m_piLengths = kDot; m_iCount = 2; break;
    case TRACE_PRINTSTYLE_DASHDOT: m_piLengths = kDashDot; m_iCount = 4; break;
    case TRACE_PRINTSTYLE_DASHDOTDOT: m_piLengths = kDashDotDot; m_iCount = 6; break;
    default: break; // solid, and any unknown style
    }
    Reset();
}

void CDashPattern::Reset()
{
    m_iEntry = 0;
    m_iLeft = m_iCount ? m_piLengths[0] * m_iScale : 0;
}

bool CDashPattern::Step()
{
    if (IsSolid()) return true;
    if (m_iLeft == 0) {
        m_iEntry = (m_iEntry + 1) % m_iCount;
        m_iLeft = m_piLengths[m_iEntry] * m_iScale;
    }
    --m_iLeft;
    return m_iEntry % 2 == 0;
}
