#pragma once
// A third-octave multitone for the simulated analyser: 31 tones, one per
// third octave from 20 Hz to 20 kHz, each on a bin of the analyser's FFT so
// that its level reads in that one bin.

#include "host/sim/SignalGenerator.h"

#include <vector>

// The bins of an FFT of iLength points at dRate nearest the nominal centres
// 10^(k/10) Hz, k = 13 .. 43, each at least one bin above the one before
// and below iLength / 2; empty for a length or rate that cannot hold them.
std::vector<int> ThirdOctaveToneBins(double dRate, int iLength);

// Those bins' tones (bin x rate / length) as a channel's signal, each at dLeveldBFS.
SChannelSignal MultitoneSignal(const std::vector<int>& aiBins, double dRate, int iLength, double dLeveldBFS);
