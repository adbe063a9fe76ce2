#pragma once
// What the graph document keeps for scripts, and the wait of the print,
// export and clipboard members. The TW_ dispatch table itself is in
// GraphOLEData.cpp.

#include "platform/String.h"
#include "trace/core/TraceDefs.h"

#include <memory>
#include <string>

class CDispatchTable;
class CGraphDoc;
class CLimitTable;

enum EPrintExportStatus : int {
    PRINTEXPORTSTATUS_NONE = 0,
    PRINTEXPORTSTATUS_PENDING = 1,
    PRINTEXPORTSTATUS_OK = 2,
    PRINTEXPORTSTATUS_FAILED = 3,
};

// The error code of a limit table that could not be made.
constexpr int LIMIT_TABLE_ERROR_NOT_MADE = 19142;

// The members scripts reach: the document's TW_ members and constants
// (GraphOLEData.cpp) and the trace's TRACE_ members (TraceOLEData.cpp).
const CDispatchTable& GetGraphDocDispatchTable();
const CDispatchTable& GetTraceDispatchTable();
// The limit table's LMT_ members (trace/limits/LimitTableOLEData.cpp).
const CDispatchTable& GetLimitTableDispatchTable();
// Both as docs/automation.md lists them: per member its dispatch ID, kind,
// parameters, result, behaviour and failure text (AutomationMembers.cpp).
std::string DescribeAutomationMembers();

// Reports a member's failure: the string-table text (with sArgument for its
// %s) in a message box when the host's messages are on, and kept as the
// document's last failure either way.
void ReportOLEFailure(CGraphDoc& doc, int iStringId, const wchar_t* szArgument = nullptr);

class CGraphOLEData {
public:
    CGraphOLEData();
    ~CGraphOLEData();

    // ---- The limit table under construction ------------------------------
    // Deletes any table in progress and starts an empty one, keeping the file
    // name unless it is empty; false (error code 19142) when it cannot be made.
    bool InitLimitTable(const CString& sFileName);
    CLimitTable* GetLimitTable() const { return m_pLimitTable.get(); }
    const CString& GetLimitTableFileName() const { return m_sLimitTableFileName; }
    int GetLimitTableError() const { return m_iLimitTableError; }

    // ---- Print, export and clipboard ------------------------------------------
    // Posts the request for the channel (0x8096 print; 0x8097 with the file
    // name, or none for the clipboard) and runs the host's message loop until
    // the graph window answers with SetPrintExportStatus. Fails at once when
    // no graph window is open. True when the window answered OK.
    bool RequestOutput(unsigned uMessage, ChannelNumber eChannel, const CString* psFileName);
    // The graph window's answer to the request in progress.
    void SetPrintExportStatus(ChannelNumber eChannel, EPrintExportStatus eStatus);
    EPrintExportStatus GetPrintExportStatus(ChannelNumber eChannel) const;
    ChannelNumber GetRequestChannel() const { return m_eRequestChannel; }

    // ---- Impulse-window editing, as scripts see it ---------------------------------
    int GetEditImpulseWindow() const { return m_bEditImpulseWindow; }
    // A change posts 0x8098 (on) or 0x8099 (off) to the main window.
    void SetEditImpulseWindow(int bEdit);

    // The text of the last failure a member reported, kept whether or not it
    // was shown, for a script front end to raise; empty after a clear.
    const CString& GetLastFailure() const { return m_sLastFailure; }
    void SetLastFailure(const CString& sText) { m_sLastFailure = sText; }

private:
    CString m_sLastFailure;
    std::unique_ptr<CLimitTable> m_pLimitTable;
    CString m_sLimitTableFileName;
    int m_iLimitTableError = 0;
    EPrintExportStatus m_aeStatus[2] = {PRINTEXPORTSTATUS_NONE, PRINTEXPORTSTATUS_NONE};
    ChannelNumber m_eRequestChannel = CHANNEL_A;
    CString m_sRequestFileName; // kept alive while the window reads it
    int m_bEditImpulseWindow = 0;
};
