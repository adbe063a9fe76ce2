#pragma once
// Printing the graph: one page per print, the page header and footer drawn
// by the host (CPrintDetails), the picture of the channel (the graph view
// drawn for the printer, title above, print legend and comment below, with
// the document's print settings) in what lies between.

#include "host/app/PrintDetails.h"
#include "platform/Geometry.h"
#include "trace/core/TraceDefs.h"

class CDC;
class CGraphDoc;

// Where the picture goes on a page of `page` pixels at `dpi` dots per inch:
// inside the margins, below the header band and above the footer band.
CRect CalcPrintPictureRect(CSize page, int dpiX, int dpiY);

// Marks the document as printing while it lives (the view draws for the
// printer with the print settings; the print font follows the device).
class CPrintScope {
public:
    explicit CPrintScope(CGraphDoc& doc);
    ~CPrintScope();
    CPrintScope(const CPrintScope&) = delete;
    CPrintScope& operator=(const CPrintScope&) = delete;

private:
    CGraphDoc& m_doc;
};

// Prints the channel (CHANNEL_BOTH: both in one view) on the page surface
// as page `iPage`; false for a page too small to hold a picture.
bool PrintGraphPage(CGraphDoc& doc, ChannelNumber eChannel, CDC& page, int iPage = 1);
