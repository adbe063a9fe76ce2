#include "host/settings/FFTParametersSettings.h"

#include "host/app/DebugLog.h"
#include "host/settings/WindowFunction.h"

CFFTParametersSettings::CFFTParametersSettings()
    : CFilterSettings("FFT parameters", PROP_FFT_LOWPASS, PROP_FFT_HIGHPASS, PROP_FFT_WEIGHTING)
{
    DefineInt(PROP_FFT_LENGTH, kDefaultFFTLength);
    DefineInt(PROP_FFT_USER_WEIGHTING, 0);
    DefineInt(PROP_FFT_RATE_MODE, 0);
    DefineInt(PROP_FFT_TRIGGER_BIN, 0);
    DefineInt(PROP_FFT_WINDOW_SPREAD, 3);
    DefineInt(PROP_FFT_WINDOW, WINDOW_BLACKMANHARRIS4);
    DefineString(PROP_FFT_WEIGHTING_FILE, L"");
}

bool CFFTParametersSettings::SetFFTLength(int iLength)
{
    const bool bPowerOfTwo = iLength >= 2 && iLength <= (1 << 24) && (iLength & (iLength - 1)) == 0;
    if (!QXVERIFY(bPowerOfTwo)) return false;
    return SetProperty(PROP_FFT_LENGTH, iLength);
}

void CFFTParametersSettings::SetReadingCTBuffer(int iChannel, bool bOn)
{
    if (!QXVERIFY(iChannel == 0 || iChannel == 1)) return;
    m_abReadingCT[iChannel] = bOn;
}

bool CFFTParametersSettings::IsReadingCTBuffer(int iChannel) const
{
    if (!QXVERIFY(iChannel == 0 || iChannel == 1)) return false;
    return m_abReadingCT[iChannel];
}
