#pragma once
// CQuickLegend: the legend of a trace window as plain data and actions. One
// row per trace in use (channel A's, then channel B's, in trace-array
// order), each followed by its limit lines that are in use; per row the
// on/off image, the colour, the channel letter, the name and, for a trace
// that can be copied, the copy image. Clicking the on/off cell switches the
// trace, clicking the colour cell offers the frame's colour chooser for that
// row's trace, clicking the copy cell copies that row's trace through the frame,
// selecting a row makes its trace current, editing the name renames it.

#include "platform/Color.h"
#include "platform/String.h"

#include <array>
#include <vector>

class CGraphFrame;
class CQXTrace;

struct SLegendColumn {
    int iWidth; // -1: the room the other columns leave
    int iType;
    bool bClickable;
};

struct SLegendRow {
    CQXTrace* pTrace = nullptr;
    int iOnImage = 0;    // 11 on, 10 off
    COLORREF crColor = 0;
    CString sChannel;    // "A" or "B"
    CString sName;
    int iCopyImage = -1; // 13 on, 14 off; -1: cannot be copied
    bool bCurrent = false;
    bool operator==(const SLegendRow&) const = default;
};

class CQuickLegend {
public:
    enum EColumn : int { COL_ONOFF = 0, COL_COLOR, COL_CHANNEL, COL_NAME, COL_COPY, COL_COUNT };
    static const std::array<SLegendColumn, COL_COUNT>& GetColumns();

    explicit CQuickLegend(CGraphFrame& frame) : m_frame(frame) {}

    // Rebuilds the rows from the document.
    void FillList();
    const std::vector<SLegendRow>& GetRows() const { return m_aRows; }
    // The row of a trace; -1 if it has none.
    int GetIndexOfTrace(const CQXTrace* pTrace) const;

    // Each answers whether it changed anything; the rows are refilled then.
    bool OnCellClicked(int iRow, int iColumn);
    bool OnSelChange(int iRow);
    bool OnLabelEdited(int iRow, const CString& sName);

private:
    CQXTrace* TraceAt(int iRow) const;

    CGraphFrame& m_frame;
    std::vector<SLegendRow> m_aRows;
};
