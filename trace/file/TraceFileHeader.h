#pragma once
// The fixed header of a trace file and of a limit file: a magic word, the
// software and configuration version that wrote the file and, for a trace
// file, the type, channel and creation detail of the trace. The record of
// the trace follows at once (offset 25; offset 13 for a limit line).
//
// Readers take the version from the header into the archive; open a
// CArchiveVersionScope on that archive while the record is read so that
// CheckFileVersion and GetConfigVersion answer for the file.

#include "host/app/FileVersion.h"
#include "trace/core/TraceDefs.h"

#include <cstdint>
#include <string>

class CArchive;

// Magic words at offset 0.
constexpr std::uint32_t TRACE_FILE_MAGIC = 0x3A0B0C0D;       // every trace but a limit line
constexpr std::uint32_t LIMIT_FILE_MAGIC_TABLE = 0x5A0B0C0D; // limit line holding a limit table
constexpr std::uint32_t LIMIT_FILE_MAGIC_DATA = 0x3A0B0C2D;  // limit line holding trace data

// Byte sizes of the two header forms.
constexpr int TRACE_FILE_HEADER_SIZE = 25;
constexpr int LIMIT_FILE_HEADER_SIZE = 13;

// The first version whose header carries the configuration version (1.01r).
constexpr int TRACE_FILE_CONFIG_IN_HEADER_NUMBER = 101;
constexpr int TRACE_FILE_CONFIG_IN_HEADER_LETTER = 'r';

struct STraceFileHeader {
    std::uint32_t uMagic = TRACE_FILE_MAGIC;
    int iVersionNumber = QX_FILE_VERSION_NUMBER;
    int iVersionLetter = QX_FILE_VERSION_LETTER;
    int iConfigVersion = QX_CONFIG_VERSION;
    // Trace files only.
    TraceType eTraceType = TT_SCOPE;
    ChannelNumber eChannel = CHANNEL_A;
    std::int32_t lExtraInfo = 0;

    // The trace fields follow the version only under the trace magic.
    bool HasTraceFields() const { return uMagic == TRACE_FILE_MAGIC; }
};

// The header written for a trace; a limit line's magic tells whether it
// holds a limit table.
STraceFileHeader MakeTraceFileHeader(TraceType eType, ChannelNumber eChannel, long lExtraInfo);
STraceFileHeader MakeLimitFileHeader(bool bHasLimitTable);

// Writes the header (the trace fields only under the trace magic).
void WriteTraceFileHeader(CArchive& ar, const STraceFileHeader& header);

enum class EHeaderResult {
    ok,
    badMagic,       // not one of the accepted magic words
    refusedVersion, // a version this software does not read
};

// Reads a header. With bAcceptLimitMagics the two limit-file magics are
// accepted as well (no trace fields follow them). The version read becomes the
// archive's version; files before 1.01r have configuration version 0, and the
// extra information exists only above configuration 38. Truncation throws
// CArchiveException.
EHeaderResult ReadTraceFileHeader(CArchive& ar, STraceFileHeader& header, bool bAcceptLimitMagics);

// Why a file was refused, in words for the user. A wrong magic names what
// was expected ("trace file") and the word found; a refused version is
// given as written ("1.15."). Corruption names the byte reached, the file's
// length, the part being read ("the trace record") and the archive's reason.
std::string FormatFileVersion(int iNumber, int iLetter);
std::string DescribeHeaderRefusal(EHeaderResult eResult, const STraceFileHeader& header, const char* szExpected);
std::string DescribeCorruption(const CArchive& ar, const char* szPart, const char* szWhat);

// False for versions no reader accepts: older than 0.90 '.' and exactly 1.15 '.'.
bool IsReadableTraceFileVersion(int iNumber, int iLetter);

// While it lives, CheckFileVersion and GetConfigVersion answer with the
// archive's version (as set by ReadTraceFileHeader).
class CArchiveVersionScope {
public:
    explicit CArchiveVersionScope(const CArchive& ar);

private:
    CFileVersionScope m_scope;
};
