#include "qt/QtDrawWidget.h"

#include <QPaintEvent>

CQtDrawWidget::CQtDrawWidget(QWidget* parent) : QWidget(parent)
{
    // Every pixel is drawn by the picture, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CQtDrawWidget::SetDrawFunction(CQtWidgetPainter::DrawFunction draw)
{
    m_draw = std::move(draw);
    update();
}

void CQtDrawWidget::paintEvent(QPaintEvent* event)
{
    m_painter.Paint(*this, event->rect(), m_draw);
}
