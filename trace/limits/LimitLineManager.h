#pragma once
// CLimitLineManager: drawing a limit line by hand on its trace's graph, or
// copying it from the trace's data. While a line is drawn the manager is the
// frame's mode: presses in the trace's plot add points (or grab one to move
// it), moves show the segment that would be added and drag a grabbed point,
// and presses anywhere else fall through to the view. The line stays a
// function of X (ColumnRangesConflict): a point or segment that would lie
// over another is refused with a beep. Finish turns the points into the
// line's table, attached to the trace, switched on and listed; Cancel puts
// back the line that was there before.
//
// Draw points hold the trace's own data (an X value of its X unit and Y
// data); they become table values once, when the line is finished.

#include "host/app/EventManager.h"
#include "platform/Color.h"
#include "trace/display/TraceInterceptor.h"
#include "trace/limits/LimitLineBar.h"

#include <memory>
#include <vector>

class CGraphFrame;
class CLimitLine;
class CLimitTable;
class CQXTrace;

// The commands of the mode's bar and menu.
enum ELimitLineCommand : UINT {
    ID_LIMIT_FINISH = 33800,
    ID_LIMIT_CANCEL,
    ID_LIMIT_END_SEGMENT,
    ID_LIMIT_UNDO,
    ID_LIMIT_REDO,
    ID_LIMIT_DELETE_LINE,
};

struct SDrawPoint {
    double dX = 0.0;     // an X value in the trace's X unit
    double dYData = 0.0; // Y data of the trace
    int bConnected = 0;  // 0 at the start of a segment
    int bValid = 1;
    bool operator==(const SDrawPoint&) const = default;
};

class CLimitLineManager : public CFrameMode {
public:
    // How close, in pixels either way, a press must come to grab a point.
    static constexpr int kHitRadius = 4;
    // Undo steps kept.
    static constexpr size_t kHistoryDepth = 100;

    explicit CLimitLineManager(CGraphFrame& frame);
    ~CLimitLineManager() override;

    // The frame's "Create/Edit Limit Line": a limit line is edited by
    // drawing at once; for any other trace the options dialog asks which
    // line and how (Cancel ends). False when nothing started.
    static bool EditLimitLine(CGraphFrame& frame, CQXTrace* pTrace);
    // Puts the command into the frame's table.
    static void Install(CGraphFrame& frame);

    // Sets the trace and which of its lines is edited, and looks up the
    // script events of its limit lines: switching lines off and on while
    // editing registers them afresh, and leaving puts the looked-up details
    // (a script's enabling and action) back.
    void Initialise(CQXTrace* pParent, bool bMax);
    // The line from the trace's data (asks before replacing a table line);
    // the trace is off while its data is copied and on again after, made
    // or not. True when made.
    bool CreateFromTrace();
    // Starts drawing (asks before replacing a trace-data line; No: false).
    // A table line there already becomes the draw points.
    bool StartDrawingMode();

    // ---- The bar's and the menu's operations ---------------------------------
    void OnOK();
    void OnCancel();
    bool OnEndSegment();
    bool OnUndo();
    bool OnRedo();
    bool OnDeleteLine();
    // What is possible now, for the bar and the menu.
    bool CanEndSegment() const;
    bool CanUndo() const { return !m_aUndo.empty(); }
    bool CanRedo() const { return !m_aRedo.empty(); }
    bool HasPoints() const { return !m_aPoints.empty(); }

    // ---- State -------------------------------------------------------------------
    CQXTrace* GetParentTrace() const { return m_pParent; }
    bool IsMax() const { return m_bMax; }
    bool IsDrawing() const { return m_bDrawing; }
    const std::vector<SDrawPoint>& GetDrawPoints() const { return m_aPoints; }
    bool IsSegmentInProgress() const { return m_bSegmentInProgress; }
    bool HasChanges() const { return m_bChanged; }
    int GetDraggedPoint() const { return m_iDragPoint; }
    CLimitLineBar& GetBar() { return m_bar; }
    COLORREF GetDrawColor() const { return m_crDraw; }

    // Every valid draw point becomes a table point, in ascending X, in the
    // table's units (set to the trace's); for a scope-like trace the
    // magnitude with the polarity of the data's sign.
    void ConvertDrawPointsToLimitTable(CLimitTable& table) const;
    void ConvertLimitTableToDrawPoints(const CLimitTable& table);
    // Whether a press here may add the next point, or move point i here.
    bool DrawingHereOK(CPoint point) const;
    bool DraggingHereOK(int iPoint, CPoint point) const;
    // The point a press here grabs; -1 for none.
    int PointHitTest(CPoint point) const;

    // ---- The mode ------------------------------------------------------------------
    EFrameMode GetMode() const override { return EFrameMode::limitLineDrawing; }
    bool RequestLeave(int iMessageId) override;
    bool OnDraw(CGraphView* pView, CDC* pDC) override;
    // A trace leaving the graph reaches the mode as the view's removal hint.
    bool OnUpdate(CGraphView* pView, int iHint, CObject* pObject) override;
    bool DrawTrace(CDC* pDC, CQXTrace* pTrace) override;
    bool OnRemoveTrace(CQXTrace* pTrace) override;
    bool OnLButtonDown(UINT uFlags, CPoint point) override;
    bool OnLButtonUp(UINT uFlags, CPoint point) override;
    bool OnLButtonDblClk(UINT uFlags, CPoint point) override;
    bool OnMouseMove(UINT uFlags, CPoint point) override;
    bool OnCmdMsg(UINT uID, int iCode, void* pExtra) override;
    bool IsTraceHidden(const CQXTrace* pTrace) const override;
    bool FillContextMenu(CMenuItems& items) override;

private:
    struct SSnapshot {
        std::vector<SDrawPoint> aPoints;
        bool bSegmentInProgress = false;
    };
    struct SRange {
        int iFrom, iTo;
    };

    // Whether the point lies in the trace's plot in the trace's own view.
    bool InPlot(CPoint point) const;
    SDrawPoint PointAt(CPoint point) const;
    CPoint DevicePoint(const SDrawPoint& point) const;
    int ColumnOf(double dX) const;
    // Column ranges of the segments and lone points, leaving out those of point iSkip.
    std::vector<SRange> Ranges(int iSkip) const;
    static bool ConflictsWithAny(const SRange& range, const std::vector<SRange>& aOthers);
    void RememberForUndo();
    void Changed();
    void Redraw() const;
    void UpdateBar(CPoint point, bool bInPlot);
    // Puts back the line there was before (on and listed) and leaves.
    void Leave(bool bRestoreOld);
    // The copy step of CreateFromTrace, with the trace off.
    bool CopyIntoNewLine();
    // The looked-up event details go back for each line that is on.
    void RestoreEvents() const;

    CGraphFrame& m_frame;
    CLimitLineBar m_bar;
    CQXTrace* m_pParent = nullptr;
    bool m_bMax = true;
    bool m_bDrawing = false;
    // The line there was before, hidden while drawing.
    CLimitLine* m_pOldLine = nullptr;
    bool m_bOldLineWasOn = false;
    bool m_bDeleteLine = false;
    std::vector<SDrawPoint> m_aPoints;
    int m_iXUnit = -1;
    bool m_bSegmentInProgress = false;
    int m_iDragPoint = -1;
    bool m_bPressed = false;
    CPoint m_ptHover{-1, -1};
    std::vector<SSnapshot> m_aUndo;
    std::vector<SSnapshot> m_aRedo;
    bool m_bChanged = false;
    COLORREF m_crDraw = 0;
    // The trace's limit events as they were when editing began.
    std::vector<SEventDetails> m_aEvents;
};
