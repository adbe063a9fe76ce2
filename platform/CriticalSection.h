#pragma once
// CCriticalSection: a recursive lock with the platform critical section's
// rules. The owning thread may lock again; other threads get the lock only
// after Unlock has been called as often as Lock. As on the original platform,
// an Unlock from another thread is not refused: it releases one level (the
// instrumented lock logs such calls and still performs them).

#include <condition_variable>
#include <mutex>
#include <thread>

class CCriticalSection {
public:
    CCriticalSection() = default;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    bool Lock();
    // Never blocks.
    bool TryLock();
    // False when the lock is not held at all.
    bool Unlock();

    // Recursion depth, 0 when free.
    int GetLockCount() const;
    bool IsLockedByCurrentThread() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    std::thread::id m_owner;
    int m_iCount = 0;
};

// Scoped holder: unlocks on destruction what it locked.
class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* section, bool initialLock = false);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    bool Lock();
    bool Unlock();
    bool IsLocked() const { return m_bLocked; }

private:
    CCriticalSection* m_pSection;
    bool m_bLocked = false;
};
