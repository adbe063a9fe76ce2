#pragma once
// CZoomHistory: the stack of zoom windows a trace can return to.

#include "platform/Object.h"

#include <vector>

struct CZoomDetails {
    int iMinXPos = 0;
    int iMaxXPos = 0;
    double dMinYData = 0.0;
    double dMaxYData = 0.0;
};

class CZoomHistory : public CObject {
    DECLARE_DYNCREATE(CZoomHistory)
public:
    // Room grows in steps of this many entries; there is no upper limit.
    static constexpr int kGrowBy = 5;

    CZoomHistory();
    CZoomHistory(const CZoomHistory& other) = default;
    CZoomHistory& operator=(const CZoomHistory& other) = default;

    // Pushes a window; 0 when the history could not grow.
    int AddZoomDetails(int iMinPos, int iMaxPos, double dMinYData, double dMaxYData);
    // Pops the newest window into the outputs (all set to 0 first); 0 when
    // the history is empty or an output is missing.
    int RestoreLastZoomDetails(int* piMinPos, int* piMaxPos, double* pdMinYData, double* pdMaxYData);
    // Reads an entry without removing it; 0 outside 0 ... count - 1.
    int GetZoomDetailsAt(int iIndex, CZoomDetails& details) const;
    void ResetHistory() { m_aDetails.clear(); }
    int GetCount() const { return static_cast<int>(m_aDetails.size()); }
    int GetCapacity() const { return static_cast<int>(m_aDetails.capacity()); }

    void Serialize(CArchive& ar) override;

private:
    std::vector<CZoomDetails> m_aDetails;
};
