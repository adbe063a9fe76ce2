// Painting a whole graph view: background, position bars, scales, graticule
// and 16 spectra of 65,537 points (the built-in FFT of channel A at a
// 131,072-point length and 15 copies) into a 1280 x 800 image, as one
// screen frame. Two cases: a repaint with every trace's plot still valid
// (expose, scroll of another window) and a frame after new data, where every
// plot is rebuilt from its points first.

#include "apps/common/BuiltInDocument.h"
#include "host/sim/StaticSignals.h"
#include "qt/QtImageTarget.h"
#include "trace/display/GraphView.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <benchmark/benchmark.h>

#include "GuiApplication.h"

#include <memory>
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
};

void PaintFrames(benchmark::State& state, bool bNewData)
{
    EnsureGuiApplication();
    SPaintScene scene;
    for (CQXTrace* pTrace : scene.apTraces)
        if (!pTrace || pTrace->GetDataSize() != 65537) {
            state.SkipWithError("the scene could not be built");
            return;
        }
    CQtImageTarget target(kWidth, kHeight);
    scene.Paint(target); // first layout and plots
    for (auto _ : state) {
        if (bNewData)
            for (CQXTrace* pTrace : scene.apTraces) pTrace->RecalcTrace();
        scene.Paint(target);
        benchmark::ClobberMemory();
    }
    state.counters["traces"] = kTraces;
}

void BM_PaintRepaint(benchmark::State& state) { PaintFrames(state, false); }
void BM_PaintNewData(benchmark::State& state) { PaintFrames(state, true); }

} // namespace

BENCHMARK(BM_PaintRepaint)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PaintNewData)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
