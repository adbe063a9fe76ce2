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

    long GetTraceCreateExtraInfo() override { return 1; }
    void SetYDefaultZoomValues() override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
};
