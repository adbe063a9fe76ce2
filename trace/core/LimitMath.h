#pragma once
// The arithmetic of limit lines: signs from polarities, interpolation
// between breakpoints, moving a signed limit across zero, and the rules by
// which older limit files are read. Pure functions, tested alone.

#include "trace/core/TraceDefs.h"

// A magnitude made signed by its polarity (negative polarity: -|d|);
// +DBL_MAX (no limit) stays as it is.
double SignedByPolarity(double dData, Polarity ePolarity);

// Linear interpolation at x between (x0, y0) and (x1, y1); y0 when the two
// X values coincide.
double InterpolateLinear(double dX0, double dY0, double dX1, double dY1, double dX);

// The polarity of a signed limit after a move: the side of zero it ended
// on. A limit that ends exactly on zero keeps ePolarity (its magnitude is 0
// either way); one that leaves zero takes the side it moved to.
Polarity PolarityAfterMove(double dAfter, Polarity ePolarity);

// The polarity of a signed limit after a transform (a mirror or a shift):
// positive becomes negative below zero, negative becomes positive above;
// none stays none, and zero keeps either.
Polarity PolarityFollowingSign(double dSigned, Polarity ePolarity);

// Older files stored trace-data lines one point short when the size was a
// power of two from 1024 to 262144: the size such a count is read into.
int GrownLimitDataSize(int iStoredCount);

// Units of files older than 0.94f: 24, 25, 26, 33 and 65 were the millivolt
// forms of UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_W and UNIT_V. Returns the
// current unit (the same one when it needs no remapping) and sets
// *pbRemapped when values on that axis must be divided by 1000.
int RemapOldMilliUnit(int iUnit, bool* pbRemapped);

// A line drawn by hand stays a function of X. Each segment covers a range of
// pixel columns (its ends in either order; a lone point covers one column).
// Two ranges conflict when they share more than one column, or one column
// that is not an end of both: segments may meet end to end, or step
// straight up or down at a shared end, but never lie over one another.
bool ColumnRangesConflict(int iA0, int iA1, int iB0, int iB1);
