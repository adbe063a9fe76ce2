// CLimitLine: the limit-line trace and its parent, its two forms, and the
// operations that follow the parent: scales, units, type and X range. The
// curve operations are in LimitLineData.cpp, the limit file in
// LimitLineFile.cpp, and checking a trace against its lines in LimitCheck.cpp.

#include "trace/limits/LimitLine.h"

#include "host/app/DebugLog.h"
#include "trace/document/GraphDoc.h"
#include "trace/limits/LimitTable.h"
#include "trace/core/TraceMath.h"

#include <new>

IMPLEMENT_DYNCREATE(CLimitLine, CQXTrace)

CLimitLine::CLimitLine() { m_eTraceType = TT_MAXLIMITLINE; }

CLimitLine::CLimitLine(CQXTrace* pParent, int iMax, int /*iDataSizeKind*/)
    : CQXTrace(pParent ? pParent->GetChannel() : CHANNEL_BOTH, 0, 0)
{
    InitialiseTrace(pParent, iMax);
}

CLimitLine::CLimitLine(ChannelNumber eChannel, int iDataSize, TraceType eTraceType, int /*iBare*/)
    : CQXTrace(eChannel, iDataSize, 0)
{
    QXASSERT((eTraceType == TT_MAXLIMITLINE) || (eTraceType == TT_MINLIMITLINE));
    m_eTraceType = eTraceType == TT_MINLIMITLINE ? TT_MINLIMITLINE : TT_MAXLIMITLINE;
    CQXTrace::InitialiseTrace(iDataSize);
}

CLimitLine::~CLimitLine() = default;

void CLimitLine::InitialiseTrace(CQXTrace* pParent, int iMax)
{
    m_eTraceType = iMax > 0 ? TT_MAXLIMITLINE : TT_MINLIMITLINE;
    m_pTrace = pParent;
    CQXTrace::InitialiseTrace(0);
    if (!QXVERIFY(pParent != nullptr)) return;
    SetParentTrace(pParent);
    SetScaleValuesFromTrace(true);
    SetDrawRect(pParent->GetDrawRect());
    DefaultZoomXAndY(0);
    CopyZoomHistory(pParent);
}

void CLimitLine::SetParentTrace(CQXTrace* pParent)
{
    m_pTrace = pParent;
    if (!pParent) return;
    m_eChannel = pParent->GetChannel();
    // Shared, never owned: a limit line does not delete scales.
    m_pXScale = pParent->GetXScale();
    m_pYScale = pParent->GetYScale();
}

bool CLimitLine::ParentIsScopeLike() const
{
    if (!m_pTrace) return false;
    const TraceType eType = m_pTrace->GetOwnTraceType();
    return eType == TT_SCOPE || eType == TT_CTDET;
}

// ---- The two forms -----------------------------------------------------------------------

CLimitTable* CLimitLine::EnsureLimitTable()
{
    if (m_pLimitTable) return m_pLimitTable.get();
    try {
        m_pLimitTable = std::make_unique<CLimitTable>();
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return nullptr;
    }
    if (m_pTrace) {
        m_pLimitTable->SetXUnit(m_pTrace->GetXUnit());
        m_pLimitTable->SetYUnit(m_pTrace->GetYUnit());
    }
    return m_pLimitTable.get();
}

void CLimitLine::RemoveLimitTable() { m_pLimitTable.reset(); }

void CLimitLine::RemoveTraceData()
{
    FreeTransformedYDataBuffer(1);
    SetBuffer(0);
    FreePolarityData();
}

int CLimitLine::GetLimitXUnit() const { return m_pLimitTable ? m_pLimitTable->GetXUnit() : m_iXUnitCreated; }
int CLimitLine::GetLimitYUnit() const { return m_pLimitTable ? m_pLimitTable->GetYUnit() : m_iYUnitCreated; }

bool CLimitLine::UsesOwnPositions() { return !m_pTrace || HasTraceData() || HasLimitTable(); }

void CLimitLine::SetScaleValuesFromTrace(bool bFull)
{
    if (!m_pTrace) return;
    SetParentTrace(m_pTrace);
    if (bFull) {
        if (HasTraceData()) {
            const int iUnit = m_pTrace->GetXUnit();
            SetMinXPos(m_pTrace->GetXPosForValue(m_pTrace->GetMinXScaleValue(), iUnit));
            SetMaxXPos(m_pTrace->GetXPosForValue(m_pTrace->GetMaxXScaleValue(), iUnit));
        }
        m_dMinXScaleValue = m_pTrace->GetMinXScaleValue();
        m_dMaxXScaleValue = m_pTrace->GetMaxXScaleValue();
        m_aiTicks = m_pTrace->GetTicks();
        SetYAutoIntervals(m_pTrace->GetYAutoIntervals());
        m_bLogY = m_pTrace->GetLogY();
    }
    if (HasTraceData()) {
        CQXTrace::SetCurrentMinXPos(m_pTrace->GetCurrentMinXPos());
        CQXTrace::SetCurrentMaxXPos(m_pTrace->GetCurrentMaxXPos());
    }
    m_dCurrentMinYData = m_pTrace->GetCurrentMinYData();
    m_dCurrentMaxYData = m_pTrace->GetCurrentMaxYData();
    m_dCurrentMinYScaleValue = m_pTrace->GetCurrentMinYScaleValue();
    m_dCurrentMaxYScaleValue = m_pTrace->GetCurrentMaxYScaleValue();
}

CQXTrace* CLimitLine::CopyFrom(CQXTrace* pFrom)
{
    if (!pFrom || !pFrom->IsKindOf(RUNTIME_CLASS(CLimitLine))) {
        QXReportAssert("pCopyFrom->IsKindOf((CLimitLine::GetThisClass()))", __FILE__, static_cast<unsigned>(__LINE__));
        return this;
    }
    const auto& from = *static_cast<CLimitLine*>(pFrom);
    // The parent first: the copied data is sized and shaped by it.
    m_pTrace = from.m_pTrace;
    CopyStdTraceDetails(pFrom);
    SetParentTrace(from.m_pTrace);
    m_iTableFlag = from.m_iTableFlag;
    m_iXUnitCreated = from.m_iXUnitCreated;
    m_iYUnitCreated = from.m_iYUnitCreated;
    m_dMaxXValueWhenCreated = from.m_dMaxXValueWhenCreated;
    m_pPolarityData = from.m_pPolarityData;
    m_pTransformedPolarityData = from.m_pTransformedPolarityData;
    m_pLimitTable.reset();
    if (from.m_pLimitTable) {
        if (CLimitTable* pTable = EnsureLimitTable()) *pTable = *from.m_pLimitTable;
    }
    return this;
}

// ---- Polarity --------------------------------------------------------------------------

void CLimitLine::FreePolarityData()
{
    m_pPolarityData.clear();
    m_pPolarityData.shrink_to_fit();
    m_pTransformedPolarityData.clear();
    m_pTransformedPolarityData.shrink_to_fit();
}

int CLimitLine::AllocatePolarityData(int iDataSize)
{
    FreePolarityData();
    if (!ParentIsScopeLike() || iDataSize <= 0) return 1;
    try {
        m_pPolarityData.assign(static_cast<size_t>(iDataSize), POLARITY_NONE);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CLimitLine::HasPolarityData(int bTransformed) const
{
    return !(bTransformed ? m_pTransformedPolarityData : m_pPolarityData).empty();
}

Polarity CLimitLine::GetPolarityAtPos(int iPos, int bTransformed) const
{
    // A table's transformed polarities live beside its transformed values.
    if (m_pLimitTable && !(bTransformed && !m_pTransformedPolarityData.empty())) {
        LimitTablePoint point;
        return m_pLimitTable->GetPoint(iPos, &point) ? static_cast<Polarity>(point.ePolarity) : POLARITY_NONE;
    }
    const auto& aData = bTransformed ? m_pTransformedPolarityData : m_pPolarityData;
    if (iPos < 0 || static_cast<size_t>(iPos) >= aData.size()) return POLARITY_NONE;
    return static_cast<Polarity>(aData[static_cast<size_t>(iPos)]);
}

void CLimitLine::SetPolarityAtPos(int iPos, Polarity ePolarity, int bTransformed)
{
    if (m_pLimitTable && !bTransformed) {
        LimitTablePoint point;
        if (QXVERIFY(m_pLimitTable->GetPoint(iPos, &point)))
            m_pLimitTable->ReplacePoint(iPos, point.dX, point.dY, point.bConnected, ePolarity);
        return;
    }
    auto& aData = bTransformed ? m_pTransformedPolarityData : m_pPolarityData;
    if (!QXVERIFY(iPos >= 0 && static_cast<size_t>(iPos) < aData.size())) return;
    aData[static_cast<size_t>(iPos)] = static_cast<unsigned char>(ePolarity);
}

int CLimitLine::AllocateTransformedYDataBuffer(int bLock)
{
    CSingleLock lock(m_pTransformLock.get(), bLock != 0 && m_pTransformLock);
    // One entry per point of either form.
    const int iSize = GetDataSize();
    m_pTransformedYData.reset();
    m_pTransformedPolarityData.clear();
    m_iTransformedSize = 0;
    if (iSize <= 0) return 1;
    m_pTransformedYData = AllocateTraceArray(iSize);
    if (!m_pTransformedYData) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return 0;
    }
    m_iTransformedSize = iSize;
    if (ParentIsScopeLike()) {
        try {
            m_pTransformedPolarityData.assign(static_cast<size_t>(iSize), POLARITY_NONE);
        } catch (const std::bad_alloc&) {
            m_pTransformedYData.reset();
            m_iTransformedSize = 0;
            ReportOutOfMemory(__FILE__, __LINE__);
            return 0;
        }
    }
    return 1;
}

void CLimitLine::FreeTransformedYDataBuffer(int bLock)
{
    CSingleLock lock(m_pTransformLock.get(), bLock != 0 && m_pTransformLock);
    m_pTransformedYData.reset();
    m_pTransformedPolarityData.clear();
    m_iTransformedSize = 0;
}

int CLimitLine::CopyYDataToTransformedBuffer()
{
    if (!m_pTransformedYData) return 0;
    const bool bPolarity = !m_pTransformedPolarityData.empty();
    for (int i = 0; i < m_iTransformedSize; ++i) {
        m_pTransformedYData[static_cast<size_t>(i)] = GetStoredValueAt(i, 0);
        if (bPolarity) m_pTransformedPolarityData[static_cast<size_t>(i)] = static_cast<unsigned char>(GetPolarityAtPos(i, 0));
    }
    return 1;
}

// A relative compute has nothing to relate a limit to.
int CLimitLine::IsValidComputeType(ComputeType eType)
{
    return eType != COMPUTE_RELATIVE && CQXTrace::IsValidComputeType(eType);
}

// ---- Size and X range: the parent's until the line has points of its own --------------------

// A line with both forms (an error, logged where it is found) counts as a table.
int CLimitLine::GetDataSize() { return m_pLimitTable ? m_pLimitTable->GetNumPoints() : CQXTrace::GetDataSize(); }

int CLimitLine::GetMinXPos() { return UsesOwnPositions() ? CQXTrace::GetMinXPos() : m_pTrace->GetMinXPos(); }
int CLimitLine::GetMaxXPos() { return UsesOwnPositions() ? CQXTrace::GetMaxXPos() : m_pTrace->GetMaxXPos(); }
int CLimitLine::GetCurrentMinXPos()
{
    return UsesOwnPositions() ? CQXTrace::GetCurrentMinXPos() : m_pTrace->GetCurrentMinXPos();
}
int CLimitLine::GetCurrentMaxXPos()
{
    return UsesOwnPositions() ? CQXTrace::GetCurrentMaxXPos() : m_pTrace->GetCurrentMaxXPos();
}

double CLimitLine::GetMinXScaleValue() { return m_pTrace ? m_pTrace->GetMinXScaleValue() : m_dMinXScaleValue; }
double CLimitLine::GetMaxXScaleValue() { return m_pTrace ? m_pTrace->GetMaxXScaleValue() : m_dMaxXScaleValue; }
// The scales are the parent's: the line keeps its range to itself.
void CLimitLine::SetMinXScaleValue(double dValue) { m_dMinXScaleValue = dValue; }
void CLimitLine::SetMaxXScaleValue(double dValue) { m_dMaxXScaleValue = dValue; }

double CLimitLine::GetCurrentMinXScaleValue()
{
    return m_pTrace ? m_pTrace->GetCurrentMinXScaleValue() : m_dOwnCurrentMinXScaleValue;
}
double CLimitLine::GetCurrentMaxXScaleValue()
{
    return m_pTrace ? m_pTrace->GetCurrentMaxXScaleValue() : m_dOwnCurrentMaxXScaleValue;
}
// The window belongs to the parent's scale; the line only follows it.
void CLimitLine::SetCurrentMinXScaleValue(double dValue) { m_dOwnCurrentMinXScaleValue = dValue; }
void CLimitLine::SetCurrentMaxXScaleValue(double dValue) { m_dOwnCurrentMaxXScaleValue = dValue; }

int CLimitLine::GetXPosForValue(double dValue, int iUnit)
{
    return m_pTrace ? m_pTrace->GetXPosForValue(dValue, iUnit) : CQXTrace::GetXPosForValue(dValue, iUnit);
}

double CLimitLine::GetXValueAtPos(int iPos, int iUnit)
{
    return m_pTrace ? m_pTrace->GetXValueAtPos(iPos, iUnit) : CQXTrace::GetXValueAtPos(iPos, iUnit);
}

int CLimitLine::GetXZoomCentrePoint()
{
    return m_pTrace ? m_pTrace->GetXZoomCentrePoint() : CQXTrace::GetXZoomCentrePoint();
}

// ---- Ranges and windows: the parent's ---------------------------------------------------------

double CLimitLine::GetMinYValue(EUnit eUnit) { return m_pTrace ? m_pTrace->GetMinYValue(eUnit) : 0.0; }
double CLimitLine::GetMaxYValue(EUnit eUnit) { return m_pTrace ? m_pTrace->GetMaxYValue(eUnit) : 0.0; }

void CLimitLine::CalcDefaultXScaleValues(double* pdMin, double* pdMax)
{
    if (m_pTrace) m_pTrace->CalcDefaultXScaleValues(pdMin, pdMax);
    else CQXTrace::CalcDefaultXScaleValues(pdMin, pdMax);
}

void CLimitLine::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (m_pTrace) m_pTrace->CalcDefaultYScaleValues(pdMin, pdMax);
    else CQXTrace::CalcDefaultYScaleValues(pdMin, pdMax);
}

void CLimitLine::DefaultZoomX(int bUpdateViews, int bStoreHistory)
{
    if (ZoomsWithParentTrace() && m_pTrace) m_pTrace->DefaultZoomX(bUpdateViews, bStoreHistory);
    CQXTrace::DefaultZoomX(bUpdateViews, bStoreHistory);
}

void CLimitLine::SetXDefaultZoomValues() { SetScaleValuesFromTrace(false); }
void CLimitLine::SetXAutoZoomValues() { SetScaleValuesFromTrace(false); }
void CLimitLine::SetYAutoZoomValues() { SetScaleValuesFromTrace(false); }
void CLimitLine::SetYDefaultZoomValues() { SetScaleValuesFromTrace(false); }

// ---- Units: the parent's ------------------------------------------------------------------------

int CLimitLine::GetXUnit() { return m_pTrace ? m_pTrace->GetXUnit() : -1; }
int CLimitLine::GetYUnit() { return m_pTrace ? m_pTrace->GetYUnit() : -1; }
void CLimitLine::SetXUnit(int /*iUnit*/) {}
void CLimitLine::SetYUnit(int /*iUnit*/) {}

EUnit CLimitLine::GetDefaultXUnit() { return m_pTrace ? m_pTrace->GetDefaultXUnit() : UNIT_NULL; }

EUnit CLimitLine::GetDefaultYUnit(EMode eMode, int bRelative)
{
    return m_pTrace ? m_pTrace->GetDefaultYUnit(eMode, bRelative) : UNIT_NULL;
}

EUnit CLimitLine::GetStorageUnit(AxisType eAxis)
{
    return m_pTrace ? m_pTrace->GetStorageUnit(eAxis) : CQXTrace::GetStorageUnit(eAxis);
}

const CUnitSet* CLimitLine::GetUnitSet(int iAxis) { return m_pTrace ? m_pTrace->GetUnitSet(iAxis) : nullptr; }

EUnit CLimitLine::GetUnit(int iAxis) { return m_pTrace ? m_pTrace->GetUnit(iAxis) : UNIT_INVALID; }

int CLimitLine::GetReferences(int iAxis, int bDefault, SReferences* pReferences)
{
    if (m_pTrace) return m_pTrace->GetReferences(iAxis, bDefault, pReferences);
    if (pReferences) pReferences->SetNull();
    return 0;
}

void CLimitLine::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    if (m_pTrace) {
        m_pTrace->GetLogDetails(eAxis, iUnit, pbIsDbUnit, pbLogAllowed);
        return;
    }
    if (pbIsDbUnit) *pbIsDbUnit = 0;
    if (pbLogAllowed) *pbLogAllowed = 0;
}

ScaleType CLimitLine::GetDefaultXScaleType() { return m_pTrace ? m_pTrace->GetDefaultXScaleType() : ST_SCOPE; }

int CLimitLine::CheckUnit(int iUnit, AxisType eAxis) { return m_pTrace ? m_pTrace->CheckUnit(iUnit, eAxis) : 0; }
