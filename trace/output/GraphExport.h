#pragma once
// Graph export: the picture of a channel (the graph view's paint with the
// title above and the print legend and comment below), its layout, and the
// export itself to a file of any offered format or to the clipboard. The
// enhanced metafile is written here; other formats go through the front
// end's picture encoder (ExportFormat.h), which draws the same picture on
// its own surface.

#include "platform/Geometry.h"
#include "platform/String.h"
#include "trace/core/TraceDefs.h"

#include <cstdint>
#include <vector>

class CDC;
class CGraphDoc;

// ---- Layout -------------------------------------------------------------------------------

struct SExportLayoutInput {
    CRect rcFrame;
    int iTitleHeight = 0;
    int iLegendHeight = 0;  // 0: no legend
    int iCommentHeight = 0; // 0: no comment
    int iGap = 0;           // between graph, legend and comment
    int iScaleFontHeight = 0;
    bool bScales = true;
};

struct SExportLayout {
    CRect rcTitle;
    CRect rcGraph; // the view's draw rectangle
    CRect rcLegend;
    CRect rcComment;
};

// The title across the top; comment at the bottom, the legend above it,
// each with its gap; the graph in what is left, 30 pixels (and a scale-font
// line when scales are drawn) below the title, 10 in from the sides and 15
// up from the bottom.
SExportLayout CalcExportLayout(const SExportLayoutInput& input);
// The graph's rectangle on a printed page: the same margins inside the page
// rectangle (what is left after the header, legend and comment).
CRect CalcPrintGraphRect(const CRect& rcPage, int iScaleFontHeight, bool bScales);
// An export picture is 80 % of the reference screen, truncated.
CSize DefaultExportSize(const CDC& reference);

// ---- The picture ---------------------------------------------------------------------------

// The title (bold) and the comment (lines split at '\n'), centred and left
// aligned; each returns its height, 0 when there is nothing to draw or the
// document's output settings leave it out.
int DrawGraphTitle(CGraphDoc& doc, CDC* pDC, const CRect& rect, bool bMeasureOnly);
int PrintComment(CGraphDoc& doc, CDC* pDC, const CRect& rect, bool bMeasureOnly);

// Draws the whole picture of the channel (CHANNEL_BOTH: both in one view)
// into the frame: background, graph, logo, legend, comment, title. The
// document's exporting or printing flags must be set (CExportScope) so
// that the view draws for the output.
void DrawGraphPicture(CGraphDoc& doc, ChannelNumber eChannel, CDC& dc, const CRect& rcFrame);

// Marks the document as exporting the channel while it lives: the view
// draws for the export and live data is held off. Every way out resets it.
class CExportScope {
public:
    CExportScope(CGraphDoc& doc, ChannelNumber eChannel);
    ~CExportScope();
    CExportScope(const CExportScope&) = delete;
    CExportScope& operator=(const CExportScope&) = delete;

private:
    CGraphDoc& m_doc;
};

// ---- Export ------------------------------------------------------------------------------------

struct SExportOptions {
    CSize size;                // pixels; 0 x 0 for DefaultExportSize
    bool bShowMessages = true; // the messages below in boxes
};

// The metafile of the picture, measured against `reference`.
std::vector<std::uint8_t> MakeGraphMetafile(CGraphDoc& doc, ChannelNumber eChannel, CSize size, CDC& reference);

// Exports the channel's picture to the file, or to the clipboard without
// one (the metafile, and a PNG when the front end can make one). A file
// whose extension no format lists gets the invalid-extension message and is
// written as a metafile of the same name with the extension "emf"; a
// relative name goes to the export folder. The file written goes to
// *psWritten. False, after the failure message, when it cannot be written.
bool ExportGraph(CGraphDoc& doc, ChannelNumber eChannel, const CString* psFileName, const SExportOptions& options,
                 CString* psWritten = nullptr);
