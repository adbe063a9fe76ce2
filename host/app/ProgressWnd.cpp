#include "host/app/ProgressWnd.h"

#include <algorithm>

CProgressWnd::CProgressWnd(void*, const CString& caption, bool)
{
    m_state.sCaption = caption;
}

CProgressWnd::~CProgressWnd()
{
    if (IAppServices* host = GetAppServices()) host->EndProgress();
}

void CProgressWnd::Show()
{
    IAppServices* host = GetAppServices();
    if (host && !host->ShowProgress(m_state)) m_bCancelled = true;
}

void CProgressWnd::GoModal(void*)
{
    m_state.bModal = true;
    Show();
}

void CProgressWnd::SetRange(int lower, int upper)
{
    m_state.iLower = std::min(lower, upper);
    m_state.iUpper = std::max(lower, upper);
    m_state.iPos = std::clamp(m_state.iPos, m_state.iLower, m_state.iUpper);
    Show();
}

void CProgressWnd::SetText(const CString& text)
{
    m_state.sText = text;
    Show();
}

void CProgressWnd::SetPos(int pos)
{
    m_state.iPos = std::clamp(pos, m_state.iLower, m_state.iUpper);
    Show();
}

void CProgressWnd::SetStep(int step)
{
    m_state.iStep = step;
}

int CProgressWnd::StepIt()
{
    const int previous = m_state.iPos;
    const long long next = static_cast<long long>(m_state.iPos) + m_state.iStep;
    m_state.iPos = static_cast<int>(std::clamp<long long>(next, m_state.iLower, m_state.iUpper));
    Show();
    return previous;
}

bool CProgressWnd::PeekAndPump(bool)
{
    Show();
    return !m_bCancelled;
}
