#include "host/settings/FilterSettings.h"

#include "host/settings/FilterResponse.h"

CFilterSettings::CFilterSettings(const char* szName, int iLowPassId, int iHighPassId, int iWeightingId)
    : CSettingsBase(szName), m_iLowPassId(iLowPassId), m_iHighPassId(iHighPassId), m_iWeightingId(iWeightingId)
{
    DefineInt(iLowPassId, LPF_NONE);
    DefineInt(iHighPassId, HPF_NONE);
    DefineInt(iWeightingId, WEIGHTING_NONE);
}
