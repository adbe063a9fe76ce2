#include "trace/core/NumberText.h"

#include <charconv>
#include <cmath>

namespace {

void AppendNarrow(std::wstring& sText, const char* pBegin, const char* pEnd)
{
    sText.append(pBegin, pEnd);
}

} // namespace

void AppendInteger(std::wstring& sText, long long llValue)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, llValue);
    AppendNarrow(sText, buffer, result.ptr);
}

void AppendFixed14(std::wstring& sText, double dValue)
{
    // printf's words for what has no digits.
    if (std::isnan(dValue)) {
        sText += std::signbit(dValue) ? L"-nan" : L"nan";
        return;
    }
    if (std::isinf(dValue)) {
        sText += dValue < 0 ? L"-inf" : L"inf";
        return;
    }
    // The largest double has 309 digits before the point.
    char buffer[340];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, dValue, std::chars_format::fixed, 14);
    AppendNarrow(sText, buffer, result.ptr);
}
