// A refill racing the plot: one thread measures blocks (alternating the
// block length, so the trace's arrays are exchanged) and delivers them the
// way the document does, while another keeps building the trace's plot.
// Run under ThreadSanitizer (scripts/test --tsan) it must stay silent; in
// the normal build it checks that nothing crashes and the plot stays sane.

#include "GraphDocFixture.h"

#include "host/settings/SharedMeasurementData.h"
#include "host/sim/MeasurementEngine.h"
#include "host/sim/SignalGenerator.h"

#include <atomic>
#include <thread>

namespace {

class LiveStress : public GraphDocFixture {};

TEST_F(LiveStress, RefillRacingThePlotBuild)
{
    CSharedMeasurementData& data = *m_host.GetSettingsService()->GetSharedMeasurementData();
    CSignalGenerator generator;
    SEngineConfig config;
    config.iFFTLength = 1024;
    CMeasurementEngine engine(generator, data, config);
    ASSERT_TRUE(engine.RunBlock());

    CDocTestTrace* pScope = Add(TT_SCOPE, CHANNEL_A, 0, 1);
    CDocTestTrace* pFFT = Add(TT_FFT, CHANNEL_A, 0, 1);
    m_pDoc->NewMathThreadData(CHANNEL_A, 0);
    for (CQXTrace* pTrace : {static_cast<CQXTrace*>(pScope), static_cast<CQXTrace*>(pFFT)}) {
        pTrace->SetDrawRect(CRect(0, 0, 400, 200));
        pTrace->DataToPlot();
    }

    constexpr int kBlocks = 40;
    std::atomic<bool> bDone{false};
    std::thread refill([&] {
        for (int i = 0; i < kBlocks; ++i) {
            config.iFFTLength = (i % 2) ? 1024 : 2048;
            engine.SetConfig(config);
            engine.RunBlock();
            m_pDoc->NewSampleData(CHANNEL_A);
            m_pDoc->NewFFTData(CHANNEL_A);
        }
        bDone = true;
    });
    int iPlots = 0;
    while (!bDone.load()) {
        pScope->DataToPlot();
        pFFT->DataToPlot();
        ++iPlots;
    }
    refill.join();

    EXPECT_GT(iPlots, 0);
    EXPECT_EQ(pScope->GetDataSize(), 1024);
    EXPECT_EQ(pFFT->GetDataSize(), 513);
    pFFT->DataToPlot();
    EXPECT_EQ(pFFT->GetPlotMinArray().size(), 401u);
}

} // namespace
