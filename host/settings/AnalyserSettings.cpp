#include "host/settings/AnalyserSettings.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitSets.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/FilterResponse.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"

#include <cmath>

namespace {

constexpr double kDefaultRate = 48000.0;

double GainToDecibels(double dGain)
{
    return dGain > 0.0 ? 20.0 * std::log10(dGain) : -200.0;
}

} // namespace

CAnalyserSettings::CAnalyserSettings() : CSettingsBase("Analyser")
{
    DefineInt(PROP_ANA_INPUT_KIND, INPUT_ANALOGUE);
    DefineDouble(PROP_ANA_NOMINAL_SAMPLE_RATE, kDefaultRate, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineInt(PROP_ANA_SPLIT96_SINGLE, 0);
    DefineDouble(PROP_ANA_INPUT_CAL_FACTOR, 1.0, UNIT_NULL);
    DefineInt(PROP_ANA_HAS_ANALOGUE_INPUTS, 1);
    DefineDouble(PROP_ANA_JDO_SAMPLE_RATE, kDefaultRate, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineDouble(PROP_ANA_SAMPLE_RATE_CHA, kDefaultRate, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineDouble(PROP_ANA_SAMPLE_RATE_CHB, kDefaultRate, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineInt(PROP_ANA_JDO_SELECTION, 1);
    DefineInt(PROP_ANA_SKIP_WHEN_UNLOCKED, 0);
    // Digital-input results.
    DefineDouble(RES_DI_FRAMERATE_DEVIATION, 0.0, UNIT_PPM, UNITSET_DEVIATION);
    DefineDouble(RES_DIC_CARRIERAMPL, 0.0, UNIT_V, UNITSET_CARRIERAMPL);
    DefineDouble(RES_DIC_JITTER, 0.0, UNIT_JITTER_NSPP, UNITSET_CARRIERJITTERPP);
    DefineDouble(RES_DI_CARRIERPHASE, 0.0, UNIT_PHASE_UI, UNITSET_CARRIERPHASE);
    DefineDouble(RES_AI_SAMPLERATE, kDefaultRate, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineDouble(RES_DI_FRAMERATE_ACTUAL, kDefaultRate, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
}

bool CAnalyserSettings::IsSplit96SingleChannel() const
{
    return GetPropertyAsBool(PROP_ANA_SPLIT96_SINGLE);
}

bool CAnalyserSettings::HasAnalogueInputs() const
{
    return GetPropertyAsBool(PROP_ANA_HAS_ANALOGUE_INPUTS);
}

void CAnalyserSettings::GetAnalyserChannelRange(int& iFirst, int& iLast, bool bIncludeSelection) const
{
    iFirst = 0;
    iLast = 1;
    if (IsSplit96SingleChannel()) {
        iLast = 0;
        return;
    }
    if (!bIncludeSelection) return;
    const int iMode = GetSignalAnalyserSettings()->GetChannelMode();
    if (iMode == 0 || iMode == 1) iFirst = iLast = iMode;
}

double CAnalyserSettings::GetAnalyserSampleRate(int iChannel, bool bActual) const
{
    if (!bActual) return GetPropertyAsDouble(PROP_ANA_NOMINAL_SAMPLE_RATE);
    QXASSERT(iChannel == 0 || iChannel == 1);
    return GetPropertyAsDouble(iChannel == 1 ? PROP_ANA_SAMPLE_RATE_CHB : PROP_ANA_SAMPLE_RATE_CHA);
}

void CAnalyserSettings::SetAnalyserSampleRate(double dRate)
{
    SetProperty(PROP_ANA_NOMINAL_SAMPLE_RATE, dRate);
    SetProperty(PROP_ANA_SAMPLE_RATE_CHA, dRate);
    SetProperty(PROP_ANA_SAMPLE_RATE_CHB, dRate);
}

double CAnalyserSettings::GetInputCalibrationFactor() const
{
    return GetPropertyAsDouble(PROP_ANA_INPUT_CAL_FACTOR);
}

double CAnalyserSettings::GetBPBRFrequency(int iChannel, int iDetector, int, double dDefault) const
{
    if (iDetector == 0) return GetCTDetectorSettings()->GetPropertyAsDouble(PROP_CT_BPBR_FREQ, UNIT_FREQ_HZ);
    const CFFTDetectorSettings* pDetector = GetFFTDetectorFromID(iDetector);
    if (pDetector == nullptr) return dDefault;
    if (pDetector->GetPropertyAsBool(PROP_FFTD_OWN_FREQ))
        return pDetector->GetPropertyAsDouble(PROP_FFTD_BPBR_FREQ, UNIT_FREQ_HZ);
    return GetSignalAnalyserSettings()->GetFrequency(iChannel);
}

bool CAnalyserSettings::CreateNewFilterCombination(FilterCombinationListItem* pItem, double dSampleRate, int bLinear,
                                                   bool bCTDetector) const
{
    if (!QXVERIFY(pItem != nullptr)) return false;
    if (!QXVERIFY(pItem->iNumPoints > 0 && dSampleRate > 0.0)) return false;
    QXDebugLog(3, "CAnalyserSettings::CreateNewFilterCombination", "FILT: %d points at %g Hz for the %s",
               pItem->iNumPoints, dSampleRate, bCTDetector ? "CT detector" : "FFT");
    pItem->aBuffer.resize(static_cast<size_t>(pItem->iNumPoints));
    for (int k = 0; k < pItem->iNumPoints; ++k) {
        const double f = BinFrequency(k, pItem->iNumPoints, dSampleRate);
        const double dGain = LowPassGain(pItem->iLowPassFilter, f) * HighPassGain(pItem->iHighPassFilter, f) *
                             WeightingGain(pItem->iWeightingFilter, f);
        pItem->aBuffer[static_cast<size_t>(k)] = bLinear ? dGain : GainToDecibels(dGain);
    }
    return true;
}
