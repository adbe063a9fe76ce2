#include "trace/core/PlotMaps.h"

#include "trace/core/TraceDefs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numbers>

const SLog2Table kLog2Table = [] {
    SLog2Table table;
    for (int k = 0; k < (1 << SLog2Table::kBits); ++k) {
        const double dCentre = 1.0 + (k + 0.5) / (1 << SLog2Table::kBits);
        table.adInverse[static_cast<size_t>(k)] = 1.0 / dCentre;
        table.adLog2[static_cast<size_t>(k)] = std::log2(dCentre);
    }
    return table;
}();

SAffineMap SAffineMap::Rescaled(double dScale) const
{
    SAffineMap map = *this;
    map.dX0 = dX0 / dScale;
    map.dSlope = dSlope * dScale;
    map.bValid = bValid && std::isfinite(map.dX0) && std::isfinite(map.dSlope);
    return map;
}

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
    // log10 d = log2 d x log10 2.
    map.rows = bInLog10 ? rows.Rescaled(std::numbers::ln2 / std::numbers::ln10) : rows;
    if (!map.rows.bValid) return SYMap();
    map.iOriginRow = iOriginRow;
    return map;
}
