// The limit-line curve: taking it from a signed (scope) trace, moving it
// across zero, and reading a table between, at and outside its points.

#include "support/LimitFixture.h"

#include <cfloat>
#include <cmath>

namespace {

class LimitLineData : public LimitFixture {
protected:
    LimitLineData() : m_scope(TT_SCOPE, CHANNEL_A, 5, CTestTrace::XAXIS_TIME)
    {
        m_scope.SetTestMode(CQXTrace::eModeDigital);
        m_scope.SetYUnit(UNIT_HEX);
        m_scope.CreateXScale();
        m_scope.CreateYScale();
    }
    double XAt(int iPos) { return m_scope.GetXValueAtPos(iPos, m_scope.GetXUnit()); }

    CTestTrace m_scope;
};

TEST_F(LimitLineData, ScopeLinesKeepMagnitudesAndFlipPolarityAcrossZero)
{
    CLimitLine line(&m_scope, 1, 0);
    m_scope.FillYData({1.0, -1.0, 3.0, 0.0, DBL_MAX});
    ASSERT_EQ(line.CopyDataFromTrace(), 1);
    EXPECT_EQ(StoredValues(line), (std::vector<double>{1.0, 1.0, 3.0, 0.0, DBL_MAX}));
    const Polarity aTaken[] = {POLARITY_POSITIVE, POLARITY_NEGATIVE, POLARITY_POSITIVE, POLARITY_POSITIVE};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(line.GetPolarityAtPos(i, 0), aTaken[i]) << i;

    struct SStep { double dDelta; std::vector<double> aData; std::vector<Polarity> aPolarity; };
    const SStep aSteps[] = {
        {-2.0, {-1.0, -3.0, 1.0, -2.0}, {POLARITY_NEGATIVE, POLARITY_NEGATIVE, POLARITY_POSITIVE, POLARITY_NEGATIVE}},
        {+2.0, {1.0, -1.0, 3.0, 0.0}, {POLARITY_POSITIVE, POLARITY_NEGATIVE, POLARITY_POSITIVE, POLARITY_NEGATIVE}},
    };
    for (const SStep& step : aSteps) {
        SCOPED_TRACE(step.dDelta);
        line.AlterAllData(step.dDelta, 0);
        for (int i = 0; i < 4; ++i) {
            EXPECT_DOUBLE_EQ(line.GetYDataAtXPos(i, 0), step.aData[i]) << i;
            EXPECT_EQ(line.GetPolarityAtPos(i, 0), step.aPolarity[i]) << i;
        }
        EXPECT_EQ(line.GetYDataAtXPos(4, 0), DBL_MAX); // no limit stays none
    }
}

TEST_F(LimitLineData, ScopeTablesInterpolateInDataAndTakeTheNearerSign)
{
    CLimitLine line(&m_scope, 1, 0);
    CLimitTable* pTable = line.EnsureLimitTable();
    pTable->AddPoint(XAt(0), 2.0, 0, POLARITY_POSITIVE);
    pTable->AddPoint(XAt(4), 2.0, 1, POLARITY_NEGATIVE);
    struct SCase { double dX; double dData; };
    const SCase aCases[] = {
        {XAt(0), 2.0}, {XAt(1), 1.0}, {XAt(3), -1.0}, {XAt(4), -2.0}, {XAt(0) - 1.0, DBL_MAX}, {XAt(4) + 1.0, DBL_MAX},
    };
    for (const SCase& c : aCases) EXPECT_DOUBLE_EQ(line.GetYDataAtXValue(c.dX, 0), c.dData) << c.dX;

    // A point that starts a new segment leaves a gap before it.
    pTable->ReplacePoint(1, XAt(4), 2.0, 0, POLARITY_NEGATIVE);
    EXPECT_EQ(line.GetYDataAtXValue(XAt(2), 0), DBL_MAX);
}

TEST_F(LimitLineData, SpectrumLinesMoveInTheShownUnit)
{
    // Stored in dBFS; moved by +6 dB in dBFS the data doubles.
    m_pTrace->SetYUnit(UNIT_DBFS);
    CLimitLine line(m_pTrace, 1, 0);
    m_pTrace->FillYData(std::vector<double>(8, 1000.0));
    ASSERT_EQ(line.CopyDataFromTrace(), 1);
    EXPECT_EQ(line.GetLimitYUnit(), UNIT_DBFS);
    EXPECT_NEAR(line.GetYDataAtXPos(3, 0), 1000.0, 1e-6);
    line.AlterAllValues(20.0 * std::log10(2.0), 0);
    EXPECT_NEAR(line.GetYDataAtXPos(3, 0), 2000.0, 1e-6);
    EXPECT_NEAR(line.GetYDataAtXValue(m_pTrace->GetXValueAtPos(3, m_pTrace->GetXUnit()), 0), 2000.0, 1e-6);
}

TEST_F(LimitLineData, LinesPlotTheirValuesAsTheParentsData)
{
    // Stored in dBFS, drawn at the height of the data they stand for, also
    // where a logarithmic X axis gathers positions into columns.
    m_pTrace->SetYUnit(UNIT_DBFS);
    AttachDataLine(true, std::vector<double>(8, 100000.0));
    CQXTrace* pLine = m_pTrace->GetMaxLimitLine();
    for (int bLogX : {0, 1}) {
        SCOPED_TRACE(bLogX);
        m_pTrace->SetLogX(bLogX);
        m_pTrace->SetDrawRect(CRect(0, 0, 99, 49));
        m_pTrace->SetDrawRect(CRect(0, 0, 199, 99));
        pLine->RecalcTrace();
        pLine->DataToPlot();
        const int iHeight = m_pTrace->GetYPointForData(100000.0);
        int iColumnsWithData = 0;
        for (size_t i = 0; i < pLine->GetPlotMinArray().size(); ++i) {
            if (pLine->GetPlotMaxArray()[i] == 2147483647) continue;
            ++iColumnsWithData;
            EXPECT_EQ(pLine->GetPlotMaxArray()[i], iHeight) << i;
        }
        EXPECT_GT(iColumnsWithData, 0);
    }
}

TEST(LimitTableRules, PointsStayInAscendingX)
{
    CLimitTable table;
    // Each new point's index, also when the table grows its storage; a
    // second 10 goes after the first.
    std::vector<int> aiIndices;
    for (double dX : {30.0, 10.0, 20.0, 10.0}) aiIndices.push_back(table.AddPoint(dX, dX, 1, 0));
    EXPECT_EQ(aiIndices, (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(table.AddPoint(std::nan(""), 0.0, 1, 0), -1);
    ASSERT_EQ(table.GetNumPoints(), 4);
    int bExact = 0;
    EXPECT_EQ(table.GetInsertionPoint(20.0, &bExact), 2);
    EXPECT_EQ(bExact, 1);
    EXPECT_EQ(table.GetInsertionPoint(25.0, &bExact), 3);
    EXPECT_EQ(bExact, 0);
    EXPECT_EQ(table.GetInsertionPoint(99.0, &bExact), 4);
    EXPECT_EQ(table.ReplacePoint(0, 40.0, 1.0, 1, 0), 1); // moves to the end
    double dX = 0.0;
    EXPECT_EQ(table.GetPoint(3, &dX, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(dX, 40.0);
    EXPECT_EQ(table.GetPoint(4, &dX, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(CLimitTable::GetPolarity(TT_SCOPE, -0.5), POLARITY_NEGATIVE);
    EXPECT_EQ(CLimitTable::GetPolarity(TT_CTDET, 0.0), POLARITY_POSITIVE);
    EXPECT_EQ(CLimitTable::GetPolarity(TT_FFT, -0.5), POLARITY_NONE);
    EXPECT_EQ(CLimitTable::GetPolarity(TT_SCOPE, DBL_MAX), POLARITY_NONE);
}

} // namespace
