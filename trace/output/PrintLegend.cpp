#include "trace/output/PrintLegend.h"

#include "host/app/PrintDetails.h"
#include "platform/DC.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

namespace {

constexpr int kLegendPointTenths = 80;
constexpr const wchar_t* kLegendFace = L"Lucida Sans Unicode";
// Columns drawn rather than written, and their widths in font heights.
constexpr int kLineColumn = 1;
constexpr int kSwatchColumn = 8;
constexpr int kLastColumn = kPrintLegendColumns - 1;

bool IsSpacer(int iColumn) { return iColumn == 0 || iColumn == 2 || iColumn == 7; }

CString YesNo(int b) { return CString(b ? L"Yes" : L"No"); }

CFont LegendFont(CDC* pDC)
{
    CFont font;
    font.CreatePointFont(kLegendPointTenths, kLegendFace, pDC);
    return font;
}

int LineHeight(CDC* pDC)
{
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    return tm.tmHeight;
}

} // namespace

CString GetLegendColumnHeaderText(int iColumn)
{
    static const wchar_t* const kHeaders[kPrintLegendColumns] = {
        L"", L"Line", L"", L"Name", L"Points", L"Log X", L"Log Y", L"", L"", L"Int", L"Cursor X", L"Cursor Y",
        L"Comment/label"};
    return iColumn >= 0 && iColumn < kPrintLegendColumns ? CString(kHeaders[iColumn]) : CString();
}

CPrintLegend::CPrintLegend(CGraphDoc& doc, ChannelNumber eChannel) : m_doc(doc)
{
    SRow header;
    header.bHeader = true;
    for (int i = 0; i < kPrintLegendColumns; ++i) header.asText[i] = GetLegendColumnHeaderText(i);
    m_aRows.push_back(header);
    for (ChannelNumber e : {CHANNEL_A, CHANNEL_B}) {
        if (eChannel != CHANNEL_BOTH && eChannel != e) continue;
        for (CQXTrace* pTrace : doc.GetTraceArray(e))
            if (pTrace && pTrace->IsInUse() && pTrace->IsOn()) AddTrace(pTrace);
    }
    if (m_aRows.size() == 1) m_aRows.clear(); // no traces, no table
}

void CPrintLegend::AddTrace(CQXTrace* pTrace)
{
    const auto AddWithMarks = [this](CQXTrace* p) {
        m_aRows.push_back(TraceRow(p));
        if (!p->AreMarksOn() || !p->GetPrintMarks()) return;
        for (int i = 0; p->GetMark(i); ++i) m_aRows.push_back(MarkRow(p, i));
    };
    AddWithMarks(pTrace);
    for (CQXTrace* pLimit : {pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
        if (pLimit && pLimit->IsInUse() && pLimit->IsOn()) AddWithMarks(pLimit);
}

CPrintLegend::SRow CPrintLegend::TraceRow(CQXTrace* pTrace) const
{
    SRow row;
    row.pTrace = pTrace;
    row.asText[3] = pTrace->GetTraceName(1, 1, 0);
    row.asText[4].Format(L"%d", pTrace->GetDataSize());
    row.asText[5] = YesNo(pTrace->GetLogX());
    row.asText[6] = YesNo(pTrace->GetLogY());
    row.asText[9] = YesNo(pTrace->GetInterpolated());
    if (pTrace->IsCursorOn()) {
        row.asText[10] = pTrace->GetXCursorText(pTrace->GetCursorXUnit());
        row.asText[11] = pTrace->GetYCursorText(pTrace->GetCursorYUnit());
    }
    row.asText[12] = pTrace->GetComment();
    return row;
}

CPrintLegend::SRow CPrintLegend::MarkRow(CQXTrace* pTrace, int iMark) const
{
    SRow row;
    row.pTrace = pTrace;
    row.iMark = iMark;
    CCursorMark* pMark = pTrace->GetMark(iMark);
    row.asText[10] = pTrace->GetCursorMarkXText(pMark, pTrace->GetCursorXUnit());
    row.asText[11] = pTrace->GetCursorMarkYText(pMark, pTrace->GetCursorYUnit());
    row.asText[12] = pTrace->GetMarkLabel(iMark, 1);
    return row;
}

int CPrintLegend::GetPrintLegendColumnWidth(CDC* pDC, int iColumn)
{
    if (iColumn < 0 || iColumn >= kPrintLegendColumns) return 0;
    const int iSpacer = GetPrinterValue(pDC, 4.0, 0);
    if (IsSpacer(iColumn)) return iSpacer;
    const int iHeight = LineHeight(pDC);
    if (iColumn == kLineColumn) return 3 * iHeight;
    if (iColumn == kSwatchColumn) return iHeight;
    int iWidest = 0;
    for (const SRow& row : m_aRows) iWidest = std::max(iWidest, static_cast<int>(pDC->GetTextExtent(row.asText[iColumn]).cx));
    return iWidest + GetPrinterValue(pDC, 8.0, 0);
}

int CPrintLegend::Print(CDC* pDC, const CRect& rect, bool bMeasureOnly)
{
    if (!pDC || m_aRows.empty()) return 0;
    const int iSaved = pDC->SaveDC();
    pDC->SelectObject(LegendFont(pDC));
    const int iRowHeight = LineHeight(pDC) + GetPrinterValue(pDC, 1.0, 0);
    const int iHeight = iRowHeight * static_cast<int>(m_aRows.size());
    if (bMeasureOnly) {
        pDC->RestoreDC(iSaved);
        return iHeight;
    }
    std::vector<int> aiWidths(kPrintLegendColumns);
    for (int i = 0; i < kPrintLegendColumns; ++i) aiWidths[i] = GetPrintLegendColumnWidth(pDC, i);
    const bool bMono = CGraphDoc::DrawContextOf(&m_doc, pDC).bMonochrome;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    int y = rect.top;
    for (const SRow& row : m_aRows) {
        std::vector<CRect> arcCells(kPrintLegendColumns);
        int x = rect.left;
        for (int i = 0; i < kPrintLegendColumns; ++i) {
            const int iRight = i == kLastColumn ? std::max(rect.right, x) : x + aiWidths[i];
            arcCells[i] = CRect(x, y, iRight, y + iRowHeight);
            x = iRight;
        }
        pDC->SetTextColor(bMono || row.bHeader || !row.pTrace ? RGB(0, 0, 0) : row.pTrace->GetColor(pDC));
        for (int i = 0; i < kPrintLegendColumns; ++i)
            if (!row.asText[i].IsEmpty()) pDC->TextOut(arcCells[i].left, y, row.asText[i]);
        if (!row.bHeader) DrawGraphics(pDC, row, arcCells);
        y += iRowHeight;
    }
    // A rule under the header.
    pDC->SelectObject(CPen(PS_SOLID, GetPrinterValue(pDC, 1.0, 1), RGB(0, 0, 0)));
    pDC->MoveTo(rect.left, rect.top + iRowHeight - 1);
    pDC->LineTo(rect.right, rect.top + iRowHeight - 1);
    pDC->RestoreDC(iSaved);
    return iHeight;
}

void CPrintLegend::DrawGraphics(CDC* pDC, const SRow& row, const std::vector<CRect>& arcCells) const
{
    const COLORREF crColor = CGraphDoc::DrawContextOf(&m_doc, pDC).bMonochrome ? RGB(0, 0, 0) : row.pTrace->GetColor(pDC);
    if (row.iMark < 0) {
        // The line as the trace prints it; print styles are the pen styles.
        const CRect& rc = arcCells[kLineColumn];
        const int iStyle = std::clamp(row.pTrace->GetPrintStyle(), static_cast<int>(PS_SOLID), static_cast<int>(PS_DASHDOTDOT));
        pDC->SelectObject(CPen(iStyle, GetPrinterValue(pDC, 1.0, 0), crColor));
        pDC->MoveTo(rc.left, rc.CenterPoint().y);
        pDC->LineTo(rc.right - GetPrinterValue(pDC, 4.0, 0), rc.CenterPoint().y);
        if (!row.pTrace->IsCursorOn()) return;
    }
    // A swatch for the cursor of a trace row, or for a mark.
    CRect rcSwatch = arcCells[kSwatchColumn];
    const int iInset = rcSwatch.Height() / 4;
    rcSwatch.DeflateRect(iInset, iInset);
    pDC->FillSolidRect(rcSwatch, crColor);
}
