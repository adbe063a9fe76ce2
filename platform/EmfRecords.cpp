#include "platform/EmfRecords.h"

#include <cstring>

namespace emf {

void CRecordWriter::Begin(std::uint32_t type)
{
    m_uRecordStart = m_a.size();
    U32(type).U32(0);
}

void CRecordWriter::End()
{
    Pad();
    PatchU32(m_uRecordStart + 4, InRecord());
    ++m_uRecords;
}

CRecordWriter& CRecordWriter::Put(std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) m_a.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
}

CRecordWriter& CRecordWriter::U8(std::uint8_t v)
{
    m_a.push_back(v);
    return *this;
}

CRecordWriter& CRecordWriter::F32(float f)
{
    std::uint32_t u = 0;
    std::memcpy(&u, &f, sizeof u);
    return U32(u);
}

CRecordWriter& CRecordWriter::Utf16(const std::u16string& s, size_t units)
{
    for (char16_t c : s) U16(static_cast<std::uint16_t>(c));
    for (size_t i = s.size(); i < units; ++i) U16(0);
    return *this;
}

CRecordWriter& CRecordWriter::Pad()
{
    while (m_a.size() % 4) m_a.push_back(0);
    return *this;
}

void CRecordWriter::PatchU32(size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) m_a[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void CRecordWriter::PatchRect(size_t offset, const CRect& r)
{
    PatchU32(offset, static_cast<std::uint32_t>(r.left));
    PatchU32(offset + 4, static_cast<std::uint32_t>(r.top));
    PatchU32(offset + 8, static_cast<std::uint32_t>(r.right));
    PatchU32(offset + 12, static_cast<std::uint32_t>(r.bottom));
}

} // namespace emf
