#pragma once
// The one host-and-document fixture of the test kit: a headless host (which
// installs itself as the application services, with analyser-default
// measurement settings, and records the log, update hints and posted
// messages) and a graph document installed in it. The document goes first
// on tear-down, after the posted messages were handled.
//
//   using MySuite = HostDocFixture;
//   TEST_F(MySuite, Something)
//   {
//       CTestTrace* pTrace = AddTrace(TT_FFT, CHANNEL_A, 64); // owned by m_pDoc
//       pTrace->TraceOn(0, 0);
//       EXPECT_EQ(CountHints(UPDATE_TRACE_ON), 1);
//       EXPECT_EQ(LogCount("FAILED"), 0);
//   }
//
// Derive from it to add a suite's own set-up; use any trace kind with
// AddTrace(new CMyTrace(...)).

#include "host/app/HeadlessHost.h"
#include "host/settings/MeasurementSettings.h"
#include "support/LogCapture.h"
#include "support/StringPrint.h"
#include "support/TestTrace.h"
#include "trace/document/GraphDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class HostDocFixture : public ::testing::Test {
protected:
    HostDocFixture() { m_host.SetGraphDoc(m_pDoc.get()); }
    ~HostDocFixture() override
    {
        m_host.PumpMessages();
        m_pDoc.reset();
        m_host.SetGraphDoc(nullptr);
    }

    CMeasurementSettings* Settings() const { return m_host.GetSettingsService(); }

    // ---- Traces in the document --------------------------------------------
    // Takes the trace into the document with the next free ID.
    template <class TTrace>
    TTrace* AddTrace(TTrace* pTrace)
    {
        pTrace->SetTraceID(m_pDoc->GetNextTraceID());
        m_pDoc->AddTrace(pTrace);
        return pTrace;
    }
    CTestTrace* AddTrace(TraceType eType = TT_FFT, ChannelNumber eChannel = CHANNEL_A, int iSize = 512)
    {
        return AddTrace(new CTestTrace(eType, eChannel, iSize));
    }
    // The same, in use and on, as a shown trace is.
    CTestTrace* AddShownTrace(TraceType eType = TT_FFT, ChannelNumber eChannel = CHANNEL_A, int iSize = 512)
    {
        CTestTrace* pTrace = AddTrace(eType, eChannel, iSize);
        pTrace->SetInUse(1);
        pTrace->TraceOn(0, 0);
        return pTrace;
    }
    // Max and min limit lines of a trace, attached, in use and shown, with the next IDs.
    std::pair<CTestLimitLine*, CTestLimitLine*> AddLimitLines(CTestTrace* pTrace)
    {
        auto* pMax = new CTestLimitLine(pTrace, TT_MAXLIMITLINE);
        pMax->SetTraceID(m_pDoc->GetNextTraceID());
        pTrace->AttachLimitLines(pMax, nullptr);
        auto* pMin = new CTestLimitLine(pTrace, TT_MINLIMITLINE);
        pMin->SetTraceID(m_pDoc->GetNextTraceID());
        pTrace->AttachLimitLines(pMax, pMin);
        for (CTestLimitLine* p : {pMax, pMin}) {
            p->SetInUse(1);
            p->TraceOn(0, 0);
        }
        return {pMax, pMin};
    }

    // ---- What the host recorded --------------------------------------------
    int LogCount(const std::string& sPart) const { return CountLinesContaining(m_host.GetLogLines(), sPart); }
    bool HasLog(const std::string& sPart) const { return LogCount(sPart) > 0; }
    int AssertCount() const { return CountAssertLines(m_host.GetLogLines()); }
    // Update hints sent about one object, in order.
    std::vector<LPARAM> HintsFor(const CObject* pObject) const
    {
        std::vector<LPARAM> aHints;
        for (const auto& update : m_host.GetUpdates())
            if (update.pObject == pObject) aHints.push_back(update.lHint);
        return aHints;
    }
    int CountHints(LPARAM lHint) const
    {
        int iCount = 0;
        for (const auto& update : m_host.GetUpdates()) iCount += update.lHint == lHint;
        return iCount;
    }
    // Messages posted so far with this message number (and wParam unless -1).
    int CountPosted(unsigned uMessage, WPARAM wParam = static_cast<WPARAM>(-1)) const
    {
        int iCount = 0;
        for (const auto& m : m_host.GetPostedMessages())
            iCount += m.uMessage == uMessage && (wParam == static_cast<WPARAM>(-1) || m.wParam == wParam);
        return iCount;
    }
    // The lParams of the messages still waiting with this number.
    std::vector<LPARAM> Pending(unsigned uMessage) const
    {
        std::vector<LPARAM> aParams;
        for (const auto& m : m_host.GetPendingMessages())
            if (m.uMessage == uMessage) aParams.push_back(m.lParam);
        return aParams;
    }
    // Kinds of the events fired so far, in order.
    std::vector<int> FiredEventKinds()
    {
        std::vector<int> aKinds;
        for (const SFiredEvent& e : m_host.Events().GetFiredEvents()) aKinds.push_back(e.iKind);
        return aKinds;
    }
    // How a trace travels in messages and hints.
    static LPARAM Handle(CQXTrace* pTrace) { return reinterpret_cast<LPARAM>(static_cast<CObject*>(pTrace)); }

    CHeadlessHost m_host;
    std::unique_ptr<CGraphDoc> m_pDoc = std::make_unique<CGraphDoc>();
};
