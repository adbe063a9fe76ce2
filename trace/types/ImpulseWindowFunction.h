#pragma once
// CImpulseWindowFunction: the gate window of an impulse-response measurement.
// The factory tells it from a plain window function by its creation extra
// information (non-zero).

#include "trace/types/WindowFunction.h"

class CImpulseWindowDetails;

class CImpulseWindowFunction : public CWindowFunction {
    DECLARE_DYNCREATE(CImpulseWindowFunction)
public:
    CImpulseWindowFunction();
    CImpulseWindowFunction(ChannelNumber eChannel, int iDataSize, int iBare);

    // The gate is set from the impulse-response details, not by type.
    void SetWindowType(WINDOWFUNCTION eType, const CString& sFile) override;
    // Writes the gate of the details into the Y data, resized to its points,
    // and redraws; 0 when it cannot be written.
    int UpdateWindowDetails(const CImpulseWindowDetails& details, int bCreate);
    // The channel's gate from the host's impulse-response settings, over
    // iNumPoints points: a new sample size keeps the gate's shape.
    int SetWindow(int iNumPoints, int bCreate) override;

    long GetTraceCreateExtraInfo() override { return 1; }
    void SetYDefaultZoomValues() override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
};
