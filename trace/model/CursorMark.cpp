// CCursorMark: position arithmetic, file form, and where and how a cursor or
// mark is drawn on its trace's plot.

#include "trace/model/CursorMark.h"

#include "host/app/DebugLog.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CCursorMark, CObject)

namespace {

// Marker sizes in pixels at 96 dpi; they grow with the device resolution.
constexpr int kDiamondHalf = 4;
constexpr int kTriangleHalf = 4;
constexpr int kTriangleHeight = 7;
constexpr int kTriangleGap = 1;    // between the curve and the triangle's tip
constexpr int kHitSlack = 2;       // how far beside a marker a click still hits it
constexpr int kLabelGap = 2;
constexpr int kLabelPointSize = 80; // tenths of a point

// CalculatePos answers.
constexpr int kNotVisible = 0;
constexpr int kOnCurve = 1;
constexpr int kNoValue = 2;

// One screen pixel in device pixels: printers at 600 dpi get 6.
int DeviceScale(const CDC* pDC)
{
    const int iDpi = pDC ? pDC->GetDeviceCaps(LOGPIXELSX) : 96;
    return std::max(1, (iDpi + 48) / 96);
}

// Every other kind is a mark (the time-out marks of sweeps among them).
bool IsCursorType(CursorMarkType eType) { return eType == eCursor || eType == eRelativeCursor; }

// The plot rectangle of a trace, or false while it has none.
bool GetPlotRect(const CQXTrace* pTrace, CRect* pRect)
{
    if (!pTrace) return false;
    *pRect = pTrace->GetDrawRect();
    return pRect->left >= 0 && pRect->right > pRect->left && pRect->bottom > pRect->top;
}

// The marker's box for a marker point.
CRect MarkerRect(CursorMarkType eType, const CPoint& point, int iScale)
{
    if (IsCursorType(eType)) {
        const int d = kDiamondHalf * iScale;
        return CRect(point.x - d, point.y - d, point.x + d + 1, point.y + d + 1);
    }
    const int iTip = point.y - kTriangleGap * iScale;
    const int iBase = iTip - kTriangleHeight * iScale;
    const int w = kTriangleHalf * iScale;
    return CRect(point.x - w, iBase, point.x + w + 1, iTip + 1);
}

} // namespace

CCursorMark::CCursorMark(CQXTrace* pTrace, CursorMarkType eType, int iPosition)
    : m_iPosition(iPosition), m_eType(eType), m_pTrace(pTrace)
{
}

void CCursorMark::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(m_iPosition) << static_cast<std::int32_t>(m_iDisplayState) << m_sLabel;
        return;
    }
    std::int32_t iPosition = 0;
    std::int32_t iState = 0;
    CString sLabel;
    ar >> iPosition >> iState >> sLabel;
    m_iPosition = iPosition;
    m_iDisplayState = iState;
    SetLabel(sLabel);
}

int CCursorMark::GetPosition(int bAbsolute) const
{
    if (bAbsolute || !m_pTrace || m_eType == eRelativeCursor || !m_pTrace->IsRelativeCursorOn()) return m_iPosition;
    const CCursorMark* pRelative = m_pTrace->GetRelativeCursor();
    if (!pRelative || pRelative == this) return m_iPosition;
    return m_iPosition - pRelative->GetPosition(1);
}

void CCursorMark::SetLabel(const CString& sLabel)
{
    m_sLabel = sLabel.GetLength() > kMaxLabelLength ? sLabel.Left(kMaxLabelLength) : sLabel;
}

// ---- Drawing and hit testing ------------------------------------------------------

COLORREF CCursorMark::GetColor(CDC* pDC) const { return m_pTrace ? m_pTrace->GetColor(pDC) : 0xFFFFFF; }

CFont CCursorMark::GetFont()
{
    CFont font;
    font.CreatePointFont(kLabelPointSize, L"Lucida Sans Unicode");
    return font;
}

void CCursorMark::CheckCursorPos(CPoint& point, int& bXInside, int& bYClamped) const
{
    CRect rc;
    if (!GetPlotRect(m_pTrace, &rc)) {
        bXInside = 0;
        bYClamped = 0;
        return;
    }
    bXInside = point.x >= rc.left && point.x <= rc.right;
    const int y = std::clamp(point.y, rc.top, rc.bottom);
    bYClamped = y != point.y;
    point.y = y;
}

int CCursorMark::CalculatePos(CPoint& point) const
{
    CRect rc;
    if (!GetPlotRect(m_pTrace, &rc)) return kNotVisible;
    CQXTrace* pTrace = m_pTrace;
    if (m_iPosition < 0 || m_iPosition >= pTrace->GetDataSize()) return kNotVisible;

    const int iOffset = pTrace->GetXPointForPos(m_iPosition);
    if (iOffset == POINT_BEYOND_MIN || iOffset == POINT_BEYOND_MAX) return kNotVisible;
    point.x = rc.left + iOffset;

    const double dData = pTrace->GetYDataAtXPos(m_iPosition, pTrace->HasTransformedYData());
    const int iHeight = dData == TRACE_NULL_VALUE ? POINT_BEYOND_MAX : pTrace->GetYPointForData(dData);
    const bool bNoValue = iHeight == POINT_BEYOND_MAX;
    point.y = bNoValue ? rc.bottom : pTrace->GetYOrigin() - iHeight;

    int bXInside = 0;
    int bYClamped = 0;
    CheckCursorPos(point, bXInside, bYClamped);
    if (!bXInside) return kNotVisible;
    return bNoValue ? kNoValue : kOnCurve;
}

int CCursorMark::IsVisible() const
{
    CPoint point;
    return CalculatePos(point) != kNotVisible;
}

CRect CCursorMark::GetCursorRect(CDC* pDC) const
{
    CPoint point;
    if (CalculatePos(point) == kNotVisible) return CRect(0, 0, 0, 0);
    return MarkerRect(m_eType, point, DeviceScale(pDC));
}

int CCursorMark::PointInCursorMark(CDC* pDC, CPoint point) const
{
    CPoint marker;
    if (CalculatePos(marker) == kNotVisible) return 0;
    const int iScale = DeviceScale(pDC);
    const int iSlack = kHitSlack * iScale;
    CRect rcHit = MarkerRect(m_eType, marker, iScale);
    rcHit.InflateRect(iSlack, iSlack);
    if (rcHit.PtInRect(point)) return 1;
    if (!IsCursorType(m_eType)) return 0;
    // A cursor can be grabbed anywhere along its line.
    CRect rcPlot;
    GetPlotRect(m_pTrace, &rcPlot);
    return std::abs(point.x - marker.x) <= iSlack && point.y >= rcPlot.top && point.y <= rcPlot.bottom;
}

void CCursorMark::DrawCursorMark(CDC* pDC, const wchar_t* pszLabel) const
{
    if (!QXVERIFY(pDC != nullptr)) return;
    CPoint point;
    const int iPos = CalculatePos(point);
    if (iPos == kNotVisible) return;
    const int iScale = DeviceScale(pDC);
    const int iSaved = pDC->SaveDC();
    pDC->SetROP2(R2_COPYPEN);
    if (IsCursorType(m_eType)) {
        CRect rc;
        GetPlotRect(m_pTrace, &rc);
        pDC->SelectObject(CPen(m_eType == eCursor ? PS_DASH : PS_DOT, iScale, GetColor(pDC)));
        pDC->MoveTo(point.x, rc.top);
        pDC->LineTo(point.x, rc.bottom + 1);
    }
    // A cursor over a position without a value shows only its line.
    if (!IsCursorType(m_eType) || iPos == kOnCurve) DoDraw(pDC, point, iScale);
    if (pszLabel && *pszLabel) DrawLabel(pDC, point, iScale, pszLabel);
    pDC->RestoreDC(iSaved);
}

void CCursorMark::DoDraw(CDC* pDC, CPoint& point, int iScale) const
{
    const COLORREF cr = GetColor(pDC);
    pDC->SelectObject(CPen(PS_SOLID, iScale, cr));
    pDC->SelectObject(m_eType == eRelativeCursor ? CBrush::FromStock(NULL_BRUSH) : CBrush(cr));
    if (IsCursorType(m_eType)) {
        const int d = kDiamondHalf * iScale;
        const CPoint aDiamond[4] = {{point.x, point.y - d}, {point.x + d, point.y}, {point.x, point.y + d},
                                    {point.x - d, point.y}};
        pDC->Polygon(aDiamond, 4);
        return;
    }
    const CRect rc = MarkerRect(m_eType, point, iScale);
    const int iTip = rc.bottom - 1;
    const CPoint aTriangle[3] = {{point.x, iTip}, {rc.left, rc.top}, {rc.right - 1, rc.top}};
    pDC->Polygon(aTriangle, 3);
}

void CCursorMark::DrawLabel(CDC* pDC, const CPoint& point, int iScale, const wchar_t* pszLabel) const
{
    // Printed labels keep the scale font the caller selected for that device.
    if (!CGraphDoc::DrawContextOf(nullptr, pDC).OnOutputDevice()) pDC->SelectObject(GetFont());
    pDC->SetTextColor(GetColor(pDC));
    pDC->SetBkMode(TRANSPARENT);
    const int iGap = kLabelGap * iScale;
    if (IsCursorType(m_eType)) {
        CRect rc;
        GetPlotRect(m_pTrace, &rc);
        pDC->SetTextAlign(TA_LEFT | TA_TOP);
        pDC->TextOut(point.x + iGap, rc.top, CString(pszLabel));
        return;
    }
    const CRect rcMarker = MarkerRect(m_eType, point, iScale);
    pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
    pDC->TextOut(point.x, rcMarker.top - iGap, CString(pszLabel));
}
