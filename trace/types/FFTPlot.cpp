// CFFTBaseTrace: reducing bins to pixel columns. With more than one bin per
// column (or on a log X axis) each column gets the span of its bins; with at
// most one bin per column a line runs through the bins, interpolated over
// the columns between them. Column edges are turned into bins, never every
// bin into a pixel, so the cost follows the bins read once plus the columns.

#include "trace/types/FFTBaseTrace.h"

#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "trace/core/ScaleMath.h"
#include "trace/core/PlotMath.h"
#include "trace/core/PlotScan.h"
#include "trace/core/TraceMath.h"
#include "trace/types/KindHelpers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

// Holds the trace's references for this thread while it lives.
class CFFTBaseTrace::CReferenceHold {
public:
    explicit CReferenceHold(CFFTBaseTrace& trace) : m_trace(trace)
    {
        trace.GetReferences(1, 0, &trace.m_aHeldReferences[0]);
        trace.GetReferences(2, 0, &trace.m_aHeldReferences[1]);
        trace.m_HeldHeights = trace.MakeYMap();
        trace.m_HeldBy.store(std::this_thread::get_id());
    }
    ~CReferenceHold()
    {
        m_trace.m_HeldBy.store(std::thread::id());
        m_trace.m_HeldHeights = SYMap();
    }
    CReferenceHold(const CReferenceHold&) = delete;
    CReferenceHold& operator=(const CReferenceHold&) = delete;

private:
    CFFTBaseTrace& m_trace;
};

SYMap CFFTBaseTrace::MakeYMap()
{
    if (m_HeldBy.load() == std::this_thread::get_id()) return m_HeldHeights;
    if (GetLogY() || !(m_dCurrentMaxYScaleValue > m_dCurrentMinYScaleValue)) return SYMap();
    const bool bInLog10 = IsdBUnit(GetYUnit());
    // Two points define the map (in log10 of the datum for dB units); more,
    // spread over the decades data take, confirm that it is one.
    const auto Datum = [&](double u) { return bInLog10 ? std::pow(10.0, u) : u; };
    const double u0 = 0.0;
    const double u1 = bInLog10 ? 6.0 : 1.0e6;
    const SAffineMap rows = SAffineMap::Through(u0, YRowBeforeTruncation(Datum(u0)), u1, YRowBeforeTruncation(Datum(u1)));
    for (double c : {-4.0, 2.5, 9.0}) {
        const double u = bInLog10 ? c : c * 1.0e5;
        if (!rows.Confirms(u, YRowBeforeTruncation(Datum(u)))) return SYMap();
    }
    return SYMap::Affine(rows, GetYOrigin() - m_rcDraw.top, bInLog10);
}

void CFFTBaseTrace::DataToPlot()
{
    if (!m_bPlotValid) return;
    if (m_ipPlotMax.empty() || m_ipPlotMin.empty()) {
        QXASSERT(!m_ipPlotMax.empty());
        QXASSERT(!m_ipPlotMin.empty());
        return;
    }
    SPlotScan scan;
    scan.iColumns = GetPlotColumns();
    if (scan.iColumns <= 0) return;
    scan.piMin = m_ipPlotMin.data();
    scan.piMax = m_ipPlotMax.data();

    CSingleLock lock(&m_TraceLock, true);
    const CReferenceHold references(*this);
    scan.pHeights = &m_HeldHeights;
    scan.pdY = GetPlotYArray();
    scan.iSize = GetDataSize();
    scan.piSizeNow = DataSizeField();
    if (!scan.pdY || scan.iSize <= 0) {
        scan.Fill(0, POINT_BEYOND_MAX);
        return;
    }
    m_iYOrigin = GetYOrigin();
    if (m_iYOrigin == POINT_BEYOND_MAX || !m_pXScale) return;
    scan.iMinPos = GetCurrentMinXPos();
    scan.iMaxPos = std::min(GetCurrentMaxXPos(), scan.iSize - 1);
    if (scan.iMinPos < 0 || scan.iMaxPos < scan.iMinPos) {
        QXASSERT(scan.iMinPos >= 0 && scan.iMaxPos >= scan.iMinPos);
        scan.Fill(0, POINT_BEYOND_MAX);
        return;
    }

    const bool bLogX = GetLogX() != 0;
    const SXMap xmap = MakeXMap();
    const SAffineMap bins = MakePositionMap(xmap);
    const double r = static_cast<double>(scan.iMaxPos - scan.iMinPos) / scan.iColumns;
    m_bColumnMode = (r > 1.0 || bLogX) ? 1 : 0;
    if (!m_bColumnMode) {
        BinLinesToPlot(scan, xmap, bins);
        return;
    }
    const SColumnPlan::SKey key{bLogX ? SColumnPlan::eLogBinColumns : SColumnPlan::eBinColumns, xmap, bins,
                                scan.iMinPos, scan.iMaxPos, scan.iSize};
    const SColumnPlan* pPlan = ColumnPlanFor(key, scan.iColumns, bLogX, [&](SColumnPlan& plan) {
        if (bLogX) PlanLogBinColumns(plan, scan, xmap, bins);
        else PlanBinColumns(plan, scan, xmap, bins, r);
    });
    if (pPlan) ColumnsToPlot(scan, *pPlan);
    else scan.Fill(0, POINT_BEYOND_MAX);
}

// Each column spans the bin under its left edge and the R after it, where R
// is the bins per column rounded; a column whose bin lies outside the window
// has no point.
void CFFTBaseTrace::PlanBinColumns(SColumnPlan& plan, const SPlotScan& scan, const SXMap& xmap,
                                   const SAffineMap& bins, double dBinsPerColumn)
{
    const int R = FloorToInt(dBinsPerColumn + 0.5);
    for (int i = 0; i < scan.iColumns; ++i) {
        const int q = ColumnPosition(xmap, bins, i);
        if (q >= scan.iMinPos && q <= scan.iMaxPos) plan.SetRun(i, q, std::min(q + R, scan.iSize - 1));
    }
}

// On log X each column shows the bin under its left edge (the window's ends
// in the first and last column), interpolated towards the next bin while
// that bin spans columns, and widened by every bin since the last column's.
void CFFTBaseTrace::PlanLogBinColumns(SColumnPlan& plan, const SPlotScan& scan, const SXMap& xmap,
                                      const SAffineMap& bins)
{
    plan.bFlatGetsRow = true;
    const int W = scan.iColumns;
    const int p0 = scan.iMinPos;
    const int p1 = scan.iMaxPos;
    int iPreviousEnd = p0 - 1; // the last bin an earlier column took in
    int iBin = -1;             // the bin of the columns since iBinColumn
    int iBinColumn = 0;
    int iNextBinColumn = SColumnPlan::kNoNext;
    for (int i = 0; i < W; ++i) {
        int e = p1;
        if (i == 0) e = p0;
        else if (i < W - 1) e = ColumnPosition(xmap, bins, i);
        if (e < p0 || e > p1) continue;
        if (e != iBin) {
            iBin = e;
            iBinColumn = i;
            iNextBinColumn = e < p1 ? GetXPointForPos(e + 1) : SColumnPlan::kNoNext;
        }
        const size_t u = static_cast<size_t>(i);
        plan.aiPoint[u] = e;
        plan.aiPointColumn[u] = iBinColumn;
        plan.aiNextColumn[u] = iNextBinColumn;
        if (iPreviousEnd + 1 <= e) plan.SetRun(i, std::max(iPreviousEnd + 1, p0), e);
        iPreviousEnd = std::max(iPreviousEnd, e);
    }
}

void CFFTBaseTrace::BinLinesToPlot(const SPlotScan& scan, const SXMap& xmap, const SAffineMap& bins)
{
    const int W = scan.iColumns;
    if (!PlotScanValid(scan, scan.iMinPos, __LINE__)) {
        scan.Fill(0, POINT_BEYOND_MAX);
        return;
    }
    int iPreviousBin = scan.iMinPos;
    int c = 0;
    scan.piMin[0] = scan.piMax[0] = PlotHeightAt(scan, iPreviousBin);
    for (int i = 1; i < W; ++i) {
        const bool bLast = i == W - 1;
        const int iBin = bLast ? scan.iMaxPos : ColumnPosition(xmap, bins, i);
        if (iBin == iPreviousBin && !bLast) continue;
        if (iBin >= 0 && iBin < scan.iSize && !PlotScanValid(scan, iBin, __LINE__)) {
            scan.Fill(i, POINT_BEYOND_MAX);
            return;
        }
        const int P = PlotHeightAt(scan, iBin);
        scan.piMin[i] = scan.piMax[i] = P;
        const int Pc = scan.piMin[c];
        // Past the last bin the columns up to the edge carry no span of their own.
        const bool bNoMax = bLast && iBin == iPreviousBin;
        for (int k = c; k < i; ++k) {
            const int v = LineColumnHeight(Pc, P, k, c, i);
            scan.piMin[k] = v;
            scan.piMax[k] = bNoMax ? POINT_BEYOND_MAX : v;
        }
        c = i;
        iPreviousBin = iBin;
    }
}
