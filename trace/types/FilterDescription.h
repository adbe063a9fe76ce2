#pragma once
// What a filter trace draws: the filters one analyser path applies, read
// from the host's settings of that path (the CT detector, the FFT
// parameters or one FFT detector).

#include "host/settings/AnalyserSettings.h"
#include "trace/core/TraceDefs.h"

// Fills the low-pass, high-pass, weighting and band fields of pItem for the
// source (CFilterTrace::kSourceCTDetector, kSourceFFTParameters or an FFT
// detector id) and channel. A user weighting file in use makes the
// weighting WEIGHTING_USER with the file's path. False for a detector id
// the host does not know.
bool CollectFilterDescription(int iSource, ChannelNumber eChannel, FilterCombinationListItem* pItem);

// Whether the description carries a band-pass or band-reject filter.
inline bool HasBandFilter(const FilterCombinationListItem& item)
{
    return item.iBandMode == 1 || item.iBandMode == 2;
}
