#pragma once
// What a paint is for, decided once from the document's flags and the
// device: the target, colour or black and white, the background, the scale
// font and whether the current trace is drawn bold. Scales, graticule,
// traces and interceptors read it instead of asking the document and the
// device again, so they cannot disagree.

#include "platform/Color.h"

enum EDrawTarget : int {
    DRAW_SCREEN = 0,
    DRAW_PRINTER,
    DRAW_PRINT_PREVIEW,
    DRAW_EXPORT,
    DRAW_EXPORT_PREVIEW,
};

// The scale font in use: each has its own cached font.
enum EDrawFontSet : int { FONTSET_SCREEN = 0, FONTSET_PRINT = 1, FONTSET_EXPORT = 2, FONTSET_COUNT = 3 };

// The inputs, as the document and the device state them.
struct SDrawRequest {
    bool bExporting = false;
    bool bExportPreview = false;
    bool bPrinting = false;
    bool bPrintPreview = false;
    bool bDevicePrinting = false;
    bool bDeviceMetafile = false;
    bool bBlackAndWhite = false;
    bool bScalesBlackAndWhite = false;
    bool bBoldCurrentTrace = false;
    COLORREF crScreenBackground = 0x000000;
    int iPrintFontPoints = 10;
    int iExportFontPoints = 10;
};

struct SDrawContext {
    EDrawTarget eTarget = DRAW_SCREEN;
    bool bDevicePrinting = false; // the device itself is paper
    bool bDeviceMetafile = false; // the device records (a vector picture)
    // Anything but a plain screen: paper, a preview, an export or a metafile.
    // Traces then take their print colours, styles and numbered marks.
    bool bOutput = false;
    bool bMonochrome = false;       // traces, scales and the logo in black
    bool bScalesMonochrome = false; // scales and graticule in black
    COLORREF crBackground = 0x000000;
    EDrawFontSet eFontSet = FONTSET_SCREEN;
    int iFontPoints = 10; // the print or export scale font's size; unused on screen
    bool bBoldCurrentTrace = false;

    bool IsExport() const { return eTarget == DRAW_EXPORT || eTarget == DRAW_EXPORT_PREVIEW; }
    bool IsPrint() const { return eTarget == DRAW_PRINTER || eTarget == DRAW_PRINT_PREVIEW; }
    bool IsScreen() const { return eTarget == DRAW_SCREEN; }
    // The device itself is paper or a picture (whatever the document says):
    // trace print colours and styles, numbered marks, no position bars.
    bool OnOutputDevice() const { return bDevicePrinting || bDeviceMetafile; }
};

SDrawContext MakeDrawContext(const SDrawRequest& request);
