// CScopeTrace: the sampled input waveform of an analyser channel.

#include "trace/types/ScopeTrace.h"

#include "trace/types/KindHelpers.h"

IMPLEMENT_DYNCREATE(CScopeTrace, CCTBaseTrace)

CScopeTrace::CScopeTrace() { m_eTraceType = TT_SCOPE; }

CScopeTrace::CScopeTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare)
    : CCTBaseTrace(eChannel, iDataSize, iCopy, iBare)
{
    InitialiseCTTrace(TT_SCOPE, iDataSize);
}

void CScopeTrace::UpdateRelativityAndResponse()
{
    // Samples are instantaneous values, never RMS readings.
    m_iResponse = 1;
    bool bFromImpulseResponse = false;
    m_iRelativity = ImpulseResponseRelativity(&bFromImpulseResponse);
    m_bFromImpulseResponse = bFromImpulseResponse;
    UpdateRelativityOtherValue();
}

CQXTrace* CScopeTrace::CopyFrom(CQXTrace* pFrom)
{
    return CopyFromKind(pFrom, RUNTIME_CLASS(CScopeTrace), "pCopyFrom->IsKindOf((CScopeTrace::GetThisClass()))");
}
