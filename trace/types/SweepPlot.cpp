// CSweepTrace: X lookups through the X array, the Y pixel mapping and the
// plot. A sweep is drawn as a polyline through its measured points; columns
// before the first and after the last measured point stay empty.

#include "trace/types/SweepTrace.h"

#include "host/app/DebugLog.h"
#include "host/units/References.h"
#include "host/units/UnitSet.h"
#include "trace/core/TraceMath.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Row of column k on the line from (pc, Pp) to (c, P), in integers.
int InterpolatedRow(int Pp, int P, int k, int pc, int c)
{
    if (Pp == POINT_BEYOND_MAX || P == POINT_BEYOND_MAX) return POINT_BEYOND_MAX;
    const std::int64_t iSpan = static_cast<std::int64_t>(c) - pc;
    if (iSpan == 0) return P;
    const std::int64_t iRow = Pp + (static_cast<std::int64_t>(P) - Pp) * (static_cast<std::int64_t>(k) - pc) / iSpan;
    return static_cast<int>(std::clamp<std::int64_t>(iRow, POINT_BEYOND_MIN, POINT_BEYOND_MAX - 1));
}

} // namespace

// ---- X through the X array -----------------------------------------------------------------

double CSweepTrace::GetXValueAtPos(int iPos, int iUnit)
{
    QXASSERT(iPos < GetDataSize());
    QXASSERT(iUnit != -1);
    if (!m_pXData || iPos < 0 || iPos >= m_iDataSize) return DBL_MAX;
    const double dX = m_pXData[iPos];
    const EUnit eStorage = GetStorageUnit(X_AXIS);
    if (dX == DBL_MAX || iUnit == -1 || iUnit == eStorage) return dX;
    const CUnitSet* pSet = GetUnitSet(1);
    if (!pSet) return dX;
    SReferences refs;
    GetReferences(1, 1, &refs);
    return pSet->ConvertValue(dX, eStorage, iUnit, &refs);
}

int CSweepTrace::GetXPosForValue(double dValue, int iUnit)
{
    if (dValue == GetMinXScaleValue()) return GetMinXPos();
    if (dValue == GetMaxXScaleValue() && GetMaxXPos() != 0) return GetMaxXPos();
    if (!m_pXData || m_iDataSize <= 0) return 0;
    const EUnit eStorage = GetStorageUnit(X_AXIS);
    if (iUnit != -1 && iUnit != eStorage) {
        if (const CUnitSet* pSet = GetUnitSet(1)) {
            SReferences refs;
            GetReferences(1, 1, &refs);
            dValue = pSet->ConvertValue(dValue, iUnit, eStorage, &refs);
        }
    }
    // Digital full scale survives the round trip through a display unit.
    if (eStorage == UNIT_HEX && std::floor(dValue + 0.5) == SReferences::kFullScaleHex) dValue = SReferences::kFullScaleHex;
    return std::clamp(FindBinInArray(m_pXData.get(), m_iDataSize, dValue), 0, m_iDataSize - 1);
}

double CSweepTrace::GetYDataAtXValue(double dValue, int bTransformed)
{
    const double* pdY = GetYDataBuffer(bTransformed);
    QXASSERT(GetYDataBuffer(bTransformed) != 0);
    if (!pdY || !m_pXData || m_iDataSize <= 0) return DBL_MAX;
    const int iUnit = GetXUnit();
    const int p = GetXPosForValue(dValue, iUnit);
    if (p + 1 > GetMaxXPos() || p + 1 >= m_iDataSize) return pdY[p];
    // Interpolating towards an unmeasured neighbour would blend in DBL_MAX:
    // the measured point answers alone.
    if (pdY[p] == DBL_MAX || pdY[p + 1] == DBL_MAX || m_pXData[p + 1] == DBL_MAX) return pdY[p];
    const double x0 = GetXValueAtPos(p, iUnit);
    const double x1 = GetXValueAtPos(p + 1, iUnit);
    if (x1 == x0) return pdY[p];
    return pdY[p] + (pdY[p + 1] - pdY[p]) * (dValue - x0) / (x1 - x0);
}

void CSweepTrace::GetXLimitPair(bool bMax, EUnit eUnit, double* pdActual, double* pdAxis)
{
    const int iPos = bMax ? GetMaxXPos() : GetMinXPos();
    const bool bInside = m_pXData && iPos >= 0 && iPos < m_iDataSize;
    *pdActual = eUnit == -1 ? (bInside ? m_pXData[iPos] : DBL_MAX) : GetXValueAtPos(iPos, eUnit);
    double dAxis = bMax ? m_dXAxisMaxValue : m_dXAxisMinValue;
    const CUnitSet* pSet = GetUnitSet(1);
    if (eUnit != -1 && m_iXAxisUnit != -1 && eUnit != m_iXAxisUnit && std::fabs(dAxis) != DBL_MAX && pSet) {
        SReferences refs;
        GetReferences(1, 1, &refs);
        dAxis = pSet->ConvertValue(dAxis, m_iXAxisUnit, eUnit, &refs);
    }
    *pdAxis = dAxis;
}

double CSweepTrace::GetMinXValue(EUnit eUnit)
{
    double a = 0.0;
    double b = 0.0;
    GetXLimitPair(false, eUnit, &a, &b);
    // An unmeasured first position (DBL_MAX) is as open as -DBL_MAX.
    const bool bAOpen = std::fabs(a) == DBL_MAX;
    QXASSERT(!(bAOpen && (b == -DBL_MAX)));
    if (bAOpen) return b;
    if (b == -DBL_MAX) return a;
    return std::min(a, b);
}

double CSweepTrace::GetMaxXValue(EUnit eUnit)
{
    double a = 0.0;
    double b = 0.0;
    GetXLimitPair(true, eUnit, &a, &b);
    QXASSERT(!((a == DBL_MAX) && (b == DBL_MAX)));
    if (a == DBL_MAX) return b;
    if (b == DBL_MAX) return a;
    return std::max(a, b);
}

void CSweepTrace::SetXAutoZoomValues()
{
    const double* pdY = GetYDataBuffer(GetShowTransformedYData());
    const int n = GetDataSize();
    if (!pdY || n <= 0) return;
    int iFirst = 0;
    while (iFirst < n - 1 && pdY[iFirst] == DBL_MAX) ++iFirst;
    int iLast = n - 1;
    while (iLast > 0 && pdY[iLast] == DBL_MAX) --iLast;
    SetCurrentMinXPos(iFirst);
    SetCurrentMaxXPos(iLast);
    SetCurrentMinXScaleValue(GetXValueAtPos(iFirst, GetXUnit()));
    SetCurrentMaxXScaleValue(GetXValueAtPos(iLast, GetXUnit()));
}

// ---- Y pixel mapping ---------------------------------------------------------------------------

int CSweepTrace::GetYOrigin() { return ValueWindowYOrigin(*this); }

double CSweepTrace::GetYDataAtPoint(int iDeviceY) { return ValueWindowYDataAtPoint(*this, iDeviceY); }

bool CSweepTrace::IsRelativeDetectorResult()
{
    return IsSweepDetectorResult(GetActualResultID()) && IsRelative();
}

int CSweepTrace::GetYPointForData(double dData)
{
    if (dData == DBL_MAX) return POINT_BEYOND_MAX;
    // Relative detector readings are mapped in dB, decided before their value.
    if (GetLogY() && IsRelativeDetectorResult()) return GetLogYPoint(dData);
    double v = GetYValueForData(dData, GetYUnit(), 0, 0);
    if (v != -DBL_MAX) v += m_dYOffset;
    if (GetLogY()) return GetLogYPoint(dData);
    return ValueWindowYPoint(*this, v);
}

// ---- The plot ----------------------------------------------------------------------------------

void CSweepTrace::DataToPlot()
{
    QXASSERT(!m_ipPlotMax.empty());
    QXASSERT(!m_ipPlotMin.empty());
    const int W = GetPlotColumns();
    if (!m_bPlotValid || W <= 0) return;
    int* piMin = m_ipPlotMin.data();
    int* piMax = m_ipPlotMax.data();
    const auto Set = [&](int k, int iRow) {
        if (k < 0 || k >= W) return; // clipped: a column outside the arrays is never written
        piMin[k] = piMax[k] = iRow;
    };
    const auto Empty = [&](int iFrom, int iTo) {
        for (int k = std::max(iFrom, 0); k < std::min(iTo, W); ++k) Set(k, POINT_BEYOND_MAX);
    };
    CSingleLock lock(&m_TraceLock, true);
    CSingleLock transformLock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    const double* pdY = GetPlotYArray();
    const int n = GetDataSize();
    if (!pdY || !m_pXData || n <= 0) {
        Empty(0, W);
        return;
    }
    m_iYOrigin = GetYOrigin();
    if (m_iYOrigin == POINT_BEYOND_MAX) return;
    m_bColumnMode = 0;

    const int iUnit = GetXUnit();
    const int iFirst = std::clamp(GetMinXPos(), 0, n - 1);
    const int iLast = std::clamp(GetMaxXPos(), 0, n - 1);
    bool bHavePrevious = false;
    int pc = 0;
    int Pp = POINT_BEYOND_MAX;
    int iLastDrawn = -1;
    for (int iPos = iFirst; iPos <= iLast; ++iPos) {
        const double x = GetXValueAtPos(iPos, iUnit);
        if (x == DBL_MAX || m_pXData[iPos] == DBL_MAX) continue;
        const int c = GetXPointForValue(x, iUnit);
        const int P = GetYPointForData(pdY[iPos]);
        if (!bHavePrevious) {
            Empty(0, c);
        } else if (!(c >= W && pc >= W)) {
            const int iFrom = std::max(std::min(pc, c) + 1, 0);
            const int iTo = std::min(std::max(pc, c), W);
            for (int k = iFrom; k < iTo; ++k) Set(k, InterpolatedRow(Pp, P, k, pc, c));
        }
        if (c >= 0 && c < W) Set(c, P);
        if (!(bHavePrevious && c >= W && pc >= W)) iLastDrawn = std::max(iLastDrawn, std::min(c, W - 1));
        bHavePrevious = true;
        pc = c;
        Pp = P;
    }
    Empty(bHavePrevious ? iLastDrawn + 1 : 0, W);
}
