// CFFTBaseTrace: units, references, ranges and default windows of spectra.
// Refreshing from FFT buffers, plot reduction, harmonics and band sums come
// with the measurement work; until then the base behaviour stands.

#include "trace/types/FFTBaseTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"
#include "host/units/UnitSets.h"
#include "trace/display/ScaleMath.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"
#include "trace/model/TraceMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CFFTBaseTrace, CQXTrace)

CFFTBaseTrace::CFFTBaseTrace() = default;

CFFTBaseTrace::CFFTBaseTrace(ChannelNumber eChannel, int iDataSize, int /*iCopy*/, int /*iBare*/)
    : CQXTrace(eChannel, iDataSize, 0)
{
}

CFFTBaseTrace::~CFFTBaseTrace() = default;

void CFFTBaseTrace::InitialiseFFTTrace(TraceType eType, int iDataSize)
{
    m_eTraceType = eType;
    m_dLowestValidFrequency = 0.0;
    m_dNyquistFrequency = 0.0;
    CQXTrace::InitialiseTrace(iDataSize);
    if (!m_pYData || iDataSize == 0) return;
    std::fill_n(m_pYData.get(), m_iDataSize, 0.0);
    SetXUnit(UNIT_FREQ_HZ);
    SetXValueRange(0.0, EffectiveSampleRate(m_dSampleRate, IsUnlocked()) * 0.5, 1);
    DefaultZoomY(0, 0);
}

CQXTrace* CFFTBaseTrace::CopyFromKind(CQXTrace* pFrom, const CRuntimeClass* pClass, const char* szAssert)
{
    if (!pFrom || !pFrom->IsKindOf(pClass)) {
        QXReportAssert(szAssert, __FILE__, static_cast<unsigned>(__LINE__));
        return this;
    }
    CopyStdTraceDetails(pFrom);
    const auto* pSpectrum = static_cast<CFFTBaseTrace*>(pFrom);
    m_dLowestValidFrequency = pSpectrum->m_dLowestValidFrequency;
    m_dNyquistFrequency = pSpectrum->m_dNyquistFrequency;
    return this;
}

CQXTrace* CFFTBaseTrace::CopyFrom(CQXTrace* pFrom)
{
    return CopyFromKind(pFrom, RUNTIME_CLASS(CFFTBaseTrace), "pCopyFrom->IsKindOf((CFFTBaseTrace::GetThisClass()))");
}

// ---- State -------------------------------------------------------------------------

void CFFTBaseTrace::PostFFTTracesChanged() { PostAppMessage(WM_QX_FFT_TRACES_CHANGED, 0, 0); }

void CFFTBaseTrace::TraceOn(int iMatch, int /*bRegisterEvents*/)
{
    CQXTrace::TraceOn(iMatch, 1);
    PostFFTTracesChanged();
}

void CFFTBaseTrace::TraceOff(int /*bRemoveEvents*/)
{
    CQXTrace::TraceOff(1);
    PostFFTTracesChanged();
}

int CFFTBaseTrace::ManageDataSizeChange() { return CQXTrace::ManageDataSizeChange() ? 1 : 0; }

// ---- X range --------------------------------------------------------------------------

void CFFTBaseTrace::FillNyquistFrequency()
{
    if (m_dNyquistFrequency == 0.0) m_dNyquistFrequency = CQXTrace::GetMaxXScaleValue();
}

double CFFTBaseTrace::GetMaxXScaleValue()
{
    FillNyquistFrequency();
    return m_dNyquistFrequency;
}

double CFFTBaseTrace::GetMaxXValue(EUnit eUnit)
{
    FillNyquistFrequency();
    const CUnitSet* pSet = GetUnitSet(1);
    if (!pSet || eUnit == UNIT_FREQ_HZ) return m_dNyquistFrequency;
    return pSet->ConvertValue(m_dNyquistFrequency, UNIT_FREQ_HZ, eUnit, nullptr);
}

// ---- Y range and default window ------------------------------------------------------

double GetSpectrumYLimit(EUnit eUnit, bool bMax) { return LookUpYLimit(GetSpectrumYLimits, eUnit, bMax); }

double CFFTBaseTrace::GetMinYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, false); }
double CFFTBaseTrace::GetMaxYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, true); }

void CFFTBaseTrace::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    const int iUnit = GetYUnit();
    double dMinData = 0.0;
    double dMaxData = kFullScaleSineHex;
    if (IsFromImpulseResponse() && IsRelative()) {
        if (IsDbUnit(iUnit)) {
            *pdMin = -60.0;
            *pdMax = 10.0;
            return;
        }
        dMinData = 0.001;
        dMaxData = 2.0;
    } else if (IsJDO()) {
        SReferences refs;
        GetReferences(2, 1, &refs);
        if (const CUnitSet* pSet = GetUnitSet(2)) {
            dMinData = pSet->ConvertValue(-200.0, UNIT_JITTER_DBUI, UNIT_HEX, &refs);
            dMaxData = pSet->ConvertValue(0.0, UNIT_JITTER_DBUI, UNIT_HEX, &refs);
        }
    }
    *pdMin = GetYValueForData(dMinData, iUnit, 0, 1);
    *pdMax = GetYValueForData(dMaxData, iUnit, 0, 1);
}

void CFFTBaseTrace::SetYDefaultZoomValuesFrom(bool bCorrectLogStart)
{
    double dMin = 0.0;
    double dMax = 0.0;
    CalcDefaultYScaleValues(&dMin, &dMax);
    const int iUnit = GetYUnit();
    if (bCorrectLogStart && GetLogY()) EnsureLogStartCorrect(&dMin, dMax, iUnit);
    m_dCurrentMinYScaleValue = dMin;
    m_dCurrentMaxYScaleValue = dMax;
    m_dCurrentMinYData = GetYDataForValue(dMin, iUnit, 1);
    m_dCurrentMaxYData = GetYDataForValue(dMax, iUnit, 1);
}

void CFFTBaseTrace::SetYDefaultZoomValues() { SetYDefaultZoomValuesFrom(false); }

// ---- Units ------------------------------------------------------------------------------

EUnit CFFTBaseTrace::GetDefaultYUnit(EMode eMode, int bRelative)
{
    if (eMode == eModeNull) {
        eMode = m_eMode;
        bRelative = IsRelative();
    }
    if (bRelative) return UNIT_RELATIVE_DB;
    switch (eMode) {
    case eModeDigital:
    case eModeSoundcard: return UNIT_DBFS;
    case eModeAnalogue: {
        const EUnit eUnit = GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE);
        return (eUnit == UNIT_W || eUnit == UNIT_V) ? UNIT_DBV : eUnit;
    }
    case eModeJDOData:
    case eModeJDOfs: return UNIT_JITTER_DBUI;
    default: QXASSERT(eMode >= eModeDigital && eMode <= eModeSoundcard); return UNIT_INVALID;
    }
}

EUnit CFFTBaseTrace::GetStorageUnit(AxisType eAxis)
{
    if (eAxis == X_AXIS) return UNIT_BINS;
    return (IsFromImpulseResponse() && IsRelative()) ? UNIT_RELATIVE_RATIO : UNIT_HEX;
}

const CUnitSet* CFFTBaseTrace::GetUnitSet(int iAxis)
{
    if (iAxis == 1) return ::GetUnitSet(UNITSET_FFTBINS);
    if (iAxis == 2)
        return ::GetUnitSet(GetAmplitudeYUnitSet(IsRelative(), IsJDO(), IsFromImpulseResponse(), GetRelativity()));
    QXASSERT((iAxis == 1) || (iAxis == 2));
    return nullptr;
}

int CFFTBaseTrace::GetReferences(int iAxis, int bDefault, SReferences* pReferences)
{
    return FrequencyDomainReferences(*this, iAxis, bDefault, GetDataSize(), pReferences);
}

void GetFrequencyDomainLogDetails(CQXTrace& trace, AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    const bool bDb = IsDbUnit(ResolveAxisUnit(trace, eAxis, iUnit));
    if (pbIsDbUnit) *pbIsDbUnit = bDb ? 1 : 0;
    if (pbLogAllowed) *pbLogAllowed = eAxis == X_AXIS ? 1 : (bDb ? 0 : 1);
}

void CFFTBaseTrace::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    GetFrequencyDomainLogDetails(*this, eAxis, iUnit, pbIsDbUnit, pbLogAllowed);
}

// ---- Y pixel mapping ----------------------------------------------------
// Spectra are drawn against their display unit: a window of -200 ... 0 dBFS
// is linear in dB, so heights come from the value, not from the magnitude.

int CFFTBaseTrace::GetYOrigin()
{
    const double mn = m_dCurrentMinYScaleValue;
    const double mx = m_dCurrentMaxYScaleValue;
    const int t = m_rcDraw.top;
    const int b = m_rcDraw.bottom;
    const double h = b - t;
    if (mx <= 0.0 && mn >= 0.0) {
        QXASSERT(!(mx <= 0.0 && mn >= 0.0));
        return 0;
    }
    if (!QXVERIFY(mx > mn)) return b;
    if (mx <= 0.0) return t - FloorToInt(h * std::fabs(mx / (mx - mn)));
    if (mn >= 0.0) return b + FloorToInt(h * mn / (mx - mn));
    return b - std::abs(FloorToInt(h * mn / (mx - mn)));
}

int CFFTBaseTrace::GetYPointForData(double dData)
{
    if (dData == DBL_MAX) return POINT_BEYOND_MAX;
    if (GetLogY()) return GetLogYPoint(dData);
    const double mn = m_dCurrentMinYScaleValue;
    const double mx = m_dCurrentMaxYScaleValue;
    if (!(mx > mn)) return 0;
    const double v = GetYValueForData(dData, GetYUnit(), 0, 0);
    const double h = m_rcDraw.bottom - m_rcDraw.top;
    return GetYOrigin() - m_rcDraw.top + TruncToInt(h * (v + m_dYOffset - mx) / (mx - mn) + 0.5);
}

double CFFTBaseTrace::GetYDataAtPoint(int iDeviceY)
{
    const int t = m_rcDraw.top;
    const int b = m_rcDraw.bottom;
    if (iDeviceY < t) return m_dCurrentMaxYData;
    if (iDeviceY > b) return m_dCurrentMinYData;
    const int iUnit = GetYUnit();
    double mn = m_dCurrentMinYScaleValue;
    const double mx = m_dCurrentMaxYScaleValue;
    const double h = b - t;
    if (h <= 0.0) return m_dCurrentMinYData;
    double dValue = 0.0;
    if (GetLogY()) {
        EnsureLogStartCorrect(&mn, mx, iUnit);
        const double dDecades = std::log10(mx) - std::log10(mn);
        if (!QXVERIFY(dDecades != 0.0)) return m_dCurrentMinYData;
        dValue = std::pow(10.0, (b - iDeviceY) / (h / dDecades) + std::log10(mn));
    } else {
        dValue = mn + (mx - mn) * (b - iDeviceY) / h;
    }
    return GetYDataForValue(dValue, iUnit, 0);
}

int CFFTBaseTrace::GetLowestValidXPoint()
{
    if (m_dLowestValidFrequency <= 0.0) return 0;
    return GetXPointForValue(m_dLowestValidFrequency, UNIT_FREQ_HZ);
}
