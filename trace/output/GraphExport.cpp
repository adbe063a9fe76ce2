#include "trace/output/GraphExport.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "host/app/PathResolver.h"
#include "host/app/PrintDetails.h"
#include "platform/EmfDC.h"
#include "platform/RecordingDC.h"
#include "resources/StringTable.h"
#include "trace/display/GraphView.h"
#include "trace/display/Scale.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/ExportFormat.h"
#include "trace/output/PrintLegend.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr const wchar_t* kOutputFace = L"Lucida Sans Unicode";
constexpr int kTitlePointTenths = 140;
constexpr int kCommentPointTenths = 90;
constexpr int kGraphTop = 30;
constexpr int kGraphSide = 10;
constexpr int kGraphBottom = 15;

CFont OutputFont(CDC* pDC, int iPointTenths, int iWeight)
{
    CFont font;
    font.CreatePointFont(iPointTenths, kOutputFace, pDC);
    LOGFONT lf = font.GetLogFont();
    lf.lfWeight = iWeight;
    font.CreateFontIndirect(&lf);
    return font;
}

std::vector<CString> SplitLines(const CString& sText)
{
    std::vector<CString> a;
    int iStart = 0;
    while (iStart <= sText.GetLength()) {
        int iEnd = sText.Find(L'\n', iStart);
        if (iEnd < 0) iEnd = sText.GetLength();
        CString s = sText.Mid(iStart, iEnd - iStart);
        s.Remove(L'\r');
        a.push_back(s);
        iStart = iEnd + 1;
    }
    return a;
}

// Lines of text in a font from the top of the rectangle; the height taken.
int DrawLines(CDC* pDC, const CRect& rect, const std::vector<CString>& aLines, const CFont& font, UINT uAlign,
              bool bMeasureOnly)
{
    const int iSaved = pDC->SaveDC();
    pDC->SelectObject(font);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int iHeight = tm.tmHeight * static_cast<int>(aLines.size());
    if (!bMeasureOnly) {
        const bool bMono = CGraphDoc::DrawContextOf(GetGraphDoc(), pDC).bMonochrome;
        pDC->SetTextColor(bMono ? RGB(0, 0, 0) : RGB(0, 0, 96));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextAlign(uAlign | TA_TOP);
        const int x = uAlign == TA_CENTER ? rect.CenterPoint().x : rect.left;
        int y = rect.top;
        for (const CString& s : aLines) {
            pDC->TextOut(x, y, s);
            y += tm.tmHeight;
        }
    }
    pDC->RestoreDC(iSaved);
    return iHeight;
}

void ShowExportMessage(bool bShow, int iStringId, const CString* psArgument = nullptr)
{
    if (!bShow) return;
    CString sText = LoadResString(iStringId);
    if (psArgument) sText.Format(LoadResString(iStringId).GetString(), psArgument->GetString());
    AfxMessageBox(sText, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

// ---- Layout -------------------------------------------------------------------------------

SExportLayout CalcExportLayout(const SExportLayoutInput& in)
{
    SExportLayout out;
    const CRect& f = in.rcFrame;
    out.rcTitle = CRect(f.left, f.top, f.right, f.top + in.iTitleHeight);
    int iBottom = f.bottom;
    if (in.iCommentHeight > 0) {
        out.rcComment = CRect(f.left + kGraphSide, iBottom - in.iCommentHeight, f.right - kGraphSide, iBottom);
        iBottom -= in.iCommentHeight + in.iGap;
    }
    if (in.iLegendHeight > 0) {
        out.rcLegend = CRect(f.left + kGraphSide, iBottom - in.iLegendHeight, f.right - kGraphSide, iBottom);
        iBottom -= in.iLegendHeight + in.iGap;
    }
    out.rcGraph = CalcPrintGraphRect(CRect(f.left, out.rcTitle.bottom, f.right, iBottom), in.iScaleFontHeight, in.bScales);
    return out;
}

CRect CalcPrintGraphRect(const CRect& rcPage, int iScaleFontHeight, bool bScales)
{
    return CRect(rcPage.left + kGraphSide, rcPage.top + kGraphTop + (bScales ? iScaleFontHeight : 0),
                 rcPage.right - kGraphSide, rcPage.bottom - kGraphBottom);
}

CSize DefaultExportSize(const CDC& reference)
{
    return CSize(reference.GetDeviceCaps(HORZRES) * 8 / 10, reference.GetDeviceCaps(VERTRES) * 8 / 10);
}

// ---- The picture ---------------------------------------------------------------------------

int DrawGraphTitle(CGraphDoc& doc, CDC* pDC, const CRect& rect, bool bMeasureOnly)
{
    if (!pDC || doc.GetGraphTitle().IsEmpty() || !doc.DrawingGraphTitle(doc.GetDrawContext(pDC))) return 0;
    const CFont font = OutputFont(pDC, kTitlePointTenths, FW_BOLD);
    return DrawLines(pDC, rect, {doc.GetGraphTitle()}, font, TA_CENTER, bMeasureOnly) + GetPrinterValue(pDC, 4.0, 1);
}

int PrintComment(CGraphDoc& doc, CDC* pDC, const CRect& rect, bool bMeasureOnly)
{
    if (!pDC || doc.GetGraphComment().IsEmpty() || !doc.DrawingGraphComment(doc.GetDrawContext(pDC))) return 0;
    const CFont font = OutputFont(pDC, kCommentPointTenths, FW_NORMAL);
    return DrawLines(pDC, rect, SplitLines(doc.GetGraphComment()), font, TA_LEFT, bMeasureOnly);
}

void DrawGraphPicture(CGraphDoc& doc, ChannelNumber eChannel, CDC& dc, const CRect& rcFrame)
{
    const SDrawContext ctx = doc.GetDrawContext(&dc);
    CPrintLegend legend(doc, eChannel);
    SExportLayoutInput in;
    in.rcFrame = rcFrame;
    in.iTitleHeight = DrawGraphTitle(doc, &dc, rcFrame, true);
    in.iLegendHeight = doc.DrawingLegend(ctx) ? legend.Print(&dc, rcFrame, true) : 0;
    in.iCommentHeight = PrintComment(doc, &dc, rcFrame, true);
    in.iGap = GetPrinterValue(&dc, 2.0, 0);
    in.bScales = doc.DrawingScales(ctx) != 0;
    in.iScaleFontHeight = CScale::GetFontHeight(&dc);
    const SExportLayout layout = CalcExportLayout(in);

    dc.FillSolidRect(rcFrame, doc.GetExportBackgroundColor());
    {
        CGraphView view;
        view.SetChannel(eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A);
        view.OnSize(layout.rcGraph);
        view.OnDraw(&dc);
        view.PrintVelmarLogo(&dc, view.GetGraticuleRect());
    }
    if (in.iLegendHeight > 0) legend.Print(&dc, layout.rcLegend, false);
    if (in.iCommentHeight > 0) PrintComment(doc, &dc, layout.rcComment, false);
    if (in.iTitleHeight > 0) DrawGraphTitle(doc, &dc, layout.rcTitle, false);
}

CExportScope::CExportScope(CGraphDoc& doc, ChannelNumber eChannel) : m_doc(doc)
{
    m_doc.SetExportChannel(eChannel);
    m_doc.SetExporting(1);
    m_doc.SetInExport(1);
    // The export font follows the device of each export.
    CScale::ReleaseExportFont();
}

CExportScope::~CExportScope()
{
    m_doc.SetInExport(0);
    m_doc.SetExporting(0);
    CScale::ReleaseExportFont();
}

// ---- Export ------------------------------------------------------------------------------------

std::vector<std::uint8_t> MakeGraphMetafile(CGraphDoc& doc, ChannelNumber eChannel, CSize size, CDC& reference)
{
    CEmfDC dc(reference, size);
    DrawGraphPicture(doc, eChannel, dc, CRect(CPoint(0, 0), size));
    return dc.Close();
}

bool ExportGraph(CGraphDoc& doc, ChannelNumber eChannel, const CString* psFileName, const SExportOptions& options,
                 CString* psWritten)
{
    const CExportFormatManager formats = CExportFormatManager::FromInstalled();
    IPictureEncoder* pEncoder = GetPictureEncoder();
    CRecordingDC standIn;
    CDC* pReference = pEncoder && pEncoder->GetReferenceDC() ? pEncoder->GetReferenceDC() : &standIn;
    const CSize size = options.size.cx > 0 && options.size.cy > 0 ? options.size : DefaultExportSize(*pReference);
    const auto Paint = [&](CDC& dc) {
        DrawGraphPicture(doc, eChannel, dc, CRect(CPoint(0, 0), size));
        return true;
    };

    CExportScope scope(doc, eChannel);
    if (!psFileName) {
        const std::vector<std::uint8_t> emf = MakeGraphMetafile(doc, eChannel, size, *pReference);
        const std::vector<unsigned char> png = pEncoder ? pEncoder->EncodePng(size, Paint) : std::vector<unsigned char>();
        if (SetClipboardPicture(emf, png)) return true;
        ShowExportMessage(options.bShowMessages, IDS_EXPORT_CLIPBOARD_FAILED);
        return false;
    }

    CString sPath = *psFileName;
    const CString sExtension = FileExtensionOf(sPath);
    int iFormat = formats.FindFormatForExtension(sExtension);
    if (iFormat < 0) {
        ShowExportMessage(options.bShowMessages, IDS_EXPORT_EXTENSION_INVALID, &sExtension);
        iFormat = 0;
        sPath = WithFileExtension(sPath, DefaultExtensionOf(formats.GetFormat(0)));
    }
    const SExportFormat& format = formats.GetFormat(iFormat);
    const bool bMetafile = format.eKind == EExportKind::Metafile;
    sPath = PrivatePathResolver::getInstance()->getFilePath(
        sPath, bMetafile ? PATH_SUBTYPE_EXPORT_EMF : PATH_SUBTYPE_EXPORT_PICTURE);
    std::error_code error;
    std::filesystem::remove(std::filesystem::path(sPath.ToUtf8()), error);
    const bool bOK = bMetafile ? WriteBinaryFile(sPath, MakeGraphMetafile(doc, eChannel, size, *pReference))
                               : pEncoder && pEncoder->Encode(format, sPath, size, Paint);
    if (!bOK) {
        ShowExportMessage(options.bShowMessages, IDS_EXPORT_FAILED);
        return false;
    }
    if (psWritten) *psWritten = sPath;
    return true;
}
