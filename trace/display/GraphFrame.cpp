#include "trace/display/GraphFrame.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "resources/StringTable.h"
#include "trace/display/Accelerators.h"
#include "trace/display/MarkLabelDlg.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

namespace {

int ViewIndex(ChannelNumber eChannel) { return eChannel == CHANNEL_B ? 1 : 0; }

bool AnyTraceInUse(CGraphDoc* pDoc)
{
    return pDoc && (pDoc->GetFirstInUseAndOnTrace(CHANNEL_A) || pDoc->GetFirstInUseAndOnTrace(CHANNEL_B));
}

// Both channels in one view is a choice only while the analyser shows both.
bool AnalyserShowsBothChannels(CGraphDoc* pDoc)
{
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    if (pDoc) pDoc->GetChannelRange(iFirst, iLast);
    return pDoc && iFirst == CHANNEL_A && iLast == CHANNEL_B;
}

} // namespace

CGraphFrame::CGraphFrame()
{
    // Every trace command, from the first id to the last print style.
    for (UINT uId = ID_TRACE_SETTINGS; uId <= ID_TRACE_PRINTSTYLE_DASHDOTDOT; ++uId)
        m_aCommands.push_back({uId, [uId](CQXTrace* pTrace) { return ExecuteTraceCommand(uId, pTrace); },
                               [uId](CQXTrace* pTrace) { return GetTraceCommandStatus(uId, pTrace); }});
    for (UINT uId = ID_GRAPH_PRINT; uId <= ID_GRAPH_ADD_TRACE; ++uId)
        m_aCommands.push_back({uId,
                               [uId](CQXTrace*) {
                                   CGraphDoc* pDoc = GetGraphDoc();
                                   if (!pDoc || !GetGraphCommandStatus(uId, AnyTraceInUse(pDoc)).bEnabled) return false;
                                   // The window's menus act on every channel; the output
                                   // commands are the window's to install.
                                   if (uId == ID_GRAPH_AUTOZOOM_ALL)
                                       pDoc->AutoZoomAll(CHANNEL_BOTH, 1);
                                   else if (uId == ID_GRAPH_DEFAULTZOOM_ALL)
                                       pDoc->DefaultZoomAll(CHANNEL_BOTH, 1);
                                   else if (uId == ID_GRAPH_RESET_COLORS)
                                       pDoc->ResetTraceColors(1);
                                   else
                                       return false;
                                   return true;
                               },
                               [uId](CQXTrace*) { return GetGraphCommandStatus(uId, AnyTraceInUse(GetGraphDoc())); }});
    for (UINT uId = ID_CURSOR_LEFT; uId <= ID_CURSOR_RESET; ++uId)
        m_aCommands.push_back({uId, [uId](CQXTrace* pTrace) { return ExecuteCursorCommand(uId, pTrace); },
                               [uId](CQXTrace* pTrace) { return GetCursorCommandStatus(uId, pTrace); }});
    AddMarkCommands();
    m_aCommands.push_back({ID_TRACE_INTERPOLATED,
                           [](CQXTrace* pTrace) { return ExecuteTraceCommand(ID_TRACE_INTERPOLATED, pTrace); },
                           [](CQXTrace* pTrace) { return GetTraceCommandStatus(ID_TRACE_INTERPOLATED, pTrace); }});
    // The values table is a window of the toolkit's: the window installs it.
    m_aCommands.push_back({ID_TRACE_LISTVALUES, [](CQXTrace*) { return false; }, [](CQXTrace*) { return SCommandStatus{}; }});
    m_aCommands.push_back({ID_GRAPH_ONE_CHANNEL,
                           [this](CQXTrace*) {
                               CGraphDoc* pDoc = GetGraphDoc();
                               if (!AnalyserShowsBothChannels(pDoc)) return false;
                               pDoc->OnOneChannel(!pDoc->GetAllOnSameView());
                               AdjustSplitWindows();
                               return true;
                           },
                           [](CQXTrace*) {
                               CGraphDoc* pDoc = GetGraphDoc();
                               return SCommandStatus{AnalyserShowsBothChannels(pDoc), pDoc && pDoc->DrawingAllOnSameView()};
                           }});
    // The file commands are greyed until the window installs them.
    std::vector<UINT> auFile{ID_FILE_OPEN_TRACE, ID_FILE_OPEN_DOCUMENT, ID_FILE_SAVE_DOCUMENT, ID_FILE_RUN_SCRIPT};
    for (UINT uId = ID_FILE_RECENT_FIRST; uId <= ID_FILE_RECENT_LAST; ++uId) auFile.push_back(uId);
    for (UINT uId : auFile)
        m_aCommands.push_back({uId, [](CQXTrace*) { return false; }, [](CQXTrace*) { return SCommandStatus{}; }});
}

void CGraphFrame::AddMarkCommands()
{
    for (UINT uId = ID_MARK_ADD; uId <= ID_MARK_HARMONICS; ++uId)
        m_aCommands.push_back({uId, [uId](CQXTrace* pTrace) { return ExecuteMarkCommand(uId, pTrace); },
                               [uId](CQXTrace* pTrace) { return GetMarkCommandStatus(uId, pTrace); }});
    SetCommand({ID_MARK_LABEL,
                [](CQXTrace* pTrace) {
                    if (!GetMarkCommandStatus(ID_MARK_LABEL, pTrace).bEnabled) return false;
                    CMarkLabelDlg dialog(*pTrace);
                    return DoModalDialog(dialog) == IDOK;
                },
                [](CQXTrace* pTrace) { return GetMarkCommandStatus(ID_MARK_LABEL, pTrace); }});
    SetCommand({ID_MARK_LISTALL,
                [this](CQXTrace* pTrace) {
                    if (!GetMarkCommandStatus(ID_MARK_LISTALL, pTrace).bEnabled) return false;
                    m_marksDlg.Open();
                    if (m_fnMarksListListener) m_fnMarksListListener();
                    return true;
                },
                [](CQXTrace* pTrace) { return GetMarkCommandStatus(ID_MARK_LISTALL, pTrace); }});
    // Marks on the harmonics are summed without the fundamental.
    SetCommand({ID_MARK_HARMONICS,
                [this](CQXTrace* pTrace) {
                    if (!ExecuteMarkCommand(ID_MARK_HARMONICS, pTrace)) return false;
                    m_marksDlg.SetExcludeFirst(true);
                    return true;
                },
                [](CQXTrace* pTrace) { return GetMarkCommandStatus(ID_MARK_HARMONICS, pTrace); }});
}

void CGraphFrame::UpdateCurrentTrace()
{
    m_cursorBar.Update();
    m_markBar.Update();
    m_marksDlg.UpdateCurrentTrace();
}

void CGraphFrame::UpdateCursorDetails(CQXTrace*)
{
    m_cursorBar.Update();
    m_marksDlg.UpdateAllMarks();
}

void CGraphFrame::UpdateCursorValues(CQXTrace*)
{
    m_cursorBar.Update();
    m_marksDlg.UpdateMarkValues();
}

void CGraphFrame::OnCursorToggled(CQXTrace*)
{
    m_cursorBar.Update();
    m_marksDlg.UpdateAllMarks();
}

void CGraphFrame::OnMarksToggled(CQXTrace*)
{
    m_markBar.Update();
    m_marksDlg.UpdateAllMarks();
}

void CGraphFrame::AdjustSplitWindows()
{
    // The scales, legends and traces each view shows all change with the channels.
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    if (m_fnSplitListener) m_fnSplitListener();
}

CGraphFrame::~CGraphFrame()
{
    // A mode may still point at views and traces; it goes before them.
    if (m_pMode) RemoveInterceptor(m_pMode.get());
}

void CGraphFrame::SetView(ChannelNumber eChannel, CGraphView* pView)
{
    if (eChannel != CHANNEL_A && eChannel != CHANNEL_B) return;
    m_apViews[ViewIndex(eChannel)] = pView;
    if (pView) pView->SetParentFrame(this);
}

CGraphView* CGraphFrame::GetView(ChannelNumber eChannel) const
{
    return (eChannel == CHANNEL_A || eChannel == CHANNEL_B) ? m_apViews[ViewIndex(eChannel)] : nullptr;
}

CGraphView* CGraphFrame::GetTraceView(CQXTrace* pTrace)
{
    if (!pTrace) return nullptr;
    const CGraphDoc* pDoc = GetGraphDoc();
    if ((pDoc && pDoc->DrawingAllOnSameView()) || pTrace->GetChannel() == CHANNEL_A) return m_apViews[0];
    return pTrace->GetChannel() == CHANNEL_B ? m_apViews[1] : nullptr;
}

void CGraphFrame::PushInterceptor(ITraceInterceptor* pInterceptor)
{
    if (pInterceptor) m_apInterceptors.push_back(pInterceptor);
}

void CGraphFrame::RemoveInterceptor(ITraceInterceptor* pInterceptor)
{
    std::erase(m_apInterceptors, pInterceptor);
}

CQXTrace* CGraphFrame::PeekTraceForCurrentCommand() const
{
    if (m_pNextCommandTrace) return m_pNextCommandTrace;
    const CGraphDoc* pDoc = GetGraphDoc();
    return pDoc ? pDoc->GetCurrentTrace() : nullptr;
}

CQXTrace* CGraphFrame::GetTraceForCurrentCommand()
{
    CQXTrace* pTrace = PeekTraceForCurrentCommand();
    m_pNextCommandTrace = nullptr;
    return pTrace;
}

bool CGraphFrame::OnSetCurrentTrace(CQXTrace* pTrace)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || !pTrace || pDoc->GetCurrentTrace() == pTrace) return true;
    if (InLimitLineDrawingMode() && !pTrace->IsLimitLine() &&
        AfxMessageBox(LoadResString(IDS_LIMIT_CURRENT_TRACE_CHANGED), MB_OKCANCEL) != IDOK)
        return true;
    if (!pTrace->IsOn()) pDoc->TraceOn(pTrace, 1);
    pDoc->SetCurrentTrace(pTrace, 1);
    return true;
}

const CGraphFrame::SCommand* CGraphFrame::FindCommand(UINT uId) const
{
    const auto it = std::find_if(m_aCommands.begin(), m_aCommands.end(), [uId](const SCommand& c) { return c.uId == uId; });
    return it == m_aCommands.end() ? nullptr : &*it;
}

SCommandStatus CGraphFrame::GetCommandStatus(UINT uId) const
{
    const SCommand* pCommand = FindCommand(uId);
    return pCommand ? pCommand->fnStatus(PeekTraceForCurrentCommand()) : SCommandStatus{};
}

bool CGraphFrame::Execute(UINT uId)
{
    if (ITraceInterceptor* pInterceptor = GetTraceInterceptor(); pInterceptor && pInterceptor->OnCmdMsg(uId, 0, nullptr))
        return true;
    const SCommand* pCommand = FindCommand(uId);
    CQXTrace* pTrace = GetTraceForCurrentCommand();
    return pCommand && pCommand->fnRun(pTrace);
}

bool CGraphFrame::OnAcceleratorKey(const CString& sKey)
{
    const UINT uId = GetAcceleratorCommand(sKey);
    return uId && GetCommandStatus(uId).bEnabled && Execute(uId);
}

void CGraphFrame::SetColourChooser(ColourChooser fnChoose)
{
    const auto Usable = [](CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && GetGraphDoc(); };
    SetCommand({ID_TRACE_COLOR,
                [fnChoose, Usable](CQXTrace* pTrace) {
                    COLORREF crColor = Usable(pTrace) ? pTrace->GetScreenColor() : 0;
                    if (!Usable(pTrace) || !fnChoose || !fnChoose(crColor, crColor)) return false;
                    GetGraphDoc()->TraceColorChange(pTrace, crColor, 1);
                    return true;
                },
                [bChooser = bool(fnChoose), Usable](CQXTrace* pTrace) { return SCommandStatus{bChooser && Usable(pTrace), false}; }});
}

bool CGraphFrame::SetCommand(SCommand command)
{
    const auto it =
        std::find_if(m_aCommands.begin(), m_aCommands.end(), [&](const SCommand& c) { return c.uId == command.uId; });
    if (it == m_aCommands.end()) return false;
    *it = std::move(command);
    return true;
}

SCommandStatus CGraphFrame::GetTraceCommandState(UINT uCommand, CQXTrace* pTrace)
{
    const SCommand* pCommand = FindCommand(uCommand);
    return pCommand ? pCommand->fnStatus(pTrace) : GetTraceCommandStatus(uCommand, pTrace);
}

bool CGraphFrame::RunTraceCommand(UINT uCommand, CQXTrace* pTrace)
{
    const SCommand* pCommand = FindCommand(uCommand);
    return pCommand ? pCommand->fnRun(pTrace) : ExecuteTraceCommand(uCommand, pTrace);
}

// ---- Modes -----------------------------------------------------------------------

bool CGraphFrame::StartMode(std::unique_ptr<CFrameMode> pMode, int iLeaveMessageId)
{
    if (!pMode) return false;
    if (m_pMode && !m_pMode->RequestLeave(iLeaveMessageId)) return false;
    // Leaving normally ends the mode; one that did not is ended here.
    if (m_pMode) EndMode(m_pMode.get());
    m_pEndedMode.reset();
    m_pMode = std::move(pMode);
    PushInterceptor(m_pMode.get());
    if (m_fnModeListener) m_fnModeListener(m_pMode.get(), nullptr);
    return true;
}

void CGraphFrame::EndMode(CFrameMode* pMode)
{
    if (!pMode || pMode != m_pMode.get()) return;
    RemoveInterceptor(pMode);
    m_pEndedMode = std::move(m_pMode);
    if (m_fnModeListener) m_fnModeListener(nullptr, pMode);
}

bool CGraphFrame::ExitLimitLineDrawingMode(int iMessageId)
{
    return !InLimitLineDrawingMode() || m_pMode->RequestLeave(iMessageId);
}

CMenuItems CGraphFrame::GetTraceMenu() { return FillRMBMenu(PeekTraceForCurrentCommand(), this); }

CMenuItems CGraphFrame::GetGraphMenu() const
{
    CMenuItems aItems = FillGraphMenu(AnyTraceInUse(GetGraphDoc()));
    for (SMenuItem& item : aItems)
        if (item.uCommand) item.bEnabled = GetCommandStatus(item.uCommand).bEnabled;
    return aItems;
}

CMenuItems CGraphFrame::CommandItems(std::initializer_list<SCommandText> aCommands) const
{
    CMenuItems aItems;
    for (const SCommandText& command : aCommands) {
        if (!command.uId) {
            aItems.push_back({});
            continue;
        }
        const SCommandStatus status = GetCommandStatus(command.uId);
        aItems.push_back({command.pszText, command.uId, status.bEnabled, status.bChecked, {}});
    }
    return aItems;
}

CMenuItems CGraphFrame::GetCursorMenu() const
{
    return CommandItems({{ID_CURSOR_LEFT, L"Cursor left"},
                         {ID_CURSOR_RIGHT, L"Cursor right"},
                         {ID_CURSOR_RELATIVE, L"Relative cursor"},
                         {ID_CURSOR_RESET, L"Reset cursor"}});
}

CMenuItems CGraphFrame::GetMarksMenu() const
{
    return CommandItems({{ID_TRACE_MARKS, L"Trace marks on"},
                         {0, nullptr},
                         {ID_MARK_ADD, L"Add mark"},
                         {ID_MARK_REMOVE, L"Remove mark"},
                         {ID_MARK_REMOVEALL, L"Remove all marks"},
                         {0, nullptr},
                         {ID_MARK_NEXT, L"Next mark"},
                         {ID_MARK_PREVIOUS, L"Previous mark"},
                         {0, nullptr},
                         {ID_MARK_LABEL, L"Edit mark label..."},
                         {ID_MARK_LISTALL, L"List all marks..."},
                         {ID_MARK_HARMONICS, L"Mark the harmonics"}});
}

CMenuItems CGraphFrame::GetViewMenu() const
{
    return CommandItems({{ID_TRACE_LISTVALUES, L"List Trace values..."},
                         {ID_TRACE_INTERPOLATED, L"Interpolated display"},
                         {ID_GRAPH_ONE_CHANNEL, L"Both channels in one view"}});
}

CMenuItems CGraphFrame::GetToolbar() const
{
    return CommandItems({
        {ID_TRACE_ZOOMOUTX, L"Un-zoom X"}, {ID_TRACE_AUTOZOOMX, L"Auto X"},    {ID_TRACE_ZOOMOUTY, L"Un-zoom Y"},
        {ID_TRACE_AUTOZOOMY, L"Auto Y"},   {ID_TRACE_UNDOZOOM, L"Revert"},     {0, nullptr},
        {ID_TRACE_CURSOR, L"Cursor"},      {ID_TRACE_MARKS, L"Marks"},         {0, nullptr},
        {ID_TRACE_COMPUTELIST, L"Transforms"}, {ID_TRACE_LIMITLINE, L"Limit line"}, {ID_TRACE_IMPULSEWINDOW, L"Window"},
        {0, nullptr},                      {ID_GRAPH_AUTOZOOM_ALL, L"Auto all"}, {ID_GRAPH_DEFAULTZOOM_ALL, L"Defaults"},
        {0, nullptr},                      {ID_GRAPH_PRINT, L"Print"},         {ID_GRAPH_EXPORT, L"Export"},
        {ID_GRAPH_COPY, L"Copy"},
    });
}
