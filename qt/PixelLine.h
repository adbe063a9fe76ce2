#pragma once
// One-pixel lines drawn pixel by pixel with the platform's conventions: the
// first point is drawn and the last is not, so a polyline draws each joint
// once (which matters for XOR drawing), and a dash pattern counts pixels
// along the line's major axis. Pure arithmetic, free of Qt.

#include "platform/Geometry.h"

#include <cstdint>
#include <vector>

// Where a line is in an on/off pixel pattern. Without a pattern, or with one
// that has no length, every pixel is on.
class CPixelDash {
public:
    CPixelDash() = default;
    explicit CPixelDash(std::vector<int> dashes);

    bool IsOn() const { return m_iIndex % 2 == 0; }
    // Every pixel on: no pattern, or one without length.
    bool IsSolid() const { return m_aDashes.empty(); }
    // Pixels from here to the end of the current dash or gap (at least 1);
    // unbounded when solid.
    std::int64_t RunLeft() const;
    // Moves on by `pixels` pixels.
    void Advance(std::int64_t pixels = 1);
    // Back to the start of the pattern.
    void Reset();

private:
    void SkipEmptyEntries();

    std::vector<int> m_aDashes;
    std::int64_t m_iPeriod = 0;
    size_t m_iIndex = 0;
    std::int64_t m_iLeft = 0; // pixels left in the current entry
};

// Coordinates beyond this are clamped, as the platform's 27-bit device space
// does; it keeps the arithmetic exact.
constexpr int kMaxPixelCoordinate = (1 << 27) - 1;

// Appends the pixels of the line from `from` towards `to` (the end point left
// out) that lie inside `bounds` and that `dash` has on, as one-pixel-thick
// rectangles, merging neighbours on the same row or column. `dash` carries on
// from call to call, as along a polyline.
void RasterizeLine(CPoint from, CPoint to, const CRect& bounds, CPixelDash& dash, std::vector<CRect>& runs);
