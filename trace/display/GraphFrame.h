#pragma once
// CGraphFrame: what a trace window holds around its graph views, free of any
// toolkit: the view of each channel (or one view for both), the chain of
// interceptors (the newest sees events first), the trace the next command
// acts on when one is pending (a legend row's copy cell sets it; its first
// use clears it), and the command table the window builds its menus from:
// each command's id, its handler and its enabled and checked state. It owns
// the cursor bar, the mark bar and the marks list and keeps them in step
// with the hints its views pass on.

#include "host/app/DialogModel.h"
#include "trace/display/CursorBar.h"
#include "trace/display/GraphView.h"
#include "trace/display/MarkBar.h"
#include "trace/display/MarksDlg.h"
#include "trace/display/TraceInterceptor.h"
#include "trace/display/TraceMenu.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class CGraphFrame : public IGraphViewFrame {
public:
    struct SCommand {
        UINT uId = 0;
        // Runs the command on the trace it is for (null: none); false when it did nothing.
        std::function<bool(CQXTrace*)> fnRun;
        std::function<SCommandStatus(CQXTrace*)> fnStatus;
    };

    CGraphFrame();
    ~CGraphFrame() override;

    // The frame does not own its views; each view is told of the frame.
    void SetView(ChannelNumber eChannel, CGraphView* pView);
    CGraphView* GetView(ChannelNumber eChannel) const;
    // Channel A's view when both channels are drawn on one view or the
    // trace is on channel A, channel B's for channel B.
    CGraphView* GetTraceView(CQXTrace* pTrace) override;

    // The interceptor chain: the newest is at the head.
    ITraceInterceptor* GetTraceInterceptor() override { return m_apInterceptors.empty() ? nullptr : m_apInterceptors.back(); }
    void PushInterceptor(ITraceInterceptor* pInterceptor);
    void RemoveInterceptor(ITraceInterceptor* pInterceptor);

    // The trace for the next command, else the document's current trace;
    // GetTraceForCurrentCommand clears the pending one, PeekTrace... does not.
    void SetTraceForNextCommand(CQXTrace* pTrace) { m_pNextCommandTrace = pTrace; }
    CQXTrace* GetTraceForCurrentCommand();
    CQXTrace* PeekTraceForCurrentCommand() const;

    // The cursor bar follows the current trace and its cursor; the mark bar
    // its current mark; the marks list, while open, its marks and their
    // values (which the cursor's units and the relative cursor change).
    CCursorBar& GetCursorBar() { return m_cursorBar; }
    CMarkBar& GetMarkBar() { return m_markBar; }
    CMarksDlg& GetMarksDlg() { return m_marksDlg; }
    void UpdateCurrentTrace() override;
    void UpdateCursorDetails(CQXTrace*) override;
    void UpdateCursorValues(CQXTrace*) override;
    void OnCursorToggled(CQXTrace*) override;
    void OnMarksToggled(CQXTrace*) override;
    void UpdateMarkValues(CQXTrace*) override { m_marksDlg.UpdateMarkValues(); }
    // Told when "List all marks..." opens the marks list, so a window can show it.
    void SetMarksListListener(std::function<void()> fn) { m_fnMarksListListener = std::move(fn); }

    // A press or the legend chose the trace: a trace that is off is
    // switched on, then it becomes current. While a limit line is drawn,
    // choosing another trace that is not a limit line asks first (Cancel
    // keeps the current trace; the line stays its own trace's).
    bool OnSetCurrentTrace(CQXTrace* pTrace) override;
    // The host changed the impulse-response settings: a running mode hears first.
    void OnImpulseWindowDetailsChanged() override
    {
        if (m_pMode) m_pMode->OnImpulseWindowDetailsChanged();
    }

    // ---- Modes ---------------------------------------------------------------
    // One mode runs at a time, owned by the frame, at the head of the chain.
    // Starting one while another runs asks that one to leave first (with
    // iLeaveMessageId); false, the new one dropped, when it stays.
    bool StartMode(std::unique_ptr<CFrameMode> pMode, int iLeaveMessageId);
    // The mode leaves the chain; it is deleted once its own handler has
    // returned (when the next mode starts, or with the frame).
    void EndMode(CFrameMode* pMode);
    CFrameMode* GetMode() const { return m_pMode.get(); }
    bool InLimitLineDrawingMode() const { return m_pMode && m_pMode->GetMode() == EFrameMode::limitLineDrawing; }
    bool InImpulseWindowEditingMode() const
    {
        return m_pMode && m_pMode->GetMode() == EFrameMode::impulseWindowEditing;
    }
    // Before printing or exporting: true when no limit line is being drawn
    // or its drawing has ended (kept or discarded as the user answered the
    // message); false: the caller stops.
    bool ExitLimitLineDrawingMode(int iMessageId);
    // Told when a mode starts (pStarted) or ends (pEnded), so a window can
    // show and hide the mode's bar.
    void SetModeListener(std::function<void(CFrameMode* pStarted, CFrameMode* pEnded)> fn)
    {
        m_fnModeListener = std::move(fn);
    }

    // The toolkit's colour chooser: shown the trace's colour, true with the
    // one picked. With one, "Change Trace colour..." (and a legend's colour
    // cell) gives the trace that colour through the document.
    using ColourChooser = std::function<bool(COLORREF crCurrent, COLORREF& crChosen)>;
    void SetColourChooser(ColourChooser fnChoose);

    // Told when the channels the views show change (both in one view or one
    // each), so a window can hide the view that no longer draws.
    void SetSplitListener(std::function<void()> fn) { m_fnSplitListener = std::move(fn); }
    // Redraws every view after the one-view choice changed and tells the listener.
    void AdjustSplitWindows();

    const std::vector<SCommand>& GetCommands() const { return m_aCommands; }
    // Replaces the handler and state of a command already in the table
    // (the editing modes install theirs); false for an unknown id.
    bool SetCommand(SCommand command);
    SCommandStatus GetTraceCommandState(UINT uCommand, CQXTrace* pTrace) override;
    bool RunTraceCommand(UINT uCommand, CQXTrace* pTrace) override;
    // Disabled for an unknown id.
    SCommandStatus GetCommandStatus(UINT uId) const;
    // A key of the window (GetAccelerators) runs its command; false for a
    // key without one or a disabled command.
    bool OnAcceleratorKey(const CString& sKey);
    // Runs the command on the trace for the current command (a running mode
    // sees it first); false for an unknown or disabled command.
    bool Execute(UINT uId);
    // The window's menus: the trace menu of the trace the next command acts
    // on, and the graph commands, with their states.
    CMenuItems GetTraceMenu();
    CMenuItems GetGraphMenu() const;
    // The cursor commands with their states.
    CMenuItems GetCursorMenu() const;
    // The mark commands with their states, below the marks' on/off switch.
    CMenuItems GetMarksMenu() const;
    // The window's View menu: the values table, interpolation and the one-view choice.
    CMenuItems GetViewMenu() const;
    // The toolbar: short texts for the zoom, cursor, editing and output
    // commands, separators between the groups, states from the table.
    CMenuItems GetToolbar() const;

private:
    struct SCommandText {
        UINT uId; // 0: a separator
        const wchar_t* pszText;
    };
    const SCommand* FindCommand(UINT uId) const;
    // The mark commands: the trace's own, the label dialog and the marks list.
    void AddMarkCommands();
    // Items for the commands with their states from the table.
    CMenuItems CommandItems(std::initializer_list<SCommandText> aCommands) const;

    CGraphView* m_apViews[2] = {nullptr, nullptr};
    std::vector<ITraceInterceptor*> m_apInterceptors;
    CQXTrace* m_pNextCommandTrace = nullptr;
    std::vector<SCommand> m_aCommands;
    std::unique_ptr<CFrameMode> m_pMode;
    std::unique_ptr<CFrameMode> m_pEndedMode;
    std::function<void(CFrameMode*, CFrameMode*)> m_fnModeListener;
    CCursorBar m_cursorBar;
    CMarkBar m_markBar;
    CMarksDlg m_marksDlg;
    std::function<void()> m_fnMarksListListener;
    std::function<void()> m_fnSplitListener;
};

// Puts a dialog command in the frame's table: enabled on the traces
// bUsable accepts, it shows a TDialog (made from the trace) through the
// installed dialog host.
template <class TDialog>
void InstallDialogCommand(CGraphFrame& frame, UINT uId, bool (*bUsable)(CQXTrace*))
{
    frame.SetCommand({uId,
                      [bUsable](CQXTrace* pTrace) {
                          if (!bUsable(pTrace)) return false;
                          TDialog dialog(*pTrace);
                          DoModalDialog(dialog);
                          return true;
                      },
                      [bUsable](CQXTrace* pTrace) { return SCommandStatus{bUsable(pTrace), false}; }});
}
