// CQXTrace: refilling a live trace from a sample buffer and bringing what
// depends on the data up to date (size, input mode, rates, references, the
// Y unit and window, the X range and the attached limit lines).

#include "trace/model/QXTrace.h"
#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/buffers/SampleBuffer.h"
#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/OptionsSettings.h"
#include "host/settings/SettingsIds.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/settings/SignalGeneratorSettings.h"
#include "host/units/References.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/BufferScale.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace {

// An unlocked input has no rate of its own; the trace runs on this one.
constexpr double kUnlockedRate = 96000.0;
constexpr int kInterpolationFactor = 8;

double RateForComparison(double dRate) { return dRate == -1.0 ? kUnlockedRate : dRate; }

bool IsJDOMode(CQXTrace::EMode eMode) { return eMode == CQXTrace::eModeJDOData || eMode == CQXTrace::eModeJDOfs; }

// Bin traces run from bin 0 to bin N inclusive.
bool HasBinEndPoint(TraceType eType)
{
    return eType == TT_FFT || eType == TT_CTFFT || eType == TT_FILTER || eType == TT_FFTRESPONSE;
}

bool IsTimeLimitKind(TraceType eType) { return eType == TT_SCOPE || eType == TT_CTDET; }
bool IsFFTLimitKind(TraceType eType) { return eType == TT_FFT || eType == TT_CTFFT; }

// The document decides the factor; a trace outside one uses the same rules.
double TraceBufferScaleFactor(CQXTrace& trace)
{
    if (CGraphDoc* pDoc = GetGraphDoc()) return pDoc->GetTraceBufferScaleFactor(&trace);
    return BufferScaleFactor(BufferScaleInputsFor(trace));
}

// Keeps the displayed Y window when the unit conversion changes under it:
// the data ends follow the scale values, keeping the sign of the old ends.
void ReexpressYDataWindow(CQXTrace& trace, int iUnit)
{
    const double dOldMin = trace.GetCurrentMinYData();
    const double dOldMax = trace.GetCurrentMaxYData();
    double dMin = trace.GetYDataForValue(trace.GetCurrentMinYScaleValue(), iUnit, 1);
    double dMax = trace.GetYDataForValue(trace.GetCurrentMaxYScaleValue(), iUnit, 1);
    if (dOldMin < 0.0) dMin = -std::fabs(dMin);
    if (dOldMax < 0.0) dMax = -std::fabs(dMax);
    trace.SetCurrentMinYData(dMin);
    trace.SetCurrentMaxYData(dMax);
}

void ScaleValuesFromYData(CQXTrace& trace, int iUnit)
{
    trace.SetCurrentMinYScaleValue(trace.GetYValueForData(trace.GetCurrentMinYData(), iUnit, 0, 1));
    trace.SetCurrentMaxYScaleValue(trace.GetYValueForData(trace.GetCurrentMaxYData(), iUnit, 0, 1));
}

bool YWindowIsSet(CQXTrace& trace)
{
    return !(std::fabs(trace.GetCurrentMinYScaleValue()) == DBL_MAX &&
             std::fabs(trace.GetCurrentMaxYScaleValue()) == DBL_MAX);
}

// A limit line's X extent follows its trace after the trace's range moved.
void LimitFollowsTraceX(CQXTrace& trace, CQXTrace& limit)
{
    limit.SetMaxXScaleValue(trace.GetMaxXScaleValue());
    limit.SetCurrentMaxXScaleValue(trace.GetCurrentMaxXScaleValue());
    limit.SetCurrentMaxXPos(trace.GetCurrentMaxXPos());
}

void UpdateViewsOf(CQXTrace* pTrace, int iHint)
{
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(iHint, pTrace);
}

bool HasTraceData(CQXTrace* pTrace) { return pTrace && pTrace->GetDataSize() > 0 && pTrace->GetYDataBuffer(0); }

// Limit values resized to a new point count: kept by index (new points get
// no limit), or resampled by index across the whole range.
std::vector<double> ResizeLimitValues(const double* pdOld, int iOldSize, int iNewSize, bool bResample)
{
    std::vector<double> ad(static_cast<size_t>(std::max(iNewSize, 0)), DBL_MAX);
    if (!pdOld || iOldSize <= 0) return ad;
    for (int i = 0; i < iNewSize; ++i) {
        const long long j = bResample ? static_cast<long long>(i) * iOldSize / iNewSize : i;
        if (j < iOldSize) ad[static_cast<size_t>(i)] = pdOld[j];
    }
    return ad;
}

} // namespace

// ---- Refill --------------------------------------------------------------------------

int CQXTrace::GetRequiredTraceDataSize(CSampleBuffer* pBuffer) { return pBuffer ? pBuffer->GetMaxSize() : 0; }

int CQXTrace::UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* /*pOtherBuffer*/, int* pbSizeChanged)
{
    if (pbSizeChanged) *pbSizeChanged = 0;
    double dCursorX = 0.0;
    double dRelCursorX = 0.0;
    NoteOldCursorValues(&dCursorX, &dRelCursorX);
    if (!pBuffer || pBuffer->IsEmpty()) return 0;

    int iSize = GetRequiredTraceDataSize(pBuffer);
    if (HasBinEndPoint(GetTraceType())) ++iSize;
    m_iInterpolationFactor = m_bInterpolated ? kInterpolationFactor : 1;
    iSize *= m_iInterpolationFactor;

    if (iSize == GetDataSize()) {
        if (UpdateTraceVariables(false, false, pBuffer) && pbSizeChanged) *pbSizeChanged = 1;
    } else {
        if (!SetBuffer(iSize)) return 0;
        UpdateTraceVariables(false, false, pBuffer);
        if (pbSizeChanged) *pbSizeChanged = 1;
        ManageDataSizeChange();
        if (m_pComputeTrace) m_pComputeTrace->ManageDataSizeChange();
        SetNewCursorValues(dCursorX, dRelCursorX);
    }

    {
        CSingleLock lock(&m_TraceLock, true);
        double* pdY = GetYDataBuffer(0);
        if (!pdY) return 0;
        // The samples fill the first 1/factor of the array; interpolation spreads them.
        const int iCount = std::min(GetDataSize() / m_iInterpolationFactor, pBuffer->GetSize());
        pBuffer->GetDataAsDouble(pdY, 0, iCount, TraceBufferScaleFactor(*this));
    }
    if (!InterpolateData()) return 0;
    RecalcTrace();
    return 1;
}

// ---- Variables the display depends on --------------------------------------------------

bool CQXTrace::UpdateTraceVariables(bool bLoading, bool bKeepRate, CSampleBuffer* pBuffer)
{
    const EMode eOldMode = m_eMode;
    const int iOldRelativity = m_iRelativity;
    const bool bOldIR = m_bFromImpulseResponse;
    const int iOldTriggerBin = m_iNumSamplesZeroBin;
    const bool bOldUseZeroBin = m_bUseZeroBin;
    const double dOldAnaVsGen = m_dAnaVsGenFactor;
    const int iOldUnit = eOldMode == eModeNull ? -1 : GetYUnit();

    UpdateRelativityAndResponse();
    UpdateMode(pBuffer);

    if (pBuffer) {
        m_iNumSamplesZeroBin = pBuffer->GetTriggerBin();
    } else if (const CFFTParametersSettings* pFFT = GetFFTParametersSettings()) {
        m_iNumSamplesZeroBin = pFFT->GetTriggerBin();
    }
    if (const COptionsSettings* pOptions = GetOptionsSettings()) m_bUseZeroBin = pOptions->GetUseZeroBin();

    const double dOldRate = RateForComparison(m_dSampleRate);
    const double dOldJDORate = RateForComparison(m_dJDOSampleRate);
    SetSampleRate(pBuffer, bKeepRate);
    if (!bLoading && !bKeepRate && RateForComparison(m_dSampleRate) != dOldRate) ManageSampleRateChange();

    const int iNewUnit = GetYUnit();
    const bool bRelativityChanged = iOldRelativity != m_iRelativity;
    const bool bIRChanged = bOldIR != m_bFromImpulseResponse;
    const bool bJDORateChanged = IsJDO() && RateForComparison(m_dJDOSampleRate) != dOldJDORate;
    const bool bTriggerChanged = iOldTriggerBin != m_iNumSamplesZeroBin || bOldUseZeroBin != m_bUseZeroBin;

    bool bResult = false;
    if (!bLoading && !bRelativityChanged && eOldMode == m_eMode && !bIRChanged && !bJDORateChanged) {
        bResult = iNewUnit != -1 && iNewUnit != iOldUnit;
    } else {
        bool bReset = false;
        if ((m_iRelativity == 0 || (!bLoading && !bRelativityChanged)) && !bIRChanged &&
            (!m_bFromImpulseResponse || !bRelativityChanged)) {
            const bool bSameSide = IsJDOMode(eOldMode) == IsJDO();
            if (!bLoading && bSameSide) {
                if (IsJDO() && eOldMode != m_eMode) {
                    bReset = true; // between the two JDO modes
                } else if (IsJDO() && bJDORateChanged) {
                    ReexpressYDataWindow(*this, iNewUnit);
                }
            } else {
                bReset = !IsLimitLine();
            }
        } else {
            const bool bKeepWindow = !bIRChanged && YWindowIsSet(*this) &&
                                     (!m_bFromImpulseResponse || (iOldRelativity == 0) == (m_iRelativity == 0));
            bReset = !bKeepWindow;
        }

        if (iNewUnit != -1 || bReset || (bTriggerChanged && GetStorageUnit(Y_AXIS) != UNIT_INVALID)) {
            SetYUnit(iNewUnit);
            if (!(bLoading && IsUserTrace())) {
                if (bReset && !bKeepRate) {
                    DefaultZoomY(0, 0);
                } else if (!bReset && !bKeepRate && iOldUnit != -1 && iNewUnit != iOldUnit) {
                    ScaleValuesFromYData(*this, iNewUnit);
                }
            }
            bResult = iNewUnit != -1;
        }
    }

    UpdateReferenceVariables(pBuffer, bKeepRate);
    if (m_iRelativity == 2 && m_dAnaVsGenFactor != dOldAnaVsGen) {
        ScaleValuesFromYData(*this, GetYUnit());
        bResult = true;
    }
    if (bTriggerChanged) {
        OnTriggerBinChanged();
        bResult = true;
    }
    if (!bResult) return false;
    if (!bLoading) CalcYTicks();
    return true;
}

void CQXTrace::UpdateRelativityAndResponse()
{
    m_iRelativity = 0;
    m_iResponse = 0;
}

void CQXTrace::UpdateMode(CSampleBuffer* pBuffer)
{
    const bool bWasJDO = IsJDO();
    if (pBuffer) {
        switch (pBuffer->GetSourceKind()) {
        case SOURCE_ANALOGUE: m_eMode = eModeAnalogue; break;
        case SOURCE_DIGITAL: m_eMode = eModeDigital; break;
        case SOURCE_SOUNDCARD: m_eMode = eModeSoundcard; break;
        case SOURCE_JDOFS: m_eMode = eModeJDOfs; break;
        case SOURCE_JDODATA: m_eMode = eModeJDOData; break;
        default: break;
        }
    } else {
        m_eMode = ModeFromAnalyserSettings();
    }
    if (bWasJDO != IsJDO()) CheckLimitLinesConsistent(0);
}

CQXTrace::EMode CQXTrace::ModeFromAnalyserSettings()
{
    const CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    if (!pAnalyser) return m_eMode;
    switch (pAnalyser->GetInputKind()) {
    case INPUT_JDO: {
        const int iSelection = pAnalyser->GetPropertyAsEnum(PROP_ANA_JDO_SELECTION);
        if (iSelection == 1) return eModeJDOfs;
        if (iSelection == 2) return eModeJDOData;
        return m_eMode;
    }
    case INPUT_DIGITAL:
    case INPUT_TAMBER:
    case INPUT_HDMI: return eModeDigital;
    case INPUT_ANALOGUE: return eModeAnalogue;
    default: return eModeSoundcard;
    }
}

void CQXTrace::SetSampleRate(CSampleBuffer* pBuffer, bool bKeepRate)
{
    if (IsLimitLine()) {
        if (CQXTrace* pParent = GetParentTrace()) {
            m_dSampleRate = pParent->m_dSampleRate;
            m_dJDOSampleRate = pParent->m_dJDOSampleRate;
            m_bInputUnlocked = pParent->m_bInputUnlocked;
        }
        return;
    }
    const CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    double dRate = m_dSampleRate;
    if (pBuffer) {
        dRate = std::round(pBuffer->GetSampleRate());
    } else if (!bKeepRate && pAnalyser) {
        dRate = pAnalyser->GetAnalyserSampleRate(m_eChannel == CHANNEL_B ? 1 : 0);
    }
    if (pBuffer || !bKeepRate) m_dSampleRate = dRate;
    m_bInputUnlocked = dRate == -1.0;
    m_dJDOSampleRate = IsJDO() && pAnalyser ? pAnalyser->GetPropertyAsDouble(PROP_ANA_JDO_SAMPLE_RATE) : -1.0;
}

void CQXTrace::UpdateReferenceVariables(CSampleBuffer* pBuffer, bool bDefault)
{
    const int iChannel = m_eChannel == CHANNEL_B ? 1 : 0;
    const CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    const CAnalogueInputsSettings* pInputs = GetAnalogueInputsSettings();
    const CSignalAnalyserSettings* pAna = GetSignalAnalyserSettings();
    const CSignalGeneratorSettings* pGen = GetSignalGeneratorSettings();
    SReferenceBlock& r = m_References;
    const double dOldAnaReference = r.dAnaAnalogueReference;
    const double dOldRange = r.dAnalogueInputRange;

    // The range is held as the unit arithmetic and the sample buffers take
    // it: mV RMS of a full-scale sine. (A peak here read every sample as
    // sqrt(2) times its voltage while the data window stayed in samples.)
    if (pBuffer) {
        r.dAnalogueInputRange = pBuffer->GetInputRange();
    } else if (pInputs && (IsJDO() || (pAnalyser && pAnalyser->HasAnalogueInputs()))) {
        r.dAnalogueInputRange = pInputs->GetCurrentRangeInV(iChannel) * 1000.0;
    } else {
        r.dAnalogueInputRange = SReferences::kDefaultAnalogueRangemV;
    }
    if (pGen) {
        r.dGenAnalogueReference = pGen->GetPropertyAsDouble(PROP_GEN_ANALOGUE_REF, UNIT_VP) * 1000.0;
        r.dGenDigitalReference =
            pGen->GetPropertyAsDouble(iChannel == 1 ? PROP_GEN_DIGITAL_REF_CHB : PROP_GEN_DIGITAL_REF_CHA, UNIT_HEX);
        r.dGenImpedance = pGen->GetPropertyAsDouble(PROP_GEN_IMPEDANCE, UNIT_IMPEDANCE_R);
        r.dGenZerodBSPL = pGen->GetZerodBSPLmVValue();
    }
    if (pAna) {
        r.dAnaAnalogueReference = pAna->GetPropertyAsDouble(PROP_SA_ANALOGUE_REF, UNIT_VP) * 1000.0;
        r.dAnaDigitalReference =
            pAna->GetPropertyAsDouble(iChannel == 1 ? PROP_SA_DIGITAL_REF_CHB : PROP_SA_DIGITAL_REF_CHA, UNIT_HEX);
        r.dAnaImpedance = pAna->GetPropertyAsDouble(PROP_SA_IMPEDANCE, UNIT_IMPEDANCE_R);
        r.dAnaZerodBSPL = pAna->GetZerodBSPLmVValue();
        if (!IsJDO()) m_dAnaVsGenFactor = pAna->GetAnaVsGenFactor(iChannel);
    }
    // The window shown stays what it reads when the references under it change.
    const bool bMoved = r.dAnaAnalogueReference != dOldAnaReference || r.dAnalogueInputRange != dOldRange;
    if (!bDefault && IsInUse() && bMoved) ReexpressYDataWindow(*this, GetYUnit());
}

// ---- After the size or the rate changed -------------------------------------------------

int CQXTrace::ManageDataSizeChange()
{
    CGraphDoc* pDoc = GetGraphDoc();
    bool bZoomCopied = false;
    if (m_bZoomFromOtherChannel && pDoc) {
        const ChannelNumber eOther = m_eChannel == CHANNEL_A ? CHANNEL_B : CHANNEL_A;
        CQXTrace* pOther = pDoc->GetTraceFromArray(eOther, GetTraceType(), GetTraceCreateExtraInfo(), IsLive());
        if (pOther && pOther != this && pOther->GetDataSize() == GetDataSize()) {
            SetCurrentMinXPos(pOther->GetCurrentMinXPos());
            SetCurrentMaxXPos(pOther->GetCurrentMaxXPos());
            SetCurrentMinXScaleValue(pOther->GetCurrentMinXScaleValue());
            SetCurrentMaxXScaleValue(pOther->GetCurrentMaxXScaleValue());
            CalcXTicks();
            bZoomCopied = true;
        }
    }
    m_bZoomFromOtherChannel = false;

    if (!bZoomCopied) {
        const int iUnit = GetXUnit();
        const double dMin = GetXValueAtPos(GetMinXPos(), iUnit);
        const double dMax = GetXValueAtPos(GetMaxXPos(), iUnit);
        if (dMin != GetMinXScaleValue() || dMax != GetMaxXScaleValue()) {
            SetXValueRange(dMin, dMax, 0);
            if (m_pComputeTrace) m_pComputeTrace->SetXValueRange(dMin, dMax, 0);
            if (pDoc) pDoc->RecalcMaxAllowedXScaleValue();
        }
    }

    const TraceType eType = GetTraceType();
    for (CQXTrace* pLimit : {m_pMinLimitLine, m_pMaxLimitLine}) {
        if (!HasTraceData(pLimit)) continue;
        const bool bTime = IsTimeLimitKind(eType);
        if (!bTime && !IsFFTLimitKind(eType)) {
            QXDebugLog(1, "CQXTrace::ManageDataSizeChange", "LIMITLINE: no resizing for trace type %d",
                       static_cast<int>(eType));
            return 0;
        }
        const CFFTParametersSettings* pFFT = GetFFTParametersSettings();
        const int iLength = pFFT ? pFFT->GetFFTLength() : GetDataSize();
        const int iNewSize = bTime ? iLength : iLength / 2 + 1;
        const int iOldSize = pLimit->GetDataSize();
        if (iNewSize != iOldSize) {
            const std::vector<double> adValues =
                ResizeLimitValues(pLimit->GetYDataBuffer(0), iOldSize, iNewSize, !bTime);
            if (!pLimit->SetBuffer(iNewSize)) return 0;
            if (double* pdY = pLimit->GetYDataBuffer(0)) std::copy(adValues.begin(), adValues.end(), pdY);
        }
        if (bTime) LimitFollowsTraceX(*this, *pLimit);
        pLimit->RecalcTrace();
        UpdateViewsOf(pLimit, UPDATE_TRACE_REDRAW);
    }
    UpdateViewsOf(this, UPDATE_TRACE_NUMPOINTS);
    return 1;
}

void CQXTrace::ManageSampleRateChange()
{
    if (!HasTraceData(this) || RateForComparison(m_dSampleRate) <= 0.0) return;
    const int iUnit = GetXUnit();
    const double dMin = GetXValueAtPos(GetMinXPos(), iUnit);
    const double dMax = GetXValueAtPos(GetMaxXPos(), iUnit);
    if (dMin != DBL_MAX && dMax != DBL_MAX && (dMin != GetMinXScaleValue() || dMax != GetMaxXScaleValue())) {
        SetXValueRange(dMin, dMax, 1);
        if (m_pComputeTrace) m_pComputeTrace->SetXValueRange(dMin, dMax, 1);
        if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->RecalcMaxAllowedXScaleValue();
    }
    for (CQXTrace* pLimit : {m_pMaxLimitLine, m_pMinLimitLine}) {
        if (!HasTraceData(pLimit)) continue;
        LimitFollowsTraceX(*this, *pLimit);
        UpdateViewsOf(pLimit, UPDATE_TRACE_REDRAW);
    }
}
