// The unit table: class groups against their predicates, multipliers, invalid ids, names and look-up.

#include "host/units/UnitClasses.h"
#include "host/units/UnitFunctions.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <utility>

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
