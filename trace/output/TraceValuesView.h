#pragma once
// CTraceValuesView: the trace values table of one trace, toolkit-free. One row
// per point (per table point for a limit line in table form): bin, X, Y, the
// transformed Y (a hidden column when the trace has none) and a comment that
// says where the cursor, the relative cursor and the marks sit. A toolkit
// table asks it per cell, so nothing is filled ahead; only the comments, a
// handful at most, are kept. The view follows the document's update hints and
// tells its listener what changed. It also holds the rows the user selected
// and copies them to the clipboard through the host.

#include "host/app/ViewList.h"
#include "platform/String.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class CLimitTable;
class CQXTrace;

class CTraceValuesView : public IGraphViewSink {
public:
    enum EColumn : int {
        COLUMN_BIN = 0,
        COLUMN_X = 1,
        COLUMN_Y = 2,
        COLUMN_Y_TRANSFORMED = 3,
        COLUMN_COMMENT = 4,
        NUM_COLUMNS = 5,
    };
    enum EAlignment : int { ALIGN_LEFT = 0, ALIGN_RIGHT = 1 };
    struct SColumn {
        CString sHeader;
        EAlignment eAlignment = ALIGN_LEFT;
        int iWidth = 0; // 0: hidden
    };
    // What an update hint changed, for the toolkit table.
    enum EChange : int {
        CHANGE_COMMENTS = 0, // comment cells only
        CHANGE_ALL = 1,      // rows, columns and every cell
        CHANGE_TITLE = 2,    // the window title only
        CHANGE_DETACHED = 3, // the trace left the document: the table is empty
    };

    // More selected rows than this are not copied (the clipboard would choke).
    static constexpr int kMaxCopyRows = 16384;
    // Rows are formatted (and written, copied) this many at a time.
    static constexpr int kRowsPerBlock = 32;

    // Registers for update hints; the trace is not owned.
    explicit CTraceValuesView(CQXTrace* pTrace = nullptr);
    ~CTraceValuesView() override;
    CTraceValuesView(const CTraceValuesView&) = delete;
    CTraceValuesView& operator=(const CTraceValuesView&) = delete;

    CQXTrace* GetTrace() const { return m_pTrace; }
    // Shows another trace (null: none); the selection is cleared.
    void SetTrace(CQXTrace* pTrace);
    void SetChangeListener(std::function<void(EChange)> fnListener) { m_fnListener = std::move(fnListener); }

    // ---- The table ---------------------------------------------------------
    // Column headers ("X (Hz)") and widths from the trace's units.
    void InitialiseList();
    // The comment cells from the cursor, relative cursor and marks.
    void FillListCtrl();
    int GetRowCount() const;
    const SColumn& GetColumn(int iColumn) const;
    bool HasTransformedColumn() const { return m_bTransformed; }
    CString GetCellText(int iRow, int iColumn);
    const CString& GetComment(int iRow) const;
    // "Bin", "X (unit)", "Y (unit)", ["Y - transformed (unit)",] "Comment",
    // separated by cSeparator, ending in CR LF.
    CString GetHeaderText(unsigned char cSeparator) const;
    // Rows iFirst .. iLast as text lines (see AppendTraceValuesText).
    CString GetTraceValuesText(int iFirst, int iLast, unsigned char cSeparator);
    // Appends rows iFirst .. iLast: bin, X, Y (empty without a value), the
    // transformed value with 14 decimals (empty when the trace has none or
    // the point has no value) and the comment, each line ending in CR LF.
    // The separator before the comment is a space when the trace has no
    // transformed data, so such a line has four fields.
    void AppendTraceValuesText(std::wstring& sText, int iFirst, int iLast, unsigned char cSeparator);
    // "<trace name> - Trace values".
    CString GetWindowTitle() const;

    // ---- Selection and copy -----------------------------------------------
    // Rows first .. last (in either order) join the selection.
    void SelectRows(int iFirst, int iLast);
    void ClearSelection() { m_aSelection.clear(); }
    void OnEditSelectAll();
    int GetSelectedCount() const;
    // -1 when nothing is selected.
    int GetFirstSelectedRow() const;
    bool IsRowSelected(int iRow) const;
    // The text a copy puts on the clipboard: with one row selected the TAB
    // header and the rows from it to the end, else those rows alone.
    CString GetCopyText();
    // Copies the selection to the clipboard; with nothing selected does
    // nothing. False, after the message, when the clipboard is busy or more
    // than kMaxCopyRows rows are selected.
    bool OnEditCopy();

    void OnUpdate(IGraphViewSink* pSender, LPARAM lHint, CObject* pObject) override;

private:
    // The trace's value for a row, as data; DBL_MAX where there is none.
    double GetRowData(int iRow, int bTransformed);
    // The limit table whose points give the X values, or none.
    const CLimitTable* TableOfPoints() const;
    void AppendXText(std::wstring& sText, int iRow, const CLimitTable* pTable);
    void AppendYText(std::wstring& sText, int iRow, int bTransformed);
    void AddComment(int iRow, const CString& sText);
    bool Concerns(CObject* pObject) const;
    void Notify(EChange eChange);

    CQXTrace* m_pTrace = nullptr;
    SColumn m_aColumns[NUM_COLUMNS];
    bool m_bTransformed = false;
    std::map<int, CString> m_mapComments;
    // Disjoint ranges of selected rows, in no particular order.
    std::vector<std::pair<int, int>> m_aSelection;
    std::function<void(EChange)> m_fnListener;
};
