#pragma once
// CQtWidgetPainter: double-buffered painting of a CDC drawing into a widget,
// as the views paint: the damaged part is drawn into a back-buffer image and
// then copied to the widget in one go, so a half-drawn picture never shows.
// Call Paint from the widget's paintEvent. The drawing works in widget
// pixels (one back-buffer pixel per widget pixel).

#include "platform/DC.h"

#include <functional>
#include <memory>

class QImage;
class QRect;
class QWidget;

class CQtWidgetPainter {
public:
    // Draws the picture; `update` is the damaged part, drawing outside it is
    // clipped away.
    using DrawFunction = std::function<void(CDC& dc, const CRect& update)>;

    CQtWidgetPainter();
    ~CQtWidgetPainter();
    CQtWidgetPainter(const CQtWidgetPainter&) = delete;
    CQtWidgetPainter& operator=(const CQtWidgetPainter&) = delete;

    void Paint(QWidget& widget, const QRect& update, const DrawFunction& draw);
    // The picture last drawn, at the widget's size.
    const QImage& GetBackBuffer() const;

private:
    std::unique_ptr<QImage> m_pBackBuffer;
};
