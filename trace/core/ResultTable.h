#pragma once
// One row per measurement result the trace window knows: its name in
// diagnostics, its sweep result name, which row of the default ranges it
// reads and how a sweep axis of it behaves. The default ranges, the sweep
// tables and the sweep's names read it instead of a switch over result ids
// each.

#include "host/units/UnitIds.h"
#include "trace/core/TraceDefs.h"

// The row of the default-range table a result reads.
enum EResultRange {
    ROW_UNKNOWN,
    ROW_UNUSED,
    ROW_SA_AMPLITUDE,   // signal analyser RMS amplitude
    ROW_CT_AMPLITUDE,   // CT detector
    ROW_FFT_AMPLITUDE,  // FFT detector
    ROW_FREQUENCY,      // fundamental frequency
    ROW_SAMPLE_RATE,    // interface sample rates
    ROW_DEVIATION,      // frame-rate deviations
    ROW_CARRIER_AMPL,
    ROW_CARRIER_JITTER,
    ROW_CARRIER_PHASE,
    ROW_PHASE,          // phase and delay between the channels
};

// How a sweep reads a result's axis: plain rows answer as written;
// amplitudes take their default unit from the input mode and their scale
// from relativity and jitter mode; detector amplitudes are in addition
// stored in dB when relative. None: not a sweep axis as it stands (the
// selected-channel ids, mapped to a channel's first, and no result).
enum class ESweepResultKind { None, Plain, Frequency, Amplitude, Detector };

// What the result's name string is formatted with.
enum class EResultNameArgs { None, Response, DetectorAndResponse };

struct SResultRow {
    int iID;
    const char* szName; // the id's name, for diagnostics
    int iNameString;    // IDS_RESULT_*, 0 when it has none
    EResultNameArgs eNameArgs;
    EResultRange eRange;
    ESweepResultKind eKind;
    EUnit eStorage; // UNIT_INVALID: stored in the unit it is shown in
    EUnit eDefault; // UNIT_INVALID: from the input mode (amplitudes)
    ScaleType eScale;
    bool bSigned; // its values go below zero, so it has no logarithmic axis
};

// The row of a result id (UNUSED_RESULT has one); nullptr for an id the
// table does not hold.
const SResultRow* FindResultRow(int iResultID);
