// The trace's side of the scale ticks: the X ticks belong to its X scale,
// the Y ticks to the trace itself.

#include "host/app/DebugLog.h"
#include "trace/core/ScaleMath.h"
#include "trace/display/XScale.h"
#include "trace/model/QXTrace.h"

int CQXTrace::CalcXTicks()
{
    if (!QXVERIFY(m_pXScale != nullptr)) return 0;
    return m_pXScale->CalcXTicks();
}

int CQXTrace::CalcYTicks()
{
    const int iUnit = GetYUnit();
    if (iUnit == -1) return m_aiTicks.GetNumTicks();

    const double dMin = RoundValue(GetCurrentMinYScaleValue(), iUnit);
    const double dMax = RoundValue(GetCurrentMaxYScaleValue(), iUnit);
    // Scope and CT-amplitude traces take their linear ticks from the data
    // window, so an empty value window does not stop them.
    const TraceType eType = GetTraceType();
    if (dMin == dMax && eType != TT_SCOPE && eType != TT_CTDET) return m_aiTicks.GetNumTicks();

    if (GetLogY()) return CalcLogTicks(dMin, dMax, iUnit, Y_AXIS, &m_aiTicks);
    if (!m_bYAutoIntervals) return CalcFixedIntervalTicks(&m_aiTicks);
    if (ManageUsingYValues()) return AutoCalcLinearTicks(dMin, dMax, iUnit, 0, &m_aiTicks);
    return AutoCalcLinearTicks(GetCurrentMinYData(), GetCurrentMaxYData(), iUnit, 1, &m_aiTicks);
}
