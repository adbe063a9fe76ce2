// tracewin: inspect, convert, write and render trace-window data from the shell.

#include "apps/tracewin/Commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct SCommand {
    const char* name;
    int (*run)(const Args&);
    const char* const* ppUsage;
    const char* summary;
};

constexpr SCommand kCommands[] = {
    {"units", RunUnits, &kUnitsUsage, "units [--sets]                 the unit table (or the unit sets)"},
    {"convert", RunConvert, &kConvertUsage, "convert VALUE FROM TO [opts]   convert a value between units"},
    {"info", RunInfo, &kInfoUsage, "info FILE                      a trace, limit or graph document file as JSON"},
    {"save", RunSave, &kSaveUsage, "save [opts] -o FILE.trc        a trace of the built-in document to a trace file"},
    {"values", RunValues, &kValuesUsage, "values [FILE | opts] [--csv] [-o F] a trace's values table as text (or the window's export)"},
    {"config", RunConfig, &kConfigUsage, "config save [opts] FILE.twc    the built-in document to a graph document file"},
    {"script", RunScript, &kScriptUsage, "script FILE.py [ARGS]...       a Python script run headless with the tracewin module"},
    {"limit", RunLimit, &kLimitUsage, "limit [opts] -o FILE.lim       a limit file from a trace file or a table of points"},
#ifdef TRACEWIN_HAVE_RENDER
    {"render", RunRender, &kRenderUsage, "render [opts] -o FILE          draw the built-in graph to PNG, JPEG, BMP, SVG or PDF"},
    {"export", RunExport, &kExportUsage, "export [opts] [--out FILE]     export the graph as the window does: EMF, PNG, JPEG, TIFF, SVG, PDF, ..."},
    {"print", RunPrint, &kPrintUsage, "print [opts] [--pdf FILE]      print the graph on an A4 page into a PDF file"},
#endif
};

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: tracewin COMMAND [ARGS]   (tracewin COMMAND --help for its options)\n\ncommands:\n");
    for (const auto& c : kCommands) std::fprintf(out, "  %s\n", c.summary);
}

bool IsHelp(const std::string& s) { return s == "--help" || s == "-h" || s == "help"; }

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || IsHelp(argv[1])) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const Args args(argv + 2, argv + argc);
    for (const auto& c : kCommands) {
        if (std::strcmp(argv[1], c.name)) continue;
        if (std::any_of(args.begin(), args.end(), [](const std::string& s) { return s == "--help" || s == "-h"; })) {
            std::fputs(*c.ppUsage, stdout);
            return kExitOk;
        }
        return c.run(args);
    }
    std::fprintf(stderr, "tracewin: unknown command '%s'\n\n", argv[1]);
    PrintUsage(stderr);
    return kExitUsage;
}
