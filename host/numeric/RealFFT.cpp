#include "host/numeric/RealFFT.h"

#include <cmath>
#include <numbers>
#include <utility>

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

namespace {

void BitReverse(std::vector<std::complex<double>>& aData)
{
    const size_t n = aData.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j |= bit;
        if (i < j) std::swap(aData[i], aData[j]);
    }
}

// e^(-2 pi i k / n), computed directly rather than by repeated products so
// that long transforms keep full precision.
std::complex<double> Twiddle(size_t k, size_t n)
{
    const double dAngle = -2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n);
    return {std::cos(dAngle), std::sin(dAngle)};
}

} // namespace

bool ComplexFFT(std::vector<std::complex<double>>& aData)
{
    const size_t n = aData.size();
    if (n > static_cast<size_t>(1) << 30 || !IsPowerOfTwo(static_cast<int>(n))) return false;
    BitReverse(aData);
    for (size_t len = 2; len <= n; len <<= 1) {
        const size_t half = len / 2;
        for (size_t k = 0; k < half; ++k) {
            const std::complex<double> w = Twiddle(k, len);
            for (size_t start = 0; start < n; start += len) {
                const std::complex<double> u = aData[start + k];
                const std::complex<double> v = aData[start + k + half] * w;
                aData[start + k] = u + v;
                aData[start + k + half] = u - v;
            }
        }
    }
    return true;
}

bool RealFFT(const std::vector<double>& adInput, std::vector<std::complex<double>>& aOutput)
{
    aOutput.clear();
    const size_t n = adInput.size();
    if (n < 2 || n > static_cast<size_t>(1) << 30 || !IsPowerOfTwo(static_cast<int>(n))) return false;
    const size_t m = n / 2;

    // Even samples as the real part, odd ones as the imaginary part.
    std::vector<std::complex<double>> z(m);
    for (size_t j = 0; j < m; ++j) z[j] = {adInput[2 * j], adInput[2 * j + 1]};
    ComplexFFT(z);

    // Separate the two interleaved transforms and combine them:
    // X[k] = E[k] + e^(-2 pi i k / n) O[k].
    aOutput.resize(m + 1);
    for (size_t k = 0; k <= m; ++k) {
        const std::complex<double> zk = z[k % m];
        const std::complex<double> zc = std::conj(z[(m - k) % m]);
        const std::complex<double> even = 0.5 * (zk + zc);
        const std::complex<double> odd = std::complex<double>(0.0, -0.5) * (zk - zc);
        aOutput[k] = even + Twiddle(k, n) * odd;
    }
    return true;
}
