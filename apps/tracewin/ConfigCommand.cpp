// `tracewin config save FILE`: the built-in document (after --live N
// simulated blocks, or a simulated sweep, when asked) as a graph document
// file, the record a trace window keeps in the host's configuration.

#include "apps/tracewin/CliArgs.h"

#include "apps/common/BuiltInDocument.h"
#include "apps/common/LiveSource.h"
#include "apps/common/SweepSource.h"
#include "trace/document/GraphDoc.h"

#include <cstdio>
#include <memory>

const char* const kConfigUsage =
    "usage: tracewin config save [--live N] [--sweep] [--title TEXT] FILE[.twc]\n"
    "  writes the built-in document (after N simulated blocks with --live, after a\n"
    "  simulated sweep with --sweep) as a graph document file\n";

namespace {

constexpr const char* kDocumentFileExt = ".twc";

struct SConfigOptions {
    int iLiveBlocks = 0;
    bool bSweep = false;
    bool bTitle = false;
    std::string sTitle;
    std::string sOutput;
};

bool ParseConfigOptions(const Args& args, SConfigOptions& options, std::string& sError)
{
    if (args.empty() || args[0] != "save") {
        sError = args.empty() ? "no action given (save)" : "unknown action '" + args[0] + "' (save)";
        return false;
    }
    const Args rest(args.begin() + 1, args.end());
    CArgReader reader(rest);
    while (!reader.AtEnd()) {
        const std::string& sArg = reader.Next();
        if (sArg == "--live") {
            if (!ParseLiveBlocks(reader, options.iLiveBlocks, sError)) return false;
        } else if (sArg == "--sweep") {
            options.bSweep = true;
        } else if (sArg == "--title") {
            if (!reader.Value(options.sTitle, sError)) return false;
            options.bTitle = true;
        } else if (LooksLikeOption(sArg)) {
            sError = "unknown option '" + sArg + "'";
            return false;
        } else if (!options.sOutput.empty()) {
            sError = "one file at a time";
            return false;
        } else {
            options.sOutput = sArg;
        }
    }
    if (options.sOutput.empty()) sError = "no file given";
    else if (NamesAFolder(options.sOutput)) sError = "'" + options.sOutput + "' is a folder, not a file";
    return sError.empty();
}

} // namespace

int RunConfig(const Args& args)
{
    SConfigOptions options;
    std::string sError;
    if (!ParseConfigOptions(args, options, sError)) {
        std::fprintf(stderr, "tracewin config: %s\n%s", sError.c_str(), kConfigUsage);
        return kExitUsage;
    }
    CBuiltInDocument built;
    if (!built.IsValid()) {
        std::fprintf(stderr, "tracewin config: the built-in document could not be made\n");
        return kExitFailure;
    }
    CGraphDoc& doc = built.GetDoc();
    if (options.iLiveBlocks > 0 && !CLiveSource(built.GetHost(), doc).RunBlocks(options.iLiveBlocks)) {
        std::fprintf(stderr, "tracewin config: the simulated measurement failed\n");
        return kExitFailure;
    }
    if (options.bSweep && !CSweepSource(doc).RunAll()) {
        std::fprintf(stderr, "tracewin config: the simulated sweep failed\n");
        return kExitFailure;
    }
    if (options.bTitle) doc.SetGraphTitle(CString(options.sTitle));
    const std::string sPath = WithExtension(options.sOutput, kDocumentFileExt);
    std::string sWhy;
    if (!doc.SaveDocumentFile(CString(CommandLinePath(sPath)), &sWhy)) {
        std::fprintf(stderr, "tracewin config: cannot write '%s': %s\n", sPath.c_str(), sWhy.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", sPath.c_str());
    return kExitOk;
}
