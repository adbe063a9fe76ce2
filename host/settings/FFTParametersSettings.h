#pragma once
// FFT parameters: length, window, rate mode, trigger bin, window spread,
// user weighting file and filters; and which channels' CT buffers the
// window is currently reading.
//
// Defaults: FFT length 16384 (8192 bins, 2.93 Hz at 48 kHz: fine enough
// for audio work while a block still takes a third of a second), 4-term
// Blackman-Harris window, trigger bin 0, window spread 3 bins.

#include "host/settings/FilterSettings.h"

class CFFTParametersSettings : public CFilterSettings {
public:
    static constexpr int kDefaultFFTLength = 16384;

    CFFTParametersSettings();

    int GetFFTLength() const { return GetPropertyAsInt(PROP_FFT_LENGTH); }
    // Powers of two from 2 to 2^24 only; others are refused (assert).
    bool SetFFTLength(int iLength);
    int GetWindowType() const { return GetPropertyAsEnum(PROP_FFT_WINDOW); }
    int GetRateMode() const { return GetPropertyAsEnum(PROP_FFT_RATE_MODE); }
    int GetTriggerBin() const { return GetPropertyAsInt(PROP_FFT_TRIGGER_BIN); }
    int GetWindowSpread() const { return GetPropertyAsInt(PROP_FFT_WINDOW_SPREAD); }

    // The window tells the host it is reading (or no longer reading) the CT
    // buffer of a channel, so the measurement keeps it filled.
    void SetReadingCTBuffer(int iChannel, bool bOn);
    bool IsReadingCTBuffer(int iChannel) const;

private:
    bool m_abReadingCT[2] = {false, false};
};
