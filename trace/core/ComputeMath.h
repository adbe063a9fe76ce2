#pragma once
// The arithmetic of the invert and normalise computes, over plain arrays.
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
