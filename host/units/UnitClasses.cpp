#include "host/units/UnitClasses.h"

#include "host/units/References.h"

#include <array>
#include <memory>

#define QX_UNIT_ROW(Class, Base, id, dps, name, ole, min, max) \
    Class::Class() : Base(id, dps, name, ole, min, max) {}

QX_UNIT_ROW(CUnitNull, CUnit, UNIT_NULL, 0, L"", L"UNIT_NULL", 0, 0)
QX_UNIT_ROW(CUnitBins, CUnit, UNIT_BINS, 0, L"bins", L"UNIT_BINS", 0, 0)
QX_UNIT_ROW(CUnitSeconds, CUnit, UNIT_SECONDS, 1, L"s", L"UNIT_SECONDS", 0, 1)
QX_UNIT_ROW(CUnitMs, CUnit, UNIT_MS, 2, L"ms", L"UNIT_MS", 0, 1000)
QX_UNIT_ROW(CUnitFreqHz, CFrequencyUnit, UNIT_FREQ_HZ, 2, L"Hz", L"UNIT_FREQ_HZ", 0, 500000)
QX_UNIT_ROW(CUnitFreqOffset, CFrequencyUnit, UNIT_FREQ_OFFSET, 2, L"offset", L"UNIT_FREQ_OFFSET", -200000, 200000)
QX_UNIT_ROW(CUnitFreqRatio, CFrequencyUnit, UNIT_FREQ_RATIO, 2, L"ratio", L"UNIT_FREQ_RATIO", 0, 10000)
QX_UNIT_ROW(CUnitSamples, CUnit, UNIT_SAMPLES, 0, L"samples", L"UNIT_SAMPLES", 0, 500000)
QX_UNIT_ROW(CUnitDbspl, CAmplitudeUnit, UNIT_DBSPL, 2, L"dBSPL", L"UNIT_DBSPL", -200, 200)
QX_UNIT_ROW(CUnitDbfs, CAmplitudeUnit, UNIT_DBFS, 2, L"dBFS", L"UNIT_DBFS", -200, 200)
QX_UNIT_ROW(CUnitFs, CAmplitudeUnit, UNIT_FS, 5, L"%FS", L"UNIT_FS", -10000, 10000)
QX_UNIT_ROW(CUnitFfs, CAmplitudeUnit, UNIT_FFS, 2, L"FFS", L"UNIT_FFS", -100, 100)
QX_UNIT_ROW(CUnitHex, CAmplitudeUnit, UNIT_HEX, 0, L"Hex", L"UNIT_HEX", -SReferences::kFullScaleHex, SReferences::kFullScaleHex)
QX_UNIT_ROW(CUnitVrms, CAmplitudeUnit, UNIT_VRMS, 2, L"V (RMS)", L"UNIT_VRMS", -500, 500)
QX_UNIT_ROW(CUnitVp, CAmplitudeUnit, UNIT_VP, 2, L"V (p)", L"UNIT_VP", -500, 500)
QX_UNIT_ROW(CUnitVpp, CAmplitudeUnit, UNIT_VPP, 2, L"V (p-p)", L"UNIT_VPP", -500, 500)
QX_UNIT_ROW(CUnitDbu, CAmplitudeUnit, UNIT_DBU, 2, L"dBu", L"UNIT_DBU", -200, 200)
QX_UNIT_ROW(CUnitDbv, CAmplitudeUnit, UNIT_DBV, 2, L"dBV", L"UNIT_DBV", -200, 200)
QX_UNIT_ROW(CUnitDbm, CAmplitudeUnit, UNIT_DBM, 2, L"dBm", L"UNIT_DBM", -200, 200)
QX_UNIT_ROW(CUnitW, CAmplitudeUnit, UNIT_W, 2, L"W", L"UNIT_W", -10000, 10000)
QX_UNIT_ROW(CUnitDbr, CAmplitudeUnit, UNIT_DBR, 2, L"dBr", L"UNIT_DBR", -200, 200)
QX_UNIT_ROW(CUnitPercentRef, CAmplitudeUnit, UNIT_PERCENTREF, 5, L"% ref", L"UNIT_PERCENTREF", -10000, 10000)
QX_UNIT_ROW(CUnitRelativeDb, CAmplitudeUnit, UNIT_RELATIVE_DB, 2, L"dB", L"UNIT_RELATIVE_DB", -200, 200)
QX_UNIT_ROW(CUnitRelativePercent, CAmplitudeUnit, UNIT_RELATIVE_PERCENT, 5, L"%", L"UNIT_RELATIVE_PERCENT", -10000, 10000)
QX_UNIT_ROW(CUnitJitterUi, CUnit, UNIT_JITTER_UI, 2, L"UI", L"UNIT_JITTER_UI", -10, 10)
QX_UNIT_ROW(CUnitJitterNs, CUnit, UNIT_JITTER_NS, 1, L"ns", L"UNIT_JITTER_NS", -200, 200)
QX_UNIT_ROW(CUnitJitterDbui, CUnit, UNIT_JITTER_DBUI, 2, L"dBUI", L"UNIT_JITTER_DBUI", -200, 200)
// The peak-to-peak jitter units share the automation names of their non-peak units.
QX_UNIT_ROW(CUnitJitterUiPP, CUnitJitterUi, UNIT_JITTER_UIPP, 2, L"UI (p-p)", L"UNIT_JITTER_UI", -10, 10)
QX_UNIT_ROW(CUnitJitterNsPP, CUnitJitterNs, UNIT_JITTER_NSPP, 1, L"ns (p-p)", L"UNIT_JITTER_NS", -200, 200)
QX_UNIT_ROW(CUnitPhaseUi, CUnit, UNIT_PHASE_UI, 2, L"UI", L"UNIT_PHASE_UI", -10, 10)
QX_UNIT_ROW(CUnitPhasePercent, CUnit, UNIT_PHASE_PERCENT, 2, L"%", L"UNIT_PHASE_PERCENT", -200, 200)
QX_UNIT_ROW(CUnitPhaseSamples, CUnit, UNIT_PHASE_SAMPLES, 0, L"samples", L"UNIT_PHASE_SAMPLES", -50000, 50000)
QX_UNIT_ROW(CUnitPhaseDegrees, CUnit, UNIT_PHASE_DEGREES, 2, L"degrees", L"UNIT_PHASE_DEGREES", -360, 360)
QX_UNIT_ROW(CUnitPhaseRadians, CUnit, UNIT_PHASE_RADIANS, 2, L"radians", L"UNIT_PHASE_RADIANS", -7, 7)
QX_UNIT_ROW(CUnitPhaseUs, CUnit, UNIT_PHASE_US, 2, L"\u00B5s", L"UNIT_PHASE_US", -100000, 100000)
QX_UNIT_ROW(CUnitDutycyclePercent, CUnit, UNIT_DUTYCYCLE_PERCENT, 2, L"%", L"UNIT_DUTYCYCLE_PERCENT", 0, 100)
QX_UNIT_ROW(CUnitDutycycleSamples, CUnit, UNIT_DUTYCYCLE_SAMPLES, 0, L"samples", L"UNIT_DUTYCYCLE_SAMPLES", 0, 100000)
QX_UNIT_ROW(CUnitV, CAmplitudeUnit, UNIT_V, 2, L"V", L"UNIT_V", -500, 500)
QX_UNIT_ROW(CUnitPpm, CUnit, UNIT_PPM, 1, L"ppm", L"UNIT_PPM", -5000, 5000)
QX_UNIT_ROW(CUnitImpedanceR, CUnit, UNIT_IMPEDANCE_R, 2, L"R", L"UNIT_IMPEDANCE_R", 0.000001, 1000000)
QX_UNIT_ROW(CUnitRelativeRatio, CAmplitudeUnit, UNIT_RELATIVE_RATIO, 3, L"ratio", L"UNIT_RELATIVE_RATIO", 0, 100000)
QX_UNIT_ROW(CUnitRelativeGain, CAmplitudeUnit, UNIT_RELATIVE_GAIN, 2, L"gain", L"UNIT_RELATIVE_GAIN", 0, 100000)
// The host supplies the display name of this unit; the table holds none.
QX_UNIT_ROW(CUnitRelativeAnaVsGen, CAmplitudeUnit, UNIT_RELATIVE_ANAVSGEN, 2, L"", L"UNIT_RELATIVE_ANAVSGEN", 0, 100000)
QX_UNIT_ROW(CUnitNumPeriods, CUnit, UNIT_NUMPERIODS, 0, L"periods", L"UNIT_NUMPERIODS", 0, 100000)

#undef QX_UNIT_ROW

namespace {

// The one instance of every unit class, in table order; built once, never freed
// before exit, immutable after construction.
struct SUnitTable {
    std::vector<std::unique_ptr<const CUnit>> apUnits;
    std::vector<EUnit> aeIds;
    std::array<const CUnit*, UNIT_NUMPERIODS + 1> apById {};

    template <class... Units>
    void Add()
    {
        (apUnits.push_back(std::make_unique<Units>()), ...);
    }

    SUnitTable()
    {
        Add<CUnitNull, CUnitBins, CUnitSeconds, CUnitMs, CUnitFreqHz, CUnitFreqOffset, CUnitFreqRatio,
            CUnitSamples, CUnitDbspl, CUnitDbfs, CUnitFs, CUnitFfs, CUnitHex, CUnitVrms, CUnitVp, CUnitVpp,
            CUnitDbu, CUnitDbv, CUnitDbm, CUnitW, CUnitDbr, CUnitPercentRef, CUnitRelativeDb,
            CUnitRelativePercent, CUnitJitterUi, CUnitJitterNs, CUnitJitterDbui, CUnitJitterUiPP,
            CUnitJitterNsPP, CUnitPhaseUi, CUnitPhasePercent, CUnitPhaseSamples, CUnitPhaseDegrees,
            CUnitPhaseRadians, CUnitPhaseUs, CUnitDutycyclePercent, CUnitDutycycleSamples, CUnitV, CUnitPpm,
            CUnitImpedanceR, CUnitRelativeRatio, CUnitRelativeGain, CUnitRelativeAnaVsGen, CUnitNumPeriods>();
        for (const auto& pUnit : apUnits) {
            aeIds.push_back(pUnit->GetEUnit());
            apById[static_cast<size_t>(pUnit->GetEUnit())] = pUnit.get();
        }
    }
};

const SUnitTable& Table()
{
    static const SUnitTable table;
    return table;
}

} // namespace

const CUnit* FindUnitObject(int iUnit)
{
    const auto& byId = Table().apById;
    if (iUnit < 0 || static_cast<size_t>(iUnit) >= byId.size()) return nullptr;
    return byId[static_cast<size_t>(iUnit)];
}

const std::vector<EUnit>& AllUnitIds()
{
    return Table().aeIds;
}
