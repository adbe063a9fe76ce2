// Sample buffers: scaled, clamped copies; safe access; resizing; the int24, FFT-power and phase kinds.

#include "host/buffers/SampleBuffer.h"
#include "host/units/References.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

// Values 1, 2, 3, ... over the whole buffer.
void FillRamp(CSampleBuffer& buffer)
{
    for (int i = 0; i < buffer.GetMaxSize(); ++i) buffer.SetAt(i, i + 1.0);
}

} // namespace

TEST(SampleBufferCopy, CopiesScaledAndClampsAtTheEnd)
{
    struct SCase { int iFirst; int iCount; int iExpected; };
    const SCase aCases[] = {
        {0, 4, 4},  // all
        {1, 2, 2},  // inside
        {2, 10, 2}, // runs past the end: clamped
        {4, 1, 0},  // starts at the end
        {0, 0, 0},  // nothing asked
    };
    CDoublePrecisionBuffer buffer(4);
    FillRamp(buffer);
    for (const SCase& c : aCases) {
        std::vector<double> aDest(12, -7.0);
        CLogCapture log;
        EXPECT_EQ(buffer.GetDataAsDouble(aDest.data(), c.iFirst, c.iCount, 2.5), c.iExpected) << c.iFirst;
        EXPECT_EQ(log.Asserts(), 0);
        for (int i = 0; i < c.iExpected; ++i) EXPECT_DOUBLE_EQ(aDest[i], (c.iFirst + i + 1) * 2.5);
        EXPECT_EQ(aDest[c.iExpected], -7.0) << "wrote past the copied range";
    }
    // The count itself, at the edges.
    struct SCount { int iFirst, iCount, iSize, iExpected; };
    const SCount aCounts[] = {{0, 5, 5, 5}, {3, 5, 5, 2}, {5, 1, 5, 0}, {-1, 3, 5, 0}, {0, -3, 5, 0}, {0, 3, 0, 0}};
    for (const SCount& c : aCounts)
        EXPECT_EQ(ClampedCopyCount(c.iFirst, c.iCount, c.iSize), c.iExpected) << c.iFirst << "," << c.iCount;

    // Only the current size is copied, not the maximum.
    CQuorixSampleBuffer partial(8);
    partial.SetAt(0, 100.0);
    partial.SetAt(2, -300.0);
    double adDest[8] = {};
    EXPECT_EQ(std::make_tuple(partial.GetSize(), partial.GetDataAsDouble(adDest, 0, 8, 0.5)), std::make_tuple(3, 3));
    EXPECT_EQ(std::vector<double>(adDest, adDest + 3), (std::vector<double>{50.0, 0.0, -150.0}));
}

TEST(SampleBufferAccess, BadArgumentsAndOutOfRangeAreSafeAndReported)
{
    CDoublePrecisionBuffer buffer(3);
    FillRamp(buffer);
    double adDest[4] = {};
    CLogCapture log;
    EXPECT_EQ(buffer.GetDataAsDouble(nullptr, 0, 4, 1.0), 0);
    EXPECT_EQ(buffer.GetDataAsDouble(adDest, -1, 2, 1.0), 0);
    EXPECT_EQ(std::make_tuple(buffer.GetDataAsDouble(adDest, 0, -2, 1.0), buffer.GetAt(-1)), std::make_tuple(0, 0.0));
    EXPECT_EQ(buffer.GetAt(3), 0.0);
    EXPECT_FALSE(buffer.SetAt(3, 9.0) || buffer.SetAt(-5, 9.0));
    EXPECT_EQ(log.Asserts(), 7);
    EXPECT_EQ(std::make_tuple(buffer.GetSize(), buffer.GetAt(2)), std::make_tuple(3, 3.0));

    // Reads beyond the current size are refused too.
    CDoublePrecisionBuffer sparse(10);
    sparse.SetAt(1, 5.0);
    EXPECT_EQ(sparse.GetAt(5), 0.0);
    EXPECT_EQ(log.Asserts(), 8);
}

TEST(SampleBufferSize, ResizeKeepsSamplesAndClampsTheSize)
{
    CDoublePrecisionBuffer buffer(6);
    FillRamp(buffer);
    ASSERT_TRUE(buffer.Resize(4));
    EXPECT_EQ(std::make_tuple(buffer.GetMaxSize(), buffer.GetSize()), std::make_tuple(4, 4));
    EXPECT_EQ(buffer.GetAt(3), 4.0);
    ASSERT_TRUE(buffer.Resize(8));
    buffer.SetSize(8);
    EXPECT_EQ(std::make_tuple(buffer.GetAt(3), buffer.GetAt(7)), std::make_tuple(4.0, 0.0));

    CLogCapture log;
    EXPECT_FALSE(buffer.Resize(-1));
    buffer.SetSize(20);
    EXPECT_EQ(buffer.GetSize(), 8);
    EXPECT_EQ(log.Asserts(), 2);
}

TEST(SampleBufferTypes, EachKindKeepsItsOwnSamples)
{
    // 24-bit samples round and saturate.
    struct SCase { double dIn; double dOut; };
    const SCase aCases[] = {
        {0.4, 0.0}, {1.6, 2.0}, {-2.5, -2.0}, {SReferences::kFullScaleHex, SReferences::kFullScaleHex}, {9e6, SReferences::kFullScaleHex},
        {-1e12, -SReferences::kFullScaleHex}, {std::numeric_limits<double>::quiet_NaN(), 0.0},
    };
    CQuorixSampleBuffer int24(1);
    for (const SCase& c : aCases) {
        int24.SetAt(0, c.dIn);
        EXPECT_EQ(int24.GetAt(0), c.dOut) << c.dIn;
    }

    // FFT powers are never negative.
    CFFTBuffer powers(2);
    CLogCapture log;
    powers.SetAt(0, -1.0);
    powers.SetAt(1, 0.25);
    EXPECT_EQ(log.Asserts(), 1);
    EXPECT_EQ(std::make_tuple(powers.GetAt(0), powers.GetAt(1)), std::make_tuple(0.0, 0.25));
}
