// Pen rules and one-pixel line rasterisation: pure arithmetic, no painting.
#include "qt/PenPattern.h"
#include "qt/PixelLine.h"

#include <gtest/gtest.h>

#include <tuple>

#include <set>
#include <utility>

namespace {

TEST(QtPenPattern, StylesBecomePixelPatterns)
{
    const auto user = [](int style, int width, std::vector<DWORD> dashes) { return CPen(style | PS_USERSTYLE, width, 0, dashes); };
    const struct { const char* name; CPen pen; bool null; int width; std::vector<int> dashes; EPenCap cap; } cases[] = {
        {"width 0 is one pixel", CPen(PS_SOLID, 0, 0), false, 1, {}, EPenCap::Flat},
        {"cosmetic dash", CPen(PS_DASH, 1, 0), false, 1, {18, 6}, EPenCap::Flat},
        {"cosmetic dash dot", CPen(PS_DASHDOT, 1, 0), false, 1, {9, 6, 3, 6}, EPenCap::Flat},
        {"wide cosmetic dash draws solid", CPen(PS_DASH, 3, 0), false, 3, {}, EPenCap::Round},
        {"wide geometric dash scales", CPen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 2, 0), false, 2, {6, 2}, EPenCap::Flat},
        {"odd user style repeats swapped", user(0, 1, {5}), false, 1, {5, 5}, EPenCap::Flat},
        {"wide user style keeps pixels", user(PS_GEOMETRIC | PS_ENDCAP_SQUARE, 3, {6, 3}), false, 3, {6, 3}, EPenCap::Square},
        {"user style without gaps is solid", user(0, 1, {4, 0}), false, 1, {}, EPenCap::Flat},
        {"user style without dashes draws nothing", user(0, 1, {0, 4}), true, 1, {}, EPenCap::Flat},
        {"null", CPen::FromStock(NULL_PEN), true, 1, {}, EPenCap::Flat},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SPenPattern p = PenPattern(c.pen);
        EXPECT_EQ(std::make_tuple(p.m_bNull, p.m_iWidth), std::make_tuple(c.null, c.width));
        if (c.null) continue;
        EXPECT_EQ(std::make_tuple(p.m_aDashes, p.m_eCap), std::make_tuple(c.dashes, c.cap));
    }
}

TEST(QtPenPattern, DashEntriesAreInPenWidthsWithoutZeros)
{
    const struct {
        const char* name;
        std::vector<int> pixels;
        int width;
        std::vector<double> entries;
        double offset;
    } cases[] = {
        {"width divides", {6, 3}, 3, {2, 1}, 0},
        {"zero gap joins dashes", {2, 0, 3, 4}, 1, {5, 4}, 0},
        {"last dash runs into the first", {2, 3, 4, 0}, 1, {6, 3}, 4},
        {"leading gap starts part-way", {0, 2, 3, 4}, 1, {3, 6}, 7},
        {"solid", {4, 0}, 1, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SDashEntries e = DashEntriesInWidths(c.pixels, c.width);
        EXPECT_EQ(e.m_aEntries, c.entries);
        EXPECT_DOUBLE_EQ(e.m_dOffset, c.offset);
    }
}

using Pixels = std::set<std::pair<int, int>>;

Pixels Rasterize(CPoint from, CPoint to, CPixelDash& dash)
{
    std::vector<CRect> runs;
    RasterizeLine(from, to, CRect(0, 0, 100, 100), dash, runs);
    Pixels out;
    for (const CRect& r : runs)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) out.insert({x, y});
    return out;
}

TEST(QtPixelLine, LinesDrawTheirStartAndLeaveOutTheirEnd)
{
    const struct { const char* name; CPoint from, to; Pixels pixels; } cases[] = {
        {"reversed diagonal", {3, 0}, {0, 3}, {{3, 0}, {2, 1}, {1, 2}}},
        {"shallow", {0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {"a point draws nothing", {5, 5}, {5, 5}, {}},
        {"clipped to the bounds", {-3, 0}, {2, 0}, {{0, 0}, {1, 0}}},
        {"column upwards", {7, 5}, {7, 1}, {{7, 5}, {7, 4}, {7, 3}, {7, 2}}},
        {"column clipped at both ends", {7, -5}, {7, 150}, [] {
             Pixels column;
             for (int y = 0; y < 100; ++y) column.insert({7, y});
             return column;
         }()},
        {"column left of the bounds", {-1, 0}, {-1, 9}, {}},
        {"huge coordinates cost only the bounds", {-2000000000, 0}, {2000000000, 0}, [] {
             Pixels row;
             for (int x = 0; x < 100; ++x) row.insert({x, 0});
             return row;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CPixelDash solid;
        EXPECT_EQ(Rasterize(c.from, c.to, solid), c.pixels);
    }
}

TEST(QtPixelLine, DashesCountPixelsAlongAPathAndBeyondTheBounds)
{
    CPixelDash dash({2, 3});
    EXPECT_EQ(Rasterize({0, 0}, {4, 0}, dash), (Pixels{{0, 0}, {1, 0}}));  // on on off off
    EXPECT_EQ(Rasterize({4, 0}, {4, 6}, dash), (Pixels{{4, 1}, {4, 2}}));  // off on on off off off

    // Left of the bounds the pattern still moves on: x -6..-3 on, -2..1 off, 2..5 on.
    CPixelDash clipped({4, 4});
    EXPECT_EQ(Rasterize({-6, 0}, {6, 0}, clipped), (Pixels{{2, 0}, {3, 0}, {4, 0}, {5, 0}}));

    CPixelDash empty({0, 0}); // no length: solid
    empty.Advance(5);
    EXPECT_TRUE(empty.IsOn());
    CPixelDash leadingGap({0, 2, 1, 1});
    EXPECT_FALSE(leadingGap.IsOn());
    leadingGap.Advance(1000000000006LL); // period 4: 2 pixels in
    EXPECT_TRUE(leadingGap.IsOn());
}

} // namespace
