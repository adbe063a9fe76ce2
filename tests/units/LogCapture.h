#pragma once
// Collects the log lines written while it lives, so tests can check that a
// programming error was reported.

#include "host/app/DebugLog.h"

#include <string>
#include <vector>

class CLogCapture {
public:
    CLogCapture()
    {
        m_previous = QXSetLogSink([this](int, const char*, const std::string& text) { m_asLines.push_back(text); });
    }
    ~CLogCapture() { QXSetLogSink(m_previous); }
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    int CountContaining(const std::string& sPart) const
    {
        int iCount = 0;
        for (const auto& sLine : m_asLines)
            if (sLine.find(sPart) != std::string::npos) ++iCount;
        return iCount;
    }
    int Asserts() const { return CountContaining("FAILED ASSERT") + CountContaining("FAILED VERIFY"); }

private:
    QXLogSink m_previous;
    std::vector<std::string> m_asLines;
};
