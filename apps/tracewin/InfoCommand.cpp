// tracewin info FILE: a trace or limit file's header and record as JSON.

#include "apps/tracewin/Commands.h"

#include "host/app/HeadlessHost.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/TraceFileInfo.h"

#include <cstdio>

int RunInfo(const Args& args)
{
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        std::fprintf(stderr, "usage: tracewin info FILE\n");
        return kExitUsage;
    }
    CHeadlessHost host;
    CGraphDoc doc;
    host.SetGraphDoc(&doc);
    std::string sJson;
    std::string sError;
    const bool bOk = DescribeTraceFile(CString(args[0]), sJson, sError);
    host.PumpMessages();
    host.SetGraphDoc(nullptr);
    if (!bOk) {
        std::fprintf(stderr, "tracewin info: %s: %s\n", args[0].c_str(), sError.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", sJson.c_str());
    return kExitOk;
}
