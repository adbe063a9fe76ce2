#pragma once
// CComputeSumBins: every bin becomes the RMS sum of the fractional-octave
// band around it (1, 1/3, 1/6 or 1/12 octave), through the trace's sliding
// band sum. A bin without a value adds nothing to a band.

#include "trace/compute/Compute.h"

class CComputeSumBins : public CCompute {
    DECLARE_DYNAMIC(CComputeSumBins)
public:
    // The band widths, as stored.
    enum EBandWidth : short { BAND_OCTAVE = 0, BAND_THIRD = 1, BAND_SIXTH = 2, BAND_TWELFTH = 3 };

    CComputeSumBins() : CCompute(COMPUTE_SUMBINS) {}

    // 1; 0 for a band width outside the four, or without data.
    int DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int iReserved) override;
    void CopyFrom(const CCompute& from) override;
    void InitialiseDetailsFromTrace(CQXTrace*) override {}
    CString GetDescriptionString() const override;
    // Bands are fractions of an octave: only a frequency axis has them.
    int ValidateComputeObject(int iXUnit, int iYUnit) const override;

    short GetBandWidth() const { return m_sBandWidth; }
    void SetBandWidth(short sBandWidth) { m_sBandWidth = sBandWidth; }
    // The name of a band width ("1/3 octave"); empty for another value.
    static CString GetBandWidthName(int iBandWidth);

private:
    short m_sBandWidth = BAND_THIRD;
};
