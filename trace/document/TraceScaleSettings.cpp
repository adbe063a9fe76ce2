#include "trace/document/TraceScaleSettings.h"

#include "trace/display/XScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

namespace {

void Hint(CQXTrace& trace, CGraphDoc* pDoc, int bUpdate, int iHint)
{
    if (bUpdate && pDoc) pDoc->UpdateAllViews(iHint, &trace);
}

} // namespace

EScaleSetting SetTraceRange(CQXTrace& trace, CGraphDoc* pDoc, AxisType eAxis, double dMin, double dMax, int bUpdate)
{
    if (eAxis == Y_AXIS) {
        const int iUnit = trace.GetYUnit();
        return SetTraceYDataRange(trace, pDoc, trace.GetYDataForValue(std::min(dMin, dMax), iUnit, 0),
                                  trace.GetYDataForValue(std::max(dMin, dMax), iUnit, 0), bUpdate);
    }
    const int iUnit = trace.GetXUnit();
    const int iMinPos = trace.GetXPosForValue(std::min(dMin, dMax), iUnit);
    const int iMaxPos = trace.GetXPosForValue(std::max(dMin, dMax), iUnit);
    if (iMinPos >= iMaxPos || !trace.CanZoomX(iMinPos, iMaxPos)) return EScaleSetting::refused;
    trace.ZoomX(0, iMinPos, iMaxPos, 1);
    if (pDoc) pDoc->AdjustXScalesOfRelatedTraces(&trace, 0, 0, 0);
    Hint(trace, pDoc, bUpdate, UPDATE_TRACE_ZOOMX);
    return EScaleSetting::done;
}

EScaleSetting SetTraceYDataRange(CQXTrace& trace, CGraphDoc* pDoc, double dMinData, double dMaxData, int bUpdate)
{
    if (!(dMinData < dMaxData) || !trace.CanZoomY(dMinData, dMaxData)) return EScaleSetting::refused;
    trace.ZoomY(0, dMinData, dMaxData, 1);
    if (pDoc) pDoc->AdjustYScalesOfRelatedTraces(&trace, 0, 0);
    Hint(trace, pDoc, bUpdate, UPDATE_TRACE_ZOOMY);
    return EScaleSetting::done;
}

bool TraceLogAllowed(CQXTrace& trace, AxisType eAxis)
{
    int bDbUnit = 0, bLogAllowed = 0;
    trace.GetLogDetails(eAxis, eAxis == X_AXIS ? trace.GetXUnit() : trace.GetYUnit(), &bDbUnit, &bLogAllowed);
    return bLogAllowed != 0;
}

EScaleSetting SetTraceIntervals(CQXTrace& trace, CGraphDoc* pDoc, AxisType eAxis, int iIntervals, bool bLog,
                                int bUpdate)
{
    const bool bX = eAxis == X_AXIS;
    const bool bAuto = iIntervals == TRACE_INTERVALS_AUTO;
    CXScale* pXScale = bX ? trace.GetXScale() : nullptr;
    if ((!bAuto && (iIntervals < 1 || iIntervals > CTickArray::kMaxTicks - 1)) || (bX && !pXScale))
        return EScaleSetting::refused;
    if (bLog && !TraceLogAllowed(trace, eAxis)) return EScaleSetting::logRefused;
    // A fixed count is kept as its tick count, which the tick calculation leaves alone.
    CTickArray& ticks = bX ? pXScale->GetTicks() : trace.GetTicks();
    if (!bAuto) ticks.SetNumTicks(iIntervals + 1);
    if (bX) {
        pXScale->SetAutoIntervals(bAuto);
        trace.SetLogX(bLog);
        if (pDoc) pDoc->AdjustXScalesOfRelatedTraces(&trace, 0, 1, 0);
    } else {
        trace.SetYAutoIntervals(bAuto);
        trace.SetLogY(bLog);
        if (pDoc) pDoc->AdjustYScalesOfRelatedTraces(&trace, 0, 1);
    }
    Hint(trace, pDoc, bUpdate, bX ? UPDATE_TRACE_ZOOMX : UPDATE_TRACE_ZOOMY);
    return EScaleSetting::done;
}

void GetTraceRange(CQXTrace& trace, AxisType eAxis, bool bFull, double* pdMin, double* pdMax)
{
    if (eAxis == X_AXIS) {
        const int iUnit = trace.GetXUnit();
        *pdMin = trace.GetXValueAtPos(bFull ? trace.GetMinXPos() : trace.GetCurrentMinXPos(), iUnit);
        *pdMax = trace.GetXValueAtPos(bFull ? trace.GetMaxXPos() : trace.GetCurrentMaxXPos(), iUnit);
    } else if (bFull) {
        const EUnit eUnit = static_cast<EUnit>(trace.GetYUnit());
        *pdMin = trace.GetMinYValue(eUnit);
        *pdMax = trace.GetMaxYValue(eUnit);
    } else {
        const int iUnit = trace.GetYUnit();
        *pdMin = trace.GetYValueForData(trace.GetCurrentMinYData(), iUnit, 0, 0);
        *pdMax = trace.GetYValueForData(trace.GetCurrentMaxYData(), iUnit, 0, 0);
    }
}

int GetTraceIntervals(CQXTrace& trace, AxisType eAxis)
{
    const bool bX = eAxis == X_AXIS;
    const CXScale* pXScale = trace.GetXScale();
    const bool bAuto = bX ? (pXScale && pXScale->GetAutoIntervals()) : trace.GetYAutoIntervals();
    const CTickArray& ticks = bX && pXScale ? pXScale->GetTicks() : trace.GetTicks();
    return bAuto ? TRACE_INTERVALS_AUTO : ticks.GetNumTicks() - 1;
}

CQXTrace& GetScalesTrace(CQXTrace& trace)
{
    CQXTrace* pOwner = trace.GetOwnerTrace();
    return pOwner ? *pOwner : trace;
}
