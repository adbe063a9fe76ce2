// Exporting the paint scene (16 spectra of 65,537 points): to an enhanced
// metafile of 1280 x 800 measured on the screen through Qt, as the window's
// copy or export writes it (kept in memory), and to a PNG file of
// 1920 x 1080 through the Qt encoder (drawing, encoding and writing), and
// the parts of that PNG export apart: drawing the picture, and encoding the
// drawn picture into memory in the ways compared in docs/performance.md.

#include "qt/QtImageTarget.h"
#include "qt/QtPictureEncoder.h"
#include "qt/QtPngWriter.h"
#include "trace/output/GraphExport.h"

#include <benchmark/benchmark.h>

#include "GuiApplication.h"
#include "PaintScene.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

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

// The 1920 x 1080 picture as the PNG export draws it.
QImage DrawPicture(CGraphDoc& doc)
{
    CQtImageTarget target(1920, 1080, false, RGB(255, 255, 255), true);
    if (!target.GetDC()) return QImage();
    const CExportScope scope(doc, CHANNEL_A);
    DrawGraphPicture(doc, CHANNEL_A, *target.GetDC(), CRect(0, 0, 1920, 1080));
    return target.GetImage();
}

void BM_DrawPicture1920x1080(benchmark::State& state)
{
    EnsureGuiApplication();
    SPaintScene scene;
    if (!scene.IsComplete()) {
        state.SkipWithError("the scene could not be built");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(DrawPicture(scene.built.GetDoc()).constBits());
}

// Encoding the drawn picture: 0 the drawn 32-bit image handed to Qt's
// image writer (five filters tried per row, zlib level 6), 1 the compact
// writer as the export uses it (rows filtered Up, level 3), 2 the compact
// writer at level 6.
void BM_EncodePng1920x1080(benchmark::State& state)
{
    EnsureGuiApplication();
    SPaintScene scene;
    const QImage image = scene.IsComplete() ? DrawPicture(scene.built.GetDoc()) : QImage();
    if (image.isNull()) {
        state.SkipWithError("the picture could not be drawn");
        return;
    }
    const auto eWay = state.range(0);
    qsizetype uBytes = 0;
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        bool bOK = false;
        if (eWay == 0) {
            bOK = QImageWriter(&buffer, "png").write(image);
        } else {
            const QByteArray file = EncodeOpaquePng(image, eWay == 1 ? kCompactPngLevel : 6);
            bOK = buffer.write(file) == file.size();
        }
        if (!bOK) state.SkipWithError("the PNG was not written");
        uBytes = bytes.size();
    }
    state.counters["bytes"] = static_cast<double>(uBytes);
}

} // namespace

BENCHMARK(BM_DrawPicture1920x1080)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_EncodePng1920x1080)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_ExportEmf)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_ExportPng1920x1080)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
