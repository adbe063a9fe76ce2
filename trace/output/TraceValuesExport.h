#pragma once
// Writing a trace values table to a text file: the header, then the rows in
// blocks of CTraceValuesView::kRowsPerBlock, as UTF-16LE code units with no
// byte-order mark and CR LF line ends. With a progress window the user may
// cancel between blocks; the file then keeps what was written.

#include "platform/String.h"

#include <string>
#include <string_view>

class CTraceValuesView;

enum class ETraceValuesExport : int {
    written = 0,
    cancelled = 1,  // the header and the blocks before the cancel are in the file
    cannotOpen = 2, // nothing was written
    writeFailed = 3,
};

constexpr unsigned char kTabSeparator = '\t';
constexpr unsigned char kCommaSeparator = ',';

// Appends text as UTF-16LE bytes (surrogate pairs beyond the BMP).
void AppendUtf16LE(std::string& sBytes, std::wstring_view sText);

// Writes the table with cSeparator between fields. bProgress shows the host's
// progress window ("Export Trace values"), one step per block. Reports
// nothing itself: the caller says why a file could not be written.
ETraceValuesExport WriteTraceValuesFile(CTraceValuesView& view, const CString& sPath, unsigned char cSeparator,
                                        bool bProgress);
