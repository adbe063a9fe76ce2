#include "host/settings/ImpulseResponseSettings.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitSets.h"

namespace {

constexpr int kDefaultPoints = 16384;
constexpr double kDefaultRate = 48000.0;
constexpr double kStartMs = 0.0;
constexpr double kMidMs = 1.0;
constexpr double kEndMs = 10.0;

int MsToBin(double dMs)
{
    return static_cast<int>(dMs * kDefaultRate / 1000.0);
}

} // namespace

CImpulseResponseSettings::CImpulseResponseSettings() : CSettingsBase("Impulse response")
{
    DefineInt(PROP_IR_GATE_ON, 0);
    DefineInt(PROP_IR_RELATIVITY, 0);
    DefineInt(PROP_IR_WINDOW, WINDOW_HANN);
    DefineInt(PROP_IR_BIN_UNIT, UNIT_MS);
    DefineInt(PROP_IR_TIED, 1);
    DefineInt(PROP_IR_KEEP_ABSOLUTE, 0);
    for (int iChannel = 0; iChannel < 2; ++iChannel) {
        DefineDouble(StartPropertyId(iChannel), kStartMs, UNIT_MS, UNITSET_NUMSAMPLES);
        DefineDouble(MidPropertyId(iChannel), kMidMs, UNIT_MS, UNITSET_NUMSAMPLES);
        DefineDouble(EndPropertyId(iChannel), kEndMs, UNIT_MS, UNITSET_NUMSAMPLES);
        m_aDetails[iChannel] =
            CImpulseWindowDetails(kDefaultPoints, MsToBin(kStartMs), MsToBin(kMidMs), MsToBin(kEndMs), WINDOW_HANN);
    }
}

int CImpulseResponseSettings::CheckedChannel(int iChannel)
{
    return QXVERIFY(iChannel == 0 || iChannel == 1) ? iChannel : -1;
}

const CImpulseWindowDetails& CImpulseResponseSettings::GetImpulseWindowDetails(int iChannel) const
{
    const int iChecked = CheckedChannel(iChannel);
    return m_aDetails[iChecked < 0 ? 0 : iChecked];
}

void CImpulseResponseSettings::StoreGate(int iChannel, const CImpulseWindowDetails& details)
{
    m_aDetails[iChannel] = details;
    SetProperty(StartPropertyId(iChannel), static_cast<double>(details.GetStartBin()), UNIT_BINS);
    SetProperty(MidPropertyId(iChannel), static_cast<double>(details.GetMidBin()), UNIT_BINS);
    SetProperty(EndPropertyId(iChannel), static_cast<double>(details.GetEndBin()), UNIT_BINS);
}

bool CImpulseResponseSettings::SetImpulseWindowDetails(int iChannel, const CImpulseWindowDetails& details,
                                                       EUnit eBinUnit, bool bTied)
{
    if (CheckedChannel(iChannel) < 0) return false;
    StoreGate(iChannel, details);
    if (bTied) StoreGate(1 - iChannel, details);
    SetProperty(PROP_IR_WINDOW, static_cast<int>(details.GetWindowFunction()));
    SetProperty(PROP_IR_BIN_UNIT, static_cast<int>(eBinUnit));
    SetProperty(PROP_IR_TIED, bTied ? 1 : 0);
    return true;
}

const std::vector<CImpulseResponseSettings::SWindowChoice>& CImpulseResponseSettings::GetWindowChoices()
{
    static const std::vector<SWindowChoice> s_aChoices = {
        {WINDOW_RECTANGULAR, L"Rectangular"}, {WINDOW_HANN, L"Hann"},         {WINDOW_HAMMING, L"Hamming"},
        {WINDOW_BLACKMAN, L"Blackman"},       {WINDOW_BLACKMANHARRIS4, L"Blackman-Harris 4-term"},
        {WINDOW_FLATTOP, L"Flat top"}};
    return s_aChoices;
}
