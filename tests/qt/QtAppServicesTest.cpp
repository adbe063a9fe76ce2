// The Qt application services: what automation's switch does to message
// boxes, posted messages on the event loop, the registry kept in its INI
// file, file filters in Qt's form, and a copied graph on the clipboard.
#include "host/app/HeadlessHost.h"
#include "qt/QtAppServices.h"
#include "qt/QtConvert.h"
#include "qt/QtPictureEncoder.h"
#include "support/HostDocFixture.h"
#include "trace/output/GraphExport.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>

TEST(QtAppServices, ScriptsGetDefaultAnswersAndPostsRunOnTheEventLoop)
{
    CHeadlessHost host;
    QTemporaryDir dir;
    CQtAppServices services(host, nullptr, dir.filePath("tracewin.ini"));
    ASSERT_EQ(GetAppServices(), &services);
    // With messages off a box is not shown: its default button answers, as the headless host's would.
    host.SetOLEShowMessages(false);
    EXPECT_EQ(AfxMessageBox(CString(L"Save?"), MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(AfxMessageBox(CString(L"Go on?"), MB_OKCANCEL), IDOK);
    ASSERT_EQ(host.GetMessageBoxes().size(), 2u);
    int iHandled = 0;
    host.SetMessageHandler(0x8123, [&](WPARAM w, LPARAM) { iHandled += static_cast<int>(w); });
    PostAppMessage(0x8123, 5, 0);
    EXPECT_EQ(iHandled, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(iHandled, 5);
}

TEST(QtAppServices, RegistryLivesInTheIniFileAndTheHeadlessHostComesBack)
{
    CHeadlessHost host;
    QTemporaryDir dir;
    const QString sIni = dir.filePath("sub/tracewin.ini");
    {
        CQtAppServices services(host, nullptr, sIni);
        GetAppServices()->GetRegistry()->SetDword(0, CString(L"Graph"), CString(L"Colour"), 0x00FF8000);
    }
    EXPECT_EQ(GetAppServices(), &host);
    CHeadlessHost next;
    CQtAppServices services(next, nullptr, sIni);
    std::uint32_t uColour = 0;
    ASSERT_TRUE(next.Registry().GetDword(0, CString(L"Graph"), CString(L"Colour"), uColour));
    EXPECT_EQ(uColour, 0x00FF8000u);
}

TEST(QtAppServices, FileFiltersInQtsForm)
{
    const struct {
        const wchar_t* szFilter;
        const char* szQt;
    } aCases[] = {
        {L"Text (*.txt)|*.txt||", "Text (*.txt)"},
        {L"Traces|*.trc;*.tr2|All files (*.*)|*.*||", "Traces (*.trc *.tr2);;All files (*.*)"},
        {L"", ""},
    };
    for (const auto& c : aCases) EXPECT_EQ(ToQtFileFilter(CString(c.szFilter)).toStdString(), c.szQt) << c.szQt;
}

using QtClipboardCopy = HostDocFixture;

TEST_F(QtClipboardCopy, CopyPutsTheMetafileAndThePngOnTheSystemClipboard)
{
    QTemporaryDir dir;
    CQtAppServices services(m_host, nullptr, dir.filePath("tracewin.ini"));
    const CQtPictureEncoder encoder;
    SExportOptions options;
    options.size = CSize(320, 200);
    ASSERT_TRUE(ExportGraph(*m_pDoc, CHANNEL_A, nullptr, options));
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(pData, nullptr);
    EXPECT_EQ(pData->data("image/x-emf").mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(pData->data("image/png").left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(320, 200));
}
