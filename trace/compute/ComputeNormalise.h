#pragma once
// CComputeNormalise: shifts a trace's Y data so that it passes through a
// given Y value at a given X value. The shift is additive in the chosen Y
// unit: a gain in a dB unit, an offset in a linear one.

#include "trace/compute/Compute.h"

#include <cfloat>

class CComputeNormalise : public CCompute {
    DECLARE_DYNAMIC(CComputeNormalise)
public:
    CComputeNormalise() : CCompute(COMPUTE_NORMALISE) {}

    // Always 1: where the trace has no value at X nothing changes.
    int DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int iReserved) override;
    void CopyFrom(const CCompute& from) override;
    void InitialiseDetailsFromTrace(CQXTrace* pTrace) override;
    // A limit table's last point; 1000 Hz on a Hz axis straddling it; else
    // the X of the last point with data.
    double GetDefaultXValue(CQXTrace* pTrace) override;
    CString GetDescriptionString() const override;
    int ValidateComputeObject(int iXUnit, int iYUnit) const override;
    EUnit GetXUnit() const override { return m_eXUnit; }
    EUnit GetYUnit() const override { return m_eYUnit; }
    int SetXUnit(EUnit eUnit) override;
    int SetYUnit(EUnit eUnit) override;

    double GetYValue() const { return m_dYValue; }
    void SetYValue(double dValue) { m_dYValue = dValue; }
    double GetXValue() const { return m_dXValue; }
    void SetXValue(double dValue) { m_dXValue = dValue; }

private:
    // The target as data of the line's parent, for a limit line of a
    // scope-like trace (a minimum limit may take the negated target).
    double LimitTargetData(class CComputeTarget& target, double dReference, double dX) const;

    double m_dYValue = DBL_MAX;
    EUnit m_eYUnit = UNIT_INVALID;
    double m_dXValue = DBL_MAX;
    EUnit m_eXUnit = UNIT_INVALID;
};
