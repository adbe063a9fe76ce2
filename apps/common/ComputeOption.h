#pragma once
// Transforms given on a command line ("invert:Y", "invert:cursor",
// "normalise:X[:Y]", "smooth:H[:P]", "sumbins:1|3|6|12",
// "relative:FILE.trc"; values in the trace's units), shared by `tracewin
// render --compute` and `tracewin-demo --compute`.

#include "platform/String.h"
#include "trace/core/TraceDefs.h"

#include <string>
#include <vector>

class CGraphDoc;
class CQXTrace;

// A file named on the command line is relative to the working folder, never
// to the host's folders for traces and limits.
CString ShellPath(const std::string& sPath);

// A trace file named on the command line loaded onto the channel (null with
// the reason when it does not load). A trace keeps the colour it was saved
// with; when a trace shown on the channel has that colour (the live trace it
// was saved from), it takes the next copy colour, as a copy made in the
// window does, so that the two can be told apart.
CQXTrace* LoadCommandLineTrace(CGraphDoc& doc, const std::string& sFile, ChannelNumber eChannel, std::string& sReason);

// One --compute argument as a transform: its type, whether it inverts around
// the cursor, its values (X unused by invert), the smoothing's half width and
// passes, the band width, and the golden trace's file.
struct SComputeOption {
    ComputeType eType = COMPUTE_INVERT;
    bool bAroundCursor = false;
    double dX = 0.0;
    double dY = 0.0;
    int iHalfWidth = 1;
    int iPasses = 2;
    int iBandWidth = 1;
    std::string sGoldenFile;
};
// False for anything but the forms above with finite numbers, counts of 1
// to 10 and a band of 1, 3, 6 or 12 parts of an octave.
bool ParseComputeOption(const std::string& sText, SComputeOption& option);

// The transforms in order as the trace's list, shown in place or, for a
// live trace with bApplyToCopy, in a copy beside it; a golden trace's file
// is loaded onto the trace's channel first. False with a message when one
// is malformed, a golden file cannot be loaded or the run fails.
bool ShowComputes(CQXTrace& trace, const std::vector<std::string>& asComputes, bool bApplyToCopy, std::string& sError);
