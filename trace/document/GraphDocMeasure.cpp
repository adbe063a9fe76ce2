// CGraphDoc: the links between the document and the running measurement:
// the fundamental harmonics are placed on, which channels' CT buffers the
// window's traces read, and the sample rate and FFT size computed traces follow.

#include "trace/document/GraphDoc.h"

#include "host/app/DebugLog.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "trace/model/QXTrace.h"

#include <cmath>

namespace {

// 0 or 1 for a single channel; -1 (asserted) for anything else.
int ChannelIndex(ChannelNumber eChannel)
{
    if (eChannel == CHANNEL_A || eChannel == CHANNEL_B) return static_cast<int>(eChannel);
    QXASSERT(eChannel == CHANNEL_A || eChannel == CHANNEL_B);
    return -1;
}

bool ReadsCTBuffer(CQXTrace* pTrace)
{
    const TraceType eType = pTrace->GetOwnTraceType();
    return (eType == TT_CTDET || eType == TT_CTFFT) && pTrace->IsInUse() && pTrace->IsOn();
}

} // namespace

double CGraphDoc::GetFundamental(ChannelNumber eChannel) const
{
    const int i = ChannelIndex(eChannel);
    return i < 0 ? 0.0 : m_adFundamental[i];
}

void CGraphDoc::SetFundamental(ChannelNumber eChannel, double dFrequency)
{
    const int i = ChannelIndex(eChannel);
    if (i < 0) return;
    // Negative, infinite or missing frequencies mean "none known".
    m_adFundamental[i] = (std::isfinite(dFrequency) && dFrequency > 0.0 && dFrequency != DBL_MAX) ? dFrequency : 0.0;
}

void CGraphDoc::SetCTAFlags()
{
    for (const ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        int bReading = 0;
        for (CQXTrace* pTrace : GetTraceArray(eChannel))
            if (pTrace && ReadsCTBuffer(pTrace)) bReading = 1;
        m_abReadingCTA[eChannel] = bReading;
        if (CFFTParametersSettings* pFFT = GetFFTParametersSettings())
            pFFT->SetReadingCTBuffer(static_cast<int>(eChannel), bReading != 0);
    }
}

int CGraphDoc::IsReadingCTA(ChannelNumber eChannel) const
{
    const int i = ChannelIndex(eChannel);
    return i < 0 ? 0 : m_abReadingCTA[i];
}

double CGraphDoc::GetSampleRate(ChannelNumber eChannel) const
{
    const int i = ChannelIndex(eChannel);
    const CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    return pAnalyser ? pAnalyser->GetAnalyserSampleRate(i < 0 ? 0 : i, true) : -1.0;
}

int CGraphDoc::GetDataSize(ChannelNumber eChannel)
{
    if (ChannelIndex(eChannel) < 0) return 0;
    CQXTrace* pFFT = GetTraceFromArray(eChannel, TT_FFT, 0, 1);
    return pFFT && pFFT->GetDataSize() > 1 ? pFFT->GetDataSize() - 1 : 0;
}
