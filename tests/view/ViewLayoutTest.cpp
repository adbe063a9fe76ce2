// Layout arithmetic of the graph view: areas for a client size, the small
// view, and the position thumbs.

#include "trace/display/GraphView.h"
#include "trace/display/YScale.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

SGraphLayoutInput Input(int iWidth, int iHeight)
{
    SGraphLayoutInput input;
    input.rcClient = CRect(0, 0, iWidth, iHeight);
    input.iFontHeight = 16;
    return input;
}

} // namespace

TEST(ViewLayout, WithoutScalesTheMarginsAloneRemain)
{
    SGraphLayoutInput input = Input(640, 480);
    input.bDrawScales = false;
    input.iNumXScales = 3; // ignored: no scales drawn
    input.aiSlotWidths[LEFT][0] = 50;
    const SGraphLayout layout = CalcGraphLayout(input);
    EXPECT_FALSE(layout.bSmall);
    EXPECT_EQ(layout.rcYScale[LEFT], CRect(17, 35, 17, 453));
    EXPECT_EQ(layout.rcYScale[RIGHT], CRect(635, 35, 635, 453));
    EXPECT_EQ(layout.rcXScale, CRect(27, 463, 625, 463));
    EXPECT_EQ(layout.rcGraticule, CRect(27, 35, 625, 453));
    EXPECT_EQ(layout.rcXCurPos, CRect(27, 468, 625, 475));
    EXPECT_EQ(layout.rcYCurPos, CRect(5, 35, 12, 453));
}

TEST(ViewLayout, ScalesStackAndSlotsGrowAwayFromTheEdges)
{
    SGraphLayoutInput input = Input(640, 480);
    input.iNumXScales = 2;
    input.aiSlotWidths[LEFT] = {40, 30, 0, 0};
    input.aiSlotWidths[RIGHT] = {25, 0, 0, 0};
    const SGraphLayout layout = CalcGraphLayout(input);

    // Two X strips of 16 pixels, 3 apart, upward from y = 463.
    EXPECT_EQ(layout.arcXScales[0], CRect(102, 447, 600, 463));
    EXPECT_EQ(layout.arcXScales[1], CRect(102, 428, 600, 444));
    EXPECT_EQ(layout.rcXScale, CRect(102, 428, 600, 463));
    // Left slots from x = 17 rightward with a 5-pixel gap; the right slot ends at 635.
    EXPECT_EQ(layout.arcYSlots[LEFT][0], CRect(17, 35, 57, 418));
    EXPECT_EQ(layout.arcYSlots[LEFT][1], CRect(62, 35, 92, 418));
    EXPECT_EQ(layout.arcYSlots[RIGHT][0], CRect(610, 35, 635, 418));
    EXPECT_EQ(layout.rcYScale[LEFT], CRect(17, 35, 92, 418));
    EXPECT_EQ(layout.rcYScale[RIGHT], CRect(610, 35, 635, 418));
    EXPECT_EQ(layout.rcGraticule, CRect(102, 35, 600, 418));
    EXPECT_EQ(layout.rcXCurPos, CRect(102, 468, 600, 475));
    EXPECT_EQ(layout.rcYCurPos, CRect(5, 35, 12, 418));
}

TEST(ViewLayout, SmallViewShowsOnlyAnInsetGraticule)
{
    struct Case { int iWidth, iHeight; bool bSmall; };
    const Case cases[] = {{199, 99, true}, {199, 480, true}, {640, 99, true}, {200, 100, false}};
    for (const Case& c : cases) {
        SGraphLayoutInput input = Input(c.iWidth, c.iHeight);
        input.iNumXScales = 1;
        input.aiSlotWidths[LEFT][0] = 40;
        const SGraphLayout layout = CalcGraphLayout(input);
        EXPECT_EQ(layout.bSmall, c.bSmall) << c.iWidth << "x" << c.iHeight;
        if (!c.bSmall) continue;
        EXPECT_EQ(layout.rcGraticule, CRect(10, 10, c.iWidth - 10, c.iHeight - 10));
        for (const CRect& rc : {layout.rcXScale, layout.rcYScale[LEFT], layout.rcYScale[RIGHT], layout.rcXCurPos,
                                layout.rcYCurPos, layout.arcXScales[0], layout.arcYSlots[LEFT][0]})
            EXPECT_TRUE(rc.IsRectEmpty());
    }
}

TEST(ViewThumbs, NeverUnderTwentyPixelsAndAlwaysInsideTheTrack)
{
    struct Case {
        int iLow, iHigh;       // as computed from the window
        int iTrackLow, iTrackHigh;
        int iExpectLow, iExpectHigh;
    };
    const Case cases[] = {
        {0, 600, 0, 600, 0, 600},      // fully zoomed out: the whole track
        {100, 200, 0, 600, 100, 200},  // wide enough: unchanged
        {300, 302, 0, 600, 291, 311},  // widened about its centre
        {0, 1, 0, 600, 0, 20},         // widened, then moved back in at the start
        {599, 600, 0, 600, 580, 600},  // ... and at the end
        {5, 6, 0, 12, 0, 12},          // a track shorter than a thumb: all of it
    };
    for (const Case& c : cases) {
        int iLow = c.iLow, iHigh = c.iHigh;
        FitThumb(iLow, iHigh, c.iTrackLow, c.iTrackHigh);
        EXPECT_EQ(iLow, c.iExpectLow) << c.iLow << ".." << c.iHigh;
        EXPECT_EQ(iHigh, c.iExpectHigh) << c.iLow << ".." << c.iHigh;
    }
}

TEST(ViewThumbs, XThumbFollowsTheWindowAndYThumbTheFractions)
{
    const CRect track(100, 400, 700, 407);
    EXPECT_EQ(CalcXThumb(track, 0.0, 24000.0, 0.0, 24000.0), CRect(100, 400, 700, 407));
    EXPECT_EQ(CalcXThumb(track, 0.0, 24000.0, 6000.0, 12000.0), CRect(250, 400, 400, 407));
    EXPECT_EQ(CalcXThumb(track, 0.0, 24000.0, 1000.0, 1001.0).Width(), 20);
    // An empty or unset full range shows no thumb.
    EXPECT_TRUE(CalcXThumb(track, 5.0, 5.0, 5.0, 5.0).IsRectEmpty());
    EXPECT_TRUE(CalcXThumb(track, -DBL_MAX, DBL_MAX, 0.0, 1.0).IsRectEmpty());
    // Fractions are clamped, and limits without a finite answer count as the start.
    EXPECT_DOUBLE_EQ(GetRangeFraction(50.0, 0.0, 10.0), 1.0);
    EXPECT_DOUBLE_EQ(GetRangeFraction(-DBL_MAX, -200.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(GetRangeFraction(NAN, 0.0, 1.0), 0.0);

    const CRect yTrack(5, 35, 12, 435);
    EXPECT_EQ(CalcYThumb(yTrack, 0.0, 1.0), yTrack);
    EXPECT_EQ(CalcYThumb(yTrack, 0.25, 0.5), CRect(5, 235, 12, 335));
    EXPECT_EQ(CalcYThumb(yTrack, 0.5, 0.5001).Height(), 20);
}
