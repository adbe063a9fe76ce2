// The arithmetic of spectra: powers to magnitudes, gate and Nyquist limits,
// the valued ends of a spectrum, the band-sum window and plot bin arithmetic.

#include "trace/core/FFTMath.h"

#include "trace/core/TraceDefs.h"
#include "trace/core/TraceMath.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kUnlockedRate = 96000.0;

double LockedRate(double dRate) { return dRate == -1.0 ? kUnlockedRate : dRate; }

// What a bin adds to a band's sum of squares.
double BandSquare(double d) { return (d > -DBL_MAX && d < DBL_MAX) ? d * d : 0.0; }

} // namespace

void PowersToMagnitudes(double* pdData, int n)
{
    if (!pdData) return;
    for (int i = 0; i < n; ++i) {
        const double d = pdData[i];
        if (d == DBL_MAX || d == HUGE_VAL) pdData[i] = DBL_MAX;
        else pdData[i] = d > 0.0 ? std::sqrt(d) : 0.0;
    }
}

double GateLowestFrequency(bool bGateOn, double dStartMs, double dEndMs)
{
    if (!bGateOn) return 0.0;
    const double dLength = (dEndMs - dStartMs) / 1000.0;
    return dLength > 0.0 ? 1.0 / dLength : 0.0;
}

double SpectrumNyquist(double dTraceRate, int iRateMode, double dRateA, double dRateB)
{
    if (iRateMode == 12 || iRateMode == 13) return std::min(LockedRate(dRateA), LockedRate(dRateB)) * 0.5;
    return LockedRate(dTraceRate) * 0.5;
}

int FirstValuedPosition(const double* pdData, int n)
{
    if (!pdData || n <= 0) return 0;
    int i = 0;
    while (i < n - 1 && pdData[i] == DBL_MAX) ++i;
    return i;
}

int LastValuedPosition(const double* pdData, int n)
{
    if (!pdData || n <= 0) return 0;
    if (n >= 2 && pdData[n - 1] == DBL_MAX && pdData[n - 2] != DBL_MAX) return n - 1;
    int i = std::max(n - 2, 0);
    while (i > 0 && pdData[i] == DBL_MAX) --i;
    return i;
}

int LastCursorPosition(const double* pdData, int n, int p)
{
    if (!pdData || n <= 0) return 0;
    p = std::clamp(p, 0, n - 1);
    if (p >= 1 && pdData[p] == DBL_MAX && pdData[p - 1] != DBL_MAX) return p;
    for (int i = p - 1; i >= 0; --i)
        if (pdData[i] != DBL_MAX) return i;
    return 0;
}

double SlideBandSum(const double* pdData, int n, int iCentreBin, double dBandFactor, double dScale, int* piLowBin,
                    int* piHighBin, double* pdSumSquares)
{
    if (!pdData || !piLowBin || !piHighBin || !pdSumSquares || dBandFactor <= 0.0) return 0.0;
    const int iLast = n - 1;
    const double dHighEdge = std::trunc(iCentreBin * dBandFactor + 0.5);
    const double dLowEdge = std::trunc(iCentreBin / dBandFactor + 0.5);
    while (*piHighBin <= dHighEdge && *piHighBin < iLast) {
        if (*piHighBin >= 0) *pdSumSquares += BandSquare(pdData[*piHighBin]);
        ++*piHighBin;
    }
    while (*piLowBin < dLowEdge && *piLowBin < iLast) {
        if (*piLowBin >= 0) *pdSumSquares -= BandSquare(pdData[*piLowBin]);
        ++*piLowBin;
    }
    return std::sqrt(std::max(dScale * *pdSumSquares, 0.0));
}

int LineColumnHeight(int iHeightC, int iHeightI, int k, int c, int i)
{
    if (iHeightC == POINT_BEYOND_MAX || iHeightI == POINT_BEYOND_MAX) return POINT_BEYOND_MAX;
    if (i == c) return iHeightC;
    const std::int64_t d = (static_cast<std::int64_t>(iHeightI) - iHeightC) * (k - c) / (i - c);
    return static_cast<int>(std::clamp<std::int64_t>(iHeightC + d, -2147483647LL, 2147483646LL));
}
