#include "trace/output/HeadlessGraphWindow.h"

#include "host/app/AppMessages.h"
#include "host/app/HeadlessHost.h"
#include "platform/RecordingDC.h"
#include "resources/StringIds.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/output/GraphExport.h"
#include "trace/output/GraphPrint.h"

namespace {

// A4 landscape at 600 dpi.
bool PrintOnRecordedPage(CGraphDoc& doc, ChannelNumber eChannel)
{
    CRecordingDC::SDeviceCaps caps;
    caps.m_iLogPixelsX = caps.m_iLogPixelsY = 600;
    caps.m_iHorzSize = 297;
    caps.m_iVertSize = 210;
    caps.m_iHorzRes = 7016;
    caps.m_iVertRes = 4961;
    caps.m_bPrinting = true;
    CRecordingDC page(caps);
    return PrintGraphPage(doc, eChannel, page);
}

ChannelNumber ChannelOf(WPARAM w)
{
    return w == CHANNEL_B ? CHANNEL_B : (w == CHANNEL_BOTH ? CHANNEL_BOTH : CHANNEL_A);
}

} // namespace

CHeadlessGraphWindow::CHeadlessGraphWindow(CHeadlessHost& host, CGraphDoc& doc)
    : m_host(host), m_doc(doc), m_printer(PrintOnRecordedPage)
{
    m_host.SetMessageHandler(APPMSG_PRINT_GRAPH, [this](WPARAM w, LPARAM) { OnPrint(ChannelOf(w)); });
    m_host.SetMessageHandler(APPMSG_EXPORT_GRAPH, [this](WPARAM w, LPARAM l) {
        OnExport(ChannelOf(w), reinterpret_cast<const wchar_t*>(l));
    });
    m_host.SetGraphWindowOpen(true);
}

CHeadlessGraphWindow::~CHeadlessGraphWindow()
{
    m_host.SetGraphWindowOpen(false);
    m_host.SetMessageHandler(APPMSG_PRINT_GRAPH, nullptr);
    m_host.SetMessageHandler(APPMSG_EXPORT_GRAPH, nullptr);
}

void CHeadlessGraphWindow::Answer(ChannelNumber eChannel, bool bOK)
{
    m_doc.GetOLEData().SetPrintExportStatus(eChannel == CHANNEL_BOTH ? CHANNEL_A : eChannel,
                                            bOK ? PRINTEXPORTSTATUS_OK : PRINTEXPORTSTATUS_FAILED);
}

void CHeadlessGraphWindow::OnPrint(ChannelNumber eChannel)
{
    const bool bOK = (!m_gate || m_gate(IDS_LIMIT_EXIT_DRAWING_TO_PRINT)) && m_printer && m_printer(m_doc, eChannel);
    m_iPagesPrinted += bOK ? 1 : 0;
    Answer(eChannel, bOK);
}

void CHeadlessGraphWindow::OnExport(ChannelNumber eChannel, const wchar_t* szFileName)
{
    if (m_gate && !m_gate(IDS_LIMIT_EXIT_DRAWING_TO_EXPORT)) return Answer(eChannel, false);
    SExportOptions options;
    options.bShowMessages = m_host.GetOLEShowMessages();
    const CString sFile = szFileName ? CString(szFileName) : CString();
    const bool bOK = ExportGraph(m_doc, eChannel, szFileName ? &sFile : nullptr, options);
    Answer(eChannel, bOK);
}
