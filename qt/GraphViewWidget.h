#pragma once
// CGraphViewWidget: the thin widget that hosts one CGraphView. Paint events
// run the view's OnDraw on a double-buffered surface, size changes lay the
// view out again, and the areas the view marks for repainting after an
// update hint become widget updates (a request to redraw at once repaints
// at once). Mouse presses, moves, releases, double clicks and the cursor
// keys go to the view as client points and key codes; the view decides.
// The context menu is the library's menu items shown as a QMenu.

#include "host/app/ViewList.h"
#include "qt/QtWidgetPainter.h"
#include "trace/core/TraceDefs.h"

#include <QWidget>

#include <functional>
#include <memory>

class CGraphView;

class CGraphViewWidget : public QWidget, private IGraphViewSink {
public:
    explicit CGraphViewWidget(ChannelNumber eChannel, QWidget* parent = nullptr);
    ~CGraphViewWidget() override;

    CGraphView& GetView() { return *m_pView; }
    // The picture last painted, at the widget's size.
    const QImage& GetBackBuffer() const { return m_Painter.GetBackBuffer(); }
    QSize sizeHint() const override { return {800, 400}; }
    // Called whenever the view may show something new (an update hint, a
    // mouse or key event): lets the window refresh its read-outs.
    void SetChangeListener(std::function<void()> fnChanged) { m_fnChanged = std::move(fnChanged); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The view's context menu as a QMenu; the chosen command runs through the library.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Registered after the view, so the view has handled each hint when this runs.
    void OnUpdate(IGraphViewSink* pSender, LPARAM lHint, CObject* pObject) override;
    // Turns the view's recorded areas into widget updates.
    void FlushInvalidAreas();
    // Shows the drag cursor while the view drags, and flushes what the event changed.
    void AfterMouseEvent();
    // The sizing cursor while the view or its mode asks for it.
    void UpdateCursor();

    std::unique_ptr<CGraphView> m_pView;
    CQtWidgetPainter m_Painter;
    int m_iRedrawRequestsSeen = 0;
    std::function<void()> m_fnChanged;
};
