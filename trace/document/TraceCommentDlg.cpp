#include "trace/document/TraceCommentDlg.h"

#include "host/app/AppServices.h"
#include "resources/StringTable.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

CTraceCommentDlg::CTraceCommentDlg(CQXTrace& trace) : m_Trace(trace), m_sComment(trace.GetComment()) {}

CString CTraceCommentDlg::GetCaption() const { return LoadResString(IDS_TRACE_COMMENT_CAPTION); }

CString CTraceCommentDlg::Validate(int* piControl) const
{
    if (piControl) *piControl = 0;
    return CString();
}

bool CTraceCommentDlg::Apply()
{
    if (m_sComment == m_Trace.GetComment()) return true;
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->SetTraceComment(&m_Trace, m_sComment);
    else m_Trace.SetComment(m_sComment);
    return true;
}

void InstallTraceCommentCommand(CGraphFrame& frame)
{
    InstallDialogCommand<CTraceCommentDlg>(frame, ID_TRACE_COMMENT, [](CQXTrace* pTrace) { return pTrace && pTrace->IsInUse(); });
}
