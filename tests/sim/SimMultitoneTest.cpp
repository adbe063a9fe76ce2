// The third-octave multitone of the simulated analyser (the device's gain is
// read through live responses in tests/render).

#include "host/sim/Multitone.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SimMultitone, ThirtyOneTonesOnTheNearestBins)
{
    // 48 kHz, 16384 points: bins of 2.9297 Hz; 19.95 Hz -> bin 7, 1 kHz -> 341, 19.95 kHz -> 6810.
    const std::vector<int> aiBins = ThirdOctaveToneBins(48000.0, 16384);
    ASSERT_EQ(aiBins.size(), 31u);
    EXPECT_EQ(aiBins.front(), 7);
    EXPECT_EQ(aiBins[17], 341);
    EXPECT_EQ(aiBins.back(), 6810);
    for (size_t k = 1; k < aiBins.size(); ++k) EXPECT_GT(aiBins[k], aiBins[k - 1]);
    // 512 points at 48 kHz: the low tones crowd onto successive bins, and 20 kHz still fits below 256.
    const std::vector<int> aiCoarse = ThirdOctaveToneBins(48000.0, 512);
    ASSERT_EQ(aiCoarse.size(), 31u);
    EXPECT_EQ(aiCoarse[1], aiCoarse[0] + 1);
    EXPECT_TRUE(ThirdOctaveToneBins(48000.0, 32).empty()); // 31 tones do not fit below bin 16
    const SChannelSignal signal = MultitoneSignal({7, 341}, 48000.0, 16384, -30.0);
    ASSERT_EQ(signal.aMultitone.size(), 2u);
    EXPECT_DOUBLE_EQ(signal.aMultitone[1].dFrequency, 341 * 48000.0 / 16384);
}

} // namespace
