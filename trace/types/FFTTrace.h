#pragma once
// CFFTTrace: a spectrum of an analyser channel ("FFT Trace").

#include "trace/types/FFTBaseTrace.h"

class CFFTTrace : public CFFTBaseTrace {
    DECLARE_DYNCREATE(CFFTTrace)
public:
    CFFTTrace();
    CFFTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);

    void UpdateRelativityAndResponse() override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
};
