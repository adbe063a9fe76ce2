#include "apps/common/LimitOption.h"

#include "apps/common/ComputeOption.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

SLimitOption ParseLimitOption(const std::string& sArg)
{
    const bool bMin = sArg.rfind("min:", 0) == 0;
    return {bMin, (bMin || sArg.rfind("max:", 0) == 0) ? sArg.substr(4) : sArg};
}

bool AttachLimitFile(CQXTrace& trace, const std::string& sArg, std::string& sError)
{
    const auto [bMin, sFile] = ParseLimitOption(sArg);
    int iFailure = 0;
    std::string sReason;
    if (CLimitLine::LoadForTrace(&trace, ShellPath(sFile), bMin ? TT_MINLIMITLINE : TT_MAXLIMITLINE, 0, &iFailure,
                                 &sReason))
        return true;
    sError = "cannot load the limit file '" + sFile + "': " + sReason;
    return false;
}

bool LimitVerdict(CQXTrace& trace, const std::vector<std::string>& asLimitArgs, std::string& sVerdict)
{
    const std::string sTrace = trace.GetTraceName(1, 1, 0).ToUtf8();
    std::string sFailed, sPassed;
    for (const bool bMin : {false, true}) {
        const auto pLast = std::find_if(asLimitArgs.rbegin(), asLimitArgs.rend(),
                                        [&](const std::string& sArg) { return ParseLimitOption(sArg).bMin == bMin; });
        if (pLast == asLimitArgs.rend()) continue;
        const size_t uPoints = trace.GetLimitBreachPositions(!bMin).size();
        const std::string sLine = std::string(bMin ? "lower" : "upper") + " limit " + ParseLimitOption(*pLast).sFile;
        if (uPoints == 0) sPassed += (sPassed.empty() ? "" : ", ") + sLine;
        else sFailed += (sFailed.empty() ? "" : ", ") + sLine + " at " + std::to_string(uPoints) + " points";
    }
    sVerdict = sFailed.empty() ? "PASS: " + sTrace + " within its " + sPassed
                               : "FAIL: " + sTrace + " breaches its " + sFailed;
    return sFailed.empty();
}
