#include "trace/display/MarkBar.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

namespace {

bool HasData(CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && pTrace->GetDataSize() > 0; }

bool HasCurrentMark(CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && pTrace->GetMark(pTrace->GetCurrentMark()); }

// Where a new mark goes: the cursor's point, else the middle of the window.
int NewMarkPosition(CQXTrace& trace)
{
    if (trace.IsCursorOn() && trace.GetCursor()) return trace.GetCursor()->GetPosition(1);
    return (trace.GetCurrentMinXPos() + trace.GetCurrentMaxXPos()) / 2;
}

bool AddMarkAtCursor(CQXTrace& trace)
{
    const int iMark = trace.AddMark(NewMarkPosition(trace), 1);
    if (iMark == -1) {
        CString sText;
        sText.Format(LoadResString(IDS_MAX_MARKS_REACHED), MAX_MARKS);
        AfxMessageBox(sText, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (iMark == -2) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return false;
    }
    if (iMark < 0) return false;
    trace.MarksOn();
    return true;
}

// The current mark one slot on (iStep 1) or back (-1), round from the last to the first and back.
bool StepCurrentMark(CQXTrace& trace, int iStep)
{
    const int iCount = trace.GetLastMark() + 1;
    const int iMark = (trace.GetCurrentMark() + iStep + iCount) % iCount;
    if (iMark == trace.GetCurrentMark()) return false;
    trace.SetCurrentMark(iMark);
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(UPDATE_TRACE_MARKS, &trace);
    return true;
}

} // namespace

SCommandStatus GetMarkCommandStatus(UINT uCommand, CQXTrace* pTrace)
{
    switch (uCommand) {
    case ID_MARK_ADD: return {HasData(pTrace), false};
    case ID_MARK_REMOVE: return {HasCurrentMark(pTrace) && pTrace->GetShowMarksOnScreen(), false};
    case ID_MARK_REMOVEALL: return {pTrace && pTrace->IsInUse() && pTrace->HasMarks(), false};
    case ID_MARK_NEXT:
    case ID_MARK_PREVIOUS: return {HasCurrentMark(pTrace) && pTrace->GetLastMark() > 0, false};
    case ID_MARK_LABEL: return {HasCurrentMark(pTrace), false};
    case ID_MARK_LISTALL: return {pTrace && pTrace->IsInUse(), false};
    case ID_MARK_HARMONICS: return {HasData(pTrace) && pTrace->IsFFTTrace(), false};
    default: return {};
    }
}

bool ExecuteMarkCommand(UINT uCommand, CQXTrace* pTrace)
{
    if (!GetMarkCommandStatus(uCommand, pTrace).bEnabled) return false;
    switch (uCommand) {
    case ID_MARK_ADD: return AddMarkAtCursor(*pTrace);
    case ID_MARK_REMOVE: return pTrace->RemoveCurrentMark() != 0;
    case ID_MARK_REMOVEALL: pTrace->RemoveAllMarks(1); return true;
    case ID_MARK_NEXT: return StepCurrentMark(*pTrace, 1);
    case ID_MARK_PREVIOUS: return StepCurrentMark(*pTrace, -1);
    case ID_MARK_HARMONICS: return pTrace->ListHarmonics(true);
    default: return false; // the label and the list are the frame's
    }
}

CQXTrace* CMarkBar::GetTrace() const
{
    const CGraphDoc* pDoc = GetGraphDoc();
    return pDoc ? pDoc->GetCurrentTrace() : nullptr;
}

void CMarkBar::Update()
{
    UpdateMarkNumber();
    UpdateMarkLabel();
    if (m_iMark < 0) OnRemoveAllMarks();
    Changed();
}

void CMarkBar::UpdateMarkNumber()
{
    CQXTrace* pTrace = GetTrace();
    m_iMark = HasCurrentMark(pTrace) ? pTrace->GetCurrentMark() : -1;
}

void CMarkBar::UpdateMarkLabel()
{
    CQXTrace* pTrace = GetTrace();
    m_sLabel = pTrace && m_iMark >= 0 ? pTrace->GetMarkLabel(m_iMark, 0) : CString();
}

void CMarkBar::OnRemoveAllMarks()
{
    m_iMark = -1;
    m_sLabel.Empty();
}

CString CMarkBar::GetMarkNumberText() const
{
    CString sText;
    if (m_iMark >= 0) sText.Format(LoadResString(IDS_VALUES_MARK), m_iMark + 1);
    return sText;
}

bool CMarkBar::SetMarkLabel(const CString& sLabel)
{
    CQXTrace* pTrace = GetTrace();
    UpdateMarkNumber();
    if (!pTrace || m_iMark < 0) return false;
    CString sKept = sLabel;
    // The marks hint brings the bar (and the list) the label as kept.
    pTrace->SetMarkLabel(m_iMark, sKept, true);
    m_sLabel = sKept;
    Changed();
    return true;
}
