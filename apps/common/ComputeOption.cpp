#include "apps/common/ComputeOption.h"

#include "host/app/AppServices.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/compute/ComputeRelative.h"
#include "trace/compute/ComputeSmooth.h"
#include "trace/compute/ComputeSumBins.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/FileCommands.h"
#include "trace/model/QXTrace.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

bool Number(const std::string& s, double& d)
{
    char* pEnd = nullptr;
    d = std::strtod(s.c_str(), &pEnd);
    return !s.empty() && pEnd && *pEnd == 0 && std::isfinite(d);
}

bool Count(const std::string& s, int& i)
{
    double d = 0.0;
    if (!Number(s, d) || d != std::floor(d) || d < CComputeSmooth::kMinCount || d > CComputeSmooth::kMaxCount)
        return false;
    i = static_cast<int>(d);
    return true;
}

// "A[:B]" as its two parts; B empty when absent.
std::pair<std::string, std::string> SplitPair(const std::string& s)
{
    const size_t u = s.find(':');
    return u == std::string::npos ? std::pair{s, std::string()} : std::pair{s.substr(0, u), s.substr(u + 1)};
}

} // namespace

CString ShellPath(const std::string& sPath)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(sPath, error);
    return CString(error ? sPath : absolute.string());
}

CQXTrace* LoadCommandLineTrace(CGraphDoc& doc, const std::string& sFile, ChannelNumber eChannel, std::string& sReason)
{
    return LoadTraceBeside(doc, ShellPath(sFile), eChannel, sReason);
}

bool ParseComputeOption(const std::string& sText, SComputeOption& option)
{
    const size_t uColon = sText.find(':');
    if (uColon == std::string::npos) return false;
    const std::string sKind = sText.substr(0, uColon);
    const std::string sRest = sText.substr(uColon + 1);
    option = SComputeOption{};
    if (sKind == "invert") {
        option.eType = COMPUTE_INVERT;
        if (sRest == "cursor") return option.bAroundCursor = true;
        return Number(sRest, option.dY);
    }
    if (sKind == "smooth") {
        option.eType = COMPUTE_SMOOTH;
        const auto [sHalf, sPasses] = SplitPair(sRest);
        return Count(sHalf, option.iHalfWidth) && (sPasses.empty() || Count(sPasses, option.iPasses));
    }
    if (sKind == "sumbins") {
        option.eType = COMPUTE_SUMBINS;
        const int aiParts[] = {1, 3, 6, 12};
        for (int i = 0; i < 4; ++i)
            if (sRest == std::to_string(aiParts[i])) return option.iBandWidth = i, true;
        return false;
    }
    if (sKind == "relative") {
        option.eType = COMPUTE_RELATIVE;
        option.sGoldenFile = sRest;
        return !sRest.empty();
    }
    if (sKind != "normalise" && sKind != "normalize") return false;
    option.eType = COMPUTE_NORMALISE;
    const auto [sX, sY] = SplitPair(sRest);
    return Number(sX, option.dX) && (sY.empty() || Number(sY, option.dY));
}

bool ShowComputes(CQXTrace& trace, const std::vector<std::string>& asComputes, bool bApplyToCopy, std::string& sError)
{
    CComputeList list;
    list.SetApplyToCopy(bApplyToCopy && trace.IsLive());
    for (const std::string& sText : asComputes) {
        SComputeOption option;
        if (!ParseComputeOption(sText, option)) {
            sError = "not a transform: '" + sText + "'";
            return false;
        }
        CQXTrace* pGolden = nullptr;
        if (option.eType == COMPUTE_RELATIVE) {
            CGraphDoc* pDoc = GetGraphDoc();
            std::string sReason = "no document";
            pGolden = pDoc ? LoadCommandLineTrace(*pDoc, option.sGoldenFile, trace.GetChannel(), sReason) : nullptr;
            if (!pGolden) {
                sError = "cannot load the golden trace '" + option.sGoldenFile + "': " + sReason;
                return false;
            }
        }
        CCompute* pCompute = CreateComputeObject(option.eType, &trace);
        if (!pCompute) continue;
        if (auto* pInvert = dynamic_cast<CComputeInvert*>(pCompute)) {
            pInvert->SetInvertAroundCursor(option.bAroundCursor);
            pInvert->SetInvertValue(option.dY);
            pInvert->SetYUnit(static_cast<EUnit>(trace.GetYUnit()));
        } else if (auto* pNormalise = dynamic_cast<CComputeNormalise*>(pCompute)) {
            pNormalise->SetXValue(option.dX);
            pNormalise->SetXUnit(static_cast<EUnit>(trace.GetXUnit()));
            pNormalise->SetYValue(option.dY);
            pNormalise->SetYUnit(static_cast<EUnit>(trace.GetYUnit()));
        } else if (auto* pSmooth = dynamic_cast<CComputeSmooth*>(pCompute)) {
            pSmooth->SetHalfWidth(option.iHalfWidth);
            pSmooth->SetPasses(option.iPasses);
        } else if (auto* pSum = dynamic_cast<CComputeSumBins*>(pCompute)) {
            pSum->SetBandWidth(static_cast<short>(option.iBandWidth));
        } else if (auto* pRelative = dynamic_cast<CComputeRelative*>(pCompute)) {
            pRelative->SetGoldenTrace(pGolden);
        }
        list.AddComputeObject(pCompute);
    }
    trace.SetComputeList(&list);
    if (!trace.SetShowTransformedYData(1, 0)) {
        sError = "the transforms did not run (an invert around the cursor needs the cursor on)";
        return false;
    }
    return true;
}
