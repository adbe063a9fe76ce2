#include "qt/GraphViewWidget.h"

#include "host/app/AppServices.h"
#include "qt/QtConvert.h"
#include "qt/QtMenu.h"
#include "trace/display/GraphView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>

CGraphViewWidget::CGraphViewWidget(ChannelNumber eChannel, QWidget* parent)
    : QWidget(parent), m_pView(std::make_unique<CGraphView>())
{
    // The view paints every pixel, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Moves without a button count too: a mode shows where the next press would go.
    setMouseTracking(true);
    m_pView->SetChannel(eChannel);
    RegisterGraphView(this);
}

CGraphViewWidget::~CGraphViewWidget() { UnregisterGraphView(this); }

void CGraphViewWidget::paintEvent(QPaintEvent* event)
{
    m_Painter.Paint(*this, event->rect(), [this](CDC& dc, const CRect&) { m_pView->OnDraw(&dc); });
    // Painting clears the view's flags; what it marked meanwhile is painted now.
    m_pView->ClearInvalidRects();
}

void CGraphViewWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_pView->OnSize(CRect(0, 0, width(), height()));
    FlushInvalidAreas();
}

void CGraphViewWidget::OnUpdate(IGraphViewSink*, LPARAM, CObject*) { FlushInvalidAreas(); }

void CGraphViewWidget::FlushInvalidAreas()
{
    for (const CRect& rect : m_pView->GetInvalidRects()) update(ToQRect(rect));
    m_pView->ClearInvalidRects();
    if (m_pView->GetRedrawRequests() != m_iRedrawRequestsSeen) {
        m_iRedrawRequestsSeen = m_pView->GetRedrawRequests();
        if (isVisible()) repaint();
    }
    if (m_fnChanged) m_fnChanged();
}

namespace {

CPoint ClientPoint(const QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    return CPoint(point.x(), point.y());
}

// The key codes the view knows; 0 for any other key.
UINT ViewKey(int iQtKey)
{
    switch (iQtKey) {
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_End: return kKeyEnd;
    default: return 0;
    }
}

} // namespace

void CGraphViewWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    m_pView->OnLButtonDown(0, ClientPoint(event));
    AfterMouseEvent();
}

void CGraphViewWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_pView->OnMouseMove(0, ClientPoint(event));
    UpdateCursor();
    // A move with no button held that changed nothing costs nothing more.
    if (event->buttons() == Qt::NoButton && m_pView->GetInvalidRects().empty() &&
        m_pView->GetRedrawRequests() == m_iRedrawRequestsSeen)
        return;
    AfterMouseEvent();
}

void CGraphViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    m_pView->OnLButtonUp(0, ClientPoint(event));
    AfterMouseEvent();
}

void CGraphViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    m_pView->OnLButtonDblClk(0, ClientPoint(event));
    AfterMouseEvent();
}

void CGraphViewWidget::keyPressEvent(QKeyEvent* event)
{
    const UINT uKey = ViewKey(event->key());
    if (!uKey || !m_pView->OnKeyDown(uKey, 1, 0)) return QWidget::keyPressEvent(event);
    FlushInvalidAreas();
}

void CGraphViewWidget::AfterMouseEvent()
{
    UpdateCursor();
    FlushInvalidAreas();
}

void CGraphViewWidget::UpdateCursor()
{
    // Qt grabs the mouse between press and release by itself; only the cursor shape is ours.
    if (m_pView->OnSetCursor())
        setCursor(Qt::SizeHorCursor);
    else
        unsetCursor();
}

void CGraphViewWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // From the keyboard the point counts as outside the window.
    const bool bKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    const CPoint point = bKeyboard ? CPoint(-1, -1) : CPoint(event->pos().x(), event->pos().y());
    CPoint ptMenu;
    if (!m_pView->OnContextMenu(point, ptMenu)) return;
    FlushInvalidAreas();
    QMenu menu(this);
    AddMenuItems(menu, FillGraphContextMenu(*m_pView));
    if (const UINT uCommand = GetMenuCommand(menu.exec(mapToGlobal(QPoint(ptMenu.x, ptMenu.y)))))
        ExecuteGraphCommand(*m_pView, uCommand);
    FlushInvalidAreas();
}
