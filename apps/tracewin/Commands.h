#pragma once
// The sub-commands of the tracewin command-line tool. Each takes the
// arguments after its name and returns the process exit code.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

using Args = std::vector<std::string>;

// A file named on the command line is the shell's: relative to the working
// folder, never to the host's folders for traces and limits.
inline std::string CommandLinePath(const std::string& sPath)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(sPath, error);
    return error ? sPath : absolute.string();
}

int RunUnits(const Args& args);
int RunConvert(const Args& args);
int RunInfo(const Args& args);
int RunSave(const Args& args);
int RunLimit(const Args& args);
int RunValues(const Args& args);
int RunConfig(const Args& args);
// Built with Python (pybind11); otherwise it says so.
int RunScript(const Args& args);
// Built only with Qt (TRACEWIN_HAVE_RENDER).
int RunRender(const Args& args);
int RunExport(const Args& args);
int RunPrint(const Args& args);

// Each command's usage, printed by --help (exit 0) and after a usage error.
extern const char* const kUnitsUsage;
extern const char* const kConvertUsage;
extern const char* const kInfoUsage;
extern const char* const kSaveUsage;
extern const char* const kLimitUsage;
extern const char* const kValuesUsage;
extern const char* const kConfigUsage;
extern const char* const kScriptUsage;
extern const char* const kRenderUsage;
extern const char* const kExportUsage;
extern const char* const kPrintUsage;

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
// render: the picture was written, and the trace breaches a limit given.
constexpr int kExitLimitBreached = 3;
