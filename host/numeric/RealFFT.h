#pragma once
// A radix-2 FFT of real input: the n/2 + 1 bins 0 .. n/2 of the discrete
// Fourier transform X[k] = sum x[j] e^(-2 pi i j k / n), unscaled. The real
// input is packed into a complex sequence of half the length, transformed and
// split again, so it costs one complex FFT of n/2 points.

#include <complex>
#include <vector>

bool IsPowerOfTwo(int n);

// In-place complex FFT (forward, unscaled). False, leaving the data alone,
// unless the size is a power of two.
bool ComplexFFT(std::vector<std::complex<double>>& aData);

// False (output emptied) unless the input's size is a power of two of at least 2.
bool RealFFT(const std::vector<double>& adInput, std::vector<std::complex<double>>& aOutput);
