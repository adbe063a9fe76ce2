// CCTFFTTrace: a spectrum of the continuous-time detector's output.

#include "trace/types/CTFFTTrace.h"

#include "host/app/AppServices.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "trace/types/KindHelpers.h"

IMPLEMENT_DYNCREATE(CCTFFTTrace, CFFTBaseTrace)

CCTFFTTrace::CCTFFTTrace() { m_eTraceType = TT_CTFFT; }

CCTFFTTrace::CCTFFTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare)
    : CFFTBaseTrace(eChannel, iDataSize, iCopy, iBare)
{
    InitialiseFFTTrace(TT_CTFFT, iDataSize);
}

void CCTFFTTrace::UpdateRelativityAndResponse()
{
    const int iOldRelativity = m_iRelativity;
    m_iResponse = 0;
    const CCTDetectorSettings* pDetector = GetCTDetectorSettingsData();
    m_iRelativity = pDetector ? pDetector->GetRelativity() : 0;
    UpdateRelativityOtherValue();
    if (m_iRelativity != iOldRelativity) CheckLimitLinesConsistent(0);
}

void CCTFFTTrace::TraceOn(int iMatch, int bRegisterEvents)
{
    CFFTBaseTrace::TraceOn(iMatch, bRegisterEvents);
    RefreshCTAFlags();
}

void CCTFFTTrace::TraceOff(int bRemoveEvents)
{
    CFFTBaseTrace::TraceOff(bRemoveEvents);
    RefreshCTAFlags();
}

void CCTFFTTrace::SetInUse(int bInUse)
{
    CFFTBaseTrace::SetInUse(bInUse);
    RefreshCTAFlags();
}

int CCTFFTTrace::LoadTrace(CArchive& ar, int bLoadData)
{
    const int iResult = CFFTBaseTrace::LoadTrace(ar, bLoadData);
    if (!IsInspectionOnlyLoad()) RefreshCTAFlags();
    return iResult;
}

// A log Y axis cannot start at the default's lower end (0 or below).
void CCTFFTTrace::SetYDefaultZoomValues() { SetYDefaultZoomValuesFrom(true); }

CQXTrace* CCTFFTTrace::CopyFrom(CQXTrace* pFrom)
{
    return CopyFromKind(pFrom, RUNTIME_CLASS(CCTFFTTrace), "pCopyFrom->IsKindOf((CCTFFTTrace::GetThisClass()))");
}
