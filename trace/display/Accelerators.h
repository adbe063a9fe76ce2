#pragma once
// The trace window's keys: one per zoom, cursor, mark and view command, as
// portable key texts ("Ctrl+Right", "Alt+Left", "R") that a toolkit turns
// into its own key sequences and menus show beside the commands. Plain
// arrows, Home and End stay the graph view's (they move the cursor).

#include "platform/String.h"
#include "platform/Types.h"

#include <vector>

struct SAccelerator {
    const wchar_t* pszKey;
    UINT uCommand;
};

const std::vector<SAccelerator>& GetAccelerators();
// The key of a command; empty for a command without one.
CString GetAcceleratorKey(UINT uCommand);
// The command of a key text; 0 for none.
UINT GetAcceleratorCommand(const CString& sKey);
