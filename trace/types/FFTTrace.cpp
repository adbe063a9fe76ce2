// CFFTTrace: a spectrum of an analyser channel.

#include "trace/types/FFTTrace.h"

#include "trace/types/KindHelpers.h"

IMPLEMENT_DYNCREATE(CFFTTrace, CFFTBaseTrace)

CFFTTrace::CFFTTrace() { m_eTraceType = TT_FFT; }

CFFTTrace::CFFTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare)
    : CFFTBaseTrace(eChannel, iDataSize, iCopy, iBare)
{
    InitialiseFFTTrace(TT_FFT, iDataSize);
}

void CFFTTrace::UpdateRelativityAndResponse()
{
    m_iResponse = 0;
    bool bFromImpulseResponse = false;
    m_iRelativity = ImpulseResponseRelativity(&bFromImpulseResponse);
    m_bFromImpulseResponse = bFromImpulseResponse;
    UpdateRelativityOtherValue();
}

CQXTrace* CFFTTrace::CopyFrom(CQXTrace* pFrom)
{
    return CopyFromKind(pFrom, RUNTIME_CLASS(CFFTTrace), "pCopyFrom->IsKindOf((CFFTTrace::GetThisClass()))");
}
