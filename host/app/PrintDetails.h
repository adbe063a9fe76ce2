#pragma once
// Printing helpers the host provides: the page header and footer, the
// screen-to-printer scaling of sizes, and metafile groups. The host decides
// what a header looks like; the headless host records the calls.

class CDC;
class CPrintInfo;
class CRect;

class CPrintDetails {
public:
    bool Initialise(CDC* dc, CPrintInfo* info);
    void PrintPageHeader(CDC* dc, int page);
    void PrintPageFooter(CDC* dc, int page);
    bool IsInitialised() const { return m_bInitialised; }

private:
    bool m_bInitialised = false;
};

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
