#pragma once
// What a trace or limit file holds, as JSON text: the header by field, then
// the record as this build reads it (the version rules applied) and would
// write it again, with the kind's section. For a limit file the record is
// described by DescribeLimitRecord.
//
// Needs an installed graph document: the trace is built by its factory,
// read aside and deleted again; the document is left as it was.

#include "platform/String.h"

#include <string>

class CArchive;
class CJsonSink;
class CLimitLine;
struct STraceFileHeader;

// False, with the reason in sError, when the file cannot be read.
bool DescribeTraceFile(const CString& sPath, std::string& sJson, std::string& sError);

// The limit-line record of a limit file, after its header; false with the
// reason when it cannot be described.
bool DescribeLimitRecord(CArchive& ar, const STraceFileHeader& header, CJsonSink& sink, std::string& sError);

// The limit-line record of a line as JSON fields (its form, the table or the
// trace data, the computes and the name).
void DescribeLimitLineBody(CLimitLine& line, CJsonSink& sink);

// What a graph document file holds, as JSON: the header, the document's
// settings and one entry per trace, each saved one with its record, as this
// build reads them. The file is read into a document of its own; the
// installed one is left as it was. False with the reason in sError.
bool DescribeDocumentFile(const CString& sPath, std::string& sJson, std::string& sError);
