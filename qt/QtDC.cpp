#include "qt/QtDC.h"

#include "host/app/DebugLog.h"
#include "platform/VectorState.h"
#include "qt/PenPattern.h"
#include "qt/PixelLine.h"
#include "qt/QtConvert.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Qt's raster routines (its 256-bit fills among them) may return with the
// upper halves of the vector registers dirty; every 128-bit instruction
// after that, ours or Qt's own, pays for it until they are cleared. So each
// call into Qt's painting clears them on its way out.
struct SAfterQtPaint {
    SAfterQtPaint() = default;
    SAfterQtPaint(const SAfterQtPaint&) = delete;
    SAfterQtPaint& operator=(const SAfterQtPaint&) = delete;
    ~SAfterQtPaint() { ClearUpperVectorState(); }
};

// Beyond this a font height is corrupt input; glyphs that big only cost memory.
constexpr int kMaxFontPixels = 4096;
// A one-pixel stroke drawn by the painter sits on the pixel's centre.
constexpr double kPixelCentre = 0.5;
// The platform's miter limit.
constexpr double kMiterLimit = 10.0;
// Text widths are kept for this many fonts, and this many texts in each.
constexpr size_t kMeasuredFonts = 8;
constexpr size_t kMeasuredTexts = 4096;

// What a raster operation asks of one drawing: whether to draw at all, the
// colour to draw with and the painter's composition mode.
struct SRopPlan {
    bool m_bDraw = true;
    QColor m_color;
    QPainter::CompositionMode m_eMode = QPainter::CompositionMode_SourceOver;
};

SRopPlan PlanRop(int rop, COLORREF color, bool rasterOps)
{
    SRopPlan plan;
    plan.m_color = ToQColor(color);
    // Operations that need no destination work on every device.
    switch (rop) {
    case R2_NOP: plan.m_bDraw = false; return plan;
    case R2_BLACK: plan.m_color = Qt::black; return plan;
    case R2_WHITE: plan.m_color = Qt::white; return plan;
    case R2_NOTCOPYPEN: plan.m_color = ToQColor(~color & 0x00FFFFFF); return plan;
    case R2_COPYPEN: return plan;
    default: break;
    }
    if (!rasterOps) return plan; // drawn plainly where the device cannot combine
    switch (rop) {
    case R2_NOTMERGEPEN: plan.m_eMode = QPainter::RasterOp_NotSourceAndNotDestination; break;
    case R2_MASKNOTPEN: plan.m_eMode = QPainter::RasterOp_NotSourceAndDestination; break;
    case R2_MASKPENNOT: plan.m_eMode = QPainter::RasterOp_SourceAndNotDestination; break;
    case R2_NOT: plan.m_eMode = QPainter::RasterOp_NotDestination; break;
    case R2_XORPEN: plan.m_eMode = QPainter::RasterOp_SourceXorDestination; break;
    case R2_NOTMASKPEN: plan.m_eMode = QPainter::RasterOp_NotSourceOrNotDestination; break;
    case R2_MASKPEN: plan.m_eMode = QPainter::RasterOp_SourceAndDestination; break;
    case R2_NOTXORPEN: plan.m_eMode = QPainter::RasterOp_NotSourceXorDestination; break;
    case R2_MERGENOTPEN: plan.m_eMode = QPainter::RasterOp_NotSourceOrDestination; break;
    case R2_MERGEPENNOT: plan.m_eMode = QPainter::RasterOp_SourceOrNotDestination; break;
    case R2_MERGEPEN: plan.m_eMode = QPainter::RasterOp_SourceOrDestination; break;
    default: break;
    }
    return plan;
}

Qt::PenCapStyle ToQtCap(EPenCap cap)
{
    switch (cap) {
    case EPenCap::Square: return Qt::SquareCap;
    case EPenCap::Round: return Qt::RoundCap;
    default: return Qt::FlatCap;
    }
}

Qt::PenJoinStyle ToQtJoin(EPenJoin join)
{
    switch (join) {
    case EPenJoin::Bevel: return Qt::BevelJoin;
    case EPenJoin::Miter: return Qt::MiterJoin;
    default: return Qt::RoundJoin;
    }
}

QPen MakeQPen(const SPenPattern& pattern, const QColor& color)
{
    QPen pen(color);
    pen.setWidth(pattern.m_iWidth);
    pen.setCapStyle(ToQtCap(pattern.m_eCap));
    pen.setJoinStyle(ToQtJoin(pattern.m_eJoin));
    pen.setMiterLimit(kMiterLimit);
    const SDashEntries dashes = DashEntriesInWidths(pattern.m_aDashes, pattern.m_iWidth);
    if (!dashes.m_aEntries.empty()) {
        pen.setDashPattern(QList<qreal>(dashes.m_aEntries.begin(), dashes.m_aEntries.end()));
        pen.setDashOffset(dashes.m_dOffset);
    }
    return pen;
}

QPolygonF ToPolygon(const CPoint* points, int count, double offset)
{
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) polygon.append(QPointF(points[i].x + offset, points[i].y + offset));
    return polygon;
}

// Moves `end` half a pixel towards `other` along their segment.
void PullBack(QPointF& end, const QPointF& other)
{
    const QPointF d = other - end;
    const double length = std::hypot(d.x(), d.y());
    if (length > 0) end += d * (0.5 / length);
}

// A flat-ended open path through pixel centres covers its first pixel only
// from the centre on and its last one up to the centre. Moving both ends back
// by half a pixel makes it start at the first pixel's edge and stop at the
// last one's, as the platform draws: the first point in, the last one out.
void FitFlatEnds(QPolygonF& path)
{
    const qsizetype n = path.size();
    if (n < 2) return;
    PullBack(path[0], path[0] + (path[0] - path[1]));
    PullBack(path[n - 1], path[n - 2]);
}

// The line a pen of `width` follows around a shape's bounding rectangle: a
// pen inside the frame keeps all of its width inside the rectangle, others
// are centred on the outermost pixels.
QRectF OutlineRect(const CRect& rect, const SPenPattern& pattern)
{
    const double w = pattern.m_iWidth;
    if (pattern.m_bInsideFrame && w > 1)
        return QRectF(rect.left + w / 2, rect.top + w / 2, rect.Width() - w, rect.Height() - w);
    return QRectF(rect.left + kPixelCentre, rect.top + kPixelCentre, rect.Width() - 1, rect.Height() - 1);
}

CRect Normalized(const CRect& rect)
{
    CRect r = rect;
    r.NormalizeRect();
    return r;
}

// Opaque runs written into the pixels the raster engine paints into (its
// buffer, not a detached copy): a plot's thousands of short column strokes
// cost a store each instead of a painter call each.
// The rule that makes this safe: the image is not shared while a painter is
// active. Beginning the painter detaches it and a copy taken while painting is
// a deep one, so the stores reach no other image; should the image be shared
// anyway, the painter fills instead.
bool CanStoreInto(const QImage& image) { return image.isDetached(); }

// Side-by-side one-pixel columns stored together: a block of this many
// pixels of a row (a cache line of 32-bit pixels).
constexpr int kColumnBlock = 16;
// A row of a block costs about as much as this many pixels stored one by one
// down a column.
constexpr int kBlockRowCost = 4;

// The pixels of a one-pixel path, each line leaving out its end point and
// the dash pattern running on along the whole path.
void RasterizePath(const CPoint* points, int count, bool closed, const SPenPattern& pattern, const CRect& bounds,
                   std::vector<CRect>& runs)
{
    CPixelDash dash;
    if (!pattern.IsSolid()) dash = CPixelDash(pattern.m_aDashes);
    for (int i = 1; i < count; ++i) RasterizeLine(points[i - 1], points[i], bounds, dash, runs);
    if (closed) RasterizeLine(points[count - 1], points[0], bounds, dash, runs);
}

bool IsColumn(const CRect& run) { return run.Width() == 1; }

// Rows top .. bottom of a block of kColumnBlock pixels starting at `first`:
// each pixel takes `pixel` where its column's span covers the row and keeps
// its value elsewhere. Written so that the compiler compares and blends
// several pixels at a time; every cache line is touched once per row.
void StoreColumnBlock(uchar* first, qsizetype stride, const int* tops, const int* bottoms, int top, int bottom,
                      QRgb pixel)
{
    // Local copies: the compiler then knows the stores do not change them.
    int t[kColumnBlock], b[kColumnBlock];
    std::copy(tops, tops + kColumnBlock, t);
    std::copy(bottoms, bottoms + kColumnBlock, b);
    uchar* line = first + top * stride;
    for (int y = top; y < bottom; ++y, line += stride) {
        auto* p = reinterpret_cast<QRgb*>(line);
        for (int k = 0; k < kColumnBlock; ++k) {
            const QRgb mask = QRgb(0) - QRgb((y >= t[k]) & (y < b[k]));
            p[k] = (p[k] & ~mask) | (pixel & mask);
        }
    }
}

// Stores opaque runs of one pixel value, all inside the image. Side-by-side
// columns (a plot's strokes, left to right) go a block at a time, row by
// row, where that stores fewer rows than the columns one by one would.
void StoreRunsInImage(const QImage& image, const std::vector<CRect>& runs, QRgb pixel)
{
    auto* bits = const_cast<uchar*>(image.constBits());
    const qsizetype stride = image.bytesPerLine();
    const auto Pixel = [&](int x, int y) { return reinterpret_cast<QRgb*>(bits + y * stride) + x; };
    const auto Rows = [&](const CRect& run) {
        for (int y = run.top; y < run.bottom; ++y) std::fill(Pixel(run.left, y), Pixel(run.right, y), pixel);
    };
    const auto Column = [&](const CRect& run) {
        auto* p = reinterpret_cast<uchar*>(Pixel(run.left, run.top));
        for (int y = run.top; y < run.bottom; ++y, p += stride) *reinterpret_cast<QRgb*>(p) = pixel;
    };
    for (size_t i = 0; i < runs.size();) {
        const CRect& head = runs[i];
        if (!IsColumn(head)) {
            Rows(head);
            ++i;
            continue;
        }
        // The columns side by side from here, within one block of the row.
        size_t end = i + 1;
        int top = head.top, bottom = head.bottom, stored = head.Height();
        while (end < runs.size() && IsColumn(runs[end]) && runs[end].left == runs[end - 1].left + 1 &&
               runs[end].left < head.left + kColumnBlock) {
            top = std::min(top, runs[end].top);
            bottom = std::max(bottom, runs[end].bottom);
            stored += runs[end].Height();
            ++end;
        }
        const bool bInside = head.left + kColumnBlock <= image.width();
        if (end - i >= 2 && bInside && (bottom - top) * kBlockRowCost < stored) {
            int tops[kColumnBlock] = {}, bottoms[kColumnBlock] = {};
            for (size_t k = i; k < end; ++k) {
                tops[runs[k].left - head.left] = runs[k].top;
                bottoms[runs[k].left - head.left] = runs[k].bottom;
            }
            StoreColumnBlock(reinterpret_cast<uchar*>(Pixel(head.left, 0)), stride, tops, bottoms, top, bottom, pixel);
        } else {
            for (size_t k = i; k < end; ++k) Column(runs[k]);
        }
        i = end;
    }
}

} // namespace

struct CQtDC::SImpl {
    QPainter* m_pPainter = nullptr;
    const QPaintDevice* m_pDevice = nullptr;
    bool m_bPrinting = false;
    bool m_bMetafile = false;
    bool m_bRaster = false;    // pixels, drawn without anti-aliasing
    bool m_bRasterOps = false; // the device combines source and destination
    bool m_bOwnerClip = false; // the clip the painter came with stays in force
    QRegion m_ownerClip;

    // The clip last given to the painter, so it is set only when it changes.
    bool m_bClipKnown = false;
    bool m_bClip = false;
    CRect m_rcClip;

    // The font last selected, resolved by the font system.
    std::optional<LOGFONT> m_logFont;
    QFont m_font;
    std::optional<QFontMetrics> m_metrics;

    // Widths of the texts measured in each font resolved so far: scale
    // labels are measured for the layout, for their alignment and again when
    // drawn, in every paint, and shaping them is most of what text costs.
    // A few fonts, a few hundred labels; each is forgotten whole when full.
    struct SFontWidths {
        LOGFONT m_logFont;
        std::unordered_map<std::wstring, int> m_widths;
    };
    std::vector<SFontWidths> m_aFontWidths;
    std::unordered_map<std::wstring, int>* m_pWidths = nullptr;
    int MeasureWidth(const CString& text);

    // The pixel runs of the path being stroked; kept so that a plot's
    // thousands of column strokes do not allocate.
    std::vector<CRect> m_aRuns;

    // The image painted on, when opaque runs may be written straight into
    // its pixels (32-bit, one pixel per unit, any clip of the owner's a
    // rectangle), and the pixels such stores may reach.
    const QImage* m_pImage = nullptr;
    CRect m_rcStore;
    // Opaque runs of one pixel value waiting to be stored: a plot's column
    // strokes are stored together, before anything else is drawn.
    std::vector<CRect> m_aPendingRuns;
    QRgb m_pendingPixel = 0;

    // What the pen and raster operation last stroked with draw, kept while
    // they stay selected: a plot strokes thousands of columns with one pen.
    struct SStrokePlan {
        bool m_bKnown = false;
        CPen m_pen;
        int m_iROP2 = R2_COPYPEN;
        SPenPattern m_pattern;
        SRopPlan m_rop;
    } m_stroke;

    // Vector devices: open strokes of one pen, operation and clip gathered
    // into one path, so that a plot's thousands of column strokes become one
    // element of the file instead of one each. Drawn before anything else is.
    struct SQueuedStrokes {
        QPainterPath m_path; // finished runs
        QPolygonF m_run;     // the run still being extended
        CPoint m_ptRunEnd;
        bool m_bFlatEnds = false;
        QPen m_pen;
        QPainter::CompositionMode m_eMode = QPainter::CompositionMode_SourceOver;
        bool m_bClip = false;
        CRect m_rcClip;

        bool IsEmpty() const { return m_run.isEmpty() && m_path.isEmpty(); }
        void EndRun()
        {
            if (m_run.isEmpty()) return;
            if (m_bFlatEnds) FitFlatEnds(m_run);
            m_path.addPolygon(m_run);
            m_run.clear();
        }
    } m_queued;

    bool IsReady() const { return m_pPainter && m_pPainter->isActive() && m_pDevice; }
    const SStrokePlan& PlanStroke(const SDCState& state)
    {
        if (m_stroke.m_bKnown && m_stroke.m_iROP2 == state.m_iROP2 && m_stroke.m_pen == state.m_pen) return m_stroke;
        m_stroke.m_pen = state.m_pen;
        m_stroke.m_iROP2 = state.m_iROP2;
        m_stroke.m_pattern = PenPattern(state.m_pen);
        m_stroke.m_rop = PlanRop(state.m_iROP2, state.m_pen.GetColor(), m_bRasterOps);
        m_stroke.m_bKnown = true;
        return m_stroke;
    }
    QPaintDevice* Device() const { return const_cast<QPaintDevice*>(m_pDevice); }
    void Resolve(const LOGFONT& logFont);
};

namespace {

QFont MakeFont(const LOGFONT& lf, QPaintDevice* device)
{
    QFont font(ToQString(lf.lfFaceName));
    font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight, 1, 1000)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    // Negative: the character (em) height; positive: the cell height, found
    // by scaling from a first try; zero: the surface's default cell of 16.
    const int height = lf.lfHeight == 0 ? 16 : lf.lfHeight;
    const int pixels = std::clamp(std::abs(height), 1, kMaxFontPixels);
    font.setPixelSize(pixels);
    if (height > 0) {
        const int cell = QFontMetrics(font, device).height();
        if (cell > 0) font.setPixelSize(std::clamp(static_cast<int>(std::lround(double(pixels) * pixels / cell)), 1, kMaxFontPixels));
    }
    // A width asks for narrower or wider characters than the face's own.
    if (lf.lfWidth > 0) {
        const int average = QFontMetrics(font, device).averageCharWidth();
        if (average > 0) font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * lf.lfWidth / average)), 1, 4000));
    }
    return font;
}

} // namespace

void CQtDC::SImpl::Resolve(const LOGFONT& logFont)
{
    if (m_logFont && *m_logFont == logFont) return;
    m_logFont = logFont;
    m_font = MakeFont(logFont, Device());
    m_metrics.emplace(m_font, Device());
    const auto it = std::find_if(m_aFontWidths.begin(), m_aFontWidths.end(),
                                 [&](const SFontWidths& f) { return f.m_logFont == logFont; });
    if (it != m_aFontWidths.end()) {
        m_pWidths = &it->m_widths;
        return;
    }
    if (m_aFontWidths.size() >= kMeasuredFonts) m_aFontWidths.clear();
    m_aFontWidths.push_back(SFontWidths{logFont, {}});
    m_pWidths = &m_aFontWidths.back().m_widths;
}

int CQtDC::SImpl::MeasureWidth(const CString& text)
{
    if (const auto it = m_pWidths->find(text.str()); it != m_pWidths->end()) return it->second;
    if (m_pWidths->size() >= kMeasuredTexts) m_pWidths->clear();
    const SAfterQtPaint afterQt;
    const int width = m_metrics->horizontalAdvance(ToQString(text));
    m_pWidths->emplace(text.str(), width);
    return width;
}

CQtDC::CQtDC(QPainter* painter, const QPaintDevice* device) : m_pImpl(std::make_unique<SImpl>())
{
    const SAfterQtPaint afterQt;
    SImpl& d = *m_pImpl;
    d.m_pPainter = painter;
    d.m_pDevice = device ? device : (painter ? painter->device() : nullptr);
    if (!QXVERIFY(d.IsReady())) return;
    painter->save();
    QPaintEngine* engine = painter->paintEngine();
    d.m_bRaster = engine && engine->type() == QPaintEngine::Raster;
    d.m_bRasterOps = engine && engine->hasFeature(QPaintEngine::RasterOpModes);
    d.m_bOwnerClip = painter->hasClipping();
    if (d.m_bOwnerClip) d.m_ownerClip = painter->clipRegion();
    painter->setRenderHint(QPainter::Antialiasing, false);
    // A clip of the owner's (a widget's damaged area) in pixels: one
    // rectangle, given while the painter draws in pixels.
    const bool bPixelClip = !d.m_bOwnerClip || (d.m_ownerClip.rectCount() == 1 && painter->worldTransform().isIdentity());
    if (d.m_bRaster && bPixelClip && d.m_pDevice->devType() == QInternal::Image) {
        const auto* image = static_cast<const QImage*>(d.m_pDevice);
        const QImage::Format format = image->format();
        const bool b32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                         format == QImage::Format_ARGB32_Premultiplied;
        if (b32 && image->devicePixelRatio() == 1.0) {
            d.m_pImage = image;
            d.m_rcStore = CRect(0, 0, image->width(), image->height());
            if (d.m_bOwnerClip) d.m_rcStore.IntersectRect(d.m_rcStore, FromQRect(d.m_ownerClip.boundingRect()));
        }
    }
}

CQtDC::~CQtDC()
{
    if (!m_pImpl->IsReady()) return;
    FlushStrokes();
    m_pImpl->m_pPainter->restore();
}

void CQtDC::SetPrinting(bool printing)
{
    m_pImpl->m_bPrinting = printing;
}

void CQtDC::SetMetafile(bool metafile)
{
    m_pImpl->m_bMetafile = metafile;
}

bool CQtDC::IsPrinting() const
{
    return m_pImpl->m_bPrinting;
}

bool CQtDC::IsMetafile() const
{
    return m_pImpl->m_bMetafile;
}

QPainter* CQtDC::GetPainter()
{
    // Whoever paints next must paint over what is queued.
    if (m_pImpl->IsReady()) FlushStrokes();
    return m_pImpl->m_pPainter;
}

int CQtDC::GetDeviceCaps(int index) const
{
    const QPaintDevice* device = m_pImpl->m_pDevice;
    if (!device) return 0;
    switch (index) {
    case TECHNOLOGY: return IsMetafile() ? DT_METAFILE : (IsPrinting() ? DT_RASPRINTER : DT_RASDISPLAY);
    case HORZSIZE: return device->widthMM();
    case VERTSIZE: return device->heightMM();
    case HORZRES: return device->width();
    case VERTRES: return device->height();
    case BITSPIXEL: return device->depth();
    case PLANES: return 1;
    // Palettes hold at most 256 entries; deeper devices answer -1.
    case NUMCOLORS: return device->depth() > 8 ? -1 : (1 << std::max(device->depth(), 1));
    case LOGPIXELSX: return device->logicalDpiX();
    case LOGPIXELSY: return device->logicalDpiY();
    // Pages are their printable area here: no unprintable margins.
    case PHYSICALWIDTH: return IsPrinting() ? device->width() : 0;
    case PHYSICALHEIGHT: return IsPrinting() ? device->height() : 0;
    default: return 0;
    }
}

bool CQtDC::ApplyClip()
{
    FlushStrokes();
    return ApplyClip(State().m_bClip, State().m_rcClip);
}

bool CQtDC::ApplyClip(bool bClip, const CRect& rcClip)
{
    SImpl& d = *m_pImpl;
    if (!d.IsReady()) return false;
    if (bClip && rcClip.IsRectEmpty()) return false;
    if (d.m_bClipKnown && d.m_bClip == bClip && (!bClip || d.m_rcClip == rcClip)) return true;
    QPainter* painter = d.m_pPainter;
    if (d.m_bOwnerClip) painter->setClipRegion(d.m_ownerClip);
    else painter->setClipping(false);
    if (bClip) painter->setClipRect(ToQRect(rcClip), d.m_bOwnerClip ? Qt::IntersectClip : Qt::ReplaceClip);
    d.m_bClipKnown = true;
    d.m_bClip = bClip;
    d.m_rcClip = rcClip;
    return true;
}

void CQtDC::QueueStroke(const CPoint* points, int count, const QPen& pen, QPainter::CompositionMode eMode, bool bFlat)
{
    SImpl::SQueuedStrokes& q = m_pImpl->m_queued;
    const SDCState& state = State();
    if (state.m_bClip && state.m_rcClip.IsRectEmpty()) return;
    const bool bSameKind = q.m_pen == pen && q.m_eMode == eMode && q.m_bFlatEnds == bFlat &&
                           q.m_bClip == state.m_bClip && (!state.m_bClip || q.m_rcClip == state.m_rcClip);
    if (!q.IsEmpty() && !bSameKind) FlushStrokes();
    if (q.IsEmpty()) {
        q.m_pen = pen;
        q.m_eMode = eMode;
        q.m_bFlatEnds = bFlat;
        q.m_bClip = state.m_bClip;
        q.m_rcClip = state.m_rcClip;
    }
    // A stroke that starts where the last one ended carries on its run.
    int first = 0;
    if (!q.m_run.isEmpty() && q.m_ptRunEnd == points[0]) first = 1;
    else q.EndRun();
    // Whole coordinates, moved onto pixel centres when drawn: shorter numbers
    // in the file. A point straight on from the last two replaces the last.
    for (int i = first; i < count; ++i) {
        const QPointF p(points[i].x, points[i].y);
        const qsizetype n = q.m_run.size();
        if (n >= 2) {
            const QPointF a = q.m_run[n - 1] - q.m_run[n - 2];
            const QPointF b = p - q.m_run[n - 1];
            if (a.x() * b.y() == a.y() * b.x() && a.x() * b.x() + a.y() * b.y() > 0) {
                q.m_run[n - 1] = p;
                continue;
            }
        }
        q.m_run.append(p);
    }
    q.m_ptRunEnd = points[count - 1];
}

void CQtDC::FlushStrokes()
{
    SImpl& d = *m_pImpl;
    if (!d.m_aPendingRuns.empty()) {
        StoreRunsInImage(*d.m_pImage, d.m_aPendingRuns, d.m_pendingPixel);
        d.m_aPendingRuns.clear();
    }
    SImpl::SQueuedStrokes& q = d.m_queued;
    if (q.IsEmpty()) return;
    q.EndRun();
    if (ApplyClip(q.m_bClip, q.m_rcClip)) {
        const SAfterQtPaint afterQt;
        QPainter* painter = d.m_pPainter;
        painter->setCompositionMode(q.m_eMode);
        painter->setPen(q.m_pen);
        painter->setBrush(Qt::NoBrush);
        painter->save();
        painter->translate(kPixelCentre, kPixelCentre);
        painter->drawPath(q.m_path);
        painter->restore();
    }
    q.m_path = QPainterPath();
}

// The pixels drawing can reach, in the painter's coordinates.
CRect CQtDC::GetPixelBounds() const
{
    const QPainter* painter = m_pImpl->m_pPainter;
    QRect device(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
    if (!painter->worldTransform().isIdentity()) device = painter->worldTransform().inverted().mapRect(device).adjusted(-1, -1, 1, 1);
    CRect bounds = FromQRect(device);
    if (State().m_bClip) bounds.IntersectRect(bounds, State().m_rcClip);
    return bounds;
}

void CQtDC::StrokePath(const CPoint* points, int count, bool closed)
{
    SImpl& d = *m_pImpl;
    if (count < 2 || !d.IsReady()) return;
    const SImpl::SStrokePlan& stroke = d.PlanStroke(State());
    const SPenPattern& pattern = stroke.m_pattern;
    const SRopPlan& plan = stroke.m_rop;
    if (pattern.m_bNull || !plan.m_bDraw) return;
    if (!d.m_bRaster && !closed) {
        QueueStroke(points, count, MakeQPen(pattern, plan.m_color), plan.m_eMode, pattern.m_eCap == EPenCap::Flat);
        return;
    }
    if (d.m_bRaster && pattern.IsOnePixel() && StoreStroke(points, count, closed, pattern, plan.m_color, plan.m_eMode)) return;
    if (!ApplyClip()) return;
    const SAfterQtPaint afterQt;
    QPainter* painter = d.m_pPainter;
    painter->setCompositionMode(plan.m_eMode);

    if (d.m_bRaster && pattern.IsOnePixel()) {
        std::vector<CRect>& runs = d.m_aRuns;
        runs.clear();
        RasterizePath(points, count, closed, pattern, GetPixelBounds(), runs);
        for (const CRect& run : runs) painter->fillRect(ToQRect(run), plan.m_color);
        return;
    }
    painter->setPen(MakeQPen(pattern, plan.m_color));
    painter->setBrush(Qt::NoBrush);
    QPolygonF polygon = ToPolygon(points, count, kPixelCentre);
    if (closed) {
        painter->drawPolygon(polygon);
        return;
    }
    if (pattern.m_eCap == EPenCap::Flat) FitFlatEnds(polygon);
    painter->drawPolyline(polygon);
}

bool CQtDC::StoreStroke(const CPoint* points, int count, bool closed, const SPenPattern& pattern, const QColor& color,
                        QPainter::CompositionMode eMode)
{
    SImpl& d = *m_pImpl;
    const bool bDirect = d.m_pImage && eMode == QPainter::CompositionMode_SourceOver && color.alpha() == 255 &&
                         CanStoreInto(*d.m_pImage) && d.m_pPainter->worldTransform().isIdentity();
    if (!bDirect) return false;
    CRect bounds = d.m_rcStore;
    if (State().m_bClip) bounds.IntersectRect(bounds, State().m_rcClip);
    const QRgb pixel = color.rgba();
    if (pixel != d.m_pendingPixel) FlushStrokes();
    d.m_pendingPixel = pixel;
    RasterizePath(points, count, closed, pattern, bounds, d.m_aPendingRuns);
    return true;
}

void CQtDC::FillShape(const QPainterPath& path)
{
    const CBrush& brush = State().m_brush;
    if (brush.IsNull() || path.isEmpty() || !ApplyClip()) return;
    SImpl& d = *m_pImpl;
    const SRopPlan plan = PlanRop(State().m_iROP2, brush.GetColor(), d.m_bRasterOps);
    if (!plan.m_bDraw) return;
    const SAfterQtPaint afterQt;
    d.m_pPainter->setCompositionMode(plan.m_eMode);
    d.m_pPainter->fillPath(path, plan.m_color);
}

void CQtDC::DoLine(CPoint from, CPoint to)
{
    const CPoint points[] = {from, to};
    StrokePath(points, 2, false);
}

void CQtDC::DoPolyline(const CPoint* points, int count)
{
    StrokePath(points, count, false);
}

void CQtDC::DoPolygon(const CPoint* points, int count)
{
    // Filled by the alternate rule, the platform's default.
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(ToPolygon(points, count, 0.0));
    path.closeSubpath();
    FillShape(path);
    StrokePath(points, count, true);
}

void CQtDC::DoRectangle(const CRect& rect)
{
    const CRect r = Normalized(rect);
    if (r.IsRectEmpty()) return;
    const SPenPattern pattern = PenPattern(State().m_pen);
    // The inside is what the pen leaves, so that raster operations touch no
    // pixel twice. Without a pen the platform fills one pixel less each way.
    QPainterPath inside;
    if (pattern.m_bNull) {
        inside.addRect(QRectF(r.left, r.top, r.Width() - 1, r.Height() - 1));
    } else {
        const double half = pattern.m_iWidth / 2.0;
        const QRectF inner = OutlineRect(r, pattern).adjusted(half, half, -half, -half);
        if (inner.width() > 0 && inner.height() > 0) inside.addRect(inner);
    }
    FillShape(inside);
    if (pattern.m_bNull) return;
    if (m_pImpl->m_bRaster && pattern.IsOnePixel()) {
        const CPoint corners[] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
        StrokePath(corners, 4, true);
        return;
    }
    if (!ApplyClip()) return;
    const SRopPlan plan = PlanRop(State().m_iROP2, State().m_pen.GetColor(), m_pImpl->m_bRasterOps);
    if (!plan.m_bDraw) return;
    const SAfterQtPaint afterQt;
    QPainter* painter = m_pImpl->m_pPainter;
    painter->setCompositionMode(plan.m_eMode);
    painter->setPen(MakeQPen(pattern, plan.m_color));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(OutlineRect(r, pattern));
}

void CQtDC::DoEllipse(const CRect& rect)
{
    const CRect r = Normalized(rect);
    if (r.IsRectEmpty() || !ApplyClip()) return;
    SImpl& d = *m_pImpl;
    const SPenPattern pattern = PenPattern(State().m_pen);
    // On raster devices an aliased one-pixel ellipse through whole
    // coordinates covers the pixels from left to right - 1.
    const bool pixelPen = d.m_bRaster && pattern.IsOnePixel();
    const QRectF outline = pixelPen ? QRectF(r.left, r.top, r.Width() - 1, r.Height() - 1) : OutlineRect(r, pattern);
    QPainterPath path;
    path.addEllipse(outline);
    FillShape(path);
    if (pattern.m_bNull) return;
    const SRopPlan plan = PlanRop(State().m_iROP2, State().m_pen.GetColor(), d.m_bRasterOps);
    if (!plan.m_bDraw) return;
    QPen pen = MakeQPen(pattern, plan.m_color);
    if (pixelPen) pen.setWidth(0);
    const SAfterQtPaint afterQt;
    d.m_pPainter->setCompositionMode(plan.m_eMode);
    d.m_pPainter->setPen(pen);
    d.m_pPainter->setBrush(Qt::NoBrush);
    d.m_pPainter->drawEllipse(outline);
}

void CQtDC::DoFillRect(const CRect& rect, COLORREF color)
{
    if (!ApplyClip()) return;
    const SAfterQtPaint afterQt;
    m_pImpl->m_pPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_pImpl->m_pPainter->fillRect(ToQRect(Normalized(rect)), ToQColor(color));
}

void CQtDC::DoSetPixel(CPoint p, COLORREF color)
{
    DoFillRect(CRect(p.x, p.y, p.x + 1, p.y + 1), color);
}

void CQtDC::DoTextOut(CPoint reference, const CString& text)
{
    if (!ApplyClip()) return;
    SImpl& d = *m_pImpl;
    d.Resolve(State().m_font.GetLogFont());
    const CPoint origin = GetTextOrigin(reference, text);
    const CSize extent = DoGetTextExtent(text);
    const SAfterQtPaint afterQt;
    QPainter* painter = d.m_pPainter;
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->translate(reference.x, reference.y);
    // Escapement is in tenths of a degree, counter-clockwise on the screen.
    if (const int escapement = State().m_font.GetEscapement(); escapement != 0) painter->rotate(-escapement / 10.0);
    const QPoint topLeft(origin.x - reference.x, origin.y - reference.y);
    if (State().m_iBkMode == OPAQUE) painter->fillRect(QRect(topLeft, QSize(extent.cx, extent.cy)), ToQColor(State().m_crBk));
    painter->setFont(d.m_font);
    painter->setPen(ToQColor(State().m_crText));
    painter->drawText(QPoint(topLeft.x(), topLeft.y() + d.m_metrics->ascent()), ToQString(text));
    painter->restore();
}

CSize CQtDC::DoGetTextExtent(const CString& text) const
{
    SImpl& d = *m_pImpl;
    if (!d.m_pDevice) return CSize();
    d.Resolve(State().m_font.GetLogFont());
    return CSize(d.MeasureWidth(text), d.m_metrics->height());
}

TEXTMETRIC CQtDC::DoGetTextMetrics() const
{
    SImpl& d = *m_pImpl;
    TEXTMETRIC tm;
    if (!d.m_pDevice) return tm;
    d.Resolve(State().m_font.GetLogFont());
    const QFontMetrics& fm = *d.m_metrics;
    tm.tmHeight = fm.height();
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmInternalLeading = std::max(0, fm.height() - d.m_font.pixelSize());
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
    tm.tmWeight = State().m_font.GetWeight();
    tm.tmItalic = State().m_font.IsItalic() ? 1 : 0;
    return tm;
}

CString CQtDC::GetTextFace() const
{
    SImpl& d = *m_pImpl;
    if (!d.m_pDevice) return CString();
    d.Resolve(State().m_font.GetLogFont());
    return FromQString(QFontInfo(d.m_font).family());
}
