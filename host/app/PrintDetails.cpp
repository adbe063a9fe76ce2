#include "host/app/PrintDetails.h"

#include "host/app/AppServices.h"
#include "platform/DC.h"

#include <cmath>

namespace {

void Notify(EPrintService service, CDC* dc, int page)
{
    if (IAppServices* host = GetAppServices()) host->OnPrintService(service, dc, page);
}

} // namespace

bool CPrintDetails::Initialise(CDC* dc, CPrintInfo*)
{
    m_bInitialised = dc != nullptr;
    Notify(PRINT_INITIALISE, dc, 0);
    return m_bInitialised;
}

void CPrintDetails::PrintPageHeader(CDC* dc, int page)
{
    Notify(PRINT_PAGE_HEADER, dc, page);
}

void CPrintDetails::PrintPageFooter(CDC* dc, int page)
{
    Notify(PRINT_PAGE_FOOTER, dc, page);
}

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
