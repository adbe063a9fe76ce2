#pragma once
// CString: the framework's wide string, stored as std::wstring.
// Format follows the wide-printf convention of the original platform: in a
// wide format "%s" takes a wide string and "%hs" a narrow one, so format texts
// written for that platform are used as they stand.

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : m_s(s ? s : L"") {}
    CString(const wchar_t* s, int length) : m_s(s ? std::wstring(s, static_cast<size_t>(length)) : std::wstring()) {}
    CString(std::wstring s) : m_s(std::move(s)) {}
    CString(std::wstring_view s) : m_s(s) {}
    CString(wchar_t ch, int repeat = 1) : m_s(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
    // Narrow text is taken as UTF-8.
    explicit CString(const char* utf8);
    explicit CString(const std::string& utf8);

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    wchar_t GetAt(int i) const { return m_s.at(static_cast<size_t>(i)); }
    void SetAt(int i, wchar_t ch) { m_s.at(static_cast<size_t>(i)) = ch; }
    wchar_t operator[](int i) const { return GetAt(i); }

    operator const wchar_t*() const { return m_s.c_str(); }
    const wchar_t* GetString() const { return m_s.c_str(); }
    const std::wstring& str() const { return m_s; }
    std::wstring& str() { return m_s; }

    CString& operator=(const wchar_t* s) { m_s = s ? s : L""; return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const wchar_t* s) { if (s) m_s += s; return *this; }
    CString& operator+=(wchar_t ch) { m_s += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const wchar_t* b) { return CString(a.m_s + (b ? b : L"")); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString((a ? a : L"") + b.m_s); }
    friend CString operator+(const CString& a, wchar_t b) { return CString(a.m_s + b); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_s == (b ? b : L""); }
    friend auto operator<=>(const CString& a, const CString& b) { return a.m_s <=> b.m_s; }

    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;

    // Windows wide-printf conventions; see the class comment.
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormat(const wchar_t* format, ...);

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& MakeUpper();
    CString& MakeLower();

    std::string ToUtf8() const;
    static CString FromUtf8(std::string_view utf8);
    // UTF-16 code units (surrogate pairs for characters beyond the BMP).
    std::u16string ToUtf16() const;
    static CString FromUtf16(std::u16string_view utf16);

private:
    std::wstring m_s;
};

// Narrow printf into a std::string (log lines are narrow).
std::string FormatNarrow(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatNarrowV(const char* format, va_list args);

// Translates a Windows wide-printf format to the C library's wide printf:
// %s -> %ls, %hs -> %s, %c -> %lc, %hc -> %c, %S -> %s, %I64 -> %ll.
std::wstring TranslateWideFormat(const wchar_t* format);
