#pragma once
// IRecordSink: where the fields of a trace record go, by name and width, in
// writing order. The archive sink writes them to a file; the JSON sink shows
// them (`tracewin info`). One list of fields serves both, so what is shown is
// what is written.

#include "platform/String.h"

#include <cstdint>
#include <string>

class CArchive;
class CCursorMark;
class CQXTrace;
class CTickArray;
class CXScale;
class CZoomHistory;

class IRecordSink {
public:
    virtual ~IRecordSink() = default;

    virtual void Int64(const char* name, std::int64_t value) = 0;
    virtual void Int32(const char* name, std::int32_t value) = 0;
    virtual void UInt16(const char* name, std::uint16_t value) = 0;
    virtual void Flag32(const char* name, int value) = 0;
    virtual void Flag8(const char* name, int value) = 0;
    virtual void Double(const char* name, double value) = 0;
    virtual void String(const char* name, const CString& value) = 0;
    virtual void Doubles(const char* name, const double* values, int count) = 0;
    virtual void Int32s(const char* name, const int* values, int count) = 0;
    // Nested records, written in place.
    virtual void CursorMark(const char* name, CCursorMark& mark) = 0;
    virtual void XScale(const char* name, CXScale& scale) = 0;
    virtual void Ticks(const char* name, CTickArray& ticks) = 0;
    virtual void ZoomHistory(const char* name, CZoomHistory& history) = 0;
    // A whole trace record inside another record (an entry of the graph
    // document): the trace's record with its kind's section, or for a limit
    // line the base record and then the limit-line record.
    virtual void TraceRecord(const char* name, CQXTrace& trace) = 0;
    // A list of nested records (the marks); nothing is written for it.
    virtual void BeginList(const char* name) = 0;
    virtual void EndList() = 0;
    // A nested record listed field by field (a compute list, a compute);
    // nothing is written for the brackets.
    virtual void BeginRecord(const char* /*name*/) {}
    virtual void EndRecord() {}
    // A reading aid that is not part of the record (a compute's description).
    virtual void Note(const char* /*name*/, const CString& /*text*/) {}
};

// Writes the fields to an archive.
class CArchiveSink : public IRecordSink {
public:
    explicit CArchiveSink(CArchive& ar) : m_ar(ar) {}

    void Int64(const char* name, std::int64_t value) override;
    void Int32(const char* name, std::int32_t value) override;
    void UInt16(const char* name, std::uint16_t value) override;
    void Flag32(const char* name, int value) override;
    void Flag8(const char* name, int value) override;
    void Double(const char* name, double value) override;
    void String(const char* name, const CString& value) override;
    void Doubles(const char* name, const double* values, int count) override;
    void Int32s(const char* name, const int* values, int count) override;
    void CursorMark(const char* name, CCursorMark& mark) override;
    void XScale(const char* name, CXScale& scale) override;
    void Ticks(const char* name, CTickArray& ticks) override;
    void ZoomHistory(const char* name, CZoomHistory& history) override;
    void TraceRecord(const char* name, CQXTrace& trace) override;
    void BeginList(const char*) override {}
    void EndList() override {}

private:
    CArchive& m_ar;
};

// Collects the fields as the members of one JSON object. Numbers that JSON
// cannot hold (infinities, NaN) are written as null.
class CJsonSink : public IRecordSink {
public:
    CJsonSink();

    void Int64(const char* name, std::int64_t value) override;
    void Int32(const char* name, std::int32_t value) override;
    void UInt16(const char* name, std::uint16_t value) override;
    void Flag32(const char* name, int value) override;
    void Flag8(const char* name, int value) override;
    void Double(const char* name, double value) override;
    void String(const char* name, const CString& value) override;
    void Doubles(const char* name, const double* values, int count) override;
    void Int32s(const char* name, const int* values, int count) override;
    void CursorMark(const char* name, CCursorMark& mark) override;
    void XScale(const char* name, CXScale& scale) override;
    void Ticks(const char* name, CTickArray& ticks) override;
    void ZoomHistory(const char* name, CZoomHistory& history) override;
    void TraceRecord(const char* name, CQXTrace& trace) override;
    void BeginList(const char* name) override;
    void EndList() override;
    void BeginRecord(const char* name) override { BeginObject(name); }
    void EndRecord() override { EndObject(); }
    void Note(const char* name, const CString& text) override { String(name, text); }

    // Opens a nested object under name (null inside a list).
    void BeginObject(const char* name);
    void EndObject();
    // The text so far, closed: a complete object.
    std::string GetText() const;

    static std::string Quote(const CString& text);
    static std::string Number(double value);

private:
    void Key(const char* name);

    std::string m_sText;
    // Per open object or list: whether it has a member yet.
    std::string m_sOpen; // '{' or '[' per level
    std::string m_sHasMember;
};
