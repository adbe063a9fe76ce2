#pragma once
// One FFT detector (a band reading taken from the FFT): its id, readings,
// relativity, band filter, weighting file and filters.
//
// Defaults: absolute, band filter off with its own 1 kHz third-octave band,
// no weighting file, no filters, response name "Band RMS".

#include "host/settings/FilterSettings.h"

#include <vector>

class CFFTDetectorSettings : public CFilterSettings {
public:
    explicit CFFTDetectorSettings(int iDetectorId);

    int GetDetectorID() const { return m_iDetectorId; }
    int GetRelativity() const { return GetPropertyAsEnum(PROP_FFTD_RELATIVITY); }

    // Unit set of an FFT result for a trace axis: UNITSET_AMPLITUDEREL for a
    // relative reading (relativity non-zero), UNITSET_CARRIERJITTER on a
    // jitter input (bJitter), else UNITSET_AMPLITUDE_ANALYSER. Other ids
    // answer the property's own set.
    int DoGetUnitSet(int iId, int iDomain, int bJitter, int iRelativity) const override;

    // Band-pass (iMode 1) or band-reject (2) response per bin for iNumPoints
    // bins spanning 0 to dSampleRate / 2, as linear gains. False (and an
    // empty response) on bad arguments.
    bool CreateBPBRFilter(int iMode, int iBandType, double dCentre, double dWidthOctaves, int iNumPoints,
                          double dSampleRate, std::vector<double>& aResponse) const;

private:
    int m_iDetectorId;
};
