#include "qt/QtPngWriter.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>

#include <array>
#include <cstdint>
#include <vector>

namespace {

// CRC-32 of the PNG chunks (polynomial 0xEDB88320, reflected).
constexpr std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> a{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        a[n] = c;
    }
    return a;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t Crc32(const char* p, qsizetype n, std::uint32_t crc = 0)
{
    crc = ~crc;
    for (qsizetype i = 0; i < n; ++i) crc = kCrcTable[(crc ^ static_cast<std::uint8_t>(p[i])) & 0xff] ^ (crc >> 8);
    return ~crc;
}

void AppendU32(QByteArray& a, std::uint32_t v)
{
    const char b[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    a.append(b, 4);
}

void AppendChunk(QByteArray& file, const char* szType, const QByteArray& data)
{
    AppendU32(file, static_cast<std::uint32_t>(data.size()));
    const qsizetype start = file.size();
    file.append(szType, 4);
    file.append(data);
    AppendU32(file, Crc32(file.constData() + start, file.size() - start));
}

// The rows as PNG stores them: the filter byte (2, Up), then R G B per
// pixel, each byte less the one of the pixel above (black above the first row).
QByteArray UpFilteredRows(const QImage& image)
{
    constexpr std::uint8_t kFilterUp = 2;
    const int w = image.width(), h = image.height();
    const qsizetype stride = 1 + 3 * static_cast<qsizetype>(w);
    QByteArray rows(stride * h, Qt::Uninitialized);
    const std::vector<QRgb> aBlack(static_cast<size_t>(w), 0);
    for (int y = 0; y < h; ++y) {
        const QRgb* pIn = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const QRgb* pAbove = y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : aBlack.data();
        auto* pOut = reinterpret_cast<std::uint8_t*>(rows.data()) + y * stride;
        *pOut++ = kFilterUp;
        for (int x = 0; x < w; ++x) {
            pOut[3 * x] = static_cast<std::uint8_t>(qRed(pIn[x]) - qRed(pAbove[x]));
            pOut[3 * x + 1] = static_cast<std::uint8_t>(qGreen(pIn[x]) - qGreen(pAbove[x]));
            pOut[3 * x + 2] = static_cast<std::uint8_t>(qBlue(pIn[x]) - qBlue(pAbove[x]));
        }
    }
    return rows;
}

} // namespace

QByteArray EncodeOpaquePng(const QImage& image, int iLevel)
{
    if (image.isNull()) return QByteArray();
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    AppendU32(header, static_cast<std::uint32_t>(rgb.width()));
    AppendU32(header, static_cast<std::uint32_t>(rgb.height()));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, adaptive filtering, no interlace
    AppendChunk(file, "IHDR", header);
    if (rgb.dotsPerMeterX() > 0 && rgb.dotsPerMeterY() > 0) {
        QByteArray phys;
        AppendU32(phys, static_cast<std::uint32_t>(rgb.dotsPerMeterX()));
        AppendU32(phys, static_cast<std::uint32_t>(rgb.dotsPerMeterY()));
        phys.append('\x01'); // per metre
        AppendChunk(file, "pHYs", phys);
    }
    // qCompress puts the length in front of a zlib stream; IDAT is the stream.
    const QByteArray compressed = qCompress(UpFilteredRows(rgb), iLevel);
    if (compressed.size() <= 4) return QByteArray(); // out of memory
    AppendChunk(file, "IDAT", compressed.mid(4));
    AppendChunk(file, "IEND", QByteArray());
    return file;
}

bool WriteCompactPng(const QImage& image, QIODevice* device)
{
    if (image.isNull() || image.hasAlphaChannel()) return QImageWriter(device, "png").write(image);
    const QByteArray file = EncodeOpaquePng(image);
    return device && !file.isEmpty() && device->write(file) == file.size();
}

bool WriteCompactPng(const QImage& image, const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && WriteCompactPng(image, &file) && file.flush();
}
