#include "trace/output/GraphPrint.h"

#include "host/app/PrintDetails.h"
#include "platform/DC.h"
#include "trace/display/Scale.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/GraphExport.h"

#include <cmath>

CRect CalcPrintPictureRect(CSize page, int dpiX, int dpiY)
{
    const int iMarginX = MillimetresToDots(kPrintMarginMM, dpiX);
    const int iMarginY = MillimetresToDots(kPrintMarginMM, dpiY);
    const int iBand = MillimetresToDots(kPrintBandMM, dpiY);
    return CRect(iMarginX, iMarginY + iBand, page.cx - iMarginX, page.cy - iMarginY - iBand);
}

CPrintScope::CPrintScope(CGraphDoc& doc) : m_doc(doc)
{
    m_doc.SetPrinting(1);
    CScale::ReleasePrintFont();
}

CPrintScope::~CPrintScope()
{
    m_doc.SetPrinting(0);
    CScale::ReleasePrintFont();
}

bool PrintGraphPage(CGraphDoc& doc, ChannelNumber eChannel, CDC& page, int iPage)
{
    const CRect rcPicture = CalcPrintPictureRect(CSize(page.GetDeviceCaps(HORZRES), page.GetDeviceCaps(VERTRES)),
                                                 page.GetDeviceCaps(LOGPIXELSX), page.GetDeviceCaps(LOGPIXELSY));
    if (rcPicture.Width() < 200 || rcPicture.Height() < 100) return false;
    CPrintScope scope(doc);
    CPrintDetails details;
    details.Initialise(&page, nullptr);
    CString sHeader(L"tracewin graph");
    if (!doc.GetGraphTitle().IsEmpty()) sHeader += L": " + doc.GetGraphTitle();
    details.SetHeaderText(sHeader);
    details.PrintPageHeader(&page, iPage);
    DrawGraphPicture(doc, eChannel, page, rcPicture);
    details.PrintPageFooter(&page, iPage);
    return true;
}
