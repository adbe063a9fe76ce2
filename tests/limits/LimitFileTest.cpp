// Limit files built byte by byte from the file layout (not by the project's
// writer): each version threshold reads as the layout says, refused files
// give their messages, and cut or impossible files fail cleanly.

#include "support/Bytes.h"
#include "support/LimitFixture.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/file/TraceFileInfo.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace {

// Magic, version number and letter, and the configuration version from 1.01r.
CBytes Header(std::uint32_t uMagic, int iNumber, char cLetter)
{
    CBytes b;
    b.I32(uMagic).I32(iNumber).U8(static_cast<std::uint8_t>(cLetter));
    if (iNumber > 101 || (iNumber == 101 && cLetter >= 'r')) b.I32(109);
    return b;
}

constexpr std::uint32_t TABLE = 0x5A0B0C0D;
constexpr std::uint32_t DATA = 0x3A0B0C2D;
constexpr std::uint32_t TRACE = 0x3A0B0C0D;

class LimitFile : public LimitFixture {
protected:
    CString Write(const CBytes& bytes, const char* pName = "line.lim")
    {
        const std::string sPath = m_host.GetRoot().ToUtf8() + "/" + pName;
        WriteBytes(sPath, bytes.Get());
        return CString(sPath.c_str());
    }
    std::wstring LastMessage()
    {
        const auto& aBoxes = m_host.GetMessageBoxes();
        return aBoxes.empty() ? std::wstring() : std::wstring(aBoxes.back().sText.GetString());
    }
};

// Trace-data body fields after the values, by version.
Bytes DataBody(int iNumber, char cLetter, const std::vector<double>& aValues, int iYUnit)
{
    const auto From = [&](int n, char c) { return iNumber > n || (iNumber == n && cLetter >= c); };
    CBytes b;
    b.I32(static_cast<std::int64_t>(aValues.size()));
    for (double d : aValues) b.F64(d);
    if (From(93, 'o')) b.I32(0);            // no polarity
    if (From(100, 'g')) b.I32(0);           // no transformed polarity
    b.I32(UNIT_FREQ_HZ).I32(iYUnit);        // units created
    if (From(94, 'c')) b.F64(24000.0);      // maximum X when created
    if (From(100, 'g')) b.I32(0).U8(0);     // no computes, no transformed data
    if (From(101, 'r')) b.Str("name");      // configuration 109
    return b.Get();
}

TEST_F(LimitFile, EachVersionReadsItsFields)
{
    struct SCase {
        int iNumber;
        char cLetter;
        int iStored;
        int iExpectedSize;
        int iYUnit;
        double dExpectedFirst;
        int iExpectedYUnit;
        double dMaxX;
    };
    const SCase aCases[] = {
        {150, 'g', 1024, 1024, UNIT_DBFS, 2.0, UNIT_DBFS, 24000.0},    // written now
        {101, 'r', 1024, 1024, UNIT_DBFS, 2.0, UNIT_DBFS, 24000.0},    // configuration in the header
        {100, 's', 1024, 1025, UNIT_DBFS, 2.0, UNIT_DBFS, 24000.0},    // one point short: grown
        {100, 'g', 4, 4, UNIT_DBFS, 2.0, UNIT_DBFS, 24000.0},          // not a power of two from 1024
        {94, 'f', 1024, 1025, 24, 2.0, 24, 24000.0},                   // units as they stand
        {94, 'e', 1024, 1025, 24, 0.002, UNIT_VRMS, 24000.0},          // millivolts become volts
        {94, 'c', 8, 8, UNIT_DBFS, 2.0, UNIT_DBFS, 24000.0},           // maximum X present
        {94, 'b', 8, 8, UNIT_DBFS, 2.0, UNIT_DBFS, 0.0},               // before it
        {93, 'n', 8, 8, UNIT_DBFS, 2.0, UNIT_DBFS, 0.0},               // no polarity bytes
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(std::to_string(c.iNumber) + c.cLetter);
        std::vector<double> aValues(static_cast<size_t>(c.iStored), 2.0);
        aValues.back() = 7.0;
        CLimitLine line(m_pTrace, 1, 0);
        ASSERT_EQ(line.InitialiseFromFile(Write(Header(DATA, c.iNumber, c.cLetter).Raw(DataBody(c.iNumber, c.cLetter, aValues, c.iYUnit))), 1), 1);
        EXPECT_TRUE(m_host.GetMessageBoxes().empty());
        ASSERT_TRUE(line.HasTraceData());
        EXPECT_FALSE(line.HasLimitTable());
        ASSERT_EQ(line.GetDataSize(), c.iExpectedSize);
        const std::vector<double> aRead = StoredValues(line);
        EXPECT_DOUBLE_EQ(aRead.front(), c.dExpectedFirst);
        EXPECT_DOUBLE_EQ(aRead.back(), 7.0 * c.dExpectedFirst / 2.0); // the last value, repeated when grown
        EXPECT_EQ(line.GetYUnitCreated(), c.iExpectedYUnit);
        EXPECT_EQ(line.GetXUnitCreated(), UNIT_FREQ_HZ);
        EXPECT_EQ(line.GetMaxXValueWhenCreated(), c.dMaxX);
        EXPECT_EQ(line.GetCurrentMaxXPos(), c.iExpectedSize - 1);
        EXPECT_GT(line.GetTraceID(), 0);
    }
}

TEST_F(LimitFile, TablesAndOldTraceFilesLoad)
{
    struct SCase { const char* pName; CBytes bytes; int iYUnit; double dFirstY; };
    CBytes table = Header(TABLE, 150, 'g');
    table.I32(UNIT_FREQ_HZ).I32(UNIT_DBFS).U16(2);
    table.F64(100.0).F64(-10.0).I32(0).I32(0).F64(1000.0).F64(-20.0).I32(1).I32(0);
    CBytes oldTable = Header(TABLE, 94, 'a');
    oldTable.I32(UNIT_FREQ_HZ).I32(65).U16(2);
    oldTable.F64(100.0).F64(500.0).I32(0).I32(0).F64(1000.0).F64(DBL_MAX).I32(1).I32(0);
    const SCase aCases[] = {{"table", table, UNIT_DBFS, -10.0}, {"old table", oldTable, UNIT_V, 0.5}};
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.pName);
        CLimitLine line(m_pTrace, 1, 0);
        ASSERT_EQ(line.InitialiseFromFile(Write(c.bytes), 1), 1);
        ASSERT_TRUE(line.HasLimitTable());
        EXPECT_FALSE(line.HasTraceData());
        EXPECT_EQ(std::make_tuple(line.GetDataSize(), line.GetLimitTable()->GetYUnit()), std::make_tuple(2, c.iYUnit));
        LimitTablePoint point;
        ASSERT_EQ(line.GetLimitTable()->GetPoint(0, &point), 1);
        EXPECT_DOUBLE_EQ(point.dY, c.dFirstY);
        ASSERT_EQ(line.GetLimitTable()->GetPoint(1, &point), 1);
        EXPECT_EQ(point.bConnected, 1);
    }

    // Older software saved limit lines as trace files of a limit-line type.
    CBytes traceFile = Header(TRACE, 150, 'g');
    traceFile.I32(TT_MINLIMITLINE).I32(CHANNEL_A).I32(0).Raw(DataBody(150, 'g', {1.0, 2.0, 3.0}, UNIT_DBFS));
    CLimitLine line(m_pTrace, 1, 0);
    ASSERT_EQ(line.InitialiseFromFile(Write(traceFile, "old.trc"), 0), 1);
    EXPECT_EQ(line.GetOwnTraceType(), TT_MINLIMITLINE);
    EXPECT_EQ(StoredValues(line), (std::vector<double>{1.0, 2.0, 3.0}));
}

TEST_F(LimitFile, RefusedFilesSayWhy)
{
    const std::string sText = "not a limit file at all";
    struct SCase {
        const char* pName;
        CBytes bytes;
        std::wstring sMessage;
        const char* szReason; // for the command line
    };
    const SCase aCases[] = {
        {"fft.trc", Header(TRACE, 150, 'g').I32(TT_FFT).I32(CHANNEL_A).I32(0).I32(0),
         L"This Trace is not a Limit Line and cannot be loaded here.", "a trace file, not a limit line"},
        {"old.lim", Header(DATA, 93, 'a').I32(1).F64(1.0).I32(UNIT_FREQ_HZ).I32(UNIT_DBFS),
         L"Cannot load this Limit Line because it was created with a very old software version.",
         "unsupported version 0.93a (older than 0.93a)"},
        {"text.lim", CBytes().Raw(Bytes(sText.begin(), sText.end())), L"The file '*' is not a valid Quorix limit file.",
         "not a limit file (magic 0x20746F6E)"},
        {"cut.lim", Header(TABLE, 150, 'g').I32(UNIT_FREQ_HZ).I32(UNIT_DBFS).U16(2).F64(1.0),
         L"The file '*' is not a valid Quorix limit file.", "of 31, in the limit table: limit table: more points than bytes"},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.pName);
        const CString sPath = Write(c.bytes, c.pName);
        CLimitLine line(m_pTrace, 1, 0);
        std::string sReason;
        EXPECT_EQ(line.InitialiseFromFile(sPath, 1, &sReason), 0);
        EXPECT_NE(sReason.find(c.szReason), std::string::npos) << sReason;
        std::wstring sExpected = c.sMessage;
        const size_t iStar = sExpected.find(L'*');
        if (iStar != std::wstring::npos) sExpected.replace(iStar, 1, sPath.GetString());
        EXPECT_EQ(LastMessage(), sExpected);
        // Quiet callers get no message.
        const size_t nBoxes = m_host.GetMessageBoxes().size();
        EXPECT_EQ(line.InitialiseFromFile(sPath, 0), 0);
        EXPECT_EQ(m_host.GetMessageBoxes().size(), nBoxes);
    }
    CLimitLine line(m_pTrace, 1, 0);
    std::string sReason;
    EXPECT_EQ(line.InitialiseFromFile(CString(L"no such file"), 1, &sReason), 0);
    EXPECT_EQ(LastMessage().rfind(L"The limit file '", 0), 0u);
    EXPECT_EQ(sReason, "no such file");
    EXPECT_EQ(line.InitialiseFromFile(CString(L"/dev/zero"), 0, &sReason), 0);
    EXPECT_EQ(sReason, "not a regular file");
}

TEST_F(LimitFile, CutOrImpossibleFilesFailWithoutHarm)
{
    const Bytes whole = Header(DATA, 150, 'g').Raw(DataBody(150, 'g', {1.0, 2.0, 3.0}, UNIT_DBFS)).Get();
    for (size_t n = 0; n < whole.size(); ++n) {
        CLimitLine line(m_pTrace, 1, 0);
        EXPECT_EQ(line.InitialiseFromFile(Write(CBytes().Raw(Bytes(whole.begin(), whole.begin() + n))), 0), 0) << n;
    }
    const CBytes aImpossible[] = {
        Header(DATA, 150, 'g').I32(0x7FFFFFFF).F64(1.0), // more values than bytes
        Header(DATA, 150, 'g').I32(-5),
        Header(TABLE, 150, 'g').I32(UNIT_FREQ_HZ).I32(UNIT_DBFS).U16(0xFFFF).I32(0x7FFFFFFF),
        Header(TABLE, 150, 'g').I32(UNIT_FREQ_HZ).I32(UNIT_DBFS).U16(1).F64(std::nan("")).F64(1.0).I32(0).I32(0),
    };
    for (const CBytes& bytes : aImpossible) {
        CLimitLine line(m_pTrace, 1, 0);
        EXPECT_EQ(line.InitialiseFromFile(Write(bytes), 0), 0);
        EXPECT_EQ(line.GetDataSize(), 0);
    }
}

TEST_F(LimitFile, SavedLinesLoadBackAsTheyWere)
{
    m_pTrace->SetYUnit(UNIT_DBFS);
    CLimitLine data(m_pTrace, 1, 0);
    m_pTrace->FillYData({100.0, DBL_MAX, 300.0, 400.0, 500.0, 600.0, 700.0, 800.0});
    ASSERT_EQ(data.CopyDataFromTrace(), 1);
    CLimitLine table(m_pTrace, 0, 0);
    CLimitTable* pTable = table.EnsureLimitTable();
    pTable->AddPoint(10.0, -3.0, 0, 0);
    pTable->AddPoint(20.0, -6.0, 1, 0);
    // Each line carries a normalise whose result is shown, in both forms.
    CComputeList list;
    auto* pNormalise = new CComputeNormalise();
    pNormalise->SetYValue(-1.0);
    pNormalise->SetYUnit(UNIT_DBFS);
    pNormalise->SetXValue(20.0);
    pNormalise->SetXUnit(UNIT_FREQ_HZ);
    list.AddComputeObject(pNormalise);
    for (CLimitLine* pLine : {&data, &table}) {
        pLine->SetComputeList(&list);
        ASSERT_EQ(pLine->SetShowTransformedYData(1, 0), 1);
    }
    EXPECT_NEAR(table.GetYValueForData(table.GetYDataAtXPos(1, 1), UNIT_DBFS, 1, 1), -1.0, 1e-9);
    const std::string sRoot = m_host.GetRoot().ToUtf8();
    for (CLimitLine* pSaved : {&data, &table}) {
        const CString sPath((sRoot + (pSaved == &data ? "/data" : "/table")).c_str());
        ASSERT_EQ(m_pDoc->SaveTrace(pSaved, sPath, 1), 1);
        CLimitLine loaded(m_pTrace, 1, 0);
        ASSERT_EQ(loaded.InitialiseFromFile(sPath, 1), 1); // found with the limit-file extension
        EXPECT_EQ(loaded.HasLimitTable(), pSaved->HasLimitTable());
        ASSERT_EQ(loaded.GetDataSize(), pSaved->GetDataSize());
        for (int i = 0; i < loaded.GetDataSize(); ++i)
            EXPECT_DOUBLE_EQ(loaded.GetYDataAtXPos(i, 0), pSaved->GetYDataAtXPos(i, 0)) << i;
        EXPECT_EQ(loaded.GetLimitYUnit(), pSaved->GetLimitYUnit());
        ASSERT_NE(loaded.GetComputeList(), nullptr) << (pSaved == &data ? "data" : "table");
        EXPECT_EQ(loaded.GetComputeList()->GetNumComputeObjects(), 1);
        ASSERT_TRUE(loaded.HasTransformedYData());
        for (int i = 0; i < loaded.GetDataSize(); ++i)
            EXPECT_DOUBLE_EQ(loaded.GetYDataAtXPos(i, 1), pSaved->GetYDataAtXPos(i, 1)) << i;
        // `tracewin info` names the compute of either form.
        std::string sJson, sError;
        ASSERT_TRUE(DescribeTraceFile(sPath + L".lim", sJson, sError)) << sError;
        EXPECT_NE(sJson.find("\"description\":\"Normalize (Y = -1.00 dBFS at X = 20.00 Hz)\""), std::string::npos) << sJson;
        EXPECT_NE(sJson.find("\"hasTransformedData\":true"), std::string::npos);
    }
}

} // namespace
