#pragma once
// Appending numbers to wide text exactly as printf's "%d" and "%.Nf" (or
// "%+.Nf") write them, without a format string to parse: read-outs and
// tables format millions of values.

#include <string>

// "%lld".
void AppendInteger(std::wstring& sText, long long llValue);
// "%.*f" with iDecimals (0 to 300), "%+.*f" with bPlusSign; std::to_chars
// gives printf's digits, rounding included, and the words for infinities
// and NaN are printf's.
void AppendFixed(std::wstring& sText, double dValue, int iDecimals, bool bPlusSign = false);
