// Trace files: the byte layout against files built here from the format
// tables, save -> load -> save of every kind, and bad files that must leave
// the document as it was.

#include "host/units/References.h"
#include "support/Bytes.h"
#include "support/HostDocFixture.h"

#include "host/app/PathResolver.h"
#include "host/settings/SettingsIds.h"
#include "host/units/UnitIds.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/display/XScale.h"
#include "trace/file/TraceFileHeader.h"
#include "trace/file/TraceFileInfo.h"
#include "trace/model/CursorMark.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <tuple>

namespace {

struct SHandBuilt {
    TraceType eType = TT_FFT;
    int iStoredSize = 4;
    int iMarkPos = 1;       // one mark at this position
    int iMarkCount = 1;
    int iTickCount = 11;
    int iZoomCount = 0;
    std::uint32_t uMagic = TRACE_FILE_MAGIC;
    int iVersion = 150;
    int iLetter = 'g';
};

// A whole current-version trace file following the header and record tables.
Bytes BuildFile(const SHandBuilt& layout)
{
    CBytes b;
    b.I32(layout.uMagic).I32(layout.iVersion).U8(static_cast<std::uint8_t>(layout.iLetter));
    b.I32(109).I32(layout.eType).I32(CHANNEL_B).I32(0);
    b.I64(0x1234).I32(0xFF).I32(0xFF).I32(0xFF);          // 1-4
    b.I32(1).I32(1).I32(1).I32(0);                         // 5-8: saved live
    for (int i = 0; i < 11; ++i) b.I32(i == 1 ? -1 : UNIT_DBFS); // 9-19
    b.Str("hand").I32(0).I32(1).Str("built").I32(0).I32(0).I32(1); // 20-26
    b.I32(layout.iStoredSize);                                // 27
    const int iValues = std::max(0, layout.iStoredSize);
    for (int i = 0; i < iValues && i < 5000; ++i) b.F64(1.0 + i); // 28
    b.U8(0);                                                // 29
    const int iLast = std::max(0, iValues - 1);
    b.I32(0).I32(iLast).I32(0).I32(iLast);                  // 30-33
    b.F64(0).F64(1).F64(-100).F64(0).F64(0).F64(24000);     // 34-39
    b.I32(0).I32(0).I32(0).I32(0).I32(0).I32(1).I32(1).I32(1); // 40-47
    b.I32(layout.iMarkCount);                                 // 48
    for (int i = 0; i < layout.iMarkCount && i < 30; ++i) b.I32(layout.iMarkPos + i).I32(0).Str("m"); // 49
    b.I32(0);                                               // 50
    b.I32(1).I32(ST_FFT).I32(CHANNEL_B).F64(0).F64(24000).I32(0xFF).I32(0xFF).I32(UNIT_FREQ_HZ).Str("");
    b.I32(0).I32(0).I32(0).I32(1).I32(0).I32(1);            // 51 and the X scale, ticks empty, final flag
    b.I32(0).F64(0).F64(0).I32(0).I32(0);                   // 52-56
    b.U16(7).Str("");                                       // 57-58
    b.I32(2).I32(0).I32(0);                                 // 59-61
    for (int i = 0; i < 8; ++i) b.F64(100.0 + i);           // 62-69
    b.F64(48000).F64(48000).F64(0).I32(0).I32(0).U8(0).U8(0).F64(1.0); // 70-77
    b.I32(layout.iTickCount);                                 // 78
    for (int i = 0; i < layout.iTickCount && i < 60; ++i) b.F64(i / 10.0).I32(1);
    b.I32(layout.iZoomCount);                                 // 79
    if (layout.eType == TT_FFT) b.F64(0).F64(24000);          // FFT section
    return b.Get();
}

// A version 1.00g file: no configuration version in the header (so
// configuration 0), an i32 handle, an old cursor list, no input details, no
// zoom history, and an FFT trace's Y data still in dBFS. With the letter 'f'
// field 29 is absent; a compute-list record goes after field 55's flag.
Bytes BuildOldFftFile(int iLetter = 'g', const Bytes& computes = {})
{
    CBytes b;
    b.I32(TRACE_FILE_MAGIC).I32(100).U8(static_cast<std::uint8_t>(iLetter));
    b.I32(TT_FFT).I32(CHANNEL_A);
    b.I32(0x1234).I32(0xFF).I32(0xFF).I32(0xFF).I32(1).I32(1).I32(0).I32(0); // 1-8
    b.I32(25);                                                  // U1: an old mV unit
    for (int i = 0; i < 6; ++i) b.I32(UNIT_DBFS);               // U2-U7
    b.Str("").I32(0).I32(1).Str("").I32(0);                     // 20-24
    b.I32(0);                                                   // 4 bytes below configuration 79
    b.I32(0).I32(1);                                            // 25-26
    b.I32(8);                                                   // 27
    for (int i = 0; i < 8; ++i) b.F64(-10.0 * i);               // 28, in dBFS
    if (iLetter >= 'g') b.U8(1);                                // 29: shown
    b.Str("old");                                               // a string below configuration 25
    b.I32(0).I32(5).I32(0).I32(6);                              // 30-33: maximum X position wrong
    b.F64(0).F64(1).F64(1000).F64(2000);                        // 34-37
    b.F64(24000);                                               // 39 (38 absent)
    b.I32(0).I32(2).I32(7).I32(7).I32(0);                       // 40, old cursor list
    b.I32(0).I32(0).I32(0).I32(0).I32(1).I32(1).I32(1);         // 41-47
    b.I32(0).I32(-1);                                           // 48, 50
    b.I32(1).I32(ST_FFT).I32(CHANNEL_A).F64(5).F64(20000).I32(0xFF).I32(0xFF).I32(UNIT_FREQ_HZ).Str("");
    b.I32(0).I32(0).I32(0).I32(1).I32(0).I32(1);                // X scale
    b.I32(0).F64(0).F64(0).I32(computes.empty() ? 0 : 1);      // 52-55
    b.Raw(computes).I32(1).U16(9);                              // 56-57
    return b.I32(0).Get();                                      // ticks; no zoom history
}

class TraceFileTest : public HostDocFixture {
protected:
    CString Path(const char* name) const { return m_host.GetRoot() + L"/" + CString(name); }

    static Bytes Read(const CString& path) { return ReadBytes(path.ToUtf8()); }
    static void Write(const CString& path, const Bytes& bytes) { WriteBytes(path.ToUtf8(), bytes); }
    // Saves pTrace as sFirst, loads that into a second document (so the ID
    // needs no renumbering), lets fnCheck look at the loaded trace, saves it
    // as sSecond and says whether both files are the same apart from the handle.
    bool RoundTrip(CQXTrace* pTrace, const char* sFirst, const char* sSecond,
                   const std::function<void(CQXTrace*)>& fnCheck = {})
    {
        if (m_pDoc->SaveTrace(pTrace, CString(sFirst), 0) != 1) return false;
        CGraphDoc other;
        m_host.SetGraphDoc(&other);
        CQXTrace* pLoaded = other.LoadTrace(CString(sFirst), pTrace->GetChannel(), 0);
        if (pLoaded && fnCheck) fnCheck(pLoaded);
        const bool bSaved = pLoaded && other.SaveTrace(pLoaded, CString(sSecond), 0) == 1;
        m_host.PumpMessages();
        m_host.SetGraphDoc(m_pDoc.get());
        Bytes a = Read(Path("Traces/") + CString(sFirst) + L".trc");
        Bytes b = Read(Path("Traces/") + CString(sSecond) + L".trc");
        std::fill(a.begin() + 25, a.begin() + 33, 0);
        std::fill(b.begin() + 25, b.begin() + 33, 0);
        EXPECT_EQ(a.size(), b.size());
        return bSaved && a == b;
    }

    CQXTrace* NewShownTrace(TraceType eType, ChannelNumber eChannel = CHANNEL_A)
    {
        return m_pDoc->CreateTrace(eType, eChannel, CQXTrace::GetDefaultDataSize(eType), 0, 0, 0, 0, 1, 1, 1);
    }

    int Boxes(int iStringId) const
    {
        int n = 0;
        for (const auto& box : m_host.GetMessageBoxes()) n += box.sText == LoadResString(iStringId);
        return n;
    }

    static std::int32_t I32At(const Bytes& a, size_t i)
    {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k) v |= static_cast<std::uint32_t>(a.at(i + k)) << (8 * k);
        return static_cast<std::int32_t>(v);
    }
};

TEST_F(TraceFileTest, ScopeTraceOf1024PointsIsHeaderThenRecordWithItsData)
{
    CQXTrace* pTrace = NewShownTrace(TT_SCOPE, CHANNEL_B);
    ASSERT_NE(pTrace, nullptr);
    ASSERT_EQ(pTrace->GetDataSize(), 1024);
    double* pY = pTrace->GetYDataBuffer(0);
    for (int i = 0; i < 1024; ++i) pY[i] = i * 0.5;
    ASSERT_EQ(m_pDoc->SaveTrace(pTrace, L"scope", 0), 1);

    const Bytes a = Read(Path("Traces/scope.trc"));
    ASSERT_GT(a.size(), 25u + 8192u);
    EXPECT_EQ(std::make_tuple(static_cast<std::uint32_t>(I32At(a, 0)), I32At(a, 4)), std::make_tuple(0x3A0B0C0Du, 150));
    EXPECT_EQ(std::make_tuple(a[8], I32At(a, 9), I32At(a, 13)), std::make_tuple('g', 109, TT_SCOPE));
    EXPECT_EQ(I32At(a, 17), CHANNEL_B);
    // Fields 1-19 take 80 bytes; name and comment are empty strings (4 bytes
    // each) around fields 21-22, then field 24 and the two settings.
    const size_t iSizeAt = 25 + 80 + 4 + 8 + 4 + 4 + 8;
    EXPECT_EQ(a[25 + 80], 0xFF); // the name's Unicode marker
    EXPECT_EQ(I32At(a, iSizeAt), 1024);
    double d = 0.0;
    std::memcpy(&d, &a[iSizeAt + 4 + 8 * 1023], 8);
    EXPECT_EQ(d, 1023 * 0.5);
    EXPECT_EQ(a[iSizeAt + 4 + 8192], 0); // field 29 follows the 8192 data bytes
}

TEST_F(TraceFileTest, HandBuiltFftOf4096PointsLoadsWith4097PointsOnTheGivenChannelNotLive)
{
    SHandBuilt layout;
    layout.iStoredSize = 4096;
    Write(Path("fft.trc"), BuildFile(layout));
    CQXTrace* pTrace = m_pDoc->LoadTrace(Path("fft.trc"), CHANNEL_A, 1);
    ASSERT_NE(pTrace, nullptr);
    EXPECT_EQ(std::make_tuple(pTrace->GetDataSize(), pTrace->GetYDataBuffer(0)[4095], pTrace->GetYDataBuffer(0)[4096]),
              std::make_tuple(4097, 4096.0, 0.0));
    EXPECT_EQ(std::make_tuple(pTrace->GetChannel(), pTrace->IsLive(), pTrace->IsOn(), pTrace->GetTraceID()),
              std::make_tuple(CHANNEL_A, false, true, 7));
    EXPECT_EQ(pTrace->GetUserName(), CString(L"hand"));
    EXPECT_EQ(pTrace->GetFileName(), CString(L"fft.trc"));
    EXPECT_EQ(pTrace->GetReferenceBlock().dAnaZerodBSPL, 107.0);
    EXPECT_EQ(pTrace->GetXScale()->GetXUnit(), UNIT_FREQ_HZ);
    EXPECT_EQ(m_pDoc->GetTraceArray(CHANNEL_A).size(), 1u);

    // The same file again: a second trace with its own ID.
    CQXTrace* pSecond = m_pDoc->LoadTrace(Path("fft"), CHANNEL_A, 1);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_NE(pSecond->GetTraceID(), pTrace->GetTraceID());
    ChannelNumber eChannel = CHANNEL_A;
    EXPECT_TRUE(CGraphDoc::GetTraceChannel(Path("fft.trc"), &eChannel));
    EXPECT_EQ(eChannel, CHANNEL_B);
}

TEST_F(TraceFileTest, OldVersionFollowsTheVersionRules)
{
    Write(Path("old.trc"), BuildOldFftFile());
    CQXTrace* pTrace = m_pDoc->LoadTrace(Path("old.trc"), CHANNEL_B, 1);
    ASSERT_NE(pTrace, nullptr);
    EXPECT_EQ(std::make_pair(pTrace->GetDataSize(), pTrace->GetMaxXPos()), std::make_pair(8, 7)); // corrected to N - 1
    EXPECT_NEAR(pTrace->GetYDataBuffer(0)[0], SReferences::kFullScaleSineHex, 1.0); // 0 dBFS as hex
    EXPECT_EQ(pTrace->GetYDigUnit(), UNIT_VP);                 // 25 renumbered to 28
    EXPECT_EQ(std::make_pair(pTrace->GetCurrentMinYScaleValue(), pTrace->GetCurrentMaxYScaleValue()),
              std::make_pair(1.0, 2.0));                       // and the window divided by 1000
    EXPECT_EQ(std::make_pair(pTrace->GetMinXScaleValue(), pTrace->GetMaxXScaleValue()),
              std::make_pair(5.0, 24000.0));                   // from the X scale record
    EXPECT_EQ(pTrace->GetSampleRate(), 48000.0);               // no rate before configuration 25
    EXPECT_EQ(std::make_tuple(pTrace->IsUnlocked(), pTrace->GetTraceID(), pTrace->HasZoomHistory()),
              std::make_tuple(false, 9, false));
    EXPECT_EQ(Boxes(IDS_TRACE_LOAD_FAILED), 0);
}

TEST_F(TraceFileTest, StoredSizesAndMarksAreMadeSensible)
{
    struct SCase { const char* name; int iStoredSize; int iMarkPos; int iExpectedSize; int iExpectedMarks; };
    const SCase aCases[] = {
        {"size 0 takes the default FFT size", 0, 0, 512, 1},
        {"a mark beyond the data is dropped", 4, 9, 4, 0},
        {"a mark inside stays", 4, 3, 4, 1},
        {"not a power of two keeps its size", 1000, 5, 1000, 1},
    };
    for (const SCase& c : aCases) {
        SHandBuilt layout;
        layout.iStoredSize = c.iStoredSize;
        layout.iMarkPos = c.iMarkPos;
        Write(Path("case.trc"), BuildFile(layout));
        CQXTrace* pTrace = m_pDoc->LoadTrace(Path("case.trc"), CHANNEL_A, 1);
        ASSERT_NE(pTrace, nullptr) << c.name;
        EXPECT_EQ(std::make_pair(pTrace->GetDataSize(), MAX_MARKS - pTrace->GetNumMarks()),
                  std::make_pair(c.iExpectedSize, c.iExpectedMarks)) << c.name;
    }
    EXPECT_EQ(Boxes(IDS_TRACE_LOAD_FAILED), 0);
}

TEST_F(TraceFileTest, SaveLoadSaveIsByteIdenticalApartFromTheHandleForEveryKind)
{
    const TraceType aTypes[] = {TT_SCOPE, TT_FFT,    TT_CTDET, TT_CTFFT, TT_FILTER,
                                TT_WINDOW, TT_SWEEP1, TT_USER,  TT_FFTRESPONSE};
    for (TraceType eType : aTypes) {
        const int iCreateSize = std::max(16, CQXTrace::GetDefaultDataSize(eType));
        CQXTrace* pTrace = m_pDoc->CreateTrace(eType, CHANNEL_B, iCreateSize, 0, 0, 0, 0, 1, 1, 1);
        ASSERT_NE(pTrace, nullptr) << eType;
        const int iSize = pTrace->GetDataSize();
        for (int i = 0; i < iSize; ++i) pTrace->GetYDataBuffer(0)[i] = 0.25 * i;
        if (pTrace->HasXData())
            for (int i = 0; i < iSize; ++i) pTrace->GetXData()[i] = 10.0 + i;
        if (iSize > 1) {
            pTrace->AddMark(iSize - 1, 0);
            pTrace->CursorOn();
        }
        pTrace->SetComment(L"round trip");
        pTrace->SetFileName(L"first.trc");

        EXPECT_TRUE(RoundTrip(pTrace, "first", "second")) << "type " << eType;
    }
}

TEST_F(TraceFileTest, SweepKeepsPointsAndAxisThroughAFileAndOldUnitsAreUpgraded)
{
    // Trigger -1: the X axis is the jitter result. Jitter units of older
    // files were peak; they load peak-to-peak. Time axes without a unit get ms.
    const struct {
        int iTrigger, iUnit, iLoadedUnit, iResult, iYUnit, iLoadedYUnit;
    } aCases[] = {{TRIGGER_GENFREQ_CHA, UNIT_FREQ_HZ, UNIT_FREQ_HZ, RES_CHA_RMSAMPL, UNIT_HEX, UNIT_HEX},
                  {TRIGGER_TIME, 0, UNIT_MS, RES_CHA_RMSAMPL, UNIT_HEX, UNIT_HEX},
                  {TRIGGER_TIME, -1, UNIT_MS, RES_DIC_JITTER, UNIT_JITTER_NS, UNIT_JITTER_NSPP},
                  {TRIGGER_TIME, UNIT_SECONDS, UNIT_SECONDS, RES_DIC_JITTER, UNIT_JITTER_UI, UNIT_JITTER_UIPP},
                  {-1, UNIT_JITTER_UI, UNIT_JITTER_UIPP, RES_CHA_RMSAMPL, UNIT_HEX, UNIT_HEX}};
    for (const auto& c : aCases) {
        auto* pSweep = static_cast<CSweepTrace*>(m_pDoc->CreateTrace(TT_SWEEP1, CHANNEL_A, 4, 0, 0, 1, 0, 1, 1, 1));
        ASSERT_NE(pSweep, nullptr);
        pSweep->SetResultID(c.iResult);
        pSweep->SetYUnit(c.iYUnit);
        if (c.iTrigger >= 0) {
            pSweep->SetXAxisSourceDetails(c.iTrigger, c.iUnit, 20000.0, 20.0);
        } else {
            pSweep->SetXAxisResultDetails(RES_DIC_JITTER, 0, 0, c.iUnit, 20000.0, 20.0);
            pSweep->SetXUnit(c.iUnit);
        }
        pSweep->SweepStarted(0);
        for (double x : {1000.0, 20.0}) pSweep->AddSweepPoint(x, x * 10, 0, 1, 0, 0);
        pSweep->AddSweepPoint(5000.0, 50000.0, 0x04, 1, 0, 0); // a time-out mark
        ASSERT_EQ(m_pDoc->SaveTrace(pSweep, L"sweep", 0), 1);

        CGraphDoc other;
        m_host.SetGraphDoc(&other);
        auto* pLoaded = dynamic_cast<CSweepTrace*>(other.LoadTrace(L"sweep", CHANNEL_A, 0));
        ASSERT_NE(pLoaded, nullptr);
        EXPECT_EQ(std::vector<double>(pLoaded->GetXData(), pLoaded->GetXData() + 4),
                  (std::vector<double>{20, 1000, 5000, DBL_MAX}));
        EXPECT_EQ(std::vector<double>(pLoaded->GetYDataBuffer(0), pLoaded->GetYDataBuffer(0) + 3),
                  (std::vector<double>{200, 10000, 50000}));
        EXPECT_EQ(pLoaded->GetResultID(), c.iResult);
        EXPECT_EQ(pLoaded->GetXAxisSourceType(), c.iTrigger);
        EXPECT_EQ(pLoaded->IsXAxisResult(), c.iTrigger < 0 ? 1 : 0);
        EXPECT_EQ(pLoaded->GetXAxisUnit(), c.iLoadedUnit);
        EXPECT_EQ(pLoaded->GetYUnit(), c.iLoadedYUnit);
        if (c.iTrigger < 0) {
            EXPECT_EQ(pLoaded->GetXUnit(), c.iLoadedUnit);
        }
        // The file keeps no mark kinds: the time-out mark loads as a plain mark with its label.
        ASSERT_NE(pLoaded->GetMark(0), nullptr);
        EXPECT_EQ(std::make_tuple(pLoaded->GetMark(0)->GetType(), pLoaded->GetMarkPosition(0, 1),
                                  pLoaded->GetMarkLabel(0, 0)),
                  std::make_tuple(eMark, 2, LoadResString(IDS_MARK_TIMEOUT_NO_DATA)));
        EXPECT_EQ(pLoaded->GetXAxisMinValue(), 20.0);
        EXPECT_EQ(pLoaded->GetXAxisMaxValue(), 20000.0);
        m_host.PumpMessages();
        m_host.SetGraphDoc(m_pDoc.get());

        std::string sJson;
        std::string sError;
        ASSERT_TRUE(DescribeTraceFile(Path("Traces/sweep.trc"), sJson, sError)) << sError;
        for (const std::string& sField : {"\"m_iXAxisSourceType\":" + std::to_string(c.iTrigger),
                                          std::string("\"m_pXData\":[20,1000,5000,")})
            EXPECT_NE(sJson.find(sField), std::string::npos) << sField;
        m_pDoc->RemoveTrace(pSweep, 0);
    }
}

TEST_F(TraceFileTest, BadFilesLeaveTheDocumentAsItWasReport18243AndSayWhy)
{
    CQXTrace* pKept = NewShownTrace(TT_SCOPE);
    ASSERT_NE(pKept, nullptr);
    const size_t iXScales = m_pDoc->GetXScales().size();
    const size_t iYScales = m_pDoc->GetYScales().size();
    const Bytes good = BuildFile(SHandBuilt());

    struct SBad { std::string sName; Bytes bytes; std::string sReason; };
    std::vector<SBad> aFiles;
    // A cut anywhere: every header and record boundary lies among these.
    for (size_t n = 0; n < good.size(); ++n)
        aFiles.push_back({"cut at " + std::to_string(n), Bytes(good.begin(), good.begin() + n),
                          n == 10   ? "of 10, in the header: unexpected end"
                          : n == 40 ? "of 40, in the trace record: unexpected end"
                                    : ""});
    const auto Variant = [&](const char* szName, auto change, const char* szReason = "") {
        SHandBuilt layout;
        change(layout);
        aFiles.push_back({szName, BuildFile(layout), szReason});
    };
    Variant("bad magic", [](SHandBuilt& s) { s.uMagic = 0x3A0B0C0E; }, "not a trace file (magic 0x3A0B0C0E)");
    Variant("limit-file magic", [](SHandBuilt& s) { s.uMagic = LIMIT_FILE_MAGIC_DATA; });
    Variant("version 0.89", [](SHandBuilt& s) { s.iVersion = 89; s.iLetter = 'z'; });
    Variant("version 1.15 '.'", [](SHandBuilt& s) { s.iVersion = 115; s.iLetter = '.'; }, "unsupported version 1.15.");
    Variant("version number -2^31", [](SHandBuilt& s) { s.iVersion = INT32_MIN; });
    Variant("huge data size", [](SHandBuilt& s) { s.iStoredSize = 0x7FFFFFFF; });
    Variant("negative data size", [](SHandBuilt& s) { s.iStoredSize = -5; });
    Variant("21 marks", [](SHandBuilt& s) { s.iMarkCount = 21; });
    Variant("52 ticks", [](SHandBuilt& s) { s.iTickCount = 52; });
    Variant("huge zoom history", [](SHandBuilt& s) { s.iZoomCount = 0x10000000; });
    Variant("unknown type", [](SHandBuilt& s) { s.eType = static_cast<TraceType>(99); });
    Variant("limit-line type", [](SHandBuilt& s) { s.eType = TT_MAXLIMITLINE; }, "a limit line, not a trace");

    int iBoxes = Boxes(IDS_TRACE_LOAD_FAILED);
    for (const SBad& f : aFiles) {
        SCOPED_TRACE(f.sName);
        Write(Path("bad.trc"), f.bytes);
        std::string sReason;
        EXPECT_EQ(m_pDoc->LoadTrace(Path("bad.trc"), CHANNEL_A, 1, &sReason), nullptr);
        EXPECT_NE(sReason.find(f.sReason), std::string::npos) << sReason;
        EXPECT_EQ(Boxes(IDS_TRACE_LOAD_FAILED), ++iBoxes);
        ASSERT_EQ(m_pDoc->GetTraceArray(CHANNEL_A).size(), 1u);
        EXPECT_EQ(m_pDoc->GetXScales().size(), iXScales);
        EXPECT_EQ(m_pDoc->GetYScales().size(), iYScales);
    }
    EXPECT_EQ(m_pDoc->GetTraceArray(CHANNEL_A)[0], pKept);
    // Silent when told not to report; a missing file or a folder is only a null result.
    std::string sReason;
    EXPECT_EQ(m_pDoc->LoadTrace(Path("bad.trc"), CHANNEL_A, 0), nullptr);
    EXPECT_EQ(m_pDoc->LoadTrace(Path("missing.trc"), CHANNEL_A, 1, &sReason), nullptr);
    EXPECT_EQ(sReason, "no such file");
    EXPECT_EQ(m_pDoc->LoadTrace(m_host.GetRoot(), CHANNEL_A, 0, &sReason), nullptr);
    EXPECT_EQ(sReason, "not a regular file");
    EXPECT_EQ(Boxes(IDS_TRACE_LOAD_FAILED), iBoxes);
    std::string sJson;
    EXPECT_FALSE(DescribeTraceFile(L"/dev/zero", sJson, sReason));
    EXPECT_EQ(sReason, "not a regular file");
}

TEST_F(TraceFileTest, LiveTraceSavedLoadsAsNonLiveAndUnwritablePathReports18796)
{
    CQXTrace* pLive = m_pDoc->CreateTrace(TT_SCOPE, CHANNEL_A, 1024, 0, 0, 1, 0, 1, 1, 1);
    ASSERT_NE(pLive, nullptr);
    ASSERT_TRUE(pLive->IsLive());
    ASSERT_EQ(m_pDoc->SaveTrace(pLive, L"live", 1), 1);
    CQXTrace* pLoaded = m_pDoc->LoadTrace(L"live", CHANNEL_A, 1);
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_FALSE(pLoaded->IsLive());
    EXPECT_NE(pLoaded->GetTraceID(), pLive->GetTraceID());

    EXPECT_EQ(m_pDoc->SaveTrace(pLive, Path("no/such/folder/x"), 1), 0);
    ASSERT_FALSE(m_host.GetMessageBoxes().empty());
    EXPECT_NE(m_host.GetMessageBoxes().back().sText.Find(L"no/such/folder/x.trc"), -1);
}

TEST_F(TraceFileTest, InfoShowsHeaderRecordAndSectionWithEscapedText)
{
    CQXTrace* pTrace = NewShownTrace(TT_FFT);
    ASSERT_NE(pTrace, nullptr);
    pTrace->SetComment(L"say \"hi\" \u00e9\n");
    pTrace->GetYDataBuffer(0)[0] = std::numeric_limits<double>::infinity();
    ASSERT_EQ(m_pDoc->SaveTrace(pTrace, L"info", 0), 1);
    std::string sJson;
    std::string sError;
    ASSERT_TRUE(DescribeTraceFile(Path("Traces/info.trc"), sJson, sError)) << sError;
    for (const char* sPart : {"\"header\":{\"magic\":973802509,\"versionNumber\":150,\"versionLetter\":\"g\"",
                              "\"m_sComment\":\"say \\\"hi\\\" \\u00e9\\u000a\"", "\"m_pYData\":[null,",
                              "\"section\":{\"m_dLowestValidFrequency\":", "\"bytesLeft\":0}"})
        EXPECT_NE(sJson.find(sPart), std::string::npos) << sPart;
    // The scratch trace leaves the document as it was.
    EXPECT_EQ(m_pDoc->GetTraceArray(CHANNEL_A).size(), 1u);

    const Bytes whole = BuildFile(SHandBuilt());
    Write(Path("cut.trc"), Bytes(whole.begin(), whole.begin() + 40));
    EXPECT_FALSE(DescribeTraceFile(Path("cut.trc"), sJson, sError));
    EXPECT_NE(sError.find("truncated"), std::string::npos);
}

// An invert record of a given version: the base part, then its fields.
CBytes& InvertRecord(CBytes& b, bool bWithEnabled, int bEnabled, double dValue)
{
    b.I32(COMPUTE_INVERT).I32(COMPUTE_INVERT);
    if (bWithEnabled) b.U8(static_cast<std::uint8_t>(bEnabled));
    else b.I32(0).I32(0).I32(0); // up to 1.00f: three further words
    return b.I32(0).F64(dValue).I32(UNIT_DBV);
}

TEST_F(TraceFileTest, ComputeListsOfOldFilesFollowTheVersionRules)
{
    // 1.00f: no list setting, no enabled flag, a first-form band sum read past.
    CBytes old;
    old.I32(3);
    old.I32(COMPUTE_SUMBINS).F64(1.0).I32(2).Str("band");
    InvertRecord(old, false, 0, -6.0);
    old.I32(COMPUTE_NORMALISE).I32(COMPUTE_NORMALISE).I32(0).I32(0).I32(0);
    old.F64(0.0).I32(UNIT_DBV).F64(1000.0).I32(UNIT_FREQ_HZ);
    Write(Path("old-f.trc"), BuildOldFftFile('f', old.Get()));
    CQXTrace* pOld = m_pDoc->LoadTrace(Path("old-f.trc"), CHANNEL_A, 1);
    ASSERT_NE(pOld, nullptr);
    const CComputeList* pList = pOld->GetComputeList();
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetNumComputeObjects(), 2);
    const auto* pInvert = dynamic_cast<const CComputeInvert*>(pList->GetComputeObjectAt(0));
    ASSERT_NE(pInvert, nullptr);
    EXPECT_EQ(std::make_tuple(pInvert->IsEnabled(), pInvert->GetInvertValue(), pInvert->GetInvertUnit()),
              std::make_tuple(true, -6.0, UNIT_DBV));
    const auto* pNormalise = dynamic_cast<const CComputeNormalise*>(pList->GetComputeObjectAt(1));
    ASSERT_NE(pNormalise, nullptr);
    EXPECT_EQ(std::make_pair(pNormalise->GetXValue(), pNormalise->GetXUnit()), std::make_pair(1000.0, UNIT_FREQ_HZ));
    EXPECT_FALSE(pOld->GetShowTransformedYData()); // field 29 is absent before 1.00g

    // 1.00g: the list setting and the enabled flag; field 29 asks for the result.
    CBytes current;
    current.I32(0).I32(1);
    InvertRecord(current, true, 0, -6.0);
    Write(Path("old-g.trc"), BuildOldFftFile('g', current.Get()));
    CQXTrace* pNewer = m_pDoc->LoadTrace(Path("old-g.trc"), CHANNEL_A, 1);
    ASSERT_NE(pNewer, nullptr);
    ASSERT_NE(pNewer->GetComputeList(), nullptr);
    EXPECT_FALSE(pNewer->GetComputeList()->GetComputeObjectAt(0)->IsEnabled());
    EXPECT_TRUE(pNewer->GetShowTransformedYData());

    // An unknown compute type is a corrupt file: refused, the document as it was.
    CBytes bad;
    bad.I32(0).I32(1).I32(7).I32(7).U8(1);
    Write(Path("bad.trc"), BuildOldFftFile('g', bad.Get()));
    const size_t nTraces = m_pDoc->GetTraceArray(CHANNEL_A).size();
    EXPECT_EQ(m_pDoc->LoadTrace(Path("bad.trc"), CHANNEL_A, 1), nullptr);
    EXPECT_EQ(m_pDoc->GetTraceArray(CHANNEL_A).size(), nTraces);
    EXPECT_EQ(Boxes(IDS_TRACE_LOAD_FAILED), 1);
}

TEST_F(TraceFileTest, ATraceWithThreeComputesSavedAndLoadedIsByteIdenticalOnASecondSave)
{
    CQXTrace* pTrace = NewShownTrace(TT_FFT, CHANNEL_A);
    pTrace->SetYUnit(UNIT_DBV);
    for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetYDataBuffer(0)[i] = 1000.0 + i;
    CComputeList list;
    auto* pInvert = new CComputeInvert();
    pInvert->SetInvertValue(0.0);
    pInvert->SetYUnit(UNIT_DBV);
    auto* pNormalise = new CComputeNormalise();
    pNormalise->SetYValue(-3.0);
    pNormalise->SetYUnit(UNIT_DBV);
    pNormalise->SetXValue(1000.0);
    pNormalise->SetXUnit(UNIT_FREQ_HZ);
    auto* pDisabled = new CComputeInvert();
    pDisabled->SetInvertAroundCursor(1);
    pDisabled->SetYUnit(UNIT_DBV);
    pDisabled->SetEnabled(false);
    for (CCompute* p : {static_cast<CCompute*>(pInvert), static_cast<CCompute*>(pNormalise), static_cast<CCompute*>(pDisabled)})
        list.AddComputeObject(p);
    pTrace->SetComputeList(&list);
    ASSERT_EQ(pTrace->SetShowTransformedYData(1, 0), 1);
    pTrace->SetFileName(L"computes.trc"); // what loading sets
    EXPECT_TRUE(RoundTrip(pTrace, "computes", "computes2", [&](CQXTrace* pLoaded) {
        ASSERT_NE(pLoaded->GetComputeList(), nullptr);
        ASSERT_EQ(pLoaded->GetComputeList()->GetNumComputeObjects(), 3);
        EXPECT_FALSE(pLoaded->GetComputeList()->GetComputeObjectAt(2)->IsEnabled());
        EXPECT_TRUE(pLoaded->GetShowTransformedYData());
        EXPECT_EQ(pLoaded->GetYDataBuffer(1)[7], pTrace->GetYDataBuffer(1)[7]);
    }));

    // `tracewin info` lists the computes with their descriptions.
    std::string sJson;
    std::string sError;
    ASSERT_TRUE(DescribeTraceFile(Path("Traces/computes.trc"), sJson, sError)) << sError;
    EXPECT_NE(sJson.find("\"description\":\"Invert (around Y = 0.00 dBV)\""), std::string::npos) << sJson.substr(0, 200);
    EXPECT_NE(sJson.find("\"m_bEnabled\":false"), std::string::npos);
    EXPECT_NE(sJson.find("\"showTransformedYData\":true"), std::string::npos);
}

} // namespace
