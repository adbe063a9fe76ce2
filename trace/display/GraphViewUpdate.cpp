// CGraphView: what each update hint recalculates and invalidates, and what
// the frame is told to bring up to date.

#include "trace/display/GraphView.h"

#include "host/app/AppServices.h"
#include "host/settings/SettingsIds.h"
#include "trace/document/GraphDoc.h"
#include "trace/display/TraceInterceptor.h"
#include "trace/model/QXTrace.h"

namespace {

// Host properties whose change alters what every reading of the view means
// (the analyser's digital references and the settings that go with them).
constexpr LPARAM kReferenceProperties[] = {PROP_SA_DIGITAL_REF_CHA, PROP_SA_DIGITAL_REF_CHB, PROP_SA_READING_REF_CHA,
                                           PROP_SA_READING_REF_CHB, PROP_ANA_READING_REF,    PROP_READING_REF};
constexpr LPARAM kImpulseWindowChanged = -307;

bool IsReferenceProperty(LPARAM lHint)
{
    for (LPARAM lId : kReferenceProperties)
        if (lId == lHint) return true;
    return false;
}

} // namespace

void CGraphView::OnUpdate(IGraphViewSink* /*pSender*/, LPARAM lHint, CObject* pObject) { DoOnUpdate(lHint, pObject); }

void CGraphView::DoOnUpdate(LPARAM lHint, CObject* pObject)
{
    const CGraphDoc* pDoc = GetGraphDoc();
    if (m_pFrame && !m_pFrame->IsFrameVisible()) return;
    if (pDoc && pDoc->IsExporting()) return;
    if (!IsLaidOut()) return;
    if (ITraceInterceptor* pInterceptor = GetInterceptor();
        pInterceptor && pInterceptor->OnUpdate(this, static_cast<int>(lHint), pObject))
        return;

    CQXTrace* pTrace = dynamic_cast<CQXTrace*>(pObject);
    const bool bMine = ShowsTrace(pTrace);
    IGraphViewFrame* pFrame = m_pFrame;
    bool bHandled = true;
    switch (lHint) {
    case UPDATE_GRAPH_REDRAWALL:
        SetRecalcAll(true);
        if (pFrame) {
            pFrame->FillLegendLists();
            pFrame->UpdateCursorDetails(GetViewCurrentTrace());
        }
        break;
    case UPDATE_GRAPH_TRACES:
        SetRecalcTraces();
        if (pFrame) {
            pFrame->UpdateCursorValues(GetViewCurrentTrace());
            pFrame->UpdateMarkValues(GetViewCurrentTrace());
        }
        break;
    case UPDATE_GRAPH_CHANNELCHANGED:
        bHandled = false;
        break;
    case UPDATE_GRAPH_TITLE:
        if (pFrame) pFrame->UpdateGraphTitle();
        break;
    case UPDATE_TRACE_REDRAWALL:
    case UPDATE_TRACE_ZOOMBOTH:
        if (!bMine) return;
        pTrace->RecalcTrace();
        SetRecalcAll(true);
        if (pFrame && lHint == UPDATE_TRACE_REDRAWALL) pFrame->UpdateCursorDetails(pTrace);
        break;
    case UPDATE_TRACE_MARKS:
    case UPDATE_TRACE_CURSOR:
        if (!bMine) return;
        SetRecalcCursorMarks();
        if (pFrame && lHint == UPDATE_TRACE_MARKS) pFrame->OnMarksToggled(pTrace);
        if (pFrame && lHint == UPDATE_TRACE_CURSOR) pFrame->OnCursorToggled(pTrace);
        break;
    case UPDATE_TRACE_NAME:
        if (!bMine) return;
        if (pFrame) pFrame->UpdateTraceName(pTrace);
        break;
    case UPDATE_TRACE_COLOR:
        if (!bMine) return;
        pTrace->RecalcTrace();
        SetRecalcXScale();
        SetRecalcYScale(pTrace);
        SetRecalcXCurPos();
        SetRecalcYCurPos();
        SetRecalcTraces();
        if (pFrame) pFrame->UpdateTraceColor(pTrace);
        break;
    case UPDATE_TRACE_ADD:
    case UPDATE_TRACE_ON:
    case UPDATE_TRACE_REMOVE:
    case UPDATE_TRACE_OFF:
        if (!bMine) return;
        OnTraceShownChanged(lHint, pTrace);
        break;
    case UPDATE_TRACE_CURRENT:
        if (pTrace && !bMine) return;
        if (pFrame) pFrame->UpdateCurrentTrace();
        SetRecalcAll(true);
        break;
    case UPDATE_TRACE_ZOOMY:
        if (!bMine) return;
        SetRecalcYScale(pTrace);
        SetRecalcYCurPos();
        SetRecalcGraticule();
        break;
    case UPDATE_TRACE_ZOOMX:
        if (!bMine) return;
        Invalidate(m_rectXScale);
        SetRecalcXCurPos();
        SetRecalcGraticule();
        break;
    case UPDATE_TRACE_REDRAW:
    case UPDATE_TRACE_NUMPOINTS: // a new point count is a new plot, nothing more
        if (!bMine) return;
        SetRecalcTraces();
        break;
    case kImpulseWindowChanged:
        if (pTrace && !bMine) return;
        if (pFrame) pFrame->OnImpulseWindowDetailsChanged();
        break;
    default:
        // Comments and print styles show only on paper; other hints are not the view's.
        bHandled = IsReferenceProperty(lHint);
        if (!bHandled) break;
        SetRecalcAll(true);
        if (pFrame) pFrame->UpdateCursorValues(GetViewCurrentTrace());
        break;
    }
    if (bHandled) RequestRedrawNow();
}

void CGraphView::OnTraceShownChanged(LPARAM lHint, CQXTrace* pTrace)
{
    SetRecalcAll(true);
    IGraphViewFrame* pFrame = m_pFrame;
    if (!pFrame) return;
    if (lHint == UPDATE_TRACE_ADD) pFrame->AddTraceToLegends(pTrace);
    if (lHint == UPDATE_TRACE_REMOVE) pFrame->RemoveTraceFromLegends(pTrace);
    const bool bShowing = lHint == UPDATE_TRACE_ADD || lHint == UPDATE_TRACE_ON;
    if (bShowing && pTrace->IsOn()) pFrame->OnTraceOn(pTrace);
    if (!bShowing && !pTrace->IsOn()) pFrame->OnTraceOff(pTrace);
    CQXTrace* pCurrent = GetViewCurrentTrace();
    if (pTrace == pCurrent || lHint == UPDATE_TRACE_REMOVE) {
        pFrame->UpdateCursorDetails(pCurrent);
        pFrame->UpdateMarkValues(pCurrent);
    }
    pFrame->UpdateCurrentTrace();
}
