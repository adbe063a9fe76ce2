#pragma once
// Every command of a trace window's table, installed as the window has
// them: the dialogs, the editing modes and the file commands the library
// carries out, and the commands whose work is the toolkit's (a colour
// picker, a values window, the graph's output). Their enabled states are
// the library's rules either way, so a window without a toolkit (a test)
// shows the same menus.

#include "trace/display/GraphFrame.h"

#include <functional>

// The work a toolkit does for the window; a missing one leaves its
// commands greyed.
struct SWindowToolkit {
    CGraphFrame::ColourChooser fnChooseColour;
    // Opens a values table of the trace.
    std::function<bool(CQXTrace*)> fnListValues;
    // Export, export preview, copy, print preview, print and print setup
    // (ID_GRAPH_...): true when carried out.
    std::function<bool(UINT uId)> fnOutput;
};

void InstallWindowCommands(CGraphFrame& frame, SWindowToolkit toolkit);
