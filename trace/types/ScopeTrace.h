#pragma once
// CScopeTrace: the sampled input waveform of an analyser channel ("Scope Trace").

#include "trace/types/CTBaseTrace.h"

class CScopeTrace : public CCTBaseTrace {
    DECLARE_DYNCREATE(CScopeTrace)
public:
    CScopeTrace();
    CScopeTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);

    void UpdateRelativityAndResponse() override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
};
