#pragma once
// CTraceValuesFrame: the window around a trace values table, toolkit-free. It
// owns the table's view and carries out the window's commands: saving the
// table as a tab- or comma-separated file (the host's save dialog, the
// progress window, the library's message when the file cannot be written)
// and copying the selection.

#include "trace/output/TraceValuesExport.h"
#include "trace/output/TraceValuesView.h"

class CQXTrace;

class CTraceValuesFrame {
public:
    // The window's commands.
    static constexpr unsigned ID_VALUES_SAVE_TAB = 8032;
    static constexpr unsigned ID_VALUES_SAVE_COMMA = 8033;

    explicit CTraceValuesFrame(CQXTrace* pTrace) : m_view(pTrace) {}

    CTraceValuesView& GetView() { return m_view; }
    CString GetWindowTitle() const { return m_view.GetWindowTitle(); }

    // TAB for ID_VALUES_SAVE_TAB, ',' for ID_VALUES_SAVE_COMMA, else a space.
    static unsigned char SeparatorForCommand(unsigned uCommand);
    // Asks for a file and writes the table to it. False when the user
    // cancelled the dialog or the file could not be written (after the
    // message); a cancelled export keeps its partial file and returns true.
    bool OnSaveAsFile(unsigned uCommand);
    // Writes the table to a path chosen already, with the progress window;
    // shows the message when the file cannot be written.
    ETraceValuesExport SaveAs(const CString& sPath, unsigned char cSeparator);
    bool OnEditCopy() { return m_view.OnEditCopy(); }
    void OnEditSelectAll() { m_view.OnEditSelectAll(); }

private:
    CTraceValuesView m_view;
};
