// Unit conversions at known points: digital full scale, analogue levels, references, relative, jitter,
// frequency, phase and time; minus infinity and the missing value; default units and kinds of unit.

#include "host/units/References.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitSets.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <numbers>
#include <tuple>

namespace {

constexpr double kRangemV = 15455.3019;
constexpr double kSineHex = SReferences::kFullScaleSineHex;

double Convert(int iSetId, double dValue, EUnit eFrom, EUnit eTo, const SReferences* pRefs = nullptr)
{
    return GetUnitSet(iSetId)->ConvertValue(dValue, eFrom, eTo, pRefs);
}

} // namespace

TEST(UnitConversion, DigitalFullScalePoints)
{
    EXPECT_NEAR(ConvertHexTodBFS(kSineHex), 0.0, 1e-12);
    EXPECT_NEAR(ConvertHexTodBFS(SReferences::kFullScaleHex), 3.0103, 5e-5);
    EXPECT_NEAR(ConvertHexToFS(kSineHex), 100.0, 1e-9);
    EXPECT_NEAR(ConvertHexToFFS(kSineHex / 2), 0.5, 1e-12);
    EXPECT_NEAR(ConvertdBFSToHex(0.0), kSineHex, 1e-6);
    EXPECT_NEAR(ConvertdBFSToHex(-6.0206), kSineHex / 2, 1.0);
    EXPECT_NEAR(ConvertHexTodB(1000.0, 100.0), 20.0, 1e-12);
    EXPECT_NEAR(ConvertdBToHex(-20.0, 1000.0), 100.0, 1e-9);
}

TEST(UnitConversion, AnalogueLevelsThroughTheRangeReference)
{
    // The default range is the RMS voltage of the full-scale sine: +26 dBu.
    EXPECT_NEAR(ConvertHexTodBu(kSineHex, kRangemV), 26.0, 0.005);
    EXPECT_NEAR(ConvertHexToV(kSineHex, kRangemV), 15.4553019, 1e-9);
    const double dOneVolt = ConvertVToHex(1.0, kRangemV);
    EXPECT_NEAR(ConvertHexTodBV(dOneVolt, kRangemV), 0.0, 1e-12);
    EXPECT_NEAR(ConvertHexTodBu(dOneVolt, kRangemV), 2.2185, 5e-5);
    // 0.7746 V into 600 ohms is 1 mW.
    const double dDbuLevel = ConvertVToHex(0.7746, kRangemV);
    EXPECT_NEAR(ConvertHexTodBm(dDbuLevel, kRangemV, 600.0), 0.0, 1e-4);
    EXPECT_NEAR(ConvertHexToW(dDbuLevel, kRangemV, 600.0), 1e-3, 1e-7);
    // 1 V where 0 dBSPL reads 20 mV: +33.98 dBSPL.
    EXPECT_NEAR(ConvertHexTodBSPL(dOneVolt, kRangemV, 20.0), 33.9794, 5e-5);
    // Peak and peak-to-peak volts, and watts into the reference impedance.
    const SReferences refs = SReferences::ForAbsoluteY(kRangemV, 0.0, 600.0, 0.0);
    const double dHex = ConvertVToHex(2.0, kRangemV);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDE_GENERATOR, dHex, UNIT_HEX, UNIT_VP, &refs), 2.0 * std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDE_GENERATOR, dHex, UNIT_HEX, UNIT_VPP, &refs), 4.0 * std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDE_ANALYSER, 2.0, UNIT_V, UNIT_W, &refs), 4.0 / 600.0, 1e-15);
}

TEST(UnitConversion, ReferenceAmplitudeUnits)
{
    // Analogue reference in mV, digital reference as a sample magnitude.
    const SReferences analogue = SReferences::ForAbsoluteY(kRangemV, 500.0, 600.0, 20.0);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDE_ANALYSER, 1.0, UNIT_V, UNIT_DBR, &analogue), 6.0206, 5e-5);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDE_ANALYSER, 0.25, UNIT_V, UNIT_PERCENTREF, &analogue), 50.0, 1e-9);
    const SReferences digital = SReferences::ForAbsoluteY(kRangemV, 1000.0, 600.0, 20.0, true, true);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDE_ANALYSER, 100.0, UNIT_HEX, UNIT_DBR, &digital), -20.0, 1e-12);
    // Without references 0 dBr is the full-scale sine.
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDE_ANALYSER, kSineHex, UNIT_HEX, UNIT_DBR), 0.0, 1e-12);
}

TEST(UnitConversion, ZeroIsMinusInfinityInEveryDbUnitAndTheMissingValuePasses)
{
    const SReferences refs = SReferences::ForAbsoluteY(kRangemV, 500.0, 600.0, 20.0);
    for (EUnit eUnit : {UNIT_DBFS, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_DBSPL, UNIT_DBR}) {
        EXPECT_EQ(Convert(UNITSET_AMPLITUDE_GENERATOR, 0.0, UNIT_HEX, eUnit, &refs), -DBL_MAX);
        EXPECT_EQ(Convert(UNITSET_AMPLITUDE_GENERATOR, -DBL_MAX, eUnit, UNIT_VRMS, &refs), 0.0);
        EXPECT_EQ(Convert(UNITSET_AMPLITUDE_GENERATOR, -DBL_MAX, eUnit, UNIT_DBFS, &refs), -DBL_MAX);
    }
    EXPECT_EQ(Convert(UNITSET_AMPLITUDEREL, 0.0, UNIT_RELATIVE_PERCENT, UNIT_RELATIVE_DB), -DBL_MAX);
    EXPECT_EQ(Convert(UNITSET_CARRIERJITTER, 0.0, UNIT_JITTER_NS, UNIT_JITTER_DBUI), -DBL_MAX);
    EXPECT_EQ(ConvertHexTodBFS(0.0), -DBL_MAX);
    EXPECT_EQ(ConvertHexTodBFS(0.0, 1), -200.0);
    EXPECT_EQ(ConvertHexTodBu(0.0, kRangemV, 1), -200.0);
    EXPECT_EQ(ConvertdBFSToHex(-DBL_MAX), 0.0);
    // The missing value passes; minus infinity in a linear unit stays minus infinity.
    EXPECT_EQ(ConvertHexTodBFS(DBL_MAX), DBL_MAX);
    EXPECT_EQ(ConvertHexToV(DBL_MAX, kRangemV), DBL_MAX);
    EXPECT_EQ(ConvertUITons(DBL_MAX, 48000.0), DBL_MAX);
    EXPECT_EQ(Convert(UNITSET_AMPLITUDE_GENERATOR, -DBL_MAX, UNIT_HEX, UNIT_VRMS), -DBL_MAX);
    EXPECT_EQ(Convert(UNITSET_AMPLITUDE_GENERATOR, -DBL_MAX, UNIT_HEX, UNIT_DBFS), -DBL_MAX);
    // dB of a negative amplitude reads its magnitude.
    EXPECT_NEAR(ConvertHexTodBFS(-kSineHex), 0.0, 1e-12);
    CLogCapture log;
    EXPECT_EQ(ConvertHexTodB(1.0, 0.0), DBL_MAX);
    EXPECT_EQ(log.Asserts(), 1);
}

TEST(UnitConversion, RelativeAmplitudes)
{
    const SReferences refs = SReferences::ForRelativeY(0.5, 1.25, UNIT_V, UNIT_VRMS);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDERELANAVSGEN, 2.0, UNIT_RELATIVE_GAIN, UNIT_RELATIVE_DB, &refs), 6.0206, 5e-5);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDERELANAVSGEN, 2.0, UNIT_RELATIVE_GAIN, UNIT_RELATIVE_PERCENT, &refs), 200.0, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDERELANAVSGEN, 2.0, UNIT_RELATIVE_GAIN, UNIT_RELATIVE_ANAVSGEN, &refs), 2.5, 1e-12);
    // Stored sample magnitudes read against the reference (0.5 V through the default range).
    const double dOneVolt = ConvertVToHex(1.0, kRangemV);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDEREL, dOneVolt, UNIT_HEX, UNIT_RELATIVE_DB, &refs), 6.0206, 5e-5);
    const SReferences hexRefs = SReferences::ForRelativeY(SReferences::kFullScaleHex, 1.0, UNIT_INVALID, UNIT_INVALID);
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDEREL, SReferences::kFullScaleHex, UNIT_HEX, UNIT_RELATIVE_GAIN, &hexRefs), 1.0, 1e-12);
    // A missing reference falls back on the full-scale sine.
    EXPECT_NEAR(Convert(UNITSET_AMPLITUDEREL, kSineHex, UNIT_HEX, UNIT_RELATIVE_DB), 0.0, 1e-12);
}

TEST(UnitConversion, Jitter)
{
    // One UI of a 48 kHz interface: 1 / (128 * 48000) s.
    EXPECT_NEAR(ConvertUITons(1.0, 48000.0), 162.7604167, 1e-6);
    EXPECT_NEAR(ConvertUIToDataJitterHex(10.0), kSineHex, 1e-6);
    EXPECT_NEAR(ConvertUITofsJitterHex(0.5), kSineHex / 2, 1e-6);
    const SReferences data = SReferences::ForJitterY(48000.0, true);
    EXPECT_NEAR(Convert(UNITSET_CARRIERJITTER, 0.1, UNIT_JITTER_UI, UNIT_JITTER_DBUI, &data), -20.0, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_CARRIERJITTER, kSineHex, UNIT_HEX, UNIT_JITTER_UI, &data), 10.0, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_CARRIERJITTERPP, 0.25, UNIT_JITTER_UI, UNIT_JITTER_UIPP, &data), 0.5, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_CARRIERJITTERPP, 1.0, UNIT_JITTER_UIPP, UNIT_JITTER_NSPP, &data), 162.7604167, 1e-6);
    // The demodulator's default range of -200 .. 0 dBUI in samples.
    const SReferences fs = SReferences::ForJitterY(48000.0, false);
    EXPECT_NEAR(Convert(UNITSET_CARRIERJITTER, 0.0, UNIT_JITTER_DBUI, UNIT_HEX, &fs), kSineHex, 1e-6);
}

TEST(UnitConversion, FrequencyBinsAndSampleRates)
{
    // 1 kHz at 48 kHz with a 1024-point FFT (513 points).
    const SReferences fft = SReferences::ForFFTX(48000.0, 513);
    EXPECT_NEAR(Convert(UNITSET_FFTBINS, 1000.0, UNIT_FREQ_HZ, UNIT_BINS, &fft), 21.3333333, 1e-6);
    EXPECT_NEAR(Convert(UNITSET_FFTBINS, 512.0, UNIT_BINS, UNIT_FREQ_HZ, &fft), 24000.0, 1e-9);
    const SReferences ref = SReferences::ForFrequency(1000.0);
    EXPECT_NEAR(Convert(UNITSET_FREQUENCY, 1100.0, UNIT_FREQ_HZ, UNIT_FREQ_OFFSET, &ref), 100.0, 1e-9);
    EXPECT_NEAR(Convert(UNITSET_FREQUENCY, 1100.0, UNIT_FREQ_HZ, UNIT_FREQ_RATIO, &ref), 1.1, 1e-12);
}

TEST(UnitConversion, PhaseTimeAndCycles)
{
    const SReferences refs = SReferences::ForFrequency(1000.0, 48000.0);
    EXPECT_NEAR(Convert(UNITSET_DIGITALPHASE, 90.0, UNIT_PHASE_DEGREES, UNIT_PHASE_RADIANS, &refs), std::numbers::pi / 2, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_DIGITALPHASE, 90.0, UNIT_PHASE_DEGREES, UNIT_PHASE_US, &refs), 250.0, 1e-9);
    EXPECT_NEAR(Convert(UNITSET_DIGITALPHASE, 90.0, UNIT_PHASE_DEGREES, UNIT_PHASE_SAMPLES, &refs), 12.0, 1e-9);
    EXPECT_NEAR(Convert(UNITSET_CARRIERPHASE, 128.0, UNIT_PHASE_UI, UNIT_PHASE_PERCENT), 100.0, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_CARRIERPHASE, 32.0, UNIT_PHASE_UI, UNIT_PHASE_DEGREES), 90.0, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_DUTYCYCLE, 50.0, UNIT_DUTYCYCLE_PERCENT, UNIT_DUTYCYCLE_SAMPLES, &refs), 24.0, 1e-9);
    EXPECT_NEAR(Convert(UNITSET_BURSTDURATION, 10.0, UNIT_MS, UNIT_NUMPERIODS, &refs), 10.0, 1e-9);
    // Scope time axis: 8 bins per sample, 100 samples before the origin.
    const SReferences time = SReferences::ForTimeX(48000.0, 8, 100);
    EXPECT_NEAR(Convert(UNITSET_NUMSAMPLES, 800.0, UNIT_BINS, UNIT_MS, &time), 0.0, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_NUMSAMPLES, 1280.0, UNIT_BINS, UNIT_MS, &time), 1.25, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_NUMSAMPLES, 0.0, UNIT_BINS, UNIT_SAMPLES, &time), -100.0, 1e-12);
    EXPECT_NEAR(Convert(UNITSET_NUMSAMPLES, 48.0, UNIT_SAMPLES, UNIT_MS), 1.0, 1e-12);
}

TEST(UnitConversion, SampleRateFamily)
{
    class CSampleRateSet : public CUnitSetSampleRateBase {
    public:
        CSampleRateSet() { AddUnits(UNIT_FREQ_HZ, UNIT_FREQ_OFFSET, UNIT_FREQ_RATIO, UNIT_PPM); }
    } set;
    const SReferences refs = SReferences::ForFrequency(0.0, 48000.0);
    EXPECT_NEAR(set.ConvertValue(48048.0, UNIT_FREQ_HZ, UNIT_PPM, &refs), 1000.0, 1e-9);
    EXPECT_NEAR(set.ConvertValue(48048.0, UNIT_FREQ_HZ, UNIT_FREQ_OFFSET, &refs), 48.0, 1e-9);
    EXPECT_NEAR(set.ConvertValue(-500.0, UNIT_PPM, UNIT_FREQ_RATIO, &refs), 0.9995, 1e-12);
}

TEST(UnitConversion, UnusableReferencesFallBackOnDefaults)
{
    SReferences refs = SReferences::ForAbsoluteY(0.0, -1.0, 0.0, DBL_MAX);
    EXPECT_EQ(std::make_tuple(refs.AnalogueRangemV(), refs.Impedance(), refs.ZerodBSPLmV(), refs.ReferenceHex()),
              std::make_tuple(SReferences::kDefaultAnalogueRangemV, SReferences::kDefaultImpedance,
                              SReferences::kDefaultZerodBSPLmV, kSineHex));
    refs.SetUnlocked(true);
    EXPECT_TRUE(refs.IsUnlocked() && refs.GetType() == SReferences::REFS_ABSOLUTE_Y);
    // A kind that does not carry a value gives the default, not another field.
    const SReferences fft = SReferences::ForFFTX(96000.0, 513);
    EXPECT_EQ(std::make_tuple(fft.ReferenceFrequency(), fft.SampleRate(), fft.FFTLength()),
              std::make_tuple(SReferences::kDefaultReferenceFrequency, 96000.0, 1024));
    EXPECT_EQ(SReferences().FFTLength(), SReferences::kDefaultFFTLength);
}

TEST(UnitConversion, DefaultAndPanelUnits)
{
    CLogCapture log;
    EXPECT_EQ(GetDefaultAnalogueUnit(0), UNIT_INVALID);
    EXPECT_EQ(log.Asserts(), 1);

    // The panel units are settable and refuse invalid ids.
    const EUnit eAnalyser = GetAnalyzerUnit();
    const EUnit eGenerator = GetGeneratorUnit();
    EXPECT_TRUE(SetAnalyzerUnit(UNIT_DBU));
    EXPECT_EQ(GetAnalyzerUnit(), UNIT_DBU);
    EXPECT_FALSE(SetGeneratorUnit(UNIT_BINPOWER));
    EXPECT_EQ(GetGeneratorUnit(), eGenerator);
    EXPECT_EQ(log.Asserts(), 2);
    SetAnalyzerUnit(eAnalyser);
}

TEST(UnitConversion, KindsOfUnit)
{
    const struct { int iA, iB; bool bSame; } kCases[] = {
        {UNIT_DBFS, UNIT_V, true},          {UNIT_DBR, UNIT_DBU, true},
        {UNIT_DBFS, UNIT_RELATIVE_DB, false}, {UNIT_RELATIVE_DB, UNIT_RELATIVE_GAIN, true},
        {UNIT_FREQ_HZ, UNIT_BINS, true},    {UNIT_MS, UNIT_BINS, true},
        {UNIT_MS, UNIT_NUMPERIODS, true},   {UNIT_PPM, UNIT_BINS, false},
        {UNIT_PHASE_DEGREES, UNIT_PHASE_UI, true}, {UNIT_PHASE_RADIANS, UNIT_PHASE_UI, false},
        {UNIT_JITTER_UI, UNIT_PHASE_UI, false}, {UNIT_JITTER_NSPP, UNIT_JITTER_DBUI, true},
        {UNIT_NULL, UNIT_NULL, true},       {UNIT_NULL, UNIT_DBFS, false},
        {UNIT_INVALID, UNIT_INVALID, false}, {UNIT_BINPOWER, UNIT_BINS, false},
    };
    for (const auto& test : kCases) {
        EXPECT_EQ(AreSameKindsOfUnit(test.iA, test.iB), test.bSame) << test.iA << ", " << test.iB;
        EXPECT_EQ(AreSameKindsOfUnit(test.iB, test.iA), test.bSame) << test.iB << ", " << test.iA;
    }
    EXPECT_TRUE(IsDigitalAmplitudeUnit(UNIT_DBFS, UNIT_HEX));
    EXPECT_FALSE(IsDigitalAmplitudeUnit(UNIT_DBFS, UNIT_V) || IsDigitalAmplitudeUnit(UNIT_INVALID, UNIT_HEX));
}
