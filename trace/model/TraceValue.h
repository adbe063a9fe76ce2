#pragma once
// CTraceValue: the unit property of one trace axis. Its unit set is the one
// the trace kind chooses for that axis, so a unit is valid for the axis
// exactly when the trace offers it.

#include "host/units/DblUnitProperty.h"

class CQXTrace;

class CTraceValue : public CDblUnitProperty {
public:
    // iAxis: 1 for X, 2 for Y.
    explicit CTraceValue(int iAxis);

    void SetTrace(CQXTrace* pTrace) { m_pTrace = pTrace; }
    int GetAxis() const { return m_iAxis; }

    const CUnitSet* GetUnitSet() const override;
    // The trace's storage unit of the axis (the property's own without a trace).
    EUnit GetStorageUnit() const override;
    bool IsUnitValid(int iUnit) const override;

private:
    CQXTrace* m_pTrace = nullptr;
    int m_iAxis;
};
