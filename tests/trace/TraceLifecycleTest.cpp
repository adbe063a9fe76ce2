// The trace object: buffers, naming, colours, copies, scale sharing, limit
// events and failure reports.

#include "support/HostDocFixture.h"

#include "host/app/EventManager.h"
#include "trace/display/XScale.h"
#include "trace/model/CursorMark.h"
#include "trace/core/TraceMath.h"

#include <functional>
#include <memory>
#include <tuple>

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
    EXPECT_TRUE(trace.GetDataSize() == 0 && trace.GetYDataBuffer(0) == nullptr);

    EXPECT_EQ(trace.SetBuffer(32), 1);
    ASSERT_EQ(trace.GetDataSize(), 32);
    EXPECT_EQ(trace.GetYDataCopy(), std::vector<double>(32, 0.0));
    EXPECT_EQ(trace.GetMaxXPos(), 31);

    // The same size keeps the array and its data.
    trace.FillYData([](int i) { return 2.0 * i; });
    const double* pBefore = trace.GetYDataBuffer(0);
    EXPECT_EQ(trace.SetBuffer(32), 1);
    EXPECT_EQ(std::make_tuple(trace.GetYDataBuffer(0), trace.GetYDataCopy()[31]), std::make_tuple(pBefore, 62.0));
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
        EXPECT_EQ(std::make_tuple(trace.GetCurrentMinXScaleValue(), trace.GetCurrentMaxXScaleValue(), trace.GetCurrentMinXPos(),
                                  trace.GetCurrentMaxXPos()),
                  std::make_tuple(c.dExpectMin, c.dExpectMax, c.iExpectMinPos, c.iExpectMaxPos));
    }
}

TEST_F(TraceBufferTest, FailedAllocationIsReportedAndLeavesNoData)
{
    CTestTrace trace(TT_FFT, CHANNEL_A, 64);
    EXPECT_EQ(trace.SetBuffer(kMaxTraceDataSize + 1), 0);
    EXPECT_TRUE(trace.GetDataSize() == 0 && trace.GetYDataBuffer(0) == nullptr);
    EXPECT_TRUE(HasLog("ERROR_FATAL: 11304=<<IDS_ERROR_OUTOFMEMORY>>"));
    EXPECT_EQ(CountPosted(0x8004, 11304), 1);
    EXPECT_EQ(trace.SetBuffer(-1), 0);
    EXPECT_TRUE(HasLog("FAILED VERIFY"));
}

// ---- Names --------------------------------------------------------------------

TEST_F(TraceNameTest, PrefixesUserNamesLimitLinesFiltersAndTransformedSuffix)
{
    const auto Named = [](TraceType eType, ChannelNumber eChannel, const std::function<void(CTestTrace&)>& fnSetUp) {
        auto pTrace = std::make_unique<CTestTrace>(eType, eChannel, 16);
        fnSetUp(*pTrace);
        return pTrace;
    };
    CTestTrace liveB(TT_FFT, CHANNEL_B, 16);
    liveB.SetLive(1);
    struct SCase { std::unique_ptr<CTestTrace> pTrace; int bChannel, bTransformed, bIgnoreUser; const wchar_t* sName; };
    SCase aCases[] = {
        {Named(TT_FFT, CHANNEL_B, [](CTestTrace& t) { t.SetLive(1); }), 1, 0, 0, L"Ch B Live FFT Trace"},
        {Named(TT_FFT, CHANNEL_A, [](CTestTrace& t) { t.SetTestCopy(1); t.SetFileName(L"/data/run1.trc"); }), 0, 0, 0,
         L"Loaded FFT Trace (run1.trc)"},
        {Named(TT_SCOPE, CHANNEL_A, [](CTestTrace& t) { t.SetTestCopy(1); }), 0, 0, 0, L"Copy of Scope Trace"},
        {Named(TT_CTDET, CHANNEL_A, [](CTestTrace& t) { t.SetTraceName(L"Mine"); }), 1, 1, 0, L"Ch A Mine"},
        {Named(TT_CTDET, CHANNEL_A, [](CTestTrace& t) { t.SetTraceName(L"Mine"); }), 0, 0, 1, L"CTA output"},
        {std::make_unique<CTestLimitLine>(&liveB, TT_MINLIMITLINE), 1, 0, 0, L"Min limit: Ch B Live FFT Trace"},
        {Named(TT_FFT, CHANNEL_A, [](CTestTrace&) {}), 0, 1, 0, L"FFT Trace"}, // no transformed array
        {Named(TT_FFT, CHANNEL_A, [](CTestTrace& t) { t.AllocateTransformedYDataBuffer(1); }), 0, 1, 0,
         L"FFT Trace (transformed)"},
        {Named(TT_FFT, CHANNEL_A, [](CTestTrace& t) { t.AllocateTransformedYDataBuffer(1); }), 0, 0, 0, L"FFT Trace"},
    };
    for (const SCase& c : aCases)
        EXPECT_EQ(c.pTrace->GetTraceName(c.bChannel, c.bTransformed, c.bIgnoreUser), CString(c.sName)) << CString(c.sName).ToUtf8();
    EXPECT_EQ(aCases[5].pTrace->GetTraceType(), TT_FFT); // a limit line answers its parent's type
}

// ---- Colours ------------------------------------------------------------------

TEST_F(TraceColorTest, PrintColourFollowsOnlyWhenUnsetOrEqualToTheScreenColour)
{
    struct Case { COLORREF crPrint; COLORREF crExpected; };
    const Case aCases[] = {{0xFFFFFF, 0x123456}, {0x00FF00, 0x123456}, {0x0000AA, 0x0000AA}, {0, 0}};
    for (const Case& c : aCases) {
        CTestTrace trace(TT_SCOPE, CHANNEL_A, 16); // screen colour 0x00FF00
        trace.SetPrintColor(c.crPrint);
        trace.SetColor(0x123456);
        EXPECT_EQ(std::make_tuple(trace.GetScreenColor(), trace.GetDefaultColor(), trace.GetPrintColor()),
                  std::make_tuple(COLORREF(0x123456), COLORREF(0x123456), c.crExpected)) << std::hex << c.crPrint;
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
    EXPECT_EQ(std::make_pair(first.GetScreenColor(), second.GetScreenColor()), std::make_pair(COLORREF(0xFFFF00), COLORREF(0xFF0000)));
    EXPECT_TRUE(first.IsCopy() && !first.IsLive());
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
    EXPECT_EQ(std::make_tuple(pCopy->GetTraceType(), pCopy->GetYDataCopy(), pCopy->GetXScale(), pCopy->GetDrawRect()),
              std::make_tuple(TT_FFT, pSource->GetYDataCopy(), pSource->GetXScale(), CRect(0, 0, 50, 50)));
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
    EXPECT_EQ(std::make_tuple(pSecond->GetXScale(), pShared->GetScaleType(), m_pDoc->GetXScales().size()),
              std::make_tuple(pShared, ST_FFT, size_t(1)));

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
    EXPECT_TRUE(limit.GetXScale() == nullptr && limit.GetYScale() == nullptr);
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
    EXPECT_EQ(std::make_pair(details.sText, details.bActive), std::make_pair(CString(L"Lower limit breached"), 1));

    limit.TraceOff(1);
    EXPECT_FALSE(limit.IsOn() || m_host.Events().EventExists(421, owner));
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
    trace.SetYUnit(UNIT_FS);
    trace.SetTestMode(CQXTrace::eModeAnalogue);
    EXPECT_EQ(trace.GetYUnit(), UNIT_DBFS); // each input mode keeps its own unit
    trace.SetTestMode(CQXTrace::eModeDigital);
    EXPECT_EQ(trace.GetUnit(2), UNIT_FS);
    trace.SetTestMode(CQXTrace::eModeNull);
    EXPECT_EQ(std::make_tuple(trace.GetYUnit(), trace.GetUnit(3)), std::make_tuple(-1, UNIT_INVALID));
}

} // namespace
