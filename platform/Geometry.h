#pragma once
// CPoint, CSize and CRect with the framework's semantics: a rectangle covers
// left <= x < right and top <= y < bottom, so right and bottom are exclusive.
// Sums and differences saturate instead of overflowing, so extreme
// coordinates from corrupt files cannot cause undefined behaviour.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace geometry_detail {
constexpr int Saturate(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}
constexpr int Add(int a, int b) { return Saturate(static_cast<std::int64_t>(a) + b); }
constexpr int Sub(int a, int b) { return Saturate(static_cast<std::int64_t>(a) - b); }
constexpr int Mid(int a, int b) { return static_cast<int>((static_cast<std::int64_t>(a) + b) / 2); }
} // namespace geometry_detail

class CSize {
public:
    int cx = 0;
    int cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int x, int y) : cx(x), cy(y) {}

    constexpr CSize operator+(CSize s) const { return {geometry_detail::Add(cx, s.cx), geometry_detail::Add(cy, s.cy)}; }
    constexpr CSize operator-(CSize s) const { return {geometry_detail::Sub(cx, s.cx), geometry_detail::Sub(cy, s.cy)}; }
    constexpr bool operator==(const CSize&) const = default;
};

class CPoint {
public:
    int x = 0;
    int y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}

    constexpr void Offset(int dx, int dy) { x = geometry_detail::Add(x, dx); y = geometry_detail::Add(y, dy); }
    constexpr void SetPoint(int px, int py) { x = px; y = py; }

    constexpr CPoint operator+(CSize s) const { return {geometry_detail::Add(x, s.cx), geometry_detail::Add(y, s.cy)}; }
    constexpr CPoint operator-(CSize s) const { return {geometry_detail::Sub(x, s.cx), geometry_detail::Sub(y, s.cy)}; }
    constexpr CSize operator-(CPoint p) const { return {geometry_detail::Sub(x, p.x), geometry_detail::Sub(y, p.y)}; }
    constexpr CPoint operator-() const { return {geometry_detail::Sub(0, x), geometry_detail::Sub(0, y)}; }
    constexpr CPoint& operator+=(CSize s) { Offset(s.cx, s.cy); return *this; }
    constexpr CPoint& operator-=(CSize s) { return *this = *this - s; }
    constexpr bool operator==(const CPoint&) const = default;
};

class CRect {
public:
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(geometry_detail::Add(topLeft.x, size.cx)),
          bottom(geometry_detail::Add(topLeft.y, size.cy)) {}
    constexpr CRect(CPoint topLeft, CPoint bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}

    constexpr int Width() const { return geometry_detail::Sub(right, left); }
    constexpr int Height() const { return geometry_detail::Sub(bottom, top); }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {geometry_detail::Mid(left, right), geometry_detail::Mid(top, bottom)}; }

    // Empty: no area (also when not normalised). Null: all four are zero.
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr bool EqualRect(const CRect& r) const { return *this == r; }

    constexpr void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }

    constexpr void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
    constexpr void InflateRect(CSize s) { InflateRect(s.cx, s.cy); }
    constexpr void InflateRect(int l, int t, int r, int b)
    {
        left = geometry_detail::Sub(left, l);
        top = geometry_detail::Sub(top, t);
        right = geometry_detail::Add(right, r);
        bottom = geometry_detail::Add(bottom, b);
    }
    constexpr void DeflateRect(int x, int y) { DeflateRect(x, y, x, y); }
    constexpr void DeflateRect(CSize s) { DeflateRect(s.cx, s.cy); }
    constexpr void DeflateRect(int l, int t, int r, int b)
    {
        left = geometry_detail::Add(left, l);
        top = geometry_detail::Add(top, t);
        right = geometry_detail::Sub(right, r);
        bottom = geometry_detail::Sub(bottom, b);
    }

    constexpr void OffsetRect(int dx, int dy)
    {
        left = geometry_detail::Add(left, dx);
        top = geometry_detail::Add(top, dy);
        right = geometry_detail::Add(right, dx);
        bottom = geometry_detail::Add(bottom, dy);
    }
    constexpr void OffsetRect(CPoint p) { OffsetRect(p.x, p.y); }
    constexpr void OffsetRect(CSize s) { OffsetRect(s.cx, s.cy); }
    constexpr void MoveToXY(int x, int y) { *this = CRect(CPoint(x, y), Size()); }

    // The common part; when the sources do not overlap (an empty source
    // overlaps nothing) the result is (0,0,0,0) and the answer false.
    constexpr bool IntersectRect(const CRect& a, const CRect& b)
    {
        const CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                      std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // The smallest rectangle holding both; empty sources are ignored, and
    // two empty sources give (0,0,0,0) and false.
    constexpr bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty() && b.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        if (a.IsRectEmpty()) { *this = b; return true; }
        if (b.IsRectEmpty()) { *this = a; return true; }
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
        return true;
    }

    constexpr CRect operator&(const CRect& r) const { CRect out; out.IntersectRect(*this, r); return out; }
    constexpr CRect operator|(const CRect& r) const { CRect out; out.UnionRect(*this, r); return out; }
    constexpr CRect& operator&=(const CRect& r) { return *this = *this & r; }
    constexpr CRect& operator|=(const CRect& r) { return *this = *this | r; }
    constexpr CRect operator+(CPoint p) const { CRect out = *this; out.OffsetRect(p); return out; }
    constexpr CRect operator-(CPoint p) const { CRect out = *this; out.OffsetRect(-p); return out; }
    constexpr bool operator==(const CRect&) const = default;
};
