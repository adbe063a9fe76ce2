#include "host/buffers/SampleBuffer.h"
#include "LogCapture.h"

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
        {9, 3, 0},  // starts beyond
        {0, 0, 0},  // nothing asked
    };
    CDoublePrecisionBuffer buffer(4);
    FillRamp(buffer);
    for (const SCase& c : aCases) {
        std::vector<double> aDest(12, -7.0);
        CAssertCounter asserts;
        EXPECT_EQ(buffer.GetDataAsDouble(aDest.data(), c.iFirst, c.iCount, 2.5), c.iExpected) << c.iFirst;
        EXPECT_EQ(asserts.Count(), 0);
        for (int i = 0; i < c.iExpected; ++i) EXPECT_DOUBLE_EQ(aDest[i], (c.iFirst + i + 1) * 2.5);
        EXPECT_EQ(aDest[c.iExpected], -7.0) << "wrote past the copied range";
    }
}

TEST(SampleBufferCopy, CopiesOnlyTheCurrentSizeNotTheMaximum)
{
    CQuorixSampleBuffer buffer(8);
    buffer.SetAt(0, 100.0);
    buffer.SetAt(2, -300.0);
    double adDest[8] = {};
    EXPECT_EQ(buffer.GetSize(), 3);
    EXPECT_EQ(buffer.GetDataAsDouble(adDest, 0, 8, 0.5), 3);
    EXPECT_DOUBLE_EQ(adDest[0], 50.0);
    EXPECT_DOUBLE_EQ(adDest[1], 0.0);
    EXPECT_DOUBLE_EQ(adDest[2], -150.0);
}

TEST(SampleBufferCopy, BadArgumentsCopyNothingAndAssert)
{
    CDoublePrecisionBuffer buffer(4);
    FillRamp(buffer);
    double adDest[4] = {};
    CAssertCounter asserts;
    EXPECT_EQ(buffer.GetDataAsDouble(nullptr, 0, 4, 1.0), 0);
    EXPECT_EQ(buffer.GetDataAsDouble(adDest, -1, 2, 1.0), 0);
    EXPECT_EQ(buffer.GetDataAsDouble(adDest, 0, -2, 1.0), 0);
    EXPECT_EQ(asserts.Count(), 3);
}

TEST(SampleBufferAccess, OutOfRangeIsSafeAndReported)
{
    CDoublePrecisionBuffer buffer(3);
    FillRamp(buffer);
    CAssertCounter asserts;
    EXPECT_EQ(buffer.GetAt(-1), 0.0);
    EXPECT_EQ(buffer.GetAt(3), 0.0);
    EXPECT_FALSE(buffer.SetAt(3, 9.0));
    EXPECT_FALSE(buffer.SetAt(-5, 9.0));
    EXPECT_EQ(asserts.Count(), 4);
    EXPECT_EQ(buffer.GetSize(), 3);
    EXPECT_EQ(buffer.GetAt(2), 3.0);
}

TEST(SampleBufferAccess, ReadsBeyondTheCurrentSizeAreRefused)
{
    CDoublePrecisionBuffer buffer(10);
    buffer.SetAt(1, 5.0);
    CAssertCounter asserts;
    EXPECT_EQ(buffer.GetAt(5), 0.0);
    EXPECT_EQ(asserts.Count(), 1);
}

TEST(SampleBufferSize, ResizeKeepsSamplesAndClampsTheSize)
{
    CDoublePrecisionBuffer buffer(6);
    FillRamp(buffer);
    ASSERT_TRUE(buffer.Resize(4));
    EXPECT_EQ(buffer.GetMaxSize(), 4);
    EXPECT_EQ(buffer.GetSize(), 4);
    EXPECT_EQ(buffer.GetAt(3), 4.0);
    ASSERT_TRUE(buffer.Resize(8));
    buffer.SetSize(8);
    EXPECT_EQ(buffer.GetAt(3), 4.0);
    EXPECT_EQ(buffer.GetAt(7), 0.0);

    CAssertCounter asserts;
    EXPECT_FALSE(buffer.Resize(-1));
    buffer.SetSize(20);
    EXPECT_EQ(buffer.GetSize(), 8);
    EXPECT_EQ(asserts.Count(), 2);
}

TEST(SampleBufferTypes, EachKindReportsItsSampleType)
{
    EXPECT_EQ(CDoublePrecisionBuffer(1).GetSampleType(), SAMPLETYPE_DOUBLE);
    EXPECT_EQ(CFFTBuffer(1).GetSampleType(), SAMPLETYPE_FFTPOWER);
    EXPECT_EQ(CPhaseBuffer(1).GetSampleType(), SAMPLETYPE_PHASE);
    EXPECT_EQ(CQuorixSampleBuffer(1).GetSampleType(), SAMPLETYPE_INT24);
}

TEST(SampleBufferTypes, Int24SamplesRoundAndSaturate)
{
    struct SCase { double dIn; double dOut; };
    const SCase aCases[] = {
        {0.4, 0.0}, {1.6, 2.0}, {-2.5, -2.0}, {8388607.0, 8388607.0}, {9e6, 8388607.0},
        {-1e12, -8388607.0}, {std::numeric_limits<double>::quiet_NaN(), 0.0},
    };
    CQuorixSampleBuffer buffer(1);
    for (const SCase& c : aCases) {
        buffer.SetAt(0, c.dIn);
        EXPECT_EQ(buffer.GetAt(0), c.dOut) << c.dIn;
    }
}

TEST(SampleBufferTypes, FFTPowersAreNeverNegative)
{
    CFFTBuffer buffer(2);
    CAssertCounter asserts;
    buffer.SetAt(0, -1.0);
    buffer.SetAt(1, 0.25);
    EXPECT_EQ(asserts.Count(), 1);
    EXPECT_EQ(buffer.GetAt(0), 0.0);
    EXPECT_EQ(buffer.GetAt(1), 0.25);
}

TEST(SampleBufferCopy, ClampedCopyCountTable)
{
    struct SCase { int iFirst, iCount, iSize, iExpected; };
    const SCase aCases[] = {
        {0, 5, 5, 5}, {3, 5, 5, 2}, {5, 1, 5, 0}, {-1, 3, 5, 0}, {0, -3, 5, 0}, {0, 3, 0, 0},
    };
    for (const SCase& c : aCases)
        EXPECT_EQ(ClampedCopyCount(c.iFirst, c.iCount, c.iSize), c.iExpected) << c.iFirst << "," << c.iCount;
}
