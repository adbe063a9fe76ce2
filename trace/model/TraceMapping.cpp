// CQXTrace: conversions between data positions, X values, Y data, Y values
// and pixels; read-out strings; range and unit checks; hit testing.

#include "trace/model/QXTrace.h"

#include "host/app/DebugLog.h"
#include "host/app/RateLimiter.h"
#include "host/units/QXProperty.h"
#include "host/units/References.h"
#include "host/units/Unit.h"
#include "trace/core/ScaleMath.h"
#include "trace/display/XScale.h"
#include "trace/core/TraceMath.h"
#include "trace/core/ZoomMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Shown where a range has no lower end (minus infinity in dB).
constexpr double kNoLowerLimit = -138.46;
// How far beside the curve a click still hits it, in pixels.
constexpr int kHitDistance = 5;

const char* TraceTypeName(int iType)
{
    static const char* const kNames[TT_COUNT] = {
        "TT_SCOPE",  "TT_FFT",    "TT_CTDET",  "TT_CTFFT",  "TT_MAXLIMITLINE", "TT_MINLIMITLINE", "TT_FILTER",
        "TT_WINDOW", "TT_SWEEP1", "TT_SWEEP2", "TT_SWEEP3", "TT_SWEEP4",       "TT_USER",         "TT_FFTRESPONSE",
    };
    return (iType >= 0 && iType < TT_COUNT) ? kNames[iType] : "TT_UNKNOWN";
}

double LowerLimitForChecks(double dLimit, int iUnit)
{
    return dLimit == -DBL_MAX ? kNoLowerLimit : RoundValue(dLimit, iUnit);
}

} // namespace

// ---- References and windows -------------------------------------------------------

int CQXTrace::GetReferencesForY(int bTransformed, SReferences* pReferences)
{
    // The references of raw and transformed data are the same.
    (void)bTransformed;
    return GetReferences(2, 0, pReferences);
}

void CQXTrace::GetXWindowInUnit(int iUnit, double* pdMin, double* pdMax)
{
    SReferences refs;
    GetReferences(1, 0, &refs);
    const int iXUnit = GetXUnit();
    *pdMin = m_XValue.Convert(GetCurrentMinXScaleValue(), iXUnit, iUnit, &refs);
    *pdMax = m_XValue.Convert(GetCurrentMaxXScaleValue(), iXUnit, iUnit, &refs);
}

int CQXTrace::UseCarefulXMapping(int iUnit) { return GetLogX() || IsdBUnit(iUnit); }

// ---- X axis ---------------------------------------------------------------------------

double CQXTrace::GetXValueAtPos(int iPos, int iUnit)
{
    QXASSERT(GetStorageUnit(X_AXIS) == UNIT_BINS);
    // The X references carry the sample rate and size that bins need to
    // become hertz or seconds.
    SReferences refs;
    GetReferences(1, 0, &refs);
    return m_XValue.Convert(static_cast<double>(iPos), UNIT_BINS, iUnit, &refs);
}

int CQXTrace::GetXPosForValue(double dValue, int iUnit)
{
    SReferences refs;
    GetReferences(1, 0, &refs);
    return TruncToInt(m_XValue.Convert(dValue, iUnit, UNIT_BINS, &refs));
}

int CQXTrace::GetXPosAtPoint(int iPoint) { return GetXPosForValue(GetXValueAtPoint(iPoint), GetXUnit()); }

SXMap CQXTrace::MakeXMap()
{
    double dMin = GetCurrentMinXScaleValue();
    const double dMax = GetCurrentMaxXScaleValue();
    const bool bLog = GetLogX() != 0;
    if (bLog) {
        EnsureLogStartCorrect(&dMin, dMax, GetXUnit());
        QXASSERT(std::log10(dMax) - std::log10(dMin) != 0.0);
    }
    return SXMap::Make(dMin, dMax, m_rcDraw.Width() + 1, bLog);
}

SXMap CQXTrace::MakeXMapInUnit(int iUnit)
{
    double dMin = 0.0;
    double dMax = 0.0;
    GetXWindowInUnit(iUnit, &dMin, &dMax);
    const bool bLog = GetLogX() != 0;
    if (bLog) EnsureLogStartCorrect(&dMin, dMax, iUnit);
    return SXMap::Make(dMin, dMax, m_rcDraw.Width() + 1, bLog);
}

SAffineMap CQXTrace::MakePositionMap(const SXMap& xmap)
{
    SReferences refs;
    GetReferences(1, 0, &refs);
    const int iUnit = GetXUnit();
    const auto Pos = [&](double dX) { return m_XValue.Convert(dX, iUnit, UNIT_BINS, &refs); };
    SAffineMap map = SAffineMap::Through(xmap.dMin, Pos(xmap.dMin), xmap.dMax, Pos(xmap.dMax));
    // A unit that is not affine in positions is left to the service.
    for (const double f : {0.25, 0.5, 0.75}) {
        const double dX = xmap.dMin + f * (xmap.dMax - xmap.dMin);
        if (map.bValid && !map.Confirms(dX, Pos(dX))) map.bValid = false;
    }
    return map;
}

int CQXTrace::ColumnPosition(const SXMap& xmap, const SAffineMap& positions, int i)
{
    const double dX = xmap.ValueAtColumn(i);
    bool bExact = false;
    const int iPos = positions.TruncAt(dX, &bExact);
    // Values that land on a position's edge, where rounding decides, ask the service.
    return bExact ? iPos : GetXPosForValue(dX, GetXUnit());
}

double CQXTrace::GetXValueAtPoint(int iDeviceX)
{
    if (iDeviceX < m_rcDraw.left || iDeviceX > m_rcDraw.right) return -1.0;
    return MakeXMap().ValueAtColumn(iDeviceX - m_rcDraw.left);
}

int CQXTrace::GetXPointForValue(double dValue, int iUnit) { return MakeXMapInUnit(iUnit).ColumnForValue(dValue); }

int CQXTrace::GetXPointForPos(int iPos)
{
    CQXTrace* pParent = IsLimitLine() ? GetParentTrace() : nullptr;
    const int iUnit = pParent ? pParent->GetXUnit() : GetXUnit();
    const double dValue = GetXValueAtPos(iPos, iUnit);
    double dMin = GetCurrentMinXScaleValue();
    const double dMax = GetCurrentMaxXScaleValue();
    const int iWidth = m_rcDraw.Width();
    if (!UseCarefulXMapping(iUnit)) return PlainXOffset(dValue, dMin, dMax, iWidth);
    const bool bLog = GetLogX() != 0;
    if (bLog) EnsureLogStartCorrect(&dMin, dMax, iUnit);
    return CarefulXOffset(dValue, dMin, dMax, iWidth, bLog);
}

int CQXTrace::FindBinForXValue(double dValue, int iUnit)
{
    const EUnit eStorage = GetStorageUnit(X_AXIS);
    if (iUnit != eStorage) {
        SReferences refs;
        GetReferences(1, 0, &refs);
        dValue = m_XValue.Convert(dValue, iUnit, eStorage, &refs);
    }
    const double* pdX = m_pXData ? m_pXData.get() : GetXData();
    QXASSERT(pdX != nullptr);
    return FindBinInArray(pdX, pdX ? GetDataSize() : 0, dValue);
}

int CQXTrace::XScaleEncompasses(double dMin, double dMax, int iUnit)
{
    const int iXUnit = GetXUnit();
    static CRateLimitedDiagnostic s_diagnostic(10, 1000);
    if (iUnit != iXUnit)
        if (const unsigned n = s_diagnostic.Next())
            QXDebugLog(1, "CQXTrace::XScaleEncompasses",
                       "Was ASSERT! %s Type:%d=%s iXUnit:%d=%s != GetXUnit:%d=%s <#%u>", "CQXTrace::XScaleEncompasses",
                       static_cast<int>(m_eTraceType), TraceTypeName(m_eTraceType), iUnit, GetUnitDiagName(iUnit),
                       iXUnit, GetUnitDiagName(iXUnit), n);
    if (dMax <= dMin)
        if (const unsigned n = s_diagnostic.Next())
            QXDebugLog(1, "CQXTrace::XScaleEncompasses",
                       "Was ASSERT! %s Type:%d=%s dMinXScaleValue >= dMaxXScaleValue  (unit:%d=%s) <#%u>",
                       "CQXTrace::XScaleEncompasses", static_cast<int>(m_eTraceType), TraceTypeName(m_eTraceType),
                       iUnit, GetUnitDiagName(iUnit), n);
    const double dFullMin = RoundValue(GetMinXScaleValue(), iXUnit);
    const double dFullMax = RoundValue(GetMaxXScaleValue(), iXUnit);
    return (dFullMin <= dMin && dMax <= dFullMax) ? 1 : 0;
}

// ---- Y axis ----------------------------------------------------------------------------

double CQXTrace::GetYDataAtXPos(int iPos, int bTransformed)
{
    QXASSERT(iPos < GetDataSize());
    const double* pdY = GetYDataBuffer(bTransformed);
    if (!pdY || iPos < 0 || iPos >= m_iDataSize) return TRACE_NULL_VALUE;
    return pdY[iPos];
}

double CQXTrace::GetYDataAtXValue(double dValue, int bTransformed)
{
    return GetYDataAtXPos(GetXPosForValue(dValue, GetXUnit()), bTransformed);
}

double CQXTrace::GetYDataAtPoint(int iDeviceY)
{
    if (iDeviceY < m_rcDraw.top) return m_dCurrentMaxYData;
    if (iDeviceY > m_rcDraw.bottom) return m_dCurrentMinYData;
    const double dHeight = static_cast<double>(m_rcDraw.bottom) - m_rcDraw.top;
    const double dUp = static_cast<double>(m_rcDraw.bottom) - iDeviceY;
    if (dHeight <= 0.0) return m_dCurrentMinYData;
    if (!m_bLogY) return m_dCurrentMinYData + dUp / dHeight * (m_dCurrentMaxYData - m_dCurrentMinYData);

    const int iUnit = GetYUnit();
    double dMin = m_dCurrentMinYScaleValue;
    const double dMax = m_dCurrentMaxYScaleValue;
    EnsureLogStartCorrect(&dMin, dMax, iUnit);
    const double dDecades = std::log10(dMax) - std::log10(dMin);
    const double dValue = std::pow(10.0, dUp / (dHeight / dDecades) + std::log10(dMin));
    return GetYDataForValue(dValue, iUnit, 0);
}

double CQXTrace::GetYValueAtPoint(int iDeviceY)
{
    return GetYValueForData(GetYDataAtPoint(iDeviceY), GetYUnit(), 0, 0);
}

SYMap CQXTrace::MakeYMap()
{
    SYPlotFrame frame;
    frame.iOrigin = GetYOrigin();
    frame.iTop = m_rcDraw.top;
    frame.iBottom = m_rcDraw.bottom;
    frame.dMinData = m_dCurrentMinYData;
    frame.dMaxData = m_dCurrentMaxYData;
    frame.bLog = m_bLogY != 0;
    return SYMap::LinearData(frame, m_dYOffset);
}

int CQXTrace::GetYPointForData(double dData)
{
    // A log axis maps through the Y unit; the map answers only its sentinels.
    const SYMap map = CQXTrace::MakeYMap();
    int iHeight = 0;
    return map.Height(dData, &iHeight) ? iHeight : GetLogYPoint(map.Shifted(dData));
}

int CQXTrace::GetLogYPoint(double dData)
{
    const int iUnit = GetYUnit();
    const double dValue = GetYValueForData(dData, iUnit, 0, 0);
    double dMin = RoundValue(m_dCurrentMinYScaleValue, iUnit);
    const double dMax = RoundValue(m_dCurrentMaxYScaleValue, iUnit);
    EnsureLogStartCorrect(&dMin, dMax, iUnit);
    if (dValue < dMin) return 0;
    const double dDecades = std::log10(dMax) - std::log10(dMin);
    if (dDecades == 0.0 || dMin <= 0.0) return 0;
    const int iRows = TruncToInt((std::log10(dValue) - std::log10(dMin)) / dDecades * (m_rcDraw.bottom - m_rcDraw.top));
    return iRows - m_rcDraw.bottom + GetYOrigin();
}

int CQXTrace::GetYPointForValue(double dValue, int iUnit, Polarity ePolarity)
{
    double dData = GetYDataForValue(dValue, iUnit, 0);
    // Signed traces keep magnitudes in the unit; the polarity gives the sign.
    if (ePolarity == POLARITY_NEGATIVE && dData != DBL_MAX) dData = -dData;
    return GetYPointForData(dData);
}

double CQXTrace::GetYDataForValue(double dValue, int iUnit, int bTransformed)
{
    SReferences refs;
    GetReferencesForY(bTransformed, &refs);
    return m_YValue.Convert(dValue, iUnit, UNIT_USESTORAGE, &refs);
}

double CQXTrace::GetYValueForData(double dData, int iUnit, int bAllowNegInf, int bTransformed)
{
    SReferences refs;
    GetReferencesForY(bTransformed, &refs);
    const double dValue = m_YValue.Convert(dData, UNIT_USESTORAGE, iUnit, &refs);
    return (!bAllowNegInf && dValue == -DBL_MAX) ? -200.0 : dValue;
}

// ---- Read-out strings -------------------------------------------------------------------

CString CQXTrace::GetValueStringForXPos(int iPos, int iUnit, SFormat* pFormat)
{
    return GetValueStringForXValue(GetXValueAtPos(iPos, iUnit), iUnit, pFormat);
}

CString CQXTrace::GetValueStringForXValue(double dValue, int iUnit, SFormat* pFormat)
{
    if (m_pXScale) return m_pXScale->GetValueStringForXValue(dValue, iUnit, pFormat);
    return CQXProperty::DoFormatValue(dValue, iUnit, 0, pFormat);
}

CString CQXTrace::GetValueStringForYData(double dData, int iUnit, int /*iFlag*/, int bTransformed, SFormat* pFormat)
{
    if (iUnit == -1) return CString();
    return GetValueStringForYValue(GetYReadOutValue(dData, iUnit, bTransformed), iUnit, pFormat);
}

double CQXTrace::GetYReadOutValue(double dData, int iUnit, int bTransformed)
{
    if (GetStorageUnit(Y_AXIS) == UNIT_NULL) {
        // No physical unit: the data window maps straight onto the scale.
        const double dFraction = LinearFraction(dData, m_dCurrentMinYData, m_dCurrentMaxYData);
        return dData == m_dCurrentMaxYData
                   ? m_dCurrentMaxYScaleValue
                   : m_dCurrentMinYScaleValue + dFraction * (m_dCurrentMaxYScaleValue - m_dCurrentMinYScaleValue);
    }
    // The window edges read exactly what the scale shows.
    if (iUnit == GetYUnit()) {
        if (dData == m_dCurrentMinYData) return m_dCurrentMinYScaleValue;
        if (dData == m_dCurrentMaxYData) return m_dCurrentMaxYScaleValue;
    }
    return GetYValueForData(dData, iUnit, 1, bTransformed);
}

CString CQXTrace::GetValueStringForYValue(double dValue, int iUnit, SFormat* pFormat)
{
    return CQXProperty::DoFormatValue(dValue, iUnit, 0, pFormat);
}

// ---- Checks ---------------------------------------------------------------------------------

int CQXTrace::CheckRange(double dValue, AxisType eAxis, int iUnit, int iFlag)
{
    const EUnit eUnit = static_cast<EUnit>(iUnit);
    const bool bX = eAxis == X_AXIS;
    const double dLower = LowerLimitForChecks(bX ? GetMinXValue(eUnit) : GetMinYValue(eUnit), iUnit);
    const double dUpper = LowerLimitForChecks(bX ? GetMaxXValue(eUnit) : GetMaxYValue(eUnit), iUnit);
    if (dValue < dLower || dValue > dUpper) {
        ShowInvalidRange(CString(L""), dLower, dUpper, iUnit, iFlag);
        return 0;
    }
    return 1;
}

int CQXTrace::CheckYScaleValue(double dValue, int iUnit)
{
    const EUnit eUnit = static_cast<EUnit>(iUnit);
    return (GetMinYValue(eUnit) <= dValue && dValue <= GetMaxYValue(eUnit)) ? 1 : 0;
}

int CQXTrace::CheckYScaleRange(double& dMin, double& dMax)
{
    CQXTrace* pParent = IsLimitLine() ? GetParentTrace() : nullptr;
    const int iUnit = pParent ? pParent->GetYUnit() : GetYUnit();
    const EUnit eUnit = static_cast<EUnit>(iUnit);
    double dLower = GetMinYValue(eUnit);
    const double dUpper = GetMaxYValue(eUnit);
    if (m_bLogY && dLower < 0.0) dLower = 0.0;
    if (dLower == -DBL_MAX) dLower = kNoLowerLimit;
    const double dSpan = RoundValue(dMax - dMin, iUnit);
    if (dMax > dUpper) {
        dMax = dUpper;
        dMin = dUpper - dSpan;
    }
    if (dMin < dLower) {
        dMin = dLower;
        dMax = dLower + dSpan;
    }
    return (dMin >= dLower && dMax <= dUpper) ? 1 : 0;
}

int CQXTrace::CheckUnit(int iUnit, AxisType eAxis)
{
    return (eAxis == X_AXIS ? m_XValue : m_YValue).IsUnitValid(iUnit) ? 1 : 0;
}

double CQXTrace::GetBandTotal(double /*dBand*/)
{
    // Band totals exist only for FFT kinds.
    QXASSERT(CanSumBinsInBands());
    return 0.0;
}

// ---- Curve geometry ----------------------------------------------------------------------------

int CQXTrace::GetNearestPointOnTrace(int x, int y, CPoint* pPoint)
{
    const int iColumn = x - m_rcDraw.left;
    const int iColumns = static_cast<int>(std::min(m_ipPlotMin.size(), m_ipPlotMax.size()));
    CPoint result(x, POINT_BEYOND_MAX);
    int bOnCurve = 0;
    if (iColumn >= 0 && iColumn < iColumns) {
        const int iOrigin = GetYOrigin();
        const int iPlotMax = m_ipPlotMax[static_cast<size_t>(iColumn)];
        const int iPlotMin = m_ipPlotMin[static_cast<size_t>(iColumn)];
        const int iUpper = iPlotMax == POINT_BEYOND_MAX ? POINT_BEYOND_MAX : iOrigin - iPlotMax;
        const int iLower = iPlotMin == POINT_BEYOND_MAX ? POINT_BEYOND_MAX : iOrigin - iPlotMin;
        if (iUpper != POINT_BEYOND_MAX && iLower != POINT_BEYOND_MAX && iUpper <= y && y <= iLower) {
            result.y = y;
            bOnCurve = 1;
        } else if (iUpper == POINT_BEYOND_MAX && y == POINT_BEYOND_MAX) {
            bOnCurve = 1;
        } else if (iLower == POINT_BEYOND_MAX || y < iUpper) {
            result.y = iUpper;
        } else {
            result.y = iLower;
        }
    }
    if (pPoint) *pPoint = result;
    return bOnCurve;
}

int CQXTrace::HitTest(CPoint point, CPoint* pNearest)
{
    const CPoint none(-1, -1);
    if (m_rcDraw.IsRectEmpty() || m_ipPlotMin.empty() || m_ipPlotMax.empty()) {
        if (pNearest) *pNearest = none;
        return 0;
    }
    CPoint nearest;
    if (GetNearestPointOnTrace(point.x, point.y, &nearest)) {
        if (pNearest) *pNearest = nearest;
        return 1;
    }
    bool bFound = false;
    double dBest = 0.0;
    CPoint best = none;
    for (int d = 1; d <= kHitDistance; ++d) {
        for (const int x : {point.x - d, point.x + d}) {
            CPoint candidate;
            GetNearestPointOnTrace(x, point.y, &candidate);
            if (candidate.y == POINT_BEYOND_MAX) continue;
            const double dDistance = std::hypot(double(candidate.x - point.x), double(candidate.y - point.y));
            if (!bFound || dDistance < dBest) {
                bFound = true;
                dBest = dDistance;
                best = candidate;
            }
        }
    }
    if (bFound && std::abs(best.x - point.x) < kHitDistance && std::abs(best.y - point.y) < kHitDistance) {
        if (pNearest) *pNearest = best;
        return 1;
    }
    if (pNearest) *pNearest = none;
    return 0;
}

int CQXTrace::PointOnTrace(CPoint point, CPoint& result) { return HitTest(point, &result); }
