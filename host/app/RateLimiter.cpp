#include "host/app/RateLimiter.h"

#include <chrono>

bool CRateLimiter::Allow(std::int64_t nowMs)
{
    if (!m_bStarted || nowMs < m_iIntervalStart || nowMs - m_iIntervalStart >= m_iIntervalMs) {
        m_bStarted = true;
        m_iIntervalStart = nowMs;
        m_uUsed = 0;
    }
    if (m_uUsed >= m_uMaxPerInterval) {
        ++m_uSuppressed;
        return false;
    }
    ++m_uUsed;
    m_uSuppressed = 0;
    return true;
}

unsigned CRateLimitedDiagnostic::Next()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_uOccurrences;
    return m_limiter.Allow(QXSteadyMilliseconds()) ? m_uOccurrences : 0;
}

std::int64_t QXSteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
