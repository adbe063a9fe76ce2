#pragma once
// How a pen description is drawn: width in device pixels, the dash pattern
// in pixels, caps and joins, following the platform's rules. Pure arithmetic,
// free of Qt, so the rules can be tested alone.
//  - Width 0 and 1 are a one-pixel pen; such pens have flat ends (a line
//    leaves out its end point).
//  - A pen wider than one pixel that is not geometric draws solid whatever its
//    style, as the platform's CreatePen does; geometric pens keep their style.
//  - Stock styles of one-pixel pens count pixels (dash 18/6, dot 3/3, ...);
//    those of geometric pens scale with the width (dash 3w/w, dot w/w, ...).
//  - User patterns are lengths in pixels; an odd count repeats with on and off
//    swapped, so {4} is 4 on, 4 off.

#include "platform/GdiObjects.h"

#include <vector>

enum class EPenCap { Flat, Square, Round };
enum class EPenJoin { Round, Bevel, Miter };

struct SPenPattern {
    bool m_bNull = false;        // draws nothing
    bool m_bInsideFrame = false; // shapes keep a wide pen inside their rectangle
    int m_iWidth = 1;            // device pixels, at least 1
    std::vector<int> m_aDashes;  // alternating on/off pixels, even count; empty: solid
    EPenCap m_eCap = EPenCap::Flat;
    EPenJoin m_eJoin = EPenJoin::Round;

    bool IsOnePixel() const { return m_iWidth <= 1; }
    bool IsSolid() const { return m_aDashes.empty(); }
};

SPenPattern PenPattern(const CPen& pen);

// A pixel pattern as painters that scale patterns by the pen width want it:
// entries in widths, every one positive, starting with a dash, and the offset
// (in widths) at which a line starts in it. Zero-length entries are merged
// away. No entries for a solid pattern or one with no visible dash.
struct SDashEntries {
    std::vector<double> m_aEntries;
    double m_dOffset = 0.0;
};
SDashEntries DashEntriesInWidths(const std::vector<int>& pixelDashes, int width);
