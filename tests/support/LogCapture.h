#pragma once
// The one log capture of the test kit.
//
//   CLogCapture log;                  // collects every log line while it lives
//   DoSomethingWrong();
//   EXPECT_EQ(log.Asserts(), 1);      // lines starting "FAILED " (ASSERT, VERIFY)
//   EXPECT_TRUE(log.Contains("Unhandled iInput=7"));
//
// A CHeadlessHost records the log too (HostDocFixture::LogCount reads it);
// use CLogCapture where there is no host, or to look at one stretch of a
// test only. It puts back the previous log sink when it goes, and is safe
// to log into from other threads.

#include "host/app/DebugLog.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

// How many of the lines contain sPart (log lines carry file and line
// details, so tests match on a part).
inline int CountLinesContaining(const std::vector<std::string>& aLines, const std::string& sPart)
{
    return static_cast<int>(
        std::count_if(aLines.begin(), aLines.end(), [&](const std::string& s) { return s.find(sPart) != std::string::npos; }));
}

// How many of the lines are assertion reports.
inline int CountAssertLines(const std::vector<std::string>& aLines)
{
    return static_cast<int>(
        std::count_if(aLines.begin(), aLines.end(), [](const std::string& s) { return s.rfind("FAILED ", 0) == 0; }));
}

class CLogCapture {
public:
    CLogCapture()
    {
        m_previous = QXSetLogSink([this](int, const char*, const std::string& sText) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_asLines.push_back(sText);
        });
    }
    ~CLogCapture() { QXSetLogSink(std::move(m_previous)); }
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    std::vector<std::string> Lines() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_asLines;
    }
    int CountContaining(const std::string& sPart) const { return CountLinesContaining(Lines(), sPart); }
    bool Contains(const std::string& sPart) const { return CountContaining(sPart) > 0; }
    int Asserts() const { return CountAssertLines(Lines()); }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_asLines.clear();
    }

private:
    QXLogSink m_previous;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_asLines;
};
