// The traces the document derives (response, window-function and user
// traces), sweep preparation and the write-back of a sweep trace's window.

#include "GraphDocFixture.h"

#include "host/settings/FFTParametersSettings.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/WindowFunction.h"
#include "host/settings/SweepManager.h"
#include "trace/types/FFTResponseTrace.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/TraceKindTables.h"
#include "trace/types/UserTrace.h"
#include "trace/types/WindowFunction.h"

#include <algorithm>
#include <cmath>

namespace {

class GraphDocCreate : public GraphDocFixture {
protected:
    ~GraphDocCreate() override { EXPECT_EQ(LogCount("FAILED"), 0); }
    // A live trace from the factory, in use and on.
    CQXTrace* MakeLive(TraceType eType, ChannelNumber eChannel, int iDataSize)
    {
        return m_pDoc->CreateTrace(eType, eChannel, iDataSize, 0, 0, 1, 0, 1, 1, 1);
    }
    CSweepTrace* MakeSweep(TraceType eType, ChannelNumber eChannel)
    {
        auto* pSweep = static_cast<CSweepTrace*>(MakeLive(eType, eChannel, 4));
        // Generator level against generator frequency.
        pSweep->SetResultID(RES_CHA_RMSAMPL);
        pSweep->SetXAxisSourceDetails(TRIGGER_GENFREQ_CHA, UNIT_FREQ_HZ, 20.0, 20000.0);
        pSweep->SetXUnit(UNIT_FREQ_HZ);
        pSweep->SetYUnit(pSweep->GetDefaultYUnit(CQXTrace::eModeNull, 0));
        pSweep->DefaultZoomY(0, 0);
        double* pdX = pSweep->GetXData();
        double* pdY = pSweep->GetYDataBuffer(0);
        for (int i = 0; i < 4; ++i) {
            pdX[i] = 1000.0 * (i + 1);
            pdY[i] = 593164.0 * (i + 1);
        }
        return pSweep;
    }
    int Count(bool (*fnWanted)(CQXTrace*))
    {
        int n = 0;
        for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
            n += static_cast<int>(std::count_if(Array(eChannel).begin(), Array(eChannel).end(), fnWanted));
        return n;
    }
    static bool IsSweepCopy(CQXTrace* p)
    {
        return p->IsSweepTrace() && static_cast<CSweepTrace*>(p)->IsSweepCopy() && p->IsInUse();
    }
    static bool IsUserCopy(CQXTrace* p) { return p->IsSweepTrace() && p->IsCopy() && !IsSweepCopy(p); }
    static bool IsResponse(CQXTrace* p) { return p->GetOwnTraceType() == TT_FFTRESPONSE; }
};

TEST_F(GraphDocCreate, UserTraceTakesItsRangesInEitherOrder)
{
    struct SCase { double dXMin, dXMax, dYMin, dYMax; };
    for (const SCase& c : {SCase{0.0, 10.0, -1.0, 3.0}, SCase{10.0, 0.0, 3.0, -1.0}}) {
        const short sID = m_pDoc->DoCreateUserTrace(CHANNEL_B, 5, c.dXMin, c.dXMax, c.dYMin, c.dYMax);
        auto* pUser = static_cast<CUserTrace*>(m_pDoc->GetTraceFromID(sID));
        ASSERT_NE(pUser, nullptr);
        EXPECT_TRUE(pUser->IsUserTrace() && pUser->IsInUse() && pUser->IsOn());
        for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(pUser->GetXData()[i], 2.5 * i);
        const EUnit eUnit = static_cast<EUnit>(pUser->GetYUnit());
        EXPECT_EQ(std::make_pair(pUser->GetMinYValue(eUnit), pUser->GetMaxYValue(eUnit)), std::make_pair(-1.0, 3.0));
    }
    // Script arguments that cannot make a trace.
    EXPECT_EQ(m_pDoc->DoCreateUserTrace(CHANNEL_A, 0, 0.0, 1.0, 0.0, 1.0), TRACE_NULL_ID);
    EXPECT_EQ(m_pDoc->DoCreateUserTrace(CHANNEL_A, 4, 0.0, NAN, 0.0, 1.0), TRACE_NULL_ID);
    EXPECT_EQ(Array(CHANNEL_A).size(), 0u);
}

TEST_F(GraphDocCreate, UserTraceFromSweepTraceHoldsItsPointsAsShown)
{
    CSweepTrace* pSweep = MakeSweep(TT_SWEEP2, CHANNEL_A);
    EXPECT_EQ(m_pDoc->CreateUserTraceFromSweepTrace(TT_SCOPE, CHANNEL_A), TRACE_NULL_ID);
    EXPECT_EQ(m_pDoc->CreateUserTraceFromSweepTrace(TT_SWEEP1, CHANNEL_A), TRACE_NULL_ID);

    const short sID = m_pDoc->CreateUserTraceFromSweepTrace(TT_SWEEP2, CHANNEL_A);
    auto* pUser = static_cast<CUserTrace*>(m_pDoc->GetTraceFromID(sID));
    ASSERT_NE(pUser, nullptr);
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pUser);
    ASSERT_EQ(pUser->GetDataSize(), 4);
    EXPECT_EQ(pUser->GetYUnit(), pSweep->GetYUnit());
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(pUser->GetXValueAtPos(i, pUser->GetXUnit()), pSweep->GetXValueAtPos(i, pSweep->GetXUnit()));
        EXPECT_DOUBLE_EQ(pUser->GetYDataBuffer(0)[i],
                         pSweep->GetYValueForData(pSweep->GetYDataBuffer(0)[i], pSweep->GetYUnit(), 0, 0));
    }

    m_pDoc->TraceOff(pSweep, 0);
    EXPECT_EQ(m_pDoc->CreateUserTraceFromSweepTrace(TT_SWEEP2, CHANNEL_A), TRACE_NULL_ID);
}

TEST_F(GraphDocCreate, SweepCopiesAreKeptForOneSweepAndUserCopiesStay)
{
    // The walk stops short of each array's first trace, a scope trace as in
    // every document.
    MakeLive(TT_SCOPE, CHANNEL_A, 64);
    MakeLive(TT_SCOPE, CHANNEL_B, 64);
    CSweepTrace* aLive[] = {MakeSweep(TT_SWEEP1, CHANNEL_A), MakeSweep(TT_SWEEP3, CHANNEL_A),
                            MakeSweep(TT_SWEEP1, CHANNEL_B)};
    CQXTrace* pUserCopy = m_pDoc->CopyTrace(aLive[0], 0, 0);
    ASSERT_NE(pUserCopy, nullptr);
    aLive[0]->CursorOn();

    m_pDoc->PrepareTracesForSweep(1);
    EXPECT_EQ(std::make_tuple(Count(IsSweepCopy), Count(IsUserCopy)), std::make_tuple(3, 1));
    for (CSweepTrace* pLive : aLive) EXPECT_FALSE(pLive->IsInUse() || pLive->IsOn());
    EXPECT_FALSE(aLive[0]->IsCursorOn());

    // The sweep refills the live traces; the next one keeps nothing.
    for (CSweepTrace* pLive : aLive) {
        pLive->SetInUse(1);
        m_pDoc->TraceOn(pLive, 0);
    }
    m_pDoc->PrepareTracesForSweep(0);
    EXPECT_EQ(std::make_tuple(Count(IsSweepCopy), Count(IsUserCopy)), std::make_tuple(0, 1));
    EXPECT_EQ(PostedDeletes().size(), 3u);
    for (CSweepTrace* pLive : aLive) EXPECT_FALSE(pLive->IsInUse());
}

TEST_F(GraphDocCreate, SweepWindowIsWrittenBackToMatchingAxisRecords)
{
    CSweepTrace* pSweep = MakeSweep(TT_SWEEP1, CHANNEL_A);
    pSweep->SetCurrentMinXScaleValue(100.0);
    pSweep->SetCurrentMaxXScaleValue(5000.0);
    pSweep->SetCurrentMinYScaleValue(-40.0);
    pSweep->SetCurrentMaxYScaleValue(6.0);
    CSweepManager* pSweeps = m_host.GetSettingsService()->GetSweepManager();
    CSweepManager::SAxisRecord& matching = *pSweeps->GetAxisRecord(0);
    CSweepManager::SAxisRecord& other = *pSweeps->GetAxisRecord(1);
    matching.bEnabled = other.bEnabled = true;
    matching.iSource = TRIGGER_GENFREQ_CHA;
    other.iSource = TRIGGER_GENFREQ_CHA + 1;

    EXPECT_EQ(m_pDoc->UpdateSweepXDetails(pSweep), 1);
    EXPECT_EQ(m_pDoc->UpdateSweepYDetails(pSweep), 1);
    EXPECT_EQ(std::make_tuple(matching.iXUnit, matching.dMaxX, matching.dMinY), std::make_tuple(pSweep->GetXUnit(), 5000.0, -40.0));
    EXPECT_EQ(other.dMaxX, 0.0);

    // A disabled record takes nothing, unless the sweep runs from a table.
    matching.bEnabled = false;
    pSweep->SetCurrentMaxXScaleValue(8000.0);
    m_pDoc->UpdateSweepXDetails(pSweep);
    EXPECT_EQ(matching.dMaxX, 5000.0);
    pSweeps->SetTableSweep(true);
    m_pDoc->UpdateSweepXDetails(pSweep);
    EXPECT_EQ(matching.dMaxX, 8000.0);
}

TEST_F(GraphDocCreate, ResponseTraceIsReusedPerChannelAndKind)
{
    ResponseDetails details;
    details.sFunction = 0;
    details.iYUnit = UNIT_DBFS;
    CQXTrace* pFirst = m_pDoc->CreateResponseTrace(CHANNEL_A, details, 1);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_TRUE(pFirst->IsLive() && pFirst->IsInUse() && pFirst->IsOn());
    EXPECT_EQ(pFirst->GetYDataBuffer(0)[0], DBL_MAX);

    details.iYUnit = UNIT_DBU; // the same kind in another unit
    EXPECT_EQ(m_pDoc->CreateResponseTrace(CHANNEL_A, details, 1), pFirst);
    EXPECT_EQ(pFirst->GetYUnit(), UNIT_DBU);
    details.sFunction = 4;
    CQXTrace* pCrossTalk = m_pDoc->CreateResponseTrace(CHANNEL_A, details, 1);
    EXPECT_NE(pCrossTalk, pFirst);
    EXPECT_EQ(static_cast<CFFTResponseTrace*>(pCrossTalk)->GetResponseDetails().sFunction, 4);
    CQXTrace* pB = m_pDoc->CreateResponseTrace(CHANNEL_B, details, 1);
    EXPECT_NE(pB, pCrossTalk);
    EXPECT_EQ(Count(IsResponse), 3);

    EXPECT_EQ(m_pDoc->RemoveResponseTraces(1), 1);
    EXPECT_EQ(Count(IsResponse), 0);
    EXPECT_EQ(HintsFor(nullptr).back(), UPDATE_GRAPH_REDRAWALL);
}

TEST_F(GraphDocCreate, WindowFunctionShowsTheFFTWindowOrReportsFailure)
{
    m_host.GetSettingsService()->GetFFTParametersSettings()->SetProperty(PROP_FFT_LENGTH, 1024);
    ASSERT_EQ(m_pDoc->CreateWindowFunction(CHANNEL_A, 0, WINDOW_HANN, CString(L"Hann"), 1), 1);
    CQXTrace* pWindow = m_pDoc->GetTraceFromArray(CHANNEL_A, TT_WINDOW, 0, 0);
    ASSERT_NE(pWindow, nullptr);
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pWindow);
    ASSERT_EQ(pWindow->GetDataSize(), 1024);
    EXPECT_NEAR(pWindow->GetYDataBuffer(0)[0], 0.0, 1e-12);
    EXPECT_GT(pWindow->GetYDataBuffer(0)[512], 0.99);

    // Again with another window: the same trace.
    ASSERT_EQ(m_pDoc->CreateWindowFunction(CHANNEL_A, 0, WINDOW_RECTANGULAR, CString(), 1), 1);
    EXPECT_EQ(m_pDoc->GetTraceFromArray(CHANNEL_A, TT_WINDOW, 0, 0), pWindow);
    EXPECT_EQ(pWindow->GetYDataBuffer(0)[0], 1.0);

    // The impulse gate is a trace of its own; its shape (open at the mid
    // bin, closed after the end bin) survives a new sample size.
    ASSERT_EQ(m_pDoc->CreateWindowFunction(CHANNEL_A, 1, 0, CString(), 1), 1);
    auto* pGate = static_cast<CWindowFunction*>(m_pDoc->GetTraceFromArray(CHANNEL_A, TT_WINDOW, 1, 0));
    ASSERT_NE(pGate, nullptr);
    const CImpulseWindowDetails& gate = m_host.GetSettingsService()->GetImpulseResponseSettings()->GetImpulseWindowDetails(0);
    ASSERT_EQ(pGate->SetWindow(512, 0), 1);
    ASSERT_EQ(pGate->GetDataSize(), 512);
    EXPECT_EQ(pGate->GetYDataBuffer(0)[gate.GetMidBin()], 1.0);
    EXPECT_EQ(pGate->GetYDataBuffer(0)[gate.GetEndBin() + 1], 0.0);

    // A user window file cannot be loaded here.
    EXPECT_EQ(m_pDoc->CreateWindowFunction(CHANNEL_B, 0, WINDOW_USER, CString(), 1), 0);
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(std::wstring(m_host.GetMessageBoxes()[0].sText.GetString()), L"Cannot load this Window function.");
    EXPECT_EQ(m_pDoc->GetTraceFromArray(CHANNEL_B, TT_WINDOW, 0, 0), nullptr);
}

} // namespace
