#include "host/settings/WindowFunction.h"

#include <cmath>
#include <numbers>

namespace {

// Generalised cosine window: a0 - a1 cos(2 pi x) + a2 cos(4 pi x) - ...
double CosineSum(const double* pdTerms, int iCount, double x)
{
    double dSum = 0.0;
    double dSign = 1.0;
    for (int k = 0; k < iCount; ++k) {
        dSum += dSign * pdTerms[k] * std::cos(2.0 * std::numbers::pi * k * x);
        dSign = -dSign;
    }
    return dSum;
}

} // namespace

double WindowValue(WINDOWFUNCTION eWindow, double x)
{
    if (x < 0.0 || x > 1.0) return 0.0;
    static const double kHann[] = {0.5, 0.5};
    static const double kHamming[] = {0.54, 0.46};
    static const double kBlackman[] = {0.42, 0.5, 0.08};
    static const double kBlackmanHarris[] = {0.35875, 0.48829, 0.14128, 0.01168};
    // Peak normalised to 1 (the usual coefficients sum to 4.636).
    static const double kFlatTop[] = {0.21557895, 0.41663158, 0.277263158, 0.083578947, 0.006947368};
    switch (eWindow) {
    case WINDOW_HANN: return CosineSum(kHann, 2, x);
    case WINDOW_HAMMING: return CosineSum(kHamming, 2, x);
    case WINDOW_BLACKMAN: return CosineSum(kBlackman, 3, x);
    case WINDOW_BLACKMANHARRIS4: return CosineSum(kBlackmanHarris, 4, x);
    case WINDOW_FLATTOP: return CosineSum(kFlatTop, 5, x);
    default: return 1.0;
    }
}
