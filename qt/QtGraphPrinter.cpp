#include "qt/QtGraphPrinter.h"

#include "qt/QtConvert.h"
#include "qt/QtDC.h"
#include "trace/output/GraphPrint.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

bool PrintGraphOnPrinter(QPrinter& printer, CGraphDoc& doc, ChannelNumber eChannel)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    bool bOK = false;
    {
        CQtDC dc(&painter, &printer);
        dc.SetPrinting(true);
        bOK = PrintGraphPage(doc, eChannel, dc);
    }
    return painter.end() && bOK;
}

bool PrintGraphToPdf(const CString& sPath, CGraphDoc& doc, ChannelNumber eChannel, int dpi)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(ToQString(sPath));
    printer.setResolution(dpi);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    printer.setDocName(QStringLiteral("tracewin graph"));
    return PrintGraphOnPrinter(printer, doc, eChannel);
}
