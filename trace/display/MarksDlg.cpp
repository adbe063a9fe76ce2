#include "trace/display/MarksDlg.h"

#include "host/app/AppServices.h"
#include "host/units/Unit.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

namespace {

// The headings' texts for the kind: spectra over frequency, time signals, the rest plain X and Y.
std::pair<int, int> HeadingIds(TraceType eType)
{
    switch (eType) {
    case TT_FFT:
    case TT_CTFFT:
    case TT_FFTRESPONSE:
    case TT_FILTER: return {IDS_MARKS_HEADER_FREQUENCY, IDS_MARKS_HEADER_LEVEL};
    case TT_SCOPE:
    case TT_CTDET: return {IDS_MARKS_HEADER_TIME, IDS_MARKS_HEADER_AMPLITUDE};
    default: return {IDS_VALUES_HEADER_X, IDS_VALUES_HEADER_Y};
    }
}

int YUnitOf(CQXTrace& trace)
{
    const int iUnit = trace.GetCursorYUnit();
    return iUnit >= 0 ? iUnit : trace.GetYUnit();
}

// A mark's own Y value, for a trace whose cursor is off.
CString OwnYText(CQXTrace& trace, int iPos, int iUnit)
{
    const int bTransformed = trace.HasTransformedYData();
    const double dY = trace.GetYDataAtXPos(iPos, bTransformed);
    if (dY == TRACE_NULL_VALUE) return CString();
    return trace.GetValueStringForYValue(trace.GetYValueForData(dY, iUnit, 0, bTransformed), iUnit, nullptr);
}

} // namespace

CString GetHeadingWithUnit(int iTextId, int iUnit)
{
    CString sHeading = LoadResString(iTextId);
    const CUnit* pUnit = FindUnitObject(iUnit);
    if (pUnit && !pUnit->GetName().IsEmpty()) sHeading += L" (" + pUnit->GetName() + L")";
    return sHeading;
}

CQXTrace* CMarksDlg::GetTrace() const
{
    const CGraphDoc* pDoc = GetGraphDoc();
    return pDoc ? pDoc->GetCurrentTrace() : nullptr;
}

void CMarksDlg::Open()
{
    m_bOpen = true;
    m_pShown = nullptr; // read everything afresh
    UpdateCurrentTrace();
}

void CMarksDlg::Close()
{
    m_bOpen = false;
    m_pShown = nullptr;
    m_aRows.clear();
}

void CMarksDlg::UpdateCurrentTrace()
{
    CQXTrace* pTrace = GetTrace();
    if (!m_bOpen || pTrace == m_pShown) return;
    m_pShown = pTrace;
    m_aRows.clear();
    m_bExcludeFirst = pTrace && pTrace->IsFFTTrace() && pTrace->HasMarks() &&
                      pTrace->GetMarkLabel(0, 0) == CQXTrace::GetHarmonicLabel(0);
    SetHeading();
    UpdateAllMarks();
}

void CMarksDlg::SetHeading()
{
    CQXTrace* pTrace = GetTrace();
    m_asHeadings[COLUMN_LABEL] = LoadResString(IDS_MARKS_HEADER_MARK);
    const auto [iX, iY] = HeadingIds(pTrace ? pTrace->GetTraceType() : TT_USER);
    m_asHeadings[COLUMN_X] = GetHeadingWithUnit(iX, pTrace ? pTrace->GetCursorXUnit() : -1);
    m_asHeadings[COLUMN_Y] = GetHeadingWithUnit(iY, pTrace ? YUnitOf(*pTrace) : -1);
}

CMarksDlg::SRow CMarksDlg::ReadRow(int iMark) const
{
    CQXTrace* pTrace = GetTrace();
    CCursorMark* pMark = pTrace ? pTrace->GetMark(iMark) : nullptr;
    if (!pMark) return {};
    const int iXUnit = pTrace->GetCursorXUnit();
    const int iYUnit = YUnitOf(*pTrace);
    if (pTrace->IsCursorOn())
        return {pTrace->GetMarkLabel(iMark, 1), pTrace->GetCursorMarkXText(pMark, iXUnit),
                pTrace->GetCursorMarkYText(pMark, iYUnit)};
    const int iPos = pMark->GetPosition(1);
    return {pTrace->GetMarkLabel(iMark, 1), pTrace->GetValueStringForXPos(iPos, iXUnit, nullptr),
            OwnYText(*pTrace, iPos, iYUnit)};
}

void CMarksDlg::AddMark(int iMark)
{
    if (!m_bOpen || iMark < 0 || iMark > static_cast<int>(m_aRows.size())) return;
    m_aRows.insert(m_aRows.begin() + iMark, ReadRow(iMark));
}

void CMarksDlg::RemoveMark(int iMark)
{
    if (!m_bOpen || iMark < 0 || iMark >= static_cast<int>(m_aRows.size())) return;
    m_aRows.erase(m_aRows.begin() + iMark);
}

void CMarksDlg::UpdateAllMarks()
{
    if (!m_bOpen) return;
    CQXTrace* pTrace = GetTrace();
    const int iMarks = pTrace ? pTrace->GetLastMark() + 1 : 0;
    while (static_cast<int>(m_aRows.size()) > iMarks) RemoveMark(static_cast<int>(m_aRows.size()) - 1);
    while (static_cast<int>(m_aRows.size()) < iMarks) AddMark(static_cast<int>(m_aRows.size()));
    for (int i = 0; i < iMarks; ++i) UpdateMarkLabel(i);
    // A change of the cursor units changes the headings too.
    SetHeading();
    UpdateMarkValues();
}

void CMarksDlg::UpdateMarkLabel(int iMark)
{
    CQXTrace* pTrace = GetTrace();
    if (!m_bOpen || !pTrace || iMark < 0 || iMark >= static_cast<int>(m_aRows.size())) return;
    m_aRows[static_cast<size_t>(iMark)][COLUMN_LABEL] = pTrace->GetMarkLabel(iMark, 1);
}

void CMarksDlg::UpdateMarkValues()
{
    if (!m_bOpen) return;
    for (size_t i = 0; i < m_aRows.size(); ++i) m_aRows[i] = ReadRow(static_cast<int>(i));
    ShowSumOfMarks(); // tells the listener
}

void CMarksDlg::ShowSumOfMarks()
{
    CQXTrace* pTrace = GetTrace();
    m_sSumCaption = pTrace ? pTrace->GetSumOfMarksCaption(m_bExcludeFirst) : CString();
    const bool bAnySummed = pTrace && pTrace->GetLastMark() >= (m_bExcludeFirst ? 1 : 0);
    m_sSumText = bAnySummed ? pTrace->GetSumOfMarksText(YUnitOf(*pTrace), m_bExcludeFirst) : CString();
    Changed();
}

void CMarksDlg::SetExcludeFirst(bool bExclude)
{
    m_bExcludeFirst = bExclude;
    ShowSumOfMarks();
}
