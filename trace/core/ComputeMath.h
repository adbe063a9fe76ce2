#pragma once
// The arithmetic of the computes (invert, normalise, smooth, band sum,
// relative), over plain arrays.
// A compute works either on the stored data themselves (data space) or on
// the values the data show in a unit (value space): then each datum is
// mapped to its value, transformed, and mapped back. No value (+DBL_MAX)
// and minus infinity (-DBL_MAX) are never changed, nor is a datum whose
// value is not finite. Pure functions, tested alone.

#include "trace/core/TraceDefs.h"

#include <functional>

// The two directions of a value space; both empty means data space.
struct SValueSpace {
    std::function<double(double)> toValue;
    std::function<double(double)> toData;
    bool IsDataSpace() const { return !toValue || !toData; }
};

// Whether a datum or value stands for no value or minus infinity.
bool IsUnchangeable(double dDatumOrValue);

// Every changeable datum d (value v) becomes 2p - d (data of 2P - v).
void MirrorArray(double* pdData, int iCount, double dPivot, const SValueSpace& space);
// Every changeable datum d (value v) becomes d + offset (data of v + offset).
void ShiftArray(double* pdData, int iCount, double dOffset, const SValueSpace& space);

// The highest position from iMax down to iMin whose datum is not +DBL_MAX;
// -1 when every datum there is missing.
int LastPositionWithData(const double* pdData, int iMin, int iMax);

// The X a new normalise proposes on an axis in Hz: 1000 Hz when the trace's
// X range straddles it, else the X of the last point with data.
double DefaultNormaliseXValue(bool bAxisInHz, double dMinX, double dMaxX, double dLastDataX);

// Smoothing in place over n points, iPasses times: each pass averages every
// point but the first and last over the window of iHalfWidth points either
// side of it in the data before the pass, narrowed symmetrically where it
// would leave the array (0 .. 2i near the start, 2i - (n - 1) .. n - 1 near
// the end). No value and minus infinity take no part in a mean; a window
// without a usable datum keeps its centre. Nothing changes for n <= 2.
void SmoothArray(double* pdData, int n, int iHalfWidth, int iPasses);

// The band factor of a band width: 2^(1/2) for an octave (0), 2^(1/6) for a
// third (1), 2^(1/12) for a sixth (2), 2^(1/24) for a twelfth (3); 0 for
// any other width.
double BandFactor(int iBandWidth);

// One step of a sliding band sum (the trace's GetBandSum, or SlideBandSum
// of FFTMath): the centre bin, the work copy and the window's state.
using BandSumStep = std::function<double(int iCentre, double* pdWork, int* piLow, int* piHigh, double* pdSumSquares)>;
// Every bin but the last becomes the band sum around it, walked upwards
// through one sliding window over a copy of the data; a first bin without a
// value whose band sums to 0 stays without one.
void SumBinsInBands(double* pdData, int n, const BandSumStep& step);

// The ratio of a datum to its golden datum: no golden value gives no value,
// a golden 0 gives 1 for a datum of 0 and 0 otherwise.
double GoldenRatio(double dDatum, double dGolden);
// The difference of a value and its golden value in a display unit: no
// value on either side gives no value, a value at minus infinity stays
// there, and a golden minus infinity leaves nothing finite (no value).
double GoldenDifference(double dValue, double dGoldenValue);
