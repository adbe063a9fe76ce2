#include "trace/types/FilterDescription.h"

#include "host/app/DebugLog.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/FilterResponse.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "trace/types/FilterTrace.h"

namespace {

// The CT detector's band mode 3 is a band-pass of the sharpest shape.
constexpr int kCTSharpBandPass = 3;
constexpr int kSharpBandType = 4;

void TakeFilters(const CFilterSettings& settings, FilterCombinationListItem* pItem)
{
    pItem->iLowPassFilter = settings.GetLowPassFilter();
    pItem->iHighPassFilter = settings.GetHighPassFilter();
    pItem->iWeightingFilter = settings.GetWeightingFilter();
}

void TakeUserWeighting(bool bInUse, const CString& sFile, FilterCombinationListItem* pItem)
{
    pItem->bUserWeighting = bInUse ? 1 : 0;
    pItem->sWeightingFile = sFile;
    if (bInUse) pItem->iWeightingFilter = WEIGHTING_USER;
}

// The fundamental the analyser reads on the channel: the band of a path
// without a frequency of its own sits there.
double SignalFrequency(ChannelNumber eChannel)
{
    return GetSignalAnalyserSettings()->GetFrequency(eChannel == CHANNEL_B ? 1 : 0);
}

} // namespace

bool CollectFilterDescription(int iSource, ChannelNumber eChannel, FilterCombinationListItem* pItem)
{
    if (!QXVERIFY(pItem != nullptr)) return false;
    if (iSource == CFilterTrace::kSourceCTDetector) {
        const CCTDetectorSettings* pCT = GetCTDetectorSettingsData();
        TakeFilters(*pCT, pItem);
        pItem->iBandMode = pCT->GetPropertyAsEnum(PROP_CT_BAND_MODE);
        pItem->iBandType = pCT->GetPropertyAsEnum(PROP_CT_BAND_TYPE);
        pItem->dBandWidth = pCT->GetPropertyAsDouble(PROP_CT_BAND_WIDTH);
        pItem->dBandFrequency = SignalFrequency(eChannel);
        if (pItem->iBandMode == kCTSharpBandPass) {
            pItem->iBandMode = BAND_PASS;
            pItem->iBandType = kSharpBandType;
        }
    } else if (iSource == CFilterTrace::kSourceFFTParameters) {
        const CFFTParametersSettings* pFFT = GetFFTParametersSettingsData();
        TakeFilters(*pFFT, pItem);
        pItem->iBandMode = BAND_OFF;
        TakeUserWeighting(pFFT->GetPropertyAsBool(PROP_FFT_USER_WEIGHTING),
                          pFFT->GetPropertyAsString(PROP_FFT_WEIGHTING_FILE), pItem);
    } else {
        const CFFTDetectorSettings* pDetector = GetFFTDetectorFromID(iSource);
        if (!pDetector) return false;
        TakeFilters(*pDetector, pItem);
        pItem->iBandMode = pDetector->GetPropertyAsEnum(PROP_FFTD_BAND_MODE);
        pItem->iBandType = pDetector->GetPropertyAsEnum(PROP_FFTD_BAND_TYPE);
        pItem->dBandWidth = pDetector->GetPropertyAsDouble(PROP_FFTD_BAND_WIDTH);
        pItem->dBandFrequency = pDetector->GetPropertyAsBool(PROP_FFTD_OWN_FREQ)
                                    ? pDetector->GetPropertyAsDouble(PROP_FFTD_BPBR_FREQ, UNIT_FREQ_HZ)
                                    : SignalFrequency(eChannel);
        TakeUserWeighting(pDetector->GetPropertyAsBool(PROP_FFTD_USE_WEIGHTING_FILE),
                          pDetector->GetPropertyAsString(PROP_FFTD_WEIGHTING_FILE), pItem);
        pItem->bInvertUserWeighting = pDetector->GetPropertyAsBool(PROP_FFTD_INVERT_WEIGHTING) ? 1 : 0;
    }
    QXASSERT(pItem->iLowPassFilter != (int)5);
    QXASSERT(pItem->iHighPassFilter != (int)6);
    QXASSERT(pItem->iWeightingFilter != (int)5);
    return true;
}
