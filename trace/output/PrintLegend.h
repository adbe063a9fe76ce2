#pragma once
// The print legend: the table under an exported or printed graph, one
// header row and one row per trace in use and on of the channels drawn, each
// followed by its upper and lower limit lines and, when its marks are on and
// printed, one row per mark. Every column is as wide as its widest entry;
// the last reaches the right edge. Text in "Lucida Sans Unicode".
//
// Columns by index: 0, 2 and 7 are spacers, 1 "Line" (a stretch of the
// trace's line in its print colour and style), 3 "Name", 4 "Points",
// 5 "Log X", 6 "Log Y", 8 a swatch of the cursor or mark colour, 9 "Int"
// (interpolated), 10 "Cursor X", 11 "Cursor Y", 12 "Comment/label".

#include "platform/Geometry.h"
#include "platform/String.h"
#include "trace/core/TraceDefs.h"

#include <vector>

class CDC;
class CGraphDoc;
class CQXTrace;

constexpr int kPrintLegendColumns = 13;

// The header text of a column; empty for the graphic columns and out of range.
CString GetLegendColumnHeaderText(int iColumn);

class CPrintLegend {
public:
    // The rows of the channels drawn (both for CHANNEL_BOTH), in document order.
    CPrintLegend(CGraphDoc& doc, ChannelNumber eChannel);

    // Draws the table from the top of `rect`, or only measures with
    // bMeasureOnly; returns its height (0 without traces).
    int Print(CDC* pDC, const CRect& rect, bool bMeasureOnly);
    // The width of a column on this DC: its widest entry plus a gap.
    int GetPrintLegendColumnWidth(CDC* pDC, int iColumn);
    int GetRowCount() const { return static_cast<int>(m_aRows.size()); }
    // The text a row shows in a column (empty for graphic columns).
    const CString& GetEntry(int iRow, int iColumn) const { return m_aRows[iRow].asText[iColumn]; }

private:
    struct SRow {
        CQXTrace* pTrace = nullptr;
        int iMark = -1; // a mark row: the mark's index
        bool bHeader = false;
        CString asText[kPrintLegendColumns];
    };

    void AddTrace(CQXTrace* pTrace);
    SRow TraceRow(CQXTrace* pTrace) const;
    SRow MarkRow(CQXTrace* pTrace, int iMark) const;
    void DrawGraphics(CDC* pDC, const SRow& row, const std::vector<CRect>& arcCells) const;

    CGraphDoc& m_doc;
    std::vector<SRow> m_aRows;
};
