#pragma once
// The cursor read-out a trace window shows beside its graph: the trace's
// name and its cursor's X and Y in the cursor units with their unit names
// (marked " (r)" while the relative cursor is on), as one line of text.

#include "platform/String.h"

class CQXTrace;

// "<name>: cursor X <x> <unit>, Y <y> <unit>"; "<name>: cursor off" without a
// cursor; a value the cursor has none for reads "-". Empty for no trace.
CString GetCursorReadOutText(CQXTrace* pTrace);
// A read-out value followed by its unit's name; "-" without a value.
CString WithUnit(const CString& sValue, int iUnit);
