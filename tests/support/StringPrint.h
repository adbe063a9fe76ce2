#pragma once
// Lets GoogleTest print wide strings and UTF-16LE files readably in failures.

#include "platform/String.h"
#include "support/Bytes.h"

#include <ostream>
#include <string>

inline void PrintTo(const CString& s, std::ostream* os) { *os << '"' << s.ToUtf8() << '"'; }

// The text of a UTF-16LE file (characters up to U+FFFF), as UTF-8, for failure messages.
inline std::string Utf16LEText(const Bytes& a)
{
    std::u16string s;
    for (size_t i = 0; i + 1 < a.size(); i += 2) s += static_cast<char16_t>(a[i] | (a[i + 1] << 8));
    return CString::FromUtf16(s).ToUtf8();
}
