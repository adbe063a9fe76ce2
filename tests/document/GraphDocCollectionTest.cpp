// The trace collection: array order with its save rows, trace IDs after
// loads, and menu positions.

#include "GraphDocFixture.h"

#include "host/app/FileVersion.h"

#include <climits>
#include <set>
#include <tuple>

namespace {

class GraphDocCollectionTest : public GraphDocFixture {};

TEST_F(GraphDocCollectionTest, ArraySortsByTypeThenOriginalsBeforeCopiesKeepingArrivalOrder)
{
    struct SKey { TraceType eType; int bCopy; };
    // Scrambled on purpose; equal keys must keep their arrival order.
    const SKey aArrivals[] = {{TT_SWEEP1, 0}, {TT_FFT, 1},   {TT_SCOPE, 0}, {TT_FFT, 0},
                              {TT_FFT, 1},    {TT_CTDET, 0}, {TT_FFT, 0},   {TT_SCOPE, 1}};
    std::vector<CQXTrace*> a;
    for (const SKey& key : aArrivals) a.push_back(Add(key.eType, CHANNEL_B, key.bCopy));

    // The copies of the FFT sit after every FFT original and before the CT trace.
    const std::vector<CQXTrace*> aExpected = {a[2], a[7], a[3], a[6], a[1], a[4], a[5], a[0]};
    EXPECT_EQ(Array(CHANNEL_B), aExpected);
    const std::vector<SaveTableDetails>& aRows = *m_pDoc->GetSaveTable(CHANNEL_B);
    ASSERT_EQ(aRows.size(), aExpected.size());
    for (size_t i = 0; i < aRows.size(); ++i)
        EXPECT_EQ(std::make_tuple(aRows[i].m_pTrace, aRows[i].m_sText, aRows[i].m_bSave), std::make_tuple(aExpected[i], CString(), 1)) << i;
    EXPECT_TRUE(Array(CHANNEL_A).empty());
    EXPECT_EQ(m_pDoc->GetSaveTable(CHANNEL_BOTH), nullptr);
}

TEST_F(GraphDocCollectionTest, NextIdCountsLimitLinesKeepsGapsAndNeverWrapsNegative)
{
    EXPECT_EQ(m_pDoc->GetNextTraceID(), 1);
    CTestTrace* pA = Add(TT_FFT);
    pA->SetTraceID(5);
    Add(TT_SCOPE, CHANNEL_B)->SetTraceID(2);
    EXPECT_EQ(m_pDoc->GetNextTraceID(), 6);
    auto [pMax, pMin] = AddLimitLines(pA);
    EXPECT_EQ(m_pDoc->GetTraceFromID(pMin->GetTraceID()), pMin);
    EXPECT_EQ(m_pDoc->GetTraceFromID(TRACE_NULL_ID), nullptr);
    pMin->SetTraceID(SHRT_MAX);
    EXPECT_EQ(m_pDoc->GetNextTraceID(), 1); // the first free ID, not -32768
    (void)pMax;
}

TEST_F(GraphDocCollectionTest, OldConfigurationRenumbersLoadedTracesAndClashingLimitLines)
{
    CTestTrace* pLive = Add(TT_FFT);              // 1
    CTestTrace* pOther = Add(TT_SCOPE);           // 2
    auto [pMax, pMin] = AddLimitLines(pOther);       // 3, 4
    CTestTrace* pLoaded = Add(TT_FFT, CHANNEL_B, 1);
    pLoaded->SetTraceID(pLive->GetTraceID()); // kept the ID of its file
    pLoaded->SetFileName(L"/data/old.trc");
    pMin->SetTraceID(pOther->GetTraceID());
    {
        CFileVersionScope scope(121, 'j');
        m_pDoc->EnsureTraceIDsCorrect();
    }
    const std::set<short> ids = {pLive->GetTraceID(), pOther->GetTraceID(), pMax->GetTraceID(), pMin->GetTraceID(),
                                 pLoaded->GetTraceID()};
    EXPECT_EQ(ids.size(), 5u);
    EXPECT_EQ(std::make_pair(pLive->GetTraceID(), pOther->GetTraceID()), std::make_pair(short{1}, short{2})); // first holders keep theirs
}

TEST_F(GraphDocCollectionTest, NewerConfigurationOnlyFixesLimitLinesPastTheLargestId)
{
    CTestTrace* pLive = Add(TT_FFT);
    CTestTrace* pLoaded = Add(TT_FFT, CHANNEL_B, 1);
    pLoaded->SetTraceID(pLive->GetTraceID());
    pLoaded->SetFileName(L"/data/new.trc");
    auto [pMax, pMin] = AddLimitLines(pLoaded);
    pMin->SetTraceID(30);
    pMax->SetTraceID(pLive->GetTraceID());
    EXPECT_EQ(m_pDoc->HasDuplicateTraceID(pMax, 0), 1);
    {
        CFileVersionScope scope(150, 'g');
        m_pDoc->EnsureTraceIDsCorrect();
    }
    EXPECT_EQ(std::make_pair(pLoaded->GetTraceID(), pMax->GetTraceID()), std::make_pair(pLive->GetTraceID(), short{31}));
    EXPECT_EQ(m_pDoc->HasDuplicateTraceID(pMax, 1), 0);
}

TEST_F(GraphDocCollectionTest, MenuPositionsCountInUseTracesAndTheirShownLimitLines)
{
    CTestTrace* pScope = Add(TT_SCOPE);
    CTestTrace* pFFT = Add(TT_FFT);
    auto [pMax, pMin] = AddLimitLines(pFFT);
    CTestTrace* pUnused = Add(TT_CTDET);
    pUnused->SetInUse(0);
    CTestTrace* pCopy = Add(TT_FFT, CHANNEL_A, 1);
    CTestTrace* pB = Add(TT_SCOPE, CHANNEL_B);
    pMax->TraceOff(0); // a hidden limit line has no entry

    const std::vector<CQXTrace*> aMenuA = {pScope, pFFT, pMin, pCopy};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m_pDoc->GetTraceFromMenuIndex(CHANNEL_A, i), aMenuA[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(m_pDoc->GetMenuIndexOfTrace(aMenuA[static_cast<size_t>(i)]), i) << i;
    }
    EXPECT_EQ(m_pDoc->GetTraceFromMenuIndex(CHANNEL_BOTH, 4), pB);
    EXPECT_EQ(m_pDoc->GetMenuIndexOfTrace(pB), 0); // separate views: B counts alone
    EXPECT_EQ(m_pDoc->GetTraceFromMenuIndex(CHANNEL_A, 4), nullptr);
    EXPECT_EQ(m_pDoc->GetMenuIndexOfTrace(pUnused), -1);
    EXPECT_EQ(LogCount("FAILED ASSERT"), 2);

    m_pDoc->OnOneChannel(1); // one view for both: A's entries come first
    EXPECT_EQ(m_pDoc->GetMenuIndexOfTrace(pB), 4);
    EXPECT_EQ(m_pDoc->GetTraceFromMenuIndex(CHANNEL_B, 0), pScope);
}

} // namespace
