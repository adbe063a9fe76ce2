#pragma once
// Signal analyser: channel selection, the level and frequency readings per
// channel, the analyser's references and its filters.
//
// Defaults: both channels, 1 kHz readings, digital references 8388607,
// analogue reference 15.4553019 V (p) (see SettingsIds.h), 600 ohm, 0 dBSPL
// reference 20 mV, analyser-versus-generator factor 1 on both channels.

#include "host/settings/FilterSettings.h"

class CSignalAnalyserSettings : public CFilterSettings {
public:
    static constexpr double kDefaultZerodBSPLmV = 20.0;

    CSignalAnalyserSettings();

    // 0 channel A, 1 channel B, 2 both (property 3203).
    int GetChannelMode() const { return GetPropertyAsEnum(PROP_SA_CHANNEL_MODE); }
    // The channel the "selected" result aliases follow: B in mode 1, else A.
    int GetSelectedChannel() const { return GetChannelMode() == 1 ? 1 : 0; }

    // Fundamental frequency reading of a channel, Hz.
    double GetFrequency(int iChannel) const;

    double GetZerodBSPLmVValue() const { return m_dZerodBSPLmV; }
    void SetZerodBSPLmVValue(double dmV) { m_dZerodBSPLmV = dmV; }

    // Ratio of the analyser's to the generator's level on a channel (1 when
    // they agree); a bad channel asserts and answers 1.
    double GetAnaVsGenFactor(int iChannel) const;
    bool SetAnaVsGenFactor(int iChannel, double dFactor);

private:
    double m_dZerodBSPLmV = kDefaultZerodBSPLmV;
    double m_adAnaVsGen[2] = {1.0, 1.0};
};
