// Graph document files: the counts of the record, save -> load -> save,
// archives built here from the layout on either side of each version
// threshold, and bad files that must leave the open document as it was.

#include "support/Bytes.h"
#include "support/HostDocFixture.h"

#include "host/app/HostObjects.h"
#include "host/app/Registry.h"
#include "host/units/UnitIds.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"
#include "trace/file/DocumentFile.h"
#include "trace/file/TraceFileInfo.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/CursorMark.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>

namespace {

// Fields 1 to 25 of a current record with an empty title and comment.
constexpr size_t kOptionBytes = 4 + 4 + 5 + 5 + 13 * 4 + 8 * 4;
constexpr size_t kCountsAt = GRAPH_DOC_FILE_HEADER_SIZE + kOptionBytes;

std::int32_t I32At(const Bytes& a, size_t i)
{
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= static_cast<std::uint32_t>(a.at(i + k)) << (8 * k);
    return static_cast<std::int32_t>(v);
}

// What a hand-built archive holds at a version: each present option field
// gets a value unlike its default, so the reader's choice shows.
struct SVersion {
    int iNumber;
    int iLetter;
    int iConfig;
};

Bytes BuildOptions(const SVersion& v)
{
    const auto from = [&](int n, int l) { return CompareFileVersion(v.iNumber, v.iLetter, n, l) >= 0; };
    CBytes b;
    b.I32(GRAPH_DOC_FILE_MAGIC).I32(v.iNumber).U8(static_cast<std::uint8_t>(v.iLetter)).I32(v.iConfig);
    b.I32(3);                                   // 1 graph display setting
    if (from(94, 'b')) b.I32(1);                // 2 all on one view
    b.U8(0).Str("title").U8(0).Str("note");     // 3, 4
    if (from(95, 'd')) {
        b.I32(7).I32(1);                        // 5 print option, 6 print black and white
        if (from(96, 'c')) b.I32(1);            // 7 export black and white
        if (from(97, 'f')) b.I32(1);            // 8 print scales black and white
        for (int i = 9; i <= 17; ++i) b.I32(0); // 9-17 print and export switches off
    }
    if (v.iConfig >= 79) {
        if (v.iConfig >= 80) b.I32(20);         // 18
        b.I32(2).I32(3).I32(1);                 // 19-21
        b.I32(30).I32(4).I32(5).I32(1);         // 22-25
    }
    return b.Get();
}

// One FFT entry of channel A without a record, marked live and on.
Bytes BuildUnsavedLiveEntry(const SVersion& v, const char* szName)
{
    const auto from = [&](int n, int l) { return CompareFileVersion(v.iNumber, v.iLetter, n, l) >= 0; };
    CBytes b;
    b.Raw(BuildOptions(v)).I32(1).I32(0).I32(0).I32(0); // counts: one entry on A, no record
    b.I32(TT_FFT).I32(CHANNEL_A);
    if (v.iConfig >= 39) b.I32(0);              // extra information
    b.I32(0);                                   // save flag
    if (from(99, 'w')) b.I32(1);                // on
    b.Str(szName);
    if (from(91, '*')) b.I32(1);                // live
    return b.Get();
}

} // namespace

class DocumentFileTest : public HostDocFixture {
protected:
    DocumentFileTest() { m_pDoc->Initialise(); }

    CString Path(const char* name) const { return m_host.GetRoot() + L"/" + CString(name); }
    static Bytes Read(const CString& path) { return ReadBytes(path.ToUtf8()); }
    static void Write(const CString& path, const Bytes& bytes) { WriteBytes(path.ToUtf8(), bytes); }

    Bytes Saved(CGraphDoc& doc, const char* name)
    {
        std::string sWhy;
        EXPECT_EQ(doc.SaveDocumentFile(Path(name), &sWhy), 1) << sWhy;
        return Read(Path(name));
    }
    int Boxes(int iStringId) const
    {
        int n = 0;
        for (const auto& box : m_host.GetMessageBoxes()) n += box.sText == LoadResString(iStringId);
        return n;
    }
    // Every trace and limit line of a document, for the handles written.
    static std::set<const void*> Objects(CGraphDoc& doc)
    {
        std::set<const void*> a;
        for (ChannelNumber e : {CHANNEL_A, CHANNEL_B})
            for (CQXTrace* p : doc.GetTraceArray(e))
                for (CQXTrace* q : {p, p->GetMaxLimitLine(), p->GetMinLimitLine()})
                    if (q) a.insert(q);
        return a;
    }
    // A handle is the trace's address when written; blank each one.
    static void BlankHandles(Bytes& a, const std::set<const void*>& objects)
    {
        for (const void* p : objects) {
            const auto v = reinterpret_cast<std::uintptr_t>(p);
            std::uint8_t pattern[8];
            for (int k = 0; k < 8; ++k) pattern[k] = static_cast<std::uint8_t>(v >> (8 * k));
            for (size_t i = 0; i + 8 <= a.size(); ++i)
                if (std::memcmp(&a[i], pattern, 8) == 0) std::memset(&a[i], 0, 8);
        }
    }
    CQXTrace* Live(TraceType eType, ChannelNumber eChannel) { return m_pDoc->GetTraceFromArray(eChannel, eType, 0, 1); }
    // Max and min limit lines on a trace: trace data and a two-point table.
    void AttachLimits(CQXTrace* pTrace)
    {
        // A line loaded for a trace gets an ID from the document, as these do.
        auto* pMax = new CLimitLine(pTrace, 1, 0);
        pMax->SetTraceID(GetGraphDoc()->GetNextTraceID());
        ASSERT_EQ(pMax->CopyDataFromTrace(), 1);
        pTrace->SetLimitLineForTrace(pMax, TT_MAXLIMITLINE, 1, 0, 0);
        auto* pMin = new CLimitLine(pTrace, 0, 0);
        pMin->SetTraceID(GetGraphDoc()->GetNextTraceID());
        CLimitTable* pTable = pMin->EnsureLimitTable();
        pTable->AddPoint(100.0, -80.0, 1, POLARITY_NONE);
        pTable->AddPoint(1000.0, -60.0, 1, POLARITY_NONE);
        pTrace->SetLimitLineForTrace(pMin, TT_MINLIMITLINE, 1, 0, 0);
    }
};

TEST_F(DocumentFileTest, CountsFollowTheSaveFlagsAndTheLimitLinesOfSavedTraces)
{
    // A fresh document shows a scope and an FFT trace on each channel.
    struct SCase {
        const char* name;
        int bSaveFftA;
        bool bLimits;
        std::int32_t aiCounts[4]; // entries and records of A, then of B
    };
    const SCase aCases[] = {
        {"fresh document", 1, false, {2, 2, 2, 2}},
        {"FFT of A not saved", 0, false, {2, 1, 2, 2}},
        {"saved FFT of A with both limit lines: three entries for it", 1, true, {4, 4, 2, 2}},
        {"limit lines of an unsaved trace are not written", 0, true, {2, 1, 2, 2}},
    };
    for (const SCase& c : aCases) {
        CGraphDoc doc;
        m_host.SetGraphDoc(&doc);
        doc.Initialise();
        CQXTrace* pFft = doc.GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1);
        ASSERT_NE(pFft, nullptr);
        if (c.bLimits) AttachLimits(pFft);
        for (SaveTableDetails& row : *doc.GetSaveTable(CHANNEL_A))
            if (row.m_pTrace == pFft) row.m_bSave = c.bSaveFftA;
        const Bytes a = Saved(doc, "counts.twc");
        m_host.PumpMessages();
        m_host.SetGraphDoc(m_pDoc.get());
        EXPECT_EQ(std::make_tuple(I32At(a, 0), I32At(a, 4), a[8], I32At(a, 9)),
                  std::make_tuple(static_cast<std::int32_t>(GRAPH_DOC_FILE_MAGIC), 150, 'g', 109))
            << c.name;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(I32At(a, kCountsAt + 4 * i), c.aiCounts[i]) << c.name << " count " << i;
    }
}

TEST_F(DocumentFileTest, SaveLoadSaveIsByteIdenticalApartFromTheHandles)
{
    CQXTrace* pFft = Live(TT_FFT, CHANNEL_A);
    ASSERT_NE(pFft, nullptr);
    pFft->CursorOn();
    AttachLimits(pFft);
    m_pDoc->NewTrace(Live(TT_CTDET, CHANNEL_B), 1, 0);
    ASSERT_NE(m_pDoc->DoCreateUserTrace(CHANNEL_B, 16, 10.0, 1000.0, -1.0, 1.0), TRACE_NULL_ID);
    m_pDoc->SetGraphTitle(L"Title");
    m_pDoc->SetGraphComment(L"A comment");
    m_pDoc->GetOptions().iGraphDisplay = 2;
    m_pDoc->GetExportSettings().bDrawLegend = 0;
    m_pDoc->SetPrintScaleFontSize(12);
    m_pDoc->SetCurrentTrace(pFft, 0);

    // A trace made in memory without a Y scale (the user trace) gains one on
    // loading, as every loaded trace does; from then on nothing changes.
    Saved(*m_pDoc, "made.twc");
    std::string sWhy;
    ASSERT_EQ(m_pDoc->LoadDocumentFile(Path("made.twc"), 1, &sWhy), 1) << sWhy;
    Bytes first = Saved(*m_pDoc, "first.twc");
    const std::set<const void*> before = Objects(*m_pDoc);
    ASSERT_EQ(m_pDoc->LoadDocumentFile(Path("first.twc"), 1, &sWhy), 1) << sWhy;
    Bytes second = Saved(*m_pDoc, "second.twc");
    BlankHandles(first, before);
    BlankHandles(second, Objects(*m_pDoc));
    EXPECT_EQ(first.size(), second.size());
    const auto diff = std::mismatch(first.begin(), first.end(), second.begin(), second.end());
    EXPECT_TRUE(first == second) << "first difference at byte " << (diff.first - first.begin());

    CQXTrace* pLoaded = m_pDoc->GetCurrentTrace();
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(std::make_tuple(pLoaded->GetOwnTraceType(), pLoaded->GetChannel(), pLoaded->IsLive()),
              std::make_tuple(TT_FFT, CHANNEL_A, 1));
    ASSERT_NE(pLoaded->GetMinLimitLine(), nullptr);
    EXPECT_EQ(static_cast<CLimitLine*>(pLoaded->GetMinLimitLine())->GetLimitTable()->GetNumPoints(), 2);
    EXPECT_EQ(std::make_tuple(m_pDoc->GetGraphTitle(), m_pDoc->GetOptions().iGraphDisplay,
                              m_pDoc->GetExportSettings().bDrawLegend, m_pDoc->GetPrintScaleFontSize()),
              std::make_tuple(CString(L"Title"), 2, 0, 12));
    EXPECT_EQ(m_pDoc->GetTraceArray(CHANNEL_B).size(), 9u); // eight live traces and the user trace
    EXPECT_TRUE(Live(TT_CTDET, CHANNEL_B)->IsOn());
    EXPECT_EQ(Boxes(IDS_DOCUMENT_LOAD_FAILED), 0);
    EXPECT_EQ(AssertCount(), 0);
}

TEST_F(DocumentFileTest, HandBuiltOptionsAtEachSideOfTheThresholds)
{
    struct SCase {
        SVersion v;
        int bAllOnSameView, iPrintOption, bExportMono, bScalesMono;
        int aiPrint[4];  // font size, graticule width, trace width, solid
        int aiExport[4];
    };
    const SCase aCases[] = {
        {{94, 'a', 0}, 0, 1, 0, 0, {10, 1, 1, 0}, {16, 1, 1, 0}},
        {{94, 'b', 0}, 1, 1, 0, 0, {10, 1, 1, 0}, {16, 1, 1, 0}},
        {{95, 'c', 0}, 1, 1, 0, 0, {10, 1, 1, 0}, {16, 1, 1, 0}},
        {{95, 'd', 0}, 1, 7, 0, 0, {10, 1, 1, 0}, {16, 1, 1, 0}},
        {{96, 'c', 0}, 1, 7, 1, 0, {10, 1, 1, 0}, {16, 1, 1, 0}},
        {{97, 'e', 0}, 1, 7, 1, 0, {10, 1, 1, 0}, {16, 1, 1, 0}},
        {{97, 'f', 78}, 1, 7, 1, 1, {10, 1, 1, 0}, {16, 1, 1, 0}},
        {{120, 'a', 79}, 1, 7, 1, 1, {10, 2, 3, 1}, {30, 4, 5, 1}},
        {{120, 'a', 80}, 1, 7, 1, 1, {20, 2, 3, 1}, {30, 4, 5, 1}},
    };
    for (const SCase& c : aCases) {
        const std::string sName = std::to_string(c.v.iNumber) + char(c.v.iLetter) + " config " + std::to_string(c.v.iConfig);
        Write(Path("options.twc"), CBytes().Raw(BuildOptions(c.v)).I32(0).I32(0).I32(0).I32(0).Get());
        std::string sWhy;
        ASSERT_EQ(m_pDoc->LoadDocumentFile(Path("options.twc"), 0, &sWhy), 1) << sName << ": " << sWhy;
        const SGraphOutputSettings& p = m_pDoc->GetPrintSettings();
        const SGraphOutputSettings& e = m_pDoc->GetExportSettings();
        const bool bSwitches = CompareFileVersion(c.v.iNumber, c.v.iLetter, 95, 'd') >= 0;
        EXPECT_EQ(std::make_tuple(m_pDoc->GetOptions().iGraphDisplay, m_pDoc->GetGraphTitle(), m_pDoc->GetGraphComment(),
                                  m_pDoc->GetOptions().bShowGraphTitle),
                  std::make_tuple(3, CString(L"title"), CString(L"note"), 0)) << sName;
        EXPECT_EQ(std::make_tuple(m_pDoc->GetOptions().iPrintOption, m_pDoc->GetPrintBlackAndWhite(),
                                  m_pDoc->GetOptions().bExportBlackAndWhite, m_pDoc->GetScalesBlackAndWhite()),
                  std::make_tuple(c.iPrintOption, bSwitches ? 1 : 0, c.bExportMono, c.bScalesMono)) << sName;
        EXPECT_EQ(std::make_tuple(p.bDrawScales, p.bDrawLegend, e.bDrawComment), bSwitches ? std::make_tuple(0, 0, 0)
                                                                                          : std::make_tuple(1, 1, 1))
            << sName;
        EXPECT_EQ(std::make_tuple(m_pDoc->GetPrintScaleFontSize(), p.iGraticuleLineWidth, p.iTraceLineWidth,
                                  p.bGraticuleSolid),
                  std::make_tuple(c.aiPrint[0], c.aiPrint[1], c.aiPrint[2], c.aiPrint[3])) << sName;
        EXPECT_EQ(std::make_tuple(m_pDoc->GetExportScaleFontSize(), e.iGraticuleLineWidth, e.iTraceLineWidth,
                                  e.bGraticuleSolid),
                  std::make_tuple(c.aiExport[0], c.aiExport[1], c.aiExport[2], c.aiExport[3])) << sName;
        EXPECT_EQ(m_pDoc->DrawingAllOnSameView(), c.bAllOnSameView) << sName;
    }
}

TEST_F(DocumentFileTest, HandBuiltEntryFieldsAtEachSideOfTheThresholds)
{
    // An unsaved live entry brings the live trace back only when the reader
    // took its extra information, on flag and live flag where they are.
    struct SCase {
        SVersion v;
        bool bShown;
    };
    const SCase aCases[] = {
        {{90, 'z', 38}, false}, // no live flag yet
        {{91, '*', 38}, false}, // live, but no on flag: the record would say
        {{99, 'v', 39}, false},
        {{99, 'w', 38}, true},  // on flag, no extra information
        {{99, 'w', 39}, true},
    };
    for (const SCase& c : aCases) {
        const std::string sName = std::to_string(c.v.iNumber) + char(c.v.iLetter) + " config " + std::to_string(c.v.iConfig);
        Write(Path("entry.twc"), BuildUnsavedLiveEntry(c.v, "hand"));
        std::string sWhy;
        ASSERT_EQ(m_pDoc->LoadDocumentFile(Path("entry.twc"), 0, &sWhy), 1) << sName << ": " << sWhy;
        CQXTrace* pFft = Live(TT_FFT, CHANNEL_A);
        ASSERT_NE(pFft, nullptr) << sName;
        EXPECT_EQ(pFft->IsInUse() && pFft->IsOn(), c.bShown) << sName;
        ASSERT_EQ(m_pDoc->GetLoadTable(CHANNEL_A)->size(), 1u) << sName;
        EXPECT_EQ((*m_pDoc->GetLoadTable(CHANNEL_A))[0].m_sText, CString(L"hand")) << sName;
        EXPECT_EQ(m_pDoc->GetTraceArray(CHANNEL_B).size(), 8u) << sName; // live traces stay, off
        EXPECT_EQ(Live(TT_SCOPE, CHANNEL_B)->IsInUse(), 0) << sName;
    }
}

TEST_F(DocumentFileTest, BadFilesAreRefusedAndLeaveTheOpenDocumentAsItWas)
{
    m_pDoc->GetOptions().iGraphDisplay = 5;
    const Bytes good = Saved(*m_pDoc, "good.twc");
    m_pDoc->GetOptions().iGraphDisplay = 0;
    ASSERT_GT(good.size(), kCountsAt + 16);
    m_pDoc->SetGraphTitle(L"open");
    const std::set<const void*> before = Objects(*m_pDoc);
    CQXTrace* pCurrent = m_pDoc->GetCurrentTrace();

    const auto cut = [&](size_t n) { return Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)); };
    auto patched = [&](size_t at, std::int32_t v) {
        Bytes a = good;
        for (int k = 0; k < 4; ++k) a[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
        return a;
    };
    struct SCase {
        const char* name;
        Bytes bytes;
        const char* reason;
    };
    const SCase aCases[] = {
        {"empty", {}, "corrupt or truncated at byte 0"},
        {"header cut", cut(9), "in the header"},
        {"options cut", cut(40), "in the document record"},
        {"record cut", cut(good.size() / 2), "in the document record"},
        {"last byte missing", cut(good.size() - 1), "in the document record"},
        {"a byte too many", CBytes().Raw(good).U8(0).Get(), "1 bytes after the document record"},
        {"wrong magic", patched(0, 0x3A0B0C0D), "not a graph document file"},
        {"too old", patched(4, 89), "unsupported version"},
        {"entry count beyond the file", patched(kCountsAt, 0x7FFFFFFF), "entry count out of range"},
        {"negative entry count", patched(kCountsAt + 8, -1), "entry count out of range"},
        {"unknown trace type", patched(kCountsAt + 16, 99), "unknown trace type 99"},
    };
    int iBoxes = 0;
    for (const SCase& c : aCases) {
        Write(Path("bad.twc"), c.bytes);
        std::string sWhy;
        EXPECT_EQ(m_pDoc->LoadDocumentFile(Path("bad.twc"), 1, &sWhy), 0) << c.name;
        EXPECT_NE(sWhy.find(c.reason), std::string::npos) << c.name << ": " << sWhy;
        EXPECT_EQ(Boxes(IDS_DOCUMENT_LOAD_FAILED), ++iBoxes) << c.name;
    }
    for (const char* szPath : {"/dev/zero", "/tmp", "/no/such/file.twc"}) {
        std::string sWhy;
        EXPECT_EQ(m_pDoc->LoadDocumentFile(CString(szPath), 0, &sWhy), 0) << szPath;
        EXPECT_FALSE(sWhy.empty()) << szPath;
    }
    EXPECT_EQ(Objects(*m_pDoc), before);
    EXPECT_EQ(std::make_pair(m_pDoc->GetGraphTitle(), m_pDoc->GetCurrentTrace()), std::make_pair(CString(L"open"), pCurrent));
    ASSERT_EQ(m_pDoc->LoadDocumentFile(Path("good.twc"), 1, nullptr), 1);
    EXPECT_EQ(std::make_pair(m_pDoc->GetGraphTitle(), m_pDoc->GetOptions().iGraphDisplay), std::make_pair(CString(), 5));
}

TEST_F(DocumentFileTest, GraphColoursTravelInTheRegistryNotInTheRecord)
{
    const Bytes before = Saved(*m_pDoc, "colours1.twc");
    CRegistry::SetRegistryValue(0, L"Colours", L"TraceFFT", std::uint32_t{0x123456});
    CRegistryStore* pStore = m_host.GetRegistry();
    const std::string sIni = pStore->ToIni();
    pStore->Clear();
    ASSERT_TRUE(pStore->FromIni(sIni));
    CGraphDoc other;
    EXPECT_EQ(other.GetDefaultTraceColor(TT_FFT, 0), 0x123456u);
    EXPECT_EQ(Saved(*m_pDoc, "colours2.twc").size(), before.size());
}

TEST_F(DocumentFileTest, InfoDescribesTheRecordAsJson)
{
    AttachLimits(Live(TT_FFT, CHANNEL_A));
    Saved(*m_pDoc, "info.twc");
    EXPECT_TRUE(IsDocumentFile(Path("info.twc")));
    std::string sJson;
    std::string sError;
    ASSERT_TRUE(DescribeDocumentFile(Path("info.twc"), sJson, sError)) << sError;
    for (const char* sPart : {"\"configVersion\":109", "\"channelAEntryCount\":4", "\"channelBRecordCount\":2",
                              "\"hasLimitTable\":true", "\"form\":\"limit table\"", "\"section\":{"})
        EXPECT_NE(sJson.find(sPart), std::string::npos) << sPart;
    EXPECT_EQ(Objects(*m_pDoc).size(), 18u); // the open document is untouched: 16 traces and 2 limit lines
}
