// The stepped sweep of the simulated analyser: THD+N measured from samples
// against sines with known residues, and the paced run delivering every step.

#include "host/sim/SteppedSweep.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

TEST(SimSweep, THDNIsTheResidueOfTheBestFittingSine)
{
    // 1 kHz at 48 kHz over a non-whole number of cycles, with DC and a
    // 3rd harmonic of amplitude r: THD+N = (r / sqrt 2) / sqrt((1 + r^2) / 2 + dc^2).
    const struct {
        double dHarmonic, dDC, dExpected;
    } aCases[] = {{0.0, 0.0, 0.0}, {0.01, 0.0, 0.01 / std::sqrt(1.0001)}, {0.1, 0.5, 0.1 / std::sqrt(1.01 + 0.5)}};
    for (const auto& c : aCases) {
        std::vector<double> ad(4801);
        for (size_t i = 0; i < ad.size(); ++i) {
            const double w = 2.0 * std::numbers::pi * 1000.0 * static_cast<double>(i) / 48000.0;
            ad[i] = std::sin(w + 0.3) + c.dHarmonic * std::sin(3.0 * w) + c.dDC;
        }
        double dRms = 0.0;
        EXPECT_NEAR(MeasureTHDN(ad.data(), static_cast<int>(ad.size()), 1000.0, 48000.0, &dRms), c.dExpected, 1e-4)
            << c.dHarmonic;
        EXPECT_NEAR(dRms, std::sqrt((1.0 + c.dHarmonic * c.dHarmonic) / 2.0 + c.dDC * c.dDC), 1e-3);
    }
    EXPECT_EQ(MeasureTHDN(nullptr, 10, 1000.0, 48000.0, nullptr), 0.0);
}

TEST(SimSweep, PacedRunDeliversEveryStepInOrderThenFinishes)
{
    SSweepPlan plan;
    plan.dStartHz = 1000.0;
    plan.dStopHz = 4000.0;
    plan.iSteps = 3;
    plan.dSettleSeconds = 0.001;
    plan.dMeasureSeconds = 0.005;
    CSteppedSweep sweep(plan, SDeviceParams());
    std::vector<double> adFrequencies;
    std::atomic<bool> bDone{false};
    ASSERT_TRUE(sweep.Start([&](const SSweepReading& r) { adFrequencies.push_back(r.dFrequencyHz); },
                            [&] { bDone = true; }));
    EXPECT_FALSE(sweep.Start(nullptr, nullptr));
    while (sweep.IsRunning()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sweep.Stop();
    EXPECT_TRUE(bDone);
    ASSERT_EQ(adFrequencies.size(), 3u);
    EXPECT_NEAR(adFrequencies[1], 2000.0, 1e-9);

    // A plan that cannot run falls back to the default one.
    CLogCapture log;
    plan.iSteps = 1;
    EXPECT_EQ(CSteppedSweep(plan, SDeviceParams()).GetPlan().iSteps, SSweepPlan().iSteps);
    EXPECT_GE(CountAssertLines(log.Lines()), 1);
}
