#include "qt/PixelLine.h"

#include <algorithm>
#include <cstdlib>

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
        m_iIndex = (m_iIndex + 1) % m_aDashes.size();
        m_iLeft = m_aDashes[m_iIndex];
    }
}

void CPixelDash::Advance(std::int64_t pixels)
{
    if (m_aDashes.empty() || pixels <= 0) return;
    pixels %= m_iPeriod;
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

void AddPixel(std::int64_t x, std::int64_t y, std::vector<CRect>& runs)
{
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(y);
    if (!runs.empty()) {
        CRect& last = runs.back();
        const bool row = last.Height() == 1 && last.top == py;
        const bool column = last.Width() == 1 && last.left == px;
        if (row && px == last.right) { ++last.right; return; }
        if (row && px == last.left - 1) { --last.left; return; }
        if (column && py == last.bottom) { ++last.bottom; return; }
        if (column && py == last.top - 1) { --last.top; return; }
    }
    runs.emplace_back(px, py, px + 1, py + 1);
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
    if (minorDelta == 0 && dash.IsSolid()) {
        // A solid row or column (the columns of a plot): one run, no pixel walk.
        const std::int64_t minorLo = xMajor ? bounds.top : bounds.left;
        const std::int64_t minorHi = xMajor ? bounds.bottom : bounds.right;
        if (minor0 < minorLo || minor0 >= minorHi) return;
        const int a = static_cast<int>(major0 + step * first);
        const int b = static_cast<int>(major0 + step * last);
        const int lo = std::min(a, b), hi = std::max(a, b) + 1;
        const int m = static_cast<int>(minor0);
        if (xMajor) runs.emplace_back(lo, m, hi, m + 1);
        else runs.emplace_back(m, lo, m + 1, hi);
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
