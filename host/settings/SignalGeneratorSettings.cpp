#include "host/settings/SignalGeneratorSettings.h"

#include "host/app/DebugLog.h"
#include "host/units/References.h"
#include "host/units/UnitSets.h"

#include <cmath>

namespace {

int PerChannel(int iChannel, int iIdA, int iIdB)
{
    QXASSERT(iChannel == 0 || iChannel == 1);
    return iChannel == 1 ? iIdB : iIdA;
}

} // namespace

CSignalGeneratorSettings::CSignalGeneratorSettings() : CSettingsBase("Signal generator")
{
    DefineDouble(RES_DO_SOURCEFS, 48000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineDouble(RES_DO_SOURCEFSDEVIATION, 0.0, UNIT_PPM, UNITSET_DEVIATION);
    DefineDouble(RES_DO_ACTUALSOURCEFS, 48000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineDouble(RES_AO_SAMPLERATE, 48000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCYABS);
    DefineDouble(PROP_GEN_DC_OFFSET, 0.0, UNIT_HEX, UNITSET_DCOFFSET, UNIT_DBFS);
    DefineDouble(PROP_GEN_JITTER_FREQ, 1000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCY);
    DefineDouble(PROP_GEN_JITTER_AMPL, 0.0, UNIT_JITTER_UIPP, UNITSET_CARRIERJITTERPP);
    DefineInt(PROP_GEN_WAVEFORM_CHA, 0);
    DefineInt(PROP_GEN_WAVEFORM_CHB, 0);
    DefineDouble(PROP_GEN_AMPL_CHA, kFullScaleSineHex / 10.0, UNIT_HEX, UNITSET_AMPLITUDE_GENERATOR, UNIT_VRMS);
    DefineDouble(PROP_GEN_AMPL_CHB, kFullScaleSineHex / 10.0, UNIT_HEX, UNITSET_AMPLITUDE_GENERATOR, UNIT_VRMS);
    DefineDouble(PROP_GEN_FREQ_CHA, 1000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCY);
    DefineDouble(PROP_GEN_FREQ_CHB, 1000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCY);
    DefineDouble(PROP_GEN_IMPEDANCE, 600.0, UNIT_IMPEDANCE_R, UNITSET_IMPEDANCE);
    DefineDouble(PROP_GEN_ANALOGUE_REF, 21.85709754588, UNIT_VP, UNITSET_REFAMPLITUDE);
    DefineDouble(PROP_GEN_DIGITAL_REF_CHA, SReferences::kFullScaleHex, UNIT_HEX, UNITSET_REFAMPLITUDE);
    DefineDouble(PROP_GEN_DIGITAL_REF_CHB, SReferences::kFullScaleHex, UNIT_HEX, UNITSET_REFAMPLITUDE);
}

int CSignalGeneratorSettings::GetWaveform(int iChannel) const
{
    return GetPropertyAsEnum(PerChannel(iChannel, PROP_GEN_WAVEFORM_CHA, PROP_GEN_WAVEFORM_CHB));
}

double CSignalGeneratorSettings::GetFrequency(int iChannel) const
{
    return GetPropertyAsDouble(PerChannel(iChannel, PROP_GEN_FREQ_CHA, PROP_GEN_FREQ_CHB));
}

double CSignalGeneratorSettings::GetActualDigitalAmplitude(int iChannel) const
{
    return GetPropertyAsDouble(PerChannel(iChannel, PROP_GEN_AMPL_CHA, PROP_GEN_AMPL_CHB));
}

double CSignalGeneratorSettings::GetActualSoundcardAmplitude(int iChannel) const
{
    return GetActualDigitalAmplitude(iChannel);
}

double CSignalGeneratorSettings::GetActualAnalogueAmplitude(int iChannel) const
{
    const double dFullScaleRmsV = GetPropertyAsDouble(PROP_GEN_ANALOGUE_REF) / std::sqrt(2.0);
    return GetActualDigitalAmplitude(iChannel) / kFullScaleSineHex * dFullScaleRmsV;
}
