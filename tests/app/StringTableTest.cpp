// The string table: unique ascending ids and symbols, unknown ids.

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
