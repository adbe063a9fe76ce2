// `tracewin render`.

#include "apps/tracewin/RenderCommand.h"

#include "apps/common/BuiltInDocument.h"
#include "apps/common/LimitOption.h"
#include "apps/common/LiveSource.h"
#include "apps/common/SweepSource.h"
#include "platform/String.h"
#include "resources/StringTable.h"
#include "qt/QtImageFormats.h"
#include "qt/QtImageTarget.h"
#include "qt/QtPdfTarget.h"
#include "qt/QtSvgTarget.h"
#include "trace/display/GraphView.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"


#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

const char* const kRenderUsage =
    "usage: tracewin render [--channel A|B|both] [--size WxH] [--small] [--log-x]\n"
    "                       [--traces scope,fft] [--live N] -o FILE.png|.jpg|.bmp|.svg|.pdf\n"
    "                       [--sweep]  (a simulated 20 Hz - 20 kHz sweep: level on A, THD+N on B)\n"
    "                       [--multitone [--gain DB]]  (responses of a simulated 31-tone multitone, after --live N\n"
    "                                  blocks, through the device with DB more gain)\n"
    "                       [--trace FILE.trc]...  (trace files added to the drawn channel)\n"
    "                       [--limit [max:|min:]FILE.lim]...  (limit lines of the current trace)\n"
    "                       [--compute invert:Y|invert:cursor|normalise:X[:Y]|smooth:H[:P]|sumbins:1|3|6|12|\n"
    "                                  relative:FILE.trc]...  (transforms of the current trace)\n"
    "  with --limit: prints PASS or FAIL (exit 3) for the current trace, breaches drawn in the limit's colour\n";

namespace {

bool ParseTraceList(const std::string& sText, std::vector<TraceType>& aeTraces, std::string& sError)
{
    aeTraces.clear();
    size_t start = 0;
    while (start <= sText.size()) {
        const size_t end = std::min(sText.find(',', start), sText.size());
        const std::string sName = sText.substr(start, end - start);
        TraceType eType = TT_FFT;
        if (!ParseTraceKind(sName, eType)) {
            sError = "unknown trace kind '" + sName + "' (known: " + kTraceKindNames + ")";
            return false;
        }
        if (std::find(aeTraces.begin(), aeTraces.end(), eType) == aeTraces.end()) aeTraces.push_back(eType);
        start = end + 1;
    }
    return true;
}

enum class EPictureKind { Image, Svg, Pdf, Unknown };

std::string LowerExtension(const std::string& sPath)
{
    const size_t slash = sPath.find_last_of('/');
    const size_t dot = sPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string sExt = sPath.substr(dot + 1);
    std::transform(sExt.begin(), sExt.end(), sExt.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return sExt;
}

EPictureKind PictureKindOf(const std::string& sPath)
{
    const std::string sExt = LowerExtension(sPath);
    if (sExt == "svg") return EPictureKind::Svg;
    if (sExt == "pdf") return EPictureKind::Pdf;
    if (!QtImageFormatForFile(CString(sPath)).IsEmpty()) return EPictureKind::Image;
    return EPictureKind::Unknown;
}

std::string KnownFormats()
{
    std::string sList = "svg, pdf";
    for (const CString& sFormat : QtSupportedImageFormats()) sList += ", " + sFormat.ToUtf8();
    return sList;
}

// Shows the chosen kinds on the channels drawn and hides the others.
void ShowTraces(CBuiltInDocument& built, const SRenderOptions& options)
{
    CGraphDoc& doc = built.GetDoc();
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        const bool bDrawn = options.eChannel == CHANNEL_BOTH || options.eChannel == eChannel;
        for (const TraceType eKind : kBuiltInKinds) {
            CQXTrace* pTrace = built.GetLiveTrace(eChannel, eKind);
            if (!pTrace) continue;
            const bool bShow =
                bDrawn && std::find(options.aeTraces.begin(), options.aeTraces.end(), eKind) != options.aeTraces.end();
            if (bShow && !pTrace->IsOn()) doc.TraceOn(pTrace, 0);
            if (!bShow && pTrace->IsOn()) doc.TraceOff(pTrace, 0);
            if (bShow && options.bLogX && pTrace->IsFFTTrace()) {
                pTrace->SetLogX(1);
                pTrace->CalcXTicks();
            }
        }
    }
    const ChannelNumber eCurrent = options.eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A;
    if (CQXTrace* pCurrent = built.GetLiveTrace(eCurrent, options.aeTraces.front())) doc.SetCurrentTrace(pCurrent, 0);
    doc.SetDrawingAllOnSameView(options.eChannel == CHANNEL_BOTH);
}

// The picture being drawn: its target, and how to finish and save it.
struct SPicture {
    std::unique_ptr<CQtTarget> pTarget;
    CQtImageTarget* pImage = nullptr;
};

SPicture MakePicture(EPictureKind eKind, const SRenderOptions& options)
{
    const CString sPath(options.sOutput);
    SPicture picture;
    switch (eKind) {
    case EPictureKind::Svg:
        // The same picture as the raster formats, with the position bars.
        picture.pTarget = std::make_unique<CQtSvgTarget>(sPath, options.iWidth, options.iHeight, CString(L"tracewin"),
                                                         CQtSvgTarget::ERole::ScreenPicture);
        break;
    case EPictureKind::Pdf: {
        // One drawing pixel per device dot, the page the picture's size at the same resolution.
        const double dMillimetresPerPixel = 25.4 / CQtSvgTarget::kResolution;
        picture.pTarget = std::make_unique<CQtPdfTarget>(sPath, options.iWidth * dMillimetresPerPixel,
                                                         options.iHeight * dMillimetresPerPixel,
                                                         CQtSvgTarget::kResolution, CString(L"tracewin"));
        break;
    }
    default: {
        auto pImage = std::make_unique<CQtImageTarget>(options.iWidth, options.iHeight);
        picture.pImage = pImage.get();
        picture.pTarget = std::move(pImage);
        break;
    }
    }
    return picture;
}

} // namespace

bool ParseRenderSize(const std::string& sText, int& iWidth, int& iHeight)
{
    const size_t x = sText.find_first_of("xX");
    if (x == std::string::npos) return false;
    int w = 0, h = 0;
    if (!ParseWholeInt(sText.substr(0, x), w) || !ParseWholeInt(sText.substr(x + 1), h)) return false;
    if (w < 1 || h < 1 || w > kMaxRenderSide || h > kMaxRenderSide) return false;
    iWidth = w;
    iHeight = h;
    return true;
}

bool ParseRenderOptions(const Args& args, SRenderOptions& options, std::string& sError)
{
    options = SRenderOptions();
    bool bSized = false, bSmall = false, bGain = false;
    CArgReader reader(args);
    std::string sValue;
    while (!reader.AtEnd()) {
        const std::string& sArg = reader.Next();
        if (sArg == "--log-x") {
            options.bLogX = true;
        } else if (sArg == "--sweep") {
            options.bSweep = true;
        } else if (sArg == "--multitone") {
            options.bMultitone = true;
        } else if (sArg == "--gain") {
            if (!reader.Value(sValue, sError)) return false;
            if (!ParseFiniteNumber(sValue, options.dDeviceGaindB) || std::abs(options.dDeviceGaindB) > kMaxDeviceGaindB) {
                sError = "bad gain '" + sValue + "' (dB, -20 to 20)";
                return false;
            }
            bGain = true;
        } else if (sArg == "--small") {
            bSmall = true;
        } else if (sArg == "--channel") {
            if (!reader.Value(sValue, sError)) return false;
            if (!ParseChannel(sValue, options.eChannel, true)) {
                sError = "bad channel '" + sValue + "' (A, B or both)";
                return false;
            }
        } else if (sArg == "--size") {
            if (!reader.Value(sValue, sError)) return false;
            if (!ParseRenderSize(sValue, options.iWidth, options.iHeight)) {
                sError = "bad size '" + sValue + "' (WxH, each 1 to " + std::to_string(kMaxRenderSide) + ")";
                return false;
            }
            bSized = true;
        } else if (sArg == "--traces") {
            if (!reader.Value(sValue, sError) || !ParseTraceList(sValue, options.aeTraces, sError)) return false;
        } else if (sArg == "--trace" || sArg == "--limit") {
            if (!reader.Value(sValue, sError)) return false;
            (sArg == "--trace" ? options.asTraceFiles : options.asLimitFiles).push_back(sValue);
        } else if (sArg == "--compute") {
            if (!reader.Value(sValue, sError)) return false;
            SComputeOption option;
            if (!ParseComputeOption(sValue, option)) {
                sError = "bad transform '" + sValue +
                         "' (invert:Y, invert:cursor, normalise:X[:Y], smooth:H[:P], sumbins:1|3|6|12 or relative:FILE)";
                return false;
            }
            options.asComputes.push_back(sValue);
        } else if (sArg == "--live") {
            if (!ParseLiveBlocks(reader, options.iLiveBlocks, sError)) return false;
        } else if (sArg == "-o" || sArg == "--output") {
            if (!reader.Value(options.sOutput, sError)) return false;
        } else {
            sError = "unknown option '" + sArg + "'";
            return false;
        }
    }
    if (bSmall && bSized) {
        sError = "--small and --size exclude each other";
        return false;
    }
    if (bSmall) {
        options.iWidth = kSmallRenderWidth;
        options.iHeight = kSmallRenderHeight;
    }
    if (options.sOutput.empty()) {
        sError = "no output file (-o FILE)";
        return false;
    }
    if (options.bLogX && std::find(options.aeTraces.begin(), options.aeTraces.end(), TT_FFT) == options.aeTraces.end()) {
        sError = "--log-x needs the fft trace (scope traces have no log axis)";
        return false;
    }
    if (bGain && !options.bMultitone) {
        sError = "--gain changes the multitone's device (--multitone)";
        return false;
    }
    if (options.bSweep && (options.iLiveBlocks > 0 || options.bMultitone)) {
        sError = options.bMultitone ? "--sweep and --multitone exclude each other" : "--sweep and --live exclude each other";
        return false;
    }
    return true;
}

// The drawn channel's current trace: limits and transforms act on it.
static CQXTrace* DrawnTrace(CGraphDoc& doc, const SRenderOptions& options)
{
    return doc.GetCurrentTrace(options.eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A);
}

static bool AttachLimitFiles(CGraphDoc& doc, const SRenderOptions& options, std::string& sError)
{
    CQXTrace* pTrace = DrawnTrace(doc, options);
    for (const std::string& sLimit : options.asLimitFiles) {
        if (!pTrace) sError = "cannot load the limit file '" + ParseLimitOption(sLimit).sFile + "': no current trace";
        if (!pTrace || !AttachLimitFile(*pTrace, sLimit, sError)) return false;
    }
    return true;
}

// The transforms of --compute on the drawn channel's current trace, shown in place.
static bool ApplyComputes(CGraphDoc& doc, const SRenderOptions& options, std::string& sError)
{
    if (options.asComputes.empty()) return true;
    CQXTrace* pTrace = DrawnTrace(doc, options);
    if (!pTrace) {
        sError = "no current trace for --compute";
        return false;
    }
    if (!ShowComputes(*pTrace, options.asComputes, false, sError)) return false;
    pTrace->AutoZoomY(0, 0);
    return true;
}

// Checks the current trace against the limit lines attached from files (as
// the analyser does after each measurement) and words the result.
static bool CheckLimitFiles(CGraphDoc& doc, const SRenderOptions& options, std::string& sVerdict)
{
    CQXTrace* pTrace = DrawnTrace(doc, options);
    if (!pTrace) return true;
    pTrace->CheckLimits();
    return LimitVerdict(*pTrace, options.asLimitFiles, sVerdict);
}

int PrepareRenderDocument(CBuiltInDocument& built, const SRenderOptions& options, std::unique_ptr<CSweepSource>& pSweep,
                          std::string& sError, std::string& sVerdict, bool& bPassed)
{
    if (!built.IsValid()) {
        sError = "the built-in document could not be made";
        return kExitFailure;
    }
    if (options.iLiveBlocks > 0 || options.bMultitone) {
        CLiveSource live(built.GetHost(), built.GetDoc(), options.bMultitone ? ELiveSignal::Multitone : ELiveSignal::Tones);
        if (options.bMultitone) live.SetDeviceGain(options.dDeviceGaindB);
        // The responses are made with the source: their limits are checked with every block.
        if (options.bMultitone && !AttachLimitFiles(built.GetDoc(), options, sError)) return kExitFailure;
        const int iBlocks = options.iLiveBlocks > 0 ? options.iLiveBlocks : CLiveSource::kMultitoneBlocks;
        if (!live.RunBlocks(iBlocks)) {
            sError = "the simulated measurement failed";
            return kExitFailure;
        }
    }
    // The multitone shows its responses, current on their channels, in place of the built-in kinds.
    if (options.bMultitone) built.GetDoc().SetDrawingAllOnSameView(options.eChannel == CHANNEL_BOTH);
    else ShowTraces(built, options);
    if (options.bSweep) {
        pSweep = std::make_unique<CSweepSource>(built.GetDoc());
        if (!pSweep->RunAll()) {
            sError = "the simulated sweep failed";
            return kExitFailure;
        }
    }
    for (const std::string& sFile : options.asTraceFiles) {
        const ChannelNumber eChannel = options.eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A;
        std::string sReason;
        if (!LoadCommandLineTrace(built.GetDoc(), sFile, eChannel, sReason)) {
            sError = "cannot load the trace file '" + sFile + "': " + sReason;
            return kExitFailure;
        }
    }
    if (!options.bMultitone && !AttachLimitFiles(built.GetDoc(), options, sError)) return kExitFailure;
    if (!ApplyComputes(built.GetDoc(), options, sError)) return kExitFailure;
    bPassed = options.asLimitFiles.empty() || CheckLimitFiles(built.GetDoc(), options, sVerdict);
    return kExitOk;
}

int RenderGraph(const SRenderOptions& options, std::string& sError, std::string* psVerdict)
{
    const EPictureKind eKind = PictureKindOf(options.sOutput);
    if (eKind == EPictureKind::Unknown) {
        sError = "cannot tell the picture format of '" + options.sOutput + "' (known: " + KnownFormats() + ")";
        return kExitUsage;
    }
    CBuiltInDocument built;
    // Declared here so that the sweep traces are fed and drawn while it lives.
    std::unique_ptr<CSweepSource> pSweep;
    std::string sVerdict;
    bool bPassed = true;
    if (const int iExit = PrepareRenderDocument(built, options, pSweep, sError, sVerdict, bPassed); iExit != kExitOk)
        return iExit;

    SPicture picture = MakePicture(eKind, options);
    if (!picture.pTarget->IsValid()) {
        sError = "cannot write '" + options.sOutput + "'";
        return kExitFailure;
    }
    {
        CGraphView view;
        view.SetChannel(options.eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A);
        view.OnSize(CRect(0, 0, options.iWidth, options.iHeight));
        view.OnDraw(picture.pTarget->GetDC());
    }
    const bool bWritten = picture.pImage ? picture.pImage->Save(CString(options.sOutput)) : picture.pTarget->Finish();
    if (!bWritten) {
        sError = "cannot write '" + options.sOutput + "'";
        return kExitFailure;
    }
    if (psVerdict) *psVerdict = sVerdict;
    return bPassed ? kExitOk : kExitLimitBreached;
}

int RunRender(const Args& args)
{
    SRenderOptions options;
    std::string sError;
    if (!ParseRenderOptions(args, options, sError)) {
        std::fprintf(stderr, "tracewin render: %s\n%s", sError.c_str(), kRenderUsage);
        return kExitUsage;
    }
    const CHeadlessGuiApplication app;
    std::string sVerdict;
    const int iExit = RenderGraph(options, sError, &sVerdict);
    if (iExit != kExitOk && iExit != kExitLimitBreached) {
        std::fprintf(stderr, "tracewin render: %s\n", sError.c_str());
        return iExit;
    }
    std::printf("%s\n", options.sOutput.c_str());
    if (!sVerdict.empty()) std::printf("%s\n", sVerdict.c_str());
    return iExit;
}
