// CFilterTrace: units, references, ranges and default window of a filter
// response. Computing the response from the host's filters comes with the
// filter work.

#include "trace/types/FilterTrace.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitSets.h"
#include "trace/types/FFTBaseTrace.h"
#include "trace/types/TraceKindTables.h"

IMPLEMENT_DYNCREATE(CFilterTrace, CQXTrace)

CFilterTrace::CFilterTrace() { m_eTraceType = TT_FILTER; }

CFilterTrace::CFilterTrace(ChannelNumber eChannel, int iDataSize, int /*iBare*/) : CQXTrace(eChannel, iDataSize, 0)
{
    m_eTraceType = TT_FILTER;
    m_iFilterSource = kSourceCTDetector;
    CQXTrace::InitialiseTrace(iDataSize);
    DefaultZoomY(0, 0);
}

CQXTrace* CFilterTrace::CopyFrom(CQXTrace* pFrom)
{
    if (!pFrom || !pFrom->IsKindOf(RUNTIME_CLASS(CFilterTrace))) {
        QXReportAssert("pCopyFrom->IsKindOf((CFilterTrace::GetThisClass()))", __FILE__,
                       static_cast<unsigned>(__LINE__));
        return this;
    }
    CopyStdTraceDetails(pFrom);
    m_iFilterSource = static_cast<CFilterTrace*>(pFrom)->m_iFilterSource;
    return this;
}

double CFilterTrace::GetMinYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, false); }
double CFilterTrace::GetMaxYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, true); }

void CFilterTrace::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    // The window is fixed in dB and shown in whatever unit the trace uses.
    const int iUnit = GetYUnit();
    *pdMin = GetYValueForData(GetYDataForValue(kDefaultMinDb, UNIT_RELATIVE_DB, 0), iUnit, 0, 1);
    *pdMax = GetYValueForData(GetYDataForValue(kDefaultMaxDb, UNIT_RELATIVE_DB, 0), iUnit, 0, 1);
}

void CFilterTrace::SetYDefaultZoomValues()
{
    double dMin = 0.0;
    double dMax = 0.0;
    CalcDefaultYScaleValues(&dMin, &dMax);
    const int iUnit = GetYUnit();
    m_dCurrentMinYScaleValue = dMin;
    m_dCurrentMaxYScaleValue = dMax;
    m_dCurrentMinYData = GetYDataForValue(dMin, iUnit, 1);
    m_dCurrentMaxYData = GetYDataForValue(dMax, iUnit, 1);
}

const CUnitSet* CFilterTrace::GetUnitSet(int iAxis)
{
    if (iAxis == 1) return ::GetUnitSet(UNITSET_FFTBINS);
    if (iAxis == 2) return ::GetUnitSet(UNITSET_AMPLITUDEREL);
    QXASSERT((iAxis == 1) || (iAxis == 2));
    return nullptr;
}

int CFilterTrace::GetReferences(int iAxis, int /*bDefault*/, SReferences* pReferences)
{
    if (!pReferences || (iAxis != 1 && iAxis != 2)) {
        QXASSERT(pReferences && ((iAxis == 1) || (iAxis == 2)));
        return 0;
    }
    if (iAxis == 1) {
        *pReferences = SReferences::ForFFTX(EffectiveSampleRate(m_dSampleRate, IsUnlocked()), GetDataSize());
    } else {
        // A ratio of 1 reads 0 dB: the relative reference is unity.
        *pReferences = SReferences::ForRelativeY(1.0, 1.0, UNIT_RELATIVE_RATIO, UNIT_RELATIVE_RATIO);
    }
    pReferences->SetUnlocked(IsUnlocked());
    return 1;
}

void CFilterTrace::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    GetFrequencyDomainLogDetails(*this, eAxis, iUnit, pbIsDbUnit, pbLogAllowed);
}
