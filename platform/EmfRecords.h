#pragma once
// The enhanced-metafile records the metafile surface writes, and a writer
// that lays them out: little-endian fields, each record's size patched in
// when it ends, every record a multiple of four bytes long.

#include "platform/Geometry.h"
#include "platform/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace emf {

enum ERecordType : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETBKMODE = 18,
    EMR_SETROP2 = 20,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_SELECTCLIPRGN = 67,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_EXTCREATEPEN = 95,
};

constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
// Stock objects are named by this bit and their index.
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kGraphicsModeCompatible = 1;
constexpr std::uint32_t kRegionCopy = 5;
// The header's fixed part with both extensions, before the description.
constexpr std::uint32_t kHeaderSize = 108;

// Field offsets of the header patched when the picture ends: after the
// record's type and size come the bounds and the frame (rectangles), the
// signature and version, then the byte, record and handle counts.
enum EHeaderField : std::uint32_t {
    HEADER_BOUNDS = 2 * sizeof(std::uint32_t),
    HEADER_FRAME = HEADER_BOUNDS + 4 * sizeof(std::int32_t),
    HEADER_BYTES = HEADER_FRAME + 4 * sizeof(std::int32_t) + 2 * sizeof(std::uint32_t),
    HEADER_RECORDS = HEADER_BYTES + sizeof(std::uint32_t),
    HEADER_HANDLES = HEADER_RECORDS + sizeof(std::uint32_t),
};
static_assert(HEADER_FRAME == 24 && HEADER_HANDLES == 56);

class CRecordWriter {
public:
    // Starts a record; End closes the one begun last.
    void Begin(std::uint32_t type);
    void End();

    CRecordWriter& U16(std::uint16_t v) { return Put(v, 2); }
    CRecordWriter& U32(std::uint32_t v) { return Put(v, 4); }
    CRecordWriter& I32(std::int32_t v) { return Put(static_cast<std::uint32_t>(v), 4); }
    CRecordWriter& I16(std::int16_t v) { return Put(static_cast<std::uint16_t>(v), 2); }
    CRecordWriter& U8(std::uint8_t v);
    CRecordWriter& F32(float f);
    CRecordWriter& Rect(const CRect& r) { return I32(r.left).I32(r.top).I32(r.right).I32(r.bottom); }
    CRecordWriter& Point(CPoint p) { return I32(p.x).I32(p.y); }
    // UTF-16 code units, then zeros up to `units` when that is larger.
    CRecordWriter& Utf16(const std::u16string& s, size_t units = 0);
    CRecordWriter& Raw(const std::vector<std::uint8_t>& a)
    {
        m_a.insert(m_a.end(), a.begin(), a.end());
        return *this;
    }
    // Zeros up to the next multiple of four bytes.
    CRecordWriter& Pad();

    // Bytes written so far, and the offset from the start of the record in progress.
    size_t Size() const { return m_a.size(); }
    std::uint32_t InRecord() const { return static_cast<std::uint32_t>(m_a.size() - m_uRecordStart); }
    std::uint32_t GetRecordCount() const { return m_uRecords; }
    void PatchU32(size_t offset, std::uint32_t v);
    void PatchRect(size_t offset, const CRect& r);
    std::vector<std::uint8_t> Take() { return std::move(m_a); }

private:
    CRecordWriter& Put(std::uint32_t v, int bytes);

    std::vector<std::uint8_t> m_a;
    size_t m_uRecordStart = 0;
    std::uint32_t m_uRecords = 0;
};

} // namespace emf
