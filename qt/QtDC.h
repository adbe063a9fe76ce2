#pragma once
// CQtDC: the drawing surface on a QPainter, for widgets, images, SVG and PDF.
// It follows the platform's pixel conventions: fills and rectangles leave out
// their right and bottom edges, a line leaves out its end point, one-pixel
// lines land on whole pixels (drawn pixel by pixel on raster devices, with no
// anti-aliasing) and dash patterns count pixels. Fonts are asked for by face
// name and the font system substitutes a missing face; all text measurement
// comes from the font actually used. Raster operations other than copying
// work where the device supports them (raster images) and draw plainly
// elsewhere. A QGuiApplication must exist.
//
// The painter is the owner's and must be active for the life of the surface;
// its state (pen, brush, clip, ...) is saved at construction and restored at
// destruction.

#include "platform/DC.h"

#include <QPainter>

#include <memory>

class QPainterPath;
struct SPenPattern;
class QPaintDevice;

class CQtDC : public CDC {
public:
    // `device` is what the painter paints on; null means the painter's own.
    explicit CQtDC(QPainter* painter, const QPaintDevice* device = nullptr);
    ~CQtDC() override;

    // A PDF or printer target is printing; an SVG target is a metafile.
    void SetPrinting(bool printing);
    void SetMetafile(bool metafile);
    bool IsPrinting() const override;
    bool IsMetafile() const override;

    // Answered from the device: resolution in dots per inch, size in pixels
    // and millimetres, colour depth, and the technology by the flags above.
    int GetDeviceCaps(int index) const override;

    // The face the font system uses for the selected font.
    CString GetTextFace() const;
    // Strokes still queued for a vector device are drawn first.
    QPainter* GetPainter();

protected:
    void DoLine(CPoint from, CPoint to) override;
    void DoPolyline(const CPoint* points, int count) override;
    void DoPolygon(const CPoint* points, int count) override;
    void DoRectangle(const CRect& rect) override;
    void DoEllipse(const CRect& rect) override;
    void DoFillRect(const CRect& rect, COLORREF color) override;
    void DoSetPixel(CPoint p, COLORREF color) override;
    void DoTextOut(CPoint reference, const CString& text) override;
    CSize DoGetTextExtent(const CString& text) const override;
    TEXTMETRIC DoGetTextMetrics() const override;

private:
    struct SImpl;

    // Draws the outline through `points` with the pen (closing it when asked).
    void StrokePath(const CPoint* points, int count, bool closed);
    // An opaque one-pixel path on an image, stored straight into its pixels
    // with the strokes of the same colour before it; false where the painter
    // has to draw it.
    bool StoreStroke(const CPoint* points, int count, bool closed, const SPenPattern& pattern, const QColor& color,
                     QPainter::CompositionMode eMode);
    // Fills with the brush under the raster operation.
    void FillShape(const QPainterPath& path);
    // Vector devices: an open stroke joins the queued path; the queue is
    // drawn when anything else is drawn or the surface ends, as are the
    // runs waiting to be stored into an image.
    void QueueStroke(const CPoint* points, int count, const QPen& pen, QPainter::CompositionMode eMode, bool bFlat);
    void FlushStrokes();
    // Sets the painter's clip for the state's clip (drawing what is queued
    // first); false when nothing could show.
    bool ApplyClip();
    bool ApplyClip(bool bClip, const CRect& rcClip);
    CRect GetPixelBounds() const;

    std::unique_ptr<SImpl> m_pImpl;
};
