#include "qt/PenPattern.h"

#include <algorithm>
#include <limits>

namespace {

// Pixel patterns of the stock styles for one-pixel pens.
std::vector<int> CosmeticStockDashes(int baseStyle)
{
    switch (baseStyle) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    default: return {};
    }
}

// Stock styles of geometric pens, in pen widths.
std::vector<int> GeometricStockDashes(int baseStyle)
{
    switch (baseStyle) {
    case PS_DASH: return {3, 1};
    case PS_DOT: return {1, 1};
    case PS_DASHDOT: return {3, 1, 1, 1};
    case PS_DASHDOTDOT: return {3, 1, 1, 1, 1, 1};
    default: return {};
    }
}

int ClampToInt(DWORD value)
{
    return static_cast<int>(std::min<DWORD>(value, static_cast<DWORD>(std::numeric_limits<int>::max() / 4)));
}

std::vector<int> UserDashes(const std::vector<DWORD>& dashes)
{
    std::vector<int> out;
    for (DWORD d : dashes) out.push_back(ClampToInt(d));
    // An odd pattern runs twice per period, on and off swapping.
    if (out.size() % 2 == 1) out.insert(out.end(), out.begin(), out.end());
    return out;
}

EPenCap CapOf(int style)
{
    switch (style & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE: return EPenCap::Square;
    case PS_ENDCAP_FLAT: return EPenCap::Flat;
    default: return EPenCap::Round;
    }
}

EPenJoin JoinOf(int style)
{
    switch (style & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL: return EPenJoin::Bevel;
    case PS_JOIN_MITER: return EPenJoin::Miter;
    default: return EPenJoin::Round;
    }
}

bool HasVisibleDash(const std::vector<int>& dashes)
{
    for (size_t i = 0; i < dashes.size(); i += 2)
        if (dashes[i] > 0) return true;
    return false;
}

bool HasGap(const std::vector<int>& dashes)
{
    for (size_t i = 1; i < dashes.size(); i += 2)
        if (dashes[i] > 0) return true;
    return false;
}

} // namespace

SPenPattern PenPattern(const CPen& pen)
{
    SPenPattern out;
    const int base = pen.GetBaseStyle();
    out.m_bNull = base == PS_NULL;
    out.m_bInsideFrame = base == PS_INSIDEFRAME;
    out.m_iWidth = std::max(1, pen.GetWidth());
    out.m_eJoin = JoinOf(pen.GetStyle());
    // One-pixel lines have no caps to speak of; wide ones take the pen's.
    out.m_eCap = out.IsOnePixel() ? EPenCap::Flat : CapOf(pen.GetStyle());
    if (out.m_bNull) return out;

    if (base == PS_USERSTYLE) {
        if (pen.IsGeometric() || out.IsOnePixel()) out.m_aDashes = UserDashes(pen.GetDashes());
    } else if (pen.IsGeometric() && !out.IsOnePixel()) {
        out.m_aDashes = GeometricStockDashes(base);
        for (int& d : out.m_aDashes) d *= out.m_iWidth;
    } else if (out.IsOnePixel()) {
        out.m_aDashes = CosmeticStockDashes(base);
    }
    // A pattern without dashes draws nothing; one without gaps is solid.
    if (!out.m_aDashes.empty() && !HasVisibleDash(out.m_aDashes)) out.m_bNull = true;
    if (!out.m_aDashes.empty() && !HasGap(out.m_aDashes)) out.m_aDashes.clear();
    return out;
}

SDashEntries DashEntriesInWidths(const std::vector<int>& pixelDashes, int width)
{
    if (pixelDashes.size() < 2 || !HasVisibleDash(pixelDashes) || !HasGap(pixelDashes)) return {};
    struct SItem {
        bool on;
        int length;
    };
    // Adjacent entries of one kind (split by a zero-length entry) become one.
    std::vector<SItem> items;
    for (size_t i = 0; i < pixelDashes.size(); ++i) {
        const SItem item{i % 2 == 0, pixelDashes[i]};
        if (item.length <= 0) continue;
        if (!items.empty() && items.back().on == item.on) items.back().length += item.length;
        else items.push_back(item);
    }
    // The pattern repeats, so its last entry runs into its first; the line
    // then starts part-way into the joined entry.
    int start = 0;
    if (items.size() >= 2 && items.front().on == items.back().on) {
        start = items.back().length;
        items.front().length += start;
        items.pop_back();
    }
    int total = 0;
    for (const SItem& item : items) total += item.length;
    if (!items.front().on) {
        start += total - items.front().length;
        std::rotate(items.begin(), items.begin() + 1, items.end());
    }
    SDashEntries out;
    const double w = std::max(1, width);
    for (const SItem& item : items) out.m_aEntries.push_back(item.length / w);
    out.m_dOffset = (start % total) / w;
    return out;
}
