// docs/automation.md lists the members as the dispatch tables hold them.

#include "trace/document/GraphOLEData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

TEST(AutomationDocs, MemberListMatchesTheTables)
{
    std::ifstream in(std::string(TRACEWIN_SOURCE_DIR) + "/docs/automation.md");
    std::stringstream page;
    page << in.rdbuf();
    const std::string sMembers = DescribeAutomationMembers();
    if (page.str().find(sMembers) == std::string::npos) {
        const std::filesystem::path out = std::filesystem::absolute("automation-members.md");
        std::ofstream(out) << sMembers;
        ADD_FAILURE() << "docs/automation.md does not hold the member list; the current one is in " << out;
    }
}
