// The stepped sweep of the simulated analyser, paced: every step delivered in
// order, then the end. (What it measures is checked through the sweep traces,
// tests/render/RenderSweepSourceTest.cpp.)

#include "host/sim/SteppedSweep.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

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
}
