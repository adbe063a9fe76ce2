// CGraphDoc: zooming a trace together with the traces that share its
// scales, zooming every shown trace at once, and moving a trace on its Y
// scale.

#include "trace/document/GraphDoc.h"

#include "host/app/AppServices.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/OptionsSettings.h"
#include "trace/core/ZoomMath.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

namespace {

bool IsScopeLike(CQXTrace* pTrace)
{
    const TraceType eType = pTrace->GetTraceType();
    return eType == TT_SCOPE || eType == TT_CTDET;
}

void FollowParent(CQXTrace* pTrace)
{
    for (CQXTrace* p : {pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
        if (auto* pLimit = dynamic_cast<CLimitLine*>(p)) pLimit->SetScaleValuesFromTrace(false);
}

// The Y window a zoom-all gives one member of a group whose data runs from
// dGroupMin to dGroupMax: widened in the member's unit as its own auto-zoom
// would, signs kept apart for the time-domain kinds.
void ApplyGroupYWindow(CQXTrace* pTrace, double dGroupMin, double dGroupMax)
{
    const int iUnit = pTrace->GetYUnit();
    double dLow = pTrace->GetYValueForData(dGroupMin, iUnit, 0, 1);
    double dHigh = pTrace->GetYValueForData(dGroupMax, iUnit, 0, 1);
    const bool bScopeLike = IsScopeLike(pTrace);
    double dSpan = std::fabs(dLow - dHigh);
    if (bScopeLike && (dGroupMin < 0.0) != (dGroupMax < 0.0)) dSpan = (std::fabs(dHigh) + std::fabs(dLow)) * 0.5;
    pTrace->AdjustScaleValuesForAutoZooming(&dLow, &dHigh, dSpan);
    double dLowData = pTrace->GetYDataForValue(dLow, iUnit, 1);
    double dHighData = pTrace->GetYDataForValue(dHigh, iUnit, 1);
    if (bScopeLike && dGroupMin < 0.0) dLowData = -std::fabs(dLowData);
    if (bScopeLike && dGroupMax < 0.0) dHighData = -std::fabs(dHighData);
    pTrace->SetCurrentMinYScaleValue(dLow);
    pTrace->SetCurrentMaxYScaleValue(dHigh);
    pTrace->SetCurrentMinYData(dLowData);
    pTrace->SetCurrentMaxYData(dHighData);
    pTrace->CalcYTicks();
}

} // namespace

std::vector<ChannelNumber> CGraphDoc::GetChannelsZoomedTogether(ChannelNumber eChannel) const
{
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    GetChannelRange(iFirst, iLast);
    const COptionsSettings* pOptions = GetOptionsSettings();
    const bool bTogether = DrawingAllOnSameView() || (pOptions && pOptions->GetSameXScale());
    std::vector<ChannelNumber> aChannels;
    for (ChannelNumber e : {CHANNEL_A, CHANNEL_B}) {
        const bool bAsked = e == eChannel || eChannel == CHANNEL_BOTH || bTogether;
        if (bAsked && (e == iFirst || e == iLast)) aChannels.push_back(e);
    }
    return aChannels;
}

// ---- One trace and its related traces ---------------------------------------------------

void CGraphDoc::AutoZoomX(CQXTrace* pTrace, int bUpdate, int bStoreHistory)
{
    if (!(pTrace = OwnerOf(pTrace))) return;
    pTrace->AutoZoomX(0, bStoreHistory);
    AdjustXScalesOfRelatedTraces(pTrace, bUpdate, 0, 0);
}

void CGraphDoc::AutoZoomY(CQXTrace* pTrace, int bUpdate, int bStoreHistory)
{
    if (!(pTrace = OwnerOf(pTrace))) return;
    pTrace->AutoZoomY(0, bStoreHistory);
    AdjustYScalesOfRelatedTraces(pTrace, bUpdate, 0);
}

void CGraphDoc::DefaultZoomX(CQXTrace* pTrace, int bUpdate, int bStoreHistory)
{
    if (!(pTrace = OwnerOf(pTrace))) return;
    pTrace->DefaultZoomX(0, bStoreHistory);
    AdjustXScalesOfRelatedTraces(pTrace, bUpdate, 0, 0);
}

void CGraphDoc::DefaultZoomY(CQXTrace* pTrace, int bUpdate, int bStoreHistory)
{
    if (!(pTrace = OwnerOf(pTrace))) return;
    pTrace->DefaultZoomY(0, bStoreHistory);
    AdjustYScalesOfRelatedTraces(pTrace, bUpdate, 0);
}

void CGraphDoc::ZoomInX(CQXTrace* pTrace, int bUpdate)
{
    if (!(pTrace = OwnerOf(pTrace)) || pTrace->GetDataSize() <= 0) return;
    int iMin = pTrace->GetCurrentMinXPos();
    int iMax = pTrace->GetCurrentMaxXPos();
    pTrace->CalcNewXZoomValues(0.5, pTrace->GetXZoomCentrePoint(), &iMin, &iMax);
    if (!pTrace->CanZoomX(iMin, iMax)) {
        MessageBeep(0);
        return;
    }
    pTrace->ZoomX(0, iMin, iMax, 1);
    AdjustXScalesOfRelatedTraces(pTrace, bUpdate, 0, 0);
}

void CGraphDoc::ZoomInY(CQXTrace* pTrace, int bUpdate)
{
    if (!(pTrace = OwnerOf(pTrace)) || pTrace->GetCurrentMaxYData() == pTrace->GetCurrentMinYData()) return;
    double dMin = 0.0;
    double dMax = 0.0;
    pTrace->CalcNewYZoomValues(0.5, &dMin, &dMax);
    if (!pTrace->CanZoomY(dMin, dMax)) {
        MessageBeep(0);
        return;
    }
    pTrace->ZoomY(0, dMin, dMax, 1);
    AdjustYScalesOfRelatedTraces(pTrace, bUpdate, 0);
}

int CGraphDoc::ZoomToWindow(CQXTrace* pTrace, int iMinPos, int iMaxPos, double dMinData, double dMaxData)
{
    if (!(pTrace = OwnerOf(pTrace)) || !pTrace->IsInUse() || !pTrace->IsOn()) return 0;
    if (iMinPos == -1 || iMaxPos == -1) return 0;
    if (!pTrace->CanZoomX(iMinPos, iMaxPos) || !pTrace->CanZoomY(dMinData, dMaxData)) return 0;
    pTrace->ZoomXAndY(1, iMinPos, iMaxPos, dMinData, dMaxData, 1);
    FollowParent(pTrace);
    AdjustXScalesOfRelatedTraces(pTrace, 0, 0, 1);
    GangYScales(pTrace);
    pTrace->CalcXTicks();
    pTrace->CalcYTicks();
    UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    return 1;
}

void CGraphDoc::ZoomOutX(CQXTrace* pTrace, int bUpdate)
{
    if (!(pTrace = OwnerOf(pTrace))) return;
    pTrace->UnZoomX(0, 1);
    AdjustXScalesOfRelatedTraces(pTrace, bUpdate, 0, 0);
}

void CGraphDoc::ZoomOutY(CQXTrace* pTrace, int bUpdate)
{
    if (!(pTrace = OwnerOf(pTrace)) || pTrace->GetCurrentMaxYData() == pTrace->GetCurrentMinYData()) return;
    pTrace->UnZoomY(0, 1);
    AdjustYScalesOfRelatedTraces(pTrace, bUpdate, 0);
}

int CGraphDoc::UndoZoom(CQXTrace* pTrace, int bUpdate)
{
    if (!(pTrace = OwnerOf(pTrace)) || !pTrace->RestoreLastZoomDetails()) return 0;
    AdjustXScalesOfRelatedTraces(pTrace, bUpdate, 0, 0);
    AdjustYScalesOfRelatedTraces(pTrace, bUpdate, 0);
    return 1;
}

// ---- Every shown trace ---------------------------------------------------------------------

void CGraphDoc::AutoZoomAll(ChannelNumber eChannel, int bUpdate)
{
    // Groups of traces drawn on one Y scale object, in visiting order.
    std::vector<std::pair<CYScale*, std::vector<CQXTrace*>>> aGroups;
    for (ChannelNumber e : GetChannelsZoomedTogether(eChannel))
        for (CQXTrace* pTrace : GetTraceArray(e)) {
            if (!pTrace || !pTrace->IsInUse() || !pTrace->IsOn() || pTrace->IsLimitLine()) continue;
            FollowParent(pTrace);
            const auto it = std::find_if(aGroups.begin(), aGroups.end(),
                                         [&](const auto& g) { return g.first == pTrace->GetYScale(); });
            if (it != aGroups.end()) it->second.push_back(pTrace);
            else aGroups.push_back({pTrace->GetYScale(), {pTrace}});
        }

    for (auto& [pScale, aMembers] : aGroups) {
        double dGroupMin = DBL_MAX;
        double dGroupMax = -DBL_MAX;
        for (CQXTrace* pMember : aMembers) {
            double dLow = 0.0;
            double dHigh = 0.0;
            if (!pMember->GetYAutoZoomData(&dLow, &dHigh)) continue;
            dGroupMin = std::min(dGroupMin, dLow);
            dGroupMax = std::max(dGroupMax, dHigh);
        }
        if (dGroupMin == DBL_MAX || dGroupMax == -DBL_MAX) continue;
        for (CQXTrace* pMember : aMembers) {
            pMember->StoreCurrentZoomDetails();
            pMember->AutoZoomX(0, 0);
            AdjustXScalesOfRelatedTraces(pMember, 0, 0, 0);
            ApplyGroupYWindow(pMember, dGroupMin, dGroupMax);
            AdjustYScalesOfRelatedTraces(pMember, 0, 0);
            pMember->RecalcTrace();
        }
    }
    if (!aGroups.empty() && bUpdate) UpdateAllViews(UPDATE_GRAPH_REDRAWALL, this);
}

void CGraphDoc::DefaultZoomAll(ChannelNumber eChannel, int bUpdate)
{
    bool bAny = false;
    for (ChannelNumber e : GetChannelsZoomedTogether(eChannel))
        for (CQXTrace* pTrace : GetTraceArray(e)) {
            if (!pTrace || !pTrace->IsInUse() || !pTrace->IsOn() || pTrace->IsLimitLine()) continue;
            bAny = true;
            pTrace->StoreCurrentZoomDetails();
            pTrace->DefaultZoomX(0, 0);
            pTrace->DefaultZoomY(0, 0);
            AdjustXScalesOfRelatedTraces(pTrace, 0, 0, 0);
            AdjustYScalesOfRelatedTraces(pTrace, 0, 0);
        }
    if (bAny && bUpdate) UpdateAllViews(UPDATE_GRAPH_REDRAWALL, this);
}

// ---- Moving on the Y scale -----------------------------------------------------------------

double CGraphDoc::GetYStep(CQXTrace* pTrace, int n, int bDown)
{
    if (!(pTrace = OwnerOf(pTrace))) return 0.0;
    const double dSpan = pTrace->ManageUsingYValues()
                             ? pTrace->GetCurrentMaxYScaleValue() - pTrace->GetCurrentMinYScaleValue()
                             : pTrace->GetCurrentMaxYData() - pTrace->GetCurrentMinYData();
    const double dStep = GetYMoveStep(dSpan, n);
    return bDown ? -dStep : dStep;
}

int CGraphDoc::TraceUp(CQXTrace* pTrace, int n) { return MoveTraceOnYScale(pTrace, GetYStep(pTrace, n, 0), 1, 0); }

int CGraphDoc::TraceDown(CQXTrace* pTrace, int n)
{
    return MoveTraceOnYScale(pTrace, GetYStep(pTrace, n, 1), 1, 0);
}

int CGraphDoc::MoveTraceOnYScale(CQXTrace* pTrace, double dStep, int bRelative, int bAbsolute)
{
    if (!(pTrace = OwnerOf(pTrace)) || !std::isfinite(dStep)) return 0;
    const int iUnit = pTrace->GetYUnit();
    const bool bValues = pTrace->ManageUsingYValues() != 0;
    const double dMin = bValues ? pTrace->GetCurrentMinYScaleValue() : pTrace->GetCurrentMinYData();
    const double dMax = bValues ? pTrace->GetCurrentMaxYScaleValue() : pTrace->GetCurrentMaxYData();
    // The full range the window must stay in, in the same terms.
    const auto eUnit = static_cast<EUnit>(iUnit);
    double dFullMin = pTrace->GetMinYValue(eUnit);
    double dFullMax = pTrace->GetMaxYValue(eUnit);
    if (!bValues) {
        const double dTop = std::fabs(pTrace->GetYDataForValue(dFullMax, iUnit, 1));
        dFullMin = pTrace->HasNegativeYData() ? -dTop : pTrace->GetYDataForValue(dFullMin, iUnit, 1);
        dFullMax = dTop;
    }
    const double dSpan = dMax - dMin;
    double dNewMin = (bAbsolute && !bRelative) ? dStep : dMin + dStep;
    const double dRequested = dNewMin;
    if (dSpan <= dFullMax - dFullMin) dNewMin = std::clamp(dNewMin, dFullMin, dFullMax - dSpan);
    if (bValues) {
        pTrace->SetCurrentMinYScaleValue(dNewMin);
        pTrace->SetCurrentMaxYScaleValue(dNewMin + dSpan);
        pTrace->SetCurrentMinYData(pTrace->GetYDataForValue(dNewMin, iUnit, 1));
        pTrace->SetCurrentMaxYData(pTrace->GetYDataForValue(dNewMin + dSpan, iUnit, 1));
    } else {
        pTrace->SetCurrentMinYData(dNewMin);
        pTrace->SetCurrentMaxYData(dNewMin + dSpan);
        pTrace->SetCurrentMinYScaleValue(pTrace->GetYValueForData(dNewMin, iUnit, 0, 1));
        pTrace->SetCurrentMaxYScaleValue(pTrace->GetYValueForData(dNewMin + dSpan, iUnit, 0, 1));
    }
    pTrace->CalcYTicks();
    pTrace->RecalcTrace();
    AdjustYScalesOfRelatedTraces(pTrace, 1, 0);
    if (dNewMin == dRequested) return 1;
    MessageBeep(0);
    return 0;
}
