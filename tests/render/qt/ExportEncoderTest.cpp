// The Qt picture encoder of graph export: the formats it offers and the
// pictures it writes at the size asked for.

#include "apps/common/BuiltInDocument.h"
#include "host/app/HeadlessHost.h"
#include "platform/DC.h"
#include "qt/QtPictureEncoder.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/ExportFormat.h"
#include "trace/output/GraphExport.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>

TEST(QtPictureEncoder, OffersTheWritersThenSvgAndPdfAndWritesAtTheSizeAsked)
{
    CQtPictureEncoder encoder;
    const CExportFormatManager formats = CExportFormatManager::FromInstalled();
    ASSERT_GE(formats.GetFormats().size(), 4u);
    EXPECT_EQ(formats.GetFormat(0).sFormatName, L"EMF");
    EXPECT_EQ(formats.GetFormats().back().sFormatName, L"PDF");
    for (const wchar_t* szExtension : {L"png", L"jpg", L"bmp", L"svg", L"pdf"})
        EXPECT_GT(formats.FindFormatForExtension(CString(szExtension)), 0) << CString(szExtension).ToUtf8();

    CBuiltInDocument built;
    ASSERT_TRUE(built.IsValid());
    SExportOptions options;
    options.size = CSize(320, 200);
    for (const char* szName : {"small.png", "small.jpg", "small.bmp"}) {
        const CString sPath = built.GetHost().GetRoot() + L"/" + CString(szName);
        ASSERT_TRUE(ExportGraph(built.GetDoc(), CHANNEL_A, &sPath, options)) << szName;
        EXPECT_EQ(QImage(QString::fromStdString(sPath.ToUtf8())).size(), QSize(320, 200)) << szName;
    }
    EXPECT_EQ(built.GetDoc().IsInExport(), 0);
    // The default: 80 % of the screen the encoder measures on.
    CDC* pReference = encoder.GetReferenceDC();
    ASSERT_TRUE(pReference);
    EXPECT_EQ(DefaultExportSize(*pReference).cx, pReference->GetDeviceCaps(HORZRES) * 8 / 10);
}
