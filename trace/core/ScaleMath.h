#pragma once
// The arithmetic behind scales: rounding to a unit's precision, the usable
// start of a logarithmic axis, tick spacing and positions, which ticks get a
// label, and the range checks of the scale settings. Pure functions with no
// drawing, so the X scale, the trace's Y ticks and the graph view share them
// and tests can run them alone.

#include "platform/String.h"
#include "trace/core/TraceDefs.h"

class CTickArray;

// ---- Rounding ----------------------------------------------------------------

// floor(v x factor + 0.5) / factor. The one place where scale code decides
// that two values are "the same": tick values are compared at kTickResolution,
// tick spacings at kSpacingResolution. Values already integral at that
// resolution (huge ones, DBL_MAX) and non-finite ones come back unchanged.
double RoundToResolution(double dValue, double dFactor);
constexpr double kTickResolution = 1e8;
constexpr double kSpacingResolution = 100.0;

// Decimal places a unit is rounded to: its own places, or 8 / 5 / 3 when it
// accepts the multipliers "u" / "m" / "M". -1 for an id without a unit.
int GetRoundingDPs(int iUnit);
// The value rounded to the unit's precision; an id without a unit leaves the
// value unrounded (with an assertion line).
double RoundValue(double dValue, int iUnit);

// ---- Logarithmic axes --------------------------------------------------------

// Replaces a start that rounds to zero or below by the largest usable decade
// below the end. Does nothing when the end is not positive. Diagnostics are
// rate-limited: this runs for every plot.
void EnsureLogStartCorrect(double* pdStart, double dEnd, int iUnit);
// The first decade line after a start: for a start above 1 the next power of
// ten strictly above it, otherwise the smallest one not below it. 1.0 (and a
// diagnostic) for a start that is not positive.
double GetFirstDecadeValueAfterStart(double dStart);

// Values of a fraction of an axis between two limits. The log form takes a
// zero decade span as 1 and non-positive limits as 1 (log 0).
double GetLinearValueAtPosition(double dMin, double dMax, double dPosition);
double GetLogValueAtPosition(double dMin, double dMax, double dPosition);

// ---- Tick positions ----------------------------------------------------------

// Tick spacing for a range: 1, 2, 5, 10, 20 ... giving fewer than ten
// divisions (powers of two for UNIT_HEX); with bBinary, 4194303.5 / 2^k
// giving more than four and fewer than fifty. 0 for an empty range.
double GetDivisionSize(double dRange, int iUnit, int bBinary);

// Linear ticks on multiples of the spacing, with the zero tick kept as a
// must-have label when the range crosses zero. Returns the tick count; a
// range that is empty, reversed or not finite leaves the ticks as they were
// and returns their old count.
int AutoCalcLinearTicks(double dMin, double dMax, int iUnit, int bBinary, CTickArray* pTicks);

// Decade ticks between the limits (rounded to the unit, start made usable
// for a log axis) plus both ends. The X axis drops
// a decade at the very start by position, the Y axis by value. Returns the count.
int CalcLogTicks(double dMin, double dMax, int iUnit, AxisType eAxis, CTickArray* pTicks);

// Spreads the array's current tick count evenly over the axis; the count
// does not change. Returns it. Like the log ticks, these have no zero tick:
// any must-have flag left from linear ticks is cleared.
int CalcFixedIntervalTicks(CTickArray* pTicks);

// ---- Label selection ---------------------------------------------------------

// What label selection needs to know about an axis as laid out.
struct SLabelLayout {
    AxisType eAxis = X_AXIS;
    // Width (X) or height (Y) of the graticule in pixels.
    int iPixelLength = 0;
    // Room one label needs along the axis: the widest X label, or two Y line heights.
    int iLabelSize = 0;
};

// Labels every k-th tick of start .. end, with the smallest k whose labels
// fit; counted outward from the must-have (zero) tick when there is one.
// Adds the labels set to iCount (the must-have tick twice).
void SetLabelFlags(CTickArray* pTicks, const SLabelLayout& layout, int iLastTick, int iStart, int iEnd,
                   int& iCount);

// Chooses the labelled ticks of an axis: regular spacing gets every k-th
// tick, an irregular first or last interval gets its end label only when
// there is room, and if at most one label results only the two ends are
// labelled. Returns the number of ticks that then carry a label.
int DoCalcScaleSpacing(CTickArray* pTicks, const SLabelLayout& layout);

// ---- Range checks of the scale settings --------------------------------------

constexpr int kMinScaleIntervals = 1;
constexpr int kMaxScaleIntervals = 50;

// The message the settings show for a bad axis entry ("to" below "from",
// equal ends, or an interval count outside 1 .. 50 when not automatic), or
// an empty string when the entry is acceptable.
CString GetScaleRangeError(AxisType eAxis, double dFrom, double dTo, int iIntervals);
