#include "trace/display/QuickLegend.h"

#include "host/app/AppServices.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

namespace {

SLegendRow MakeRow(CQXTrace* pTrace, const CQXTrace* pCurrent)
{
    SLegendRow row;
    row.pTrace = pTrace;
    row.iOnImage = pTrace->IsOn() ? 11 : 10;
    row.crColor = pTrace->GetScreenColor();
    row.sChannel = pTrace->GetChannel() == CHANNEL_B ? L"B" : L"A";
    row.sName = pTrace->GetTraceName(0, 0, 0);
    // A limit line lives with its trace: it has no copy of its own.
    if (pTrace->CanCopy() && !pTrace->IsLimitLine()) row.iCopyImage = pTrace->IsOn() ? 13 : 14;
    row.bCurrent = pTrace == pCurrent;
    return row;
}

} // namespace

const std::array<SLegendColumn, CQuickLegend::COL_COUNT>& CQuickLegend::GetColumns()
{
    static const std::array<SLegendColumn, COL_COUNT> s_aColumns{{
        {18, 3, true}, {20, 4, true}, {15, 0, false}, {-1, 2, false}, {16, 3, true},
    }};
    return s_aColumns;
}

void CQuickLegend::FillList()
{
    m_aRows.clear();
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return;
    const CQXTrace* pCurrent = pDoc->GetCurrentTrace();
    // A running mode may hide a trace (the limit line whose points are being edited).
    const ITraceInterceptor* pMode = m_frame.GetTraceInterceptor();
    const auto Listed = [pMode](const CQXTrace* p) { return p && p->IsInUse() && !(pMode && pMode->IsTraceHidden(p)); };
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pTrace : pDoc->GetTraceArray(eChannel)) {
            if (!Listed(pTrace)) continue;
            m_aRows.push_back(MakeRow(pTrace, pCurrent));
            for (CQXTrace* pLimit : {pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
                if (Listed(pLimit)) m_aRows.push_back(MakeRow(pLimit, pCurrent));
        }
}

int CQuickLegend::GetIndexOfTrace(const CQXTrace* pTrace) const
{
    for (size_t i = 0; i < m_aRows.size(); ++i)
        if (m_aRows[i].pTrace == pTrace) return static_cast<int>(i);
    return -1;
}

CQXTrace* CQuickLegend::TraceAt(int iRow) const
{
    return iRow >= 0 && iRow < static_cast<int>(m_aRows.size()) ? m_aRows[iRow].pTrace : nullptr;
}

bool CQuickLegend::OnCellClicked(int iRow, int iColumn)
{
    CQXTrace* pTrace = TraceAt(iRow);
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pTrace || !pDoc) return false;
    bool bChanged = false;
    if (iColumn == COL_ONOFF) {
        if (pTrace->IsOn())
            pDoc->TraceOff(pTrace, 1);
        else
            pDoc->TraceOn(pTrace, 1);
        bChanged = true;
    } else if (iColumn == COL_COLOR && m_frame.GetTraceCommandState(ID_TRACE_COLOR, pTrace).bEnabled) {
        // The colour chooser, for this row's trace.
        m_frame.SetTraceForNextCommand(pTrace);
        bChanged = m_frame.Execute(ID_TRACE_COLOR);
    } else if (iColumn == COL_COPY && pTrace->CanCopy() && pTrace->IsOn()) {
        // The copy acts on this row's trace, whichever trace is current.
        m_frame.SetTraceForNextCommand(pTrace);
        bChanged = m_frame.Execute(ID_TRACE_COPY);
    }
    if (bChanged) FillList();
    return bChanged;
}

bool CQuickLegend::OnSelChange(int iRow)
{
    CQXTrace* pTrace = TraceAt(iRow);
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pTrace || !pDoc || pDoc->GetCurrentTrace() == pTrace) return false;
    pDoc->SetCurrentTrace(pTrace, 1);
    FillList();
    return true;
}

bool CQuickLegend::OnLabelEdited(int iRow, const CString& sName)
{
    CQXTrace* pTrace = TraceAt(iRow);
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pTrace || !pDoc || sName.IsEmpty()) return false;
    pDoc->SetTraceName(pTrace, sName);
    FillList();
    return true;
}
