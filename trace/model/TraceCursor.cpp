// CQXTrace: the cursor, the relative cursor and the marks: switching them on
// and off, their limits and movement, keeping them across data changes,
// their X and Y readings (differences while the relative cursor is on), the
// packed mark slots, sums of marks and the read-out texts.

#include "trace/model/QXTrace.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitSet.h"
#include "resources/StringTable.h"
#include "trace/model/CursorMark.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// Appended to a reading taken relative to the relative cursor.
const wchar_t* const kRelativeSuffix = L" (r)";

// The unit set of an axis either lacks the unit (false) or there is none.
bool UnitAllowed(const CUnitSet* pSet, int iUnit) { return !pSet || pSet->IsUnitValid(iUnit); }

// Difference of two signed raw readings in dB: opposite signs add their
// magnitudes, as the distance between the two points is what is read.
double SignedDataDifferencedB(double dY, double dYRel)
{
    if (dYRel == 0.0) return TRACE_NULL_VALUE;
    const bool bOpposite = (dY < 0.0) != (dYRel < 0.0) && dY != 0.0;
    const double a = bOpposite ? std::fabs(dY) + std::fabs(dYRel) : std::fabs(dY);
    return ConvertHexTodB(a, std::fabs(dYRel), 1);
}

} // namespace

// ---- Cursor on and off ------------------------------------------------------------

void CQXTrace::CursorOn()
{
    QXASSERT(m_bInUse != 0);
    if (m_bCursorOn) return;
    const int iMin = GetMinCursorXPos(true);
    if (!m_pCursor) m_pCursor = new (std::nothrow) CCursorMark(this, eCursor, iMin);
    if (!m_pRelativeCursor) m_pRelativeCursor = new (std::nothrow) CCursorMark(this, eRelativeCursor, iMin);
    if (!m_pCursor || !m_pRelativeCursor) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return;
    }
    m_bCursorOn = 1;
    const int iMax = GetMaxCursorXPos(true);
    for (CCursorMark* p : {m_pCursor, m_pRelativeCursor})
        if (p->GetPosition(1) < iMin || p->GetPosition(1) > iMax) p->SetPosition(iMin);
    UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

void CQXTrace::CursorOff()
{
    if (!m_bCursorOn) return;
    m_bCursorOn = 0;
    UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

void CQXTrace::RelativeCursorOn()
{
    if (m_bRelativeCursorOn) return;
    // The relative cursor starts where the cursor is, so readings start at zero.
    if (!QXVERIFY(m_pCursor != nullptr && m_pRelativeCursor != nullptr)) return;
    m_pRelativeCursor->SetPosition(m_pCursor->GetPosition(1));
    m_bRelativeCursorOn = 1;
    UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

void CQXTrace::RelativeCursorOff()
{
    if (!m_bRelativeCursorOn) return;
    m_bRelativeCursorOn = 0;
    UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

// ---- Moving -----------------------------------------------------------------------

void CQXTrace::SetCursorPosition(int iPos)
{
    if (!QXVERIFY(m_pCursor != nullptr)) return;
    if (!QXVERIFY(iPos >= 0 && iPos < GetDataSize())) return;
    m_pCursor->SetPosition(iPos);
    UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

void CQXTrace::SetRelativeCursorPosition(int iPos)
{
    if (!QXVERIFY(m_pRelativeCursor != nullptr)) return;
    if (!QXVERIFY(iPos >= 0 && iPos < GetDataSize())) return;
    m_pRelativeCursor->SetPosition(iPos);
    UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

int CQXTrace::AdjustCursorPosition(int bLeftwards, int bFast)
{
    if (!m_pCursor) return 0;
    const int iStep = bFast ? 10 : 1;
    const int iPos = m_pCursor->GetPosition(1);
    const int iNew = bLeftwards ? iPos - iStep : iPos + iStep;
    // A move that would overshoot the valued range is refused as a whole,
    // so that a fast step never lands the cursor short of where it aimed.
    const bool bInside = bLeftwards ? iNew >= GetMinCursorXPos(false) : iNew <= GetMaxCursorXPos(false);
    if (!bInside) return 0;
    m_pCursor->SetPosition(iNew);
    return 1;
}

int CQXTrace::GetMinCursorXPos(bool bInWindow)
{
    const int iLast = GetDataSize() - 1;
    int iPos = bInWindow ? GetCurrentMinXPos() : GetMinXPos();
    if (iPos < 0 || iPos > iLast) return std::max(0, iPos);
    const int bTransformed = HasTransformedYData();
    while (iPos < iLast && GetYDataAtXPos(iPos, bTransformed) == TRACE_NULL_VALUE) ++iPos;
    return iPos;
}

int CQXTrace::GetMaxCursorXPos(bool bInWindow)
{
    const int iLast = GetDataSize() - 1;
    int iPos = bInWindow ? GetCurrentMaxXPos() : GetMaxXPos();
    if (iPos < 0 || iPos > iLast) return std::clamp(iPos, 0, std::max(0, iLast));
    const int bTransformed = HasTransformedYData();
    while (iPos > 0 && GetYDataAtXPos(iPos, bTransformed) == TRACE_NULL_VALUE) --iPos;
    return iPos;
}

// ---- Keeping cursors across data changes ------------------------------------------------

void CQXTrace::NoteOldCursorValues(double* pdX, double* pdXRel)
{
    const int iUnit = GetXUnit();
    const double dFallback = GetMinXScaleValue();
    if (pdX) *pdX = m_pCursor ? GetXValueAtPos(m_pCursor->GetPosition(1), iUnit) : dFallback;
    if (pdXRel) *pdXRel = m_pRelativeCursor ? GetXValueAtPos(m_pRelativeCursor->GetPosition(1), iUnit) : dFallback;
}

void CQXTrace::SetNewCursorValues(double dX, double dXRel)
{
    // Positions come from X values through the scale's unit.
    if (!QXVERIFY(m_pXScale != nullptr)) return;
    const double dMin = GetMinXScaleValue();
    const double dMax = GetMaxXScaleValue();
    const int iUnit = GetXUnit();
    const int iLast = std::max(0, GetDataSize() - 1);
    auto place = [&](CCursorMark* p, double dValue) {
        if (!p) return;
        const int iPos = GetXPosForValue(std::clamp(dValue, std::min(dMin, dMax), std::max(dMin, dMax)), iUnit);
        p->SetPosition(std::clamp(iPos, 0, iLast));
    };
    place(m_pCursor, dX);
    place(m_pRelativeCursor, dXRel);
}

void CQXTrace::RemoveInvalidCursorMarks()
{
    const int iLast = std::max(0, GetDataSize() - 1);
    for (CCursorMark* p : {m_pCursor, m_pRelativeCursor})
        if (p && p->GetPosition(1) > iLast) p->SetPosition(iLast);
    // Top down, so that the shifts of RemoveMark keep the slots packed and
    // the current mark on the same object where it survives.
    for (int i = MAX_MARKS - 1; i >= 0; --i) {
        const CCursorMark* pMark = GetMark(i);
        if (pMark && pMark->GetPosition(1) > iLast) RemoveMark(i, 0);
    }
}

// ---- Readings ---------------------------------------------------------------------------

double CQXTrace::GetCursorMarkXValue(CCursorMark* pMark, int iUnit)
{
    if (!m_bCursorOn || !pMark) return TRACE_NULL_VALUE;
    const double dX = GetXValueAtPos(pMark->GetPosition(1), iUnit);
    if (!m_bRelativeCursorOn || !m_pRelativeCursor) return dX;
    return dX - GetXValueAtPos(m_pRelativeCursor->GetPosition(1), iUnit);
}

double CQXTrace::GetCursorMarkYValue(CCursorMark* pMark, int iUnit)
{
    if (!m_bCursorOn || !pMark) return TRACE_NULL_VALUE;
    const int bTransformed = HasTransformedYData();
    const double dY = GetYDataAtXPos(pMark->GetPosition(1), bTransformed);
    if (dY == TRACE_NULL_VALUE) return TRACE_NULL_VALUE;
    const double dValue = GetYValueForData(dY, iUnit, 0, bTransformed);
    if (!m_bRelativeCursorOn || !m_pRelativeCursor) return dValue;

    const double dYRel = GetYDataAtXPos(m_pRelativeCursor->GetPosition(1), bTransformed);
    if (dYRel == TRACE_NULL_VALUE) return TRACE_NULL_VALUE;
    const double dRel = GetYValueForData(dYRel, iUnit, 0, bTransformed);
    const bool bSigned = HasNegativeYData() && HasPositiveYData();
    // Signed raw data read in dB: the ratio of the raw magnitudes, since
    // the dB values of the two signs cannot simply be subtracted.
    if (bSigned && IsdBUnit(iUnit) && !IsdBUnit(GetStorageUnit(Y_AXIS))) return SignedDataDifferencedB(dY, dYRel);
    return dValue - dRel;
}

// ---- Units of the read-outs --------------------------------------------------------------

int CQXTrace::GetCursorXUnit() { return m_iCursorXUnit == -1 ? GetXUnit() : m_iCursorXUnit; }

void CQXTrace::SetCursorXUnit(int iUnit, int bUpdateViews)
{
    m_iCursorXUnit = iUnit;
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

int CQXTrace::GetCursorYUnit()
{
    const int* pField = YUnitField(1);
    return pField ? *pField : -1;
}

void CQXTrace::SetCursorYUnit(int iUnit, int bUpdateViews)
{
    if (int* pField = YUnitField(1)) *pField = iUnit;
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_CURSOR, this);
}

// ---- Marks ------------------------------------------------------------------------------

CCursorMark* CQXTrace::GetMark(int i) const
{
    if (i < 0 || i >= MAX_MARKS) return nullptr;
    return m_apMarks[static_cast<size_t>(i)];
}

int CQXTrace::GetLastMark() const
{
    int i = 0;
    while (i < MAX_MARKS && m_apMarks[static_cast<size_t>(i)]) ++i;
    return i - 1;
}

int CQXTrace::GetNumMarks() const { return MAX_MARKS - (GetLastMark() + 1); }

int CQXTrace::AddMark(int iPos, int bUpdateViews) { return AddMarkOfKind(iPos, eMark, bUpdateViews); }

int CQXTrace::AddMarkOfKind(int iPos, CursorMarkType eKind, int bUpdateViews)
{
    QXASSERT(m_bInUse != 0);
    if (iPos < 0 || iPos > GetMaxXPos()) return 0;
    const int iSlot = GetLastMark() + 1;
    if (iSlot >= MAX_MARKS) return -1;
    CCursorMark* pMark = new (std::nothrow) CCursorMark(this, eKind, iPos);
    if (!pMark) return -2;
    m_apMarks[static_cast<size_t>(iSlot)] = pMark;
    m_iCurrentMark = iSlot;
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
    return iSlot;
}

int CQXTrace::RemoveMark(int iMark, int bUpdateViews)
{
    if (!GetMark(iMark)) return 0;
    delete m_apMarks[static_cast<size_t>(iMark)];
    std::move(m_apMarks.begin() + iMark + 1, m_apMarks.end(), m_apMarks.begin() + iMark);
    m_apMarks[MAX_MARKS - 1] = nullptr;
    if (m_iCurrentMark == iMark) {
        // The mark that moved into the slot, else the nearest earlier one.
        if (!GetMark(iMark)) m_iCurrentMark = GetLastMark();
    } else if (m_iCurrentMark > iMark) {
        --m_iCurrentMark; // the current mark moved down with the others
    }
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
    return 1;
}

int CQXTrace::RemoveCurrentMark()
{
    if (!m_bShowMarksOnScreen || !GetMark(m_iCurrentMark)) {
        MessageBeep(MB_OK);
        return 0;
    }
    return RemoveMark(m_iCurrentMark, 1);
}

void CQXTrace::RemoveAllMarks(int bUpdateViews)
{
    for (CCursorMark*& pMark : m_apMarks) {
        delete pMark;
        pMark = nullptr;
    }
    m_iCurrentMark = -1;
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
}

int CQXTrace::SetCurrentMark(int iMark)
{
    if (!QXVERIFY(iMark >= -1 && iMark < MAX_MARKS)) return 0;
    m_iCurrentMark = iMark;
    return 1;
}

int CQXTrace::GetMarkPosition(int iMark, int bAbsolute) const
{
    const CCursorMark* pMark = GetMark(iMark);
    return pMark ? pMark->GetPosition(bAbsolute) : -1;
}

int CQXTrace::SetMarkPosition(int iMark, int iPos)
{
    CCursorMark* pMark = GetMark(iMark);
    if (!pMark) return 0;
    if (!QXVERIFY(iPos >= 0 && iPos < GetDataSize())) return 0;
    pMark->SetPosition(iPos);
    UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
    return 1;
}

CString CQXTrace::GetMarkLabel(int iMark, int bWithNumber) const
{
    const CCursorMark* pMark = GetMark(iMark);
    if (!pMark) return CString();
    if (!bWithNumber) return pMark->GetLabel();
    CString sText;
    sText.Format(L"%d : ", iMark + 1);
    return sText + pMark->GetLabel();
}

int CQXTrace::SetMarkLabel(int iMark, CString& sLabel, bool bUpdateViews)
{
    CCursorMark* pMark = GetMark(iMark);
    if (!pMark) return 0;
    if (sLabel.GetLength() > CCursorMark::kMaxLabelLength) sLabel = sLabel.Left(CCursorMark::kMaxLabelLength);
    pMark->SetLabel(sLabel);
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
    return 1;
}

double CQXTrace::GetSumOfMarks(int iUnit, int bExcludeFirst)
{
    const int bTransformed = HasTransformedYData();
    const EUnit eStorage = GetStorageUnit(Y_AXIS);
    double dSum = 0.0;
    double dSumOfSquares = 0.0;
    for (int i = bExcludeFirst ? 1 : 0; i <= GetLastMark(); ++i) {
        const double dY = GetYDataAtXPos(GetMark(i)->GetPosition(1), bTransformed);
        if (dY == TRACE_NULL_VALUE) continue; // a mark on a gap adds nothing
        const double dValue = GetYValueForData(dY, eStorage, 1, bTransformed);
        dSum += dValue;
        dSumOfSquares += dValue * dValue;
    }
    const double dTotal = IsRMS() ? std::sqrt(dSumOfSquares) : dSum;
    return GetYValueForData(dTotal, iUnit, 1, bTransformed);
}

void CQXTrace::MarksOn()
{
    if (m_bMarksOn) return;
    m_bMarksOn = m_bShowMarksOnScreen = m_bPrintMarks = 1;
    UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
}

void CQXTrace::MarksOff()
{
    if (!m_bMarksOn) return;
    m_bMarksOn = m_bShowMarksOnScreen = m_bPrintMarks = 0;
    UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
}

CString CQXTrace::GetHarmonicLabel(int iIndex)
{
    static const int kIds[MAX_MARKS] = {
        IDS_HARMONIC_FUNDAMENTAL, IDS_HARMONIC_2,  IDS_HARMONIC_3,  IDS_HARMONIC_4,  IDS_HARMONIC_5,
        IDS_HARMONIC_6,           IDS_HARMONIC_7,  IDS_HARMONIC_8,  IDS_HARMONIC_9,  IDS_HARMONIC_10,
        IDS_HARMONIC_11,          IDS_HARMONIC_12, IDS_HARMONIC_13, IDS_HARMONIC_14, IDS_HARMONIC_15,
        IDS_HARMONIC_16,          IDS_HARMONIC_17, IDS_HARMONIC_18, IDS_HARMONIC_19, IDS_HARMONIC_20,
    };
    if (!QXVERIFY(iIndex >= 0 && iIndex < MAX_MARKS)) return CString();
    return LoadResString(kIds[iIndex]);
}

// ---- Read-out texts ----------------------------------------------------------------------

CString CQXTrace::GetCursorMarkXText(CCursorMark* pMark, int iUnit)
{
    if (!UnitAllowed(GetUnitSet(1), iUnit)) return CString();
    const double dValue = GetCursorMarkXValue(pMark, iUnit);
    if (dValue == TRACE_NULL_VALUE) return CString();
    CString sText = GetValueStringForXValue(dValue, iUnit, nullptr);
    if (m_bRelativeCursorOn) sText += kRelativeSuffix;
    return sText;
}

CString CQXTrace::GetCursorMarkYText(CCursorMark* pMark, int iUnit)
{
    if (!UnitAllowed(GetUnitSet(2), iUnit)) return CString();
    const double dValue = GetCursorMarkYValue(pMark, iUnit);
    if (dValue == TRACE_NULL_VALUE) return CString();
    CString sText = GetValueStringForYValue(dValue, iUnit, nullptr);
    if (m_bRelativeCursorOn) sText += kRelativeSuffix;
    return sText;
}

CString CQXTrace::GetSumOfMarksText(int iUnit, int bExcludeFirst)
{
    double dSum = GetSumOfMarks(iUnit, bExcludeFirst);
    if (m_bRelativeCursorOn && m_pRelativeCursor) {
        const int bTransformed = HasTransformedYData();
        const double dYRel = GetYDataAtXPos(m_pRelativeCursor->GetPosition(1), bTransformed);
        if (dYRel != TRACE_NULL_VALUE) dSum -= GetYValueForData(dYRel, iUnit, 0, bTransformed);
    }
    const CUnit* pUnit = FindUnitObject(iUnit);
    CString sText = GetValueStringForYValue(dSum, iUnit, nullptr);
    sText += L" ";
    if (pUnit) sText += pUnit->GetName();
    return sText;
}

CString CQXTrace::GetSumOfMarksCaption(int bExcludeFirst)
{
    return LoadResString(bExcludeFirst && IsFFTTrace() ? IDS_MARKS_SUM_OF_HARMONICS : IDS_MARKS_SUM_OF_MARKS);
}
