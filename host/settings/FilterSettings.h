#pragma once
// Settings objects of an analyser path that applies low-pass, high-pass and
// weighting filters (signal analyser, CT detector, FFT detector, FFT
// parameters). Each defines its own three property ids.

#include "host/settings/SettingsBase.h"

class CFilterSettings : public CSettingsBase {
public:
    int GetLowPassFilter() const { return GetPropertyAsEnum(m_iLowPassId); }
    int GetHighPassFilter() const { return GetPropertyAsEnum(m_iHighPassId); }
    int GetWeightingFilter() const { return GetPropertyAsEnum(m_iWeightingId); }
    bool SetLowPassFilter(int iFilter) { return SetProperty(m_iLowPassId, iFilter); }
    bool SetHighPassFilter(int iFilter) { return SetProperty(m_iHighPassId, iFilter); }
    bool SetWeightingFilter(int iFilter) { return SetProperty(m_iWeightingId, iFilter); }

protected:
    // Defines the three filter properties, all "none".
    CFilterSettings(const char* szName, int iLowPassId, int iHighPassId, int iWeightingId);

private:
    int m_iLowPassId;
    int m_iHighPassId;
    int m_iWeightingId;
};
