// tracewin-demo: the first window. One graph view per channel (A above B)
// shows the built-in document with its scope and FFT traces kept live by a
// simulated measurement: the engine measures 20 blocks a second on its own
// thread and each block is delivered to the document on the UI thread, whose
// update hints repaint the views. The mouse works in the views: drag a
// rubber band to zoom, double-click to place the cursor and drag it, use
// Left/Right/Home/End, and right-click for the context menu; the Trace and
// Graph menus come from the frame's command table, the Legend dock lists the
// traces (click the dot to switch one, the copy mark to copy it, a row to
// make it current, double-click a name to rename it), and the status bar
// shows each channel's cursor read-out. "Create/Edit Limit Line" (or L, for
// channel A's scope trace) draws a limit line: each click in the plot adds a
// point, its floating bar finishes, cancels, ends a segment or undoes. The
// File menu opens and saves traces and the graph document (its recent files
// below), exports the graph (every offered format), copies it (metafile and
// PNG on the clipboard), previews and prints it and sets the page up, and
// runs a Python script on the live window ("Run script...").
// "Edit impulse response Window function" (or I) shows channel A's impulse
// window with three handles to drag and its bar to type bins in.
//
// With --sweep the views show a simulated stepped sweep instead: a device
// under test measured from 20 Hz to 20 kHz, level on channel A and THD+N on
// channel B, one step at a time at the pace of a real instrument. With
// --multitone both channels play 31 tones through that device and show
// their live frequency responses; --compute then acts on channel A's, and
// --gain DB gives the device DB more gain.
//
//   tracewin-demo [--sweep | --multitone [--gain DB] | --values] [--compute TRANSFORM]... [--copy]
//                 [--limit [max:|min:]FILE.lim]... [--dialog transforms|invert|normalise|settings|comment|addtrace|colours FILE]
//                 [--screenshot FILE]
//
// --limit attaches a limit file to channel A's spectrum (or response) as
// its upper limit, or with "min:" its lower one (as `tracewin render
// --limit`); every block is checked against it and breaches are drawn in the
// limit's colour. With --screenshot the verdict of the last block follows
// the file's name (PASS or FAIL, exit 3 on a breach).
//
// With --values the trace values table of channel A's spectrum sits beside
// the views, with the cursor on the 1 kHz tone and marks on the tone and its
// harmonics (labelled "Fundamental", "Second", ...); it follows every block
// as the views do. The Marks menu and the mark bar add, label and list
// marks on any trace, and mark the harmonics of a spectrum.
//
// --compute puts transforms on channel A's spectrum (as `tracewin render
// --compute`), in place or, with --copy, in a copy shown beside the live
// trace. The dialogs work on that spectrum: the transforms list opens with
// T (or --dialog, which saves that form to FILE and closes it). With
// --screenshot the window is saved to FILE after a few blocks (or once the
// sweep is complete) and closed.
//
// --script FILE.py runs a Python script against the live window once it is
// up, with the arguments after "--" in its sys.argv (`tracewin.window()` in the script; docs/automation.md); the window
// stays open afterwards, or with --screenshot is saved then and closed, the
// demo exiting with the script's status.
//
// With TRACEWIN_DEMO_WIDGETS=FILE in the environment the demo keeps FILE
// current with where its menus, buttons, fields, rows and views are on the
// screen (apps/tracewin-demo/WidgetMap.h), for scripts/user-guide.

#include "apps/common/BuiltInDocument.h"
#include "apps/common/ComputeOption.h"
#include "apps/common/LimitOption.h"
#include "apps/common/LiveSource.h"
#include "apps/common/SweepSource.h"
#include "apps/tracewin-demo/DemoScript.h"
#include "apps/tracewin-demo/WidgetMap.h"
#include "host/app/HeadlessHost.h"
#include "qt/GraphViewWidget.h"
#include "qt/TraceWindow.h"
#include "trace/compute/Compute.h"
#include "trace/compute/ComputeListDlg.h"
#include "trace/display/GraphView.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphColorsDlg.h"
#include "trace/document/TraceCommentDlg.h"
#include "trace/document/TraceSettingsDlg.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/AddTraceDlg.h"
#include "trace/model/QXTrace.h"
#include "trace/types/FFTResponseTrace.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeySequence>
#include <QMetaObject>
#include <QPixmap>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kBlocksPerSecond = 20;
// Blocks delivered before a screenshot, so that it shows measured data.
constexpr int kScreenshotBlocks = 5;

// Opens a dialog on the trace: the transforms list, a new transform's own,
// its settings or its comment; or Add Trace on the window.
void OpenDialog(const std::string& sKind, CQXTrace& trace)
{
    if (sKind == "transforms") {
        trace.ShowComputeListDlg();
        return;
    }
    if (sKind == "addtrace") {
        if (CGraphDoc* pDoc = GetGraphDoc()) {
            CAddTraceDlg dialog(*pDoc);
            DoModalDialog(dialog);
        }
        return;
    }
    if (sKind == "colours") {
        if (CGraphDoc* pDoc = GetGraphDoc()) {
            CGraphColorsDlg colours(*pDoc);
            DoModalDialog(colours);
        }
        return;
    }
    if (sKind == "settings" || sKind == "comment") {
        CTraceSettingsDlg settings(trace);
        CTraceCommentDlg comment(trace);
        DoModalDialog(sKind == "settings" ? static_cast<CDialogModel&>(settings) : comment);
        return;
    }
    std::unique_ptr<CCompute> pCompute(
        CreateComputeObject(sKind == "invert" ? COMPUTE_INVERT : COMPUTE_NORMALISE, &trace));
    if (pCompute) pCompute->ShowComputeDlg(nullptr, &trace);
}

// The trace when the document still holds it (opening a document replaces its traces).
CQXTrace* StillInDocument(CGraphDoc& doc, CQXTrace* pTrace)
{
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pHeld : doc.GetTraceArray(eChannel))
            if (pHeld == pTrace) return pTrace;
    return nullptr;
}

// The views and their graticules by name, beside what the map finds itself.
void MapWidgets(CTraceWindow& window, const char* szPath)
{
    auto* pMap = new CWidgetMap(QString::fromLocal8Bit(szPath), &window);
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        CGraphViewWidget* pView = window.GetViewWidget(eChannel);
        if (!pView) continue;
        const QString sChannel = eChannel == CHANNEL_A ? "A" : "B";
        pMap->AddArea("view " + sChannel, [pView]() { return QRect(pView->mapToGlobal(QPoint(0, 0)), pView->size()); });
        pMap->AddArea("graticule " + sChannel, [pView]() {
            const CRect& rc = pView->GetView().GetGraticuleRect();
            return QRect(pView->mapToGlobal(QPoint(rc.left, rc.top)), QSize(rc.right - rc.left, rc.bottom - rc.top));
        });
    }
}

} // namespace

int main(int argc, char** argv)
{
    const char* szScreenshot = nullptr;
    bool bSweep = false;
    bool bMultitone = false;
    std::vector<std::string> asComputes;
    std::vector<std::string> asLimits;
    const char* szGain = nullptr;
    bool bCopy = false;
    std::string sDialog;
    const char* szDialogShot = nullptr;
    bool bValues = false;
    const char* szScript = nullptr;
    std::vector<std::string> asScriptArgs;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc) {
            szScreenshot = argv[++i];
        } else if (!std::strcmp(argv[i], "--sweep")) {
            bSweep = true;
        } else if (!std::strcmp(argv[i], "--multitone")) {
            bMultitone = true;
        } else if (!std::strcmp(argv[i], "--compute") && i + 1 < argc) {
            asComputes.push_back(argv[++i]);
        } else if (!std::strcmp(argv[i], "--limit") && i + 1 < argc) {
            asLimits.push_back(argv[++i]);
        } else if (!std::strcmp(argv[i], "--gain") && i + 1 < argc) {
            szGain = argv[++i];
        } else if (!std::strcmp(argv[i], "--copy")) {
            bCopy = true;
        } else if (!std::strcmp(argv[i], "--dialog") && i + 2 < argc &&
                   (!std::strcmp(argv[i + 1], "transforms") || !std::strcmp(argv[i + 1], "invert") ||
                    !std::strcmp(argv[i + 1], "normalise") || !std::strcmp(argv[i + 1], "settings") ||
                    !std::strcmp(argv[i + 1], "comment") || !std::strcmp(argv[i + 1], "addtrace") ||
                    !std::strcmp(argv[i + 1], "colours"))) {
            sDialog = argv[++i];
            szDialogShot = argv[++i];
        } else if (!std::strcmp(argv[i], "--values")) {
            bValues = true;
        } else if (!std::strcmp(argv[i], "--script") && i + 1 < argc) {
            szScript = argv[++i];
        } else if (!std::strcmp(argv[i], "--") && szScript) {
            asScriptArgs.assign(argv + i + 1, argv + argc);
            break;
        } else {
            std::fprintf(stderr, "usage: tracewin-demo [--sweep | --multitone [--gain DB] | --values] [--compute TRANSFORM]... [--copy] "
                                 "[--limit [max:|min:]FILE.lim]... [--dialog transforms|invert|normalise|settings|comment|addtrace|colours FILE] [--script FILE.py] [--screenshot FILE] [-- SCRIPT ARGS]\n");
            return 2;
        }
    }

    if (szScript && (bSweep || !CDemoScript::IsAvailable())) {
        std::fprintf(stderr, "tracewin-demo: %s\n", bSweep ? "--script drives the live window, not the sweep"
                                                            : "this build has no Python for --script");
        return 2;
    }
    if ((bSweep || bMultitone) && bValues) {
        std::fprintf(stderr, "tracewin-demo: --values shows the live spectrum, not the sweep or the multitone\n");
        return 2;
    }
    char* pGainEnd = nullptr;
    const double dGaindB = szGain ? std::strtod(szGain, &pGainEnd) : 0.0;
    if (szGain && (!bMultitone || *pGainEnd || !(std::abs(dGaindB) <= 20.0))) {
        std::fprintf(stderr, "tracewin-demo: --gain takes dB from -20 to 20 and needs --multitone\n");
        return 2;
    }
    if (bSweep && !asLimits.empty()) {
        std::fprintf(stderr, "tracewin-demo: --limit checks the live spectrum or response, not the sweep\n");
        return 2;
    }
    if (bSweep && bMultitone) {
        std::fprintf(stderr, "tracewin-demo: --sweep and --multitone exclude each other\n");
        return 2;
    }

    QApplication app(argc, argv);
    CBuiltInDocument built;
    if (!built.IsValid()) {
        std::fprintf(stderr, "tracewin-demo: the built-in document could not be made\n");
        return 1;
    }
    CLiveSource live(built.GetHost(), built.GetDoc(), bMultitone ? ELiveSignal::Multitone : ELiveSignal::Tones);
    // The trace the transforms and dialogs work on: channel A's spectrum, or its response.
    CQXTrace* pSpectrum = bMultitone ? static_cast<CQXTrace*>(live.GetResponseTrace(CHANNEL_A))
                                     : built.GetLiveTrace(CHANNEL_A, TT_FFT);
    if (bMultitone) live.SetDeviceGain(dGaindB);
    std::string sError;
    for (const std::string& sLimit : asLimits) {
        if (pSpectrum && AttachLimitFile(*pSpectrum, sLimit, sError)) continue;
        std::fprintf(stderr, "tracewin-demo: %s\n", pSpectrum ? sError.c_str() : "no spectrum on channel A");
        return 1;
    }
    if (!asComputes.empty() && (!pSpectrum || !ShowComputes(*pSpectrum, asComputes, bCopy, sError))) {
        std::fprintf(stderr, "tracewin-demo: %s\n", pSpectrum ? sError.c_str() : "no spectrum on channel A");
        return 1;
    }

    CTraceWindow window(built.GetHost(), built.GetDoc(), bValues ? pSpectrum : nullptr);
    window.setWindowTitle(bValues      ? "tracewin demo - channels A and B, values of Ch A's spectrum"
                          : bMultitone ? "tracewin demo - simulated multitone: frequency responses (A, B)"
                                       : "tracewin demo - channels A and B");
    window.show();
    if (const char* szMap = std::getenv("TRACEWIN_DEMO_WIDGETS")) MapWidgets(window, szMap);
    // T opens the transforms of the spectrum; L draws a limit line and I
    // edits the impulse window, both on channel A's scope trace. The traces
    // are looked up at each press: opening a document replaces them.
    CGraphDoc& doc = built.GetDoc();
    window.AddShortcut(QKeySequence(Qt::Key_T), [&doc, pSpectrum]() {
        if (CQXTrace* pTrace = StillInDocument(doc, pSpectrum)) pTrace->ShowComputeListDlg();
    });
    window.AddShortcut(QKeySequence(Qt::Key_L), [&window, &built]() {
        if (CQXTrace* pScope = built.GetLiveTrace(CHANNEL_A, TT_SCOPE)) window.RunCommand(ID_TRACE_LIMITLINE, pScope);
    });
    window.AddShortcut(QKeySequence(Qt::Key_I), [&window, &built]() {
        if (CQXTrace* pScope = built.GetLiveTrace(CHANNEL_A, TT_SCOPE)) window.RunCommand(ID_TRACE_IMPULSEWINDOW, pScope);
    });

    int iExit = 0;
    int iDelivered = 0;
    const auto saveScreenshot = [&]() {
        if (!window.grab().save(QString::fromLocal8Bit(szScreenshot))) {
            std::fprintf(stderr, "tracewin-demo: cannot write '%s'\n", szScreenshot);
            iExit = 1;
        } else {
            std::printf("%s\n", szScreenshot);
        }
        std::string sVerdict;
        if (!asLimits.empty() && pSpectrum && !LimitVerdict(*pSpectrum, asLimits, sVerdict) && !iExit) iExit = 3;
        if (!sVerdict.empty()) std::printf("%s\n", sVerdict.c_str());
        app.quit();
    };

    if (bSweep) {
        // Every step is delivered on the UI thread, in order; none is skipped.
        CSweepSource sweep(built.GetDoc());
        if (!sweep.Prepare()) {
            std::fprintf(stderr, "tracewin-demo: the sweep traces could not be made\n");
            return 1;
        }
        window.setWindowTitle("tracewin demo - simulated sweep: level (A), THD+N (B)");
        const bool bSweeping = sweep.GetSweep().Start(
            [&](const SSweepReading& reading) {
                QMetaObject::invokeMethod(&window, [&sweep, reading] { sweep.Deliver(reading, 1); },
                                          Qt::QueuedConnection);
            },
            [&] {
                QMetaObject::invokeMethod(&window, [&] {
                    sweep.Finish();
                    if (szScreenshot) QTimer::singleShot(200, &window, saveScreenshot);
                }, Qt::QueuedConnection);
            });
        if (!bSweeping) {
            std::fprintf(stderr, "tracewin-demo: the sweep could not be started\n");
            return 1;
        }
        const int iLoop = app.exec();
        sweep.GetSweep().Stop();
        return iExit ? iExit : iLoop;
    }
    // The form is saved once it is up, then closed as Cancel would.
    const auto openDialogForShot = [&]() {
        QTimer::singleShot(400, &window, [&]() {
            QWidget* pForm = QApplication::activeModalWidget();
            if (!pForm || !pForm->grab().save(QString::fromLocal8Bit(szDialogShot))) {
                std::fprintf(stderr, "tracewin-demo: cannot save the dialog to '%s'\n", szDialogShot);
                iExit = 1;
            } else {
                std::printf("%s\n", szDialogShot);
            }
            if (pForm) QMetaObject::invokeMethod(pForm, "reject", Qt::QueuedConnection);
        });
        if (pSpectrum) OpenDialog(sDialog, *pSpectrum);
        if (!szScreenshot) app.quit();
    };

    // One delivery waits at a time: when the UI falls behind, blocks are
    // skipped rather than queued up.
    std::atomic<bool> bDeliveryPending{false};
    const auto deliver = [&]() {
        bDeliveryPending = false;
        live.Deliver();
        ++iDelivered;
        // --values: marks on the tone and its harmonics and the cursor on the
        // tone, so the table's comments have something to say; once the first
        // block has given the spectrum its size and its peak (marks keep
        // their bins when the size changes).
        if (bValues && pSpectrum && iDelivered == 1) window.RunCommand(ID_MARK_HARMONICS, pSpectrum);
        if (szScreenshot && !szScript && iDelivered == kScreenshotBlocks)
            QTimer::singleShot(0, &window, saveScreenshot);
        if (szDialogShot && iDelivered == kScreenshotBlocks) QTimer::singleShot(0, &window, openDialogForShot);
    };
    const bool bStarted = live.GetEngine().Start(kBlocksPerSecond, [&]() {
        if (!bDeliveryPending.exchange(true)) QMetaObject::invokeMethod(&window, deliver, Qt::QueuedConnection);
    });
    if (!bStarted) {
        std::fprintf(stderr, "tracewin-demo: the measurement could not be started\n");
        return 1;
    }

    // Scripts run inside the event loop; waiting for blocks keeps the
    // window live. The interpreter starts with the first script.
    std::unique_ptr<CDemoScript> pScript;
    const auto script = [&]() -> CDemoScript& {
        const auto waitForBlocks = [&](int iBlocks) {
            const int iTarget = iDelivered + iBlocks;
            while (iDelivered < iTarget) app.processEvents(QEventLoop::WaitForMoreEvents);
            return true;
        };
        if (!pScript) pScript = std::make_unique<CDemoScript>(built.GetHost(), built.GetDoc(), waitForBlocks);
        return *pScript;
    };
    if (CDemoScript::IsAvailable())
        window.GetFrame().SetCommand({ID_FILE_RUN_SCRIPT, [&](CQXTrace*) { return script().RunChosenFile(); },
                                      [](CQXTrace*) { return SCommandStatus{true, false}; }});
    if (szScript) {
        script();
        QTimer::singleShot(0, &window, [&]() {
            iExit = pScript->Run(szScript, asScriptArgs);
            if (szScreenshot) saveScreenshot();
        });
    }

    const int iLoop = app.exec();
    // No block may reach the window once it starts going.
    live.GetEngine().Stop();
    return iExit ? iExit : iLoop;
}
