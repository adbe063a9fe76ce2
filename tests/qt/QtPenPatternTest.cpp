// Pen rules and one-pixel line rasterisation: pure arithmetic, no painting.
#include "qt/PenPattern.h"
#include "qt/PixelLine.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

struct SPenCase {
    const char* name;
    CPen pen;
    bool null;
    int width;
    std::vector<int> dashes;
    EPenCap cap;
};

TEST(QtPenPattern, StylesBecomePixelPatterns)
{
    const SPenCase cases[] = {
        {"solid", CPen(PS_SOLID, 1, 0), false, 1, {}, EPenCap::Flat},
        {"width 0 is one pixel", CPen(PS_SOLID, 0, 0), false, 1, {}, EPenCap::Flat},
        {"cosmetic dash", CPen(PS_DASH, 1, 0), false, 1, {18, 6}, EPenCap::Flat},
        {"cosmetic dot", CPen(PS_DOT, 0, 0), false, 1, {3, 3}, EPenCap::Flat},
        {"dash dot", CPen(PS_DASHDOT, 1, 0), false, 1, {9, 6, 3, 6}, EPenCap::Flat},
        {"alternate", CPen(PS_ALTERNATE, 1, 0), false, 1, {1, 1}, EPenCap::Flat},
        {"wide cosmetic dash draws solid", CPen(PS_DASH, 3, 0), false, 3, {}, EPenCap::Round},
        {"wide geometric dash scales", CPen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 2, 0), false, 2, {6, 2}, EPenCap::Flat},
        {"user style in pixels", CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, 0, {4, 4}), false, 1, {4, 4}, EPenCap::Flat},
        {"odd user style repeats swapped", CPen(PS_USERSTYLE, 1, 0, {5}), false, 1, {5, 5}, EPenCap::Flat},
        {"wide user style keeps pixels", CPen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_SQUARE, 3, 0, {6, 3}), false, 3, {6, 3}, EPenCap::Square},
        {"user style without gaps is solid", CPen(PS_USERSTYLE, 1, 0, {4, 0}), false, 1, {}, EPenCap::Flat},
        {"user style without dashes draws nothing", CPen(PS_USERSTYLE, 1, 0, {0, 4}), true, 1, {}, EPenCap::Flat},
        {"null", CPen::FromStock(NULL_PEN), true, 1, {}, EPenCap::Flat},
    };
    for (const SPenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SPenPattern p = PenPattern(c.pen);
        EXPECT_EQ(p.m_bNull, c.null);
        EXPECT_EQ(p.m_iWidth, c.width);
        if (!c.null) {
            EXPECT_EQ(p.m_aDashes, c.dashes);
            EXPECT_EQ(p.m_eCap, c.cap);
        }
    }
}

TEST(QtPenPattern, DashEntriesAreInPenWidthsWithoutZeros)
{
    struct SCase {
        const char* name;
        std::vector<int> pixels;
        int width;
        std::vector<double> entries;
        double offset;
    } const cases[] = {
        {"one pixel", {4, 4}, 1, {4, 4}, 0},
        {"width divides", {6, 3}, 3, {2, 1}, 0},
        {"zero gap joins dashes", {2, 0, 3, 4}, 1, {5, 4}, 0},
        {"last dash runs into the first", {2, 3, 4, 0}, 1, {6, 3}, 4},
        {"leading gap starts part-way", {0, 2, 3, 4}, 1, {3, 6}, 7},
        {"solid", {4, 0}, 1, {}, 0},
        {"empty", {}, 1, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SDashEntries e = DashEntriesInWidths(c.pixels, c.width);
        EXPECT_EQ(e.m_aEntries, c.entries);
        EXPECT_DOUBLE_EQ(e.m_dOffset, c.offset);
    }
}

// Pixels of a rasterised line, for comparison as a set.
std::set<std::pair<int, int>> Pixels(const std::vector<CRect>& runs)
{
    std::set<std::pair<int, int>> out;
    for (const CRect& r : runs)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) out.insert({x, y});
    return out;
}

const CRect kBounds(0, 0, 100, 100);

TEST(QtPixelLine, LinesDrawTheirStartAndLeaveOutTheirEnd)
{
    using P = std::set<std::pair<int, int>>;
    struct SCase {
        const char* name;
        CPoint from, to;
        P pixels;
    } const cases[] = {
        {"rightwards", {2, 5}, {6, 5}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {"leftwards", {6, 5}, {2, 5}, {{6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {"downwards", {1, 1}, {1, 4}, {{1, 1}, {1, 2}, {1, 3}}},
        {"upwards", {1, 4}, {1, 1}, {{1, 4}, {1, 3}, {1, 2}}},
        {"diagonal", {0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
        {"reversed diagonal", {3, 0}, {0, 3}, {{3, 0}, {2, 1}, {1, 2}}},
        {"shallow", {0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {"a point draws nothing", {5, 5}, {5, 5}, {}},
        {"outside the bounds", {-10, -5}, {-1, -5}, {}},
        {"clipped to the bounds", {-3, 0}, {2, 0}, {{0, 0}, {1, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CPixelDash solid;
        std::vector<CRect> runs;
        RasterizeLine(c.from, c.to, kBounds, solid, runs);
        EXPECT_EQ(Pixels(runs), c.pixels);
    }
}

TEST(QtPixelLine, StraightLinesBecomeOneRun)
{
    CPixelDash solid;
    std::vector<CRect> runs;
    RasterizeLine({10, 3}, {40, 3}, kBounds, solid, runs);
    RasterizeLine({40, 3}, {40, 20}, kBounds, solid, runs);
    // The corner pixel ends the row; the column starts below it.
    EXPECT_EQ(runs, (std::vector<CRect>{CRect(10, 3, 41, 4), CRect(40, 4, 41, 20)}));
}

TEST(QtPixelLine, DashesCountPixelsAndRunOnAlongAPath)
{
    CPixelDash dash({2, 3});
    std::vector<CRect> runs;
    RasterizeLine({0, 0}, {4, 0}, kBounds, dash, runs); // on on off off
    RasterizeLine({4, 0}, {4, 6}, kBounds, dash, runs); // off on on off off off
    EXPECT_EQ(Pixels(runs), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {4, 1}, {4, 2}}));
}

TEST(QtPixelLine, ClippedStartKeepsThePatternInStep)
{
    // The part left of the bounds still moves the pattern on: x -6..-3 on,
    // -2..1 off, 2..5 on, 6..9 off.
    CPixelDash dash({4, 4});
    std::vector<CRect> runs;
    RasterizeLine({-6, 0}, {10, 0}, kBounds, dash, runs);
    EXPECT_EQ(runs, std::vector<CRect>{CRect(2, 0, 6, 1)});
    EXPECT_TRUE(dash.IsOn()); // 16 pixels: the next period starts
}

TEST(QtPixelLine, HugeCoordinatesCostOnlyTheBounds)
{
    CPixelDash solid;
    std::vector<CRect> runs;
    RasterizeLine({-2000000000, 7}, {2000000000, 7}, kBounds, solid, runs);
    EXPECT_EQ(runs, std::vector<CRect>{CRect(0, 7, 100, 8)});
}

TEST(QtPixelLine, DashPatternsWithEmptyEntries)
{
    CPixelDash zeros({0, 0});
    EXPECT_TRUE(zeros.IsOn());
    zeros.Advance(5);
    EXPECT_TRUE(zeros.IsOn()); // no length: solid
    CPixelDash odd({3});       // 3 on, 3 off
    odd.Advance(3);
    EXPECT_FALSE(odd.IsOn());
    odd.Advance(3);
    EXPECT_TRUE(odd.IsOn());
    CPixelDash leadingGap({0, 2, 1, 1});
    EXPECT_FALSE(leadingGap.IsOn());
    leadingGap.Advance(1000000000007LL); // period 4: 3 pixels in
    EXPECT_FALSE(leadingGap.IsOn());
}

} // namespace
