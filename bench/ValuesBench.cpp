// Exporting a trace values table: the whole file as the values window writes
// it (header, blocks of 32 rows, UTF-16LE), for a 1,000,000-point trace shown
// in dBFS over Hz, with and without transformed data, and the cells a table
// asks for when it shows a screenful of a 65,537-point spectrum.
//
//   Export1M/0  1,000,000 rows, four fields (no transformed data)
//   Export1M/1  the same with transformed data: five fields, "%.14f"
//   Cells65537  the 5 cells of 40 rows at a random place of a 65,537-point trace

#include "host/app/HeadlessHost.h"
#include "support/TestTrace.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/TraceValuesExport.h"
#include "trace/output/TraceValuesView.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <random>

namespace {

struct SSetup {
    CHeadlessHost host;
    std::unique_ptr<CGraphDoc> pDoc = std::make_unique<CGraphDoc>();
    CTestTrace* pTrace = nullptr;

    SSetup(int iSize, bool bTransformed)
    {
        host.SetGraphDoc(pDoc.get());
        pTrace = new CTestTrace(TT_FFT, CHANNEL_A, iSize);
        pDoc->AddTrace(pTrace);
        pTrace->SetInUse(1);
        std::mt19937 rng(5);
        std::normal_distribution<double> noise(-100.0, 10.0);
        pTrace->FillYData([&](int) { return CTestTrace::kFullScaleHex * std::pow(10.0, noise(rng) / 20.0); });
        pTrace->CursorOn();
        pTrace->SetCursorPosition(iSize / 2);
        if (bTransformed && pTrace->AllocateTransformedYDataBuffer(1)) pTrace->CopyYDataToTransformedBuffer();
    }
    ~SSetup()
    {
        pDoc.reset();
        host.SetGraphDoc(nullptr);
    }
};

void Export1M(benchmark::State& state)
{
    SSetup setup(1000000, state.range(0) != 0);
    CTraceValuesView view(setup.pTrace);
    const CString sPath((std::filesystem::path(setup.host.GetRoot().str()) / "values.txt").wstring());
    for (auto _ : state) {
        if (WriteTraceValuesFile(view, sPath, kTabSeparator, true) != ETraceValuesExport::written)
            state.SkipWithError("the file could not be written");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(sPath.ToUtf8()));
    state.SetItemsProcessed(state.iterations() * view.GetRowCount());
}
BENCHMARK(Export1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void Cells65537(benchmark::State& state)
{
    SSetup setup(65537, true);
    CTraceValuesView view(setup.pTrace);
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> first(0, 65537 - 40);
    for (auto _ : state) {
        const int iFirst = first(rng);
        for (int iRow = iFirst; iRow < iFirst + 40; ++iRow)
            for (int iColumn = 0; iColumn < CTraceValuesView::NUM_COLUMNS; ++iColumn)
                benchmark::DoNotOptimize(view.GetCellText(iRow, iColumn));
    }
}
BENCHMARK(Cells65537)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// The rows' text alone, without encoding or writing.
void Format1M(benchmark::State& state)
{
    SSetup setup(1000000, state.range(0) != 0);
    CTraceValuesView view(setup.pTrace);
    std::wstring sText;
    for (auto _ : state) {
        for (int i = 0; i < 1000000; i += 32) {
            sText.clear();
            view.AppendTraceValuesText(sText, i, i + 31, '\t');
        }
        benchmark::DoNotOptimize(sText);
    }
}
BENCHMARK(Format1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
