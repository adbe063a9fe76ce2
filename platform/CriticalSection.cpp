#include "platform/CriticalSection.h"

bool CCriticalSection::Lock()
{
    std::unique_lock<std::mutex> guard(m_mutex);
    const std::thread::id me = std::this_thread::get_id();
    if (m_iCount == 0 || m_owner != me) m_released.wait(guard, [this] { return m_iCount == 0; });
    m_owner = me;
    ++m_iCount;
    return true;
}

bool CCriticalSection::TryLock()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    const std::thread::id me = std::this_thread::get_id();
    if (m_iCount > 0 && m_owner != me) return false;
    m_owner = me;
    ++m_iCount;
    return true;
}

bool CCriticalSection::Unlock()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_iCount == 0) return false;
    if (--m_iCount == 0) {
        m_owner = std::thread::id();
        m_released.notify_one();
    }
    return true;
}

int CCriticalSection::GetLockCount() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_iCount;
}

bool CCriticalSection::IsLockedByCurrentThread() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_iCount > 0 && m_owner == std::this_thread::get_id();
}

CSingleLock::CSingleLock(CCriticalSection* section, bool initialLock) : m_pSection(section)
{
    if (initialLock) Lock();
}

CSingleLock::~CSingleLock()
{
    if (m_bLocked) Unlock();
}

bool CSingleLock::Lock()
{
    if (!m_pSection || m_bLocked) return m_bLocked;
    m_bLocked = m_pSection->Lock();
    return m_bLocked;
}

bool CSingleLock::Unlock()
{
    if (!m_pSection || !m_bLocked) return false;
    m_bLocked = false;
    return m_pSection->Unlock();
}
