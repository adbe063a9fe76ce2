#include "qt/QtGraphOutput.h"

#include "qt/QtConvert.h"
#include "qt/QtGraphPrinter.h"
#include "resources/StringIds.h"
#include "trace/display/TraceMenu.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/ExportFormat.h"
#include "trace/output/GraphExport.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

ChannelNumber OutputChannel(const CGraphDoc& doc)
{
    return doc.DrawingAllOnSameView() ? CHANNEL_BOTH : CHANNEL_A;
}

// The picture an export would write, as a PNG of the export's size, in a
// dialog of its own; nothing is written where the user can see it.
void ShowExportPreview(CGraphDoc& doc, QWidget* pParent)
{
    QTemporaryDir dir;
    const CString sFile = FromQString(dir.filePath("preview.png"));
    CString sWritten;
    if (!dir.isValid() || !ExportGraph(doc, OutputChannel(doc), &sFile, SExportOptions(), &sWritten)) return;
    QDialog dialog(pParent);
    dialog.setWindowTitle("Export preview");
    auto* pLayout = new QVBoxLayout(&dialog);
    auto* pScroll = new QScrollArea(&dialog);
    auto* pPicture = new QLabel(pScroll);
    QPixmap picture(ToQString(sWritten));
    // The whole picture at once, made smaller to fit most of the window.
    if (pParent) {
        dialog.resize(pParent->window()->size() * 0.85);
        const QSize fit = dialog.size() - QSize(60, 90);
        if (picture.width() > fit.width() || picture.height() > fit.height())
            picture = picture.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    pPicture->setPixmap(picture);
    pScroll->setWidget(pPicture);
    pScroll->setAlignment(Qt::AlignCenter);
    pLayout->addWidget(pScroll);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(pButtons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    pLayout->addWidget(pButtons);
    dialog.exec();
}

} // namespace

bool PutPictureOnClipboard(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png)
{
    QClipboard* pClipboard = QGuiApplication::clipboard();
    if (!pClipboard || emf.empty()) return false;
    auto* pData = new QMimeData;
    pData->setData("image/x-emf", QByteArray(reinterpret_cast<const char*>(emf.data()), static_cast<int>(emf.size())));
    if (!png.empty()) {
        const QByteArray bytes(reinterpret_cast<const char*>(png.data()), static_cast<int>(png.size()));
        pData->setData("image/png", bytes);
        pData->setImageData(QImage::fromData(bytes, "PNG"));
    }
    pClipboard->setMimeData(pData);
    return true;
}

void AddGraphOutputCommands(QMenu& menu, CGraphDoc& doc, QWidget* pParent, OutputGate gate, const QPageLayout* pPageLayout)
{
    const auto SetUpPage = [pPageLayout](QPrinter& printer) {
        if (pPageLayout)
            printer.setPageLayout(*pPageLayout);
        else
            printer.setPageOrientation(QPageLayout::Landscape);
    };
    const auto Add = [&menu, pParent, gate](const char* pszText, UINT uId, int iLeaveMessage, auto fnRun) {
        QAction* pAction = menu.addAction(pszText);
        pAction->setData(uId);
        QObject::connect(pAction, &QAction::triggered, pParent, [gate, iLeaveMessage, fnRun]() {
            if (!gate || gate(iLeaveMessage)) fnRun();
        });
    };
    Add("&Export...", ID_GRAPH_EXPORT, IDS_LIMIT_EXIT_DRAWING_TO_EXPORT, [&doc, pParent]() {
        const CExportFormatManager formats = CExportFormatManager::FromInstalled();
        const QString sName = QFileDialog::getSaveFileName(pParent, "Export graph", "graph." + ToQString(doc.GetExportFileExt()),
                                                           ToQtFileFilter(formats.GetFilter()));
        if (sName.isEmpty()) return;
        const CString sPath = FromQString(sName);
        doc.SetExportFileName(sPath);
        ExportGraph(doc, OutputChannel(doc), &sPath, SExportOptions());
    });
    Add("Export pre&view...", ID_GRAPH_EXPORT_PREVIEW, IDS_LIMIT_EXIT_DRAWING_TO_EXPORT,
        [&doc, pParent]() { ShowExportPreview(doc, pParent); });
    // The installed host's clipboard takes the picture.
    Add("&Copy graph", ID_GRAPH_COPY, IDS_LIMIT_EXIT_DRAWING_TO_EXPORT,
        [&doc]() { ExportGraph(doc, OutputChannel(doc), nullptr, SExportOptions()); });
    Add("Print Pre&view...", ID_GRAPH_PRINT_PREVIEW, IDS_LIMIT_EXIT_DRAWING_TO_PRINT, [&doc, pParent, SetUpPage]() {
        QPrinter printer(QPrinter::HighResolution);
        SetUpPage(printer);
        QPrintPreviewDialog preview(&printer, pParent);
        // Qt's own size shows the page at half size; most of the window shows it readably.
        if (pParent) preview.resize(pParent->window()->size() * 0.85);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&doc](QPrinter* pPrinter) { PrintGraphOnPrinter(*pPrinter, doc, OutputChannel(doc)); });
        preview.exec();
    });
    Add("&Print...", ID_GRAPH_PRINT, IDS_LIMIT_EXIT_DRAWING_TO_PRINT, [&doc, pParent, SetUpPage]() {
        QPrinter printer(QPrinter::HighResolution);
        SetUpPage(printer);
        QPrintDialog dialog(&printer, pParent);
        if (dialog.exec() == QDialog::Accepted) PrintGraphOnPrinter(printer, doc, OutputChannel(doc));
    });
}
