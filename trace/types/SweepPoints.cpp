// CSweepTrace: a sweep point by point. Points arrive in any X order; with
// insertion they are kept sorted ascending and the cursors and marks stay on
// the points they were placed on. Unmeasured positions hold DBL_MAX in X.

#include "trace/types/SweepTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

const char* TimeoutText(int iFlags)
{
    if (iFlags & 0x04) return "Timed out waiting for data";
    if ((iFlags & 0x03) == 0x03) return "Timed out Regulating AND Settling";
    return (iFlags & 0x01) ? "Timed out Settling" : "Timed out Regulating";
}

} // namespace

void CSweepTrace::SweepStarted(int bReverse)
{
    m_bReverseSweep = bReverse ? 1 : 0;
    m_iNextPoint = m_bReverseSweep ? GetDataSize() - 1 : 0;
}

void CSweepTrace::SetXValue(int iPos, double dX)
{
    QXASSERT(iPos < GetDataSize());
    if (m_pXData && iPos >= 0 && iPos < m_iDataSize) m_pXData[iPos] = dX;
}

void CSweepTrace::AddSweepPoint(double dX, double dY, int iTimeoutFlags, int bInsert, int bRestart, int bUpdateViews)
{
    static constexpr const char* kFn = "CSweepTrace::AddSweepPoint";
    if (bRestart) {
        QXDebugLog(1, kFn, "%s Restarting Range %d=>0 (min:%d max:%d size:%d)", kFn, m_iNextPoint, GetMinXPos(),
                   GetMaxXPos(), GetDataSize());
        m_iNextPoint = 0;
    }
    const int n = GetDataSize();
    // A trace whose arrays could not be allocated has nowhere to put the point.
    if (!m_pXData || !m_pYData) return;
    const bool bSense = IsSenseSweep() != 0;
    if (iTimeoutFlags & 0x07)
        QXDebugLog(1, kFn, "%s %d of %d: %s: X = %g, Y = %g", kFn, m_iNextPoint, n, TimeoutText(iTimeoutFlags), dX,
                   dY);
    QXASSERT((m_iNextPoint < n) || (bSense && (m_iNextPoint == n)));
    QXASSERT(m_iNextPoint >= 0);
    if (m_iNextPoint < 0) {
        m_iNextPoint = 0;
        return;
    }
    if (m_iNextPoint >= n && !bSense) {
        // A full generator sweep: the extra point is dropped.
        m_iNextPoint = n - 1;
        return;
    }
    int iStoredAt = m_iNextPoint;
    if (bInsert) {
        iStoredAt = InsertTracePoint(m_iNextPoint, dX, dY);
    } else if (m_iNextPoint < n) {
        m_pXData[m_iNextPoint] = dX;
        m_pYData[m_iNextPoint] = dY;
    } else {
        // A sense sweep past its end without insertion would write beyond
        // the arrays: it grows by one first, as with insertion.
        iStoredAt = GrowWithPoint(n, dX, dY) ? n : -1;
    }
    // During a sweep the raw points are shown; the computes run when it finishes.
    if (HasTransformedYDataBuffer()) FreeTransformedYDataBuffer(1);
    // With insertion the point may have moved; the mark goes where it was stored.
    if ((iTimeoutFlags & 0x07) && iStoredAt >= 0) {
        if (!AreMarksOn()) MarksOn();
        AddTimeOutMark(iStoredAt, iTimeoutFlags);
    }
    if (m_bReferencesStale) UpdateTraceVariables(false, false, nullptr);
    RecalcTrace();
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_REDRAW, this);
    if (!GetComputeList() && iStoredAt >= 0) CheckLimitAtPoint(iStoredAt);
    m_iNextPoint += m_bReverseSweep ? -1 : 1;
}

int CSweepTrace::InsertTracePoint(int iPointToAdd, double dX, double dY)
{
    static constexpr const char* kFn = "CSweepTrace::InsertTracePoint";
    const int n = GetDataSize();
    if (!m_pXData || !m_pYData || n <= 0) return -1;
    const int mn = std::clamp(GetMinXPos(), 0, n - 1);
    int mx = GetMaxXPos();
    if (mx >= n) {
        QXDebugLog(1, kFn, "SCALE: GOTCHA! %s OOB error - MaxPos:%d >= DataSize:%d (PointToAdd:%d X:%g/Y:%g)", kFn, mx,
                   n, iPointToAdd, dX, dY);
        mx = n - 1;
    }
    mx = std::max(mx, mn);
    if (iPointToAdd < 0 || iPointToAdd > mx + 1) {
        QXDebugLog(1, kFn, "Was ASSERT: %s Require 0 <= iPointToAdd:%d <= (iMaxXPos:%d + 1) - (X:%g/Y:%g)", kFn,
                   iPointToAdd, mx, dX, dY);
        // Searching from outside the arrays would read and write past them:
        // start from the nearest end instead.
        iPointToAdd = std::clamp(iPointToAdd, 0, mx + 1);
    }
    const bool bBeyondEnd = iPointToAdd > mx;
    const double* X = m_pXData.get();
    int q = iPointToAdd;
    if (iPointToAdd == mn && X[mn] >= dX) {
        // a new first point
    } else if (iPointToAdd >= mx && X[mx] <= dX) {
        // a new last point
    } else if (q > 0 && X[q - 1] < dX) {
        while (q < mx && X[q] < dX) ++q;
    } else {
        while (q > 0 && X[q - 1] > dX) --q;
    }
    if (bBeyondEnd) {
        if (IsSenseSweep()) return GrowWithPoint(q, dX, dY) ? q : -1;
        // Only a sense sweep may grow; anything else stays inside the arrays.
        q = std::min(q, mx);
    }
    if (X[q] != DBL_MAX) {
        if (q == mx)
            QXDebugLog(1, kFn, "Was ASSERT! %s Require iInsertPos:%d(:%g) != iMaxXPos:%d(:%g)", kFn, q, X[q], mx,
                       X[mx]);
        else
            ShiftPointsUp(q, mx);
    }
    m_pXData[q] = dX;
    m_pYData[q] = dY;
    return q;
}

void CSweepTrace::ShiftPointsUp(int q, int iLast)
{
    std::copy_backward(m_pXData.get() + q, m_pXData.get() + iLast, m_pXData.get() + iLast + 1);
    std::copy_backward(m_pYData.get() + q, m_pYData.get() + iLast, m_pYData.get() + iLast + 1);
    const auto follow = [&](CCursorMark* p) {
        if (p && p->GetPosition(1) >= q && p->GetPosition(1) < iLast) p->SetPosition(p->GetPosition(1) + 1);
    };
    follow(m_pCursor);
    follow(m_pRelativeCursor);
    for (CCursorMark* pMark : m_apMarks) follow(pMark);
}

bool CSweepTrace::GrowWithPoint(int q, double dX, double dY)
{
    const int n = m_iDataSize;
    std::unique_ptr<double[]> pX(new (std::nothrow) double[static_cast<size_t>(n) + 1]);
    std::unique_ptr<double[]> pY(new (std::nothrow) double[static_cast<size_t>(n) + 1]);
    if (!pX || !pY) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return false;
    }
    q = std::clamp(q, 0, n);
    std::copy(m_pXData.get(), m_pXData.get() + q, pX.get());
    std::copy(m_pYData.get(), m_pYData.get() + q, pY.get());
    pX[q] = dX;
    pY[q] = dY;
    std::copy(m_pXData.get() + q, m_pXData.get() + n, pX.get() + q + 1);
    std::copy(m_pYData.get() + q, m_pYData.get() + n, pY.get() + q + 1);
    const int iOldMax = GetMaxXPos();
    {
        // The plot reads the arrays under the trace lock.
        CSingleLock lock(&m_TraceLock, true);
        if (HasTransformedYDataBuffer()) FreeTransformedYDataBuffer(1);
        m_pXData = std::move(pX);
        m_pYData = std::move(pY);
        ++m_iDataSize;
    }
    QXDebugLog(3, "CSweepTrace::InsertTracePoint", "SCALE: %s reallocated m_pXData and m_pYData, size %d",
               "CSweepTrace::InsertTracePoint", m_iDataSize);
    // Points that moved up keep their cursors and marks (the last point moves too).
    if (q < n) {
        const auto follow = [&](CCursorMark* p) {
            if (p && p->GetPosition(1) >= q) p->SetPosition(p->GetPosition(1) + 1);
        };
        follow(m_pCursor);
        follow(m_pRelativeCursor);
        for (CCursorMark* pMark : m_apMarks) follow(pMark);
    }
    SetMaxXPos(iOldMax + 1);
    if (GetCurrentMaxXPos() == iOldMax) SetCurrentMaxXPos(iOldMax + 1);
    // A per-point limit keeps one value per position: its line grows too
    // (the limits stay on their positions, the new last one has none).
    ExtendLimitLinesTo(m_iDataSize);
    return true;
}

int CSweepTrace::AddTimeOutMark(int iPos, int iTimeoutFlags)
{
    QXASSERT(m_bInUse != 0);
    CursorMarkType eKind = eTimeOutSettlingMark;
    int iLabel = IDS_MARK_TIMEOUT_SETTLING;
    if (iTimeoutFlags & 0x04) {
        eKind = eTimeOutNoDataMark;
        iLabel = IDS_MARK_TIMEOUT_NO_DATA;
    } else if (iTimeoutFlags & 0x02) {
        eKind = eTimeOutRegulatingMark;
        iLabel = IDS_MARK_TIMEOUT_REGULATING;
    } else {
        QXASSERT((iTimeoutFlags & 0x01) == 0x01);
    }
    const int iSlot = AddMarkOfKind(iPos, eKind, 0);
    if (iSlot >= 0 && GetMark(iSlot)) GetMark(iSlot)->SetLabel(LoadResString(iLabel));
    return iSlot;
}

void CSweepTrace::SweepFinished(int bAutoZoomX, int bAutoZoomY)
{
    if (GetComputeList() && SetShowTransformedYData(1, 1)) CheckLimits();
    ZoomAfterSweep(bAutoZoomX, bAutoZoomY);
}

void CSweepTrace::ZoomAfterSweep(int bAutoZoomX, int bAutoZoomY)
{
    // Related traces zoom with this one; without a document it zooms alone.
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) {
        if (bAutoZoomX) AutoZoomX(0, 0);
        if (bAutoZoomY) AutoZoomY(0, 0);
        return;
    }
    if (bAutoZoomX) pDoc->AutoZoomX(this, 0, 0);
    if (bAutoZoomY) pDoc->AutoZoomY(this, 0, 0);
    // The X window of a sweep grows as it runs: related traces follow it.
    if (!bAutoZoomX) pDoc->AdjustXScalesOfRelatedTraces(this, 0, 0, 0);
}
