#pragma once
// CCTFFTTrace: a spectrum of the continuous-time detector's output ("FFT of
// CTA output").

#include "trace/types/FFTBaseTrace.h"

class CCTFFTTrace : public CFFTBaseTrace {
    DECLARE_DYNCREATE(CCTFFTTrace)
public:
    CCTFFTTrace();
    CCTFFTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);

    void UpdateRelativityAndResponse() override;
    // The document learns which channels' CT output is being read.
    void TraceOn(int iMatch, int bRegisterEvents) override;
    void TraceOff(int bRemoveEvents) override;
    void SetInUse(int bInUse) override;
    int LoadTrace(CArchive& ar, int bLoadData) override;
    void SetYDefaultZoomValues() override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
};
