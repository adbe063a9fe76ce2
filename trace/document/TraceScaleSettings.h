#pragma once
// Setting a trace's scales the way scripts and the trace settings dialog
// both do: a range in the axis unit (a zoom step is stored and related
// traces follow), and the intervals with the log switch. One place, so the
// two callers refuse the same things.

#include "trace/core/TraceDefs.h"

class CGraphDoc;
class CQXTrace;

enum class EScaleSetting {
    done,
    refused,    // the trace cannot show that range or interval count
    logRefused, // the axis cannot be logarithmic in its unit
};

// Zooms the axis to dMin .. dMax (either order) in its unit.
EScaleSetting SetTraceRange(CQXTrace& trace, CGraphDoc* pDoc, AxisType eAxis, double dMin, double dMax, int bUpdate);
// The same for a Y window given in data (the trace's storage unit).
EScaleSetting SetTraceYDataRange(CQXTrace& trace, CGraphDoc* pDoc, double dMinData, double dMaxData, int bUpdate);
// TRACE_INTERVALS_AUTO, or a fixed count of 1 to 50 intervals spread
// evenly over the range; and whether the axis is logarithmic.
EScaleSetting SetTraceIntervals(CQXTrace& trace, CGraphDoc* pDoc, AxisType eAxis, int iIntervals, bool bLog,
                                int bUpdate);
// The axis's range in its unit: the displayed one, or the full one (bFull).
void GetTraceRange(CQXTrace& trace, AxisType eAxis, bool bFull, double* pdMin, double* pdMax);
// The axis's interval count, TRACE_INTERVALS_AUTO when automatic.
int GetTraceIntervals(CQXTrace& trace, AxisType eAxis);
// Whether the axis may be logarithmic in its current unit.
bool TraceLogAllowed(CQXTrace& trace, AxisType eAxis);
// The trace whose scales and X window these settings change for a trace:
// a limit line's own trace (it is shown in that trace's scales), any other
// trace itself.
CQXTrace& GetScalesTrace(CQXTrace& trace);
