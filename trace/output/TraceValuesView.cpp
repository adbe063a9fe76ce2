#include "trace/output/TraceValuesView.h"

#include "host/app/AppServices.h"
#include "host/units/QXProperty.h"
#include "host/units/Unit.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/display/MarksDlg.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/CursorMark.h"
#include "trace/limits/LimitTable.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cfloat>

namespace {

const CString kNoText;

} // namespace

CTraceValuesView::CTraceValuesView(CQXTrace* pTrace) : m_pTrace(pTrace)
{
    RegisterGraphView(this);
    InitialiseList();
    FillListCtrl();
}

CTraceValuesView::~CTraceValuesView() { UnregisterGraphView(this); }

void CTraceValuesView::SetTrace(CQXTrace* pTrace)
{
    m_pTrace = pTrace;
    m_aSelection.clear();
    InitialiseList();
    FillListCtrl();
    Notify(CHANGE_ALL);
}

// ---- Columns and comments ------------------------------------------------------------------

void CTraceValuesView::InitialiseList()
{
    m_bTransformed = m_pTrace && m_pTrace->HasTransformedYData();
    const int iXUnit = m_pTrace ? m_pTrace->GetXUnit() : -1;
    const int iYUnit = m_pTrace ? m_pTrace->GetYUnit() : -1;
    m_aColumns[COLUMN_BIN] = {LoadResString(IDS_VALUES_HEADER_BIN), ALIGN_LEFT, 50};
    m_aColumns[COLUMN_X] = {GetHeadingWithUnit(IDS_VALUES_HEADER_X, iXUnit), ALIGN_RIGHT, 75};
    m_aColumns[COLUMN_Y] = {GetHeadingWithUnit(IDS_VALUES_HEADER_Y, iYUnit), ALIGN_RIGHT, 75};
    m_aColumns[COLUMN_Y_TRANSFORMED] = {GetHeadingWithUnit(IDS_VALUES_HEADER_Y_TRANSFORMED, iYUnit), ALIGN_RIGHT,
                                        m_bTransformed ? 120 : 0};
    m_aColumns[COLUMN_COMMENT] = {LoadResString(IDS_VALUES_HEADER_COMMENT), ALIGN_LEFT, 350};
}

void CTraceValuesView::AddComment(int iRow, const CString& sText)
{
    if (iRow < 0 || iRow >= GetRowCount()) return;
    CString& sCell = m_mapComments[iRow];
    if (!sCell.IsEmpty()) sCell += L"; ";
    sCell += sText;
}

void CTraceValuesView::FillListCtrl()
{
    m_mapComments.clear();
    if (!m_pTrace) return;
    if (m_pTrace->IsCursorOn() && m_pTrace->GetCursor())
        AddComment(m_pTrace->GetCursor()->GetPosition(), LoadResString(IDS_VALUES_CURSOR_HERE));
    if (m_pTrace->IsRelativeCursorOn() && m_pTrace->GetRelativeCursor())
        AddComment(m_pTrace->GetRelativeCursor()->GetPosition(), LoadResString(IDS_VALUES_RELATIVE_CURSOR_HERE));
    if (!m_pTrace->AreMarksOn()) return;
    for (int i = 0; i <= m_pTrace->GetLastMark(); ++i) {
        CString sText;
        sText.Format(LoadResString(IDS_VALUES_MARK), i + 1);
        const CString sLabel = m_pTrace->GetMarkLabel(i, 0);
        if (!sLabel.IsEmpty()) sText += L" (" + sLabel + L")";
        AddComment(m_pTrace->GetMarkPosition(i, 1), sText);
    }
}

int CTraceValuesView::GetRowCount() const { return m_pTrace ? std::max(0, m_pTrace->GetDataSize()) : 0; }

const CTraceValuesView::SColumn& CTraceValuesView::GetColumn(int iColumn) const
{
    return m_aColumns[std::clamp(iColumn, 0, NUM_COLUMNS - 1)];
}

const CString& CTraceValuesView::GetComment(int iRow) const
{
    const auto it = m_mapComments.find(iRow);
    return it == m_mapComments.end() ? kNoText : it->second;
}

// ---- Cells ------------------------------------------------------------------------------------

double CTraceValuesView::GetRowData(int iRow, int bTransformed)
{
    if (bTransformed && !m_bTransformed) return DBL_MAX;
    return m_pTrace->GetYDataAtXPos(iRow, bTransformed);
}

const CLimitTable* CTraceValuesView::TableOfPoints() const
{
    const auto* pLimit = dynamic_cast<const CLimitLine*>(m_pTrace);
    return pLimit ? pLimit->GetLimitTable() : nullptr;
}

// The text GetValueStringForXPos gives (for a table line, GetValueStringForXValue
// of the point), appended: no string per value in long tables.
void CTraceValuesView::AppendXText(std::wstring& sText, int iRow, const CLimitTable* pTable)
{
    const int iUnit = m_pTrace->GetXUnit();
    if (pTable) {
        LimitTablePoint point;
        if (pTable->GetPoint(iRow, &point)) CQXProperty::AppendFormattedValue(sText, point.dX, iUnit, 0, nullptr);
        return;
    }
    CQXProperty::AppendFormattedValue(sText, m_pTrace->GetXValueAtPos(iRow, iUnit), iUnit, 0, nullptr);
}

// The text GetValueStringForYData gives, nothing where the point has no value.
void CTraceValuesView::AppendYText(std::wstring& sText, int iRow, int bTransformed)
{
    const double dData = GetRowData(iRow, bTransformed);
    const int iUnit = m_pTrace->GetYUnit();
    if (dData == DBL_MAX || iUnit == -1) return;
    CQXProperty::AppendFormattedValue(sText, m_pTrace->GetYReadOutValue(dData, iUnit, bTransformed), iUnit, 0, nullptr);
}

CString CTraceValuesView::GetCellText(int iRow, int iColumn)
{
    if (!m_pTrace || iRow < 0 || iRow >= GetRowCount()) return CString();
    switch (iColumn) {
    case COLUMN_BIN: return CString(std::to_wstring(iRow));
    case COLUMN_COMMENT: return GetComment(iRow);
    case COLUMN_X:
    case COLUMN_Y:
    case COLUMN_Y_TRANSFORMED: break;
    default: return CString();
    }
    CString sText;
    if (iColumn == COLUMN_X) AppendXText(sText.str(), iRow, TableOfPoints());
    else AppendYText(sText.str(), iRow, iColumn == COLUMN_Y_TRANSFORMED);
    return sText;
}

CString CTraceValuesView::GetHeaderText(unsigned char cSeparator) const
{
    CString sText;
    for (int i = 0; i < NUM_COLUMNS; ++i) {
        if (i == COLUMN_Y_TRANSFORMED && !m_bTransformed) continue;
        sText += m_aColumns[i].sHeader;
        if (i != COLUMN_COMMENT) sText += static_cast<wchar_t>(cSeparator);
    }
    return sText + L"\r\n";
}

CString CTraceValuesView::GetTraceValuesText(int iFirst, int iLast, unsigned char cSeparator)
{
    std::wstring sText;
    AppendTraceValuesText(sText, iFirst, iLast, cSeparator);
    return CString(std::move(sText));
}

void CTraceValuesView::AppendTraceValuesText(std::wstring& sText, int iFirst, int iLast, unsigned char cSeparator)
{
    if (!m_pTrace) return;
    iFirst = std::max(iFirst, 0);
    iLast = std::min(iLast, GetRowCount() - 1);
    const wchar_t cSep = static_cast<wchar_t>(cSeparator);
    const wchar_t cBeforeComment = m_bTransformed ? cSep : L' ';
    const int iYUnit = m_pTrace->GetYUnit();
    const CLimitTable* pTable = TableOfPoints();
    for (int iRow = iFirst; iRow <= iLast; ++iRow) {
        AppendInteger(sText, iRow);
        sText += cSep;
        AppendXText(sText, iRow, pTable);
        sText += cSep;
        AppendYText(sText, iRow, 0);
        sText += cSep;
        const double dTransformed = GetRowData(iRow, 1);
        if (dTransformed != DBL_MAX) AppendFixed(sText, m_pTrace->GetYValueForData(dTransformed, iYUnit, 0, 1), 14);
        sText += cBeforeComment;
        sText += GetComment(iRow).str();
        sText += L"\r\n";
    }
}

CString CTraceValuesView::GetWindowTitle() const
{
    if (!m_pTrace) return LoadResString(IDS_VALUES_WINDOW_TITLE_NONE);
    CString sTitle;
    sTitle.Format(LoadResString(IDS_VALUES_WINDOW_TITLE), m_pTrace->GetTraceName(1, 1, 0).GetString());
    return sTitle;
}

// ---- Selection and copy -------------------------------------------------------------------

void CTraceValuesView::SelectRows(int iFirst, int iLast)
{
    if (iFirst > iLast) std::swap(iFirst, iLast);
    iFirst = std::max(iFirst, 0);
    iLast = std::min(iLast, GetRowCount() - 1);
    if (iFirst > iLast) return;
    m_aSelection.emplace_back(iFirst, iLast);
    std::sort(m_aSelection.begin(), m_aSelection.end());
    std::vector<std::pair<int, int>> aMerged;
    for (const auto& range : m_aSelection) {
        if (!aMerged.empty() && range.first <= aMerged.back().second + 1)
            aMerged.back().second = std::max(aMerged.back().second, range.second);
        else
            aMerged.push_back(range);
    }
    m_aSelection = std::move(aMerged);
}

void CTraceValuesView::OnEditSelectAll()
{
    m_aSelection.clear();
    SelectRows(0, GetRowCount() - 1);
}

int CTraceValuesView::GetSelectedCount() const
{
    int iCount = 0;
    for (const auto& range : m_aSelection) iCount += range.second - range.first + 1;
    return iCount;
}

int CTraceValuesView::GetFirstSelectedRow() const { return m_aSelection.empty() ? -1 : m_aSelection.front().first; }

bool CTraceValuesView::IsRowSelected(int iRow) const
{
    return std::any_of(m_aSelection.begin(), m_aSelection.end(),
                       [iRow](const auto& range) { return range.first <= iRow && iRow <= range.second; });
}

CString CTraceValuesView::GetCopyText()
{
    const int iFirst = GetFirstSelectedRow();
    if (iFirst < 0) return CString();
    std::wstring sText = GetSelectedCount() == 1 ? GetHeaderText('\t').str() : std::wstring();
    const int iCount = GetRowCount();
    for (int iStart = iFirst; iStart < iCount; iStart += kRowsPerBlock)
        AppendTraceValuesText(sText, iStart, std::min(iStart + kRowsPerBlock - 1, iCount - 1), '\t');
    return CString(std::move(sText));
}

bool CTraceValuesView::OnEditCopy()
{
    if (GetSelectedCount() == 0) return true;
    if (GetSelectedCount() > kMaxCopyRows) {
        AfxMessageBox(LoadResString(IDS_CLIPBOARD_TOO_MUCH_DATA), MB_ICONEXCLAMATION);
        return false;
    }
    if (!SetClipboardText(GetCopyText())) {
        AfxMessageBox(LoadResString(IDS_CLIPBOARD_IN_USE), MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

// ---- Update hints -----------------------------------------------------------------------------

bool CTraceValuesView::Concerns(CObject* pObject) const
{
    if (!m_pTrace || !pObject) return false;
    return pObject == m_pTrace || pObject == m_pTrace->GetOwnerTrace();
}

void CTraceValuesView::Notify(EChange eChange)
{
    if (m_fnListener) m_fnListener(eChange);
}

void CTraceValuesView::OnUpdate(IGraphViewSink*, LPARAM lHint, CObject* pObject)
{
    switch (lHint) {
    case UPDATE_TRACE_REMOVE:
        if (!m_pTrace || pObject != m_pTrace) return;
        m_pTrace = nullptr;
        m_aSelection.clear();
        InitialiseList();
        FillListCtrl();
        Notify(CHANGE_DETACHED);
        return;
    case UPDATE_TRACE_CURSOR:
    case UPDATE_TRACE_MARKS:
        if (!Concerns(pObject)) return;
        FillListCtrl();
        Notify(CHANGE_COMMENTS);
        return;
    case UPDATE_TRACE_NAME:
        if (Concerns(pObject)) Notify(CHANGE_TITLE);
        return;
    case UPDATE_TRACE_REDRAW:
    case UPDATE_TRACE_ZOOMX:
    case UPDATE_TRACE_ZOOMY:
    case UPDATE_TRACE_ZOOMBOTH:
    case UPDATE_TRACE_NUMPOINTS:
        if (!Concerns(pObject)) return;
        break;
    case UPDATE_TRACE_REDRAWALL:
    case UPDATE_GRAPH_CHANNELCHANGED:
    case UPDATE_GRAPH_TRACES:
    case UPDATE_GRAPH_REDRAWALL:
        if (!m_pTrace) return;
        break;
    default:
        return;
    }
    // Data, size or units may have changed: the selection may no longer fit.
    InitialiseList();
    FillListCtrl();
    const int iCount = GetRowCount();
    std::erase_if(m_aSelection, [iCount](const auto& range) { return range.first >= iCount; });
    for (auto& range : m_aSelection) range.second = std::min(range.second, iCount - 1);
    Notify(CHANGE_ALL);
}
