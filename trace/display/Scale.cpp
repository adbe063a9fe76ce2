#include "trace/display/Scale.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "platform/DC.h"
#include "resources/StringIds.h"
#include "trace/document/GraphDoc.h"

#include <optional>

IMPLEMENT_DYNAMIC(CScale, CObject)

namespace {

constexpr int kScreenFontHeight = 16;
constexpr int kPointsPerInch = 72;

// One font per drawing situation, created on first use and kept until a
// print or export starts, so a changed font size takes effect then. Scales
// paint on the user-interface thread only.
struct SScaleFont {
    std::optional<CFont> font;
    int iHeight = 0;
};
SScaleFont s_aFonts[FONTSET_COUNT];

// Height in logical units: fixed on screen, from the document's point size
// for print and export (negative: a character height).
int GetFontLogicalHeight(CDC* pDC, const SDrawContext& ctx)
{
    if (ctx.eFontSet == FONTSET_SCREEN) return kScreenFontHeight;
    const long long llPixels = static_cast<long long>(ctx.iFontPoints) * pDC->GetDeviceCaps(LOGPIXELSY) / kPointsPerInch;
    return -static_cast<int>(llPixels);
}

bool CreateScaleFont(CDC* pDC, const SDrawContext& ctx, SScaleFont& entry)
{
    CFont font;
    if (!font.CreateFont(GetFontLogicalHeight(pDC, ctx), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                         OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                         L"Lucida Sans Unicode")) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return false;
    }
    // The line height is measured with the font selected, then the DC is left as it was.
    const CFont previous = pDC->SelectObject(font);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    pDC->SelectObject(previous);

    entry.font = font;
    entry.iHeight = static_cast<int>(tm.tmHeight + tm.tmExternalLeading);
    return true;
}

void ReleaseFont(EDrawFontSet eSet)
{
    s_aFonts[eSet].font.reset();
    s_aFonts[eSet].iHeight = 0;
}

} // namespace

COLORREF CScale::GetBkColor(CDC* pDC)
{
    return CGraphDoc::DrawContextOf(GetGraphDoc(), pDC).crBackground;
}

void CScale::PrepareDC(CDC* pDC)
{
    if (!QXVERIFY(pDC != nullptr)) return;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetROP2(R2_COPYPEN);
    pDC->SetBkColor(GetBkColor(pDC));
    pDC->SetTextColor(GetColor(pDC));
}

const CFont* CScale::GetFont(CDC* pDC, int* piHeight)
{
    if (piHeight) *piHeight = 0;
    if (!QXVERIFY(pDC != nullptr)) return nullptr;
    const SDrawContext ctx = CGraphDoc::DrawContextOf(GetGraphDoc(), pDC);
    SScaleFont& entry = s_aFonts[ctx.eFontSet];
    if (!entry.font && !CreateScaleFont(pDC, ctx, entry)) return nullptr;
    QXASSERT(entry.iHeight != 0);
    if (piHeight) *piHeight = entry.iHeight;
    return &*entry.font;
}

int CScale::GetFontHeight(CDC* pDC)
{
    int iHeight = 0;
    GetFont(pDC, &iHeight);
    return iHeight;
}

void CScale::ReleaseAllFonts()
{
    for (int i = 0; i < FONTSET_COUNT; ++i) ReleaseFont(static_cast<EDrawFontSet>(i));
}

void CScale::ReleaseExportFont() { ReleaseFont(FONTSET_EXPORT); }

void CScale::ReleasePrintFont() { ReleaseFont(FONTSET_PRINT); }
