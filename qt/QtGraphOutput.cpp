#include "qt/QtGraphOutput.h"

#include "qt/QtConvert.h"
#include "qt/QtGraphPrinter.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/ExportFormat.h"
#include "trace/output/GraphExport.h"

#include <QClipboard>
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

void AddGraphOutputCommands(QMenu& menu, CGraphDoc& doc, QWidget* pParent, std::function<bool()> gate,
                            const QPageLayout* pPageLayout)
{
    const auto SetUpPage = [pPageLayout](QPrinter& printer) {
        if (pPageLayout)
            printer.setPageLayout(*pPageLayout);
        else
            printer.setPageOrientation(QPageLayout::Landscape);
    };
    const auto Allowed = [gate]() { return !gate || gate(); };
    QObject::connect(menu.addAction("&Export..."), &QAction::triggered, pParent, [&doc, pParent, Allowed]() {
        if (!Allowed()) return;
        const CExportFormatManager formats = CExportFormatManager::FromInstalled();
        const QString sName = QFileDialog::getSaveFileName(pParent, "Export graph", "graph." + ToQString(doc.GetExportFileExt()),
                                                           ToQtFileFilter(formats.GetFilter()));
        if (sName.isEmpty()) return;
        const CString sPath = FromQString(sName);
        doc.SetExportFileName(sPath);
        ExportGraph(doc, OutputChannel(doc), &sPath, SExportOptions());
    });
    QObject::connect(menu.addAction("&Copy graph"), &QAction::triggered, pParent, [&doc, Allowed]() {
        // The installed host's clipboard takes the picture.
        if (Allowed()) ExportGraph(doc, OutputChannel(doc), nullptr, SExportOptions());
    });
    QObject::connect(menu.addAction("Print Pre&view..."), &QAction::triggered, pParent, [&doc, pParent, Allowed, SetUpPage]() {
        if (!Allowed()) return;
        QPrinter printer(QPrinter::HighResolution);
        SetUpPage(printer);
        QPrintPreviewDialog preview(&printer, pParent);
        // Qt's own size shows the page at half size; most of the window shows it readably.
        if (pParent) preview.resize(pParent->window()->size() * 0.85);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&doc](QPrinter* pPrinter) { PrintGraphOnPrinter(*pPrinter, doc, OutputChannel(doc)); });
        preview.exec();
    });
    QObject::connect(menu.addAction("&Print..."), &QAction::triggered, pParent, [&doc, pParent, Allowed, SetUpPage]() {
        if (!Allowed()) return;
        QPrinter printer(QPrinter::HighResolution);
        SetUpPage(printer);
        QPrintDialog dialog(&printer, pParent);
        if (dialog.exec() == QDialog::Accepted) PrintGraphOnPrinter(printer, doc, OutputChannel(doc));
    });
}
