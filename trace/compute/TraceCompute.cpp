// CQXTrace: its computes. The trace owns its compute list and its
// transformed buffer; a live trace may instead show its transforms in a
// compute trace, a copy in the document whose raw data are refreshed from the
// live trace before each run. Changes of the list, the compute trace and the
// transformed buffer, and every run, happen under the transform lock; plot
// building takes that lock too, so it never reads a buffer being freed.

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "trace/compute/Compute.h"
#include "trace/compute/ComputeList.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <new>

namespace {

// Whether another trace of the document (or a limit line of one) holds pList.
bool IsListHeldElsewhere(const CQXTrace* pSelf, const CComputeList* pList)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || !pList) return false;
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pTrace : pDoc->GetTraceArray(eChannel)) {
            if (!pTrace) continue;
            for (CQXTrace* p : {pTrace, pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
                if (p && p != pSelf && p->GetComputeList() == pList) return true;
        }
    return false;
}

} // namespace

int CQXTrace::EnsureComputeListValid()
{
    CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    if (!m_pComputeList) m_pComputeList = new (std::nothrow) CComputeList();
    if (!m_pComputeList) ReportOutOfMemory(__FILE__, __LINE__);
    return m_pComputeList ? 1 : 0;
}

void CQXTrace::SetComputeList(const CComputeList* pList)
{
    CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    if (!pList) {
        DeleteComputeList();
        return;
    }
    if (pList == m_pComputeList || !EnsureComputeListValid()) return;
    *m_pComputeList = *pList;
    // A copy never applies its transforms to a further copy.
    if (m_bCopy) m_pComputeList->SetApplyToCopy(0);
}

void CQXTrace::DeleteComputeList()
{
    CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    if (m_pComputeList && !IsListHeldElsewhere(this, m_pComputeList)) delete m_pComputeList;
    m_pComputeList = nullptr;
    m_bComputeRequired = 0;
}

void CQXTrace::DestroyComputeList()
{
    CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    delete m_pComputeList;
    m_pComputeList = nullptr;
}

void CQXTrace::SetComputeRequired(int bRequired) { m_bComputeRequired = (bRequired && m_pComputeList) ? 1 : 0; }

void CQXTrace::SetComputeTrace(CQXTrace* pTrace)
{
    QXASSERT((pTrace == 0) || (pTrace->IsKindOf(RUNTIME_CLASS(CQXTrace))));
    m_pComputeTrace = pTrace;
}

int CQXTrace::IsComputeTrace()
{
    if (m_bLive) return 0;
    CGraphDoc* pDoc = GetGraphDoc();
    return (pDoc && pDoc->GetLiveTraceForComputeTrace(this)) ? 1 : 0;
}

int CQXTrace::InitialiseTransformedData()
{
    CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    if (!m_pTransformedYData && !AllocateTransformedYDataBuffer(0)) return 0;
    CopyYDataToTransformedBuffer();
    return 1;
}

int CQXTrace::GetShowTransformedYData()
{
    if (!m_pTransformedYData && !m_pComputeTrace) return 0;
    QXASSERT(m_pComputeList != 0);
    return 1;
}

int CQXTrace::AppliesToCopy() const
{
    // Only a live trace has fresh data to copy; any other runs in place.
    return m_pComputeList && m_pComputeList->GetApplyToCopy() && m_bLive && !m_bCopy;
}

CQXTrace* CQXTrace::GetTraceToPerformComputationsOn(int bApplyToCopy, int bCreate)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!bApplyToCopy) {
        if (CQXTrace* pCopy = m_pComputeTrace) {
            m_pComputeTrace = nullptr;
            if (pDoc) pDoc->RemoveTrace(pCopy, 1);
        }
        if (m_pTransformedYData) {
            CopyYDataToTransformedBuffer();
            return this;
        }
        if (!bCreate) return nullptr;
        return InitialiseTransformedData() ? this : nullptr;
    }
    if (!IsLive()) {
        QXASSERT(IsLive());
        return nullptr;
    }
    if (m_pComputeTrace) {
        QXASSERT(!m_pComputeTrace->IsLimitLine());
        RefreshComputeTrace();
        return m_pComputeTrace;
    }
    if (!bCreate || !pDoc) return nullptr;
    CQXTrace* pCopy = pDoc->CopyTrace(this, 0, 1);
    if (!pCopy) return nullptr;
    m_pComputeTrace = pCopy;
    pCopy->FreeTransformedYDataBuffer(1);
    pCopy->DeleteComputeList();
    return pCopy;
}

void CQXTrace::RefreshComputeTrace()
{
    CQXTrace* pCopy = m_pComputeTrace;
    CSingleLock copyLock(&pCopy->m_TraceLock, true);
    const int iSize = GetDataSize();
    if (pCopy->GetDataSize() != iSize) pCopy->SetBuffer(iSize);
    if (m_pYData && pCopy->m_pYData) std::copy_n(m_pYData.get(), iSize, pCopy->m_pYData.get());
    if (!HasXData()) return;
    QXASSERT(GetXData() != 0);
    QXASSERT(pCopy->GetXData() != 0);
    if (m_pXData && pCopy->m_pXData) std::copy_n(m_pXData.get(), iSize, pCopy->m_pXData.get());
}

int CQXTrace::DoComputations(CComputeList* pList, int bUseTransformedYData, int iReserved, int bUpdateViews)
{
    if (!pList) return 1;
    QXASSERT(pList->IsKindOf(RUNTIME_CLASS(CComputeList)));
    const int iResult = pList->DoComputations(this, bUseTransformedYData, iReserved);
    if (!iResult) return iResult;
    RecalcTrace();
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_REDRAW, this);
    m_bComputed = 1;
    return 1;
}

int CQXTrace::DoComputation(CCompute* pCompute, int bUseTransformedYData, int iReserved, int bUpdateViews)
{
    if (!QXVERIFY(pCompute != 0)) return 0;
    QXASSERT(pCompute->IsKindOf(RUNTIME_CLASS(CCompute)));
    const int iResult = pCompute->DoComputation(this, bUseTransformedYData, iReserved);
    if (!iResult) return iResult;
    RecalcTrace();
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_REDRAW, this);
    m_bComputed = 1;
    return iResult;
}

int CQXTrace::SetShowTransformedYData(int bShow, int bUpdateViews)
{
    if (!m_pComputeList) return 0;
    CQXTrace* pTarget = nullptr;
    int iResult = 0;
    {
        CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
        pTarget = GetTraceToPerformComputationsOn(AppliesToCopy(), 1);
        if (!pTarget) {
            QXASSERT(pTarget != nullptr);
            return 0;
        }
        if (bShow) {
            QXASSERT(pTarget->GetYDataBuffer(0) != 0 || pTarget->IsLimitLine());
            if (pTarget != this) {
                // The live trace shows its raw data; the copy shows the result.
                FreeTransformedYDataBuffer(0);
            } else {
                QXASSERT(pTarget->GetYDataBuffer(1) != 0);
            }
            iResult = pTarget->DoComputations(m_pComputeList, pTarget == this, 0, 0);
        } else {
            if (pTarget != this) {
                QXASSERT(pTarget == m_pComputeTrace);
                m_pComputeTrace = nullptr;
                if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->RemoveTrace(pTarget, 1);
            }
            FreeTransformedYDataBuffer(0);
            RecalcTrace();
            pTarget = this;
            iResult = 1;
        }
    }
    if (!iResult) return iResult;
    if (bUpdateViews) UpdateViews(nullptr, UPDATE_TRACE_REDRAW, pTarget);
    UpdateViews(nullptr, UPDATE_TRACE_NAME, pTarget);
    for (CQXTrace* pLimit : {pTarget->GetMaxLimitLine(), pTarget->GetMinLimitLine()})
        if (pLimit) UpdateViews(nullptr, UPDATE_TRACE_NAME, pLimit);
    return iResult;
}

int CQXTrace::ShowSingleCompute(ComputeType eType, int bUpdateViews)
{
    CComputeList list;
    CCompute* pCompute = CreateComputeObject(eType, this);
    if (!pCompute || !list.AddComputeObject(pCompute)) {
        delete pCompute;
        return 0;
    }
    pCompute->SetEnabled(true);
    SetComputeList(&list);
    return SetShowTransformedYData(1, bUpdateViews);
}

int CQXTrace::ApplyComputationsOnTraceDataChange(int bUpdateViews)
{
    const bool bComputeTraceOn = m_pComputeTrace && m_pComputeTrace->IsOn();
    if ((!m_bInUse && !m_bOn && !bComputeTraceOn) || !m_pComputeList) return 1;
    CQXTrace* pTarget = nullptr;
    int iResult = 1;
    {
        CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
        // Nothing is created here: a hidden result stays hidden.
        pTarget = GetTraceToPerformComputationsOn(AppliesToCopy(), 0);
        if (!pTarget) return 1;
        QXASSERT(pTarget->GetYDataBuffer(0) != 0 || pTarget->IsLimitLine());
        QXASSERT(pTarget != this || m_pTransformedYData != nullptr);
        iResult = pTarget->DoComputations(m_pComputeList, pTarget == this, 0, bUpdateViews);
    }
    if (pTarget != this) pTarget->ApplyComputationsOnTraceDataChange(bUpdateViews);
    m_bComputeRequired = 0;
    return iResult;
}

void CQXTrace::OnTraceDeleted(CQXTrace* pDeleted)
{
    CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    if (m_pComputeTrace == pDeleted) m_pComputeTrace = nullptr;
    if (m_pComputeList) m_pComputeList->OnTraceDeleted(pDeleted);
}

int CQXTrace::ValidateComputeList(int iXUnit, int iYUnit)
{
    if (!m_pComputeList) return 1;
    for (int i = 0; i < m_pComputeList->GetNumComputeObjects(); ++i) {
        if (m_pComputeList->GetComputeObjectAt(i)->ValidateComputeObject(iXUnit, iYUnit)) continue;
        SetShowTransformedYData(0, 0);
        DeleteComputeList();
        return 0;
    }
    return 1;
}

int CQXTrace::IsValidComputeType(ComputeType eType)
{
    switch (eType) {
    case COMPUTE_NORMALISE:
    case COMPUTE_INVERT:
    case COMPUTE_SMOOTH: return 1;
    case COMPUTE_SUMBINS: return CanSumBinsInBands();
    case COMPUTE_RELATIVE:
        if (m_eTraceType == TT_FILTER || m_eTraceType == TT_WINDOW) return 0;
        return IsLimitLine() ? 0 : 1;
    default:
        if (eType != 0 && eType != 1) QXASSERT(!"IsValidComputeType: not a compute type");
        return 0;
    }
}

void CQXTrace::PostSerializeTransformations()
{
    if (m_pComputeList) m_pComputeList->PostSerialize();
    const int bShow = m_bShowTransformedRequest;
    m_bShowTransformedRequest = 0;
    if (bShow && m_pComputeList && !GetShowTransformedYData()) SetShowTransformedYData(1, 0);
}
