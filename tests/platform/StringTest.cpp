// CString: wide formatting conventions, UTF-8 and UTF-16 conversion, editing.

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
