#pragma once
// What a plot scan took at its start: the Y array, its size, the X window in
// positions, the per-column arrays it fills and, where the kind has one, the
// Y map built for the scan. Every read is checked against it
// (CQXTrace::PlotScanValid), as a refill may replace the array while the
// plot is built.

#include "trace/core/PlotMaps.h"
#include "trace/core/PlotMath.h"

#include <algorithm>
#include <limits>
#include <vector>

struct SPlotScan {
    const double* pdY = nullptr;
    int iSize = 0;
    int iMinPos = 0;
    int iMaxPos = 0;
    int iColumns = 0;
    int* piMin = nullptr;
    int* piMax = nullptr;
    // Heights without a virtual call or the unit service; null: the kind
    // maps every height itself.
    const SYMap* pHeights = nullptr;
    // Where the trace keeps its data size, read by the per-column checks
    // without a call; null: they ask the trace.
    const int* piSizeNow = nullptr;

    // The height of a datum through the map, or fnMap where it cannot answer.
    template <class F>
    int Height(double dData, F&& fnMap) const
    {
        int iHeight = 0;
        return pHeights && pHeights->Height(dData, &iHeight) ? iHeight : fnMap(dData);
    }

    void Store(int i, const SColumnSpan& span) const
    {
        piMin[i] = span.iLow;
        piMax[i] = span.iHigh;
    }
    void Fill(int iFrom, int iHeight) const
    {
        for (int i = std::max(iFrom, 0); i < iColumns; ++i) piMin[i] = piMax[i] = iHeight;
    }
};

// What every column of a column-mode plot reads, worked out from the X side
// alone (the X map, the positions under the column edges, the kind's rule),
// so that it is built once and reused while the window, the rectangle and the
// data size stay as they are. Per column: a run of positions whose extremes
// it spans (iFirst > iLast: none) and, for kinds that show a point per
// column, the position of that point (-1: none), the first column showing
// that position and the column of the position after it (kNoNext: the
// position is the window's last). One reducer (CQXTrace::ColumnsToPlot) reads every plan.
struct SColumnPlan {
    // The rules that build plans: positions per column from floor(i x r),
    // log X up to the position under each right edge; spectra's bins from
    // each left edge, and log X bins with a point per column.
    enum ERule { eNone = -1, eLinearColumns, eLogColumns, eBinColumns, eLogBinColumns };
    // What the plan was built from; equal keys give equal plans.
    struct SKey {
        ERule eRule = eNone;
        SXMap xmap;
        SAffineMap positions;
        int iMinPos = 0;
        int iMaxPos = 0;
        int iSize = 0;
        bool operator==(const SKey&) const = default;
    };
    static constexpr int kNoNext = std::numeric_limits<int>::min();
    SKey key;
    std::vector<int> aiFirst;
    std::vector<int> aiLast;
    std::vector<int> aiPoint;       // empty: no column shows a point
    std::vector<int> aiPointColumn;
    std::vector<int> aiNextColumn;
    // A flat span still gets a visible row (log X).
    bool bFlatGetsRow = false;

    // Reusable for a build with this key: only keys of a valid position map
    // are, as only that map vouches for the references under the positions.
    bool Serves(const SKey& k) const { return k.eRule != eNone && k.positions.bValid && key == k; }
    void Reset(const SKey& k, int iColumns, bool bPoints)
    {
        key = k;
        aiFirst.assign(static_cast<size_t>(iColumns), 0);
        aiLast.assign(static_cast<size_t>(iColumns), -1);
        aiPoint.assign(bPoints ? static_cast<size_t>(iColumns) : 0, -1);
        aiPointColumn.assign(aiPoint.size(), 0);
        aiNextColumn.assign(aiPoint.size(), kNoNext);
        bFlatGetsRow = false;
    }
    void SetRun(int i, int iFirst, int iLast)
    {
        aiFirst[static_cast<size_t>(i)] = iFirst;
        aiLast[static_cast<size_t>(i)] = iLast;
    }
};
