// CGraphView: construction, channel and size, the paint entry and the paint
// routine, recalculation flags and the areas they invalidate.

#include "trace/display/GraphView.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/PrintDetails.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "platform/DC.h"
#include "platform/PerfCounter.h"
#include "resources/StringIds.h"
#include "trace/display/YScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/display/TraceInterceptor.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <atomic>
#include <new>

namespace {

// Views are numbered for diagnostics only.
std::atomic<int> s_iViewSerial{0};

// Graticule-based areas reach this far beyond the grid: tick marks, cursor
// and mark labels.
constexpr int kGraticuleMargin = 10;

bool IsUnset(const CRect& rect) { return rect == CRect(-1, -1, -1, -1); }

} // namespace

CGraphView::CGraphView()
{
    m_pGraticule.reset(new (std::nothrow) CGraticule());
    if (!m_pGraticule) ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
    if (!m_pGraticule) m_pGraticule = std::make_unique<CGraticule>(); // keep the view usable
    m_abRecalc.fill(1);
    m_llCreated = QueryPerformanceCounter();
    m_iSerialNumber = ++s_iViewSerial;
    RegisterGraphView(this);
}

CGraphView::~CGraphView() { UnregisterGraphView(this); }

ChannelNumber CGraphView::GetChannel() const
{
    QXASSERT(m_eChannel == CHANNEL_A || m_eChannel == CHANNEL_B);
    return m_eChannel;
}

void CGraphView::SetChannel(ChannelNumber eChannel)
{
    if (!QXVERIFY(eChannel == CHANNEL_A || eChannel == CHANNEL_B)) return;
    if (eChannel != m_eChannel) SetRecalcAll(true);
    m_eChannel = eChannel;
}

void CGraphView::OnSize(const CRect& rcClient, bool bRestoredOrMaximised)
{
    m_abRecalc[RECALC_ALL] = 1;
    if (!bRestoredOrMaximised) return;
    m_rectClient = rcClient;
    SetDrawRect(rcClient);
}

void CGraphView::SetDrawRect(const CRect& rect)
{
    if (rect == m_rectDraw) return;
    m_rectDraw = rect;
    SetRecalcAll(true);
}

bool CGraphView::IsLaidOut() const { return !IsUnset(m_rectDraw) && !m_rectDraw.IsRectEmpty(); }

bool CGraphView::DrawsBothChannels() const
{
    const CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || m_eChannel != CHANNEL_A) return false;
    if (pDoc->IsExporting()) return pDoc->GetExportChannel() == CHANNEL_BOTH;
    return pDoc->DrawingAllOnSameView() != 0;
}

CQXTrace* CGraphView::GetViewCurrentTrace() const
{
    const CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || (m_eChannel != CHANNEL_A && m_eChannel != CHANNEL_B)) return nullptr;
    return pDoc->GetCurrentTrace(m_eChannel);
}

SCommandStatus IGraphViewFrame::GetTraceCommandState(UINT uCommand, CQXTrace* pTrace)
{
    return GetTraceCommandStatus(uCommand, pTrace);
}

bool IGraphViewFrame::RunTraceCommand(UINT uCommand, CQXTrace* pTrace) { return ExecuteTraceCommand(uCommand, pTrace); }

ITraceInterceptor* CGraphView::GetInterceptor() const
{
    ITraceInterceptor* pInterceptor = m_pFrame ? m_pFrame->GetTraceInterceptor() : nullptr;
    // const: the view hands itself over, it does not change.
    if (pInterceptor) pInterceptor->SetEventView(const_cast<CGraphView*>(this));
    return pInterceptor;
}

bool CGraphView::ShowsTrace(CQXTrace* pTrace)
{
    if (!pTrace) return false;
    if (m_pFrame) return m_pFrame->GetTraceView(pTrace) == this;
    // Without a frame: the channel-A view also shows channel B when both are drawn together.
    const CGraphDoc* pDoc = GetGraphDoc();
    const ChannelNumber eShownOn = (pDoc && pDoc->DrawingAllOnSameView()) ? CHANNEL_A : pTrace->GetChannel();
    return eShownOn == m_eChannel;
}

// ---- Paint entry ------------------------------------------------------------------

bool CGraphView::ShouldSkipPaint(CGraphDoc* pDoc, bool bExporting) const
{
    if (m_rectUpdate.IsRectEmpty() || !IsLaidOut()) return true;
    if (bExporting) return false;
    int iFirst = CHANNEL_A, iLast = CHANNEL_B;
    if (const CAnalyserSettings* pAnalyser = GetAnalyserSettings()) pAnalyser->GetAnalyserChannelRange(iFirst, iLast);
    if (m_eChannel == CHANNEL_B && ((pDoc && pDoc->DrawingAllOnSameView()) || iLast == CHANNEL_A)) return true;
    if (m_eChannel == CHANNEL_A && iFirst == CHANNEL_B) return true;
    return false;
}

void CGraphView::OnDraw(CDC* pDC)
{
    if (!pDC) return;
    CGraphDoc* pDoc = GetGraphDoc();
    const SDrawContext ctx = CGraphDoc::DrawContextOf(pDoc, pDC);
    const bool bExporting = ctx.IsExport();

    int iGraticuleWidth = 1, iTraceWidth = 1, bSolid = 0;
    if (ctx.IsScreen()) {
        if (m_bInPaint) return;
        m_rectUpdate = m_rectClient;
    } else {
        m_rectUpdate = m_rectDraw;
        if (pDoc) {
            const SGraphOutputSettings& settings = bExporting ? pDoc->GetExportSettings() : pDoc->GetPrintSettings();
            // The widths are screen pixels: a 1200-dpi printer's are twelve times as many.
            iGraticuleWidth = std::max(1, GetPrinterValue(pDC, settings.iGraticuleLineWidth, 0));
            iTraceWidth = std::max(1, GetPrinterValue(pDC, settings.iTraceLineWidth, 0));
            bSolid = settings.bGraticuleSolid;
        }
    }

    m_bInPaint = 1;
    m_DrawContext = ctx;
    if (!ShouldSkipPaint(pDoc, bExporting)) {
        // The hosting widget double-buffers screen paints; here every surface is drawn directly.
        const int iOldROP = pDC->SetROP2(R2_COPYPEN);
        const long long llStart = QueryPerformanceCounter();
        Paint(pDC, iGraticuleWidth, iTraceWidth, bSolid);
        pDC->SetROP2(iOldROP);
        ++m_iPaints;
        QXDebugLog(3, "CGraphView::OnDraw", "VIEW: #%d paint %d took %lld ticks", m_iSerialNumber, m_iPaints,
                   QueryPerformanceCounter() - llStart);
    }
    m_bInPaint = 0;
}

void CGraphView::Paint(CDC* pDC, int iGraticuleWidth, int iTraceWidth, int bGraticuleSolid)
{
    pDC->FillSolidRect(m_rectUpdate, m_DrawContext.crBackground);

    // The arrangement is rebuilt on every paint: it is cheap, and no scale
    // pointer then outlives the traces that were shown when it was made.
    InitialiseScaleArrays();
    CQXTrace* pGraticuleTrace = GetGraticuleTrace();
    if (m_abRecalc[RECALC_ALL] || m_abRecalc[RECALC_GRATICULE])
        m_pGraticule->SetParameters(pGraticuleTrace, m_ScaleArrays.HasYScale(LEFT), m_ScaleArrays.HasYScale(RIGHT));

    CalcScaleRects(pDC);
    CalcCurPosRects();
    CalcGraticuleRect();

    DrawCurrentPosLines(pDC);
    DrawScales(pDC);
    DrawGraticule(pDC, bGraticuleSolid, iGraticuleWidth);
    DrawTraces(pDC, iTraceWidth);

    m_abRecalc.fill(0);
    DrawDragRect(pDC);
    if (ITraceInterceptor* pInterceptor = GetInterceptor()) pInterceptor->OnDraw(this, pDC);
}

// ---- Recalculation and invalidation -------------------------------------------------

void CGraphView::Invalidate(const CRect& rect)
{
    if (rect.IsRectEmpty()) return;
    m_arcInvalid.push_back(rect);
}

bool CGraphView::AnyScaleFlagSet() const
{
    return m_abRecalc[RECALC_ALL] || m_abRecalc[RECALC_XSCALE] || m_abRecalc[RECALC_LEFTYSCALE] ||
           m_abRecalc[RECALC_RIGHTYSCALE];
}

void CGraphView::SetRecalcAll(bool bInvalidate)
{
    m_abRecalc.fill(1);
    if (bInvalidate) Invalidate(IsUnset(m_rectClient) ? m_rectDraw : m_rectClient);
}

void CGraphView::SetRecalcXScale()
{
    m_abRecalc[RECALC_XSCALE] = 1;
    Invalidate(m_rectXScale);
}

void CGraphView::SetRecalcYScale(CQXTrace* pTrace)
{
    const int iSide = GetYScaleSide(pTrace);
    m_abRecalc[iSide == RIGHT ? RECALC_RIGHTYSCALE : RECALC_LEFTYSCALE] = 1;
    Invalidate(m_rectYScale[iSide]);
}

void CGraphView::SetRecalcXCurPos()
{
    m_abRecalc[RECALC_XCURPOS] = 1;
    Invalidate(m_rectXCurPos);
}

void CGraphView::SetRecalcYCurPos()
{
    m_abRecalc[RECALC_YCURPOS] = 1;
    Invalidate(m_rectYCurPos);
}

void CGraphView::SetRecalcGraticule()
{
    m_abRecalc[RECALC_GRATICULE] = 1;
    CRect rect = m_rectGraticule;
    rect.InflateRect(kGraticuleMargin, kGraticuleMargin);
    Invalidate(rect);
}

void CGraphView::SetRecalcCursorMarks()
{
    CRect rect = m_rectGraticule;
    rect.InflateRect(kGraticuleMargin, kGraticuleMargin);
    Invalidate(rect);
}

void CGraphView::SetRecalcTraces()
{
    // Between the Y scales, from the top of the client area down to the X scale.
    const CRect& rcArea = IsUnset(m_rectClient) ? m_rectDraw : m_rectClient;
    Invalidate(CRect(m_rectYScale[LEFT].right, rcArea.top, m_rectYScale[RIGHT].left, m_rectXScale.top));
}

void CGraphView::DrawDragRect(CDC* pDC)
{
    if (IsUnset(m_rectDrag)) return;
    const CRect rcBand = ClampDragRect(m_rectDrag, m_rectGraticule);
    if (rcBand.IsRectEmpty() || (rcBand & m_rectUpdate).IsRectEmpty()) return;
    const int iSaved = pDC->SaveDC();
    pDC->SelectObject(CPen::FromStock(WHITE_PEN));
    pDC->SelectObject(CBrush::FromStock(NULL_BRUSH));
    pDC->SetROP2(R2_COPYPEN);
    pDC->Rectangle(rcBand);
    pDC->RestoreDC(iSaved);
}
