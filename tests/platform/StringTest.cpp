// CString: wide formatting conventions, UTF-8 and UTF-16 conversion, editing; numbers appended as printf writes them.

#include "platform/NumberText.h"
#include "platform/String.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(CStringFormat, WideConventionForStringsAndLongOutput)
{
    CString s;
    s.Format(L"%s|%hs|%c|%d|%.2f", L"wide", "narrow", L'x', 42, 1.005);
    EXPECT_EQ(s, CString(L"wide|narrow|x|42|1.00"));
    s.Format(L"%I64d %5s %-3s|", static_cast<long long>(1) << 40, L"ab", L"c");
    EXPECT_EQ(s, CString(L"1099511627776    ab c  |"));
    s.Format(L"100%%");
    EXPECT_EQ(s, CString(L"100%"));
    // Long output grows the buffer.
    const std::wstring big(5000, L'q');
    s.Format(L"<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    s.AppendFormat(L"%d", 7);
    EXPECT_EQ(s.Right(2), CString(L">7"));
}

TEST(CStringUtf, RoundTripsThroughUtf8AndUtf16AndMalformedInputIsReplaced)
{
    const CString s(L"µs \u00e9 \u4e2d \U0001F600");
    EXPECT_EQ(CString::FromUtf8(s.ToUtf8()), s);
    EXPECT_EQ(CString::FromUtf16(s.ToUtf16()), s);
    EXPECT_EQ(s.ToUtf16().size(), static_cast<size_t>(s.GetLength() + 1)); // one surrogate pair
    EXPECT_EQ(CString("µs"), CString(L"µs"));
    // Malformed UTF-8 becomes replacement characters.
    EXPECT_EQ(CString::FromUtf8(std::string("a\xC3", 2)), CString(L"a\uFFFD"));
    EXPECT_EQ(CString::FromUtf8("\xFF" "b"), CString(L"\uFFFDb"));
    EXPECT_EQ(CString::FromUtf8("\xED\xA0\x80"), CString(L"\uFFFD\uFFFD\uFFFD")); // encoded surrogate
}

TEST(CStringEdit, SubstringsSearchAndReplace)
{
    CString s(L"  Scope A Trace  ");
    s.Trim();
    EXPECT_EQ(s, CString(L"Scope A Trace"));
    EXPECT_EQ(s.Left(5), CString(L"Scope"));
    EXPECT_EQ(s.Mid(6, 1), CString(L"A"));
    EXPECT_EQ(s.Mid(100), CString(L""));
    EXPECT_EQ(s.Right(99), s);
    EXPECT_EQ(std::make_tuple(s.Find(L"Trace"), s.Find(L'z')), std::make_tuple(8, -1));
    EXPECT_EQ(s.ReverseFind(L'e'), 12);
    EXPECT_EQ(s.Replace(L"e", L"ee"), 2);
    EXPECT_EQ(s, CString(L"Scopee A Tracee"));
    EXPECT_EQ(s.CompareNoCase(L"SCOPEE a TRACEE"), 0);
}

// Worked out from the exact binary values: ties round to even, a negative
// value keeps its sign when it rounds to zero, long fractions show the
// binary value's own digits, and 1e15 and beyond take the general path.
TEST(NumberText, FixedDigitsAsPrintfWritesThem)
{
    const std::tuple<double, int, bool, const wchar_t*> cases[] = {
        {2.5, 0, false, L"2"},
        {3.5, 0, false, L"4"},
        {0.125, 2, false, L"0.12"},
        {0.375, 2, false, L"0.38"},
        {-0.0, 2, false, L"-0.00"},
        {-1e-300, 3, false, L"-0.000"},
        {0.1, 17, false, L"0.10000000000000001"},
        {123.456, 14, false, L"123.45600000000000"},
        {999999999999999.9, 1, false, L"999999999999999.9"},
        {1e15, 2, false, L"1000000000000000.00"},
        {-100.0, 14, false, L"-100.00000000000000"},
        {6.02, 2, true, L"+6.02"},
    };
    for (const auto& [dValue, iDecimals, bPlus, szExpected] : cases) {
        std::wstring sText = L"|";
        AppendFixed(sText, dValue, iDecimals, bPlus);
        EXPECT_EQ(sText, std::wstring(L"|") + szExpected) << dValue << " with " << iDecimals;
    }
    std::wstring sText;
    AppendInteger(sText, -9223372036854775807LL - 1);
    EXPECT_EQ(sText, L"-9223372036854775808");
}
