#include "qt/QtImageFormats.h"

#include <QByteArray>
#include <QImageWriter>
#include <QList>

#include <algorithm>

std::vector<CString> QtSupportedImageFormats()
{
    std::vector<CString> formats;
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        formats.push_back(CString(format.toLower().toStdString()));
    std::sort(formats.begin(), formats.end());
    formats.erase(std::unique(formats.begin(), formats.end()), formats.end());
    return formats;
}

CString QtImageFormatForFile(const CString& path)
{
    const int dot = path.ReverseFind(L'.');
    const int slash = std::max(path.ReverseFind(L'/'), path.ReverseFind(L'\\'));
    if (dot < 0 || dot < slash) return CString();
    CString extension = path.Mid(dot + 1);
    extension.MakeLower();
    const std::vector<CString> formats = QtSupportedImageFormats();
    return std::binary_search(formats.begin(), formats.end(), extension) ? extension : CString();
}
