// Which traces share scales: the X and Y rules and the sweep predicates.

#include "trace/document/ScaleSharing.h"

#include "host/settings/MeasurementSettings.h"
#include "host/settings/OptionsSettings.h"
#include "host/units/UnitFunctions.h"
#include "trace/display/XScale.h"
#include "trace/model/QXTrace.h"
#include "trace/types/TraceKindTables.h"

namespace {

constexpr int kNoResult = 0xFFFF;

bool IsSweepType(TraceType eType) { return eType >= TT_SWEEP1 && eType <= TT_SWEEP4; }

bool IsLimitType(TraceType eType) { return eType == TT_MAXLIMITLINE || eType == TT_MINLIMITLINE; }

bool IsLimitLineOf(CQXTrace* pLimit, CQXTrace* pTrace)
{
    return pTrace->GetMaxLimitLine() == pLimit || pTrace->GetMinLimitLine() == pLimit;
}

bool HaveSameYRange(CQXTrace* pA, CQXTrace* pB, int iUnit)
{
    const auto eUnit = static_cast<EUnit>(iUnit);
    return pA->GetMinYValue(eUnit) == pB->GetMinYValue(eUnit) && pA->GetMaxYValue(eUnit) == pB->GetMaxYValue(eUnit);
}

// Whether a response is one measured through an impulse response: such
// responses are gains, never comparable with the direct ones.
bool ResponseKindFlag(CQXTrace* pTrace) { return pTrace->IsFromImpulseResponse() != 0; }

bool ResponseTracesMayShareY()
{
    const COptionsSettings* pOptions = GetOptionsSettings();
    return pOptions && pOptions->GetResponseTracesShareYScale();
}

} // namespace

int ShouldUseSameXScale(CQXTrace* pA, CQXTrace* pB)
{
    if (!pA || !pB || pA == pB) return 0;
    const CXScale* pScaleA = pA->GetXScale();
    const CXScale* pScaleB = pB->GetXScale();
    if (!pScaleA || !pScaleB || pScaleA->GetScaleType() != pScaleB->GetScaleType()) return 0;
    const TraceType eA = pA->GetOwnTraceType();
    const TraceType eB = pB->GetOwnTraceType();
    if (IsSweepType(eA) && IsSweepType(eB)) return pA->GetResultID() != kNoResult && pB->GetResultID() != kNoResult;
    const bool bLimitA = IsLimitType(eA);
    const bool bLimitB = IsLimitType(eB);
    if (bLimitA != bLimitB) return bLimitA ? IsLimitLineOf(pA, pB) : IsLimitLineOf(pB, pA);
    if (eA == TT_USER && eB == TT_USER)
        return pA->GetXUnit() == pB->GetXUnit() && pA->GetMinXScaleValue() == pB->GetMinXScaleValue() &&
               pA->GetMaxXScaleValue() == pB->GetMaxXScaleValue();
    return 1;
}

int ShouldUseSameYScale(CQXTrace* pA, CQXTrace* pB)
{
    if (!pA || !pB || pA == pB) return 0;
    const TraceType eA = pA->GetOwnTraceType();
    const TraceType eB = pB->GetOwnTraceType();
    const bool bSweeps = IsSweepType(eA) && IsSweepType(eB);
    if (eA != eB && !bSweeps) return IsLimitLineOf(pA, pB) || IsLimitLineOf(pB, pA);
    if (bSweeps) return SweepResultsHaveSameYScale(pA->GetResultID(), pA->GetRelativity(), pB->GetResultID(),
                                                   pB->GetRelativity());
    if (eA == TT_USER) {
        const int iUnit = pA->GetYUnit();
        return iUnit == pB->GetYUnit() && HaveSameYRange(pA, pB, iUnit);
    }
    if (eA == TT_FFTRESPONSE)
        return ResponseTracesMayShareY() && ResponseKindFlag(pA) == ResponseKindFlag(pB) &&
               AreSameKindsOfUnit(pA->GetYUnit(), pB->GetYUnit());
    return pA->IsRelative() == pB->IsRelative() && pA->IsJDO() == pB->IsJDO();
}

int SweepResultsHaveSameYScale(int iResultA, int iRelativityA, int iResultB, int iRelativityB)
{
    if ((iRelativityA != 0) != (iRelativityB != 0)) return 0;
    if (iResultA == iResultB) return 1;
    if (iResultA == kNoResult || iResultB == kNoResult) return 0;
    const bool bRelative = iRelativityA != 0;
    return GetSweepResultScaleType(iResultA, bRelative, false) == GetSweepResultScaleType(iResultB, bRelative, false);
}

int SweepSourceTypesMatch(int iSourceA, int iSourceB)
{
    if (iSourceA == iSourceB) return 1;
    if (iSourceA < 0 || iSourceB < 0) return 0;
    return GetSweepSourceScaleType(iSourceA) == GetSweepSourceScaleType(iSourceB);
}
