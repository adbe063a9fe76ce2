#pragma once
// CComputeSmooth: averages each point with its neighbours over several
// passes, on the stored data (not in the display unit). The first and last
// points never change.

#include "trace/compute/Compute.h"

class CComputeSmooth : public CCompute {
    DECLARE_DYNAMIC(CComputeSmooth)
public:
    static constexpr int kMinCount = 1;
    static constexpr int kMaxCount = 10;

    CComputeSmooth() : CCompute(COMPUTE_SMOOTH) {}

    // 1, also for two points or fewer (nothing changes); 0 without data.
    int DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int iReserved) override;
    void CopyFrom(const CCompute& from) override;
    void InitialiseDetailsFromTrace(CQXTrace*) override {}
    CString GetDescriptionString() const override;
    int ValidateComputeObject(int, int) const override { return 1; }

    int GetHalfWidth() const { return m_iHalfWidth; }
    int GetPasses() const { return m_iPasses; }
    // Refused (false) outside 1 .. 10.
    bool SetHalfWidth(int iHalfWidth);
    bool SetPasses(int iPasses);

private:
    int m_iHalfWidth = 1;
    int m_iPasses = 2;
};
