// A refill racing the plot: one thread measures blocks (alternating the
// block length, so the trace's arrays are exchanged) and delivers them the
// way the document does, while another keeps building the trace's plot.
// Run under ThreadSanitizer (scripts/test --tsan) it must stay silent; in
// the normal build it checks that nothing crashes and the plot stays sane.

#include "GraphDocFixture.h"

#include "host/settings/SharedMeasurementData.h"
#include "host/sim/MeasurementEngine.h"
#include "host/sim/SignalGenerator.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"

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

    CTestTrace* pScope = Add(TT_SCOPE, CHANNEL_A, 0, 1);
    CTestTrace* pFFT = Add(TT_FFT, CHANNEL_A, 0, 1);
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

// A compute run racing the plot: each delivery re-runs an invert on the
// spectrum's transformed array (reallocated when the size changes), and every
// third block the result is hidden (the array freed) and shown again, while
// another thread keeps building the trace's plot from that array.
TEST_F(LiveStress, ComputeRunRacingThePlotBuild)
{
    CSharedMeasurementData& data = *m_host.GetSettingsService()->GetSharedMeasurementData();
    CSignalGenerator generator;
    SEngineConfig config;
    config.iFFTLength = 1024;
    CMeasurementEngine engine(generator, data, config);
    ASSERT_TRUE(engine.RunBlock());
    CTestTrace* pFFT = Add(TT_FFT, CHANNEL_A, 0, 1);
    m_pDoc->NewMathThreadData(CHANNEL_A, 0);
    CComputeList list;
    auto* pInvert = new CComputeInvert();
    pInvert->SetInvertValue(-60.0);
    pInvert->SetYUnit(static_cast<EUnit>(pFFT->GetYUnit()));
    list.AddComputeObject(pInvert);
    pFFT->SetComputeList(&list);
    ASSERT_EQ(pFFT->SetShowTransformedYData(1, 0), 1);
    pFFT->SetDrawRect(CRect(0, 0, 400, 200));
    pFFT->DataToPlot();

    constexpr int kBlocks = 40;
    std::atomic<bool> bDone{false};
    std::thread refill([&] {
        for (int i = 0; i < kBlocks; ++i) {
            config.iFFTLength = (i % 2) ? 1024 : 2048;
            engine.SetConfig(config);
            engine.RunBlock();
            m_pDoc->NewFFTData(CHANNEL_A);
            if (i % 3 == 2) {
                pFFT->SetShowTransformedYData(0, 0);
                pFFT->SetShowTransformedYData(1, 0);
            }
        }
        bDone = true;
    });
    int iPlots = 0;
    while (!bDone.load()) {
        pFFT->DataToPlot();
        ++iPlots;
    }
    refill.join();

    EXPECT_GT(iPlots, 0);
    EXPECT_TRUE(pFFT->GetShowTransformedYData());
    EXPECT_EQ(pFFT->GetDataSize(), 513);
    // The last delivery was computed: the transformed array mirrors the raw one about -60.
    const int iMid = 100;
    const double dRaw = pFFT->GetYValueForData(pFFT->GetYDataBuffer(0)[iMid], pFFT->GetYUnit(), 1, 0);
    const double dShown = pFFT->GetYValueForData(pFFT->GetYDataBuffer(1)[iMid], pFFT->GetYUnit(), 1, 1);
    if (dRaw > -1e300) {
        EXPECT_NEAR(dShown, -120.0 - dRaw, 1e-6);
    }
}

} // namespace
