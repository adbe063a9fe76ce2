#include "platform/RecordingDC.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

int CRecordingDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case TECHNOLOGY: return m_caps.m_bMetafile ? DT_METAFILE : (m_caps.m_bPrinting ? DT_RASPRINTER : DT_RASDISPLAY);
    case HORZSIZE: return m_caps.m_iHorzSize;
    case VERTSIZE: return m_caps.m_iVertSize;
    case HORZRES: return m_caps.m_iHorzRes;
    case VERTRES: return m_caps.m_iVertRes;
    case BITSPIXEL: return m_caps.m_iBitsPixel;
    case PLANES: return 1;
    case NUMCOLORS: return m_caps.m_iNumColors;
    case LOGPIXELSX: return m_caps.m_iLogPixelsX;
    case LOGPIXELSY: return m_caps.m_iLogPixelsY;
    // A printer's page is its printable area here: no unprintable margins.
    case PHYSICALWIDTH: return m_caps.m_bPrinting ? m_caps.m_iHorzRes : 0;
    case PHYSICALHEIGHT: return m_caps.m_bPrinting ? m_caps.m_iVertRes : 0;
    default: return 0;
    }
}

std::vector<CRecordingDC::SRecord> CRecordingDC::GetRecords(EKind kind) const
{
    std::vector<SRecord> out;
    for (const SRecord& record : m_aRecords)
        if (record.m_eKind == kind) out.push_back(record);
    return out;
}

TEXTMETRIC CRecordingDC::MetricsForHeight(int fontHeight)
{
    // Absurd heights from corrupt settings are capped so widths cannot overflow.
    constexpr long long kMaxHeight = 100000;
    const long long magnitude = std::llabs(static_cast<long long>(fontHeight));
    const int h = fontHeight == 0 ? 16 : static_cast<int>(std::min(magnitude, kMaxHeight));
    TEXTMETRIC tm;
    tm.tmHeight = h;
    tm.tmDescent = h / 5;
    tm.tmAscent = h - tm.tmDescent;
    tm.tmAveCharWidth = static_cast<LONG>(std::lround(0.55 * h));
    tm.tmMaxCharWidth = h;
    return tm;
}

CRecordingDC::SRecord& CRecordingDC::Add(EKind kind)
{
    SRecord& record = m_aRecords.emplace_back();
    record.m_eKind = kind;
    record.m_state = State();
    return record;
}

void CRecordingDC::DoLine(CPoint from, CPoint to)
{
    Add(EKind::Line).m_aPoints = {from, to};
}

void CRecordingDC::DoPolyline(const CPoint* points, int count)
{
    Add(EKind::Polyline).m_aPoints.assign(points, points + count);
}

void CRecordingDC::DoPolygon(const CPoint* points, int count)
{
    Add(EKind::Polygon).m_aPoints.assign(points, points + count);
}

void CRecordingDC::DoRectangle(const CRect& rect)
{
    Add(EKind::Rectangle).m_rect = rect;
}

void CRecordingDC::DoEllipse(const CRect& rect)
{
    Add(EKind::Ellipse).m_rect = rect;
}

void CRecordingDC::DoFillRect(const CRect& rect, COLORREF color)
{
    SRecord& record = Add(EKind::Fill);
    record.m_rect = rect;
    record.m_crColor = color;
}

void CRecordingDC::DoSetPixel(CPoint p, COLORREF color)
{
    SRecord& record = Add(EKind::Pixel);
    record.m_aPoints = {p};
    record.m_crColor = color;
}

void CRecordingDC::DoTextOut(CPoint reference, const CString& text)
{
    SRecord& record = Add(EKind::Text);
    record.m_aPoints = {reference};
    record.m_sText = text;
}

CSize CRecordingDC::DoGetTextExtent(const CString& text) const
{
    const TEXTMETRIC tm = DoGetTextMetrics();
    const long long width = static_cast<long long>(text.GetLength()) * tm.tmAveCharWidth;
    return CSize(static_cast<int>(std::min<long long>(width, INT32_MAX)), tm.tmHeight);
}

TEXTMETRIC CRecordingDC::DoGetTextMetrics() const
{
    TEXTMETRIC tm = MetricsForHeight(State().m_font.GetHeight());
    tm.tmWeight = State().m_font.GetWeight();
    tm.tmItalic = State().m_font.IsItalic() ? 1 : 0;
    return tm;
}

// Kept as one call so that tests see the edge asked for, not its pixels.
void CRecordingDC::DoDrawEdge(const CRect& rect, UINT edge, UINT flags)
{
    SRecord& record = Add(EKind::Edge);
    record.m_rect = rect;
    record.m_uEdge = edge;
    record.m_uFlags = flags;
}
