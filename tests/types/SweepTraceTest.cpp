// Sweep traces point by point: X order and what stays on its point, full,
// sense and reverse sweeps, time-out marks, the X lookups and the plot.
// Phase (3216) is stored in the unit it is shown in, so data equal values.

#include "support/HostDocFixture.h"

#include "host/settings/SettingsIds.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/limits/LimitLine.h"
#include "host/units/DblUnitProperty.h"
#include "trace/model/CursorMark.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/TraceKindTables.h"

#include <climits>
#include <tuple>

namespace {

constexpr double M = DBL_MAX; // unmeasured

class SweepTraceTest : public HostDocFixture {
protected:
    CSweepTrace* MakeSweep(int iSize, int iTrigger = TRIGGER_GENFREQ_CHA)
    {
        auto* p = AddTrace(new CSweepTrace(CHANNEL_A, iSize, TT_SWEEP1, 0, 0));
        p->SetResultID(RES_PHASE);
        p->SetXAxisSourceDetails(iTrigger, UNIT_FREQ_HZ, 10.0, 100000.0);
        p->SetXUnit(UNIT_FREQ_HZ);
        p->SetYUnit(UNIT_PHASE_DEGREES);
        p->SetInUse(1);
        return p;
    }
    // A 100 x 100 plot, Y -10 .. 10, linear X over the window.
    static void SetWindow(CSweepTrace* p, double dMinX, double dMaxX)
    {
        p->SetDrawRect(CRect(0, 0, 100, 100));
        p->SetCurrentMinYScaleValue(-10);
        p->SetCurrentMaxYScaleValue(10);
        p->SetLogX(0);
        p->SetCurrentMinXScaleValue(dMinX);
        p->SetCurrentMaxXScaleValue(dMaxX);
    }
    static std::vector<double> Xs(CSweepTrace* p) { return {p->GetXData(), p->GetXData() + p->GetDataSize()}; }
    static std::vector<double> Ys(CSweepTrace* p)
    {
        return {p->GetYDataBuffer(0), p->GetYDataBuffer(0) + p->GetDataSize()};
    }
};

TEST_F(SweepTraceTest, PointsLandInOrderAndSweepsFillGrowOrStop)
{
    struct SCase {
        const char* name;
        int iSize, iTrigger, bReverse, bInsert;
        std::vector<double> aX; // Y is X / 10
        std::vector<double> aExpectedX;
        int iExpectedNext, iExpectedAsserts;
    };
    const SCase aCases[] = {
        {"inserted in X order", 5, TRIGGER_GENFREQ_CHA, 0, 1, {1000, 100, 10000}, {100, 1000, 10000, M, M}, 3, 0},
        {"equal X goes beside", 4, TRIGGER_GENFREQ_CHA, 0, 1, {100, 300, 100}, {100, 100, 300, M}, 3, 0},
        {"arrival order", 3, TRIGGER_GENFREQ_CHA, 0, 0, {300, 100}, {300, 100, M}, 2, 0},
        {"full generator sweep drops the extra", 3, TRIGGER_GENFREQ_CHA, 0, 0, {1, 2, 3, 4}, {1, 2, 3}, 2, 1},
        {"sense sweep grows (inserting)", 2, TRIGGER_SENSEFREQ_CHA, 0, 1, {10, 20, 30, 40}, {10, 20, 30, 40}, 4, 0},
        {"sense sweep grows (in arrival order)", 2, TRIGGER_SENSEFREQ_CHA, 0, 0, {10, 30, 20}, {10, 30, 20}, 3, 0},
        {"sense sweep grows inside", 2, TRIGGER_SENSEFREQ_CHA, 0, 1, {10, 30, 20}, {10, 20, 30}, 3, 0},
        {"reverse sweep fills from the end", 4, TRIGGER_GENFREQ_CHA, 1, 0, {300, 200, 100}, {M, 100, 200, 300}, 0,
         0},
    };
    for (const SCase& c : aCases) {
        CSweepTrace* p = MakeSweep(c.iSize, c.iTrigger);
        const int iAssertsBefore = AssertCount();
        p->SweepStarted(c.bReverse);
        for (double x : c.aX) p->AddSweepPoint(x, x / 10, 0, c.bInsert, 0, 0);
        EXPECT_EQ(Xs(p), c.aExpectedX) << c.name;
        for (int i = 0; i < p->GetDataSize(); ++i)
            EXPECT_EQ(Ys(p)[i], c.aExpectedX[i] == M ? M : c.aExpectedX[i] / 10) << c.name << " at " << i;
        EXPECT_EQ(p->GetNextPoint(), c.iExpectedNext) << c.name;
        EXPECT_EQ(p->GetMaxXPos(), p->GetDataSize() - 1) << c.name;
        EXPECT_EQ(AssertCount() - iAssertsBefore, c.iExpectedAsserts) << c.name;
    }
}

TEST_F(SweepTraceTest, TimeOutsLeaveLabelledMarksThatAreMarksNotCursors)
{
    struct SCase { int iFlags; CursorMarkType eKind; int iLabel; const char* sLog; };
    const SCase aCases[] = {
        {0x01, eTimeOutSettlingMark, IDS_MARK_TIMEOUT_SETTLING, "Timed out Settling"},
        {0x02, eTimeOutRegulatingMark, IDS_MARK_TIMEOUT_REGULATING, "Timed out Regulating"},
        {0x03, eTimeOutRegulatingMark, IDS_MARK_TIMEOUT_REGULATING, "Timed out Regulating AND Settling"},
        {0x07, eTimeOutNoDataMark, IDS_MARK_TIMEOUT_NO_DATA, "Timed out waiting for data"},
    };
    CSweepTrace* p = MakeSweep(8);
    p->SweepStarted(0);
    p->AddSweepPoint(100, 0, 0, 1, 0, 0); // on time: no mark
    EXPECT_FALSE(p->AreMarksOn());
    for (const SCase& c : aCases) p->AddSweepPoint(100.0 * (p->GetNextPoint() + 1), 0, c.iFlags, 1, 0, 0);
    EXPECT_TRUE(p->AreMarksOn());
    EXPECT_EQ(p->GetLastMark(), 3);
    for (int i = 0; i < 4; ++i) {
        const SCase& c = aCases[i];
        EXPECT_EQ(p->GetMark(i)->GetType(), c.eKind) << c.sLog;
        EXPECT_EQ(p->GetMarkPosition(i, 1), i + 1) << c.sLog;
        EXPECT_EQ(p->GetMarkLabel(i, 0), LoadResString(c.iLabel)) << c.sLog;
        EXPECT_TRUE(HasLog(std::string(c.sLog) + ": X = ")) << c.sLog;
    }
    EXPECT_EQ(p->GetCurrentMark(), 3);

    // Hit testing: a mark answers on its triangle only, a cursor along its line.
    SetWindow(p, 0, 1000);
    p->CursorOn();
    p->SetCursorPosition(1);
    const CPoint onTriangle = p->GetMark(0)->GetCursorRect(nullptr).CenterPoint();
    const CPoint belowIt(onTriangle.x, 95);
    EXPECT_EQ(p->GetMark(0)->PointInCursorMark(nullptr, onTriangle), 1);
    EXPECT_EQ(p->GetMark(0)->PointInCursorMark(nullptr, belowIt), 0);
    EXPECT_EQ(p->GetCursor()->PointInCursorMark(nullptr, belowIt), 1);
}

TEST_F(SweepTraceTest, CursorsStayOnTheirPointsAndLookupsTakeTheLowerNeighbour)
{
    CSweepTrace* p = MakeSweep(4);
    p->SweepStarted(0);
    p->AddSweepPoint(1000, 10, 0, 1, 0, 0);
    p->CursorOn();
    p->RelativeCursorOn();
    ASSERT_EQ(p->AddMark(0, 0), 0);
    p->AddSweepPoint(100, 1, 0, 1, 0, 0);
    p->AddSweepPoint(10000, 100, 0, 1, 0, 0);
    // 1000 moved from position 0 to 1; everything on it moved along.
    for (int iPos : {p->GetCursor()->GetPosition(1), p->GetRelativeCursor()->GetPosition(1), p->GetMarkPosition(0, 1)})
        EXPECT_EQ(iPos, 1);
    const struct { double dX; int iPos; double dY; } aRows[] = {
        {550, 0, 5.5},   // 1 + (10 - 1) * 450 / 900
        {5000, 1, 50},   // 10 + (100 - 10) * 4000 / 9000
        {50, 0, 0.5},    // below the first: position 0, the line through the first two
        {1000, 1, 10},   // exact
        {50000, 2, 100}, // past the last measured point: its own value, never DBL_MAX blended in
    };
    for (const auto& r : aRows) {
        EXPECT_EQ(p->GetXPosForValue(r.dX, UNIT_FREQ_HZ), r.iPos) << r.dX;
        EXPECT_NEAR(p->GetYDataAtXValue(r.dX, 0), r.dY, 1e-9) << r.dX;
    }
    p->AddSweepPoint(500, 4, 0, 0, 1, 0); // restart: back to the first position
    EXPECT_EQ(p->GetXData()[0], 500.0);
    EXPECT_TRUE(HasLog("Restarting Range 3=>0"));
}

TEST_F(SweepTraceTest, YMappingOnAWindowAcrossZeroAndThreeOfTenPointsPlotted)
{
    CSweepTrace* p = MakeSweep(10);
    SetWindow(p, 0, 100); // 101 columns, origin row 50
    EXPECT_EQ(p->GetYOrigin(), 50);
    const struct {
        double d;
        int iHeight;
    } aRows[] = {{0, 0}, {5, 25}, {-5, -25}, {10, 50}, {-10, -50}, {2.5, 12}, {-2.5, -12}, {M, INT_MAX}};
    for (const auto& r : aRows) EXPECT_EQ(p->GetYPointForData(r.d), r.iHeight) << r.d;

    p->SweepStarted(0);
    for (auto [x, y] : {std::pair{20.0, 0.0}, {50.0, 10.0}, {80.0, -10.0}}) p->AddSweepPoint(x, y, 0, 1, 0, 0);
    p->DataToPlot();
    const std::vector<int>& aMax = p->GetPlotMaxArray();
    ASSERT_EQ(aMax.size(), 101u);
    const struct {
        int iColumn, iHeight;
    } aColumns[] = {{0, INT_MAX}, {19, INT_MAX}, {20, 0},  {21, 1},  {35, 25},      {50, 50},
                    {65, 0},      {79, -46},     {80, -50}, {81, INT_MAX}, {100, INT_MAX}};
    for (const auto& c : aColumns) {
        EXPECT_EQ(aMax[c.iColumn], c.iHeight) << "column " << c.iColumn;
        EXPECT_EQ(p->GetPlotMinArray()[c.iColumn], c.iHeight) << "column " << c.iColumn;
    }
}

TEST_F(SweepTraceTest, APerPointLimitGrowsWithASenseSweep)
{
    CSweepTrace* p = MakeSweep(2, TRIGGER_SENSEFREQ_CHA);
    p->TraceOn(0, 0);
    auto* pMax = new CLimitLine(CHANNEL_A, 2, TT_MAXLIMITLINE, 0); // 5 and 6 degrees
    pMax->SetParentTrace(p);
    pMax->SetUnitsCreated(UNIT_FREQ_HZ, UNIT_PHASE_DEGREES);
    pMax->SetYDataAtXPos(0, 5, 0);
    pMax->SetYDataAtXPos(1, 6, 0);
    ASSERT_EQ(p->SetLimitLineForTrace(pMax, TT_MAXLIMITLINE, 1, 0, 0), 1);
    p->SweepStarted(0);
    for (double x : {10.0, 30.0, 20.0}) p->AddSweepPoint(x, 7, 0, 1, 0, 0);
    ASSERT_EQ(std::make_pair(pMax->GetDataSize(), pMax->GetMaxXPos()), std::make_pair(3, 2));
    EXPECT_EQ((std::vector<double>{pMax->GetYDataAtXPos(0, 0), pMax->GetYDataAtXPos(1, 0), pMax->GetYDataAtXPos(2, 0)}),
              (std::vector<double>{5, 6, M}));
    EXPECT_EQ(p->GetMaxLimitBreachCount(), 3); // 7 above 5, 6 and (20 at position 1) 6; 30 moved past the limits
}

TEST_F(SweepTraceTest, AxesAllowLogarithmsAndSignsByResultAndSource)
{
    const struct {
        const char* name;
        int iYResult, iYUnit, iTrigger, iXResult, iXUnit;
        int bLogY, bLogX, bNegative;
    } aRows[] = {
        {"phase over generator Hz", RES_PHASE, UNIT_PHASE_DEGREES, TRIGGER_GENFREQ_CHA, 0, UNIT_FREQ_HZ, 0, 1, 1},
        {"level in V over time", RES_CHA_RMSAMPL, UNIT_V, TRIGGER_TIME, 0, UNIT_MS, 1, 0, 0},
        {"level in dBV over manual", RES_CHA_RMSAMPL, UNIT_DBV, TRIGGER_MANUAL, 0, UNIT_NULL, 0, 0, 0},
        {"frequency over delay", RES_CHA_FREQ, UNIT_FREQ_HZ, -1, RES_DELAY, UNIT_PHASE_US, 1, 0, 0},
        {"deviation over frequency", RES_DO_SOURCEFSDEVIATION, UNIT_PPM, -1, RES_CHB_FREQ, UNIT_FREQ_HZ, 0, 1, 1},
        {"nothing over frequency", UNUSED_RESULT, UNIT_NULL, -1, RES_CHB_FREQ, UNIT_FREQ_HZ, 0, 1, 0},
    };
    for (const auto& r : aRows) {
        CSweepTrace* p = MakeSweep(4);
        p->SetResultID(r.iYResult);
        p->SetYUnit(r.iYUnit);
        if (r.iTrigger >= 0) p->SetXAxisSourceDetails(r.iTrigger, r.iXUnit, 1, 10);
        else p->SetXAxisResultDetails(r.iXResult, 0, 0, r.iXUnit, 1, 10);
        int bDb = -1, bLogY = -1, bLogX = -1;
        p->GetLogDetails(Y_AXIS, r.iYUnit, &bDb, &bLogY);
        p->GetLogDetails(X_AXIS, r.iXUnit, nullptr, &bLogX);
        EXPECT_EQ(std::make_tuple(bLogY, bLogX, p->HasNegativeYData()), std::make_tuple(r.bLogY, r.bLogX, r.bNegative))
            << r.name;
        EXPECT_EQ(bDb, r.iYUnit == UNIT_DBV ? 1 : 0) << r.name;
    }

    // A phase keeps its unit in every input; the generator's frequency control lies behind the X axis.
    CSweepTrace* p = MakeSweep(4);
    p->SetYUnit(UNIT_PHASE_RADIANS);
    EXPECT_EQ(std::make_tuple(p->GetYDigUnit(), p->GetYAnaUnit(), p->GetYJDOUnit(), p->GetYSoundcardUnit()),
              std::make_tuple(+UNIT_PHASE_RADIANS, +UNIT_PHASE_RADIANS, +UNIT_PHASE_RADIANS, +UNIT_PHASE_RADIANS));
    ASSERT_NE(p->GetProperty(X_AXIS), nullptr);
    EXPECT_EQ(p->GetProperty(X_AXIS)->GetID(), PROP_GEN_FREQ_CHA);
    p->SetXAxisSourceDetails(TRIGGER_MANUAL, UNIT_NULL, 1, 10);
    EXPECT_EQ(p->GetProperty(X_AXIS), nullptr);
    EXPECT_TRUE(HasLog("nID == 0"));
}

TEST_F(SweepTraceTest, RawPointsDuringTheSweepThenItsComputesAndTheLimitsOnTheirResult)
{
    CSweepTrace* p = MakeSweep(3);
    p->TraceOn(0, 0);
    const auto sweep = [p](std::initializer_list<double> aY) {
        p->SweepStarted(0);
        for (double y : aY) p->AddSweepPoint(100 * (p->GetNextPoint() + 1), y, 0, 0, 0, 0);
    };
    sweep({5, 5, 5});
    auto* pMax = new CLimitLine(p, 1, 0); // 5 at 100, 200 and 300 Hz
    ASSERT_EQ(pMax->CopyDataFromTrace(), 1);
    p->SetLimitLineForTrace(pMax, TT_MAXLIMITLINE, 1, 0, 0);
    auto* pInvert = new CComputeInvert(); // about 4 degrees
    pInvert->SetInvertValue(4.0);
    pInvert->SetYUnit(UNIT_PHASE_DEGREES);
    CComputeList list;
    list.AddComputeObject(pInvert);
    p->SetComputeList(&list);
    ASSERT_EQ(p->SetShowTransformedYData(1, 0), 1);
    sweep({3, 1, 2});
    EXPECT_FALSE(p->HasTransformedYDataBuffer()); // the raw points are shown
    EXPECT_EQ(p->GetMaxLimitBreachCount(), 0);
    p->SweepFinished(0, 0);
    ASSERT_TRUE(p->HasTransformedYDataBuffer());
    EXPECT_EQ(std::vector<double>(p->GetYDataBuffer(1), p->GetYDataBuffer(1) + 3), (std::vector<double>{5, 7, 6}));
    EXPECT_EQ(p->GetMaxLimitBreachCount(), 1); // 7 and 6 are above 5: one breach per check
}

} // namespace
