#pragma once
// CComputeRelative: shows a trace relative to another trace of the
// document, the golden trace (a copy, a loaded file, a sweep): in the
// trace's display unit the difference of the two (a ratio in dB units), or
// in ratio mode the ratio of the data. Traces of other layouts are compared
// at the trace's X values, the golden trace interpolated there.

#include "trace/compute/Compute.h"

class CComputeRelative : public CCompute {
    DECLARE_DYNAMIC(CComputeRelative)
public:
    static constexpr short kNoGoldenTrace = -1;
    // What a file holds for no golden trace.
    static constexpr unsigned short kFileNoGoldenTrace = 65535;

    CComputeRelative() : CCompute(COMPUTE_RELATIVE) {}

    // 0 without trace or golden trace (the list run stops), else 1.
    int DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int iReserved) override;
    void CopyFrom(const CCompute& from) override;
    void InitialiseDetailsFromTrace(CQXTrace*) override {}
    CString GetDescriptionString() const override;
    int ValidateComputeObject(int, int) const override { return 1; }
    // The golden trace goes with the deleted trace.
    void OnTraceDeleted(CQXTrace* pDeleted) override;
    // Finds the golden trace of a read file; one with no data is dropped.
    void PostSerialize() override;

    // The golden trace, looked up by ID in the current document when not cached.
    CQXTrace* GetGoldenTrace() const;
    short GetGoldenTraceID() const { return m_sGoldenTraceID; }
    void SetGoldenTrace(short sTraceID);
    void SetGoldenTrace(CQXTrace* pTrace);
    int GetRelativeMode() const { return m_iRelativeMode; }
    void SetRelative(int iMode) { m_iRelativeMode = iMode; }

    // Whether a trace of the document may serve as golden trace for pTrace:
    // another trace in use with Y data, not a limit line, in the same domain.
    static bool IsAcceptableGoldenTrace(CQXTrace* pTrace, CQXTrace* pCandidate);

private:
    void ComputeSameLayout(CQXTrace& trace, CQXTrace& golden, int bTransformed) const;
    void ComputeAtXValues(CQXTrace& trace, CQXTrace& golden, int bTransformed) const;
    double Relate(CQXTrace& trace, double dDatum, CQXTrace& golden, double dGolden, int bTransformed) const;

    short m_sGoldenTraceID = kNoGoldenTrace;
    mutable CQXTrace* m_pGoldenTrace = nullptr;
    int m_iRelativeMode = 0;
};
