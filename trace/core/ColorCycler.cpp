#include "trace/core/ColorCycler.h"

namespace {
constexpr COLORREF kTable[CColorCycler::kNumColors] = {
    0xC0C0C0, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xC0C0FF, 0xC0E040, 0xFFFFFF,
};
} // namespace

COLORREF CColorCycler::GetTableColor(int i)
{
    return (i >= 0 && i < kNumColors) ? kTable[i] : kTable[0];
}

COLORREF CColorCycler::GetNextColor()
{
    // At most one table colour is avoided, so two rounds always find one.
    for (int i = 0; i < 2 * kNumColors; ++i) {
        m_iIndex = (m_iIndex + 1) % kNumColors;
        if (kTable[m_iIndex] != m_crAvoid) break;
    }
    return kTable[m_iIndex];
}

int CColorCycler::Initialise(COLORREF crColor)
{
    for (int k = 0; k < kNumColors; ++k) {
        if (kTable[k] == crColor) {
            m_iIndex = (k == 0) ? kNumColors - 1 : k - 1;
            return 1;
        }
    }
    m_iIndex = -1;
    return 0;
}
