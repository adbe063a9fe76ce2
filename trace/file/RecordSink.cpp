#include "trace/file/RecordSink.h"

#include "platform/Archive.h"
#include "trace/core/TickArray.h"
#include "trace/display/XScale.h"
#include "trace/model/CursorMark.h"
#include "trace/core/ZoomHistory.h"
#include "trace/file/TraceFileInfo.h"
#include "trace/file/TraceRecord.h"
#include "trace/limits/LimitLine.h"

#include <cmath>
#include <cstdio>
#include <string_view>

// ---- Archive ------------------------------------------------------------------------------

void CArchiveSink::Int64(const char*, std::int64_t value) { m_ar << value; }
void CArchiveSink::Int32(const char*, std::int32_t value) { m_ar << value; }
void CArchiveSink::UInt16(const char*, std::uint16_t value) { m_ar << value; }
void CArchiveSink::Flag32(const char*, int value) { m_ar << static_cast<std::int32_t>(value ? 1 : 0); }
void CArchiveSink::Flag8(const char*, int value) { m_ar << static_cast<std::uint8_t>(value ? 1 : 0); }
void CArchiveSink::Double(const char*, double value) { m_ar << value; }
void CArchiveSink::String(const char*, const CString& value) { m_ar << value; }

void CArchiveSink::Doubles(const char*, const double* values, int count)
{
    for (int i = 0; i < count; ++i) m_ar << values[i];
}

void CArchiveSink::Int32s(const char*, const int* values, int count)
{
    for (int i = 0; i < count; ++i) m_ar << static_cast<std::int32_t>(values[i]);
}

void CArchiveSink::CursorMark(const char*, CCursorMark& mark) { mark.Serialize(m_ar); }
void CArchiveSink::XScale(const char*, CXScale& scale) { scale.Serialize(m_ar); }
void CArchiveSink::Ticks(const char*, CTickArray& ticks) { ticks.Serialize(m_ar); }
void CArchiveSink::ZoomHistory(const char*, CZoomHistory& history) { history.Serialize(m_ar); }

void CArchiveSink::TraceRecord(const char*, CQXTrace& trace)
{
    if (auto* pLine = dynamic_cast<CLimitLine*>(&trace)) pLine->SerializeInConfig(m_ar);
    else trace.Serialize(m_ar);
}

// ---- JSON ---------------------------------------------------------------------------------

CJsonSink::CJsonSink()
{
    m_sText = "{";
    m_sOpen = "{";
    m_sHasMember = "0";
}

std::string CJsonSink::Quote(const CString& text)
{
    std::string out = "\"";
    for (wchar_t c : std::wstring_view(text.GetString(), static_cast<size_t>(text.GetLength()))) {
        const auto u = static_cast<std::uint32_t>(c);
        if (u == '"' || u == '\\') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u < 0x20 || u > 0x7E) {
            // Everything outside printable ASCII as \u escapes (surrogate pairs for the rest).
            auto escape = [&out](std::uint32_t unit) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(unit));
                out += buf;
            };
            if (u > 0xFFFF && u <= 0x10FFFF) {
                escape(0xD800 + ((u - 0x10000) >> 10));
                escape(0xDC00 + ((u - 0x10000) & 0x3FF));
            } else {
                escape(u > 0x10FFFF ? 0xFFFD : u);
            }
        } else {
            out += static_cast<char>(u);
        }
    }
    return out + "\"";
}

std::string CJsonSink::Number(double value)
{
    if (!std::isfinite(value)) return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

void CJsonSink::Key(const char* name)
{
    if (m_sHasMember.back() == '1') m_sText += ",";
    m_sHasMember.back() = '1';
    if (m_sOpen.back() == '{') m_sText += Quote(CString(name ? name : "")) + ":";
}

void CJsonSink::Int64(const char* name, std::int64_t value)
{
    Key(name);
    m_sText += std::to_string(value);
}
void CJsonSink::Int32(const char* name, std::int32_t value)
{
    Key(name);
    m_sText += std::to_string(value);
}
void CJsonSink::UInt16(const char* name, std::uint16_t value)
{
    Key(name);
    m_sText += std::to_string(value);
}
void CJsonSink::Flag32(const char* name, int value)
{
    Key(name);
    m_sText += value ? "true" : "false";
}
void CJsonSink::Flag8(const char* name, int value) { Flag32(name, value); }
void CJsonSink::Double(const char* name, double value)
{
    Key(name);
    m_sText += Number(value);
}
void CJsonSink::String(const char* name, const CString& value)
{
    Key(name);
    m_sText += Quote(value);
}

void CJsonSink::Doubles(const char* name, const double* values, int count)
{
    BeginList(name);
    for (int i = 0; i < count; ++i) Double(nullptr, values[i]);
    EndList();
}

void CJsonSink::Int32s(const char* name, const int* values, int count)
{
    BeginList(name);
    for (int i = 0; i < count; ++i) Int32(nullptr, values[i]);
    EndList();
}

void CJsonSink::BeginObject(const char* name)
{
    Key(name);
    m_sText += "{";
    m_sOpen += '{';
    m_sHasMember += '0';
}

void CJsonSink::EndObject()
{
    m_sText += "}";
    m_sOpen.pop_back();
    m_sHasMember.pop_back();
}

void CJsonSink::BeginList(const char* name)
{
    Key(name);
    m_sText += "[";
    m_sOpen += '[';
    m_sHasMember += '0';
}

void CJsonSink::EndList()
{
    m_sText += "]";
    m_sOpen.pop_back();
    m_sHasMember.pop_back();
}

void CJsonSink::CursorMark(const char* name, CCursorMark& mark)
{
    BeginObject(name);
    Int32("m_iPosition", mark.GetPosition(1));
    Int32("m_iDisplayState", mark.GetDisplayState());
    String("m_sLabel", mark.GetLabel());
    EndObject();
}

void CJsonSink::Ticks(const char* name, CTickArray& ticks)
{
    BeginObject(name);
    Int32("m_iNumTicks", ticks.GetNumTicks());
    BeginList("entries");
    for (int i = 0; i < ticks.GetNumTicks(); ++i) {
        BeginObject(nullptr);
        Double("position", ticks.GetAt(i));
        Flag32("label", ticks.GetLabel(i));
        EndObject();
    }
    EndList();
    EndObject();
}

void CJsonSink::XScale(const char* name, CXScale& scale)
{
    BeginObject(name);
    Int32("m_eScaleType", scale.GetScaleType());
    Int32("m_eChannel", scale.GetChannel());
    Double("m_dCurrentMinXScaleValue", scale.GetCurrentMinXScaleValue());
    Double("m_dCurrentMaxXScaleValue", scale.GetCurrentMaxXScaleValue());
    Int32("m_crColor", static_cast<std::int32_t>(scale.GetScaleColor()));
    Int32("m_iUnit", scale.GetXUnit());
    String("m_sUnitFormat", scale.GetUnitFormat());
    Flag32("m_bLog", scale.GetLog());
    Int32("m_iFirstLabelWidth", scale.GetFirstLabelWidth());
    Int32("m_iLastLabelWidth", scale.GetLastLabelWidth());
    Flag32("m_bAutoIntervals", scale.GetAutoIntervals());
    Ticks("m_aiTicks", scale.GetTicks());
    EndObject();
}

void CJsonSink::ZoomHistory(const char* name, CZoomHistory& history)
{
    BeginList(name);
    for (int i = 0; i < history.GetCount(); ++i) {
        CZoomDetails details;
        if (!history.GetZoomDetailsAt(i, details)) continue;
        BeginObject(nullptr);
        Int32("iMinXPos", details.iMinXPos);
        Int32("iMaxXPos", details.iMaxXPos);
        Double("dMinYData", details.dMinYData);
        Double("dMaxYData", details.dMaxYData);
        EndObject();
    }
    EndList();
}

void CJsonSink::TraceRecord(const char* name, CQXTrace& trace)
{
    BeginObject(name);
    CTraceRecord::Describe(trace, *this);
    if (auto* pLine = dynamic_cast<CLimitLine*>(&trace)) {
        DescribeLimitLineBody(*pLine, *this);
    } else {
        BeginObject("section");
        CTraceRecord::DescribeSection(trace, *this);
        EndObject();
    }
    EndObject();
}

std::string CJsonSink::GetText() const
{
    std::string out = m_sText;
    for (auto it = m_sOpen.rbegin(); it != m_sOpen.rend(); ++it) out += (*it == '{') ? "}" : "]";
    return out;
}
