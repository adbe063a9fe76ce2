// CCTTrace: the output of the continuous-time detector.

#include "trace/types/CTTrace.h"

#include "host/settings/CTDetectorSettings.h"
#include "host/settings/MeasurementSettings.h"

IMPLEMENT_DYNCREATE(CCTTrace, CCTBaseTrace)

CCTTrace::CCTTrace() { m_eTraceType = TT_CTDET; }

CCTTrace::CCTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare)
    : CCTBaseTrace(eChannel, iDataSize, iCopy, iBare)
{
    InitialiseCTTrace(TT_CTDET, iDataSize);
}

void CCTTrace::UpdateRelativityAndResponse()
{
    const CCTDetectorSettings* pDetector = GetCTDetectorSettingsData();
    m_iResponse = pDetector ? pDetector->GetResponse() : 0;
    m_iRelativity = pDetector ? pDetector->GetRelativity() : 0;
    UpdateRelativityOtherValue();
}

CQXTrace* CCTTrace::CopyFrom(CQXTrace* pFrom)
{
    return CopyFromKind(pFrom, RUNTIME_CLASS(CCTTrace), "pCopyFrom->IsKindOf((CCTTrace::GetThisClass()))");
}
