#pragma once
// CCTTrace: the output of the continuous-time detector ("CTA output").

#include "trace/types/CTBaseTrace.h"

class CCTTrace : public CCTBaseTrace {
    DECLARE_DYNCREATE(CCTTrace)
public:
    CCTTrace();
    CCTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);

    void UpdateRelativityAndResponse() override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
};
