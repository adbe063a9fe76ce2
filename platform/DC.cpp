#include "platform/DC.h"

namespace {

struct SEdgeColors {
    COLORREF topLeft;
    COLORREF bottomRight;
};

// Colours of one border ring of DrawEdge; `raised`/`sunken` are that ring's bits.
SEdgeColors RingColors(UINT edge, UINT raised, bool outer, UINT flags)
{
    if (flags & BF_MONO) {
        const COLORREF c = outer ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOW);
        return {c, c};
    }
    if (flags & BF_FLAT) {
        const COLORREF c = GetSysColor(outer ? COLOR_3DSHADOW : COLOR_3DFACE);
        return {c, c};
    }
    if (edge & raised) {
        return outer ? SEdgeColors{GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW)}
                     : SEdgeColors{GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DSHADOW)};
    }
    return outer ? SEdgeColors{GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT)}
                 : SEdgeColors{GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)};
}

int EdgeRingCount(UINT edge)
{
    return ((edge & BDR_OUTER) ? 1 : 0) + ((edge & BDR_INNER) ? 1 : 0);
}

// Moves the flagged sides of `rect` inwards by `by` pixels.
void ShrinkSides(CRect& rect, UINT sides, int by)
{
    rect.DeflateRect((sides & BF_LEFT) ? by : 0, (sides & BF_TOP) ? by : 0, (sides & BF_RIGHT) ? by : 0,
                     (sides & BF_BOTTOM) ? by : 0);
}

bool IsValidRop2(int mode)
{
    return mode >= R2_BLACK && mode <= R2_WHITE;
}

} // namespace

CPen CDC::SelectObject(const CPen& pen)
{
    CPen previous = m_state.m_pen;
    m_state.m_pen = pen;
    return previous;
}

CBrush CDC::SelectObject(const CBrush& brush)
{
    CBrush previous = m_state.m_brush;
    m_state.m_brush = brush;
    return previous;
}

CFont CDC::SelectObject(const CFont& font)
{
    CFont previous = m_state.m_font;
    m_state.m_font = font;
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    const COLORREF previous = m_state.m_crText;
    m_state.m_crText = color;
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    const COLORREF previous = m_state.m_crBk;
    m_state.m_crBk = color;
    return previous;
}

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    const int previous = m_state.m_iBkMode;
    m_state.m_iBkMode = mode;
    return previous;
}

int CDC::SetROP2(int mode)
{
    if (!IsValidRop2(mode)) return 0;
    const int previous = m_state.m_iROP2;
    m_state.m_iROP2 = mode;
    return previous;
}

UINT CDC::SetTextAlign(UINT flags)
{
    const UINT previous = m_state.m_uTextAlign;
    m_state.m_uTextAlign = flags;
    return previous;
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint previous = m_state.m_ptCurrent;
    m_state.m_ptCurrent = CPoint(x, y);
    return previous;
}

int CDC::SaveDC()
{
    m_aSaved.push_back(m_state);
    OnSaveDC();
    return static_cast<int>(m_aSaved.size());
}

bool CDC::RestoreDC(int savedDC)
{
    const int depth = static_cast<int>(m_aSaved.size());
    const int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
    if (savedDC == 0 || level < 1 || level > depth) return false;
    m_state = m_aSaved[static_cast<size_t>(level - 1)];
    m_aSaved.resize(static_cast<size_t>(level - 1));
    OnRestoreDC(depth - level + 1);
    return true;
}

CRect CDC::GetSurfaceRect() const
{
    return CRect(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    return IntersectClipRect(CRect(left, top, right, bottom));
}

int CDC::IntersectClipRect(const CRect& rect)
{
    if (m_state.m_bClip) {
        m_state.m_rcClip.IntersectRect(m_state.m_rcClip, rect);
    } else {
        m_state.m_bClip = true;
        m_state.m_rcClip = rect;
    }
    CRect box;
    return GetClipBox(&box);
}

int CDC::SelectClipRect(const CRect* rect)
{
    m_state.m_bClip = rect != nullptr;
    m_state.m_rcClip = rect ? *rect : CRect();
    CRect box;
    return GetClipBox(&box);
}

int CDC::GetClipBox(CRect* rect) const
{
    if (!rect) return RGN_ERROR;
    *rect = GetSurfaceRect();
    if (m_state.m_bClip) rect->IntersectRect(*rect, m_state.m_rcClip);
    return rect->IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

bool CDC::LineTo(int x, int y)
{
    const CPoint to(x, y);
    DoLine(m_state.m_ptCurrent, to);
    m_state.m_ptCurrent = to;
    return true;
}

bool CDC::Polyline(const CPoint* points, int count)
{
    if (!points || count < 2) return false;
    DoPolyline(points, count);
    return true;
}

bool CDC::PolyPolyline(const CPoint* points, const DWORD* counts, int groups)
{
    if (!points || !counts || groups < 1) return false;
    for (int i = 0; i < groups; ++i)
        if (counts[i] < 2) return false;
    for (int i = 0; i < groups; ++i) {
        DoPolyline(points, static_cast<int>(counts[i]));
        points += counts[i];
    }
    return true;
}

bool CDC::Polygon(const CPoint* points, int count)
{
    if (!points || count < 2) return false;
    DoPolygon(points, count);
    return true;
}

bool CDC::Rectangle(int left, int top, int right, int bottom)
{
    return Rectangle(CRect(left, top, right, bottom));
}

bool CDC::Rectangle(const CRect& rect)
{
    DoRectangle(rect);
    return true;
}

bool CDC::Ellipse(int left, int top, int right, int bottom)
{
    return Ellipse(CRect(left, top, right, bottom));
}

bool CDC::Ellipse(const CRect& rect)
{
    DoEllipse(rect);
    return true;
}

void CDC::FillRect(const CRect& rect, const CBrush& brush)
{
    if (!brush.IsNull() && !rect.IsRectEmpty()) DoFillRect(rect, brush.GetColor());
}

void CDC::FillRect(const CRect& rect, const CBrush* brush)
{
    if (brush) FillRect(rect, *brush);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    SetBkColor(color);
    if (!rect.IsRectEmpty()) DoFillRect(rect, color);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    FillSolidRect(CRect(CPoint(x, y), CSize(cx, cy)), color);
}

void CDC::FillFrame(const CRect& rect, COLORREF topLeft, COLORREF bottomRight, UINT sides)
{
    if (rect.IsRectEmpty()) return;
    const CRect& r = rect;
    if (sides & BF_TOP) DoFillRect(CRect(r.left, r.top, r.right - 1, r.top + 1), topLeft);
    if (sides & BF_LEFT) DoFillRect(CRect(r.left, r.top, r.left + 1, r.bottom - 1), topLeft);
    if (sides & BF_RIGHT) DoFillRect(CRect(r.right - 1, r.top, r.right, r.bottom), bottomRight);
    if (sides & BF_BOTTOM) DoFillRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), bottomRight);
}

void CDC::FrameRect(const CRect& rect, const CBrush& brush)
{
    if (!brush.IsNull()) FillFrame(rect, brush.GetColor(), brush.GetColor(), BF_RECT);
}

void CDC::FrameRect(const CRect& rect, const CBrush* brush)
{
    if (brush) FrameRect(rect, *brush);
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    FillFrame(rect, topLeft, bottomRight, BF_RECT);
    SetBkColor(bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(CRect(CPoint(x, y), CSize(cx, cy)), topLeft, bottomRight);
}

bool CDC::DrawEdge(const CRect& rect, UINT edge, UINT flags)
{
    DoDrawEdge(rect, edge, flags);
    return true;
}

bool CDC::DrawEdge(CRect* rect, UINT edge, UINT flags)
{
    if (!rect) return false;
    DoDrawEdge(*rect, edge, flags);
    if (flags & BF_ADJUST) ShrinkSides(*rect, flags, EdgeRingCount(edge));
    return true;
}

void CDC::DoDrawEdge(const CRect& rect, UINT edge, UINT flags)
{
    CRect r = rect;
    if (edge & BDR_OUTER) {
        const SEdgeColors c = RingColors(edge, BDR_RAISEDOUTER, true, flags);
        FillFrame(r, c.topLeft, c.bottomRight, flags);
        ShrinkSides(r, flags, 1);
    }
    if (edge & BDR_INNER) {
        const SEdgeColors c = RingColors(edge, BDR_RAISEDINNER, false, flags);
        FillFrame(r, c.topLeft, c.bottomRight, flags);
        ShrinkSides(r, flags, 1);
    }
    if ((flags & BF_MIDDLE) && !r.IsRectEmpty())
        DoFillRect(r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    DoSetPixel(CPoint(x, y), color);
    return color;
}

bool CDC::TextOut(int x, int y, const CString& text)
{
    const bool updateCP = (m_state.m_uTextAlign & TA_UPDATECP) != 0;
    const CPoint reference = updateCP ? m_state.m_ptCurrent : CPoint(x, y);
    DoTextOut(reference, text);
    if (updateCP) {
        // The current position follows the text in the direction it runs.
        const int width = GetTextExtent(text).cx;
        const UINT horizontal = m_state.m_uTextAlign & TA_CENTER;
        if (horizontal == TA_LEFT) m_state.m_ptCurrent.Offset(width, 0);
        else if (horizontal == TA_RIGHT) m_state.m_ptCurrent.Offset(-width, 0);
    }
    return true;
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return DoGetTextExtent(text);
}

bool CDC::GetTextMetrics(TEXTMETRIC* metrics) const
{
    if (!metrics) return false;
    *metrics = DoGetTextMetrics();
    return true;
}

CPoint CDC::GetTextOrigin(CPoint reference, const CString& text) const
{
    const CSize extent = GetTextExtent(text);
    const UINT align = m_state.m_uTextAlign;
    CPoint origin = reference;
    const UINT horizontal = align & TA_CENTER;
    if (horizontal == TA_CENTER) origin.x -= extent.cx / 2;
    else if (horizontal == TA_RIGHT) origin.x -= extent.cx;
    const UINT vertical = align & TA_BASELINE;
    if (vertical == TA_BASELINE) origin.y -= DoGetTextMetrics().tmAscent;
    else if (vertical == TA_BOTTOM) origin.y -= extent.cy;
    return origin;
}
