#pragma once
// The sub-commands of the tracewin command-line tool. Each takes the
// arguments after its name and returns the process exit code.

#include <string>
#include <vector>

using Args = std::vector<std::string>;

int RunUnits(const Args& args);
int RunConvert(const Args& args);
int RunInfo(const Args& args);
// Built only with Qt (TRACEWIN_HAVE_RENDER).
int RunRender(const Args& args);

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
