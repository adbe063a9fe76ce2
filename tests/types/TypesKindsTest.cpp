// Every trace kind as the graph document's factory builds it: its type, units
// and unit sets, storage units, scale kind, default Y window, name and copies;
// and the limit line's answers through its parent.

#include "support/HostDocFixture.h"
#include "host/settings/SettingsIds.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitSet.h"
#include "trace/limits/LimitLine.h"
#include "trace/types/CTFFTTrace.h"
#include "trace/types/CTTrace.h"
#include "trace/types/FFTResponseTrace.h"
#include "trace/types/FFTTrace.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/ImpulseWindowFunction.h"
#include "trace/types/ScopeTrace.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/TraceKindTables.h"
#include "trace/types/UserTrace.h"
#include "trace/types/WindowFunction.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <ostream>
#include <string>

namespace {

using Maker = std::function<CQXTrace*(ChannelNumber)>;

struct SKind {
    const char* szClass;
    Maker make;
    TraceType eType;
    EUnit eXStorage;
    EUnit eYStorage;
    ScaleType eScale;
    const wchar_t* szTypeText;
};
// Parameters print as their class name in test listings.
void PrintTo(const SKind& kind, std::ostream* os) { *os << kind.szClass; }


CSweepTrace* MakeAmplitudeSweep(ChannelNumber eChannel)
{
    auto* pSweep = new CSweepTrace(eChannel, 10, TT_SWEEP2, 0, 0);
    pSweep->SetResultID(RES_CHA_RMSAMPL);
    pSweep->SetXAxisSourceDetails(TRIGGER_GENFREQ_CHA, UNIT_FREQ_HZ, 20000.0, 20.0);
    pSweep->SetXUnit(UNIT_FREQ_HZ);
    pSweep->SetYUnit(pSweep->GetDefaultYUnit(CQXTrace::eModeNull, 0));
    pSweep->DefaultZoomY(0, 0);
    return pSweep;
}

const SKind kKinds[] = {
    {"CScopeTrace", [](ChannelNumber c) { return new CScopeTrace(c, 1024, 0, 0); }, TT_SCOPE, UNIT_BINS, UNIT_HEX,
     ST_SCOPE, L"Scope Trace"},
    {"CFFTTrace", [](ChannelNumber c) { return new CFFTTrace(c, 513, 0, 0); }, TT_FFT, UNIT_BINS, UNIT_HEX, ST_FFT,
     L"FFT Trace"},
    {"CCTTrace", [](ChannelNumber c) { return new CCTTrace(c, 1024, 0, 0); }, TT_CTDET, UNIT_BINS, UNIT_HEX, ST_SCOPE,
     L"CTA output"},
    {"CCTFFTTrace", [](ChannelNumber c) { return new CCTFFTTrace(c, 513, 0, 0); }, TT_CTFFT, UNIT_BINS, UNIT_HEX,
     ST_FFT, L"FFT of CTA output"},
    {"CFilterTrace", [](ChannelNumber c) { return new CFilterTrace(c, 512, 0); }, TT_FILTER, UNIT_BINS,
     UNIT_RELATIVE_RATIO, ST_FFT, L"Filter: CT Det"},
    {"CWindowFunction", [](ChannelNumber c) { return new CWindowFunction(c, 1024, 0); }, TT_WINDOW, UNIT_BINS,
     UNIT_RELATIVE_GAIN, ST_SCOPE, L"Window function"},
    {"CImpulseWindowFunction", [](ChannelNumber c) { return new CImpulseWindowFunction(c, 1024, 0); }, TT_WINDOW,
     UNIT_BINS, UNIT_RELATIVE_GAIN, ST_SCOPE, L"Window function"},
    {"CSweepTrace", [](ChannelNumber c) { return MakeAmplitudeSweep(c); }, TT_SWEEP2, UNIT_FREQ_HZ, UNIT_HEX,
     ST_SWEEP_FREQ, L"Sweep of Ch A RMS ampl"},
    {"CFFTResponseTrace", [](ChannelNumber c) { return new CFFTResponseTrace(c, 2, 0, 0); }, TT_FFTRESPONSE,
     UNIT_FREQ_HZ, UNIT_HEX, ST_FFT, L"MT freq response"},
    {"CUserTrace", [](ChannelNumber c) { return new CUserTrace(c, 16, 0, 0); }, TT_USER, UNIT_NULL, UNIT_NULL,
     ST_USER, L"User Trace"},
};

class TypesKinds : public HostDocFixture, public ::testing::WithParamInterface<SKind> {
protected:
    // A trace owned by the document, so that shared scales are freed once.
    CQXTrace* Make(ChannelNumber eChannel = CHANNEL_A) { return AddTrace(GetParam().make(eChannel)); }
    bool Asserted() const { return HasLog("FAILED ASSERT"); }
};

std::string KindName(const ::testing::TestParamInfo<SKind>& info) { return info.param.szClass; }

TEST_P(TypesKinds, AnswersItsRowOfTheTable)
{
    CQXTrace* pTrace = Make(CHANNEL_B);
    EXPECT_STREQ(pTrace->GetRuntimeClass()->m_lpszClassName, GetParam().szClass);
    EXPECT_NE(CRuntimeClass::FromName(GetParam().szClass), nullptr);
    EXPECT_EQ(pTrace->GetTraceType(), GetParam().eType);
    EXPECT_EQ(pTrace->GetChannel(), CHANNEL_B);
    EXPECT_EQ(pTrace->GetDefaultXScaleType(), GetParam().eScale);
    EXPECT_EQ(pTrace->GetStorageUnit(X_AXIS), GetParam().eXStorage);
    EXPECT_EQ(pTrace->GetStorageUnit(2), GetParam().eYStorage);
    EXPECT_EQ(std::wstring(pTrace->GetTraceName(0, 0, 0).GetString()), GetParam().szTypeText);
    EXPECT_EQ(std::wstring(pTrace->GetTraceName(1, 0, 0).GetString()), std::wstring(L"Ch B ") + GetParam().szTypeText);
    EXPECT_FALSE(Asserted());
    // An axis outside 1 and 2 has no unit set or references.
    SReferences refs;
    EXPECT_EQ(pTrace->GetUnitSet(3), nullptr);
    if (!pTrace->IsUserTrace()) {
        EXPECT_EQ(pTrace->GetReferences(0, 0, &refs), 0);
    }
    EXPECT_TRUE(Asserted());
}

TEST_P(TypesKinds, UnitsShownAndTheDefaultYWindowFitItsSetsAndRange)
{
    CQXTrace* pTrace = Make();
    const EUnit eUnit = static_cast<EUnit>(pTrace->GetYUnit());
    EXPECT_LT(pTrace->GetCurrentMinYScaleValue(), pTrace->GetCurrentMaxYScaleValue());
    EXPECT_GE(pTrace->GetCurrentMinYScaleValue(), pTrace->GetMinYValue(eUnit));
    EXPECT_LE(pTrace->GetCurrentMaxYScaleValue(), pTrace->GetMaxYValue(eUnit));
    EXPECT_LT(pTrace->GetCurrentMinYData(), pTrace->GetCurrentMaxYData());
    EXPECT_FALSE(Asserted());
    if (pTrace->IsUserTrace()) return; // a user trace shows whatever units its script gives
    const CUnitSet* pXSet = pTrace->GetUnitSet(1);
    const CUnitSet* pYSet = pTrace->GetUnitSet(2);
    ASSERT_TRUE(pXSet && pYSet);
    EXPECT_TRUE(pXSet->IsUnitValid(pTrace->GetXUnit())) << pTrace->GetXUnit();
    EXPECT_TRUE(pYSet->IsUnitValid(eUnit)) << eUnit;
    EXPECT_TRUE(pXSet->IsUnitValid(pTrace->GetDefaultXUnit()) && pYSet->CanConvert(pTrace->GetStorageUnit(Y_AXIS)));
}

TEST_P(TypesKinds, CopyIsOfTheSameClassWithTheSameDataAndAnotherKindIsRefused)
{
    CQXTrace* pSource = Make();
    if (double* pY = pSource->GetYDataBuffer(0))
        for (int i = 0; i < pSource->GetDataSize(); ++i) pY[i] = 100.0 + i;
    auto* pCopy = static_cast<CQXTrace*>(pSource->GetRuntimeClass()->CreateObject());
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->CopyFrom(pSource), pCopy);
    AddTrace(pCopy); // once it has the source's channel
    EXPECT_EQ(std::make_tuple(pCopy->GetTraceType(), pCopy->GetYUnit()), std::make_tuple(GetParam().eType, pSource->GetYUnit()));
    ASSERT_EQ(pCopy->GetDataSize(), pSource->GetDataSize());
    for (int i = 0; i < pSource->GetDataSize(); ++i) EXPECT_EQ(pCopy->GetYDataBuffer(0)[i], 100.0 + i);
    EXPECT_FALSE(Asserted());

    CQXTrace* pOther = GetParam().eType == TT_FFT ? AddTrace<CQXTrace>(new CScopeTrace(CHANNEL_A, 64, 0, 0))
                                                  : AddTrace<CQXTrace>(new CFFTTrace(CHANNEL_A, 65, 0, 0));
    EXPECT_EQ(pSource->CopyFrom(pOther), pSource);
    EXPECT_TRUE(Asserted());
    EXPECT_EQ(std::make_pair(pSource->GetTraceType(), pSource->GetDataSize()), std::make_pair(GetParam().eType, pCopy->GetDataSize()));
}

INSTANTIATE_TEST_SUITE_P(All, TypesKinds, ::testing::ValuesIn(kKinds), KindName);

// ---- Per-kind rules that are not table rows ----------------------------------------

using TypesKindRules = HostDocFixture;

TEST_F(TypesKindRules, DefaultYUnitsPerInputMode)
{
    using M = CQXTrace;
    const EUnit eAnalogue = GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE);
    const EUnit eSpectrumAnalogue = (eAnalogue == UNIT_V || eAnalogue == UNIT_W) ? UNIT_DBV : eAnalogue;
    auto* pFFT = AddTrace(new CFFTTrace(CHANNEL_A, 65, 0, 0));
    auto* pScope = AddTrace(new CScopeTrace(CHANNEL_A, 64, 0, 0));
    const struct {
        CQXTrace* pTrace;
        EUnit aeByMode[5]; // digital, analogue, JDO data, JDO fs, soundcard
    } aCases[] = {
        {pFFT, {UNIT_DBFS, eSpectrumAnalogue, UNIT_JITTER_DBUI, UNIT_JITTER_DBUI, UNIT_DBFS}},
        {pScope,
         {GetDefaultDigitalUnit(RESULTKIND_AMPLITUDE), eAnalogue, UNIT_JITTER_NS, UNIT_JITTER_NS,
          GetDefaultSoundcardUnit(RESULTKIND_AMPLITUDE)}},
    };
    const M::EMode aeModes[] = {M::eModeDigital, M::eModeAnalogue, M::eModeJDOData, M::eModeJDOfs,
                                M::eModeSoundcard};
    for (const auto& c : aCases)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.pTrace->GetDefaultYUnit(aeModes[i], 0), c.aeByMode[i])
                << c.pTrace->GetRuntimeClass()->m_lpszClassName << " mode " << aeModes[i];
    EXPECT_EQ(std::make_pair(pFFT->GetDefaultYUnit(M::eModeDigital, 1), pScope->GetDefaultYUnit(M::eModeAnalogue, 1)),
              std::make_pair(UNIT_RELATIVE_DB, UNIT_RELATIVE_DB)); // relative
}

TEST_F(TypesKindRules, SpectraRunToHalfTheRateAndTimeTracesOverTheBuffer)
{
    auto* pFFT = AddTrace(new CFFTTrace(CHANNEL_A, 1025, 0, 0));
    const double dRate = EffectiveSampleRate(pFFT->GetSampleRate(), pFFT->IsUnlocked());
    EXPECT_DOUBLE_EQ(pFFT->GetMaxXScaleValue(), dRate / 2.0);
    // Position k is k fs / L with L = 2 (N - 1).
    EXPECT_DOUBLE_EQ(pFFT->GetXValueAtPos(256, UNIT_FREQ_HZ), 256 * dRate / 2048.0);
    SReferences refs;
    ASSERT_EQ(pFFT->GetReferences(1, 0, &refs), 1);
    EXPECT_EQ(std::make_tuple(refs.GetType(), refs.m_aiValues[0]), std::make_tuple(SReferences::REFS_FFT_X, 1025));

    auto* pScope = AddTrace(new CScopeTrace(CHANNEL_A, 480, 0, 0));
    EXPECT_NEAR(pScope->GetMaxXScaleValue(), 480 * 1000.0 / dRate, 1e-9);
    double dMin = -1.0, dMax = -1.0;
    pScope->CalcDefaultXScaleValues(&dMin, &dMax);
    EXPECT_EQ(std::make_pair(dMin, dMax), std::make_pair(0.0, 2.0));
}

TEST_F(TypesKindRules, OnlyLinearUnitsDrawLogarithmically)
{
    CQXTrace* pFFT = AddTrace(new CFFTTrace(CHANNEL_A, 65, 0, 0));
    CQXTrace* pScope = AddTrace(new CScopeTrace(CHANNEL_A, 64, 0, 0));
    const struct {
        CQXTrace* pTrace;
        AxisType eAxis;
        int iUnit;
        int bDb, bLog;
    } aCases[] = {{pFFT, Y_AXIS, UNIT_DBFS, 1, 0}, {pFFT, Y_AXIS, UNIT_V, 0, 1}, {pFFT, X_AXIS, UNIT_FREQ_HZ, 0, 1},
                  {pScope, Y_AXIS, UNIT_DBFS, 1, 0}};
    for (const auto& c : aCases) {
        int bDb = -1, bLog = -1;
        c.pTrace->GetLogDetails(c.eAxis, c.iUnit, &bDb, &bLog);
        EXPECT_EQ(std::make_pair(bDb, bLog), std::make_pair(c.bDb, c.bLog)) << c.iUnit;
    }
}

TEST_F(TypesKindRules, FilterNamesItsSourceAndOnlyTheImpulseWindowAsksForItsOwnClass)
{
    auto* pFilter = AddTrace(new CFilterTrace(CHANNEL_A, 64, 0));
    EXPECT_EQ(pFilter->GetFilterType(), CFilterTrace::kSourceCTDetector);
    pFilter->SetFilterType(CFilterTrace::kSourceFFTParameters);
    EXPECT_EQ(std::wstring(pFilter->GetTraceName(0, 0, 0).GetString()), L"Filter: FFT Params");
    pFilter->SetFilterType(3);
    EXPECT_EQ(std::wstring(pFilter->GetTraceName(0, 0, 0).GetString()), L"Filter: FFT Det 3");
    EXPECT_EQ(AddTrace(new CWindowFunction(CHANNEL_A, 64, 0))->GetTraceCreateExtraInfo(), 0);
    EXPECT_NE(AddTrace(new CImpulseWindowFunction(CHANNEL_A, 64, 0))->GetTraceCreateExtraInfo(), 0);
}

TEST_F(TypesKindRules, UserTraceKeepsItsValuesUnconverted)
{
    auto* pUser = AddTrace(new CUserTrace(CHANNEL_A, 5, 0, 0));
    EXPECT_EQ(pUser->GetYDataBuffer(0)[0], DBL_MAX); // no value until one is set
    pUser->SetYScaleRange(-2.0, 3.0);
    pUser->DefaultZoomY(0, 0);
    EXPECT_EQ(std::make_pair(pUser->GetCurrentMinYData(), pUser->GetCurrentMaxYScaleValue()), std::make_pair(-2.0, 3.0));
    EXPECT_EQ(pUser->GetYValueForData(1.25, pUser->GetStorageUnit(Y_AXIS), 0, 0), 1.25);
    EXPECT_TRUE(pUser->CheckUnit(UNIT_PPM, Y_AXIS) && !pUser->CheckUnit(UNIT_BINPOWER, Y_AXIS));
    EXPECT_FALSE(pUser->CanCopy()); // not in use yet
}

TEST_F(TypesKindRules, SweepAxesComeFromTheirDescription)
{
    auto* pSweep = AddTrace(MakeAmplitudeSweep(CHANNEL_A));
    EXPECT_TRUE(pSweep->IsXAxisSource() && !pSweep->IsXAxisResult());
    // Limits are kept ascending whatever order they came in.
    EXPECT_EQ(std::make_pair(pSweep->GetXAxisMinValue(), pSweep->GetXAxisMaxValue()), std::make_pair(20.0, 20000.0));
    pSweep->SetXAxisResultDetails(RES_DIC_JITTER, 0, 0, UNIT_JITTER_NS, 0.0, 10.0);
    EXPECT_FALSE(pSweep->IsXAxisSource());
    EXPECT_EQ(pSweep->GetStorageUnit(X_AXIS), UNIT_JITTER_NSPP);
    EXPECT_EQ(pSweep->GetDefaultXScaleType(), ST_SWEEP_JITTER);
}

// ---- The limit line ------------------------------------------------------------------

TEST_F(TypesKindRules, LimitLineAnswersThroughItsTrace)
{
    auto* pFFT = AddTrace(new CFFTTrace(CHANNEL_B, 65, 0, 0));
    auto* pMax = AddTrace(new CLimitLine(pFFT, 1, 0));
    auto* pMin = AddTrace(new CLimitLine(pFFT, 0, 0));
    EXPECT_TRUE(pMax->IsLimitLine());
    EXPECT_EQ(std::make_tuple(pMax->GetOwnTraceType(), pMin->GetOwnTraceType(), pMax->GetTraceType(), pMax->GetChannel()),
              std::make_tuple(TT_MAXLIMITLINE, TT_MINLIMITLINE, TT_FFT, CHANNEL_B));
    EXPECT_EQ(std::make_pair(pMax->GetXScale(), pMax->GetYScale()), std::make_pair(pFFT->GetXScale(), pFFT->GetYScale()));
    EXPECT_EQ(std::make_tuple(pMax->GetYUnit(), pMax->GetCurrentMaxXPos(), pMax->GetDataSize()),
              std::make_tuple(pFFT->GetYUnit(), pFFT->GetCurrentMaxXPos(), 0));
    EXPECT_EQ(std::wstring(pMin->GetTraceName(1, 0, 0).GetString()), L"Min limit: Ch B FFT Trace");
    // A line never deletes the scales it shares.
    CXScale* pXScale = pFFT->GetXScale();
    delete new CLimitLine(pFFT, 1, 0);
    ASSERT_EQ(pFFT->GetXScale(), pXScale);
    const auto& aScales = m_pDoc->GetXScales();
    EXPECT_NE(std::find(aScales.begin(), aScales.end(), pXScale), aScales.end());
}

TEST_F(TypesKindRules, LimitLineFromTheFactoryJoinsItsTraceLater)
{
    auto* pScope = AddTrace(new CScopeTrace(CHANNEL_A, 64, 0, 0));
    auto* pLine = AddTrace(new CLimitLine(CHANNEL_A, 64, TT_MINLIMITLINE, 0));
    EXPECT_EQ(pLine->GetXScale(), nullptr);
    EXPECT_EQ(pLine->CheckUnit(UNIT_V, Y_AXIS), 0); // no parent to ask
    pLine->SetParentTrace(pScope);
    EXPECT_EQ(pLine->GetTraceType(), TT_SCOPE);
    EXPECT_EQ(pLine->GetYScale(), pScope->GetYScale());
    EXPECT_EQ(pLine->CheckUnit(UNIT_V, Y_AXIS), pScope->CheckUnit(UNIT_V, Y_AXIS));
    // Lines of scope-like traces keep a polarity per point.
    EXPECT_EQ(pLine->SetBuffer(0) + pLine->SetBuffer(8), 2);
    EXPECT_TRUE(pLine->HasPolarityData(0));
    pLine->SetPolarityAtPos(3, POLARITY_NEGATIVE, 0);
    EXPECT_EQ(std::make_pair(pLine->GetPolarityAtPos(3, 0), pLine->GetPolarityAtPos(99, 0)),
              std::make_pair(POLARITY_NEGATIVE, POLARITY_NONE));
}

} // namespace
