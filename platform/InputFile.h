#pragma once
// Opening a file to read it: the one check every loader shares (trace,
// limit and document files). Only a regular file is opened, so that its
// length is known before anything is read and bounds what a reader may
// allocate; a device (/dev/zero), a pipe or a folder is refused up front.

#include "platform/String.h"

#include <cstdint>
#include <cstdio>

enum class EInputFileProblem { none, missing, notRegular, unreadable };

struct SInputFile {
    std::FILE* pFile = nullptr; // the caller's to close; null on a problem
    std::uint64_t uSize = 0;
    EInputFileProblem eProblem = EInputFileProblem::none;
};

// Opens `path` for reading in binary.
SInputFile OpenInputFile(const CString& path);

// For messages: "no such file", "not a regular file", "cannot be read".
const char* DescribeInputFileProblem(EInputFileProblem eProblem);
