#pragma once
// Coordinate maps as values: built once per plot build (or read-out) from a
// trace's window, units and plot rectangle, then pure arithmetic for every
// column or datum. The X map turns columns into X values and back, linear or
// in decades; the affine map turns X values into positions where the X unit
// is affine in positions; the Y map turns data into heights above the origin
// row, linear in the datum or, for dB units, in its log10.

#include "trace/core/TraceMath.h"

#include <cfloat>

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
    double At(double dX) const { return dYAtX0 + (dX - dX0) * dSlope; }
    // Whether (dX, dY) lies on the map, within 1e-9 relative.
    bool Confirms(double dX, double dY) const;
    int TruncAt(double dX, bool* pbExact) const;
};

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
};

// Data to heights above the origin row.
//   linear data: the trace's own rule (LinearYHeight) on datum + offset,
//     with its sentinels; on a log axis only the sentinels are answered.
//   affine: the row is affine in the datum (spectra in linear units) or in
//     its log10 (dB units): origin row + the row truncated, missing data
//     (+DBL_MAX) without a height.
struct SYMap {
    enum EKind { eNone, eLinearData, eAffine, eAffineInLog10 };
    EKind eKind = eNone;
    SYPlotFrame frame;    // linear data
    double dOffset = 0.0; // linear data: added to every finite datum
    SAffineMap rows;      // affine: the row before truncation
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
    bool AffineHeight(double dData, int* piHeight) const;
};
