#include "host/sim/SteppedSweep.h"

#include "host/app/DebugLog.h"
#include "host/units/References.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace {

bool IsUsablePlan(const SSweepPlan& plan)
{
    const double dNyquist = plan.dSampleRate / 2.0;
    return plan.iSteps >= 2 && plan.iSteps <= CSteppedSweep::kMaxSteps && plan.dSampleRate > 0.0 &&
           plan.dStartHz > 0.0 && plan.dStopHz > 0.0 && plan.dStartHz < dNyquist && plan.dStopHz < dNyquist &&
           plan.dSettleSeconds >= 0.0 && plan.dMeasureSeconds > 0.0 && std::isfinite(plan.dLeveldBFS);
}

// Solves the 3 x 3 system a x = b by Cramer's rule; false when singular.
bool Solve3(const double a[3][3], const double b[3], double x[3])
{
    const auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double d = det(a);
    if (d == 0.0 || !std::isfinite(d)) return false;
    for (int c = 0; c < 3; ++c) {
        double m[3][3];
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < 3; ++k) m[r][k] = k == c ? b[r] : a[r][k];
        x[c] = det(m) / d;
    }
    return true;
}

} // namespace

double MeasureTHDN(const double* pdSamples, int iCount, double dFrequencyHz, double dSampleRate, double* pdRms)
{
    if (pdRms) *pdRms = 0.0;
    if (!pdSamples || iCount < 3 || dSampleRate <= 0.0) return 0.0;
    // Normal equations of y ~ p sin + q cos + r.
    double a[3][3] = {};
    double b[3] = {};
    double dSquares = 0.0;
    const double w = 2.0 * std::numbers::pi * dFrequencyHz / dSampleRate;
    for (int i = 0; i < iCount; ++i) {
        const double basis[3] = {std::sin(w * i), std::cos(w * i), 1.0};
        for (int r = 0; r < 3; ++r) {
            b[r] += basis[r] * pdSamples[i];
            for (int c = 0; c < 3; ++c) a[r][c] += basis[r] * basis[c];
        }
        dSquares += pdSamples[i] * pdSamples[i];
    }
    const double dRms = std::sqrt(dSquares / iCount);
    if (pdRms) *pdRms = dRms;
    double x[3] = {};
    if (dRms == 0.0 || !Solve3(a, b, x)) return 0.0;
    double dResidual = 0.0;
    for (int i = 0; i < iCount; ++i) {
        const double e = pdSamples[i] - (x[0] * std::sin(w * i) + x[1] * std::cos(w * i) + x[2]);
        dResidual += e * e;
    }
    return std::sqrt(dResidual / iCount) / dRms;
}

CSteppedSweep::CSteppedSweep(const SSweepPlan& plan, const SDeviceParams& device)
    : m_Plan(QXVERIFY(IsUsablePlan(plan)) ? plan : SSweepPlan()),
      m_adFrequencies(StepFrequencies(m_Plan)),
      m_Generator(m_Plan.dSampleRate),
      m_aDevices{CDeviceUnderTest(device, m_Plan.dSampleRate), CDeviceUnderTest(device, m_Plan.dSampleRate)}
{
}

CSteppedSweep::~CSteppedSweep() { Stop(); }

std::vector<double> CSteppedSweep::StepFrequencies(const SSweepPlan& plan)
{
    std::vector<double> ad;
    if (plan.iSteps < 2 || plan.dStartHz <= 0.0 || plan.dStopHz <= 0.0) return ad;
    const double dRatio = std::log(plan.dStopHz / plan.dStartHz) / (plan.iSteps - 1);
    for (int i = 0; i < plan.iSteps; ++i) ad.push_back(plan.dStartHz * std::exp(dRatio * i));
    ad.back() = plan.dStopHz;
    return ad;
}

SSweepReading CSteppedSweep::MeasureStep(int iStep)
{
    SSweepReading reading;
    if (!QXVERIFY(iStep >= 0 && iStep < static_cast<int>(m_adFrequencies.size()))) return reading;
    const double f = m_adFrequencies[static_cast<size_t>(iStep)];
    reading.iStep = iStep;
    reading.dFrequencyHz = f;
    const int iSettle = static_cast<int>(std::lround(m_Plan.dSettleSeconds * m_Plan.dSampleRate));
    const int iMeasure = static_cast<int>(
        std::lround(std::max(m_Plan.dMeasureSeconds, kMinCycles / f) * m_Plan.dSampleRate));
    m_adSamples.resize(static_cast<size_t>(iSettle + iMeasure));
    SChannelSignal signal;
    signal.dFrequency = f;
    signal.dLeveldBFS = m_Plan.dLeveldBFS;
    signal.dNoisedBFS = m_Plan.dNoisedBFS;
    for (int iChannel = 0; iChannel < 2; ++iChannel) {
        m_Generator.SetChannelSignal(iChannel, signal);
        m_Generator.Generate(iChannel, m_adSamples.data(), static_cast<int>(m_adSamples.size()));
        m_aDevices[iChannel].Process(m_adSamples.data(), m_adSamples.data(), static_cast<int>(m_adSamples.size()));
        // The converter after the device delivers whole 24-bit values.
        for (double& d : m_adSamples) d = std::clamp(std::round(d), -SReferences::kFullScaleHex, SReferences::kFullScaleHex);
        reading.adTHDN[iChannel] = MeasureTHDN(m_adSamples.data() + iSettle, iMeasure, f, m_Plan.dSampleRate,
                                               &reading.adLevel[iChannel]);
    }
    return reading;
}

std::vector<SSweepReading> CSteppedSweep::RunAll()
{
    std::vector<SSweepReading> aReadings;
    for (int i = 0; i < static_cast<int>(m_adFrequencies.size()); ++i) aReadings.push_back(MeasureStep(i));
    return aReadings;
}

bool CSteppedSweep::Start(ReadingCallback onReading, DoneCallback onDone)
{
    if (m_bRunning.exchange(true)) return false;
    if (m_Thread.joinable()) m_Thread.join();
    {
        std::lock_guard<std::mutex> lock(m_StopMutex);
        m_bStopRequested = false;
    }
    m_Thread = std::thread(&CSteppedSweep::ThreadMain, this, std::move(onReading), std::move(onDone));
    return true;
}

void CSteppedSweep::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_StopMutex);
        m_bStopRequested = true;
    }
    m_StopSignal.notify_all();
    if (m_Thread.joinable() && m_Thread.get_id() != std::this_thread::get_id()) m_Thread.join();
}

void CSteppedSweep::ThreadMain(ReadingCallback onReading, DoneCallback onDone)
{
    using Clock = std::chrono::steady_clock;
    auto next = Clock::now();
    bool bStopped = false;
    for (int i = 0; i < static_cast<int>(m_adFrequencies.size()) && !bStopped; ++i) {
        const double f = m_adFrequencies[static_cast<size_t>(i)];
        // A real instrument needs the settling and measuring time of the step.
        const double dSeconds = m_Plan.dSettleSeconds + std::max(m_Plan.dMeasureSeconds, kMinCycles / f);
        next += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(dSeconds));
        const SSweepReading reading = MeasureStep(i);
        std::unique_lock<std::mutex> lock(m_StopMutex);
        bStopped = m_StopSignal.wait_until(lock, next, [this] { return m_bStopRequested; });
        lock.unlock();
        if (!bStopped && onReading) onReading(reading);
    }
    if (!bStopped && onDone) onDone();
    m_bRunning = false;
}
