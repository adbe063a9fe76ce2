// The same scenes drawn by tracewin and by QCustomPlot (Debian
// libqcustomplot-dev, adaptive sampling on, antialiasing off) into a
// 1920 x 600 QImage, in one process and interleaved frame by frame, so that
// the ratio does not depend on how busy the machine is. Every frame starts
// from the points: tracewin rebuilds its plots (as after a refill) and
// QCustomPlot samples its data again, as it does on every draw. Each
// counter is processor time of this thread per frame; x_peer is tracewin's
// over QCustomPlot's. The last frame of each scene is saved by both as
// peer-<scene>-tracewin.png and peer-<scene>-qcustomplot.png in the working
// folder, to be compared by eye.
//
//   Noise/N          N points of uniform noise on a scope trace (10k .. 10M)
//   Spectrum/Linear  a 65,537-bin spectrum in dBFS on a linear X axis
//   Spectrum/Log     the same on a log X axis
//   Spectra16        16 such spectra on a linear X axis
//
// QCustomPlot is used by this benchmark only; CMake builds it when the
// package is found.

#include "apps/common/BuiltInDocument.h"
#include "host/sim/StaticSignals.h"
#include "qt/QtImageTarget.h"
#include "trace/display/GraphView.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include "GuiApplication.h"

#include <cfloat>
#include <cmath>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 600;
constexpr int kFFTLength = 131072; // 65,537 points

double ThreadCpuMilliseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec * 1e-6;
}

// One scene: a built-in document whose channel A view shows the traces,
// and a QCustomPlot with the same points (as the values the axes show).
struct SPeerScene {
    CBuiltInDocument built;
    std::vector<CQXTrace*> apTraces;
    CGraphView view;
    CQtImageTarget target{kWidth, kHeight};
    QCustomPlot plot;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    bool bComplete = false;

    void ShowOnly(TraceType eKind)
    {
        CGraphDoc& doc = built.GetDoc();
        for (TraceType eOther : {TT_SCOPE, TT_FFT})
            if (CQXTrace* pTrace = built.GetLiveTrace(CHANNEL_A, eOther); pTrace && eOther != eKind)
                doc.TraceOff(pTrace, 0);
        apTraces.push_back(built.GetLiveTrace(CHANNEL_A, eKind));
        doc.SetCurrentTrace(apTraces.front(), 0);
    }
    void MakeNoise(int iPoints)
    {
        ShowOnly(TT_SCOPE);
        CQXTrace& trace = *apTraces.front();
        double dAmplitude = 0.0;
        for (int i = 0; i < trace.GetDataSize(); ++i)
            dAmplitude = std::max(dAmplitude, std::fabs(trace.GetYDataBuffer(0)[i]));
        if (!trace.SetBuffer(iPoints) || trace.GetDataSize() != iPoints || !(dAmplitude > 0.0)) return;
        std::mt19937 rng(5);
        std::uniform_real_distribution<double> u(-dAmplitude, dAmplitude);
        double* pdY = trace.GetYDataBuffer(0);
        for (int i = 0; i < iPoints; ++i) pdY[i] = u(rng);
        trace.DefaultZoomXAndY(0);
        // Every point in the window, not the scope's default few milliseconds.
        const int iUnit = trace.GetXUnit();
        trace.SetCurrentMinXPos(0);
        trace.SetCurrentMaxXPos(iPoints - 1);
        trace.SetCurrentMinXScaleValue(trace.GetXValueAtPos(0, iUnit));
        trace.SetCurrentMaxXScaleValue(trace.GetXValueAtPos(iPoints - 1, iUnit));
        trace.CalcXTicks();
        bComplete = true;
    }
    void MakeSpectra(int iCount, bool bLogX)
    {
        ShowOnly(TT_FFT);
        CQXTrace* pFFT = apTraces.front();
        if (!FillFFTTrace(*pFFT, GetBuiltInSignal(0), SSpectrumSettings{kFFTLength, WINDOW_BLACKMANHARRIS4, 1})) return;
        pFFT->DefaultZoomXAndY(0);
        if (bLogX) {
            pFFT->SetLogX(1);
            pFFT->CalcXTicks();
        }
        while (static_cast<int>(apTraces.size()) < iCount) apTraces.push_back(built.GetDoc().CopyTrace(pFFT, 0, 0));
        built.GetDoc().SetCurrentTrace(pFFT, 0);
        for (CQXTrace* pTrace : apTraces)
            if (!pTrace || pTrace->GetDataSize() != kFFTLength / 2 + 1) return;
        bComplete = true;
    }

    // The peer's axes and graphs from the first trace's window and points.
    void BuildPeer(bool bLogX)
    {
        CQXTrace& trace = *apTraces.front();
        const int n = trace.GetDataSize();
        const int iXUnit = trace.GetXUnit();
        const int iYUnit = trace.GetYUnit();
        const double dX0 = trace.GetXValueAtPos(0, iXUnit);
        const double dStep = trace.GetXValueAtPos(1, iXUnit) - dX0;
        // Linear Y units are affine in the data: two conversions give them.
        const bool bDecibels = trace.IsFFTTrace();
        const double dY0 = trace.GetYValueForData(0.0, iYUnit, 0, 0);
        const double dYPerDatum = trace.GetYValueForData(1.0, iYUnit, 0, 0) - dY0;
        QVector<double> adKeys(n), adValues(n);
        const double* pdY = trace.GetYDataBuffer(0);
        for (int i = 0; i < n; ++i) {
            adKeys[i] = dX0 + i * dStep;
            if (pdY[i] == DBL_MAX) adValues[i] = qQNaN();
            else adValues[i] = bDecibels ? trace.GetYValueForData(pdY[i], iYUnit, 0, 0) : dY0 + pdY[i] * dYPerDatum;
        }
        plot.resize(kWidth, kHeight);
        plot.setNotAntialiasedElements(QCP::aeAll);
        for (size_t k = 0; k < apTraces.size(); ++k) {
            QCPGraph* pGraph = plot.addGraph();
            pGraph->setData(adKeys, adValues, true);
            pGraph->setAdaptiveSampling(true);
            pGraph->setPen(QPen(QColor::fromHsv(static_cast<int>(k * 360 / apTraces.size()), 255, 200)));
        }
        if (bLogX) {
            plot.xAxis->setScaleType(QCPAxis::stLogarithmic);
            plot.xAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
        }
        // On log X the window starts where tracewin corrects its start to.
        const SXMap xmap = trace.MakeXMap();
        plot.xAxis->setRange(xmap.dMin, xmap.dMax);
        plot.yAxis->setRange(trace.GetCurrentMinYScaleValue(), trace.GetCurrentMaxYScaleValue());
    }

    SPeerScene()
    {
        view.SetChannel(CHANNEL_A);
        view.OnSize(CRect(0, 0, kWidth, kHeight));
    }

    void DrawTracewin()
    {
        for (CQXTrace* pTrace : apTraces) pTrace->RecalcTrace();
        view.SetRecalcAll(false);
        view.OnDraw(target.GetDC());
    }
    void DrawPeer()
    {
        QCPPainter painter(&image);
        plot.toPainter(&painter, kWidth, kHeight);
    }
};

void RunScene(benchmark::State& state, SPeerScene& scene, const std::string& sName, bool bLogX)
{
    if (!scene.bComplete) {
        state.SkipWithError("the scene could not be built");
        return;
    }
    scene.BuildPeer(bLogX);
    scene.DrawTracewin(); // first layout and plots
    double dOurs = 0.0, dPeer = 0.0;
    for (auto _ : state) {
        const double t0 = ThreadCpuMilliseconds();
        scene.DrawTracewin();
        const double t1 = ThreadCpuMilliseconds();
        scene.DrawPeer();
        const double t2 = ThreadCpuMilliseconds();
        benchmark::ClobberMemory();
        dOurs += t1 - t0;
        dPeer += t2 - t1;
    }
    // Saving ends the target's painter: only after the timed frames.
    scene.target.Save(CString(("peer-" + sName + "-tracewin.png").c_str()));
    scene.image.save(QString::fromStdString("peer-" + sName + "-qcustomplot.png"));
    const double n = static_cast<double>(state.iterations());
    state.counters["tracewin_ms"] = dOurs / n;
    state.counters["qcustomplot_ms"] = dPeer / n;
    state.counters["x_peer"] = dOurs / dPeer;
}

void BM_PeerNoise(benchmark::State& state)
{
    EnsureGuiApplication<QApplication>(); // QCustomPlot is a widget
    SPeerScene scene;
    scene.MakeNoise(static_cast<int>(state.range(0)));
    RunScene(state, scene, "noise" + std::to_string(state.range(0)), false);
}

void BM_PeerSpectrumLinear(benchmark::State& state)
{
    EnsureGuiApplication<QApplication>(); // QCustomPlot is a widget
    SPeerScene scene;
    scene.MakeSpectra(1, false);
    RunScene(state, scene, "spectrum-linear", false);
}

void BM_PeerSpectrumLog(benchmark::State& state)
{
    EnsureGuiApplication<QApplication>(); // QCustomPlot is a widget
    SPeerScene scene;
    scene.MakeSpectra(1, true);
    RunScene(state, scene, "spectrum-log", true);
}

void BM_PeerSpectra16(benchmark::State& state)
{
    EnsureGuiApplication<QApplication>(); // QCustomPlot is a widget
    SPeerScene scene;
    scene.MakeSpectra(16, false);
    RunScene(state, scene, "spectra16", false);
}

} // namespace

BENCHMARK(BM_PeerNoise)->Arg(10000)->Arg(100000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PeerSpectrumLinear)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PeerSpectrumLog)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PeerSpectra16)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
