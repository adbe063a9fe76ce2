// tracewin script: a Python script run headless with the tracewin module
// importable, so a test engineer's script drives the automation members
// without a window. The interpreter replaces this process: the script's
// output, exit code and exceptions are the command's own.

#include "apps/tracewin/Commands.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#define TRACEWIN_CAN_EXEC 1
#endif

const char* const kScriptUsage = "usage: tracewin script FILE.py [ARGS]...\n"
                                 "  runs the Python script headless with the tracewin module importable;\n"
                                 "  ARGS reach it as sys.argv[1:], its exit code is the command's\n";

int RunScript(const Args& args)
{
    if (args.empty()) {
        std::fprintf(stderr, "tracewin script: no script file\n%s", kScriptUsage);
        return kExitUsage;
    }
    const std::string sScript = CommandLinePath(args[0]);
    std::error_code error;
    const auto status = std::filesystem::status(sScript, error);
    if (!std::filesystem::exists(status)) {
        std::fprintf(stderr, "tracewin script: cannot read '%s': no such file\n", args[0].c_str());
        return kExitFailure;
    }
    if (!std::filesystem::is_regular_file(status)) {
        std::fprintf(stderr, "tracewin script: '%s' is not a regular file\n", args[0].c_str());
        return kExitFailure;
    }
#if defined(TRACEWIN_PYTHON) && defined(TRACEWIN_CAN_EXEC)
    // The module folder goes first; a PYTHONPATH of the user's stays after it.
    std::string sPath = TRACEWIN_PYTHON_MODULE_DIR;
    if (const char* szOld = std::getenv("PYTHONPATH"); szOld && *szOld) sPath += std::string(":") + szOld;
    ::setenv("PYTHONPATH", sPath.c_str(), 1);
    std::vector<std::string> aArgs{TRACEWIN_PYTHON, sScript};
    aArgs.insert(aArgs.end(), args.begin() + 1, args.end());
    std::vector<char*> aArgv;
    for (std::string& s : aArgs) aArgv.push_back(s.data());
    aArgv.push_back(nullptr);
    std::fflush(nullptr);
    ::execv(TRACEWIN_PYTHON, aArgv.data());
    std::fprintf(stderr, "tracewin script: cannot run the Python interpreter '%s'\n", TRACEWIN_PYTHON);
    return kExitFailure;
#else
    std::fprintf(stderr, "tracewin script: this build has no Python module (pybind11 and the Python headers "
                         "were not found when it was configured)\n");
    return kExitFailure;
#endif
}
