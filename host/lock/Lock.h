#pragma once
// CLock: a recursive lock that keeps contention statistics and writes them to
// the diagnostic log. Every operation takes the caller's name, used only in
// log lines. Thread ids and times are the platform's (GetCurrentThreadId, the
// performance counter).

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

class CCriticalSection;

class CLock {
public:
    explicit CLock(const char* name = nullptr);
    ~CLock();
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

    // Blocks until held; re-entrant for the owner.
    void Lock(const char* caller);
    // Never blocks.
    bool TryLock(const char* caller);
    // Polls every 10 ms until held or `timeoutMs` has passed (at least one more
    // try after a sleep, even for a timeout of 0).
    bool TimedTryLock(int timeoutMs, const char* caller);
    void Unlock(const char* caller);
    int Count(const char* caller) const;
    void SetName(const char* name);

    const std::string& GetName() const { return m_sName; }
    std::uint32_t GetLockNum() const { return m_uLockNum; }

    static constexpr std::uint32_t SLOW_MS = 50;
    static constexpr int POLL_SLEEP_MS = 10;

private:
    void Acquired(std::uint32_t thread, std::int64_t now);

    // Field order follows the lock's documented layout.
    std::unique_ptr<CCriticalSection> m_pSection;
    std::string m_sName;
    std::atomic<std::uint32_t> m_uOwnerThread;
    std::atomic<std::uint32_t> m_uWaiters{0};
    std::atomic<std::uint32_t> m_uMaxWaiters{0};
    std::uint32_t m_uLongestWaitMs = 0;
    std::atomic<std::uint32_t> m_uCount{0};
    std::uint32_t m_uRelocks = 0;
    std::uint32_t m_uTotalLocks = 0;
    std::atomic<std::uint32_t> m_uWaits{0};
    std::uint32_t m_uNoWaits = 0;
    std::atomic<std::uint32_t> m_uTries{0};
    std::atomic<std::uint32_t> m_uFailedTries{0};
    std::atomic<std::uint32_t> m_uPollers{0};
    std::atomic<std::uint32_t> m_uMaxPollers{0};
    std::atomic<std::uint32_t> m_uPolls{0};
    std::atomic<std::uint32_t> m_uFailedPolls{0};
    std::atomic<std::uint32_t> m_uSleeps{0};
    std::atomic<std::uint32_t> m_uLongestPollMs{0};
    std::uint32_t m_uLockNum;
    std::uint32_t m_uSlowMs = SLOW_MS;
    std::int64_t m_iLastAcquired;
    std::uint32_t m_uLongestHoldMs = 0;
    std::uint32_t m_uLongestHoldThread = 0;
};

// Elapsed ticks in ms: ticks × 1000 / frequency (0 for a non-positive frequency).
std::uint32_t QXTicksToMs(std::int64_t ticks, std::int64_t frequency);
