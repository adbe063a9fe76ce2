#pragma once
// Limit files given on a command line ("[max:|min:]FILE.lim"), shared by
// `tracewin render --limit` and `tracewin-demo --limit`: attached to a trace
// as its upper (or, with "min:", lower) limit line, and the trace's last
// check worded as a verdict.

#include <string>
#include <vector>

class CQXTrace;

struct SLimitOption {
    bool bMin = false;
    std::string sFile;
};
SLimitOption ParseLimitOption(const std::string& sArg);

// Loads the file (relative to the working folder) onto the trace; false with
// the reason when it does not load or does not suit the trace.
bool AttachLimitFile(CQXTrace& trace, const std::string& sArg, std::string& sError);

// "PASS: TRACE within its upper limit FILE" or "FAIL: TRACE breaches its
// upper limit FILE at N points", per side given (the last file of a side is
// the one attached), from the breaches the trace's last limit check found;
// true when it passed.
bool LimitVerdict(CQXTrace& trace, const std::vector<std::string>& asLimitArgs, std::string& sVerdict);
