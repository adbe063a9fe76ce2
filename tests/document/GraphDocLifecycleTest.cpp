// The initial live traces, the factory, copies of real traces, and
// destruction whatever document the host has installed.

#include "GraphDocFixture.h"

#include "host/app/Registry.h"
#include "trace/display/XScale.h"

namespace {

class GraphDocLifecycleTest : public GraphDocFixture {};

TEST_F(GraphDocLifecycleTest, InitialiseMakesEightLiveTracesPerChannelWithIdsInCreationOrder)
{
    CRegistry::SetRegistryValue(0, L"TraceExport", L"FileExt", L"png");
    ASSERT_EQ(m_pDoc->Initialise(), 1);
    const TraceType aTypes[] = {TT_SCOPE, TT_FFT, TT_CTDET, TT_CTFFT, TT_SWEEP1, TT_SWEEP2, TT_SWEEP3, TT_SWEEP4};
    // Scope to CT FFT alternate A and B; the sweeps come four per channel.
    const short aIdsA[] = {1, 3, 5, 7, 9, 10, 11, 12};
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        const auto& a = Array(eChannel);
        ASSERT_EQ(a.size(), 8u);
        for (size_t i = 0; i < 8; ++i) {
            const int bShown = i < 2;
            EXPECT_EQ(a[i]->GetOwnTraceType(), aTypes[i]) << i;
            EXPECT_EQ(a[i]->GetTraceID(), aIdsA[i] + (eChannel == CHANNEL_B ? (i < 4 ? 1 : 4) : 0)) << i;
            EXPECT_TRUE(a[i]->IsLive() && !a[i]->IsCopy()) << i;
            EXPECT_EQ(a[i]->IsInUse(), bShown) << i;
            EXPECT_EQ(a[i]->IsOn(), bShown) << i;
            EXPECT_EQ((*m_pDoc->GetSaveTable(eChannel))[i].m_pTrace, a[i]);
        }
    }
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), Array(CHANNEL_A)[0]);
    EXPECT_EQ(m_pDoc->GetCurrentTrace(CHANNEL_B), Array(CHANNEL_B)[0]); // what a view of B shows
    EXPECT_EQ(m_pDoc->GetExportFileExt(), L"png");
}

TEST_F(GraphDocLifecycleTest, FactoryBuildsEveryKindBareOrNumberedAndRefusesUnknownTypes)
{
    for (int i = 0; i < TT_COUNT; ++i) {
        const auto eType = static_cast<TraceType>(i);
        CQXTrace* pBare = m_pDoc->CreateTrace(eType, CHANNEL_B, 64, 0, 1, 1, 0, 1, 1, 1);
        ASSERT_NE(pBare, nullptr) << i;
        EXPECT_EQ(std::make_tuple(pBare->GetOwnTraceType(), pBare->GetTraceID()), std::make_tuple(eType, 0));
        delete pBare;
    }
    EXPECT_TRUE(Array(CHANNEL_B).empty());

    CQXTrace* pCT = m_pDoc->CreateTrace(TT_CTDET, CHANNEL_A, 1024, 0, 0, 1, 0, 1, 1, 1);
    CQXTrace* pScope = m_pDoc->CreateTrace(TT_SCOPE, CHANNEL_A, 1024, 0, 0, 0, 0, 1, 0, 1);
    ASSERT_TRUE(pCT && pScope);
    EXPECT_EQ(std::make_pair(pCT->GetTraceID(), pScope->GetTraceID()), std::make_pair(short{1}, short{2}));
    EXPECT_TRUE(pCT->IsLive() && pCT->IsOn() && !pScope->IsLive() && pScope->IsInUse() && !pScope->IsOn());
    EXPECT_EQ(Array(CHANNEL_A), (std::vector<CQXTrace*>{pScope, pCT}));

    EXPECT_EQ(m_pDoc->CreateTrace(static_cast<TraceType>(99), CHANNEL_A, 8, 0, 0, 0, 0, 0, 0, 1), nullptr);
    EXPECT_EQ(LogCount("FAILED ASSERT"), 1);
}

TEST_F(GraphDocLifecycleTest, CopyGoesAfterTheOriginalsOfItsTypeAndTakesTheSourceName)
{
    ASSERT_EQ(m_pDoc->Initialise(), 1);
    CQXTrace* pFFT = m_pDoc->GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1);
    CQXTrace* pUnnamed = m_pDoc->CopyTrace(pFFT, 0, 1);
    m_pDoc->SetTraceName(pFFT, L"Left");
    CQXTrace* pNamed = m_pDoc->CopyTrace(pFFT, 0, 0);
    ASSERT_TRUE(pUnnamed && pNamed);
    EXPECT_EQ(pUnnamed->GetTraceID(), 17);
    EXPECT_TRUE(pUnnamed->IsCopy() && !pUnnamed->IsLive() && pUnnamed->IsInUse() && pUnnamed->IsOn());
    EXPECT_EQ(std::make_pair(Array(CHANNEL_A)[2], Array(CHANNEL_A)[3]), std::make_pair(pUnnamed, pNamed));
    EXPECT_EQ(HintsFor(pUnnamed).front(), UPDATE_TRACE_ADD);
    EXPECT_TRUE(pUnnamed->GetUserName().IsEmpty());
    EXPECT_EQ(pNamed->GetUserName(), L"Copy of Left");

    // A hidden trace is not copied.
    EXPECT_EQ(m_pDoc->CopyTrace(m_pDoc->GetTraceFromArray(CHANNEL_A, TT_CTDET, 0, 1), 0, 1), nullptr);
    // A removed copy goes; the scales it shared stay with the live trace.
    m_pDoc->RemoveTrace(pUnnamed, 0);
    m_host.PumpMessages();
    ASSERT_NE(pFFT->GetXScale(), nullptr);
    EXPECT_EQ(pFFT->GetXScale()->GetScaleType(), ST_FFT);
}

TEST(GraphDocLifetimeTest, DocumentThatIsNotInstalledDeletesEachSharedScaleOnce)
{
    CHeadlessHost host;
    auto pDoc = std::make_unique<CGraphDoc>();
    host.SetGraphDoc(pDoc.get());
    ASSERT_EQ(pDoc->Initialise(), 1);
    ASSERT_NE(pDoc->CopyTrace(pDoc->GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1), 0, 0), nullptr);
    auto* pTrace = new CTestTrace(TT_FFT, CHANNEL_B);
    pDoc->AddTrace(pTrace);
    pTrace->AttachLimitLines(new CTestLimitLine(pTrace, TT_MAXLIMITLINE), nullptr);

    // Another document is installed when this one goes; then none at all.
    CGraphDoc other;
    host.SetGraphDoc(&other);
    pDoc.reset(); // the sanitizer build reports a double delete or a leak
    EXPECT_TRUE(other.GetXScales().empty());

    auto pSecond = std::make_unique<CGraphDoc>();
    host.SetGraphDoc(pSecond.get());
    ASSERT_EQ(pSecond->Initialise(), 1);
    host.SetGraphDoc(nullptr);
    pSecond.reset();
    host.PumpMessages();
}

} // namespace
