#include "host/lock/Lock.h"

#include "host/app/DebugLog.h"
#include "platform/CriticalSection.h"
#include "platform/PerfCounter.h"

#include <algorithm>

namespace {

void RaiseMax(std::atomic<std::uint32_t>& maximum, std::uint32_t value)
{
    std::uint32_t seen = maximum.load();
    while (value > seen && !maximum.compare_exchange_weak(seen, value)) {
    }
}

unsigned long Tid(std::uint32_t id)
{
    return static_cast<unsigned long>(id);
}

std::uint32_t MsSince(std::int64_t start, std::int64_t now)
{
    return QXTicksToMs(now - start, QueryPerformanceFrequency());
}

} // namespace

std::uint32_t QXTicksToMs(std::int64_t ticks, std::int64_t frequency)
{
    if (frequency <= 0 || ticks <= 0) return 0;
    // Split to keep ticks × 1000 from overflowing on long intervals.
    const std::int64_t ms = (ticks / frequency) * 1000 + (ticks % frequency) * 1000 / frequency;
    return static_cast<std::uint32_t>(std::min<std::int64_t>(ms, UINT32_MAX));
}

CLock::CLock(const char* name)
    : m_pSection(std::make_unique<CCriticalSection>()),
      m_sName(name && *name ? name : "ANON??"),
      m_uOwnerThread(GetCurrentThreadId()),
      m_uLockNum(QXDebugNextLockNum()),
      m_iLastAcquired(QueryPerformanceCounter())
{
}

CLock::~CLock()
{
    if (m_uCount > 0 || m_uWaiters > 0 || m_uPollers > 0) {
        QXDebugLog(2, "CLock::~CLock", "%s LOCK:%u Still %u locks by tid:%lu! + %u threads waiting + %u pollers",
                   m_sName.c_str(), m_uLockNum, m_uCount.load(), Tid(m_uOwnerThread), m_uWaiters.load(),
                   m_uPollers.load());
    }
    m_pSection.reset();
    if (m_uTotalLocks > 0 || m_uWaits > 0 || m_uPolls > 0) {
        QXDebugLog(5, "CLock::~CLock",
                   "%s LOCK:%u Deleted - locks:%u maxq:%u waits:%u (max:%ums) nowaits:%u / tries:%u (failed:%u) / "
                   "polls:%u failed:%u sleeps:%u max:%dms max held:%ums (tid:%lu)",
                   m_sName.c_str(), m_uLockNum, m_uTotalLocks, m_uMaxWaiters.load(), m_uWaits.load(),
                   m_uLongestWaitMs, m_uNoWaits, m_uTries.load(), m_uFailedTries.load(), m_uPolls.load(),
                   m_uFailedPolls.load(), m_uSleeps.load(), static_cast<int>(m_uLongestPollMs.load()),
                   m_uLongestHoldMs, Tid(m_uLongestHoldThread));
    }
}

void CLock::Acquired(std::uint32_t thread, std::int64_t now)
{
    ++m_uCount;
    ++m_uTotalLocks;
    m_uOwnerThread = thread;
    m_iLastAcquired = now;
}

void CLock::Lock(const char* caller)
{
    const std::uint32_t me = GetCurrentThreadId();
    const char* who = caller ? caller : "";
    if (!m_pSection->TryLock()) {
        if (m_uOwnerThread == me && m_uCount > 0) {
            QXDebugLog(2, "CLock::Lock",
                       "%s LOCK:%u Failed to re-aquire lock count:%u relocks:%u (%u waiters). Caller:%s",
                       m_sName.c_str(), m_uLockNum, m_uCount.load(), m_uRelocks, m_uWaiters.load(), who);
        }
        RaiseMax(m_uMaxWaiters, ++m_uWaiters);
        ++m_uWaits;
        const std::int64_t start = QueryPerformanceCounter();
        m_pSection->Lock();
        --m_uWaiters;
        const std::int64_t now = QueryPerformanceCounter();
        const std::uint32_t previous = m_uOwnerThread;
        Acquired(me, now);
        const std::uint32_t waitMs = MsSince(start, now);
        m_uLongestWaitMs = std::max(m_uLongestWaitMs, waitMs);
        if (m_uCount >= 2 && previous == me) {
            QXDebugLog(5, "CLock::Lock",
                       "%s LOCK:%u Reaquired after wait %ums count:%u relocks:%u (%u waiters). Caller:%s",
                       m_sName.c_str(), m_uLockNum, waitMs, m_uCount.load(), m_uRelocks, m_uWaiters.load(), who);
            ++m_uRelocks;
        } else if (waitMs > m_uSlowMs) {
            QXDebugLog(5, "CLock::Lock",
                       "%s LOCK:%u Waited %umsec, last thread:%lu (prev:%lu), %u threads waiting. Caller:%s",
                       m_sName.c_str(), m_uLockNum, waitMs, Tid(me), Tid(previous), m_uWaiters.load(), who);
        }
        return;
    }
    if (m_uOwnerThread == me && m_uCount > 0) {
        QXDebugLog(5, "CLock::Lock", "%s LOCK:%u Reaquired on Try count:%u relocks:%u (%u waiters). Caller:%s",
                   m_sName.c_str(), m_uLockNum, m_uCount.load(), m_uRelocks, m_uWaiters.load(), who);
        ++m_uCount;
        ++m_uTotalLocks;
        ++m_uRelocks;
        return;
    }
    ++m_uNoWaits;
    Acquired(me, QueryPerformanceCounter());
}

bool CLock::TryLock(const char* caller)
{
    ++m_uTries;
    const std::uint32_t me = GetCurrentThreadId();
    if (m_uOwnerThread == me && m_uCount > 0) {
        if (m_pSection->TryLock()) {
            ++m_uCount;
            ++m_uTotalLocks;
            ++m_uRelocks;
            return true;
        }
        QXDebugLog(2, "CLock::TryLock", "%s LOCK:%u Reentrant but failed! count:%u relocks:%u (%u waiters). Caller:%s",
                   m_sName.c_str(), m_uLockNum, m_uCount.load(), m_uRelocks, m_uWaiters.load(), caller ? caller : "");
        return false;
    }
    if (m_pSection->TryLock()) {
        ++m_uNoWaits;
        Acquired(me, QueryPerformanceCounter());
        return true;
    }
    ++m_uFailedTries;
    return false;
}

bool CLock::TimedTryLock(int timeoutMs, const char* caller)
{
    ++m_uPolls;
    const std::uint32_t me = GetCurrentThreadId();
    const char* who = caller ? caller : "";
    if (m_uOwnerThread == me && m_uCount > 0) {
        if (m_pSection->TryLock()) {
            ++m_uCount;
            ++m_uTotalLocks;
            ++m_uRelocks;
            return true;
        }
        QXDebugLog(2, "CLock::TimedTryLock",
                   "%s LOCK:%u Reentrant but failed! count:%u relocks:%u (%u waiters). Caller:%s", m_sName.c_str(),
                   m_uLockNum, m_uCount.load(), m_uRelocks, m_uWaiters.load(), who);
        return false;
    }
    RaiseMax(m_uMaxPollers, ++m_uPollers);
    const std::int64_t start = QueryPerformanceCounter();
    int sleeps = 0;
    bool got = m_pSection->TryLock();
    auto elapsedMs = [&] { return static_cast<int>(MsSince(start, QueryPerformanceCounter())); };
    // One retry after a sleep is always made, so that a timeout of 0 still waits once.
    while (!got && (elapsedMs() <= timeoutMs || (sleeps == 0 && timeoutMs >= 0))) {
        ++m_uSleeps;
        ++sleeps;
        Sleep(POLL_SLEEP_MS);
        got = m_pSection->TryLock();
    }
    const int elapsed = elapsedMs();
    --m_uPollers;
    if (!got) {
        ++m_uFailedPolls;
        QXDebugLog(4, "CLock::TimedTryLock",
                   "%s LOCK:%u Failed to get lock held by thread %lu(%u locks) (%u waiters) after %dms (%d * %dms). "
                   "Caller:%s",
                   m_sName.c_str(), m_uLockNum, Tid(m_uOwnerThread), m_uCount.load(), m_uWaiters.load(), elapsed,
                   sleeps, POLL_SLEEP_MS, who);
        RaiseMax(m_uLongestPollMs, static_cast<std::uint32_t>(elapsed));
        return false;
    }
    Acquired(me, QueryPerformanceCounter());
    if (sleeps > 0 && (sleeps * POLL_SLEEP_MS > 200 || elapsed >= 201)) {
        QXDebugLog(5, "CLock::TimedTryLock", "Got lock after longish delay of %dms (%d*%dms). Caller:%s", elapsed,
                   sleeps, POLL_SLEEP_MS, who);
    }
    return true;
}

void CLock::Unlock(const char* caller)
{
    const std::uint32_t me = GetCurrentThreadId();
    const std::int64_t now = QueryPerformanceCounter();
    const std::uint32_t heldMs = MsSince(m_iLastAcquired, now);
    if (heldMs > m_uLongestHoldMs) {
        m_uLongestHoldMs = heldMs;
        m_uLongestHoldThread = me;
    }
    const char* who = caller ? caller : "";
    if (m_uOwnerThread != me) {
        QXDebugLog(2, "CLock::Unlock", "%s LOCK:%u Invalid thread! expect %lu, locks:%u relocks%u waiters:%u. Caller:%s",
                   m_sName.c_str(), m_uLockNum, Tid(m_uOwnerThread), m_uCount.load(), m_uRelocks, m_uWaiters.load(),
                   who);
    }
    if (m_uCount <= 1) {
        if (heldMs > m_uSlowMs) {
            QXDebugLog(5, "CLock::Unlock", "%s LOCK:%u (After %ums) Releasing, relocks:%u (%u waiters). Caller:%s",
                       m_sName.c_str(), m_uLockNum, heldMs, m_uRelocks, m_uWaiters.load(), who);
        }
        m_uRelocks = 0;
        m_iLastAcquired = now;
    }
    if (m_uCount > 0) --m_uCount;
    m_pSection->Unlock();
}

int CLock::Count(const char*) const
{
    return static_cast<int>(m_uCount.load());
}

void CLock::SetName(const char* name)
{
    const std::string newName = name ? name : "";
    QXDebugLog(5, "CLock::SetName", "%s LOCK:%u SetName '%s'", m_sName.c_str(), m_uLockNum, newName.c_str());
    m_sName = newName;
}
