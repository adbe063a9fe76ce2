#pragma once
// Counts the assertion reports logged while it lives.

#include "host/app/DebugLog.h"

#include <atomic>
#include <string>

class CAssertCounter {
public:
    CAssertCounter()
    {
        m_previous = QXSetLogSink([this](int, const char*, const std::string& text) {
            if (text.rfind("FAILED ", 0) == 0) ++m_iCount;
        });
    }
    ~CAssertCounter() { QXSetLogSink(std::move(m_previous)); }
    int Count() const { return m_iCount.load(); }

private:
    std::atomic<int> m_iCount{0};
    QXLogSink m_previous;
};
