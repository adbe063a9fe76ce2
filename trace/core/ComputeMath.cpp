#include "trace/core/ComputeMath.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace {

constexpr double kStraddledFrequency = 1000.0;

template <typename Transform>
void TransformArray(double* pdData, int iCount, const SValueSpace& space, Transform transform)
{
    if (!pdData) return;
    const bool bData = space.IsDataSpace();
    for (int i = 0; i < iCount; ++i) {
        const double d = pdData[i];
        if (IsUnchangeable(d)) continue;
        if (bData) {
            pdData[i] = transform(d);
            continue;
        }
        const double v = space.toValue(d);
        if (IsUnchangeable(v)) continue;
        pdData[i] = space.toData(transform(v));
    }
}

} // namespace

bool IsUnchangeable(double d) { return !(d > -DBL_MAX && d < DBL_MAX); }

void MirrorArray(double* pdData, int iCount, double dPivot, const SValueSpace& space)
{
    TransformArray(pdData, iCount, space, [dPivot](double v) { return 2.0 * dPivot - v; });
}

void ShiftArray(double* pdData, int iCount, double dOffset, const SValueSpace& space)
{
    TransformArray(pdData, iCount, space, [dOffset](double v) { return v + dOffset; });
}

int LastPositionWithData(const double* pdData, int iMin, int iMax)
{
    if (!pdData) return -1;
    for (int p = iMax; p >= iMin && p >= 0; --p)
        if (pdData[p] != DBL_MAX) return p;
    return -1;
}

double DefaultNormaliseXValue(bool bAxisInHz, double dMinX, double dMaxX, double dLastDataX)
{
    if (bAxisInHz && dMinX < kStraddledFrequency && dMaxX > kStraddledFrequency) return kStraddledFrequency;
    return dLastDataX;
}

void SmoothArray(double* pdData, int n, int iHalfWidth, int iPasses)
{
    if (!pdData || n <= 2 || iHalfWidth < 1) return;
    std::vector<double> adOld(static_cast<size_t>(n));
    for (int iPass = 0; iPass < iPasses; ++iPass) {
        adOld.assign(pdData, pdData + n);
        for (int i = 1; i <= n - 2; ++i) {
            // Narrowed symmetrically to stay inside: 0 .. 2i near the start,
            // 2i - (n - 1) .. n - 1 near the end.
            const int h = std::min({iHalfWidth, i, n - 1 - i});
            const int iLow = i - h;
            const int iHigh = i + h;
            double dSum = 0.0;
            int iCount = 0;
            for (int k = iLow; k <= iHigh; ++k) {
                const double d = adOld[static_cast<size_t>(k)];
                if (IsUnchangeable(d)) continue;
                dSum += d;
                ++iCount;
            }
            if (iCount > 0) pdData[i] = dSum / iCount;
        }
    }
}

double BandFactor(int iBandWidth)
{
    switch (iBandWidth) {
    case 0: return std::pow(2.0, 1.0 / 2.0);
    case 1: return std::pow(2.0, 1.0 / 6.0);
    case 2: return std::pow(2.0, 1.0 / 12.0);
    case 3: return std::pow(2.0, 1.0 / 24.0);
    default: return 0.0;
    }
}

void SumBinsInBands(double* pdData, int n, const BandSumStep& step)
{
    if (!pdData || n <= 0) return;
    std::vector<double> adWork(pdData, pdData + n);
    int iLow = 0;
    int iHigh = 0;
    double dSumSquares = 0.0;
    for (int i = 0; i <= n - 2; ++i) pdData[i] = step(i, adWork.data(), &iLow, &iHigh, &dSumSquares);
    if (pdData[0] == 0.0 && adWork[0] == DBL_MAX) pdData[0] = DBL_MAX;
}

double GoldenRatio(double dDatum, double dGolden)
{
    if (dGolden == DBL_MAX) return DBL_MAX;
    if (dGolden == 0.0) return dDatum == 0.0 ? 1.0 : 0.0;
    return dDatum / dGolden;
}

double GoldenDifference(double dValue, double dGoldenValue)
{
    if (dValue == DBL_MAX || dGoldenValue == DBL_MAX) return DBL_MAX;
    if (dValue == -DBL_MAX) return -DBL_MAX;
    if (dGoldenValue == -DBL_MAX) return DBL_MAX;
    return dValue - dGoldenValue;
}
