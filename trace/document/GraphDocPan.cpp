// CGraphDoc: panning the X window of a trace over its data.

#include "trace/document/GraphDoc.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "trace/document/PanWindow.h"
#include "trace/model/QXTrace.h"

namespace {

constexpr unsigned kBeepDefault = 0;

int Beep()
{
    MessageBeep(kBeepDefault);
    return 0;
}

} // namespace

void CGraphDoc::SetXWindow(CQXTrace* pTrace, int iMinPos, int iMaxPos)
{
    pTrace->SetCurrentMinXPos(iMinPos);
    pTrace->SetCurrentMaxXPos(iMaxPos);
    const int iUnit = pTrace->GetXUnit();
    pTrace->SetCurrentMinXScaleValue(pTrace->GetXValueAtPos(iMinPos, iUnit));
    pTrace->SetCurrentMaxXScaleValue(pTrace->GetXValueAtPos(iMaxPos, iUnit));
    pTrace->RecalcTrace();
    AdjustXScalesOfRelatedTraces(pTrace, 1, 0, 0);
}

CQXTrace* CGraphDoc::PanTarget(CQXTrace* pTrace)
{
    // A limit line pans with the trace it belongs to.
    while (pTrace && pTrace->IsLimitLine()) {
        CQXTrace* pOwner = OwnerOf(pTrace);
        if (!QXVERIFY(pOwner != pTrace)) return nullptr;
        pTrace = pOwner;
    }
    return pTrace;
}

int CGraphDoc::TraceLeft(CQXTrace* pTrace, int n, int bRelative)
{
    pTrace = PanTarget(pTrace);
    if (!pTrace) return 0;
    const SPanWindow window =
        PanWindowLeft(pTrace->GetMinXPos(), pTrace->GetCurrentMinXPos(), pTrace->GetCurrentMaxXPos(), n, bRelative);
    SetXWindow(pTrace, window.iMin, window.iMax);
    return window.bWithinData ? 1 : Beep();
}

int CGraphDoc::TraceRight(CQXTrace* pTrace, int n, int bRelative)
{
    pTrace = PanTarget(pTrace);
    if (!pTrace) return 0;
    const SPanWindow window =
        PanWindowRight(pTrace->GetMaxXPos(), pTrace->GetCurrentMinXPos(), pTrace->GetCurrentMaxXPos(), n, bRelative);
    // The data may run past the largest value the scale may show.
    const bool bValueAllowed =
        pTrace->GetXValueAtPos(window.iMax, pTrace->GetXUnit()) <= pTrace->GetMaxXScaleValue();
    if (bValueAllowed) SetXWindow(pTrace, window.iMin, window.iMax);
    return (window.bWithinData && bValueAllowed) ? 1 : Beep();
}

int CGraphDoc::TraceStart(CQXTrace* pTrace)
{
    pTrace = PanTarget(pTrace);
    if (!pTrace) return 0;
    const SPanWindow window = PanWindowLeft(pTrace->GetMinXPos(), pTrace->GetCurrentMinXPos(),
                                            pTrace->GetCurrentMaxXPos(), pTrace->GetMinXPos(), 0);
    SetXWindow(pTrace, window.iMin, window.iMax);
    return 1;
}

int CGraphDoc::TraceEnd(CQXTrace* pTrace)
{
    pTrace = PanTarget(pTrace);
    if (!pTrace) return 0;
    const int iLast = pTrace->GetMaxXPos();
    if (pTrace->GetXValueAtPos(iLast, pTrace->GetXUnit()) > pTrace->GetMaxXScaleValue()) return Beep();
    const int iWidth = pTrace->GetCurrentMaxXPos() - pTrace->GetCurrentMinXPos();
    SetXWindow(pTrace, iLast - iWidth, iLast);
    return 1;
}
