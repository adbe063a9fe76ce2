#include "trace/core/DrawContext.h"

namespace {

constexpr COLORREF kPaper = 0xFFFFFF;

// An export wins over printing; a paper device prints whatever the document says.
EDrawTarget TargetOf(const SDrawRequest& r)
{
    if (r.bExporting) return DRAW_EXPORT;
    if (r.bExportPreview) return DRAW_EXPORT_PREVIEW;
    if (r.bPrinting || r.bDevicePrinting) return DRAW_PRINTER;
    if (r.bPrintPreview) return DRAW_PRINT_PREVIEW;
    return DRAW_SCREEN;
}

} // namespace

SDrawContext MakeDrawContext(const SDrawRequest& r)
{
    SDrawContext ctx;
    ctx.eTarget = TargetOf(r);
    ctx.bDevicePrinting = r.bDevicePrinting;
    ctx.bDeviceMetafile = r.bDeviceMetafile;
    ctx.bOutput = !ctx.IsScreen() || r.bDeviceMetafile;
    ctx.bMonochrome = r.bBlackAndWhite && ctx.bOutput;
    ctx.bScalesMonochrome = (r.bBlackAndWhite || r.bScalesBlackAndWhite) && ctx.bOutput;
    ctx.crBackground = ctx.bOutput ? kPaper : r.crScreenBackground;
    ctx.eFontSet = !ctx.bOutput ? FONTSET_SCREEN : (ctx.IsExport() ? FONTSET_EXPORT : FONTSET_PRINT);
    ctx.iFontPoints = ctx.IsExport() ? r.iExportFontPoints : r.iPrintFontPoints;
    ctx.bBoldCurrentTrace = r.bBoldCurrentTrace;
    return ctx;
}
