#include "qt/QtImageTarget.h"

#include "qt/QtConvert.h"
#include "qt/QtImageFormats.h"
#include "qt/QtPngWriter.h"

#include <QImage>
#include <QImageWriter>

CQtImageTarget::CQtImageTarget(int width, int height, bool alpha, COLORREF background, bool bExport)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return;
    auto image = std::make_unique<QImage>(width, height, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image->isNull()) return; // out of memory
    if (alpha) image->fill(Qt::transparent);
    else image->fill(ToQColor(background));
    Begin(std::move(image), false, bExport);
}

const QImage& CQtImageTarget::GetImage()
{
    static const QImage kNullImage;
    Finish();
    const QImage* image = static_cast<const QImage*>(GetDevice());
    return image ? *image : kNullImage;
}

bool CQtImageTarget::Save(const CString& path, int quality)
{
    return SaveAs(path, QtImageFormatForFile(path), quality);
}

bool CQtImageTarget::SaveAs(const CString& path, const CString& format, int quality)
{
    const QImage& image = GetImage();
    if (format.IsEmpty() || image.isNull()) return false;
    if (format.CompareNoCase(L"png") == 0) return WriteCompactPng(image, ToQString(path));
    QImageWriter writer(ToQString(path), ToQString(format).toLatin1());
    if (quality >= 0) writer.setQuality(std::min(quality, 100));
    return writer.write(image);
}
