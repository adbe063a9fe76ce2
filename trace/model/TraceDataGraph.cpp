// CQXTrace: the plot and its drawing. DataToPlot reduces the current X
// window to one vertical span per pixel column (or, with fewer points than
// columns, a line through the points); Draw strokes those columns into any
// CDC with the trace's pen and then draws the cursor and the marks.

#include "trace/model/QXTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "platform/DC.h"
#include "platform/VectorState.h"
#include "resources/StringTable.h"
#include "trace/display/Scale.h"
#include "trace/document/GraphDoc.h"
#include "trace/core/ColorCycler.h"
#include "trace/model/CursorMark.h"
#include "trace/core/PlotMath.h"
#include "trace/core/PlotScan.h"
#include "trace/core/TraceMath.h"

#include <algorithm>
#include <new>

namespace {

constexpr SColumnSpan kNoData{POINT_BEYOND_MAX, POINT_BEYOND_MAX};

// A point of line mode: its column, its datum and its height.
struct SLinePoint {
    int iColumn = 0;
    double dData = 0.0;
    int iHeight = POINT_BEYOND_MAX;
};

// Draws the plot's path. Solid lines go straight to the DC; patterned ones
// are stepped pixel by pixel and only their dashes are drawn, as short solid
// lines, because wide pens cannot be dashed on every device.
class CPlotStroke {
public:
    CPlotStroke(CDC* pDC, int iPrintStyle, int iScale) : m_pDC(pDC), m_pattern(iPrintStyle, iScale) {}

    void MoveTo(CPoint p)
    {
        m_pt = p;
        if (m_pattern.IsSolid()) m_pDC->MoveTo(p);
    }
    void LineTo(CPoint p)
    {
        if (m_pattern.IsSolid()) {
            m_pDC->LineTo(p);
        } else {
            const CPoint step = MajorStep(m_pt, p);
            ForEachLinePixel(m_pt, p, [&](CPoint q) { Pixel(q, step); });
            FlushDash(step);
        }
        m_pt = p;
    }
    // Lines leave out their last pixel; a run of the curve ends on it.
    void EndRun() { LineTo(CPoint(m_pt.x + 1, m_pt.y)); }

private:
    static CPoint MajorStep(CPoint a, CPoint b)
    {
        const int dx = b.x - a.x;
        const int dy = b.y - a.y;
        if (std::abs(dx) >= std::abs(dy)) return CPoint(dx < 0 ? -1 : 1, 0);
        return CPoint(0, dy < 0 ? -1 : 1);
    }
    void Pixel(CPoint q, CPoint step)
    {
        if (!m_pattern.Step()) {
            FlushDash(step);
            return;
        }
        if (!m_bDash) m_dashStart = q;
        m_dashEnd = q;
        m_bDash = true;
    }
    void FlushDash(CPoint step)
    {
        if (!m_bDash) return;
        m_pDC->MoveTo(m_dashStart);
        m_pDC->LineTo(m_dashEnd.x + step.x, m_dashEnd.y + step.y);
        m_bDash = false;
    }

    CDC* m_pDC;
    CDashPattern m_pattern;
    CPoint m_pt;
    CPoint m_dashStart;
    CPoint m_dashEnd;
    bool m_bDash = false;
};

} // namespace

// ---- Plot rectangle and origin ------------------------------------------------------

void CQXTrace::SetDrawRect(const CRect& rect)
{
    if (rect.IsRectEmpty()) return;
    const size_t nColumns = static_cast<size_t>(rect.Width()) + 1;
    if (rect == m_rcDraw && m_bPlotValid && m_ipPlotMin.size() == nColumns && m_ipPlotMax.size() == nColumns) return;
    m_bRecalcPlot = true;
    m_rcDraw = rect;
    try {
        m_ipPlotMin.assign(nColumns, POINT_BEYOND_MAX);
        m_ipPlotMax.assign(nColumns, POINT_BEYOND_MAX);
        m_bPlotValid = 1;
    } catch (const std::bad_alloc&) {
        m_ipPlotMin.clear();
        m_ipPlotMax.clear();
        m_bPlotValid = 0;
        ReportOutOfMemory(__FILE__, __LINE__);
    }
    if (m_pMaxLimitLine) m_pMaxLimitLine->SetDrawRect(rect);
    if (m_pMinLimitLine) m_pMinLimitLine->SetDrawRect(rect);
}

int CQXTrace::GetYOrigin()
{
    if (IsLimitLine())
        if (CQXTrace* pParent = GetParentTrace()) return pParent->GetYOrigin();
    static CRateLimitedDiagnostic s_emptyWindow(1, 10000);
    if (m_dCurrentMinYData == 0.0 && m_dCurrentMaxYData == 0.0 && QXDebugLogLevel >= 2)
        if (const unsigned n = s_emptyWindow.Next())
            QXDebugLog(2, "CQXTrace::GetYOrigin", "PLOT: empty Y window, origin in the middle (Type:%d ID:%d) <#%u>",
                       static_cast<int>(m_eTraceType), static_cast<int>(m_sTraceID), n);
    return YOriginForWindow(m_dCurrentMinYData, m_dCurrentMaxYData, m_rcDraw.top, m_rcDraw.bottom);
}

// ---- Plot data ----------------------------------------------------------------------

const double* CQXTrace::GetPlotYArray() const
{
    return m_pTransformedYData ? m_pTransformedYData.get() : m_pYData.get();
}

int CQXTrace::GetPlotColumns() const
{
    return static_cast<int>(std::min(m_ipPlotMin.size(), m_ipPlotMax.size()));
}

bool CQXTrace::PlotScanValid(const SPlotScan& scan, int iPos, int iLine)
{
    const double* pdNow = GetPlotYArray();
    const int iSizeNow = scan.piSizeNow ? *scan.piSizeNow : GetDataSize();
    if (pdNow == scan.pdY && iSizeNow == scan.iSize && iPos >= 0 && iPos < scan.iSize) return true;
    if (QXDebugLogLevel >= 2 && m_PlotRaceReports.Allow(QXSteadyMilliseconds()))
        QXDebugLog(2, "CQXTrace::DataToPlot",
                   "GOTCHA: LINE:%d - MUTEX required - Type:%d ID:%d array %s, size %d -> %d, position %d", iLine,
                   static_cast<int>(m_eTraceType), static_cast<int>(m_sTraceID),
                   pdNow == scan.pdY ? "kept" : "exchanged", scan.iSize, iSizeNow, iPos);
    return false;
}

// Heights follow the order of the data (so a column's extremes can be taken
// in data and mapped alone) except on a log Y axis whose origin lies above
// the bottom edge (values below the window give 0) or an inverted window.
// Kinds that map Y themselves keep the same shape.
bool CQXTrace::YMappingFollowsData()
{
    // A limit line stores values of its own unit, not data: each is converted on its own.
    if (IsLimitLine()) return false;
    if (!(m_dCurrentMinYData < m_dCurrentMaxYData)) return false;
    return !(GetLogY() && m_iYOrigin < m_rcDraw.bottom);
}

int CQXTrace::UsesCarefulPlotX()
{
    if (IsLimitLine()) {
        CQXTrace* pParent = GetParentTrace();
        return pParent && pParent->HasXData();
    }
    return GetLogX() && (HasXData() || IsSweepTrace() || IsUserTrace() || m_eTraceType == TT_FFTRESPONSE);
}

bool CQXTrace::ColumnSpanAt(const SPlotScan& scan, int iFirst, int iLast, bool bFollowsData, SColumnSpan* pSpan,
                            bool* pbWhole)
{
    if (pbWhole) *pbWhole = false;
    // Positions are never below the window start (0 or more), so the last
    // position decides whether the run lies inside the array.
    if (iFirst > iLast || !PlotScanValid(scan, iLast, __LINE__)) return false;
    if (bFollowsData) {
        const SDataExtremes extremes = ScanDataExtremes(scan.pdY + iFirst, iLast - iFirst + 1);
        if (!extremes.bUnusual) {
            if (extremes.iCount == 0) {
                *pSpan = kNoData;
                return true;
            }
            // Every read is done: a mapping that exchanges the array is
            // caught by the next column's check.
            const auto Map = [this](double d) { return GetYPointForData(d); };
            pSpan->iLow = scan.Height(extremes.dMin, Map);
            pSpan->iHigh = scan.Height(extremes.dMax, Map);
            if (pSpan->iHigh != POINT_BEYOND_MAX) {
                if (pbWhole) *pbWhole = extremes.iCount == iLast - iFirst + 1;
                return true;
            }
            // A value beyond the int range ends the scan like a missing
            // one: only the point-by-point scan knows where.
        }
    }
    // Each point mapped on its own; the first without a height ends the column.
    *pSpan = kNoData;
    for (int k = iFirst; k <= iLast; ++k) {
        if (!PlotScanValid(scan, k, __LINE__)) return false;
        const int iHeight = GetYPointForData(GetPlotDataAtPos(k, scan.pdY[k]));
        if (iHeight == POINT_BEYOND_MAX) break;
        if (k == iFirst) {
            pSpan->iLow = pSpan->iHigh = iHeight;
        } else {
            pSpan->iLow = std::min(pSpan->iLow, iHeight);
            pSpan->iHigh = std::max(pSpan->iHigh, iHeight);
        }
    }
    return true;
}

namespace {

// Widens a span by another (a run of positions that ended at its first missing one).
void WidenSpan(SColumnSpan* pSpan, const SColumnSpan& run)
{
    if (!run.HasData()) return;
    pSpan->iLow = std::min(pSpan->iLow, run.iLow);
    pSpan->iHigh = std::max(pSpan->iHigh, run.iHigh);
}

} // namespace

int CQXTrace::PlotHeightAt(const SPlotScan& scan, int iPos)
{
    if (iPos < 0 || iPos >= scan.iSize) return POINT_BEYOND_MAX;
    return scan.Height(scan.pdY[iPos], [this](double d) { return GetYPointForData(d); });
}

void CQXTrace::ColumnsToPlot(const SPlotScan& scan, const SColumnPlan& plan)
{
    const bool bFollowsData = YMappingFollowsData();
    const bool bPoints = !plan.aiPoint.empty();
    // The shown position and the one after it, each mapped once (and only
    // when a column needs it) while columns show that position.
    int iShown = -1;
    int iShownHeight = 0;
    int iNextHeight = 0;
    bool bShownMapped = false;
    bool bNextMapped = false;
    SColumnSpan previous = kNoData;
    for (int i = 0; i < scan.iColumns; ++i) {
        const size_t u = static_cast<size_t>(i);
        SColumnSpan run = kNoData;
        bool bRun = false;
        bool bRunWhole = false;
        if (plan.aiFirst[u] <= plan.aiLast[u]) {
            if (!ColumnSpanAt(scan, plan.aiFirst[u], plan.aiLast[u], bFollowsData, &run, &bRunWhole)) {
                scan.Fill(i, POINT_BEYOND_MAX);
                return;
            }
            bRun = true;
        }
        SColumnSpan span = run;
        const int e = bPoints ? plan.aiPoint[u] : -1;
        if (e >= 0) {
            // A run reaching the point has checked the array up to it already.
            if (!(bRun && plan.aiLast[u] >= e) && !PlotScanValid(scan, e, __LINE__)) {
                scan.Fill(i, POINT_BEYOND_MAX);
                return;
            }
            if (e != iShown) {
                iShown = e;
                bShownMapped = bNextMapped = false;
            }
            // In the position's first column the point is its own; later
            // columns run towards the next position where both have values.
            const int c0 = plan.aiPointColumn[u];
            const int iNextColumn = plan.aiNextColumn[u];
            const bool bTowardsNext =
                i > c0 && iNextColumn != SColumnPlan::kNoNext && scan.pdY[e] != DBL_MAX && scan.pdY[e + 1] != DBL_MAX;
            // A run that ends at the point and holds all its heights already
            // spans the point's own height (most columns on log X).
            if (bTowardsNext || !(bRunWhole && plan.aiLast[u] == e)) {
                if (!bShownMapped) {
                    iShownHeight = PlotHeightAt(scan, e);
                    bShownMapped = true;
                }
                int iPoint = iShownHeight;
                if (bTowardsNext) {
                    if (!bNextMapped) {
                        iNextHeight = PlotHeightAt(scan, e + 1);
                        bNextMapped = true;
                    }
                    const int c1 = std::max(iNextColumn, i);
                    if (c1 != c0) iPoint = InterpolateHeight(iShownHeight, iNextHeight, i, c0, c1);
                }
                span = {iPoint, iPoint};
                if (bRun) WidenSpan(&span, run);
            }
        }
        if (i > 0) JoinColumnSpans(previous, &span);
        if (plan.bFlatGetsRow && span.HasData() && span.iLow == span.iHigh) span.iLow = span.iHigh - 1;
        scan.Store(i, span);
        previous = span;
    }
}

// Column i takes the points from floor(i x r) and the floor(r) after them.
void CQXTrace::PlanLinearColumns(SColumnPlan& plan, const SPlotScan& scan, double dPointsPerColumn)
{
    const int iFollowing = FloorToInt(dPointsPerColumn);
    for (int i = 0; i < scan.iColumns; ++i) {
        const int iFirst = FloorToInt(i * dPointsPerColumn) + scan.iMinPos;
        plan.SetRun(i, iFirst, iFirst + iFollowing);
    }
}

void CQXTrace::PlanLogColumns(SColumnPlan& plan, const SPlotScan& scan, const SXMap& xmap, const SAffineMap& positions)
{
    plan.bFlatGetsRow = true;
    int iStart = scan.iMinPos;
    for (int i = 0; i < scan.iColumns; ++i) {
        // The column ends at the position under its right edge.
        int iEnd = scan.iMaxPos;
        if (i < scan.iColumns - 1) iEnd = ColumnPosition(xmap, positions, i + 1);
        iEnd = std::clamp(iEnd, scan.iMinPos, scan.iMaxPos);
        // Where a position is wider than a pixel the column shows that position.
        plan.SetRun(i, std::min(iStart, iEnd), iEnd);
        iStart = std::max(iStart, iEnd + 1);
    }
}

void CQXTrace::LinesToPlot(const SPlotScan& scan)
{
    scan.Fill(0, POINT_BEYOND_MAX);
    const bool bByHeight = ManageUsingYValues() != 0;
    const int iLastColumn = scan.iColumns - 1;
    // Columns strictly between two points, interpolated; a point without a
    // value, or one mapped beyond the window, leaves a gap.
    const auto FillBetween = [&](const SLinePoint& a, const SLinePoint& b) {
        if (a.iHeight == POINT_BEYOND_MAX || b.iHeight == POINT_BEYOND_MAX) return;
        if (a.iColumn == POINT_BEYOND_MIN || b.iColumn == POINT_BEYOND_MAX) return;
        const int iFrom = std::max(a.iColumn + 1, 0);
        const int iTo = std::min(b.iColumn - 1, iLastColumn);
        for (int k = iFrom; k <= iTo; ++k) {
            const int iHeight = bByHeight
                                    ? InterpolateHeight(a.iHeight, b.iHeight, k, a.iColumn, b.iColumn)
                                    : GetYPointForData(InterpolateAtColumn(a.dData, b.dData, k, a.iColumn, b.iColumn));
            scan.piMin[k] = scan.piMax[k] = iHeight;
        }
    };
    const auto Place = [&](const SLinePoint& p) {
        if (p.iColumn >= 0 && p.iColumn <= iLastColumn) scan.piMin[p.iColumn] = scan.piMax[p.iColumn] = p.iHeight;
    };

    SLinePoint previous;
    bool bHavePrevious = false;
    for (int iPos = scan.iMinPos; iPos <= scan.iMaxPos; ++iPos) {
        if (!PlotScanValid(scan, iPos, __LINE__)) return;
        SLinePoint point;
        point.dData = GetPlotDataAtPos(iPos, scan.pdY[iPos]);
        point.iColumn = GetXPointForPos(iPos);
        point.iHeight = GetYPointForData(point.dData);
        if (bHavePrevious) FillBetween(previous, point);
        Place(point);
        previous = point;
        bHavePrevious = true;
    }

    // The last column shows the value at the window's right edge, which may
    // fall between two positions.
    const int iUnit = GetXUnit();
    const double dEdge = GetCurrentMaxXScaleValue();
    const int iPos = std::clamp(GetXPosForValue(dEdge, iUnit), scan.iMinPos, scan.iMaxPos);
    if (!PlotScanValid(scan, iPos, __LINE__)) return;
    SLinePoint edge;
    edge.iColumn = iLastColumn;
    edge.dData = GetPlotDataAtPos(iPos, scan.pdY[iPos]);
    if (edge.dData != DBL_MAX && iPos + 1 < scan.iSize) {
        const double dX0 = GetXValueAtPos(iPos, iUnit);
        const double dX1 = GetXValueAtPos(iPos + 1, iUnit);
        if (dX1 > dX0 && dEdge > dX0) {
            if (!PlotScanValid(scan, iPos + 1, __LINE__)) return;
            const double dNext = GetPlotDataAtPos(iPos + 1, scan.pdY[iPos + 1]);
            const double t = std::min(1.0, (dEdge - dX0) / (dX1 - dX0));
            if (dNext != DBL_MAX) edge.dData += (dNext - edge.dData) * t;
        }
    }
    edge.iHeight = GetYPointForData(edge.dData);
    if (bHavePrevious && previous.iColumn < iLastColumn) FillBetween(previous, edge);
    Place(edge);
}

void CQXTrace::DataToPlot()
{
    if (!m_bPlotValid) return;
    SPlotScan scan;
    scan.iColumns = GetPlotColumns();
    if (scan.iColumns <= 0) return;
    scan.piMin = m_ipPlotMin.data();
    scan.piMax = m_ipPlotMax.data();
    m_bColumnMode = 0;

    // Held while the Y array is read; whoever replaces the array takes it
    // too. The transform lock keeps the transformed array from being freed
    // or reallocated by a compute run meanwhile (always taken second).
    CSingleLock lock(&m_TraceLock, true);
    CSingleLock transformLock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    scan.pdY = GetPlotYArray();
    scan.iSize = GetDataSize();
    scan.piSizeNow = DataSizeField();
    if (!scan.pdY || scan.iSize <= 0) {
        scan.Fill(0, POINT_BEYOND_MAX);
        return;
    }
    scan.iMinPos = GetCurrentMinXPos();
    scan.iMaxPos = GetCurrentMaxXPos();
    m_iYOrigin = GetYOrigin();
    if (scan.iMinPos < 0 || scan.iMaxPos < scan.iMinPos) {
        QXASSERT(scan.iMinPos >= 0 && scan.iMaxPos >= scan.iMinPos);
        scan.Fill(0, POINT_BEYOND_MAX);
        return;
    }
    if (scan.iMaxPos == scan.iMinPos) {
        scan.Fill(0, 0);
        return;
    }
    if (m_iYOrigin == POINT_BEYOND_MAX || !m_pXScale) return;

    const double dPointsPerColumn = static_cast<double>(scan.iMaxPos - scan.iMinPos) / scan.iColumns;
    const bool bLogX = GetLogX() != 0;
    const bool bColumns = (dPointsPerColumn > 1.0 && !IsLimitLine()) || (bLogX && !UsesCarefulPlotX());
    m_bColumnMode = bColumns ? 1 : 0;
    if (!bColumns) {
        LinesToPlot(scan);
        return;
    }
    const SYMap heights = MakeYMap();
    scan.pHeights = &heights;
    SColumnPlan::SKey key{bLogX ? SColumnPlan::eLogColumns : SColumnPlan::eLinearColumns, MakeXMap(), SAffineMap(), scan.iMinPos,
                          scan.iMaxPos, scan.iSize};
    // Linear columns depend on positions alone: their plan is always reusable.
    key.positions = bLogX ? MakePositionMap(key.xmap) : SAffineMap::Through(0.0, 0.0, 1.0, 1.0);
    const SColumnPlan* pPlan = ColumnPlanFor(key, scan.iColumns, false, [&](SColumnPlan& plan) {
        if (bLogX) PlanLogColumns(plan, scan, key.xmap, key.positions);
        else PlanLinearColumns(plan, scan, dPointsPerColumn);
    });
    if (pPlan) ColumnsToPlot(scan, *pPlan);
    else scan.Fill(0, POINT_BEYOND_MAX);
}

// ---- Drawing ---------------------------------------------------------------------------

void CQXTrace::Draw(CDC* pDC, int iLineWidth)
{
    QXASSERT(m_bInUse);
    if (!QXVERIFY(pDC != nullptr)) return;
    if (m_bRecalcPlot) {
        // Cleared first: a refill during the build asks again.
        m_bRecalcPlot = false;
        // The paint before this one may have left the upper vector state dirty.
        ClearUpperVectorState();
        DataToPlot();
    }
    Paint(pDC, iLineWidth);
    DrawCursor(pDC);
    DrawMarks(pDC);
}

int CQXTrace::PenWidthFor(CDC* pDC, int iLineWidth)
{
    int iWidth = std::max(iLineWidth, 1);
    CGraphDoc* pDoc = GetGraphDoc();
    if (pDoc && pDoc->GetCurrentTrace(m_eChannel) == this) {
        const SDrawContext ctx = pDoc->GetDrawContext(pDC);
        if (ctx.bBoldCurrentTrace) iWidth *= ctx.bDevicePrinting ? 10 : 2;
    }
    return ScaleLineWidth(iWidth, pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetAttribDC()->GetDeviceCaps(LOGPIXELSX));
}

void CQXTrace::Paint(CDC* pDC, int iLineWidth)
{
    if (m_rcDraw.IsRectEmpty() || !m_bPlotValid || GetPlotColumns() != m_rcDraw.Width() + 1) return;
    m_crPen = GetColor(pDC);
    m_iPenWidth = PenWidthFor(pDC, iLineWidth);
    const CPen oldPen = pDC->SelectObject(CPen(PS_SOLID, m_iPenWidth, m_crPen));
    const int iOldROP = pDC->SetROP2(R2_COPYPEN);
    DoPaint(pDC);
    pDC->SetROP2(iOldROP);
    pDC->SelectObject(oldPen);
}

void CQXTrace::DoPaint(CDC* pDC)
{
    const int iColumns = GetPlotColumns();
    const int iStyle = CGraphDoc::DrawContextOf(GetGraphDoc(), pDC).OnOutputDevice() ? m_iPrintStyle : TRACE_PRINTSTYLE_SOLID;
    int* piMin = m_ipPlotMin.data();
    int* piMax = m_ipPlotMax.data();
    const int iDotted = std::clamp(GetLowestValidXPoint(), 0, iColumns);
    if (iDotted > 0) {
        // Below the lowest valid frequency, with a pen of its own; the pass
        // reaches into the first valid column so that the two meet.
        const int iPenStyle = iStyle == TRACE_PRINTSTYLE_DOT ? PS_SOLID : PS_DOT;
        const CPen oldPen = pDC->SelectObject(CPen(iPenStyle, m_iPenWidth, m_crPen));
        DrawPolyLine(pDC, 0, std::min(iDotted + 1, iColumns), TRACE_PRINTSTYLE_SOLID, 1, piMin, piMax);
        pDC->SelectObject(oldPen);
    }
    DrawPolyLine(pDC, iDotted, iColumns, iStyle, m_iPenWidth, piMin, piMax);
}

void CQXTrace::DrawPolyLine(CDC* pDC, int iFirstColumn, int iEndColumn, int iPrintStyle, int iPatternScale,
                            int* piMin, int* piMax)
{
    CPlotStroke stroke(pDC, iPrintStyle, iPatternScale);
    bool bInRun = false;
    for (int i = iFirstColumn; i < iEndColumn; ++i) {
        if (piMin[i] == POINT_BEYOND_MAX || piMax[i] == POINT_BEYOND_MAX) {
            if (bInRun) stroke.EndRun();
            bInRun = false;
            continue;
        }
        const int x = m_rcDraw.left + i;
        const int iLowRow = ClippedPlotRow(m_iYOrigin, piMin[i], m_rcDraw.top, m_rcDraw.bottom);
        if (m_bColumnMode) {
            // One vertical stroke over the span, its top row included; joined
            // spans touch, so the strokes make one continuous curve.
            const int iHighRow = ClippedPlotRow(m_iYOrigin, piMax[i], m_rcDraw.top, m_rcDraw.bottom);
            stroke.MoveTo(CPoint(x, iLowRow));
            stroke.LineTo(CPoint(x, iHighRow - 1));
            continue;
        }
        if (bInRun) stroke.LineTo(CPoint(x, iLowRow));
        else stroke.MoveTo(CPoint(x, iLowRow));
        bInRun = true;
    }
    if (bInRun) stroke.EndRun();
}

void CQXTrace::DrawLimitBreaches(CDC* pDC, int iLineWidth)
{
    const int iColumns = GetPlotColumns();
    if (!pDC || m_rcDraw.IsRectEmpty() || !m_bPlotValid || iColumns != m_rcDraw.Width() + 1) return;
    const int iPenWidth = 2 * PenWidthFor(pDC, iLineWidth);
    const int iLastPos = GetDataSize() - 1;
    for (const bool bMax : {true, false}) {
        CQXTrace* pLine = bMax ? m_pMaxLimitLine : m_pMinLimitLine;
        const std::vector<int>& aiBreaches = GetLimitBreachPositions(bMax);
        if (!pLine || !pLine->IsOn() || aiBreaches.empty()) continue;
        const CPen oldPen = pDC->SelectObject(CPen(PS_SOLID, iPenWidth, pLine->GetColor(pDC)));
        // A breaching point takes the segments to its neighbours; runs of
        // breaching points that meet or overlap are drawn as one.
        const auto DrawRun = [&](int iFirst, int iEnd) {
            if (iEnd > iFirst)
                DrawPolyLine(pDC, iFirst, iEnd, TRACE_PRINTSTYLE_SOLID, 1, m_ipPlotMin.data(), m_ipPlotMax.data());
        };
        int iRunFirst = 0, iRunEnd = -1;
        for (const int iPos : aiBreaches) {
            const int iFirst = std::max(GetXPointForPos(std::max(iPos - 1, 0)), 0);
            const int iEnd = std::min(GetXPointForPos(std::min(iPos + 1, iLastPos)) + 1, iColumns);
            if (iFirst >= iEnd) continue;
            if (iFirst > iRunEnd) {
                DrawRun(iRunFirst, iRunEnd);
                iRunFirst = iFirst;
            }
            iRunEnd = std::max(iRunEnd, iEnd);
        }
        DrawRun(iRunFirst, iRunEnd);
        pDC->SelectObject(oldPen);
    }
}

void CQXTrace::DrawCursor(CDC* pDC)
{
    if (!pDC || !m_bCursorOn) return;
    if (m_pCursor) m_pCursor->DrawCursorMark(pDC, nullptr);
    if (m_bRelativeCursorOn && m_pRelativeCursor) m_pRelativeCursor->DrawCursorMark(pDC, nullptr);
}

void CQXTrace::DrawMarks(CDC* pDC)
{
    if (!pDC || m_iCurrentMark < 0) return;
    const bool bOutput = CGraphDoc::DrawContextOf(GetGraphDoc(), pDC).OnOutputDevice();
    if (!(bOutput ? m_bPrintMarks : m_bShowMarksOnScreen)) return;
    // Printed marks are numbered in the scale font of that device.
    const CFont* pFont = bOutput ? CScale::GetFont(pDC, nullptr) : nullptr;
    const CFont oldFont = pFont ? pDC->SelectObject(*pFont) : pDC->GetCurrentFont();
    for (int i = 0; i < MAX_MARKS; ++i) {
        if (!m_apMarks[i]) continue;
        CString sLabel;
        if (bOutput) sLabel.Format(L"%d", i + 1);
        m_apMarks[i]->DrawCursorMark(pDC, bOutput ? sLabel.GetString() : nullptr);
    }
    if (pFont) pDC->SelectObject(oldFont);
}

void CQXTrace::DrawCursorAndMarks(CDC* pDC)
{
    DrawCursor(pDC);
    DrawMarks(pDC);
}

// ---- Colours on a device ------------------------------------------------------------

COLORREF CQXTrace::GetColor(CDC* pDC)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return 0xFFFFFF;
    const SDrawContext ctx = pDoc->GetDrawContext(pDC);
    if (ctx.bMonochrome) return 0;
    const COLORREF crColor = ctx.OnOutputDevice() ? m_crPrintColor : m_crColor;
    // White on white would vanish.
    if (crColor == 0xFFFFFF && ctx.crBackground == 0xFFFFFF) return 0;
    return crColor;
}

COLORREF CQXTrace::GetNextCopyColor()
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return m_crColor;
    const COLORREF crDefault = pDoc->GetDefaultTraceColor(m_eTraceType, 1);
    if (crDefault != COLOR_CYCLE) {
        m_pColorCycler.reset();
        return crDefault;
    }
    if (!m_pColorCycler) {
        m_pColorCycler.reset(new (std::nothrow) CColorCycler(m_crColor));
        if (!m_pColorCycler) {
            ERROR_NORMAL(IDS_ERROR_OUTOFMEMORY);
            return m_crColor;
        }
        // Start at the source's own colour, which the cycler then skips, so
        // copies follow on from it.
        m_pColorCycler->Initialise(m_crColor);
    }
    return m_pColorCycler->GetNextColor();
}
