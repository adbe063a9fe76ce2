// Building a trace's plot (DataToPlot) against the memory-bound floor: a
// branch-free min/max over the same points (four independent lanes, as fast
// as the memory allows; a plain sum over them is reported beside it).
// Every DataToPlot benchmark reports x_floor, its time per call over the
// floor's time per scan, measured in the same process right before it
// (processor time for both), and sum_us, the plain sum's time.
//
//   FFT65537dB    a 65,537-point spectrum shown in dBFS over 1,000 columns
//   Ramp1M        a 1,000,000-point trace over 1,000 columns
//   Spectrum65537Linear/Log  a real FFT trace (CFFTTrace, refilled from an FFT
//                 buffer of 65,536 powers) in dBFS over 1,000 columns on a
//                 linear and on a logarithmic X axis
// and, for comparison, the same reductions mapping every point to a pixel
// (what the plot costs without taking the extremes in data first), and the
// floors themselves on 1M points beside std::minmax_element.

#include "host/app/HeadlessHost.h"
#include "support/TestTrace.h"
#include "host/buffers/SampleBuffer.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/FFTTrace.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <utility>
#include <ctime>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kColumns = 1000;

// A test trace whose Y mapping is that of a spectrum in a dB unit: the
// height is linear in the dB value over the Y scale window, so every mapped
// point costs a unit conversion (a logarithm).
class CBenchTrace : public CTestTrace {
public:
    CBenchTrace(int iSize, bool bDecibels) : CTestTrace(TT_FFT, CHANNEL_A, iSize), m_bDecibels(bDecibels) {}
    using CQXTrace::DataToPlot;

    int GetYPointForData(double dData) override
    {
        if (!m_bDecibels) return CTestTrace::GetYPointForData(dData);
        if (dData == DBL_MAX) return POINT_BEYOND_MAX;
        const double v = GetYValueForData(dData, GetYUnit(), 0, 0);
        const CRect& rc = GetDrawRect();
        const double mn = GetCurrentMinYScaleValue();
        const double mx = GetCurrentMaxYScaleValue();
        const double dRows = std::trunc((rc.bottom - rc.top) * (v - mx) / (mx - mn) + 0.5);
        return GetYOrigin() - rc.top + static_cast<int>(std::clamp(dRows, -1e9, 1e9));
    }

    SYMap MakeYMap() override { return m_bDecibels ? SYMap() : CTestTrace::MakeYMap(); }

private:
    bool m_bDecibels;
};

struct SSetup {
    CHeadlessHost host;
    std::unique_ptr<CGraphDoc> pDoc = std::make_unique<CGraphDoc>();
    CBenchTrace* pTrace = nullptr;

    SSetup(int iSize, bool bDecibels)
    {
        host.SetGraphDoc(pDoc.get());
        pTrace = new CBenchTrace(iSize, bDecibels);
        pDoc->AddTrace(pTrace);
        pTrace->SetTestMode(CQXTrace::eModeDigital);
        pTrace->SetInUse(1);
        pTrace->SetDrawRect(CRect(0, 0, kColumns - 1, 400));
        pTrace->SetYDefaultZoomValues();
        pTrace->SetCurrentMinYScaleValue(-140.0);
        pTrace->SetCurrentMaxYScaleValue(0.0);
        pTrace->SetCurrentMinXPos(0);
        pTrace->SetCurrentMaxXPos(iSize - 1);
    }
    ~SSetup()
    {
        pDoc.reset();
        host.SetGraphDoc(nullptr);
    }
    const double* Data() { return pTrace->GetYDataBuffer(0); }
    int Size() { return pTrace->GetDataSize(); }
};

// A spectrum: a noise floor near -120 dBFS, a fundamental and its harmonics,
// and the missing value spectra keep in their last bin.
void FillSpectrum(CTestTrace& trace)
{
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(-120.0, 6.0);
    const int n = trace.GetDataSize();
    trace.FillYData([&](int i) {
        double dB = noise(rng);
        for (int k = 1; k <= 10; ++k)
            if (std::abs(i - 1365 * k) < 3) dB = -6.0 * k;
        return CTestTrace::kFullScaleHex * std::pow(10.0, dB / 20.0);
    });
    trace.GetYDataBuffer(0)[n - 1] = DBL_MAX;
}

void FillRamp(CTestTrace& trace)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> jitter(0.0, 1000.0);
    const double dStep = CTestTrace::kFullScaleHex / trace.GetDataSize();
    trace.FillYData([&](int i) { return i * dStep * 0.9 + jitter(rng); });
}

// Processor time in seconds: the machine may be shared, and the ratio to the
// floor should not depend on how much of it this process gets.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// The floors: a plain sum and a branch-free min/max over n doubles, four
// lanes each so that no loop waits on one dependency chain.
double FloorSum(const double* pd, int n)
{
    double s[4] = {0.0, 0.0, 0.0, 0.0};
    int i = 0;
    for (; i + 4 <= n; i += 4)
        for (int k = 0; k < 4; ++k) s[k] += pd[i + k];
    for (; i < n; ++i) s[0] += pd[i];
    return (s[0] + s[1]) + (s[2] + s[3]);
}

std::pair<double, double> FloorMinMax(const double* pd, int n)
{
    double mn[4] = {DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX};
    double mx[4] = {-DBL_MAX, -DBL_MAX, -DBL_MAX, -DBL_MAX};
    int i = 0;
    for (; i + 4 <= n; i += 4)
        for (int k = 0; k < 4; ++k) {
            const double v = pd[i + k];
            mn[k] = v < mn[k] ? v : mn[k];
            mx[k] = v > mx[k] ? v : mx[k];
        }
    for (; i < n; ++i) {
        mn[0] = pd[i] < mn[0] ? pd[i] : mn[0];
        mx[0] = pd[i] > mx[0] ? pd[i] : mx[0];
    }
    return {std::min(std::min(mn[0], mn[1]), std::min(mn[2], mn[3])),
            std::max(std::max(mx[0], mx[1]), std::max(mx[2], mx[3]))};
}

// Processor seconds per call of f over the points, best of a few rounds of
// at least 20 ms each.
template <class F>
double BestSeconds(const double* pd, int n, F&& f)
{
    const int iReps = std::max(3, 20000000 / (3 * n));
    double dBest = 1e30;
    for (int round = 0; round < 5; ++round) {
        const double t0 = CpuSeconds();
        for (int i = 0; i < iReps; ++i) {
            auto r = f(pd, n);
            benchmark::DoNotOptimize(r);
            benchmark::ClobberMemory();
        }
        dBest = std::min(dBest, (CpuSeconds() - t0) / iReps);
    }
    return dBest;
}

// The same columns as DataToPlot's linear column mode, mapping every point.
void MapEveryPoint(CBenchTrace& trace, std::vector<int>& aMin, std::vector<int>& aMax)
{
    const double* pd = trace.GetYDataBuffer(0);
    const int iMinPos = trace.GetCurrentMinXPos();
    const double r = static_cast<double>(trace.GetCurrentMaxXPos() - iMinPos) / kColumns;
    const int iFollowing = static_cast<int>(std::floor(r));
    for (int i = 0; i < kColumns; ++i) {
        const int iFirst = static_cast<int>(std::floor(i * r)) + iMinPos;
        int lo = trace.GetYPointForData(pd[iFirst]);
        int hi = lo;
        for (int k = 1; k <= iFollowing && lo != POINT_BEYOND_MAX; ++k) {
            const int h = trace.GetYPointForData(pd[iFirst + k]);
            if (h == POINT_BEYOND_MAX) break;
            lo = std::min(lo, h);
            hi = std::max(hi, h);
        }
        if (i > 0 && lo != POINT_BEYOND_MAX && aMin[i - 1] != POINT_BEYOND_MAX) {
            if (aMax[i - 1] < lo) lo = aMax[i - 1] + 1;
            else if (hi < aMin[i - 1]) hi = aMin[i - 1] - 1;
        }
        aMin[i] = lo;
        aMax[i] = hi;
    }
}

template <class Setup, class F>
void TimedLoop(benchmark::State& state, Setup& setup, F&& fnCall)
{
    const double dFloor = BestSeconds(setup.Data(), setup.Size(), FloorMinMax);
    const double dSum = BestSeconds(setup.Data(), setup.Size(), FloorSum);
    const double t0 = CpuSeconds();
    for (auto _ : state) {
        fnCall();
        benchmark::ClobberMemory();
    }
    const double dPerCall = (CpuSeconds() - t0) / static_cast<double>(state.iterations());
    state.counters["floor_us"] = dFloor * 1e6;
    state.counters["sum_us"] = dSum * 1e6;
    state.counters["x_floor"] = dPerCall / dFloor;
    state.SetItemsProcessed(state.iterations() * setup.Size());
}

void BM_DataToPlot_FFT65537dB(benchmark::State& state)
{
    SSetup setup(65537, true);
    FillSpectrum(*setup.pTrace);
    TimedLoop(state, setup, [&] { setup.pTrace->DataToPlot(); });
}
BENCHMARK(BM_DataToPlot_FFT65537dB)->Unit(benchmark::kMicrosecond);

void BM_MapEveryPoint_FFT65537dB(benchmark::State& state)
{
    SSetup setup(65537, true);
    FillSpectrum(*setup.pTrace);
    std::vector<int> aMin(kColumns), aMax(kColumns);
    TimedLoop(state, setup, [&] { MapEveryPoint(*setup.pTrace, aMin, aMax); });
}
BENCHMARK(BM_MapEveryPoint_FFT65537dB)->Unit(benchmark::kMicrosecond);

void BM_DataToPlot_Ramp1M(benchmark::State& state)
{
    SSetup setup(1000000, false);
    FillRamp(*setup.pTrace);
    TimedLoop(state, setup, [&] { setup.pTrace->DataToPlot(); });
}
BENCHMARK(BM_DataToPlot_Ramp1M)->Unit(benchmark::kMicrosecond);

void BM_MapEveryPoint_Ramp1M(benchmark::State& state)
{
    SSetup setup(1000000, false);
    FillRamp(*setup.pTrace);
    std::vector<int> aMin(kColumns), aMax(kColumns);
    TimedLoop(state, setup, [&] { MapEveryPoint(*setup.pTrace, aMin, aMax); });
}
BENCHMARK(BM_MapEveryPoint_Ramp1M)->Unit(benchmark::kMicrosecond);

// A spectrum trace as the analyser feeds it: the FFT buffer of a 131,072-
// point FFT at 48 kHz (the same noise floor and harmonics as above, as
// powers), refilled through UpdateTraceData, shown in dBFS.
struct SSpectrumSetup {
    CHeadlessHost host;
    std::unique_ptr<CGraphDoc> pDoc = std::make_unique<CGraphDoc>();
    CFFTTrace* pTrace = nullptr;

    explicit SSpectrumSetup(bool bLogX)
    {
        host.SetGraphDoc(pDoc.get());
        constexpr int kBins = 65536;
        CFFTBuffer buffer(kBins);
        buffer.SetSize(kBins);
        std::mt19937 rng(7);
        std::normal_distribution<double> noise(-120.0, 6.0);
        for (int i = 0; i < kBins; ++i) {
            double dB = noise(rng);
            for (int k = 1; k <= 10; ++k)
                if (std::abs(i - 1365 * k) < 3) dB = -6.0 * k;
            buffer.SetAt(i, std::pow(10.0, dB / 10.0));
        }
        buffer.SetSampleRate(48000.0);
        buffer.SetSourceKind(SOURCE_DIGITAL);
        pTrace = new CFFTTrace(CHANNEL_A, kBins + 1, 0, 0);
        pDoc->AddTrace(pTrace);
        pTrace->SetInUse(1);
        pTrace->UpdateTraceData(&buffer, nullptr, nullptr);
        pTrace->SetDrawRect(CRect(0, 0, kColumns - 1, 400));
        pTrace->SetYUnit(UNIT_DBFS);
        pTrace->SetCurrentMinYScaleValue(-140.0);
        pTrace->SetCurrentMaxYScaleValue(0.0);
        pTrace->SetCurrentMinYData(pTrace->GetYDataForValue(-140.0, UNIT_DBFS, 0));
        pTrace->SetCurrentMaxYData(pTrace->GetYDataForValue(0.0, UNIT_DBFS, 0));
        pTrace->SetLogX(bLogX ? 1 : 0);
        const int iFirst = bLogX ? 1 : 0; // a log axis starts above 0 Hz
        pTrace->SetCurrentMinXPos(iFirst);
        pTrace->SetCurrentMaxXPos(kBins);
        pTrace->SetCurrentMinXScaleValue(pTrace->GetXValueAtPos(iFirst, pTrace->GetXUnit()));
        pTrace->SetCurrentMaxXScaleValue(pTrace->GetXValueAtPos(kBins, pTrace->GetXUnit()));
    }
    ~SSpectrumSetup()
    {
        pDoc.reset();
        host.SetGraphDoc(nullptr);
    }
    const double* Data() { return pTrace->GetYDataBuffer(0); }
    int Size() { return pTrace->GetDataSize(); }
};

void BM_DataToPlot_Spectrum65537Linear(benchmark::State& state)
{
    SSpectrumSetup setup(false);
    TimedLoop(state, setup, [&] { setup.pTrace->DataToPlot(); });
}
BENCHMARK(BM_DataToPlot_Spectrum65537Linear)->Unit(benchmark::kMicrosecond);

void BM_DataToPlot_Spectrum65537Log(benchmark::State& state)
{
    SSpectrumSetup setup(true);
    TimedLoop(state, setup, [&] { setup.pTrace->DataToPlot(); });
}
BENCHMARK(BM_DataToPlot_Spectrum65537Log)->Unit(benchmark::kMicrosecond);

// The floors on 1M uniform doubles, beside std::minmax_element, whose
// iterator-tracking comparisons branch on the data.
template <class F>
void FloorOn1M(benchmark::State& state, F&& f)
{
    std::vector<double> a(1000000);
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (double& d : a) d = u(rng);
    for (auto _ : state) {
        auto r = f(a.data(), static_cast<int>(a.size()));
        benchmark::DoNotOptimize(r);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(a.size()));
}

void BM_FloorSum_1M(benchmark::State& state) { FloorOn1M(state, FloorSum); }
void BM_FloorMinMax_1M(benchmark::State& state) { FloorOn1M(state, FloorMinMax); }
void BM_MinMaxElement_1M(benchmark::State& state)
{
    FloorOn1M(state, [](const double* pd, int n) { return std::minmax_element(pd, pd + n); });
}
BENCHMARK(BM_FloorSum_1M)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorMinMax_1M)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MinMaxElement_1M)->Unit(benchmark::kMicrosecond);

} // namespace
