// CQXTrace: attaching limit lines and checking the trace against them.
// Breaches fire the host's script events (421 minimum, 422 maximum) and
// count; each kind is reported at most once per check.

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SweepManager.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

namespace {

CLimitLine* AsLimitLine(CQXTrace* pTrace) { return static_cast<CLimitLine*>(pTrace); }

bool IsOnLine(const CQXTrace* pLimit) { return pLimit && pLimit->IsOn(); }

// The limit as the check sees it: a table line answers at an X value, a
// trace-data line at a position.
double LimitAt(CLimitLine* pLimit, CQXTrace* pTrace, int iPos)
{
    const int bTransformed = pLimit->HasTransformedYData();
    if (pLimit->HasLimitTable())
        return pLimit->GetYDataAtXValue(pTrace->GetXValueAtPos(iPos, pLimit->GetLimitXUnit()), bTransformed);
    return pLimit->GetYDataAtXPos(iPos, bTransformed);
}

// A breach by strict comparison; a missing limit or datum never breaches.
bool AboveMax(double dLimit, double dData) { return dLimit != DBL_MAX && dData != DBL_MAX && dLimit < dData; }
bool BelowMin(double dLimit, double dData) { return dLimit != DBL_MAX && dData != DBL_MAX && dData < dLimit; }

void FireLimitEvent(int iKind, CQXTrace* pTrace)
{
    if (CEventManager* pEvents = GetEventManager()) pEvents->OnEvent(iKind, reinterpret_cast<LPARAM>(pTrace), 1, 2);
}

} // namespace

// The minimum first, then the maximum: scripts rely on the order.
void CQXTrace::ReportLimitBreaches(bool bMinBreached, bool bMaxBreached)
{
    if (bMinBreached) {
        FireLimitEvent(EVENT_MIN_LIMIT_BREACHED, this);
        ++m_iMinLimitBreached;
    }
    if (bMaxBreached) {
        FireLimitEvent(EVENT_MAX_LIMIT_BREACHED, this);
        ++m_iMaxLimitBreached;
    }
}

// ---- Attaching ---------------------------------------------------------------------------

int CQXTrace::SetLimitLineForTrace(CLimitLine* pLimitLine, TraceType eLimitLineTraceType, int bTurnOn,
                                   int iRemoveFlag, int bAsk)
{
    if (!QXVERIFY(!IsLimitLine())) return 0;
    if (!QXVERIFY(eLimitLineTraceType == TT_MINLIMITLINE || eLimitLineTraceType == TT_MAXLIMITLINE)) return 0;
    const bool bMax = eLimitLineTraceType == TT_MAXLIMITLINE;
    CQXTrace*& pSlot = bMax ? m_pMaxLimitLine : m_pMinLimitLine;
    CQXTrace* pNew = pLimitLine;

    if (pSlot && pSlot != pNew) {
        if (bAsk && AfxMessageBox(LoadResString(IDS_LIMIT_CONFIRM_REPLACE), MB_YESNO) != IDYES) return 0;
        CQXTrace* pOld = pSlot;
        if (CGraphDoc* pDoc = GetGraphDoc()) {
            pDoc->RemoveTrace(pOld, iRemoveFlag);
        } else {
            DetachLimitLine(pOld);
            delete pOld;
        }
        pSlot = nullptr;
    }

    pSlot = pNew;
    if (!pLimitLine) return 1;
    CQXTrace* pLimit = pLimitLine;
    pLimitLine->SetParentTrace(this);
    pLimit->UpdateTriggerDetailsFrom(this);
    pLimit->m_bInputUnlocked = m_bInputUnlocked;
    pLimit->m_dSampleRate = m_dSampleRate;
    pLimit->m_eTraceType = eLimitLineTraceType;
    pLimitLine->SetScaleValuesFromTrace(true);

    if (IsSweepTrace()) {
        if (CSweepManager* pSweeps = GetSweepManager())
            pSweeps->SetLimitLine(static_cast<int>(m_eTraceType) - TT_SWEEP1, GetResultID(), bMax, pLimitLine);
    }

    CGraphDoc* pDoc = GetGraphDoc();
    if (bTurnOn) {
        if (!pLimit->IsInUse()) pLimit->SetInUse(1);
        if (pLimit->IsOn()) pLimit->TraceOff(1);
        if (pDoc) pDoc->TraceOn(pLimit, 0);
        else pLimit->TraceOn(0, 1);
    }
    if (pDoc) pDoc->NewTrace(pLimit, 0, iRemoveFlag);
    return 1;
}

// ---- Whole-trace checks --------------------------------------------------------------------

void CQXTrace::CheckLimits()
{
    m_aiMaxLimitBreaches.clear();
    m_aiMinLimitBreaches.clear();
    if (!IsOnLine(m_pMaxLimitLine) && !IsOnLine(m_pMinLimitLine)) return;
    CLimitLine* pMax = AsLimitLine(m_pMaxLimitLine);
    CLimitLine* pMin = AsLimitLine(m_pMinLimitLine);
    const bool bMaxTable = pMax && pMax->HasLimitTable();
    const bool bMinTable = pMin && pMin->HasLimitTable();
    const bool bMaxData = pMax && !bMaxTable && pMax->HasTraceData();
    const bool bMinData = pMin && !bMinTable && pMin->HasTraceData();

    const bool bAllTables = (pMax || pMin) && (!pMax || bMaxTable) && (!pMin || bMinTable);
    const bool bAllData = (pMax || pMin) && (!pMax || bMaxData) && (!pMin || bMinData);
    if (bAllTables) {
        CheckLimitsAgainstLimitTables();
    } else if (bAllData) {
        CheckLimitsAgainstTraceData();
    } else if ((bMaxTable || bMinTable) && (bMaxData || bMinData)) {
        CheckLimitsAgainstLimitTables();
        CheckLimitsAgainstTraceData();
    }
}

// Each scan notes every breaching position (for drawing) and reports the
// kinds it found once.
void CQXTrace::CheckLimitsAgainstLimitTables()
{
    CLimitLine* pMax = AsLimitLine(m_pMaxLimitLine);
    CLimitLine* pMin = AsLimitLine(m_pMinLimitLine);
    const bool bMaxTable = pMax && pMax->HasLimitTable();
    const bool bMinTable = pMin && pMin->HasLimitTable();
    if (!bMaxTable && !bMinTable) return;
    const double* pdY = GetYDataBuffer(HasTransformedYData());
    if (!pdY) return;

    const int iUnit = bMaxTable ? pMax->GetLimitXUnit() : pMin->GetLimitXUnit();
    const int iMinUnit = bMinTable ? pMin->GetLimitXUnit() : iUnit;
    const int iSize = GetDataSize();
    const size_t uMaxBefore = m_aiMaxLimitBreaches.size();
    const size_t uMinBefore = m_aiMinLimitBreaches.size();
    for (int i = 0; i < iSize; ++i) {
        const double dData = pdY[i];
        // Points flagged beyond the window are not compared.
        if (dData == 2147483647.0) continue;
        const double dX = GetXValueAtPos(i, iUnit);
        if (bMaxTable && AboveMax(pMax->GetYDataAtXValue(dX, pMax->HasTransformedYData()), dData))
            m_aiMaxLimitBreaches.push_back(i);
        if (bMinTable) {
            const double dMinX = iMinUnit == iUnit ? dX : GetXValueAtPos(i, iMinUnit);
            if (BelowMin(pMin->GetYDataAtXValue(dMinX, pMin->HasTransformedYData()), dData))
                m_aiMinLimitBreaches.push_back(i);
        }
    }
    ReportLimitBreaches(m_aiMinLimitBreaches.size() > uMinBefore, m_aiMaxLimitBreaches.size() > uMaxBefore);
}

void CQXTrace::CheckLimitsAgainstTraceData()
{
    CLimitLine* pMax = AsLimitLine(m_pMaxLimitLine);
    CLimitLine* pMin = AsLimitLine(m_pMinLimitLine);
    const bool bMaxData = pMax && !pMax->HasLimitTable() && pMax->HasTraceData();
    const bool bMinData = pMin && !pMin->HasLimitTable() && pMin->HasTraceData();
    if (!bMaxData && !bMinData) return;
    const double* pdY = GetYDataBuffer(HasTransformedYData());
    if (!pdY) return;

    const int iSize = GetDataSize();
    const int iMaxSize = bMaxData ? pMax->GetDataSize() : 0;
    const int iMinSize = bMinData ? pMin->GetDataSize() : 0;
    const size_t uMaxBefore = m_aiMaxLimitBreaches.size();
    const size_t uMinBefore = m_aiMinLimitBreaches.size();
    for (int i = 0; i < iSize; ++i) {
        if (i < iMaxSize && AboveMax(pMax->GetYDataAtXPos(i, pMax->HasTransformedYData()), pdY[i]))
            m_aiMaxLimitBreaches.push_back(i);
        if (i < iMinSize && BelowMin(pMin->GetYDataAtXPos(i, pMin->HasTransformedYData()), pdY[i]))
            m_aiMinLimitBreaches.push_back(i);
    }
    ReportLimitBreaches(m_aiMinLimitBreaches.size() > uMinBefore, m_aiMaxLimitBreaches.size() > uMaxBefore);
}

// ---- One point -------------------------------------------------------------------------------

void CQXTrace::ExtendLimitLinesTo(int iDataSize)
{
    for (CQXTrace* pLine : {m_pMaxLimitLine, m_pMinLimitLine})
        if (pLine) AsLimitLine(pLine)->ExtendTraceData(iDataSize);
}

void CQXTrace::CheckLimitAtPoint(int iPos)
{
    if (!IsOnLine(m_pMaxLimitLine) && !IsOnLine(m_pMinLimitLine)) return;
    const double* pdY = GetYDataBuffer(HasTransformedYData());
    if (!pdY || iPos < 0 || iPos >= GetDataSize()) return;
    const double dData = pdY[iPos];

    bool bMaxBreached = false;
    bool bMinBreached = false;
    for (CQXTrace* pLine : {m_pMaxLimitLine, m_pMinLimitLine}) {
        if (!pLine) continue;
        CLimitLine* pLimit = AsLimitLine(pLine);
        if (!QXVERIFY(pLimit->HasLimitTable() || pLimit->HasTraceData())) continue;
        const double dLimit = LimitAt(pLimit, this, iPos);
        if (pLine == m_pMaxLimitLine) bMaxBreached = AboveMax(dLimit, dData);
        else bMinBreached = BelowMin(dLimit, dData);
    }
    ReportLimitBreaches(bMinBreached, bMaxBreached);
}

// ---- Consistency -------------------------------------------------------------------------------

int CQXTrace::IsLimitConsistent(int iXUnit, int iYUnit)
{
    return (AreSameKindsOfUnit(iXUnit, GetXUnit()) && AreSameKindsOfUnit(iYUnit, GetYUnit())) ? 1 : 0;
}

void CQXTrace::CheckLimitLinesConsistent(int iRemoveFlag)
{
    for (CQXTrace** ppSlot : {&m_pMaxLimitLine, &m_pMinLimitLine}) {
        CQXTrace* pLine = *ppSlot;
        if (!pLine) continue;
        CLimitLine* pLimit = AsLimitLine(pLine);
        if (IsLimitConsistent(pLimit->GetLimitXUnit(), pLimit->GetLimitYUnit())) continue;
        QXDebugLog(5, "CQXTrace::CheckLimitLinesConsistent", "LIMITLINE: dropping %s limit line, units %d/%d",
                   pLine == m_pMaxLimitLine ? "max" : "min", pLimit->GetLimitXUnit(), pLimit->GetLimitYUnit());
        if (CGraphDoc* pDoc = GetGraphDoc()) {
            pDoc->RemoveTrace(pLine, iRemoveFlag);
        } else {
            delete pLine;
        }
        *ppSlot = nullptr;
    }
}
