#pragma once
// What a plot scan took at its start: the Y array, its size, the X window in
// positions and the per-column arrays it fills. Every read is checked
// against it (CQXTrace::PlotScanValid), as a refill may replace the array
// while the plot is built.

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
