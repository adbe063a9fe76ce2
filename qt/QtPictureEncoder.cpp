#include "qt/QtPictureEncoder.h"

#include "qt/QtConvert.h"
#include "qt/QtImageTarget.h"
#include "qt/QtPdfTarget.h"
#include "qt/QtPngWriter.h"
#include "qt/QtSvgTarget.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QScreen>

#include <algorithm>

namespace {

struct SKnownEncoder {
    const char* szFormat; // the image writer's name
    const wchar_t* szMime;
    const wchar_t* szName;
    const wchar_t* szExtensions;
};

// The usual raster formats first, in the order picture encoders list them.
constexpr SKnownEncoder kKnown[] = {
    {"bmp", L"image/bmp", L"BMP", L"*.bmp;*.dib;*.rle"},
    {"jpeg", L"image/jpeg", L"JPEG", L"*.jpg;*.jpeg;*.jpe;*.jfif"},
    {"gif", L"image/gif", L"GIF", L"*.gif"},
    {"tiff", L"image/tiff", L"TIFF", L"*.tif;*.tiff"},
    {"png", L"image/png", L"PNG", L"*.png"},
};
// Names that only repeat a known format.
constexpr const char* kAliases[] = {"jpg", "tif"};

constexpr const wchar_t* kSvgMime = L"image/svg+xml";
constexpr const wchar_t* kPdfMime = L"application/pdf";

QList<QByteArray> WriterFormats()
{
    QList<QByteArray> a;
    for (const QByteArray& f : QImageWriter::supportedImageFormats()) a.push_back(f.toLower());
    return a;
}

// The image writer's name for a format, from its MIME type.
CString WriterFormatOf(const SExportFormat& format)
{
    for (const SKnownEncoder& k : kKnown)
        if (format.sMimeType == k.szMime) return CString(k.szFormat);
    const CString sPrefix(L"image/");
    return format.sMimeType.Left(sPrefix.GetLength()) == sPrefix
               ? format.sMimeType.Mid(sPrefix.GetLength(), format.sMimeType.GetLength() - sPrefix.GetLength())
               : CString();
}

} // namespace

CQtPictureEncoder::CQtPictureEncoder() : m_pPrevious(GetPictureEncoder())
{
    QSize screen(1024, 768);
    if (const QScreen* pScreen = QGuiApplication::primaryScreen(); pScreen && !pScreen->geometry().isEmpty())
        screen = pScreen->geometry().size();
    m_pReference = std::make_unique<CQtImageTarget>(screen.width(), screen.height());
    InstallPictureEncoder(this);
}

CQtPictureEncoder::~CQtPictureEncoder()
{
    if (GetPictureEncoder() == this) InstallPictureEncoder(m_pPrevious);
}

std::vector<SPictureEncoder> CQtPictureEncoder::GetEncoders() const
{
    const QList<QByteArray> aWriters = WriterFormats();
    std::vector<SPictureEncoder> a;
    for (const SKnownEncoder& k : kKnown)
        if (aWriters.contains(k.szFormat))
            a.push_back({CString(k.szMime), CString(k.szName), CString(k.szExtensions), EExportKind::Raster});
    for (const QByteArray& f : aWriters) {
        const bool bKnown = std::any_of(std::begin(kKnown), std::end(kKnown), [&](const SKnownEncoder& k) { return f == k.szFormat; }) ||
                            std::any_of(std::begin(kAliases), std::end(kAliases), [&](const char* s) { return f == s; });
        if (bKnown) continue;
        const CString sFormat(f.toStdString());
        a.push_back({L"image/" + sFormat, CString(f.toUpper().toStdString()), L"*." + sFormat, EExportKind::Raster});
    }
    a.push_back({CString(kSvgMime), CString(L"SVG"), CString(L"*.svg"), EExportKind::Vector});
    a.push_back({CString(kPdfMime), CString(L"PDF"), CString(L"*.pdf"), EExportKind::Vector});
    return a;
}

bool CQtPictureEncoder::Encode(const SExportFormat& format, const CString& sPath, CSize pixels,
                               const std::function<bool(CDC&)>& paint)
{
    if (format.sMimeType == kSvgMime) {
        CQtSvgTarget target(sPath, pixels.cx, pixels.cy, CString(L"tracewin graph"), CQtSvgTarget::ERole::Metafile);
        return target.GetDC() && paint(*target.GetDC()) && target.Finish();
    }
    if (format.sMimeType == kPdfMime) {
        // One pixel per dot at 96 dpi: the page is the picture's size.
        const double dMM = 25.4 / CQtSvgTarget::kResolution;
        CQtPdfTarget target(sPath, pixels.cx * dMM, pixels.cy * dMM, CQtSvgTarget::kResolution, CString(L"tracewin graph"));
        return target.GetDC() && paint(*target.GetDC()) && target.Finish();
    }
    CQtImageTarget target(pixels.cx, pixels.cy, false, RGB(255, 255, 255), true);
    return target.GetDC() && paint(*target.GetDC()) && target.SaveAs(sPath, WriterFormatOf(format));
}

std::vector<unsigned char> CQtPictureEncoder::EncodePng(CSize pixels, const std::function<bool(CDC&)>& paint)
{
    CQtImageTarget target(pixels.cx, pixels.cy, false, RGB(255, 255, 255), true);
    if (!target.GetDC() || !paint(*target.GetDC())) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!WriteCompactPng(target.GetImage(), &buffer)) return {};
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

CDC* CQtPictureEncoder::GetReferenceDC()
{
    return m_pReference ? m_pReference->GetDC() : nullptr;
}
