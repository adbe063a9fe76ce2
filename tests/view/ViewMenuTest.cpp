// The right-button menus: states from the trace, the print-style items setting the style they name, commands not carried out
// here greyed, and the current-trace choice.

#include "ViewFixture.h"

#include "trace/display/TraceMenu.h"

namespace {

const SMenuItem* Find(const CMenuItems& aItems, const char* pszText)
{
    for (const SMenuItem& item : aItems) {
        if (item.sText.ToUtf8() == pszText) return &item;
        if (const SMenuItem* pFound = Find(item.aSubmenu, pszText)) return pFound;
    }
    return nullptr;
}

} // namespace

using ViewMenu = ViewFixture;

TEST_F(ViewMenu, ItemStatesFollowTheTraceAndPrintStylesSetTheStyleTheyName)
{
    CTestTrace* pTrace = AddLiveTrace();
    m_pDoc->SetCurrentTrace(CHANNEL_A, pTrace);
    // Nothing to revert yet, cursor off; the dialogs are not carried out here.
    const struct { const char* pszText; SCommandStatus status; } aStates[] = {
        {"Revert to last scale values", {false, false}}, {"Trace cursor on", {true, false}},
        {"Trace settings...", {false, false}},           {"Create/Edit Limit Line", {false, false}},
        {"Solid", {true, true}},                         {"Dotted", {true, false}},
        {"Print the graph", {false, false}},             {"Auto-zoom all Traces", {true, false}},
    };
    const CMenuItems aMenu = FillGraphContextMenu(m_view);
    for (const auto& s : aStates) {
        const SMenuItem* pItem = Find(aMenu, s.pszText);
        ASSERT_NE(pItem, nullptr) << s.pszText;
        EXPECT_EQ((SCommandStatus{pItem->bEnabled, pItem->bChecked}), s.status) << s.pszText;
    }

    // Each style item by name: Dotted is style 2 though second in the menu.
    const struct {
        const char* pszText;
        int iStyle;
    } aStyles[] = {{"Dotted", 2}, {"Dashed", 1}, {"Dash-dot", 3}, {"Dash-dot-dot", 4}, {"Solid", 0}};
    for (const auto& s : aStyles) {
        EXPECT_TRUE(ExecuteGraphCommand(m_view, Find(FillGraphContextMenu(m_view), s.pszText)->uCommand));
        EXPECT_EQ(pTrace->GetPrintStyle(), s.iStyle) << s.pszText;
        EXPECT_TRUE(Find(FillGraphContextMenu(m_view), s.pszText)->bChecked) << s.pszText;
    }
    EXPECT_FALSE(ExecuteGraphCommand(m_view, ID_TRACE_SETTINGS));
    EXPECT_TRUE(ExecuteGraphCommand(m_view, ID_TRACE_CURSOR));
    EXPECT_TRUE(pTrace->IsCursorOn());
    EXPECT_FALSE(ExecuteTraceCommand(ID_TRACE_CURSOR, nullptr));
}

TEST_F(ViewMenu, SetCurrentTraceListsInUseTracesAndChecksTheCurrentOne)
{
    CTestTrace* pFirst = AddLiveTrace();
    CTestTrace* pSecond = AddLiveTrace();
    CTestTrace* pUnused = AddLiveTrace();
    pUnused->SetInUse(0);
    m_pDoc->SetCurrentTrace(CHANNEL_A, pFirst);
    CMenuItems aChoices = FillGraphContextMenu(m_view)[0].aSubmenu;
    ASSERT_EQ(aChoices.size(), 2u);
    EXPECT_EQ(std::make_pair(aChoices[0].bChecked, aChoices[1].bChecked), std::make_pair(true, false));
    EXPECT_TRUE(ExecuteGraphCommand(m_view, aChoices[1].uCommand));
    EXPECT_EQ(m_pDoc->GetCurrentTrace(CHANNEL_A), pSecond);
    EXPECT_FALSE(ExecuteGraphCommand(m_view, ID_SET_CURRENT_TRACE_FIRST + 5));
}
