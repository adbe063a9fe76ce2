// Multitone responses: the bin arithmetic by hand-worked table, and the
// trace built from an FFT buffer of powers in the document.

#include "support/HostDocFixture.h"
#include "host/buffers/SampleBuffer.h"
#include "trace/compute/Compute.h"
#include "trace/compute/ComputeList.h"
#include "host/units/References.h"
#include "trace/core/ResponseMath.h"
#include "trace/types/FFTResponseTrace.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

constexpr double M = DBL_MAX;

TEST(ResponseMath, ParityAndVisitedBins)
{
    const struct { int iType, iStart, iEnd, iNewStart, iNewEnd; } aParity[] = {
        {2, 4, 10, 5, 9}, {2, 5, 9, 5, 9}, {1, 5, 9, 6, 8}, {1, 4, 10, 4, 10}, {0, 5, 10, 5, 10}};
    for (const auto& c : aParity) {
        int iStart = c.iStart, iEnd = c.iEnd;
        AdjustBinsToParity(c.iType, iStart, iEnd);
        EXPECT_EQ(std::make_pair(iStart, iEnd), std::make_pair(c.iNewStart, c.iNewEnd)) << c.iType;
    }
    const struct { int iType, iFirst, iLast, iStep; } aWalks[] = {{2, 1, 7, 2}, {1, 0, 6, 2}, {0, 0, 7, 1}, {9, 0, 7, 1}};
    for (const auto& c : aWalks) {
        const SBinWalk w = VisitedBins(c.iType, 8);
        EXPECT_EQ(std::make_tuple(w.iFirst, w.iLast, w.iStep), std::make_tuple(c.iFirst, c.iLast, c.iStep)) << c.iType;
    }
    int iBin = 9;
    EXPECT_TRUE(AccountForToneSpread(1, iBin, 10, 2));
    EXPECT_EQ(iBin, 12);
    iBin = 7;
    EXPECT_FALSE(AccountForToneSpread(1, iBin, 10, 2));
    EXPECT_FALSE(AccountForToneSpread(0, iBin, 10, 2));
    iBin = 10;
    EXPECT_TRUE(AccountForToneSpread(0, iBin, 10, 2));
}

TEST(ResponseMath, IncludeTypesSelectTheirBins)
{
    SResponseSelection s;
    s.aiAnaToneBins = {4, 10};
    s.aiGenToneBins = {3, 12};
    const struct { int iInclude, iSumBins, iToneMode, iSpread; std::vector<int> aiBins; } aCases[] = {
        {1, 0, 0, 0, {4, 10}},
        {3, 0, 0, 0, {3}},                // 12 lies beyond the buffer of 12 bins
        {0, 2, 0, 0, {1, 3, 5, 7, 9, 11}},
        {2, 0, 0, 0, {5, 6, 7, 8, 9}},
        {4, 2, 0, 0, {5, 7, 9}},          // between (4, 10) on odd bins
        {2, 1, 0, 0, {6, 8}},
        {2, 0, 1, 1, {6, 7, 8}},          // the tones' spread of 1 belongs to them
        {2, 0, 0, 1, {5, 6, 7, 8, 9}},    // spread only counts in tone mode 1
    };
    for (const auto& c : aCases) {
        s.iIncludeType = c.iInclude;
        s.iSumBinsType = c.iSumBins;
        s.iToneMode = c.iToneMode;
        s.iSpread = c.iSpread;
        EXPECT_EQ(SelectResponseBins(s, 12), c.aiBins) << c.iInclude << "/" << c.iSumBins;
    }
    EXPECT_TRUE(ToneBinsFit({4, 10}, {3, 11}, 12));
    EXPECT_FALSE(ToneBinsFit({4, 10}, {3, 12}, 12));
    EXPECT_EQ(LevelRatio(3.0, 0.0), 0.0);
    EXPECT_EQ(LevelRatio(M, 2.0), M);
}

TEST(ResponseMath, PointsCloseTheRangeWithNoValues)
{
    const auto level = [](int b) { return 10.0 * b; };
    // bins 0 and 8 of 8 are the range's ends at 0 and 800 Hz: nothing added
    SResponsePoints p = MakeResponsePoints({0, 8}, level, 0.0, 800.0, 8);
    EXPECT_EQ(p.adX, (std::vector<double>{0, 800}));
    EXPECT_EQ(p.adY, (std::vector<double>{0, 80}));
    p = MakeResponsePoints({2, 5}, level, 0.0, 800.0, 8);
    EXPECT_EQ(p.adX, (std::vector<double>{0, 200, 500, 800}));
    EXPECT_EQ(p.adY, (std::vector<double>{M, 20, 50, M}));
    p = MakeResponsePoints({}, level, 0.0, 800.0, 8);
    EXPECT_EQ(p.adX, (std::vector<double>{0, 800}));
    EXPECT_EQ(p.adY, (std::vector<double>{M, M}));
    EXPECT_NE(ResponseCreationKey(0, 0, 1, 0), ResponseCreationKey(4, 0, 1, 0));
    EXPECT_NE(ResponseCreationKey(0, 0, 1, 0), ResponseCreationKey(0, 0, 1, 4));
}

class ResponseTrace : public HostDocFixture {
protected:
    // 1024 bins at 48 kHz of a digital input, power 1 (a full-scale sine) on the tones.
    void FillBuffer(const std::vector<int>& aiTones, double dPower = 1.0)
    {
        m_Buffer.SetSize(1024);
        for (int i = 0; i < 1024; ++i) m_Buffer.SetAt(i, 0.0);
        for (int b : aiTones) m_Buffer.SetAt(b, dPower);
        m_Buffer.SetSampleRate(48000.0);
        m_Buffer.SetSourceKind(SOURCE_DIGITAL);
    }
    CFFTResponseTrace* Make(short sFunction, short sInclude, short sRelativeTo, const std::vector<int>& aiTones,
                            int iReferenceBin = 0)
    {
        ResponseDetails details;
        details.iAnaOtherValueBin = iReferenceBin;
        details.sFunction = sFunction;
        details.sIncludeType = sInclude;
        details.sRelativeTo = sRelativeTo;
        details.iYUnit = sRelativeTo ? UNIT_RELATIVE_DB : UNIT_DBFS;
        auto* p = static_cast<CFFTResponseTrace*>(m_pDoc->CreateResponseTrace(CHANNEL_A, details, 0));
        if (p) p->SetToneBins(static_cast<int>(aiTones.size()), aiTones.data(), aiTones.data());
        return p;
    }
    CFFTBuffer m_Buffer{1024};
    std::vector<int> m_aiTones = [] {
        std::vector<int> a;
        for (int k = 1; k <= 31; ++k) a.push_back(10 * k);
        return a;
    }();
};

TEST_F(ResponseTrace, ThirtyOneTonesGiveThirtyThreePoints)
{
    CFFTResponseTrace* p = Make(0, 1, 0, m_aiTones);
    ASSERT_NE(p, nullptr);
    FillBuffer(m_aiTones);
    int iFlags = 0;
    ASSERT_EQ(p->UpdateTraceData(&m_Buffer, nullptr, &iFlags), 1);
    EXPECT_EQ(iFlags, 1);
    ASSERT_EQ(p->GetDataSize(), 33);
    const double* pdY = p->GetYDataBuffer(0);
    EXPECT_EQ(pdY[0], M);
    EXPECT_EQ(pdY[32], M);
    // a full-scale sine on each tone, stored as sample magnitudes; bin 10 at 10 x 24000 / 1024 Hz
    for (int k = 1; k <= 31; ++k) EXPECT_DOUBLE_EQ(pdY[k], SReferences::kFullScaleSineHex) << k;
    EXPECT_DOUBLE_EQ(p->GetXValueAtPos(1, UNIT_FREQ_HZ), 234.375);
    EXPECT_EQ(p->GetXValueAtPos(32, UNIT_FREQ_HZ), 24000.0);
    EXPECT_EQ(p->GetMaxXScaleValue(), 24000.0);
    // between two tones the value is interpolated
    EXPECT_DOUBLE_EQ(p->GetYDataAtXValue(300.0, 0), SReferences::kFullScaleSineHex);
    EXPECT_EQ(p->GetComputeList(), nullptr); // tone responses are not summed in bands
    EXPECT_EQ(LogCount("FAILED"), 0);
}

TEST_F(ResponseTrace, MissingInputsChangeNothing)
{
    CFFTResponseTrace* pCrossTalk = Make(4, 1, 4, m_aiTones);
    ASSERT_NE(pCrossTalk, nullptr);
    FillBuffer(m_aiTones);
    EXPECT_EQ(pCrossTalk->UpdateTraceData(&m_Buffer, nullptr, nullptr), 0);
    EXPECT_EQ(pCrossTalk->GetDataSize(), 2);
    EXPECT_EQ(pCrossTalk->UpdateTraceData(nullptr, nullptr, nullptr), 1);
    // with the other channel's buffer: each tone over the same tone there
    CFFTBuffer other(1024);
    other.SetSize(1024);
    for (int i = 0; i < 1024; ++i) other.SetAt(i, 4.0);
    EXPECT_EQ(pCrossTalk->UpdateTraceData(&m_Buffer, &other, nullptr), 1);
    ASSERT_EQ(pCrossTalk->GetDataSize(), 33);
    EXPECT_DOUBLE_EQ(pCrossTalk->GetYDataBuffer(0)[1], 0.5);

    CFFTResponseTrace* pNoTones = Make(0, 1, 0, {});
    ASSERT_NE(pNoTones, nullptr);
    EXPECT_NE(pNoTones, pCrossTalk);
    EXPECT_EQ(pNoTones->UpdateTraceData(&m_Buffer, nullptr, nullptr), 0);
    // tones beyond the buffer
    CFFTResponseTrace* pHigh = Make(0, 1, 0, {10, 2000});
    EXPECT_EQ(pHigh, pNoTones); // same kind: the channel's trace is reused
    EXPECT_EQ(pHigh->UpdateTraceData(&m_Buffer, nullptr, nullptr), 0);
}

// Tones of power 4 (level 2) over a reference bin 5 of power 1; a buffer
// scale of 9 makes the tones' natural level sqrt(4 x 9) = 6.
TEST_F(ResponseTrace, ReferenceBinAndBufferScaleKinds)
{
    const struct { short sRelativeTo; double dBufferScale, dTone; } aCases[] = {
        {3, 9.0, 2.0}, {5, 9.0, 2.0}, {6, 9.0, 6.0}, {6, 0.25, 1.0}, {6, 0.0, 0.0}};
    for (const auto& c : aCases) {
        CFFTResponseTrace* p = Make(0, 1, c.sRelativeTo, m_aiTones, 5);
        ASSERT_NE(p, nullptr);
        FillBuffer(m_aiTones, 4.0);
        m_Buffer.SetAt(5, 1.0);
        m_Buffer.SetScaleFactor(c.dBufferScale);
        ASSERT_EQ(p->UpdateTraceData(&m_Buffer, nullptr, nullptr), 1);
        EXPECT_DOUBLE_EQ(p->GetYDataBuffer(0)[1], c.dTone) << c.sRelativeTo << " / " << c.dBufferScale;
    }
}

TEST_F(ResponseTrace, ResponsesOverBinsAreSummedInBands)
{
    CFFTResponseTrace* p = Make(1, 0, 0, m_aiTones);
    ASSERT_NE(p, nullptr);
    const CComputeList* pList = p->GetComputeList();
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetNumComputeObjects(), 1);
    EXPECT_EQ(pList->GetComputeObjectAt(0)->GetComputeType(), COMPUTE_SUMBINS);
    EXPECT_TRUE(pList->GetComputeObjectAt(0)->IsEnabled());
    EXPECT_EQ(p->GetShowTransformedYData(), 1);
    // a flat spectrum of full-scale sines: bins 0 .. 1023 and the closing point
    FillBuffer({});
    for (int i = 0; i < 1024; ++i) m_Buffer.SetAt(i, 1.0);
    ASSERT_EQ(p->UpdateTraceData(&m_Buffer, nullptr, nullptr), 1);
    ASSERT_EQ(p->GetDataSize(), 1025);
    p->ApplyComputationsOnTraceDataChange(0);
    EXPECT_DOUBLE_EQ(p->GetYDataBuffer(1)[100], std::sqrt(24.0) * SReferences::kFullScaleSineHex); // bins 89 .. 112
    EXPECT_EQ(LogCount("FAILED"), 0);
}

} // namespace
