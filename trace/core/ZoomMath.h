#pragma once
// The arithmetic of zoom windows and default scale ranges: where a zoomed
// window goes, how an automatic window is rounded to a tidy step, the
// smallest step a unit shows, the default range of each measurement result
// and the message shown for an entry outside a range. Free of trace objects,
// so the trace's zoom operations and the dialogs share them and tests run
// them alone.

#include "platform/String.h"

// ---- X windows (data positions) ----------------------------------------------

// Positions of the full range and of the current window.
struct SXWindow {
    int iMin = 0;
    int iMax = 0;
    int iCurrentMin = 0;
    int iCurrentMax = 0;
};

// The window a zoom by dFactor around iCentre gives (0.5 zooms in, 2.0 out).
// The new span is floor(span x factor + 0.5), or 2 for an empty window, and
// doubles when the centre is an end of the full range; the ends are clamped
// into the full range.
void CalcZoomedXWindow(const SXWindow& window, double dFactor, int iCentre, int* piMin, int* piMax);

// The position a zoom is centred on without a cursor: the end of the full
// range when the window touches only that end, else the window's midpoint.
int GetXWindowCentre(const SXWindow& window);

// ---- Y windows ----------------------------------------------------------------

// Places a window of dNewSpan the way [dMin, dMax] sits in [dFullMin,
// dFullMax]: a window starting at the full minimum (and not reaching the
// maximum) keeps its start, one ending at the full maximum (and not starting
// at the minimum) keeps its end, any other is centred on its midpoint.
void PlaceYWindow(double dMin, double dMax, double dFullMin, double dFullMax, double dNewSpan, double* pdNewMin,
                  double* pdNewMax);

// The step a Y window moves by (trace up, trace down): from the table 1, 2,
// 5 times a power of ten, the largest not above a tenth of the span, then
// n entries coarser (n > 0) or finer (n < 0). 0 for an empty or unusable span.
double GetYMoveStep(double dSpan, int n);

// ---- Automatic windows ----------------------------------------------------------

// The tidy step an automatic window of this span is rounded to (1.0 for an
// empty span, 0.00001 below 0.0001, ... 100000 from 100000 on).
double GetAutoZoomStep(double dSpan);

// How an automatic window is rounded besides its span.
struct SAutoZoomRounding {
    // The smallest step the Y unit shows (GetMinMultipleForScales).
    double dMinMultiple = 0.0;
    // A dB unit on a scope or CT-detector trace: the start is rounded up
    // rather than below the data.
    bool bStartInsideData = false;
};

// Rounds [*pdMin, *pdMax] outwards onto multiples of the step for dSpan;
// an empty window (span 0) is widened by one step each way. Ends that are
// not finite or are +-DBL_MAX are left alone.
void RoundAutoZoomWindow(double* pdMin, double* pdMax, double dSpan, const SAutoZoomRounding& rounding);

// The smallest scale step of a unit: 10^-(places - 1), a thousandth of that
// for the volt and watt units. 1.0 (with an assertion) for an id without a unit.
double GetMinMultipleForScales(int iUnit);

// ---- Entry ranges -------------------------------------------------------------------

// The text ShowInvalidRange shows: "The %s is invalid.\n\nPlease enter a
// number between %s and %s%s" (iMode 0) or the host's alternative text,
// with "value entered" for an empty sWhat and " <unit name>" after the
// limits (nothing for unit 0).
CString GetInvalidRangeText(const CString& sWhat, double dMin, double dMax, int iUnit, int iMode);
// Shows that text in an information message box.
void ShowInvalidRange(CString sWhat, double dMin, double dMax, int iUnit, int iMode);

// ---- Default ranges of results ----------------------------------------------------

// The default Y range of a result in a unit, for an analyser input that is
// (bJDO) or is not a jitter demodulator: absolute amplitudes from zero to the
// full-scale sine, relative units as the detector's relativity says,
// frequencies over the analyser's band. Both outputs are 0 first and stay 0
// (with a log line) for an unknown result or a unit its row does not handle;
// returns 1 when the table had a cell for the request. The full table is in
// docs/default-ranges.md.
int GetDefaultRangeForResultID(int iResultID, int iFFTDetectorID, int iUnit, int bJDO, double* pdMin, double* pdMax);

// Enumerator name of a result id for log lines ("RES_CHA_RMSAMPL"); "RES_UNKNOWN"
// for ids outside the enumeration.
const char* GetResultIDName(int iResultID);
