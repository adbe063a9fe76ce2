#include "trace/display/MarkLabelDlg.h"

#include "resources/StringTable.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

CMarkLabelDlg::CMarkLabelDlg(CQXTrace& trace, int iMark)
    : m_Trace(trace), m_iMark(iMark < 0 ? trace.GetCurrentMark() : iMark), m_sLabel(trace.GetMarkLabel(m_iMark, 0))
{
}

CString CMarkLabelDlg::GetCaption() const { return LoadResString(IDS_MARK_LABEL_CAPTION); }

CString CMarkLabelDlg::GetPrompt() const
{
    CString sPrompt;
    sPrompt.Format(LoadResString(IDS_MARK_LABEL_LABEL), m_iMark + 1);
    return sPrompt;
}

CString CMarkLabelDlg::Validate(int* piControl) const
{
    if (piControl) *piControl = IDC_LABEL;
    CString sProblem;
    if (!m_Trace.GetMark(m_iMark))
        sProblem.Format(LoadResString(IDS_MARK_LABEL_GONE), m_iMark + 1);
    else if (m_sLabel.GetLength() > CCursorMark::kMaxLabelLength)
        sProblem.Format(LoadResString(IDS_MARK_LABEL_TOO_LONG), CCursorMark::kMaxLabelLength, m_sLabel.GetLength());
    if (sProblem.IsEmpty() && piControl) *piControl = 0;
    return sProblem;
}

bool CMarkLabelDlg::Apply()
{
    CString sLabel = m_sLabel;
    return m_Trace.SetMarkLabel(m_iMark, sLabel, true) != 0;
}
