#pragma once
// Printing helpers the host provides: the page header and footer, the
// screen-to-printer scaling of sizes, and metafile groups. The host decides
// what a header looks like: a line of text above a rule in a band at the top
// of the page (the header text at the left, the date printed at the right)
// and "Page N" centred below a rule in a band at the bottom. Every call is
// also passed to the host (the headless host records them).

#include "platform/Geometry.h"
#include "platform/String.h"

class CDC;
class CPrintInfo;

// The page's margins and the bands the header and footer take, in
// millimetres.
constexpr double kPrintMarginMM = 10.0;
constexpr double kPrintBandMM = 8.0;

class CPrintDetails {
public:
    // Takes the page geometry of the DC (false for a null DC: nothing is
    // drawn then) and the date of printing.
    bool Initialise(CDC* dc, CPrintInfo* info);
    void SetHeaderText(const CString& sText) { m_sHeader = sText; }
    void PrintPageHeader(CDC* dc, int page);
    void PrintPageFooter(CDC* dc, int page);
    bool IsInitialised() const { return m_bInitialised; }
    // The bands inside the margins, in the DC's pixels (empty before Initialise).
    const CRect& GetHeaderRect() const { return m_rcHeader; }
    const CRect& GetFooterRect() const { return m_rcFooter; }

private:
    void PrintBand(CDC* dc, const CRect& band, bool bRuleBelow, const CString& sLeft, const CString& sCentre,
                   const CString& sRight) const;

    bool m_bInitialised = false;
    CRect m_rcHeader;
    CRect m_rcFooter;
    CString m_sHeader;
    CString m_sDate;
};

// Millimetres in dots of a device with `dpi` dots per inch, rounded.
int MillimetresToDots(double dMM, int dpi);
// value × logPixels / 96, rounded half away from zero: a size given in screen
// pixels at 96 dpi, in pixels of a device with `logPixels` dots per inch.
int ScaleScreenValue(double value, int logPixels);
// The same for a device: axis 0 uses LOGPIXELSX, any other LOGPIXELSY. A null
// DC answers for the screen (value unchanged, rounded).
int GetPrinterValue(CDC* dc, double value, int axis);
// NUMCOLORS of the device (-1 for more than 256 colours, also for a null DC).
int GetNumColors(CDC* dc);
// Marks where a group of drawing begins and ends in a metafile being recorded.
void StartMetafileGroup(CDC* dc, const CRect& rect);
void EndMetafileGroup(CDC* dc);
// Draws a bitmap resource into a rectangle (decoration only; the host draws it).
void PrintBitmap(CDC* dc, int bitmapId, const CRect& rect);
