#pragma once
// CHeadlessGraphWindow: the graph window's side of the print, export and
// clipboard requests (0x8096, 0x8097) for a headless host: while it lives
// the host reports a graph window open and its handlers export, copy or
// print the requested channel and answer the waiting script with the
// status. The command-line tool, the tests and the Python module use it,
// and so does the trace window, whose Qt services take a copy to the
// system clipboard.

#include "trace/core/TraceDefs.h"

#include <functional>

class CGraphDoc;
class CHeadlessHost;

class CHeadlessGraphWindow {
public:
    // Prints a channel; true when the page was printed.
    using Printer = std::function<bool(CGraphDoc&, ChannelNumber)>;

    CHeadlessGraphWindow(CHeadlessHost& host, CGraphDoc& doc);
    ~CHeadlessGraphWindow();
    CHeadlessGraphWindow(const CHeadlessGraphWindow&) = delete;
    CHeadlessGraphWindow& operator=(const CHeadlessGraphWindow&) = delete;

    // Where prints go. The default prints on a recorded A4 landscape page
    // at 600 dpi: the page's header and footer calls reach the host, no
    // paper is used.
    void SetPrinter(Printer printer) { m_printer = std::move(printer); }
    int GetPagesPrinted() const { return m_iPagesPrinted; }
    // Asked before each print, export or copy with the message that asks
    // to leave a running mode for it (IDS_LIMIT_EXIT_DRAWING_TO_PRINT or
    // ..._TO_EXPORT); false stops it (answered as failed). A window binds it
    // to leaving limit-line drawing.
    using OutputGate = std::function<bool(int iMessageId)>;
    void SetOutputGate(OutputGate gate) { m_gate = std::move(gate); }

private:
    void OnPrint(ChannelNumber eChannel);
    void OnExport(ChannelNumber eChannel, const wchar_t* szFileName);
    void Answer(ChannelNumber eChannel, bool bOK);

    CHeadlessHost& m_host;
    CGraphDoc& m_doc;
    Printer m_printer;
    OutputGate m_gate;
    int m_iPagesPrinted = 0;
};
