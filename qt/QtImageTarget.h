#pragma once
// CQtImageTarget: drawing into an image in memory, then saving it in any
// format the installed image writers offer, chosen by the file's extension.

#include "qt/QtTarget.h"

#include "platform/String.h"

class QImage;

class CQtImageTarget : public CQtTarget {
public:
    // Larger sides are refused: such images only come from corrupt sizes.
    static constexpr int kMaxSide = 32767;

    // A 96 dpi image, opaque (filled with `background`) or with an alpha
    // channel (filled transparent). Sizes of 0 or beyond kMaxSide make an
    // invalid target.
    // As an export the surface reports itself a metafile, as the exported
    // metafile does (print colours and styles, no on-screen furniture).
    CQtImageTarget(int width, int height, bool alpha = false, COLORREF background = RGB(255, 255, 255),
                   bool bExport = false);

    // Finishes drawing first; a null image for an invalid target.
    const QImage& GetImage();
    // Finishes drawing, then writes the file in the format its extension
    // names (see QtImageFormatForFile): PNG through WriteCompactPng (QtPngWriter.h), others through Qt's
    // image writers. `quality` 0..100 for lossy formats,
    // -1 for the writer's default. False for an unknown extension, an invalid
    // target or a failed write.
    bool Save(const CString& path, int quality = -1);
    // The same in a named format of the image writers ("png", "jpeg", ...).
    bool SaveAs(const CString& path, const CString& format, int quality = -1);
};
