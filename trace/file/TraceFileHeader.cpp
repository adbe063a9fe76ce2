#include "trace/file/TraceFileHeader.h"

#include "platform/Archive.h"

#include <cstdio>

STraceFileHeader MakeTraceFileHeader(TraceType eType, ChannelNumber eChannel, long lExtraInfo)
{
    STraceFileHeader header;
    header.eTraceType = eType;
    header.eChannel = eChannel;
    header.lExtraInfo = static_cast<std::int32_t>(lExtraInfo);
    return header;
}

STraceFileHeader MakeLimitFileHeader(bool bHasLimitTable)
{
    STraceFileHeader header;
    header.uMagic = bHasLimitTable ? LIMIT_FILE_MAGIC_TABLE : LIMIT_FILE_MAGIC_DATA;
    return header;
}

void WriteTraceFileHeader(CArchive& ar, const STraceFileHeader& header)
{
    ar << header.uMagic << static_cast<std::uint32_t>(header.iVersionNumber)
       << static_cast<std::uint8_t>(header.iVersionLetter) << static_cast<std::uint32_t>(header.iConfigVersion);
    if (!header.HasTraceFields()) return;
    ar << static_cast<std::uint32_t>(header.eTraceType) << static_cast<std::uint32_t>(header.eChannel)
       << static_cast<std::uint32_t>(header.lExtraInfo);
}

bool IsReadableTraceFileVersion(int iNumber, int iLetter)
{
    if (CompareFileVersion(iNumber, iLetter, 90, '.') < 0) return false;
    return !(iNumber == 115 && iLetter == '.');
}

EHeaderResult ReadTraceFileHeader(CArchive& ar, STraceFileHeader& header, bool bAcceptLimitMagics)
{
    std::uint32_t uMagic = 0;
    ar >> uMagic;
    const bool bLimitMagic = uMagic == LIMIT_FILE_MAGIC_TABLE || uMagic == LIMIT_FILE_MAGIC_DATA;
    header.uMagic = uMagic;
    if (uMagic != TRACE_FILE_MAGIC && !(bAcceptLimitMagics && bLimitMagic)) return EHeaderResult::badMagic;

    std::uint32_t uNumber = 0;
    std::uint8_t uLetter = 0;
    ar >> uNumber >> uLetter;
    header.iVersionNumber = static_cast<int>(uNumber);
    header.iVersionLetter = uLetter;
    header.iConfigVersion = 0;
    if (CompareFileVersion(header.iVersionNumber, header.iVersionLetter, TRACE_FILE_CONFIG_IN_HEADER_NUMBER,
                           TRACE_FILE_CONFIG_IN_HEADER_LETTER) >= 0) {
        std::uint32_t uConfig = 0;
        ar >> uConfig;
        header.iConfigVersion = static_cast<int>(uConfig);
    }
    ar.SetFileVersion(header.iVersionNumber, static_cast<char>(uLetter));
    ar.SetConfigVersion(header.iConfigVersion);
    if (!IsReadableTraceFileVersion(header.iVersionNumber, header.iVersionLetter))
        return EHeaderResult::refusedVersion;
    if (!header.HasTraceFields()) return EHeaderResult::ok;

    std::uint32_t uType = 0;
    std::uint32_t uChannel = 0;
    ar >> uType >> uChannel;
    header.eTraceType = static_cast<TraceType>(uType);
    header.eChannel = static_cast<ChannelNumber>(uChannel);
    header.lExtraInfo = 0;
    if (header.iConfigVersion > 38) {
        std::uint32_t uExtra = 0;
        ar >> uExtra;
        header.lExtraInfo = static_cast<std::int32_t>(uExtra);
    }
    return EHeaderResult::ok;
}

CArchiveVersionScope::CArchiveVersionScope(const CArchive& ar)
    : m_scope(ar.GetFileVersionNumber(), static_cast<unsigned char>(ar.GetFileVersionLetter()),
              ar.GetConfigVersion())
{
}

// ---- Refusals in words ---------------------------------------------------------------------

std::string FormatFileVersion(int iNumber, int iLetter)
{
    char text[32];
    const char cLetter = iLetter >= 0x20 && iLetter < 0x7F ? static_cast<char>(iLetter) : '?';
    std::snprintf(text, sizeof text, "%d.%02d%c", iNumber / 100, std::abs(iNumber % 100), cLetter);
    return text;
}

std::string DescribeHeaderRefusal(EHeaderResult eResult, const STraceFileHeader& header, const char* szExpected)
{
    char text[96];
    switch (eResult) {
    case EHeaderResult::badMagic:
        std::snprintf(text, sizeof text, "not a %s (magic 0x%08X)", szExpected, static_cast<unsigned>(header.uMagic));
        return text;
    case EHeaderResult::refusedVersion:
        return "unsupported version " + FormatFileVersion(header.iVersionNumber, header.iVersionLetter);
    case EHeaderResult::ok: break;
    }
    return {};
}

std::string DescribeCorruption(const CArchive& ar, const char* szPart, const char* szWhat)
{
    return "corrupt or truncated at byte " + std::to_string(ar.GetPosition()) + " of " +
           std::to_string(ar.GetLength()) + ", in " + szPart + ": " + szWhat;
}
