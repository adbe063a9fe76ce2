// Which ticks carry a label, on realistic axis layouts, and the axis entry checks.

#include "host/app/HeadlessHost.h"
#include "host/units/UnitIds.h"
#include "trace/core/ScaleMath.h"
#include "trace/core/TickArray.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Labelled(const CTickArray& ticks)
{
    std::vector<int> out;
    for (int i = 0; i < ticks.GetNumTicks(); ++i)
        if (ticks.HasLabel(i)) out.push_back(i);
    return out;
}

CTickArray LinearTicks(double dMin, double dMax)
{
    CTickArray ticks;
    AutoCalcLinearTicks(dMin, dMax, UNIT_DBFS, 0, &ticks);
    return ticks;
}

} // namespace

TEST(LabelSelection, Layouts)
{
    struct Case { const char* sName; double dMin, dMax; SLabelLayout layout; std::vector<int> expected; };
    const Case cases[] = {
        // -3 .. 7: ticks 0.0 0.1 0.3(zero) 0.5 0.7 0.9 1.0, short end intervals.
        {"zero range, wide X", -3, 7, {X_AXIS, 600, 40}, {0, 1, 2, 3, 4, 5, 6}},
        {"zero range, narrow X keeps only zero", -3, 7, {X_AXIS, 150, 40}, {2}},
        {"regular, wide X", 0, 100, {X_AXIS, 600, 40}, {0, 1, 2, 3, 4, 5}},
        {"regular, narrow X takes every third", 0, 100, {X_AXIS, 200, 40}, {0, 3}},
        // 0 .. 99: the last interval (9) is shorter than the others (10).
        {"short last interval fits", 0, 99, {X_AXIS, 1000, 40}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"short last interval does not fit", 0, 99, {X_AXIS, 600, 40}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"regular, short Y takes every second", 0, 100, {Y_AXIS, 100, 32}, {0, 2, 4}},
        {"no room falls back to both ends", 0, 100, {X_AXIS, 50, 40}, {0, 5}},
    };
    for (const Case& c : cases) {
        CTickArray ticks = LinearTicks(c.dMin, c.dMax);
        const int iCount = DoCalcScaleSpacing(&ticks, c.layout);
        EXPECT_EQ(Labelled(ticks), c.expected) << c.sName;
        EXPECT_EQ(iCount, static_cast<int>(c.expected.size())) << c.sName;
    }
}

TEST(LabelSelection, ZeroTickCountsOutwardFromZeroAndRelabellingStartsAfresh)
{
    // -30 .. 60 in steps of 10: ten regular ticks with zero at index 3.
    CTickArray ticks = LinearTicks(-30, 60);
    ASSERT_EQ(ticks.GetNumTicks(), 10);
    ASSERT_EQ(ticks.GetMustHaveLabel(), 3);
    DoCalcScaleSpacing(&ticks, {X_AXIS, 300, 40});
    // Every second tick counted from zero, not from the start of the axis.
    EXPECT_EQ(Labelled(ticks), (std::vector<int>{1, 3, 5, 7, 9}));

    // Relabelling clears the earlier choices.
    CTickArray regular = LinearTicks(0, 100);
    DoCalcScaleSpacing(&regular, {X_AXIS, 600, 40});
    DoCalcScaleSpacing(&regular, {X_AXIS, 200, 40});
    EXPECT_EQ(Labelled(regular), (std::vector<int>{0, 3}));
}

TEST(LabelSelection, TooFewTicksIsRefused)
{
    CHeadlessHost host;
    CTickArray ticks;
    ticks.SetNumTicks(1);
    EXPECT_EQ(DoCalcScaleSpacing(&ticks, {X_AXIS, 600, 40}), 0);
    EXPECT_EQ(DoCalcScaleSpacing(nullptr, {X_AXIS, 600, 40}), 0);
    int iCount = 0;
    SetLabelFlags(&ticks, {X_AXIS, 600, 40}, 3, 2, 1, iCount);
    EXPECT_EQ(iCount, 0);
    EXPECT_GE(host.GetLogLines().size(), 3u);
}

TEST(LabelRangeCheck, Messages)
{
    struct Case { AxisType eAxis; double dFrom, dTo; int iIntervals; const wchar_t* sExpected; };
    const Case cases[] = {
        {X_AXIS, 10, 5, TRACE_INTERVALS_AUTO,
         L"The number in the X axis \"to\" field is less than the \"from\" field. Please amend your entry."},
        {Y_AXIS, 3, 3, 10, L"The 'From' and 'To' values for the Y axis cannot be the same. Please amend your entry."},
        {X_AXIS, 0, 10, 0,
         L"The interval for the X axis is invalid. Please amend your entry to a number between 1 and 50."},
        {Y_AXIS, 0, 10, 51,
         L"The interval for the Y axis is invalid. Please amend your entry to a number between 1 and 50."},
        {X_AXIS, 0, 10, 1, L""},
        {Y_AXIS, -10, 10, 50, L""},
        {X_AXIS, 0, 10, TRACE_INTERVALS_AUTO, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetScaleRangeError(c.eAxis, c.dFrom, c.dTo, c.iIntervals), CString(c.sExpected))
            << c.dFrom << " .. " << c.dTo << " / " << c.iIntervals;
}
