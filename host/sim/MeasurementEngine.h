#pragma once
// The simulated analyser's measurement: block by block it takes samples
// from the signal generator, works out the scope, FFT and CT detector
// results and writes them into the shared measurement data under its lock,
// as a real instrument's measurement thread would.
//
// Buffer scales follow the shared data: scope and CT buffers in fractions
// of digital full scale, FFT buffers in powers against the full-scale sine,
// window-corrected so that a sine centred on a bin reads its mean square.
//
// The heavy work (generation, FFT, envelope) runs outside the lock; the
// lock is held only while the finished block is copied in. Scratch space
// is kept between blocks, so a steady measurement allocates nothing.

#include "host/settings/WindowFunction.h"
#include "host/sim/DeviceUnderTest.h"

#include <atomic>
#include <complex>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CDevice;
class CSharedMeasurementData;
class CSignalGenerator;
struct SChannelSignal;

struct SEngineConfig {
    double dSampleRate = 48000.0;
    int iFFTLength = 16384; // samples per block; the FFT gives half as many bins
    WINDOWFUNCTION eWindow = WINDOW_BLACKMANHARRIS4;
};

// The installed settings' sample rate, FFT length and window; the defaults
// above where no settings are installed or the window is not one we have.
SEngineConfig EngineConfigFromSettings();

class CMeasurementEngine {
public:
    using BlockCallback = std::function<void()>;

    static constexpr int kMinBlocksPerSecond = 1;
    static constexpr int kMaxBlocksPerSecond = 50;
    static constexpr int kMaxFFTLength = 1 << 20;
    // Length of the CT detector's sliding RMS.
    static constexpr double kCTWindowSeconds = 0.001;

    // The generator and the data must outlive the engine. pDevice, when
    // given, is locked after the shared data while a block is written.
    CMeasurementEngine(CSignalGenerator& generator, CSharedMeasurementData& data,
                       const SEngineConfig& config = EngineConfigFromSettings(), CDevice* pDevice = nullptr);
    ~CMeasurementEngine();
    CMeasurementEngine(const CMeasurementEngine&) = delete;
    CMeasurementEngine& operator=(const CMeasurementEngine&) = delete;

    // Takes effect from the next block. Refused (false, assert) for a
    // non-positive rate, a length that is not a power of two from 2 to
    // kMaxFFTLength, or an unknown window.
    bool SetConfig(const SEngineConfig& config);
    SEngineConfig GetConfig() const;

    // Changes a channel's signal between blocks; safe while running.
    bool SetChannelSignal(int iChannel, const SChannelSignal& signal);
    // Puts a device under test between a channel's generator and its
    // measurement (null takes it out); from the next block, safe while running.
    bool SetDeviceUnderTest(int iChannel, const SDeviceParams* pParams);

    // Measures one block of both channels and publishes it. False when the
    // shared data could not be resized.
    bool RunBlock();

    // Runs blocks on a measurement thread at a steady rate, calling
    // callback (on that thread, with no lock held) after each. False when
    // already running or for a rate outside the limits.
    bool Start(int iBlocksPerSecond, BlockCallback callback);
    // Stops the thread and waits for it; at most the block in progress is
    // finished. Called from the callback it only asks the thread to stop.
    void Stop();
    bool IsRunning() const { return m_bRunning.load(); }

    // Blocks published since construction.
    long long GetBlockCount() const { return m_iBlockCount.load(); }

    // Diagnostics: called with the shared-data lock held, after a block is
    // written and before the lock is released.
    void SetPublishObserver(std::function<void()> observer);

private:
    struct SChannelWork {
        std::vector<double> adSamples;                  // 24-bit sample values
        std::vector<double> adPowers;                   // FFT powers, full-scale sine = 1
        std::vector<double> adEnvelope;                 // CT sliding RMS, fraction of full scale
        std::vector<double> adSquareHistory;            // the CT window's last squares
        size_t iHistoryPos = 0;
        std::unique_ptr<CDeviceUnderTest> pDevice;      // between generator and measurement, if any
    };

    void ApplyConfig(const SEngineConfig& config);
    void Measure(int iChannel, SChannelWork& work);
    void ComputePowers(SChannelWork& work);
    void ComputeEnvelope(SChannelWork& work) const;
    void Publish();
    void ThreadMain(int iBlocksPerSecond, BlockCallback callback);

    CSignalGenerator& m_Generator;
    CSharedMeasurementData& m_Data;
    CDevice* m_pDevice;

    mutable std::mutex m_ConfigMutex;
    SEngineConfig m_Config;     // as last set
    SEngineConfig m_Applied;    // what the scratch space is sized for
    bool m_bConfigDirty = true;

    std::mutex m_RunMutex;      // one block at a time, generator changes between blocks
    std::vector<double> m_adWindow;
    double m_dWindowSum = 0.0;
    std::vector<std::complex<double>> m_aWork;
    SChannelWork m_aChannels[2];
    std::function<void()> m_PublishObserver;

    std::thread m_Thread;
    std::mutex m_StopMutex;
    std::condition_variable m_StopSignal;
    bool m_bStopRequested = false;
    std::atomic<bool> m_bRunning{false};
    std::atomic<long long> m_iBlockCount{0};
};
