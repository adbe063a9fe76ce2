#pragma once
// CGraticule: the grid of the plot area. It keeps its own copies of the
// tick positions it draws (label selection for the scales works on these
// copies), the log flags and, for log axes, the usable current limits, and
// draws edges, tick marks, grid lines and the dotted minor lines of log
// decades.

#include "platform/GdiObjects.h"
#include "platform/Geometry.h"
#include "trace/core/TickArray.h"

#include <vector>

class CDC;
class CQXTrace;

// Pixel of a tick: the start plus floor(length x position).
int GetGraticulePixel(int iStart, int iLength, double dPosition);
// Offsets from the low end of a log axis of the 2x .. 9x lines of every
// decade between the limits, strictly inside the axis (so never on or
// beyond an edge). Empty for limits a log axis cannot show.
std::vector<int> GetLogMinorOffsets(double dMin, double dMax, int iLength);

class CGraticule {
public:
    CGraticule() = default;

    // Copies presence of the Y scales, the trace's X-scale and Y ticks
    // (positions and counts; label flags are chosen later on the copies),
    // the log flags and the usable current limits of log axes. A null trace
    // changes nothing.
    void SetParameters(CQXTrace* pTrace, int bLeftYScale, int bRightYScale);
    // Copies two tick arrays for a plain linear grid with a left scale.
    void SetParameters(const CTickArray* pXTicks, const CTickArray* pYTicks);

    const CRect& GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    CTickArray& GetXTicks() { return m_aiXTicks; }
    CTickArray& GetYTicks() { return m_aiYTicks; }
    int HasLeftYScale() const { return m_bLeftYScale; }
    int HasRightYScale() const { return m_bRightYScale; }
    int GetXLog() const { return m_bXLog; }
    int GetYLog() const { return m_bYLog; }

    // Draws the grid in the graticule colour (black on printouts and with
    // black-and-white scales). bSolid draws grid and minor lines solid;
    // iLineWidth is in screen pixels and scaled to the device.
    void Draw(CDC* pDC, int bSolid, int iLineWidth);

private:
    void CreatePens(CDC* pDC, int iLineWidth);
    void DeletePens();
    void DrawVerticalLines(CDC* pDC, const CPen& gridPen, const CPen& minorPen);
    void DrawHorizontalLines(CDC* pDC, const CPen& gridPen, const CPen& minorPen);
    static void DrawLine(CDC* pDC, const CPen& pen, int x1, int y1, int x2, int y2);

    int m_bLeftYScale = 0;
    int m_bRightYScale = 0;
    CTickArray m_aiXTicks;
    CTickArray m_aiYTicks;
    int m_bXLog = 0;
    int m_bYLog = 0;
    double m_dXCurrentMin = 0.0;
    double m_dXCurrentMax = 0.0;
    double m_dYCurrentMin = 0.0;
    double m_dYCurrentMax = 0.0;
    CRect m_rect{-1, -1, -1, -1};
    CPen m_penSolid;
    CPen m_penDashed;
    CPen m_penDotted;
    int m_bPensCreated = 0;
};
