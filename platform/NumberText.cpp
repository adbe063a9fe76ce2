#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Widened in place: appending a char range to a wide string would build a
// temporary wide string (an allocation per number in long tables).
void AppendAscii(std::wstring& sText, const char* pFirst, const char* pLast)
{
    const size_t uStart = sText.size();
    sText.resize(uStart + static_cast<size_t>(pLast - pFirst));
    std::copy(pFirst, pLast, sText.begin() + static_cast<std::ptrdiff_t>(uStart));
}

// The decimal digits of q, at least iWidth of them (leading zeros).
char* WriteDigits(char* pEnd, unsigned long long q, int iWidth)
{
    char* p = pEnd;
    do {
        *--p = static_cast<char>('0' + q % 10);
        q /= 10;
    } while (q != 0);
    while (pEnd - p < iWidth) *--p = '0';
    return p;
}

constexpr int kMaxFastDecimals = 17;
constexpr double kMaxFastMagnitude = 1.0e15;

// "%.*f" of a finite value below 1e15 with at most 17 decimals, by integer
// arithmetic: the double is m x 2^e exactly, so value x 10^d is the 128-bit
// m x 10^d shifted by e, rounded half to even as printf rounds the exact
// binary value. Writes backwards from pEnd; returns the first character.
char* FixedDigits(char* pEnd, double dValue, int iDecimals)
{
    int iExponent = 0;
    const double dFraction = std::frexp(std::fabs(dValue), &iExponent);
    const auto m = static_cast<unsigned long long>(std::ldexp(dFraction, 53));
    const int e = iExponent - 53;
    unsigned long long uPow = 1;
    for (int i = 0; i < iDecimals; ++i) uPow *= 10;
    unsigned __int128 q = static_cast<unsigned __int128>(m) * uPow;
    if (e >= 0) {
        q <<= e; // below 1e15 x 10^17 < 2^107
    } else if (e < -127) {
        q = 0; // below 2^-74: no digit shows
    } else {
        const unsigned __int128 uRemainder = q & ((static_cast<unsigned __int128>(1) << -e) - 1);
        const unsigned __int128 uHalf = static_cast<unsigned __int128>(1) << (-e - 1);
        q >>= -e;
        if (uRemainder > uHalf || (uRemainder == uHalf && (q & 1))) ++q;
    }
    const auto uWhole = static_cast<unsigned long long>(q / uPow);
    const auto uDecimals = static_cast<unsigned long long>(q % uPow);
    char* p = pEnd;
    if (iDecimals > 0) {
        p = WriteDigits(p, uDecimals, iDecimals);
        *--p = '.';
    }
    p = WriteDigits(p, uWhole, 1);
    if (std::signbit(dValue)) *--p = '-';
    return p;
}

} // namespace

void AppendInteger(std::wstring& sText, long long llValue)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, llValue);
    AppendAscii(sText, buffer, result.ptr);
}

void AppendFixed(std::wstring& sText, double dValue, int iDecimals, bool bPlusSign)
{
    if (bPlusSign && !std::signbit(dValue)) sText += L'+';
    if (std::isnan(dValue)) {
        sText += std::signbit(dValue) ? L"-nan" : L"nan";
        return;
    }
    if (std::isinf(dValue)) {
        sText += dValue < 0 ? L"-inf" : L"inf";
        return;
    }
    if (iDecimals >= 0 && iDecimals <= kMaxFastDecimals && std::fabs(dValue) < kMaxFastMagnitude) {
        char buffer[48];
        char* pEnd = buffer + sizeof buffer;
        AppendAscii(sText, FixedDigits(pEnd, dValue, iDecimals), pEnd);
        return;
    }
    // The largest double has 309 digits before the point.
    char buffer[640];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, dValue, std::chars_format::fixed,
                                      std::clamp(iDecimals, 0, 300));
    AppendAscii(sText, buffer, result.ptr);
}
