// The right-button menus and the trace commands the library carries out.

#include "trace/display/TraceMenu.h"

#include "host/app/AppServices.h"
#include "trace/core/TraceDefs.h"
#include "trace/display/GraphView.h"
#include "trace/display/TraceInterceptor.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/TraceScaleSettings.h"
#include "trace/model/QXTrace.h"

namespace {

SMenuItem Item(const wchar_t* pszText, UINT uCommand, CQXTrace* pTrace, IGraphViewFrame* pFrame)
{
    const SCommandStatus status =
        pFrame ? pFrame->GetTraceCommandState(uCommand, pTrace) : GetTraceCommandStatus(uCommand, pTrace);
    return {pszText, uCommand, status.bEnabled, status.bChecked, {}};
}

SMenuItem Separator() { return {}; }

SMenuItem Submenu(const wchar_t* pszText, CMenuItems aItems, bool bEnabled = true)
{
    SMenuItem item{pszText, 0, bEnabled, false, std::move(aItems)};
    return item;
}

bool IsShown(const CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && pTrace->IsOn(); }

// The entries of "Set current Trace": the in-use traces of the view's
// channel (both when drawn together), each followed by its shown limit lines.
std::vector<CQXTrace*> GetCurrentTraceChoices(CGraphView& view)
{
    std::vector<CQXTrace*> aChoices;
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return aChoices;
    std::vector<ChannelNumber> aChannels{view.GetChannel()};
    if (view.DrawsBothChannels()) aChannels = {CHANNEL_A, CHANNEL_B};
    for (ChannelNumber eChannel : aChannels)
        for (CQXTrace* pTrace : pDoc->GetTraceArray(eChannel)) {
            if (!pTrace || !pTrace->IsInUse()) continue;
            aChoices.push_back(pTrace);
            for (CQXTrace* pLimit : {pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
                if (IsShown(pLimit)) aChoices.push_back(pLimit);
        }
    return aChoices;
}

// A command the document carries out for a trace (the owner of a limit line).
bool RunDocumentCommand(CGraphDoc& doc, UINT uCommand, CQXTrace* pTrace)
{
    switch (uCommand) {
    case ID_TRACE_ZOOMINX: doc.ZoomInX(pTrace, 1); return true;
    case ID_TRACE_ZOOMOUTX: doc.ZoomOutX(pTrace, 1); return true;
    case ID_TRACE_AUTOZOOMX: doc.AutoZoomX(pTrace, 1, 1); return true;
    case ID_TRACE_DEFAULTX: doc.DefaultZoomX(pTrace, 1, 1); return true;
    case ID_TRACE_ZOOMINY: doc.ZoomInY(pTrace, 1); return true;
    case ID_TRACE_ZOOMOUTY: doc.ZoomOutY(pTrace, 1); return true;
    case ID_TRACE_AUTOZOOMY: doc.AutoZoomY(pTrace, 1, 1); return true;
    case ID_TRACE_DEFAULTY: doc.DefaultZoomY(pTrace, 1, 1); return true;
    case ID_TRACE_UNDOZOOM: doc.UndoZoom(pTrace, 1); return true;
    case ID_TRACE_START: doc.TraceStart(pTrace); return true;
    case ID_TRACE_LEFT: doc.TraceLeft(pTrace, 1, 1); return true;
    case ID_TRACE_RIGHT: doc.TraceRight(pTrace, 1, 1); return true;
    case ID_TRACE_END: doc.TraceEnd(pTrace); return true;
    case ID_TRACE_UP: doc.TraceUp(pTrace, 1); return true;
    case ID_TRACE_DOWN: doc.TraceDown(pTrace, 1); return true;
    case ID_TRACE_COPY: doc.CopyTrace(pTrace, 0, 1); return true;
    case ID_TRACE_REMOVE: doc.RemoveTrace(pTrace, 1); return true;
    default: return false;
    }
}

} // namespace

int GetPrintStyleForCommand(UINT uCommand)
{
    switch (uCommand) {
    case ID_TRACE_PRINTSTYLE_SOLID: return TRACE_PRINTSTYLE_SOLID;
    case ID_TRACE_PRINTSTYLE_DOTTED: return TRACE_PRINTSTYLE_DOT;
    case ID_TRACE_PRINTSTYLE_DASHED: return TRACE_PRINTSTYLE_DASH;
    case ID_TRACE_PRINTSTYLE_DASHDOT: return TRACE_PRINTSTYLE_DASHDOT;
    case ID_TRACE_PRINTSTYLE_DASHDOTDOT: return TRACE_PRINTSTYLE_DASHDOTDOT;
    default: return -1;
    }
}

SCommandStatus GetTraceCommandStatus(UINT uCommand, CQXTrace* pTrace)
{
    if (!pTrace || !pTrace->IsInUse()) return {};
    const bool bOn = pTrace->IsOn() != 0;
    if (const int iStyle = GetPrintStyleForCommand(uCommand); iStyle >= 0)
        return {true, pTrace->GetPrintStyle() == iStyle};
    // A limit line is zoomed, panned and scaled with the trace it belongs to.
    CQXTrace* pAxes = &GetScalesTrace(*pTrace);
    const bool bData = bOn && pAxes->GetDataSize() > 0;
    switch (uCommand) {
    case ID_TRACE_ZOOMOUTX: return {bOn && pAxes->CanUnZoomX() != 0, false};
    case ID_TRACE_ZOOMOUTY: return {bOn && pAxes->CanUnZoomY() != 0, false};
    case ID_TRACE_UNDOZOOM: return {bOn && pAxes->HasZoomHistory() != 0, false};
    case ID_TRACE_ZOOMINX:
    case ID_TRACE_AUTOZOOMX:
    case ID_TRACE_DEFAULTX: return {bData, false};
    // Moving along the trace needs data beyond the window on that side.
    case ID_TRACE_START:
    case ID_TRACE_LEFT: return {bData && pAxes->GetCurrentMinXPos() > pAxes->GetMinXPos(), false};
    case ID_TRACE_RIGHT:
    case ID_TRACE_END: return {bData && pAxes->GetCurrentMaxXPos() < pAxes->GetMaxXPos(), false};
    case ID_TRACE_ZOOMINY:
    case ID_TRACE_AUTOZOOMY:
    case ID_TRACE_DEFAULTY:
    case ID_TRACE_UP:
    case ID_TRACE_DOWN: return {bOn, false};
    case ID_TRACE_CURSOR: return {bOn, pTrace->IsCursorOn() != 0};
    case ID_TRACE_MARKS: return {bOn, pTrace->AreMarksOn() != 0};
    case ID_TRACE_TRANSFORMED: return {bOn && pTrace->GetComputeList(), pTrace->GetShowTransformedYData() != 0};
    // A limit line lives with its trace: a copy of it would belong to none.
    case ID_TRACE_COPY: return {bOn && pTrace->CanCopy() && !pTrace->IsLimitLine(), false};
    case ID_TRACE_COMPUTELIST: return {bOn, false};
    // Interpolation takes effect at the next refill: only live traces have one.
    case ID_TRACE_INTERPOLATED: return {bOn && pTrace->IsLive() && !pTrace->IsLimitLine(), pTrace->GetInterpolated() != 0};
    case ID_TRACE_REMOVE: return {true, false};
    // A log axis may always go back to linear.
    case ID_TRACE_LOGX:
        return {bOn && pAxes->GetXScale() && (pAxes->GetLogX() || TraceLogAllowed(*pAxes, X_AXIS)), pAxes->GetLogX() != 0};
    case ID_TRACE_LOGY: return {bOn && (pAxes->GetLogY() || TraceLogAllowed(*pAxes, Y_AXIS)), pAxes->GetLogY() != 0};
    default: return {};
    }
}

bool ExecuteTraceCommand(UINT uCommand, CQXTrace* pTrace)
{
    if (!GetTraceCommandStatus(uCommand, pTrace).bEnabled) return false;
    CGraphDoc* pDoc = GetGraphDoc();
    if (const int iStyle = GetPrintStyleForCommand(uCommand); iStyle >= 0) {
        pTrace->SetPrintStyle(iStyle);
        if (pDoc) pDoc->UpdateAllViews(UPDATE_TRACE_PRINTSTYLE, pTrace);
        return true;
    }
    switch (uCommand) {
    case ID_TRACE_CURSOR:
        if (pTrace->IsCursorOn())
            pTrace->CursorOff();
        else
            pTrace->CursorOn();
        return true;
    case ID_TRACE_MARKS:
        if (pTrace->AreMarksOn())
            pTrace->MarksOff();
        else
            pTrace->MarksOn();
        return true;
    case ID_TRACE_LOGX:
    case ID_TRACE_LOGY: {
        const AxisType eAxis = uCommand == ID_TRACE_LOGX ? X_AXIS : Y_AXIS;
        CQXTrace& axes = GetScalesTrace(*pTrace);
        const bool bLog = (eAxis == X_AXIS ? axes.GetLogX() : axes.GetLogY()) != 0;
        if (SetTraceIntervals(axes, pDoc, eAxis, GetTraceIntervals(axes, eAxis), !bLog, 0) != EScaleSetting::done)
            return false;
        // The whole plot changes with the axis: everything is drawn again.
        if (pDoc) pDoc->UpdateAllViews(UPDATE_TRACE_REDRAWALL, &axes);
        return true;
    }
    case ID_TRACE_TRANSFORMED: pTrace->SetShowTransformedYData(!pTrace->GetShowTransformedYData(), 1); return true;
    case ID_TRACE_COMPUTELIST: pTrace->ShowComputeListDlg(); return true;
    case ID_TRACE_INTERPOLATED: pTrace->SetInterpolated(!pTrace->GetInterpolated()); return true;
    default: return pDoc && RunDocumentCommand(*pDoc, uCommand, pTrace);
    }
}

CMenuItems FillRMBMenu(CQXTrace* pTrace, IGraphViewFrame* pFrame)
{
    CMenuItems aX{Item(L"Log X", ID_TRACE_LOGX, pTrace, pFrame),
                  Item(L"Zoom X", ID_TRACE_ZOOMINX, pTrace, pFrame),
                  Item(L"Un-zoom X", ID_TRACE_ZOOMOUTX, pTrace, pFrame),
                  Item(L"Auto-zoom X", ID_TRACE_AUTOZOOMX, pTrace, pFrame),
                  Item(L"Set X axis to default", ID_TRACE_DEFAULTX, pTrace, pFrame),
                  Item(L"Move to start of Trace", ID_TRACE_START, pTrace, pFrame),
                  Item(L"Move left along Trace", ID_TRACE_LEFT, pTrace, pFrame),
                  Item(L"Move right along Trace", ID_TRACE_RIGHT, pTrace, pFrame),
                  Item(L"Move to end of Trace", ID_TRACE_END, pTrace, pFrame)};
    CMenuItems aY{Item(L"Log Y", ID_TRACE_LOGY, pTrace, pFrame),
                  Item(L"Zoom Y", ID_TRACE_ZOOMINY, pTrace, pFrame),
                  Item(L"Un-zoom Y", ID_TRACE_ZOOMOUTY, pTrace, pFrame),
                  Item(L"Auto-zoom Y", ID_TRACE_AUTOZOOMY, pTrace, pFrame),
                  Item(L"Set Y axis to default", ID_TRACE_DEFAULTY, pTrace, pFrame),
                  Item(L"Move Trace up", ID_TRACE_UP, pTrace, pFrame),
                  Item(L"Move Trace down", ID_TRACE_DOWN, pTrace, pFrame)};
    CMenuItems aStyles{Item(L"Solid", ID_TRACE_PRINTSTYLE_SOLID, pTrace, pFrame),
                       Item(L"Dotted", ID_TRACE_PRINTSTYLE_DOTTED, pTrace, pFrame),
                       Item(L"Dashed", ID_TRACE_PRINTSTYLE_DASHED, pTrace, pFrame),
                       Item(L"Dash-dot", ID_TRACE_PRINTSTYLE_DASHDOT, pTrace, pFrame),
                       Item(L"Dash-dot-dot", ID_TRACE_PRINTSTYLE_DASHDOTDOT, pTrace, pFrame)};
    return {Item(L"Trace settings...", ID_TRACE_SETTINGS, pTrace, pFrame),
            Item(L"Change Trace colour...", ID_TRACE_COLOR, pTrace, pFrame),
            Separator(),
            Item(L"Remove Trace", ID_TRACE_REMOVE, pTrace, pFrame),
            Item(L"Save Trace...", ID_TRACE_SAVE, pTrace, pFrame),
            Item(L"Copy Trace", ID_TRACE_COPY, pTrace, pFrame),
            Separator(),
            Item(L"Revert to last scale values", ID_TRACE_UNDOZOOM, pTrace, pFrame),
            Separator(),
            Submenu(L"X Scale", std::move(aX)),
            Submenu(L"Y Scale", std::move(aY)),
            Separator(),
            Item(L"Trace cursor on", ID_TRACE_CURSOR, pTrace, pFrame),
            Item(L"Trace marks on", ID_TRACE_MARKS, pTrace, pFrame),
            Separator(),
            Item(L"Show transformed Trace data", ID_TRACE_TRANSFORMED, pTrace, pFrame),
            Item(L"Edit Trace transforms...", ID_TRACE_COMPUTELIST, pTrace, pFrame),
            Item(L"Create/Edit Limit Line", ID_TRACE_LIMITLINE, pTrace, pFrame),
            Item(L"Create Weighting filter from Trace...", ID_TRACE_CREATEFILTER, pTrace, pFrame),
            Item(L"Edit impulse response Window function", ID_TRACE_IMPULSEWINDOW, pTrace, pFrame),
            Separator(),
            Item(L"Edit Trace comment...", ID_TRACE_COMMENT, pTrace, pFrame),
            Submenu(L"Edit print style", std::move(aStyles))};
}

CMenuItems FillGraphContextMenu(CGraphView& view)
{
    // A mode that is running shows its own menu.
    if (IGraphViewFrame* pFrame = view.GetParentFrame())
        if (ITraceInterceptor* pInterceptor = pFrame->GetTraceInterceptor()) {
            CMenuItems aModeMenu;
            if (pInterceptor->FillContextMenu(aModeMenu)) return aModeMenu;
        }
    CQXTrace* pCurrent = view.GetViewCurrentTrace();
    CMenuItems aChoices;
    UINT uCommand = ID_SET_CURRENT_TRACE_FIRST;
    for (CQXTrace* pTrace : GetCurrentTraceChoices(view)) {
        if (uCommand > ID_SET_CURRENT_TRACE_LAST) break;
        aChoices.push_back({pTrace->GetTraceName(1, 0, 0), uCommand++, true, pTrace == pCurrent, {}});
    }
    const bool bAny = !aChoices.empty();
    CMenuItems aMenu{Submenu(L"Set current Trace", std::move(aChoices), bAny),
                     Submenu(L"Current Trace", FillRMBMenu(pCurrent, view.GetParentFrame()), pCurrent != nullptr)};
    // A graph command the window carries out itself (output) is in its frame's table.
    for (SMenuItem& item : FillGraphMenu(bAny)) {
        if (IGraphViewFrame* pFrame = view.GetParentFrame(); pFrame && item.uCommand && !item.bEnabled)
            item.bEnabled = pFrame->GetTraceCommandState(item.uCommand, nullptr).bEnabled;
        aMenu.push_back(std::move(item));
    }
    return aMenu;
}

SCommandStatus GetGraphCommandStatus(UINT uCommand, bool bAnyTrace)
{
    const bool bOnTraces =
        uCommand == ID_GRAPH_AUTOZOOM_ALL || uCommand == ID_GRAPH_DEFAULTZOOM_ALL || uCommand == ID_GRAPH_RESET_COLORS;
    return {bOnTraces && bAnyTrace, false};
}

CMenuItems FillGraphMenu(bool bAnyTrace)
{
    const auto Graph = [bAnyTrace](const wchar_t* pszText, UINT uId) {
        return SMenuItem{pszText, uId, GetGraphCommandStatus(uId, bAnyTrace).bEnabled, false, {}};
    };
    return {Graph(L"Print the graph", ID_GRAPH_PRINT),
            Graph(L"Show a preview of the graph printout", ID_GRAPH_PRINT_PREVIEW),
            Separator(),
            Graph(L"Export graph to file", ID_GRAPH_EXPORT),
            Graph(L"Show a preview of the graph export", ID_GRAPH_EXPORT_PREVIEW),
            Graph(L"Copy graph to clipboard", ID_GRAPH_COPY),
            Separator(),
            Graph(L"Auto-zoom all Traces", ID_GRAPH_AUTOZOOM_ALL),
            Graph(L"Set all Traces to defaults", ID_GRAPH_DEFAULTZOOM_ALL),
            Separator(),
            Graph(L"Print/export options", ID_GRAPH_PRINT_SETUP),
            Graph(L"Reset all Trace colours", ID_GRAPH_RESET_COLORS),
            Graph(L"Change default graph colours", ID_GRAPH_CHANGE_COLORS),
            Graph(L"Add/load Trace", ID_GRAPH_ADD_TRACE)};
}

bool ExecuteGraphCommand(CGraphView& view, UINT uCommand)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return false;
    IGraphViewFrame* pFrame = view.GetParentFrame();
    // A running mode sees commands first (its own menu's among them).
    if (ITraceInterceptor* pInterceptor = pFrame ? pFrame->GetTraceInterceptor() : nullptr;
        pInterceptor && pInterceptor->OnCmdMsg(uCommand, 0, nullptr))
        return true;
    if (uCommand >= ID_SET_CURRENT_TRACE_FIRST && uCommand <= ID_SET_CURRENT_TRACE_LAST) {
        const std::vector<CQXTrace*> aChoices = GetCurrentTraceChoices(view);
        const size_t iIndex = uCommand - ID_SET_CURRENT_TRACE_FIRST;
        if (iIndex >= aChoices.size()) return false;
        pDoc->SetCurrentTrace(aChoices[iIndex], 1);
        return true;
    }
    const ChannelNumber eChannel = view.DrawsBothChannels() ? CHANNEL_BOTH : view.GetChannel();
    switch (uCommand) {
    case ID_GRAPH_AUTOZOOM_ALL: pDoc->AutoZoomAll(eChannel, 1); return true;
    case ID_GRAPH_DEFAULTZOOM_ALL: pDoc->DefaultZoomAll(eChannel, 1); return true;
    case ID_GRAPH_RESET_COLORS: pDoc->ResetTraceColors(1); return true;
    default:
        return pFrame ? pFrame->RunTraceCommand(uCommand, view.GetViewCurrentTrace())
                      : ExecuteTraceCommand(uCommand, view.GetViewCurrentTrace());
    }
}
