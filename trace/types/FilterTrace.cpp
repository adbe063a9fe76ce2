// CFilterTrace: the response of an analyser path's filters, computed by the
// host's filter services; units, references, ranges and default window.

#include "trace/types/FilterTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/FilterResponse.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/UserTableSettings.h"
#include "host/units/UnitSets.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/FilterDescription.h"
#include "trace/types/FFTBaseTrace.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFilterTrace, CQXTrace)

CFilterTrace::CFilterTrace() { m_eTraceType = TT_FILTER; }

CFilterTrace::CFilterTrace(ChannelNumber eChannel, int iDataSize, int /*iBare*/) : CQXTrace(eChannel, iDataSize, 0)
{
    m_eTraceType = TT_FILTER;
    m_iFilterSource = kSourceCTDetector;
    CQXTrace::InitialiseTrace(iDataSize);
    DefaultZoomY(0, 0);
}

namespace {

// Multiplies (or, inverted, divides) aOther into aInto bin by bin; a zero
// gain divided out stays zero rather than becoming infinite.
void MultiplyIn(std::vector<double>& aInto, const std::vector<double>& aOther, bool bInvert)
{
    const size_t n = std::min(aInto.size(), aOther.size());
    for (size_t i = 0; i < n; ++i)
        aInto[i] = bInvert ? (aOther[i] != 0.0 ? aInto[i] / aOther[i] : 0.0) : aInto[i] * aOther[i];
}

int FilterBinCount(int iNumPoints, ChannelNumber eChannel)
{
    if (iNumPoints > 0) return iNumPoints;
    if (CGraphDoc* pDoc = GetGraphDoc())
        if (const int iSize = pDoc->GetDataSize(eChannel); iSize > 0) return iSize;
    return GetFFTParametersSettingsData()->GetFFTLength() / 2;
}

} // namespace

void CFilterTrace::TraceOn(int iMatch, int bRegisterEvents)
{
    CQXTrace::TraceOn(iMatch, bRegisterEvents);
    // A trace read from a file shows what was saved, not today's settings.
    if (IsSerializingConfig() || !GetFileName().IsEmpty()) RecalcTrace();
    else SetFilter(0, 0, 0);
}

int CFilterTrace::SetFilter(int iNumPoints, int bCreate, int bOnlyIfFiltered)
{
    if (!bCreate && !IsOn()) return 0;
    if (m_iFilterSource == kSourceNone) {
        QXASSERT(m_iFilterSource != -1);
        return 0;
    }
    FilterCombinationListItem item;
    if (!CollectFilterDescription(m_iFilterSource, m_eChannel, &item)) return 0;
    if (bOnlyIfFiltered && !HasBandFilter(item)) return 0;

    double dCursorX = 0.0;
    double dRelCursorX = 0.0;
    NoteOldCursorValues(&dCursorX, &dRelCursorX);
    item.iNumPoints = FilterBinCount(iNumPoints, m_eChannel);
    if (!bCreate && !SetBuffer(item.iNumPoints + 1)) return 0;

    const CGraphDoc* pDoc = GetGraphDoc();
    const double dDocRate = pDoc ? pDoc->GetSampleRate(m_eChannel) : -1.0;
    // While the input is unlocked the rate is unknown; the widest one is assumed.
    const double dRate = dDocRate == -1.0 ? kUnlockedSampleRate : dDocRate;
    m_dSampleRate = dRate;
    SetInputUnlocked(false);

    if (!GetAnalyserSettings()->CreateNewFilterCombination(&item, dRate, 1, m_iFilterSource == kSourceCTDetector))
        return 0;
    if (item.iWeightingFilter == WEIGHTING_USER) {
        std::vector<double> aWeighting;
        if (GetUserTableSettings()->ReadWeightingFilterFromFile(item.sWeightingFile, item.iNumPoints, dRate / 2.0,
                                                                aWeighting) == CUserTableSettings::kReadFailed)
            return 0;
        MultiplyIn(item.aBuffer, aWeighting, item.bInvertUserWeighting != 0);
    }
    if (HasBandFilter(item)) {
        std::vector<double> aBand;
        GetFFTDetectorFromID(1)->CreateBPBRFilter(item.iBandMode, item.iBandType, item.dBandFrequency,
                                                   item.dBandWidth, item.iNumPoints, dRate, aBand);
        if (static_cast<int>(aBand.size()) < item.iNumPoints)
            QXDebugLog(1, "CFilterTrace::SetFilter", "FILT: band filter skipped: %d of %d points",
                       static_cast<int>(aBand.size()), item.iNumPoints);
        else
            MultiplyIn(item.aBuffer, aBand, false);
    }
    if (!CopyResponse(item.aBuffer)) return 0;
    FinishFilterUpdate(bCreate, dRate, dCursorX, dRelCursorX);
    return 1;
}

bool CFilterTrace::CopyResponse(const std::vector<double>& aResponse)
{
    CSingleLock lock(&m_TraceLock, true);
    double* pdY = GetYDataBuffer(0);
    const int iCount = static_cast<int>(aResponse.size());
    if (!pdY || aResponse.empty()) {
        QXDebugLog(1, "CFilterTrace::SetFilter", "FILT: GOTCHA: YDataBuffer:%p item.pBuffer:%p ( m_iDataSize:%d iNumPointsToCopy:%d)",
                   static_cast<void*>(pdY), static_cast<const void*>(aResponse.data()), m_iDataSize, iCount);
        return false;
    }
    if (m_iDataSize < iCount) {
        QXDebugLog(1, "CFilterTrace::SetFilter", "FILT: GOTCHA: Would have corrupted memory -- m_iDataSize:%d < iNumPointsToCopy:%d",
                   m_iDataSize, iCount);
        return false;
    }
    std::copy(aResponse.begin(), aResponse.end(), pdY);
    if (iCount == m_iDataSize - 1) pdY[iCount] = pdY[iCount - 1];
    return true;
}

void CFilterTrace::FinishFilterUpdate(int bCreate, double dSampleRate, double dCursorX, double dRelCursorX)
{
    RecalcTrace();
    const double dNyquist = dSampleRate / 2.0;
    if (!bCreate) {
        if (dNyquist != GetMaxXScaleValue()) {
            SetXValueRange(0.0, dNyquist, 1);
            SetNewCursorValues(dCursorX, dRelCursorX);
            ManageSampleRateChange();
        }
        return;
    }
    SetXUnit(UNIT_FREQ_HZ);
    SetXValueRange(0.0, dNyquist, 1);
    SetYUnit(UNIT_RELATIVE_DB);
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
