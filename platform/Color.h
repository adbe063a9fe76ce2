#pragma once
// Colours as the framework stores them: 0x00BBGGRR.

#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// Perceived brightness 0..255 (ITU-R BT.601 weights); used to pick a
// readable text colour over a trace colour.
constexpr double ColorLuminance(COLORREF c)
{
    return 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c);
}

// Linear mix: weight 0 gives a, 1 gives b; weights outside 0..1 are clamped.
constexpr COLORREF BlendColor(COLORREF a, COLORREF b, double weight)
{
    const double w = weight < 0.0 ? 0.0 : (weight > 1.0 ? 1.0 : weight);
    auto mix = [w](int x, int y) { return static_cast<int>(x + (y - x) * w + 0.5); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

// System colour indices and the classic desktop scheme they answer with, so
// that 3-D edges and button faces look the same on every host.
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_3DFACE = 15;
constexpr int COLOR_BTNFACE = COLOR_3DFACE;
constexpr int COLOR_3DSHADOW = 16;
constexpr int COLOR_BTNSHADOW = COLOR_3DSHADOW;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_3DHILIGHT = 20;
constexpr int COLOR_BTNHIGHLIGHT = COLOR_3DHILIGHT;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;

// Unknown indices answer black.
constexpr COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_3DFACE: return RGB(240, 240, 240);
    case COLOR_3DSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_3DHILIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    default: return RGB(0, 0, 0);
    }
}
