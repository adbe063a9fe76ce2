#pragma once
// CTraceWindow: the trace window on screen. One graph view per channel (A
// above B), or with a values table of one trace beside them; the legend as a
// dock; the cursor bar and the mark bar; the marks list, a window of its
// own; the status bar with each channel's cursor read-out, the current
// trace's scales and the window's mode; the File, Trace, Graph, Cursor,
// Marks and View menus from the frame's command table and the Output menu
// (the File menu opens and saves traces and the document, exports, copies,
// previews, prints and sets the page up, and lists the recent files); the
// window's keys; the floating bar of a running mode (limit line drawing,
// impulse window editing). Bars and docks come back where they were in the
// last run. The frame, its modes and the output commands live as long as
// the window, and so do the Qt application
// services (CQtAppServices) it installs over the host.

#include "platform/Types.h"
#include "trace/core/TraceDefs.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class CGraphDoc;
class CGraphFrame;
class CGraphViewWidget;
class CHeadlessHost;
class CLegendWidget;
class CQXTrace;
class QDockWidget;
class QKeySequence;
struct SWindowToolkit;

class CTraceWindow : public QMainWindow {
public:
    // The host and document must outlive the window. With pValuesTrace the
    // values table of that trace sits beside the views.
    CTraceWindow(CHeadlessHost& host, CGraphDoc& doc, CQXTrace* pValuesTrace = nullptr);
    ~CTraceWindow() override;

    CGraphFrame& GetFrame() { return *m_pFrame; }
    CGraphViewWidget* GetViewWidget(ChannelNumber eChannel) const { return m_apViews[eChannel == CHANNEL_B]; }
    CLegendWidget* GetLegend() const { return m_pLegend; }
    // A key that runs fnRun while the window has the focus.
    void AddShortcut(const QKeySequence& key, std::function<void()> fnRun);
    // Runs the command on the trace (null: the current one), as a menu would.
    void RunCommand(UINT uCommand, CQXTrace* pTrace = nullptr);

private:
    QWidget* MakeViews(QWidget* parent);
    // What the window does for the frame's commands: the colour picker, a
    // values table of a trace in a window of its own, the Output menu's
    // actions and the page setup.
    SWindowToolkit MakeToolkit(const class QMenu& output);
    // Channel B's view hidden while both channels are drawn in channel A's.
    void ShowViewsOfChannels();
    // Print setup: Qt's page setup dialog; print and preview use the page it chose.
    bool SetUpPage();
    // The toolbar's states again, after anything that may change them.
    void RefreshToolBar();
    void OnModeChanged(class CFrameMode* pStarted, class CFrameMode* pEnded);
    // The mode's bar floats in room made for it under the views, over no
    // scale, trace or legend row.
    void PlaceModeBar();
    // The places and visibility of the bars and docks, kept in the
    // registry (the window's INI file) between runs.
    void SaveBarStates() const;
    void RestoreBarStates();
    // The mode and scale panes of the status bar again.
    void RefreshStatusPanes();
    // The keyboard back to the window and channel A's view.
    void ReturnFocus();

    struct SParts;
    std::unique_ptr<CGraphFrame> m_pFrame;
    std::unique_ptr<SParts> m_pParts;
    CGraphViewWidget* m_apViews[2] = {nullptr, nullptr};
    CLegendWidget* m_pLegend = nullptr;
    class QToolBar* m_pToolBar = nullptr;
    class CCursorBarWidget* m_pCursorBar = nullptr;
    class CMarkBarWidget* m_pMarkBar = nullptr;
    class CMarksListWidget* m_pMarksList = nullptr;
    QDockWidget* m_pLegendDock = nullptr;
    class QLabel* m_pScalePane = nullptr;
    class QLabel* m_pModePane = nullptr;
    // A mode's bar lives as long as the mode; deleted later, as the mode may end from one of its buttons.
    QPointer<QWidget> m_pModeBar;
    QWidget* m_pModeBarRoom = nullptr;
};
