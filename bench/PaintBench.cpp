// Painting a whole graph view: background, position bars, scales, graticule
// and 16 spectra of 65,537 points (the built-in FFT of channel A at a
// 131,072-point length and 15 copies) into a 1280 x 800 image, as one
// screen frame. Two cases: a repaint with every trace's plot still valid
// (expose, scroll of another window) and a frame after new data, where every
// plot is rebuilt from its points first.

#include "qt/QtImageTarget.h"

#include <benchmark/benchmark.h>

#include "GuiApplication.h"
#include "PaintScene.h"

#include <memory>
#include <vector>

namespace {

void PaintFrames(benchmark::State& state, bool bNewData)
{
    EnsureGuiApplication();
    SPaintScene scene;
    if (!scene.IsComplete()) {
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
