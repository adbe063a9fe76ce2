#include "apps/common/ComputeOption.h"

#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/model/QXTrace.h"

#include <cmath>
#include <cstdlib>

bool ParseComputeOption(const std::string& sText, SComputeOption& option)
{
    const auto number = [](const std::string& s, double& d) {
        char* pEnd = nullptr;
        d = std::strtod(s.c_str(), &pEnd);
        return !s.empty() && pEnd && *pEnd == 0 && std::isfinite(d);
    };
    const size_t uColon = sText.find(':');
    if (uColon == std::string::npos) return false;
    const std::string sKind = sText.substr(0, uColon);
    const std::string sRest = sText.substr(uColon + 1);
    option = SComputeOption{};
    if (sKind == "invert") {
        option.eType = COMPUTE_INVERT;
        if (sRest == "cursor") return option.bAroundCursor = true;
        return number(sRest, option.dY);
    }
    if (sKind != "normalise" && sKind != "normalize") return false;
    option.eType = COMPUTE_NORMALISE;
    const size_t uSecond = sRest.find(':');
    if (uSecond == std::string::npos) return number(sRest, option.dX);
    return number(sRest.substr(0, uSecond), option.dX) && number(sRest.substr(uSecond + 1), option.dY);
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
