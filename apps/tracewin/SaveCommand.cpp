// `tracewin save`: a trace of the built-in document, as drawn by render
// (after --live N simulated blocks when asked), to a trace file.

#include "apps/tracewin/CliArgs.h"

#include "apps/common/BuiltInDocument.h"
#include "apps/common/LiveSource.h"
#include "apps/common/SweepSource.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/FFTResponseTrace.h"
#include "trace/types/SweepTrace.h"

#include <cstdio>
#include <memory>

const char* const kSaveUsage =
    "usage: tracewin save [--kind fft|scope|sweep|response] [--channel A|B] [--live N] -o FILE.trc\n"
    "  writes one trace of the built-in document (after N simulated blocks with --live);\n"
    "  sweep: the simulated 20 Hz - 20 kHz sweep's level (A) or THD+N (B);\n"
    "  response: the frequency response of the simulated multitone (as render --multitone)\n";

namespace {

struct SSaveOptions {
    TraceType eKind = TT_FFT;
    bool bSweep = false;
    bool bResponse = false;
    ChannelNumber eChannel = CHANNEL_A;
    int iLiveBlocks = 0;
    std::string sOutput;
};

bool ParseSaveOptions(const Args& args, SSaveOptions& options, std::string& sError)
{
    CArgReader reader(args);
    std::string sValue;
    while (!reader.AtEnd()) {
        const std::string& sArg = reader.Next();
        if (sArg == "--kind") {
            if (!reader.Value(sValue, sError)) return false;
            options.bSweep = sValue == "sweep";
            options.bResponse = sValue == "response";
            if (!options.bSweep && !options.bResponse && !ParseTraceKind(sValue, options.eKind)) {
                sError = "unknown trace kind '" + sValue + "' (known: " + kTraceKindNames + ", sweep, response)";
                return false;
            }
        } else if (sArg == "--channel") {
            if (!reader.Value(sValue, sError)) return false;
            if (!ParseChannel(sValue, options.eChannel, false)) {
                sError = "bad channel '" + sValue + "' (A or B)";
                return false;
            }
        } else if (sArg == "--live") {
            if (!ParseLiveBlocks(reader, options.iLiveBlocks, sError)) return false;
        } else if (sArg == "-o" || sArg == "--output") {
            if (!reader.Value(options.sOutput, sError)) return false;
        } else {
            sError = "unknown option '" + sArg + "'";
            return false;
        }
    }
    if (options.bSweep && options.iLiveBlocks > 0) sError = "--kind sweep and --live exclude each other";
    else if (options.sOutput.empty()) sError = "no output file (-o FILE.trc)";
    else if (NamesAFolder(options.sOutput)) sError = "'" + options.sOutput + "' is a folder, not a file";
    return sError.empty();
}

} // namespace

int RunSave(const Args& args)
{
    SSaveOptions options;
    std::string sError;
    if (!ParseSaveOptions(args, options, sError)) {
        std::fprintf(stderr, "tracewin save: %s\n%s", sError.c_str(), kSaveUsage);
        return kExitUsage;
    }
    CBuiltInDocument built;
    if (!built.IsValid()) {
        std::fprintf(stderr, "tracewin save: the built-in document could not be made\n");
        return kExitFailure;
    }
    CFFTResponseTrace* pResponse = nullptr;
    if (options.iLiveBlocks > 0 || options.bResponse) {
        CLiveSource live(built.GetHost(), built.GetDoc(), options.bResponse ? ELiveSignal::Multitone : ELiveSignal::Tones);
        if (!live.RunBlocks(options.iLiveBlocks > 0 ? options.iLiveBlocks : CLiveSource::kMultitoneBlocks)) {
            std::fprintf(stderr, "tracewin save: the simulated measurement failed\n");
            return kExitFailure;
        }
        pResponse = live.GetResponseTrace(options.eChannel);
    }
    std::unique_ptr<CSweepSource> pSweep;
    if (options.bSweep) {
        pSweep = std::make_unique<CSweepSource>(built.GetDoc());
        if (!pSweep->RunAll()) {
            std::fprintf(stderr, "tracewin save: the simulated sweep failed\n");
            return kExitFailure;
        }
    }
    CQXTrace* pTrace = pResponse ? static_cast<CQXTrace*>(pResponse)
                       : !pSweep ? built.GetLiveTrace(options.eChannel, options.eKind)
                       : options.eChannel == CHANNEL_B ? static_cast<CQXTrace*>(pSweep->GetTHDNTrace())
                                                       : pSweep->GetLevelTrace();
    // The writer adds the extension the same way; the name printed is the file written.
    const std::string sPath = WithExtension(options.sOutput, LoadResString(IDS_TRACE_FILE_EXT).ToUtf8());
    if (!pTrace || !built.GetDoc().SaveTrace(pTrace, CString(CommandLinePath(sPath)), 0)) {
        std::fprintf(stderr, "tracewin save: cannot write '%s'\n", sPath.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", sPath.c_str());
    return kExitOk;
}
