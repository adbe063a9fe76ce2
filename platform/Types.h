#pragma once
// The framework's fixed-size integer names. LONG and DWORD are 32 bits as on
// the original platform (a C++ `long` is 64 bits here, so never use it for a
// 32-bit file field).

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using LONGLONG = long long;
using ULONGLONG = unsigned long long;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// number * numerator / denominator with a 64-bit intermediate, rounded half
// away from zero; -1 when the denominator is 0 or the result does not fit.
constexpr int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t p = product < 0 ? -product : product;
    const std::int64_t d = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    const std::int64_t q = (p + d / 2) / d;
    if (q > INT32_MAX) return -1;
    return static_cast<int>(negative ? -q : q);
}
