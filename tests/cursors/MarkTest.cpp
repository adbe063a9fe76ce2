// Marks: the packed slots, the current mark, labels, sums, switches,
// harmonic labels and the marks list's sum line.

#include "CursorFixture.h"

#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "trace/model/CursorMark.h"

#include <cmath>
#include <vector>

namespace {

class MarkTest : public CursorFixture {
protected:
    // Adds marks at the positions, returning their slots.
    std::vector<int> AddMarks(const std::vector<int>& aPositions)
    {
        std::vector<int> aSlots;
        for (int iPos : aPositions) aSlots.push_back(Trace().AddMark(iPos, 0));
        return aSlots;
    }
    std::vector<int> Positions()
    {
        std::vector<int> a;
        for (int i = 0; i <= Trace().GetLastMark(); ++i) a.push_back(Trace().GetMarkPosition(i, 1));
        return a;
    }
};

TEST_F(MarkTest, AddingFillsTheNextSlotAndMakesItCurrent)
{
    EXPECT_EQ(Trace().GetLastMark(), -1);
    EXPECT_EQ(Trace().GetNumMarks(), MAX_MARKS);
    EXPECT_FALSE(Trace().HasMarks());
    EXPECT_EQ(AddMarks({40, 10, 30}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Trace().GetCurrentMark(), 2);
    EXPECT_EQ(Trace().GetLastMark(), 2);
    EXPECT_EQ(Trace().GetNumMarks(), MAX_MARKS - 3); // free slots
    EXPECT_EQ(Trace().GetMark(1)->GetType(), eMark);
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), 0);
    Trace().AddMark(5, 1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), 1);
}

TEST_F(MarkTest, PositionsOutsideTheDataAddNothing)
{
    for (int iPos : {-1, 512, 100000}) EXPECT_EQ(Trace().AddMark(iPos, 1), 0) << iPos;
    EXPECT_FALSE(Trace().HasMarks());
    EXPECT_EQ(Trace().GetCurrentMark(), -1);
}

TEST_F(MarkTest, TheTwentyFirstMarkIsRefused)
{
    for (int i = 0; i < MAX_MARKS; ++i) ASSERT_EQ(Trace().AddMark(i * 10, 0), i);
    const std::vector<int> aBefore = Positions();
    EXPECT_EQ(Trace().AddMark(300, 1), -1);
    EXPECT_EQ(Positions(), aBefore);
    EXPECT_EQ(Trace().GetCurrentMark(), MAX_MARKS - 1);
    EXPECT_EQ(Trace().GetNumMarks(), 0);
}

TEST_F(MarkTest, RemovalShiftsLaterMarksDownAndKeepsTheCurrentMark)
{
    struct SCase {
        int iCurrent, iRemove;
        std::vector<int> aPositions; // left after removal
        int iCurrentAfter;
    };
    const SCase aCases[] = {
        {2, 2, {10, 20, 40, 50}, 2},      // current removed: its successor takes over
        {4, 2, {10, 20, 40, 50}, 3},      // current after the removed one follows its mark
        {1, 2, {10, 20, 40, 50}, 1},      // current before it stays
        {4, 4, {10, 20, 30, 40}, 3},      // last removed: the nearest earlier
        {0, 0, {20, 30, 40, 50}, 0},
    };
    for (const SCase& c : aCases) {
        Trace().RemoveAllMarks(0);
        AddMarks({10, 20, 30, 40, 50});
        Trace().SetCurrentMark(c.iCurrent);
        EXPECT_EQ(Trace().RemoveMark(c.iRemove, 0), 1);
        EXPECT_EQ(Positions(), c.aPositions) << c.iCurrent << "/" << c.iRemove;
        EXPECT_EQ(Trace().GetCurrentMark(), c.iCurrentAfter) << c.iCurrent << "/" << c.iRemove;
        EXPECT_EQ(Trace().GetMark(4), nullptr);
    }
}

TEST_F(MarkTest, RemovingTheOnlyMarkLeavesNoCurrentMark)
{
    AddMarks({10});
    EXPECT_EQ(Trace().RemoveMark(0, 1), 1);
    EXPECT_EQ(Trace().GetCurrentMark(), -1);
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), 1);
    // Empty and invalid slots change nothing.
    for (int i : {0, 5, -1, MAX_MARKS}) EXPECT_EQ(Trace().RemoveMark(i, 1), 0) << i;
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), 1);
}

TEST_F(MarkTest, RemoveCurrentMarkBeepsWhenMarksAreHiddenOrNoneIsCurrent)
{
    AddMarks({10, 20});
    EXPECT_EQ(Trace().RemoveCurrentMark(), 0); // marks not shown on the screen yet
    EXPECT_EQ(m_host.GetBeepCount(), 1);
    Trace().MarksOn();
    EXPECT_EQ(Trace().RemoveCurrentMark(), 1);
    EXPECT_EQ(Positions(), (std::vector<int>{10}));
    Trace().SetCurrentMark(-1);
    EXPECT_EQ(Trace().RemoveCurrentMark(), 0);
    EXPECT_EQ(m_host.GetBeepCount(), 2);
    EXPECT_EQ(Positions(), (std::vector<int>{10}));
}

TEST_F(MarkTest, CurrentMarkAndPositionAcceptOnlyValidValues)
{
    AddMarks({10});
    EXPECT_EQ(Trace().SetCurrentMark(-1), 1);
    EXPECT_EQ(Trace().SetCurrentMark(19), 1);
    EXPECT_EQ(Trace().SetCurrentMark(20), 0);
    EXPECT_EQ(Trace().GetCurrentMark(), 19);

    EXPECT_EQ(Trace().SetMarkPosition(0, 77), 1);
    EXPECT_EQ(Trace().GetMarkPosition(0, 1), 77);
    EXPECT_EQ(Trace().SetMarkPosition(0, 512), 0);
    EXPECT_EQ(Trace().SetMarkPosition(3, 5), 0);
    EXPECT_EQ(Trace().GetMarkPosition(0, 1), 77);
    EXPECT_EQ(Trace().GetMarkPosition(3, 1), -1);
}

TEST_F(MarkTest, MarkPositionsReadRelativeToTheRelativeCursor)
{
    AddMarks({150});
    Trace().CursorOn();
    Trace().SetCursorPosition(100);
    Trace().RelativeCursorOn();
    EXPECT_EQ(Trace().GetMarkPosition(0, 0), 50);
    EXPECT_EQ(Trace().GetMarkPosition(0, 1), 150);
}

TEST_F(MarkTest, LabelsAreCutTo32Characters)
{
    AddMarks({10, 20, 30});
    CString sLabel(L"0123456789012345678901234567890123456789");
    EXPECT_EQ(Trace().SetMarkLabel(2, sLabel, true), 1);
    EXPECT_EQ(sLabel, L"01234567890123456789012345678901"); // the caller's copy too
    EXPECT_EQ(Trace().GetMarkLabel(2, 0), L"01234567890123456789012345678901");
    EXPECT_EQ(Trace().GetMarkLabel(2, 1), L"3 : 01234567890123456789012345678901");
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), 1);

    CString sShort(L"H2");
    EXPECT_EQ(Trace().SetMarkLabel(5, sShort, true), 0);
    EXPECT_TRUE(Trace().GetMarkLabel(5, 1).IsEmpty());
    EXPECT_TRUE(Trace().GetMarkLabel(-1, 0).IsEmpty());

    CCursorMark mark;
    mark.SetLabel(CString(L"0123456789012345678901234567890123"));
    EXPECT_EQ(mark.GetLabel().GetLength(), CCursorMark::kMaxLabelLength);
}

TEST_F(MarkTest, SumsAreRmsOrPlainInTheStorageUnit)
{
    Trace().FillYData([](int i) { return i == 10 ? 1.0 : (i == 20 ? 0.1 : 5.0); });
    AddMarks({10, 20});
    struct SCase {
        int iResponse, bExcludeFirst;
        double dExpected;
    };
    const SCase aCases[] = {
        {0, 1, 0.1},
        {0, 0, std::sqrt(1.01)}, // about 1.005
        {1, 1, 0.1},
        {1, 0, 1.1},
    };
    for (const SCase& c : aCases) {
        Trace().SetTestResponse(c.iResponse);
        EXPECT_NEAR(Trace().GetSumOfMarks(UNIT_HEX, c.bExcludeFirst), c.dExpected, 1e-12)
            << c.iResponse << "/" << c.bExcludeFirst;
    }
    // Other units are converted from the storage unit.
    Trace().SetTestResponse(0);
    EXPECT_NEAR(Trace().GetSumOfMarks(UNIT_DBFS, 0), ConvertHexTodBFS(std::sqrt(1.01)), 1e-9);
}

TEST_F(MarkTest, SumSkipsMarksWithoutValueAndAllowsMinusInfinity)
{
    Trace().FillYData([](int i) { return i == 10 ? TRACE_NULL_VALUE : 2.0; });
    AddMarks({10, 20});
    EXPECT_NEAR(Trace().GetSumOfMarks(UNIT_HEX, 0), 2.0, 1e-12);
    Trace().RemoveAllMarks(0);
    EXPECT_EQ(Trace().GetSumOfMarks(UNIT_DBFS, 0), -DBL_MAX);
}

TEST_F(MarkTest, SumLineAndCaption)
{
    Trace().FillYData([](int i) { return i == 100 ? kFull / 4 : kFull / 2; });
    AddMarks({10, 20});
    const double dSum = Trace().GetSumOfMarks(UNIT_DBFS, 1);
    const CString sUnit = FindUnitObject(UNIT_DBFS)->GetName();
    EXPECT_EQ(Trace().GetSumOfMarksText(UNIT_DBFS, 1),
              Trace().GetValueStringForYValue(dSum, UNIT_DBFS, nullptr) + L" " + sUnit);
    // With the relative cursor on, its value is taken off.
    Trace().CursorOn();
    Trace().SetCursorPosition(100);
    Trace().RelativeCursorOn();
    const double dRel = Trace().GetYValueForData(kFull / 4, UNIT_DBFS, 0, 0);
    EXPECT_EQ(Trace().GetSumOfMarksText(UNIT_DBFS, 1),
              Trace().GetValueStringForYValue(dSum - dRel, UNIT_DBFS, nullptr) + L" " + sUnit);

    EXPECT_EQ(Trace().GetSumOfMarksCaption(1), L"Sum of harmonics");
    EXPECT_EQ(Trace().GetSumOfMarksCaption(0), L"Sum of marks");
    Trace().SetTraceType(TT_SCOPE);
    EXPECT_EQ(Trace().GetSumOfMarksCaption(1), L"Sum of marks");
}

TEST_F(MarkTest, SwitchesGoOnAndOffTogether)
{
    EXPECT_FALSE(Trace().AreMarksOn());
    Trace().MarksOn();
    Trace().MarksOn();
    EXPECT_TRUE(Trace().AreMarksOn());
    EXPECT_TRUE(Trace().GetShowMarksOnScreen());
    EXPECT_TRUE(Trace().GetPrintMarks());
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), 1);
    Trace().MarksOff();
    Trace().MarksOff();
    EXPECT_FALSE(Trace().AreMarksOn());
    EXPECT_FALSE(Trace().GetShowMarksOnScreen());
    EXPECT_FALSE(Trace().GetPrintMarks());
    EXPECT_EQ(CountHints(UPDATE_TRACE_MARKS), 2);
}

TEST_F(MarkTest, HarmonicLabelsByIndex)
{
    const std::pair<int, const wchar_t*> aCases[] = {
        {0, L"Fundamental"}, {1, L"Second"}, {9, L"Tenth"}, {10, L"Eleventh"}, {19, L"Twentieth"},
    };
    for (const auto& [i, psz] : aCases) EXPECT_EQ(CQXTrace::GetHarmonicLabel(i), psz) << i;
    EXPECT_TRUE(CQXTrace::GetHarmonicLabel(20).IsEmpty());
    EXPECT_TRUE(LogHasAssertion());
}

} // namespace
