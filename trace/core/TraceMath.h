#pragma once
// The arithmetic of a trace's value mapping: fractions of linear and
// logarithmic windows, pixel offsets, heights above the Y origin, the Y
// origin itself and the bisection over an X array. Pure functions, free of
// trace objects, so the mapping rules can be tested alone; and the one
// allocator of trace arrays.

#include <memory>

// Arrays of trace points beyond this size are refused like a failed
// allocation: no measurement comes near it, and a corrupt size must not take
// the process down.
constexpr int kMaxTraceDataSize = 1 << 28;
// A zeroed array of n doubles; null for n outside 1 .. kMaxTraceDataSize or
// when memory runs out (never throws).
std::unique_ptr<double[]> AllocateTraceArray(int n);

// Truncation toward zero that saturates at the int range (NaN gives 0), so
// out-of-window values never overflow.
int TruncToInt(double dValue);
int FloorToInt(double dValue);

// Where a value lies in a window, as a fraction of it.
double LinearFraction(double dValue, double dMin, double dMax);
// log10 of a non-positive value counts as 0; a zero decade span counts as 1.
double LogFraction(double dValue, double dMin, double dMax);

// Pixel offset of a value in a plot iWidth pixels wide (right - left):
// plain: (value - min) x width / (max - min), truncated, not clamped;
// careful: beyond the window gives -2147483647 / 2147483647, else the
// offset rounded with + 0.5 (log form in decades).
int PlainXOffset(double dValue, double dMin, double dMax, int iWidth);
int CarefulXOffset(double dValue, double dMin, double dMax, int iWidth, bool bLog);

// Height above the origin row of a linear Y datum, with the sentinels of a
// missing value (+DBL_MAX), minus infinity, zero and data beyond a window
// that does not reach that sign.
struct SYPlotFrame {
    int iOrigin = 0;
    int iTop = 0;
    int iBottom = 0;
    double dMinData = 0.0;
    double dMaxData = 0.0;
    bool bLog = false;
};
// Answers the sentinel cases; true when *piHeight is final.
bool YHeightSentinel(double dData, const SYPlotFrame& frame, int* piHeight);
int LinearYHeight(double dData, const SYPlotFrame& frame);

// Device row of data value 0 for a Y data window on rows top .. bottom.
int YOriginForWindow(double dMinData, double dMaxData, int iTop, int iBottom);

// Index of the entry of an ascending array at or below the value, clamped
// into 0 .. n - 1 (0 for an empty array).
int FindBinInArray(const double* pdX, int n, double dValue);
