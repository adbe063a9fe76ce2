// Cursor and relative cursor: switching, limits over missing values, key
// movement, keeping them across size changes, readings and read-out texts.

#include "CursorFixture.h"

#include "host/units/UnitFunctions.h"
#include "trace/model/CursorMark.h"

#include <cmath>

namespace {

constexpr double kNoValue = TRACE_NULL_VALUE;

class CursorTest : public CursorFixture {
protected:
    // Cursor at iPos; with iRelPos >= 0 the relative cursor on there.
    void PlaceCursors(int iPos, int iRelPos = -1)
    {
        Trace().CursorOn();
        if (iRelPos >= 0) {
            Trace().SetCursorPosition(iRelPos);
            Trace().RelativeCursorOn();
        }
        Trace().SetCursorPosition(iPos);
    }
    double XAt(int iPos) { return Trace().GetXValueAtPos(iPos, UNIT_FREQ_HZ); }
};

TEST_F(CursorTest, CursorOnCreatesBothAtTheFirstValuedPointAndHints)
{
    Trace().FillYData([](int i) { return i < 3 ? kNoValue : kFull / 2; });
    Trace().CursorOn();
    ASSERT_NE(Trace().GetCursor(), nullptr);
    ASSERT_NE(Trace().GetRelativeCursor(), nullptr);
    EXPECT_EQ(Trace().GetCursor()->GetPosition(1), 3);
    EXPECT_EQ(Trace().GetRelativeCursor()->GetPosition(1), 3);
    EXPECT_EQ(Trace().GetCursor()->GetType(), eCursor);
    EXPECT_EQ(Trace().GetRelativeCursor()->GetType(), eRelativeCursor);
    EXPECT_EQ(CountHints(UPDATE_TRACE_CURSOR), 1);

    // Off keeps the objects and their places; a second off does nothing.
    Trace().SetCursorPosition(40);
    Trace().CursorOff();
    Trace().CursorOff();
    EXPECT_FALSE(Trace().IsCursorOn());
    EXPECT_EQ(CountHints(UPDATE_TRACE_CURSOR), 3);
    Trace().CursorOn();
    EXPECT_EQ(Trace().GetCursor()->GetPosition(1), 40);
}

TEST_F(CursorTest, CursorOnBringsCursorsOutsideTheWindowToItsStart)
{
    Trace().CursorOn();
    Trace().SetCursorPosition(300);
    Trace().CursorOff();
    Trace().SetCurrentMinXPos(10);
    Trace().SetCurrentMaxXPos(100);
    Trace().CursorOn();
    EXPECT_EQ(Trace().GetCursor()->GetPosition(1), 10);
}

TEST_F(CursorTest, LimitsStepOverPointsWithoutValue)
{
    // Three missing at the start, four at the end, one gap inside.
    Trace().FillYData([](int i) { return (i < 3 || i > 507 || i == 200) ? kNoValue : 1000.0; });
    EXPECT_EQ(Trace().GetMinCursorXPos(false), 3);
    EXPECT_EQ(Trace().GetMaxCursorXPos(false), 507);

    // In a window the window's edges are the starting points.
    Trace().SetCurrentMinXPos(200);
    Trace().SetCurrentMaxXPos(200);
    EXPECT_EQ(Trace().GetMinCursorXPos(true), 201);
    EXPECT_EQ(Trace().GetMaxCursorXPos(true), 199);

    // No value anywhere: the search stops at the array's ends.
    Trace().FillYData([](int) { return kNoValue; });
    EXPECT_EQ(Trace().GetMinCursorXPos(false), 511);
    EXPECT_EQ(Trace().GetMaxCursorXPos(false), 0);
    EXPECT_FALSE(LogHasAssertion());
}

TEST_F(CursorTest, KeyMovesStayWithinTheValuedRangeOrDoNothing)
{
    Trace().FillYData([](int i) { return i > 500 ? kNoValue : 1000.0; });
    Trace().CursorOn();
    struct SCase {
        int iStart, bLeftwards, bFast, iResult, iEnd;
    };
    const SCase aCases[] = {
        {495, 0, 1, 0, 495}, // five before the last valued point: a fast step would overshoot
        {495, 0, 0, 1, 496},
        {500, 0, 0, 0, 500},
        {490, 0, 1, 1, 500},
        {9, 1, 1, 0, 9},
        {10, 1, 1, 1, 0},
        {0, 1, 0, 0, 0},
    };
    for (const SCase& c : aCases) {
        Trace().SetCursorPosition(c.iStart);
        EXPECT_EQ(Trace().AdjustCursorPosition(c.bLeftwards, c.bFast), c.iResult) << c.iStart;
        EXPECT_EQ(Trace().GetCursor()->GetPosition(1), c.iEnd) << c.iStart;
    }
}

TEST_F(CursorTest, ShrinkingTheDataClampsCursorsAndDropsMarksBeyond)
{
    PlaceCursors(400, 300);
    Trace().AddMark(10, 0);
    Trace().AddMark(350, 0);
    Trace().AddMark(20, 0);
    Trace().AddMark(450, 0);
    ASSERT_TRUE(Trace().SetCurrentMark(2));
    Trace().SetBuffer(256);
    EXPECT_EQ(Trace().GetCursor()->GetPosition(1), 255);
    EXPECT_EQ(Trace().GetRelativeCursor()->GetPosition(1), 255);
    // The survivors stay packed, in order, and the current mark is the same mark.
    EXPECT_EQ(Trace().GetLastMark(), 1);
    EXPECT_EQ(Trace().GetMarkPosition(0, 1), 10);
    EXPECT_EQ(Trace().GetMarkPosition(1, 1), 20);
    EXPECT_EQ(Trace().GetCurrentMark(), 1);
}

TEST_F(CursorTest, NotedValuesComeBackClampedIntoTheNewXRange)
{
    PlaceCursors(100, 50);
    Trace().SetTestXRange(0.0, 24000.0);
    double dX = 0.0;
    double dXRel = 0.0;
    Trace().NoteOldCursorValues(&dX, &dXRel);
    EXPECT_DOUBLE_EQ(dX, Trace().GetXValueAtPos(100, Trace().GetXUnit()));
    EXPECT_DOUBLE_EQ(dXRel, Trace().GetXValueAtPos(50, Trace().GetXUnit()));

    // The same X values land on the same frequencies at twice the resolution.
    Trace().SetBuffer(1024);
    Trace().SetTestXRange(0.0, 24000.0);
    Trace().SetNewCursorValues(dX, dXRel);
    EXPECT_NEAR(Trace().GetXValueAtPos(Trace().GetCursor()->GetPosition(1), UNIT_FREQ_HZ), dX, 24.0);
    EXPECT_NEAR(Trace().GetXValueAtPos(Trace().GetRelativeCursor()->GetPosition(1), UNIT_FREQ_HZ), dXRel, 24.0);

    // Values beyond the range go to its ends.
    Trace().SetTestXRange(0.0, 1000.0);
    Trace().SetNewCursorValues(5000.0, -30.0);
    EXPECT_EQ(Trace().GetCursor()->GetPosition(1), Trace().GetXPosForValue(1000.0, Trace().GetXUnit()));
    EXPECT_EQ(Trace().GetRelativeCursor()->GetPosition(1), 0);
}

TEST_F(CursorTest, ReadingsAreDifferencesWhileTheRelativeCursorIsOn)
{
    Trace().FillYData([](int i) { return i == 150 ? kFull / 2 : (i == 100 ? kFull / 4 : kFull); });
    PlaceCursors(150, 100);
    CCursorMark* pCursor = Trace().GetCursor();
    EXPECT_EQ(pCursor->GetPosition(0), 50);
    EXPECT_EQ(pCursor->GetPosition(1), 150);
    EXPECT_EQ(Trace().GetRelativeCursor()->GetPosition(0), 100);

    EXPECT_NEAR(Trace().GetCursorMarkXValue(pCursor, UNIT_FREQ_HZ), XAt(150) - XAt(100), 1e-9);
    // dBFS of half scale minus dBFS of quarter scale: 20 log10(2).
    EXPECT_NEAR(Trace().GetCursorMarkYValue(pCursor, UNIT_DBFS), 20.0 * std::log10(2.0), 1e-9);
    EXPECT_NEAR(Trace().GetCursorMarkYValue(pCursor, UNIT_HEX), kFull / 4, 1e-6);

    Trace().RelativeCursorOff();
    EXPECT_EQ(pCursor->GetPosition(0), 150);
    EXPECT_NEAR(Trace().GetCursorMarkXValue(pCursor, UNIT_FREQ_HZ), XAt(150), 1e-9);
    EXPECT_NEAR(Trace().GetCursorMarkYValue(pCursor, UNIT_DBFS), ConvertHexTodBFS(kFull / 2), 1e-9);
}

TEST_F(CursorTest, NoReadingWithoutCursorMarkOrValue)
{
    Trace().FillYData([](int i) { return i == 7 ? kNoValue : kFull; });
    EXPECT_EQ(Trace().GetCursorMarkXValue(nullptr, UNIT_FREQ_HZ), kNoValue);
    Trace().CursorOn();
    CCursorMark* pCursor = Trace().GetCursor();
    Trace().CursorOff();
    EXPECT_EQ(Trace().GetCursorMarkXValue(pCursor, UNIT_FREQ_HZ), kNoValue);
    EXPECT_EQ(Trace().GetCursorMarkYValue(pCursor, UNIT_DBFS), kNoValue);
    Trace().CursorOn();
    Trace().SetCursorPosition(7);
    EXPECT_EQ(Trace().GetCursorMarkYValue(pCursor, UNIT_DBFS), kNoValue);
    // Zero amplitude reads -200 dB rather than minus infinity.
    Trace().FillYData([](int) { return 0.0; });
    EXPECT_DOUBLE_EQ(Trace().GetCursorMarkYValue(pCursor, UNIT_DBFS), -200.0);
}

TEST_F(CursorTest, SignedDataReadInDecibelsUsesRawMagnitudes)
{
    Trace().SetSignedData(true);
    struct SCase {
        double dY, dYRel;
        int iUnit;
        double dExpected;
    };
    const double d6 = 20.0 * std::log10(2.0);
    const SCase aCases[] = {
        {kFull / 2, -kFull / 2, UNIT_DBFS, d6},               // opposite signs: magnitudes add
        {-kFull / 4, -kFull / 2, UNIT_DBFS, -d6},             // same sign: plain ratio
        {kFull / 2, kFull / 4, UNIT_HEX, kFull / 4},          // linear unit: difference
        {kFull / 4, kFull / 2, UNIT_HEX, -kFull / 4},         // negative when the reference is larger
        {kFull / 2, 0.0, UNIT_DBFS, kNoValue},                // nothing to compare against
    };
    Trace().CursorOn();
    Trace().RelativeCursorOn();
    Trace().GetRelativeCursor()->SetPosition(10);
    Trace().GetCursor()->SetPosition(20);
    for (const SCase& c : aCases) {
        Trace().FillYData([&](int i) { return i == 10 ? c.dYRel : c.dY; });
        EXPECT_NEAR(Trace().GetCursorMarkYValue(Trace().GetCursor(), c.iUnit), c.dExpected, 1e-6)
            << c.dY << " vs " << c.dYRel;
    }
}

TEST_F(CursorTest, BarTextsCarryTheRelativeSuffixAndRespectTheUnitSet)
{
    PlaceCursors(150);
    const CString sX = Trace().GetXCursorText(UNIT_FREQ_HZ);
    const CString sY = Trace().GetYCursorText(UNIT_DBFS);
    EXPECT_FALSE(sX.IsEmpty());
    EXPECT_EQ(sY, Trace().GetValueStringForYValue(ConvertHexTodBFS(kFull / 2), UNIT_DBFS, nullptr));

    Trace().RelativeCursorOn();
    EXPECT_TRUE(Trace().GetXCursorText(UNIT_FREQ_HZ).Right(4) == L" (r)");
    EXPECT_TRUE(Trace().GetYCursorText(UNIT_DBFS).Right(4) == L" (r)");

    // A unit outside the axis's set, or no value, gives no text.
    EXPECT_TRUE(Trace().GetXCursorText(UNIT_DBFS).IsEmpty());
    EXPECT_TRUE(Trace().GetYCursorText(UNIT_FREQ_HZ).IsEmpty());
    Trace().CursorOff();
    EXPECT_TRUE(Trace().GetYCursorText(UNIT_DBFS).IsEmpty());
}

TEST_F(CursorTest, CursorUnitsFollowTheScaleUntilChosen)
{
    EXPECT_EQ(Trace().GetCursorXUnit(), Trace().GetXUnit());
    Trace().SetCursorXUnit(UNIT_BINS, 1);
    EXPECT_EQ(Trace().GetCursorXUnit(), UNIT_BINS);
    Trace().SetCursorYUnit(UNIT_HEX, 0);
    EXPECT_EQ(Trace().GetCursorYUnit(), UNIT_HEX);
    EXPECT_EQ(CountHints(UPDATE_TRACE_CURSOR), 1);
}

TEST_F(CursorTest, BadPositionsAreRefusedWithAnAssertion)
{
    Trace().SetCursorPosition(5); // no cursor yet
    EXPECT_TRUE(LogHasAssertion());
    m_host.ClearLog();
    Trace().CursorOn();
    Trace().SetCursorPosition(20);
    Trace().SetCursorPosition(512);
    Trace().SetRelativeCursorPosition(-1);
    EXPECT_EQ(Trace().GetCursor()->GetPosition(1), 20);
    EXPECT_EQ(Trace().GetRelativeCursor()->GetPosition(1), 0);
    EXPECT_TRUE(LogHasAssertion());
}

} // namespace
