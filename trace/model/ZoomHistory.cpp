#include "trace/model/ZoomHistory.h"

#include <cstddef>
#include <new>

IMPLEMENT_DYNCREATE(CZoomHistory, CObject)

CZoomHistory::CZoomHistory()
{
    m_aDetails.reserve(kGrowBy);
}

int CZoomHistory::AddZoomDetails(int iMinPos, int iMaxPos, double dMinYData, double dMaxYData)
{
    try {
        if (m_aDetails.size() == m_aDetails.capacity()) m_aDetails.reserve(m_aDetails.size() + kGrowBy);
        m_aDetails.push_back({iMinPos, iMaxPos, dMinYData, dMaxYData});
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

int CZoomHistory::RestoreLastZoomDetails(int* piMinPos, int* piMaxPos, double* pdMinYData, double* pdMaxYData)
{
    if (piMinPos) *piMinPos = 0;
    if (piMaxPos) *piMaxPos = 0;
    if (pdMinYData) *pdMinYData = 0.0;
    if (pdMaxYData) *pdMaxYData = 0.0;
    if (m_aDetails.empty() || !piMinPos || !piMaxPos || !pdMinYData || !pdMaxYData) return 0;
    const CZoomDetails d = m_aDetails.back();
    m_aDetails.pop_back();
    *piMinPos = d.iMinXPos;
    *piMaxPos = d.iMaxXPos;
    *pdMinYData = d.dMinYData;
    *pdMaxYData = d.dMaxYData;
    return 1;
}

int CZoomHistory::GetZoomDetailsAt(int iIndex, CZoomDetails& details) const
{
    if (iIndex < 0 || iIndex >= GetCount()) return 0;
    details = m_aDetails[static_cast<size_t>(iIndex)];
    return 1;
}

void CZoomHistory::Serialize(CArchive& ar)
{
    // The file form comes with the trace file.
    (void)ar;
}
