#pragma once
// CCTTrace: the output of the continuous-time detector ("CTA output"). Its
// response and relativity follow the detector's settings; switching it on or
// off, or in or out of use, tells the document which CT buffers are read.

#include "trace/types/CTBaseTrace.h"

class CCTTrace : public CCTBaseTrace {
    DECLARE_DYNCREATE(CCTTrace)
public:
    CCTTrace();
    CCTTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);

    // The detector's Y unit and a symmetric window of full scale (absolute)
    // or of -60 dB (relative); for a trace in use only.
    void SetScaleValuesFromCTDetector();

    void UpdateRelativityAndResponse() override;
    void TraceOn(int iMatch, int bRegisterEvents) override;
    void TraceOff(int bRemoveEvents) override;
    void SetInUse(int bInUse) override;
    // Not while the host only inspects an archive.
    int LoadTrace(CArchive& ar, int bPost) override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;

    // The data magnitude of the window of a relative detector.
    static constexpr double kRelativeWindowDb = -60.0;
};
