#include "trace/compute/ComputeList.h"

#include "host/app/DebugLog.h"
#include "trace/compute/Compute.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <new>

IMPLEMENT_DYNAMIC(CComputeList, CObject)

CComputeList::~CComputeList() { InitialiseComputations(); }

CComputeList& CComputeList::operator=(const CComputeList& from)
{
    if (&from == this) return *this;
    InitialiseComputations();
    m_bApplyToCopy = from.m_bApplyToCopy;
    for (const CCompute* pSource : from.m_aComputations) {
        CCompute* pCopy = CreateComputeObject(pSource->GetComputeType(), nullptr);
        if (!pCopy) continue;
        pCopy->CopyFrom(*pSource);
        if (!AddComputeObject(pCopy)) delete pCopy;
    }
    return *this;
}

int CComputeList::AddComputeObject(CCompute* pCompute)
{
    if (!QXVERIFY(pCompute != nullptr)) return 0;
    try {
        m_aComputations.push_back(pCompute);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CComputeList::InsertComputeObjectAt(int iIndex, CCompute* pCompute)
{
    if (iIndex < 0 || !pCompute) return 0;
    const size_t uAt = std::min(static_cast<size_t>(iIndex), m_aComputations.size());
    try {
        m_aComputations.insert(m_aComputations.begin() + static_cast<std::ptrdiff_t>(uAt), pCompute);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CComputeList::DeleteComputeObjectAt(int iIndex)
{
    if (iIndex < 0 || iIndex >= GetNumComputeObjects()) return 0;
    m_aComputations.erase(m_aComputations.begin() + iIndex);
    return 1;
}

int CComputeList::MoveComputeObject(int iFrom, int iTo)
{
    const int n = GetNumComputeObjects();
    if (iFrom < 0 || iFrom >= n || iTo < 0 || iTo >= n) return 0;
    CCompute* pMoved = m_aComputations[static_cast<size_t>(iFrom)];
    m_aComputations.erase(m_aComputations.begin() + iFrom);
    m_aComputations.insert(m_aComputations.begin() + iTo, pMoved);
    return 1;
}

CCompute* CComputeList::GetComputeObjectAt(int iIndex) const
{
    if (iIndex == -1) return nullptr;
    if (iIndex < 0 || iIndex >= GetNumComputeObjects()) {
        QXASSERT((iIndex == -1) || ((iIndex >= 0) && (iIndex < GetNumComputeObjects())));
        return nullptr;
    }
    return m_aComputations[static_cast<size_t>(iIndex)];
}

int CComputeList::GetIndex(const CCompute* pCompute) const
{
    const auto it = std::find(m_aComputations.begin(), m_aComputations.end(), pCompute);
    return it == m_aComputations.end() ? -1 : static_cast<int>(it - m_aComputations.begin());
}

int CComputeList::GetIndex(ComputeType eType) const
{
    for (int i = 0; i < GetNumComputeObjects(); ++i)
        if (m_aComputations[static_cast<size_t>(i)]->GetComputeType() == eType) return i;
    return -1;
}

CCompute* CComputeList::GetFirstComputeObjectOfType(ComputeType eType) const
{
    const int i = GetIndex(eType);
    return i < 0 ? nullptr : m_aComputations[static_cast<size_t>(i)];
}

void CComputeList::InitialiseComputations()
{
    for (CCompute* pCompute : m_aComputations) delete pCompute;
    m_aComputations.clear();
}

int CComputeList::DoComputations(CQXTrace* pTrace, int bUseTransformedYData, int iReserved)
{
    if (!QXVERIFY(pTrace != nullptr)) return 0;
    for (CCompute* pCompute : m_aComputations) {
        if (!pCompute->IsEnabled()) continue;
        if (!pCompute->DoComputation(pTrace, bUseTransformedYData, iReserved)) return 0;
    }
    return 1;
}

void CComputeList::PostSerialize()
{
    for (CCompute* pCompute : m_aComputations) pCompute->PostSerialize();
}

void CComputeList::OnTraceDeleted(CQXTrace* pDeleted)
{
    for (CCompute* pCompute : m_aComputations) pCompute->OnTraceDeleted(pDeleted);
}
