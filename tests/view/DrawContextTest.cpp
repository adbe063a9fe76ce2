// What a paint is for, from the document's flags and the device: one table
// of situations, each answer worked out from the rules the painting relies on.

#include "trace/core/DrawContext.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

enum EFlag : unsigned {
    EXPORTING = 1,
    EXPORT_PREVIEW = 2,
    PRINTING = 4,
    PRINT_PREVIEW = 8,
    DEVICE_PRINTS = 16,
    DEVICE_RECORDS = 32,
    BLACK_AND_WHITE = 64,
    SCALES_BLACK_AND_WHITE = 128,
};

TEST(DrawContext, TargetColourBackgroundAndFontFollowFromFlagsAndDevice)
{
    struct SCase {
        const char* szName;
        unsigned uFlags;
        EDrawTarget eTarget;
        bool bOutput, bMono, bScalesMono;
        COLORREF crBackground;
        EDrawFontSet eFontSet;
        int iFontPoints;
    };
    // Screen background 0x202020, print font 12 points, export font 16.
    const SCase aCases[] = {
        {"screen", 0, DRAW_SCREEN, false, false, false, 0x202020, FONTSET_SCREEN, 12},
        {"black and white is for output only", BLACK_AND_WHITE | SCALES_BLACK_AND_WHITE, DRAW_SCREEN, false, false,
         false, 0x202020, FONTSET_SCREEN, 12},
        {"a recording device is output", DEVICE_RECORDS | BLACK_AND_WHITE, DRAW_SCREEN, true, true, true, 0xFFFFFF,
         FONTSET_PRINT, 12},
        {"printing", PRINTING, DRAW_PRINTER, true, false, false, 0xFFFFFF, FONTSET_PRINT, 12},
        {"a paper device prints", DEVICE_PRINTS | SCALES_BLACK_AND_WHITE, DRAW_PRINTER, true, false, true, 0xFFFFFF,
         FONTSET_PRINT, 12},
        {"print preview", PRINT_PREVIEW, DRAW_PRINT_PREVIEW, true, false, false, 0xFFFFFF, FONTSET_PRINT, 12},
        {"an export wins over printing", EXPORTING | PRINTING | DEVICE_PRINTS, DRAW_EXPORT, true, false, false,
         0xFFFFFF, FONTSET_EXPORT, 16},
        {"export preview", EXPORT_PREVIEW | PRINT_PREVIEW | BLACK_AND_WHITE, DRAW_EXPORT_PREVIEW, true, true, true,
         0xFFFFFF, FONTSET_EXPORT, 16},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.szName);
        SDrawRequest request;
        request.bExporting = c.uFlags & EXPORTING;
        request.bExportPreview = c.uFlags & EXPORT_PREVIEW;
        request.bPrinting = c.uFlags & PRINTING;
        request.bPrintPreview = c.uFlags & PRINT_PREVIEW;
        request.bDevicePrinting = c.uFlags & DEVICE_PRINTS;
        request.bDeviceMetafile = c.uFlags & DEVICE_RECORDS;
        request.bBlackAndWhite = c.uFlags & BLACK_AND_WHITE;
        request.bScalesBlackAndWhite = c.uFlags & SCALES_BLACK_AND_WHITE;
        request.crScreenBackground = 0x202020;
        request.iPrintFontPoints = 12;
        request.iExportFontPoints = 16;
        const SDrawContext ctx = MakeDrawContext(request);
        EXPECT_EQ(std::make_tuple(ctx.eTarget, ctx.bOutput), std::make_tuple(c.eTarget, c.bOutput));
        EXPECT_EQ(std::make_tuple(ctx.bMonochrome, ctx.bScalesMonochrome), std::make_tuple(c.bMono, c.bScalesMono));
        EXPECT_EQ(std::make_tuple(ctx.crBackground, ctx.eFontSet), std::make_tuple(c.crBackground, c.eFontSet));
        if (ctx.eFontSet != FONTSET_SCREEN) {
            EXPECT_EQ(ctx.iFontPoints, c.iFontPoints);
        }
        EXPECT_EQ(ctx.OnOutputDevice(), (c.uFlags & (DEVICE_PRINTS | DEVICE_RECORDS)) != 0);
    }
}

} // namespace
