#pragma once
// A headless host with an installed graph document, test traces that can
// carry limit lines, and readers of what the host recorded.

#include "host/app/HeadlessHost.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SettingsIds.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "support/TestTrace.h"
#include "trace/document/GraphDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class CDocTestTrace : public CTestTrace {
public:
    CDocTestTrace(TraceType eType, ChannelNumber eChannel, int bCopy = 0) : CTestTrace(eType, eChannel, 64)
    {
        SetTestCopy(bCopy);
    }
    void AttachLimitLines(CQXTrace* pMax, CQXTrace* pMin)
    {
        m_pMaxLimitLine = pMax;
        m_pMinLimitLine = pMin;
    }
    void SetTestXPositions(int iMin, int iMax, int iCurrentMin, int iCurrentMax)
    {
        m_iMinXPos = iMin;
        m_iMaxXPos = iMax;
        m_iCurrentMinXPos = iCurrentMin;
        m_iCurrentMaxXPos = iCurrentMax;
    }
};

class CDocTestLimitLine : public CTestTrace {
public:
    CDocTestLimitLine(CQXTrace* pParent, TraceType eType)
        : CTestTrace(eType, pParent->GetChannel(), 0), m_pParent(pParent)
    {
    }
    bool IsLimitLine() override { return true; }

protected:
    CQXTrace* GetParentTrace() override { return m_pParent; }

private:
    CQXTrace* m_pParent;
};

class GraphDocFixture : public ::testing::Test {
protected:
    GraphDocFixture() { m_host.SetGraphDoc(m_pDoc.get()); }
    ~GraphDocFixture() override
    {
        m_host.PumpMessages();
        m_pDoc.reset();
        m_host.SetGraphDoc(nullptr);
    }

    // A trace in the document with the next ID, in use, and on unless told.
    CDocTestTrace* Add(TraceType eType, ChannelNumber eChannel = CHANNEL_A, int bCopy = 0, int bLive = 0, int bOn = 1)
    {
        auto* pTrace = new CDocTestTrace(eType, eChannel, bCopy);
        pTrace->SetTraceID(m_pDoc->GetNextTraceID());
        pTrace->SetLive(bLive);
        pTrace->SetInUse(1);
        EXPECT_EQ(m_pDoc->AddTraceToArray(pTrace), 1);
        if (bOn) pTrace->TraceOn(0, 0);
        return pTrace;
    }

    // Max and min limit lines of a trace, shown, with the next IDs.
    std::pair<CQXTrace*, CQXTrace*> AddLimitLines(CDocTestTrace* pTrace)
    {
        CQXTrace* pLines[2] = {new CDocTestLimitLine(pTrace, TT_MAXLIMITLINE),
                               new CDocTestLimitLine(pTrace, TT_MINLIMITLINE)};
        for (CQXTrace* p : pLines) {
            p->SetTraceID(m_pDoc->GetNextTraceID());
            pTrace->AttachLimitLines(pLines[0], p == pLines[1] ? p : nullptr);
            p->SetInUse(1);
            p->TraceOn(0, 0);
        }
        return {pLines[0], pLines[1]};
    }

    void ShowOnlyChannel(int iMode)
    {
        m_host.GetSettingsService()->GetSignalAnalyserSettings()->SetProperty(PROP_SA_CHANNEL_MODE, iMode);
    }

    std::vector<LPARAM> HintsFor(CObject* pObject) const
    {
        std::vector<LPARAM> aHints;
        for (const auto& update : m_host.GetUpdates())
            if (update.pObject == pObject) aHints.push_back(update.lHint);
        return aHints;
    }

    std::vector<LPARAM> PostedDeletes() const
    {
        std::vector<LPARAM> aTraces;
        for (const auto& message : m_host.GetPendingMessages())
            if (message.uMessage == APPMSG_DELETE_TRACE) aTraces.push_back(message.lParam);
        return aTraces;
    }

    int LogCount(const std::string& sPart) const
    {
        int iCount = 0;
        for (const std::string& s : m_host.GetLogLines()) iCount += s.find(sPart) != std::string::npos;
        return iCount;
    }

    static LPARAM Handle(CQXTrace* pTrace) { return reinterpret_cast<LPARAM>(static_cast<CObject*>(pTrace)); }
    std::vector<CQXTrace*>& Array(ChannelNumber eChannel) { return m_pDoc->GetTraceArray(eChannel); }

    CHeadlessHost m_host;
    std::unique_ptr<CGraphDoc> m_pDoc = std::make_unique<CGraphDoc>();
};
