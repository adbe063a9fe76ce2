#include "qt/PixelLine.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

CPixelDash::CPixelDash(std::vector<int> dashes) : m_aDashes(std::move(dashes))
{
    for (int& d : m_aDashes) d = std::max(d, 0);
    for (int d : m_aDashes) m_iPeriod += d;
    // An odd count repeats with on and off swapped.
    if (m_aDashes.size() % 2 == 1) {
        m_aDashes.insert(m_aDashes.end(), m_aDashes.begin(), m_aDashes.end());
        m_iPeriod *= 2;
    }
    if (m_iPeriod == 0) m_aDashes.clear();
    Reset();
}

void CPixelDash::Reset()
{
    m_iIndex = 0;
    m_iLeft = m_aDashes.empty() ? 0 : m_aDashes[0];
    SkipEmptyEntries();
}

void CPixelDash::SkipEmptyEntries()
{
    if (m_aDashes.empty()) return;
    while (m_iLeft == 0) {
        if (++m_iIndex == m_aDashes.size()) m_iIndex = 0;
        m_iLeft = m_aDashes[m_iIndex];
    }
}

std::int64_t CPixelDash::RunLeft() const
{
    return m_aDashes.empty() ? std::numeric_limits<std::int64_t>::max() : m_iLeft;
}

void CPixelDash::Advance(std::int64_t pixels)
{
    if (m_aDashes.empty() || pixels <= 0) return;
    // Within a period (every step of a walk by pixels or by dashes): no division.
    if (pixels >= m_iPeriod) pixels %= m_iPeriod;
    while (pixels >= m_iLeft) {
        pixels -= m_iLeft;
        m_iLeft = 0;
        SkipEmptyEntries();
    }
    m_iLeft -= pixels;
}

namespace {

std::int64_t Clamp(int v)
{
    return std::clamp(v, -kMaxPixelCoordinate, kMaxPixelCoordinate);
}

// floor(a / b) for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Adds the pixels from `a` to `b` (inclusive, either order) of one row
// (bRow) or column at `m`, joined to the last run when they continue it.
void AddSpan(bool bRow, std::int64_t a, std::int64_t b, std::int64_t m, std::vector<CRect>& runs)
{
    const int lo = static_cast<int>(std::min(a, b)), hi = static_cast<int>(std::max(a, b)) + 1;
    const int at = static_cast<int>(m);
    if (!runs.empty()) {
        CRect& last = runs.back();
        if (bRow && last.Height() == 1 && last.top == at) {
            if (lo == last.right) { last.right = hi; return; }
            if (hi == last.left) { last.left = lo; return; }
        }
        if (!bRow && last.Width() == 1 && last.left == at) {
            if (lo == last.bottom) { last.bottom = hi; return; }
            if (hi == last.top) { last.top = lo; return; }
        }
    }
    if (bRow) runs.emplace_back(lo, at, hi, at + 1);
    else runs.emplace_back(at, lo, at + 1, hi);
}

void AddPixel(std::int64_t x, std::int64_t y, std::vector<CRect>& runs)
{
    // A single pixel continues a row or a column, whichever the last run is.
    if (!runs.empty() && runs.back().Height() == 1 && runs.back().top == y) AddSpan(true, x, x, y, runs);
    else AddSpan(false, y, y, x, runs);
}

} // namespace

void RasterizeLine(CPoint from, CPoint to, const CRect& bounds, CPixelDash& dash, std::vector<CRect>& runs)
{
    const std::int64_t x0 = Clamp(from.x), y0 = Clamp(from.y);
    const std::int64_t dx = Clamp(to.x) - x0, dy = Clamp(to.y) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0) return;
    const std::int64_t step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t minorDelta = xMajor ? dy : dx;
    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;

    // Only the steps whose major coordinate lies inside the bounds can show,
    // so a huge line costs no more than the bounds are long.
    const std::int64_t lo = xMajor ? bounds.left : bounds.top;
    const std::int64_t hi = (xMajor ? bounds.right : bounds.bottom) - 1;
    std::int64_t first = step > 0 ? lo - major0 : major0 - hi;
    std::int64_t last = step > 0 ? hi - major0 : major0 - lo;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, steps - 1);
    if (first > last) {
        dash.Advance(steps);
        return;
    }
    if (minorDelta == 0) {
        // A row or column (the columns of a plot, the grid): whole dashes at
        // a time, one run when solid, no pixel walk.
        const std::int64_t minorLo = xMajor ? bounds.top : bounds.left;
        const std::int64_t minorHi = xMajor ? bounds.bottom : bounds.right;
        if (minor0 < minorLo || minor0 >= minorHi) {
            dash.Advance(steps);
            return;
        }
        dash.Advance(first);
        for (std::int64_t t = first; t <= last;) {
            const std::int64_t n = std::min(dash.RunLeft(), last - t + 1);
            if (dash.IsOn()) AddSpan(xMajor, major0 + step * t, major0 + step * (t + n - 1), minor0, runs);
            dash.Advance(n);
            t += n;
        }
        dash.Advance(steps - 1 - last);
        return;
    }
    dash.Advance(first);
    for (std::int64_t t = first; t <= last; ++t) {
        // Minor coordinate rounded half up: minor0 + round(t * minorDelta / steps).
        const std::int64_t minor = minor0 + FloorDiv(2 * t * minorDelta + steps, 2 * steps);
        const std::int64_t major = major0 + step * t;
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        if (dash.IsOn() && x >= bounds.left && x < bounds.right && y >= bounds.top && y < bounds.bottom)
            AddPixel(x, y, runs);
        dash.Advance();
    }
    dash.Advance(steps - 1 - last);
}
