// The diagnostic lock: re-entry, exclusion, timed tries, foreign unlocks and what it logs.

#include "host/lock/Lock.h"

#include "host/app/HeadlessHost.h"
#include "platform/PerfCounter.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>

namespace {

class LockTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_iSavedLevel = QXDebugLogLevel;
        QXDebugLogLevel = 5;
    }
    void TearDown() override { QXDebugLogLevel = m_iSavedLevel; }

    // Runs `body` on another thread and waits for it.
    template <typename F>
    static void OnOtherThread(F body)
    {
        std::thread other(body);
        other.join();
    }

    // Whether another thread can take the lock now (it lets go at once).
    static bool OtherThreadGets(CLock& lock)
    {
        bool got = false;
        OnOtherThread([&] {
            got = lock.TryLock("other");
            if (got) lock.Unlock("other");
        });
        return got;
    }

    std::vector<CHeadlessHost::SLogLine> LinesAt(int level) const
    {
        std::vector<CHeadlessHost::SLogLine> lines;
        for (const auto& line : m_host.GetLogRecords()) {
            if (line.iLevel == level) lines.push_back(line);
        }
        return lines;
    }

    CHeadlessHost m_host;
    int m_iSavedLevel = 1;
};

} // namespace

TEST_F(LockTest, OwnerMayRelockAndOthersGetItOnlyAfterAsManyUnlocks)
{
    CLock lock("Data");
    lock.Lock("A");
    lock.Lock("A");
    EXPECT_TRUE(lock.TryLock("A"));
    EXPECT_EQ(lock.Count("A"), 3);

    for (int remaining = 3; remaining > 0; --remaining) {
        EXPECT_FALSE(OtherThreadGets(lock)) << remaining << " locks still held";
        lock.Unlock("A");
    }
    EXPECT_EQ(lock.Count("A"), 0);
    EXPECT_TRUE(OtherThreadGets(lock));

    // A stray unlock (a count of 0 is treated as 1) is harmless.
    lock.Unlock("stray");
    EXPECT_EQ(lock.Count("stray"), 0);
    EXPECT_TRUE(lock.TryLock("next"));
    lock.Unlock("next");
}

TEST_F(LockTest, LocksExcludeEachOther)
{
    CLock lock("Counter");
    int counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            lock.Lock("work");
            counter = counter + 1;
            lock.Unlock("work");
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 40000);
    EXPECT_EQ(lock.Count("main"), 0);
}

TEST_F(LockTest, TimedTryLockSucceedsAtOnceWhenFreeOrSleepsOnceThenGivesUp)
{
    CLock lock("Busy");
    EXPECT_TRUE(lock.TimedTryLock(0, "poller"));
    EXPECT_TRUE(lock.TimedTryLock(0, "poller")); // re-entry by the owner
    EXPECT_EQ(lock.Count("poller"), 2);
    lock.Unlock("poller");
    lock.Unlock("poller");
    EXPECT_TRUE(LinesAt(4).empty());

    lock.Lock("holder");
    const std::uint32_t holder = GetCurrentThreadId();
    bool got = true;
    OnOtherThread([&] { got = lock.TimedTryLock(0, "poller"); });
    EXPECT_FALSE(got);

    const auto lines = LinesAt(4);
    ASSERT_EQ(lines.size(), 1u);
    const std::regex pattern(FormatNarrow("Busy LOCK:%u Failed to get lock held by thread %u\\(1 locks\\) \\(0 waiters\\) "
                                          "after [0-9]+ms \\(1 \\* 10ms\\)\\. Caller:poller",
                                          lock.GetLockNum(), holder));
    EXPECT_TRUE(std::regex_match(lines[0].sText, pattern)) << lines[0].sText;
    lock.Unlock("holder");
}

TEST_F(LockTest, UnlockByAnotherThreadIsLoggedAndPerformed)
{
    CLock lock("Shared");
    lock.Lock("owner");
    const std::uint32_t owner = GetCurrentThreadId();
    OnOtherThread([&] { lock.Unlock("intruder"); });

    EXPECT_TRUE(m_host.HasLogLine(FormatNarrow(
        "Shared LOCK:%u Invalid thread! expect %u, locks:1 relocks0 waiters:0. Caller:intruder", lock.GetLockNum(), owner)));
    EXPECT_EQ(LinesAt(2).size(), 1u);
    EXPECT_EQ(lock.Count("owner"), 0);
    EXPECT_TRUE(OtherThreadGets(lock));
}

TEST_F(LockTest, DestructionLogsStatisticsAtLevelFive)
{
    std::uint32_t number = 0;
    {
        CLock lock("Stats");
        number = lock.GetLockNum();
        lock.Lock("a");
        lock.Unlock("a");
        EXPECT_TRUE(lock.TryLock("b"));
        lock.Unlock("b");
        bool got = true;
        lock.Lock("c");
        OnOtherThread([&] { got = lock.TryLock("d"); });
        EXPECT_FALSE(got);
        lock.Unlock("c");
    }
    // A slow thread start may add a level-5 "Releasing" line; only the statistics line matters here.
    std::vector<CHeadlessHost::SLogLine> lines;
    for (const auto& line : LinesAt(5)) {
        if (line.sText.find(" Deleted - ") != std::string::npos) lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 1u);
    const std::regex pattern(FormatNarrow("Stats LOCK:%u Deleted - locks:3 maxq:0 waits:0 \\(max:0ms\\) nowaits:3 / "
                                          "tries:2 \\(failed:1\\) / polls:0 failed:0 sleeps:0 max:0ms max held:[0-9]+ms "
                                          "\\(tid:[0-9]+\\)",
                                          number));
    EXPECT_TRUE(std::regex_match(lines[0].sText, pattern)) << lines[0].sText;
}

TEST_F(LockTest, DestructionWhileHeldIsLoggedAtLevelTwo)
{
    std::uint32_t number = 0;
    {
        CLock lock;
        number = lock.GetLockNum();
        lock.Lock("leaky");
    }
    EXPECT_TRUE(m_host.HasLogLine(FormatNarrow("ANON?? LOCK:%u Still 1 locks by tid:%u! + 0 threads waiting + 0 pollers",
                                               number, GetCurrentThreadId())));
}

TEST_F(LockTest, UnusedLockLogsNothingAndLevelFiltersStatistics)
{
    {
        CLock unused("Unused");
    }
    QXDebugLogLevel = 1;
    {
        CLock quiet("Quiet");
        quiet.Lock("x");
        quiet.Unlock("x");
    }
    EXPECT_TRUE(m_host.GetLogLines().empty());
}

TEST(LockTicks, TicksConvertToWholeMilliseconds)
{
    struct Case { std::int64_t ticks, frequency; std::uint32_t expected; };
    const Case cases[] = {
        {1'000'000'000, 1'000'000'000, 1000}, {999'999, 1'000'000'000, 0}, {10'000'000, 1'000'000'000, 10},
        {3, 1000, 3},                         {0, 1000, 0},                {-5, 1000, 0},
        {5, 0, 0},                            {INT64_MAX, 1'000'000'000, UINT32_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(QXTicksToMs(c.ticks, c.frequency), c.expected) << c.ticks << "/" << c.frequency;
}
