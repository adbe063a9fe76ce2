#pragma once
// Helpers shared by the zoom tests.

#include "host/app/HeadlessHost.h"

#include <string>

// Whether the host logged a line containing sPart (log lines carry file and
// line details, so tests match on a part).
inline bool HasLogLineContaining(const CHeadlessHost& host, const std::string& sPart)
{
    for (const std::string& sLine : host.GetLogLines())
        if (sLine.find(sPart) != std::string::npos) return true;
    return false;
}
