// The simulated sweep through the document's sweep traces: the level trace
// reads the device's low-pass corner where the simulation put it, and the
// THD+N trace its distortion.

#include "apps/common/BuiltInDocument.h"
#include "apps/common/SweepSource.h"
#include "host/units/UnitIds.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/SweepTrace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Where the trace falls 3 dB below its first point: linear in dB between
// the two points around it, on a log frequency axis.
double MinusThreedBPoint(CSweepTrace& trace)
{
    const auto dBFS = [&](int i) { return trace.GetYValueForData(trace.GetYDataBuffer(0)[i], UNIT_DBFS, 0, 0); };
    const double dTarget = dBFS(0) - 3.0;
    for (int i = 1; i < trace.GetDataSize(); ++i) {
        if (dBFS(i) > dTarget) continue;
        const double t = (dBFS(i - 1) - dTarget) / (dBFS(i - 1) - dBFS(i));
        const double lf0 = std::log(trace.GetXData()[i - 1]);
        const double lf1 = std::log(trace.GetXData()[i]);
        return std::exp(lf0 + t * (lf1 - lf0));
    }
    return 0.0;
}

} // namespace

TEST(RenderSweepSource, LevelReadsTheCornerAndTHDNTheDistortionOfTheDevice)
{
    CBuiltInDocument built;
    ASSERT_TRUE(built.IsValid());
    for (double dCorner : {1000.0, 5000.0}) {
        SDeviceParams device;
        device.dCornerHz = dCorner;
        CSweepSource source(built.GetDoc(), DemoSweepPlan(), device);
        ASSERT_TRUE(source.RunAll());
        CSweepTrace* pLevel = source.GetLevelTrace();
        ASSERT_EQ(pLevel->GetDataSize(), 31);
        EXPECT_NEAR(pLevel->GetXData()[0], 20.0, 1e-9);
        EXPECT_NEAR(pLevel->GetXData()[10], 200.0, 1e-9); // a decade every 10 steps
        EXPECT_NEAR(pLevel->GetXData()[30], 20000.0, 1e-9);
        EXPECT_NEAR(pLevel->GetYValueForData(pLevel->GetYDataBuffer(0)[0], UNIT_DBFS, 0, 0), -10.0, 0.05);
        EXPECT_NEAR(MinusThreedBPoint(*pLevel), dCorner, 0.02 * dCorner);

        // At 20 Hz the output stage sees the full -10 dBFS sine (peak 0.316 of full
        // scale): 2nd harmonic 0.005 x 0.316 / 2, 3rd 0.01 x 0.316^2 / 4 of the
        // fundamental; together 8.29e-4, -61.6 dB.
        CSweepTrace* pTHDN = source.GetTHDNTrace();
        EXPECT_EQ(pTHDN->GetSweepResultString(), CString(L"CT Det  : THD+N : Ch B"));
        EXPECT_NEAR(pTHDN->GetYDataBuffer(0)[0], -61.63, 0.2);
    }
}
