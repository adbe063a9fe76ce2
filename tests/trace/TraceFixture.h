#pragma once
// A headless host with a graph document the test owns, and helpers shared by
// the trace-model suites.

#include "host/app/HeadlessHost.h"
#include "support/TestTrace.h"
#include "trace/document/GraphDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

class TraceFixture : public ::testing::Test {
protected:
    TraceFixture() { m_host.SetGraphDoc(m_pDoc.get()); }
    ~TraceFixture() override
    {
        m_pDoc.reset();
        m_host.SetGraphDoc(nullptr);
    }

    // A trace owned by the document (deleted with it).
    CTestTrace* AddTrace(TraceType eType = TT_FFT, ChannelNumber eChannel = CHANNEL_A, int iSize = 512)
    {
        auto* pTrace = new CTestTrace(eType, eChannel, iSize);
        m_pDoc->AddTrace(pTrace);
        return pTrace;
    }

    bool LogContains(const std::string& sPart) const
    {
        const auto aLines = m_host.GetLogLines();
        return std::any_of(aLines.begin(), aLines.end(),
                           [&](const std::string& s) { return s.find(sPart) != std::string::npos; });
    }

    int CountPosted(unsigned uMessage, WPARAM wParam) const
    {
        const auto aMessages = m_host.GetPostedMessages();
        return static_cast<int>(std::count_if(aMessages.begin(), aMessages.end(), [&](const auto& m) {
            return m.uMessage == uMessage && m.wParam == wParam;
        }));
    }

    CHeadlessHost m_host;
    std::unique_ptr<CGraphDoc> m_pDoc = std::make_unique<CGraphDoc>();
};
