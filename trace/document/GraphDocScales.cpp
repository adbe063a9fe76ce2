// CGraphDoc: scale sharing. Which traces are related is decided afresh each
// time (ScaleSharing.h); here are the lookups of existing scales, the
// matching of a new trace to them, and the propagation of a trace's X and Y
// changes to its limit lines, the host's sweep records and related traces.
//
// Scale objects belong to the document (m_apXScales, m_apYScales). Traces
// drawn on one axis point at one object; a trace lets go of a scale through
// CQXTrace::UpdateXScales/DeleteXScale, which deletes it only when no trace of
// either channel still points at it.

#include "trace/document/GraphDoc.h"

#include "host/app/DebugLog.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/OptionsSettings.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"
#include "trace/document/ScaleSharing.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"
#include "trace/types/SweepTrace.h"

#include <algorithm>
#include <new>

namespace {

bool IsShown(CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && pTrace->IsOn(); }

bool SameXScaleOption()
{
    const COptionsSettings* pOptions = GetOptionsSettings();
    return pOptions && pOptions->GetSameXScale();
}

// Limit lines follow their trace's windows (and re-read its scales).
void FollowLimitLines(CQXTrace* pTrace, CGraphDoc* pRedrawIn)
{
    for (CQXTrace* p : {pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()}) {
        auto* pLimit = dynamic_cast<CLimitLine*>(p);
        if (!pLimit) continue;
        pLimit->SetScaleValuesFromTrace(false);
        if (pRedrawIn && pLimit->IsOn()) pRedrawIn->UpdateAllViews(UPDATE_TRACE_REDRAW, pLimit);
    }
}

// The current X positions of a trace at the X values of a window.
void PlaceXWindow(CQXTrace* pTrace, double dMin, double dMax, int iUnit)
{
    if (pTrace->GetDataSize() <= 0) return;
    const int iFirst = pTrace->GetMinXPos();
    const int iLast = pTrace->GetMaxXPos();
    pTrace->SetCurrentMinXPos(std::clamp(pTrace->GetXPosForValue(dMin, iUnit), iFirst, std::max(iFirst, iLast)));
    pTrace->SetCurrentMaxXPos(std::clamp(pTrace->GetXPosForValue(dMax, iUnit), iFirst, std::max(iFirst, iLast)));
}

// The Y window of pFrom: its data limits, and values recomputed in the
// trace's own unit on the same channel or copied from the other channel,
// whose data may be scaled differently.
void TakeYWindow(CQXTrace* pTo, CQXTrace* pFrom)
{
    const double dMinData = pFrom->GetCurrentMinYData();
    const double dMaxData = pFrom->GetCurrentMaxYData();
    pTo->SetCurrentMinYData(dMinData);
    pTo->SetCurrentMaxYData(dMaxData);
    if (pTo->GetChannel() == pFrom->GetChannel()) {
        const int iUnit = pTo->GetYUnit();
        pTo->SetCurrentMinYScaleValue(pTo->GetYValueForData(dMinData, iUnit, 0, 1));
        pTo->SetCurrentMaxYScaleValue(pTo->GetYValueForData(dMaxData, iUnit, 0, 1));
    } else {
        pTo->SetCurrentMinYScaleValue(pFrom->GetCurrentMinYScaleValue());
        pTo->SetCurrentMaxYScaleValue(pFrom->GetCurrentMaxYScaleValue());
    }
}

void TakeYUnit(CQXTrace* pTo, CQXTrace* pFrom)
{
    const int iUnit = pFrom->GetYUnit();
    if (pTo->GetYUnit() != iUnit && iUnit != -1 && pTo->CheckUnit(iUnit, Y_AXIS)) pTo->SetYUnit(iUnit);
    pTo->SetLogY(pFrom->GetLogY());
}

// A sweep trace's X axis matches another's when both are described the same
// way: by sources of one kind, or by results of one kind.
int SweepXAxesMatch(CQXTrace* pA, CQXTrace* pB)
{
    if (!ShouldUseSameXScale(pA, pB)) return 0;
    auto* pSweepA = dynamic_cast<CSweepTrace*>(pA);
    auto* pSweepB = dynamic_cast<CSweepTrace*>(pB);
    if (!pSweepA || !pSweepB) return 1;
    if (pSweepA->IsXAxisSource() != pSweepB->IsXAxisSource()) return 0;
    if (pSweepA->IsXAxisSource()) return SweepSourceTypesMatch(pSweepA->GetXAxisSourceType(), pSweepB->GetXAxisSourceType());
    return SweepResultsHaveSameYScale(pSweepA->GetXAxisResultID(), 0, pSweepB->GetXAxisResultID(), 0);
}

} // namespace

std::vector<ChannelNumber> CGraphDoc::GetChannelsSearched(ChannelNumber eChannel) const
{
    if (eChannel != CHANNEL_A && eChannel != CHANNEL_B) return {};
    if (SameXScaleOption() || DrawingAllOnSameView()) return {CHANNEL_A, CHANNEL_B};
    return {eChannel};
}

template <class Fn>
void CGraphDoc::ForEachRelatedTrace(CQXTrace* pTrace, int (*fnShares)(CQXTrace*, CQXTrace*), Fn fn)
{
    for (ChannelNumber eChannel : GetChannelsSearched(pTrace->GetChannel()))
        for (CQXTrace* pOther : GetTraceArray(eChannel))
            if (pOther != pTrace && IsShown(pOther) && fnShares(pTrace, pOther)) fn(pOther);
}

// ---- Existing scales --------------------------------------------------------------

CYScale* CGraphDoc::GetExistingYScale(CQXTrace* pTrace)
{
    if (!pTrace) return nullptr;
    for (ChannelNumber eChannel : GetChannelsSearched(pTrace->GetChannel()))
        for (CQXTrace* pOther : GetTraceArray(eChannel))
            if (pOther && pOther != pTrace && pOther->GetYScale() && ShouldUseSameYScale(pTrace, pOther))
                return pOther->GetYScale();
    return nullptr;
}

CXScale* CGraphDoc::GetExistingXScale(ChannelNumber eChannel, ScaleType eType, double dMin, double dMax,
                                      int bSameRange)
{
    for (ChannelNumber eSearched : GetChannelsSearched(eChannel))
        for (CQXTrace* pOther : GetTraceArray(eSearched)) {
            CXScale* pScale = IsShown(pOther) ? pOther->GetXScale() : nullptr;
            if (!pScale || pScale->GetScaleType() != eType) continue;
            if (bSameRange && (pOther->GetMinXScaleValue() != dMin || pOther->GetMaxXScaleValue() != dMax)) continue;
            return pScale;
        }
    return nullptr;
}

// ---- Matching a new trace ------------------------------------------------------------

int CGraphDoc::MatchToExistingScales(CQXTrace* pTrace, int bUpdate)
{
    if (!pTrace || pTrace->IsLimitLine() || !IsSingleChannel(pTrace->GetChannel()) || !pTrace->GetXScale()) return 0;
    const bool bSweep = pTrace->IsSweepTrace();
    CQXTrace* pXMatch = nullptr;
    CQXTrace* pYMatch = nullptr;
    ForEachRelatedTrace(pTrace, bSweep ? SweepXAxesMatch : ShouldUseSameXScale, [&](CQXTrace* pOther) {
        if (!pXMatch && pOther->GetXScale()) pXMatch = pOther;
    });
    ForEachRelatedTrace(pTrace, ShouldUseSameYScale, [&](CQXTrace* pOther) {
        if (!pYMatch && pOther->GetYScale()) pYMatch = pOther;
    });

    if (pXMatch) {
        pTrace->UpdateXScales(pXMatch->GetXScale());
        PlaceXWindow(pTrace, pXMatch->GetCurrentMinXScaleValue(), pXMatch->GetCurrentMaxXScaleValue(),
                     pTrace->GetXUnit());
        pTrace->CalcXTicks();
    } else {
        KeepScalesOnlyWithRelatedTraces(pTrace, X_AXIS);
    }
    if (pYMatch) {
        pTrace->UpdateYScales(pYMatch->GetYScale());
        TakeYUnit(pTrace, pYMatch);
        TakeYWindow(pTrace, pYMatch);
        pTrace->CalcYTicks();
    } else {
        KeepScalesOnlyWithRelatedTraces(pTrace, Y_AXIS);
    }
    if (!pXMatch && !pYMatch) return 0;
    FollowLimitLines(pTrace, nullptr);
    pTrace->RecalcTrace();
    if (bUpdate) {
        if (pXMatch) UpdateAllViews(UPDATE_TRACE_ZOOMX, pTrace);
        if (pYMatch) UpdateAllViews(UPDATE_TRACE_ZOOMY, pTrace);
    }
    QXDebugLog(3, "CGraphDoc::MatchToExistingScales", "SCALE: trace %d matched X to %d, Y to %d",
               static_cast<int>(pTrace->GetTraceID()), pXMatch ? static_cast<int>(pXMatch->GetTraceID()) : -1,
               pYMatch ? static_cast<int>(pYMatch->GetTraceID()) : -1);
    return 1;
}

void CGraphDoc::KeepScalesOnlyWithRelatedTraces(CQXTrace* pTrace, AxisType eAxis)
{
    // A scale object stands for one axis: a trace that no longer shares it
    // with every trace drawn on it takes a copy of its own.
    CScale* pScale = eAxis == X_AXIS ? static_cast<CScale*>(pTrace->GetXScale()) : pTrace->GetYScale();
    if (!pScale) return;
    const auto fnShares = eAxis == X_AXIS ? ShouldUseSameXScale : ShouldUseSameYScale;
    bool bUnrelated = false;
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pOther : GetTraceArray(eChannel)) {
            if (!pOther || pOther == pTrace) continue;
            const CScale* pTheirs = eAxis == X_AXIS ? static_cast<CScale*>(pOther->GetXScale()) : pOther->GetYScale();
            bUnrelated = bUnrelated || (pTheirs == pScale && !fnShares(pTrace, pOther));
        }
    if (!bUnrelated) return;
    if (eAxis == X_AXIS) {
        auto* pCopy = new (std::nothrow) CXScale(*pTrace->GetXScale());
        if (!pCopy) return;
        AddXScale(pCopy);
        pTrace->UpdateXScales(pCopy);
    } else {
        auto* pCopy = new (std::nothrow) CYScale(*pTrace->GetYScale());
        if (!pCopy) return;
        pCopy->SetLiveTrace(pTrace);
        pCopy->SetDetails(pCopy->GetSide(), pCopy->GetPosition(), pTrace->GetChannel());
        AddYScale(pCopy);
        pTrace->UpdateYScales(pCopy);
    }
}

// ---- Propagation ----------------------------------------------------------------------

void CGraphDoc::AdjustXScalesOfRelatedTraces(CQXTrace* pTrace, int bUpdate, int bUnitsOnly, int /*bFromMouse*/)
{
    pTrace = OwnerOf(pTrace);
    if (!pTrace || !pTrace->GetXScale() || !IsSingleChannel(pTrace->GetChannel())) return;
    const double dCurrentMin = pTrace->GetCurrentMinXScaleValue();
    const double dCurrentMax = pTrace->GetCurrentMaxXScaleValue();
    const double dMin = pTrace->GetMinXScaleValue();
    const double dMax = pTrace->GetMaxXScaleValue();
    const int iUnit = pTrace->GetXUnit();
    const int bLog = pTrace->GetLogX();
    UpdateSweepXDetails(pTrace);
    FollowLimitLines(pTrace, bUpdate ? this : nullptr);

    CQXTrace* pOtherChannelTrace = nullptr;
    ForEachRelatedTrace(pTrace, ShouldUseSameXScale, [&](CQXTrace* pOther) {
        pOther->SetLogX(bLog);
        if (pOther->GetXUnit() != iUnit) {
            pOther->SetXUnit(iUnit);
            if (pOther->IsLive() || pTrace->GetComputeTrace() == pOther) {
                pOther->SetMinXScaleValue(dMin);
                pOther->SetMaxXScaleValue(dMax);
            }
        }
        if (!bUnitsOnly) {
            if (pOther->IsLive()) pOther->UpdateTriggerDetailsFrom(pTrace);
            PlaceXWindow(pOther, dCurrentMin, dCurrentMax, iUnit);
            if (CXScale* pTheirs = pOther->GetXScale(); pTheirs != pTrace->GetXScale()) {
                pTheirs->GetTicks() = pTrace->GetXScale()->GetTicks();
                pTheirs->SetCurrentMinXScaleValue(dCurrentMin);
                pTheirs->SetCurrentMaxXScaleValue(dCurrentMax);
            }
        }
        FollowLimitLines(pOther, nullptr);
        pOther->CalcXTicks();
        pOther->RecalcTrace();
        if (!pOtherChannelTrace && pOther->GetChannel() != pTrace->GetChannel()) pOtherChannelTrace = pOther;
    });
    pTrace->CalcXTicks();
    if (!bUpdate) return;
    UpdateAllViews(UPDATE_TRACE_ZOOMX, pTrace);
    if (pOtherChannelTrace && SameXScaleOption()) UpdateAllViews(UPDATE_TRACE_ZOOMX, pOtherChannelTrace);
}

void CGraphDoc::AdjustYScalesOfRelatedTraces(CQXTrace* pTrace, int bUpdate, int bUnitsOnly)
{
    pTrace = OwnerOf(pTrace);
    if (!pTrace || !IsSingleChannel(pTrace->GetChannel())) return;
    FollowLimitLines(pTrace, nullptr);
    ForEachRelatedTrace(pTrace, ShouldUseSameYScale, [&](CQXTrace* pOther) {
        TakeYUnit(pOther, pTrace);
        if (!bUnitsOnly) TakeYWindow(pOther, pTrace);
        pOther->CalcYTicks();
        pOther->RecalcTrace();
        FollowLimitLines(pOther, nullptr);
        UpdateSweepYDetails(pOther);
    });
    pTrace->CalcYTicks();
    UpdateSweepYDetails(pTrace);
    if (bUpdate) UpdateAllViews(UPDATE_GRAPH_REDRAWALL, this);
}

void CGraphDoc::UpdateOtherTracesWithYScale(CQXTrace* pTrace)
{
    pTrace = OwnerOf(pTrace);
    if (!pTrace || !pTrace->GetYScale()) return;
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pOther : GetTraceArray(eChannel)) {
            if (!pOther || pOther == pTrace || pOther->GetYScale() != pTrace->GetYScale()) continue;
            TakeYUnit(pOther, pTrace);
            TakeYWindow(pOther, pTrace);
            pOther->CalcYTicks();
            pOther->RecalcTrace();
            FollowLimitLines(pOther, nullptr);
        }
}

void CGraphDoc::AdjustCursorUnitOfRelatedTraces(CQXTrace* pTrace, int iAxis)
{
    pTrace = OwnerOf(pTrace);
    if (!pTrace || !IsSingleChannel(pTrace->GetChannel())) return;
    if (iAxis == 0) {
        const int iUnit = pTrace->GetCursorXUnit();
        ForEachRelatedTrace(pTrace, ShouldUseSameXScale, [&](CQXTrace* pOther) { pOther->SetCursorXUnit(iUnit, 0); });
    } else {
        const int iUnit = pTrace->GetCursorYUnit();
        ForEachRelatedTrace(pTrace, ShouldUseSameYScale, [&](CQXTrace* pOther) {
            if (pOther->CheckUnit(iUnit, Y_AXIS)) pOther->SetCursorYUnit(iUnit, 0);
        });
    }
}

void CGraphDoc::GangYScales(CQXTrace* pTrace)
{
    pTrace = OwnerOf(pTrace);
    if (!pTrace || !IsSingleChannel(pTrace->GetChannel())) return;
    const CXScale* pXScale = pTrace->GetXScale();
    ForEachRelatedTrace(pTrace, ShouldUseSameYScale, [&](CQXTrace* pOther) {
        const CXScale* pTheirs = pOther->GetXScale();
        const bool bSameX = pTheirs && pTheirs == pXScale;
        const bool bGangedChannel = pOther->GetChannel() != pTrace->GetChannel() && pTheirs && pXScale &&
                                    pTheirs->GetScaleType() == pXScale->GetScaleType();
        if (!bSameX && !bGangedChannel) return;
        TakeYWindow(pOther, pTrace);
        pOther->CalcYTicks();
        pOther->RecalcTrace();
        FollowLimitLines(pOther, nullptr);
    });
}
