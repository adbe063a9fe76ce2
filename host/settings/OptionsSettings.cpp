#include "host/settings/OptionsSettings.h"

COptionsSettings::COptionsSettings() : CSettingsBase("Options")
{
    DefineInt(PROP_OPT_USE_ZERO_BIN, 0);
    DefineInt(PROP_OPT_SAME_X_SCALE, 0);
    DefineInt(PROP_OPT_RESPONSE_SHARE_Y, 1);
}
