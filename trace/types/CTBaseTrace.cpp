// CCTBaseTrace: units, references, ranges and default windows of the
// time-domain kinds. Refreshing from sample buffers and the automatic X
// window of a periodic signal come with the measurement work.

#include "trace/types/CTBaseTrace.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"
#include "host/units/UnitSets.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"

#include <cmath>

IMPLEMENT_DYNCREATE(CCTBaseTrace, CQXTrace)

namespace {

// Default window of a jitter trace, in unit intervals either side of 0.
constexpr double kDefaultJitterUI = 0.5;

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

void CCTBaseTrace::SetYDefaultZoomValues()
{
    double dMin = 0.0;
    double dMax = 0.0;
    CalcDefaultYScaleValues(&dMin, &dMax);
    const int iUnit = GetYUnit();
    m_dCurrentMinYScaleValue = dMin;
    m_dCurrentMaxYScaleValue = dMax;
    // Symmetric about 0 in data, whatever the two values read.
    m_dCurrentMinYData = -std::fabs(GetYDataForValue(dMin, iUnit, 1));
    m_dCurrentMaxYData = std::fabs(GetYDataForValue(dMax, iUnit, 1));
}

// ---- Units ------------------------------------------------------------------------------

EUnit CCTBaseTrace::GetDefaultYUnit(EMode eMode, int bRelative)
{
    if (eMode == eModeNull) {
        eMode = m_eMode;
        bRelative = IsRelative();
    }
    if (bRelative) return UNIT_RELATIVE_DB;
    switch (eMode) {
    case eModeDigital: return GetDefaultDigitalUnit(RESULTKIND_AMPLITUDE);
    case eModeAnalogue: return GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE);
    case eModeJDOData:
    case eModeJDOfs: return UNIT_JITTER_NS;
    case eModeSoundcard: return GetDefaultSoundcardUnit(RESULTKIND_AMPLITUDE);
    default: QXASSERT(eMode >= eModeDigital && eMode <= eModeSoundcard); return UNIT_INVALID;
    }
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
    if (pbIsDbUnit) *pbIsDbUnit = IsDbUnit(ResolveAxisUnit(*this, eAxis, iUnit)) ? 1 : 0;
    // Signed time-domain data has no logarithmic view.
    if (pbLogAllowed) *pbLogAllowed = 0;
}
