// CCTBaseTrace: units, references, ranges, the default windows and the
// automatic X window of the time-domain kinds.

#include "trace/types/CTBaseTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/settings/SignalGeneratorSettings.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"
#include "host/units/UnitSets.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <climits>
#include <cmath>

IMPLEMENT_DYNCREATE(CCTBaseTrace, CQXTrace)

namespace {

// Default window of a jitter trace, in unit intervals either side of 0.
constexpr double kDefaultJitterUI = 0.5;

// The fundamental the automatic X window fits periods of: the document's,
// else the signal analyser's frequency reading of the channel.
double FundamentalOf(ChannelNumber eChannel)
{
    const int iChannel = eChannel == CHANNEL_B ? 1 : 0;
    if (CGraphDoc* pDoc = GetGraphDoc()) {
        const double dFundamental = pDoc->GetFundamental(eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A);
        if (dFundamental > 0.0) return dFundamental;
    }
    const CSignalAnalyserSettings* pAnalyser = GetSignalAnalyserSettings();
    return pAnalyser ? pAnalyser->GetFrequency(iChannel) : 0.0;
}

} // namespace

CCTBaseTrace::CCTBaseTrace() = default;

CCTBaseTrace::CCTBaseTrace(ChannelNumber eChannel, int iDataSize, int /*iCopy*/, int /*iBare*/)
    : CQXTrace(eChannel, iDataSize, 0)
{
}

CCTBaseTrace::~CCTBaseTrace() = default;

void CCTBaseTrace::InitialiseCTTrace(TraceType eType, int iDataSize)
{
    m_eTraceType = eType;
    CQXTrace::InitialiseTrace(iDataSize);
    if (!m_pYData || iDataSize == 0) return;
    SetXUnit(UNIT_MS);
    SetXValueRange(0.0, GetXValueAtPos(m_iDataSize, GetXUnit()), 1);
    DefaultZoomY(0, 0);
}

CQXTrace* CCTBaseTrace::CopyFromKind(CQXTrace* pFrom, const CRuntimeClass* pClass, const char* szAssert)
{
    if (!pFrom || !pFrom->IsKindOf(pClass)) {
        QXReportAssert(szAssert, __FILE__, static_cast<unsigned>(__LINE__));
        return this;
    }
    CopyStdTraceDetails(pFrom);
    return this;
}

CQXTrace* CCTBaseTrace::CopyFrom(CQXTrace* pFrom)
{
    return CopyFromKind(pFrom, RUNTIME_CLASS(CCTBaseTrace), "pCopyFrom->IsKindOf((CCTBaseTrace::GetThisClass()))");
}

// ---- Ranges and default windows -----------------------------------------------------

double CCTBaseTrace::GetMinYValue(EUnit eUnit) { return LookUpYLimit(GetTimeYLimits, eUnit, false); }
double CCTBaseTrace::GetMaxYValue(EUnit eUnit) { return LookUpYLimit(GetTimeYLimits, eUnit, true); }

void CCTBaseTrace::CalcDefaultXScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    *pdMin = 0.0;
    *pdMax = kDefaultXMaxMs;
}

void CCTBaseTrace::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    *pdMin = *pdMax = 0.0;
    if (IsFromImpulseResponse() && IsRelative()) {
        QXASSERT(!(IsFromImpulseResponse() && IsRelative()));
        return;
    }
    double dMagnitude = IsRMS() ? kFullScaleSineHex : kFullScaleHex;
    if (IsJDO())
        dMagnitude = m_eMode == eModeJDOData ? ConvertUIToDataJitterHex(kDefaultJitterUI)
                                             : ConvertUITofsJitterHex(kDefaultJitterUI);
    const int iUnit = GetYUnit();
    *pdMin = GetYValueForData(-dMagnitude, iUnit, 0, 1);
    *pdMax = GetYValueForData(dMagnitude, iUnit, 0, 1);
}

void CCTBaseTrace::SetXDefaultZoomValues() { SetXWindowFromDefaultValues(*this); }

// ---- Refill and the automatic X window ----------------------------------------------

int CCTBaseTrace::UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* pOtherBuffer, int* pbSizeChanged)
{
    return CQXTrace::UpdateTraceData(pBuffer, pOtherBuffer, pbSizeChanged) ? 1 : 0;
}

bool CCTBaseTrace::IsNoiseLikeWaveform(int iWaveform)
{
    switch (iWaveform) {
    case 4:
    case 5:
    case 7:
    case 9:
    case 10:
    case 11: return true;
    default: return false;
    }
}

int CCTBaseTrace::AutoZoomEndPos(double dFundamental, double dSampleRate)
{
    if (!(dFundamental > 0.0) || !(dSampleRate > 0.0) || !std::isfinite(dFundamental)) return 0;
    const double dSamplesPerPeriod = dSampleRate / dFundamental;
    for (int k = 2; k < 2 + kMaxAutoZoomPeriods; ++k) {
        const double dEnd = std::trunc(k * dSamplesPerPeriod);
        if (dEnd >= kMinAutoZoomSamples) return dEnd > INT_MAX ? INT_MAX : static_cast<int>(dEnd);
    }
    return 0;
}

void CCTBaseTrace::SetXAutoZoomValues()
{
    const int iChannel = m_eChannel == CHANNEL_B ? 1 : 0;
    const CSignalGeneratorSettings* pGenerator = GetSignalGeneratorSettings();
    int iEnd = GetCurrentMaxXPos();
    if (pGenerator && IsNoiseLikeWaveform(pGenerator->GetWaveform(iChannel))) {
        iEnd = GetMaxXPos();
    } else if (const int iPeriods = AutoZoomEndPos(FundamentalOf(m_eChannel),
                                                   EffectiveSampleRate(m_dSampleRate, IsUnlocked()))) {
        iEnd = std::min(iPeriods, GetMaxXPos());
    }
    SetCurrentMinXPos(0);
    SetCurrentMaxXPos(iEnd);
    const int iUnit = GetXUnit();
    SetCurrentMinXScaleValue(GetXValueAtPos(0, iUnit));
    SetCurrentMaxXScaleValue(GetXValueAtPos(iEnd, iUnit));
}

void CCTBaseTrace::SetYDefaultZoomValues()
{
    double dMin = 0.0;
    double dMax = 0.0;
    CalcDefaultYScaleValues(&dMin, &dMax);
    SetSymmetricYWindow(dMin, dMax, GetYUnit());
}

void CCTBaseTrace::SetSymmetricYWindow(double dMinValue, double dMaxValue, int iUnit)
{
    m_dCurrentMinYScaleValue = dMinValue;
    m_dCurrentMaxYScaleValue = dMaxValue;
    // Symmetric about 0 in data, whatever the two values read (a dB unit
    // reads the same for both signs).
    m_dCurrentMinYData = -std::fabs(GetYDataForValue(dMinValue, iUnit, 1));
    m_dCurrentMaxYData = std::fabs(GetYDataForValue(dMaxValue, iUnit, 1));
}

// ---- Units ------------------------------------------------------------------------------

EUnit CCTBaseTrace::GetDefaultYUnit(EMode eMode, int bRelative)
{
    if (eMode == eModeNull) {
        eMode = m_eMode;
        bRelative = IsRelative();
    }
    if (bRelative) return UNIT_RELATIVE_DB;
    QXASSERT(eMode >= eModeDigital && eMode <= eModeSoundcard);
    return DefaultYUnitForMode(eMode, EYQuantity::Amplitude);
}

EUnit CCTBaseTrace::GetStorageUnit(AxisType eAxis)
{
    if (eAxis == X_AXIS) return UNIT_BINS;
    if (IsFromImpulseResponse() && IsRelative()) {
        QXASSERT(m_eTraceType == TT_SCOPE);
        return UNIT_RELATIVE_RATIO;
    }
    return UNIT_HEX;
}

const CUnitSet* CCTBaseTrace::GetUnitSet(int iAxis)
{
    if (iAxis == 1) return ::GetUnitSet(UNITSET_NUMSAMPLES);
    if (iAxis == 2)
        return ::GetUnitSet(GetAmplitudeYUnitSet(IsRelative(), IsJDO(), IsFromImpulseResponse(), GetRelativity()));
    QXASSERT((iAxis == 1) || (iAxis == 2));
    return nullptr;
}

int CCTBaseTrace::GetReferences(int iAxis, int bDefault, SReferences* pReferences)
{
    if (!pReferences || (iAxis != 1 && iAxis != 2)) {
        QXASSERT(pReferences && ((iAxis == 1) || (iAxis == 2)));
        return 0;
    }
    if (iAxis == 1) {
        *pReferences = SReferences::ForTimeX(EffectiveSampleRate(m_dSampleRate, IsUnlocked()),
                                             m_iInterpolationFactor, GetNumSamplesZeroBin());
        pReferences->SetUnlocked(IsUnlocked());
    } else {
        *pReferences = AmplitudeYReferences(*this, bDefault, true);
    }
    return 1;
}

void CCTBaseTrace::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    if (pbIsDbUnit) *pbIsDbUnit = IsdBUnit(ResolveAxisUnit(*this, eAxis, iUnit)) ? 1 : 0;
    // Signed time-domain data has no logarithmic view.
    if (pbLogAllowed) *pbLogAllowed = 0;
}
