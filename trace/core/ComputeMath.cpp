#include "trace/core/ComputeMath.h"

#include <cfloat>

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
