#pragma once
// Files built byte by byte from the file layout, independent of the
// project's archive code, so a reader is checked against the layout and not
// against its own writer.
//
//   CBytes b;
//   b.I32(0x3A0B0C0D).I32(150).U8('g').Str("name").F64(1.5);
//   WriteBytes(sPath, b.Get());

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Little-endian fields in the order they are added.
class CBytes {
public:
    CBytes& U8(std::uint8_t v) { m_a.push_back(v); return *this; }
    CBytes& U16(std::uint16_t v) { return Put(v, 2); }
    CBytes& I32(std::int64_t v) { return Put(static_cast<std::uint64_t>(v), 4); } // signed or a magic number
    CBytes& I64(std::int64_t v) { return Put(static_cast<std::uint64_t>(v), 8); }
    CBytes& F64(double d)
    {
        std::uint64_t u = 0;
        std::memcpy(&u, &d, 8);
        return Put(u, 8);
    }
    // A short wide string: FF FE FF, a one-byte length, UTF-16LE characters.
    CBytes& Str(const std::string& s)
    {
        U8(0xFF).U8(0xFE).U8(0xFF).U8(static_cast<std::uint8_t>(s.size()));
        for (char c : s) U16(static_cast<std::uint8_t>(c));
        return *this;
    }
    CBytes& Raw(const Bytes& a)
    {
        m_a.insert(m_a.end(), a.begin(), a.end());
        return *this;
    }
    const Bytes& Get() const { return m_a; }

private:
    CBytes& Put(std::uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i) m_a.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes m_a;
};

// Plain text as UTF-16LE code units, no byte-order mark (characters up to U+FFFF).
inline Bytes Utf16LE(const std::wstring& s)
{
    Bytes a;
    for (wchar_t c : s) {
        a.push_back(static_cast<std::uint8_t>(c & 0xFF));
        a.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return a;
}

inline void WriteBytes(const std::string& sPath, const Bytes& a)
{
    std::ofstream(sPath, std::ios::binary).write(reinterpret_cast<const char*>(a.data()), static_cast<std::streamsize>(a.size()));
}

inline Bytes ReadBytes(const std::string& sPath)
{
    std::ifstream in(sPath, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
