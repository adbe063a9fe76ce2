#include "platform/GdiObjects.h"

#include "platform/DC.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool IsValidPen(int style, int width, int dashCount, const DWORD* dashes)
{
    const int base = style & PS_STYLE_MASK;
    if (base > PS_ALTERNATE || width < 0) return false;
    if (base != PS_USERSTYLE) return dashCount == 0;
    if (dashCount < 1 || dashCount > PS_MAX_USERSTYLE_ENTRIES || !dashes) return false;
    return std::any_of(dashes, dashes + dashCount, [](DWORD d) { return d != 0; });
}

} // namespace

CPen::CPen(int style, int width, COLORREF color)
{
    CreatePen(style, width, color);
}

CPen::CPen(int style, int width, COLORREF color, const std::vector<DWORD>& dashes)
{
    CreatePen(style, width, color, static_cast<int>(dashes.size()), dashes.data());
}

CPen CPen::FromStock(int stockObject)
{
    switch (stockObject) {
    case WHITE_PEN: return CPen(PS_SOLID, 1, RGB(255, 255, 255));
    case NULL_PEN: return CPen(PS_NULL, 1, RGB(0, 0, 0));
    default: return CPen();
    }
}

bool CPen::CreatePen(int style, int width, COLORREF color)
{
    return CreatePen(style, width, color, 0, nullptr);
}

bool CPen::CreatePen(int style, int width, COLORREF color, int dashCount, const DWORD* dashes)
{
    if (!IsValidPen(style, width, dashCount, dashes)) return false;
    m_iStyle = style;
    m_iWidth = width;
    m_crColor = color;
    m_aDashes.assign(dashes, dashes + dashCount);
    return true;
}

CBrush CBrush::FromStock(int stockObject)
{
    CBrush brush;
    switch (stockObject) {
    case LTGRAY_BRUSH: brush.m_crColor = RGB(192, 192, 192); break;
    case GRAY_BRUSH: brush.m_crColor = RGB(128, 128, 128); break;
    case DKGRAY_BRUSH: brush.m_crColor = RGB(64, 64, 64); break;
    case BLACK_BRUSH: brush.m_crColor = RGB(0, 0, 0); break;
    case NULL_BRUSH: brush.m_iStyle = BS_NULL; brush.m_crColor = RGB(0, 0, 0); break;
    default: break;
    }
    return brush;
}

bool CBrush::CreateSolidBrush(COLORREF color)
{
    m_iStyle = BS_SOLID;
    m_crColor = color;
    return true;
}

CFont::CFont()
{
    m_logFont.lfHeight = 16;
    m_logFont.lfFaceName = L"System";
}

bool CFont::CreateFontIndirect(const LOGFONT* font)
{
    if (!font) return false;
    m_logFont = *font;
    m_logFont.lfFaceName = m_logFont.lfFaceName.Left(LF_FACESIZE - 1);
    return true;
}

bool CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const wchar_t* faceName)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    lf.lfFaceName = faceName;
    return CreateFontIndirect(&lf);
}

bool CFont::CreatePointFont(int pointSizeTenths, const wchar_t* faceName, const CDC* dc)
{
    LOGFONT lf;
    lf.lfHeight = pointSizeTenths;
    lf.lfFaceName = faceName;
    return CreatePointFontIndirect(&lf, dc);
}

bool CFont::CreatePointFontIndirect(const LOGFONT* font, const CDC* dc)
{
    if (!font) return false;
    LOGFONT lf = *font;
    const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    lf.lfHeight = -std::abs(MulDiv(dpi, lf.lfHeight, 720));
    return CreateFontIndirect(&lf);
}

bool CFont::GetLogFont(LOGFONT* font) const
{
    if (!font) return false;
    *font = m_logFont;
    return true;
}
