#include "apps/common/LiveSource.h"

#include "host/app/HeadlessHost.h"
#include "host/settings/DeviceManager.h"
#include "host/settings/MeasurementSettings.h"
#include "trace/document/GraphDoc.h"

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

} // namespace

CLiveSource::CLiveSource(CHeadlessHost& host, CGraphDoc& doc) : m_Doc(doc)
{
    m_Generator.SetChannelSignal(0, ChannelASignal());
    m_Generator.SetChannelSignal(1, ChannelBSignal());
    m_pEngine = std::make_unique<CMeasurementEngine>(m_Generator,
                                                     *host.GetSettingsService()->GetSharedMeasurementData(),
                                                     EngineConfigFromSettings(),
                                                     CDeviceManager::GetInstance()->GetCurrentDevice());
}

// The engine's thread must end before the generator it reads goes.
CLiveSource::~CLiveSource() { m_pEngine->Stop(); }

bool CLiveSource::RunBlocks(int iBlocks)
{
    for (int i = 0; i < iBlocks; ++i) {
        if (!m_pEngine->RunBlock()) return false;
        Deliver();
    }
    return true;
}

void CLiveSource::Deliver() { m_Doc.NewMathThreadData(CHANNEL_BOTH, 0); }
