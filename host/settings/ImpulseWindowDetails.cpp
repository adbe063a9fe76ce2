#include "host/settings/ImpulseWindowDetails.h"

#include "host/app/DebugLog.h"

#include <algorithm>

CImpulseWindowDetails::CImpulseWindowDetails(int iNumPoints, int iStartBin, int iMidBin, int iEndBin,
                                             WINDOWFUNCTION eWindow, bool bHalfWindow)
    : m_eWindow(eWindow), m_bHalfWindow(bHalfWindow)
{
    QXVERIFY(SetNumPoints(iNumPoints));
    // End first so start and mid always find room below it.
    QXVERIFY(SetEndBin(iEndBin, false));
    QXVERIFY(SetStartBin(iStartBin, false));
    QXVERIFY(SetMidBin(iMidBin, false));
}

bool CImpulseWindowDetails::SetNumPoints(int iNumPoints)
{
    if (iNumPoints < 1) return false;
    m_iNumPoints = iNumPoints;
    const int iLast = iNumPoints - 1;
    m_iStartBin = std::min(m_iStartBin, iLast);
    m_iMidBin = std::min(m_iMidBin, iLast);
    m_iEndBin = std::min(m_iEndBin, iLast);
    return true;
}

bool CImpulseWindowDetails::SetWindowFunction(WINDOWFUNCTION eWindow)
{
    m_eWindow = eWindow;
    return true;
}

bool CImpulseWindowDetails::SetStartBin(int iBin, bool bCheck)
{
    if (!IsBin(iBin)) return false;
    if (bCheck && iBin > m_iMidBin) return false;
    m_iStartBin = iBin;
    m_iMidBin = std::max(m_iMidBin, iBin);
    m_iEndBin = std::max(m_iEndBin, iBin);
    return true;
}

bool CImpulseWindowDetails::SetMidBin(int iBin, bool bCheck)
{
    if (!IsBin(iBin)) return false;
    if (bCheck && (iBin < m_iStartBin || iBin > m_iEndBin)) return false;
    m_iMidBin = iBin;
    m_iStartBin = std::min(m_iStartBin, iBin);
    m_iEndBin = std::max(m_iEndBin, iBin);
    return true;
}

bool CImpulseWindowDetails::SetEndBin(int iBin, bool bCheck)
{
    if (!IsBin(iBin)) return false;
    if (bCheck && iBin < m_iMidBin) return false;
    m_iEndBin = iBin;
    m_iStartBin = std::min(m_iStartBin, iBin);
    m_iMidBin = std::min(m_iMidBin, iBin);
    return true;
}

bool CImpulseWindowDetails::SetHalfWindow(bool bHalf)
{
    m_bHalfWindow = bHalf;
    return true;
}

namespace {

// One side of the gate: x runs 0..1 from closed to open.
double Rise(WINDOWFUNCTION eWindow, double x)
{
    return WindowValue(eWindow, 0.5 * x);
}

} // namespace

bool CImpulseWindowDetails::GetBuffer(const CImpulseWindowDetails& details, double* pData, int iCount, const wchar_t*)
{
    if (!QXVERIFY(pData != nullptr && iCount >= 0)) return false;
    const int iStart = details.m_bHalfWindow ? 0 : details.m_iStartBin;
    const int iMid = details.m_iMidBin;
    const int iEnd = details.m_iEndBin;
    for (int i = 0; i < iCount; ++i) {
        double dValue = 0.0;
        if (i >= details.m_iNumPoints || i < iStart || i > iEnd) dValue = 0.0;
        else if (i < iMid) dValue = details.m_bHalfWindow ? 1.0 : Rise(details.m_eWindow, double(i - iStart) / (iMid - iStart));
        else if (i == iMid) dValue = 1.0;
        else dValue = Rise(details.m_eWindow, double(iEnd - i) / (iEnd - iMid));
        pData[i] = dValue;
    }
    return true;
}
