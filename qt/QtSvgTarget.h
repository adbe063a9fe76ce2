#pragma once
// CQtSvgTarget: drawing into an SVG file of a given pixel size at 96 dpi,
// its view box the whole drawing. As an export the surface reports itself as
// a metafile (print colours and styles, no on-screen furniture); as a
// picture of the screen it draws what a window shows. The file is complete
// once the target is finished.

#include "qt/QtTarget.h"

#include "platform/String.h"

class CQtSvgTarget : public CQtTarget {
public:
    enum class ERole { Metafile, ScreenPicture };

    // An empty path, a size of 0 or an unwritable file make an invalid target.
    CQtSvgTarget(const CString& path, int width, int height, const CString& title = CString(),
                 ERole role = ERole::Metafile);

    static constexpr int kResolution = 96;
};
