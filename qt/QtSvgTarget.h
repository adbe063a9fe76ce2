#pragma once
// CQtSvgTarget: drawing into an SVG file of a given pixel size at 96 dpi,
// its view box the whole drawing. The surface reports itself as a metafile;
// the file is complete once the target is finished.

#include "qt/QtTarget.h"

#include "platform/String.h"

class CQtSvgTarget : public CQtTarget {
public:
    // An empty path, a size of 0 or an unwritable file make an invalid target.
    CQtSvgTarget(const CString& path, int width, int height, const CString& title = CString());

    static constexpr int kResolution = 96;
};
