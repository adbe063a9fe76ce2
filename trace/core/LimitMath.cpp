// Limit-line arithmetic: see LimitMath.h.

#include "trace/core/LimitMath.h"

#include "host/units/UnitIds.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

double SignedByPolarity(double dData, Polarity ePolarity)
{
    if (dData == DBL_MAX || ePolarity != POLARITY_NEGATIVE) return dData;
    return -std::fabs(dData);
}

double InterpolateLinear(double dX0, double dY0, double dX1, double dY1, double dX)
{
    if (dX1 == dX0) return dY0;
    return dY0 + (dY1 - dY0) * (dX - dX0) / (dX1 - dX0);
}

Polarity PolarityAfterMove(double dAfter, Polarity ePolarity)
{
    if (dAfter > 0.0) return POLARITY_POSITIVE;
    if (dAfter < 0.0) return POLARITY_NEGATIVE;
    return ePolarity;
}

int GrownLimitDataSize(int iStoredCount)
{
    const bool bPowerOfTwo = iStoredCount > 0 && (iStoredCount & (iStoredCount - 1)) == 0;
    return (bPowerOfTwo && iStoredCount >= 1024 && iStoredCount <= 262144) ? iStoredCount + 1 : iStoredCount;
}

int RemapOldMilliUnit(int iUnit, bool* pbRemapped)
{
    int iNew = iUnit;
    switch (iUnit) {
    case 24: iNew = UNIT_VRMS; break;
    case 25: iNew = UNIT_VP; break;
    case 26: iNew = UNIT_VPP; break;
    case 33: iNew = UNIT_W; break;
    case 65: iNew = UNIT_V; break;
    default: break;
    }
    if (pbRemapped) *pbRemapped = iNew != iUnit;
    return iNew;
}

Polarity PolarityFollowingSign(double dSigned, Polarity ePolarity)
{
    if (ePolarity == POLARITY_POSITIVE && dSigned < 0.0) return POLARITY_NEGATIVE;
    if (ePolarity == POLARITY_NEGATIVE && dSigned > 0.0) return POLARITY_POSITIVE;
    return ePolarity;
}

bool ColumnRangesConflict(int iA0, int iA1, int iB0, int iB1)
{
    const int iALow = std::min(iA0, iA1), iAHigh = std::max(iA0, iA1);
    const int iBLow = std::min(iB0, iB1), iBHigh = std::max(iB0, iB1);
    const int iFrom = std::max(iALow, iBLow), iTo = std::min(iAHigh, iBHigh);
    if (iFrom > iTo) return false;
    if (iFrom < iTo) return true;
    const auto IsEnd = [iFrom](int iLow, int iHigh) { return iFrom == iLow || iFrom == iHigh; };
    return !IsEnd(iALow, iAHigh) || !IsEnd(iBLow, iBHigh);
}
