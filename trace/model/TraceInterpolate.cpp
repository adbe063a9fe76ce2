// CQXTrace: the 8x display interpolation of live data, in two FIR stages
// (x2 with 14 taps, then x4 with 34 taps).

#include "trace/model/QXTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/numeric/FIRInterpolator.h"
#include "resources/StringIds.h"
#include "trace/core/TraceMath.h"

#include <algorithm>

namespace {

// Each stage looks this many stuffed samples ahead, so the last outputs of
// the two stages together (14 + 34) have no input behind them.
constexpr int kStage1Taps = 14;
constexpr int kStage2Taps = 34;
constexpr int kUnusableTail = kStage1Taps + kStage2Taps;

} // namespace

int CQXTrace::InterpolateData()
{
    if (!m_bInterpolated) return 1;
    const int iSize = GetDataSize();
    double* pdY = m_pYData.get();
    // The refill sizes the array for 8x; until then there is nothing to spread.
    if (!pdY || m_iInterpolationFactor <= 1 || iSize <= kUnusableTail) return 1;
    const int n = iSize / m_iInterpolationFactor;
    const int iStage1Outputs = 2 * n - kStage1Taps;
    if (iStage1Outputs <= 0) return 1;

    std::unique_ptr<double[]> pdWork1 = AllocateTraceArray(n + kStage1Taps);
    std::unique_ptr<double[]> pdWork2 = AllocateTraceArray(2 * n + kStage2Taps);
    if (!pdWork1 || !pdWork2) {
        ERROR_NORMAL(IDS_ERROR_OUTOFMEMORY);
        return 0;
    }

    {
        CSingleLock lock(&m_TraceLock, true);
        std::copy_n(pdY, n, pdWork1.get());
        std::fill_n(pdY, iSize, 0.0);

        cFIRInterpolator filter;
        filter.Initialise(GetFIRInterpolatorStage1());
        for (int i = 0; i < iStage1Outputs; ++i) pdWork2[static_cast<size_t>(i)] = filter.Filter(pdWork1.get(), i);

        filter.Initialise(GetFIRInterpolatorStage2());
        for (int i = 0; i < iSize - kUnusableTail; ++i) pdY[i] = filter.Filter(pdWork2.get(), i);
    }

    // The tail has no input behind it: keep it out of the data range.
    const int iOldMin = GetMinXPos();
    const int iOldMax = GetMaxXPos();
    const int iNewMax = iSize - kUnusableTail - 1;
    SetXDataRange(0, iNewMax);
    if (iOldMin != 0 || iOldMax != iNewMax) {
        const int iUnit = GetXUnit();
        SetMinXScaleValue(GetXValueAtPos(0, iUnit));
        SetMaxXScaleValue(GetXValueAtPos(iNewMax, iUnit));
        UpdateViews(nullptr, UPDATE_TRACE_REDRAW, this);
    }
    return 1;
}

void CQXTrace::SetInterpolated(int bInterpolated)
{
    bInterpolated = bInterpolated ? 1 : 0;
    if (bInterpolated == m_bInterpolated) return;
    const double dMin = GetCurrentMinXScaleValue();
    const double dMax = GetCurrentMaxXScaleValue();
    m_bInterpolated = bInterpolated;
    InterpolateData();
    SetCurrentMinXScaleValue(dMin);
    SetCurrentMaxXScaleValue(dMax);
    UpdateViews(nullptr, UPDATE_TRACE_REDRAW, this);
}
