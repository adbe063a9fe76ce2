#include "host/sim/SignalGenerator.h"
#include "host/units/References.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

constexpr double kRmsFullScaleSine = SReferences::kFullScaleSineHex;

std::vector<double> Block(CSignalGenerator& generator, int iChannel, int iCount)
{
    std::vector<double> adSamples(static_cast<size_t>(iCount));
    EXPECT_TRUE(generator.Generate(iChannel, adSamples.data(), iCount));
    return adSamples;
}

double RmsdBFS(const std::vector<double>& adSamples)
{
    double dSum = 0.0;
    for (double d : adSamples) dSum += d * d;
    return 20.0 * std::log10(std::sqrt(dSum / static_cast<double>(adSamples.size())) / kRmsFullScaleSine);
}

SChannelSignal Tone(double dFrequency, double dLeveldBFS)
{
    SChannelSignal signal;
    signal.dFrequency = dFrequency;
    signal.dLeveldBFS = dLeveldBFS;
    return signal;
}

} // namespace

TEST(SimGenerator, SineBlocksHaveTheirSetRms)
{
    struct Case {
        double dFrequency, dLevel, dRate;
        int iCount; // whole periods, so the RMS is the sine's own
    };
    for (const Case& c : {Case{1000.0, -20.0, 48000.0, 4800}, Case{1000.0, -0.5, 48000.0, 48000},
                          Case{441.0, -60.0, 44100.0, 44100}, Case{3000.0, -100.0, 96000.0, 9600}}) {
        CSignalGenerator generator(c.dRate);
        ASSERT_TRUE(generator.SetChannelSignal(1, Tone(c.dFrequency, c.dLevel)));
        const double dMeasured = RmsdBFS(Block(generator, 1, c.iCount));
        // -100 dBFS is about 59 sample units, so rounding to integers shows.
        EXPECT_NEAR(dMeasured, c.dLevel, c.dLevel < -80.0 ? 0.05 : 0.01) << c.dFrequency << " Hz at " << c.dLevel;
    }
}

TEST(SimGenerator, NoiseAndPartsAddUpInPower)
{
    CSignalGenerator generator;
    SChannelSignal noise = Tone(1000.0, -400.0); // the sine rounds away
    noise.dNoisedBFS = -30.0;
    ASSERT_TRUE(generator.SetChannelSignal(0, noise));
    EXPECT_NEAR(RmsdBFS(Block(generator, 0, 96000)), -30.0, 0.1);

    // -20 dBFS with a second tone at -20 dBFS and a harmonic at -20 dB
    // below it: powers add, 0.01 + 0.01 + 0.0001.
    SChannelSignal mix = Tone(1000.0, -20.0);
    mix.aHarmonics = {{2, -20.0}};
    mix.bSecondTone = true;
    mix.dSecondFrequency = 1500.0;
    mix.dSecondLeveldBFS = -20.0;
    ASSERT_TRUE(generator.SetChannelSignal(1, mix));
    EXPECT_NEAR(RmsdBFS(Block(generator, 1, 9600)), 10.0 * std::log10(0.0201), 0.01);
}

TEST(SimGenerator, BlocksContinueOneAnotherAndResetRestarts)
{
    SChannelSignal signal = Tone(997.0, -3.0);
    signal.aHarmonics = {{3, -30.0}};
    signal.bSecondTone = true;
    signal.dSecondFrequency = 12345.6;
    signal.dNoisedBFS = -50.0;

    CSignalGenerator whole, pieces;
    ASSERT_TRUE(whole.SetChannelSignal(0, signal));
    ASSERT_TRUE(pieces.SetChannelSignal(0, signal));
    const std::vector<double> adWhole = Block(whole, 0, 1000);
    std::vector<double> adJoined;
    for (int iCount : {1, 99, 0, 377, 523}) {
        const std::vector<double> adPiece = Block(pieces, 0, iCount);
        adJoined.insert(adJoined.end(), adPiece.begin(), adPiece.end());
    }
    EXPECT_EQ(adJoined, adWhole);

    // The other channel keeps its own phase (and its own noise).
    CSignalGenerator fresh;
    ASSERT_TRUE(pieces.SetChannelSignal(1, signal));
    ASSERT_TRUE(fresh.SetChannelSignal(1, signal));
    const std::vector<double> adOther = Block(pieces, 1, 100);
    EXPECT_EQ(adOther, Block(fresh, 1, 100));
    EXPECT_NE(adOther, std::vector<double>(adWhole.begin(), adWhole.begin() + 100));

    pieces.Reset();
    EXPECT_EQ(Block(pieces, 0, 1000), adWhole);
}

TEST(SimGenerator, SamplesAreRoundedAndSaturatedAt24Bits)
{
    CSignalGenerator generator;
    ASSERT_TRUE(generator.SetChannelSignal(0, Tone(1000.0, 6.0)));
    const std::vector<double> adSamples = Block(generator, 0, 480);
    EXPECT_EQ(*std::max_element(adSamples.begin(), adSamples.end()), SReferences::kFullScaleHex);
    EXPECT_EQ(*std::min_element(adSamples.begin(), adSamples.end()), -SReferences::kFullScaleHex);
    for (double d : adSamples) EXPECT_EQ(d, std::round(d));
    // A quarter period in, +6 dBFS is far beyond full scale.
    EXPECT_EQ(adSamples[12], SReferences::kFullScaleHex);
}

TEST(SimGenerator, BadRequestsAreRefusedAndChangeNothing)
{
    CLogCapture log;
    CSignalGenerator generator;
    double dSample = 42.0;
    SChannelSignal badHarmonic = Tone(1000.0, -20.0);
    badHarmonic.aHarmonics = {{1, -10.0}};
    SChannelSignal badSecond = Tone(1000.0, -20.0);
    badSecond.bSecondTone = true;
    badSecond.dSecondFrequency = -5.0;

    EXPECT_FALSE(generator.SetChannelSignal(0, Tone(0.0, -20.0)) || generator.SetChannelSignal(0, Tone(NAN, -20.0)));
    EXPECT_FALSE(generator.SetChannelSignal(0, badHarmonic) || generator.SetChannelSignal(0, badSecond));
    EXPECT_FALSE(generator.SetChannelSignal(2, Tone(1000.0, -20.0)) || generator.Generate(-1, &dSample, 1));
    EXPECT_FALSE(generator.Generate(0, nullptr, 1) || generator.Generate(0, &dSample, -1));
    EXPECT_FALSE(generator.SetSampleRate(0.0));
    EXPECT_EQ(generator.GetChannelSignal(5), nullptr);
    EXPECT_EQ(log.Asserts(), 10);

    EXPECT_EQ(std::make_tuple(dSample, generator.GetSampleRate()), std::make_tuple(42.0, 48000.0));
    EXPECT_EQ(generator.GetChannelSignal(0)->dFrequency, 1000.0);
    EXPECT_TRUE(generator.GetChannelSignal(0)->aHarmonics.empty());
}
