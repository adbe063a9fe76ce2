#pragma once
// `tracewin render`: draws the built-in graph document with the graph view
// into a picture file (any installed image writer by extension, SVG or PDF).
// The options are parsed apart from the drawing so that both can be checked
// on their own.

#include "apps/common/ComputeOption.h"
#include "apps/tracewin/CliArgs.h"
#include "qt/QtHeadlessApplication.h"
#include "trace/core/TraceDefs.h"

#include <memory>
#include <string>
#include <vector>

class CBuiltInDocument;
class CSweepSource;

struct SRenderOptions {
    // CHANNEL_BOTH draws both channels in one view.
    ChannelNumber eChannel = CHANNEL_A;
    int iWidth = 1024;
    int iHeight = 640;
    bool bLogX = false;
    // Trace kinds shown, in order; the first is the current trace.
    std::vector<TraceType> aeTraces{TT_FFT};
    // Simulated measurement blocks delivered before drawing (0: the built-in signals).
    int iLiveBlocks = 0;
    // Draw a simulated stepped sweep instead (level on A, THD+N on B).
    bool bSweep = false;
    // Draw the frequency responses of a simulated multitone instead (live
    // blocks: iLiveBlocks, or CLiveSource::kMultitoneBlocks when not given).
    bool bMultitone = false;
    // The simulated device's gain for the multitone, dB (--gain; 0 when not given).
    double dDeviceGaindB = 0.0;
    // Trace files loaded onto the drawn channel (channel A when both are drawn).
    std::vector<std::string> asTraceFiles;
    // Limit files attached to the drawn channel's current trace: "[max:|min:]FILE".
    std::vector<std::string> asLimitFiles;
    // Transforms shown on the drawn channel's current trace, in order:
    // "invert:Y", "invert:cursor", "normalise:X[:Y]" (trace units; Y defaults to 0),
    // "smooth:H[:P]", "sumbins:1|3|6|12", "relative:FILE.trc".
    std::vector<std::string> asComputes;
    std::string sOutput;
};

// A gain beyond this moves the multitone's tones off the response window.
constexpr double kMaxDeviceGaindB = 20.0;
// Pictures larger than this on a side only come from mistyped sizes.
constexpr int kMaxRenderSide = 16384;
// The size of a small view (--small): under 200 x 100 a view shows no scales.
constexpr int kSmallRenderWidth = 199;
constexpr int kSmallRenderHeight = 99;

// False with a message for the user when the arguments are not usable.
bool ParseRenderOptions(const Args& args, SRenderOptions& options, std::string& sError);
// "1280x800" -> 1280, 800; false for anything else or a side outside 1 .. kMaxRenderSide.
bool ParseRenderSize(const std::string& sText, int& iWidth, int& iHeight);
// Draws the picture; a Qt GUI application must exist. Returns an exit code:
// kExitUsage for a file type no writer handles, kExitFailure when the
// document cannot be built or the file cannot be written, and with limit
// files kExitLimitBreached when the current trace breaches one. The verdict
// of the limit check ("PASS: ..." or "FAIL: ..."), when given, goes to
// *psVerdict.
int RenderGraph(const SRenderOptions& options, std::string& sError, std::string* psVerdict = nullptr);

// Builds the document the options describe in `built`: live blocks, the
// traces shown, the sweep (kept alive in pSweep while it is drawn), trace
// files, limit files and transforms; with limit files the verdict of the
// check and whether it passed. kExitOk, or the exit code with sError.
int PrepareRenderDocument(CBuiltInDocument& built, const SRenderOptions& options, std::unique_ptr<CSweepSource>& pSweep,
                          std::string& sError, std::string& sVerdict, bool& bPassed);
