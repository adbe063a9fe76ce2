// The headless graph window: TW_Export, TW_CopyToClipboard and TW_Print
// called by name as a script calls them, answered through 0x8096 and 0x8097.

#include "apps/common/BuiltInDocument.h"
#include "host/app/HeadlessHost.h"
#include "platform/Dispatch.h"
#include "platform/RecordingDC.h"
#include "support/EmfFile.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/output/GraphPrint.h"
#include "trace/output/HeadlessGraphWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST_F(GraphWindow, PagePrintsTheHeaderAndFooterInTheirBands)
{
    CRecordingDC page(CRecordingDC::SDeviceCaps{.m_iHorzRes = 1000, .m_iVertRes = 800, .m_bPrinting = true});
    ASSERT_TRUE(PrintGraphPage(m_built.GetDoc(), CHANNEL_A, page, 3));
    // At 96 dpi the header band is y 38..68 (text at the left, above its rule
    // at 58), the footer band 732..762 ("Page 3" centred, below its rule at 742).
    const auto aText = page.GetRecords(CRecordingDC::EKind::Text);
    const auto At = [&](const wchar_t* sz) {
        const auto it = std::find_if(aText.begin(), aText.end(), [&](const auto& r) { return r.m_sText == sz; });
        return it == aText.end() ? CPoint(-1, -1) : it->m_aPoints[0];
    };
    EXPECT_EQ(At(L"tracewin graph: Distortion at 1 kHz"), CPoint(38, 56));
    EXPECT_EQ(At(L"Page 3"), CPoint(500, 744));
    const auto aLines = page.GetRecords(CRecordingDC::EKind::Line);
    EXPECT_TRUE(std::any_of(aLines.begin(), aLines.end(), [](const auto& r) { return r.m_aPoints[0] == CPoint(38, 58) && r.m_aPoints[1] == CPoint(962, 58); }));
}
