#pragma once
// CMarksDlg: the marks list of a trace window as plain data, the model of a
// modeless window: one row per mark (its number and label, its X and Y
// value, " (r)" after values read against the relative cursor), columns
// headed for the kind of trace, and the sum line under them with its
// caption. It shows the document's current trace; the frame keeps it in
// step with the marks hints, new data and changes of the current trace,
// and a toolkit shows it (qt/MarksListWidget) while it is open.
//
// Values are read in the trace's cursor units, as the cursor bar reads
// them. With the cursor off there is no relative reading and the marks
// read their own points.

#include "platform/String.h"

#include <array>
#include <functional>
#include <vector>

class CQXTrace;

// A column heading with its unit: "Frequency (Hz)"; the bare text when the unit has no name.
CString GetHeadingWithUnit(int iTextId, int iUnit);

class CMarksDlg {
public:
    enum EColumn { COLUMN_LABEL, COLUMN_X, COLUMN_Y, COLUMN_COUNT };
    using SRow = std::array<CString, COLUMN_COUNT>;

    // The list opens on the current trace and closes; closed, it keeps
    // nothing up to date.
    void Open();
    void Close();
    bool IsOpen() const { return m_bOpen; }
    // The document's current trace; null without a document or trace.
    CQXTrace* GetTrace() const;
    // Another trace became current: the list shows it, with fresh headings
    // and rows; the first mark is left out of the sum at first when it is
    // a spectrum's fundamental.
    void UpdateCurrentTrace();

    // The headings for the trace's kind in its cursor units.
    void SetHeading();
    const SRow& GetHeadings() const { return m_asHeadings; }
    const std::vector<SRow>& GetRows() const { return m_aRows; }

    // Row changes as the marks change; UpdateAllMarks brings the rows to
    // the trace's marks with them, then reads every value again.
    void AddMark(int iMark);
    void RemoveMark(int iMark);
    void UpdateAllMarks();
    void UpdateMarkLabel(int iMark);
    // The values of every row and the sum again (new data, a cursor moved).
    void UpdateMarkValues();

    // The sum line: every mark, or all but the first (the fundamental, so
    // that an FFT trace sums its harmonics).
    void ShowSumOfMarks();
    bool GetExcludeFirst() const { return m_bExcludeFirst; }
    void SetExcludeFirst(bool bExclude);
    const CString& GetSumCaption() const { return m_sSumCaption; }
    // "<value> <unit name>"; empty when no mark is summed.
    const CString& GetSumText() const { return m_sSumText; }

    void SetChangeListener(std::function<void()> fn) { m_fnChanged = std::move(fn); }

private:
    SRow ReadRow(int iMark) const;
    void Changed()
    {
        if (m_bOpen && m_fnChanged) m_fnChanged();
    }

    bool m_bOpen = false;
    // Only compared, never followed: the trace may have gone.
    const CQXTrace* m_pShown = nullptr;
    bool m_bExcludeFirst = false;
    SRow m_asHeadings;
    std::vector<SRow> m_aRows;
    CString m_sSumCaption;
    CString m_sSumText;
    std::function<void()> m_fnChanged;
};
