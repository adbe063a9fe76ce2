#pragma once
// The trace window's file commands: open a trace file (a loaded trace
// beside the others), save the trace of the command, open and save the
// graph document, and the recent files they leave behind. Choosers go
// through the host's file dialogs, failures to the host's message boxes,
// the recent files into its registry. A file that does not open or read
// whole changes nothing but the message shown.

#include "platform/String.h"
#include "trace/core/TraceDefs.h"
#include "trace/display/TraceMenu.h"

#include <string>
#include <vector>

class CGraphDoc;
class CGraphFrame;
class CQXTrace;

// The recent files, most recent first, kept in the registry under
// "Recent Files" as "File1" to "File8".
class CRecentFiles {
public:
    static constexpr int kMaxFiles = ID_FILE_RECENT_LAST - ID_FILE_RECENT_FIRST + 1;

    static std::vector<CString> Load();
    // The path goes first (once); the oldest beyond kMaxFiles drops off.
    static void Add(const CString& sPath);
    static void Remove(const CString& sPath);

private:
    static void Save(const std::vector<CString>& asPaths);
};

// Loads a trace file onto eChannel; a trace of the
// same colour already shown makes it take its next copy colour. Null with
// the reason in words when the file is not a readable trace file.
CQXTrace* LoadTraceBeside(CGraphDoc& doc, const CString& sPath, ChannelNumber eChannel, std::string& sReason);

// Opens a file as the kind asked for, or as its first word says: a graph
// document file replaces the document, a trace file is loaded on the
// channel its header names. Opened, it heads the recent files. False after
// a message naming the file and why; a missing file also leaves the list.
enum class EOpenAs { content, document, trace };
bool OpenWindowFile(CGraphFrame& frame, const CString& sPath, EOpenAs eAs = EOpenAs::content);

// A trace whose values can be saved or listed: a limit line in use (a
// table has points, not data), any other trace in use with data.
bool HasValues(CQXTrace* pTrace);

// Puts the file commands and ID_TRACE_SAVE in the frame's table.
void InstallFileCommands(CGraphFrame& frame);

// The window's File menu: open and save, the output commands, the script
// runner and the recent files, with the table's states.
CMenuItems FillFileMenu(const CGraphFrame& frame);
