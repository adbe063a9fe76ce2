// The recursive critical section and its scoped lock; the performance counter and thread ids.

#include "platform/CriticalSection.h"
#include "platform/PerfCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

namespace {

bool TryFromOtherThread(CCriticalSection& section)
{
    bool got = false;
    std::thread other([&] {
        got = section.TryLock();
        if (got) section.Unlock();
    });
    other.join();
    return got;
}

} // namespace

TEST(CriticalSection, RecursiveOwnerHoldsUntilFullyReleased)
{
    CCriticalSection section;
    ASSERT_TRUE(section.Lock());
    ASSERT_TRUE(section.Lock());
    ASSERT_TRUE(section.TryLock());
    EXPECT_EQ(section.GetLockCount(), 3);
    EXPECT_TRUE(section.IsLockedByCurrentThread());

    std::atomic<bool> acquired{false};
    std::thread waiter([&] {
        section.Lock();
        acquired = true;
        EXPECT_TRUE(section.IsLockedByCurrentThread());
        section.Unlock();
    });
    for (int level = 3; level > 1; --level) {
        EXPECT_FALSE(TryFromOtherThread(section)) << level;
        EXPECT_FALSE(acquired);
        section.Unlock();
    }
    EXPECT_FALSE(acquired);
    section.Unlock(); // the last level lets the waiter in
    waiter.join();
    EXPECT_TRUE(acquired);
    EXPECT_EQ(section.GetLockCount(), 0);
    EXPECT_TRUE(TryFromOtherThread(section));
}

TEST(CriticalSection, UnlockRulesAndScopedLock)
{
    CCriticalSection section;
    EXPECT_FALSE(section.Unlock());
    {
        CSingleLock lock(&section, true);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock()); // already held: not taken twice
        EXPECT_EQ(section.GetLockCount(), 1);
    }
    EXPECT_EQ(section.GetLockCount(), 0);

    // As with the platform's critical section, another thread's Unlock
    // releases a level instead of being refused.
    section.Lock();
    std::thread other([&] { EXPECT_TRUE(section.Unlock()); });
    other.join();
    EXPECT_EQ(section.GetLockCount(), 0);
    EXPECT_FALSE(section.IsLockedByCurrentThread());

    EXPECT_FALSE(CSingleLock(nullptr, true).IsLocked());
}

TEST(PerfCounter, CounterThreadIdsAndFrequency)
{
    EXPECT_EQ(QueryPerformanceFrequency(), 1000000000);
    std::int64_t a = 0;
    std::int64_t b = 0;
    ASSERT_TRUE(QueryPerformanceCounter(&a));
    ASSERT_TRUE(QueryPerformanceCounter(&b));
    EXPECT_GE(b, a);
    EXPECT_FALSE(QueryPerformanceCounter(nullptr));

    const std::uint32_t mine = GetCurrentThreadId();
    EXPECT_EQ(GetCurrentThreadId(), mine);
    std::vector<std::uint32_t> ids(4);
    std::vector<std::thread> threads;
    for (auto& id : ids) threads.emplace_back([&id] { id = GetCurrentThreadId(); });
    for (auto& t : threads) t.join();
    std::set<std::uint32_t> distinct(ids.begin(), ids.end());
    distinct.insert(mine);
    EXPECT_EQ(distinct.size(), 5u);
}
