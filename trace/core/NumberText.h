#pragma once
// Appending numbers to wide text the way printf's "%d" and "%.14f" write
// them, without a format string to parse: large tables format millions.

#include <string>

// "%d".
void AppendInteger(std::wstring& sText, long long llValue);
// "%.14f" (std::to_chars gives printf's digits, rounding included).
void AppendFixed14(std::wstring& sText, double dValue);
