// The string table: unique ascending ids and symbols, known texts, formatting, unknown ids.

#include "resources/StringTable.h"

#include "host/app/HeadlessHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

TEST(StringTable, IdsAndSymbolsAreUniqueAndAscending)
{
    const std::vector<int> ids = GetResStringIds();
    ASSERT_GT(ids.size(), 150u);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    std::set<std::string> symbols;
    for (int id : ids) {
        const std::string symbol = GetResSymbol(id);
        EXPECT_EQ(symbol.rfind("IDS_", 0), 0u) << id;
        EXPECT_TRUE(symbols.insert(symbol).second) << "repeated " << symbol;
        EXPECT_FALSE(LoadResString(id).IsEmpty()) << symbol;
    }
}

TEST(StringTable, KnownTextsAreExact)
{
    // Texts that are joined to others keep their edge spaces; ordinals follow their ids.
    const std::pair<int, const wchar_t*> cases[] = {
        {18031, L"Copy of "},
        {18243, L"Cannot load this Trace. This may be because the file is corrupted or is not a valid Quorix Trace file."},
        {18253, L"Digital Input frame rate "},
        {18267, L"CT Det  : %s : Ch B"},
        {18650, L" (%dk FFT)"},
        {18787, L"Quorix Automation:\n\nFailed to set the %s of the current Trace."},
        {18085, L"Sixth"},
        {18129, L"Twentieth"},
        {18617, L"Set all Traces to default zoom"},
        {18838, L"1/12 octave"},
    };
    for (const auto& [id, text] : cases) EXPECT_EQ(LoadResString(id), CString(text)) << id;
}

TEST(StringTable, FormatTextsFillWithWideArguments)
{
    CString text;
    text.Format(LoadResString(IDS_OLE_INVALID_CHANNEL), L"TW_Print");
    EXPECT_EQ(text, CString(L"The TW_Print method failed because the channel passed was invalid."));
    text.Format(LoadResString(IDS_OLE_EXPORT_FAILED), L"out.png");
    EXPECT_EQ(text.Left(74), CString(L"Quorix Automation:\n\nFailed to export the graph to the file \"out.png\". Plea"));
}

TEST(StringTable, UnknownIdGivesEmptyTextAndAnAssertion)
{
    CHeadlessHost host;
    EXPECT_FALSE(HasResString(12345));
    EXPECT_TRUE(LoadResString(12345).IsEmpty());
    EXPECT_STREQ(GetResSymbol(12345), "");
    EXPECT_STREQ(GetResSymbol(-1), "");
    ASSERT_EQ(host.GetLogLines().size(), 1u);
    EXPECT_EQ(host.GetLogLines()[0].rfind("FAILED ASSERT: <<entry != nullptr>>", 0), 0u);
}
