#include "host/settings/AnalogueInputsSettings.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitSets.h"

#include <cmath>

namespace {

int RangeId(int iChannel)
{
    QXASSERT(iChannel == 0 || iChannel == 1);
    return iChannel == 1 ? PROP_AI_RANGE_CHB : PROP_AI_RANGE_CHA;
}

int AutoRangeId(int iChannel)
{
    QXASSERT(iChannel == 0 || iChannel == 1);
    return iChannel == 1 ? PROP_AI_AUTORANGE_FAILED_CHB : PROP_AI_AUTORANGE_FAILED_CHA;
}

int MaxmVId(int iChannel)
{
    QXASSERT(iChannel == 0 || iChannel == 1);
    return iChannel == 1 ? PROP_AI_MAX_MV_CHB : PROP_AI_MAX_MV_CHA;
}

} // namespace

CAnalogueInputsSettings::CAnalogueInputsSettings() : CSettingsBase("Analogue inputs")
{
    DefineDouble(PROP_AI_RANGE_CHA, kDefaultRangeV, UNIT_VRMS, UNITSET_ANALOGUERANGE);
    DefineDouble(PROP_AI_RANGE_CHB, kDefaultRangeV, UNIT_VRMS, UNITSET_ANALOGUERANGE);
    DefineInt(PROP_AI_AUTORANGE_FAILED_CHA, 0);
    DefineInt(PROP_AI_AUTORANGE_FAILED_CHB, 0);
    const double dDefaultMaxmV = kDefaultRangeV * 1000.0 * std::sqrt(2.0);
    DefineDouble(PROP_AI_MAX_MV_CHA, dDefaultMaxmV, UNIT_NULL);
    DefineDouble(PROP_AI_MAX_MV_CHB, dDefaultMaxmV, UNIT_NULL);
}

double CAnalogueInputsSettings::GetCurrentRangeInV(int iChannel) const
{
    return GetPropertyAsDouble(RangeId(iChannel));
}

bool CAnalogueInputsSettings::SetCurrentRangeInV(int iChannel, double dRangeV)
{
    if (!QXVERIFY(dRangeV > 0.0)) return false;
    return SetProperty(RangeId(iChannel), dRangeV);
}

void CAnalogueInputsSettings::GetAnalogueInputRangeDetails(double& dRangeAV, double& dRangeBV, double& dPeakAmV,
                                                           double& dPeakBmV) const
{
    dRangeAV = GetCurrentRangeInV(0);
    dRangeBV = GetCurrentRangeInV(1);
    dPeakAmV = dRangeAV * 1000.0 * std::sqrt(2.0);
    dPeakBmV = dRangeBV * 1000.0 * std::sqrt(2.0);
}

double CAnalogueInputsSettings::GetMaxmVValue(int iChannel) const { return GetPropertyAsDouble(MaxmVId(iChannel)); }

bool CAnalogueInputsSettings::SetMaxmVValue(int iChannel, double dPeakmV)
{
    if (!QXVERIFY(dPeakmV > 0.0)) return false;
    return SetProperty(MaxmVId(iChannel), dPeakmV);
}

bool CAnalogueInputsSettings::GetAutoRangeFailed(int iChannel) const
{
    return GetPropertyAsBool(AutoRangeId(iChannel));
}

void CAnalogueInputsSettings::SetAutoRangeFailed(int iChannel, bool bFailed)
{
    SetProperty(AutoRangeId(iChannel), bFailed ? 1 : 0);
}
