// tracewin: inspect, convert and render trace-window data from the shell.

#include "apps/tracewin/Commands.h"

#include <cstdio>
#include <cstring>

namespace {

struct SCommand {
    const char* name;
    int (*run)(const Args&);
    const char* usage;
};

constexpr SCommand kCommands[] = {
    {"units", RunUnits, "units [--sets]                 the unit table (or the unit sets)"},
    {"convert", RunConvert, "convert VALUE FROM TO [opts]   convert a value between units (see --help)"},
    {"info", RunInfo, "info FILE                      a trace or limit file's header and record as JSON"},
#ifdef TRACEWIN_HAVE_RENDER
    {"render", RunRender, "render [opts] -o FILE          draw the built-in graph to PNG, JPEG, BMP, SVG or PDF"},
#endif
};

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: tracewin COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& c : kCommands) std::fprintf(out, "  %s\n", c.usage);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const Args args(argv + 2, argv + argc);
    for (const auto& c : kCommands)
        if (!std::strcmp(argv[1], c.name)) return c.run(args);
    std::fprintf(stderr, "tracewin: unknown command '%s'\n\n", argv[1]);
    PrintUsage(stderr);
    return kExitUsage;
}
