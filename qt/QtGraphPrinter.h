#pragma once
// Printing the graph on a QPrinter (a real printer, a PDF file, or the
// page of a print preview): one page through PrintGraphPage with a CQtDC
// that reports itself printing. The printer's settings are the caller's.

#include "platform/String.h"
#include "trace/core/TraceDefs.h"

class CGraphDoc;
class QPrinter;

// False when the printer cannot be painted on or the page is too small.
bool PrintGraphOnPrinter(QPrinter& printer, CGraphDoc& doc, ChannelNumber eChannel);
// A4 landscape PDF at `dpi` into the file.
bool PrintGraphToPdf(const CString& sPath, CGraphDoc& doc, ChannelNumber eChannel, int dpi = 300);
