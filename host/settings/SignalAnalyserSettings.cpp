#include "host/settings/SignalAnalyserSettings.h"

#include "host/app/DebugLog.h"
#include "host/units/References.h"
#include "host/units/UnitSets.h"

CSignalAnalyserSettings::CSignalAnalyserSettings()
    : CFilterSettings("Signal analyser", PROP_SA_LOWPASS, PROP_SA_HIGHPASS, PROP_SA_WEIGHTING)
{
    DefineInt(PROP_SA_CHANNEL_MODE, 2);
    DefineDouble(RES_CHA_RMSAMPL, 0.0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER, UNIT_V);
    DefineDouble(RES_CHA_FREQ, 1000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCY);
    DefineDouble(RES_CHB_RMSAMPL, 0.0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER, UNIT_V);
    DefineDouble(RES_CHB_FREQ, 1000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCY);
    DefineDouble(RES_PHASE, 0.0, UNIT_PHASE_DEGREES, UNITSET_ANALOGUEPHASE);
    DefineDouble(RES_DELAY, 0.0, UNIT_PHASE_US, UNITSET_ANALOGUEPHASE);
    DefineDouble(PROP_SA_DIGITAL_REF_CHA, SReferences::kFullScaleHex, UNIT_HEX, UNITSET_REFAMPLITUDE);
    DefineDouble(PROP_SA_DIGITAL_REF_CHB, SReferences::kFullScaleHex, UNIT_HEX, UNITSET_REFAMPLITUDE);
    DefineDouble(PROP_SA_ANALOGUE_REF, 15.4553019, UNIT_VP, UNITSET_REFAMPLITUDE);
    DefineDouble(PROP_SA_IMPEDANCE, 600.0, UNIT_IMPEDANCE_R, UNITSET_IMPEDANCE);
}

double CSignalAnalyserSettings::GetFrequency(int iChannel) const
{
    QXASSERT(iChannel == 0 || iChannel == 1);
    return GetPropertyAsDouble(iChannel == 1 ? RES_CHB_FREQ : RES_CHA_FREQ, UNIT_FREQ_HZ);
}

double CSignalAnalyserSettings::GetAnaVsGenFactor(int iChannel) const
{
    if (!QXVERIFY(iChannel == 0 || iChannel == 1)) return 1.0;
    return m_adAnaVsGen[iChannel];
}

bool CSignalAnalyserSettings::SetAnaVsGenFactor(int iChannel, double dFactor)
{
    if (!QXVERIFY(iChannel == 0 || iChannel == 1)) return false;
    m_adAnaVsGen[iChannel] = dFactor;
    return true;
}
