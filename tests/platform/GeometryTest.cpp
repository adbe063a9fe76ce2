// Rectangles, points, colours and MulDiv.

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

TEST(GeometryRect, EmptyNullAndContainment)
{
    const struct { CRect rect; bool empty; bool null; } rows[] = {
        {CRect(0, 0, 0, 0), true, true},
        {CRect(1, 1, 1, 5), true, false}, // no width
        {CRect(5, 0, 0, 5), true, false}, // inverted
        {CRect(0, 0, 1, 1), false, false},
        {CRect(-3, -3, -1, -2), false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.rect.IsRectEmpty(), row.empty) << row.rect.left << "," << row.rect.right;
        EXPECT_EQ(row.rect.IsRectNull(), row.null);
    }
    // Right and bottom are exclusive; an inverted rectangle contains nothing.
    const struct { CRect rect; CPoint point; bool inside; } points[] = {
        {CRect(10, 20, 30, 40), {10, 20}, true},  {CRect(10, 20, 30, 40), {29, 39}, true},
        {CRect(10, 20, 30, 40), {30, 39}, false}, {CRect(10, 20, 30, 40), {29, 40}, false},
        {CRect(10, 20, 30, 40), {9, 25}, false},  {CRect(30, 40, 10, 20), {15, 25}, false},
    };
    for (const auto& row : points) EXPECT_EQ(row.rect.PtInRect(row.point), row.inside) << row.point.x << "," << row.point.y;
}

TEST(GeometryRect, IntersectionAndUnion)
{
    const struct { CRect a; CRect b; bool meets; CRect result; } rows[] = {
        {CRect(0, 0, 10, 10), CRect(5, 5, 15, 15), true, CRect(5, 5, 10, 10)},
        {CRect(0, 0, 10, 10), CRect(2, 3, 4, 5), true, CRect(2, 3, 4, 5)},
        {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), false, CRect()}, // touching edges share no pixel
        {CRect(0, 0, 10, 10), CRect(20, 20, 30, 30), false, CRect()},
        {CRect(0, 0, 10, 10), CRect(5, 5, 5, 8), false, CRect()},    // empty source
        {CRect(0, 0, 10, 10), CRect(8, 8, 2, 2), false, CRect()},    // inverted source
    };
    for (const auto& row : rows) {
        CRect r(1, 2, 3, 4);
        EXPECT_EQ(r.IntersectRect(row.a, row.b), row.meets);
        EXPECT_EQ(r, row.result);
        EXPECT_EQ(row.a & row.b, row.result);
    }
    // Union ignores empty sources.
    const struct { CRect a; CRect b; bool any; CRect result; } unions[] = {
        {CRect(0, 0, 10, 10), CRect(20, 5, 30, 15), true, CRect(0, 0, 30, 15)},
        {CRect(5, 5, 5, 5), CRect(1, 2, 3, 4), true, CRect(1, 2, 3, 4)},
        {CRect(1, 2, 3, 4), CRect(100, 100, 0, 0), true, CRect(1, 2, 3, 4)},
        {CRect(5, 5, 5, 5), CRect(7, 7, 7, 9), false, CRect()},
    };
    for (const auto& row : unions) {
        CRect r(1, 1, 2, 2);
        EXPECT_EQ(r.UnionRect(row.a, row.b), row.any);
        EXPECT_EQ(r, row.result);
    }
}

TEST(GeometryRect, InflateDeflateOffsetAndCentre)
{
    CRect r(10, 20, 30, 40);
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(8, 17, 32, 43));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(9, 19, 29, 39));
    r.OffsetRect(-9, 1);
    EXPECT_EQ(r, CRect(0, 20, 20, 40));
    EXPECT_EQ(r.CenterPoint(), CPoint(10, 30));
    EXPECT_EQ(CRect(CPoint(5, 6), CSize(2, 3)), CRect(5, 6, 7, 9));
    for (CRect in : {CRect(30, 40, 10, 20), CRect(10, 40, 30, 20)}) { // normalising swaps inverted pairs only
        in.NormalizeRect();
        EXPECT_EQ(in, CRect(10, 20, 30, 40));
    }
    EXPECT_EQ(CRect(-3, 0, 0, 1).CenterPoint().x, -1); // truncates toward zero
    // Extreme coordinates saturate.
    const CRect huge(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(huge.Width(), INT_MAX);
    EXPECT_EQ(huge.CenterPoint(), CPoint(0, 0));
    r = huge;
    r.OffsetRect(INT_MIN, 10);
    EXPECT_EQ(std::make_tuple(r.left, r.bottom), std::make_tuple(INT_MIN, INT_MAX));
    EXPECT_EQ(CPoint(INT_MIN, 0) - CPoint(1, 0), CSize(INT_MIN, 0));
}

TEST(ColorRef, PackingBlendAndLuminance)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u); // blue, green, red
    EXPECT_EQ(std::make_tuple(GetRValue(0x00563412), GetGValue(0x00563412), GetBValue(0x00563412)),
              std::make_tuple(0x12, 0x34, 0x56));
    EXPECT_EQ(RGB(256 + 1, -1, 0), RGB(1, 255, 0)); // components keep their low byte

    const struct { COLORREF from, to; double t; COLORREF result; } blends[] = {
        {RGB(0, 0, 0), RGB(255, 255, 255), 0.0, RGB(0, 0, 0)},
        {RGB(0, 0, 0), RGB(255, 255, 255), 1.0, RGB(255, 255, 255)},
        {RGB(0, 100, 200), RGB(100, 0, 0), 0.5, RGB(50, 50, 100)},
        {RGB(10, 10, 10), RGB(20, 20, 20), 7.0, RGB(20, 20, 20)},
        {RGB(10, 10, 10), RGB(20, 20, 20), -1.0, RGB(10, 10, 10)},
    };
    for (const auto& b : blends) EXPECT_EQ(BlendColor(b.from, b.to, b.t), b.result) << b.t;
    EXPECT_NEAR(ColorLuminance(RGB(255, 255, 255)), 255.0, 1e-9);
    EXPECT_GT(ColorLuminance(RGB(0, 255, 0)), ColorLuminance(RGB(255, 0, 0)));
    EXPECT_EQ(GetSysColor(9999), RGB(0, 0, 0));
}

TEST(GeometryMulDiv, RoundsHalfAwayFromZero)
{
    const struct { int n, num, den, result; } rows[] = {
        {96, 100, 720, 13}, {300, 100, 720, 42}, {1, 1, 2, 1}, {-1, 1, 2, -1}, {3, -5, 2, -8},
        {INT_MAX, 2, 2, INT_MAX}, {INT_MAX, 4, 2, -1}, {7, 3, 0, -1},
    };
    for (const auto& row : rows) EXPECT_EQ(MulDiv(row.n, row.num, row.den), row.result) << row.n << "*" << row.num;
}
