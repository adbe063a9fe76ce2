#include "trace/core/ZoomHistory.h"

#include "platform/Archive.h"

#include <cstddef>
#include <cstdint>
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

// i32 count, then per entry (oldest first) i32 min and max X position and
// f64 min and max Y data.
void CZoomHistory::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(m_aDetails.size());
        for (const CZoomDetails& d : m_aDetails)
            ar << static_cast<std::int32_t>(d.iMinXPos) << static_cast<std::int32_t>(d.iMaxXPos) << d.dMinYData
               << d.dMaxYData;
        return;
    }
    std::int32_t iCount = 0;
    ar >> iCount;
    // Each entry takes 24 bytes: a count the archive cannot hold is corrupt.
    if (iCount < 0 || static_cast<std::uint64_t>(iCount) * 24u > ar.GetRemaining())
        throw CArchiveException(CArchiveException::badIndex, "zoom history count out of range");
    std::vector<CZoomDetails> aDetails(static_cast<size_t>(iCount));
    for (CZoomDetails& d : aDetails) {
        std::int32_t iMin = 0;
        std::int32_t iMax = 0;
        ar >> iMin >> iMax >> d.dMinYData >> d.dMaxYData;
        d.iMinXPos = iMin;
        d.iMaxXPos = iMax;
    }
    ResetHistory();
    for (const CZoomDetails& d : aDetails)
        if (!AddZoomDetails(d.iMinXPos, d.iMaxXPos, d.dMinYData, d.dMaxYData)) break;
}
