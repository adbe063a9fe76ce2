#include "platform/PerfCounter.h"

#include <atomic>
#include <chrono>
#include <thread>

std::int64_t QueryPerformanceCounter()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
}

std::int64_t QueryPerformanceFrequency()
{
    return 1000000000;
}

bool QueryPerformanceCounter(std::int64_t* count)
{
    if (!count) return false;
    *count = QueryPerformanceCounter();
    return true;
}

bool QueryPerformanceFrequency(std::int64_t* frequency)
{
    if (!frequency) return false;
    *frequency = QueryPerformanceFrequency();
    return true;
}

std::uint32_t GetCurrentThreadId()
{
    static std::atomic<std::uint32_t> s_next{1};
    thread_local const std::uint32_t id = s_next.fetch_add(1);
    return id;
}

void Sleep(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
