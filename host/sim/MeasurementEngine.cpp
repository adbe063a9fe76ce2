#include "host/sim/MeasurementEngine.h"

#include "host/app/DebugLog.h"
#include "host/numeric/RealFFT.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SharedMeasurementData.h"
#include "host/sim/SignalGenerator.h"
#include "host/sim/StaticSignals.h"
#include "host/units/UnitMath.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

bool IsKnownWindow(int iWindow) { return iWindow >= WINDOW_RECTANGULAR && iWindow <= WINDOW_FLATTOP; }

bool IsValidConfig(const SEngineConfig& config)
{
    return std::isfinite(config.dSampleRate) && config.dSampleRate > 0.0 && config.iFFTLength >= 2 &&
           config.iFFTLength <= CMeasurementEngine::kMaxFFTLength && IsPowerOfTwo(config.iFFTLength) &&
           IsKnownWindow(config.eWindow);
}

size_t CTWindowLength(double dSampleRate)
{
    return static_cast<size_t>(std::max(1.0, std::round(dSampleRate * CMeasurementEngine::kCTWindowSeconds)));
}

void WriteBuffer(CSampleBuffer& buffer, const std::vector<double>& adValues, double dFactor, int iChannel,
                 double dSampleRate)
{
    const int iCount = std::min(static_cast<int>(adValues.size()), buffer.GetMaxSize());
    for (int i = 0; i < iCount; ++i) buffer.SetAt(i, adValues[static_cast<size_t>(i)] * dFactor);
    buffer.SetSize(iCount);
    buffer.SetSampleRate(dSampleRate);
    buffer.SetChannel(iChannel);
    buffer.SetSourceKind(SOURCE_ANALOGUE);
}

} // namespace

SEngineConfig EngineConfigFromSettings()
{
    SEngineConfig config;
    CMeasurementSettings* pSettings = GetInstalledMeasurementSettings();
    if (!pSettings) return config;
    if (const CAnalyserSettings* pAnalyser = pSettings->GetAnalyserSettings()) {
        const double dRate = pAnalyser->GetAnalyserSampleRate();
        if (std::isfinite(dRate) && dRate > 0.0) config.dSampleRate = dRate;
    }
    if (const CFFTParametersSettings* pFFT = pSettings->GetFFTParametersSettings()) {
        const int iLength = pFFT->GetFFTLength();
        if (iLength >= 2 && iLength <= CMeasurementEngine::kMaxFFTLength && IsPowerOfTwo(iLength))
            config.iFFTLength = iLength;
        if (IsKnownWindow(pFFT->GetWindowType())) config.eWindow = static_cast<WINDOWFUNCTION>(pFFT->GetWindowType());
    }
    return config;
}

CMeasurementEngine::CMeasurementEngine(CSignalGenerator& generator, CSharedMeasurementData& data,
                                       const SEngineConfig& config, CDevice* pDevice)
    : m_Generator(generator), m_Data(data), m_pDevice(pDevice)
{
    if (!SetConfig(config)) SetConfig(SEngineConfig());
}

CMeasurementEngine::~CMeasurementEngine()
{
    Stop();
    // Stop only asks when called from the callback; the thread ends by itself then.
    if (m_Thread.joinable()) m_Thread.join();
}

bool CMeasurementEngine::SetConfig(const SEngineConfig& config)
{
    if (!QXVERIFY(IsValidConfig(config))) return false;
    std::lock_guard<std::mutex> lock(m_ConfigMutex);
    m_Config = config;
    m_bConfigDirty = true;
    return true;
}

SEngineConfig CMeasurementEngine::GetConfig() const
{
    std::lock_guard<std::mutex> lock(m_ConfigMutex);
    return m_Config;
}

bool CMeasurementEngine::SetChannelSignal(int iChannel, const SChannelSignal& signal)
{
    std::lock_guard<std::mutex> lock(m_RunMutex);
    return m_Generator.SetChannelSignal(iChannel, signal);
}

bool CMeasurementEngine::SetDeviceUnderTest(int iChannel, const SDeviceParams* pParams)
{
    if (!QXVERIFY(iChannel >= 0 && iChannel < 2)) return false;
    std::lock_guard<std::mutex> lock(m_RunMutex);
    const double dRate = GetConfig().dSampleRate;
    m_aChannels[iChannel].pDevice = pParams ? std::make_unique<CDeviceUnderTest>(*pParams, dRate) : nullptr;
    return true;
}

void CMeasurementEngine::SetPublishObserver(std::function<void()> observer)
{
    std::lock_guard<std::mutex> lock(m_RunMutex);
    m_PublishObserver = std::move(observer);
}

void CMeasurementEngine::ApplyConfig(const SEngineConfig& config)
{
    m_Applied = config;
    m_Generator.SetSampleRate(config.dSampleRate);
    const size_t n = static_cast<size_t>(config.iFFTLength);
    m_adWindow = MakeWindow(config.eWindow, config.iFFTLength);
    m_dWindowSum = 0.0;
    for (double w : m_adWindow) m_dWindowSum += w;
    m_aWork.assign(n, {});
    for (SChannelWork& work : m_aChannels) {
        work.adSamples.assign(n, 0.0);
        work.adPowers.assign(n / 2, 0.0);
        work.adEnvelope.assign(n, 0.0);
        work.adSquareHistory.assign(CTWindowLength(config.dSampleRate), 0.0);
        work.iHistoryPos = 0;
    }
}

// The same scaling as PowerSpectrum: a sine of peak A centred on bin k gives
// |X[k]| = A sum(w) / 2, so its mean square is 2 |X[k]|^2 / sum(w)^2; DC has
// no mirror image and takes half. A full complex transform of the real block
// is used because it works in place in the kept scratch space.
void CMeasurementEngine::ComputePowers(SChannelWork& work)
{
    const size_t n = work.adSamples.size();
    for (size_t i = 0; i < n; ++i) m_aWork[i] = {work.adSamples[i] * m_adWindow[i], 0.0};
    ComplexFFT(m_aWork);
    const double dScale =
        m_dWindowSum == 0.0 ? 0.0 : 2.0 / (m_dWindowSum * m_dWindowSum) / (kFullScaleSineHex * kFullScaleSineHex);
    for (size_t k = 0; k < work.adPowers.size(); ++k)
        work.adPowers[k] = std::norm(m_aWork[k]) * dScale * (k == 0 ? 0.5 : 1.0);
}

// Sliding RMS over the CT window, carried across blocks so that a steady
// signal gives a flat envelope from the first sample of every later block.
void CMeasurementEngine::ComputeEnvelope(SChannelWork& work) const
{
    std::vector<double>& adHistory = work.adSquareHistory;
    const double dLength = static_cast<double>(adHistory.size());
    // Summed afresh each block so that rounding cannot build up.
    double dSum = 0.0;
    for (double d : adHistory) dSum += d;
    for (size_t i = 0; i < work.adSamples.size(); ++i) {
        const double dSquare = work.adSamples[i] * work.adSamples[i];
        dSum += dSquare - adHistory[work.iHistoryPos];
        adHistory[work.iHistoryPos] = dSquare;
        work.iHistoryPos = (work.iHistoryPos + 1) % adHistory.size();
        work.adEnvelope[i] = std::sqrt(std::max(dSum, 0.0) / dLength) / kFullScaleHex;
    }
}

void CMeasurementEngine::Measure(int iChannel, SChannelWork& work)
{
    m_Generator.Generate(iChannel, work.adSamples.data(), static_cast<int>(work.adSamples.size()));
    if (work.pDevice) work.pDevice->Process(work.adSamples.data(), work.adSamples.data(), static_cast<int>(work.adSamples.size()));
    ComputePowers(work);
    ComputeEnvelope(work);
}

void CMeasurementEngine::Publish()
{
    CSharedDataAccess access(m_Data, m_pDevice);
    for (int iChannel = 0; iChannel < 2; ++iChannel) {
        const SChannelWork& work = m_aChannels[iChannel];
        const double dRate = m_Applied.dSampleRate;
        WriteBuffer(*m_Data.GetSampleBuffer(iChannel), work.adSamples, 1.0 / kFullScaleHex, iChannel, dRate);
        WriteBuffer(*m_Data.GetFFTBuffer(iChannel), work.adPowers, 1.0, iChannel, dRate);
        WriteBuffer(*m_Data.GetCTSampleBuffer(iChannel), work.adEnvelope, 1.0, iChannel, dRate);
        CSharedMeasurementData::SChannelInfo& info = *m_Data.GetChannelInfo(iChannel);
        info.dSampleRate = dRate;
        info.iDataSize = m_Applied.iFFTLength;
        info.eSourceKind = SOURCE_ANALOGUE;
        info.bNewFFTDataValid = true;
        info.bNewData = true;
    }
    if (m_PublishObserver) m_PublishObserver();
}

bool CMeasurementEngine::RunBlock()
{
    std::lock_guard<std::mutex> run(m_RunMutex);
    {
        std::lock_guard<std::mutex> lock(m_ConfigMutex);
        if (m_bConfigDirty) {
            ApplyConfig(m_Config);
            m_bConfigDirty = false;
        }
    }
    if (m_Data.GetFFTSize() != m_Applied.iFFTLength && !m_Data.Rebuild(m_Applied.iFFTLength)) return false;
    for (int iChannel = 0; iChannel < 2; ++iChannel) Measure(iChannel, m_aChannels[iChannel]);
    Publish();
    ++m_iBlockCount;
    return true;
}

bool CMeasurementEngine::Start(int iBlocksPerSecond, BlockCallback callback)
{
    if (!QXVERIFY(iBlocksPerSecond >= kMinBlocksPerSecond && iBlocksPerSecond <= kMaxBlocksPerSecond)) return false;
    if (m_bRunning.exchange(true)) return false;
    // A thread that was asked to stop from its own callback is collected here.
    if (m_Thread.joinable()) m_Thread.join();
    {
        std::lock_guard<std::mutex> lock(m_StopMutex);
        m_bStopRequested = false;
    }
    m_Thread = std::thread(&CMeasurementEngine::ThreadMain, this, iBlocksPerSecond, std::move(callback));
    return true;
}

void CMeasurementEngine::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_StopMutex);
        m_bStopRequested = true;
    }
    m_StopSignal.notify_all();
    if (m_Thread.joinable() && m_Thread.get_id() != std::this_thread::get_id()) m_Thread.join();
}

void CMeasurementEngine::ThreadMain(int iBlocksPerSecond, BlockCallback callback)
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / iBlocksPerSecond;
    auto next = Clock::now();
    std::unique_lock<std::mutex> lock(m_StopMutex);
    while (!m_bStopRequested) {
        lock.unlock();
        RunBlock();
        if (callback) callback();
        lock.lock();
        // Blocks keep a steady pace; after a stall the pace restarts rather
        // than catching up in a burst.
        next += period;
        const auto now = Clock::now();
        if (next + period < now) next = now;
        m_StopSignal.wait_until(lock, next, [this] { return m_bStopRequested; });
    }
    m_bRunning = false;
}
