#include "host/app/EventManager.h"

#include <algorithm>
#include <utility>

int CEventManager::FindIndex(int kind, LPARAM owner) const
{
    for (size_t i = 0; i < m_aEvents.size(); ++i) {
        if (m_aEvents[i].iKind == kind && m_aEvents[i].lParam == owner) return static_cast<int>(i);
    }
    return -1;
}

bool CEventManager::AddEvent(int kind, const CString& text, LPARAM owner, int enabled, int stateFlag1,
                             int stateFlag2, int active, int state, int action, int repeat)
{
    SEventDetails details;
    details.iKind = kind;
    details.sText = text;
    details.lParam = owner;
    details.bEnabled = enabled;
    details.bStateFlag1 = stateFlag1;
    details.bStateFlag2 = stateFlag2;
    details.bActive = active;
    details.iState = state;
    details.iAction = action;
    details.iRepeat = repeat;
    std::lock_guard<std::mutex> lock(m_mutex);
    const int index = FindIndex(kind, owner);
    if (index >= 0) {
        m_aEvents[static_cast<size_t>(index)] = details;
    } else {
        m_aEvents.push_back(details);
    }
    return true;
}

bool CEventManager::RemoveEvent(int kind, LPARAM owner)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int index = FindIndex(kind, owner);
    if (index < 0) return false;
    m_aEvents.erase(m_aEvents.begin() + index);
    return true;
}

bool CEventManager::UpdateEvent(const SEventDetails& details)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int index = FindIndex(details.iKind, details.lParam);
    if (index < 0) return false;
    m_aEvents[static_cast<size_t>(index)] = details;
    return true;
}

bool CEventManager::UpdateEventlParam(int kind, LPARAM oldOwner, LPARAM newOwner)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int index = FindIndex(kind, oldOwner);
    if (index < 0) return false;
    // The new owner's own event of this kind, if any, gives way to the moved one.
    const int clash = FindIndex(kind, newOwner);
    m_aEvents[static_cast<size_t>(index)].lParam = newOwner;
    if (clash >= 0 && clash != index) m_aEvents.erase(m_aEvents.begin() + clash);
    return true;
}

bool CEventManager::EventExists(int kind, LPARAM owner) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return FindIndex(kind, owner) >= 0;
}

bool CEventManager::GetEventDetails(int kind, LPARAM owner, SEventDetails& details) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int index = FindIndex(kind, owner);
    if (index < 0) return false;
    details = m_aEvents[static_cast<size_t>(index)];
    return true;
}

int CEventManager::GetEventCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_aEvents.size());
}

bool CEventManager::OnEvent(int kind, LPARAM owner, int param, int state)
{
    const SFiredEvent fired{kind, owner, param, state};
    std::function<void(const SFiredEvent&)> handler;
    bool registered = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_aFired.push_back(fired);
        const int index = FindIndex(kind, owner);
        registered = index >= 0 && m_aEvents[static_cast<size_t>(index)].bEnabled != 0;
        handler = m_fireHandler;
    }
    // Outside the lock: the handler may run script code that calls back in.
    if (handler) handler(fired);
    return registered;
}

int CEventManager::VerifyTraceEvents(const std::function<bool(LPARAM owner)>& ownerExists)
{
    if (!ownerExists) return 0;
    std::vector<SEventDetails> events;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        events = m_aEvents;
    }
    // Ask without holding the lock: the callback reaches into the document.
    std::vector<LPARAM> gone;
    for (const SEventDetails& e : events) {
        if (!ownerExists(e.lParam)) gone.push_back(e.lParam);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    const size_t before = m_aEvents.size();
    std::erase_if(m_aEvents, [&](const SEventDetails& e) {
        return std::find(gone.begin(), gone.end(), e.lParam) != gone.end();
    });
    return static_cast<int>(before - m_aEvents.size());
}

std::vector<SFiredEvent> CEventManager::GetFiredEvents() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_aFired;
}

void CEventManager::ClearFiredEvents()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aFired.clear();
}

void CEventManager::SetFireHandler(std::function<void(const SFiredEvent&)> handler)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_fireHandler = std::move(handler);
}

std::vector<SEventDetails> CEventManager::GetEvents() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_aEvents;
}

std::int32_t CEventManager::GetEventParam(LPARAM owner)
{
    if (owner == 0) return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (size_t i = 0; i < m_aParamOwners.size(); ++i)
        if (m_aParamOwners[i] == owner) return static_cast<std::int32_t>(i + 1);
    m_aParamOwners.push_back(owner);
    return static_cast<std::int32_t>(m_aParamOwners.size());
}

LPARAM CEventManager::GetOwnerOfEventParam(std::int32_t param) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (param < 1 || static_cast<size_t>(param) > m_aParamOwners.size()) return 0;
    return m_aParamOwners[static_cast<size_t>(param - 1)];
}

void CEventManager::SetEvents(std::vector<SEventDetails> aEvents)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aEvents = std::move(aEvents);
}
