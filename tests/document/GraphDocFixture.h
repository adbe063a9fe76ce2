#pragma once
// The kit's host and document, with traces of 64 points added the way the
// document's own paths add them (next ID, then into the sorted array).

#include "host/settings/SettingsIds.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "support/HostDocFixture.h"

#include <vector>

class GraphDocFixture : public HostDocFixture {
protected:
    // A trace in the document with the next ID, in use, and on unless told.
    CTestTrace* Add(TraceType eType, ChannelNumber eChannel = CHANNEL_A, int bCopy = 0, int bLive = 0, int bOn = 1)
    {
        auto* pTrace = new CTestTrace(eType, eChannel, 64);
        pTrace->SetTestCopy(bCopy);
        pTrace->SetTraceID(m_pDoc->GetNextTraceID());
        pTrace->SetLive(bLive);
        pTrace->SetInUse(1);
        EXPECT_EQ(m_pDoc->AddTraceToArray(pTrace), 1);
        if (bOn) pTrace->TraceOn(0, 0);
        return pTrace;
    }

    void ShowOnlyChannel(int iMode) { Settings()->GetSignalAnalyserSettings()->SetProperty(PROP_SA_CHANNEL_MODE, iMode); }
    std::vector<LPARAM> PostedDeletes() const { return Pending(APPMSG_DELETE_TRACE); }
    std::vector<CQXTrace*>& Array(ChannelNumber eChannel) { return m_pDoc->GetTraceArray(eChannel); }
};
