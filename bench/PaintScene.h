#pragma once
// The scene the drawing benchmarks share: a graph view of channel A over
// 16 spectra of 65,537 points (the built-in FFT of channel A at a
// 131,072-point length and 15 copies), 1280 x 800.

#include "apps/common/BuiltInDocument.h"
#include "host/sim/StaticSignals.h"
#include "qt/QtImageTarget.h"
#include "trace/display/GraphView.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kTraces = 16;

struct SPaintScene {
    CBuiltInDocument built;
    std::vector<CQXTrace*> apTraces;
    CGraphView view;

    SPaintScene()
    {
        CGraphDoc& doc = built.GetDoc();
        CQXTrace* pFFT = built.GetLiveTrace(CHANNEL_A, TT_FFT);
        if (CQXTrace* pScope = built.GetLiveTrace(CHANNEL_A, TT_SCOPE)) doc.TraceOff(pScope, 0);
        FillFFTTrace(*pFFT, GetBuiltInSignal(0), SSpectrumSettings{131072, WINDOW_BLACKMANHARRIS4, 1});
        apTraces.push_back(pFFT);
        while (static_cast<int>(apTraces.size()) < kTraces) apTraces.push_back(doc.CopyTrace(pFFT, 0, 0));
        doc.SetCurrentTrace(pFFT, 0);
        view.SetChannel(CHANNEL_A);
        view.OnSize(CRect(0, 0, kWidth, kHeight));
    }

    void Paint(CQtImageTarget& target)
    {
        view.SetRecalcAll(false);
        view.OnDraw(target.GetDC());
    }
    // False (the scene is unusable) unless every trace has 65,537 points.
    bool IsComplete() const
    {
        for (CQXTrace* pTrace : apTraces)
            if (!pTrace || pTrace->GetDataSize() != 65537) return false;
        return static_cast<int>(apTraces.size()) == kTraces;
    }
};

} // namespace
