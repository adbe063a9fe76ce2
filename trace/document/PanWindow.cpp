// Panning arithmetic. Sums are formed in 64 bits: positions and steps come
// from scripts too, and must not overflow on the way to the clamp.

#include "trace/document/PanWindow.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int ToInt(std::int64_t i) { return static_cast<int>(std::clamp<std::int64_t>(i, INT_MIN, INT_MAX)); }

} // namespace

SPanWindow PanWindowLeft(int iFirstPos, int iCurrentMin, int iCurrentMax, int n, int bRelative)
{
    const std::int64_t iWidth = std::int64_t{iCurrentMax} - iCurrentMin;
    const std::int64_t iRequested = bRelative ? std::int64_t{iCurrentMin} - n : std::int64_t{n};
    const std::int64_t iMin = std::max<std::int64_t>(iRequested, iFirstPos);
    return SPanWindow{ToInt(iMin), ToInt(iMin + iWidth), iRequested >= iFirstPos ? 1 : 0};
}

SPanWindow PanWindowRight(int iLastPos, int iCurrentMin, int iCurrentMax, int n, int bRelative)
{
    const std::int64_t iWidth = std::int64_t{iCurrentMax} - iCurrentMin;
    const std::int64_t iRequested = bRelative ? std::int64_t{iCurrentMax} + n : std::int64_t{n} + iWidth;
    const std::int64_t iMax = std::min<std::int64_t>(iRequested, iLastPos);
    return SPanWindow{ToInt(iMax - iWidth), ToInt(iMax), iRequested <= iLastPos ? 1 : 0};
}
