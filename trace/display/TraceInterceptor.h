#pragma once
// ITraceInterceptor: a mode that takes over part of a graph view for a
// while (drawing limit lines by hand, editing an impulse window). The frame
// holds the active one; the view offers it drawing and mouse events before
// handling them itself. Every event operation returns true when the mode
// consumed the event; the defaults consume nothing, so a mode overrides
// only what it needs.

#include "platform/Geometry.h"
#include "platform/Types.h"
#include "trace/display/TraceMenu.h"

class CDC;
class CGraphView;
class CObject;
class CQXTrace;
class CWnd;

class ITraceInterceptor {
public:
    virtual ~ITraceInterceptor() = default;

    // Operations in slot order.
    // Called at the end of every complete paint, to draw the mode's overlay.
    virtual bool OnDraw(CGraphView* /*pView*/, CDC* /*pDC*/) { return false; }
    // Called for every update hint the view receives.
    virtual bool OnUpdate(CGraphView* /*pView*/, int /*iHint*/, CObject* /*pObject*/) { return false; }
    // True: the mode has drawn the trace (or hides it); the trace does not draw itself.
    virtual bool DrawTrace(CDC* /*pDC*/, CQXTrace* /*pTrace*/) { return false; }
    // The trace is about to leave the graph; the mode drops any pointer to it.
    virtual bool OnRemoveTrace(CQXTrace* /*pTrace*/) { return false; }
    virtual bool OnKeyDown(UINT /*uChar*/, UINT /*uRepeat*/, UINT /*uFlags*/) { return false; }
    virtual bool OnLButtonDown(UINT /*uFlags*/, CPoint /*point*/) { return false; }
    virtual bool OnLButtonUp(UINT /*uFlags*/, CPoint /*point*/) { return false; }
    virtual bool OnLButtonDblClk(UINT /*uFlags*/, CPoint /*point*/) { return false; }
    virtual bool OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/) { return false; }
    virtual bool OnMouseMove(UINT /*uFlags*/, CPoint /*point*/) { return false; }
    virtual bool OnSetCursor(CWnd* /*pWnd*/, UINT /*uHitTest*/, UINT /*uMessage*/) { return false; }
    // Commands reach the mode first (its tool bar's buttons, Undo, Finish ...).
    virtual bool OnCmdMsg(UINT /*uID*/, int /*iCode*/, void* /*pExtra*/) { return false; }
    virtual void ShowFloatingToolbars() {}
    virtual void HideFloatingToolbars() {}
    // True: the mode hides the trace while it lasts (the legend leaves it out too).
    virtual bool IsTraceHidden(const CQXTrace* /*pTrace*/) const { return false; }
    // The context menu while the mode lasts; false: the view's own.
    virtual bool FillContextMenu(CMenuItems& /*items*/) { return false; }

    // The view the events being offered come from (the view sets it before
    // each offer): a mode drawing on one trace ignores the other channel's view.
    void SetEventView(CGraphView* pView) { m_pEventView = pView; }
    CGraphView* GetEventView() const { return m_pEventView; }

private:
    CGraphView* m_pEventView = nullptr;
};

// The modes a trace window runs, one at a time.
enum class EFrameMode { limitLineDrawing, impulseWindowEditing };

// A mode the frame owns while it lasts.
class CFrameMode : public ITraceInterceptor {
public:
    virtual EFrameMode GetMode() const = 0;
    // Asked to leave (before printing, or before the other mode starts):
    // with edits it asks the user with the message given whether to keep
    // them; true once it has left, false when the user chose to stay.
    virtual bool RequestLeave(int iMessageId) = 0;
    // The host's impulse-response settings changed (update hint -307).
    virtual void OnImpulseWindowDetailsChanged() {}
};
