// CQXTrace: zoom windows, automatic and default windows, and the zoom history.

#include "trace/model/QXTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "trace/core/ScaleMath.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"
#include "trace/core/ZoomMath.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

bool HasData(CQXTrace& trace)
{
    return trace.GetDataSize() > 0;
}

bool IsScopeLike(CQXTrace& trace)
{
    const TraceType eType = trace.GetTraceType();
    return eType == TT_SCOPE || eType == TT_CTDET;
}

SXWindow GetXWindow(CQXTrace& trace)
{
    return {trace.GetMinXPos(), trace.GetMaxXPos(), trace.GetCurrentMinXPos(), trace.GetCurrentMaxXPos()};
}

// The current X window at two positions, its values following them.
void SetXWindow(CQXTrace& trace, int iMinPos, int iMaxPos)
{
    trace.SetCurrentMinXPos(iMinPos);
    trace.SetCurrentMaxXPos(iMaxPos);
    const int iUnit = trace.GetXUnit();
    double dMin = trace.GetXValueAtPos(iMinPos, iUnit);
    const double dMax = trace.GetXValueAtPos(iMaxPos, iUnit);
    if (trace.GetLogX()) EnsureLogStartCorrect(&dMin, dMax, iUnit);
    trace.SetCurrentMinXScaleValue(dMin);
    trace.SetCurrentMaxXScaleValue(dMax);
}

// The current Y window in data, its values following it.
void SetYWindowFromData(CQXTrace& trace, double dMinData, double dMaxData)
{
    const int iUnit = trace.GetYUnit();
    trace.SetCurrentMinYData(dMinData);
    trace.SetCurrentMaxYData(dMaxData);
    trace.SetCurrentMinYScaleValue(trace.GetYValueForData(dMinData, iUnit, 0, 1));
    trace.SetCurrentMaxYScaleValue(trace.GetYValueForData(dMaxData, iUnit, 0, 1));
}

// The current Y window in values, its data following it.
void SetYWindowFromValues(CQXTrace& trace, double dMinValue, double dMaxValue)
{
    const int iUnit = trace.GetYUnit();
    trace.SetCurrentMinYScaleValue(dMinValue);
    trace.SetCurrentMaxYScaleValue(dMaxValue);
    trace.SetCurrentMinYData(trace.GetYDataForValue(dMinValue, iUnit, 1));
    trace.SetCurrentMaxYData(trace.GetYDataForValue(dMaxValue, iUnit, 1));
}

// The full Y range in data: signed where the kind has data of that sign.
void GetFullYDataRange(CQXTrace& trace, double* pdMin, double* pdMax)
{
    const EUnit eUnit = static_cast<EUnit>(trace.GetYUnit());
    *pdMin = trace.GetYDataForValue(trace.GetMinYValue(eUnit), eUnit, 1);
    *pdMax = trace.GetYDataForValue(trace.GetMaxYValue(eUnit), eUnit, 1);
    if (trace.HasNegativeYData()) *pdMin = -std::fabs(*pdMin);
    if (trace.HasPositiveYData()) *pdMax = std::fabs(*pdMax);
}

void SendZoomHint(CQXTrace& trace, int iHint)
{
    if (CGraphDoc* pDoc = GetGraphDoc())
        pDoc->UpdateAllViews(iHint, &trace);
    else
        UpdateViews(nullptr, iHint, &trace);
}

// What every zoom ends with: ticks of the axes it changed, the plot of the
// trace and its limit lines, and the views when asked.
void FinishZoom(CQXTrace& trace, bool bX, bool bY, int bUpdateViews, int iHint)
{
    if (bX) trace.CalcXTicks();
    if (bY) trace.CalcYTicks();
    trace.RecalcTrace();
    if (bUpdateViews) SendZoomHint(trace, iHint);
}

struct SYWindow {
    double dMinData;
    double dMaxData;
    bool operator==(const SYWindow&) const = default;
};

SYWindow GetYWindow(CQXTrace& trace)
{
    return {trace.GetCurrentMinYData(), trace.GetCurrentMaxYData()};
}

// One end of an unzoomed data window: it keeps the sign its old end had and
// stays inside the full value range.
double ClampUnzoomedDataEnd(CQXTrace& trace, double dData, bool bWasNegative)
{
    const EUnit eUnit = static_cast<EUnit>(trace.GetYUnit());
    if (bWasNegative) dData = -std::fabs(dData);
    const double dValue = trace.GetYValueForData(dData, eUnit, 0, 1);
    const double dMinValue = trace.GetMinYValue(eUnit);
    const double dMaxValue = trace.GetMaxYValue(eUnit);
    if (dValue >= dMinValue && dValue <= dMaxValue) return dData;
    const double dLimit = dValue < dMinValue ? dMinValue : dMaxValue;
    const double dMagnitude = std::fabs(trace.GetYDataForValue(dLimit, eUnit, 1));
    return dData < 0.0 ? -dMagnitude : dMagnitude;
}

} // namespace

// ---- History -------------------------------------------------------------------------

int CQXTrace::StoreCurrentZoomDetails()
{
    return m_ZoomHistory.AddZoomDetails(GetCurrentMinXPos(), GetCurrentMaxXPos(), m_dCurrentMinYData,
                                        m_dCurrentMaxYData);
}

int CQXTrace::RestoreLastZoomDetails()
{
    int iMinPos = 0;
    int iMaxPos = 0;
    double dMinData = 0.0;
    double dMaxData = 0.0;
    if (!m_ZoomHistory.RestoreLastZoomDetails(&iMinPos, &iMaxPos, &dMinData, &dMaxData)) {
        QXASSERT(HasZoomHistory());
        MessageBeep(MB_OK);
        return 0;
    }
    SetXWindow(*this, iMinPos, iMaxPos);
    SetYWindowFromData(*this, dMinData, dMaxData);
    CalcXTicks();
    CalcYTicks();
    RecalcTrace();
    return 1;
}

// ---- Explicit windows ------------------------------------------------------------------

void CQXTrace::ZoomX(int bUpdateViews, int iMinPos, int iMaxPos, int bStoreHistory)
{
    if (!HasData(*this)) return;
    if (!QXVERIFY(iMinPos <= iMaxPos)) std::swap(iMinPos, iMaxPos);
    iMinPos = std::clamp(iMinPos, GetMinXPos(), GetMaxXPos());
    iMaxPos = std::clamp(iMaxPos, GetMinXPos(), GetMaxXPos());
    if (bStoreHistory) StoreCurrentZoomDetails();
    SetXWindow(*this, iMinPos, iMaxPos);
    FinishZoom(*this, true, false, bUpdateViews, UPDATE_TRACE_ZOOMX);
}

void CQXTrace::ZoomY(int bUpdateViews, double dMinData, double dMaxData, int bStoreHistory)
{
    if (bStoreHistory) StoreCurrentZoomDetails();
    SetYWindowFromData(*this, dMinData, dMaxData);
    FinishZoom(*this, false, true, bUpdateViews, UPDATE_TRACE_ZOOMY);
}

void CQXTrace::ZoomXAndY(int bUpdateViews, int iMinPos, int iMaxPos, double dMinData, double dMaxData,
                         int bStoreHistory)
{
    if (bStoreHistory) StoreCurrentZoomDetails();
    ZoomX(0, iMinPos, iMaxPos, 0);
    ZoomY(0, dMinData, dMaxData, 0);
    if (bUpdateViews) SendZoomHint(*this, UPDATE_TRACE_ZOOMBOTH);
}

// ---- Zoom factors ------------------------------------------------------------------------

void CQXTrace::CalcNewXZoomValues(double dFactor, int iCentrePos, int* piMin, int* piMax)
{
    CQXTrace* pParent = GetParentTrace();
    if (ZoomsWithParentTrace() && pParent) {
        pParent->CalcNewXZoomValues(dFactor, iCentrePos, piMin, piMax);
        return;
    }
    if (!HasData(*this)) return;
    CalcZoomedXWindow(GetXWindow(*this), dFactor, iCentrePos, piMin, piMax);
}

int CQXTrace::GetXZoomCentrePoint()
{
    if (m_bCursorOn && m_pCursor) return m_pCursor->GetPosition(1);
    return GetXWindowCentre(GetXWindow(*this));
}

void CQXTrace::CalcNewYZoomValues(double dFraction, double* pdMinData, double* pdMaxData)
{
    if (!pdMinData || !pdMaxData) {
        QXASSERT(pdMinData && pdMaxData);
        return;
    }
    QXASSERT(dFraction <= 1.0);
    QXASSERT(GetCurrentMaxYData() != GetCurrentMinYData());
    const EUnit eUnit = static_cast<EUnit>(GetYUnit());
    if (ManageUsingYValues()) {
        const double dMin = m_dCurrentMinYScaleValue;
        const double dMax = m_dCurrentMaxYScaleValue;
        double dNewMin = 0.0;
        double dNewMax = 0.0;
        PlaceYWindow(dMin, dMax, GetMinYValue(eUnit), GetMaxYValue(eUnit), (dMax - dMin) * dFraction, &dNewMin,
                     &dNewMax);
        *pdMinData = GetYDataForValue(dNewMin, eUnit, 1);
        *pdMaxData = GetYDataForValue(dNewMax, eUnit, 1);
        return;
    }
    double dFullMin = 0.0;
    double dFullMax = 0.0;
    GetFullYDataRange(*this, &dFullMin, &dFullMax);
    const double dMin = m_dCurrentMinYData;
    const double dMax = m_dCurrentMaxYData;
    PlaceYWindow(dMin, dMax, dFullMin, dFullMax, (dMax - dMin) * dFraction, pdMinData, pdMaxData);
}

// ---- Zooming out ---------------------------------------------------------------------------

void CQXTrace::UnZoomX(int bUpdateViews, int bStoreHistory)
{
    if (!HasData(*this)) return;
    int iMin = GetCurrentMinXPos();
    int iMax = GetCurrentMaxXPos();
    CalcNewXZoomValues(2.0, GetXZoomCentrePoint(), &iMin, &iMax);
    iMin = std::clamp(iMin, GetMinXPos(), GetMaxXPos());
    iMax = std::clamp(iMax, GetMinXPos(), GetMaxXPos());
    if (bStoreHistory) StoreCurrentZoomDetails();
    SetXWindow(*this, iMin, iMax);
    FinishZoom(*this, true, false, bUpdateViews, UPDATE_TRACE_ZOOMX);
}

void CQXTrace::UnZoomY(int bUpdateViews, int bStoreHistory)
{
    QXASSERT(GetCurrentMaxYData() != GetCurrentMinYData());
    if (bStoreHistory) StoreCurrentZoomDetails();
    const EUnit eUnit = static_cast<EUnit>(GetYUnit());
    if (ManageUsingYValues()) {
        const double dFullMin = GetMinYValue(eUnit);
        const double dFullMax = GetMaxYValue(eUnit);
        const double dMin = m_dCurrentMinYScaleValue;
        const double dMax = m_dCurrentMaxYScaleValue;
        double dNewMin = 0.0;
        double dNewMax = 0.0;
        PlaceYWindow(dMin, dMax, dFullMin, dFullMax, 2.0 * (dMax - dMin), &dNewMin, &dNewMax);
        SetYWindowFromValues(*this, std::clamp(dNewMin, std::min(dFullMin, dFullMax), dFullMax),
                             std::clamp(dNewMax, std::min(dFullMin, dFullMax), dFullMax));
    } else {
        double dFullMin = 0.0;
        double dFullMax = 0.0;
        GetFullYDataRange(*this, &dFullMin, &dFullMax);
        const double dMin = m_dCurrentMinYData;
        const double dMax = m_dCurrentMaxYData;
        double dNewMin = 0.0;
        double dNewMax = 0.0;
        PlaceYWindow(dMin, dMax, dFullMin, dFullMax, 2.0 * (dMax - dMin), &dNewMin, &dNewMax);
        SetYWindowFromData(*this, ClampUnzoomedDataEnd(*this, dNewMin, dMin < 0.0),
                           ClampUnzoomedDataEnd(*this, dNewMax, dMax < 0.0));
    }
    FinishZoom(*this, false, true, bUpdateViews, UPDATE_TRACE_ZOOMY);
}

void CQXTrace::UnZoomXAndY(int bUpdateViews)
{
    StoreCurrentZoomDetails();
    UnZoomX(0, 0);
    UnZoomY(0, 0);
    if (bUpdateViews) SendZoomHint(*this, UPDATE_TRACE_ZOOMBOTH);
}

// ---- Zoom tests --------------------------------------------------------------------------------

int CQXTrace::CanZoomX(int iMinPos, int iMaxPos)
{
    CQXTrace* pParent = GetParentTrace();
    if (ZoomsWithParentTrace() && pParent) return pParent->CanZoomX(iMinPos, iMaxPos);
    return HasData(*this) && iMaxPos - iMinPos > 1;
}

int CQXTrace::CanUnZoomX()
{
    CQXTrace* pParent = GetParentTrace();
    if (ZoomsWithParentTrace() && pParent) return pParent->CanUnZoomX();
    if (!HasData(*this)) return 0;
    const bool bFullPositions = GetCurrentMinXPos() <= GetMinXPos() && GetCurrentMaxXPos() >= GetMaxXPos();
    const bool bFullValues =
        GetCurrentMinXScaleValue() <= GetMinXScaleValue() && GetCurrentMaxXScaleValue() >= GetMaxXScaleValue();
    return !(bFullPositions && bFullValues);
}

int CQXTrace::CanZoomY(double dMinData, double dMaxData)
{
    const EUnit eUnit = static_cast<EUnit>(GetYUnit());
    const double dMin = RoundValue(GetYValueForData(dMinData, eUnit, 0, 1), eUnit);
    const double dMax = RoundValue(GetYValueForData(dMaxData, eUnit, 0, 1), eUnit);
    const double dFullMin = GetMinYValue(eUnit);
    const double dFullMax = GetMaxYValue(eUnit);
    const bool bInside = dMin >= dFullMin && dMin <= dFullMax && dMax >= dFullMin && dMax <= dFullMax;
    double dSpan = dMax - dMin;
    if ((dMinData < 0.0 && dMaxData > 0.0) || (dMinData > 0.0 && dMaxData < 0.0)) {
        // A window across zero on a dB axis reads the same value at both ends.
        if (IsScopeLike(*this) && dSpan == 0.0 && bInside) return 1;
        dSpan = std::fabs(dMax) + std::fabs(dMin);
    }
    return dMinData < dMaxData && dSpan != 0.0 && bInside;
}

int CQXTrace::CanUnZoomY()
{
    if (ManageUsingYValues()) {
        const EUnit eUnit = static_cast<EUnit>(GetYUnit());
        return GetMinYValue(eUnit) < m_dCurrentMinYScaleValue || GetMaxYValue(eUnit) > m_dCurrentMaxYScaleValue;
    }
    double dFullMin = 0.0;
    double dFullMax = 0.0;
    GetFullYDataRange(*this, &dFullMin, &dFullMax);
    return !(m_dCurrentMinYData <= dFullMin && m_dCurrentMaxYData >= dFullMax);
}

// ---- Default and automatic X windows ----------------------------------------------------------

void CQXTrace::DefaultZoomX(int bUpdateViews, int bStoreHistory)
{
    if (!HasData(*this)) return;
    if (bStoreHistory) StoreCurrentZoomDetails();
    SetXDefaultZoomValues();
    const CGraphDoc* pDoc = GetGraphDoc();
    const double dMaxAllowed = pDoc ? pDoc->GetMaxAllowedXScaleValue(this) : DBL_MAX;
    if (dMaxAllowed != DBL_MAX) {
        // Both channels show the same band: cut where the other channel ends.
        const int iPos = GetXPosForValue(dMaxAllowed, GetXUnit());
        if (iPos < GetCurrentMaxXPos()) {
            SetCurrentMaxXPos(iPos);
            SetCurrentMaxXScaleValue(dMaxAllowed);
        }
    }
    FinishZoom(*this, true, false, bUpdateViews, UPDATE_TRACE_ZOOMX);
}

void CQXTrace::AutoZoomX(int bUpdateViews, int bStoreHistory)
{
    if (!HasData(*this)) return;
    const SXWindow before = GetXWindow(*this);
    if (bStoreHistory) StoreCurrentZoomDetails();
    SetXAutoZoomValues();
    const SXWindow after = GetXWindow(*this);
    const bool bChanged = after.iCurrentMin != before.iCurrentMin || after.iCurrentMax != before.iCurrentMax;
    FinishZoom(*this, true, false, bUpdateViews && bChanged, UPDATE_TRACE_ZOOMX);
}

void CQXTrace::SetXDefaultZoomValues()
{
    const double* pY = m_pTransformedYData ? m_pTransformedYData.get() : m_pYData.get();
    const int iFirst = GetMinXPos();
    const int iLast = std::min(GetMaxXPos(), m_iDataSize - 1);
    int iStart = iFirst;
    int iEnd = GetMaxXPos();
    if (pY && iFirst <= iLast) {
        int i = iFirst;
        while (i <= iLast && pY[i] == TRACE_NULL_VALUE) ++i;
        if (i <= iLast) {
            iStart = i;
            int j = iLast;
            while (j > iStart && pY[j] == TRACE_NULL_VALUE) --j;
            iEnd = j;
        }
    }
    SetXWindow(*this, iStart, iEnd);
}

void CQXTrace::SetXAutoZoomValues()
{
    SetXDefaultZoomValues();
}

void CQXTrace::CalcDefaultXScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    const int iUnit = GetXUnit();
    *pdMin = GetXValueAtPos(GetMinXPos(), iUnit);
    *pdMax = GetXValueAtPos(GetMaxXPos(), iUnit);
}

// ---- Default and automatic Y windows ------------------------------------------------------------

void CQXTrace::DefaultZoomY(int bUpdateViews, int bStoreHistory)
{
    if (GetYUnit() == UNIT_INVALID) return;
    if (bStoreHistory) StoreCurrentZoomDetails();
    m_dYOffset = 0.0;
    m_dYOffsetData = 0.0;
    SetYDefaultZoomValues();
    SetYWindowFromData(*this, m_dCurrentMinYData, m_dCurrentMaxYData);
    FinishZoom(*this, false, true, bUpdateViews, UPDATE_TRACE_ZOOMY);
}

void CQXTrace::AutoZoomY(int bUpdateViews, int bStoreHistory)
{
    const SYWindow before = GetYWindow(*this);
    if (bStoreHistory) StoreCurrentZoomDetails();
    SetYAutoZoomValues();
    const bool bChanged = !(GetYWindow(*this) == before);
    FinishZoom(*this, false, true, bUpdateViews && bChanged, UPDATE_TRACE_ZOOMY);
}

void CQXTrace::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    const EUnit eUnit = static_cast<EUnit>(GetYUnit());
    *pdMin = GetMinYValue(eUnit);
    *pdMax = GetMaxYValue(eUnit);
}

int CQXTrace::GetYAutoZoomData(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return 0;
    }
    const double* pY = m_pTransformedYData ? m_pTransformedYData.get() : m_pYData.get();
    double dMin = DBL_MAX;
    double dMax = -DBL_MAX;
    const int iLast = std::min(GetMaxXPos(), m_iDataSize - 1);
    for (int i = std::max(GetMinXPos(), 0); pY && i <= iLast; ++i) {
        const double d = pY[i];
        if (d == TRACE_NULL_VALUE) continue;
        dMin = std::min(dMin, d);
        dMax = std::max(dMax, d);
    }
    if (dMin == DBL_MAX && dMax == -DBL_MAX) return 0;
    *pdMin = dMin;
    *pdMax = dMax;
    return 1;
}

void CQXTrace::AdjustScaleValuesForAutoZooming(double* pdMin, double* pdMax, double dSpan)
{
    const int iUnit = GetYUnit();
    SAutoZoomRounding rounding;
    rounding.dMinMultiple = GetMinMultipleForScales(iUnit);
    rounding.bStartInsideData = IsdBUnit(iUnit) && IsScopeLike(*this);
    RoundAutoZoomWindow(pdMin, pdMax, dSpan, rounding);
}

void CQXTrace::SetYAutoZoomValues()
{
    double dMinData = 0.0;
    double dMaxData = 0.0;
    if (!GetYAutoZoomData(&dMinData, &dMaxData)) return;
    const EUnit eUnit = static_cast<EUnit>(GetYUnit());
    const bool bScopeLike = IsScopeLike(*this);
    // Amplitude units lose the sign of the data; these kinds keep it apart.
    const bool bSignedKind = bScopeLike || GetTraceType() == TT_USER;
    bool bMinNegative = bSignedKind && dMinData < 0.0;
    bool bMaxNegative = bSignedKind && dMaxData < 0.0;
    const bool bChangesSign = dMinData < 0.0 && dMaxData > 0.0;
    const bool bAllZero = dMinData == 0.0 && dMaxData == 0.0;

    double dMin = GetYValueForData(dMinData, eUnit, 0, 1);
    double dMax = GetYValueForData(dMaxData, eUnit, 0, 1);
    double dSpan = std::fabs(dMin - dMax);
    if (bScopeLike && bChangesSign)
        dSpan = 2.0 * std::fabs(std::fabs(dMinData) > std::fabs(dMaxData) ? dMax : dMin);
    AdjustScaleValuesForAutoZooming(&dMin, &dMax, dSpan);

    if (bScopeLike) {
        double dMagnitude = -1.0;
        if (bChangesSign || bAllZero)
            dMagnitude = std::fabs(
                GetYValueForData(std::max(std::fabs(dMinData), std::fabs(dMaxData)), eUnit, 0, 1));
        else if (GetYDataForValue(dMin, eUnit, 1) == 0.0)
            dMagnitude = std::fabs(dMax);
        else if (GetYDataForValue(dMax, eUnit, 1) == 0.0)
            dMagnitude = std::fabs(dMin);
        if (dMagnitude >= 0.0) {
            dMin = -dMagnitude;
            dMax = dMagnitude;
            bMinNegative = true;
            bMaxNegative = false;
        }
    }

    if (!CheckYScaleValue(dMin, eUnit)) dMin = GetMinYValue(eUnit);
    if (!CheckYScaleValue(dMax, eUnit)) dMax = GetMaxYValue(eUnit);

    auto toData = [&](double dValue, bool bNegative) {
        const double dData = GetYDataForValue(dValue, eUnit, 1);
        if (!bSignedKind) return dData;
        return bNegative ? -std::fabs(dData) : std::fabs(dData);
    };
    const double dNewMinData = toData(dMin, bMinNegative);
    const double dNewMaxData = toData(dMax, bMaxNegative);
    if (dNewMinData == dNewMaxData) {
        SetYDefaultZoomValues();
    } else {
        m_dCurrentMinYData = dNewMinData;
        m_dCurrentMaxYData = dNewMaxData;
        m_dCurrentMinYScaleValue = dMin;
        m_dCurrentMaxYScaleValue = dMax;
    }
    if (IsCopy()) {
        m_dYOffset = 0.0;
        m_dYOffsetData = 0.0;
    }
}

// ---- Combined operations -------------------------------------------------------------------------

void CQXTrace::AutoZoomXAndY(int bUpdateViews)
{
    const SXWindow beforeX = GetXWindow(*this);
    const SYWindow beforeY = GetYWindow(*this);
    StoreCurrentZoomDetails();
    AutoZoomX(0, 0);
    AutoZoomY(0, 0);
    const SXWindow afterX = GetXWindow(*this);
    const bool bChanged = afterX.iCurrentMin != beforeX.iCurrentMin || afterX.iCurrentMax != beforeX.iCurrentMax ||
                          !(GetYWindow(*this) == beforeY);
    if (bUpdateViews && bChanged) SendZoomHint(*this, UPDATE_TRACE_ZOOMBOTH);
}

void CQXTrace::DefaultZoomXAndY(int bUpdateViews)
{
    StoreCurrentZoomDetails();
    DefaultZoomX(0, 0);
    DefaultZoomY(0, 0);
    if (bUpdateViews) SendZoomHint(*this, UPDATE_TRACE_ZOOMBOTH);
}

// ---- Ranges after size and rate changes -----------------------------------------------------------

void CQXTrace::SetXDataRange(int iMin, int iMax)
{
    QXASSERT(iMin <= iMax);
    const bool bWasFull = GetCurrentMinXPos() <= GetMinXPos() && GetCurrentMaxXPos() >= GetMaxXPos();
    SetMinXPos(iMin);
    SetMaxXPos(iMax);
    int iCurrentMin = std::clamp(GetCurrentMinXPos(), iMin, std::max(iMin, iMax));
    int iCurrentMax = std::clamp(GetCurrentMaxXPos(), iMin, std::max(iMin, iMax));
    // A full window stays full; one the new range no longer holds becomes full.
    if (bWasFull || iCurrentMin >= iCurrentMax) {
        iCurrentMin = iMin;
        iCurrentMax = iMax;
    }
    SetCurrentMinXPos(iCurrentMin);
    SetCurrentMaxXPos(iCurrentMax);
}

void CQXTrace::SetXValueRange(double dMin, double dMax, int bSetCurrent)
{
    SetMinXScaleValue(dMin);
    SetMaxXScaleValue(dMax);
    if (!bSetCurrent) return;
    SetCurrentMinXPos(GetMinXPos());
    SetCurrentMaxXPos(GetMaxXPos());
    SetCurrentMinXScaleValue(dMin);
    SetCurrentMaxXScaleValue(dMax);
}
