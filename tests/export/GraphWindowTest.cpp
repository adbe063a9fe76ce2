// The headless graph window: TW_Export, TW_CopyToClipboard and TW_Print
// called by name as a script calls them, answered through 0x8096 and 0x8097.

#include "apps/common/BuiltInDocument.h"
#include "host/app/HeadlessHost.h"
#include "platform/Dispatch.h"
#include "support/EmfFile.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/output/GraphPrint.h"
#include "trace/output/HeadlessGraphWindow.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class GraphWindow : public ::testing::Test {
protected:
    GraphWindow() { m_built.GetDoc().SetGraphTitle(CString(L"Distortion at 1 kHz")); }
    bool Call(const char* szName, std::vector<CVariant> args)
    {
        CVariant result;
        EXPECT_EQ(m_built.GetDoc().InvokeByName(szName, EInvokeKind::method, args, &result), EDispResult::ok);
        return result.AsBool();
    }
    CHeadlessHost& Host() { return m_built.GetHost(); }

    CBuiltInDocument m_built;
};

} // namespace

TEST_F(GraphWindow, ScriptsExportCopyAndPrintThroughTheWindow)
{
    CHeadlessGraphWindow window(Host(), m_built.GetDoc());
    const std::string sPath = (Host().GetRoot() + L"/scripted").ToUtf8();
    ASSERT_TRUE(Call("TW_Export", {CVariant::I2(CHANNEL_A), CVariant::BStr(CString(sPath))}));
    // No extension: the document's default, "emf".
    EXPECT_TRUE(std::filesystem::exists(sPath + ".emf"));
    EXPECT_EQ(m_built.GetDoc().GetOLEData().GetPrintExportStatus(CHANNEL_A), PRINTEXPORTSTATUS_NONE);

    ASSERT_TRUE(Call("TW_CopyToClipboard", {CVariant::I2(CHANNEL_B)}));
    EXPECT_EQ(EmfU32(Host().GetClipboardMetafile(), 40), 0x464D4520u);

    ASSERT_TRUE(Call("TW_Print", {CVariant::I2(CHANNEL_A)}));
    EXPECT_EQ(window.GetPagesPrinted(), 1);
    std::vector<EPrintService> aServices;
    for (const auto& call : Host().GetPrintCalls())
        if (call.eService != PRINT_START_METAFILE_GROUP && call.eService != PRINT_END_METAFILE_GROUP) aServices.push_back(call.eService);
    EXPECT_EQ(aServices, (std::vector<EPrintService>{PRINT_INITIALISE, PRINT_PAGE_HEADER, PRINT_PAGE_FOOTER}));
    EXPECT_EQ(m_built.GetDoc().IsPrinting(), 0);

    // A failing printer fails the script's call, which says so.
    window.SetPrinter([](CGraphDoc&, ChannelNumber) { return false; });
    EXPECT_FALSE(Call("TW_Print", {CVariant::I2(CHANNEL_A)}));
    EXPECT_EQ(m_built.GetDoc().GetOLEData().GetPrintExportStatus(CHANNEL_A), PRINTEXPORTSTATUS_NONE);
}

TEST_F(GraphWindow, WithoutTheWindowTheMembersFailAtOnce)
{
    { CHeadlessGraphWindow window(Host(), m_built.GetDoc()); }
    EXPECT_FALSE(Call("TW_Print", {CVariant::I2(CHANNEL_A)}));
    EXPECT_FALSE(Call("TW_CopyToClipboard", {CVariant::I2(CHANNEL_A)}));
    EXPECT_TRUE(Host().GetClipboardMetafile().empty());
}

TEST(PrintLayout, PictureInsideMarginsAndTheHostsBands)
{
    // A4 landscape at 600 dpi: 10 mm is 236 dots, 8 mm 189.
    EXPECT_EQ(CalcPrintPictureRect(CSize(7016, 4961), 600, 600), CRect(236, 425, 6780, 4536));
    EXPECT_EQ(CalcPrintPictureRect(CSize(1000, 800), 96, 96), CRect(38, 68, 962, 732));
}
