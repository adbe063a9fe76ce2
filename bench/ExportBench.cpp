// Exporting the paint scene (16 spectra of 65,537 points): to an enhanced
// metafile of 1280 x 800 measured on the screen through Qt, as the window's
// copy or export writes it (kept in memory), and to a PNG file of
// 1920 x 1080 through the Qt encoder (drawing, encoding and writing).

#include "qt/QtPictureEncoder.h"
#include "trace/output/GraphExport.h"

#include <benchmark/benchmark.h>

#include "GuiApplication.h"
#include "PaintScene.h"

#include <filesystem>

namespace {

void BM_ExportEmf(benchmark::State& state)
{
    EnsureGuiApplication();
    SPaintScene scene;
    CQtPictureEncoder encoder;
    if (!scene.IsComplete() || !encoder.GetReferenceDC()) {
        state.SkipWithError("the scene could not be built");
        return;
    }
    CGraphDoc& doc = scene.built.GetDoc();
    size_t uBytes = 0;
    for (auto _ : state) {
        const CExportScope scope(doc, CHANNEL_A);
        const std::vector<std::uint8_t> emf = MakeGraphMetafile(doc, CHANNEL_A, CSize(kWidth, kHeight), *encoder.GetReferenceDC());
        uBytes = emf.size();
        benchmark::DoNotOptimize(emf.data());
    }
    state.counters["bytes"] = static_cast<double>(uBytes);
}

void BM_ExportPng1920x1080(benchmark::State& state)
{
    EnsureGuiApplication();
    SPaintScene scene;
    CQtPictureEncoder encoder;
    if (!scene.IsComplete()) {
        state.SkipWithError("the scene could not be built");
        return;
    }
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "tracewin-bench-export.png";
    const CString sPath(path.string());
    SExportOptions options;
    options.size = CSize(1920, 1080);
    options.bShowMessages = false;
    for (auto _ : state)
        if (!ExportGraph(scene.built.GetDoc(), CHANNEL_A, &sPath, options)) state.SkipWithError("the PNG was not written");
    std::error_code error;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path, error));
    std::filesystem::remove(path, error);
}

} // namespace

BENCHMARK(BM_ExportEmf)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_ExportPng1920x1080)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
