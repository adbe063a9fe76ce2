#include "host/settings/FFTDetectorSettings.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitSets.h"
#include "host/settings/FilterResponse.h"
#include "host/settings/MeasurementSettings.h"

CFFTDetectorSettings::CFFTDetectorSettings(int iDetectorId)
    : CFilterSettings("FFT detector", PROP_FFTD_LOWPASS, PROP_FFTD_HIGHPASS, PROP_FFTD_WEIGHTING),
      m_iDetectorId(iDetectorId)
{
    DefineDouble(RES_FFTDET_CHA, 0.0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER, UNIT_DBFS);
    DefineDouble(RES_FFTDET_CHB, 0.0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER, UNIT_DBFS);
    DefineString(PROP_FFTD_RESPONSE_NAME, L"Band RMS");
    DefineInt(PROP_FFTD_BAND_MODE, BAND_OFF);
    DefineInt(PROP_FFTD_BAND_TYPE, 0);
    DefineDouble(PROP_FFTD_BAND_WIDTH, 1.0 / 3.0, UNIT_NULL);
    DefineDouble(PROP_FFTD_BPBR_FREQ, 1000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCY);
    DefineString(PROP_FFTD_WEIGHTING_NAME, L"");
    DefineInt(PROP_FFTD_RELATIVITY, 0);
    DefineString(PROP_FFTD_WEIGHTING_FILE, L"");
    DefineInt(PROP_FFTD_OWN_FREQ, 1);
    DefineInt(PROP_FFTD_FOLLOW_GEN, 0);
    DefineInt(PROP_FFTD_USE_WEIGHTING_FILE, 0);
    DefineInt(PROP_FFTD_INVERT_WEIGHTING, 0);
}

int CFFTDetectorSettings::DoGetUnitSet(int iId, int iDomain, int bJitter, int iRelativity) const
{
    if (!IsFFTResult(iId)) return CSettingsBase::DoGetUnitSet(iId, iDomain, bJitter, iRelativity);
    if (iRelativity != 0) return UNITSET_AMPLITUDEREL;
    return bJitter ? UNITSET_CARRIERJITTER : UNITSET_AMPLITUDE_ANALYSER;
}

bool CFFTDetectorSettings::CreateBPBRFilter(int iMode, int iBandType, double dCentre, double dWidthOctaves,
                                            int iNumPoints, double dSampleRate, std::vector<double>& aResponse) const
{
    aResponse.clear();
    if (!QXVERIFY(iMode == BAND_PASS || iMode == BAND_REJECT)) return false;
    if (!QXVERIFY(iNumPoints > 0 && dSampleRate > 0.0 && dCentre > 0.0 && dWidthOctaves > 0.0)) return false;
    aResponse.resize(static_cast<size_t>(iNumPoints));
    for (int k = 0; k < iNumPoints; ++k) {
        const double f = BinFrequency(k, iNumPoints, dSampleRate);
        aResponse[static_cast<size_t>(k)] = BandFilterGain(iMode, iBandType, dCentre, dWidthOctaves, f);
    }
    return true;
}
