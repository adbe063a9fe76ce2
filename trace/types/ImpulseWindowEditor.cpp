#include "trace/types/ImpulseWindowEditor.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/units/UnitSet.h"
#include "host/units/UnitSets.h"
#include "platform/DC.h"
#include "resources/StringTable.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/types/ImpulseWindowFunction.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

CImpulseWindowFunction* WindowTraceOf(CGraphDoc* pDoc, ChannelNumber eChannel)
{
    return pDoc ? dynamic_cast<CImpulseWindowFunction*>(pDoc->GetTraceFromArray(eChannel, TT_WINDOW, 1, 0)) : nullptr;
}

int BinPropertyId(CImpulseWindowBar::EBin eBin, int iChannel)
{
    switch (eBin) {
    case CImpulseWindowBar::BIN_START: return CImpulseResponseSettings::StartPropertyId(iChannel);
    case CImpulseWindowBar::BIN_MID: return CImpulseResponseSettings::MidPropertyId(iChannel);
    default: return CImpulseResponseSettings::EndPropertyId(iChannel);
    }
}

} // namespace

// ---- The bar -----------------------------------------------------------------------

CString CImpulseWindowBar::GetTitle() const
{
    const int iChannels = m_editor.IsTied() ? IDS_IMPULSE_CHANNELS_TIED
                          : m_editor.GetChannel() == CHANNEL_B ? IDS_IMPULSE_CHANNEL_B
                                                               : IDS_IMPULSE_CHANNEL_A;
    CString sTitle;
    sTitle.Format(L"Edit Impulse Window - %s", LoadResString(iChannels).GetString());
    return sTitle;
}

CString CImpulseWindowBar::GetBinText(EBin eBin) const
{
    const CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
    if (!pSettings) return CString();
    CString sText;
    sText.Format(L"%.6g", pSettings->GetPropertyAsDouble(BinPropertyId(eBin, m_editor.GetChannel()), m_editor.GetBinUnit()));
    return sText;
}

bool CImpulseWindowBar::OnBinTyped(EBin eBin, const CString& sText)
{
    const CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
    const wchar_t* szText = sText.GetString();
    wchar_t* pEnd = nullptr;
    const double dTyped = std::wcstod(szText, &pEnd);
    double dBins = 0.0;
    bool bAccepted = pSettings && pEnd != szText && std::isfinite(dTyped) &&
                     pSettings->ConvertValue(BinPropertyId(eBin, m_editor.GetChannel()), dTyped, m_editor.GetBinUnit(),
                                             UNIT_BINS, dBins) &&
                     std::fabs(dBins) < 2147483647.0;
    if (bAccepted) {
        // Toward zero: a time between two bins names the earlier one.
        const int iBin = static_cast<int>(std::trunc(dBins));
        bAccepted = eBin == BIN_START ? m_editor.SetStartBin(iBin)
                    : eBin == BIN_MID ? m_editor.SetMidBin(iBin)
                                      : m_editor.SetEndBin(iBin);
    }
    if (!bAccepted) MessageBeep(0);
    NotifyChanged();
    return bAccepted;
}

std::vector<CString> CImpulseWindowBar::GetWindowFunctionNames() const
{
    std::vector<CString> asNames;
    for (const auto& choice : CImpulseResponseSettings::GetWindowChoices()) asNames.emplace_back(choice.szName);
    return asNames;
}

int CImpulseWindowBar::GetWindowFunctionIndex() const
{
    const auto& aChoices = CImpulseResponseSettings::GetWindowChoices();
    const WINDOWFUNCTION eWindow = m_editor.GetWorkingDetails().GetWindowFunction();
    const auto it = std::find_if(aChoices.begin(), aChoices.end(), [eWindow](const auto& c) { return c.eWindow == eWindow; });
    return it == aChoices.end() ? -1 : static_cast<int>(it - aChoices.begin());
}

bool CImpulseWindowBar::SetWindowFunctionIndex(int iIndex)
{
    const auto& aChoices = CImpulseResponseSettings::GetWindowChoices();
    if (iIndex < 0 || iIndex >= static_cast<int>(aChoices.size())) return false;
    const bool bAccepted = m_editor.SetWindowFunction(aChoices[static_cast<size_t>(iIndex)].eWindow);
    NotifyChanged();
    return bAccepted;
}

const std::vector<EUnit>& CImpulseWindowBar::GetBinUnits() const
{
    static const std::vector<EUnit> s_aeUnits = [] {
        const CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
        const CUnitSet* pSet = pSettings ? GetUnitSet(pSettings->GetPropertyUnitSet(PROP_IR_START_CHA)) : nullptr;
        return pSet ? pSet->GetUnits() : std::vector<EUnit>{UNIT_MS};
    }();
    return s_aeUnits;
}

int CImpulseWindowBar::GetBinUnitIndex() const
{
    const auto& aeUnits = GetBinUnits();
    const auto it = std::find(aeUnits.begin(), aeUnits.end(), m_editor.GetBinUnit());
    return it == aeUnits.end() ? 0 : static_cast<int>(it - aeUnits.begin());
}

bool CImpulseWindowBar::SetBinUnitIndex(int iIndex)
{
    const auto& aeUnits = GetBinUnits();
    if (iIndex < 0 || iIndex >= static_cast<int>(aeUnits.size())) return false;
    m_editor.SetBinUnit(aeUnits[static_cast<size_t>(iIndex)]);
    NotifyChanged();
    return true;
}

// ---- Entry ------------------------------------------------------------------------------

CImpulseWindowEditor::CImpulseWindowEditor(CGraphFrame& frame, ChannelNumber eChannel)
    : m_frame(frame), m_bar(*this), m_eChannel(eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A),
      m_iChannelMode(m_eChannel)
{
}

int CImpulseWindowEditor::ChannelMode(int iDefault)
{
    const CSignalAnalyserSettings* pSettings = GetSignalAnalyserSettings();
    const int iMode = pSettings ? pSettings->GetChannelMode() : iDefault;
    return iMode >= 0 && iMode <= 2 ? iMode : iDefault;
}

bool CImpulseWindowEditor::IsEditedTrace(const CObject* pTrace) const
{
    return pTrace && (pTrace == m_pImpulseTrace || pTrace == m_pOtherChannelImpulseTrace);
}

bool CImpulseWindowEditor::StartEditing(CGraphFrame& frame, CQXTrace* pTrace)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || frame.InImpulseWindowEditingMode()) return false;
    const ChannelNumber eTraceChannel = pTrace && pTrace->GetChannel() == CHANNEL_B ? CHANNEL_B : CHANNEL_A;
    // The channel the selection edits: B alone, else A.
    const ChannelNumber eChannel = ChannelMode(eTraceChannel) == 1 ? CHANNEL_B : CHANNEL_A;
    // The other mode leaves first, so that staying in it makes no window trace.
    if (CFrameMode* pOther = frame.GetMode(); pOther && !pOther->RequestLeave(IDS_LIMIT_EXIT_DRAWING_TO_EDIT)) return false;
    if (!WindowTraceOf(pDoc, eChannel) && !pDoc->CreateWindowFunction(eChannel, 1, 0, CString(), 1)) return false;
    auto pEditor = std::make_unique<CImpulseWindowEditor>(frame, eTraceChannel);
    if (!pEditor->UpdateFromSettings(true)) return false;
    CImpulseWindowFunction* apWindows[] = {pEditor->GetTrace(), pEditor->GetOtherChannelTrace()};
    if (!frame.StartMode(std::move(pEditor), IDS_LIMIT_EXIT_DRAWING_TO_EDIT)) return false;
    for (CImpulseWindowFunction* pWindow : apWindows)
        if (pWindow && !pWindow->IsOn()) pDoc->TraceOn(pWindow, 1);
    pDoc->GetOLEData().SetEditImpulseWindow(1);
    pDoc->UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    return true;
}

void CImpulseWindowEditor::StopEditing(CGraphFrame& frame)
{
    if (auto* pEditor = dynamic_cast<CImpulseWindowEditor*>(frame.GetMode())) pEditor->Apply(true);
}

void CImpulseWindowEditor::Install(CGraphFrame& frame)
{
    frame.SetCommand({ID_TRACE_IMPULSEWINDOW,
                      [&frame](CQXTrace* pTrace) {
                          // The command again ends editing as Finish does.
                          if (!frame.InImpulseWindowEditingMode()) return StartEditing(frame, pTrace);
                          StopEditing(frame);
                          return true;
                      },
                      [&frame](CQXTrace* pTrace) {
                          return SCommandStatus{pTrace && pTrace->IsInUse(), frame.InImpulseWindowEditingMode()};
                      }});
}

bool CImpulseWindowEditor::OnHostMessage(CGraphFrame& frame, unsigned uMessage)
{
    if (uMessage == APPMSG_START_IMPULSE_EDIT) {
        CGraphDoc* pDoc = GetGraphDoc();
        StartEditing(frame, pDoc ? pDoc->GetCurrentTrace() : nullptr);
        return true;
    }
    if (uMessage == APPMSG_END_IMPULSE_EDIT) {
        StopEditing(frame);
        return true;
    }
    return false;
}

bool CImpulseWindowEditor::UpdateFromSettings(bool bFirst)
{
    m_iChannelMode = ChannelMode(m_iChannelMode);
    m_eChannel = m_iChannelMode == 1 ? CHANNEL_B : CHANNEL_A;
    CGraphDoc* pDoc = GetGraphDoc();
    m_pImpulseTrace = WindowTraceOf(pDoc, m_eChannel);
    m_pOtherChannelImpulseTrace = m_iChannelMode == 2 ? WindowTraceOf(pDoc, CHANNEL_B) : nullptr;
    const CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
    if (!m_pImpulseTrace || !pSettings) return false;
    m_WorkingDetails = pSettings->GetImpulseWindowDetails(m_eChannel);
    m_eBinUnit = static_cast<EUnit>(pSettings->GetPropertyAsInt(PROP_IR_BIN_UNIT));
    m_bTied = pSettings->GetPropertyAsBool(PROP_IR_TIED);
    if (bFirst) {
        m_SavedDetails = m_WorkingDetails;
        m_eSavedBinUnit = m_eBinUnit;
        m_bSavedTied = m_bTied;
    }
    m_bar.NotifyChanged();
    return true;
}

// ---- Changes ------------------------------------------------------------------------------

bool CImpulseWindowEditor::SetStartBin(int iBin)
{
    if (!m_WorkingDetails.SetStartBin(iBin, true)) return false;
    ChangeStep();
    return true;
}

bool CImpulseWindowEditor::SetMidBin(int iBin)
{
    if (!m_WorkingDetails.SetMidBin(iBin, true)) return false;
    ChangeStep();
    return true;
}

bool CImpulseWindowEditor::SetEndBin(int iBin)
{
    if (!m_WorkingDetails.SetEndBin(iBin, true)) return false;
    ChangeStep();
    return true;
}

bool CImpulseWindowEditor::SetHalfWindow(bool bHalf)
{
    if (!m_WorkingDetails.SetHalfWindow(bHalf)) return false;
    ChangeStep();
    return true;
}

bool CImpulseWindowEditor::SetWindowFunction(WINDOWFUNCTION eWindow)
{
    if (!m_WorkingDetails.SetWindowFunction(eWindow)) return false;
    ChangeStep();
    return true;
}

bool CImpulseWindowEditor::SetBinUnit(EUnit eUnit)
{
    if (eUnit == m_eBinUnit) return false;
    m_eBinUnit = eUnit;
    ChangeStep();
    return true;
}

bool CImpulseWindowEditor::SetWindowTied(bool bTied)
{
    if (bTied == m_bTied) return false;
    m_bTied = bTied;
    ChangeStep();
    return true;
}

void CImpulseWindowEditor::ChangeStep()
{
    m_bModified = true;
    WriteSettings();
}

void CImpulseWindowEditor::WriteSettings()
{
    CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pSettings || !pDoc) return;
    pSettings->SetImpulseWindowDetails(m_eChannel, m_WorkingDetails, m_eBinUnit, m_bTied);
    FollowSettings();
}

void CImpulseWindowEditor::FollowSettings()
{
    const CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pSettings || !pDoc) return;
    // The window traces follow the settings: the curve moves with the handle.
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        if (CImpulseWindowFunction* pWindow = WindowTraceOf(pDoc, eChannel))
            pWindow->UpdateWindowDetails(pSettings->GetImpulseWindowDetails(eChannel), 0);
    CalcHandles();
    m_bar.NotifyChanged();
    pDoc->UpdateAllViews(UPDATE_GRAPH_TRACES, nullptr);
}

void CImpulseWindowEditor::OnImpulseWindowDetailsChanged()
{
    if (UpdateFromSettings(false)) FollowSettings();
}

void CImpulseWindowEditor::Apply(bool bClose)
{
    WriteSettings();
    if (bClose) End();
}

bool CImpulseWindowEditor::Exit()
{
    if (m_bModified && AfxMessageBox(LoadResString(IDS_IMPULSE_CONFIRM_EXIT), MB_YESNO) != IDYES) return false;
    if (m_bModified) {
        m_WorkingDetails = m_SavedDetails;
        m_eBinUnit = m_eSavedBinUnit;
        m_bTied = m_bSavedTied;
        WriteSettings();
    }
    End();
    return true;
}

bool CImpulseWindowEditor::RequestLeave(int) { return Exit(); }

void CImpulseWindowEditor::End()
{
    if (m_bEnded) return;
    m_bEnded = true;
    m_eDragHandle = HANDLE_NONE;
    CGraphDoc* pDoc = GetGraphDoc();
    if (pDoc) pDoc->GetOLEData().SetEditImpulseWindow(0);
    m_frame.EndMode(this);
    if (pDoc) pDoc->UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
}

// ---- Handles -------------------------------------------------------------------------------

CRect CImpulseWindowEditor::GetHandleRect(EHandle eHandle) const
{
    switch (eHandle) {
    case HANDLE_START: return m_rcStartHandle;
    case HANDLE_MID: return m_rcMidHandle;
    case HANDLE_END: return m_rcEndHandle;
    default: return CRect(-1, -1, -1, -1);
    }
}

void CImpulseWindowEditor::CalcHandles()
{
    CImpulseWindowFunction* pTrace = m_pImpulseTrace;
    if (!pTrace || pTrace->GetDrawRect().IsRectEmpty()) return;
    const auto Handle = [pTrace](int iPos) {
        const int x = pTrace->GetXPointForPos(iPos) + pTrace->GetDrawRect().left;
        const double dData = pTrace->GetYDataAtXPos(iPos, pTrace->HasTransformedYData());
        const int y = pTrace->GetYOrigin() - pTrace->GetYPointForData(dData);
        return CRect(x - kHandleRadius, y - kHandleRadius, x + kHandleRadius, y + kHandleRadius);
    };
    m_rcEndHandle = Handle(m_WorkingDetails.GetEndBin());
    m_rcStartHandle = Handle(m_WorkingDetails.GetStartBin());
    m_rcMidHandle = Handle(m_WorkingDetails.GetMidBin());
    // A half window is open from its start: that handle sits at the end's height.
    if (m_WorkingDetails.GetHalfWindow()) {
        m_rcStartHandle.top = m_rcEndHandle.top;
        m_rcStartHandle.bottom = m_rcEndHandle.bottom;
    }
}

bool CImpulseWindowEditor::DrawTrace(CDC* pDC, CQXTrace* pTrace)
{
    if (!pDC || !m_pImpulseTrace || pTrace != m_pImpulseTrace) return false;
    if (m_pImpulseTrace->GetDataSize() != m_WorkingDetails.GetNumPoints()) UpdateFromSettings(false);
    m_pImpulseTrace->Draw(pDC, 1);
    CalcHandles();
    const CGraphDoc* pDoc = GetGraphDoc();
    const int iSaved = pDC->SaveDC();
    pDC->SelectObject(CPen(PS_SOLID, 1, pDoc ? pDoc->GetCursorColor() : RGB(255, 255, 255)));
    pDC->SelectObject(CBrush::FromStock(NULL_BRUSH));
    pDC->SetROP2(R2_COPYPEN);
    CRect rcMeet;
    for (const CRect& rc : {m_rcStartHandle, m_rcMidHandle, m_rcEndHandle})
        if (rcMeet.IntersectRect(rc, m_pImpulseTrace->GetDrawRect())) pDC->Ellipse(rc);
    pDC->RestoreDC(iSaved);
    return true;
}

bool CImpulseWindowEditor::OnUpdate(CGraphView*, int iHint, CObject* pObject)
{
    // The trace went another way than the menu (a script): the editor goes with it.
    if (iHint == UPDATE_TRACE_REMOVE && IsEditedTrace(pObject)) {
        m_pImpulseTrace = m_pOtherChannelImpulseTrace = nullptr;
        End();
    }
    return false;
}

// ---- Mouse and commands -------------------------------------------------------------------------

CImpulseWindowEditor::EHandle CImpulseWindowEditor::HandleAt(CPoint point) const
{
    if (!m_pImpulseTrace) return HANDLE_NONE;
    if (CGraphView* pView = GetEventView(); pView && m_frame.GetTraceView(m_pImpulseTrace) != pView) return HANDLE_NONE;
    const auto Inside = [&](const CRect& rc) {
        return point.x >= rc.left && point.x <= rc.right && point.y >= rc.top && point.y <= rc.bottom;
    };
    if (!Inside(m_pImpulseTrace->GetDrawRect())) return HANDLE_NONE;
    for (EHandle eHandle : {HANDLE_START, HANDLE_MID, HANDLE_END})
        if (Inside(GetHandleRect(eHandle))) return eHandle;
    return HANDLE_NONE;
}

bool CImpulseWindowEditor::OnSetCursor(CWnd*, UINT, UINT)
{
    return m_eDragHandle != HANDLE_NONE || HandleAt(m_ptMouse) != HANDLE_NONE;
}

bool CImpulseWindowEditor::OnLButtonDown(UINT, CPoint point)
{
    m_eDragHandle = HandleAt(point);
    if (m_eDragHandle == HANDLE_NONE) return false;
    if (CGraphDoc* pDoc = GetGraphDoc(); pDoc && pDoc->GetCurrentTrace() != m_pImpulseTrace)
        pDoc->SetCurrentTrace(m_pImpulseTrace, 1);
    return true;
}

bool CImpulseWindowEditor::OnMouseMove(UINT, CPoint point)
{
    m_ptMouse = point;
    if (m_eDragHandle == HANDLE_NONE || !m_pImpulseTrace) return false;
    const CRect& rcPlot = m_pImpulseTrace->GetDrawRect();
    const int iPos = m_pImpulseTrace->GetXPosAtPoint(std::clamp(point.x, rcPlot.left, rcPlot.right));
    if (iPos < m_pImpulseTrace->GetCurrentMinXPos() || iPos > m_pImpulseTrace->GetCurrentMaxXPos()) return true;
    // A bin the gate refuses (past a neighbour) leaves the handle where it was.
    switch (m_eDragHandle) {
    case HANDLE_START: SetStartBin(iPos); break;
    case HANDLE_MID: SetMidBin(iPos); break;
    default: SetEndBin(iPos); break;
    }
    return true;
}

bool CImpulseWindowEditor::OnLButtonUp(UINT, CPoint)
{
    if (m_eDragHandle == HANDLE_NONE) return false;
    m_eDragHandle = HANDLE_NONE;
    return true;
}

bool CImpulseWindowEditor::OnCmdMsg(UINT uID, int, void*)
{
    switch (uID) {
    case ID_IMPULSE_FINISH: Apply(true); return true;
    case ID_IMPULSE_CANCEL: Exit(); return true;
    case ID_TRACE_REMOVE: {
        if (!IsEditedTrace(m_frame.PeekTraceForCurrentCommand())) return false;
        if (AfxMessageBox(LoadResString(IDS_IMPULSE_CONFIRM_REMOVE_TRACE), MB_YESNO) != IDYES) return true;
        // The editor never outlives its trace: declining to lose the edits keeps them in the settings.
        if (!Exit()) Apply(true);
        return false;
    }
    default: return false;
    }
}
