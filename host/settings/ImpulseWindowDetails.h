#pragma once
// The gate of an impulse-response measurement over an impulse of
// GetNumPoints() samples: a window rises from the start bin to the mid bin
// and falls from the mid bin to the end bin; with the half-window flag the
// gate is fully open from bin 0 to the mid bin and only the fall is shaped.
//
// The bins always satisfy 0 <= start <= mid <= end < number of points. A
// setter given a bin that breaks this returns false and changes nothing
// when bCheck is true; with bCheck false the other bins are pushed along
// so the order holds (a bin outside 0..points-1 is still refused).

#include "host/settings/WindowFunction.h"

class CImpulseWindowDetails {
public:
    CImpulseWindowDetails() = default;
    CImpulseWindowDetails(int iNumPoints, int iStartBin, int iMidBin, int iEndBin,
                          WINDOWFUNCTION eWindow = WINDOW_HANN, bool bHalfWindow = false);

    int GetNumPoints() const { return m_iNumPoints; }
    // Bins beyond a smaller count are pulled in to the last bin. False for
    // a count below 1.
    bool SetNumPoints(int iNumPoints);

    WINDOWFUNCTION GetWindowFunction() const { return m_eWindow; }
    bool SetWindowFunction(WINDOWFUNCTION eWindow);

    int GetStartBin() const { return m_iStartBin; }
    int GetMidBin() const { return m_iMidBin; }
    int GetEndBin() const { return m_iEndBin; }
    bool SetStartBin(int iBin, bool bCheck);
    bool SetMidBin(int iBin, bool bCheck);
    bool SetEndBin(int iBin, bool bCheck);

    bool GetHalfWindow() const { return m_bHalfWindow; }
    bool SetHalfWindow(bool bHalf);

    // Writes the gate into pData (iCount values; positions beyond the
    // details' points are 0). sFile names a user window (not supported
    // here: the rectangular shape is used). False on bad arguments.
    static bool GetBuffer(const CImpulseWindowDetails& details, double* pData, int iCount, const wchar_t* szFile);

    friend bool operator==(const CImpulseWindowDetails&, const CImpulseWindowDetails&) = default;

private:
    bool IsBin(int iBin) const { return iBin >= 0 && iBin < m_iNumPoints; }

    int m_iNumPoints = 16384;
    int m_iStartBin = 0;
    int m_iMidBin = 48;
    int m_iEndBin = 480;
    WINDOWFUNCTION m_eWindow = WINDOW_HANN;
    bool m_bHalfWindow = false;
};
