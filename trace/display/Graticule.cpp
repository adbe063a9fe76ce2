#include "trace/display/Graticule.h"

#include "host/app/AppServices.h"
#include "platform/DC.h"
#include "trace/core/ScaleMath.h"
#include "trace/display/XScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <climits>
#include <cmath>

namespace {

constexpr int kTickMarkLength = 5;
constexpr DWORD kDashLength = 4;
constexpr DWORD kDotLength = 2;
// Grid patterns are drawn with square ends cut off so the dashes keep their length.
constexpr int kPatternPenStyle = PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_USERSTYLE;

// Positions only: the copies keep their own label flags.
void CopyTickPositions(const CTickArray& from, CTickArray& to)
{
    for (int i = 0; i < CTickArray::kMaxTicks; ++i) to.SetAt(i, from.GetAt(i));
    to.SetNumTicks(from.GetNumTicks());
}

bool IsDrawablePosition(double dPosition) { return dPosition >= 0.0 && dPosition <= 1.0; }

// The limits a log axis draws with: rounded to the unit, start made usable.
void GetUsableLogLimits(double dMin, double dMax, int iUnit, double* pdMin, double* pdMax)
{
    *pdMin = iUnit >= 0 ? RoundValue(dMin, iUnit) : dMin;
    *pdMax = iUnit >= 0 ? RoundValue(dMax, iUnit) : dMax;
    EnsureLogStartCorrect(pdMin, *pdMax, iUnit);
}

// Graticule lines are black on paper, and with black-and-white scales.
COLORREF GetGraticuleColor(CDC* pDC)
{
    const CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return 0xA0A0A0;
    const SDrawContext ctx = pDoc->GetDrawContext(pDC);
    if (ctx.IsPrint() || ctx.bScalesMonochrome) return 0;
    return pDoc->GetGraticuleColor();
}

} // namespace

int GetGraticulePixel(int iStart, int iLength, double dPosition)
{
    return iStart + static_cast<int>(std::floor(iLength * dPosition));
}

std::vector<int> GetLogMinorOffsets(double dMin, double dMax, int iLength)
{
    std::vector<int> aOffsets;
    if (!(dMin > 0.0) || !(dMax > dMin) || !std::isfinite(dMax) || iLength <= 0) return aOffsets;
    const double dLogMin = std::log10(dMin);
    const double dLogMax = std::log10(dMax);
    const double dPixelsPerDecade = iLength / (dLogMax - dLogMin);
    for (int iDecade = static_cast<int>(std::floor(dLogMin)); iDecade <= static_cast<int>(std::ceil(dLogMax));
         ++iDecade) {
        // The decade line's pixel, even when it lies before the start of the axis.
        const int iDecadeOffset = static_cast<int>(std::floor((iDecade - dLogMin) * dPixelsPerDecade));
        const double dDecade = std::pow(10.0, iDecade);
        for (int k = 2; k <= 9; ++k) {
            const double dValue = k * dDecade;
            if (dValue <= dMin || dValue >= dMax) continue;
            const int iOffset = iDecadeOffset + static_cast<int>(std::trunc(std::log10(k) * dPixelsPerDecade));
            if (iOffset > 0 && iOffset < iLength) aOffsets.push_back(iOffset);
        }
    }
    return aOffsets;
}

void CGraticule::SetParameters(CQXTrace* pTrace, int bLeftYScale, int bRightYScale)
{
    if (!pTrace) return;
    m_bLeftYScale = bLeftYScale;
    m_bRightYScale = bRightYScale;
    const CXScale* pXScale = pTrace->GetXScale();
    if (pXScale) CopyTickPositions(pXScale->GetTicks(), m_aiXTicks);
    CopyTickPositions(pTrace->GetTicks(), m_aiYTicks);

    m_bXLog = pXScale ? pXScale->GetLog() : 0;
    if (m_bXLog)
        GetUsableLogLimits(pXScale->GetCurrentMinXScaleValue(), pXScale->GetCurrentMaxXScaleValue(),
                           pXScale->GetXUnit(), &m_dXCurrentMin, &m_dXCurrentMax);
    m_bYLog = pTrace->GetLogY();
    if (m_bYLog)
        GetUsableLogLimits(pTrace->GetCurrentMinYScaleValue(), pTrace->GetCurrentMaxYScaleValue(), pTrace->GetYUnit(),
                           &m_dYCurrentMin, &m_dYCurrentMax);
}

void CGraticule::SetParameters(const CTickArray* pXTicks, const CTickArray* pYTicks)
{
    if (pXTicks) m_aiXTicks = *pXTicks;
    if (pYTicks) m_aiYTicks = *pYTicks;
    m_bLeftYScale = 1;
    m_bXLog = 0;
}

void CGraticule::CreatePens(CDC* pDC, int iLineWidth)
{
    // Widths and patterns are given for the screen; a printer or a metafile
    // measured against the screen scales them to its own resolution.
    const int iOut = pDC->GetDeviceCaps(LOGPIXELSX);
    const int iRef = pDC->GetAttribDC()->GetDeviceCaps(LOGPIXELSX);
    const auto Scaled = [&](long long llValue) {
        const long long llResult = iRef > 0 && iOut > 0 ? llValue * iOut / iRef : llValue;
        return static_cast<int>(std::max<long long>(1, std::min<long long>(llResult, 1000)));
    };
    const COLORREF crColor = GetGraticuleColor(pDC);
    const int iWidth = Scaled(std::max(1, iLineWidth));
    const DWORD uDash = static_cast<DWORD>(Scaled(kDashLength));
    const DWORD uDot = static_cast<DWORD>(Scaled(kDotLength));
    m_penSolid = CPen(PS_SOLID, iWidth, crColor);
    m_penDashed = CPen(kPatternPenStyle, iWidth, crColor, {uDash, uDash});
    m_penDotted = CPen(kPatternPenStyle, iWidth, crColor, {uDot, uDot});
    m_bPensCreated = 1;
}

void CGraticule::DeletePens()
{
    m_penSolid = m_penDashed = m_penDotted = CPen();
    m_bPensCreated = 0;
}

void CGraticule::DrawLine(CDC* pDC, const CPen& pen, int x1, int y1, int x2, int y2)
{
    if (!(pDC->GetCurrentPen() == pen)) pDC->SelectObject(pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CGraticule::Draw(CDC* pDC, int bSolid, int iLineWidth)
{
    if (!pDC || m_rect.IsRectEmpty()) return;
    const int iSaved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetROP2(R2_COPYPEN);
    CreatePens(pDC, iLineWidth);
    const CPen& gridPen = bSolid ? m_penSolid : m_penDashed;
    const CPen& minorPen = bSolid ? m_penSolid : m_penDotted;
    DrawVerticalLines(pDC, gridPen, minorPen);
    DrawHorizontalLines(pDC, gridPen, minorPen);
    pDC->RestoreDC(iSaved);
    DeletePens();
}

void CGraticule::DrawVerticalLines(CDC* pDC, const CPen& gridPen, const CPen& minorPen)
{
    const int iLeft = m_rect.left, iRight = m_rect.right, iTop = m_rect.top, iBottom = m_rect.bottom;
    const int iCount = std::min(m_aiXTicks.GetNumTicks(), CTickArray::kMaxTicks);
    int iPrevious = INT_MIN;
    for (int i = 0; i < iCount; ++i) {
        const double dPosition = m_aiXTicks.GetAt(i);
        if (!IsDrawablePosition(dPosition)) continue;
        const int x = GetGraticulePixel(iLeft, m_rect.Width(), dPosition);
        if (x == iPrevious) continue;
        iPrevious = x;
        if (m_aiXTicks.HasLabel(i)) DrawLine(pDC, m_penSolid, x, iBottom, x, iBottom + kTickMarkLength);
        // A Y scale's edge is drawn solid instead.
        const bool bEdge = (i == 0 && m_bLeftYScale) || (i == iCount - 1 && m_bRightYScale);
        if (!bEdge) DrawLine(pDC, gridPen, x, iBottom - 1, x, iTop);
    }
    if (m_bXLog)
        for (int iOffset : GetLogMinorOffsets(m_dXCurrentMin, m_dXCurrentMax, m_rect.Width()))
            DrawLine(pDC, minorPen, iLeft + iOffset, iBottom - 1, iLeft + iOffset, iTop);
    if (m_bLeftYScale) DrawLine(pDC, m_penSolid, iLeft, iBottom, iLeft, iTop - 1);
    if (m_bRightYScale) DrawLine(pDC, m_penSolid, iRight, iBottom, iRight, iTop - 1);
}

void CGraticule::DrawHorizontalLines(CDC* pDC, const CPen& gridPen, const CPen& minorPen)
{
    const int iLeft = m_rect.left, iRight = m_rect.right, iBottom = m_rect.bottom;
    DrawLine(pDC, m_penSolid, iLeft, iBottom, iRight + 1, iBottom);
    const int iCount = std::min(m_aiYTicks.GetNumTicks(), CTickArray::kMaxTicks);
    int iPrevious = INT_MIN;
    for (int i = 0; i < iCount; ++i) {
        const double dPosition = m_aiYTicks.GetAt(i);
        if (!IsDrawablePosition(dPosition)) continue;
        const int y = iBottom - (GetGraticulePixel(0, m_rect.Height(), dPosition));
        if (y == iPrevious) continue;
        iPrevious = y;
        if (m_aiYTicks.HasLabel(i)) {
            if (m_bLeftYScale) DrawLine(pDC, m_penSolid, iLeft - kTickMarkLength, y, iLeft, y);
            if (m_bRightYScale) DrawLine(pDC, m_penSolid, iRight + 1, y, iRight + 1 + kTickMarkLength, y);
        }
        // The bottom edge is already solid.
        if (y != iBottom) DrawLine(pDC, gridPen, iLeft + 1, y, iRight, y);
    }
    if (m_bYLog)
        for (int iOffset : GetLogMinorOffsets(m_dYCurrentMin, m_dYCurrentMax, m_rect.Height()))
            DrawLine(pDC, minorPen, iLeft + 1, iBottom - iOffset, iRight, iBottom - iOffset);
}
