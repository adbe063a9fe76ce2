#include "qt/GraphViewWidget.h"

#include "host/app/AppServices.h"
#include "qt/QtConvert.h"
#include "trace/display/GraphView.h"

#include <QPaintEvent>
#include <QResizeEvent>

CGraphViewWidget::CGraphViewWidget(ChannelNumber eChannel, QWidget* parent)
    : QWidget(parent), m_pView(std::make_unique<CGraphView>())
{
    // The view paints every pixel, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
}
