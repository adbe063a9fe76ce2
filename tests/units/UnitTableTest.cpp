// The unit table row by row, class groups and predicates, multipliers, invalid ids, names and look-up.

#include "host/units/UnitClasses.h"
#include "host/units/UnitFunctions.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace {

enum EGroup { PLAIN, AMPLITUDE, FREQUENCY };

struct SRow {
    int iUnit;
    const std::type_info& type;
    EGroup eGroup;
    const wchar_t* sOLEName;
    const wchar_t* sName;
    int iNumDPs;
    double dMin;
    double dMax;
};

const SRow kRows[] = {
    {0, typeid(CUnitNull), PLAIN, L"UNIT_NULL", L"", 0, 0, 0},
    {8, typeid(CUnitBins), PLAIN, L"UNIT_BINS", L"bins", 0, 0, 0},
    {9, typeid(CUnitSeconds), PLAIN, L"UNIT_SECONDS", L"s", 1, 0, 1},
    {10, typeid(CUnitMs), PLAIN, L"UNIT_MS", L"ms", 2, 0, 1000},
    {11, typeid(CUnitFreqHz), FREQUENCY, L"UNIT_FREQ_HZ", L"Hz", 2, 0, 500000},
    {12, typeid(CUnitFreqOffset), FREQUENCY, L"UNIT_FREQ_OFFSET", L"offset", 2, -200000, 200000},
    {13, typeid(CUnitFreqRatio), FREQUENCY, L"UNIT_FREQ_RATIO", L"ratio", 2, 0, 10000},
    {15, typeid(CUnitSamples), PLAIN, L"UNIT_SAMPLES", L"samples", 0, 0, 500000},
    {19, typeid(CUnitDbspl), AMPLITUDE, L"UNIT_DBSPL", L"dBSPL", 2, -200, 200},
    {20, typeid(CUnitDbfs), AMPLITUDE, L"UNIT_DBFS", L"dBFS", 2, -200, 200},
    {21, typeid(CUnitFs), AMPLITUDE, L"UNIT_FS", L"%FS", 5, -10000, 10000},
    {22, typeid(CUnitFfs), AMPLITUDE, L"UNIT_FFS", L"FFS", 2, -100, 100},
    {23, typeid(CUnitHex), AMPLITUDE, L"UNIT_HEX", L"Hex", 0, -8388607, 8388607},
    {27, typeid(CUnitVrms), AMPLITUDE, L"UNIT_VRMS", L"V (RMS)", 2, -500, 500},
    {28, typeid(CUnitVp), AMPLITUDE, L"UNIT_VP", L"V (p)", 2, -500, 500},
    {29, typeid(CUnitVpp), AMPLITUDE, L"UNIT_VPP", L"V (p-p)", 2, -500, 500},
    {30, typeid(CUnitDbu), AMPLITUDE, L"UNIT_DBU", L"dBu", 2, -200, 200},
    {31, typeid(CUnitDbv), AMPLITUDE, L"UNIT_DBV", L"dBV", 2, -200, 200},
    {32, typeid(CUnitDbm), AMPLITUDE, L"UNIT_DBM", L"dBm", 2, -200, 200},
    {34, typeid(CUnitW), AMPLITUDE, L"UNIT_W", L"W", 2, -10000, 10000},
    {35, typeid(CUnitDbr), AMPLITUDE, L"UNIT_DBR", L"dBr", 2, -200, 200},
    {36, typeid(CUnitPercentRef), AMPLITUDE, L"UNIT_PERCENTREF", L"% ref", 5, -10000, 10000},
    {37, typeid(CUnitRelativeDb), AMPLITUDE, L"UNIT_RELATIVE_DB", L"dB", 2, -200, 200},
    {38, typeid(CUnitRelativePercent), AMPLITUDE, L"UNIT_RELATIVE_PERCENT", L"%", 5, -10000, 10000},
    {40, typeid(CUnitJitterUi), PLAIN, L"UNIT_JITTER_UI", L"UI", 2, -10, 10},
    {41, typeid(CUnitJitterNs), PLAIN, L"UNIT_JITTER_NS", L"ns", 1, -200, 200},
    {42, typeid(CUnitJitterDbui), PLAIN, L"UNIT_JITTER_DBUI", L"dBUI", 2, -200, 200},
    {43, typeid(CUnitJitterUiPP), PLAIN, L"UNIT_JITTER_UI", L"UI (p-p)", 2, -10, 10},
    {44, typeid(CUnitJitterNsPP), PLAIN, L"UNIT_JITTER_NS", L"ns (p-p)", 1, -200, 200},
    {50, typeid(CUnitPhaseUi), PLAIN, L"UNIT_PHASE_UI", L"UI", 2, -10, 10},
    {51, typeid(CUnitPhasePercent), PLAIN, L"UNIT_PHASE_PERCENT", L"%", 2, -200, 200},
    {52, typeid(CUnitPhaseSamples), PLAIN, L"UNIT_PHASE_SAMPLES", L"samples", 0, -50000, 50000},
    {53, typeid(CUnitPhaseDegrees), PLAIN, L"UNIT_PHASE_DEGREES", L"degrees", 2, -360, 360},
    {54, typeid(CUnitPhaseRadians), PLAIN, L"UNIT_PHASE_RADIANS", L"radians", 2, -7, 7},
    {55, typeid(CUnitPhaseUs), PLAIN, L"UNIT_PHASE_US", L"\u00B5s", 2, -100000, 100000},
    {60, typeid(CUnitDutycyclePercent), PLAIN, L"UNIT_DUTYCYCLE_PERCENT", L"%", 2, 0, 100},
    {61, typeid(CUnitDutycycleSamples), PLAIN, L"UNIT_DUTYCYCLE_SAMPLES", L"samples", 0, 0, 100000},
    {66, typeid(CUnitV), AMPLITUDE, L"UNIT_V", L"V", 2, -500, 500},
    {68, typeid(CUnitPpm), PLAIN, L"UNIT_PPM", L"ppm", 1, -5000, 5000},
    {70, typeid(CUnitImpedanceR), PLAIN, L"UNIT_IMPEDANCE_R", L"R", 2, 0.000001, 1000000},
    {71, typeid(CUnitRelativeRatio), AMPLITUDE, L"UNIT_RELATIVE_RATIO", L"ratio", 3, 0, 100000},
    {72, typeid(CUnitRelativeGain), AMPLITUDE, L"UNIT_RELATIVE_GAIN", L"gain", 2, 0, 100000},
    {73, typeid(CUnitRelativeAnaVsGen), AMPLITUDE, L"UNIT_RELATIVE_ANAVSGEN", L"", 2, 0, 100000},
    {81, typeid(CUnitNumPeriods), PLAIN, L"UNIT_NUMPERIODS", L"periods", 0, 0, 100000},
};

} // namespace

TEST(UnitTable, EveryRowMatchesTheTable)
{
    ASSERT_EQ(AllUnitIds().size(), std::size(kRows));
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const SRow& row = kRows[i];
        SCOPED_TRACE(row.iUnit);
        EXPECT_EQ(AllUnitIds()[i], row.iUnit) << "table order";
        CPUnit unit(row.iUnit);
        ASSERT_TRUE(unit.IsValid());
        EXPECT_EQ(unit->GetEUnit(), row.iUnit);
        EXPECT_TRUE(typeid(*unit.Get()) == row.type);
        EXPECT_EQ(unit->GetOLEName(), row.sOLEName);
        EXPECT_EQ(unit->GetName(), row.sName);
        EXPECT_EQ(unit->GetNumDPs(), row.iNumDPs);
        double dMin = -1, dMax = -1;
        unit->GetFullRange(dMin, dMax);
        EXPECT_EQ(dMin, row.dMin);
        EXPECT_EQ(dMax, row.dMax);
    }
}

TEST(UnitTable, ClassGroupsAgreeWithPredicates)
{
    for (const SRow& row : kRows) {
        SCOPED_TRACE(row.iUnit);
        const CUnit* pUnit = FindUnitObject(row.iUnit);
        const bool bAmplitudeClass = dynamic_cast<const CAmplitudeUnit*>(pUnit) != nullptr;
        const bool bFrequencyClass = dynamic_cast<const CFrequencyUnit*>(pUnit) != nullptr;
        EXPECT_EQ(bAmplitudeClass, row.eGroup == AMPLITUDE);
        EXPECT_EQ(bFrequencyClass, row.eGroup == FREQUENCY);
        EXPECT_EQ(pUnit->IsAmplitudeUnit(), bAmplitudeClass);
        EXPECT_EQ(pUnit->IsFrequencyUnit(), bFrequencyClass);
        if (pUnit->IsAmplitudeUnit()) {
            EXPECT_NE(pUnit->IsAbsoluteAmplitudeUnit(), pUnit->IsRelativeAmplitudeUnit());
        }
        EXPECT_EQ(pUnit->NegInfinityAllowed(), pUnit->IsdBUnit());
        EXPECT_EQ(pUnit->GetBase(), row.iUnit == UNIT_HEX ? NUMBERBASE_HEXADECIMAL : NUMBERBASE_DECIMAL);
    }
    EXPECT_NE(dynamic_cast<const CUnitJitterNs*>(FindUnitObject(UNIT_JITTER_NSPP)), nullptr);
    EXPECT_NE(dynamic_cast<const CUnitJitterUi*>(FindUnitObject(UNIT_JITTER_UIPP)), nullptr);
}

TEST(UnitTable, PredicatesPickTheRightUnits)
{
    auto unitsWhere = [](bool (CUnit::*predicate)() const) {
        std::vector<EUnit> aeUnits;
        for (EUnit eUnit : AllUnitIds())
            if ((FindUnitObject(eUnit)->*predicate)()) aeUnits.push_back(eUnit);
        return aeUnits;
    };
    using V = std::vector<EUnit>;
    EXPECT_EQ(unitsWhere(&CUnit::IsdBUnit),
              (V{UNIT_DBSPL, UNIT_DBFS, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_DBR, UNIT_RELATIVE_DB, UNIT_JITTER_DBUI}));
    EXPECT_EQ(unitsWhere(&CUnit::IsDigitalAmplitudeUnit), (V{UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX}));
    EXPECT_EQ(unitsWhere(&CUnit::IsReferenceAmplitudeUnit), (V{UNIT_DBR, UNIT_PERCENTREF}));
    EXPECT_EQ(unitsWhere(&CUnit::IsRelativeAmplitudeUnit),
              (V{UNIT_RELATIVE_DB, UNIT_RELATIVE_PERCENT, UNIT_RELATIVE_RATIO, UNIT_RELATIVE_GAIN,
                 UNIT_RELATIVE_ANAVSGEN}));
    EXPECT_EQ(unitsWhere(&CUnit::IsPercentUnit),
              (V{UNIT_FS, UNIT_PERCENTREF, UNIT_RELATIVE_PERCENT, UNIT_PHASE_PERCENT, UNIT_DUTYCYCLE_PERCENT}));
    EXPECT_EQ(unitsWhere(&CUnit::IsJitterUnit),
              (V{UNIT_JITTER_UI, UNIT_JITTER_NS, UNIT_JITTER_DBUI, UNIT_JITTER_UIPP, UNIT_JITTER_NSPP}));
    EXPECT_EQ(unitsWhere(&CUnit::IsCarrierPhaseUnit), (V{UNIT_PHASE_UI, UNIT_PHASE_PERCENT}));
    EXPECT_EQ(unitsWhere(&CUnit::IsAnalyserPhaseUnit),
              (V{UNIT_PHASE_SAMPLES, UNIT_PHASE_DEGREES, UNIT_PHASE_RADIANS, UNIT_PHASE_US}));
}

TEST(UnitTable, AllowedMultipliers)
{
    for (EUnit eUnit : AllUnitIds()) {
        const CString sExpected = (eUnit == UNIT_FREQ_HZ || eUnit == UNIT_FREQ_OFFSET || eUnit == UNIT_FREQ_RATIO)
            ? L"kK"
            : eUnit == UNIT_IMPEDANCE_R ? L"kKM"
            : (eUnit == UNIT_VRMS || eUnit == UNIT_V || eUnit == UNIT_VP || eUnit == UNIT_VPP || eUnit == UNIT_W)
            ? L"mu"
            : L"";
        EXPECT_EQ(CString(CPUnit(eUnit)->GetAllowedMultipliers()), sExpected) << eUnit;
    }
}

TEST(UnitTable, NullHasAnObjectButInvalidIdsHaveNone)
{
    CPUnit null(UNIT_NULL);
    ASSERT_TRUE(null.IsValid());
    EXPECT_TRUE(null->GetName().IsEmpty());
    for (int iUnit : {-1, -2, -3, -5, 1, 14, 33, 39, 80, 82, 1000, -100000}) {
        SCOPED_TRACE(iUnit);
        CPUnit unit(iUnit);
        EXPECT_FALSE(unit.IsValid());
        EXPECT_FALSE(IsValidUnit(iUnit));
        CLogCapture log;
        EXPECT_EQ(unit->GetEUnit(), UNIT_NULL) << "falls back on the UNIT_NULL object";
        EXPECT_EQ(log.Asserts(), 1);
    }
}

TEST(UnitTable, DiagnosticNamesAndLookUpByName)
{
    const std::pair<int, const char*> aNames[] = {
        {UNIT_INVALID, "UNIT_INVALID"},   {UNIT_USECURRENT, "UNIT_USECURRENT"},   {UNIT_USESTORAGE, "UNIT_USESTORAGE"},
        {UNIT_USEFIRST, "UNIT_USEFIRST"}, {UNIT_BINPOWER, "UNIT_BINPOWER"},       {UNIT_JITTER_NSPP, "UNIT_JITTER_NSPP"},
        {7, "UNIT_UNKNOWN"},
    };
    for (const auto& [iUnit, sName] : aNames) EXPECT_STREQ(GetUnitDiagName(iUnit), sName);
    // Every unit's diagnostic name is its automation name, except the peak-to-peak units.
    for (EUnit eUnit : AllUnitIds()) {
        if (eUnit == UNIT_JITTER_UIPP || eUnit == UNIT_JITTER_NSPP) continue;
        EXPECT_EQ(CString(GetUnitDiagName(eUnit)), CPUnit(eUnit)->GetOLEName());
    }

    // By display or automation name, in any case; the first unit of a shared display name wins.
    const std::pair<const wchar_t*, EUnit> aLookUps[] = {
        {L"dbfs", UNIT_DBFS},           {L"UNIT_DBFS", UNIT_DBFS},          {L"V (p-p)", UNIT_VPP},
        {L"UI", UNIT_JITTER_UI},        {L"%", UNIT_RELATIVE_PERCENT},      {L"samples", UNIT_SAMPLES},
        {L"\u00B5s", UNIT_PHASE_US},    {L"unit_jitter_ns", UNIT_JITTER_NS}, {L"UNIT_JITTER_NSPP", UNIT_JITTER_NSPP},
        {L"ns (p-p)", UNIT_JITTER_NSPP}, {L"UNIT_RELATIVE_ANAVSGEN", UNIT_RELATIVE_ANAVSGEN},
        {L"UNIT_BINPOWER", UNIT_INVALID}, {L"UNIT_INVALID", UNIT_INVALID}, {L"furlongs", UNIT_INVALID},
        {L"", UNIT_INVALID},            {nullptr, UNIT_INVALID},
    };
    for (const auto& [sName, eExpected] : aLookUps)
        EXPECT_EQ(FindUnitByName(sName), eExpected) << (sName ? CString(sName).ToUtf8() : "null");
}
