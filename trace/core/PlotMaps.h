#pragma once
// Coordinate maps as values: built once per plot build (or read-out) from a
// trace's window, units and plot rectangle, then pure arithmetic for every
// column or datum. The X map turns columns into X values and back, linear or
// in decades; the affine map turns X values into positions where the X unit
// is affine in positions; the Y map turns data into heights above the origin
// row, linear in the datum or, for dB units, in its log10.

#include "trace/core/TraceDefs.h"
#include "trace/core/TraceMath.h"

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numbers>

// y = y0 + (x - x0) x slope, truncated toward zero like the unit service's
// own conversions. *pbExact is false when the result lies so close to an
// integer that rounding in the service could decide it (or the map is not
// valid): the caller then asks the service.
struct SAffineMap {
    double dX0 = 0.0;
    double dYAtX0 = 0.0;
    double dSlope = 0.0;
    bool bValid = false;

    // Through two points; not valid when they share an X or any is not finite.
    static SAffineMap Through(double dX0, double dY0, double dX1, double dY1);
    // The same map over x' = x / dScale (x = dScale x').
    SAffineMap Rescaled(double dScale) const;
    double At(double dX) const { return dYAtX0 + (dX - dX0) * dSlope; }
    // Whether (dX, dY) lies on the map, within 1e-9 relative.
    bool Confirms(double dX, double dY) const;
    // Inline: two per plot column.
    int TruncAt(double dX, bool* pbExact) const
    {
        const double dY = At(dX);
        // Beyond +-2e9 (or not finite, or no map) the service answers.
        if (!(bValid && std::fabs(dY) < 2.0e9)) {
            *pbExact = false;
            return 0;
        }
        const std::int64_t iTrunc = static_cast<std::int64_t>(dY);
        const double dFraction = std::fabs(dY - static_cast<double>(iTrunc));
        *pbExact = dFraction > kEdgeTolerance && dFraction < 1.0 - kEdgeTolerance;
        return *pbExact ? static_cast<int>(iTrunc) : 0;
    }
    bool operator==(const SAffineMap&) const = default;

    // Far below any real bin or row fraction, far above the error of a few
    // operations on values up to 2^24.
    static constexpr double kEdgeTolerance = 1e-6;
};

// log2 of a positive double within a few units in its last place, several
// times cheaper than the library's log10: the exponent, a table of 256
// mantissa centres and five terms of the series of ln(1 + t), |t| < 1/512
// (the sixth would add less than 1e-17), evaluated in two short chains. Not
// finite, zero or subnormal arguments go to std::log2.
struct SLog2Table {
    static constexpr int kBits = 8;
    std::array<double, 1 << kBits> adInverse{}; // 1 / centre
    std::array<double, 1 << kBits> adLog2{};    // log2 centre
};
extern const SLog2Table kLog2Table;
inline double FastLog2(double d)
{
    if (!(d >= DBL_MIN && d <= DBL_MAX)) return std::log2(d);
    constexpr int kBits = SLog2Table::kBits;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(d);
    const int iExponent = static_cast<int>(bits >> 52) - 1023;
    const unsigned k = static_cast<unsigned>(bits >> (52 - kBits)) & ((1u << kBits) - 1);
    const double m = std::bit_cast<double>((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
    const double t = m * kLog2Table.adInverse[k] - 1.0;
    const double t2 = t * t;
    const double dLn1p = t * (1.0 - 0.5 * t) + t2 * t * ((1.0 / 3 - 0.25 * t) + 0.2 * t2);
    return (iExponent + kLog2Table.adLog2[k]) + dLn1p * (1.0 / std::numbers::ln2);
}

// Columns 0 .. iColumns - 1 (the plot rectangle's width + 1) over an X
// window; a log window's start is already corrected (EnsureLogStartCorrect).
struct SXMap {
    double dMin = 0.0;
    double dMax = 0.0;
    int iColumns = 1;
    bool bLog = false;
    double dLogMin = 0.0;  // log10 of dMin
    double dLogSpan = 0.0; // decades of the window

    static SXMap Make(double dMin, double dMax, int iColumns, bool bLog);
    // The X value at the left edge of column i.
    double ValueAtColumn(int i) const;
    // The column of an X value: columns x the window fraction, truncated
    // (not clamped; on a log axis log10 of a non-positive value counts as 0).
    int ColumnForValue(double dValue) const;
    bool operator==(const SXMap&) const = default;
};

// Data to heights above the origin row.
//   linear data: the trace's own rule (LinearYHeight) on datum + offset,
//     with its sentinels; on a log axis only the sentinels are answered.
//   affine: the row is affine in the datum (spectra in linear units) or in
//     its log10 (dB units): origin row + the row truncated, missing data
//     (+DBL_MAX) without a height. The log case is held over log2 of the
//     datum (FastLog2), so no library logarithm runs per height; its error
//     lies far inside the edge band that is left to the service anyway.
struct SYMap {
    enum EKind { eNone, eLinearData, eAffine, eAffineInLog10 };
    EKind eKind = eNone;
    SYPlotFrame frame;    // linear data
    double dOffset = 0.0; // linear data: added to every finite datum
    SAffineMap rows;      // affine: the row before truncation (over log2 for dB)
    int iOriginRow = 0;   // affine: added to the truncated row

    // Inline: the trace builds one per mapped datum outside a plot build.
    static SYMap LinearData(const SYPlotFrame& frame, double dOffset)
    {
        SYMap map;
        map.eKind = eLinearData;
        map.frame = frame;
        map.dOffset = dOffset;
        return map;
    }
    static SYMap Affine(const SAffineMap& rows, int iOriginRow, bool bInLog10);
    // The datum the linear rule maps (the offset applied to finite data).
    double Shifted(double dData) const
    {
        return (dData != DBL_MAX && dData != -DBL_MAX) ? dData + dOffset : dData;
    }
    // The height of a datum; false when the map cannot answer (no map, a
    // log axis past the sentinels, a non-positive datum in log10, a row
    // near an edge): the trace maps that datum itself.
    bool Height(double dData, int* piHeight) const
    {
        if (eKind != eLinearData) return AffineHeight(dData, piHeight);
        const double d = Shifted(dData);
        if (YHeightSentinel(d, frame, piHeight)) return true;
        if (frame.bLog) return false;
        *piHeight = LinearYHeight(d, frame);
        return true;
    }

private:
    bool AffineHeight(double dData, int* piHeight) const
    {
        if (eKind != eAffine && eKind != eAffineInLog10) return false;
        if (dData == DBL_MAX) {
            *piHeight = POINT_BEYOND_MAX;
            return true;
        }
        const bool bLog2 = eKind == eAffineInLog10;
        if (bLog2 && !(dData > 0.0)) return false;
        bool bExact = false;
        const int iRow = rows.TruncAt(bLog2 ? FastLog2(dData) : dData, &bExact);
        if (!bExact) return false;
        *piHeight = iOriginRow + iRow;
        return true;
    }
};
