#include "trace/core/ResponseMath.h"

#include <algorithm>
#include <cfloat>

SBinWalk VisitedBins(int iSumBinsType, int n)
{
    if (n <= 0) return {0, -1, 1};
    switch (iSumBinsType) {
    case 2: return {1, (n - 1) % 2 == 1 ? n - 1 : n - 2, 2};
    case 1: return {0, (n - 2) % 2 == 0 ? n - 2 : n - 3, 2};
    default: return {0, n - 1, 1};
    }
}

void AdjustBinsToParity(int iSumBinsType, int& iStartBin, int& iEndBin)
{
    if (iSumBinsType == 2) {
        if (iStartBin % 2 == 0) ++iStartBin;
        if (iEndBin % 2 == 0) --iEndBin;
    } else if (iSumBinsType == 1) {
        if (iStartBin % 2 != 0) ++iStartBin;
        if (iEndBin % 2 != 0) --iEndBin;
    }
}

bool AccountForToneSpread(int iToneMode, int& iBin, int iToneBin, int iSpread)
{
    if (iToneMode != 1) return iBin == iToneBin;
    if (iBin < iToneBin - iSpread || iBin > iToneBin + iSpread) return false;
    iBin = iToneBin + iSpread;
    return true;
}

namespace {

std::vector<int> BinsBetweenTones(const SResponseSelection& s, const SBinWalk& walk)
{
    std::vector<int> aiBins;
    const int iSpread = s.iToneMode == 1 ? std::max(s.iSpread, 0) : 0;
    const std::vector<int>& aiTones = s.aiAnaToneBins;
    for (size_t k = 0; k + 1 < aiTones.size(); ++k) {
        int iStart = std::max(aiTones[k] + iSpread + 1, walk.iFirst);
        int iEnd = std::min(aiTones[k + 1] - iSpread - 1, walk.iLast);
        AdjustBinsToParity(s.iSumBinsType, iStart, iEnd);
        for (int b = iStart; b <= iEnd; b += walk.iStep) aiBins.push_back(b);
    }
    return aiBins;
}

std::vector<int> TonesBelow(const std::vector<int>& aiTones, int n)
{
    std::vector<int> aiBins;
    for (int b : aiTones)
        if (b >= 0 && b < n) aiBins.push_back(b);
    std::sort(aiBins.begin(), aiBins.end());
    aiBins.erase(std::unique(aiBins.begin(), aiBins.end()), aiBins.end());
    return aiBins;
}

} // namespace

std::vector<int> SelectResponseBins(const SResponseSelection& s, int n)
{
    const SBinWalk walk = VisitedBins(s.iSumBinsType, n);
    switch (s.iIncludeType) {
    case 0: {
        std::vector<int> aiBins;
        for (int b = walk.iFirst; b <= walk.iLast; b += walk.iStep) aiBins.push_back(b);
        return aiBins;
    }
    case 1: return TonesBelow(s.aiAnaToneBins, n);
    case 3: return TonesBelow(s.aiGenToneBins, n);
    case 2:
    case 4: return BinsBetweenTones(s, walk);
    default: return {};
    }
}

bool ToneBinsFit(const std::vector<int>& aiAnaToneBins, const std::vector<int>& aiGenToneBins, int n)
{
    const auto fits = [n](const std::vector<int>& a) { return a.empty() || *std::max_element(a.begin(), a.end()) < n; };
    return fits(aiAnaToneBins) && fits(aiGenToneBins);
}

double LevelRatio(double dLevel, double dReference)
{
    if (dLevel == DBL_MAX) return DBL_MAX;
    return dReference == 0.0 ? 0.0 : dLevel / dReference;
}

SResponsePoints MakeResponsePoints(const std::vector<int>& aiBins, const std::function<double(int)>& level, double dX0,
                                   double dX1, int n)
{
    SResponsePoints points;
    if (aiBins.empty() || n <= 0) {
        points.adX = {dX0, dX1};
        points.adY = {DBL_MAX, DBL_MAX};
        return points;
    }
    const double dBinWidth = (dX1 - dX0) / n;
    const double dFirst = aiBins.front() * dBinWidth;
    const double dLast = aiBins.back() * dBinWidth;
    points.adX.reserve(aiBins.size() + 2);
    points.adY.reserve(aiBins.size() + 2);
    if (dFirst != dX0) {
        points.adX.push_back(dX0);
        points.adY.push_back(DBL_MAX);
    }
    for (int b : aiBins) {
        points.adX.push_back(b * dBinWidth);
        points.adY.push_back(level(b));
    }
    if (dLast != dX1) {
        points.adX.push_back(dX1);
        points.adY.push_back(DBL_MAX);
    }
    return points;
}

long ResponseCreationKey(int iFunction, int iSumBinsType, int iIncludeType, int iRelativeTo)
{
    // One hexadecimal digit each: every field has fewer than 16 values.
    const auto digit = [](int i) { return static_cast<long>(std::clamp(i, 0, 15)); };
    return digit(iFunction) | digit(iSumBinsType) << 4 | digit(iIncludeType) << 8 | digit(iRelativeTo) << 12;
}
