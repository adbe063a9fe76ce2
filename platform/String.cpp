#include "platform/String.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr wchar_t kReplacement = 0xFFFD;

} // namespace

CString::CString(const char* utf8) : CString(FromUtf8(utf8 ? utf8 : "")) {}
CString::CString(const std::string& utf8) : CString(FromUtf8(utf8)) {}

int CString::Compare(const wchar_t* s) const
{
    return m_s.compare(s ? s : L"");
}

int CString::CompareNoCase(const wchar_t* s) const
{
    std::wstring a = m_s;
    std::wstring b = s ? s : L"";
    for (auto& c : a) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    for (auto& c : b) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return a.compare(b);
}

std::wstring TranslateWideFormat(const wchar_t* format)
{
    std::wstring out;
    if (!format) return out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') { out += L'%'; continue; }
        // flags, width, precision
        while (*p && std::wcschr(L"-+ #0123456789.*", *p)) out += *p++;
        if (!*p) break;
        if (*p == L'h' && (p[1] == L's' || p[1] == L'c')) { out += p[1]; ++p; continue; }
        if (*p == L'S') { out += L's'; continue; }
        if (*p == L's' || *p == L'c') { out += L'l'; out += *p; continue; }
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') { out += L"ll"; p += 2; continue; }
        if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') { p += 2; continue; }
        out += *p;
    }
    return out;
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    const std::wstring fmt = TranslateWideFormat(format);
    std::vector<wchar_t> buf(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int n = std::vswprintf(buf.data(), buf.size(), fmt.c_str(), copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buf.size()) {
            m_s.assign(buf.data(), static_cast<size_t>(n));
            return;
        }
        // vswprintf gives no length on overflow; grow until it fits, but stop
        // on formats that can never succeed (an unencodable narrow argument).
        if (buf.size() >= (1u << 24)) { m_s.clear(); return; }
        buf.resize(buf.size() * 4);
    }
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_s += tail.m_s;
}

CString CString::Left(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_s.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_s.substr(m_s.size() - static_cast<size_t>(count)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0 || start > GetLength()) return -1;
    const size_t pos = m_s.find(ch, static_cast<size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength()) return -1;
    const size_t pos = m_s.find(sub, static_cast<size_t>(start));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t pos = m_s.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    if (!oldText || !*oldText) return 0;
    const std::wstring from(oldText);
    const std::wstring to(newText ? newText : L"");
    int count = 0;
    for (size_t pos = m_s.find(from); pos != std::wstring::npos; pos = m_s.find(from, pos + to.size())) {
        m_s.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    const auto before = m_s.size();
    std::erase(m_s, ch);
    return static_cast<int>(before - m_s.size());
}

CString& CString::TrimLeft()
{
    const auto it = std::find_if(m_s.begin(), m_s.end(), [](wchar_t c) { return !std::iswspace(static_cast<wint_t>(c)); });
    m_s.erase(m_s.begin(), it);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_s.empty() && std::iswspace(static_cast<wint_t>(m_s.back()))) m_s.pop_back();
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::MakeUpper()
{
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (auto& c : m_s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

std::string CString::ToUtf8() const
{
    std::string out;
    out.reserve(m_s.size());
    for (wchar_t w : m_s) {
        auto c = static_cast<char32_t>(w);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
        AppendUtf8(out, c);
    }
    return out;
}

CString CString::FromUtf8(std::string_view s)
{
    std::wstring out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        int extra = b0 < 0x80 ? 0 : (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) { out += kReplacement; ++i; continue; }
        char32_t c = extra == 0 ? b0 : (b0 & (0x3F >> extra));
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((b & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (b & 0x3F);
        }
        if (!ok || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) { out += kReplacement; ++i; continue; }
        out += static_cast<wchar_t>(c);
        i += static_cast<size_t>(extra) + 1;
    }
    return CString(std::move(out));
}

std::u16string CString::ToUtf16() const
{
    std::u16string out;
    out.reserve(m_s.size());
    for (wchar_t w : m_s) {
        auto c = static_cast<char32_t>(w);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c > 0x10FFFF ? kReplacement : c);
        }
    }
    return out;
}

CString CString::FromUtf16(std::u16string_view s)
{
    std::wstring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else {
            // A lone surrogate is kept as the code unit; it round-trips through the archive.
            out += static_cast<wchar_t>(u);
        }
    }
    return CString(std::move(out));
}

std::string FormatNarrowV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string FormatNarrow(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string out = FormatNarrowV(format, args);
    va_end(args);
    return out;
}
