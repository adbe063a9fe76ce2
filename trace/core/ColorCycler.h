#pragma once
// CColorCycler: hands out copy colours from a fixed table of ten, skipping
// the colour of the trace being copied so a copy never looks like its source.

#include "platform/Color.h"

class CColorCycler {
public:
    static constexpr int kNumColors = 10;

    CColorCycler() = default;
    explicit CColorCycler(COLORREF crAvoid) : m_crAvoid(crAvoid) {}
    CColorCycler(const CColorCycler&) = default;
    CColorCycler& operator=(const CColorCycler&) = default;
    virtual ~CColorCycler() = default;

    // The next table colour after the current one that is not avoided.
    COLORREF GetNextColor();
    // Positions the cycler so that the next colour is crColor; 0 (and back to
    // the start) when the colour is not in the table.
    int Initialise(COLORREF crColor);

    static COLORREF GetTableColor(int i);

private:
    int m_iIndex = -1;
    COLORREF m_crAvoid = 0xFFFFFFFF;
};
