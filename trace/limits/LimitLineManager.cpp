#include "trace/limits/LimitLineManager.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "host/app/DialogModel.h"
#include "platform/DC.h"
#include "resources/StringTable.h"
#include "trace/core/LimitMath.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitLineOptionsDlg.h"
#include "trace/limits/LimitTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

namespace {

CLimitLine* LineOf(CQXTrace* pParent, bool bMax)
{
    if (!pParent) return nullptr;
    return dynamic_cast<CLimitLine*>(bMax ? pParent->GetMaxLimitLine() : pParent->GetMinLimitLine());
}

TraceType LineType(bool bMax) { return bMax ? TT_MAXLIMITLINE : TT_MINLIMITLINE; }

// The draw points split where each segment starts.
std::vector<std::vector<SDrawPoint>> Polylines(const std::vector<SDrawPoint>& aPoints)
{
    std::vector<std::vector<SDrawPoint>> aLines;
    for (const SDrawPoint& point : aPoints) {
        if (!point.bValid) continue;
        if (!point.bConnected || aLines.empty()) aLines.emplace_back();
        aLines.back().push_back(point);
    }
    return aLines;
}

} // namespace

CLimitLineManager::CLimitLineManager(CGraphFrame& frame) : m_frame(frame), m_bar(*this) {}

CLimitLineManager::~CLimitLineManager() = default;

// ---- Entry -----------------------------------------------------------------------

bool CLimitLineManager::EditLimitLine(CGraphFrame& frame, CQXTrace* pTrace)
{
    if (!pTrace) return false;
    CQXTrace* pParent = pTrace;
    bool bMax = true;
    bool bDraw = true;
    if (auto* pLine = dynamic_cast<CLimitLine*>(pTrace)) {
        pParent = pLine->GetTrace();
        bMax = pLine->IsMaxLimit() != 0;
        if (!pParent) return false;
    } else {
        CLimitLineOptionsDlg dialog(bMax, bDraw);
        if (DoModalDialog(dialog) != IDOK) return false;
        bMax = dialog.IsMax();
        bDraw = dialog.IsDraw();
    }
    if (!bDraw) {
        CLimitLineManager copier(frame);
        copier.Initialise(pParent, bMax);
        return copier.CreateFromTrace();
    }
    std::unique_ptr<CLimitLineManager> pManager(new (std::nothrow) CLimitLineManager(frame));
    if (!pManager) {
        PostAppMessage(0x8004, IDS_ERROR_OUTOFMEMORY, 0);
        return false;
    }
    CLimitLineManager* pMode = pManager.get();
    pMode->Initialise(pParent, bMax);
    if (!frame.StartMode(std::move(pManager), 0)) return false;
    if (pMode->StartDrawingMode()) return true;
    frame.EndMode(pMode);
    return false;
}

void CLimitLineManager::Install(CGraphFrame& frame)
{
    frame.SetCommand({ID_TRACE_LIMITLINE, [&frame](CQXTrace* pTrace) { return EditLimitLine(frame, pTrace); },
                      [&frame](CQXTrace* pTrace) {
                          const bool bShown = pTrace && pTrace->IsInUse() && pTrace->IsOn();
                          return SCommandStatus{bShown && !frame.InLimitLineDrawingMode(),
                                                frame.InLimitLineDrawingMode()};
                      }});
}

void CLimitLineManager::Initialise(CQXTrace* pParent, bool bMax)
{
    m_pParent = pParent;
    m_bMax = bMax;
    m_aEvents.clear();
    if (const CEventManager* pEvents = GetEventManager(); pEvents && pParent)
        for (int iKind : {EVENT_MIN_LIMIT_BREACHED, EVENT_MAX_LIMIT_BREACHED})
            if (SEventDetails details; pEvents->GetEventDetails(iKind, reinterpret_cast<LPARAM>(pParent), details))
                m_aEvents.push_back(details);
    // Before the mode starts: a bar shown when it starts finds its units.
    m_bar.InitControls();
}

bool CLimitLineManager::CreateFromTrace()
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!m_pParent || !pDoc) return false;
    // The trace is off while its data is copied; it and the lines that
    // were on come back on whichever way this ends.
    CQXTrace* apLines[] = {m_pParent->GetMinLimitLine(), m_pParent->GetMaxLimitLine()};
    const bool bWasOn = m_pParent->IsOn();
    const bool bWasCurrent = pDoc->GetCurrentTrace() == m_pParent;
    bool abLineWasOn[2] = {apLines[0] && apLines[0]->IsOn(), apLines[1] && apLines[1]->IsOn()};
    if (bWasOn) pDoc->TraceOff(m_pParent, 1);
    const bool bMade = CopyIntoNewLine();
    if (bMade) abLineWasOn[m_bMax ? 1 : 0] = false; // the new line was switched on when attached
    if (bWasOn && !m_pParent->IsOn()) pDoc->TraceOn(m_pParent, 1);
    for (int i = 0; i < 2; ++i)
        if (abLineWasOn[i] && (i ? m_pParent->GetMaxLimitLine() : m_pParent->GetMinLimitLine()) == apLines[i] &&
            !apLines[i]->IsOn())
            pDoc->TraceOn(apLines[i], 1);
    if (bMade || bWasCurrent) pDoc->SetCurrentTrace(m_pParent, 1);
    RestoreEvents();
    return bMade;
}

bool CLimitLineManager::CopyIntoNewLine()
{
    CGraphDoc* pDoc = GetGraphDoc();
    const TraceType eType = LineType(m_bMax);
    if (CLimitLine* pOld = LineOf(m_pParent, m_bMax); pOld && pOld->HasLimitTable()) {
        if (AfxMessageBox(LoadResString(IDS_LIMIT_EXISTS_AS_TABLE), MB_YESNO) != IDYES) return false;
        m_pParent->SetLimitLineForTrace(nullptr, eType, 0, 1, 0);
    }
    std::unique_ptr<CLimitLine> pLine(new (std::nothrow) CLimitLine(m_pParent, m_bMax ? 1 : 0, 0));
    if (!pLine) {
        PostAppMessage(0x8004, IDS_ERROR_OUTOFMEMORY, 0);
        return false;
    }
    if (!pLine->CopyDataFromTrace()) return false;
    pLine->SetTraceID(pDoc->GetNextTraceID());
    // A trace-data line there already is replaced without asking: the options said so.
    if (!m_pParent->SetLimitLineForTrace(pLine.get(), eType, 1, 1, 0)) return false;
    pLine.release();
    return true;
}

void CLimitLineManager::RestoreEvents() const
{
    CEventManager* pEvents = GetEventManager();
    if (!pEvents || !m_pParent) return;
    for (const SEventDetails& e : m_aEvents) {
        const CQXTrace* pLine =
            e.iKind == EVENT_MAX_LIMIT_BREACHED ? m_pParent->GetMaxLimitLine() : m_pParent->GetMinLimitLine();
        if (pLine && pLine->IsOn())
            pEvents->AddEvent(e.iKind, e.sText, e.lParam, e.bEnabled, e.bStateFlag1, e.bStateFlag2, e.bActive,
                              e.iState, e.iAction, e.iRepeat);
    }
}

bool CLimitLineManager::StartDrawingMode()
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!m_pParent || !pDoc) return false;
    if (!m_pParent->IsOn()) pDoc->TraceOn(m_pParent, 1);
    if (pDoc->GetCurrentTrace() != m_pParent) pDoc->SetCurrentTrace(m_pParent, 1);
    CLimitLine* pOld = LineOf(m_pParent, m_bMax);
    if (pOld && !pOld->HasLimitTable() && pOld->HasTraceData() &&
        AfxMessageBox(LoadResString(IDS_LIMIT_EXISTS_AS_DATA), MB_YESNO) != IDYES)
        return false;
    m_iXUnit = m_pParent->GetXUnit();
    if (pOld && pOld->HasLimitTable()) ConvertLimitTableToDrawPoints(*pOld->GetLimitTable());
    m_pOldLine = pOld;
    m_bOldLineWasOn = pOld && pOld->IsOn();
    m_crDraw = pOld ? pOld->GetScreenColor() : pDoc->GetDefaultTraceColor(LineType(m_bMax), 0);
    m_bDrawing = true;
    m_bar.NotifyChanged();
    ShowFloatingToolbars();
    // The old line leaves the graph and the legend while its points are edited.
    pDoc->UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    return true;
}

// ---- Finishing and leaving -----------------------------------------------------------

void CLimitLineManager::OnOK()
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!m_pParent || !pDoc) return Leave(true);
    const TraceType eType = LineType(m_bMax);
    const bool bAnyPoint = std::any_of(m_aPoints.begin(), m_aPoints.end(), [](const SDrawPoint& p) { return p.bValid; });
    if (!bAnyPoint) {
        // Nothing drawn: a deleted line goes, any other stays as it was.
        if (m_bDeleteLine && m_pOldLine) {
            m_pOldLine = nullptr;
            m_pParent->SetLimitLineForTrace(nullptr, eType, 0, 1, 0);
            return Leave(false);
        }
        return Leave(true);
    }
    CLimitLine* pLine = m_pOldLine;
    std::unique_ptr<CLimitLine> pNew;
    if (!pLine) {
        pNew.reset(new (std::nothrow) CLimitLine(m_pParent, m_bMax ? 1 : 0, 0));
        if (!pNew) {
            PostAppMessage(0x8004, IDS_ERROR_OUTOFMEMORY, 0);
            return;
        }
        pLine = pNew.get();
    }
    pLine->RemoveTraceData();
    CLimitTable* pTable = pLine->EnsureLimitTable();
    if (!pTable) return; // reported; the mode goes on
    ConvertDrawPointsToLimitTable(*pTable);
    pLine->SetUnitsCreated(pTable->GetXUnit(), pTable->GetYUnit());
    pLine->SetTraceID(pDoc->GetNextTraceID());
    m_pOldLine = nullptr;
    if (!m_pParent->SetLimitLineForTrace(pLine, eType, 1, 1, 0)) return;
    pNew.release();
    pLine->RecalcTrace();
    Leave(false);
}

void CLimitLineManager::OnCancel()
{
    if (m_bChanged && AfxMessageBox(LoadResString(IDS_LIMIT_CONFIRM_CANCEL), MB_YESNO) != IDYES) return;
    Leave(true);
}

bool CLimitLineManager::RequestLeave(int iMessageId)
{
    if (!m_bDrawing || !m_bChanged) {
        Leave(true);
        return true;
    }
    switch (AfxMessageBox(LoadResString(iMessageId ? iMessageId : IDS_LIMIT_EXIT_DRAWING_TO_PRINT), MB_YESNOCANCEL)) {
    case IDYES: OnOK(); return !m_bDrawing;
    case IDNO: Leave(true); return true;
    default: return false;
    }
}

void CLimitLineManager::Leave(bool bRestoreOld)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (bRestoreOld && m_pOldLine && pDoc && !m_pOldLine->IsOn()) pDoc->TraceOn(m_pOldLine, 0);
    m_pOldLine = nullptr;
    m_bDrawing = false;
    m_iDragPoint = -1;
    m_bPressed = false;
    HideFloatingToolbars();
    RestoreEvents();
    m_frame.EndMode(this);
    if (pDoc) pDoc->UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
}

// ---- Points --------------------------------------------------------------------------

void CLimitLineManager::RememberForUndo()
{
    m_aUndo.push_back({m_aPoints, m_bSegmentInProgress});
    if (m_aUndo.size() > kHistoryDepth) m_aUndo.erase(m_aUndo.begin());
    m_aRedo.clear();
}

void CLimitLineManager::Changed()
{
    m_bChanged = true;
    m_bar.NotifyChanged();
    Redraw();
}

void CLimitLineManager::Redraw() const
{
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(UPDATE_GRAPH_TRACES, nullptr);
}

bool CLimitLineManager::CanEndSegment() const
{
    return m_bSegmentInProgress && !m_aPoints.empty() && m_aPoints.back().bConnected;
}

bool CLimitLineManager::OnEndSegment()
{
    if (!CanEndSegment()) return false;
    RememberForUndo();
    m_bSegmentInProgress = false;
    Changed();
    return true;
}

bool CLimitLineManager::OnUndo()
{
    if (m_aUndo.empty()) return false;
    m_aRedo.push_back({m_aPoints, m_bSegmentInProgress});
    m_aPoints = std::move(m_aUndo.back().aPoints);
    m_bSegmentInProgress = m_aUndo.back().bSegmentInProgress;
    m_aUndo.pop_back();
    Changed();
    return true;
}

bool CLimitLineManager::OnRedo()
{
    if (m_aRedo.empty()) return false;
    m_aUndo.push_back({m_aPoints, m_bSegmentInProgress});
    m_aPoints = std::move(m_aRedo.back().aPoints);
    m_bSegmentInProgress = m_aRedo.back().bSegmentInProgress;
    m_aRedo.pop_back();
    Changed();
    return true;
}

bool CLimitLineManager::OnDeleteLine()
{
    if (m_aPoints.empty()) return false;
    if (AfxMessageBox(LoadResString(IDS_LIMIT_CONFIRM_DELETE), MB_YESNO) != IDYES) return false;
    RememberForUndo();
    m_aPoints.clear();
    m_bSegmentInProgress = false;
    m_bDeleteLine = true;
    Changed();
    return true;
}

void CLimitLineManager::ConvertDrawPointsToLimitTable(CLimitTable& table) const
{
    table.Initialise();
    if (!m_pParent) return;
    const TraceType eType = m_pParent->GetTraceType();
    const int iYUnit = m_pParent->GetYUnit();
    table.SetXUnit(m_iXUnit);
    table.SetYUnit(iYUnit);
    const bool bSigned = CLimitTable::GetPolarity(eType, 0.0) != POLARITY_NONE;
    // Each segment runs one way in X; drawn leftwards, it is stored
    // rightwards, and segments go in by where they start, so that each
    // point's connected flag still means the point before it in the table.
    auto aLines = Polylines(m_aPoints);
    for (auto& aLine : aLines)
        if (aLine.front().dX > aLine.back().dX) std::reverse(aLine.begin(), aLine.end());
    std::stable_sort(aLines.begin(), aLines.end(),
                     [](const auto& a, const auto& b) { return a.front().dX < b.front().dX; });
    for (const auto& aLine : aLines) {
        double dLastX = aLine.front().dX;
        for (size_t k = 0; k < aLine.size(); ++k) {
            const SDrawPoint& point = aLine[k];
            // Points of one column drawn at another zoom never step back.
            dLastX = std::max(dLastX, point.dX);
            const double dData = bSigned ? std::fabs(point.dYData) : point.dYData;
            table.AddPoint(dLastX, m_pParent->GetYValueForData(dData, iYUnit, 0, 0), k > 0 ? 1 : 0,
                           CLimitTable::GetPolarity(eType, point.dYData));
        }
    }
}

void CLimitLineManager::ConvertLimitTableToDrawPoints(const CLimitTable& table)
{
    m_aPoints.clear();
    m_bSegmentInProgress = false;
    if (!m_pParent) return;
    if (m_iXUnit == -1) m_iXUnit = m_pParent->GetXUnit();
    for (int i = 0; i < table.GetNumPoints(); ++i) {
        LimitTablePoint point;
        table.GetPoint(i, &point);
        SDrawPoint draw;
        draw.dX = table.GetXUnit() == m_iXUnit
                      ? point.dX
                      : m_pParent->GetXValueAtPos(m_pParent->GetXPosForValue(point.dX, table.GetXUnit()), m_iXUnit);
        draw.dYData = table.GetYDataAtPos(i, m_pParent);
        draw.bConnected = i > 0 && point.bConnected ? 1 : 0;
        draw.bValid = draw.dYData != DBL_MAX;
        m_aPoints.push_back(draw);
    }
}

// ---- Geometry --------------------------------------------------------------------------

bool CLimitLineManager::InPlot(CPoint point) const
{
    if (!m_pParent) return false;
    // Only in the view that shows the trace.
    if (CGraphView* pView = GetEventView(); pView && m_frame.GetTraceView(m_pParent) != pView) return false;
    const CRect& rc = m_pParent->GetDrawRect();
    return !rc.IsRectEmpty() && point.x >= rc.left && point.x <= rc.right && point.y >= rc.top && point.y <= rc.bottom;
}

SDrawPoint CLimitLineManager::PointAt(CPoint point) const
{
    SDrawPoint draw;
    draw.dX = m_pParent->GetXValueAtPoint(point.x);
    draw.dYData = m_pParent->GetYDataAtPoint(point.y);
    return draw;
}

int CLimitLineManager::ColumnOf(double dX) const { return m_pParent->GetXPointForValue(dX, m_iXUnit); }

CPoint CLimitLineManager::DevicePoint(const SDrawPoint& point) const
{
    return CPoint(m_pParent->GetDrawRect().left + ColumnOf(point.dX),
                  m_pParent->GetYOrigin() - m_pParent->GetYPointForData(point.dYData));
}

std::vector<CLimitLineManager::SRange> CLimitLineManager::Ranges(int iSkip) const
{
    std::vector<SRange> aRanges;
    const int n = static_cast<int>(m_aPoints.size());
    const auto Connected = [&](int i) { return i > 0 && i < n && m_aPoints[static_cast<size_t>(i)].bConnected; };
    const auto Column = [&](int i) { return ColumnOf(m_aPoints[static_cast<size_t>(i)].dX); };
    for (int i = 0; i < n; ++i) {
        if (Connected(i) && i != iSkip && i - 1 != iSkip) aRanges.push_back({Column(i - 1), Column(i)});
        if (!Connected(i) && !Connected(i + 1) && i != iSkip) aRanges.push_back({Column(i), Column(i)});
    }
    return aRanges;
}

bool CLimitLineManager::ConflictsWithAny(const SRange& range, const std::vector<SRange>& aOthers)
{
    return std::any_of(aOthers.begin(), aOthers.end(), [&](const SRange& other) {
        return ColumnRangesConflict(range.iFrom, range.iTo, other.iFrom, other.iTo);
    });
}

bool CLimitLineManager::DrawingHereOK(CPoint point) const
{
    if (!InPlot(point)) return false;
    const int iColumn = ColumnOf(PointAt(point).dX);
    const int iFrom = m_bSegmentInProgress && !m_aPoints.empty() ? ColumnOf(m_aPoints.back().dX) : iColumn;
    return !ConflictsWithAny({iFrom, iColumn}, Ranges(-1));
}

bool CLimitLineManager::DraggingHereOK(int iPoint, CPoint point) const
{
    const int n = static_cast<int>(m_aPoints.size());
    if (iPoint < 0 || iPoint >= n || !InPlot(point)) return false;
    const int iColumn = ColumnOf(PointAt(point).dX);
    std::vector<SRange> aMoved;
    if (iPoint > 0 && m_aPoints[static_cast<size_t>(iPoint)].bConnected)
        aMoved.push_back({ColumnOf(m_aPoints[static_cast<size_t>(iPoint - 1)].dX), iColumn});
    if (iPoint + 1 < n && m_aPoints[static_cast<size_t>(iPoint + 1)].bConnected)
        aMoved.push_back({iColumn, ColumnOf(m_aPoints[static_cast<size_t>(iPoint + 1)].dX)});
    if (aMoved.empty()) aMoved.push_back({iColumn, iColumn});
    const std::vector<SRange> aOthers = Ranges(iPoint);
    for (const SRange& range : aMoved)
        if (ConflictsWithAny(range, aOthers)) return false;
    return aMoved.size() < 2 || !ColumnRangesConflict(aMoved[0].iFrom, aMoved[0].iTo, aMoved[1].iFrom, aMoved[1].iTo);
}

int CLimitLineManager::PointHitTest(CPoint point) const
{
    int iBest = -1;
    int iBestDistance = kHitRadius + 1;
    for (size_t i = 0; i < m_aPoints.size(); ++i) {
        if (!m_aPoints[i].bValid) continue;
        const CPoint pt = DevicePoint(m_aPoints[i]);
        const int iDistance = std::max(std::abs(pt.x - point.x), std::abs(pt.y - point.y));
        if (iDistance < iBestDistance) {
            iBest = static_cast<int>(i);
            iBestDistance = iDistance;
        }
    }
    return iBest;
}

// ---- Mouse -----------------------------------------------------------------------------

bool CLimitLineManager::OnLButtonDown(UINT, CPoint point)
{
    if (!m_bDrawing || !InPlot(point)) return false;
    m_bPressed = true;
    m_iDragPoint = m_bSegmentInProgress ? -1 : PointHitTest(point);
    if (m_iDragPoint >= 0) m_aUndo.push_back({m_aPoints, m_bSegmentInProgress});
    return true;
}

bool CLimitLineManager::OnMouseMove(UINT, CPoint point)
{
    if (!m_bDrawing) return false;
    const bool bInPlot = InPlot(point);
    UpdateBar(point, bInPlot);
    if (m_iDragPoint >= 0) {
        if (DraggingHereOK(m_iDragPoint, point)) {
            SDrawPoint& dragged = m_aPoints[static_cast<size_t>(m_iDragPoint)];
            const SDrawPoint moved = PointAt(point);
            dragged.dX = moved.dX;
            dragged.dYData = moved.dYData;
            Redraw();
        }
        return true;
    }
    const CPoint ptWas = m_ptHover;
    m_ptHover = bInPlot ? point : CPoint(-1, -1);
    if (m_bSegmentInProgress && m_ptHover != ptWas) Redraw();
    return bInPlot || m_bPressed;
}

bool CLimitLineManager::OnLButtonUp(UINT uFlags, CPoint point)
{
    if (!m_bPressed) return false;
    m_bPressed = false;
    if (m_iDragPoint >= 0) {
        OnMouseMove(uFlags, point);
        m_iDragPoint = -1;
        // The press remembered the points; a drag that moved nothing leaves no undo step.
        if (m_aUndo.back().aPoints == m_aPoints) {
            m_aUndo.pop_back();
        } else {
            if (m_aUndo.size() > kHistoryDepth) m_aUndo.erase(m_aUndo.begin());
            m_aRedo.clear();
            Changed();
        }
        return true;
    }
    if (!DrawingHereOK(point)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return true;
    }
    RememberForUndo();
    SDrawPoint added = PointAt(point);
    added.bConnected = m_bSegmentInProgress ? 1 : 0;
    m_aPoints.push_back(added);
    m_bSegmentInProgress = true;
    Changed();
    return true;
}

bool CLimitLineManager::OnLButtonDblClk(UINT, CPoint point)
{
    // The second press of a double click is a press like any other.
    return OnLButtonDown(0, point);
}

void CLimitLineManager::UpdateBar(CPoint point, bool bInPlot)
{
    if (!bInPlot) {
        m_bar.UpdateCursorPos(0, DBL_MAX, false);
        return;
    }
    m_bar.UpdateCursorPos(point.x - m_pParent->GetDrawRect().left, m_pParent->GetYDataAtPoint(point.y), true);
}

// ---- Commands, menu, drawing -------------------------------------------------------------

bool CLimitLineManager::OnCmdMsg(UINT uID, int, void*)
{
    if (!m_bDrawing) return false;
    switch (uID) {
    case ID_LIMIT_FINISH: OnOK(); return true;
    case ID_LIMIT_CANCEL: OnCancel(); return true;
    case ID_LIMIT_END_SEGMENT: OnEndSegment(); return true;
    case ID_LIMIT_UNDO: OnUndo(); return true;
    case ID_LIMIT_REDO: OnRedo(); return true;
    case ID_LIMIT_DELETE_LINE: OnDeleteLine(); return true;
    case ID_TRACE_REMOVE:
        // Removing a trace ends the drawing, after asking; No keeps both.
        if (AfxMessageBox(LoadResString(IDS_LIMIT_CONFIRM_REMOVE_TRACE), MB_YESNO) != IDYES) return true;
        Leave(true);
        return false;
    default: return false;
    }
}

bool CLimitLineManager::FillContextMenu(CMenuItems& items)
{
    if (!m_bDrawing) return false;
    items = {{L"Finish", ID_LIMIT_FINISH, true, false, {}},
             {L"Cancel", ID_LIMIT_CANCEL, true, false, {}},
             {L"End segment", ID_LIMIT_END_SEGMENT, CanEndSegment(), false, {}},
             {L"Undo", ID_LIMIT_UNDO, CanUndo(), false, {}},
             {L"Redo", ID_LIMIT_REDO, CanRedo(), false, {}},
             {L"Delete line", ID_LIMIT_DELETE_LINE, HasPoints(), false, {}}};
    return true;
}

bool CLimitLineManager::IsTraceHidden(const CQXTrace* pTrace) const { return m_bDrawing && pTrace == m_pOldLine; }

bool CLimitLineManager::DrawTrace(CDC*, CQXTrace* pTrace) { return IsTraceHidden(pTrace); }

bool CLimitLineManager::OnRemoveTrace(CQXTrace* pTrace)
{
    if (pTrace == m_pOldLine) m_pOldLine = nullptr;
    if (pTrace == m_pParent && m_bDrawing) Leave(false);
    return false;
}

bool CLimitLineManager::OnUpdate(CGraphView*, int iHint, CObject* pObject)
{
    if (iHint == UPDATE_TRACE_REMOVE) OnRemoveTrace(dynamic_cast<CQXTrace*>(pObject));
    return false;
}

bool CLimitLineManager::OnDraw(CGraphView* pView, CDC* pDC)
{
    if (!m_bDrawing || !pDC || !m_pParent || m_frame.GetTraceView(m_pParent) != pView) return false;
    const int iSaved = pDC->SaveDC();
    const CRect& rc = m_pParent->GetDrawRect();
    pDC->IntersectClipRect(rc.left, rc.top, rc.right + 1, rc.bottom + 1);
    pDC->SelectObject(CPen(PS_SOLID, 1, m_crDraw));
    pDC->SelectObject(CBrush::FromStock(NULL_BRUSH));
    for (const auto& aLine : Polylines(m_aPoints)) {
        std::vector<CPoint> aDevice;
        for (const SDrawPoint& point : aLine) aDevice.push_back(DevicePoint(point));
        if (aDevice.size() > 1) pDC->Polyline(aDevice.data(), static_cast<int>(aDevice.size()));
        for (const CPoint& pt : aDevice) pDC->Rectangle(pt.x - 2, pt.y - 2, pt.x + 3, pt.y + 3);
    }
    // The segment the next press would add.
    if (m_bSegmentInProgress && !m_aPoints.empty() && m_ptHover != CPoint(-1, -1)) {
        pDC->SelectObject(CPen(PS_DOT, 1, m_crDraw));
        pDC->MoveTo(DevicePoint(m_aPoints.back()));
        pDC->LineTo(m_ptHover);
    }
    pDC->RestoreDC(iSaved);
    return true;
}
