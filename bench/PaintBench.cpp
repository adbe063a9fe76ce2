// Painting a whole graph view: background, position bars, scales, graticule
// and 16 spectra of 65,537 points (the built-in FFT of channel A at a
// 131,072-point length and 15 copies) into a 1280 x 800 image, as one
// screen frame. Two cases: a repaint with every trace's plot still valid
// (expose, scroll of another window) and a frame after new data, where every
// plot is rebuilt from its points first. And one spectrum's plot rebuild
// right after a Qt fill of an image, with and without the upper vector
// state cleared first, beside the rebuild alone.

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
// and paint (Draw, which clears the upper vector state before the rebuild)
// alone and right after a Qt fill of another image; then the rebuild alone
// (DataToPlot, no clearing) alone and after a fill, which shows what the
// clearing saves on this processor. Only those calls are timed: each
// counter is microseconds of processor time per call; x_draw_after_fill is
// the draw after a fill over the draw alone (1: no penalty left), and
// x_uncleared the same for the bare rebuild.
void BM_RebuildAfterFill(benchmark::State& state)
{
    EnsureGuiApplication();
    SPaintScene scene;
    CQtImageTarget target(kWidth, kHeight);
    if (!PaintFirstFrame(state, scene, target)) return;
    CQXTrace* pTrace = scene.apTraces.front();
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const auto Fill = [&] {
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor(20, 30, 40));
    };
    const auto Timed = [](auto&& f) {
        const double t0 = ThreadCpuMicroseconds();
        f();
        benchmark::ClobberMemory();
        return ThreadCpuMicroseconds() - t0;
    };
    const auto Draw = [&] {
        pTrace->RecalcTrace();
        pTrace->Draw(target.GetDC(), 1);
    };
    double dDraw = 0.0, dDrawAfterFill = 0.0, dRebuild = 0.0, dRebuildAfterFill = 0.0;
    for (auto _ : state) {
        dDraw += Timed(Draw);
        Fill();
        dDrawAfterFill += Timed(Draw);
        dRebuild += Timed([&] { pTrace->DataToPlot(); });
        Fill();
        dRebuildAfterFill += Timed([&] { pTrace->DataToPlot(); });
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["draw_us"] = dDraw / n;
    state.counters["draw_after_fill_us"] = dDrawAfterFill / n;
    state.counters["rebuild_us"] = dRebuild / n;
    state.counters["rebuild_after_fill_us"] = dRebuildAfterFill / n;
    state.counters["x_draw_after_fill"] = dDrawAfterFill / dDraw;
    state.counters["x_uncleared"] = dRebuildAfterFill / dRebuild;
}

void BM_PaintRepaint(benchmark::State& state) { PaintFrames(state, false); }
void BM_PaintNewData(benchmark::State& state) { PaintFrames(state, true); }

} // namespace

BENCHMARK(BM_PaintRepaint)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PaintNewData)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RebuildAfterFill)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
