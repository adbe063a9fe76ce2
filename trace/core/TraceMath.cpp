#include "trace/core/TraceMath.h"

#include "trace/core/TraceDefs.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <new>

std::unique_ptr<double[]> AllocateTraceArray(int n)
{
    if (n <= 0 || n > kMaxTraceDataSize) return nullptr;
    return std::unique_ptr<double[]>(new (std::nothrow) double[static_cast<size_t>(n)]());
}

int TruncToInt(double dValue)
{
    if (std::isnan(dValue)) return 0;
    if (dValue >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (dValue <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(dValue);
}

int FloorToInt(double dValue) { return TruncToInt(std::floor(dValue)); }

double LinearFraction(double dValue, double dMin, double dMax)
{
    const double dSpan = dMax - dMin;
    return dSpan != 0.0 ? (dValue - dMin) / dSpan : 0.0;
}

namespace {
double SafeLog10(double d) { return d > 0.0 ? std::log10(d) : 0.0; }
} // namespace

double LogFraction(double dValue, double dMin, double dMax)
{
    double dSpan = SafeLog10(dMax) - SafeLog10(dMin);
    if (dSpan == 0.0) dSpan = 1.0;
    return (SafeLog10(dValue) - SafeLog10(dMin)) / dSpan;
}

int PlainXOffset(double dValue, double dMin, double dMax, int iWidth)
{
    const double dSpan = dMax - dMin;
    if (dSpan == 0.0) return 0;
    return TruncToInt((dValue - dMin) * iWidth / dSpan);
}

int CarefulXOffset(double dValue, double dMin, double dMax, int iWidth, bool bLog)
{
    if (dValue < dMin) return POINT_BEYOND_MIN;
    if (dValue > dMax) return POINT_BEYOND_MAX;
    if (bLog) {
        const double dDecades = SafeLog10(dMax) - SafeLog10(dMin);
        if (dDecades == 0.0) return 0;
        return TruncToInt(iWidth / dDecades * (SafeLog10(dValue) - SafeLog10(dMin)) + 0.5);
    }
    const double dSpan = dMax - dMin;
    if (dSpan == 0.0) return 0;
    return TruncToInt((dValue - dMin) * iWidth / dSpan + 0.5);
}

bool YHeightSentinel(double dData, const SYPlotFrame& frame, int* piHeight)
{
    if (dData == DBL_MAX) {
        *piHeight = POINT_BEYOND_MAX;
        return true;
    }
    if (dData == 0.0) {
        *piHeight = frame.bLog ? -5 : 0;
        return true;
    }
    if (dData > 0.0 && frame.dMaxData <= 0.0) {
        *piHeight = 5;
        return true;
    }
    if (dData == -DBL_MAX) {
        *piHeight = (frame.iOrigin - frame.iBottom) + 1;
        return true;
    }
    if (dData < 0.0 && frame.dMinData >= 0.0) {
        *piHeight = -5;
        return true;
    }
    return false;
}

int LinearYHeight(double dData, const SYPlotFrame& frame)
{
    int iHeight = 0;
    if (YHeightSentinel(dData, frame, &iHeight)) return iHeight;
    if (dData > 0.0) return FloorToInt((frame.iOrigin - frame.iTop) * dData / frame.dMaxData);
    return -FloorToInt((frame.iBottom - frame.iOrigin) * dData / frame.dMinData);
}

int YOriginForWindow(double dMinData, double dMaxData, int iTop, int iBottom)
{
    const double dHeight = static_cast<double>(iBottom) - iTop;
    // Halve first: the span of an unset window (-DBL_MAX .. DBL_MAX) overflows.
    const double dHalfSpan = dMaxData / 2.0 - dMinData / 2.0;
    if (dMaxData > 0.0) {
        const int v = FloorToInt(dHeight * ((dMinData / 2.0) / dHalfSpan));
        return dMinData >= 0.0 ? iBottom + v : iBottom - std::abs(v);
    }
    if (dMinData < 0.0) return iTop - FloorToInt(dHeight * std::fabs((dMaxData / 2.0) / dHalfSpan));
    return iTop + (iBottom - iTop) / 2;
}

int FindBinInArray(const double* pdX, int n, double dValue)
{
    if (!pdX || n <= 0) return 0;
    int lo = 0;
    int hi = n - 1;
    int mid = hi / 2;
    while (lo <= hi) {
        if (dValue > pdX[mid]) lo = mid + 1;
        else if (dValue == pdX[mid]) break;
        else hi = mid - 1;
        mid = (lo + hi) / 2;
    }
    if (mid >= 0 && mid < n && dValue < pdX[mid]) --mid;
    if (mid < 0) return 0;
    return mid > n - 1 ? n - 1 : mid;
}
