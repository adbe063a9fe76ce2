#pragma once
// CGraphFrame: what a trace window holds around its graph views, free of any
// toolkit: the view of each channel (or one view for both), the chain of
// interceptors (the newest sees events first), the trace the next command
// acts on when one is pending (a legend row's copy cell sets it; its first
// use clears it), and the command table the window builds its menus from:
// each command's id, its handler and its enabled and checked state.

#include "trace/display/GraphView.h"
#include "trace/display/TraceMenu.h"

#include <functional>
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

    // A press chose the trace: a trace that is off is switched on, then it becomes current.
    bool OnSetCurrentTrace(CQXTrace* pTrace) override;

    const std::vector<SCommand>& GetCommands() const { return m_aCommands; }
    // Disabled for an unknown id.
    SCommandStatus GetCommandStatus(UINT uId) const;
    // Runs the command on the trace for the current command; false for an
    // unknown or disabled command.
    bool Execute(UINT uId);
    // The window's menus: the trace menu of the trace the next command acts
    // on, and the graph commands, with their states.
    CMenuItems GetTraceMenu() const;
    CMenuItems GetGraphMenu() const;

private:
    const SCommand* FindCommand(UINT uId) const;

    CGraphView* m_apViews[2] = {nullptr, nullptr};
    std::vector<ITraceInterceptor*> m_apInterceptors;
    CQXTrace* m_pNextCommandTrace = nullptr;
    std::vector<SCommand> m_aCommands;
};
