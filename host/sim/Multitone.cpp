#include "host/sim/Multitone.h"

#include <algorithm>
#include <cmath>

std::vector<int> ThirdOctaveToneBins(double dRate, int iLength)
{
    std::vector<int> aiBins;
    if (!(dRate > 0.0) || iLength < 2) return aiBins;
    const double dBinHz = dRate / iLength;
    int iPrevious = 0;
    for (int k = 13; k <= 43; ++k) {
        const int iBin = std::max(static_cast<int>(std::lround(std::pow(10.0, k / 10.0) / dBinHz)), iPrevious + 1);
        if (iBin >= iLength / 2) return {};
        aiBins.push_back(iBin);
        iPrevious = iBin;
    }
    return aiBins;
}

SChannelSignal MultitoneSignal(const std::vector<int>& aiBins, double dRate, int iLength, double dLeveldBFS)
{
    SChannelSignal signal;
    for (int iBin : aiBins) signal.aMultitone.push_back({iBin * dRate / iLength, dLeveldBFS});
    return signal;
}
