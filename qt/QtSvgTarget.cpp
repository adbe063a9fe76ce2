#include "qt/QtSvgTarget.h"

#include "qt/QtConvert.h"
#include "qt/QtImageTarget.h"

#include <QSvgGenerator>

CQtSvgTarget::CQtSvgTarget(const CString& path, int width, int height, const CString& title, ERole role)
{
    if (path.IsEmpty() || width <= 0 || height <= 0 || width > CQtImageTarget::kMaxSide || height > CQtImageTarget::kMaxSide)
        return;
    auto generator = std::make_unique<QSvgGenerator>();
    generator->setFileName(ToQString(path));
    generator->setSize(QSize(width, height));
    generator->setViewBox(QRect(0, 0, width, height));
    generator->setResolution(kResolution);
    if (!title.IsEmpty()) generator->setTitle(ToQString(title));
    Begin(std::move(generator), false, role == ERole::Metafile);
}
