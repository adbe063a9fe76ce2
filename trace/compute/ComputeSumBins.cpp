#include "trace/compute/ComputeSumBins.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/core/ComputeMath.h"
#include "trace/model/QXTrace.h"

IMPLEMENT_DYNAMIC(CComputeSumBins, CCompute)

int CComputeSumBins::DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int)
{
    if (!QXVERIFY(pTrace != nullptr)) return 0;
    const double dFactor = BandFactor(m_sBandWidth);
    if (dFactor == 0.0) {
        QXASSERT(!"CComputeSumBins: not a band width");
        return 0;
    }
    double* pdData = pTrace->GetYDataBuffer(bUseTransformedYData);
    if (!pdData) {
        QXASSERT(pTrace->GetYDataBuffer(bUseTransformedYData) != 0);
        return 0;
    }
    SumBinsInBands(pdData, pTrace->GetDataSize(), [pTrace, dFactor](int i, double* pdWork, int* piLow, int* piHigh, double* pdSum) {
        return pTrace->GetBandSum(i, dFactor, 1.0, pdWork, piLow, piHigh, pdSum);
    });
    return 1;
}

void CComputeSumBins::CopyFrom(const CCompute& from)
{
    CCompute::CopyFrom(from);
    const auto* pFrom = dynamic_cast<const CComputeSumBins*>(&from);
    if (!QXVERIFY(pFrom != nullptr)) return;
    m_sBandWidth = pFrom->m_sBandWidth;
}

CString CComputeSumBins::GetBandWidthName(int iBandWidth)
{
    switch (iBandWidth) {
    case BAND_OCTAVE: return LoadResString(IDS_BAND_1_OCTAVE);
    case BAND_THIRD: return LoadResString(IDS_BAND_THIRD_OCTAVE);
    case BAND_SIXTH: return LoadResString(IDS_BAND_SIXTH_OCTAVE);
    case BAND_TWELFTH: return LoadResString(IDS_BAND_TWELFTH_OCTAVE);
    default: return CString();
    }
}

CString CComputeSumBins::GetDescriptionString() const
{
    CString sText;
    sText.Format(LoadResString(IDS_COMPUTE_DESC_SUMBINS), GetBandWidthName(m_sBandWidth).GetString());
    return sText;
}

int CComputeSumBins::ValidateComputeObject(int iXUnit, int) const
{
    return AreSameKindsOfUnit(iXUnit, UNIT_FREQ_HZ) ? 1 : 0;
}
