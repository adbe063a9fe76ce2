#pragma once
// The bin arithmetic of multitone responses, free of trace objects so it is
// tested alone: which FFT bins a response visits (every bin, or every second
// one of a parity), which of them make its points (all, the tone bins, or
// the bins between the tones), and the points themselves, with no-value
// points closing the X range where the bins do not reach its ends.

#include <functional>
#include <vector>

// The bins a sum-bins type visits in a buffer of n bins: type 2 the odd
// bins 1, 3, ... up to n - 1, type 1 the even bins 0, 2, ... up to n - 2,
// anything else every bin 0 .. n - 1.
struct SBinWalk {
    int iFirst = 0;
    int iLast = -1;
    int iStep = 1;
};
SBinWalk VisitedBins(int iSumBinsType, int n);

// Keeps a run of bins on the parity a sum-bins type visits: for type 2 an
// even start moves up one and an even end down one; for type 1 an odd start
// moves up and an odd end down; type 0 leaves both.
void AdjustBinsToParity(int iSumBinsType, int& iStartBin, int& iEndBin);

// Outside tone mode 1 whether the bin is the tone bin. In tone mode 1 a bin
// within the tone bin plus or minus the spread moves to the tone bin plus
// the spread and the answer is true; any other bin gives false.
bool AccountForToneSpread(int iToneMode, int& iBin, int iToneBin, int iSpread);

// What a response's include type asks for, in one place.
struct SResponseSelection {
    int iIncludeType = 1;  // 0 visited bins, 1 analyser tones, 3 generator tones, 2 and 4 between tones
    int iSumBinsType = 0;
    int iToneMode = 0;
    int iSpread = 0;       // bins either side of a tone that belong to it (tone mode 1)
    std::vector<int> aiAnaToneBins;
    std::vector<int> aiGenToneBins;
};
// The bins that make the points, ascending, all below n. Bins between the
// tones run from just above one tone (and its spread) to just below the
// next, on the visited parity.
std::vector<int> SelectResponseBins(const SResponseSelection& selection, int n);

// Whether every tone bin of both sets lies below n, as the buffer must hold them.
bool ToneBinsFit(const std::vector<int>& aiAnaToneBins, const std::vector<int>& aiGenToneBins, int n);

// A level over a reference; a zero reference gives 0 rather than a division
// by nothing, and a missing level stays missing (+DBL_MAX).
double LevelRatio(double dLevel, double dReference);

// The points of a response: each bin b at X = b (x1 - x0) / n with the
// level the function gives for it. A leading (x0, no value) is added when
// the first point is not at x0 and a trailing (x1, no value) when the last
// is not at x1; without bins the points are just those two.
struct SResponsePoints {
    std::vector<double> adX;
    std::vector<double> adY;
};
SResponsePoints MakeResponsePoints(const std::vector<int>& aiBins, const std::function<double(int)>& level, double dX0,
                                   double dX1, int n);

// The creation key of a live response trace: one per function, sum-bins
// type, include type and reference, so that two measurements of different
// kinds on one channel keep two traces.
long ResponseCreationKey(int iFunction, int iSumBinsType, int iIncludeType, int iRelativeTo);
