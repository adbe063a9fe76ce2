// CGraphView: the painting steps: position bars, scales with their label
// selection, graticule, traces in their drawing order, and the logo.

#include "trace/display/GraphView.h"

#include "host/app/AppServices.h"
#include "host/app/PrintDetails.h"
#include "platform/DC.h"
#include "trace/core/ScaleMath.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/display/TraceInterceptor.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kTrackColor = 0x808080;
constexpr int kScaleVisibilityMargin = 5;

bool Meets(const CRect& a, const CRect& b) { return !(a & b).IsRectEmpty(); }

bool IsShownTrace(const CQXTrace* pTrace) { return pTrace && pTrace->IsInUse() && pTrace->IsOn(); }

// Holds a trace's data lock while it is drawn; one trace at a time.
class CTraceDrawLock {
public:
    explicit CTraceDrawLock(CQXTrace* pTrace) : m_pTrace(pTrace) { m_pTrace->LockTrace(); }
    ~CTraceDrawLock() { m_pTrace->UnlockTrace(); }
    CTraceDrawLock(const CTraceDrawLock&) = delete;
    CTraceDrawLock& operator=(const CTraceDrawLock&) = delete;

private:
    CQXTrace* m_pTrace;
};

} // namespace

// ---- Position bars ----------------------------------------------------------------

void CGraphView::DrawCurrentPosLines(CDC* pDC)
{
    if (m_DrawContext.bDevicePrinting || m_DrawContext.bDeviceMetafile) return;
    if (!Meets(m_rectUpdate, m_rectXCurPos) && !Meets(m_rectUpdate, m_rectYCurPos)) return;

    CQXTrace* pTrace = GetGraticuleTrace();
    const COLORREF crBackground = m_DrawContext.crBackground;
    COLORREF crTrack = kTrackColor;
    COLORREF crThumb = pTrace ? pTrace->GetScaleColorTrace()->GetScreenColor() : crBackground;
    if (!pTrace || (pTrace->GetChannel() != m_eChannel && !DrawsBothChannels())) crTrack = crThumb = crBackground;

    pDC->FillSolidRect(m_rectXCurPos, crTrack);
    pDC->FillSolidRect(m_rectYCurPos, crTrack);
    if (pTrace) DrawYOffsetMarker(pDC, pTrace);
    for (const CRect& rcThumb : {m_rectXCurPosBar, m_rectYCurPosBar}) {
        if (rcThumb.IsRectEmpty()) continue;
        pDC->FillSolidRect(rcThumb, crThumb);
        pDC->DrawEdge(rcThumb, BDR_RAISEDOUTER, BF_RECT);
    }
}

// A grey line beside the Y track, from its middle towards the trace's Y
// offset, half the track meaning an offset of the whole window.
void CGraphView::DrawYOffsetMarker(CDC* pDC, CQXTrace* pTrace)
{
    const double dOffset = pTrace->GetYOffset();
    const double dRange = pTrace->GetCurrentMaxYScaleValue() - pTrace->GetCurrentMinYScaleValue();
    if (dOffset == 0.0 || !(dRange > 0.0) || !std::isfinite(dRange) || m_rectYCurPos.IsRectEmpty()) return;
    const int iHeight = m_rectYCurPos.Height();
    const int iMiddle = m_rectYCurPos.top + iHeight / 2;
    const double dShift = std::clamp(iHeight * dOffset / dRange * 0.5, -static_cast<double>(iHeight), static_cast<double>(iHeight));
    const int y = std::clamp(iMiddle - static_cast<int>(std::trunc(dShift)), m_rectYCurPos.top, m_rectYCurPos.bottom - 1);
    const int x = m_rectYCurPos.right + 1;
    pDC->FillSolidRect(CRect(x, std::min(iMiddle, y), x + 2, std::max(iMiddle, y) + 1), kTrackColor);
}

// ---- Scales ----------------------------------------------------------------------------

void CGraphView::DoCalcScaleSpacing(CDC* pDC, AxisType eAxis)
{
    SLabelLayout layout;
    layout.eAxis = eAxis;
    CTickArray* pTicks = nullptr;
    if (eAxis == X_AXIS) {
        pTicks = &m_pGraticule->GetXTicks();
        layout.iPixelLength = m_rectGraticule.Width();
        for (CXScale* pScale : m_ScaleArrays.apXScales)
            if (pScale) layout.iLabelSize = std::max(layout.iLabelSize, pScale->GetMaxTextWidth(pDC, pTicks));
    } else {
        pTicks = &m_pGraticule->GetYTicks();
        layout.iPixelLength = m_rectGraticule.Height();
        layout.iLabelSize = 2 * GetFontHeight(pDC, Y_AXIS);
    }
    if (pTicks->GetNumTicks() >= 2) ::DoCalcScaleSpacing(pTicks, layout);
}

void CGraphView::CalcScaleSpacing(CDC* pDC, int bX, int bY)
{
    if (bX) DoCalcScaleSpacing(pDC, X_AXIS);
    if (bY) DoCalcScaleSpacing(pDC, Y_AXIS);
}

void CGraphView::DrawScales(CDC* pDC)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (pDoc && !pDoc->DrawingScales(m_DrawContext)) return;
    CRect rcX = m_rectXScale;
    rcX.DeflateRect(kScaleVisibilityMargin, 0);
    const bool bXVisible = Meets(rcX, m_rectUpdate);
    bool abYVisible[kYScaleSides];
    for (int iSide = 0; iSide < kYScaleSides; ++iSide) {
        CRect rcY = m_rectYScale[iSide];
        rcY.bottom -= kScaleVisibilityMargin;
        abYVisible[iSide] = Meets(rcY, m_rectUpdate);
    }
    if (!bXVisible && !abYVisible[LEFT] && !abYVisible[RIGHT]) return;

    const int iSaved = pDC->SaveDC();
    if (const CFont* pFont = CScale::GetFont(pDC, nullptr)) pDC->SelectObject(*pFont);
    // The graticule's copies lose their label flags whenever they are refreshed.
    const bool bNewTicks = m_abRecalc[RECALC_ALL] || m_abRecalc[RECALC_GRATICULE];
    CalcScaleSpacing(pDC, bNewTicks || m_abRecalc[RECALC_XSCALE],
                     bNewTicks || m_abRecalc[RECALC_LEFTYSCALE] || m_abRecalc[RECALC_RIGHTYSCALE]);

    if (bXVisible) {
        for (CXScale* pScale : m_ScaleArrays.apXScales) {
            if (!pScale) continue;
            pScale->InitialiseColors();
            pScale->Draw(pDC, &m_pGraticule->GetXTicks());
        }
    }
    for (int iSide = 0; iSide < kYScaleSides; ++iSide) {
        if (!abYVisible[iSide]) continue;
        const YScaleSide eSide = static_cast<YScaleSide>(iSide);
        for (const SYScaleSlot& slot : m_ScaleArrays.aYSlots[iSide]) {
            if (!slot.pUpper) continue;
            slot.pUpper->SetDetails(eSide, slot.pLower ? 0 : 1, m_eChannel);
            slot.pUpper->Draw(pDC, &m_pGraticule->GetYTicks());
            if (!slot.pLower) continue;
            slot.pLower->SetDetails(eSide, 2, m_eChannel);
            slot.pLower->Draw(pDC, &m_pGraticule->GetYTicks());
        }
    }
    pDC->RestoreDC(iSaved);
}

// ---- Graticule and traces -------------------------------------------------------------

void CGraphView::DrawGraticule(CDC* pDC, int bSolid, int iLineWidth)
{
    if (m_rectGraticule.IsRectEmpty() || !Meets(m_rectUpdate, m_rectGraticule)) return;
    m_pGraticule->Draw(pDC, bSolid, iLineWidth);
}

void CGraphView::DrawTraces(CDC* pDC, int iLineWidth) { DoDrawTraces(pDC, iLineWidth); }

void CGraphView::DoDrawTraces(CDC* pDC, int iLineWidth)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || !Meets(m_rectUpdate, m_rectGraticule)) return;
    if (m_eChannel != CHANNEL_A && m_eChannel != CHANNEL_B) return;
    // The current trace goes last, over all the others.
    CQXTrace* pCurrent = GetViewCurrentTrace();
    const auto DrawChannel = [&](ChannelNumber eChannel) {
        // A copy of the array: an interceptor may change the document while drawing.
        const std::vector<CQXTrace*> aTraces = pDoc->GetTraceArray(eChannel);
        for (CQXTrace* pTrace : aTraces)
            if (pTrace != pCurrent && IsShownTrace(pTrace)) DoDrawTrace(pDC, pTrace, iLineWidth);
    };
    DrawChannel(m_eChannel);
    if (DrawsBothChannels()) DrawChannel(CHANNEL_B);
    if (IsShownTrace(pCurrent)) DoDrawTrace(pDC, pCurrent, iLineWidth);
}

void CGraphView::DoDrawTrace(CDC* pDC, CQXTrace* pTrace, int iLineWidth)
{
    {
        CTraceDrawLock lock(pTrace);
        DrawTrace(pDC, pTrace, iLineWidth);
    }
    for (CQXTrace* pLimit : {pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()}) {
        if (!IsShownTrace(pLimit)) continue;
        CTraceDrawLock lock(pLimit);
        DrawTrace(pDC, pLimit, iLineWidth);
    }
    // Over the lines, where the last check found the trace beyond them.
    CTraceDrawLock lock(pTrace);
    pTrace->DrawLimitBreaches(pDC, iLineWidth);
}

void CGraphView::DrawTrace(CDC* pDC, CQXTrace* pTrace, int iLineWidth)
{
    if (!pDC || !pTrace) return;
    // Inside the grid's left and top lines.
    CRect rcPlot = m_rectGraticule;
    rcPlot.left += 1;
    rcPlot.top += 1;
    pTrace->SetDrawRect(rcPlot);
    if (ITraceInterceptor* pInterceptor = GetInterceptor(); pInterceptor && pInterceptor->DrawTrace(pDC, pTrace))
        return;
    pTrace->Draw(pDC, iLineWidth);
}

// ---- Logo --------------------------------------------------------------------------------

// A small mark of a boxed sine wave over three spectrum bars, in a box of
// 9 x 8 mm near the top right corner of the rectangle.
void CGraphView::PrintVelmarLogo(CDC* pDC, const CRect& rect)
{
    if (!pDC) return;
    const int iHorzSize = pDC->GetDeviceCaps(HORZSIZE);
    const double dUnit = iHorzSize > 0 ? static_cast<double>(pDC->GetDeviceCaps(HORZRES)) / iHorzSize / 10.0 : 1.0;
    const auto U = [dUnit](double d) { return static_cast<int>(std::lround(d * dUnit)); };
    const int iRight = rect.right - U(20);
    const int iTop = rect.top + U(20);
    const CRect rcBox(iRight - U(90), iTop, iRight, iTop + U(80));

    // Also drawn outside a paint (a print page's furniture): its own context.
    const bool bMono = CGraphDoc::DrawContextOf(GetGraphDoc(), pDC).bMonochrome;
    const COLORREF crFrame = bMono ? 0 : RGB(0, 64, 128);
    const COLORREF crWave = bMono ? 0 : RGB(0, 128, 0);
    const COLORREF crBars = bMono ? 0 : RGB(192, 0, 0);

    // A screen pixel wide on any device.
    const int iPen = std::max(1, GetPrinterValue(pDC, 1.0, 0));

    StartMetafileGroup(pDC, CRect(0, 0, 90, 80));
    const int iSaved = pDC->SaveDC();
    pDC->SelectObject(CBrush::FromStock(NULL_BRUSH));
    pDC->SelectObject(CPen(PS_SOLID, iPen, crFrame));
    pDC->Rectangle(rcBox);

    // The wave over the upper half.
    constexpr int kPoints = 33;
    CPoint aWave[kPoints];
    for (int i = 0; i < kPoints; ++i) {
        const double dPhase = 2.0 * 3.14159265358979 * i / (kPoints - 1);
        aWave[i] = CPoint(rcBox.left + U(10) + U(70.0 * i / (kPoints - 1)), rcBox.top + U(25) - U(15.0 * std::sin(dPhase)));
    }
    pDC->SelectObject(CPen(PS_SOLID, iPen, crWave));
    pDC->Polyline(aWave, kPoints);

    // Three bars of falling height over the lower half.
    pDC->SelectObject(CPen(PS_SOLID, iPen, crBars));
    pDC->SelectObject(CBrush(crBars));
    const int aiHeights[] = {30, 18, 9};
    for (int i = 0; i < 3; ++i) {
        const int iLeft = rcBox.left + U(15 + 22 * i);
        pDC->Rectangle(iLeft, rcBox.bottom - U(8) - U(aiHeights[i]), iLeft + U(14), rcBox.bottom - U(8));
    }
    pDC->RestoreDC(iSaved);
    EndMetafileGroup(pDC);
}
