#include "host/settings/CTDetectorSettings.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitSets.h"
#include "host/settings/FilterResponse.h"
#include "host/settings/MeasurementSettings.h"

CCTDetectorSettings::CCTDetectorSettings()
    : CFilterSettings("CT detector", PROP_CT_LOWPASS, PROP_CT_HIGHPASS, PROP_CT_WEIGHTING)
{
    DefineDouble(RES_CTDET_CHA, 0.0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER, UNIT_DBFS);
    DefineDouble(RES_CTDET_CHB, 0.0, UNIT_HEX, UNITSET_AMPLITUDE_ANALYSER, UNIT_DBFS);
    DefineInt(PROP_CT_UNIT, UNIT_DBFS);
    DefineString(PROP_CT_RESPONSE_NAME, L"RMS");
    DefineInt(PROP_CT_BAND_MODE, BAND_OFF);
    DefineInt(PROP_CT_BAND_TYPE, 0);
    DefineDouble(PROP_CT_BAND_WIDTH, 1.0 / 3.0, UNIT_NULL);
    DefineDouble(PROP_CT_BPBR_FREQ, 1000.0, UNIT_FREQ_HZ, UNITSET_FREQUENCY);
    DefineInt(PROP_CT_RESPONSE, 0);
    DefineInt(PROP_CT_RELATIVITY, 0);
}

int CCTDetectorSettings::ChannelOfResult(int iResultId)
{
    switch (GetActualResultID(iResultId)) {
    case RES_CTDET_CHA: return 0;
    case RES_CTDET_CHB: return 1;
    default: return -1;
    }
}

double CCTDetectorSettings::GetRelativityOtherValue(int iResultId, int) const
{
    const int iChannel = ChannelOfResult(iResultId);
    if (!QXVERIFY(iChannel >= 0)) return 0.0;
    return m_adRelativityOther[iChannel];
}

bool CCTDetectorSettings::SetRelativityOtherValue(int iResultId, double dValue)
{
    const int iChannel = ChannelOfResult(iResultId);
    if (!QXVERIFY(iChannel >= 0)) return false;
    m_adRelativityOther[iChannel] = dValue;
    return true;
}
