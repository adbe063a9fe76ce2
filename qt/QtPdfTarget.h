#pragma once
// CQtPdfTarget: drawing onto the pages of a PDF file, as onto a printer. The
// page is the drawing's size in millimetres (A4 landscape when none is
// given), without margins; the resolution (300 dpi unless asked otherwise) is
// what the surface answers for LOGPIXELSX and LOGPIXELSY.

#include "qt/QtTarget.h"

#include "platform/String.h"

class CQtPdfTarget : public CQtTarget {
public:
    static constexpr int kDefaultResolution = 300;

    // Sizes of 0 choose A4 landscape. An empty path, a negative size or
    // resolution, or an unwritable file make an invalid target.
    CQtPdfTarget(const CString& path, double widthMM = 0.0, double heightMM = 0.0,
                 int resolution = kDefaultResolution, const CString& title = CString());

    // Starts another page of the same size; false on an invalid or finished target.
    bool NewPage();
};
