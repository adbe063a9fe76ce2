// Cursors: limits over missing values, key moves, size changes, readings
// relative to the relative cursor, bar texts, and drawing and hit testing.

#include "CursorFixture.h"

#include "host/units/UnitFunctions.h"
#include "platform/RecordingDC.h"

#include <cmath>
#include <tuple>

namespace {

constexpr double kNoValue = TRACE_NULL_VALUE;
using EKind = CRecordingDC::EKind;

class CursorTest : public CursorFixture {
protected:
    void PlaceCursors(int iPos, int iRelPos)
    {
        T().CursorOn();
        T().SetCursorPosition(iRelPos);
        T().RelativeCursorOn();
        T().SetCursorPosition(iPos);
    }
};

TEST_F(CursorTest, LimitsAndCursorOnSkipPointsWithoutValue)
{
    T().FillYData([](int i) { return (i < 3 || i > 507) ? kNoValue : 1.0; });
    EXPECT_EQ(std::make_pair(T().GetMinCursorXPos(false), T().GetMaxCursorXPos(false)), std::make_pair(3, 507));
    T().CursorOn();
    EXPECT_EQ(std::make_pair(T().GetCursor()->GetPosition(1), T().GetRelativeCursor()->GetPosition(1)), std::make_pair(3, 3));
    EXPECT_EQ(CountHints(UPDATE_TRACE_CURSOR), 1);
    T().FillYData([](int) { return kNoValue; }); // the search stops at the array's ends
    EXPECT_EQ(std::make_pair(T().GetMinCursorXPos(false), T().GetMaxCursorXPos(false)), std::make_pair(511, 0));
}

TEST_F(CursorTest, KeyMovesStayWithinTheValuedRangeOrDoNothing)
{
    T().FillYData([](int i) { return i > 500 ? kNoValue : 1.0; });
    T().CursorOn();
    // start, leftwards, fast, result, end
    const int aCases[][5] = {{495, 0, 1, 0, 495}, {495, 0, 0, 1, 496}, {490, 0, 1, 1, 500},
                             {9, 1, 1, 0, 9},     {10, 1, 1, 1, 0}};
    for (const auto& c : aCases) {
        T().SetCursorPosition(c[0]);
        EXPECT_EQ(T().AdjustCursorPosition(c[1], c[2]), c[3]) << c[0];
        EXPECT_EQ(T().GetCursor()->GetPosition(1), c[4]) << c[0];
    }
}

TEST_F(CursorTest, SizeChangesKeepCursorsInRangeAndDropMarksBeyond)
{
    PlaceCursors(400, 300);
    for (int iPos : {10, 350, 20, 450}) T().AddMark(iPos, 0);
    T().SetCurrentMark(2);
    T().SetBuffer(256);
    EXPECT_EQ(std::make_pair(T().GetCursor()->GetPosition(1), T().GetRelativeCursor()->GetPosition(1)), std::make_pair(255, 255));
    // Survivors stay packed and in order; the current mark stays on its mark.
    EXPECT_EQ(std::make_tuple(T().GetLastMark(), T().GetMarkPosition(1, 1), T().GetCurrentMark()), std::make_tuple(1, 20, 1));
    // Noted X values beyond the new range go to its ends.
    T().SetTestXRange(0.0, 1000.0);
    T().SetNewCursorValues(5000.0, -30.0);
    EXPECT_EQ(T().GetCursor()->GetPosition(1), T().GetXPosForValue(1000.0, T().GetXUnit()));
    EXPECT_EQ(T().GetRelativeCursor()->GetPosition(1), 0);
}

TEST_F(CursorTest, ReadingsAreDifferencesWhileTheRelativeCursorIsOn)
{
    T().FillYData([](int i) { return i == 100 ? kFull / 4 : kFull / 2; });
    PlaceCursors(150, 100);
    CCursorMark* pCursor = T().GetCursor();
    EXPECT_EQ(pCursor->GetPosition(0), 50);
    EXPECT_EQ(T().GetRelativeCursor()->GetPosition(0), 100);
    const double dX = T().GetXValueAtPos(150, UNIT_FREQ_HZ) - T().GetXValueAtPos(100, UNIT_FREQ_HZ);
    EXPECT_NEAR(T().GetCursorMarkXValue(pCursor, UNIT_FREQ_HZ), dX, 1e-9);
    EXPECT_NEAR(T().GetCursorMarkYValue(pCursor, UNIT_DBFS), 20.0 * std::log10(2.0), 1e-9);
    EXPECT_TRUE(T().GetYCursorText(UNIT_DBFS).Right(4) == L" (r)");

    T().RelativeCursorOff();
    EXPECT_NEAR(T().GetCursorMarkYValue(pCursor, UNIT_DBFS), ConvertHexTodBFS(kFull / 2), 1e-9);
    EXPECT_EQ(T().GetYCursorText(UNIT_DBFS),
              T().GetValueStringForYValue(ConvertHexTodBFS(kFull / 2), UNIT_DBFS, nullptr));
    // A unit outside the axis's set, or the cursor off, gives no text.
    EXPECT_TRUE(T().GetXCursorText(UNIT_DBFS).IsEmpty());
    T().CursorOff();
    EXPECT_EQ(T().GetCursorMarkYValue(pCursor, UNIT_DBFS), kNoValue);
}

TEST_F(CursorTest, SignedDataReadInDecibelsUsesRawMagnitudes)
{
    T().SetSignedData(true);
    PlaceCursors(20, 10);
    const double d6 = 20.0 * std::log10(2.0);
    struct SCase { double dY, dYRel; int iUnit; double dExpected; } const aCases[] = {
        {kFull / 2, -kFull / 2, UNIT_DBFS, d6},       // opposite signs: magnitudes add
        {-kFull / 4, -kFull / 2, UNIT_DBFS, -d6},     // same sign: plain ratio
        {kFull / 4, kFull / 2, UNIT_HEX, -kFull / 4}, // linear: difference
        {kFull / 2, 0.0, UNIT_DBFS, kNoValue},        // nothing to compare with
    };
    for (const SCase& c : aCases) {
        T().FillYData([&](int i) { return i == 10 ? c.dYRel : c.dY; });
        EXPECT_NEAR(T().GetCursorMarkYValue(T().GetCursor(), c.iUnit), c.dExpected, 1e-6) << c.dY;
    }
}

TEST_F(CursorTest, DrawnInTheTraceColourScaledForPrinting)
{
    T().SetColor(RGB(0, 200, 0));
    T().SetPrintColor(RGB(0, 0, 160));
    T().CursorOn();
    T().SetCursorPosition(10);
    const int x = T().GetXPointForPos(10);
    CRecordingDC screen;
    T().GetCursor()->DrawCursorMark(&screen, nullptr);
    const auto aLines = screen.GetRecords(EKind::Line);
    ASSERT_EQ(aLines.size(), 1u);
    EXPECT_EQ(std::make_tuple(aLines[0].m_aPoints[0], aLines[0].m_aPoints[1], aLines[0].m_state.m_pen.GetColor()),
              std::make_tuple(CPoint(x, 0), CPoint(x, 101), RGB(0, 200, 0)));
    const auto aDiamond = screen.GetRecords(EKind::Polygon);
    ASSERT_EQ(aDiamond.size(), 1u);
    EXPECT_EQ(std::make_pair(aDiamond[0].m_aPoints[0], aDiamond[0].m_state.m_brush.GetColor()),
              std::make_pair(CPoint(x, 46), RGB(0, 200, 0)));

    CRecordingDC::SDeviceCaps caps;
    caps.m_iLogPixelsX = 600;
    caps.m_bPrinting = true;
    CRecordingDC printer(caps);
    T().GetCursor()->DrawCursorMark(&printer, nullptr);
    const CPen printPen = printer.GetRecords(EKind::Line).at(0).m_state.m_pen; // a copy: the records are a temporary
    EXPECT_EQ(std::make_pair(printPen.GetWidth(), printPen.GetColor()), std::make_pair(6, RGB(0, 0, 160)));
    EXPECT_EQ(printer.GetRecords(EKind::Polygon).at(0).m_aPoints[0], CPoint(x, 50 - 24));

    // The diamond with some slack and the whole line are hit.
    const std::pair<CPoint, int> aHits[] = {{{x + 6, 53}, 1}, {{x + 2, 90}, 1}, {{x + 7, 90}, 0}, {{x, 150}, 0}};
    for (const auto& [pt, bHit] : aHits) EXPECT_EQ(T().GetCursor()->PointInCursorMark(&screen, pt), bHit) << pt.y;

    // Outside the X window nothing is drawn or hit.
    T().SetCursorPosition(300);
    screen.Clear();
    T().GetCursor()->DrawCursorMark(&screen, L"x");
    EXPECT_TRUE(screen.GetRecords().empty());
    EXPECT_FALSE(T().GetCursor()->PointInCursorMark(&screen, CPoint(x, 50)));
}

} // namespace
