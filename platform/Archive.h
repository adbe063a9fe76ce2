#pragma once
// CArchive: the framework's binary archive. Numbers are little-endian and
// byte-exact with files written on the original platform; strings and counts
// use the framework's variable-length encodings. An archive lives in memory
// (tests, clipboard) or on a file.
//
// A short read or a malformed value throws CArchiveException. That exception
// is for archive code only: public load functions catch it and report failure.
//
// Integer overloads are by fixed width. On this platform `long` is 64 bits
// (it is int64_t), so a 32-bit framework LONG/DWORD field must be held in
// int32_t/uint32_t (see platform/Types.h).

#include "platform/InputFile.h"
#include "platform/String.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class CArchiveException : public std::exception {
public:
    // The framework's cause codes.
    enum {
        none = 0,
        genericException = 1,
        generic = genericException,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
    };

    explicit CArchiveException(int cause, std::string message = {});

    int GetCause() const { return m_cause; }
    const char* what() const noexcept override { return m_sMessage.c_str(); }

    int m_cause;

private:
    std::string m_sMessage;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // In memory: a store archive starts empty; a load archive reads `bytes`.
    explicit CArchive(Mode mode, std::vector<std::uint8_t> bytes = {});
    // On a file (path in any Unicode). Null when the file cannot be opened;
    // for loading only a regular file opens (OpenInputFile), and *pProblem
    // says why one did not.
    static std::unique_ptr<CArchive> OpenFile(const CString& path, Mode mode, EInputFileProblem* pProblem = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_eMode == store; }
    bool IsLoading() const { return m_eMode == load; }

    void Write(const void* data, std::size_t count);
    // Returns the bytes actually read, fewer at the end of the archive.
    std::size_t Read(void* data, std::size_t count);
    // Writes buffered bytes to the file; false on a write error.
    bool Flush();
    // Flushes and releases the file; false on a write error. Idempotent.
    bool Close();

    // Bytes read or written so far, the total size (written so far when
    // storing) and, when loading, the bytes not yet read.
    std::uint64_t GetPosition() const;
    std::uint64_t GetLength() const;
    std::uint64_t GetRemaining() const;
    // The bytes of a memory archive (written ones when storing).
    const std::vector<std::uint8_t>& GetBytes() const { return m_aBytes; }

    // The framework's count: WORD below 0xFFFF, else 0xFFFF and a DWORD
    // (and beyond that 0xFFFFFFFF and a QWORD).
    void WriteCount(std::uint64_t count);
    std::uint64_t ReadCount();

    // Version of the software that wrote the archive: 150 with 'g' is 1.50g.
    void SetFileVersion(int number, char letter) { m_iVersionNumber = number; m_cVersionLetter = letter; }
    int GetFileVersionNumber() const { return m_iVersionNumber; }
    char GetFileVersionLetter() const { return m_cVersionLetter; }
    void SetConfigVersion(int version) { m_iConfigVersion = version; }
    int GetConfigVersion() const { return m_iConfigVersion; }

    CArchive& operator<<(bool v) { return PutLE(v ? 1 : 0, 1); }
    CArchive& operator<<(char v) { return PutLE(static_cast<std::uint8_t>(v), 1); }
    CArchive& operator<<(std::int8_t v) { return PutLE(static_cast<std::uint8_t>(v), 1); }
    CArchive& operator<<(std::uint8_t v) { return PutLE(v, 1); }
    CArchive& operator<<(std::int16_t v) { return PutLE(static_cast<std::uint16_t>(v), 2); }
    CArchive& operator<<(std::uint16_t v) { return PutLE(v, 2); }
    CArchive& operator<<(std::int32_t v) { return PutLE(static_cast<std::uint32_t>(v), 4); }
    CArchive& operator<<(std::uint32_t v) { return PutLE(v, 4); }
    CArchive& operator<<(std::int64_t v) { return PutLE(static_cast<std::uint64_t>(v), 8); }
    CArchive& operator<<(std::uint64_t v) { return PutLE(v, 8); }
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    // One UTF-16 code unit; characters beyond it are written as U+FFFD.
    CArchive& operator<<(wchar_t v);
    CArchive& operator<<(const CString& s);
    // long long where it is a different type from int64_t (as on Linux).
    template <class T>
        requires(std::is_same_v<T, long long> && !std::is_same_v<long long, std::int64_t>)
    CArchive& operator<<(T v) { return *this << static_cast<std::int64_t>(v); }
    template <class T>
        requires(std::is_same_v<T, unsigned long long> && !std::is_same_v<unsigned long long, std::uint64_t>)
    CArchive& operator<<(T v) { return *this << static_cast<std::uint64_t>(v); }

    CArchive& operator>>(bool& v) { v = GetLE(1) != 0; return *this; }
    CArchive& operator>>(char& v) { v = static_cast<char>(GetLE(1)); return *this; }
    CArchive& operator>>(std::int8_t& v) { v = static_cast<std::int8_t>(GetLE(1)); return *this; }
    CArchive& operator>>(std::uint8_t& v) { v = static_cast<std::uint8_t>(GetLE(1)); return *this; }
    CArchive& operator>>(std::int16_t& v) { v = static_cast<std::int16_t>(GetLE(2)); return *this; }
    CArchive& operator>>(std::uint16_t& v) { v = static_cast<std::uint16_t>(GetLE(2)); return *this; }
    CArchive& operator>>(std::int32_t& v) { v = static_cast<std::int32_t>(GetLE(4)); return *this; }
    CArchive& operator>>(std::uint32_t& v) { v = static_cast<std::uint32_t>(GetLE(4)); return *this; }
    CArchive& operator>>(std::int64_t& v) { v = static_cast<std::int64_t>(GetLE(8)); return *this; }
    CArchive& operator>>(std::uint64_t& v) { v = GetLE(8); return *this; }
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(wchar_t& v) { v = static_cast<wchar_t>(GetLE(2)); return *this; }
    CArchive& operator>>(CString& s);
    template <class T>
        requires(std::is_same_v<T, long long> && !std::is_same_v<long long, std::int64_t>)
    CArchive& operator>>(T& v) { std::int64_t x; *this >> x; v = x; return *this; }
    template <class T>
        requires(std::is_same_v<T, unsigned long long> && !std::is_same_v<unsigned long long, std::uint64_t>)
    CArchive& operator>>(T& v) { std::uint64_t x; *this >> x; v = x; return *this; }

private:
    CArchive(std::FILE* file, Mode mode);
    // A regular file being loaded, of `size` bytes.
    CArchive(std::FILE* file, std::uint64_t size);
    CArchive& PutLE(std::uint64_t value, int bytes);
    // Throws endOfFile when fewer than `bytes` remain.
    std::uint64_t GetLE(int bytes);
    void ReadExact(void* data, std::size_t count);
    std::uint64_t ReadStringLength(bool& wide);

    Mode m_eMode;
    std::vector<std::uint8_t> m_aBytes; // a memory archive
    std::uint64_t m_iReadPos = 0;
    std::FILE* m_pFile = nullptr;        // a file being stored or loaded
    bool m_bFileLoad = false;
    std::uint64_t m_iFileSize = 0;       // of a file being loaded
    std::uint64_t m_iWritten = 0;
    bool m_bClosed = false;
    int m_iVersionNumber = 0;
    char m_cVersionLetter = 0;
    int m_iConfigVersion = 0;
};
