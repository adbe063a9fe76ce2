#include "qt/QtWidgetPainter.h"

#include "qt/QtConvert.h"
#include "qt/QtDC.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

CQtWidgetPainter::CQtWidgetPainter() : m_pBackBuffer(std::make_unique<QImage>()) {}

CQtWidgetPainter::~CQtWidgetPainter() = default;

void CQtWidgetPainter::Paint(QWidget& widget, const QRect& update, const DrawFunction& draw)
{
    const QRect damaged = update.intersected(widget.rect());
    if (damaged.isEmpty()) return;
    if (m_pBackBuffer->size() != widget.size()) {
        *m_pBackBuffer = QImage(widget.size(), QImage::Format_RGB32);
        if (m_pBackBuffer->isNull()) return; // out of memory: the widget keeps its old picture
        m_pBackBuffer->fill(Qt::white);
    }
    {
        QPainter buffer(m_pBackBuffer.get());
        buffer.setClipRect(damaged);
        CQtDC dc(&buffer, m_pBackBuffer.get());
        if (draw) draw(dc, FromQRect(damaged));
    }
    QPainter screen(&widget);
    screen.drawImage(damaged, *m_pBackBuffer, damaged);
}

const QImage& CQtWidgetPainter::GetBackBuffer() const
{
    return *m_pBackBuffer;
}
