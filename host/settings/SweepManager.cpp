#include "host/settings/SweepManager.h"

#include "host/app/DebugLog.h"

CSweepManager::SResultSlot* CSweepManager::GetResultSlot(int i)
{
    if (!QXVERIFY(i >= 0 && i < kNumResultSlots)) return nullptr;
    return &m_aSlots[i];
}

CSweepManager::SAxisRecord* CSweepManager::GetAxisRecord(int i)
{
    if (!QXVERIFY(i >= 0 && i < kNumAxisRecords)) return nullptr;
    return &m_aAxes[i];
}

bool CSweepManager::SetLimitLine(int iSlot, int iResultID, bool bMax, CLimitLine* pLimit)
{
    SResultSlot* pSlot = GetResultSlot(iSlot);
    if (pSlot == nullptr || pSlot->iResultID != iResultID) return false;
    (bMax ? pSlot->pMaxLimit : pSlot->pMinLimit) = pLimit;
    return true;
}

int CSweepManager::ClearLimitLine(const CLimitLine* pLimit)
{
    if (pLimit == nullptr) return 0;
    int iCleared = 0;
    for (SResultSlot& slot : m_aSlots) {
        if (slot.pMaxLimit == pLimit) { slot.pMaxLimit = nullptr; ++iCleared; }
        if (slot.pMinLimit == pLimit) { slot.pMinLimit = nullptr; ++iCleared; }
    }
    return iCleared;
}
