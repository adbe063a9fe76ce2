// CCTTrace: the output of the continuous-time detector.

#include "trace/types/CTTrace.h"

#include "host/app/AppServices.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/units/UnitMath.h"
#include "trace/types/KindHelpers.h"

#include <cfloat>
#include <cmath>

IMPLEMENT_DYNCREATE(CCTTrace, CCTBaseTrace)

namespace {

bool IsFinite(double d) { return std::isfinite(d) && std::fabs(d) != DBL_MAX; }

} // namespace

CCTTrace::CCTTrace() { m_eTraceType = TT_CTDET; }

CCTTrace::CCTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare)
    : CCTBaseTrace(eChannel, iDataSize, iCopy, iBare)
{
    InitialiseCTTrace(TT_CTDET, iDataSize);
}

void CCTTrace::UpdateRelativityAndResponse()
{
    const CCTDetectorSettings* pDetector = GetCTDetectorSettingsData();
    const int iOldResponse = m_iResponse;
    const int iOldRelativity = m_iRelativity;
    m_iResponse = pDetector ? pDetector->GetResponse() : 0;
    m_iRelativity = pDetector ? pDetector->GetRelativity() : 0;
    UpdateRelativityOtherValue();

    // The response decides what a stored datum means (RMS or peak): keep
    // the window the user sees.
    if (m_iResponse != iOldResponse && m_eMode != eModeNull) {
        const int iUnit = GetYUnit();
        if (iUnit >= 0 && iUnit != UNIT_INVALID && IsFinite(m_dCurrentMinYScaleValue) &&
            IsFinite(m_dCurrentMaxYScaleValue))
            SetSymmetricYWindow(m_dCurrentMinYScaleValue, m_dCurrentMaxYScaleValue, iUnit);
    }
    if (m_iRelativity != iOldRelativity) {
        SetScaleValuesFromCTDetector();
        // Limits drawn in absolute units mean nothing to a relative trace.
        CheckLimitLinesConsistent(1);
    }
}

void CCTTrace::SetScaleValuesFromCTDetector()
{
    if (!IsInUse()) return;
    UpdateTraceVariables(true, false, nullptr);
    const CCTDetectorSettings* pDetector = GetCTDetectorSettingsData();
    if (!pDetector) return;
    const int iUnit = pDetector->GetPropertyAsEnum(PROP_CT_UNIT);
    SetYUnit(iUnit);

    double dBound = 0.0;
    if (pDetector->GetRelativity() == 0)
        dBound = pDetector->GetResponse() == 0 ? kFullScaleSineHex : kFullScaleHex;
    else
        dBound = GetYDataForValue(kRelativeWindowDb, UNIT_RELATIVE_DB, 1);
    dBound = std::fabs(dBound);
    m_dCurrentMinYData = -dBound;
    m_dCurrentMaxYData = dBound;
    // A relative detector reads -60 dB at both ends.
    const bool bRelative = pDetector->GetRelativity() != 0;
    m_dCurrentMinYScaleValue = GetYValueForData(bRelative ? dBound : -dBound, iUnit, 0, 1);
    m_dCurrentMaxYScaleValue = GetYValueForData(dBound, iUnit, 0, 1);
    CalcYTicks();
}

void CCTTrace::TraceOn(int iMatch, int /*bRegisterEvents*/)
{
    CCTBaseTrace::TraceOn(iMatch, 1);
    RefreshCTAFlags();
}

void CCTTrace::TraceOff(int /*bRemoveEvents*/)
{
    CCTBaseTrace::TraceOff(1);
    RefreshCTAFlags();
}

void CCTTrace::SetInUse(int bInUse)
{
    CCTBaseTrace::SetInUse(bInUse);
    RefreshCTAFlags();
}

int CCTTrace::LoadTrace(CArchive& ar, int bPost)
{
    const int iResult = CCTBaseTrace::LoadTrace(ar, bPost);
    if (!IsInspectionOnlyLoad()) RefreshCTAFlags();
    return iResult;
}

CQXTrace* CCTTrace::CopyFrom(CQXTrace* pFrom)
{
    return CopyFromKind(pFrom, RUNTIME_CLASS(CCTTrace), "pCopyFrom->IsKindOf((CCTTrace::GetThisClass()))");
}
