#pragma once
// The simulated analyser's stepped-frequency sweep: the generator steps a
// sine through log-spaced frequencies; at each step both channels pass
// through their own copy of the device under test, the analyser waits for
// the device to settle and then measures the level (RMS) and THD+N of what
// comes out, from the samples themselves.
//
// THD+N is the RMS of what is left once the best-fitting sine at the step
// frequency (with any DC) is taken away, against the RMS of the whole
// reading, as a notch analyser measures it.
//
// Steps run on the calling thread (MeasureStep, RunAll) or on the sweep's
// own thread at the pace of a real instrument (Start), which waits the
// settling and measuring time of each step before the next.

#include "host/sim/DeviceUnderTest.h"
#include "host/sim/SignalGenerator.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct SSweepPlan {
    double dStartHz = 20.0;
    double dStopHz = 20000.0;
    int iSteps = 31;
    double dLeveldBFS = -10.0;
    double dNoisedBFS = -110.0;
    double dSampleRate = 48000.0;
    double dSettleSeconds = 0.02;
    // At least this long and at least kMinCycles periods of the step frequency.
    double dMeasureSeconds = 0.05;
};

struct SSweepReading {
    int iStep = 0;
    double dFrequencyHz = 0.0;
    // RMS in sample units (5931640 is a full-scale sine) and THD+N as a ratio, per channel.
    double adLevel[2] = {0.0, 0.0};
    double adTHDN[2] = {0.0, 0.0};
};

class CSteppedSweep {
public:
    using ReadingCallback = std::function<void(const SSweepReading&)>;
    using DoneCallback = std::function<void()>;

    static constexpr int kMinCycles = 4;
    static constexpr int kMaxSteps = 1000;

    // A plan with fewer than 2 or more than kMaxSteps steps, or frequencies
    // outside (0, fs/2), asserts and is replaced by the default plan.
    CSteppedSweep(const SSweepPlan& plan, const SDeviceParams& device);
    ~CSteppedSweep();
    CSteppedSweep(const CSteppedSweep&) = delete;
    CSteppedSweep& operator=(const CSteppedSweep&) = delete;

    const SSweepPlan& GetPlan() const { return m_Plan; }
    // The step frequencies, log-spaced from start to stop.
    static std::vector<double> StepFrequencies(const SSweepPlan& plan);

    // Generates, passes through the device and measures one step.
    SSweepReading MeasureStep(int iStep);
    // Every step in order on the calling thread.
    std::vector<SSweepReading> RunAll();

    // Every step on the sweep's thread, paced; onReading after each step and
    // onDone after the last, both on that thread. False while running.
    bool Start(ReadingCallback onReading, DoneCallback onDone);
    // Asks the thread to stop and waits for it (from a callback it only asks).
    void Stop();
    bool IsRunning() const { return m_bRunning.load(); }

private:
    void ThreadMain(ReadingCallback onReading, DoneCallback onDone);

    SSweepPlan m_Plan;
    std::vector<double> m_adFrequencies;
    CSignalGenerator m_Generator;
    CDeviceUnderTest m_aDevices[2];
    std::vector<double> m_adSamples;

    std::thread m_Thread;
    std::mutex m_StopMutex;
    std::condition_variable m_StopSignal;
    bool m_bStopRequested = false;
    std::atomic<bool> m_bRunning{false};
};

// THD+N of a reading of a sine at dFrequencyHz: the residual after a least-
// squares fit of a sine, a cosine and DC, against the whole; *pdRms gets the
// RMS of the reading. 0 for fewer than 3 samples or a silent reading.
double MeasureTHDN(const double* pdSamples, int iCount, double dFrequencyHz, double dSampleRate, double* pdRms);
