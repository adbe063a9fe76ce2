#pragma once
// Transforms given on a command line ("invert:Y", "invert:cursor",
// "normalise:X[:Y]", values in the trace's units), shared by `tracewin
// render --compute` and `tracewin-demo --compute`.

#include "trace/core/TraceDefs.h"

#include <string>
#include <vector>

class CQXTrace;

// One --compute argument as a transform: its type, whether it inverts around
// the cursor, and its values (X unused by invert).
struct SComputeOption {
    ComputeType eType = COMPUTE_INVERT;
    bool bAroundCursor = false;
    double dX = 0.0;
    double dY = 0.0;
};
// False for anything but the forms above with finite numbers.
bool ParseComputeOption(const std::string& sText, SComputeOption& option);

// The transforms in order as the trace's list, shown in place or, for a
// live trace with bApplyToCopy, in a copy beside it; false with a message
// when one is malformed or the run fails.
bool ShowComputes(CQXTrace& trace, const std::vector<std::string>& asComputes, bool bApplyToCopy, std::string& sError);
