#include "qt/QtPdfTarget.h"

#include "qt/QtConvert.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

namespace {

// Beyond this a page size is corrupt input (PDF pages end near 5 m).
constexpr double kMaxPageMM = 5000.0;
constexpr int kMaxResolution = 9600;

} // namespace

CQtPdfTarget::CQtPdfTarget(const CString& path, double widthMM, double heightMM, int resolution, const CString& title)
{
    const bool defaultPage = widthMM == 0.0 && heightMM == 0.0;
    const bool sizeOk = defaultPage || (widthMM > 0.0 && heightMM > 0.0 && widthMM <= kMaxPageMM && heightMM <= kMaxPageMM);
    if (path.IsEmpty() || !sizeOk || resolution <= 0 || resolution > kMaxResolution) return;
    auto writer = std::make_unique<QPdfWriter>(ToQString(path));
    writer->setResolution(resolution);
    // Page sizes are portrait; a wide drawing lies on its side.
    const bool wide = defaultPage || widthMM > heightMM;
    const QPageSize page = defaultPage ? QPageSize(QPageSize::A4)
                                       : QPageSize(QSizeF(std::min(widthMM, heightMM), std::max(widthMM, heightMM)), QPageSize::Millimeter);
    const QPageLayout::Orientation orientation = wide ? QPageLayout::Landscape : QPageLayout::Portrait;
    writer->setPageLayout(QPageLayout(page, orientation, QMarginsF(0, 0, 0, 0)));
    if (!title.IsEmpty()) writer->setTitle(ToQString(title));
    Begin(std::move(writer), true, false);
}

bool CQtPdfTarget::NewPage()
{
    if (!GetDC()) return false;
    return static_cast<QPdfWriter*>(GetDevice())->newPage();
}
