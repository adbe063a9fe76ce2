#include "trace/model/CursorMark.h"

IMPLEMENT_DYNCREATE(CCursorMark, CObject)

CCursorMark::CCursorMark(CQXTrace* pTrace, CursorMarkType eType, int iPosition)
    : m_iPosition(iPosition), m_eType(eType), m_pTrace(pTrace)
{
}

void CCursorMark::SetLabel(const CString& sLabel)
{
    m_sLabel = sLabel.GetLength() > kMaxLabelLength ? sLabel.Left(kMaxLabelLength) : sLabel;
}
