// Graph export in the core: the format list, the layout around the graph,
// and exports to files and the clipboard, read back where a reader exists.

#include "apps/common/BuiltInDocument.h"
#include "apps/common/LiveSource.h"
#include "host/app/HeadlessHost.h"
#include "platform/RecordingDC.h"
#include "resources/StringTable.h"
#include "support/EmfFile.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"
#include "trace/output/ExportFormat.h"
#include "trace/output/GraphExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& sPath)
{
    std::ifstream in(sPath, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Stands in for the front end: offers PNG, draws each picture on a
// recording surface, and writes the file only when told to succeed.
class CStandInEncoder : public IPictureEncoder {
public:
    CStandInEncoder() { InstallPictureEncoder(this); }
    ~CStandInEncoder() override { InstallPictureEncoder(nullptr); }
    std::vector<SPictureEncoder> GetEncoders() const override
    {
        return {{CString(L"image/png"), CString(L"PNG"), CString(L"*.PNG"), EExportKind::Raster}};
    }
    bool Encode(const SExportFormat&, const CString&, CSize, const std::function<bool(CDC&)>& paint) override
    {
        CRecordingDC dc;
        paint(dc);
        m_iPainted = static_cast<int>(dc.GetRecords().size());
        return m_bSucceed;
    }
    std::vector<unsigned char> EncodePng(CSize, const std::function<bool(CDC&)>&) override { return {0x89, 'P', 'N', 'G'}; }
    CDC* GetReferenceDC() override { return &m_reference; }

    bool m_bSucceed = true;
    int m_iPainted = 0;
    CRecordingDC m_reference;
};

class GraphExport : public ::testing::Test {
protected:
    GraphExport()
    {
        m_built.GetDoc().SetGraphTitle(CString(L"Distortion at 1 kHz"));
        m_built.GetDoc().SetGraphComment(CString(L"Bench 3\nDUT 17"));
    }
    CString Path(const char* szName) { return m_built.GetHost().GetRoot() + L"/" + CString(szName); }
    const std::vector<CHeadlessHost::SMessageBox>& Boxes() { return m_built.GetHost().GetMessageBoxes(); }

    CBuiltInDocument m_built;
};

} // namespace

TEST(ExportFormats, MetafileFirstThenTheEncodersWithTheirNamesAndExtensions)
{
    const CExportFormatManager formats({{CString(L"image/bmp"), CString(L"BMP"), CString(L"*.bmp;*.dib"), EExportKind::Raster},
                                        {CString(L"image/jpeg"), CString(L"JPEG"), CString(L"*.JPG;*.JPEG"), EExportKind::Raster}});
    ASSERT_EQ(formats.GetFormats().size(), 3u);
    EXPECT_EQ(formats.GetFormat(0).sFileTypeName, L"Windows Enhanced Metafile");
    EXPECT_EQ(formats.GetFormat(1).sFileTypeName, L"Bitmap file");
    EXPECT_EQ(formats.GetFormat(2).sFileTypeName, L"JPEG file");
    EXPECT_EQ(formats.GetFormat(2).sExtensions, L"*.jpg;*.jpeg");
    EXPECT_EQ(DefaultExtensionOf(formats.GetFormat(2)), L"jpg");
    const struct {
        const wchar_t* szExtension;
        int iFormat;
    } lookups[] = {{L"emf", 0}, {L"WMF", 0}, {L"dib", 1}, {L"jpeg", 2}, {L"jp", -1}, {L"xyz", -1}, {L"", -1}};
    for (const auto& l : lookups) EXPECT_EQ(formats.FindFormatForExtension(CString(l.szExtension)), l.iFormat) << CString(l.szExtension).ToUtf8();
    EXPECT_EQ(formats.GetFilter(), L"Windows Enhanced Metafiles (*.emf;*.wmf)|*.emf;*.wmf|"
                                   L"Bitmap files (*.bmp;*.dib)|*.bmp;*.dib|JPEG files (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
                                   L"All files (*.*)|*.*||");

    const struct {
        const wchar_t* szPath;
        const wchar_t* szExtension;
        const wchar_t* szAsEmf;
    } names[] = {{L"a/graph.PNG", L"PNG", L"a/graph.emf"}, {L"graph", L"", L"graph.emf"}, {L"v1.2/graph", L"", L"v1.2/graph.emf"}};
    for (const auto& n : names) {
        EXPECT_EQ(FileExtensionOf(CString(n.szPath)), n.szExtension);
        EXPECT_EQ(WithFileExtension(CString(n.szPath), CString(L"emf")), n.szAsEmf);
    }
}

TEST(ExportLayout, TitleAboveLegendAndCommentBelowTheGraph)
{
    // An 800 x 600 frame, title 30, legend 60, comment 20, gaps 2, scale font 16:
    // the comment is 578 .. 598 from the bottom, the legend 516 .. 576 above
    // its gap, and the graph runs from 30 + 30 + 16 down to 514 - 15.
    SExportLayoutInput in;
    in.rcFrame = CRect(0, 0, 800, 598);
    in.iTitleHeight = 30;
    in.iLegendHeight = 60;
    in.iCommentHeight = 20;
    in.iGap = 2;
    in.iScaleFontHeight = 16;
    const SExportLayout layout = CalcExportLayout(in);
    EXPECT_EQ(layout.rcTitle, CRect(0, 0, 800, 30));
    EXPECT_EQ(layout.rcComment, CRect(10, 578, 790, 598));
    EXPECT_EQ(layout.rcLegend, CRect(10, 516, 790, 576));
    EXPECT_EQ(layout.rcGraph, CRect(10, 76, 790, 499));
    in.bScales = false;
    in.iLegendHeight = in.iCommentHeight = 0;
    EXPECT_EQ(CalcExportLayout(in).rcGraph, CRect(10, 60, 790, 583));
    EXPECT_EQ(DefaultExportSize(CRecordingDC()), CSize(819, 614));
}

TEST_F(GraphExport, AnUnknownExtensionIsToldAndWrittenAsAMetafileTheReaderDraws)
{
    CString sWritten;
    const CString sAsked = Path("graph.xyz");
    ASSERT_TRUE(ExportGraph(m_built.GetDoc(), CHANNEL_A, &sAsked, SExportOptions(), &sWritten));
    EXPECT_EQ(sWritten, Path("graph.emf"));
    ASSERT_EQ(Boxes().size(), 1u);
    CString sExpected;
    sExpected.Format(LoadResString(IDS_EXPORT_EXTENSION_INVALID).GetString(), L"xyz");
    EXPECT_EQ(Boxes()[0].sText, sExpected);

    const std::vector<std::uint8_t> bytes = ReadFile(sWritten.ToUtf8());
    EXPECT_EQ(EmfU32(bytes, 40), 0x464D4520u);
    EXPECT_EQ(EmfI32(bytes, 32), (819 + 1) * 271 * 100 / 1024) << "80 % of the reference screen";
    if (!EmfToSvgAvailable()) GTEST_SKIP() << kNoEmfReader;
    std::string svg;
    ASSERT_TRUE(EmfToSvg(bytes, svg));
    for (const char* szText : {"Distortion at 1 kHz", "Bench 3", "DUT 17", "Comment/label", "Ch A Live FFT Trace", "Ch A Live Scope Trace"})
        EXPECT_NE(svg.find(szText), std::string::npos) << szText;
    EXPECT_EQ(svg.find("Ch B Live"), std::string::npos) << "channel A alone";
}

TEST_F(GraphExport, WmfIsWrittenAsAMetafileAndTheOutputSettingsLeaveOutTitleAndLegend)
{
    m_built.GetDoc().GetExportSettings().bDrawTitle = 0;
    m_built.GetDoc().GetExportSettings().bDrawLegend = 0;
    const CString sAsked = Path("graph.wmf");
    SExportOptions options;
    options.size = CSize(640, 400);
    CString sWritten;
    ASSERT_TRUE(ExportGraph(m_built.GetDoc(), CHANNEL_BOTH, &sAsked, options, &sWritten));
    EXPECT_EQ(sWritten, sAsked);
    EXPECT_TRUE(Boxes().empty());
    const std::vector<std::uint8_t> bytes = ReadFile(sWritten.ToUtf8());
    EXPECT_EQ(EmfU32(bytes, 40), 0x464D4520u);
    EXPECT_EQ(EmfI32(bytes, 32), 641 * 271 * 100 / 1024);
    if (!EmfToSvgAvailable()) GTEST_SKIP() << kNoEmfReader;
    std::string svg;
    ASSERT_TRUE(EmfToSvg(bytes, svg));
    EXPECT_EQ(svg.find("Distortion"), std::string::npos);
    EXPECT_EQ(svg.find("Comment/label"), std::string::npos);
    EXPECT_NE(svg.find("DUT 17"), std::string::npos);
}

TEST_F(GraphExport, AFailedWriteIsToldAndLiveDataFlowsAgain)
{
    CStandInEncoder encoder;
    encoder.m_bSucceed = false;
    CGraphDoc& doc = m_built.GetDoc();
    const CString sAsked = Path("graph.png");
    EXPECT_FALSE(ExportGraph(doc, CHANNEL_A, &sAsked, SExportOptions()));
    EXPECT_GT(encoder.m_iPainted, 100) << "the picture was drawn before the write failed";
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].sText, LoadResString(IDS_EXPORT_FAILED));
    EXPECT_EQ(doc.IsInExport(), 0);
    EXPECT_EQ(doc.IsExporting(), 0);

    CQXTrace* pFFT = m_built.GetLiveTrace(CHANNEL_A, TT_FFT);
    const double dBefore = pFFT->GetYDataAtXPos(100, 0);
    CLiveSource live(m_built.GetHost(), doc);
    ASSERT_TRUE(live.RunBlocks(1));
    EXPECT_NE(pFFT->GetYDataAtXPos(100, 0), dBefore);

    // A directory that does not exist fails the metafile the same way.
    const CString sNowhere = Path("no/such/folder/graph.emf");
    EXPECT_FALSE(ExportGraph(doc, CHANNEL_A, &sNowhere, SExportOptions()));
    EXPECT_EQ(Boxes().back().sText, LoadResString(IDS_EXPORT_FAILED));
    EXPECT_EQ(doc.IsInExport(), 0);
}

TEST_F(GraphExport, TheClipboardTakesTheMetafileAndThePngOrTellsWhenItCannot)
{
    CStandInEncoder encoder;
    CHeadlessHost& host = m_built.GetHost();
    ASSERT_TRUE(ExportGraph(m_built.GetDoc(), CHANNEL_A, nullptr, SExportOptions()));
    EXPECT_EQ(EmfU32(host.GetClipboardMetafile(), 40), 0x464D4520u);
    EXPECT_EQ(host.GetClipboardPng(), (std::vector<unsigned char>{0x89, 'P', 'N', 'G'}));
    host.SetClipboardAvailable(false);
    EXPECT_FALSE(ExportGraph(m_built.GetDoc(), CHANNEL_A, nullptr, SExportOptions()));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].sText, LoadResString(IDS_EXPORT_CLIPBOARD_FAILED));
}
