#pragma once
// CGraphDoc: the traces of one trace window, by channel, with the scales
// they share, the graph colours and the drawing situation (screen, print,
// export) that scales and traces ask about. It owns every trace and scale.
//
// This is the part of the document the trace model and the scales rely on;
// trace identity, the trace factory, creation from live data and the rest
// of the document's operations are added to it with the document itself.

#include "platform/CmdTarget.h"
#include "platform/Color.h"
#include "trace/model/TraceDefs.h"

#include <vector>

class CDC;
class CQXTrace;
class CScale;
class CXScale;
class CYScale;

// Marks a copy colour that cycles through a fixed table instead.
constexpr COLORREF COLOR_CYCLE = 0xFF000000;

// How the graph is drawn on a printout or an export.
struct SGraphOutputSettings {
    int iGraticuleLineWidth = 1; // 1 to 8, in screen pixels
    int iTraceLineWidth = 1;     // 1 to 8, in screen pixels
    int bGraticuleSolid = 0;     // grid and minor lines solid instead of dashed and dotted
    int bDrawScales = 1;
};

class CGraphDoc : public CCmdTarget {
    DECLARE_DYNAMIC(CGraphDoc)
public:
    CGraphDoc();
    ~CGraphDoc() override;
    CGraphDoc(const CGraphDoc&) = delete;
    CGraphDoc& operator=(const CGraphDoc&) = delete;

    // ---- Traces (owned) ----------------------------------------------------
    // The traces of one channel, in document order; CHANNEL_BOTH is invalid.
    std::vector<CQXTrace*>& GetTraceArray(ChannelNumber eChannel);
    // Takes ownership; the trace keeps its channel.
    void AddTrace(CQXTrace* pTrace);
    CQXTrace* GetCurrentTrace(ChannelNumber eChannel) const;
    void SetCurrentTrace(ChannelNumber eChannel, CQXTrace* pTrace);
    // Sends the hint to every view through the host.
    void UpdateAllViews(int iHint, CObject* pObject);

    // ---- Scales (owned; shared by traces) ---------------------------------
    void AddXScale(CXScale* pScale);
    void AddYScale(CYScale* pScale);
    // Forgets a scale without deleting it; the caller deletes.
    void RemoveScaleFromArrays(CScale* pScale);
    const std::vector<CXScale*>& GetXScales() const { return m_apXScales; }
    const std::vector<CYScale*>& GetYScales() const { return m_apYScales; }
    // Lets a trace that is switched on join the scales of its kind; the
    // document-wide sharing rules come with scale sharing.
    void MatchToExistingScales(CQXTrace* pTrace, int iMatch);
    // The largest X value the traces of a channel may show (+DBL_MAX: no limit).
    double GetMaxAllowedXScaleValue(CQXTrace* pTrace) const;
    void RecalcMaxAllowedXScaleValue();

    // ---- Colours ------------------------------------------------------------
    // Registry key "Colours"; names and defaults of the graph colours.
    void InitialiseGraphColors();
    COLORREF GetDefaultTraceColor(TraceType eType, int bCopy) const;
    void SetDefaultTraceColor(TraceType eType, int bCopy, COLORREF crColor);
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    void SetBackgroundColor(COLORREF cr) { m_crBackground = cr; }
    COLORREF GetGraticuleColor() const { return m_crGraticule; }
    void SetGraticuleColor(COLORREF cr) { m_crGraticule = cr; }
    COLORREF GetCursorColor() const { return m_crCursor; }
    void SetCursorColor(COLORREF cr) { m_crCursor = cr; }
    COLORREF GetXScaleColor(CDC* pDC, ScaleType eType, ChannelNumber eChannel) const;
    // Whether the DC draws everything, or only the scales, in black.
    int BlackAndWhite(CDC* pDC) const;
    int ScalesBlackAndWhite(CDC* pDC) const;
    void SetBlackAndWhite(int bAll, int bScales) { m_bBlackAndWhite = bAll; m_bScalesBlackAndWhite = bScales; }
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
    // The graph is drawn for print or export on this DC (white background).
    int IsDrawingForOutput(CDC* pDC) const;
    int DrawingAllOnSameView() const { return m_bAllOnSameView; }
    void SetDrawingAllOnSameView(int b) { m_bAllOnSameView = b; }
    // Scale-font sizes in points for printing and export.
    int GetPrintScaleFontSize() const { return m_iPrintScaleFontSize; }
    int GetExportScaleFontSize() const { return m_iExportScaleFontSize; }
    void SetPrintScaleFontSize(int i) { m_iPrintScaleFontSize = i; }
    void SetExportScaleFontSize(int i) { m_iExportScaleFontSize = i; }
    SGraphOutputSettings& GetPrintSettings() { return m_PrintSettings; }
    SGraphOutputSettings& GetExportSettings() { return m_ExportSettings; }
    // Scales are always drawn on the screen; on a printout or an export as its settings say.
    int DrawingScales(CDC* pDC) const
    {
        if (!IsDrawingForOutput(pDC)) return 1;
        return (m_bExporting || m_bExportPreview) ? m_ExportSettings.bDrawScales : m_PrintSettings.bDrawScales;
    }
    // The channel an export shows; CHANNEL_BOTH when both are drawn together.
    ChannelNumber GetExportChannel() const { return m_eExportChannel; }
    void SetExportChannel(ChannelNumber eChannel) { m_eExportChannel = eChannel; }

private:
    std::vector<CQXTrace*> m_aChATraces;
    std::vector<CQXTrace*> m_aChBTraces;
    CQXTrace* m_apCurrentTrace[2] = {nullptr, nullptr};
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
    int m_bExportPreview = 0;
    int m_bPrinting = 0;
    int m_bPrintPreview = 0;
    int m_bAllOnSameView = 0;
    int m_iPrintScaleFontSize = 10;
    int m_iExportScaleFontSize = 16;
    SGraphOutputSettings m_PrintSettings;
    SGraphOutputSettings m_ExportSettings;
    ChannelNumber m_eExportChannel = CHANNEL_A;
    double m_dMaxAllowedXScaleValue[2] = {DBL_MAX, DBL_MAX};
};
