#pragma once
// Pens, brushes and fonts as plain descriptions (no system handles), with
// the framework's style constants. A drawing surface (CDC) turns them into
// whatever its back end needs.

#include "platform/Color.h"
#include "platform/String.h"
#include "platform/Types.h"

#include <vector>

class CDC;

// Pen styles: a base style, an end cap, a join and a type, or-ed together.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int PS_USERSTYLE = 7;
constexpr int PS_ALTERNATE = 8;
constexpr int PS_STYLE_MASK = 0x0000000F;
constexpr int PS_ENDCAP_ROUND = 0x00000000;
constexpr int PS_ENDCAP_SQUARE = 0x00000100;
constexpr int PS_ENDCAP_FLAT = 0x00000200;
constexpr int PS_ENDCAP_MASK = 0x00000F00;
constexpr int PS_JOIN_ROUND = 0x00000000;
constexpr int PS_JOIN_BEVEL = 0x00001000;
constexpr int PS_JOIN_MITER = 0x00002000;
constexpr int PS_JOIN_MASK = 0x0000F000;
constexpr int PS_COSMETIC = 0x00000000;
constexpr int PS_GEOMETRIC = 0x00010000;
constexpr int PS_TYPE_MASK = 0x000F0000;
// The most entries a user dash pattern may have.
constexpr int PS_MAX_USERSTYLE_ENTRIES = 16;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

// Brush styles.
constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
constexpr int BS_HOLLOW = BS_NULL;

// Font weights and the LOGFONT byte fields the library sets.
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int OUT_DEFAULT_PRECIS = 0;
constexpr int OUT_STRING_PRECIS = 1;
constexpr int OUT_CHARACTER_PRECIS = 2;
constexpr int OUT_TT_PRECIS = 4;
constexpr int CLIP_DEFAULT_PRECIS = 0;
constexpr int CLIP_CHARACTER_PRECIS = 1;
constexpr int CLIP_STROKE_PRECIS = 2;
constexpr int DEFAULT_QUALITY = 0;
constexpr int DEFAULT_PITCH = 0;
constexpr int FF_DONTCARE = 0;
constexpr int FF_SWISS = 0x20;
// Face names are at most this long, terminator included.
constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight = 0; // negative: character height; positive: cell height; 0: default
    LONG lfWidth = 0;
    LONG lfEscapement = 0; // tenths of a degree, counter-clockwise
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
    BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = DEFAULT_PITCH;
    CString lfFaceName;

    bool operator==(const LOGFONT&) const = default;
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    BYTE tmItalic = 0;
};

class CPen {
public:
    // The surface's initial pen: solid black, one pixel.
    CPen() = default;
    // An invalid description leaves the default pen.
    CPen(int style, int width, COLORREF color);
    CPen(int style, int width, COLORREF color, const std::vector<DWORD>& dashes);
    static CPen FromStock(int stockObject);

    // False, leaving the pen unchanged, for an unknown base style, a negative
    // width, or dashes that do not go with the style: PS_USERSTYLE needs 1 to
    // 16 on/off lengths that are not all 0, every other style none.
    bool CreatePen(int style, int width, COLORREF color);
    bool CreatePen(int style, int width, COLORREF color, int dashCount, const DWORD* dashes);

    int GetStyle() const { return m_iStyle; }
    int GetBaseStyle() const { return m_iStyle & PS_STYLE_MASK; }
    int GetEndCap() const { return m_iStyle & PS_ENDCAP_MASK; }
    bool IsGeometric() const { return (m_iStyle & PS_TYPE_MASK) == PS_GEOMETRIC; }
    bool IsNull() const { return GetBaseStyle() == PS_NULL; }
    int GetWidth() const { return m_iWidth; }
    COLORREF GetColor() const { return m_crColor; }
    // Alternating on and off lengths of a PS_USERSTYLE pen.
    const std::vector<DWORD>& GetDashes() const { return m_aDashes; }

    bool operator==(const CPen&) const = default;

private:
    int m_iStyle = PS_SOLID;
    int m_iWidth = 1;
    COLORREF m_crColor = RGB(0, 0, 0);
    std::vector<DWORD> m_aDashes;
};

class CBrush {
public:
    // The surface's initial brush: solid white.
    CBrush() = default;
    explicit CBrush(COLORREF color) : m_crColor(color) {}
    static CBrush FromStock(int stockObject);

    bool CreateSolidBrush(COLORREF color);

    int GetStyle() const { return m_iStyle; }
    bool IsNull() const { return m_iStyle == BS_NULL; }
    COLORREF GetColor() const { return m_crColor; }

    bool operator==(const CBrush&) const = default;

private:
    int m_iStyle = BS_SOLID;
    COLORREF m_crColor = RGB(255, 255, 255);
};

class CFont {
public:
    // The surface's initial font: "System", 16 pixels, normal weight.
    CFont();

    // False for a null description. Longer face names are cut to fit.
    bool CreateFontIndirect(const LOGFONT* font);
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, const wchar_t* faceName);
    // Size in tenths of a point for the DC's vertical resolution (96 dpi
    // without a DC): the height becomes -(points x LOGPIXELSY / 72).
    bool CreatePointFont(int pointSizeTenths, const wchar_t* faceName, const CDC* dc = nullptr);
    bool CreatePointFontIndirect(const LOGFONT* font, const CDC* dc = nullptr); // lfHeight in tenths of a point

    const LOGFONT& GetLogFont() const { return m_logFont; }
    bool GetLogFont(LOGFONT* font) const;
    const CString& GetFaceName() const { return m_logFont.lfFaceName; }
    int GetHeight() const { return m_logFont.lfHeight; }
    int GetWeight() const { return m_logFont.lfWeight; }
    bool IsItalic() const { return m_logFont.lfItalic != 0; }
    int GetEscapement() const { return m_logFont.lfEscapement; }

    bool operator==(const CFont&) const = default;

private:
    LOGFONT m_logFont;
};
