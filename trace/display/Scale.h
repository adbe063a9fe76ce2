#pragma once
// CScale: what the X and Y scales share: the rectangle they paint into, how
// a DC is prepared for painting, their colours and the scale fonts.

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Object.h"

class CDC;
class CFont;
class CTickArray;

class CScale : public CObject {
    DECLARE_DYNAMIC(CScale)
public:
    CScale() = default;
    ~CScale() override = default;

    const CRect& GetDrawRect() const { return m_rectDraw; }
    void SetDrawRect(const CRect& rect) { m_rectDraw = rect; }

    // Virtual operations in slot order.
    virtual void Draw(CDC* pDC, CTickArray* pTicks) = 0;
    // White while the document exports, prints or previews for that DC,
    // otherwise the document's background colour.
    virtual COLORREF GetBkColor(CDC* pDC);
    virtual COLORREF GetColor(CDC* pDC) = 0;

    // Background transparent, R2_COPYPEN, background and text colours.
    void PrepareDC(CDC* pDC);

    // The scale font for the DC's situation (screen, print, export) and its
    // line height; created on first use.
    static const CFont* GetFont(CDC* pDC, int* piHeight);
    static int GetFontHeight(CDC* pDC);
    static void ReleaseAllFonts();
    static void ReleaseExportFont();
    static void ReleasePrintFont();

protected:
    CRect m_rectDraw{-1, -1, -1, -1};
};
