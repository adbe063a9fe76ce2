#pragma once
// CComputeList: the ordered transforms of one trace, owned by the list, and
// whether they apply to a compute trace (a copy of a live trace) rather than
// in place. Runs stop at the first enabled transform that fails.

#include "platform/Object.h"
#include "trace/core/TraceDefs.h"

#include <vector>

class CCompute;
class CQXTrace;

class CComputeList : public CObject {
    DECLARE_DYNAMIC(CComputeList)
public:
    CComputeList() = default;
    ~CComputeList() override;
    CComputeList(const CComputeList&) = delete;
    // A deep copy: this list's transforms go, copies of the source's come.
    CComputeList& operator=(const CComputeList& from);

    int AddComputeObject(CCompute* pCompute);
    // 0 for a negative index or a null object; appends beyond the end.
    int InsertComputeObjectAt(int iIndex, CCompute* pCompute);
    // Takes the entry out (the caller deletes it); 0 out of range.
    int DeleteComputeObjectAt(int iIndex);
    // Moves the entry at iFrom to iTo; 0 when either is out of range.
    int MoveComputeObject(int iFrom, int iTo);
    // -1 gives null; other indexes out of range assert and give null.
    CCompute* GetComputeObjectAt(int iIndex) const;
    int GetNumComputeObjects() const { return static_cast<int>(m_aComputations.size()); }
    int GetIndex(const CCompute* pCompute) const;
    int GetIndex(ComputeType eType) const;
    CCompute* GetFirstComputeObjectOfType(ComputeType eType) const;
    // Deletes every transform.
    void InitialiseComputations();

    // Runs every enabled transform in order on pTrace; 0 at the first that
    // fails, else 1 (an empty list included).
    int DoComputations(CQXTrace* pTrace, int bUseTransformedYData, int iReserved);
    void PostSerialize();
    void OnTraceDeleted(CQXTrace* pDeleted);

    int GetApplyToCopy() const { return m_bApplyToCopy; }
    void SetApplyToCopy(int bApply) { m_bApplyToCopy = bApply ? 1 : 0; }

private:
    std::vector<CCompute*> m_aComputations;
    int m_bApplyToCopy = 0;
};
