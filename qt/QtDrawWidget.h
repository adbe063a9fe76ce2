#pragma once
// CQtDrawWidget: a plain widget whose picture comes from a CDC drawing
// function, painted double-buffered. Hosts for the library's views build on
// it or use CQtWidgetPainter in widgets of their own.

#include "qt/QtWidgetPainter.h"

#include <QWidget>

class CQtDrawWidget : public QWidget {
public:
    explicit CQtDrawWidget(QWidget* parent = nullptr);

    // Replaces the drawing and repaints.
    void SetDrawFunction(CQtWidgetPainter::DrawFunction draw);
    const CQtWidgetPainter& GetPainter() const { return m_painter; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CQtWidgetPainter m_painter;
    CQtWidgetPainter::DrawFunction m_draw;
};
