#pragma once
// PNG files of graph pictures, written fast. An opaque picture is written
// here: 24-bit rows, each filtered against the row above (what suits lines
// on plain paper: paper and grid become zeros), deflated by Qt (qCompress)
// at zlib's level 3, the fastest before its lazy matching. Qt's image
// writer tries five filters on every row and deflates at level 6, more
// than twice the time for a third smaller file. Pictures with alpha go to
// Qt's writer.

#include <QByteArray>

class QImage;
class QIODevice;
class QString;

// The PNG file of an opaque picture (RGB32 or RGB888 after conversion):
// signature, IHDR, pHYs (the image's resolution), one IDAT, IEND. Empty for
// a null image. `iLevel` is zlib's level (0 to 9, -1 its default of 6).
constexpr int kCompactPngLevel = 3;
QByteArray EncodeOpaquePng(const QImage& image, int iLevel = kCompactPngLevel);

// Writes the picture as a PNG to the device or the file: opaque ones as
// above, others through Qt's writer. False when the write fails.
bool WriteCompactPng(const QImage& image, QIODevice* device);
bool WriteCompactPng(const QImage& image, const QString& path);
