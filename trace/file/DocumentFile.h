#pragma once
// The graph document file: a 13-byte header (magic word, the software and
// configuration version that wrote it) followed by the document record
// (CGraphDoc::Serialize). It is how a trace window's configuration is kept
// outside the host's own configuration archive (`tracewin config save`).

#include "trace/file/TraceFileHeader.h"

#include <cstdint>

class CString;

class CArchive;

constexpr std::uint32_t GRAPH_DOC_FILE_MAGIC = 0x3A0B0C4D;
constexpr int GRAPH_DOC_FILE_HEADER_SIZE = 13;

// Writes the header of this build's version.
void WriteDocumentFileHeader(CArchive& ar);

// Reads the header; the version read becomes the archive's (open a
// CArchiveVersionScope for the record). Versions before 0.90 are refused.
// Truncation throws CArchiveException.
EHeaderResult ReadDocumentFileHeader(CArchive& ar, STraceFileHeader& header);

// Whether the file opens and starts with the document file's magic word.
bool IsDocumentFile(const CString& sPath);
