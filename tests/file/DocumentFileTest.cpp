// Graph document files: the counts of the record, save -> load -> save,
// archives built here from the layout on either side of each version
// threshold, and bad files that must leave the open document as it was.

#include "support/Bytes.h"
#include "support/HostDocFixture.h"

#include "host/app/EventManager.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeRelative.h"
#include "trace/compute/ComputeSmooth.h"
#include "trace/compute/ComputeSumBins.h"
#include "trace/file/DocumentFile.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"

#include <cmath>
#include <cstring>
#include <set>
#include <tuple>

namespace {

// Fields 1 to 25 of a current record with an empty title and comment.
constexpr size_t kCountsAt = GRAPH_DOC_FILE_HEADER_SIZE + 4 + 4 + 5 + 5 + 13 * 4 + 8 * 4;

std::int32_t I32At(const Bytes& a, size_t i)
{
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= static_cast<std::uint32_t>(a.at(i + k)) << (8 * k);
    return static_cast<std::int32_t>(v);
}

struct SVersion {
    int iNumber, iLetter, iConfig;
    bool From(int n, int l) const { return CompareFileVersion(iNumber, iLetter, n, l) >= 0; }
};

// A record at a version: each option field present gets a value unlike its
// default (1 display setting 3, 2 set, 5 print option 7, 6-8 set, 9-17
// cleared, 18-25 20, 2, 3, 1 and 30, 4, 5, 1), then one FFT entry of
// channel A named "hand", without a record, marked on and live.
Bytes BuildFile(const SVersion& v)
{
    CBytes b;
    b.I32(GRAPH_DOC_FILE_MAGIC).I32(v.iNumber).U8(static_cast<std::uint8_t>(v.iLetter)).I32(v.iConfig).I32(3);
    if (v.From(94, 'b')) b.I32(1);
    b.U8(0).Str("title").U8(0).Str("note");
    if (v.From(95, 'd')) {
        b.I32(7).I32(1);
        if (v.From(96, 'c')) b.I32(1);
        if (v.From(97, 'f')) b.I32(1);
        for (int i = 9; i <= 17; ++i) b.I32(0);
    }
    if (v.iConfig >= 80) b.I32(20);
    if (v.iConfig >= 79) b.I32(2).I32(3).I32(1).I32(30).I32(4).I32(5).I32(1);
    b.I32(1).I32(0).I32(0).I32(0).I32(TT_FFT).I32(CHANNEL_A);
    if (v.iConfig >= 39) b.I32(0);
    b.I32(0);
    if (v.From(99, 'w')) b.I32(1);
    b.Str("hand");
    if (v.From(91, '*')) b.I32(1);
    return b.Get();
}

} // namespace

class DocumentFileTest : public HostDocFixture {
protected:
    DocumentFileTest() { m_pDoc->Initialise(); }

    CString Path(const char* name) const { return m_host.GetRoot() + L"/" + CString(name); }
    Bytes Saved(CGraphDoc& doc, const char* name)
    {
        EXPECT_EQ(doc.SaveDocumentFile(Path(name)), 1);
        return ReadBytes(Path(name).ToUtf8());
    }
    int Load(const char* name, const Bytes& bytes, std::string* psWhy)
    {
        WriteBytes(Path(name).ToUtf8(), bytes);
        return m_pDoc->LoadDocumentFile(Path(name), 1, psWhy);
    }
    // Every trace and limit line: the handles written are their addresses.
    static std::set<const void*> Objects(CGraphDoc& doc)
    {
        std::set<const void*> a;
        for (ChannelNumber e : {CHANNEL_A, CHANNEL_B})
            for (CQXTrace* p : doc.GetTraceArray(e))
                for (CQXTrace* q : {p, p->GetMaxLimitLine(), p->GetMinLimitLine()})
                    if (q) a.insert(q);
        return a;
    }
    static void BlankHandles(Bytes& a, const std::set<const void*>& objects)
    {
        for (const void* p : objects)
            for (size_t i = 0; i + 8 <= a.size(); ++i)
                if (std::memcmp(&a[i], &p, 8) == 0) std::memset(&a[i], 0, 8);
    }
    CQXTrace* Live(TraceType eType, ChannelNumber eChannel) { return m_pDoc->GetTraceFromArray(eChannel, eType, 0, 1); }
    // Max limit line from the trace's data, min from a two-point table; each
    // with an ID from the document, as a loaded line gets.
    static void AttachLimits(CQXTrace* pTrace)
    {
        auto* pMax = new CLimitLine(pTrace, 1, 0);
        pMax->SetTraceID(GetGraphDoc()->GetNextTraceID());
        ASSERT_EQ(pMax->CopyDataFromTrace(), 1);
        pTrace->SetLimitLineForTrace(pMax, TT_MAXLIMITLINE, 1, 0, 0);
        auto* pMin = new CLimitLine(pTrace, 0, 0);
        pMin->SetTraceID(GetGraphDoc()->GetNextTraceID());
        pMin->EnsureLimitTable()->AddPoint(100.0, -80.0, 1, POLARITY_NONE);
        pMin->EnsureLimitTable()->AddPoint(1000.0, -60.0, 1, POLARITY_NONE);
        pTrace->SetLimitLineForTrace(pMin, TT_MINLIMITLINE, 1, 0, 0);
    }
};

TEST_F(DocumentFileTest, CountsFollowTheSaveFlagsAndTheLimitLinesOfSavedTraces)
{
    // A new document shows a scope and an FFT trace on each channel.
    const std::tuple<const char*, int, bool, std::vector<int>> aCases[] = {
        {"new document", 1, false, {2, 2, 2, 2}},
        {"FFT of A not saved", 0, false, {2, 1, 2, 2}},
        {"saved FFT of A with both limit lines: three entries", 1, true, {4, 4, 2, 2}},
        {"limit lines of an unsaved trace are not written", 0, true, {2, 1, 2, 2}},
    };
    for (const auto& [szName, bSave, bLimits, aiCounts] : aCases) {
        CGraphDoc doc;
        m_host.SetGraphDoc(&doc);
        doc.Initialise();
        CQXTrace* pFft = doc.GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1);
        if (bLimits) AttachLimits(pFft);
        for (SaveTableDetails& row : *doc.GetSaveTable(CHANNEL_A))
            if (row.m_pTrace == pFft) row.m_bSave = bSave;
        const Bytes a = Saved(doc, "counts.twc");
        m_host.PumpMessages();
        m_host.SetGraphDoc(m_pDoc.get());
        EXPECT_EQ(std::make_tuple(I32At(a, 0), I32At(a, 4), a[8], I32At(a, 9)),
                  std::make_tuple(static_cast<std::int32_t>(GRAPH_DOC_FILE_MAGIC), 150, 'g', 109));
        EXPECT_EQ((std::vector<int>{I32At(a, kCountsAt), I32At(a, kCountsAt + 4), I32At(a, kCountsAt + 8),
                                    I32At(a, kCountsAt + 12)}),
                  aiCounts) << szName;
    }
}

TEST_F(DocumentFileTest, SaveLoadSaveIsByteIdenticalApartFromTheHandles)
{
    CQXTrace* pFft = Live(TT_FFT, CHANNEL_A);
    pFft->CursorOn();
    AttachLimits(pFft);
    m_pDoc->NewTrace(Live(TT_CTDET, CHANNEL_B), 1, 0);
    ASSERT_NE(m_pDoc->DoCreateUserTrace(CHANNEL_B, 16, 10.0, 1000.0, -1.0, 1.0), TRACE_NULL_ID);
    m_pDoc->SetGraphTitle(L"Title");
    m_pDoc->GetOptions().iGraphDisplay = 2;
    m_pDoc->GetExportSettings().bDrawLegend = 0;
    m_pDoc->SetPrintScaleFontSize(12);
    m_pDoc->SetCurrentTrace(pFft, 0);
    // A trace made in memory without a Y scale (the user trace) gains one on
    // loading, as every loaded trace does; from then on nothing changes.
    std::string sWhy;
    ASSERT_EQ(Load("made.twc", Saved(*m_pDoc, "made.twc"), &sWhy), 1) << sWhy;
    Bytes first = Saved(*m_pDoc, "first.twc");
    BlankHandles(first, Objects(*m_pDoc));
    ASSERT_EQ(m_pDoc->LoadDocumentFile(Path("first.twc"), 1, &sWhy), 1) << sWhy;
    Bytes second = Saved(*m_pDoc, "second.twc");
    BlankHandles(second, Objects(*m_pDoc));
    EXPECT_TRUE(first == second);

    CQXTrace* pCurrent = m_pDoc->GetCurrentTrace();
    ASSERT_NE(pCurrent, nullptr);
    EXPECT_EQ(std::make_tuple(pCurrent->GetOwnTraceType(), pCurrent->GetChannel(), pCurrent->IsLive(),
                              static_cast<CLimitLine*>(pCurrent->GetMinLimitLine())->GetLimitTable()->GetNumPoints()),
              std::make_tuple(TT_FFT, CHANNEL_A, 1, 2));
    EXPECT_EQ(std::make_tuple(m_pDoc->GetGraphTitle(), m_pDoc->GetOptions().iGraphDisplay,
                              m_pDoc->GetExportSettings().bDrawLegend, m_pDoc->GetPrintScaleFontSize(),
                              m_pDoc->GetTraceArray(CHANNEL_B).size(), Live(TT_CTDET, CHANNEL_B)->IsOn()),
              std::make_tuple(CString(L"Title"), 2, 0, 12, size_t{9}, 1)); // eight live traces and the user trace
    EXPECT_EQ(std::make_pair(m_host.GetMessageBoxes().size(), AssertCount()), std::make_pair(size_t{0}, 0));
}

TEST_F(DocumentFileTest, HandBuiltArchivesAtEachSideOfTheThresholds)
{
    struct SCase {
        SVersion v;
        int bOneView, iPrintOption, bPrintMono, bExportMono, bScalesMono, bSwitches;
        std::vector<int> aiGroups; // print then export: font size, line widths, solid
        bool bFftShown;            // the entry's live and on flags were read
    };
    const std::vector<int> kDefaults = {10, 1, 1, 0, 16, 1, 1, 0};
    const SCase aCases[] = {
        {{90, 'z', 0}, 0, 1, 0, 0, 0, 1, kDefaults, false},
        {{94, 'a', 0}, 0, 1, 0, 0, 0, 1, kDefaults, false},
        {{94, 'b', 0}, 1, 1, 0, 0, 0, 1, kDefaults, false},
        {{95, 'd', 0}, 1, 7, 1, 0, 0, 0, kDefaults, false},
        {{96, 'c', 0}, 1, 7, 1, 1, 0, 0, kDefaults, false},
        {{97, 'f', 38}, 1, 7, 1, 1, 1, 0, kDefaults, false},
        {{99, 'v', 39}, 1, 7, 1, 1, 1, 0, kDefaults, false},
        {{99, 'w', 38}, 1, 7, 1, 1, 1, 0, kDefaults, true},
        {{120, 'a', 79}, 1, 7, 1, 1, 1, 0, {10, 2, 3, 1, 30, 4, 5, 1}, true},
        {{120, 'a', 80}, 1, 7, 1, 1, 1, 0, {20, 2, 3, 1, 30, 4, 5, 1}, true},
    };
    for (const SCase& c : aCases) {
        const std::string sName = std::to_string(c.v.iNumber) + char(c.v.iLetter) + "/" + std::to_string(c.v.iConfig);
        std::string sWhy;
        ASSERT_EQ(Load("hand.twc", BuildFile(c.v), &sWhy), 1) << sName << ": " << sWhy;
        const SGraphOutputSettings& p = m_pDoc->GetPrintSettings();
        const SGraphOutputSettings& e = m_pDoc->GetExportSettings();
        EXPECT_EQ(std::make_tuple(m_pDoc->GetOptions().iGraphDisplay, m_pDoc->GetGraphTitle(), m_pDoc->GetGraphComment(),
                                  m_pDoc->GetOptions().bShowGraphTitle, m_pDoc->DrawingAllOnSameView()),
                  std::make_tuple(3, CString(L"title"), CString(L"note"), 0, c.bOneView)) << sName;
        EXPECT_EQ(std::make_tuple(m_pDoc->GetOptions().iPrintOption, m_pDoc->GetPrintBlackAndWhite(),
                                  m_pDoc->GetOptions().bExportBlackAndWhite, m_pDoc->GetScalesBlackAndWhite(),
                                  p.bDrawScales, p.bDrawLegend, e.bDrawComment),
                  std::make_tuple(c.iPrintOption, c.bPrintMono, c.bExportMono, c.bScalesMono, c.bSwitches,
                                  c.bSwitches, c.bSwitches)) << sName;
        EXPECT_EQ((std::vector<int>{m_pDoc->GetPrintScaleFontSize(), p.iGraticuleLineWidth, p.iTraceLineWidth,
                                    p.bGraticuleSolid, m_pDoc->GetExportScaleFontSize(), e.iGraticuleLineWidth,
                                    e.iTraceLineWidth, e.bGraticuleSolid}),
                  c.aiGroups) << sName;
        CQXTrace* pFft = Live(TT_FFT, CHANNEL_A);
        EXPECT_EQ(pFft->IsInUse() && pFft->IsOn(), c.bFftShown) << sName;
        EXPECT_EQ((*m_pDoc->GetLoadTable(CHANNEL_A))[0].m_sText, CString(L"hand")) << sName;
        EXPECT_EQ(Live(TT_SCOPE, CHANNEL_B)->IsInUse(), 0) << sName; // replaced: taken off first
    }
}

TEST_F(DocumentFileTest, BadFilesAreRefusedAndLeaveTheOpenDocumentAsItWas)
{
    const Bytes good = Saved(*m_pDoc, "good.twc");
    m_pDoc->SetGraphTitle(L"open");
    const std::set<const void*> before = Objects(*m_pDoc);
    CQXTrace* pCurrent = m_pDoc->GetCurrentTrace();
    // The file names this trace by its handle: reading re-points its event.
    m_host.Events().AddEvent(EVENT_MAX_LIMIT_BREACHED, L"on breach", Handle(pCurrent), 1, 0, 0, 0, 0, -1, 0);

    const auto cut = [&](size_t n) { return Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)); };
    const auto patched = [&](size_t at, std::int32_t v) {
        Bytes a = good;
        std::memcpy(&a[at], &v, 4);
        return a;
    };
    const std::pair<Bytes, const char*> aCases[] = {
        {{}, "corrupt or truncated at byte 0 of 0, in the header"},
        {cut(9), "in the header"},
        {cut(40), "in the document record"},
        {cut(good.size() / 2), "in the document record"},
        {cut(good.size() - 1), "in the document record"},
        {CBytes().Raw(good).U8(0).Get(), "1 bytes after the document record"},
        {patched(0, 0x3A0B0C0D), "not a graph document file"},
        {patched(4, 89), "unsupported version"},
        {patched(kCountsAt, 0x7FFFFFFF), "entry count out of range"},
        {patched(kCountsAt + 8, -1), "entry count out of range"},
        {patched(kCountsAt + 16, 99), "unknown trace type 99"},
    };
    size_t iBoxes = 0;
    for (const auto& [bytes, szReason] : aCases) {
        std::string sWhy;
        EXPECT_EQ(Load("bad.twc", bytes, &sWhy), 0) << szReason;
        EXPECT_NE(sWhy.find(szReason), std::string::npos) << sWhy;
        ASSERT_EQ(m_host.GetMessageBoxes().size(), ++iBoxes);
        EXPECT_EQ(m_host.GetMessageBoxes().back().sText, LoadResString(IDS_DOCUMENT_LOAD_FAILED));
    }
    for (const char* szPath : {"/dev/zero", "/tmp", "/no/such/file.twc"})
        EXPECT_EQ(m_pDoc->LoadDocumentFile(CString(szPath), 0), 0) << szPath;
    EXPECT_EQ(Objects(*m_pDoc), before);
    EXPECT_EQ(std::make_pair(m_pDoc->GetGraphTitle(), m_pDoc->GetCurrentTrace()), std::make_pair(CString(L"open"), pCurrent));
    EXPECT_TRUE(m_host.Events().EventExists(EVENT_MAX_LIMIT_BREACHED, Handle(pCurrent)));
    EXPECT_EQ(Load("good.twc", good, nullptr), 1);
    EXPECT_EQ(m_pDoc->GetGraphTitle(), CString());
}

// Channel A's spectrum with one transform of each new kind comes back from
// a trace file and from a graph document file with the same settings (its
// description) and values; relative to B's spectrum, 1 dB lower, it reads 1 dB.
TEST_F(DocumentFileTest, SmoothBandSumAndRelativeComeBackFromTraceAndDocumentFiles)
{
    const auto smooth = [](CCompute& c) { auto& s = static_cast<CComputeSmooth&>(c); s.SetHalfWidth(3); s.SetPasses(4); };
    const auto sixth = [](CCompute& c) { static_cast<CComputeSumBins&>(c).SetBandWidth(CComputeSumBins::BAND_SIXTH); };
    const auto toB = [this](CCompute& c) { static_cast<CComputeRelative&>(c).SetGoldenTrace(Live(TT_FFT, CHANNEL_B)); };
    const std::tuple<ComputeType, std::function<void(CCompute&)>, std::wstring, double> aCases[] = {
        {COMPUTE_SMOOTH, smooth, L"4 passes, averaging 7 points", NAN},
        {COMPUTE_SUMBINS, sixth, L"within 1/6 octave", NAN},
        {COMPUTE_RELATIVE, toB, L"to Ch B Live FFT Trace", 1.0}};
    for (const auto& [eType, set, sDescription, dReadsdB] : aCases) {
        CQXTrace* pFft = Live(TT_FFT, CHANNEL_A);
        const int n = pFft->GetDataSize();
        for (CQXTrace* p : {pFft, Live(TT_FFT, CHANNEL_B)}) {
            p->SetYUnit(UNIT_DBV);
            for (int i = 0; i < n; ++i)
                p->GetYDataBuffer(0)[i] = p->GetYDataForValue((p == pFft ? -20.0 : -21.0) - 0.01 * i, UNIT_DBV, 0);
        }
        CComputeList list;
        list.AddComputeObject(CreateComputeObject(eType, pFft));
        set(*list.GetComputeObjectAt(0));
        pFft->SetComputeList(&list);
        ASSERT_EQ(pFft->SetShowTransformedYData(1, 0), 1);
        const std::vector<double> adShown(pFft->GetYDataBuffer(1), pFft->GetYDataBuffer(1) + n);
        if (!std::isnan(dReadsdB)) {
            EXPECT_NEAR(pFft->GetYValueForData(adShown[100], UNIT_DBV, 1, 1), dReadsdB, 1e-9);
        }
        ASSERT_EQ(m_pDoc->SaveTrace(pFft, Path("transform.trc"), 0), 1);
        CQXTrace* pFromTraceFile = m_pDoc->LoadTrace(Path("transform.trc"), CHANNEL_A, 0);
        std::string sWhy;
        for (int iFile = 0; iFile < 2; ++iFile) {
            if (iFile == 1) {
                ASSERT_EQ(Load("transform.twc", Saved(*m_pDoc, "transform.twc"), &sWhy), 1) << sWhy;
            }
            CQXTrace* pBack = iFile == 0 ? pFromTraceFile : Live(TT_FFT, CHANNEL_A);
            ASSERT_TRUE(pBack && pBack->GetComputeList() && pBack->GetComputeList()->GetNumComputeObjects() == 1);
            EXPECT_EQ(pBack->GetComputeList()->GetComputeObjectAt(0)->GetDescriptionString(), CString(sDescription));
            ASSERT_EQ(pBack->GetDataSize(), n);
            EXPECT_EQ(std::vector<double>(pBack->GetYDataBuffer(1), pBack->GetYDataBuffer(1) + n), adShown)
                << (iFile ? "document" : "trace file");
        }
    }
}
