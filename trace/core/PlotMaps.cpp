#include "trace/core/PlotMaps.h"

#include "trace/core/TraceDefs.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {
// Far below any real bin or row fraction, far above the error of a few
// operations on values up to 2^24.
constexpr double kEdgeTolerance = 1e-6;
} // namespace

SAffineMap SAffineMap::Through(double dX0, double dY0, double dX1, double dY1)
{
    SAffineMap map;
    if (!(dX1 != dX0) || !std::isfinite(dX0) || !std::isfinite(dX1) || !std::isfinite(dY0) || !std::isfinite(dY1))
        return map;
    map.dX0 = dX0;
    map.dYAtX0 = dY0;
    map.dSlope = (dY1 - dY0) / (dX1 - dX0);
    map.bValid = std::isfinite(map.dSlope);
    return map;
}

bool SAffineMap::Confirms(double dX, double dY) const
{
    const double dExpected = At(dX);
    return bValid && std::fabs(dY - dExpected) <= 1e-9 * std::max(1.0, std::fabs(dExpected));
}

int SAffineMap::TruncAt(double dX, bool* pbExact) const
{
    const double dY = At(dX);
    const bool bExact = bValid && std::isfinite(dY) && std::fabs(dY) < 2.0e9 &&
                        std::fabs(dY - std::round(dY)) > kEdgeTolerance;
    if (pbExact) *pbExact = bExact;
    return bExact ? TruncToInt(dY) : 0;
}

SXMap SXMap::Make(double dMin, double dMax, int iColumns, bool bLog)
{
    SXMap map;
    map.dMin = dMin;
    map.dMax = dMax;
    map.iColumns = std::max(iColumns, 1);
    map.bLog = bLog;
    if (bLog) {
        map.dLogMin = std::log10(dMin);
        map.dLogSpan = std::log10(dMax) - std::log10(dMin);
    }
    return map;
}

double SXMap::ValueAtColumn(int i) const
{
    const double f = static_cast<double>(i) / iColumns;
    if (!bLog) return dMin + (dMax - dMin) * f;
    return std::pow(10.0, dLogMin + f * dLogSpan);
}

int SXMap::ColumnForValue(double dValue) const
{
    const double dFraction = bLog ? LogFraction(dValue, dMin, dMax) : LinearFraction(dValue, dMin, dMax);
    return TruncToInt(static_cast<double>(iColumns) * dFraction);
}

SYMap SYMap::Affine(const SAffineMap& rows, int iOriginRow, bool bInLog10)
{
    SYMap map;
    if (!rows.bValid) return map;
    map.eKind = bInLog10 ? eAffineInLog10 : eAffine;
    map.rows = rows;
    map.iOriginRow = iOriginRow;
    return map;
}

bool SYMap::AffineHeight(double dData, int* piHeight) const
{
    if (eKind != eAffine && eKind != eAffineInLog10) return false;
    if (dData == DBL_MAX) {
        *piHeight = POINT_BEYOND_MAX;
        return true;
    }
    const bool bLog10 = eKind == eAffineInLog10;
    if (bLog10 && !(dData > 0.0)) return false;
    bool bExact = false;
    const int iRow = rows.TruncAt(bLog10 ? std::log10(dData) : dData, &bExact);
    if (!bExact) return false;
    *piHeight = iOriginRow + iRow;
    return true;
}
