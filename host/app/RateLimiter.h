#pragma once
// Keeps diagnostics on per-refresh paths from flooding the log: at most N
// lines per interval. The clock is passed in, so the limiter is pure and
// needs no allocation per call.

#include <cstdint>
#include <mutex>

class CRateLimiter {
public:
    CRateLimiter(unsigned maxPerInterval, std::int64_t intervalMs)
        : m_uMaxPerInterval(maxPerInterval), m_iIntervalMs(intervalMs > 0 ? intervalMs : 1) {}

    // True when a line may be written at time nowMs; a new interval starts with
    // the first call at least one interval after the current one began. Time
    // going backwards starts a new interval too.
    bool Allow(std::int64_t nowMs);
    // Lines refused since the last allowed one (to report "n suppressed").
    unsigned GetSuppressed() const { return m_uSuppressed; }

private:
    unsigned m_uMaxPerInterval;
    std::int64_t m_iIntervalMs;
    std::int64_t m_iIntervalStart = 0;
    unsigned m_uUsed = 0;
    unsigned m_uSuppressed = 0;
    bool m_bStarted = false;
};

// One diagnostic written from any thread at most N times per interval of the
// steady clock; each line carries its occurrence number, so a reader sees how
// many were dropped in between.
class CRateLimitedDiagnostic {
public:
    CRateLimitedDiagnostic(unsigned maxPerInterval, std::int64_t intervalMs) : m_limiter(maxPerInterval, intervalMs) {}
    CRateLimitedDiagnostic(const CRateLimitedDiagnostic&) = delete;
    CRateLimitedDiagnostic& operator=(const CRateLimitedDiagnostic&) = delete;

    // The occurrence number to log, or 0 when the line is suppressed.
    unsigned Next();

private:
    std::mutex m_mutex;
    CRateLimiter m_limiter;
    unsigned m_uOccurrences = 0;
};

// Milliseconds of the steady clock, for callers of CRateLimiter.
std::int64_t QXSteadyMilliseconds();
