#include "host/app/ViewList.h"

#include <algorithm>

void CViewList::Add(IGraphViewSink* view)
{
    if (view && !Contains(view)) m_apViews.push_back(view);
}

void CViewList::Remove(IGraphViewSink* view)
{
    m_apViews.erase(std::remove(m_apViews.begin(), m_apViews.end(), view), m_apViews.end());
}

bool CViewList::Contains(const IGraphViewSink* view) const
{
    return std::find(m_apViews.begin(), m_apViews.end(), view) != m_apViews.end();
}

void CViewList::Broadcast(IGraphViewSink* sender, LPARAM hint, CObject* object)
{
    // Work on a snapshot so that OnUpdate may change the list.
    const std::vector<IGraphViewSink*> snapshot = m_apViews;
    for (IGraphViewSink* view : snapshot) {
        if (view == sender || !Contains(view)) continue;
        view->OnUpdate(sender, hint, object);
    }
}
