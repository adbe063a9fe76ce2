// The compute framework on real trace kinds: invert and normalise in value
// space (FFT, dBV) and data space (scope, V), the list's run and its
// failure, the show/hide states, the compute trace of a live trace, limit
// lines with their polarities, and the texts the transforms show.

#include "support/HostDocFixture.h"

#include "host/units/UnitIds.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/limits/LimitLine.h"

#include <cfloat>

namespace {

class ComputeTrace : public HostDocFixture {
protected:
    CQXTrace* Shown(TraceType eType, int iSize = 64, int bLive = 0)
    {
        return m_pDoc->CreateTrace(eType, CHANNEL_A, iSize, 0, 0, bLive, 0, 1, 1, 1);
    }
    // A trace whose every point shows dValue in iUnit.
    CQXTrace* ShownAt(TraceType eType, int iUnit, double dValue)
    {
        CQXTrace* pTrace = Shown(eType);
        pTrace->SetYUnit(iUnit);
        const double dData = pTrace->GetYDataForValue(dValue, iUnit, 0);
        for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetYDataBuffer(0)[i] = dData;
        return pTrace;
    }
    static double ValueAt(CQXTrace* pTrace, int iPos, int iUnit, int bTransformed = 1)
    {
        return pTrace->GetYValueForData(pTrace->GetYDataBuffer(bTransformed)[iPos], iUnit, 1, bTransformed);
    }
    static CComputeInvert* Invert(double dValue, EUnit eUnit, int bCursor = 0)
    {
        auto* p = new CComputeInvert();
        p->SetInvertAroundCursor(bCursor);
        p->SetInvertValue(dValue);
        p->SetYUnit(eUnit);
        return p;
    }
    static CComputeNormalise* Normalise(double dY, EUnit eYUnit, double dX, EUnit eXUnit)
    {
        auto* p = new CComputeNormalise();
        p->SetYValue(dY);
        p->SetYUnit(eYUnit);
        p->SetXValue(dX);
        p->SetXUnit(eXUnit);
        return p;
    }
    static int Show(CQXTrace* pTrace, std::initializer_list<CCompute*> computes, int bApplyToCopy = 0)
    {
        CComputeList list;
        list.SetApplyToCopy(bApplyToCopy);
        for (CCompute* p : computes) list.AddComputeObject(p);
        pTrace->SetComputeList(&list);
        return pTrace->SetShowTransformedYData(1, 0);
    }
};

TEST_F(ComputeTrace, InvertingAnFftAtMinus20dBVAround0dBVShowsPlus20dBV)
{
    CQXTrace* pFFT = ShownAt(TT_FFT, UNIT_DBV, -20.0);
    pFFT->GetYDataBuffer(0)[3] = DBL_MAX; // no value
    pFFT->GetYDataBuffer(0)[4] = 0.0;     // silence: minus infinity in dBV
    ASSERT_EQ(Show(pFFT, {Invert(0.0, UNIT_DBV)}), 1);

    EXPECT_NEAR(ValueAt(pFFT, 0, UNIT_DBV), 20.0, 1e-9);
    EXPECT_NEAR(ValueAt(pFFT, 0, UNIT_DBV, 0), -20.0, 1e-9); // the raw data stay
    EXPECT_EQ(pFFT->GetYDataBuffer(1)[3], DBL_MAX);
    EXPECT_EQ(pFFT->GetYDataBuffer(1)[4], 0.0);
    EXPECT_TRUE(pFFT->GetComputed());
    EXPECT_EQ(pFFT->GetTraceName(0, 1, 0).Right(13), CString(L"(transformed)"));
}

TEST_F(ComputeTrace, InvertingAScopeTraceAt0Point2VAround0Point5VShows0Point8V)
{
    CQXTrace* pScope = ShownAt(TT_SCOPE, UNIT_V, 0.2);
    pScope->GetYDataBuffer(0)[1] = pScope->GetYDataForValue(-0.1, UNIT_V, 0);
    ASSERT_EQ(Show(pScope, {Invert(0.5, UNIT_V)}), 1);
    EXPECT_NEAR(ValueAt(pScope, 0, UNIT_V), 0.8, 1e-9);
    EXPECT_NEAR(ValueAt(pScope, 1, UNIT_V), 1.1, 1e-9);
}

TEST_F(ComputeTrace, NormaliseShiftsEveryPointByTheSameDecibelsAndKeepsMissingValues)
{
    CQXTrace* pFFT = ShownAt(TT_FFT, UNIT_DBV, -20.0);
    const int iRef = pFFT->GetXPosForValue(1000.0, UNIT_FREQ_HZ);
    pFFT->GetYDataBuffer(0)[iRef] = pFFT->GetYDataForValue(-6.0, UNIT_DBV, 0);
    pFFT->GetYDataBuffer(0)[0] = DBL_MAX;
    ASSERT_EQ(Show(pFFT, {Normalise(0.0, UNIT_DBV, 1000.0, UNIT_FREQ_HZ)}), 1);
    EXPECT_NEAR(ValueAt(pFFT, iRef, UNIT_DBV), 0.0, 1e-9);
    EXPECT_NEAR(ValueAt(pFFT, 5, UNIT_DBV), -14.0, 1e-9);
    EXPECT_EQ(pFFT->GetYDataBuffer(1)[0], DBL_MAX);

    // No value at X: nothing changes, and the run still succeeds.
    pFFT->GetYDataBuffer(0)[iRef] = DBL_MAX;
    ASSERT_EQ(pFFT->SetShowTransformedYData(1, 0), 1);
    EXPECT_NEAR(ValueAt(pFFT, 5, UNIT_DBV), -20.0, 1e-9);
}

TEST_F(ComputeTrace, ANewNormaliseDefaultsToAThousandHertzWhenTheRangeStraddlesIt)
{
    CQXTrace* pFFT = ShownAt(TT_FFT, UNIT_DBV, -20.0);
    pFFT->SetMinXScaleValue(20.0);
    pFFT->SetMaxXScaleValue(20000.0);
    std::unique_ptr<CCompute> pNew(CreateComputeObject(COMPUTE_NORMALISE, pFFT));
    auto* pNormalise = dynamic_cast<CComputeNormalise*>(pNew.get());
    ASSERT_NE(pNormalise, nullptr);
    EXPECT_EQ(std::make_tuple(pNormalise->GetXValue(), pNormalise->GetXUnit()), std::make_tuple(1000.0, UNIT_FREQ_HZ));
    EXPECT_EQ(pNormalise->GetYUnit(), UNIT_DBV);
    EXPECT_TRUE(pNormalise->IsEnabled());

    // Above 1 kHz only: the X of the last point with data.
    pFFT->SetMinXScaleValue(2000.0);
    for (int i = 40; i < pFFT->GetDataSize(); ++i) pFFT->GetYDataBuffer(0)[i] = DBL_MAX;
    EXPECT_EQ(pNormalise->GetDefaultXValue(pFFT), pFFT->GetXValueAtPos(39, UNIT_FREQ_HZ));
}

TEST_F(ComputeTrace, AnInvertAroundACursorThatIsOffFailsTheRunAndTheNextDoesNotRun)
{
    CQXTrace* pScope = ShownAt(TT_SCOPE, UNIT_V, 0.2);
    ASSERT_FALSE(pScope->IsCursorOn());
    EXPECT_EQ(Show(pScope, {Invert(0.0, UNIT_V, 1), Normalise(1.0, UNIT_V, 0.0, UNIT_MS)}), 0);
    EXPECT_NEAR(ValueAt(pScope, 0, UNIT_V), 0.2, 1e-9); // the normalise did not run
    EXPECT_FALSE(pScope->GetComputed());

    // With the cursor on (position 0 reads 0.2 V) the invert keeps 0.2 V and the normalise runs.
    pScope->CursorOn();
    pScope->SetCursorPosition(0);
    EXPECT_EQ(pScope->SetShowTransformedYData(1, 0), 1);
    EXPECT_NEAR(ValueAt(pScope, 3, UNIT_V), 1.0, 1e-9);
}

TEST_F(ComputeTrace, ADisabledComputeChangesNothing)
{
    CQXTrace* pScope = ShownAt(TT_SCOPE, UNIT_V, 0.2);
    CComputeInvert* pInvert = Invert(0.5, UNIT_V);
    pInvert->SetEnabled(false);
    ASSERT_EQ(Show(pScope, {pInvert}), 1);
    EXPECT_NEAR(ValueAt(pScope, 0, UNIT_V), 0.2, 1e-9);
    EXPECT_EQ(pScope->GetComputeList()->GetNumComputeObjects(), 1);
}

TEST_F(ComputeTrace, ShownStateIsDerivedFromTheBufferAndTheListDecidesWhatMayHappen)
{
    CQXTrace* pScope = ShownAt(TT_SCOPE, UNIT_V, 0.2);
    EXPECT_EQ(pScope->SetShowTransformedYData(1, 1), 0); // no list
    pScope->SetComputeRequired(1);
    EXPECT_FALSE(pScope->GetComputeRequired());

    ASSERT_EQ(Show(pScope, {Invert(0.5, UNIT_V)}), 1);
    EXPECT_TRUE(pScope->GetShowTransformedYData());
    pScope->SetComputeRequired(1);
    EXPECT_TRUE(pScope->GetComputeRequired());

    // New raw data re-run the list in place and clear the mark.
    pScope->GetYDataBuffer(0)[2] = pScope->GetYDataForValue(0.4, UNIT_V, 0);
    EXPECT_EQ(pScope->ApplyComputationsOnTraceDataChange(0), 1);
    EXPECT_NEAR(ValueAt(pScope, 2, UNIT_V), 0.6, 1e-9);
    EXPECT_FALSE(pScope->GetComputeRequired());

    // Hidden: the buffer goes, the list stays, and new data create nothing.
    EXPECT_EQ(pScope->SetShowTransformedYData(0, 1), 1);
    EXPECT_FALSE(pScope->GetShowTransformedYData());
    EXPECT_FALSE(pScope->HasTransformedYDataBuffer());
    EXPECT_NE(pScope->GetComputeList(), nullptr);
    EXPECT_EQ(pScope->ApplyComputationsOnTraceDataChange(0), 1);
    EXPECT_FALSE(pScope->HasTransformedYDataBuffer());
    EXPECT_GE(CountHints(UPDATE_TRACE_NAME), 2);

    pScope->SetComputeList(nullptr);
    EXPECT_EQ(pScope->GetComputeList(), nullptr);
    EXPECT_EQ(AssertCount(), 0);
}

TEST_F(ComputeTrace, ALiveTraceAppliedToACopyShowsTheResultInACopyOfTheDocument)
{
    CQXTrace* pLive = Shown(TT_SCOPE, 64, 1);
    pLive->SetYUnit(UNIT_V);
    for (int i = 0; i < 64; ++i) pLive->GetYDataBuffer(0)[i] = pLive->GetYDataForValue(0.2, UNIT_V, 0);
    const size_t nBefore = m_pDoc->GetTraceArray(CHANNEL_A).size();
    ASSERT_EQ(Show(pLive, {Invert(0.5, UNIT_V)}, 1), 1);

    CQXTrace* pCopy = pLive->GetComputeTrace();
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(m_pDoc->GetTraceArray(CHANNEL_A).size(), nBefore + 1);
    EXPECT_TRUE(pCopy->IsComputeTrace());
    EXPECT_FALSE(pLive->IsComputeTrace()); // a live trace never is one
    EXPECT_FALSE(pLive->HasTransformedYDataBuffer());
    EXPECT_TRUE(pLive->GetShowTransformedYData());
    EXPECT_EQ(pCopy->GetComputeList(), nullptr);
    EXPECT_NEAR(ValueAt(pCopy, 0, UNIT_V, 0), 0.8, 1e-9);

    // New live data: the copy's raw data are refreshed first, then transformed.
    pLive->GetYDataBuffer(0)[5] = pLive->GetYDataForValue(0.3, UNIT_V, 0);
    EXPECT_EQ(pLive->ApplyComputationsOnTraceDataChange(0), 1);
    EXPECT_NEAR(ValueAt(pCopy, 5, UNIT_V, 0), 0.7, 1e-9);

    // Deleting the copy makes the live trace forget it.
    m_pDoc->RemoveTrace(pCopy, 1);
    EXPECT_EQ(pLive->GetComputeTrace(), nullptr);
    EXPECT_FALSE(pLive->GetShowTransformedYData());

    // Shown again, then hidden: the copy goes from the document.
    ASSERT_EQ(pLive->SetShowTransformedYData(1, 0), 1);
    pCopy = pLive->GetComputeTrace();
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pLive->SetShowTransformedYData(0, 0), 1);
    EXPECT_EQ(pLive->GetComputeTrace(), nullptr);
    const auto& aTraces = m_pDoc->GetTraceArray(CHANNEL_A);
    EXPECT_EQ(std::count(aTraces.begin(), aTraces.end(), pCopy), 0);
}

TEST_F(ComputeTrace, ACopiedTraceCarriesItsOwnListAndTheListGoesWithItsTrace)
{
    CQXTrace* pScope = ShownAt(TT_SCOPE, UNIT_V, 0.2);
    ASSERT_EQ(Show(pScope, {Invert(0.5, UNIT_V), Normalise(1.0, UNIT_V, 0.0, UNIT_MS)}), 1);
    CQXTrace* pCopy = m_pDoc->CopyTrace(pScope, 0, 0);
    ASSERT_NE(pCopy, nullptr);
    ASSERT_NE(pCopy->GetComputeList(), nullptr);
    EXPECT_NE(pCopy->GetComputeList(), pScope->GetComputeList());
    EXPECT_EQ(pCopy->GetComputeList()->GetNumComputeObjects(), 2);
    EXPECT_EQ(pCopy->GetComputeList()->GetComputeObjectAt(1)->GetComputeType(), COMPUTE_NORMALISE);
    // Removing (and so deleting) the copy frees its list; the original keeps its own.
    m_pDoc->RemoveTrace(pCopy, 0);
    m_host.PumpMessages();
    EXPECT_EQ(pScope->GetComputeList()->GetNumComputeObjects(), 2);
}

TEST_F(ComputeTrace, LimitLinesOfScopeTracesKeepMagnitudesAndTheirPolarityFollowsTheSign)
{
    CQXTrace* pScope = ShownAt(TT_SCOPE, UNIT_V, 0.2);
    auto* pLimit = new CLimitLine(pScope, 1, 0);
    ASSERT_EQ(pLimit->CopyDataFromTrace(), 1);
    ASSERT_EQ(pScope->SetLimitLineForTrace(pLimit, TT_MAXLIMITLINE, 1, 0, 0), 1);
    ASSERT_EQ(pLimit->GetPolarityAtPos(0, 0), POLARITY_POSITIVE);

    // About -0.5 V: 0.2 V becomes -1.2 V, kept as 1.2 with negative polarity.
    ASSERT_EQ(Show(pLimit, {Invert(-0.5, UNIT_V)}), 1);
    EXPECT_EQ(pLimit->GetPolarityAtPos(0, 1), POLARITY_NEGATIVE);
    EXPECT_NEAR(pLimit->GetYValueForData(pLimit->GetYDataAtXPos(0, 1), UNIT_V, 1, 1), -1.2, 1e-9);

    // About minus infinity: only the polarity swaps, the magnitude stays.
    ASSERT_EQ(Show(pLimit, {Invert(-DBL_MAX, UNIT_DBV)}), 1);
    EXPECT_EQ(pLimit->GetPolarityAtPos(0, 1), POLARITY_NEGATIVE);
    EXPECT_NEAR(pLimit->GetYValueForData(pLimit->GetYDataAtXPos(0, 1), UNIT_V, 1, 1), -0.2, 1e-9);
    EXPECT_EQ(pLimit->GetPolarityAtPos(0, 0), POLARITY_POSITIVE); // the line's own data stay

    // A minimum line normalised to a positive target above the trace takes the negative side.
    auto* pMin = new CLimitLine(pScope, 0, 0);
    ASSERT_EQ(pMin->CopyDataFromTrace(), 1);
    ASSERT_EQ(pScope->SetLimitLineForTrace(pMin, TT_MINLIMITLINE, 1, 0, 0), 1);
    ASSERT_EQ(Show(pMin, {Normalise(0.5, UNIT_V, 0.0, UNIT_MS)}), 1);
    EXPECT_NEAR(pMin->GetYValueForData(pMin->GetYDataAtXPos(0, 1), UNIT_V, 1, 1), -0.5, 1e-9);
    EXPECT_EQ(pMin->GetPolarityAtPos(0, 1), POLARITY_NEGATIVE);
}

TEST_F(ComputeTrace, DescriptionsNamesAndUnitsAsTheListShowsThem)
{
    std::unique_ptr<CComputeInvert> pInvert(Invert(0.0, UNIT_DBV));
    EXPECT_EQ(pInvert->GetListLine(), CString(L"Invert (around Y = 0.00 dBV)"));
    pInvert->SetInvertValue(-DBL_MAX);
    EXPECT_EQ(pInvert->GetDescriptionString(), CString(L"around Y = -Infinity"));
    pInvert->SetInvertAroundCursor(1);
    EXPECT_EQ(pInvert->GetDescriptionString(), CString(L"Invert around cursor"));
    EXPECT_EQ(pInvert->GetYUnit(), UNIT_INVALID);
    EXPECT_EQ(pInvert->GetXUnit(), UNIT_INVALID);

    std::unique_ptr<CComputeNormalise> pNormalise(Normalise(0.0, UNIT_DBV, 1000.0, UNIT_FREQ_HZ));
    EXPECT_EQ(pNormalise->GetListLine(), CString(L"Normalize (Y = 0.00 dBV at X = 1000.00 Hz)"));
    EXPECT_TRUE(pNormalise->ValidateComputeObject(UNIT_FREQ_HZ, UNIT_V));
    EXPECT_FALSE(pNormalise->ValidateComputeObject(UNIT_MS, UNIT_DBV));
    EXPECT_EQ(CreateComputeObject(static_cast<ComputeType>(9), nullptr), nullptr);
    EXPECT_EQ(AssertCount(), 1); // the factory, for the unknown type
}

TEST_F(ComputeTrace, ValidTypesPerKindAndAListThatNoLongerSuitsIsDeleted)
{
    CQXTrace* pFFT = ShownAt(TT_FFT, UNIT_DBV, -20.0);
    CQXTrace* pFilter = Shown(TT_FILTER);
    struct {
        CQXTrace* pTrace;
        int aExpected[5]; // normalise .. relative
    } const aCases[] = {{pFFT, {1, 1, 1, pFFT->CanSumBinsInBands(), 1}}, {pFilter, {1, 1, 1, 0, 0}}};
    for (const auto& c : aCases)
        for (int eType = COMPUTE_NORMALISE; eType <= COMPUTE_RELATIVE; ++eType)
            EXPECT_EQ(c.pTrace->IsValidComputeType(static_cast<ComputeType>(eType)), c.aExpected[eType - 2]) << eType;
    EXPECT_FALSE(pFFT->IsValidComputeType(static_cast<ComputeType>(1)));

    ASSERT_EQ(Show(pFFT, {Invert(0.0, UNIT_DBV), Normalise(0.0, UNIT_DBV, 1000.0, UNIT_FREQ_HZ)}), 1);
    EXPECT_EQ(pFFT->ValidateComputeList(UNIT_FREQ_HZ, UNIT_DBU), 1);
    EXPECT_EQ(pFFT->ValidateComputeList(UNIT_MS, UNIT_DBV), 0);
    EXPECT_EQ(pFFT->GetComputeList(), nullptr);
    EXPECT_FALSE(pFFT->GetShowTransformedYData());
}

} // namespace
