#pragma once
// The continuous-time detector: its readings per channel, response,
// relativity, band filter and filters.
//
// Defaults: RMS response, absolute, Y unit dBFS, no band filter (1 kHz,
// third-octave when switched on), no filters.

#include "host/settings/FilterSettings.h"

class CCTDetectorSettings : public CFilterSettings {
public:
    CCTDetectorSettings();

    int GetResponse() const { return GetPropertyAsEnum(PROP_CT_RESPONSE); }
    int GetRelativity() const { return GetPropertyAsEnum(PROP_CT_RELATIVITY); }

    // Reference value of a relative reading of a CT result (3251 or 3253,
    // or its selected/non-selected alias), in the result's storage unit
    // (UNIT_HEX); 0 when no reference has been taken. iIndex is reserved.
    // Other results assert and give 0.
    double GetRelativityOtherValue(int iResultId, int iIndex) const;
    bool SetRelativityOtherValue(int iResultId, double dValue);

private:
    // 0 for channel A's result, 1 for B's, -1 for anything else.
    static int ChannelOfResult(int iResultId);

    double m_adRelativityOther[2] = {0.0, 0.0};
};
