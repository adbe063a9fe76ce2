// The trace object: buffers, naming, colours, copies, scale sharing, limit
// events and failure reports.

#include "support/HostDocFixture.h"

#include "host/app/EventManager.h"
#include "trace/display/XScale.h"
#include "trace/model/CursorMark.h"
#include "trace/core/TraceMath.h"

namespace {

using TraceBufferTest = HostDocFixture;
using TraceNameTest = HostDocFixture;
using TraceColorTest = HostDocFixture;
using TraceScaleTest = HostDocFixture;
using TraceStateTest = HostDocFixture;

// ---- Buffers ------------------------------------------------------------------

TEST_F(TraceBufferTest, SizeZeroLeavesNoArraysLaterSizeAllocatesZerosSameSizeKeepsData)
{
    CTestTrace trace(TT_FFT, CHANNEL_A, 64);
    trace.FillYData([](int i) { return i + 1.0; });

    EXPECT_EQ(trace.SetBuffer(0), 1);
    EXPECT_EQ(trace.GetDataSize(), 0);
    EXPECT_EQ(trace.GetYDataBuffer(0), nullptr);

    EXPECT_EQ(trace.SetBuffer(32), 1);
    ASSERT_EQ(trace.GetDataSize(), 32);
    EXPECT_EQ(trace.GetYDataCopy(), std::vector<double>(32, 0.0));
    EXPECT_EQ(trace.GetMaxXPos(), 31);

    // The same size keeps the array and its data.
    trace.FillYData([](int i) { return 2.0 * i; });
    const double* pBefore = trace.GetYDataBuffer(0);
    EXPECT_EQ(trace.SetBuffer(32), 1);
    EXPECT_EQ(trace.GetYDataBuffer(0), pBefore);
    EXPECT_EQ(trace.GetYDataCopy()[31], 62.0);
}

TEST_F(TraceBufferTest, ResizeKeepsTheZoomWindowInXValuesClampedToTheFullRange)
{
    struct Case {
        double dMin, dMax;         // current window before, Hz
        double dExpectMin, dExpectMax;
        int iExpectMinPos, iExpectMaxPos;
    };
    // 1024 points at 48 kHz: one bin is 48000 / 2046 Hz.
    const Case aCases[] = {
        {1000.0, 2000.0, 1000.0, 2000.0, 42, 85},
        {1000.0, 30000.0, 1000.0, 24000.0, 42, 1023},
    };
    for (const Case& c : aCases) {
        CTestTrace trace(TT_FFT, CHANNEL_A, 512);
        trace.SetTestXRange(0.0, 24000.0);
        trace.SetTestXWindow(c.dMin, c.dMax);
        ASSERT_EQ(trace.SetBuffer(1024), 1);
        EXPECT_DOUBLE_EQ(trace.GetCurrentMinXScaleValue(), c.dExpectMin);
        EXPECT_DOUBLE_EQ(trace.GetCurrentMaxXScaleValue(), c.dExpectMax);
        EXPECT_EQ(trace.GetCurrentMinXPos(), c.iExpectMinPos);
        EXPECT_EQ(trace.GetCurrentMaxXPos(), c.iExpectMaxPos);
    }
}

TEST_F(TraceBufferTest, FailedAllocationIsReportedAndLeavesNoData)
{
    CTestTrace trace(TT_FFT, CHANNEL_A, 64);
    EXPECT_EQ(trace.SetBuffer(kMaxTraceDataSize + 1), 0);
    EXPECT_EQ(trace.GetDataSize(), 0);
    EXPECT_EQ(trace.GetYDataBuffer(0), nullptr);
    EXPECT_TRUE(HasLog("ERROR_FATAL: 11304=<<IDS_ERROR_OUTOFMEMORY>>"));
    EXPECT_EQ(CountPosted(0x8004, 11304), 1);
    EXPECT_EQ(trace.SetBuffer(-1), 0);
    EXPECT_TRUE(HasLog("FAILED VERIFY"));
}

TEST_F(TraceBufferTest, DefaultDataSizeByType)
{
    const std::pair<TraceType, int> aCases[] = {
        {TT_SCOPE, 1024}, {TT_CTDET, 1024}, {TT_WINDOW, 1024}, {TT_FFT, 512},   {TT_CTFFT, 512},
        {TT_FILTER, 512}, {TT_FFTRESPONSE, 2}, {TT_SWEEP1, 0}, {TT_USER, 0}, {TT_MAXLIMITLINE, 0},
    };
    for (const auto& [eType, iSize] : aCases) EXPECT_EQ(CQXTrace::GetDefaultDataSize(eType), iSize) << eType;
}

// ---- Names --------------------------------------------------------------------

TEST_F(TraceNameTest, PrefixFollowsLiveLoadedCopyInThatOrder)
{
    CTestTrace live(TT_FFT, CHANNEL_B, 16);
    live.SetLive(1);
    EXPECT_EQ(live.GetTraceName(1, 0, 0), CString(L"Ch B Live FFT Trace"));

    CTestTrace loadedCopy(TT_FFT, CHANNEL_A, 16);
    loadedCopy.SetTestCopy(1);
    loadedCopy.SetFileName(L"/data/run1.trc");
    EXPECT_EQ(loadedCopy.GetTraceName(0, 0, 0), CString(L"Loaded FFT Trace (run1.trc)"));

    CTestTrace copy(TT_SCOPE, CHANNEL_A, 16);
    copy.SetTestCopy(1);
    EXPECT_EQ(copy.GetTraceName(0, 0, 0), CString(L"Copy of Scope Trace"));
}

TEST_F(TraceNameTest, UserNameWinsUnlessIgnored)
{
    CTestTrace trace(TT_CTDET, CHANNEL_A, 16);
    trace.SetTraceName(L"Mine");
    EXPECT_EQ(trace.GetTraceName(1, 1, 0), CString(L"Ch A Mine"));
    EXPECT_EQ(trace.GetTraceName(0, 0, 1), CString(L"CTA output"));
}

TEST_F(TraceNameTest, LimitLineIsNamedAfterItsTrace)
{
    CTestTrace parent(TT_FFT, CHANNEL_B, 16);
    parent.SetLive(1);
    CTestLimitLine limit(&parent, TT_MINLIMITLINE);
    EXPECT_EQ(limit.GetTraceName(1, 0, 0), CString(L"Min limit: Ch B Live FFT Trace"));
    EXPECT_EQ(limit.GetTraceType(), TT_FFT);
}

TEST_F(TraceNameTest, FilterNamesByFilterType)
{
    const std::pair<int, const wchar_t*> aCases[] = {
        {1000, L"Filter: CT Det"}, {1001, L"Filter: FFT Params"}, {3, L"Filter: FFT Det 3"}};
    for (const auto& [iType, sName] : aCases) {
        CTestTrace filter(TT_FILTER, CHANNEL_A, 512);
        filter.SetFilterType(iType);
        EXPECT_EQ(filter.GetTraceName(0, 0, 0), CString(sName));
    }
}

TEST_F(TraceNameTest, TransformedSuffixOnlyWithATransformedArrayAndWhenAsked)
{
    CTestTrace trace(TT_FFT, CHANNEL_A, 16);
    EXPECT_EQ(trace.GetTraceName(0, 1, 0), CString(L"FFT Trace"));
    ASSERT_EQ(trace.AllocateTransformedYDataBuffer(1), 1);
    EXPECT_EQ(trace.GetTraceName(0, 1, 0), CString(L"FFT Trace (transformed)"));
    EXPECT_EQ(trace.GetTraceName(0, 0, 0), CString(L"FFT Trace"));
}

// ---- Colours ------------------------------------------------------------------

TEST_F(TraceColorTest, NewTraceTakesTheDocumentDefault)
{
    CTestTrace trace(TT_SCOPE, CHANNEL_A, 16);
    EXPECT_EQ(trace.GetScreenColor(), 0x00FF00u);
    EXPECT_EQ(trace.GetPrintColor(), 0x00FF00u);
}

TEST_F(TraceColorTest, PrintColourFollowsOnlyWhenUnsetOrEqualToTheScreenColour)
{
    struct Case {
        COLORREF crPrint;
        COLORREF crExpected;
    };
    const Case aCases[] = {{0xFFFFFF, 0x123456}, {0x00FF00, 0x123456}, {0x0000AA, 0x0000AA}, {0, 0}};
    for (const Case& c : aCases) {
        CTestTrace trace(TT_SCOPE, CHANNEL_A, 16); // screen colour 0x00FF00
        trace.SetPrintColor(c.crPrint);
        trace.SetColor(0x123456);
        EXPECT_EQ(trace.GetScreenColor(), 0x123456u);
        EXPECT_EQ(trace.GetDefaultColor(), 0x123456u);
        EXPECT_EQ(trace.GetPrintColor(), c.crExpected) << std::hex << c.crPrint;
    }
    CTestTrace user(TT_USER, CHANNEL_A, 16);
    user.SetUserKind(true);
    user.SetPrintColor(0);
    user.SetColor(0x123456);
    EXPECT_EQ(user.GetPrintColor(), 0x123456u);
}

TEST_F(TraceColorTest, CopiesCycleAfterTheSourceColourAndAreNeverLive)
{
    CTestTrace source(TT_FFT, CHANNEL_A, 16); // 0x0000FF, copy colour cycles
    source.SetLive(1);
    source.SetInUse(1);
    source.TraceOn(0, 0);
    CTestTrace first(TT_FFT, CHANNEL_A, 16);
    CTestTrace second(TT_FFT, CHANNEL_A, 16);
    first.SetCopyDetails(&source);
    second.SetCopyDetails(&source);
    EXPECT_EQ(first.GetScreenColor(), 0xFFFF00u);
    EXPECT_EQ(second.GetScreenColor(), 0xFF0000u);
    EXPECT_TRUE(first.IsCopy());
    EXPECT_FALSE(first.IsLive());
    EXPECT_EQ(first.GetTraceName(0, 0, 0), CString(L"Copy of FFT Trace"));

    m_pDoc->SetDefaultTraceColor(TT_FFT, 1, 0x808080);
    CTestTrace third(TT_FFT, CHANNEL_A, 16);
    third.SetCopyDetails(&source);
    EXPECT_EQ(third.GetPrintColor(), 0x808080u);
}

// ---- Copies and scales -----------------------------------------------------------

TEST_F(TraceScaleTest, CopyTakesDataCursorAndScales)
{
    CTestTrace* pSource = AddTrace(TT_FFT, CHANNEL_A, 8);
    pSource->FillYData([](int i) { return 10.0 * i; });
    pSource->SetTestDrawRect(CRect(0, 0, 50, 50));
    CTestTrace* pCopy = AddTrace(TT_SCOPE, CHANNEL_A, 4);

    ASSERT_EQ(pCopy->CopyFrom(pSource), pCopy);
    EXPECT_EQ(pCopy->GetTraceType(), TT_FFT);
    EXPECT_EQ(pCopy->GetYDataCopy(), pSource->GetYDataCopy());
    EXPECT_EQ(pCopy->GetXScale(), pSource->GetXScale());
    EXPECT_EQ(pCopy->GetDrawRect(), CRect(0, 0, 50, 50));
    EXPECT_EQ(m_pDoc->GetXScales().size(), 1u); // the copy's own scale went
}

TEST_F(TraceScaleTest, SharedXScaleOutlivesOneOfItsTraces)
{
    CTestTrace* pFirst = AddTrace(TT_FFT, CHANNEL_A, 16);
    CTestTrace* pSecond = AddTrace(TT_FFT, CHANNEL_A, 16);
    pSecond->UpdateXScales(pFirst->GetXScale());
    CXScale* pShared = pFirst->GetXScale();
    ASSERT_EQ(m_pDoc->GetXScales().size(), 1u);

    auto& aTraces = m_pDoc->GetTraceArray(CHANNEL_A);
    aTraces.erase(std::find(aTraces.begin(), aTraces.end(), pFirst));
    delete pFirst;
    EXPECT_EQ(pSecond->GetXScale(), pShared);
    EXPECT_EQ(pShared->GetScaleType(), ST_FFT);
    EXPECT_EQ(m_pDoc->GetXScales().size(), 1u);

    aTraces.clear();
    delete pSecond;
    EXPECT_TRUE(m_pDoc->GetXScales().empty());
}

TEST_F(TraceScaleTest, LiveTraceGetsAYScaleAndLimitLinesNone)
{
    CTestTrace* pTrace = AddTrace(TT_FFT, CHANNEL_A, 16);
    EXPECT_EQ(pTrace->GetYScale(), nullptr);
    pTrace->SetLive(1);
    ASSERT_NE(pTrace->GetYScale(), nullptr);
    CTestLimitLine limit(pTrace, TT_MAXLIMITLINE);
    EXPECT_EQ(limit.GetXScale(), nullptr);
    EXPECT_EQ(limit.GetYScale(), nullptr);
}

// ---- State and events ----------------------------------------------------------

TEST_F(TraceStateTest, TraceOnTwiceRegistersOneLimitEventAndTraceOffRemovesIt)
{
    CTestTrace parent(TT_FFT, CHANNEL_A, 16);
    CTestLimitLine limit(&parent, TT_MINLIMITLINE);
    limit.SetInUse(1);
    const LPARAM owner = reinterpret_cast<LPARAM>(&parent);

    limit.TraceOn(0, 1);
    limit.TraceOn(0, 1);
    EXPECT_EQ(m_host.Events().GetEventCount(), 1);
    SEventDetails details;
    ASSERT_TRUE(m_host.Events().GetEventDetails(421, owner, details));
    EXPECT_EQ(details.sText, CString(L"Lower limit breached"));
    EXPECT_EQ(details.bActive, 1);

    limit.TraceOff(1);
    EXPECT_FALSE(limit.IsOn());
    EXPECT_FALSE(m_host.Events().EventExists(421, owner));
}

TEST_F(TraceStateTest, TurningOnATraceNotInUseIsReported)
{
    CTestTrace trace(TT_FFT, CHANNEL_A, 16);
    trace.TraceOn(0, 0);
    EXPECT_TRUE(HasLog("FAILED ASSERT: <<m_bInUse != 0>>"));
    EXPECT_TRUE(trace.IsOn());
}

TEST_F(TraceStateTest, YUnitFollowsTheInputModeAndIsInvalidWithoutOne)
{
    CTestTrace trace(TT_FFT, CHANNEL_A, 16);
    trace.SetTestMode(CQXTrace::eModeDigital);
    EXPECT_EQ(trace.GetYUnit(), UNIT_DBFS);
    trace.SetYUnit(UNIT_FS);
    EXPECT_EQ(trace.GetUnit(2), UNIT_FS);
    trace.SetTestMode(CQXTrace::eModeAnalogue);
    EXPECT_EQ(trace.GetYUnit(), UNIT_DBFS);
    trace.SetTestMode(CQXTrace::eModeNull);
    EXPECT_EQ(trace.GetYUnit(), -1);
    EXPECT_EQ(trace.GetUnit(3), UNIT_INVALID);
    EXPECT_EQ(trace.GetStorageUnit(1), UNIT_BINS);
    EXPECT_EQ(trace.GetStorageUnit(2), UNIT_HEX);
}

} // namespace
