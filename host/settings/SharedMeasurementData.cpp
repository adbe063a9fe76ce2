#include "host/settings/SharedMeasurementData.h"

#include "host/app/DebugLog.h"
#include "host/settings/DeviceManager.h"

namespace {

int BinsFor(int iFFTLength)
{
    return iFFTLength / 2;
}

} // namespace

CSharedMeasurementData::SChannel::SChannel(int iFFTLength)
    : sample(iFFTLength), impulse(iFFTLength), ct(iFFTLength), fft(BinsFor(iFFTLength)), ctFFT(BinsFor(iFFTLength)),
      phase(BinsFor(iFFTLength))
{
    info.iDataSize = iFFTLength;
}

CSharedMeasurementData::CSharedMeasurementData(int iFFTLength)
    : m_aChannels{SChannel(iFFTLength), SChannel(iFFTLength)}, m_iFFTSize(iFFTLength)
{
    QXASSERT(iFFTLength >= 2);
}

CSharedMeasurementData::SChannel* CSharedMeasurementData::Channel(int iChannel)
{
    if (!QXVERIFY(iChannel == 0 || iChannel == 1)) return nullptr;
    return &m_aChannels[iChannel];
}

CDoublePrecisionBuffer* CSharedMeasurementData::GetSampleBuffer(int iChannel)
{
    SChannel* p = Channel(iChannel);
    return p ? &p->sample : nullptr;
}

CDoublePrecisionBuffer* CSharedMeasurementData::GetImpulseResponseBuffer(int iChannel)
{
    SChannel* p = Channel(iChannel);
    return p ? &p->impulse : nullptr;
}

CDoublePrecisionBuffer* CSharedMeasurementData::GetCTSampleBuffer(int iChannel)
{
    SChannel* p = Channel(iChannel);
    return p ? &p->ct : nullptr;
}

CFFTBuffer* CSharedMeasurementData::GetFFTBuffer(int iChannel)
{
    SChannel* p = Channel(iChannel);
    return p ? &p->fft : nullptr;
}

CFFTBuffer* CSharedMeasurementData::GetCTFFTBuffer(int iChannel)
{
    SChannel* p = Channel(iChannel);
    return p ? &p->ctFFT : nullptr;
}

CPhaseBuffer* CSharedMeasurementData::GetPhaseBuffer(int iChannel)
{
    SChannel* p = Channel(iChannel);
    return p ? &p->phase : nullptr;
}

CSharedMeasurementData::SChannelInfo* CSharedMeasurementData::GetChannelInfo(int iChannel)
{
    SChannel* p = Channel(iChannel);
    return p ? &p->info : nullptr;
}

bool CSharedMeasurementData::IsNewFFTDataValid(int iChannel) const
{
    if (!QXVERIFY(iChannel == 0 || iChannel == 1)) return false;
    return m_aChannels[iChannel].info.bNewFFTDataValid;
}

bool CSharedMeasurementData::Rebuild(int iFFTLength)
{
    if (!QXVERIFY(iFFTLength >= 2)) return false;
    CSingleLock lock(&m_Lock, true);
    m_bRebuilding = true;
    for (SChannel& channel : m_aChannels) {
        for (CSampleBuffer* p : {static_cast<CSampleBuffer*>(&channel.sample), static_cast<CSampleBuffer*>(&channel.impulse),
                                 static_cast<CSampleBuffer*>(&channel.ct)})
            p->Resize(iFFTLength);
        for (CSampleBuffer* p : {static_cast<CSampleBuffer*>(&channel.fft), static_cast<CSampleBuffer*>(&channel.ctFFT),
                                 static_cast<CSampleBuffer*>(&channel.phase)})
            p->Resize(BinsFor(iFFTLength));
        channel.info.iDataSize = iFFTLength;
        channel.info.bNewFFTDataValid = false;
    }
    m_iFFTSize = iFFTLength;
    m_bRebuilding = false;
    return true;
}

CSharedDataAccess::CSharedDataAccess(CSharedMeasurementData& data, CDevice* pDevice) : m_Data(data), m_pDevice(pDevice)
{
    m_Data.Lock();
    if (m_pDevice) m_pDevice->Lock();
}

CSharedDataAccess::~CSharedDataAccess()
{
    if (m_pDevice) m_pDevice->Unlock();
    m_Data.Unlock();
}
