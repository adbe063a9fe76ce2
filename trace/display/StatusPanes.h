#pragma once
// The texts of the trace window's status-bar panes beside the cursor
// read-outs (CursorReadOut): what the window is doing, and how the current
// trace's axes are scaled.

#include "platform/String.h"

class CGraphFrame;
class CQXTrace;

// "Limit line drawing" or "Impulse window editing" while that mode runs, else "Ready".
CString GetModeStatusText(const CGraphFrame& frame);
// "X lin, Y log" and the like; empty without a trace.
CString GetScaleStatusText(CQXTrace* pTrace);
