#pragma once
// CGraphView: one channel of a trace window, free of any toolkit. It lays
// out the scales, the position bars and the graticule for a client
// rectangle, paints background, bars, scales, grid and traces into any CDC
// (screen, printer, metafile), and reacts to the document's update hints by
// setting recalculation flags and recording the areas to repaint. A widget
// hosting the view forwards size and paint events and repaints the recorded
// areas.

#include "host/app/ViewList.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Types.h"
#include "trace/core/DrawContext.h"
#include "trace/core/TraceDefs.h"
#include "trace/display/Graticule.h"
#include "trace/display/TraceMenu.h"

#include <array>
#include <memory>
#include <vector>

class CDC;
class CGraphDoc;
class CGraphView;
class CQXTrace;
class CXScale;
class CYScale;
class ITraceInterceptor;
enum YScaleSide : int;

// What a graph view asks of the frame that holds it: which view shows a
// trace, the active interceptor, and the bars and legends to keep in step.
// The defaults do nothing, so a frame supplies only what it has.
class IGraphViewFrame {
public:
    virtual ~IGraphViewFrame() = default;
    virtual bool IsFrameVisible() const { return true; }
    // The view that shows a trace; null: none of this frame's views.
    virtual CGraphView* GetTraceView(CQXTrace* pTrace) = 0;
    virtual ITraceInterceptor* GetTraceInterceptor() { return nullptr; }
    virtual void FillLegendLists() {}
    virtual void AddTraceToLegends(CQXTrace* /*pTrace*/) {}
    virtual void RemoveTraceFromLegends(CQXTrace* /*pTrace*/) {}
    virtual void UpdateTraceName(CQXTrace* /*pTrace*/) {}
    virtual void UpdateTraceColor(CQXTrace* /*pTrace*/) {}
    virtual void UpdateGraphTitle() {}
    virtual void UpdateCurrentTrace() {}
    virtual void UpdateCursorDetails(CQXTrace* /*pTrace*/) {}
    virtual void UpdateCursorValues(CQXTrace* /*pTrace*/) {}
    virtual void UpdateMarkValues(CQXTrace* /*pTrace*/) {}
    virtual void OnTraceOn(CQXTrace* /*pTrace*/) {}
    virtual void OnTraceOff(CQXTrace* /*pTrace*/) {}
    virtual void OnCursorToggled(CQXTrace* /*pTrace*/) {}
    virtual void OnMarksToggled(CQXTrace* /*pTrace*/) {}
    virtual void OnImpulseWindowDetailsChanged() {}
    // A mouse press chose a trace; false: the view makes it current itself.
    virtual bool OnSetCurrentTrace(CQXTrace* /*pTrace*/) { return false; }
    // A trace command's state and its run as the frame has them (its
    // command table); the defaults are the library's own.
    virtual SCommandStatus GetTraceCommandState(UINT uCommand, CQXTrace* pTrace);
    virtual bool RunTraceCommand(UINT uCommand, CQXTrace* pTrace);
};

// Key codes the view handles, as the host's keyboard messages give them.
constexpr UINT kKeyLeft = 0x25;
constexpr UINT kKeyRight = 0x27;
constexpr UINT kKeyHome = 0x24;
constexpr UINT kKeyEnd = 0x23;

// A release closer than this to its press, in either direction, is a click.
constexpr int kMinZoomWidth = 31;
constexpr int kMinZoomHeight = 21;
bool IsClickRelease(CPoint ptPress, CPoint ptRelease);
// The rubber band as drawn: one pixel inside the graticule; empty when none of it is.
CRect ClampDragRect(const CRect& rcDrag, const CRect& rcGraticule);

// ---- Layout, as plain arithmetic ---------------------------------------------

constexpr int kMaxViewXScales = 10;
constexpr int kYScaleSlots = 4;
constexpr int kYScaleSides = 2;
constexpr int kMinThumbSize = 20;

// A Y-scale slot: an upper scale and an optional lower one sharing its room.
struct SYScaleSlot {
    CYScale* pUpper = nullptr;
    CYScale* pLower = nullptr;
};

// The scales a view shows, as laid out: X scales stacked from the bottom,
// Y scales in four slots per side (index LEFT, RIGHT).
struct SScaleArrays {
    std::array<CXScale*, kMaxViewXScales> apXScales{};
    std::array<std::array<SYScaleSlot, kYScaleSlots>, kYScaleSides> aYSlots{};

    int GetNumXScales() const;
    bool HasYScale(int iSide) const { return aYSlots[iSide][0].pUpper != nullptr; }
};

struct SGraphLayoutInput {
    CRect rcClient;
    bool bDrawScales = true;
    int iFontHeight = 0;
    int iNumXScales = 0;
    // Width of each Y-scale slot by side; 0 for an empty slot.
    std::array<std::array<int, kYScaleSlots>, kYScaleSides> aiSlotWidths{};
};

struct SGraphLayout {
    bool bSmall = false;
    CRect rcXScale;
    CRect rcYScale[kYScaleSides];
    CRect rcGraticule;
    CRect rcXCurPos;
    CRect rcYCurPos;
    std::array<CRect, kMaxViewXScales> arcXScales{};
    std::array<std::array<CRect, kYScaleSlots>, kYScaleSides> arcYSlots{};
};

// Under 200 x 100 pixels a view shows only a graticule.
bool IsSmallView(const CRect& rcClient);
SGraphLayout CalcGraphLayout(const SGraphLayoutInput& input);

// Where a value lies between two limits, clamped to 0 .. 1 (0 for limits
// that give no finite answer).
double GetRangeFraction(double dValue, double dMin, double dMax);
// Widens a span narrower than iMinSize about its centre, then moves it back
// inside the track keeping its width (the whole track when it is shorter).
void FitThumb(int& iLow, int& iHigh, int iTrackLow, int iTrackHigh, int iMinSize = kMinThumbSize);
// The thumb of the X track for the current window inside the full range;
// empty for an empty full range.
CRect CalcXThumb(const CRect& rcTrack, double dFullMin, double dFullMax, double dCurrentMin, double dCurrentMax);
// The thumb of the Y track between two fractions of the full range.
CRect CalcYThumb(const CRect& rcTrack, double dLowerFraction, double dUpperFraction);

// ---- The view ------------------------------------------------------------------

class CGraphView : public IGraphViewSink {
public:
    enum ERecalc : int {
        RECALC_ALL = 0,
        RECALC_XCURPOS,
        RECALC_YCURPOS,
        RECALC_XSCALE,
        RECALC_LEFTYSCALE,
        RECALC_RIGHTYSCALE,
        RECALC_GRATICULE,
        RECALC_COUNT
    };

    // Registers the view with the host so that update hints reach it.
    CGraphView();
    ~CGraphView() override;
    CGraphView(const CGraphView&) = delete;
    CGraphView& operator=(const CGraphView&) = delete;

    void SetParentFrame(IGraphViewFrame* pFrame) { m_pFrame = pFrame; }
    IGraphViewFrame* GetParentFrame() const { return m_pFrame; }
    // CHANNEL_A or CHANNEL_B once the frame has set it.
    ChannelNumber GetChannel() const;
    void SetChannel(ChannelNumber eChannel);

    // A size change of the window: recalc all; a restored or maximised window
    // takes its client area as the draw rectangle.
    void OnSize(const CRect& rcClient, bool bRestoredOrMaximised = true);
    const CRect& GetClientRect() const { return m_rectClient; }
    // Invalidates the view when the rectangle changes.
    void SetDrawRect(const CRect& rect);
    const CRect& GetDrawRect() const { return m_rectDraw; }

    // Paints for the screen, a printer or an export, by the document's state.
    void OnDraw(CDC* pDC);
    void OnUpdate(IGraphViewSink* pSender, LPARAM lHint, CObject* pObject) override;
    void DoOnUpdate(LPARAM lHint, CObject* pObject);

    // Recalculation flags, each with the area it invalidates.
    void SetRecalcAll(bool bInvalidate);
    void SetRecalcXScale();
    void SetRecalcYScale(CQXTrace* pTrace);
    void SetRecalcXCurPos();
    void SetRecalcYCurPos();
    void SetRecalcGraticule();
    void SetRecalcCursorMarks();
    void SetRecalcTraces();
    bool NeedsRecalc(ERecalc eFlag) const { return m_abRecalc[eFlag] != 0; }

    // Areas to repaint since the last ClearInvalidRects, and how often the
    // view asked to be repainted at once.
    const std::vector<CRect>& GetInvalidRects() const { return m_arcInvalid; }
    void ClearInvalidRects() { m_arcInvalid.clear(); }
    int GetRedrawRequests() const { return m_iRedrawRequests; }

    // The layout of the last paint.
    const CRect& GetGraticuleRect() const { return m_rectGraticule; }
    const CRect& GetXScaleRect() const { return m_rectXScale; }
    const CRect& GetYScaleRect(int iSide) const { return m_rectYScale[iSide == 1 ? 1 : 0]; }
    const CRect& GetXCurPosRect() const { return m_rectXCurPos; }
    const CRect& GetXCurPosBarRect() const { return m_rectXCurPosBar; }
    const CRect& GetYCurPosRect() const { return m_rectYCurPos; }
    const CRect& GetYCurPosBarRect() const { return m_rectYCurPosBar; }
    const SScaleArrays& GetScaleArrays() const { return m_ScaleArrays; }
    CGraticule& GetGraticule() { return *m_pGraticule; }

    // What the running (or the last) paint is for, decided once by OnDraw;
    // the painting steps and the frame's interceptor read it.
    const SDrawContext& GetDrawContext() const { return m_DrawContext; }
    // The scale font's line height, through the first X (or Y) scale of the
    // view; 0 when the view has none.
    int GetFontHeight(CDC* pDC, AxisType eAxis) const;
    // The side of the view the trace's Y scale is on (LEFT when not shown).
    YScaleSide GetYScaleSide(CQXTrace* pTrace) const;
    // The trace whose ticks the graticule shows.
    CQXTrace* GetGraticuleTrace();
    // Whether the trace is shown in this view.
    bool ShowsTrace(CQXTrace* pTrace);
    // Channel A's view when both channels are drawn on it.
    bool DrawsBothChannels() const;
    // The current trace of the view's channel; null if none.
    CQXTrace* GetViewCurrentTrace() const;

    // Draws one trace into the graticule, or lets the frame's interceptor do it.
    void DrawTrace(CDC* pDC, CQXTrace* pTrace, int iLineWidth);
    // The maker's mark on printouts and exports, near the top right of rect.
    void PrintVelmarLogo(CDC* pDC, const CRect& rect);

    // The rubber band of a mouse zoom; (-1,-1,-1,-1) for none.
    void SetDragRect(const CRect& rect) { m_rectDrag = rect; }
    const CRect& GetDragRect() const { return m_rectDrag; }

    // Mouse and keyboard, in client points (GraphViewMouse.cpp). The frame's
    // interceptor sees each event first. A press starts one of: a thumb
    // slide, a cursor drag, a rubber band (a click when released near it).
    void OnLButtonDown(UINT uFlags, CPoint point);
    void OnMouseMove(UINT uFlags, CPoint point);
    void OnLButtonUp(UINT uFlags, CPoint point);
    void OnLButtonDblClk(UINT uFlags, CPoint point);
    // Left/Right step the current trace's cursor, Home/End park it; true when handled.
    bool OnKeyDown(UINT uChar, UINT uRepeat, UINT uFlags);
    void OnCancelMode() { ResetDragDetails(); }
    // Before the context menu opens: false when the interceptor took the
    // event; a rubber band on the screen is cancelled. ptMenu becomes where
    // the menu opens: the point, or the window centre less 10 pixels when
    // the point lies outside (a menu asked for from the keyboard).
    bool OnContextMenu(CPoint point, CPoint& ptMenu);
    // Whether the widget should hold the mouse capture and show the drag cursor.
    bool HasMouseCapture() const { return m_ptPress != CPoint(-1, -1); }
    bool IsDragging() const { return m_bDragging; }
    // After a mouse event: true when the west-east sizing cursor shows (a
    // cursor dragged, or the running mode asks for it over its handles).
    bool OnSetCursor() const;
    // The trace a click at the point picks (in use, on, the line under it); null if none.
    CQXTrace* GetTraceAtPoint(CPoint point);

private:
    // Paint routine and its steps.
    void Paint(CDC* pDC, int iGraticuleWidth, int iTraceWidth, int bGraticuleSolid);
    bool ShouldSkipPaint(CGraphDoc* pDoc, bool bExporting) const;
    void InitialiseScaleArrays();
    void CalcScaleRects(CDC* pDC);
    void CalcCurPosRects();
    void CalcCurPosBarRects();
    CRect GetRequiredXCurPosBarRect();
    CRect GetRequiredYCurPosBarRect();
    void CalcGraticuleRect();
    void DrawCurrentPosLines(CDC* pDC);
    void DrawYOffsetMarker(CDC* pDC, CQXTrace* pTrace);
    void DrawScales(CDC* pDC);
    void CalcScaleSpacing(CDC* pDC, int bX, int bY);
    void DoCalcScaleSpacing(CDC* pDC, AxisType eAxis);
    void DrawGraticule(CDC* pDC, int bSolid, int iLineWidth);
    void DrawTraces(CDC* pDC, int iLineWidth);
    void DoDrawTraces(CDC* pDC, int iLineWidth);
    void DoDrawTrace(CDC* pDC, CQXTrace* pTrace, int iLineWidth);
    void DrawDragRect(CDC* pDC);

    // Mouse helpers.
    void ResetDragDetails();
    bool StartThumbSlide(CPoint point);
    bool StartCursorDrag(CPoint point);
    bool HitCursorOf(CQXTrace* pTrace, CPoint point);
    void SlideThumb(CPoint point);
    // Drags the cursor, the relative cursor or a mark, parking at the ends.
    void DragCursor(CPoint point);
    bool DraggingCursorOrMark() const { return m_bDragCursor || m_bDragRelativeCursor || m_iDragMark >= 0; }
    void ZoomToDragRect(const CRect& rcBand);
    void MakeCurrent(CQXTrace* pTrace);
    // The traces a press or click searches: the view's current trace first
    // (when shown here), then the rest of its channel (both when drawn together).
    std::vector<CQXTrace*> GetPickOrder();
    // The full Y range the Y thumb runs over, in the units the trace is managed in.
    bool GetThumbYRange(CQXTrace* pTrace, double& dMin, double& dMax);

    // Update helpers.
    void OnTraceShownChanged(LPARAM lHint, CQXTrace* pTrace);
    void RequestRedrawNow() { ++m_iRedrawRequests; }

    void Invalidate(const CRect& rect);
    bool IsLaidOut() const;
    bool AnyScaleFlagSet() const;
    ITraceInterceptor* GetInterceptor() const;

    // ---- Fields ------------------------------------------------------------
    CRect m_rectDraw{-1, -1, -1, -1};
    CRect m_rectClient{-1, -1, -1, -1};
    CRect m_rectUpdate{-1, -1, -1, -1};
    ChannelNumber m_eChannel = CHANNEL_BOTH;
    CRect m_rectDrag{-1, -1, -1, -1};
    // Non-zero while a screen paint runs; a second one meanwhile returns at once.
    int m_bInPaint = 0;
    SDrawContext m_DrawContext;
    CRect m_rectXCurPos;
    CRect m_rectXCurPosBar;
    CRect m_rectYCurPos;
    CRect m_rectYCurPosBar;
    CRect m_rectXScale;
    CRect m_rectYScale[kYScaleSides];
    CRect m_rectGraticule;
    std::array<unsigned char, RECALC_COUNT> m_abRecalc{};
    long long m_llCreated = 0;
    int m_iPaints = 0;
    std::unique_ptr<CGraticule> m_pGraticule;
    int m_iSerialNumber = 0;

    IGraphViewFrame* m_pFrame = nullptr;
    SScaleArrays m_ScaleArrays;
    SGraphLayout m_Layout;
    std::vector<CRect> m_arcInvalid;
    int m_iRedrawRequests = 0;

    // Drag details of the mouse.
    CPoint m_ptPress{-1, -1};
    bool m_bDragCursor = false;
    bool m_bDragRelativeCursor = false;
    int m_iDragMark = -1; // the mark being dragged, -1 for none
    CQXTrace* m_pDragCursorTrace = nullptr;
    bool m_bDragging = false;
    CQXTrace* m_pSlidingTraceX = nullptr;
    int m_iGrabOffsetX = 0;
    CQXTrace* m_pSlidingTraceY = nullptr;
    int m_iGrabOffsetY = 0;
    CPoint m_ptLastMouse{-1, -1};
};
