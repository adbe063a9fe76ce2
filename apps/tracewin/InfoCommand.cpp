// tracewin info FILE: a trace, limit or graph document file's header and record as JSON.

#include "apps/tracewin/CliArgs.h"

#include "host/app/HeadlessHost.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/DocumentFile.h"
#include "trace/file/TraceFileInfo.h"

#include <cstdio>

const char* const kInfoUsage = "usage: tracewin info FILE\n  a trace, limit or graph document file's header and record as JSON\n";

int RunInfo(const Args& args)
{
    std::string sProblem;
    if (args.empty() || args[0].empty()) sProblem = "no file given";
    else if (args.size() > 1) sProblem = "one file at a time";
    else if (LooksLikeOption(args[0])) sProblem = "unknown option '" + args[0] + "'";
    if (!sProblem.empty()) {
        std::fprintf(stderr, "tracewin info: %s\n%s", sProblem.c_str(), kInfoUsage);
        return kExitUsage;
    }
    CHeadlessHost host;
    CGraphDoc doc;
    host.SetGraphDoc(&doc);
    std::string sJson;
    std::string sError;
    const CString sPath(args[0]);
    const bool bOk = IsDocumentFile(sPath) ? DescribeDocumentFile(sPath, sJson, sError)
                                           : DescribeTraceFile(sPath, sJson, sError);
    host.PumpMessages();
    host.SetGraphDoc(nullptr);
    if (!bOk) {
        std::fprintf(stderr, "tracewin info: %s: %s\n", args[0].c_str(), sError.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", sJson.c_str());
    return kExitOk;
}
