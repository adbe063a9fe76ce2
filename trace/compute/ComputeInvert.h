#pragma once
// CComputeInvert: mirrors a trace's Y data about a horizontal line, a fixed
// Y value or the value under the trace's cursor.

#include "trace/compute/Compute.h"

#include <cfloat>

class CComputeInvert : public CCompute {
    DECLARE_DYNAMIC(CComputeInvert)
public:
    CComputeInvert() : CCompute(COMPUTE_INVERT) {}

    // 0, changing nothing, when the pivot is the cursor and it is off.
    int DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int iReserved) override;
    void CopyFrom(const CCompute& from) override;
    void InitialiseDetailsFromTrace(CQXTrace* pTrace) override;
    CString GetDescriptionString() const override;
    int ValidateComputeObject(int iXUnit, int iYUnit) const override;
    // No unit while the pivot is the cursor: list validation ignores it.
    EUnit GetYUnit() const override { return m_bInvertAroundCursor ? UNIT_INVALID : m_eYUnit; }
    int SetYUnit(EUnit eUnit) override;

    int GetInvertAroundCursor() const { return m_bInvertAroundCursor; }
    void SetInvertAroundCursor(int bCursor) { m_bInvertAroundCursor = bCursor ? 1 : 0; }
    double GetInvertValue() const { return m_dInvertValue; }
    void SetInvertValue(double dValue) { m_dInvertValue = dValue; }
    // The stored unit, whatever the pivot.
    EUnit GetInvertUnit() const { return m_eYUnit; }

private:
    int m_bInvertAroundCursor = 0;
    double m_dInvertValue = DBL_MAX; // -DBL_MAX: minus infinity
    EUnit m_eYUnit = UNIT_INVALID;
};
