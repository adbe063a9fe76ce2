#pragma once
// The platform's high-resolution counter, thread ids and Sleep, on the
// standard clock and threads. The counter runs at 1e9 ticks per second and
// never goes backwards.

#include <cstdint>

std::int64_t QueryPerformanceCounter();
std::int64_t QueryPerformanceFrequency();
// Pointer forms as on the original platform; false for a null pointer.
bool QueryPerformanceCounter(std::int64_t* count);
bool QueryPerformanceFrequency(std::int64_t* frequency);

// A small number per thread, the same for the thread's whole life and never
// 0; threads get them in the order they first ask.
std::uint32_t GetCurrentThreadId();

void Sleep(std::uint32_t milliseconds);
