// Shared measurement data under its locks and the sweep manager's result slots.

#include "host/settings/DeviceManager.h"
#include "host/settings/SharedMeasurementData.h"
#include "host/settings/SweepManager.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(SettingsSharedData, ReaderNeverSeesAHalfWrittenBlock)
{
    CSharedMeasurementData data(256);
    std::unique_ptr<CDevice> pDevice = std::make_unique<CDevice>(CString(L"test"));
    constexpr int kBlocks = 2000;
    std::atomic<bool> bDone{false};
    int iTorn = 0;
    int iReads = 0;

    std::thread writer([&] {
        for (int k = 1; k <= kBlocks; ++k) {
            CSharedDataAccess access(data, pDevice.get());
            CDoublePrecisionBuffer* pBuffer = data.GetSampleBuffer(0);
            for (int i = 0; i < pBuffer->GetMaxSize(); ++i) pBuffer->SetAt(i, k);
            data.GetChannelInfo(0)->bNewData = true;
        }
        bDone = true;
    });
    std::vector<double> aCopy(256);
    while (!bDone || iReads == 0) {
        CSharedDataAccess access(data, pDevice.get());
        const int iCopied = data.GetSampleBuffer(0)->GetDataAsDouble(aCopy.data(), 0, 256, 1.0);
        for (int i = 1; i < iCopied; ++i)
            if (aCopy[i] != aCopy[0]) ++iTorn;
        ++iReads;
    }
    writer.join();
    EXPECT_EQ(iTorn, 0);
    EXPECT_EQ(data.GetSampleBuffer(0)->GetAt(255), double(kBlocks));
}

TEST(SettingsSharedData, AccessHoldsBothLocksUntilItEnds)
{
    CSharedMeasurementData data(16);
    CDevice device(CString(L"test"));
    auto otherThreadCanTake = [](CCriticalSection& lock) {
        bool bTaken = false;
        std::thread([&] {
            bTaken = lock.TryLock();
            if (bTaken) lock.Unlock();
        }).join();
        return bTaken;
    };
    {
        CSharedDataAccess access(data, &device);
        EXPECT_FALSE(otherThreadCanTake(data.GetLock()) || otherThreadCanTake(device.GetLock()));
        // The holder may re-enter (both locks are recursive).
        CSharedDataAccess again(data, &device);
    }
    EXPECT_TRUE(otherThreadCanTake(data.GetLock()) && otherThreadCanTake(device.GetLock()));
    // No instrument: only the shared-data lock.
    CSharedDataAccess access(data, nullptr);
    EXPECT_FALSE(otherThreadCanTake(data.GetLock()));
}

TEST(SettingsSharedData, RebuildResizesEveryBufferAndClearsTheValidFlags)
{
    CSharedMeasurementData data(1024);
    EXPECT_EQ(data.GetSampleBuffer(1)->GetMaxSize(), 1024);
    EXPECT_EQ(data.GetFFTBuffer(1)->GetMaxSize(), 512);
    data.GetChannelInfo(1)->bNewFFTDataValid = true;
    ASSERT_TRUE(data.Rebuild(4096));
    EXPECT_EQ(std::make_tuple(data.GetFFTSize(), data.GetCTSampleBuffer(1)->GetMaxSize()), std::make_tuple(4096, 4096));
    EXPECT_EQ(data.GetCTFFTBuffer(0)->GetMaxSize(), 2048);
    EXPECT_EQ(data.GetPhaseBuffer(0)->GetMaxSize(), 2048);
    EXPECT_FALSE(data.IsNewFFTDataValid(1) || data.IsBeingRebuilt());

    CLogCapture log;
    EXPECT_FALSE(data.Rebuild(1));
    EXPECT_EQ(std::make_tuple(data.GetSampleBuffer(2), data.GetChannelInfo(-1)), std::make_tuple(nullptr, nullptr));
    EXPECT_EQ(log.Asserts(), 3);
}

TEST(SweepManagerSlots, LimitLinesGoOnlyToTheMatchingResult)
{
    CSweepManager sweep;
    EXPECT_FALSE(sweep.IsSweepRunning());
    auto* pLimit = reinterpret_cast<CLimitLine*>(0x1000);
    sweep.GetResultSlot(2)->iResultID = 3208;
    EXPECT_FALSE(sweep.SetLimitLine(2, 3210, true, pLimit));
    EXPECT_TRUE(sweep.SetLimitLine(2, 3208, true, pLimit) && sweep.SetLimitLine(2, 3208, false, pLimit));
    EXPECT_EQ(sweep.GetResultSlot(2)->pMaxLimit, pLimit);
    EXPECT_EQ(sweep.ClearLimitLine(pLimit), 2);
    EXPECT_EQ(sweep.GetResultSlot(2)->pMinLimit, nullptr);
    EXPECT_EQ(sweep.ClearLimitLine(nullptr), 0);

    CLogCapture log;
    EXPECT_EQ(std::make_tuple(sweep.GetResultSlot(4), sweep.GetAxisRecord(-1)), std::make_tuple(nullptr, nullptr));
    EXPECT_FALSE(sweep.SetLimitLine(7, 3208, true, pLimit));
    EXPECT_EQ(log.Asserts(), 3);
}
