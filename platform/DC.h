#pragma once
// CDC: the abstract drawing surface with the GDI operations the graph window
// uses. The state every surface shares (selected pen, brush and font,
// colours, modes, text alignment, current position, clip, the SaveDC stack)
// lives here; a back end (Qt painter, metafile writer, recording DC for tests)
// implements only the protected Do... primitives, the text measurements and
// the device capabilities, reading the state in force from State().

#include "platform/GdiObjects.h"
#include "platform/Geometry.h"

#include <vector>

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations (SetROP2).
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Text alignment flags: one horizontal, one vertical, and whether TextOut
// uses and moves the current position.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// GetDeviceCaps indices and technology answers.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;  // mm
constexpr int VERTSIZE = 6;  // mm
constexpr int HORZRES = 8;   // pixels
constexpr int VERTRES = 10;  // pixels
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
constexpr int DT_METAFILE = 5;

// DrawEdge: border kinds and the sides/options to draw.
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr UINT BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;

// Clip answers.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

// Everything SaveDC saves and every drawing call draws with.
struct SDCState {
    CPen m_pen;
    CBrush m_brush;
    CFont m_font;
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBk = RGB(255, 255, 255);
    int m_iBkMode = OPAQUE;
    int m_iROP2 = R2_COPYPEN;
    UINT m_uTextAlign = TA_LEFT | TA_TOP;
    CPoint m_ptCurrent;
    bool m_bClip = false; // without a clip rectangle the whole surface is visible
    CRect m_rcClip;

    bool operator==(const SDCState&) const = default;
};

class CDC {
public:
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Selecting returns the previous object, to be selected again afterwards.
    CPen SelectObject(const CPen& pen);
    CBrush SelectObject(const CBrush& brush);
    CFont SelectObject(const CFont& font);
    const CPen& GetCurrentPen() const { return m_state.m_pen; }
    const CBrush& GetCurrentBrush() const { return m_state.m_brush; }
    const CFont& GetCurrentFont() const { return m_state.m_font; }

    // Setters return the previous value; invalid modes return 0 and change nothing.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_state.m_crText; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_state.m_crBk; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_state.m_iBkMode; }
    int SetROP2(int mode);
    int GetROP2() const { return m_state.m_iROP2; }
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const { return m_state.m_uTextAlign; }

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_state.m_ptCurrent; }

    // SaveDC returns the level saved (1, 2, ...). RestoreDC takes such a level
    // or a negative one relative to the last (-1 is the last); the levels
    // above it are discarded. False for a level that is not saved.
    int SaveDC();
    bool RestoreDC(int savedDC);
    const SDCState& GetState() const { return m_state; }

    // Clip: the answers are NULLREGION when nothing is visible, else SIMPLEREGION.
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const CRect& rect);
    // Replaces the clip rectangle; null removes it.
    int SelectClipRect(const CRect* rect);
    int GetClipBox(CRect* rect) const;

    // Lines use the pen and leave the current position at their end, except
    // Polyline and PolyPolyline, which leave it alone.
    bool LineTo(int x, int y);
    bool LineTo(CPoint p) { return LineTo(p.x, p.y); }
    bool Polyline(const CPoint* points, int count);
    bool PolyPolyline(const CPoint* points, const DWORD* counts, int groups);
    // Outlined with the pen, filled with the brush.
    bool Polygon(const CPoint* points, int count);
    bool Rectangle(int left, int top, int right, int bottom);
    bool Rectangle(const CRect& rect);
    bool Ellipse(int left, int top, int right, int bottom);
    bool Ellipse(const CRect& rect);

    // Fills ignore the pen; a null brush fills nothing.
    void FillRect(const CRect& rect, const CBrush& brush);
    void FillRect(const CRect& rect, const CBrush* brush);
    // Like the framework, this leaves `color` as the background colour.
    void FillSolidRect(const CRect& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    // A one-pixel border inside the rectangle.
    void FrameRect(const CRect& rect, const CBrush& brush);
    void FrameRect(const CRect& rect, const CBrush* brush);
    // Top and left in one colour, bottom and right in the other; leaves the
    // bottom-right colour as the background colour, as the framework does.
    void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    // 3-D borders in the system colours. The pointer form honours BF_ADJUST
    // by shrinking the rectangle by the borders drawn.
    bool DrawEdge(const CRect& rect, UINT edge, UINT flags);
    bool DrawEdge(CRect* rect, UINT edge, UINT flags);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(CPoint p, COLORREF color) { return SetPixel(p.x, p.y, color); }

    // Text in the selected font and text colour, placed by the alignment.
    bool TextOut(int x, int y, const CString& text);
    CSize GetTextExtent(const CString& text) const;
    bool GetTextMetrics(TEXTMETRIC* metrics) const;
    // Top-left corner of the unrotated text box for a TextOut at `reference`
    // under the current alignment; back ends rotate by the escapement about
    // the reference point.
    CPoint GetTextOrigin(CPoint reference, const CString& text) const;

    virtual int GetDeviceCaps(int index) const = 0;
    virtual bool IsPrinting() const { return false; }
    virtual bool IsMetafile() const { return false; }

    // The surface that answers measurements for this one (a metafile is
    // measured against the screen); itself when none is set.
    void SetAttribDC(const CDC* dc) { m_pAttribDC = dc; }
    const CDC* GetAttribDC() const { return m_pAttribDC ? m_pAttribDC : this; }

protected:
    CDC() = default;
    const SDCState& State() const { return m_state; }

    // Everything a surface shows: the visible area without a clip.
    virtual CRect GetSurfaceRect() const;

    virtual void DoLine(CPoint from, CPoint to) = 0;
    virtual void DoPolyline(const CPoint* points, int count) = 0;
    virtual void DoPolygon(const CPoint* points, int count) = 0;
    virtual void DoRectangle(const CRect& rect) = 0;
    virtual void DoEllipse(const CRect& rect) = 0;
    virtual void DoFillRect(const CRect& rect, COLORREF color) = 0;
    virtual void DoSetPixel(CPoint p, COLORREF color) = 0;
    // `reference` is the point given to TextOut; alignment is in State().
    virtual void DoTextOut(CPoint reference, const CString& text) = 0;
    virtual CSize DoGetTextExtent(const CString& text) const = 0;
    virtual TEXTMETRIC DoGetTextMetrics() const = 0;
    // The default paints the borders as one-pixel fills.
    virtual void DoDrawEdge(const CRect& rect, UINT edge, UINT flags);
    // A recording surface mirrors the save stack: after SaveDC has saved,
    // and after RestoreDC has gone back `levels` (1 or more) saved states.
    virtual void OnSaveDC() {}
    virtual void OnRestoreDC(int /*levels*/) {}

private:
    // One-pixel sides of `rect` chosen by BF_ flags; top-right and bottom-left
    // corners take the bottom-right colour.
    void FillFrame(const CRect& rect, COLORREF topLeft, COLORREF bottomRight, UINT sides);

    SDCState m_state;
    std::vector<SDCState> m_aSaved;
    const CDC* m_pAttribDC = nullptr;
};
