#pragma once
// CTraceRecord: the record of the trace base class in a trace file or a graph
// configuration. Writing lists the fields in order through an IRecordSink;
// reading takes the version of the archive being read (CheckFileVersion,
// GetConfigVersion) and applies the rules for older files: fields that did
// not exist yet, renumbered units, corrected positions.
//
// Sizes read from a file are checked against the bytes left before anything
// is allocated; impossible counts throw CArchiveException. A record that
// throws leaves the trace half read: the caller deletes it.

#include <cstdint>

class CArchive;
class CCursorMark;
class CQXTrace;
class CString;
class IRecordSink;

class CTraceRecord {
public:
    // Lists the fields of the record in writing order.
    static void Describe(CQXTrace& trace, IRecordSink& sink);
    // Lists the fields of the kind's section (nothing for kinds without one).
    static void DescribeSection(CQXTrace& trace, IRecordSink& sink);
    // Writes (storing archive) or reads (loading archive) the record.
    static void Serialize(CQXTrace& trace, CArchive& ar);

    // Whether the host reads only to inspect (nothing of the application changes).
    static bool IsInspectionOnlyLoad();
    // Throws unless `count` items of `itemBytes` each can still be read.
    static void CheckCount(CArchive& ar, std::int64_t count, std::int64_t itemBytes, const char* what);
    // Reads a compute-list flag and record where another record holds one
    // (a limit line's), with the same rules as the trace record.
    static void ReadComputeListOf(CQXTrace& trace, CArchive& ar) { CTraceRecord(trace, ar).ReadComputeList(); }

private:
    CTraceRecord(CQXTrace& trace, CArchive& ar);

    void Read();
    void ReadHandle();
    void ReadUnits();
    void ReadYData();
    void ReadXPositions();
    void ReadCursorsAndMarks();
    void ReadScales();
    void ReadComputeList();
    void RenumberOldYUnits();
    void ReadInputDetails();
    void FinishRecord();
    void AfterRecord();

    CCursorMark* ReadCursor(CCursorMark* pExisting, int eType);
    std::int32_t I32();
    std::uint8_t U8();
    double F64();
    CString Str();
    void Skip(int iBytes);
    // From software version number/letter (CheckFileVersion >= 0).
    static bool From(int iNumber, int iLetter);
    // Up to and including number/letter.
    static bool UpTo(int iNumber, int iLetter);
    static bool Config(int iVersion);

    CQXTrace& m_t;
    CArchive& m_ar;
    bool m_bInspecting;
    bool m_bConfig;
    bool m_bReadMinXScale = false;
    bool m_bReadMaxXScale = false;
    int m_iMarksRead = 0;
};
