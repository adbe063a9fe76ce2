#pragma once
// Analogue input ranges and auto-ranging. A range is the RMS voltage of a
// full-scale sine; the default 15.4553019 V (15455.3019 mV, +26 dBu) is the
// analyser's range reference.

#include "host/settings/SettingsBase.h"

class CAnalogueInputsSettings : public CSettingsBase {
public:
    static constexpr double kDefaultRangeV = 15.4553019;

    CAnalogueInputsSettings();

    // Input range of a channel in volts (RMS of a full-scale sine); a bad
    // channel asserts and answers channel A.
    double GetCurrentRangeInV(int iChannel) const;
    bool SetCurrentRangeInV(int iChannel, double dRangeV);

    // Both channels' ranges in V (RMS) and their full-scale peaks in mV.
    void GetAnalogueInputRangeDetails(double& dRangeAV, double& dRangeBV, double& dPeakAmV, double& dPeakBmV) const;

    // The channel's largest range as a full-scale peak in mV: the level the
    // buffers' full scale stands for before the current range scales it.
    double GetMaxmVValue(int iChannel) const;
    bool SetMaxmVValue(int iChannel, double dPeakmV);

    bool GetAutoRangeFailed(int iChannel) const;
    void SetAutoRangeFailed(int iChannel, bool bFailed);
};
