// CLimitLine: the curve. Taking it from the parent, moving it in values or
// in data, reading the limit at a position or an X value in either form, and
// the plot of the table form.
//
// Stored values are in the line's own Y unit (the table's, or the unit the
// trace data was taken in); the check and the plot work in the parent's
// data. For scope-like parents stored values are magnitudes and the
// polarity of each point gives the side of zero.

#include "trace/limits/LimitLine.h"

#include "host/app/DebugLog.h"
#include "trace/core/LimitMath.h"
#include "trace/limits/LimitTable.h"
#include "trace/core/PlotMath.h"
#include "trace/core/TraceMath.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

// ---- Stored values -------------------------------------------------------------------------

double CLimitLine::GetStoredValueAt(int iPos, int bTransformed)
{
    if (iPos < 0) return DBL_MAX;
    const double* pdY = bTransformed ? m_pTransformedYData.get() : m_pYData.get();
    const bool bInBuffer = pdY && iPos < (bTransformed ? m_iTransformedSize : m_iDataSize);
    if (!m_pLimitTable) return bInBuffer ? pdY[iPos] : DBL_MAX;
    // Transformed values of a table live in the base buffer, one per point.
    if (bTransformed && bInBuffer) return pdY[iPos];
    LimitTablePoint point;
    return m_pLimitTable->GetPoint(iPos, &point) ? point.dY : DBL_MAX;
}

void CLimitLine::SetStoredValueAt(int iPos, double dValue, int bTransformed)
{
    if (m_pLimitTable && !bTransformed) {
        LimitTablePoint point;
        if (m_pLimitTable->GetPoint(iPos, &point))
            m_pLimitTable->ReplacePoint(iPos, point.dX, dValue, point.bConnected, point.ePolarity);
        return;
    }
    double* pdY = bTransformed ? m_pTransformedYData.get() : m_pYData.get();
    const int iSize = bTransformed ? m_iTransformedSize : m_iDataSize;
    if (QXVERIFY(pdY != nullptr && iPos >= 0 && iPos < iSize)) pdY[iPos] = dValue;
}

double CLimitLine::StoredToData(double dValue, int bTransformed)
{
    if (dValue == DBL_MAX || dValue == -DBL_MAX) return dValue;
    return GetYDataForValue(dValue, GetLimitYUnit(), bTransformed);
}

double CLimitLine::DataToStored(double dData, int bTransformed)
{
    if (dData == DBL_MAX) return DBL_MAX;
    return GetYValueForData(dData, GetLimitYUnit(), 0, bTransformed);
}

double CLimitLine::GetYDataAtXPos(int iPos, int bTransformed)
{
    const double dData = StoredToData(GetStoredValueAt(iPos, bTransformed), bTransformed);
    return SignedByPolarity(dData, GetPolarityAtPos(iPos, bTransformed));
}

void CLimitLine::SetYDataAtXPos(int iPos, double dData, int bTransformed)
{
    if (dData == DBL_MAX) {
        SetStoredValueAt(iPos, DBL_MAX, bTransformed);
        return;
    }
    if (!ParentIsScopeLike()) {
        SetStoredValueAt(iPos, DataToStored(dData, bTransformed), bTransformed);
        return;
    }
    const Polarity ePolarity = GetPolarityAtPos(iPos, bTransformed);
    SetStoredValueAt(iPos, DataToStored(std::fabs(dData), bTransformed), bTransformed);
    if (HasPolarityData(bTransformed) || (m_pLimitTable && !bTransformed))
        SetPolarityAtPos(iPos, PolarityFollowingSign(dData, ePolarity), bTransformed);
}

double CLimitLine::GetPlotDataAtPos(int iPos, double dStored)
{
    const int bTransformed = HasTransformedYData();
    return SignedByPolarity(StoredToData(dStored, bTransformed), GetPolarityAtPos(iPos, bTransformed));
}

// ---- Taking the parent's data ----------------------------------------------------------------

int CLimitLine::CopyDataFromTrace()
{
    if (!QXVERIFY(m_pTrace != nullptr)) return 0;
    CQXTrace* pParent = m_pTrace;
    m_iXUnitCreated = pParent->GetXUnit();
    m_iYUnitCreated = pParent->GetYUnit();
    m_iYDigUnit = pParent->GetYDigUnit();
    m_iYAnaUnit = pParent->GetYAnaUnit();
    m_iYSoundcardUnit = pParent->GetYSoundcardUnit();
    m_iYJDOUnit = UNIT_JITTER_NS;
    m_dMaxXValueWhenCreated = pParent->GetMaxXScaleValue();

    int bResult = 1;
    if (pParent->HasXData()) {
        bResult = CopyTableFromTrace();
    } else {
        const double* pdSource = pParent->GetYDataBuffer(pParent->HasTransformedYData());
        const int iSize = pParent->GetDataSize();
        RemoveLimitTable();
        if (!pdSource || iSize <= 0 || !SetBuffer(iSize) || !m_pYData) return 0;
        const bool bSigned = ParentIsScopeLike();
        if (bSigned && !HasPolarityData(0)) return 0;
        for (int i = 0; i < iSize; ++i) {
            const double dData = pdSource[i];
            if (dData == DBL_MAX) {
                m_pYData[static_cast<size_t>(i)] = DBL_MAX;
                continue;
            }
            const double dValue = pParent->GetYValueForData(dData, m_iYUnitCreated, 0, 0);
            m_pYData[static_cast<size_t>(i)] = bSigned && dValue != DBL_MAX ? std::fabs(dValue) : dValue;
            if (bSigned) SetPolarityAtPos(i, dData >= 0.0 ? POLARITY_POSITIVE : POLARITY_NEGATIVE, 0);
        }
    }
    if (!bResult) return 0;
    SetParentTrace(pParent);
    SetScaleValuesFromTrace(true);
    RecalcTrace();
    return 1;
}

int CLimitLine::ExtendTraceData(int iDataSize)
{
    if (m_pLimitTable || !m_pYData || iDataSize <= m_iDataSize) return 1;
    std::unique_ptr<double[]> pY(new (std::nothrow) double[static_cast<size_t>(iDataSize)]);
    if (!pY) return 0;
    std::copy(m_pYData.get(), m_pYData.get() + m_iDataSize, pY.get());
    std::fill(pY.get() + m_iDataSize, pY.get() + iDataSize, DBL_MAX);
    std::vector<unsigned char> aPolarity = m_pPolarityData;
    if (!aPolarity.empty()) aPolarity.resize(static_cast<size_t>(iDataSize), POLARITY_NONE);
    const int iOldMax = CQXTrace::GetMaxXPos();
    {
        CSingleLock lock(&m_TraceLock, true);
        m_pYData = std::move(pY);
        m_pPolarityData = std::move(aPolarity);
        m_iDataSize = iDataSize;
    }
    SetMaxXPos(iDataSize - 1);
    if (CQXTrace::GetCurrentMaxXPos() == iOldMax) SetCurrentMaxXPos(iDataSize - 1);
    RecalcTrace();
    return 1;
}

int CLimitLine::CopyTableFromTrace()
{
    CQXTrace* pParent = m_pTrace;
    RemoveTraceData();
    CLimitTable* pTable = EnsureLimitTable();
    if (!pTable) return 0;
    pTable->Initialise();
    pTable->SetXUnit(m_iXUnitCreated);
    pTable->SetYUnit(m_iYUnitCreated);
    const double* pdSource = pParent->GetYDataBuffer(pParent->HasTransformedYData());
    if (!pdSource) return 1;
    // A point after a gap starts a new segment.
    bool bPreviousAdded = false;
    for (int i = 0; i < pParent->GetDataSize(); ++i) {
        const double dData = pdSource[i];
        const double dValue = dData == DBL_MAX ? DBL_MAX : pParent->GetYValueForData(dData, m_iYUnitCreated, 0, 0);
        if (dValue == DBL_MAX) {
            bPreviousAdded = false;
            continue;
        }
        const double dX = pParent->GetXValueAtPos(i, m_iXUnitCreated);
        bPreviousAdded = pTable->AddPoint(dX, dValue, bPreviousAdded ? 1 : 0, POLARITY_NONE) >= 0;
    }
    return 1;
}

// ---- Moving the line -----------------------------------------------------------------------------

void CLimitLine::AlterAllValues(double dDelta, int bTransformed)
{
    if (!QXVERIFY(m_pTrace != nullptr)) return;
    if (bTransformed && !QXVERIFY(HasTransformedYData())) return;
    const int iParentUnit = m_pTrace->GetYUnit();
    const int iOwnUnit = GetLimitYUnit();
    const int iSize = GetDataSize();
    for (int i = 0; i < iSize; ++i) {
        const double dStored = GetStoredValueAt(i, bTransformed);
        if (dStored == DBL_MAX) continue;
        const double dValue = GetYValueForData(GetYDataForValue(dStored, iOwnUnit, 0), iParentUnit, 0, 0);
        const double dMoved = GetYValueForData(GetYDataForValue(dValue + dDelta, iParentUnit, 0), iOwnUnit, 0, 0);
        SetStoredValueAt(i, dMoved, bTransformed);
    }
    RecalcTrace();
}

void CLimitLine::AlterAllData(double dDelta, int bTransformed)
{
    if (bTransformed && !QXVERIFY(HasTransformedYData())) return;
    const bool bSigned = ParentIsScopeLike();
    const int iOwnUnit = GetLimitYUnit();
    const int iSize = GetDataSize();
    for (int i = 0; i < iSize; ++i) {
        const double dStored = GetStoredValueAt(i, bTransformed);
        if (dStored == DBL_MAX) continue;
        const Polarity ePolarity = GetPolarityAtPos(i, bTransformed);
        const double dData = SignedByPolarity(GetYDataForValue(dStored, iOwnUnit, 0), ePolarity);
        const double dMoved = dData + dDelta;
        // Signed lines keep magnitudes; the polarity carries the side of zero.
        const double dValue = GetYValueForData(bSigned ? std::fabs(dMoved) : dMoved, iOwnUnit, 0, 0);
        SetStoredValueAt(i, dValue, bTransformed);
        if (bSigned) SetPolarityAtPos(i, PolarityAfterMove(dMoved, ePolarity), bTransformed);
    }
    RecalcTrace();
}

// ---- The limit at an X value ----------------------------------------------------------------------

double CLimitLine::GetYDataAtXValue(double dValue, int bTransformed)
{
    if (m_pLimitTable) return GetTableDataAtXValue(dValue, bTransformed);
    const int iSize = CQXTrace::GetDataSize();
    if (!m_pTrace || !m_pYData || iSize <= 0) return DBL_MAX;
    const int iUnit = m_iXUnitCreated != -1 ? m_iXUnitCreated : m_pTrace->GetXUnit();
    const int iPos = std::clamp(m_pTrace->GetXPosForValue(dValue, iUnit), 0, iSize - 1);
    const int iNext = std::min(iPos + 1, iSize - 1);
    const double dY0 = GetYDataAtXPos(iPos, bTransformed);
    if (iPos == iNext) return dY0;
    const double dX0 = m_pTrace->GetXValueAtPos(iPos, iUnit);
    if (dValue == dX0) return dY0;
    const double dY1 = GetYDataAtXPos(iNext, bTransformed);
    if (dY0 == DBL_MAX || dY1 == DBL_MAX) return DBL_MAX;
    return InterpolateLinear(dX0, dY0, m_pTrace->GetXValueAtPos(iNext, iUnit), dY1, dValue);
}

double CLimitLine::GetTableDataAtXValue(double dValue, int bTransformed)
{
    CLimitTable::SReader reader;
    reader.fnValue = [this, bTransformed](int i) { return GetStoredValueAt(i, bTransformed); };
    reader.fnPolarity = [this, bTransformed](int i) { return GetPolarityAtPos(i, bTransformed); };
    reader.fnToData = [this, bTransformed](double dStored) { return StoredToData(dStored, bTransformed); };
    reader.bSigned = ParentIsScopeLike();
    return m_pLimitTable->GetLimitAt(dValue, reader);
}

// ---- Plot ----------------------------------------------------------------------------------------

int CLimitLine::GetYPointForData(double dData)
{
    // The parent's mapping: spectra map Y through their display unit.
    return m_pTrace ? m_pTrace->GetYPointForData(dData) : CQXTrace::GetYPointForData(dData);
}

void CLimitLine::DataToPlot()
{
    if (m_pLimitTable) TableToPlot();
    else CQXTrace::DataToPlot();
}

void CLimitLine::TableToPlot()
{
    const int iColumns = static_cast<int>(std::min(m_ipPlotMin.size(), m_ipPlotMax.size()));
    if (!m_bPlotValid || iColumns <= 0) return;
    std::fill_n(m_ipPlotMin.begin(), iColumns, POINT_BEYOND_MAX);
    std::fill_n(m_ipPlotMax.begin(), iColumns, POINT_BEYOND_MAX);
    m_bColumnMode = 0;
    if (!m_pTrace) return;
    m_iYOrigin = GetYOrigin();

    const int bTransformed = HasTransformedYData();
    const int iXUnit = m_pLimitTable->GetXUnit();
    const auto Set = [&](long long iColumn, int iHeight) {
        if (iColumn < 0 || iColumn >= iColumns) return;
        m_ipPlotMin[static_cast<size_t>(iColumn)] = m_ipPlotMax[static_cast<size_t>(iColumn)] = iHeight;
    };
    long long iPrevColumn = 0;
    int iPrevHeight = POINT_BEYOND_MAX;
    bool bHavePrevious = false;
    const int iPoints = m_pLimitTable->GetNumPoints();
    for (int i = 0; i < iPoints; ++i) {
        LimitTablePoint point;
        m_pLimitTable->GetPoint(i, &point);
        const long long iColumn = m_pTrace->GetXPointForValue(point.dX, iXUnit);
        const int iHeight = GetYPointForData(GetYDataAtXPos(i, bTransformed));
        if (bHavePrevious && point.bConnected) {
            const long long iFrom = std::max(iPrevColumn + 1, 0LL);
            const long long iTo = std::min(iColumn - 1, static_cast<long long>(iColumns) - 1);
            for (long long k = iFrom; k <= iTo; ++k)
                Set(k, InterpolateHeight(iPrevHeight, iHeight, static_cast<int>(k), static_cast<int>(iPrevColumn),
                                         static_cast<int>(iColumn)));
        }
        Set(iColumn, iHeight);
        iPrevColumn = iColumn;
        iPrevHeight = iHeight;
        bHavePrevious = true;
    }
}
