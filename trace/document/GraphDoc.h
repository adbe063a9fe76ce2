#pragma once
// CGraphDoc: the traces of one trace window, by channel, with the scales
// they share, the graph colours and the drawing situation (screen, print,
// export) that scales and traces ask about. It owns every trace and scale.
//
// The class spreads over several sources by topic:
//   GraphDoc.cpp        lifecycle, lookups, trace IDs, menu positions,
//                       scales, colours and the drawing situation
//   GraphDocFactory.cpp the trace factory
//   GraphDocTraces.cpp  the initial traces, copying and removing traces,
//                       the current trace, trace properties and channel
//                       changes
//   GraphDocPan.cpp     panning the X window of a trace
//   GraphDocMeasure.cpp what the document tells the measurement (CT buffers
//                       read) and remembers of it (the fundamental)
//   GraphDocLive.cpp    routing new measurement data to the live traces
//   GraphDocCreate.cpp  response, window-function and user traces; sweeps
//   GraphDocScales.cpp  scale sharing: lookups, matching, propagation
//   GraphDocZoom.cpp    zoom of a trace with its related traces, and of all

#include "platform/CmdTarget.h"
#include "platform/Color.h"
#include "platform/InputFile.h"
#include "platform/String.h"
#include "trace/core/DrawContext.h"
#include "trace/core/TraceDefs.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CArchive;
class CDC;
class CLimitTable;
class CQXTrace;
class CScale;
class CXScale;
class CYScale;
struct ResponseDetails;

// Marks a copy colour that cycles through a fixed table instead.
constexpr COLORREF COLOR_CYCLE = 0xFF000000;

// One row of a channel's save or load table, at the index of its trace.
struct SaveTableDetails {
    CQXTrace* m_pTrace = nullptr; // not owned
    CString m_sText;
    int m_bSave = 1;              // the configuration save writes the full trace record
};

// A list control that FillTraceCombo empties before its callback fills it.
class ITraceCombo {
public:
    virtual void ResetContent() = 0;

protected:
    ~ITraceCombo() = default;
};

// How the graph is drawn on a printout or an export.
struct SGraphOutputSettings {
    int iGraticuleLineWidth = 1; // 1 to 8, in screen pixels
    int iTraceLineWidth = 1;     // 1 to 8, in screen pixels
    int bGraticuleSolid = 0;     // grid and minor lines solid instead of dashed and dotted
    int bDrawScales = 1;
    int bDrawTitle = 1;
    int bDrawLegend = 1;
    int bDrawComment = 1;
};

// The graph settings the document record keeps besides the output settings.
struct SGraphDocOptions {
    int iGraphDisplay = 0;     // the frame's display setting, kept for it
    int bShowGraphTitle = 1;
    int bShowGraphComment = 1;
    int iPrintOption = 1;
    int bExportBlackAndWhite = 0;
    int bPrintScalesAgain = 1; // a second print-scales switch, kept as read
};

class IRecordSink;
class CDispatchTable;
class CGraphOLEData;

class CGraphDoc : public CCmdTarget {
    DECLARE_DYNAMIC(CGraphDoc)
public:
    CGraphDoc();
    ~CGraphDoc() override;
    CGraphDoc(const CGraphDoc&) = delete;
    CGraphDoc& operator=(const CGraphDoc&) = delete;

    // Creates the live traces of both channels; 1, or 0 after an error
    // (the traces made before it stay).
    int Initialise();

    // ---- Traces (owned) ----------------------------------------------------
    // The traces of one channel, sorted by type and then originals before
    // copies. Any other channel asserts and gives an empty array.
    std::vector<CQXTrace*>& GetTraceArray(ChannelNumber eChannel);
    // The save or load table of a channel (rows at the index of their
    // trace); null for any other channel.
    std::vector<SaveTableDetails>* GetSaveTable(ChannelNumber eChannel);
    std::vector<SaveTableDetails>* GetLoadTable(ChannelNumber eChannel);
    // Takes ownership; the trace keeps its channel and goes where
    // AddTraceToArray puts it.
    void AddTrace(CQXTrace* pTrace);
    // The current trace of a channel, whichever of the two current traces
    // is on it.
    CQXTrace* GetCurrentTrace(ChannelNumber eChannel) const;
    // Makes the trace the current one of a channel without any of the
    // checks, hints or scale changes of SetCurrentTrace(trace, update).
    void SetCurrentTrace(ChannelNumber eChannel, CQXTrace* pTrace);
    // Sends the hint to every view through the host.
    void UpdateAllViews(int iHint, CObject* pObject);

    // ---- Lookups -------------------------------------------------------------
    // A trace or attached limit line by ID (channel A first); null if none.
    CQXTrace* GetTraceFromID(short sID);
    CQXTrace* GetTraceFromArray(ChannelNumber eChannel, TraceType eType, long lExtraInfo, int bLive);
    // Same type as pTrace (any sweep type for a sweep trace) and the three flags.
    CQXTrace* GetFirstMatchingTraceFromArray(CQXTrace* pTrace, ChannelNumber eChannel, int bLive, int bInUse,
                                             int bOn);
    CQXTrace* GetFirstInUseAndOnTrace(ChannelNumber eChannel);
    // The first in-use trace at or after iIndex; null when iIndex is past the last.
    static CQXTrace* GetNextInUseTrace(const std::vector<CQXTrace*>& aTraces, int iIndex);
    using TracePredicate = int (*)(CQXTrace* pTrace, void* pContext);
    using TraceComboCallback = int (*)(ITraceCombo* pCombo, CQXTrace* pTrace, void* pContext);
    // Over channel A then B (just eChannel unless CHANNEL_BOTH).
    CQXTrace* GetMatchingTrace(ChannelNumber eChannel, TracePredicate fnPredicate, void* pContext);
    // 0 as soon as a callback answers 0, else 1.
    int FillTraceCombo(ITraceCombo* pCombo, ChannelNumber eChannel, TraceComboCallback fnCallback, void* pContext);
    // Whether a handle carried by a script event (a trace's address) is a trace of the document.
    int CheckTraceExists(std::intptr_t lHandle) const;
    // Positions in the trace menus: in-use traces, each followed by its
    // shown limit lines. No match asserts and gives null or -1.
    CQXTrace* GetTraceFromMenuIndex(ChannelNumber eChannel, int iIndex);
    int GetMenuIndexOfTrace(CQXTrace* pTrace);

    // ---- Trace IDs -------------------------------------------------------------
    // One more than the largest ID of the traces and their limit lines; 1 when empty.
    short GetNextTraceID();
    void EnsureTraceIDUnique(CQXTrace* pTrace);
    // 1 if another trace or limit line has the trace's ID; with bFix the
    // trace then gets one more than the largest ID seen.
    int HasDuplicateTraceID(CQXTrace* pTrace, int bFix);
    // After a configuration has been read.
    void EnsureTraceIDsCorrect();

    // ---- Creating and removing traces ------------------------------------------
    // The trace factory: null for an unknown type or when memory runs out.
    // A bare trace is returned as constructed (no ID, not in an array).
    CQXTrace* CreateTrace(TraceType eType, ChannelNumber eChannel, int iDataSize, long lExtraInfo, int bBare,
                          int bLive, int bCopy, int bInUse, int bTurnOn, int bAdd);
    int GetInsertionPoint(CQXTrace* pTrace);
    // Inserts the trace and its save-table row; 1 on success.
    int AddTraceToArray(CQXTrace* pTrace);
    // Announces a trace that was just created or loaded.
    void NewTrace(CQXTrace* pTrace, int bOn, int bUpdate);
    // A copy of a trace that is on, added off and shown; null if it cannot be copied.
    CQXTrace* CopyTrace(CQXTrace* pTrace, int bSweepCopy, int bUpdate);
    // Takes a trace off the graph. Live traces stay in their array, off and
    // not in use; the rest are deleted through the host's message queue.
    int RemoveTrace(CQXTrace* pTrace, int bUpdate);
    // Every trace and limit line of the document forgets a trace that goes
    // (its compute trace, a golden trace of a transform).
    void TellTracesOfDeletion(CQXTrace* pDeleted);
    // After loading: each trace completes its transforms and shows their
    // result where the file asked for it.
    void PostSerializeTransformations();
    void RemoveTraceFromArray(CQXTrace* pTrace);
    // Posts the trace to the host for deletion; it stays valid until then.
    void DeleteTrace(CQXTrace* pTrace);

    // ---- Derived traces and sweeps (GraphDocCreate.cpp) ---------------------------
    // The channel's live response trace of the details' kind (function,
    // sum-bins and include types, reference), reused when there is one, with
    // the details; null when it cannot be made.
    CQXTrace* CreateResponseTrace(ChannelNumber eChannel, const ResponseDetails& details, int bUpdate);
    // Removes every response trace; 0 if a removal fails.
    int RemoveResponseTraces(int bUpdate);
    // Shows the channel's FFT window (or its impulse gate) as a window-function
    // trace, named sName unless that is empty; 1 on success, else message 18242.
    // A user window (WINDOW_USER) is read from sWindowFile.
    int CreateWindowFunction(ChannelNumber eChannel, int bImpulse, int iWindowType, const CString& sName, int bShow,
                             const CString& sWindowFile = CString());
    // A filter trace showing the filters of iSource (CFilterTrace's sources)
    // on the channel, computed now; null when the source is unknown or
    // nothing could be computed.
    CQXTrace* CreateFilterTrace(ChannelNumber eChannel, int iSource, int bShow);
    // A user trace over the two ranges (either order); its ID or TRACE_NULL_ID.
    short DoCreateUserTrace(ChannelNumber eChannel, int iNumPoints, double dXMin, double dXMax, double dYMin,
                            double dYMax);
    // A user trace holding the points of the live sweep trace of that type,
    // which must be in use and on; its ID or TRACE_NULL_ID.
    short CreateUserTraceFromSweepTrace(TraceType eSweepType, ChannelNumber eChannel);
    // Clears the sweep traces for a new sweep; with bKeepPrevious each live
    // one leaves a sweep copy of its last result (earlier sweep copies go).
    int PrepareTracesForSweep(int bKeepPrevious);
    // Write a live sweep trace's X (or Y) window back into the host's sweep axis records.
    int UpdateSweepXDetails(CQXTrace* pTrace);
    int UpdateSweepYDetails(CQXTrace* pTrace);
    // The trace of the same channel whose compute trace this is; null if none.
    CQXTrace* GetLiveTraceForComputeTrace(CQXTrace* pComputeTrace);

    // ---- The current trace -------------------------------------------------------
    CQXTrace* GetCurrentTrace() const;
    CQXTrace* GetOtherChannelCurrentTrace();
    CQXTrace* GetAutomationTrace() const { return m_pAutomationTrace; }
    // The trace a TRACE_ member called on pCalled acts on: the automation
    // trace when one is set, else pCalled.
    CQXTrace* GetTraceForAutomation(CQXTrace* pCalled) const
    {
        return m_pAutomationTrace ? m_pAutomationTrace : pCalled;
    }
    void SetAutomationTrace(CQXTrace* pTrace) { m_pAutomationTrace = pTrace; }
    void SetCurrentTrace(CQXTrace* pTrace, int bUpdate);
    // Picks and stores the trace to be current when pLeaving goes; may be null.
    CQXTrace* SelectNewCurrentTrace(CQXTrace* pLeaving);
    void InitialiseCurrentTrace(ChannelNumber eChannel);

    // ---- Showing, panning and trace properties -------------------------------------
    void TraceOn(CQXTrace* pTrace, int bUpdate);
    void TraceOff(CQXTrace* pTrace, int bUpdate);
    // Pan the X window in data points; 0 (with a beep) when the data end first.
    int TraceLeft(CQXTrace* pTrace, int n, int bRelative);
    int TraceRight(CQXTrace* pTrace, int n, int bRelative);
    int TraceStart(CQXTrace* pTrace);
    int TraceEnd(CQXTrace* pTrace);
    void SetTraceName(CQXTrace* pTrace, const CString& sName);
    void SetTraceComment(CQXTrace* pTrace, const CString& sText);
    void SetTracePrintStyle(CQXTrace* pTrace, int iStyle);
    void TraceColorChange(CQXTrace* pTrace, COLORREF crColor, int bUpdate);

    // ---- Live data ---------------------------------------------------------------
    // A block of results is ready for eChannel (CHANNEL_BOTH: both): feeds the
    // sample buffers (unless bFFTOnly) and the FFT buffers to the traces, then
    // sends UPDATE_GRAPH_REDRAWALL after a size or range change, else
    // UPDATE_GRAPH_TRACES. Ignored while exporting. Runs on the UI thread.
    void NewMathThreadData(ChannelNumber eChannel, int bFFTOnly);
    // Scope and CT traces from the sample buffers; window functions follow
    // the sample size. 1 if a trace changed size.
    int NewSampleData(ChannelNumber eChannel);
    // FFT, CT FFT and response traces from the FFT buffers; filter traces
    // follow. 1 if everything needs redrawing.
    int NewFFTData(ChannelNumber eChannel);
    // The factor between a buffer value and the trace's stored data.
    double GetTraceBufferScaleFactor(CQXTrace* pTrace);
    // Set while the graph is exported; deliveries are ignored meanwhile.
    int IsInExport() const { return m_bInExport; }
    void SetInExport(int bInExport) { m_bInExport = bInExport; }

    // ---- The graph -------------------------------------------------------------------
    void SetGraphTitle(const CString& sText);
    void SetGraphComment(const CString& sText) { m_sGraphComment = sText; }
    const CString& GetGraphTitle() const { return m_sGraphTitle; }
    const CString& GetGraphComment() const { return m_sGraphComment; }
    // Both channels in one view (when the analyser shows both).
    void OnOneChannel(int bFlag);
    // The analyser's channel selection changed.
    void OnGlobalChannelChanged();
    const CString& GetExportFileName() const { return m_sExportFileName; }
    void SetExportFileName(const CString& sName) { m_sExportFileName = sName; }
    const CString& GetExportFileExt() const { return m_sExportFileExt; }
    void SetExportFileExt(const CString& sExt) { m_sExportFileExt = sExt; }
    COLORREF GetExportBackgroundColor() const { return m_crExportBackground; }
    void SetExportBackgroundColor(COLORREF cr) { m_crExportBackground = cr; }
    // Shows a string-table message in a box unless bShowMessages is 0 (an
    // automation call with messages off); returns the answer, or the box's
    // default answer when it is not shown.
    static int ShowMessage(int iStringId, unsigned uType, int bShowMessages);

    // ---- Scales (owned; shared by traces) ---------------------------------
    void AddXScale(CXScale* pScale);
    void AddYScale(CYScale* pScale);
    // Forgets a scale without deleting it; the caller deletes.
    void RemoveScaleFromArrays(CScale* pScale);
    const std::vector<CXScale*>& GetXScales() const { return m_apXScales; }
    const std::vector<CYScale*>& GetYScales() const { return m_apYScales; }
    // ---- Scale sharing (GraphDocScales.cpp; rules in ScaleSharing.h) --------
    // The channels whose traces can share scales with a trace on eChannel,
    // A first: its own, and the other one too when the same-X-scale option
    // is set or both channels are drawn in one view.
    std::vector<ChannelNumber> GetChannelsSearched(ChannelNumber eChannel) const;
    // The Y scale of the first other trace of the channels searched that
    // shares a Y scale with pTrace; null if none.
    CYScale* GetExistingYScale(CQXTrace* pTrace);
    // The X scale of a shown trace on the channels searched from eChannel
    // with that scale kind and, with bSameRange, that full range; null if none.
    CXScale* GetExistingXScale(ChannelNumber eChannel, ScaleType eType, double dMin, double dMax, int bSameRange);
    // A new, loaded or switched-on trace joins the X and Y scales of shown
    // traces it shares them with, taking their windows (and the Y unit);
    // 1 if it found a match. Hints follow with bUpdate.
    int MatchToExistingScales(CQXTrace* pTrace, int bUpdate);
    // Carries the trace's X window, unit and log setting to its limit
    // lines, the host's sweep axis records and every related trace. With
    // bUnitsOnly only units and log follow. bFromMouse: the change came
    // from a rubber band on the other channel's view as well (no effect on
    // the rules; kept for the callers).
    void AdjustXScalesOfRelatedTraces(CQXTrace* pTrace, int bUpdate, int bUnitsOnly, int bFromMouse);
    // The same for the Y window, unit and log setting; ends with
    // UPDATE_GRAPH_REDRAWALL when bUpdate.
    void AdjustYScalesOfRelatedTraces(CQXTrace* pTrace, int bUpdate, int bUnitsOnly);
    // The cursor X (iAxis 0) or Y (1) unit to every trace sharing that scale.
    void AdjustCursorUnitOfRelatedTraces(CQXTrace* pTrace, int iAxis);
    // Traces drawn on the trace's own Y scale object take its Y settings; no hint.
    void UpdateOtherTracesWithYScale(CQXTrace* pTrace);
    // After a rubber-band zoom: traces sharing the Y scale and drawn on the
    // same X scale (or one of the same kind on the other channel) take the
    // trace's Y window.
    void GangYScales(CQXTrace* pTrace);

    // ---- Document-wide zoom (GraphDocZoom.cpp) ------------------------------
    // The trace's own zoom followed by the related traces.
    void AutoZoomX(CQXTrace* pTrace, int bUpdate, int bStoreHistory);
    void AutoZoomY(CQXTrace* pTrace, int bUpdate, int bStoreHistory);
    void DefaultZoomX(CQXTrace* pTrace, int bUpdate, int bStoreHistory);
    void DefaultZoomY(CQXTrace* pTrace, int bUpdate, int bStoreHistory);
    void ZoomInX(CQXTrace* pTrace, int bUpdate);
    void ZoomInY(CQXTrace* pTrace, int bUpdate);
    void ZoomOutX(CQXTrace* pTrace, int bUpdate);
    void ZoomOutY(CQXTrace* pTrace, int bUpdate);
    // A rubber band's window: the trace (a limit line's owner) zooms to the
    // positions and data given, its limit lines and related traces follow,
    // traces ganged on its Y scale take its Y window; UPDATE_GRAPH_REDRAWALL
    // ends it. 0 when the trace cannot zoom that far or a position is -1
    // (a point with no data under it).
    int ZoomToWindow(CQXTrace* pTrace, int iMinPos, int iMaxPos, double dMinData, double dMaxData);
    // 0 (with a beep) when the trace has no history.
    int UndoZoom(CQXTrace* pTrace, int bUpdate);
    // Every shown trace of the channels visited, grouped by Y scale, zooms
    // to the group's data; one UPDATE_GRAPH_REDRAWALL at the end.
    void AutoZoomAll(ChannelNumber eChannel, int bUpdate);
    void DefaultZoomAll(ChannelNumber eChannel, int bUpdate);
    // Moves the Y window up (TraceUp) or down by one step of GetYStep.
    int TraceUp(CQXTrace* pTrace, int n);
    int TraceDown(CQXTrace* pTrace, int n);
    // Shifts the trace's Y window (a limit line's owner's) by dStep in Y
    // values (data for traces managed in data); bRelative: dStep is a step
    // from the current window; bAbsolute: dStep is the new lower edge.
    // Related traces follow. 0 when there is no trace to move.
    int MoveTraceOnYScale(CQXTrace* pTrace, double dStep, int bRelative, int bAbsolute);
    // The step of TraceUp/TraceDown: negative for down.
    double GetYStep(CQXTrace* pTrace, int n, int bDown);
    // The largest X value the traces of a channel may show (+DBL_MAX: no limit).
    double GetMaxAllowedXScaleValue(CQXTrace* pTrace) const;
    void RecalcMaxAllowedXScaleValue();

    // ---- Colours ------------------------------------------------------------
    // Registry key "Colours"; names and defaults of the graph colours.
    void InitialiseGraphColors();
    COLORREF GetDefaultTraceColor(TraceType eType, int bCopy) const;
    void SetDefaultTraceColor(TraceType eType, int bCopy, COLORREF crColor);
    // Gives every trace and limit line its default colour (a copy whose
    // default is the cycle keeps its colour) and redraws everything.
    void ResetTraceColors(int bUpdate);
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    void SetBackgroundColor(COLORREF cr) { m_crBackground = cr; }
    COLORREF GetGraticuleColor() const { return m_crGraticule; }
    void SetGraticuleColor(COLORREF cr) { m_crGraticule = cr; }
    COLORREF GetCursorColor() const { return m_crCursor; }
    void SetCursorColor(COLORREF cr) { m_crCursor = cr; }
    // The X scale's own colour (black-and-white output is the caller's, from its drawing context).
    COLORREF GetXScaleColor(ScaleType eType, ChannelNumber eChannel) const;
    // Output in black and white: everything, or only the scales and graticule.
    // SetBlackAndWhite sets print and export alike.
    void SetBlackAndWhite(int bAll, int bScales)
    {
        m_bBlackAndWhite = m_Options.bExportBlackAndWhite = bAll;
        m_bScalesBlackAndWhite = bScales;
    }
    // The current trace is drawn with a wider pen (x2 on the screen, x10 printed).
    int DrawCurrentTraceBold() const { return m_bDrawCurrentTraceBold; }
    void SetDrawCurrentTraceBold(int bBold) { m_bDrawCurrentTraceBold = bBold; }

    // ---- Drawing situation ---------------------------------------------------
    int IsExporting() const { return m_bExporting; }
    int IsExportPreview() const { return m_bExportPreview; }
    int IsPrinting() const { return m_bPrinting; }
    int IsPrintPreview() const { return m_bPrintPreview; }
    void SetExporting(int b) { m_bExporting = b; }
    void SetExportPreview(int b) { m_bExportPreview = b; }
    void SetPrinting(int b) { m_bPrinting = b; }
    void SetPrintPreview(int b) { m_bPrintPreview = b; }
    // What drawing on this DC is for, from the flags above and the device;
    // DrawContextOf answers for no document too (a screen with a black background).
    SDrawContext GetDrawContext(const CDC* pDC) const;
    static SDrawContext DrawContextOf(const CGraphDoc* pDoc, const CDC* pDC);
    // The analyser's first and last channel shown (both channels without settings).
    static void GetChannelRange(int& iFirst, int& iLast);
    // 1 when the analyser shows channels A to B and both are drawn in one view.
    int DrawingAllOnSameView() const;
    // The one-view flag as set, whatever channels the analyser shows.
    int GetAllOnSameView() const { return m_bAllOnSameView; }
    // Sets the one-view flag without telling the views (OnOneChannel does).
    void SetDrawingAllOnSameView(int b) { m_bAllOnSameView = b; }
    // Scale-font sizes in points for printing and export.
    int GetPrintScaleFontSize() const { return m_iPrintScaleFontSize; }
    int GetExportScaleFontSize() const { return m_iExportScaleFontSize; }
    void SetPrintScaleFontSize(int i) { m_iPrintScaleFontSize = i; }
    void SetExportScaleFontSize(int i) { m_iExportScaleFontSize = i; }
    SGraphOutputSettings& GetPrintSettings() { return m_PrintSettings; }
    SGraphOutputSettings& GetExportSettings() { return m_ExportSettings; }
    // Scales are always drawn on the screen; on a printout or an export as its settings say.
    int DrawingScales(const SDrawContext& ctx) const
    {
        if (!ctx.bOutput) return 1;
        return ctx.IsExport() ? m_ExportSettings.bDrawScales : m_PrintSettings.bDrawScales;
    }
    // Title and comment: on the screen as their display flags say; title,
    // legend and comment on a printout or an export as its settings say.
    int DrawingGraphTitle(const SDrawContext& ctx) const
    {
        return ctx.bOutput ? OutputSettingsFor(ctx).bDrawTitle : m_Options.bShowGraphTitle;
    }
    int DrawingGraphComment(const SDrawContext& ctx) const
    {
        return ctx.bOutput ? OutputSettingsFor(ctx).bDrawComment : m_Options.bShowGraphComment;
    }
    int DrawingLegend(const SDrawContext& ctx) const { return ctx.bOutput && OutputSettingsFor(ctx).bDrawLegend; }
    SGraphDocOptions& GetOptions() { return m_Options; }
    const SGraphDocOptions& GetOptions() const { return m_Options; }
    // Print and export black and white apart.
    int GetPrintBlackAndWhite() const { return m_bBlackAndWhite; }
    int GetScalesBlackAndWhite() const { return m_bScalesBlackAndWhite; }
    // The channel an export shows; CHANNEL_BOTH when both are drawn together.
    ChannelNumber GetExportChannel() const { return m_eExportChannel; }
    void SetExportChannel(ChannelNumber eChannel) { m_eExportChannel = eChannel; }

    // ---- Measurement links (GraphDocMeasure.cpp) -------------------------
    // The fundamental of a channel's signal in Hz, where harmonics are
    // placed; 0 while the document knows none (callers then ask the host).
    double GetFundamental(ChannelNumber eChannel) const;
    void SetFundamental(ChannelNumber eChannel, double dFrequency);
    // Re-reads which channels have a CT detector or CT FFT trace in use and
    // on, and tells the host it is reading (or no longer reading) those
    // channels' CT buffers, so the measurement keeps exactly those filled.
    void SetCTAFlags();
    // Whether the last SetCTAFlags found such a trace on the channel.
    int IsReadingCTA(ChannelNumber eChannel) const;
    // The analyser's measured sample rate of a channel in Hz; -1 while its
    // input is unlocked (callers then assume 96000).
    double GetSampleRate(ChannelNumber eChannel) const;
    // The FFT bins the channel's live FFT trace shows (its points less the
    // end point); 0 when there is none yet, so callers fall back on the FFT length.
    int GetDataSize(ChannelNumber eChannel);

    // ---- Trace files (trace/file/GraphDocTraceFile.cpp) -------------------
    // Writes the trace's header and record to sPath, resolved in the traces
    // folder (the limits folder for a limit line) with the default extension
    // added; 1 on success, else 0 after message 18796 when bReportErrors.
    int SaveTrace(CQXTrace* pTrace, const CString& sPath, int bReportErrors);
    // Writes a limit file holding only the table (the form scripts build), as
    // SaveTrace resolves and reports.
    int SaveLimitTable(CLimitTable& table, const CString& sPath, int bReportErrors);
    // Reads a trace file into a new, non-live trace on eChannel, added to the
    // document and shown. Null for a file that is not a readable trace file
    // (message 18243 when bReportErrors); the document is then unchanged.
    // psReason, when given, receives why in words (missing, not a regular
    // file, not a trace file, unsupported version, corrupt at which byte).
    CQXTrace* LoadTrace(const CString& sPath, ChannelNumber eChannel, int bReportErrors,
                        std::string* psReason = nullptr);
    // Resolves sPath in the traces folder (appending the default extension
    // when the name as given is not found) and opens it for reading; 1 on
    // success. psResolved receives the path opened, peProblem why none was.
    static int OpenTraceFileForReading(std::unique_ptr<CArchive>& pArchive, const CString& sPath,
                                       CString* psResolved = nullptr, EInputFileProblem* peProblem = nullptr);
    // The channel in a trace file's header; false when the file cannot be
    // opened, is not a trace file or has a version no reader accepts.
    static bool GetTraceChannel(const CString& sPath, ChannelNumber* peChannel);
    // The host's open dialog (pTrace null) or save dialog for trace files,
    // and the same for limit files; the chosen path, empty on cancel.
    CString OnBrowseTrace(void* pParent, CQXTrace* pTrace);
    CString OnBrowseLimitFile(void* pParent, CQXTrace* pLimitLine);
    static CString ShowModalFileDialog(bool bOpen, const CString& sPath, int iExtensionId, int iFilterId,
                                       int iSubtype, void* pParent);

    // ---- The document record (trace/file/GraphDocRecord.cpp) ----------------
    // Writes (storing) or reads (loading) the record of the whole window:
    // title, comment, print and export options, then one entry per trace of
    // each channel. Reading follows the archive's version (CheckFileVersion,
    // GetConfigVersion); archive errors throw CArchiveException to the
    // host's configuration loader, leaving this document part read.
    void Serialize(CArchive& ar) override;
    // Lists the fields of the record in writing order (the archive writer
    // and `tracewin info` both use it).
    void DescribeRecord(IRecordSink& sink);
    // Takes a trace off the graph before a configuration replaces the traces.
    void RemoveTraceBeforeSerialize(CQXTrace* pTrace);

    // ---- The document file (trace/file/DocumentFile.cpp) -------------------
    // Writes the header and record to sPath as given; 1 on success, else 0
    // with the reason in *psReason.
    int SaveDocumentFile(const CString& sPath, std::string* psReason = nullptr);
    // Reads a document file into a document of its own and, only when all of
    // it was read, takes its traces, scales and settings over (what this
    // document held goes). Otherwise 0: message 19791 when bReportErrors, the
    // reason in *psReason, and this document as it was.
    int LoadDocumentFile(const CString& sPath, int bReportErrors, std::string* psReason = nullptr);
    // Exchanges traces, scales, tables, current traces and record settings.
    void SwapContents(CGraphDoc& other);

    // ---- Automation (GraphOLEData.cpp) ------------------------------------
    // The TW_ members and constants.
    const CDispatchTable* GetDispatchTable() const override;
    // What the document keeps for scripts: the limit table under
    // construction and the print and export status.
    CGraphOLEData& GetOLEData();

private:
    const SGraphOutputSettings& OutputSettingsFor(const SDrawContext& ctx) const
    {
        return ctx.IsExport() ? m_ExportSettings : m_PrintSettings;
    }
    // Reading the record.
    void ReadRecord(CArchive& ar);
    void ReadOptions(CArchive& ar);
    // One entry of a channel; pOwner is the last trace read with its record
    // (a limit-line entry belongs to it), updated here.
    void ReadEntry(CArchive& ar, ChannelNumber eChannel, int iIndex, CQXTrace*& pOwner, CQXTrace*& pCurrent);
    void ReadLimitLineEntry(CArchive& ar, TraceType eType, CQXTrace* pOwner, CQXTrace*& pCurrent,
                            SaveTableDetails& row);
    void ChooseCurrentTraceAfterLoading(CQXTrace* pCurrent);
    void DescribeEntries(IRecordSink& sink, ChannelNumber eChannel);

    // Every trace of both arrays, each followed by its max and min limit line.
    template <class Fn>
    void ForEachTraceAndLimitLine(Fn fn);
    // The owner of a limit line; the trace itself for any other trace.
    CQXTrace* OwnerOf(CQXTrace* pTrace);
    bool IsTraceOrItsLimitLine(const CQXTrace* pCandidate, const CQXTrace* pTrace) const;
    // Walks the menu entries of the channels visited; stops when fn answers true.
    template <class Fn>
    void ForEachMenuEntry(ChannelNumber eChannel, bool bVisitOther, Fn fn);
    // The first in-use, on trace of the channel after pTrace; null if none.
    CQXTrace* GetNextInUseAndOnTraceAfter(CQXTrace* pTrace);
    // Every in-use, on trace of the channels searched from pTrace that
    // fnShares relates to it.
    template <class Fn>
    void ForEachRelatedTrace(CQXTrace* pTrace, int (*fnShares)(CQXTrace*, CQXTrace*), Fn fn);
    // Gives the trace its own copy of its X or Y scale when the scale is
    // also drawn for a trace it is not related to.
    void KeepScalesOnlyWithRelatedTraces(CQXTrace* pTrace, AxisType eAxis);
    // The channels AutoZoomAll and DefaultZoomAll visit for eChannel.
    std::vector<ChannelNumber> GetChannelsZoomedTogether(ChannelNumber eChannel) const;
    // A new object of the class for the type; null for an unknown type.
    static CQXTrace* ConstructTrace(TraceType eType, ChannelNumber eChannel, int iDataSize, long lExtraInfo,
                                    int bBare, int bCopy);
    CQXTrace* CreateInitialTrace(TraceType eType, ChannelNumber eChannel, int bInUse);
    void EnableLimitLineEvents(CQXTrace* pTrace);
    // Applies a new X window in positions: scale values from the data,
    // then related traces follow.
    void SetXWindow(CQXTrace* pTrace, int iMinPos, int iMaxPos);
    // The trace a pan moves: a limit line's owner; null when there is none.
    CQXTrace* PanTarget(CQXTrace* pTrace);
    void DeleteAllTracesAndScales();
    // Whether a delivery may feed the trace: in use, and on or with a compute trace that is on.
    static bool IsFedByDelivery(CQXTrace* pTrace);

    std::vector<CQXTrace*> m_aChATraces;
    std::vector<CQXTrace*> m_aChBTraces;
    std::vector<SaveTableDetails> m_aChASaveTable;
    std::vector<SaveTableDetails> m_aChBSaveTable;
    std::vector<SaveTableDetails> m_aChALoadTable;
    std::vector<SaveTableDetails> m_aChBLoadTable;
    CQXTrace* m_pCurrentTrace = nullptr;
    CQXTrace* m_pOtherChannelCurrentTrace = nullptr;
    CQXTrace* m_pAutomationTrace = nullptr;
    CString m_sGraphTitle;
    CString m_sGraphComment;
    CString m_sExportFileName;
    CString m_sExportFileExt = L"emf";
    COLORREF m_crExportBackground = 0xFFFFFF;
    std::vector<CXScale*> m_apXScales;
    std::vector<CYScale*> m_apYScales;
    COLORREF m_acrTraceColors[TT_COUNT][2] = {};
    COLORREF m_crBackground = 0x000000;
    COLORREF m_crGraticule = 0xA0A0A0;
    COLORREF m_crCursor = 0xFFFFFF;
    int m_bBlackAndWhite = 0;
    int m_bScalesBlackAndWhite = 0;
    int m_bDrawCurrentTraceBold = 0;
    int m_bExporting = 0;
    int m_bInExport = 0;
    int m_bExportPreview = 0;
    int m_bPrinting = 0;
    int m_bPrintPreview = 0;
    int m_bAllOnSameView = 0;
    int m_iPrintScaleFontSize = 10;
    int m_iExportScaleFontSize = 16;
    SGraphOutputSettings m_PrintSettings;
    SGraphOutputSettings m_ExportSettings;
    SGraphDocOptions m_Options;
    ChannelNumber m_eExportChannel = CHANNEL_A;
    double m_dMaxAllowedXScaleValue[2] = {DBL_MAX, DBL_MAX};
    double m_adFundamental[2] = {0.0, 0.0};
    int m_abReadingCTA[2] = {0, 0};
    std::unique_ptr<CGraphOLEData> m_pOLEData;
};
