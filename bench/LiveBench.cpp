// One live refresh as the demo window does it: a block of results for both
// channels is delivered to the document (NewMathThreadData: two spectra of
// 65,537 points and two scope traces of 8,192 points copied from the shared
// buffers, limits checked, hint sent) and the view, told by the hint, is
// repainted into a 1280 x 800 image with both channels in it. The buffers
// hold the built-in signals; they are written once, as only the refresh is
// measured here.

#include "apps/common/BuiltInDocument.h"
#include "host/app/HeadlessHost.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SharedMeasurementData.h"
#include "host/sim/StaticSignals.h"
#include "host/units/References.h"
#include "qt/QtImageTarget.h"
#include "trace/display/GraphView.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <benchmark/benchmark.h>

#include "GuiApplication.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kFFTLength = 131072; // 65,536 bins: 65,537 points
constexpr int kScopePoints = 8192;
constexpr double kFullScaleHex = SReferences::kFullScaleHex;
constexpr double kFullScaleSineHex = SReferences::kFullScaleSineHex;

template <class Buffer, class Values>
void Write(Buffer& buffer, const Values& adValues, int iCount, double dScale, int iChannel)
{
    buffer.Resize(iCount);
    for (int i = 0; i < iCount; ++i) buffer.SetAt(i, adValues[static_cast<size_t>(i)] * dScale);
    buffer.SetSize(iCount);
    buffer.SetSampleRate(48000.0);
    buffer.SetChannel(iChannel);
    buffer.SetSourceKind(SOURCE_ANALOGUE);
}

// The built-in signals of both channels in the shared buffers.
bool PublishBuiltInSignals(CSharedMeasurementData& data)
{
    if (!data.Rebuild(kFFTLength)) return false;
    CSharedDataAccess access(data, nullptr);
    for (int iChannel = 0; iChannel < 2; ++iChannel) {
        const SSignal signal = GetBuiltInSignal(iChannel);
        const std::vector<double> adSamples = MakeSamples(signal, kScopePoints);
        const std::vector<double> adPowers = MakeSpectrum(signal, SSpectrumSettings{kFFTLength, WINDOW_BLACKMANHARRIS4, 1});
        if (static_cast<int>(adPowers.size()) < kFFTLength / 2) return false;
        Write(*data.GetSampleBuffer(iChannel), adSamples, kScopePoints, 1.0 / kFullScaleHex, iChannel);
        Write(*data.GetFFTBuffer(iChannel), adPowers, kFFTLength / 2, 1.0 / (kFullScaleSineHex * kFullScaleSineHex),
              iChannel);
        data.GetChannelInfo(iChannel)->bNewFFTDataValid = true;
    }
    return true;
}

// bDraw: the whole refresh; else the delivery alone (the plots are only marked stale).
void LiveFrames(benchmark::State& state, bool bDraw)
{
    EnsureGuiApplication();
    CBuiltInDocument built;
    CGraphDoc& doc = built.GetDoc();
    CSharedMeasurementData* pData = built.GetHost().GetSettingsService()->GetSharedMeasurementData();
    if (!built.IsValid() || !pData || !PublishBuiltInSignals(*pData)) {
        state.SkipWithError("the scene could not be built");
        return;
    }
    doc.SetDrawingAllOnSameView(1);
    CGraphView view;
    view.SetChannel(CHANNEL_A);
    view.OnSize(CRect(0, 0, kWidth, kHeight));
    CQtImageTarget target(kWidth, kHeight);
    doc.NewMathThreadData(CHANNEL_BOTH, 0); // first sizes and layout
    view.OnDraw(target.GetDC());
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        const int iFFT = built.GetLiveTrace(eChannel, TT_FFT)->GetDataSize();
        const int iScope = built.GetLiveTrace(eChannel, TT_SCOPE)->GetDataSize();
        if (iFFT != kFFTLength / 2 + 1 || iScope != kScopePoints) {
            state.SkipWithError("the traces did not take the buffers' sizes");
            return;
        }
    }
    for (auto _ : state) {
        doc.NewMathThreadData(CHANNEL_BOTH, 0);
        if (bDraw) view.OnDraw(target.GetDC());
        benchmark::ClobberMemory();
    }
    state.counters["points"] = 2.0 * (kFFTLength / 2 + 1) + 2.0 * kScopePoints;
}

void BM_LiveRefresh(benchmark::State& state) { LiveFrames(state, true); }
void BM_LiveDeliveryOnly(benchmark::State& state) { LiveFrames(state, false); }

} // namespace

BENCHMARK(BM_LiveRefresh)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_LiveDeliveryOnly)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
