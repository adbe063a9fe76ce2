// Unit sets: members in order, round trips of every pair, missing and signed values, pseudo and storage units.

#include "host/units/References.h"
#include "host/units/Unit.h"
#include "host/units/UnitSets.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <map>

namespace {

using V = std::vector<EUnit>;

const std::map<int, V>& ExpectedMembers()
{
    static const std::map<int, V> members = {
        {UNITSET_AMPLITUDE_ANALYSER,
         {UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_V, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W, UNIT_DBSPL, UNIT_DBR,
          UNIT_PERCENTREF}},
        {UNITSET_AMPLITUDE_GENERATOR,
         {UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W,
          UNIT_DBSPL, UNIT_DBR, UNIT_PERCENTREF}},
        {UNITSET_AMPLITUDE_SIGNALANALYSER,
         {UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_V, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W, UNIT_DBSPL, UNIT_DBR,
          UNIT_PERCENTREF}},
        {UNITSET_REFAMPLITUDE,
         {UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W,
          UNIT_DBSPL}},
        {UNITSET_SPLREF,
         {UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W}},
        {UNITSET_TRIGGERTHRESHOLD,
         {UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W,
          UNIT_DBSPL, UNIT_DBR, UNIT_PERCENTREF}},
        {UNITSET_ANALOGUERANGE, {UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU}},
        {UNITSET_DALINEUP, {UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W}},
        {UNITSET_SOUNDCARDLINEUP, {UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV}},
        {UNITSET_DCOFFSET, {UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX}},
        {UNITSET_AMPLITUDEREL, {UNIT_RELATIVE_DB, UNIT_RELATIVE_PERCENT, UNIT_RELATIVE_GAIN}},
        {UNITSET_AMPLITUDERELANAVSGEN,
         {UNIT_RELATIVE_DB, UNIT_RELATIVE_PERCENT, UNIT_RELATIVE_GAIN, UNIT_RELATIVE_ANAVSGEN}},
        {UNITSET_AMPLITUDERATIO, {UNIT_RELATIVE_RATIO}},
        {UNITSET_GAIN, {UNIT_RELATIVE_GAIN, UNIT_RELATIVE_DB}},
        {UNITSET_ANALOGUEPHASE, {UNIT_PHASE_DEGREES, UNIT_PHASE_RADIANS, UNIT_PHASE_US}},
        {UNITSET_DIGITALPHASE, {UNIT_PHASE_DEGREES, UNIT_PHASE_SAMPLES, UNIT_PHASE_RADIANS, UNIT_PHASE_US}},
        {UNITSET_CARRIERPHASE, {UNIT_PHASE_UI, UNIT_PHASE_PERCENT, UNIT_PHASE_DEGREES}},
        {UNITSET_CARRIERJITTER, {UNIT_JITTER_UI, UNIT_JITTER_NS, UNIT_JITTER_DBUI}},
        {UNITSET_CARRIERJITTERPP, {UNIT_JITTER_UIPP, UNIT_JITTER_NSPP}},
        {UNITSET_CARRIERAMPL, {UNIT_V}},
        {UNITSET_FREQUENCY, {UNIT_FREQ_HZ, UNIT_FREQ_OFFSET, UNIT_FREQ_RATIO}},
        {UNITSET_FREQUENCYABS, {UNIT_FREQ_HZ}},
        {UNITSET_FREQUENCYRATIO, {UNIT_FREQ_RATIO}},
        {UNITSET_FFTBINS, {UNIT_BINS, UNIT_FREQ_HZ}},
        {UNITSET_DEVIATION, {UNIT_PPM}},
        {UNITSET_DUTYCYCLE, {UNIT_DUTYCYCLE_PERCENT, UNIT_DUTYCYCLE_SAMPLES}},
        {UNITSET_BURSTDURATION, {UNIT_MS, UNIT_NUMPERIODS}},
        {UNITSET_NUMSAMPLES, {UNIT_MS, UNIT_SAMPLES}},
        {UNITSET_IMPEDANCE, {UNIT_IMPEDANCE_R}},
    };
    return members;
}

// Realistic references for the quantity of a set, and the storage units its
// family converts besides the members.
struct SSetContext {
    SReferences refs;
    V aeStorage;
};

SSetContext ContextFor(int iSetId)
{
    const V members = ExpectedMembers().at(iSetId);
    const EUnit eFirst = members.front();
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

TEST(UnitSet, EverySetHasItsMembersInOrder)
{
    for (const auto& [iSetId, aeMembers] : ExpectedMembers()) {
        SCOPED_TRACE(GetUnitSetDiagName(iSetId));
        const CUnitSet* pSet = GetUnitSet(iSetId);
        ASSERT_NE(pSet, nullptr);
        EXPECT_EQ(pSet->GetUnits(), aeMembers);
        ASSERT_EQ(pSet->GetCount(), static_cast<int>(aeMembers.size()));
        for (int i = 0; i < pSet->GetCount(); ++i) {
            EXPECT_EQ(pSet->GetAt(i), aeMembers[static_cast<size_t>(i)]);
            EXPECT_TRUE(pSet->IsUnitValid(aeMembers[static_cast<size_t>(i)]));
        }
        EXPECT_FALSE(pSet->IsUnitValid(UNIT_INVALID));
    }
    EXPECT_EQ(ExpectedMembers().size(), static_cast<size_t>(UNITSET_LAST));
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
    for (const auto& [iSetId, aeMembers] : ExpectedMembers()) {
        SCOPED_TRACE(GetUnitSetDiagName(iSetId));
        const CUnitSet* pSet = GetUnitSet(iSetId);
        const SSetContext context = ContextFor(iSetId);
        V aeUnits = aeMembers;
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
    for (const auto& [iSetId, aeMembers] : ExpectedMembers()) {
        const CUnitSet* pSet = GetUnitSet(iSetId);
        const SSetContext context = ContextFor(iSetId);
        for (EUnit eA : aeMembers)
            for (EUnit eB : aeMembers) {
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
