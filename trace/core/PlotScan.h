#pragma once
// What a plot scan took at its start: the Y array, its size, the X window in
// positions, the per-column arrays it fills and, where the kind has one, the
// Y map built for the scan. Every read is checked against it
// (CQXTrace::PlotScanValid), as a refill may replace the array while the
// plot is built.

#include "trace/core/PlotMaps.h"
#include "trace/core/PlotMath.h"

#include <algorithm>

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
