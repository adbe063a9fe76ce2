#pragma once
// The right-button menus of a graph view as plain data: the trace menu of
// one trace (FillRMBMenu), the view's context menu around it, the trace
// commands' ids, their enabled and checked state (GetTraceCommandStatus) and
// the commands this library carries out itself (ExecuteTraceCommand). A
// toolkit turns the items into its own menu and sends the chosen id back.

#include "platform/String.h"
#include "platform/Types.h"

#include <vector>

class CGraphView;
class CQXTrace;
class IGraphViewFrame;

enum ETraceCommand : UINT {
    ID_TRACE_SETTINGS = 33000,
    ID_TRACE_COLOR,
    ID_TRACE_REMOVE,
    ID_TRACE_SAVE,
    ID_TRACE_COPY,
    ID_TRACE_UNDOZOOM,
    ID_TRACE_LOGX,
    ID_TRACE_ZOOMINX,
    ID_TRACE_ZOOMOUTX,
    ID_TRACE_AUTOZOOMX,
    ID_TRACE_DEFAULTX,
    ID_TRACE_START,
    ID_TRACE_LEFT,
    ID_TRACE_RIGHT,
    ID_TRACE_END,
    ID_TRACE_LOGY,
    ID_TRACE_ZOOMINY,
    ID_TRACE_ZOOMOUTY,
    ID_TRACE_AUTOZOOMY,
    ID_TRACE_DEFAULTY,
    ID_TRACE_UP,
    ID_TRACE_DOWN,
    ID_TRACE_CURSOR,
    ID_TRACE_MARKS,
    ID_TRACE_TRANSFORMED,
    ID_TRACE_COMPUTELIST,
    ID_TRACE_LIMITLINE,
    ID_TRACE_CREATEFILTER,
    ID_TRACE_IMPULSEWINDOW,
    ID_TRACE_COMMENT,
    // The print styles, in menu order; each sets the style it names.
    ID_TRACE_PRINTSTYLE_SOLID,
    ID_TRACE_PRINTSTYLE_DOTTED,
    ID_TRACE_PRINTSTYLE_DASHED,
    ID_TRACE_PRINTSTYLE_DASHDOT,
    ID_TRACE_PRINTSTYLE_DASHDOTDOT,
    // Graph commands of the context menu.
    ID_GRAPH_PRINT,
    ID_GRAPH_PRINT_PREVIEW,
    ID_GRAPH_EXPORT,
    ID_GRAPH_EXPORT_PREVIEW,
    ID_GRAPH_COPY,
    ID_GRAPH_AUTOZOOM_ALL,
    ID_GRAPH_DEFAULTZOOM_ALL,
    ID_GRAPH_PRINT_SETUP,
    ID_GRAPH_RESET_COLORS,
    ID_GRAPH_CHANGE_COLORS,
    ID_GRAPH_ADD_TRACE,
    // Cursor commands of the cursor bar and the keys.
    ID_CURSOR_LEFT,
    ID_CURSOR_RIGHT,
    ID_CURSOR_RELATIVE,
    ID_CURSOR_RESET,
    // Mark commands of the Marks menu, the mark bar and the keys, in menu order.
    ID_MARK_ADD,
    ID_MARK_REMOVE,
    ID_MARK_REMOVEALL,
    ID_MARK_NEXT,
    ID_MARK_PREVIOUS,
    ID_MARK_LABEL,
    ID_MARK_LISTALL,
    ID_MARK_HARMONICS,
    // Commands of the window's View menu, not of the right-button menus.
    ID_TRACE_INTERPOLATED = 33400,
    ID_TRACE_LISTVALUES,
    ID_GRAPH_ONE_CHANNEL,
    // The window's file commands (trace/file/FileCommands installs them).
    ID_FILE_OPEN_TRACE = 33300,
    ID_FILE_OPEN_DOCUMENT,
    ID_FILE_SAVE_DOCUMENT,
    ID_FILE_RUN_SCRIPT,
    // The recent files, most recent first.
    ID_FILE_RECENT_FIRST = 33310,
    ID_FILE_RECENT_LAST = 33317,
    // "Set current Trace": this id plus the trace's menu index in the document.
    ID_SET_CURRENT_TRACE_FIRST = 33500,
    ID_SET_CURRENT_TRACE_LAST = 33699,
};

struct SMenuItem {
    CString sText; // empty, with no submenu: a separator
    UINT uCommand = 0;
    bool bEnabled = true;
    bool bChecked = false;
    std::vector<SMenuItem> aSubmenu;

    bool IsSeparator() const { return sText.IsEmpty() && aSubmenu.empty(); }
};
using CMenuItems = std::vector<SMenuItem>;

struct SCommandStatus {
    bool bEnabled = false;
    bool bChecked = false;
    bool operator==(const SCommandStatus&) const = default;
};

// The print style (TRACE_PRINTSTYLE_...) a print-style command names; -1 for any other command.
int GetPrintStyleForCommand(UINT uCommand);
// Whether the command may run on the trace now and whether it shows a tick.
// Commands this library does not carry out yet are disabled.
SCommandStatus GetTraceCommandStatus(UINT uCommand, CQXTrace* pTrace);
// Carries out a trace command on the trace (through the document where it
// has the operation); false when the command is not one it carries out or
// is disabled for the trace.
bool ExecuteTraceCommand(UINT uCommand, CQXTrace* pTrace);
// The trace's menu: main items, then the X scale, Y scale and print-style
// submenus in place; with a frame, the states its command table gives.
CMenuItems FillRMBMenu(CQXTrace* pTrace, IGraphViewFrame* pFrame = nullptr);
// The graph commands' state: the zoom-all commands need a trace; the rest
// (printing, export, colours, adding traces) are not carried out here yet.
SCommandStatus GetGraphCommandStatus(UINT uCommand, bool bAnyTrace);
// The graph commands, as the context menu lists them below the trace submenus.
CMenuItems FillGraphMenu(bool bAnyTrace);
// The view's whole context menu, for the view's channel (both when drawn together).
CMenuItems FillGraphContextMenu(CGraphView& view);
// Carries out a command of the context menu: trace commands on the view's
// current trace, the current-trace choice, the zoom-all commands. False: not
// carried out here.
bool ExecuteGraphCommand(CGraphView& view, UINT uCommand);
