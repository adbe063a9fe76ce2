#pragma once
// Impulse-response measurement: whether the gate is in use, the relativity
// of the response, and the gate of each channel.
//
// The gate of a channel is held as CImpulseWindowDetails (in bins); its
// start, mid and end are mirrored in properties 3567-3569 (channel A) and
// 3571-3573 (channel B) in milliseconds at the analyser's nominal rate, so
// the gate can be read in any time unit. Defaults: gate off, Hann, 0 / 1 /
// 10 ms at 48 kHz over 16384 points, shown in ms, channels tied.

#include "host/settings/ImpulseWindowDetails.h"
#include "host/settings/SettingsBase.h"

#include <vector>

class CImpulseResponseSettings : public CSettingsBase {
public:
    CImpulseResponseSettings();

    bool IsGateOn() const { return GetPropertyAsBool(PROP_IR_GATE_ON); }

    // The gate of a channel (0 or 1; others assert and answer channel A).
    const CImpulseWindowDetails& GetImpulseWindowDetails(int iChannel) const;
    // Stores the gate, the unit its bins are shown in and the tied flag.
    // While tied, both channels take the gate. False for a bad channel.
    bool SetImpulseWindowDetails(int iChannel, const CImpulseWindowDetails& details, EUnit eBinUnit, bool bTied);

    // The window functions the gate may take (property 3564), in the order
    // a list offers them; a user window needs a file and is not among them.
    struct SWindowChoice {
        WINDOWFUNCTION eWindow;
        const wchar_t* szName;
    };
    static const std::vector<SWindowChoice>& GetWindowChoices();

    // The start/mid/end property ids of a channel's gate.
    static int StartPropertyId(int iChannel) { return iChannel == 1 ? PROP_IR_START_CHB : PROP_IR_START_CHA; }
    static int MidPropertyId(int iChannel) { return iChannel == 1 ? PROP_IR_MID_CHB : PROP_IR_MID_CHA; }
    static int EndPropertyId(int iChannel) { return iChannel == 1 ? PROP_IR_END_CHB : PROP_IR_END_CHA; }

private:
    static int CheckedChannel(int iChannel);
    void StoreGate(int iChannel, const CImpulseWindowDetails& details);

    CImpulseWindowDetails m_aDetails[2];
};
