#include "trace/display/XScale.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/PrintDetails.h"
#include "host/units/QXProperty.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "trace/core/ScaleMath.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>

IMPLEMENT_DYNCREATE(CXScale, CScale)

namespace {

std::atomic<int> s_iXScaleSerial{0};

const char* ChannelDiagName(ChannelNumber eChannel)
{
    switch (eChannel) {
    case CHANNEL_A: return "A";
    case CHANNEL_B: return "B";
    case CHANNEL_BOTH: return "AB";
    }
    return "?";
}

// Where an X label goes: end labels and labels that would overhang an edge
// are aligned to that edge, the others centred on their tick.
struct SXLabelPlace {
    int x = 0;
    UINT uAlign = TA_CENTER;
};

SXLabelPlace PlaceXLabel(int i, int iLast, int x, const CRect& rect, int iFirstWidth, int iLastWidth)
{
    if (i == 0 || x < rect.left + iFirstWidth / 2) return {rect.left, TA_LEFT};
    if (i == iLast || x > rect.right - iLastWidth / 2) return {rect.right, TA_RIGHT};
    return {x, TA_CENTER};
}

} // namespace

// ---- Construction and copying ------------------------------------------------

CXScale::CXScale() = default;

CXScale::CXScale(ScaleType eType, ChannelNumber eChannel)
    : m_eScaleType(eType),
      m_eChannel(eChannel),
      m_bAutoIntervals(1),
      m_iSerialNumber(++s_iXScaleSerial),
      m_dMinXScaleValue(-DBL_MAX),
      m_dMaxXScaleValue(DBL_MAX),
      m_dCurrentMinXScaleValue(-DBL_MAX),
      m_dCurrentMaxXScaleValue(DBL_MAX)
{
    m_aiTicks.SetNumTicks(11);
}

CXScale::CXScale(const CXScale& other) : CScale() { *this = other; }

CXScale& CXScale::operator=(const CXScale& other)
{
    if (this == &other) return *this;
    m_rectDraw = other.m_rectDraw;
    m_eScaleType = other.m_eScaleType;
    m_eChannel = other.m_eChannel;
    m_crColor = other.m_crColor;
    m_crColorCopy = other.m_crColorCopy;
    m_iUnit = other.m_iUnit;
    m_sUnitFormat = other.m_sUnitFormat;
    m_bLog = other.m_bLog;
    m_dMinXScaleValue = other.m_dMinXScaleValue;
    m_dMaxXScaleValue = other.m_dMaxXScaleValue;
    m_dCurrentMinXScaleValue = other.m_dCurrentMinXScaleValue;
    m_dCurrentMaxXScaleValue = other.m_dCurrentMaxXScaleValue;
    m_iFirstLabelWidth = other.m_iFirstLabelWidth;
    m_iLastLabelWidth = other.m_iLastLabelWidth;
    // Positions and count only: label flags belong to whoever lays the axis out.
    for (int i = 0; i < CTickArray::kMaxTicks; ++i) m_aiTicks.SetAt(i, other.m_aiTicks.GetAt(i));
    m_aiTicks.SetNumTicks(other.m_aiTicks.GetNumTicks());
    m_bAutoIntervals = other.m_bAutoIntervals;
    return *this;
}

void CXScale::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_eScaleType) << static_cast<int32_t>(m_eChannel);
        ar << m_dCurrentMinXScaleValue << m_dCurrentMaxXScaleValue;
        ar << static_cast<int32_t>(m_crColor) << static_cast<int32_t>(m_crColorCopy);
        ar << static_cast<int32_t>(m_iUnit) << m_sUnitFormat << static_cast<int32_t>(m_bLog);
        ar << static_cast<int32_t>(m_iFirstLabelWidth) << static_cast<int32_t>(m_iLastLabelWidth);
        ar << static_cast<int32_t>(m_bAutoIntervals);
        m_aiTicks.Serialize(ar);
        ar << static_cast<int32_t>(1);
        return;
    }
    int32_t iType = 0, iChannel = 0, iColor = 0, iColorCopy = 0, iUnit = 0, iLog = 0;
    int32_t iFirst = 0, iLastWidth = 0, iAuto = 0, iNew = 0;
    double dCurMin = 0.0, dCurMax = 0.0;
    CString sFormat;
    ar >> iType >> iChannel >> dCurMin >> dCurMax >> iColor >> iColorCopy >> iUnit >> sFormat >> iLog;
    ar >> iFirst >> iLastWidth >> iAuto;
    if (dCurMin == dCurMax) throw CArchiveException(CArchiveException::badSchema, "X scale with an empty range");
    if (iUnit == -1) throw CArchiveException(CArchiveException::badSchema, "X scale without a unit");
    m_aiTicks.Serialize(ar);
    ar >> iNew;
    m_eScaleType = static_cast<ScaleType>(iType);
    m_eChannel = static_cast<ChannelNumber>(iChannel);
    m_dCurrentMinXScaleValue = dCurMin;
    m_dCurrentMaxXScaleValue = dCurMax;
    m_crColor = static_cast<COLORREF>(iColor);
    m_crColorCopy = static_cast<COLORREF>(iColorCopy);
    m_iUnit = iUnit;
    m_sUnitFormat = sFormat;
    m_bLog = iLog;
    m_iFirstLabelWidth = iFirst;
    m_iLastLabelWidth = iLastWidth;
    m_bAutoIntervals = iAuto;
}

// ---- Settings ------------------------------------------------------------------

void CXScale::InitialiseColors()
{
    if (const CGraphDoc* pDoc = GetGraphDoc()) SetColor(pDoc->GetXScaleColor(m_eScaleType, m_eChannel));
}

void CXScale::SetXUnit(int iUnit)
{
    QXASSERT(iUnit != -1);
    const CUnit* pUnit = FindUnitObject(iUnit);
    if (!QXVERIFY(pUnit != nullptr) || iUnit == m_iUnit) return;
    m_iUnit = iUnit;
    m_sUnitFormat = GetDPsString(pUnit->GetNumDPs(), 0);
}

const char* CXScale::DbgDumpState()
{
    std::snprintf(m_szDiag, sizeof(m_szDiag), "XS:%d %d=%s:%s unit:%d=%s log:%c Cur:%g->%g", m_iSerialNumber,
                  static_cast<int>(m_eScaleType), GetScaleTypeName(m_eScaleType), ChannelDiagName(m_eChannel), m_iUnit,
                  GetUnitDiagName(m_iUnit), m_bLog ? 'Y' : 'N', m_dCurrentMinXScaleValue, m_dCurrentMaxXScaleValue);
    return m_szDiag;
}

const char* GetScaleTypeName(int iScaleType)
{
    static const char* const kNames[] = {
        "ST_SCOPE",           "ST_FFT",
        "ST_SWEEP_FREQ",      "ST_SWEEP_AMPL",
        "ST_SWEEP_DCOFFSET",  "ST_SWEEP_JITTER",
        "ST_SWEEP_TIME",      "ST_SWEEP_MANUAL",
        "ST_USER",            "ST_SWEEP_DEVIATION",
        "ST_SWEEP_CARRIERAMPL", "ST_SWEEP_CARRIERPHASE",
        "ST_SWEEP_RELATIVEAMPL", "ST_SWEEP_PHASE",
        "ST_SWEEP_DELAY",     "ST_SWEEP_CHANNEL",
    };
    constexpr int kCount = static_cast<int>(sizeof(kNames) / sizeof(kNames[0]));
    return iScaleType >= 0 && iScaleType < kCount ? kNames[iScaleType] : "[INVALID SCALETYPE]";
}

// ---- Ticks and label texts -----------------------------------------------------

int CXScale::CalcXTicks()
{
    if (m_iUnit == -1) return m_aiTicks.GetNumTicks();
    const double dMin = RoundValue(m_dCurrentMinXScaleValue, m_iUnit);
    const double dMax = RoundValue(m_dCurrentMaxXScaleValue, m_iUnit);
    if (dMin == dMax) return m_aiTicks.GetNumTicks();
    if (m_bLog) return CalcLogTicks(dMin, dMax, m_iUnit, X_AXIS, &m_aiTicks);
    if (!m_bAutoIntervals) return CalcFixedIntervalTicks(&m_aiTicks);
    return AutoCalcLinearTicks(dMin, dMax, m_iUnit, 0, &m_aiTicks);
}

CString CXScale::GetValueStringForXValue(double dValue, int iUnit, SFormat* pFormat) const
{
    return CQXProperty::DoFormatValue(dValue, iUnit, 0, pFormat);
}

double CXScale::GetLabelValue(const CTickArray& ticks, int i) const
{
    double dMin = RoundValue(m_dCurrentMinXScaleValue, m_iUnit);
    const double dMax = RoundValue(m_dCurrentMaxXScaleValue, m_iUnit);
    if (m_bLog) EnsureLogStartCorrect(&dMin, dMax, m_iUnit);
    if (i == 0) return dMin;
    if (i == ticks.GetNumTicks() - 1) return dMax;
    const double dPosition = ticks.GetAt(i);
    return m_bLog ? GetLogValueAtPosition(dMin, dMax, dPosition) : GetLinearValueAtPosition(dMin, dMax, dPosition);
}

CString CXScale::GetLabelText(const CTickArray& ticks, int i, bool bFirstLabel) const
{
    CString sText = GetValueStringForXValue(GetLabelValue(ticks, i), m_iUnit, nullptr);
    if (bFirstLabel) {
        if (const CUnit* pUnit = FindUnitObject(m_iUnit)) sText += L" " + pUnit->GetName();
    }
    return sText;
}

// ---- Painting --------------------------------------------------------------------

bool CXScale::CanDraw(CDC* pDC, CTickArray* pTicks) const
{
    if (!QXVERIFY(pDC != nullptr && pTicks != nullptr)) return false;
    if (m_rectDraw == CRect(-1, -1, -1, -1)) {
        QXReportAssert("m_rectDraw != CRect (-1,-1,-1,-1)", __FILE__, static_cast<unsigned>(__LINE__));
        return false;
    }
    return m_iUnit != -1;
}

void CXScale::Draw(CDC* pDC, CTickArray* pTicks)
{
    if (!CanDraw(pDC, pTicks)) return;
    const int iSaved = pDC->SaveDC();
    PrepareDC(pDC);
    if (const CFont* pFont = GetFont(pDC, nullptr)) pDC->SelectObject(*pFont);
    if (m_bLog) {
        PaintLogX(pDC, pTicks);
    } else {
        PaintLinearX(pDC, pTicks);
    }
    pDC->RestoreDC(iSaved);
}

void CXScale::PaintLinearX(CDC* pDC, CTickArray* pTicks) { PaintLabels(pDC, *pTicks); }

void CXScale::PaintLogX(CDC* pDC, CTickArray* pTicks) { PaintLabels(pDC, *pTicks); }

void CXScale::PaintLabels(CDC* pDC, const CTickArray& ticks)
{
    const UINT uOldAlign = pDC->GetTextAlign();
    const int iLast = ticks.GetNumTicks() - 1;
    const CRect& rc = m_rectDraw;
    bool bFirstLabel = true;
    for (int i = 0; i <= iLast; ++i) {
        if (!ticks.HasLabel(i)) continue;
        const int x = rc.left + static_cast<int>(std::trunc(rc.Width() * ticks.GetAt(i)));
        const SXLabelPlace place = PlaceXLabel(i, iLast, x, rc, m_iFirstLabelWidth, m_iLastLabelWidth);
        pDC->SetTextAlign(place.uAlign | TA_BOTTOM);
        pDC->TextOut(place.x, rc.bottom, GetLabelText(ticks, i, bFirstLabel));
        bFirstLabel = false;
    }
    pDC->SetTextAlign(uOldAlign);
}

int CXScale::GetMaxTextWidth(CDC* pDC, CTickArray* pTicks)
{
    if (!QXVERIFY(pDC != nullptr && pTicks != nullptr)) return 0;
    const int iMargin = GetPrinterValue(pDC, 2.0, 0);
    if (m_iUnit == -1) return iMargin;

    // Measured in the scale font, with the texts painting will show.
    const int iSaved = pDC->SaveDC();
    if (const CFont* pFont = GetFont(pDC, nullptr)) pDC->SelectObject(*pFont);
    int iMax = 0;
    bool bFirstLabel = true;
    for (int i = 0; i < pTicks->GetNumTicks(); ++i) {
        if (!pTicks->HasLabel(i)) continue;
        const int iWidth = pDC->GetTextExtent(GetLabelText(*pTicks, i, bFirstLabel)).cx;
        if (bFirstLabel) m_iFirstLabelWidth = iWidth;
        m_iLastLabelWidth = iWidth;
        iMax = std::max(iMax, iWidth);
        bFirstLabel = false;
    }
    pDC->RestoreDC(iSaved);
    return iMax + iMargin;
}

// ---- Colour ----------------------------------------------------------------------

bool CXScale::ShowsSameAxisAs(const CXScale* pOther) const
{
    return pOther && pOther->m_eScaleType == m_eScaleType && pOther->m_dCurrentMinXScaleValue == m_dCurrentMinXScaleValue &&
           pOther->m_dCurrentMaxXScaleValue == m_dCurrentMaxXScaleValue && pOther->m_iUnit == m_iUnit &&
           pOther->m_bLog == m_bLog;
}

CQXTrace* CXScale::FindColorTrace(const CGraphDoc& doc) const
{
    const bool bAllOnOneView = doc.DrawingAllOnSameView() != 0;
    const ChannelNumber eOwn = m_eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A;
    CQXTrace* pCurrent = doc.GetCurrentTrace(eOwn);
    if (pCurrent && pCurrent->GetXScale() == this) return pCurrent;
    if (!bAllOnOneView) return nullptr;
    // One view for both channels: channel A's scale also stands for channel
    // B's current trace when B's scale shows the same axis.
    CQXTrace* pOther = doc.GetCurrentTrace(eOwn == CHANNEL_A ? CHANNEL_B : CHANNEL_A);
    if (!pOther) return nullptr;
    if (pOther->GetXScale() == this) return pOther;
    if (m_eChannel == CHANNEL_A && pOther->GetChannel() == CHANNEL_B && ShowsSameAxisAs(pOther->GetXScale()))
        return pOther;
    return nullptr;
}

COLORREF CXScale::GetColor(CDC* pDC)
{
    const CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return m_crColor;
    const SDrawContext ctx = pDoc->GetDrawContext(pDC);
    if (ctx.bScalesMonochrome) return 0;
    if (!ctx.bDevicePrinting) {
        if (CQXTrace* pTrace = FindColorTrace(*pDoc)) return pTrace->GetScaleColorTrace()->GetScreenColor();
    }
    return pDoc->GetXScaleColor(m_eScaleType, m_eChannel);
}
