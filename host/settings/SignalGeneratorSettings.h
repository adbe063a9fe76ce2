#pragma once
// The signal generator: waveform, level and frequency per channel, the
// generator's references, and the output rates.
//
// Levels are stored as the RMS sample magnitude (UNIT_HEX, 5931640 is a
// full-scale sine); the default 593164 is -20 dBFS. Defaults: sine at
// 1 kHz on both channels, 600 ohm, 0 dBSPL reference 20 mV, analogue
// reference 21.85709754588 V (p) (15.4553019 V RMS full scale).

#include "host/settings/SettingsBase.h"
#include "host/units/References.h"

class CSignalGeneratorSettings : public CSettingsBase {
public:
    static constexpr double kFullScaleSineHex = SReferences::kFullScaleSineHex;
    static constexpr double kDefaultZerodBSPLmV = 20.0;

    CSignalGeneratorSettings();

    double GetZerodBSPLmVValue() const { return m_dZerodBSPLmV; }
    void SetZerodBSPLmVValue(double dmV) { m_dZerodBSPLmV = dmV; }

    int GetWaveform(int iChannel) const;
    double GetFrequency(int iChannel) const;

    // The level a channel actually produces: analogue in V RMS (the level as
    // a fraction of the full-scale sine times the full-scale RMS voltage),
    // digital and soundcard as an RMS sample magnitude (UNIT_HEX).
    // A bad channel asserts and answers channel A.
    double GetActualAnalogueAmplitude(int iChannel) const;
    double GetActualDigitalAmplitude(int iChannel) const;
    double GetActualSoundcardAmplitude(int iChannel) const;

private:
    double m_dZerodBSPLmV = kDefaultZerodBSPLmV;
};
