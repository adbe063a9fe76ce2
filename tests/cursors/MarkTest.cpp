// Marks: packed slots and the current mark, labels, sums, switches, the
// marks list's caption, and how a mark is drawn.

#include "CursorFixture.h"

#include "platform/RecordingDC.h"

#include <cmath>
#include <vector>

namespace {

class MarkTest : public CursorFixture {
protected:
    void AddMarks(const std::vector<int>& aPositions)
    {
        for (int iPos : aPositions) T().AddMark(iPos, 0);
    }
    std::vector<int> Positions()
    {
        std::vector<int> a;
        for (int i = 0; i <= T().GetLastMark(); ++i) a.push_back(T().GetMarkPosition(i, 1));
        return a;
    }
};

TEST_F(MarkTest, TheTwentyFirstMarkAndBadPositionsAreRefused)
{
    EXPECT_EQ(T().AddMark(512, 1) + T().AddMark(-1, 1), 0);
    EXPECT_FALSE(T().HasMarks());
    for (int i = 0; i < MAX_MARKS; ++i) ASSERT_EQ(T().AddMark(i * 10, 1), i);
    const std::vector<int> aBefore = Positions();
    EXPECT_EQ(T().AddMark(300, 1), -1);
    EXPECT_EQ(Positions(), aBefore);
    EXPECT_EQ(T().GetCurrentMark(), MAX_MARKS - 1);
    EXPECT_EQ(T().GetNumMarks(), 0); // free slots
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), MAX_MARKS);
}

TEST_F(MarkTest, RemovalShiftsLaterMarksDownAndKeepsTheCurrentMark)
{
    struct SCase { int iCurrent, iRemove; std::vector<int> aLeft; int iCurrentAfter; } const aCases[] = {
        {2, 2, {10, 20, 40, 50}, 2}, // the successor takes over
        {4, 2, {10, 20, 40, 50}, 3}, // a later current mark moves with its slot
        {1, 2, {10, 20, 40, 50}, 1},
        {4, 4, {10, 20, 30, 40}, 3}, // the last one: the nearest earlier
    };
    for (const SCase& c : aCases) {
        T().RemoveAllMarks(0);
        AddMarks({10, 20, 30, 40, 50});
        T().SetCurrentMark(c.iCurrent);
        EXPECT_EQ(T().RemoveMark(c.iRemove, 0), 1);
        EXPECT_EQ(Positions(), c.aLeft) << c.iCurrent << "/" << c.iRemove;
        EXPECT_EQ(T().GetCurrentMark(), c.iCurrentAfter) << c.iCurrent << "/" << c.iRemove;
    }
    EXPECT_EQ(T().RemoveMark(4, 0), 0); // empty slot
}

TEST_F(MarkTest, RemoveCurrentMarkBeepsWhileMarksAreHidden)
{
    AddMarks({10, 20});
    EXPECT_EQ(T().RemoveCurrentMark(), 0);
    EXPECT_EQ(m_host.GetBeepCount(), 1);
    T().MarksOn();
    EXPECT_TRUE(T().GetShowMarksOnScreen() && T().GetPrintMarks() && T().AreMarksOn());
    EXPECT_EQ(T().RemoveCurrentMark(), 1);
    EXPECT_EQ(Positions(), (std::vector<int>{10}));
    T().MarksOff();
    EXPECT_FALSE(T().GetShowMarksOnScreen() || T().GetPrintMarks() || T().AreMarksOn());
}

TEST_F(MarkTest, LabelsAreCutTo32Characters)
{
    AddMarks({10, 20, 30});
    CString sLabel(L"0123456789012345678901234567890123456789");
    EXPECT_EQ(T().SetMarkLabel(2, sLabel, true), 1);
    EXPECT_EQ(sLabel, L"01234567890123456789012345678901"); // the caller's copy too
    EXPECT_EQ(T().GetMarkLabel(2, 1), L"3 : 01234567890123456789012345678901");
    EXPECT_EQ(T().SetMarkLabel(5, sLabel, true), 0);
    EXPECT_TRUE(T().GetMarkLabel(5, 1).IsEmpty());
    EXPECT_EQ(CQXTrace::GetHarmonicLabel(10), L"Eleventh");
}

TEST_F(MarkTest, SumsAreRmsOrPlainInTheStorageUnit)
{
    T().FillYData([](int i) { return i == 10 ? 1.0 : (i == 20 ? 0.1 : 5.0); });
    AddMarks({10, 20});
    // response (0 RMS), exclude first, expected
    const double aCases[][3] = {{0, 1, 0.1}, {0, 0, std::sqrt(1.01)}, {1, 1, 0.1}, {1, 0, 1.1}};
    for (const auto& c : aCases) {
        T().SetTestResponse(static_cast<int>(c[0]));
        EXPECT_NEAR(T().GetSumOfMarks(UNIT_HEX, static_cast<int>(c[1])), c[2], 1e-12) << c[0] << "/" << c[1];
    }
    EXPECT_EQ(T().GetSumOfMarksCaption(1), L"Sum of harmonics");
    EXPECT_EQ(T().GetSumOfMarksCaption(0), L"Sum of marks");
}

TEST_F(MarkTest, DrawnAsATriangleOnTheCurveWithItsLabelAbove)
{
    T().SetColor(RGB(0, 200, 0));
    AddMarks({10});
    const int x = T().GetXPointForPos(10);
    CRecordingDC dc;
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    const SDCState before = dc.GetState();
    T().GetMark(0)->DrawCursorMark(&dc, L"1");
    EXPECT_TRUE(dc.GetState() == before);

    const auto aTriangle = dc.GetRecords(CRecordingDC::EKind::Polygon);
    ASSERT_EQ(aTriangle.size(), 1u);
    EXPECT_EQ(aTriangle[0].m_aPoints.at(0), CPoint(x, 49)); // the tip, just above the datum
    EXPECT_EQ(aTriangle[0].m_state.m_brush.GetColor(), RGB(0, 200, 0));
    const auto aText = dc.GetRecords(CRecordingDC::EKind::Text);
    ASSERT_EQ(aText.size(), 1u);
    EXPECT_EQ(std::make_tuple(aText[0].m_sText, aText[0].m_state.m_crText), std::make_tuple(L"1", RGB(0, 200, 0)));
    EXPECT_LT(aText[0].m_aPoints[0].y, aTriangle[0].m_aPoints.at(1).y);
    EXPECT_TRUE(T().GetMark(0)->PointInCursorMark(&dc, CPoint(x + 3, 41)));
    EXPECT_FALSE(T().GetMark(0)->PointInCursorMark(&dc, CPoint(x, 60)));
}

} // namespace
