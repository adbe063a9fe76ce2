// The unit table row by row, class groups and predicates, multipliers, invalid ids, names and look-up.

#include "host/units/References.h"
#include "host/units/UnitClasses.h"
#include "host/units/UnitFunctions.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <utility>

namespace {

struct SRow {
    int iUnit;
    const std::type_info& type;
    const wchar_t* sName;
    int iNumDPs;
    double dMin;
    double dMax;
};

// One row of each kind of unit, as the unit table gives them.
const SRow kRows[] = {
    {0, typeid(CUnitNull), L"", 0, 0, 0},
    {9, typeid(CUnitSeconds), L"s", 1, 0, 1},
    {11, typeid(CUnitFreqHz), L"Hz", 2, 0, 500000},
    {20, typeid(CUnitDbfs), L"dBFS", 2, -200, 200},
    {21, typeid(CUnitFs), L"%FS", 5, -10000, 10000},
    {23, typeid(CUnitHex), L"Hex", 0, -SReferences::kFullScaleHex, SReferences::kFullScaleHex},
    {29, typeid(CUnitVpp), L"V (p-p)", 2, -500, 500},
    {37, typeid(CUnitRelativeDb), L"dB", 2, -200, 200},
    {41, typeid(CUnitJitterNs), L"ns", 1, -200, 200},
    {43, typeid(CUnitJitterUiPP), L"UI (p-p)", 2, -10, 10},
    {54, typeid(CUnitPhaseRadians), L"radians", 2, -7, 7},
    {55, typeid(CUnitPhaseUs), L"\u00B5s", 2, -100000, 100000},
    {70, typeid(CUnitImpedanceR), L"R", 2, 0.000001, 1000000},
    {72, typeid(CUnitRelativeGain), L"gain", 2, 0, 100000},
    {81, typeid(CUnitNumPeriods), L"periods", 0, 0, 100000},
};

} // namespace

TEST(UnitTable, RowsOfEachKind)
{
    EXPECT_EQ(AllUnitIds().size(), 44u);
    for (const SRow& row : kRows) {
        SCOPED_TRACE(row.iUnit);
        CPUnit unit(row.iUnit);
        ASSERT_TRUE(unit.IsValid());
        EXPECT_EQ(unit->GetEUnit(), row.iUnit);
        EXPECT_TRUE(typeid(*unit.Get()) == row.type);
        EXPECT_EQ(std::make_tuple(unit->GetName(), unit->GetNumDPs()), std::make_tuple(row.sName, row.iNumDPs));
        double dMin = -1, dMax = -1;
        unit->GetFullRange(dMin, dMax);
        EXPECT_EQ(std::make_pair(dMin, dMax), std::make_pair(row.dMin, row.dMax));
    }
}

TEST(UnitTable, ClassGroupsAgreeWithPredicates)
{
    for (EUnit eUnit : AllUnitIds()) {
        SCOPED_TRACE(eUnit);
        const CUnit* pUnit = FindUnitObject(eUnit);
        EXPECT_EQ(pUnit->IsAmplitudeUnit(), dynamic_cast<const CAmplitudeUnit*>(pUnit) != nullptr);
        EXPECT_EQ(pUnit->IsFrequencyUnit(), dynamic_cast<const CFrequencyUnit*>(pUnit) != nullptr);
        if (pUnit->IsAmplitudeUnit()) {
            EXPECT_NE(pUnit->IsAbsoluteAmplitudeUnit(), pUnit->IsRelativeAmplitudeUnit());
        }
        EXPECT_EQ(pUnit->NegInfinityAllowed(), pUnit->IsdBUnit());
        EXPECT_EQ(pUnit->GetBase(), eUnit == UNIT_HEX ? NUMBERBASE_HEXADECIMAL : NUMBERBASE_DECIMAL);
    }
    EXPECT_NE(dynamic_cast<const CUnitJitterNs*>(FindUnitObject(UNIT_JITTER_NSPP)), nullptr);
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
    EXPECT_EQ(unitsWhere(&CUnit::IsFrequencyUnit), (V{UNIT_FREQ_HZ, UNIT_FREQ_OFFSET, UNIT_FREQ_RATIO}));
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

TEST(UnitTable, NullHasAnObjectButInvalidIdsHaveNone)
{
    CPUnit null(UNIT_NULL);
    ASSERT_TRUE(null.IsValid());
    EXPECT_TRUE(null->GetName().IsEmpty());
    for (int iUnit : {-1, -2, -3, -5, 1, 14, 33, 39, 80, 82, 1000, -100000}) {
        SCOPED_TRACE(iUnit);
        CPUnit unit(iUnit);
        EXPECT_FALSE(unit.IsValid() || IsValidUnit(iUnit));
        CLogCapture log;
        EXPECT_EQ(unit->GetEUnit(), UNIT_NULL) << "falls back on the UNIT_NULL object";
        EXPECT_EQ(log.Asserts(), 1);
    }
}

TEST(UnitTable, DiagnosticNamesAndLookUpByName)
{
    const std::pair<int, const char*> aNames[] = {
        {UNIT_INVALID, "UNIT_INVALID"}, {UNIT_USESTORAGE, "UNIT_USESTORAGE"}, {UNIT_JITTER_NSPP, "UNIT_JITTER_NSPP"},
        {7, "UNIT_UNKNOWN"}};
    for (const auto& [iUnit, sName] : aNames) EXPECT_STREQ(GetUnitDiagName(iUnit), sName);
    // Every unit's diagnostic name is its automation name, except the peak-to-peak units.
    for (EUnit eUnit : AllUnitIds()) {
        if (eUnit == UNIT_JITTER_UIPP || eUnit == UNIT_JITTER_NSPP) continue;
        EXPECT_EQ(CString(GetUnitDiagName(eUnit)), CPUnit(eUnit)->GetOLEName());
    }

    // By display or automation name, in any case; the first unit of a shared display name wins.
    const std::pair<const wchar_t*, EUnit> aLookUps[] = {
        {L"dbfs", UNIT_DBFS}, {L"V (p-p)", UNIT_VPP}, {L"UI", UNIT_JITTER_UI}, {L"%", UNIT_RELATIVE_PERCENT},
        {L"\u00B5s", UNIT_PHASE_US}, {L"unit_jitter_ns", UNIT_JITTER_NS}, {L"ns (p-p)", UNIT_JITTER_NSPP},
        {L"UNIT_BINPOWER", UNIT_INVALID}, {L"furlongs", UNIT_INVALID}, {L"", UNIT_INVALID}, {nullptr, UNIT_INVALID}};
    for (const auto& [sName, eExpected] : aLookUps)
        EXPECT_EQ(FindUnitByName(sName), eExpected) << (sName ? CString(sName).ToUtf8() : "null");
}
