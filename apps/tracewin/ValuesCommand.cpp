// `tracewin values`: the trace values table of a trace file, or of a trace
// of the built-in document (after --live N simulated blocks when asked),
// printed as tab- or comma-separated text or written as the window's export.

#include "apps/tracewin/CliArgs.h"

#include "apps/common/BuiltInDocument.h"
#include "apps/common/LiveSource.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/TraceValuesExport.h"
#include "trace/output/TraceValuesView.h"

#include <cstdio>

const char* const kValuesUsage =
    "usage: tracewin values [FILE.trc | [--kind fft|scope] [--channel A|B] [--live N]] [--csv] [-o OUT]\n"
    "  the trace values table of a trace file or of a built-in trace (after N simulated blocks with --live):\n"
    "  printed tab-separated (comma-separated with --csv), or written to OUT as the values window\n"
    "  exports it (UTF-16LE, CR LF)\n";

namespace {

struct SValuesOptions {
    std::string sTraceFile;
    TraceType eKind = TT_FFT;
    ChannelNumber eChannel = CHANNEL_A;
    int iLiveBlocks = 0;
    bool bBuiltInChosen = false;
    unsigned char cSeparator = kTabSeparator;
    std::string sOutput;
};

bool ParseValuesOptions(const Args& args, SValuesOptions& options, std::string& sError)
{
    CArgReader reader(args);
    std::string sValue;
    while (!reader.AtEnd()) {
        const std::string& sArg = reader.Next();
        if (sArg == "--kind") {
            if (!reader.Value(sValue, sError)) return false;
            if (!ParseTraceKind(sValue, options.eKind)) {
                sError = "unknown trace kind '" + sValue + "' (known: " + kTraceKindNames + ")";
                return false;
            }
            options.bBuiltInChosen = true;
        } else if (sArg == "--channel") {
            if (!reader.Value(sValue, sError)) return false;
            if (!ParseChannel(sValue, options.eChannel, false)) {
                sError = "bad channel '" + sValue + "' (A or B)";
                return false;
            }
            options.bBuiltInChosen = true;
        } else if (sArg == "--live") {
            if (!ParseLiveBlocks(reader, options.iLiveBlocks, sError)) return false;
            options.bBuiltInChosen = true;
        } else if (sArg == "--csv") {
            options.cSeparator = kCommaSeparator;
        } else if (sArg == "-o" || sArg == "--output") {
            if (!reader.Value(options.sOutput, sError)) return false;
        } else if (LooksLikeOption(sArg)) {
            sError = "unknown option '" + sArg + "'";
            return false;
        } else if (!options.sTraceFile.empty()) {
            sError = "one trace file at a time";
            return false;
        } else {
            options.sTraceFile = sArg;
        }
    }
    if (!options.sTraceFile.empty() && options.bBuiltInChosen)
        sError = "a trace file or --kind/--channel/--live, not both";
    return sError.empty();
}

// The table as the shell shows text: UTF-8 with LF line ends.
void PrintTable(CTraceValuesView& view, unsigned char cSeparator)
{
    const auto print = [](const std::wstring& sText) {
        std::string sOut = CString(sText).ToUtf8();
        std::erase(sOut, '\r');
        std::fwrite(sOut.data(), 1, sOut.size(), stdout);
    };
    print(view.GetHeaderText(cSeparator).str());
    std::wstring sText;
    const int iCount = view.GetRowCount();
    for (int iStart = 0; iStart < iCount; iStart += CTraceValuesView::kRowsPerBlock) {
        sText.clear();
        view.AppendTraceValuesText(sText, iStart, iStart + CTraceValuesView::kRowsPerBlock - 1, cSeparator);
        print(sText);
    }
}

} // namespace

int RunValues(const Args& args)
{
    SValuesOptions options;
    std::string sError;
    if (!ParseValuesOptions(args, options, sError)) {
        std::fprintf(stderr, "tracewin values: %s\n%s", sError.c_str(), kValuesUsage);
        return kExitUsage;
    }
    CBuiltInDocument built;
    if (!built.IsValid()) {
        std::fprintf(stderr, "tracewin values: the built-in document could not be made\n");
        return kExitFailure;
    }
    CQXTrace* pTrace = nullptr;
    if (!options.sTraceFile.empty()) {
        std::string sReason;
        pTrace = built.GetDoc().LoadTrace(CString(CommandLinePath(options.sTraceFile)), CHANNEL_A, 0, &sReason);
        if (!pTrace) {
            std::fprintf(stderr, "tracewin values: cannot load '%s': %s\n", options.sTraceFile.c_str(),
                         sReason.c_str());
            return kExitFailure;
        }
    } else {
        if (options.iLiveBlocks > 0 && !CLiveSource(built.GetHost(), built.GetDoc()).RunBlocks(options.iLiveBlocks)) {
            std::fprintf(stderr, "tracewin values: the simulated measurement failed\n");
            return kExitFailure;
        }
        pTrace = built.GetLiveTrace(options.eChannel, options.eKind);
    }
    if (!pTrace) {
        std::fprintf(stderr, "tracewin values: the built-in document has no such trace\n");
        return kExitFailure;
    }

    CTraceValuesView view(pTrace);
    if (options.sOutput.empty()) {
        PrintTable(view, options.cSeparator);
        return kExitOk;
    }
    if (WriteTraceValuesFile(view, CString(CommandLinePath(options.sOutput)), options.cSeparator, false)
        != ETraceValuesExport::written) {
        std::fprintf(stderr, "tracewin values: cannot write '%s'\n", options.sOutput.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", options.sOutput.c_str());
    return kExitOk;
}
