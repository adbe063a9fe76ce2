// Painting a whole graph view: background, position bars, scales, graticule
// and 16 spectra of 65,537 points (the built-in FFT of channel A at a
// 131,072-point length and 15 copies) into a 1280 x 800 image, as one
// screen frame. Two cases: a repaint with every trace's plot still valid
// (expose, scroll of another window) and a frame after new data, where every
// plot is rebuilt from its points first. And one spectrum's plot rebuild
// right after a Qt fill of an image, with and without the upper vector
// state cleared first, beside the rebuild alone.

#include "platform/VectorState.h"
#include "qt/QtDC.h"
#include "qt/QtImageTarget.h"

#include <benchmark/benchmark.h>

#include "GuiApplication.h"
#include "PaintScene.h"

#include <QImage>
#include <QPainter>

#include <ctime>
#include <memory>
#include <vector>

namespace {

// The first layout and plots; false, with the error told, when the scene
// could not be built.
bool PaintFirstFrame(benchmark::State& state, SPaintScene& scene, CQtImageTarget& target)
{
    if (!scene.IsComplete()) {
        state.SkipWithError("the scene could not be built");
        return false;
    }
    scene.Paint(target);
    return true;
}

void PaintFrames(benchmark::State& state, bool bNewData)
{
    EnsureGuiApplication();
    SPaintScene scene;
    CQtImageTarget target(kWidth, kHeight);
    if (!PaintFirstFrame(state, scene, target)) return;
    for (auto _ : state) {
        if (bNewData)
            for (CQXTrace* pTrace : scene.apTraces) pTrace->RecalcTrace();
        scene.Paint(target);
        benchmark::ClobberMemory();
    }
    state.counters["traces"] = kTraces;
}

double ThreadCpuMicroseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec * 1e-3;
}

// Interleaved in every iteration, one spectrum of the scene: its rebuild
// and paint (Draw, which clears the upper vector state before the rebuild,
// its strokes stored)
// and the bare rebuild (DataToPlot, no clearing), each right after a Qt
// fill, with and without clearing the state between the fill and the call.
// The fill covers a small rectangle, so that it goes through Qt's vector
// fill without pushing the trace's data or the picture out of the caches
// (a fill of a whole image does, and that costs the next call more than the
// state itself on some processors). Each counter is microseconds of
// processor time per call; x_uncleared is the bare rebuild on a dirty state
// over the same on a clean one (what the state costs on this processor),
// x_draw_after_fill the same for Draw (1: its own clearing removes it).
void BM_RebuildAfterFill(benchmark::State& state)
{
    EnsureGuiApplication();
    SPaintScene scene;
    CQtImageTarget target(kWidth, kHeight);
    if (!PaintFirstFrame(state, scene, target)) return;
    CQXTrace* pTrace = scene.apTraces.front();
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const auto Fill = [&](bool bClear) {
        {
            QPainter painter(&image);
            painter.fillRect(QRect(0, 0, 512, 4), QColor(20, 30, 40));
        }
        if (bClear) ClearUpperVectorState();
    };
    const auto Timed = [](auto&& f) {
        const double t0 = ThreadCpuMicroseconds();
        f();
        benchmark::ClobberMemory();
        return ThreadCpuMicroseconds() - t0;
    };
    // The strokes wait in the surface until something else is drawn: each
    // draw stores its own, so that none is paid for by the next call.
    CQtDC* pDC = static_cast<CQtDC*>(target.GetDC());
    const auto Draw = [&] {
        pTrace->RecalcTrace();
        pTrace->Draw(pDC, 1);
        pDC->GetPainter();
    };
    const auto Rebuild = [&] { pTrace->DataToPlot(); };
    double dDraw = 0.0, dDrawDirty = 0.0, dRebuild = 0.0, dRebuildDirty = 0.0;
    for (auto _ : state) {
        Fill(false);
        dDrawDirty += Timed(Draw);
        Fill(true);
        dDraw += Timed(Draw);
        Fill(true);
        dRebuild += Timed(Rebuild);
        Fill(false);
        dRebuildDirty += Timed(Rebuild);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["draw_us"] = dDraw / n;
    state.counters["draw_after_fill_us"] = dDrawDirty / n;
    state.counters["rebuild_us"] = dRebuild / n;
    state.counters["rebuild_after_fill_us"] = dRebuildDirty / n;
    state.counters["x_draw_after_fill"] = dDrawDirty / dDraw;
    state.counters["x_uncleared"] = dRebuildDirty / dRebuild;
}

void BM_PaintRepaint(benchmark::State& state) { PaintFrames(state, false); }
void BM_PaintNewData(benchmark::State& state) { PaintFrames(state, true); }

} // namespace

BENCHMARK(BM_PaintRepaint)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PaintNewData)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RebuildAfterFill)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
