// CUserTrace: points set by a script or the user, kept in the units shown.

#include "trace/types/UserTrace.h"

#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitSet.h"
#include "host/units/UnitSets.h"
#include "trace/types/KindHelpers.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUserTrace, CQXTrace)

namespace {

// The sets tried, in order, for the unit set of a user axis: the first that
// offers the unit gives the choices shown with it.
constexpr int kUserAxisSets[] = {
    UNITSET_AMPLITUDE_ANALYSER, UNITSET_AMPLITUDEREL, UNITSET_FFTBINS,      UNITSET_NUMSAMPLES,
    UNITSET_FREQUENCY,          UNITSET_CARRIERJITTER, UNITSET_ANALOGUEPHASE, UNITSET_DEVIATION,
    UNITSET_GAIN,               UNITSET_IMPEDANCE,
};

const CUnitSet* FirstSetOffering(int iUnit)
{
    for (int iSet : kUserAxisSets) {
        const CUnitSet* pSet = ::GetUnitSet(iSet);
        if (pSet && pSet->IsUnitValid(iUnit)) return pSet;
    }
    return nullptr;
}

} // namespace

CUserTrace::CUserTrace() { m_eTraceType = TT_USER; }

CUserTrace::CUserTrace(ChannelNumber eChannel, int iDataSize, int /*iCopy*/, int iBare)
    : CQXTrace(eChannel, iDataSize, 0)
{
    m_eTraceType = TT_USER;
    m_bInitialising = true;
    CQXTrace::InitialiseTrace(iDataSize);
    m_bInitialising = false;
    InitialiseColors(1);
    // A trace made from stored data takes its units from there.
    if (!iBare) {
        if (!IsValidUnit(GetXUnit())) SetXUnit(UNIT_NULL);
        if (GetYUnit() < 0) SetYUnit(UNIT_NULL);
    }
    DefaultZoomY(0, 0);
}

CQXTrace* CUserTrace::CopyFrom(CQXTrace* pFrom)
{
    if (!pFrom || !pFrom->IsKindOf(RUNTIME_CLASS(CUserTrace))) {
        QXReportAssert("pCopyFrom->IsKindOf((CUserTrace::GetThisClass()))", __FILE__,
                       static_cast<unsigned>(__LINE__));
        return this;
    }
    CopyStdTraceDetails(pFrom);
    const auto& from = *static_cast<CUserTrace*>(pFrom);
    m_dUserMinY = from.m_dUserMinY;
    m_dUserMaxY = from.m_dUserMaxY;
    return this;
}

// ---- Points ---------------------------------------------------------------------------

int CUserTrace::SetBuffer(int iDataSize)
{
    const int iResult = CQXTrace::SetBuffer(iDataSize);
    // A new point has no value until one is set.
    if (iResult && m_pYData) std::fill_n(m_pYData.get(), m_iDataSize, DBL_MAX);
    return iResult;
}

void CUserTrace::InitialiseXValues()
{
    if (!m_pXData) return;
    const int iMinPos = GetMinXPos();
    const int iMaxPos = GetMaxXPos();
    const double dMin = GetMinXScaleValue();
    const double dMax = GetMaxXScaleValue();
    const int iSpan = iMaxPos - iMinPos;
    for (int i = 0; i < m_iDataSize; ++i)
        m_pXData[i] = iSpan == 0 ? dMin : dMin + (i - iMinPos) * (dMax - dMin) / iSpan;
}

void CUserTrace::SetXValue(int iPos, double dX)
{
    QXASSERT(iPos < GetDataSize());
    if (m_pXData && iPos >= 0 && iPos < m_iDataSize) m_pXData[iPos] = dX;
}

void CUserTrace::SetYScaleRange(double dMinValue, double dMaxValue)
{
    QXASSERT(dMinValue < dMaxValue);
    m_dUserMinY = dMinValue;
    m_dUserMaxY = dMaxValue;
}

// ---- Ranges ------------------------------------------------------------------------------

// The X range is the trace's own: there is no conversion to mirror.
void CUserTrace::SetMinXScaleValue(double dValue) { CQXTrace::SetMinXScaleValue(dValue); }
void CUserTrace::SetMaxXScaleValue(double dValue) { CQXTrace::SetMaxXScaleValue(dValue); }
double CUserTrace::GetMinXValue(EUnit /*eUnit*/) { return GetMinXScaleValue(); }
double CUserTrace::GetMaxXValue(EUnit /*eUnit*/) { return GetMaxXScaleValue(); }

double CUserTrace::GetMinYValue(EUnit eUnit)
{
    QXASSERT(eUnit == GetStorageUnit(Y_AXIS));
    return m_dUserMinY;
}

double CUserTrace::GetMaxYValue(EUnit eUnit)
{
    QXASSERT(eUnit == GetStorageUnit(Y_AXIS));
    return m_dUserMaxY;
}

void CUserTrace::SetYDefaultZoomValues()
{
    m_dCurrentMinYData = m_dUserMinY;
    m_dCurrentMaxYData = m_dUserMaxY;
    m_dCurrentMinYScaleValue = GetYValueForData(m_dUserMinY, GetYUnit(), 0, 0);
    m_dCurrentMaxYScaleValue = GetYValueForData(m_dUserMaxY, GetYUnit(), 0, 0);
}

// ---- Mapping without conversion ---------------------------------------------------------------

int CUserTrace::GetXPosForValue(double dValue, int iUnit)
{
    if (!m_pXData || m_iDataSize == 0) return 0;
    return std::clamp(FindBinForXValue(dValue, iUnit), 0, m_iDataSize - 1);
}

double CUserTrace::GetXValueAtPos(int iPos, int iUnit)
{
    QXASSERT(iPos < GetDataSize());
    QXASSERT(iUnit != -1);
    QXASSERT(iUnit == GetStorageUnit(X_AXIS));
    if (!m_pXData || iPos < 0 || iPos >= m_iDataSize) return DBL_MAX;
    return m_pXData[iPos];
}

double CUserTrace::GetYDataAtXValue(double dValue, int bTransformed)
{
    const double* pY = GetYDataBuffer(bTransformed);
    if (!pY || !m_pXData || m_iDataSize == 0) return DBL_MAX;
    const int p = GetXPosForValue(dValue, GetXUnit());
    if (p + 1 >= m_iDataSize) return pY[p];
    const double x0 = m_pXData[p];
    const double x1 = m_pXData[p + 1];
    if (pY[p] == DBL_MAX || pY[p + 1] == DBL_MAX || x1 == x0) return pY[p];
    // Straight lines between the points, as they are drawn.
    return pY[p] + (pY[p + 1] - pY[p]) * (dValue - x0) / (x1 - x0);
}

double CUserTrace::GetYDataForValue(double dValue, int iUnit, int /*bTransformed*/)
{
    QXASSERT(iUnit == GetStorageUnit(Y_AXIS));
    return dValue;
}

double CUserTrace::GetYValueForData(double dData, int iUnit, int /*bAllowNegInf*/, int /*bTransformed*/)
{
    QXASSERT(iUnit == GetStorageUnit(Y_AXIS));
    return dData;
}

// ---- Units ---------------------------------------------------------------------------------------

EUnit CUserTrace::GetDefaultXUnit()
{
    const int iUnit = m_bInitialising ? -1 : GetXUnit();
    return iUnit < 0 ? UNIT_NULL : static_cast<EUnit>(iUnit);
}

EUnit CUserTrace::GetDefaultYUnit(EMode /*eMode*/, int /*bRelative*/)
{
    // While the trace is set up the unit fields are not filled yet.
    const int iUnit = m_bInitialising ? -1 : GetYUnit();
    return iUnit < 0 ? UNIT_NULL : static_cast<EUnit>(iUnit);
}

EUnit CUserTrace::GetStorageUnit(AxisType eAxis)
{
    const int iUnit = eAxis == X_AXIS ? GetXUnit() : GetYUnit();
    return iUnit < 0 ? UNIT_NULL : static_cast<EUnit>(iUnit);
}

const CUnitSet* CUserTrace::GetUnitSet(int iAxis)
{
    if (iAxis != 1 && iAxis != 2) {
        QXASSERT((iAxis == 1) || (iAxis == 2));
        return nullptr;
    }
    return FirstSetOffering(GetStorageUnit(iAxis == 1 ? X_AXIS : Y_AXIS));
}

int CUserTrace::GetReferences(int iAxis, int /*bDefault*/, SReferences* pReferences)
{
    if (!pReferences || (iAxis != 1 && iAxis != 2)) {
        QXASSERT(pReferences && ((iAxis == 1) || (iAxis == 2)));
        return 0;
    }
    pReferences->SetNull();
    pReferences->SetUnlocked(IsUnlocked());
    return 1;
}

void CUserTrace::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    const int iResolved = ResolveAxisUnit(*this, eAxis, iUnit);
    const bool bDb = IsdBUnit(iResolved);
    const double dMin = eAxis == Y_AXIS ? GetMinYValue(static_cast<EUnit>(iResolved)) : GetMinXScaleValue();
    const double dMax = eAxis == Y_AXIS ? GetMaxYValue(static_cast<EUnit>(iResolved)) : GetMaxXScaleValue();
    if (pbIsDbUnit) *pbIsDbUnit = bDb ? 1 : 0;
    if (pbLogAllowed) *pbLogAllowed = (!bDb && dMin >= 0.0 && dMax >= 0.0) ? 1 : 0;
}

int CUserTrace::CheckUnit(int iUnit, AxisType /*eAxis*/) { return IsValidUnit(iUnit) ? 1 : 0; }
