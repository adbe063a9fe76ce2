#include "trace/display/YScale.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/PrintDetails.h"
#include "host/units/Unit.h"
#include "platform/DC.h"
#include "platform/String.h"
#include "trace/core/ScaleMath.h"
#include "trace/core/TickArray.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CYScale, CScale)

namespace {

// dB labels below this read as minus infinity.
constexpr double kdBFloor = -300.0;
constexpr COLORREF kNoTraceColor = 0xFFFFFF;

} // namespace

CYScale::CYScale(const CYScale& other) : CScale() { *this = other; }

CYScale& CYScale::operator=(const CYScale& other)
{
    if (this == &other) return *this;
    m_rectDraw = other.m_rectDraw;
    m_pLiveTrace = other.m_pLiveTrace;
    m_eSide = other.m_eSide;
    m_iPos = other.m_iPos;
    m_eChannel = other.m_eChannel;
    m_iFirstLabelWidth = other.m_iFirstLabelWidth;
    m_iLastLabelWidth = other.m_iLastLabelWidth;
    m_iReserved = other.m_iReserved;
    return *this;
}

void CYScale::SetLiveTrace(CQXTrace* pTrace)
{
    if (pTrace && pTrace->IsLimitLine()) {
        QXReportAssert("!pTrace->IsLimitLine()", __FILE__, static_cast<unsigned>(__LINE__));
        return;
    }
    m_pLiveTrace = pTrace;
}

void CYScale::SetDetails(YScaleSide eSide, YScalePos iPos, ChannelNumber eChannel)
{
    if (!QXVERIFY(eSide == LEFT || eSide == RIGHT)) return;
    QXASSERT(iPos >= 0 && iPos <= 2);
    m_eSide = eSide;
    m_iPos = (iPos >= 0 && iPos <= 2) ? iPos : 1;
    m_eChannel = eChannel;
}

// ---- Label values and texts ------------------------------------------------------

namespace {

// The limits a Y scale labels: the current scale values, rounded and with a
// usable start on a log axis.
struct SYLimits {
    double dMin = 0.0;
    double dMax = 0.0;
};

SYLimits GetYLimits(CQXTrace& trace, int iUnit, bool bLog)
{
    SYLimits limits{trace.GetCurrentMinYScaleValue(), trace.GetCurrentMaxYScaleValue()};
    if (bLog) {
        limits.dMin = RoundValue(limits.dMin, iUnit);
        limits.dMax = RoundValue(limits.dMax, iUnit);
        EnsureLogStartCorrect(&limits.dMin, limits.dMax, iUnit);
    }
    return limits;
}

double GetYLabelValue(CQXTrace& trace, const CTickArray& ticks, int i, int iUnit, bool bLog, const SYLimits& limits)
{
    if (i == 0) return limits.dMin;
    if (i == ticks.GetNumTicks() - 1) return limits.dMax;
    const double dPosition = ticks.GetAt(i);
    if (bLog) return GetLogValueAtPosition(limits.dMin, limits.dMax, dPosition);
    if (trace.DrawYScaleFromData()) {
        const double dData =
            GetLinearValueAtPosition(trace.GetCurrentMinYData(), trace.GetCurrentMaxYData(), dPosition);
        return trace.GetYValueForData(dData, iUnit, 1, 1);
    }
    return GetLinearValueAtPosition(limits.dMin, limits.dMax, dPosition);
}

CString GetYLabelText(CQXTrace& trace, double dValue, int iUnit)
{
    const CUnit* pUnit = FindUnitObject(iUnit);
    if (pUnit && pUnit->IsdBUnit() && dValue < kdBFloor) dValue = -DBL_MAX;
    return trace.GetValueStringForYValue(dValue, iUnit, nullptr);
}

CString GetUnitName(int iUnit)
{
    const CUnit* pUnit = FindUnitObject(iUnit);
    return pUnit ? pUnit->GetName() : CString();
}

} // namespace

// ---- Painting ----------------------------------------------------------------------

void CYScale::Draw(CDC* pDC, CTickArray* pTicks)
{
    if (!QXVERIFY(pDC != nullptr && pTicks != nullptr)) return;
    if (m_rectDraw == CRect(-1, -1, -1, -1)) {
        QXReportAssert("m_rectDraw != CRect (-1,-1,-1,-1)", __FILE__, static_cast<unsigned>(__LINE__));
        return;
    }
    if (!m_pLiveTrace || m_pLiveTrace->GetYUnit() == -1) return;

    const int iSaved = pDC->SaveDC();
    PrepareDC(pDC);
    if (const CFont* pFont = GetFont(pDC, nullptr)) pDC->SelectObject(*pFont);
    pDC->SetTextAlign(TA_RIGHT | TA_TOP);
    if (m_pLiveTrace->GetLogY()) {
        PaintLogY(pDC, pTicks);
    } else {
        PaintLinearY(pDC, pTicks);
    }
    pDC->RestoreDC(iSaved);
}

CRect CYScale::GetLabelRect(int iFontHeight) const
{
    // Labels hang from their y: lift them a whole line to sit above the tick,
    // half a line to centre on it, or not at all to sit below it.
    const int iShift = m_iPos == 0 ? iFontHeight : (m_iPos == 1 ? iFontHeight / 2 : 0);
    CRect rc = m_rectDraw;
    rc.top -= iShift;
    rc.bottom -= iShift;
    return rc;
}

void CYScale::PaintLinearY(CDC* pDC, CTickArray* pTicks)
{
    const int iHeight = GetFontHeight(pDC);
    const CRect rc = GetLabelRect(iHeight);
    PaintLabels(pDC, *pTicks, rc, false);
    const int y = m_iPos == 2 ? rc.bottom + iHeight : rc.top - iHeight;
    pDC->TextOut(rc.right, y, GetUnitName(m_pLiveTrace->GetYUnit()));
}

void CYScale::PaintLogY(CDC* pDC, CTickArray* pTicks)
{
    const int iHeight = GetFontHeight(pDC);
    const CRect rc = GetLabelRect(iHeight);
    PaintLabels(pDC, *pTicks, rc, true);
    const int y = m_iPos == 0 ? rc.bottom - 2 * iHeight : rc.bottom - iHeight;
    pDC->TextOut(rc.right, y, GetUnitName(m_pLiveTrace->GetYUnit()));
}

void CYScale::PaintLabels(CDC* pDC, const CTickArray& ticks, const CRect& rc, bool bLog)
{
    CQXTrace& trace = *m_pLiveTrace;
    const int iUnit = trace.GetYUnit();
    const SYLimits limits = GetYLimits(trace, iUnit, bLog);
    for (int i = 0; i < ticks.GetNumTicks(); ++i) {
        if (!ticks.HasLabel(i)) continue;
        const int y = rc.bottom - static_cast<int>(std::trunc(rc.Height() * ticks.GetAt(i)));
        pDC->TextOut(rc.right, y, GetYLabelText(trace, GetYLabelValue(trace, ticks, i, iUnit, bLog, limits), iUnit));
    }
}

int CYScale::GetMaxTextWidth(CDC* pDC, CTickArray* pTicks)
{
    if (!QXVERIFY(pDC != nullptr && pTicks != nullptr)) return 0;
    const int iMargin = GetPrinterValue(pDC, 2.0, 1);
    if (!m_pLiveTrace || m_pLiveTrace->GetYUnit() == -1) return iMargin;

    CQXTrace& trace = *m_pLiveTrace;
    const int iUnit = trace.GetYUnit();
    const bool bLog = trace.GetLogY() != 0;
    const SYLimits limits = GetYLimits(trace, iUnit, bLog);

    const int iSaved = pDC->SaveDC();
    if (const CFont* pFont = GetFont(pDC, nullptr)) pDC->SelectObject(*pFont);
    int iMax = pDC->GetTextExtent(GetUnitName(iUnit)).cx;
    bool bFirst = true;
    for (int i = 0; i < pTicks->GetNumTicks(); ++i) {
        if (!pTicks->HasLabel(i)) continue;
        const CString sText = GetYLabelText(trace, GetYLabelValue(trace, *pTicks, i, iUnit, bLog, limits), iUnit);
        const int iWidth = pDC->GetTextExtent(sText).cx;
        if (bFirst) m_iFirstLabelWidth = iWidth;
        m_iLastLabelWidth = iWidth;
        iMax = std::max(iMax, iWidth);
        bFirst = false;
    }
    pDC->RestoreDC(iSaved);
    return iMax + iMargin;
}

// ---- Colour ----------------------------------------------------------------------

CQXTrace* CYScale::FindColorTrace(CGraphDoc& doc) const
{
    const bool bAllOnOneView = doc.DrawingAllOnSameView() != 0;
    const ChannelNumber eOwn = m_eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A;
    const ChannelNumber eOther = eOwn == CHANNEL_A ? CHANNEL_B : CHANNEL_A;

    CQXTrace* pCurrent = doc.GetCurrentTrace(eOwn);
    if (pCurrent && pCurrent->GetYScale() == this) return pCurrent;
    CQXTrace* pOtherCurrent = doc.GetCurrentTrace(eOther);
    if (bAllOnOneView && pOtherCurrent && pOtherCurrent->GetYScale() == this) return pOtherCurrent;

    for (CQXTrace* pTrace : doc.GetTraceArray(eOwn))
        if (pTrace && pTrace->IsInUse() && pTrace->IsOn() && pTrace->GetYScale() == this) return pTrace;

    if (pOtherCurrent && pOtherCurrent->GetYScale() == this) return pOtherCurrent;
    return m_pLiveTrace;
}

COLORREF CYScale::GetColor(CDC* pDC)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (pDoc && pDoc->GetDrawContext(pDC).bScalesMonochrome) return 0;
    CQXTrace* pTrace = pDoc ? FindColorTrace(*pDoc) : m_pLiveTrace;
    if (!pTrace) return kNoTraceColor;
    return pTrace->GetScaleColorTrace()->GetScreenColor();
}
