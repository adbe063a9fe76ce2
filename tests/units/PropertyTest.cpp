// Unit properties (conversion through pseudo units, own references, valid units, choices) and value formatting.

#include "host/units/DblUnitProperty.h"
#include "host/units/References.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitSets.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cfloat>

TEST(UnitProperty, ConvertResolvesPseudoUnits)
{
    CDblUnitProperty property(3208, UNITSET_AMPLITUDE_ANALYSER, UNIT_HEX, UNIT_DBU);
    const SReferences refs = SReferences::ForAbsoluteY(15455.3019, 0.0, 600.0, 20.0);
    EXPECT_NEAR(property.Convert(SReferences::kFullScaleSineHex, UNIT_USESTORAGE, UNIT_DBFS, &refs), 0.0, 1e-12);
    EXPECT_NEAR(property.Convert(SReferences::kFullScaleSineHex, UNIT_USESTORAGE, UNIT_USECURRENT, &refs), 26.0, 0.005);
    EXPECT_NEAR(property.Convert(0.0, UNIT_USEFIRST, UNIT_USESTORAGE, &refs), SReferences::kFullScaleSineHex, 1e-6);
    EXPECT_EQ(property.Convert(DBL_MAX, UNIT_USESTORAGE, UNIT_DBU, &refs), DBL_MAX);
}

TEST(UnitProperty, OwnReferencesServeWhenNoneAreGiven)
{
    CDblUnitProperty property(1, UNITSET_FREQUENCY, UNIT_FREQ_HZ, UNIT_FREQ_HZ);
    property.SetReferences(SReferences::ForFrequency(500.0));
    property.SetValueInUnit(2.0, UNIT_FREQ_RATIO);
    EXPECT_NEAR(property.GetValue(), 1000.0, 1e-12);
    EXPECT_NEAR(property.GetValueInUnit(UNIT_FREQ_OFFSET), 500.0, 1e-12);
    const SReferences other = SReferences::ForFrequency(250.0);
    EXPECT_NEAR(property.GetValueInUnit(UNIT_FREQ_RATIO, &other), 4.0, 1e-12);
}

TEST(UnitProperty, FailuresAreReportedAndGiveTheMissingValue)
{
    CDblUnitProperty noSet(1, static_cast<const CUnitSet*>(nullptr), UNIT_NULL, UNIT_NULL);
    CDblUnitProperty amplitude(2, UNITSET_AMPLITUDE_ANALYSER, UNIT_HEX, UNIT_DBFS);
    CLogCapture log;
    EXPECT_EQ(noSet.Convert(3.5, UNIT_NULL, UNIT_USESTORAGE, nullptr), 3.5) << "equal units need no set";
    EXPECT_EQ(log.Asserts(), 0);
    EXPECT_EQ(noSet.Convert(3.5, UNIT_MS, UNIT_SECONDS, nullptr), DBL_MAX);
    EXPECT_EQ(amplitude.Convert(3.5, UNIT_FREQ_HZ, UNIT_USESTORAGE, nullptr), DBL_MAX);
    EXPECT_EQ(amplitude.Convert(3.5, UNIT_INVALID, UNIT_INVALID, nullptr), DBL_MAX);
    EXPECT_EQ(log.Asserts(), 3);
}

TEST(UnitProperty, ValidUnitsAndChoicesFollowTheSet)
{
    CDblUnitProperty relative(1, UNITSET_AMPLITUDEREL, UNIT_HEX, UNIT_RELATIVE_DB);
    EXPECT_TRUE(relative.IsUnitValid(UNIT_RELATIVE_GAIN));
    EXPECT_FALSE(relative.IsUnitValid(UNIT_HEX)) << "storage units are not offered";
    EXPECT_FALSE(relative.IsUnitValid(UNIT_DBFS));
    CDblUnitProperty noSet(2, static_cast<const CUnitSet*>(nullptr), UNIT_NULL, UNIT_NULL);
    EXPECT_TRUE(noSet.IsUnitValid(UNIT_DBFS));
    EXPECT_FALSE(noSet.IsUnitValid(UNIT_BINPOWER));

    CLogCapture log;
    EXPECT_FALSE(relative.SetInUnit(UNIT_DBFS));
    EXPECT_EQ(relative.GetInUnit(), UNIT_RELATIVE_DB);
    EXPECT_EQ(log.Asserts(), 1);
    EXPECT_TRUE(relative.SetInUnit(UNIT_RELATIVE_PERCENT));
    EXPECT_EQ(relative.GetInUnit(), UNIT_RELATIVE_PERCENT);

    // The choices offered: the set's members in order.
    const auto aChoices = relative.FillCombo();
    EXPECT_EQ(aChoices, (std::remove_const_t<decltype(aChoices)>{
                            {UNIT_RELATIVE_DB, L"dB"}, {UNIT_RELATIVE_PERCENT, L"%"}, {UNIT_RELATIVE_GAIN, L"gain"}}));
    EXPECT_EQ(relative.FillMenu(), aChoices);
    EXPECT_TRUE(noSet.FillCombo().empty());
}

TEST(UnitFormat, DoFormatValue)
{
    SFormat noPlaces;
    noPlaces.m_iNumDPs = 0;
    SFormat withUnit;
    withUnit.m_bIncludeUnit = true;
    const struct {
        double dValue;
        int iUnit;
        int iFlags;
        const SFormat* pFormat;
        const wchar_t* sExpected;
    } kCases[] = {
        {0.0, UNIT_DBFS, 0, nullptr, L"0.00"},
        {-3.0103, UNIT_DBFS, FORMAT_INCLUDEUNIT, nullptr, L"-3.01 dBFS"},
        {-0.001, UNIT_DBFS, 0, nullptr, L"0.00"},
        {3.0, UNIT_DBFS, FORMAT_INCLUDESIGN, nullptr, L"+3.00"},
        {3.0, UNIT_DBR, 0, nullptr, L"+3.00"},
        {12.5, UNIT_FREQ_OFFSET, 0, nullptr, L"+12.50"},
        {1.2345678, UNIT_FS, 0, nullptr, L"1.23457"},
        {1234.56, UNIT_FREQ_HZ, 0, &noPlaces, L"1235"},
        {12.5, UNIT_PHASE_US, 0, &withUnit, L"12.50 \u00B5s"},
        {SReferences::kFullScaleSineHex, UNIT_HEX, 0, nullptr, L"5A8278"},
        {-SReferences::kFullScaleHex, UNIT_HEX, FORMAT_INCLUDEUNIT, nullptr, L"-7FFFFF Hex"},
        {0.4, UNIT_HEX, 0, nullptr, L"0"},
        {DBL_MAX, UNIT_DBFS, FORMAT_INCLUDEUNIT, nullptr, L"---"},
        {-DBL_MAX, UNIT_DBFS, 0, nullptr, L"-200.00"},
        {-DBL_MAX, UNIT_RELATIVE_DB, FORMAT_INCLUDEUNIT, nullptr, L"-200.00 dB"},
        {-DBL_MAX, UNIT_V, 0, nullptr, L"-inf"},
        {7.0, UNIT_NULL, FORMAT_INCLUDEUNIT, nullptr, L"7"},
        {1.5, UNIT_RELATIVE_ANAVSGEN, FORMAT_INCLUDEUNIT, nullptr, L"1.50"},
    };
    for (const auto& test : kCases)
        EXPECT_EQ(CQXProperty::DoFormatValue(test.dValue, test.iUnit, test.iFlags, test.pFormat), test.sExpected)
            << test.dValue << " in " << GetUnitDiagName(test.iUnit);
}

TEST(UnitFormat, UnknownUnitIsReportedAndDecimalPlacesFormats)
{
    CLogCapture log;
    EXPECT_EQ(CQXProperty::DoFormatValue(1.5, UNIT_INVALID, FORMAT_INCLUDEUNIT, nullptr), L"1.50");
    EXPECT_EQ(log.Asserts(), 1);
    const struct { int iDPs; int iFlags; const wchar_t* sExpected; } kCases[] = {
        {2, 0, L"%.2f"}, {3, FORMAT_INCLUDESIGN, L"%+.3f"}, {-1, 0, L"%.0f"}, {40, 0, L"%.15f"}};
    for (const auto& c : kCases) EXPECT_EQ(GetDPsString(c.iDPs, c.iFlags), c.sExpected) << c.iDPs;
}
