#pragma once
// The host's display options the trace window follows.
// Defaults: the time axis starts at sample 0 (not the trigger bin), each
// channel keeps its own X scales, FFT-response traces may share a Y scale.

#include "host/settings/SettingsBase.h"

class COptionsSettings : public CSettingsBase {
public:
    COptionsSettings();

    bool GetUseZeroBin() const { return GetPropertyAsBool(PROP_OPT_USE_ZERO_BIN); }
    bool GetSameXScale() const { return GetPropertyAsBool(PROP_OPT_SAME_X_SCALE); }
    bool GetResponseTracesShareYScale() const { return GetPropertyAsBool(PROP_OPT_RESPONSE_SHARE_Y); }
};
