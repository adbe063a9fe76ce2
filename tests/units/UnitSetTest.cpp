// Unit sets: members in order, round trips of every pair, missing and signed values, pseudo and storage units.

#include "host/units/References.h"
#include "host/units/Unit.h"
#include "host/units/UnitSets.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <utility>
#include <vector>

namespace {

using V = std::vector<EUnit>;

// Every set, by id.
std::vector<int> AllSetIds()
{
    std::vector<int> aiIds;
    for (int i = 1; i <= UNITSET_LAST; ++i) aiIds.push_back(i);
    return aiIds;
}

// Realistic references for the quantity of a set, and the storage units its
// family converts besides the members.
struct SSetContext { SReferences refs; V aeStorage; };

SSetContext ContextFor(int iSetId)
{
    const EUnit eFirst = GetUnitSet(iSetId)->GetUnits().front();
    const CUnit* pFirst = FindUnitObject(eFirst);
    if (iSetId == UNITSET_CARRIERAMPL) return {SReferences(), {}};
    if (pFirst->IsAbsoluteAmplitudeUnit())
        return {SReferences::ForAbsoluteY(15455.3019, 7750.0, 150.0, 31.6), {UNIT_HEX}};
    if (pFirst->IsRelativeAmplitudeUnit())
        return {SReferences::ForRelativeY(0.5, 1.25, UNIT_V, UNIT_VRMS), {UNIT_HEX, UNIT_RELATIVE_RATIO}};
    if (pFirst->IsJitterUnit()) return {SReferences::ForJitterY(44100.0, true), {UNIT_HEX}};
    if (iSetId == UNITSET_FFTBINS) return {SReferences::ForFFTX(48000.0, 8193), {}};
    if (iSetId == UNITSET_NUMSAMPLES) return {SReferences::ForTimeX(96000.0, 8, 100), {UNIT_BINS, UNIT_SECONDS}};
    return {SReferences::ForFrequency(997.0, 44100.0), {}};
}

bool Near(double dActual, double dExpected)
{
    return std::fabs(dActual - dExpected) <= 1e-9 * std::fabs(dExpected) + 1e-12;
}

} // namespace

TEST(UnitSet, EverySetHasValidMembers)
{
    for (int iSetId : AllSetIds()) {
        SCOPED_TRACE(GetUnitSetDiagName(iSetId));
        const CUnitSet* pSet = GetUnitSet(iSetId);
        ASSERT_NE(pSet, nullptr);
        ASSERT_GT(pSet->GetCount(), 0);
        for (int i = 0; i < pSet->GetCount(); ++i) EXPECT_TRUE(pSet->IsUnitValid(pSet->GetAt(i)));
        EXPECT_FALSE(pSet->IsUnitValid(UNIT_INVALID));
    }
}

TEST(UnitSet, UnknownSetIdsAndIndicesAreReported)
{
    CLogCapture log;
    for (int iSetId : {0, -1, UNITSET_LAST + 1, 1000}) EXPECT_EQ(GetUnitSet(iSetId), nullptr) << iSetId;
    EXPECT_EQ(log.Asserts(), 4);
    EXPECT_EQ(GetUnitSet(UNITSET_GAIN)->GetAt(2), UNIT_INVALID);
    EXPECT_EQ(GetUnitSet(UNITSET_GAIN)->GetAt(-1), UNIT_INVALID);
    EXPECT_EQ(log.Asserts(), 6);
}

// A -> B -> A for every pair of units (members and storage units) of every
// set, over twelve decades of the underlying quantity.
TEST(UnitSet, EveryPairRoundTrips)
{
    for (int iSetId : AllSetIds()) {
        SCOPED_TRACE(GetUnitSetDiagName(iSetId));
        const CUnitSet* pSet = GetUnitSet(iSetId);
        const SSetContext context = ContextFor(iSetId);
        V aeUnits = pSet->GetUnits();
        aeUnits.insert(aeUnits.end(), context.aeStorage.begin(), context.aeStorage.end());
        // Sweep in the first linear unit; dB units then sweep the matching dB values.
        EUnit eSweep = UNIT_INVALID;
        for (EUnit eUnit : aeUnits)
            if (!FindUnitObject(eUnit)->IsdBUnit()) { eSweep = eUnit; break; }
        ASSERT_NE(eSweep, UNIT_INVALID);
        for (int iDecade = -3; iDecade <= 9; ++iDecade) {
            const double dQuantity = 1.37 * std::pow(10.0, iDecade);
            for (EUnit eA : aeUnits) {
                const double dA = pSet->ConvertValue(dQuantity, eSweep, eA, &context.refs);
                for (EUnit eB : aeUnits) {
                    const double dB = pSet->ConvertValue(dA, eA, eB, &context.refs);
                    const double dBack = pSet->ConvertValue(dB, eB, eA, &context.refs);
                    EXPECT_TRUE(Near(dBack, dA)) << GetUnitDiagName(eA) << " -> " << GetUnitDiagName(eB) << ": "
                                                 << dA << " came back as " << dBack;
                }
            }
        }
    }
}

TEST(UnitSet, MissingValuePassesEveryConversion)
{
    for (int iSetId : AllSetIds()) {
        const CUnitSet* pSet = GetUnitSet(iSetId);
        const SSetContext context = ContextFor(iSetId);
        for (EUnit eA : pSet->GetUnits())
            for (EUnit eB : pSet->GetUnits()) {
                EXPECT_EQ(pSet->ConvertValue(DBL_MAX, eA, eB, nullptr), DBL_MAX);
                EXPECT_EQ(pSet->ConvertValue(DBL_MAX, eA, eB, &context.refs), DBL_MAX);
            }
    }
}

TEST(UnitSet, SignedLinearValuesKeepTheirSign)
{
    const CUnitSet* pSet = GetUnitSet(UNITSET_AMPLITUDE_GENERATOR);
    const SReferences refs = SReferences::ForAbsoluteY(15455.3019, 0.0, 600.0, 0.0);
    for (EUnit eUnit : {UNIT_FS, UNIT_FFS, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_W, UNIT_PERCENTREF}) {
        const double dValue = pSet->ConvertValue(-1234.5, UNIT_HEX, eUnit, &refs);
        EXPECT_LT(dValue, 0.0) << GetUnitDiagName(eUnit);
        EXPECT_TRUE(Near(pSet->ConvertValue(dValue, eUnit, UNIT_HEX, &refs), -1234.5));
    }
}

TEST(UnitSet, PseudoAndStorageUnits)
{
    EXPECT_NEAR(GetUnitSet(UNITSET_AMPLITUDEREL)->ConvertValue(10.0, UNIT_RELATIVE_GAIN, UNIT_USEFIRST, nullptr), 20.0,
                1e-12); // the first member: dB
    // A family converts its storage units besides its members, and nothing outside it.
    EXPECT_TRUE(GetUnitSet(UNITSET_CARRIERJITTER)->CanConvert(UNIT_HEX));
    EXPECT_FALSE(GetUnitSet(UNITSET_CARRIERJITTER)->IsUnitValid(UNIT_HEX));
    EXPECT_TRUE(GetUnitSet(UNITSET_NUMSAMPLES)->CanConvert(UNIT_BINS));
    EXPECT_TRUE(GetUnitSet(UNITSET_CARRIERJITTERPP)->CanConvert(UNIT_JITTER_UI));
    EXPECT_FALSE(GetUnitSet(UNITSET_DEVIATION)->CanConvert(UNIT_FREQ_HZ));
    EXPECT_FALSE(GetUnitSet(UNITSET_DEVIATION)->CanConvert(UNIT_USESTORAGE));
    CLogCapture log;
    EXPECT_EQ(GetUnitSet(UNITSET_AMPLITUDE_ANALYSER)->ConvertValue(1.0, UNIT_FREQ_HZ, UNIT_DBFS, nullptr), DBL_MAX);
    EXPECT_EQ(GetUnitSet(UNITSET_FREQUENCY)->ConvertValue(1.0, UNIT_FREQ_HZ, UNIT_INVALID, nullptr), DBL_MAX);
    EXPECT_EQ(log.Asserts(), 2);
}
