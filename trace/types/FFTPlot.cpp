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
#include "trace/types/CTFFTTrace.h"
#include "trace/types/FFTTrace.h"
#include "trace/types/KindHelpers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <typeinfo>

namespace {

constexpr SColumnSpan kNoPoint{POINT_BEYOND_MAX, POINT_BEYOND_MAX};

// Widens a span by another (a run of bins that ended at its first missing one).
void WidenSpan(SColumnSpan* pSpan, const SColumnSpan& run)
{
    if (!run.HasData()) return;
    pSpan->iLow = std::min(pSpan->iLow, run.iLow);
    pSpan->iHigh = std::max(pSpan->iHigh, run.iHigh);
}

} // namespace

// The bin under an X value, as GetXPosForValue gives it. Spectra offer X in
// bins and Hz, both affine in bins, so a column costs a multiply; values that
// land on a bin edge (where rounding decides) still ask the unit service.
class CFFTBaseTrace::CBinLocator {
public:
    CBinLocator(CFFTBaseTrace& trace, const SXMap& xmap) : m_trace(trace), m_xmap(xmap), m_iUnit(trace.GetXUnit())
    {
        SReferences refs;
        trace.GetReferences(1, 0, &refs);
        const auto Bin = [&](double dX) { return trace.m_XValue.Convert(dX, m_iUnit, UNIT_BINS, &refs); };
        const double dX0 = xmap.dMin;
        const double dX1 = xmap.dMax;
        m_bins = SAffineMap::Through(dX0, Bin(dX0), dX1, Bin(dX1));
        // Any unit that is not affine in bins falls back to the service.
        const double dMid = 0.5 * (dX0 + dX1);
        if (m_bins.bValid && !m_bins.Confirms(dMid, Bin(dMid))) m_bins.bValid = false;
    }

    int BinAt(double dX)
    {
        bool bExact = false;
        const int iBin = m_bins.TruncAt(dX, &bExact);
        return bExact ? iBin : m_trace.GetXPosForValue(dX, m_iUnit);
    }
    // The bin under the left edge of column i.
    int ColumnBin(int i) { return BinAt(m_xmap.ValueAtColumn(i)); }

private:
    CFFTBaseTrace& m_trace;
    SXMap m_xmap;
    int m_iUnit;
    SAffineMap m_bins;
};

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

// The height of the bin at iPos; no point outside the array.
int CFFTBaseTrace::PointAt(const SPlotScan& scan, int iPos)
{
    if (iPos < 0 || iPos >= scan.iSize) return POINT_BEYOND_MAX;
    return scan.Height(scan.pdY[iPos], [this](double d) { return GetYPointForData(d); });
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
    // Only the kinds whose heights are this class's own take the held map
    // directly: a class derived from them may map heights its own way.
    if (typeid(*this) == typeid(CFFTTrace) || typeid(*this) == typeid(CCTFFTTrace)) scan.pHeights = &m_HeldHeights;
    scan.pdY = GetPlotYArray();
    scan.iSize = GetDataSize();
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
    CBinLocator bins(*this, MakeXMap());
    const double r = static_cast<double>(scan.iMaxPos - scan.iMinPos) / scan.iColumns;
    m_bColumnMode = (r > 1.0 || bLogX) ? 1 : 0;
    if (bLogX) LogBinColumnsToPlot(scan, bins);
    else if (r > 1.0) BinColumnsToPlot(scan, bins, r);
    else BinLinesToPlot(scan, bins);
}

void CFFTBaseTrace::BinColumnsToPlot(const SPlotScan& scan, CBinLocator& bins, double dBinsPerColumn)
{
    const int R = FloorToInt(dBinsPerColumn + 0.5);
    const bool bFollowsData = YMappingFollowsData();
    const int W = scan.iColumns;
    SColumnSpan previous = kNoPoint;
    for (int i = 0; i < W; ++i) {
        // The column's first bin and the R after it; a missing bin ends the span.
        const int q = bins.ColumnBin(i);
        SColumnSpan span = kNoPoint;
        if (q >= scan.iMinPos && q <= scan.iMaxPos &&
            !ColumnSpanAt(scan, q, std::min(q + R, scan.iSize - 1), bFollowsData, &span)) {
            scan.Fill(i, POINT_BEYOND_MAX);
            return;
        }
        if (i > 0) JoinColumnSpans(previous, &span);
        scan.Store(i, span);
        previous = span;
    }
}

void CFFTBaseTrace::LogBinColumnsToPlot(const SPlotScan& scan, CBinLocator& bins)
{
    const bool bFollowsData = YMappingFollowsData();
    const int W = scan.iColumns;
    const int p0 = scan.iMinPos;
    const int p1 = scan.iMaxPos;
    SColumnSpan previous = kNoPoint;
    int iPreviousEnd = p0 - 1;   // the last bin an earlier column took in
    int iBin = -1;               // the end bin of the columns since iBinColumn
    int iBinColumn = 0;          // the column where that bin began
    int iNextBinColumn = 0;      // the column of the bin after it
    int iBinPoint = 0;           // the heights of that bin and the next, mapped once
    int iNextBinPoint = 0;
    for (int i = 0; i < W; ++i) {
        int e = p1;
        if (i == 0) e = p0;
        else if (i < W - 1) e = bins.ColumnBin(i);
        SColumnSpan span = kNoPoint;
        if (e >= p0 && e <= p1) {
            if (!PlotScanValid(scan, e, __LINE__)) {
                scan.Fill(i, POINT_BEYOND_MAX);
                return;
            }
            if (e != iBin) {
                iBin = e;
                iBinColumn = i;
                iBinPoint = PointAt(scan, e);
                iNextBinColumn = -1;
            }
            int iPoint = iBinPoint;
            // In the bin's first column the interpolation gives the bin's own
            // point; the next bin is looked at only when the bin spans columns.
            if (i > iBinColumn && e < p1 && scan.pdY[e] != DBL_MAX && scan.pdY[e + 1] != DBL_MAX) {
                if (iNextBinColumn < 0) {
                    iNextBinColumn = GetXPointForPos(e + 1);
                    iNextBinPoint = PointAt(scan, e + 1);
                }
                // Between bin e and bin e + 1: interpolated over the columns between them.
                const int c1 = std::max(iNextBinColumn, i);
                if (c1 != iBinColumn) iPoint = InterpolateHeight(iBinPoint, iNextBinPoint, i, iBinColumn, c1);
            }
            span = {iPoint, iPoint};
            if (iPreviousEnd + 1 <= e) {
                SColumnSpan run;
                if (!ColumnSpanAt(scan, std::max(iPreviousEnd + 1, p0), e, bFollowsData, &run)) {
                    scan.Fill(i, POINT_BEYOND_MAX);
                    return;
                }
                WidenSpan(&span, run);
            }
            iPreviousEnd = std::max(iPreviousEnd, e);
        }
        if (i > 0) JoinColumnSpans(previous, &span);
        // A flat stretch still gets a visible row.
        if (span.HasData() && span.iLow == span.iHigh) span.iLow = span.iHigh - 1;
        scan.Store(i, span);
        previous = span;
    }
}

void CFFTBaseTrace::BinLinesToPlot(const SPlotScan& scan, CBinLocator& bins)
{
    const int W = scan.iColumns;
    if (!PlotScanValid(scan, scan.iMinPos, __LINE__)) {
        scan.Fill(0, POINT_BEYOND_MAX);
        return;
    }
    int iPreviousBin = scan.iMinPos;
    int c = 0;
    scan.piMin[0] = scan.piMax[0] = PointAt(scan, iPreviousBin);
    for (int i = 1; i < W; ++i) {
        const bool bLast = i == W - 1;
        const int iBin = bLast ? scan.iMaxPos : bins.ColumnBin(i);
        if (iBin == iPreviousBin && !bLast) continue;
        if (iBin >= 0 && iBin < scan.iSize && !PlotScanValid(scan, iBin, __LINE__)) {
            scan.Fill(i, POINT_BEYOND_MAX);
            return;
        }
        const int P = PointAt(scan, iBin);
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
