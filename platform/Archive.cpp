#include "platform/Archive.h"

#include "platform/InputFile.h"

#include <bit>
#include <cstring>
#include <string>

namespace {

// Framework string markers: the first byte of every long form, and the
// WORD that tells a wide string from a narrow one.
constexpr std::uint64_t kByteEscape = 0xFF;
constexpr std::uint64_t kWordEscape = 0xFFFF;
constexpr std::uint64_t kDwordEscape = 0xFFFFFFFF;
constexpr std::uint64_t kUnicodeMarker = 0xFFFE;

const char* DefaultMessage(int cause)
{
    switch (cause) {
    case CArchiveException::readOnly: return "write to an archive opened for loading";
    case CArchiveException::endOfFile: return "unexpected end of archive";
    case CArchiveException::writeOnly: return "read from an archive opened for storing";
    case CArchiveException::badIndex: return "bad index in archive";
    case CArchiveException::badClass: return "bad class in archive";
    case CArchiveException::badSchema: return "bad schema in archive";
    default: return "archive error";
    }
}

} // namespace

CArchiveException::CArchiveException(int cause, std::string message)
    : m_cause(cause), m_sMessage(message.empty() ? DefaultMessage(cause) : std::move(message))
{
}

CArchive::CArchive(Mode mode, std::vector<std::uint8_t> bytes)
    : m_eMode(mode), m_aBytes(mode == load ? std::move(bytes) : std::vector<std::uint8_t>())
{
}

CArchive::CArchive(std::FILE* file, Mode mode) : m_eMode(mode), m_pFile(file) {}

CArchive::CArchive(std::FILE* file, std::uint64_t size)
    : m_eMode(load), m_pFile(file), m_bFileLoad(true), m_iFileSize(size)
{
}

CArchive::~CArchive()
{
    Close();
}

std::unique_ptr<CArchive> CArchive::OpenFile(const CString& path, Mode mode, EInputFileProblem* pProblem)
{
    if (pProblem) *pProblem = EInputFileProblem::none;
    if (mode == load) {
        // Only a regular file has a length to check records against: a
        // device or a pipe could feed a reader without end.
        SInputFile input = OpenInputFile(path);
        if (pProblem) *pProblem = input.eProblem;
        if (!input.pFile) return nullptr;
        return std::unique_ptr<CArchive>(new CArchive(input.pFile, input.uSize));
    }
    std::FILE* file = std::fopen(path.ToUtf8().c_str(), "wb");
    if (!file) return nullptr;
    return std::unique_ptr<CArchive>(new CArchive(file, store));
}

void CArchive::Write(const void* data, std::size_t count)
{
    if (!IsStoring()) throw CArchiveException(CArchiveException::readOnly);
    if (m_bClosed) throw CArchiveException(CArchiveException::genericException, "write to a closed archive");
    if (count == 0) return;
    if (m_pFile) {
        if (std::fwrite(data, 1, count, m_pFile) != count)
            throw CArchiveException(CArchiveException::genericException, "cannot write the archive file");
    } else {
        const auto* p = static_cast<const std::uint8_t*>(data);
        m_aBytes.insert(m_aBytes.end(), p, p + count);
    }
    m_iWritten += count;
}

std::size_t CArchive::Read(void* data, std::size_t count)
{
    if (!IsLoading()) throw CArchiveException(CArchiveException::writeOnly);
    if (m_bClosed) return 0;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, GetRemaining()));
    if (n == 0) return 0;
    if (m_pFile) {
        // Streamed: only what the records ask for is ever held.
        const std::size_t got = std::fread(data, 1, n, m_pFile);
        m_iReadPos += got;
        if (got != n) throw CArchiveException(CArchiveException::endOfFile, "the file ended before its length");
        return got;
    }
    std::memcpy(data, m_aBytes.data() + m_iReadPos, n);
    m_iReadPos += n;
    return n;
}

void CArchive::ReadExact(void* data, std::size_t count)
{
    if (count > GetRemaining()) throw CArchiveException(CArchiveException::endOfFile);
    Read(data, count);
}

bool CArchive::Flush()
{
    return !m_pFile || IsLoading() || std::fflush(m_pFile) == 0;
}

bool CArchive::Close()
{
    bool ok = true;
    if (m_pFile) {
        if (IsStoring()) ok = std::fflush(m_pFile) == 0;
        ok = std::fclose(m_pFile) == 0 && ok;
        m_pFile = nullptr;
    }
    m_bClosed = true;
    return ok;
}

std::uint64_t CArchive::GetPosition() const
{
    return IsLoading() ? m_iReadPos : m_iWritten;
}

std::uint64_t CArchive::GetLength() const
{
    if (!IsLoading()) return m_iWritten;
    return m_bFileLoad ? m_iFileSize : m_aBytes.size();
}

std::uint64_t CArchive::GetRemaining() const
{
    return IsLoading() && !m_bClosed ? GetLength() - m_iReadPos : 0;
}

CArchive& CArchive::PutLE(std::uint64_t value, int bytes)
{
    std::uint8_t buffer[8];
    for (int i = 0; i < bytes; ++i) buffer[i] = static_cast<std::uint8_t>(value >> (8 * i));
    Write(buffer, static_cast<std::size_t>(bytes));
    return *this;
}

std::uint64_t CArchive::GetLE(int bytes)
{
    std::uint8_t buffer[8];
    ReadExact(buffer, static_cast<std::size_t>(bytes));
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(buffer[i]) << (8 * i);
    return value;
}

CArchive& CArchive::operator<<(float v)
{
    return PutLE(std::bit_cast<std::uint32_t>(v), 4);
}

CArchive& CArchive::operator<<(double v)
{
    return PutLE(std::bit_cast<std::uint64_t>(v), 8);
}

CArchive& CArchive::operator<<(wchar_t v)
{
    const auto unit = static_cast<std::uint32_t>(v);
    return PutLE(unit > 0xFFFF ? 0xFFFD : unit, 2);
}

CArchive& CArchive::operator>>(float& v)
{
    v = std::bit_cast<float>(static_cast<std::uint32_t>(GetLE(4)));
    return *this;
}

CArchive& CArchive::operator>>(double& v)
{
    v = std::bit_cast<double>(GetLE(8));
    return *this;
}

void CArchive::WriteCount(std::uint64_t count)
{
    if (count < kWordEscape) {
        PutLE(count, 2);
        return;
    }
    PutLE(kWordEscape, 2);
    if (count < kDwordEscape) {
        PutLE(count, 4);
        return;
    }
    PutLE(kDwordEscape, 4);
    PutLE(count, 8);
}

std::uint64_t CArchive::ReadCount()
{
    const std::uint64_t word = GetLE(2);
    if (word != kWordEscape) return word;
    const std::uint64_t dword = GetLE(4);
    if (dword != kDwordEscape) return dword;
    return GetLE(8);
}

// Wide strings: marker FF FE FF, then the length in UTF-16 code units as a
// BYTE below 0xFF, else FF and a WORD below 0xFFFE, else FF FFFF and a DWORD
// below 0xFFFFFFFF, else FF FFFF FFFFFFFF and a QWORD; then the code units.
CArchive& CArchive::operator<<(const CString& s)
{
    const std::u16string units = s.ToUtf16();
    const std::uint64_t length = units.size();
    PutLE(kByteEscape, 1);
    PutLE(kUnicodeMarker, 2);
    if (length < kByteEscape) {
        PutLE(length, 1);
    } else {
        PutLE(kByteEscape, 1);
        if (length < kUnicodeMarker) {
            PutLE(length, 2);
        } else {
            PutLE(kWordEscape, 2);
            if (length < kDwordEscape) {
                PutLE(length, 4);
            } else {
                PutLE(kDwordEscape, 4);
                PutLE(length, 8);
            }
        }
    }
    for (char16_t unit : units) PutLE(unit, 2);
    return *this;
}

// Accepts both the wide form above and the narrow one (no marker, one byte
// per character).
std::uint64_t CArchive::ReadStringLength(bool& wide)
{
    wide = false;
    std::uint64_t length = GetLE(1);
    if (length < kByteEscape) return length;
    length = GetLE(2);
    if (length == kUnicodeMarker) {
        wide = true;
        length = GetLE(1);
        if (length < kByteEscape) return length;
        length = GetLE(2);
    }
    if (length < kWordEscape) return length;
    length = GetLE(4);
    if (length < kDwordEscape) return length;
    return GetLE(8);
}

CArchive& CArchive::operator>>(CString& s)
{
    bool wide = false;
    const std::uint64_t length = ReadStringLength(wide);
    const std::uint64_t unitSize = wide ? 2 : 1;
    // A corrupt length must fail here, before it sizes an allocation.
    if (length > GetRemaining() / unitSize)
        throw CArchiveException(CArchiveException::endOfFile, "string length exceeds the archive");

    const auto count = static_cast<std::size_t>(length);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count * unitSize));
    ReadExact(bytes.data(), bytes.size());
    const std::uint8_t* p = bytes.data();
    if (wide) {
        std::u16string units(count, u'\0');
        for (std::size_t i = 0; i < count; ++i)
            units[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        s = CString::FromUtf16(units);
    } else {
        // Narrow text is taken as Latin-1: each byte is its own code point.
        std::wstring text(count, L'\0');
        for (std::size_t i = 0; i < count; ++i) text[i] = static_cast<wchar_t>(p[i]);
        s = CString(std::move(text));
    }
    return *this;
}
