// CFFTBaseTrace: units, references, ranges and default windows of spectra,
// the refill from FFT buffers, the X window over the valued bins, harmonics
// and band sums. The plot reduction lives in FFTPlot.cpp.

#include "trace/types/FFTBaseTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/FileVersion.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"
#include "host/units/UnitSets.h"
#include "trace/core/ScaleMath.h"
#include "trace/document/GraphDoc.h"
#include "trace/core/FFTMath.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"
#include "trace/core/TraceMath.h"

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

int CFFTBaseTrace::LoadTrace(CArchive& ar, int bLoadData)
{
    const int iResult = CQXTrace::LoadTrace(ar, bLoadData);
    if (!iResult) return iResult;
    if (bLoadData && ::GetConfigVersion() < 25) {
        SetInputUnlocked(false);
        m_dSampleRate = 2.0 * m_dMaxXScaleValue;
    }
    if (!IsInspectionOnlyLoad()) PostFFTTracesChanged();
    return iResult;
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
        if (IsdBUnit(iUnit)) {
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
    QXASSERT(eMode >= eModeDigital && eMode <= eModeSoundcard);
    return DefaultYUnitForMode(eMode, EYQuantity::Level);
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
    if (!bDefault && pReferences && (iAxis == 1 || iAxis == 2) && m_HeldBy.load() == std::this_thread::get_id()) {
        *pReferences = m_aHeldReferences[iAxis - 1];
        return 1;
    }
    return FrequencyDomainReferences(*this, iAxis, bDefault, GetDataSize(), pReferences);
}

void GetFrequencyDomainLogDetails(CQXTrace& trace, AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    const bool bDb = IsdBUnit(ResolveAxisUnit(trace, eAxis, iUnit));
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

int CFFTBaseTrace::GetYOrigin() { return ValueWindowYOrigin(*this); }

int CFFTBaseTrace::GetYPointForData(double dData)
{
    if (dData == DBL_MAX) return POINT_BEYOND_MAX;
    if (GetLogY()) return GetLogYPoint(dData);
    const double mn = m_dCurrentMinYScaleValue;
    const double mx = m_dCurrentMaxYScaleValue;
    if (!(mx > mn)) return 0;
    // Only the holding thread reads the held map.
    int iHeight = 0;
    if (m_HeldBy.load() == std::this_thread::get_id() && m_HeldHeights.Height(dData, &iHeight)) return iHeight;
    return GetYOrigin() - m_rcDraw.top + TruncToInt(YRowBeforeTruncation(dData));
}

double CFFTBaseTrace::YRowBeforeTruncation(double dData)
{
    const double mn = m_dCurrentMinYScaleValue;
    const double mx = m_dCurrentMaxYScaleValue;
    const double v = GetYValueForData(dData, GetYUnit(), 0, 0);
    const double h = m_rcDraw.bottom - m_rcDraw.top;
    return h * (v + m_dYOffset - mx) / (mx - mn) + 0.5;
}

double CFFTBaseTrace::GetYDataAtPoint(int iDeviceY) { return ValueWindowYDataAtPoint(*this, iDeviceY); }

int CFFTBaseTrace::GetLowestValidXPoint()
{
    if (m_dLowestValidFrequency <= 0.0) return 0;
    return GetXPointForValue(m_dLowestValidFrequency, UNIT_FREQ_HZ);
}

// ---- Refill from an FFT buffer ---------------------------------------------------------

int CFFTBaseTrace::UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* pOtherChannelBuffer, int* piFlags)
{
    QXASSERT(pOtherChannelBuffer == 0);
    m_bRefilling = true;
    const int bUpdated = CQXTrace::UpdateTraceData(pBuffer, nullptr, piFlags);
    m_bRefilling = false;
    if (!bUpdated) return 0;
    {
        // The buffer carries powers; the trace keeps magnitudes.
        CSingleLock lock(&m_TraceLock, true);
        if (m_pYData && m_iDataSize > 0) {
            PowersToMagnitudes(m_pYData.get(), m_iDataSize);
            m_pYData[m_iDataSize - 1] = DBL_MAX;
        }
    }
    m_dLowestValidFrequency = CalcLowestValidFrequency();
    const CFFTParametersSettings* pFFT = GetFFTParametersSettingsData();
    const CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    const int iRateMode = pFFT ? pFFT->GetPropertyAsEnum(PROP_FFT_RATE_MODE) : 0;
    const double dRateA = pAnalyser ? pAnalyser->GetAnalyserSampleRate(0, true) : m_dSampleRate;
    const double dRateB = pAnalyser ? pAnalyser->GetAnalyserSampleRate(1, true) : m_dSampleRate;
    m_dNyquistFrequency = SpectrumNyquist(m_dSampleRate, iRateMode, dRateA, dRateB);
    LimitXRangeToNyquist();
    m_dLowestValidFrequency = CalcLowestValidFrequency();
    return 1;
}

double CFFTBaseTrace::CalcLowestValidFrequency()
{
    const CImpulseResponseSettings* pGate = GetImpulseResponseSettings();
    if (!pGate || !pGate->IsGateOn()) return 0.0;
    const int iChannel = m_eChannel == CHANNEL_B ? 1 : 0;
    return GateLowestFrequency(true,
                               pGate->GetPropertyAsDouble(CImpulseResponseSettings::StartPropertyId(iChannel), UNIT_MS),
                               pGate->GetPropertyAsDouble(CImpulseResponseSettings::EndPropertyId(iChannel), UNIT_MS));
}

void CFFTBaseTrace::LimitXRangeToNyquist()
{
    if (m_dNyquistFrequency <= 0.0) return;
    if (CQXTrace::GetMaxXScaleValue() > m_dNyquistFrequency) {
        SetXValueRange(GetMinXScaleValue(), m_dNyquistFrequency, 0);
        ManageSampleRateChange();
    } else if (m_pXScale && GetCurrentMaxXScaleValue() > m_dNyquistFrequency) {
        SetCurrentMaxXScaleValue(m_dNyquistFrequency);
        // The window's end position follows its end value, or the plot
        // would spread the bins beyond the limit over the columns.
        const int iPos = GetXPosForValue(m_dNyquistFrequency, UNIT_FREQ_HZ);
        SetCurrentMaxXPos(std::clamp(iPos, GetCurrentMinXPos(), std::max(GetCurrentMinXPos(), GetMaxXPos())));
    }
}

void CFFTBaseTrace::ManageSampleRateChange()
{
    // The base widens the range back to the last bin; above the Nyquist
    // frequency (the lower channel's, under split rates) nothing is shown.
    CQXTrace::ManageSampleRateChange();
    if (m_bRefilling || m_dNyquistFrequency <= 0.0 || CQXTrace::GetMaxXScaleValue() <= m_dNyquistFrequency) return;
    SetXValueRange(GetMinXScaleValue(), m_dNyquistFrequency, 0);
    if (m_pXScale && GetCurrentMaxXScaleValue() > m_dNyquistFrequency) {
        SetCurrentMaxXScaleValue(m_dNyquistFrequency);
        const int iPos = GetXPosForValue(m_dNyquistFrequency, UNIT_FREQ_HZ);
        SetCurrentMaxXPos(std::clamp(iPos, GetCurrentMinXPos(), std::max(GetCurrentMinXPos(), GetMaxXPos())));
    }
}

// ---- Windows over the valued bins --------------------------------------------------------

void CFFTBaseTrace::SetXDefaultZoomValues()
{
    const int iFirst = FirstValuedPosition(m_pYData.get(), m_iDataSize);
    const int iLast = LastValuedPosition(m_pYData.get(), m_iDataSize);
    const int iUnit = GetXUnit();
    SetCurrentMinXPos(iFirst);
    SetCurrentMaxXPos(iLast);
    SetCurrentMinXScaleValue(GetXValueAtPos(iFirst, iUnit));
    SetCurrentMaxXScaleValue(GetXValueAtPos(iLast, iUnit));
}

int CFFTBaseTrace::GetMaxCursorXPos(bool bCurrent)
{
    return LastCursorPosition(m_pYData.get(), m_iDataSize, bCurrent ? GetCurrentMaxXPos() : GetMaxXPos());
}

int CFFTBaseTrace::GetYAutoZoomData(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXReportAssert("(pdMinData != 0) && (pdMaxData != 0)", __FILE__, static_cast<unsigned>(__LINE__));
        return 0;
    }
    const double* pdY = GetPlotYArray();
    if (!pdY || !m_pYData) return 0;
    double dMin = DBL_MAX;
    double dMax = -DBL_MAX;
    const int iEnd = std::min(GetMaxXPos(), m_iDataSize);
    for (int i = std::max(GetMinXPos(), 0); i < iEnd; ++i) {
        const double d = pdY[i];
        dMin = std::min(dMin, d);
        if (d != DBL_MAX) dMax = std::max(dMax, d);
    }
    *pdMin = dMin;
    *pdMax = dMax;
    return 1;
}

void CFFTBaseTrace::PostSerialize(CArchive& /*ar*/)
{
    if (m_pXScale && !(GetCurrentMaxXScaleValue() > GetCurrentMinXScaleValue()))
        SetCurrentMaxXScaleValue(GetMaxXScaleValue());
}

// ---- Harmonics and band sums ---------------------------------------------------------------

bool CFFTBaseTrace::ListHarmonics(bool bAll)
{
    RemoveAllMarks(0);
    if (!AreMarksOn()) MarksOn();

    CGraphDoc* pDoc = GetGraphDoc();
    double dFundamental = pDoc ? pDoc->GetFundamental(m_eChannel) : 0.0;
    if (dFundamental == 0.0) {
        if (const CSignalAnalyserSettings* pAna = GetSignalAnalyserSettings())
            dFundamental = pAna->GetPropertyAsDouble(m_eChannel == CHANNEL_B ? RES_CHB_FREQ : RES_CHA_FREQ,
                                                     UNIT_FREQ_HZ);
    }
    // Without a tone every harmonic would land on bin 0.
    if (!(dFundamental > 0.0) || dFundamental == DBL_MAX) return false;

    const double* pdY = GetPlotYArray();
    const int iLastHarmonic = bAll ? MAX_MARKS - 1 : GetNumMarks() - 1;
    const int iUnit = GetXUnit();
    int iFundamentalPos = -1;
    for (int n = 0; n <= iLastHarmonic; ++n) {
        int p = GetXPosForValue((n + 1) * dFundamental, iUnit);
        if (p > GetMaxXPos() || p >= m_iDataSize || p < 0) break;
        if (n == 0 && pdY) {
            // The tone may peak in a neighbouring bin.
            auto Larger = [&](int q) { return pdY[q] != DBL_MAX && pdY[q] > pdY[p]; };
            if (p != GetMinXPos() && p > 0 && Larger(p - 1)) p = p - 1;
            if (p != GetMaxXPos() && p + 1 < m_iDataSize && Larger(p + 1)) p = p + 1;
            iFundamentalPos = p;
        }
        const int iMark = AddMark(p, 0);
        CString sLabel = GetHarmonicLabel(n);
        if (iMark < 0 || !SetMarkLabel(iMark, sLabel, false)) {
            QXReportAssert("SetMarkLabel(iMark, sLabel, false)", __FILE__, static_cast<unsigned>(__LINE__));
            return false;
        }
        SetCurrentMark(iMark);
    }
    if (iFundamentalPos < 0) return false;
    if (!IsCursorOn()) CursorOn();
    if (m_pCursor) SetCursorPosition(iFundamentalPos);
    SetCurrentMark(0);
    UpdateViews(nullptr, UPDATE_TRACE_MARKS, this);
    return true;
}

double CFFTBaseTrace::GetBandSum(int iCentreBin, double dBandFactor, double dScale, double* pdData, int* piLowBin,
                                 int* piHighBin, double* pdSumSquares)
{
    if (!pdData || !piLowBin || !piHighBin || !pdSumSquares) {
        QXReportAssert("!IsBadWritePtr(pdData, GetDataSize() * sizeof(double))", __FILE__,
                       static_cast<unsigned>(__LINE__));
        return 0.0;
    }
    return SlideBandSum(pdData, GetDataSize(), iCentreBin, dBandFactor, dScale, piLowBin, piHighBin, pdSumSquares);
}
