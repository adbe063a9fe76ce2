#include "apps/common/LiveSource.h"

#include "apps/common/SweepSource.h"
#include "host/app/HeadlessHost.h"
#include "host/settings/DeviceManager.h"
#include "host/settings/MeasurementSettings.h"
#include "host/sim/Multitone.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/FFTResponseTrace.h"

namespace {

SChannelSignal ChannelASignal()
{
    SChannelSignal signal;
    signal.dFrequency = 1000.0;
    signal.dLeveldBFS = -6.0;
    signal.aHarmonics = {{2, -50.0}, {3, -40.0}};
    return signal;
}

SChannelSignal ChannelBSignal()
{
    SChannelSignal signal;
    signal.dFrequency = 440.0;
    signal.dLeveldBFS = -12.0;
    signal.dNoisedBFS = -70.0;
    return signal;
}

// The response window: a log axis from just below the lowest tone, -50 .. +10 dBFS.
void ShowResponse(CGraphDoc& doc, CFFTResponseTrace& response)
{
    response.SetLogX(1);
    response.SetCurrentMinXScaleValue(15.0);
    response.CalcXTicks();
    response.ZoomY(0, response.GetYDataForValue(-50.0, UNIT_DBFS, 0), response.GetYDataForValue(10.0, UNIT_DBFS, 0), 0);
    doc.SetCurrentTrace(&response, 0);
}

} // namespace

CLiveSource::CLiveSource(CHeadlessHost& host, CGraphDoc& doc, ELiveSignal eSignal) : m_Doc(doc)
{
    m_Generator.SetChannelSignal(0, ChannelASignal());
    m_Generator.SetChannelSignal(1, ChannelBSignal());
    // The analyser knows each channel's tone: harmonics are marked from it.
    doc.SetFundamental(CHANNEL_A, ChannelASignal().dFrequency);
    doc.SetFundamental(CHANNEL_B, ChannelBSignal().dFrequency);
    m_pEngine = std::make_unique<CMeasurementEngine>(m_Generator,
                                                     *host.GetSettingsService()->GetSharedMeasurementData(),
                                                     EngineConfigFromSettings(),
                                                     CDeviceManager::GetInstance()->GetCurrentDevice());
    if (eSignal == ELiveSignal::Multitone) StartMultitone();
}

// The engine's thread must end before the generator it reads goes.
CLiveSource::~CLiveSource() { m_pEngine->Stop(); }

void CLiveSource::StartMultitone()
{
    const SEngineConfig config = m_pEngine->GetConfig();
    const std::vector<int> aiBins = ThirdOctaveToneBins(config.dSampleRate, config.iFFTLength);
    const SDeviceParams device = DemoDevice();
    ResponseDetails details;
    details.iYUnit = UNIT_DBFS; // the frequency response: levels at the tones, absolute
    details.sIncludeType = 1;
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        m_pEngine->SetChannelSignal(eChannel, MultitoneSignal(aiBins, config.dSampleRate, config.iFFTLength,
                                                              kMultitoneLeveldBFS));
        m_pEngine->SetDeviceUnderTest(eChannel, &device);
        // The response replaces the running measurement's traces in the view.
        for (TraceType eType : {TT_SCOPE, TT_FFT})
            if (CQXTrace* pOld = m_Doc.GetTraceFromArray(eChannel, eType, 0, 1); pOld && pOld->IsOn())
                m_Doc.TraceOff(pOld, 0);
        auto* pResponse = static_cast<CFFTResponseTrace*>(m_Doc.CreateResponseTrace(eChannel, details, 0));
        if (!pResponse) continue;
        pResponse->SetToneBins(static_cast<int>(aiBins.size()), aiBins.data(), aiBins.data());
        ShowResponse(m_Doc, *pResponse);
        m_apResponses[eChannel] = pResponse;
    }
}

CFFTResponseTrace* CLiveSource::GetResponseTrace(ChannelNumber eChannel) const
{
    return IsSingleChannel(eChannel) ? m_apResponses[eChannel] : nullptr;
}

void CLiveSource::SetDeviceGain(double dGaindB)
{
    SDeviceParams device = DemoDevice();
    device.dGaindB = dGaindB;
    for (int iChannel : {0, 1}) m_pEngine->SetDeviceUnderTest(iChannel, &device);
}

bool CLiveSource::RunBlocks(int iBlocks)
{
    for (int i = 0; i < iBlocks; ++i) {
        if (!m_pEngine->RunBlock()) return false;
        Deliver();
    }
    return true;
}

void CLiveSource::Deliver() { m_Doc.NewMathThreadData(CHANNEL_BOTH, 0); }
