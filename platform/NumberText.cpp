#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

void AppendInteger(std::wstring& sText, long long llValue)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, llValue);
    sText.append(buffer, result.ptr);
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
    // The largest double has 309 digits before the point.
    char buffer[640];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, dValue, std::chars_format::fixed,
                                      std::clamp(iDecimals, 0, 300));
    sText.append(buffer, result.ptr);
}
