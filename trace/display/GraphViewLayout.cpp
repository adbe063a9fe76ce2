// CGraphView: which scales the view shows and where everything goes: scale
// strips and slots, the graticule, the position tracks and their thumbs.

#include "trace/display/GraphView.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr int kSmallWidth = 200;
constexpr int kSmallHeight = 100;
constexpr int kSmallInset = 10;
constexpr int kLeftStart = 17;       // left Y scales start this far in
constexpr int kRightStart = 5;       // right Y scales end this far in
constexpr int kTopMargin = 35;       // room above the graticule
constexpr int kXScaleBottom = 17;    // the X scales sit this far above the bottom
constexpr int kXScaleGap = 3;        // between stacked X scales
constexpr int kSlotGap = 5;          // between Y-scale slots
constexpr int kGap = 10;             // between scales and graticule
constexpr int kTrackWidth = 7;       // of both position tracks
constexpr int kTrackMargin = 5;      // of the tracks from the client edge

bool IsShownTrace(CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && pTrace->IsOn(); }

// Same kind of X axis: what decides that a channel-B X scale needs no strip of its own.
bool ShowSameXAxis(const CXScale& a, const CXScale& b)
{
    return a.GetScaleType() == b.GetScaleType() && a.GetXUnit() == b.GetXUnit() && a.GetLog() == b.GetLog() &&
           a.GetCurrentMinXScaleValue() == b.GetCurrentMinXScaleValue() &&
           a.GetCurrentMaxXScaleValue() == b.GetCurrentMaxXScaleValue();
}

TraceType GetYScaleKind(const CYScale* pScale, CQXTrace* pUser)
{
    CQXTrace* pLive = pScale->GetLiveTrace();
    return (pLive ? pLive : pUser)->GetTraceType();
}

} // namespace

// ---- Plain arithmetic --------------------------------------------------------------

int SScaleArrays::GetNumXScales() const
{
    return static_cast<int>(std::count_if(apXScales.begin(), apXScales.end(), [](CXScale* p) { return p != nullptr; }));
}

bool IsSmallView(const CRect& rcClient) { return rcClient.Height() < kSmallHeight || rcClient.Width() < kSmallWidth; }

SGraphLayout CalcGraphLayout(const SGraphLayoutInput& input)
{
    SGraphLayout layout;
    const CRect& rc = input.rcClient;
    if (IsSmallView(rc)) {
        // Only the graticule: everything else collapses onto the client edges.
        layout.bSmall = true;
        layout.rcYScale[LEFT] = CRect(rc.left, rc.top, rc.left, rc.bottom);
        layout.rcYScale[RIGHT] = CRect(rc.right, rc.top, rc.right, rc.bottom);
        layout.rcXScale = CRect(rc.left, rc.bottom, rc.right, rc.bottom);
        layout.rcXCurPos = layout.rcXScale;
        layout.rcYCurPos = layout.rcYScale[LEFT];
        layout.rcGraticule = rc;
        layout.rcGraticule.DeflateRect(kSmallInset, kSmallInset);
        layout.arcXScales.fill(layout.rcXScale);
        for (int iSide = 0; iSide < kYScaleSides; ++iSide) layout.arcYSlots[iSide].fill(layout.rcYScale[iSide]);
        return layout;
    }

    const int iTop = rc.top + kTopMargin;
    const int iXBottom = rc.bottom - kXScaleBottom;
    int iXTop = iXBottom;
    int iLeftEdge = rc.left + kLeftStart;   // right edge of the left Y scales
    int iRightEdge = rc.right - kRightStart; // left edge of the right Y scales
    if (input.bDrawScales) {
        const int iCount = std::clamp(input.iNumXScales, 0, kMaxViewXScales);
        for (int i = 0; i < iCount; ++i) {
            const int iBottom = iXBottom - i * (input.iFontHeight + kXScaleGap);
            layout.arcXScales[i] = CRect(0, iBottom - input.iFontHeight, 0, iBottom);
            iXTop = iBottom - input.iFontHeight;
        }
        int iLeft = iLeftEdge, iRight = iRightEdge;
        for (int iSlot = 0; iSlot < kYScaleSlots; ++iSlot) {
            if (const int w = input.aiSlotWidths[LEFT][iSlot]; w > 0) {
                layout.arcYSlots[LEFT][iSlot] = CRect(iLeft, iTop, iLeft + w, 0);
                iLeftEdge = iLeft + w;
                iLeft = iLeftEdge + kSlotGap;
            }
            if (const int w = input.aiSlotWidths[RIGHT][iSlot]; w > 0) {
                layout.arcYSlots[RIGHT][iSlot] = CRect(iRight - w, iTop, iRight, 0);
                iRightEdge = iRight - w;
                iRight = iRightEdge - kSlotGap;
            }
        }
    }

    const int iYBottom = iXTop - kGap;
    const int iPlotLeft = iLeftEdge + kGap;
    const int iPlotRight = iRightEdge - kGap;
    layout.rcYScale[LEFT] = CRect(rc.left + kLeftStart, iTop, iLeftEdge, iYBottom);
    layout.rcYScale[RIGHT] = CRect(iRightEdge, iTop, rc.right - kRightStart, iYBottom);
    for (auto& aSlots : layout.arcYSlots)
        for (CRect& slot : aSlots) slot.bottom = iYBottom;
    layout.rcXScale = CRect(iPlotLeft, iXTop, iPlotRight, iXBottom);
    for (CRect& strip : layout.arcXScales) {
        strip.left = iPlotLeft;
        strip.right = iPlotRight;
    }
    layout.rcGraticule = CRect(iPlotLeft, iTop, iPlotRight, iYBottom);
    layout.rcXCurPos = CRect(iPlotLeft, rc.bottom - kTrackMargin - kTrackWidth, iPlotRight, rc.bottom - kTrackMargin);
    layout.rcYCurPos = CRect(rc.left + kTrackMargin, iTop, rc.left + kTrackMargin + kTrackWidth, iYBottom);
    return layout;
}

double GetRangeFraction(double dValue, double dMin, double dMax)
{
    const double dFraction = (dValue - dMin) / (dMax - dMin);
    if (!std::isfinite(dFraction)) return 0.0;
    return std::clamp(dFraction, 0.0, 1.0);
}

void FitThumb(int& iLow, int& iHigh, int iTrackLow, int iTrackHigh, int iMinSize)
{
    if (iTrackHigh - iTrackLow <= iMinSize) {
        iLow = iTrackLow;
        iHigh = iTrackHigh;
        return;
    }
    if (iHigh - iLow < iMinSize) {
        const int iCentre = iLow + (iHigh - iLow) / 2;
        iLow = iCentre - iMinSize / 2;
        iHigh = iLow + iMinSize;
    }
    const int iWidth = iHigh - iLow;
    if (iLow < iTrackLow) {
        iLow = iTrackLow;
        iHigh = iLow + iWidth;
    }
    if (iHigh > iTrackHigh) {
        iHigh = iTrackHigh;
        iLow = iHigh - iWidth;
    }
}

CRect CalcXThumb(const CRect& rcTrack, double dFullMin, double dFullMax, double dCurrentMin, double dCurrentMax)
{
    if (!(dFullMax > dFullMin) || !std::isfinite(dFullMax - dFullMin)) return CRect();
    const int iWidth = rcTrack.Width();
    int iLeft = rcTrack.left + static_cast<int>(std::lround(iWidth * GetRangeFraction(dCurrentMin, dFullMin, dFullMax)));
    int iRight = rcTrack.left + static_cast<int>(std::lround(iWidth * GetRangeFraction(dCurrentMax, dFullMin, dFullMax)));
    FitThumb(iLeft, iRight, rcTrack.left, rcTrack.right);
    return CRect(iLeft, rcTrack.top, iRight, rcTrack.bottom);
}

CRect CalcYThumb(const CRect& rcTrack, double dLowerFraction, double dUpperFraction)
{
    const int iHeight = rcTrack.Height();
    int iTop = rcTrack.bottom - static_cast<int>(std::trunc(iHeight * std::clamp(dUpperFraction, 0.0, 1.0)));
    int iBottom = rcTrack.bottom - static_cast<int>(std::trunc(iHeight * std::clamp(dLowerFraction, 0.0, 1.0)));
    FitThumb(iTop, iBottom, rcTrack.top, rcTrack.bottom);
    return CRect(rcTrack.left, iTop, rcTrack.right, iBottom);
}

// ---- The scales the view shows ------------------------------------------------------

CQXTrace* CGraphView::GetGraticuleTrace()
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || (m_eChannel != CHANNEL_A && m_eChannel != CHANNEL_B)) return nullptr;
    CQXTrace* pTrace = pDoc->GetCurrentTrace(m_eChannel);
    const std::vector<CQXTrace*>& aTraces = pDoc->GetTraceArray(m_eChannel);
    if (!IsShownTrace(pTrace)) {
        const auto it = std::find_if(aTraces.begin(), aTraces.end(), IsShownTrace);
        pTrace = it != aTraces.end() ? *it : nullptr;
    }
    if (pTrace) return pTrace->GetScaleColorTrace();
    if (aTraces.empty()) return nullptr;
    QXASSERT(aTraces.front()->GetXScale() != nullptr);
    return aTraces.front();
}

void CGraphView::InitialiseScaleArrays()
{
    m_ScaleArrays = SScaleArrays();
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || (m_eChannel != CHANNEL_A && m_eChannel != CHANNEL_B)) return;

    // The graticule trace's scales come first: its ticks are the ones drawn.
    std::vector<CQXTrace*> aShown;
    if (CQXTrace* pGraticuleTrace = GetGraticuleTrace(); IsShownTrace(pGraticuleTrace))
        aShown.push_back(pGraticuleTrace);
    const auto AddShown = [&](ChannelNumber eChannel) {
        for (CQXTrace* pTrace : pDoc->GetTraceArray(eChannel))
            if (IsShownTrace(pTrace) && std::find(aShown.begin(), aShown.end(), pTrace) == aShown.end())
                aShown.push_back(pTrace);
    };
    AddShown(m_eChannel);
    const size_t iOwnCount = aShown.size();
    if (DrawsBothChannels()) AddShown(CHANNEL_B);

    // X scales: one strip per distinct axis.
    std::vector<CXScale*> aX;
    for (CQXTrace* pTrace : aShown) {
        CXScale* pScale = pTrace->GetXScale();
        if (!pScale || static_cast<int>(aX.size()) >= kMaxViewXScales) continue;
        if (std::none_of(aX.begin(), aX.end(), [&](CXScale* p) { return p == pScale || ShowSameXAxis(*p, *pScale); }))
            aX.push_back(pScale);
    }
    std::copy(aX.begin(), aX.end(), m_ScaleArrays.apXScales.begin());

    // Y scales: entries alternate left and right, slot by slot. The other
    // channel's scale of a kind already shown shares that entry's slot as
    // its lower scale, with its labels under the same grid lines.
    struct SEntry {
        SYScaleSlot slot;
        TraceType eKind;
    };
    std::vector<SEntry> aEntries;
    const auto IsListed = [&](const CYScale* p) {
        return std::any_of(aEntries.begin(), aEntries.end(),
                           [p](const SEntry& e) { return e.slot.pUpper == p || e.slot.pLower == p; });
    };
    for (size_t i = 0; i < aShown.size(); ++i) {
        CYScale* pScale = aShown[i]->GetYScale();
        if (!pScale || IsListed(pScale)) continue;
        const TraceType eKind = GetYScaleKind(pScale, aShown[i]);
        if (i >= iOwnCount) {
            const auto it = std::find_if(aEntries.begin(), aEntries.end(),
                                         [&](const SEntry& e) { return e.eKind == eKind && !e.slot.pLower; });
            if (it != aEntries.end()) {
                it->slot.pLower = pScale;
                continue;
            }
        }
        if (static_cast<int>(aEntries.size()) < kYScaleSides * kYScaleSlots) aEntries.push_back({{pScale, nullptr}, eKind});
    }
    for (size_t i = 0; i < aEntries.size(); ++i)
        m_ScaleArrays.aYSlots[i % kYScaleSides][i / kYScaleSides] = aEntries[i].slot;
}

YScaleSide CGraphView::GetYScaleSide(CQXTrace* pTrace) const
{
    const CYScale* pScale = pTrace ? pTrace->GetScaleColorTrace()->GetYScale() : nullptr;
    if (!pScale) return LEFT;
    for (int iSide = 0; iSide < kYScaleSides; ++iSide)
        for (const SYScaleSlot& slot : m_ScaleArrays.aYSlots[iSide])
            if (slot.pUpper == pScale || slot.pLower == pScale) return static_cast<YScaleSide>(iSide);
    return LEFT;
}

int CGraphView::GetFontHeight(CDC* pDC, AxisType eAxis) const
{
    const bool bHasScale = eAxis == X_AXIS ? m_ScaleArrays.apXScales[0] != nullptr
                                           : (m_ScaleArrays.HasYScale(LEFT) || m_ScaleArrays.HasYScale(RIGHT));
    return bHasScale && pDC ? CScale::GetFontHeight(pDC) : 0;
}

// ---- Layout of this view --------------------------------------------------------------

void CGraphView::CalcScaleRects(CDC* pDC)
{
    CGraphDoc* pDoc = GetGraphDoc();
    SGraphLayoutInput input;
    input.rcClient = m_rectDraw;
    input.bDrawScales = !pDoc || pDoc->DrawingScales(m_DrawContext);
    if (input.bDrawScales && !IsSmallView(m_rectDraw)) {
        input.iFontHeight = CScale::GetFontHeight(pDC);
        input.iNumXScales = m_ScaleArrays.GetNumXScales();
        CTickArray& yTicks = m_pGraticule->GetYTicks();
        for (int iSide = 0; iSide < kYScaleSides; ++iSide) {
            for (int iSlot = 0; iSlot < kYScaleSlots; ++iSlot) {
                const SYScaleSlot& slot = m_ScaleArrays.aYSlots[iSide][iSlot];
                if (!slot.pUpper) {
                    if (slot.pLower) QXReportAssert("pUpperScale != 0", __FILE__, static_cast<unsigned>(__LINE__));
                    continue;
                }
                int iWidth = slot.pUpper->GetMaxTextWidth(pDC, &yTicks);
                if (slot.pLower) iWidth = std::max(iWidth, slot.pLower->GetMaxTextWidth(pDC, &yTicks));
                input.aiSlotWidths[iSide][iSlot] = iWidth;
            }
        }
    }
    m_Layout = CalcGraphLayout(input);

    m_rectXScale = m_Layout.rcXScale;
    for (int iSide = 0; iSide < kYScaleSides; ++iSide) m_rectYScale[iSide] = m_Layout.rcYScale[iSide];
    for (int i = 0; i < kMaxViewXScales; ++i)
        if (CXScale* pScale = m_ScaleArrays.apXScales[i]) pScale->SetDrawRect(m_Layout.arcXScales[i]);
    for (int iSide = 0; iSide < kYScaleSides; ++iSide) {
        for (int iSlot = 0; iSlot < kYScaleSlots; ++iSlot) {
            const SYScaleSlot& slot = m_ScaleArrays.aYSlots[iSide][iSlot];
            for (CYScale* pScale : {slot.pUpper, slot.pLower})
                if (pScale) pScale->SetDrawRect(m_Layout.arcYSlots[iSide][iSlot]);
        }
    }
}

void CGraphView::CalcCurPosRects()
{
    m_rectXCurPos = m_Layout.rcXCurPos;
    m_rectYCurPos = m_Layout.rcYCurPos;
    CalcCurPosBarRects();
}

void CGraphView::CalcCurPosBarRects()
{
    m_rectXCurPosBar = GetRequiredXCurPosBarRect();
    m_rectYCurPosBar = GetRequiredYCurPosBarRect();
}

CRect CGraphView::GetRequiredXCurPosBarRect()
{
    CQXTrace* pTrace = GetGraticuleTrace();
    if (!pTrace || m_rectXCurPos.IsRectEmpty()) return CRect();
    return CalcXThumb(m_rectXCurPos, pTrace->GetMinXScaleValue(), pTrace->GetMaxXScaleValue(),
                      pTrace->GetCurrentMinXScaleValue(), pTrace->GetCurrentMaxXScaleValue());
}

bool CGraphView::GetThumbYRange(CQXTrace* pTrace, double& dMin, double& dMax)
{
    const int iUnit = pTrace->GetYUnit();
    if (iUnit < 0) return false;
    const EUnit eUnit = static_cast<EUnit>(iUnit);
    if (pTrace->ManageUsingYValues()) {
        dMin = pTrace->GetMinYValue(eUnit);
        dMax = pTrace->GetMaxYValue(eUnit);
        if (pTrace->GetLogY() && dMin < 0.0) dMin = 0.0;
    } else {
        // Signed data: the full range is symmetric about zero.
        dMax = pTrace->GetYDataForValue(pTrace->GetMaxYValue(eUnit), iUnit, 0);
        dMin = -dMax;
    }
    return true;
}

CRect CGraphView::GetRequiredYCurPosBarRect()
{
    CQXTrace* pTrace = GetGraticuleTrace();
    if (!pTrace || m_rectYCurPos.IsRectEmpty()) return CRect();
    double dFullMin = 0.0, dFullMax = 1.0;
    if (!GetThumbYRange(pTrace, dFullMin, dFullMax)) return CRect();
    // A range without an end (zero amplitude in dB is minus infinity)
    // has no position to show: the thumb fills the track.
    const bool bValues = pTrace->ManageUsingYValues() != 0;
    if (bValues && !(std::fabs(dFullMin) < DBL_MAX && std::fabs(dFullMax) < DBL_MAX))
        return CalcYThumb(m_rectYCurPos, 0.0, 1.0);
    const double dLow = bValues ? pTrace->GetCurrentMinYScaleValue() : pTrace->GetCurrentMinYData();
    const double dHigh = bValues ? pTrace->GetCurrentMaxYScaleValue() : pTrace->GetCurrentMaxYData();
    return CalcYThumb(m_rectYCurPos, GetRangeFraction(dLow, dFullMin, dFullMax), GetRangeFraction(dHigh, dFullMin, dFullMax));
}

void CGraphView::CalcGraticuleRect()
{
    m_rectGraticule = m_Layout.rcGraticule;
    m_pGraticule->SetRect(m_rectGraticule);
}
