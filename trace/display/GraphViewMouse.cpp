// CGraphView: the mouse and the cursor keys. A press in the graticule grabs
// a cursor marker or starts a rubber band; a release near the press is a
// click that picks the trace under it; a band large enough zooms the
// current trace through the document. Presses in the position tracks slide
// their thumbs. The frame's interceptor sees every event first.

#include "trace/display/GraphView.h"

#include "host/app/AppServices.h"
#include "trace/display/TraceInterceptor.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool IsShownTrace(const CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && pTrace->IsOn(); }

CRect NormalisedRect(CPoint a, CPoint b)
{
    CRect rect(a.x, a.y, b.x, b.y);
    rect.NormalizeRect();
    return rect;
}

void BroadcastHint(int iHint, CQXTrace* pTrace)
{
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(iHint, pTrace);
}

} // namespace

bool IsClickRelease(CPoint ptPress, CPoint ptRelease)
{
    return std::abs(ptRelease.x - ptPress.x) < kMinZoomWidth || std::abs(ptRelease.y - ptPress.y) < kMinZoomHeight;
}

CRect ClampDragRect(const CRect& rcDrag, const CRect& rcGraticule)
{
    CRect rcInside = rcGraticule;
    rcInside.DeflateRect(1, 1);
    CRect rcBand;
    rcBand.IntersectRect(rcDrag, rcInside);
    return rcBand;
}

void CGraphView::ResetDragDetails()
{
    m_ptPress = CPoint(-1, -1);
    m_rectDrag = CRect(-1, -1, -1, -1);
    m_bDragCursor = false;
    m_bDragRelativeCursor = false;
    m_iDragMark = -1;
    m_pDragCursorTrace = nullptr;
    m_bDragging = false;
}

std::vector<CQXTrace*> CGraphView::GetPickOrder()
{
    std::vector<CQXTrace*> aOrder;
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || (m_eChannel != CHANNEL_A && m_eChannel != CHANNEL_B)) return aOrder;
    CQXTrace* pCurrent = GetViewCurrentTrace();
    if (pCurrent && ShowsTrace(pCurrent)) aOrder.push_back(pCurrent);
    std::vector<ChannelNumber> aChannels{m_eChannel};
    if (DrawsBothChannels()) aChannels = {CHANNEL_A, CHANNEL_B};
    for (ChannelNumber eChannel : aChannels)
        for (CQXTrace* pTrace : pDoc->GetTraceArray(eChannel))
            if (pTrace && pTrace != pCurrent) aOrder.push_back(pTrace);
    return aOrder;
}

void CGraphView::MakeCurrent(CQXTrace* pTrace)
{
    if (m_pFrame && m_pFrame->OnSetCurrentTrace(pTrace)) return;
    if (CGraphDoc* pDoc = GetGraphDoc(); pDoc && pDoc->GetCurrentTrace() != pTrace) pDoc->SetCurrentTrace(pTrace, 1);
}

// ---- Press -----------------------------------------------------------------------

void CGraphView::OnLButtonDown(UINT uFlags, CPoint point)
{
    if (ITraceInterceptor* pInterceptor = GetInterceptor(); pInterceptor && pInterceptor->OnLButtonDown(uFlags, point)) {
        ResetDragDetails();
        return;
    }
    m_ptLastMouse = point;
    if (!m_rectGraticule.PtInRect(point)) {
        ResetDragDetails();
        if (StartThumbSlide(point)) m_ptPress = point;
        return;
    }
    m_ptPress = point;
    StartCursorDrag(point);
}

bool CGraphView::StartThumbSlide(CPoint point)
{
    CQXTrace* pTrace = GetViewCurrentTrace();
    if (pTrace && pTrace->IsLimitLine() && pTrace->GetOwnerTrace()) pTrace = pTrace->GetOwnerTrace();
    if (!pTrace) return false;
    if (m_rectXCurPos.PtInRect(point)) {
        m_pSlidingTraceX = pTrace;
        m_iGrabOffsetX = point.x - m_rectXCurPosBar.CenterPoint().x;
        return true;
    }
    if (m_rectYCurPos.PtInRect(point)) {
        m_pSlidingTraceY = pTrace;
        m_iGrabOffsetY = point.y - m_rectYCurPosBar.CenterPoint().y;
        return true;
    }
    return false;
}

bool CGraphView::StartCursorDrag(CPoint point)
{
    for (CQXTrace* pTrace : GetPickOrder()) {
        if (!IsShownTrace(pTrace) || !(pTrace->IsCursorOn() || pTrace->AreMarksOn())) continue;
        for (CQXTrace* pCandidate : {pTrace, pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()}) {
            if (!pCandidate || !HitCursorOf(pCandidate, point)) continue;
            MakeCurrent(pCandidate);
            m_pDragCursorTrace = pCandidate;
            m_bDragging = true;
            return true;
        }
    }
    return false;
}

bool CGraphView::HitCursorOf(CQXTrace* pTrace, CPoint point)
{
    if (const CCursorMark* pCursor = pTrace->GetCursor(); pCursor && pCursor->PointInCursorMark(nullptr, point)) {
        m_bDragCursor = true;
        return true;
    }
    const CCursorMark* pRelative = pTrace->GetRelativeCursor();
    if (pTrace->IsRelativeCursorOn() && pRelative && pRelative->PointInCursorMark(nullptr, point)) {
        m_bDragRelativeCursor = true;
        return true;
    }
    // A mark is grabbed as the cursor is, and becomes the current mark.
    if (pTrace->AreMarksOn())
        for (int i = 0; i <= pTrace->GetLastMark(); ++i)
            if (const CCursorMark* pMark = pTrace->GetMark(i); pMark && pMark->PointInCursorMark(nullptr, point)) {
                m_iDragMark = i;
                pTrace->SetCurrentMark(i);
                return true;
            }
    return false;
}

// ---- Move ------------------------------------------------------------------------

void CGraphView::OnMouseMove(UINT uFlags, CPoint point)
{
    if (ITraceInterceptor* pInterceptor = GetInterceptor(); pInterceptor && pInterceptor->OnMouseMove(uFlags, point))
        return;
    m_ptLastMouse = point;
    if (!HasMouseCapture()) return;
    if (m_pSlidingTraceX || m_pSlidingTraceY) {
        SlideThumb(point);
    } else if (DraggingCursorOrMark()) {
        DragCursor(point);
    } else {
        m_rectDrag = NormalisedRect(m_ptPress, point);
        BroadcastHint(UPDATE_GRAPH_TRACES, nullptr);
    }
}

void CGraphView::SlideThumb(CPoint point)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || m_rectGraticule.Width() <= 0 || m_rectGraticule.Height() <= 0) return;
    if (CQXTrace* pTrace = m_pSlidingTraceX) {
        const int iThumb = m_rectXCurPosBar.Width();
        const double dOffset = point.x - iThumb / 2 - m_iGrabOffsetX - m_rectXCurPos.left;
        const int n = static_cast<int>((pTrace->GetMaxXPos() - pTrace->GetMinXPos()) * dOffset / m_rectGraticule.Width());
        if (n < 1)
            pDoc->TraceLeft(pTrace, n, 0);
        else
            pDoc->TraceRight(pTrace, n, 0);
    }
    if (CQXTrace* pTrace = m_pSlidingTraceY) {
        double dMin = 0.0, dMax = 0.0;
        if (!GetThumbYRange(pTrace, dMin, dMax)) return;
        const int iThumb = m_rectYCurPosBar.Height();
        const double dFraction =
            static_cast<double>(m_iGrabOffsetY - iThumb / 2 + m_rectYCurPos.bottom - point.y) / m_rectGraticule.Height();
        pDoc->MoveTraceOnYScale(pTrace, dFraction * (dMax - dMin) + dMin, 0, 1);
    }
}

void CGraphView::DragCursor(CPoint point)
{
    CQXTrace* pTrace = m_pDragCursorTrace;
    if (!pTrace || pTrace != GetViewCurrentTrace()) return;
    CCursorMark* pMark = m_iDragMark >= 0 ? pTrace->GetMark(m_iDragMark)
                         : m_bDragCursor  ? pTrace->GetCursor()
                                          : pTrace->GetRelativeCursor();
    if (!pMark) return;
    const int iMin = pTrace->GetMinCursorXPos(true);
    const int iMax = pTrace->GetMaxCursorXPos(true);
    int iPos = -1;
    if (point.x <= m_rectGraticule.left)
        iPos = iMin;
    else if (point.x >= m_rectGraticule.right)
        iPos = iMax;
    else if ((iPos = pTrace->GetXPosAtPoint(point.x)) != -1)
        iPos = std::clamp(iPos, std::min(iMin, iMax), std::max(iMin, iMax));
    if (iPos == -1) return;
    pMark->SetPosition(iPos);
    BroadcastHint(m_iDragMark >= 0 ? UPDATE_TRACE_MARKS : UPDATE_TRACE_CURSOR, pTrace);
    if (m_pFrame) m_pFrame->UpdateCursorValues(pTrace);
}

// ---- Release ---------------------------------------------------------------------

void CGraphView::OnLButtonUp(UINT uFlags, CPoint point)
{
    if (ITraceInterceptor* pInterceptor = GetInterceptor(); pInterceptor && pInterceptor->OnLButtonUp(uFlags, point))
        return;
    if (m_pSlidingTraceX || m_pSlidingTraceY) {
        m_pSlidingTraceX = m_pSlidingTraceY = nullptr;
        ResetDragDetails();
        return;
    }
    if (DraggingCursorOrMark()) {
        ResetDragDetails();
        return;
    }
    if (!HasMouseCapture()) return;
    const CPoint ptPress = m_ptPress;
    const bool bBandShown = m_rectDrag != CRect(-1, -1, -1, -1);
    ResetDragDetails();
    if (IsClickRelease(ptPress, point)) {
        if (bBandShown) BroadcastHint(UPDATE_GRAPH_TRACES, nullptr);
        if (CQXTrace* pTrace = GetTraceAtPoint(point); pTrace && GetGraphDoc()) GetGraphDoc()->SetCurrentTrace(pTrace, 1);
        return;
    }
    ZoomToDragRect(NormalisedRect(ptPress, point));
}

CQXTrace* CGraphView::GetTraceAtPoint(CPoint point)
{
    CPoint ptOnTrace;
    for (CQXTrace* pTrace : GetPickOrder())
        for (CQXTrace* pCandidate : {pTrace, pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
            if (IsShownTrace(pCandidate) && pCandidate->PointOnTrace(point, ptOnTrace)) return pCandidate;
    return nullptr;
}

void CGraphView::ZoomToDragRect(const CRect& rcBand)
{
    CGraphDoc* pDoc = GetGraphDoc();
    CQXTrace* pTrace = GetViewCurrentTrace();
    if (pTrace && pTrace->IsLimitLine() && pTrace->GetOwnerTrace()) pTrace = pTrace->GetOwnerTrace();
    if (!pDoc || !IsShownTrace(pTrace) ||
        !pDoc->ZoomToWindow(pTrace, pTrace->GetXPosAtPoint(rcBand.left), pTrace->GetXPosAtPoint(rcBand.right),
                            pTrace->GetYDataAtPoint(rcBand.bottom), pTrace->GetYDataAtPoint(rcBand.top)))
        BroadcastHint(UPDATE_GRAPH_TRACES, nullptr); // no zoom: the band still goes
}

bool CGraphView::OnContextMenu(CPoint point, CPoint& ptMenu)
{
    if (ITraceInterceptor* pInterceptor = GetInterceptor(); pInterceptor && pInterceptor->OnContextMenu(nullptr, point))
        return false;
    const bool bBandShown = m_rectDrag != CRect(-1, -1, -1, -1);
    ResetDragDetails();
    if (bBandShown) BroadcastHint(UPDATE_GRAPH_TRACES, nullptr);
    ptMenu = m_rectClient.PtInRect(point) ? point : m_rectClient.CenterPoint() - CSize(10, 10);
    return true;
}

// ---- Double click and keys ---------------------------------------------------------

void CGraphView::OnLButtonDblClk(UINT uFlags, CPoint point)
{
    if (ITraceInterceptor* pInterceptor = GetInterceptor(); pInterceptor && pInterceptor->OnLButtonDblClk(uFlags, point))
        return;
    CGraphDoc* pDoc = GetGraphDoc();
    CQXTrace* pTrace = GetViewCurrentTrace();
    if (!pDoc || !pTrace) return;
    if (m_rectGraticule.PtInRect(point)) {
        if (m_ptLastMouse == CPoint(-1, -1)) return;
        const int iPos = pTrace->GetXPosAtPoint(m_ptLastMouse.x);
        if (iPos == -1) return;
        if (!pTrace->IsCursorOn()) pTrace->CursorOn();
        if (CCursorMark* pCursor = pTrace->GetCursor()) pCursor->SetPosition(iPos);
        BroadcastHint(UPDATE_TRACE_CURSOR, pTrace);
        if (m_pFrame) m_pFrame->UpdateCursorValues(pTrace);
    } else if (m_rectXCurPos.PtInRect(point)) {
        pDoc->AutoZoomX(pTrace, 1, 1);
    } else if (m_rectYCurPos.PtInRect(point)) {
        pDoc->AutoZoomY(pTrace, 1, 1);
    }
}

bool CGraphView::OnKeyDown(UINT uChar, UINT uRepeat, UINT uFlags)
{
    if (ITraceInterceptor* pInterceptor = GetInterceptor(); pInterceptor && pInterceptor->OnKeyDown(uChar, uRepeat, uFlags))
        return true;
    CQXTrace* pTrace = GetViewCurrentTrace();
    CCursorMark* pCursor = pTrace && pTrace->IsCursorOn() ? pTrace->GetCursor() : nullptr;
    if (!pCursor) return false;
    const int iMin = pTrace->GetMinCursorXPos(true);
    const int iMax = pTrace->GetMaxCursorXPos(true);
    const int iSteps = static_cast<int>(std::max(1u, uRepeat));
    int iPos = pCursor->GetPosition();
    switch (uChar) {
    case kKeyLeft: iPos -= iSteps; break;
    case kKeyRight: iPos += iSteps; break;
    case kKeyHome: iPos = iMin; break;
    case kKeyEnd: iPos = iMax; break;
    default: return false;
    }
    pCursor->SetPosition(std::clamp(iPos, std::min(iMin, iMax), std::max(iMin, iMax)));
    BroadcastHint(UPDATE_TRACE_CURSOR, pTrace);
    if (m_pFrame) m_pFrame->UpdateCursorValues(pTrace);
    return true;
}

bool CGraphView::OnSetCursor() const
{
    ITraceInterceptor* pInterceptor = GetInterceptor();
    return (pInterceptor && pInterceptor->OnSetCursor(nullptr, 0, 0)) || IsDragging();
}
