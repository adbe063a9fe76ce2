#include "trace/display/StatusPanes.h"

#include "trace/display/GraphFrame.h"
#include "trace/model/QXTrace.h"

CString GetModeStatusText(const CGraphFrame& frame)
{
    if (frame.InLimitLineDrawingMode()) return L"Limit line drawing";
    if (frame.InImpulseWindowEditingMode()) return L"Impulse window editing";
    return L"Ready";
}

CString GetScaleStatusText(CQXTrace* pTrace)
{
    if (!pTrace) return CString();
    CString sText = pTrace->GetLogX() ? L"X log" : L"X lin";
    sText += pTrace->GetLogY() ? L", Y log" : L", Y lin";
    return sText;
}
