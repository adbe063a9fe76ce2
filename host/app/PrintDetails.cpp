#include "host/app/PrintDetails.h"

#include "host/app/AppServices.h"
#include "platform/DC.h"
#include "platform/GdiObjects.h"

#include <cmath>
#include <ctime>

namespace {

constexpr const wchar_t* kBandFace = L"Lucida Sans Unicode";
constexpr int kBandPointTenths = 90;

CString DateToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char sz[32] = "";
    if (const std::tm* p = std::localtime(&now)) local = *p;
    if (local.tm_year > 0) std::strftime(sz, sizeof sz, "%Y-%m-%d %H:%M", &local);
    return CString::FromUtf8(sz);
}

void Notify(EPrintService service, CDC* dc, int page)
{
    if (IAppServices* host = GetAppServices()) host->OnPrintService(service, dc, page);
}

} // namespace

bool CPrintDetails::Initialise(CDC* dc, CPrintInfo*)
{
    m_bInitialised = dc != nullptr;
    if (dc) {
        const int cx = dc->GetDeviceCaps(HORZRES), cy = dc->GetDeviceCaps(VERTRES);
        const int iMarginX = MillimetresToDots(kPrintMarginMM, dc->GetDeviceCaps(LOGPIXELSX));
        const int iMarginY = MillimetresToDots(kPrintMarginMM, dc->GetDeviceCaps(LOGPIXELSY));
        const int iBand = MillimetresToDots(kPrintBandMM, dc->GetDeviceCaps(LOGPIXELSY));
        m_rcHeader = CRect(iMarginX, iMarginY, cx - iMarginX, iMarginY + iBand);
        m_rcFooter = CRect(iMarginX, cy - iMarginY - iBand, cx - iMarginX, cy - iMarginY);
        m_sDate = DateToday();
    }
    Notify(PRINT_INITIALISE, dc, 0);
    return m_bInitialised;
}

void CPrintDetails::PrintPageHeader(CDC* dc, int page)
{
    if (m_bInitialised && dc) PrintBand(dc, m_rcHeader, true, m_sHeader, CString(), m_sDate);
    Notify(PRINT_PAGE_HEADER, dc, page);
}

void CPrintDetails::PrintPageFooter(CDC* dc, int page)
{
    CString sPage;
    sPage.Format(L"Page %d", page);
    if (m_bInitialised && dc) PrintBand(dc, m_rcFooter, false, CString(), sPage, CString());
    Notify(PRINT_PAGE_FOOTER, dc, page);
}

// One line of text in the band, with a hairline rule between it and the
// picture: the text sits on the rule's far side, a third of the band away.
void CPrintDetails::PrintBand(CDC* dc, const CRect& band, bool bRuleBelow, const CString& sLeft,
                              const CString& sCentre, const CString& sRight) const
{
    if (band.Width() <= 0 || band.Height() <= 0) return;
    const int iSaved = dc->SaveDC();
    CFont font;
    font.CreatePointFont(kBandPointTenths, kBandFace, dc);
    dc->SelectObject(font);
    CPen pen;
    pen.CreatePen(PS_SOLID, GetPrinterValue(dc, 1.0, 1), RGB(0, 0, 0));
    dc->SelectObject(pen);
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetBkMode(TRANSPARENT);
    const int yRule = bRuleBelow ? band.bottom - band.Height() / 3 : band.top + band.Height() / 3;
    dc->MoveTo(band.left, yRule);
    dc->LineTo(band.right, yRule);
    const int yText = bRuleBelow ? yRule - GetPrinterValue(dc, 2.0, 1) : yRule + GetPrinterValue(dc, 2.0, 1);
    const UINT uVertical = bRuleBelow ? TA_BOTTOM : TA_TOP;
    const struct {
        const CString& sText;
        UINT uAlign;
        int x;
    } aParts[] = {{sLeft, TA_LEFT, band.left}, {sCentre, TA_CENTER, band.CenterPoint().x}, {sRight, TA_RIGHT, band.right}};
    for (const auto& part : aParts) {
        if (part.sText.IsEmpty()) continue;
        dc->SetTextAlign(part.uAlign | uVertical);
        dc->TextOut(part.x, yText, part.sText);
    }
    dc->RestoreDC(iSaved);
}

int MillimetresToDots(double dMM, int dpi) { return static_cast<int>(std::lround(dMM * dpi / 25.4)); }

int ScaleScreenValue(double value, int logPixels)
{
    if (!std::isfinite(value) || logPixels <= 0) return 0;
    const double scaled = value * logPixels / 96.0;
    if (scaled >= 2147483647.0) return 2147483647;
    if (scaled <= -2147483647.0) return -2147483647;
    return static_cast<int>(std::lround(scaled));
}

int GetPrinterValue(CDC* dc, double value, int axis)
{
    const int logPixels = dc ? dc->GetDeviceCaps(axis == 0 ? LOGPIXELSX : LOGPIXELSY) : 96;
    return ScaleScreenValue(value, logPixels);
}

int GetNumColors(CDC* dc)
{
    return dc ? dc->GetDeviceCaps(NUMCOLORS) : -1;
}

void StartMetafileGroup(CDC* dc, const CRect&)
{
    Notify(PRINT_START_METAFILE_GROUP, dc, 0);
}

void EndMetafileGroup(CDC* dc)
{
    Notify(PRINT_END_METAFILE_GROUP, dc, 0);
}

void PrintBitmap(CDC* dc, int bitmapId, const CRect&)
{
    Notify(PRINT_BITMAP, dc, bitmapId);
}
