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
#include <functional>
#include <thread>

namespace {

class LiveStress : public GraphDocFixture {
protected:
    LiveStress() { EXPECT_TRUE(m_engine.RunBlock()); }
    // Measures and delivers 40 blocks on another thread (alternating 1k and
    // 2k FFTs) while this one keeps building the plots; how many plots it built.
    int RaceThePlot(const std::function<void(int)>& fnDeliver, std::initializer_list<CQXTrace*> apPlotted)
    {
        for (CQXTrace* pTrace : apPlotted) {
            pTrace->SetDrawRect(CRect(0, 0, 400, 200));
            pTrace->DataToPlot();
        }
        std::atomic<bool> bDone{false};
        std::thread refill([&] {
            for (int i = 0; i < 40; ++i) {
                m_config.iFFTLength = (i % 2) ? 1024 : 2048;
                m_engine.SetConfig(m_config);
                m_engine.RunBlock();
                fnDeliver(i);
            }
            bDone = true;
        });
        int iPlots = 0;
        for (; !bDone.load(); ++iPlots)
            for (CQXTrace* pTrace : apPlotted) pTrace->DataToPlot();
        refill.join();
        return iPlots;
    }

    CSignalGenerator m_generator;
    SEngineConfig m_config = [] { SEngineConfig c; c.iFFTLength = 1024; return c; }();
    CMeasurementEngine m_engine{m_generator, *m_host.GetSettingsService()->GetSharedMeasurementData(), m_config};
};

TEST_F(LiveStress, RefillRacingThePlotBuild)
{
    CTestTrace* pScope = Add(TT_SCOPE, CHANNEL_A, 0, 1);
    CTestTrace* pFFT = Add(TT_FFT, CHANNEL_A, 0, 1);
    m_pDoc->NewMathThreadData(CHANNEL_A, 0);
    EXPECT_GT(RaceThePlot([&](int) { m_pDoc->NewSampleData(CHANNEL_A); m_pDoc->NewFFTData(CHANNEL_A); }, {pScope, pFFT}), 0);
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
    CTestTrace* pFFT = Add(TT_FFT, CHANNEL_A, 0, 1);
    m_pDoc->NewMathThreadData(CHANNEL_A, 0);
    CComputeList list;
    auto* pInvert = new CComputeInvert();
    pInvert->SetInvertValue(-60.0);
    pInvert->SetYUnit(static_cast<EUnit>(pFFT->GetYUnit()));
    list.AddComputeObject(pInvert);
    pFFT->SetComputeList(&list);
    ASSERT_EQ(pFFT->SetShowTransformedYData(1, 0), 1);
    const auto deliver = [&](int i) {
        m_pDoc->NewFFTData(CHANNEL_A);
        if (i % 3 == 2) {
            pFFT->SetShowTransformedYData(0, 0);
            pFFT->SetShowTransformedYData(1, 0);
        }
    };
    EXPECT_GT(RaceThePlot(deliver, {pFFT}), 0);
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
