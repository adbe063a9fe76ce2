// CSweepTrace: axes, units, references, ranges, default windows and the
// upgrade of loaded sweeps. Points arrive in SweepPoints.cpp; mapping and
// plot are in SweepPlot.cpp.

#include "trace/types/SweepTrace.h"

#include "host/app/DebugLog.h"
#include "host/app/PathResolver.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SettingsBase.h"
#include "host/units/DblUnitProperty.h"
#include "host/units/UnitSet.h"
#include "host/units/Unit.h"
#include "host/units/UnitSets.h"
#include "resources/StringTable.h"
#include "trace/core/ResultTable.h"
#include "trace/core/ZoomMath.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <atomic>
#include <cmath>

IMPLEMENT_DYNCREATE(CSweepTrace, CQXTrace)

namespace {

bool IsSweepType(TraceType eType) { return eType >= TT_SWEEP1 && eType <= TT_SWEEP4; }

// Each inconsistency of the X-axis description is logged once per run.
bool FirstTime(std::atomic<bool>& flag) { return !flag.exchange(true); }

} // namespace

CSweepTrace::CSweepTrace() { m_eTraceType = TT_SWEEP1; }

CSweepTrace::CSweepTrace(ChannelNumber eChannel, int iDataSize, TraceType eTraceType, int /*iCopy*/, int /*iBare*/)
    : CQXTrace(eChannel, iDataSize, 0)
{
    InitialiseTrace(iDataSize, eTraceType);
}

CSweepTrace::CSweepTrace(int iDataSize, TraceType eTraceType, int /*iCopy*/, int /*iBare*/)
{
    InitialiseTrace(iDataSize, eTraceType);
}

CSweepTrace::~CSweepTrace() = default;

void CSweepTrace::InitialiseTrace(int iDataSize, TraceType eTraceType)
{
    QXASSERT((eTraceType == TT_SWEEP1) || (eTraceType == TT_SWEEP2) || (eTraceType == TT_SWEEP3) ||
             (eTraceType == TT_SWEEP4));
    m_eTraceType = IsSweepType(eTraceType) ? eTraceType : TT_SWEEP1;
    ResetXAxis();
    m_iResultID = UNUSED_RESULT;
    CQXTrace::InitialiseTrace(iDataSize);
    // Nothing is measured yet.
    if (m_pXData) std::fill(m_pXData.get(), m_pXData.get() + m_iDataSize, DBL_MAX);
    if (m_pYData) std::fill(m_pYData.get(), m_pYData.get() + m_iDataSize, DBL_MAX);
    m_iNextPoint = 0;
    m_sResponseName.Empty();
    m_bReverseSweep = 0;
}

void CSweepTrace::ResetXAxis()
{
    m_iXAxisSourceType = -1;
    m_iXAxisResultID = UNUSED_RESULT;
    m_iXAxisDetectorID = 0;
    m_iXAxisRelativity = 0;
    m_iXAxisUnit = -1;
    m_dXAxisMinValue = -DBL_MAX;
    m_dXAxisMaxValue = DBL_MAX;
    m_refsXAxis.SetNull();
    m_refsYAxis.SetNull();
    m_bReferencesStale = true;
}

CQXTrace* CSweepTrace::CopyFrom(CQXTrace* pFrom)
{
    if (!pFrom || !pFrom->IsKindOf(RUNTIME_CLASS(CSweepTrace))) {
        QXReportAssert("pCopyFrom->IsKindOf((CSweepTrace::GetThisClass()))", __FILE__,
                       static_cast<unsigned>(__LINE__));
        return this;
    }
    CopyStdTraceDetails(pFrom);
    const auto& from = *static_cast<CSweepTrace*>(pFrom);
    m_bReverseSweep = from.m_bReverseSweep;
    m_sResponseName = from.m_sResponseName;
    m_iXAxisSourceType = from.m_iXAxisSourceType;
    m_iXAxisResultID = from.m_iXAxisResultID;
    m_iXAxisDetectorID = from.m_iXAxisDetectorID;
    m_iXAxisRelativity = from.m_iXAxisRelativity;
    m_iXAxisUnit = from.m_iXAxisUnit;
    m_dXAxisMinValue = from.m_dXAxisMinValue;
    m_dXAxisMaxValue = from.m_dXAxisMaxValue;
    m_refsXAxis = from.m_refsXAxis;
    m_refsYAxis = from.m_refsYAxis;
    m_iNextPoint = from.m_iNextPoint;
    m_bReferencesStale = from.m_bReferencesStale;
    m_iResultID = from.m_iResultID;
    m_iFFTDetectorID = from.m_iFFTDetectorID;
    return this;
}

// ---- The X-axis description ------------------------------------------------------------

void CSweepTrace::StoreXAxisLimits(double dStart, double dStop)
{
    m_dXAxisMinValue = std::min(dStart, dStop);
    m_dXAxisMaxValue = std::max(dStart, dStop);
    m_refsXAxis.SetNull();
}

void CSweepTrace::SetXAxisSourceDetails(int iSourceType, int iUnit, double dStart, double dStop)
{
    QXASSERT(iSourceType != 16);
    m_iXAxisSourceType = iSourceType;
    m_iXAxisUnit = iUnit;
    m_iXAxisResultID = UNUSED_RESULT;
    m_iXAxisDetectorID = -1;
    m_iXAxisRelativity = -1;
    StoreXAxisLimits(dStart, dStop);
}

void CSweepTrace::SetXAxisResultDetails(int iResultID, int iDetectorID, int iRelativity, int iUnit, double dStart,
                                        double dStop)
{
    QXASSERT(iResultID != 0xffff);
    m_iXAxisResultID = iResultID;
    m_iXAxisDetectorID = iDetectorID;
    m_iXAxisRelativity = iRelativity;
    m_iXAxisUnit = iUnit;
    m_iXAxisSourceType = -1;
    StoreXAxisLimits(dStart, dStop);
}

int CSweepTrace::IsXAxisSource()
{
    if (m_iXAxisSourceType == -1) return 0;
    static std::atomic<bool> s_bLogged{false};
    if (m_iXAxisResultID != UNUSED_RESULT && FirstTime(s_bLogged))
        QXDebugLog(1, "CSweepTrace::IsXAxisSource",
                   "SCALE: Was ASSERT! (m_iXAxisResultID:%d=%s == UNUSED_RESULT:%d) FAILED! - %s %s <#%u>",
                   m_iXAxisResultID, GetResultIDName(m_iXAxisResultID), static_cast<int>(UNUSED_RESULT),
                   "CSweepTrace::IsXAxisSource", __FILE__, static_cast<unsigned>(__LINE__));
    return 1;
}

int CSweepTrace::IsXAxisResult()
{
    if (m_iXAxisResultID == UNUSED_RESULT) return 0;
    static std::atomic<bool> s_bLogged{false};
    if (m_iXAxisSourceType != -1 && FirstTime(s_bLogged))
        QXDebugLog(1, "CSweepTrace::IsXAxisResult",
                   "SCALE: Was ASSERT! (m_iXAxisSourceType=%d=%s == -1) FAILED! - %s %s m_iXAxisResultID:%d=%s <#%u>",
                   m_iXAxisSourceType, "TRIGGER", "CSweepTrace::IsXAxisResult", __FILE__, m_iXAxisResultID,
                   GetResultIDName(m_iXAxisResultID), static_cast<unsigned>(__LINE__));
    return 1;
}

int CSweepTrace::IsSenseSweep()
{
    return IsXAxisSource() && m_iXAxisSourceType >= TRIGGER_SENSEFREQ_CHA &&
           m_iXAxisSourceType <= TRIGGER_SENSEAMPL_CHB;
}

int CSweepTrace::GetActualResultID() { return ::GetActualResultID(m_iResultID); }

// ---- Result, relativity and name ----------------------------------------------------------

void CSweepTrace::UpdateRelativityAndResponse()
{
    const int iActual = GetActualResultID();
    if (iActual == RES_CTDET_CHA || iActual == RES_CTDET_CHB) {
        const CCTDetectorSettings* pCT = GetCTDetectorSettingsData();
        m_iRelativity = pCT ? pCT->GetRelativity() : 0;
        m_iResponse = pCT ? pCT->GetResponse() : 0;
        m_sResponseName = pCT ? pCT->GetPropertyAsString(PROP_CT_RESPONSE_NAME) : CString();
    } else if (iActual == RES_FFTDET_CHA || iActual == RES_FFTDET_CHB) {
        QXASSERT(m_iFFTDetectorID != 0);
        if (const CFFTDetectorSettings* pFFT = GetFFTDetectorFromID(m_iFFTDetectorID)) {
            m_iRelativity = pFFT->GetRelativity();
            m_iResponse = 0;
            m_sResponseName = pFFT->GetPropertyAsBool(PROP_FFTD_USE_WEIGHTING_FILE)
                                  ? ExtractFileNameFromPath(pFFT->GetPropertyAsString(PROP_FFTD_WEIGHTING_NAME), 1)
                                  : pFFT->GetPropertyAsString(PROP_FFTD_RESPONSE_NAME);
        }
    } else {
        m_iRelativity = 0;
        m_iResponse = 1;
        m_sResponseName.Empty();
    }
    UpdateRelativityOtherValue();
}

bool CSweepTrace::UpdateTraceVariables(bool bLoading, bool bKeepRate, CSampleBuffer* pBuffer)
{
    UpdateReferences();
    const bool bResult = CQXTrace::UpdateTraceVariables(bLoading, bKeepRate, pBuffer);
    m_bReferencesStale = false;
    return bResult;
}

CString CSweepTrace::GetSweepResultString()
{
    const SResultRow* pRow = FindResultRow(m_iResultID);
    if (!pRow || pRow->iNameString == 0) return CString();
    CString sText;
    switch (pRow->eNameArgs) {
    case EResultNameArgs::None: return LoadResString(pRow->iNameString);
    case EResultNameArgs::Response: sText.Format(LoadResString(pRow->iNameString), m_sResponseName.GetString()); break;
    case EResultNameArgs::DetectorAndResponse:
        sText.Format(LoadResString(pRow->iNameString), m_iFFTDetectorID, m_sResponseName.GetString());
        break;
    }
    return sText;
}

// ---- Ranges and default windows ---------------------------------------------------------------

double CSweepTrace::GetMinYValue(EUnit eUnit) { return LookUpYLimit(GetSweepYLimits, eUnit, false); }
double CSweepTrace::GetMaxYValue(EUnit eUnit) { return LookUpYLimit(GetSweepYLimits, eUnit, true); }

int CSweepTrace::HasNegativeYData()
{
    const int iActual = GetActualResultID();
    const bool bRelative = IsRelative();
    // The sign is read from the result and the relativity, the data from the
    // storage unit: the two must agree (a detector amplitude of a relative
    // trace is stored in dB, of an absolute one as a sample value).
    const EUnit eStorage = GetStorageUnit(Y_AXIS);
    if (IsSweepDetectorResult(iActual)) {
        if (bRelative) QXASSERT(eStorage == UNIT_RELATIVE_DB);
        else QXASSERT(eStorage == UNIT_HEX);
    } else if (iActual == RES_PHASE || iActual == RES_DELAY) {
        QXASSERT(eStorage == static_cast<EUnit>(GetYUnit()));
    }
    return IsSweepResultSigned(iActual, bRelative, IsJitterMode()) ? 1 : 0;
}

void CSweepTrace::CalcDefaultXScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    const int iXUnit = GetXUnit();
    if (iXUnit != m_iXAxisUnit)
        QXDebugLog(1, "CSweepTrace::CalcDefaultXScaleValues",
                   "SCALE: Was ASSERT! (GetXUnit():%d=%s == m_iXAxisUnit:%d=%s) FAILED! - %s %s <#%u>", iXUnit,
                   GetUnitDiagName(iXUnit), m_iXAxisUnit, GetUnitDiagName(m_iXAxisUnit),
                   "CSweepTrace::CalcDefaultXScaleValues", __FILE__, static_cast<unsigned>(__LINE__));
    *pdMin = m_dXAxisMinValue;
    *pdMax = m_dXAxisMaxValue;
}

void CSweepTrace::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    GetDefaultRangeForResultID(m_iResultID, m_iFFTDetectorID, GetYUnit(), IsJitterMode(), pdMin, pdMax);
}

void CSweepTrace::SetXDefaultZoomValues() { SetXWindowFromDefaultValues(*this); }

void CSweepTrace::SetYDefaultZoomValues()
{
    if (m_iResultID == UNUSED_RESULT) return;
    const int iActual = GetActualResultID();
    const EUnit eStorage = GetSweepStorageUnit(iActual, static_cast<EUnit>(GetYUnit()), GetRelativity());
    double dMinData = 0.0;
    double dMaxData = 0.0;
    GetDefaultRangeForResultID(iActual, m_iFFTDetectorID, eStorage, IsJitterMode(), &dMinData, &dMaxData);
    m_dCurrentMinYData = dMinData;
    m_dCurrentMaxYData = dMaxData;
    m_dCurrentMinYScaleValue = GetYValueForData(dMinData, GetYUnit(), 0, 1);
    m_dCurrentMaxYScaleValue = GetYValueForData(dMaxData, GetYUnit(), 0, 1);
}

// ---- Units ---------------------------------------------------------------------------------------

EUnit CSweepTrace::GetDefaultXUnit()
{
    if (m_iXAxisUnit != -1) return static_cast<EUnit>(m_iXAxisUnit);
    if (m_iXAxisResultID != UNUSED_RESULT)
        return GetDefaultUnitForResultID(m_iXAxisResultID, m_eMode, m_iXAxisRelativity > 0);
    if (m_iXAxisSourceType != -1) {
        const int iCtrl = GetCtrlIDForSweepSource(m_iXAxisSourceType);
        const CSettingsBase* pSettings = iCtrl ? GetSettingsForID(iCtrl, 0) : nullptr;
        return pSettings ? pSettings->GetPropertyDisplayUnit(iCtrl) : UNIT_NULL;
    }
    return UNIT_NULL;
}

EUnit CSweepTrace::GetDefaultYUnit(EMode eMode, int /*bRelative*/)
{
    const int iActual = GetActualResultID();
    if (iActual == UNUSED_RESULT) return UNIT_INVALID;
    return GetDefaultUnitForResultID(iActual, eMode == eModeNull ? m_eMode : eMode, IsRelative());
}

EUnit CSweepTrace::GetStorageUnit(AxisType eAxis)
{
    if (eAxis == Y_AXIS)
        return GetSweepStorageUnit(GetActualResultID(), static_cast<EUnit>(GetYUnit()), GetRelativity());
    if (m_iXAxisResultID != UNUSED_RESULT)
        return GetSweepStorageUnit(m_iXAxisResultID, static_cast<EUnit>(m_iXAxisUnit), m_iXAxisRelativity);
    if (m_iXAxisSourceType != -1) return GetSweepSourceStorageUnit(m_iXAxisSourceType, m_iXAxisUnit);
    static std::atomic<bool> s_bLogged{false};
    if (FirstTime(s_bLogged))
        QXDebugLog(1, "CSweepTrace::GetStorageUnit",
                   "%s Invalid XAxis state! - m_iXAxisSourceType=%d m_iXAxisResultID=%d <#%u>",
                   "CSweepTrace::GetStorageUnit", m_iXAxisSourceType, m_iXAxisResultID,
                   static_cast<unsigned>(__LINE__));
    return UNIT_NULL;
}

int CSweepTrace::GetPropertyID(AxisType eAxis)
{
    if (eAxis == Y_AXIS) return GetActualResultID();
    if (m_iXAxisResultID != UNUSED_RESULT) return m_iXAxisResultID;
    return GetCtrlIDForSweepSource(m_iXAxisSourceType);
}

const CSettingsBase* CSweepTrace::GetAxisSettings(AxisType eAxis, int* piID)
{
    *piID = GetPropertyID(eAxis);
    if (*piID == 0 || *piID == UNUSED_RESULT) return nullptr;
    const CSettingsBase* pSettings = GetSettingsForID(*piID, GetAxisDetector(eAxis));
    return pSettings && pSettings->HasProperty(*piID) ? pSettings : nullptr;
}

std::unique_ptr<CDblUnitProperty> CSweepTrace::GetProperty(AxisType eAxis)
{
    int iID = 0;
    const CSettingsBase* pSettings = GetAxisSettings(eAxis, &iID);
    if (iID == 0 || iID == UNUSED_RESULT) {
        QXDebugLog(1, "CSweepTrace::GetProperty", "SCALE: %s nID == 0", "CSweepTrace::GetProperty");
        return nullptr;
    }
    if (!pSettings || pSettings->GetPropertyKind(iID) != ESettingKind::eDouble) {
        QXDebugLog(1, "CSweepTrace::GetProperty", "SCALE: %s %s GetSettingsForID(nID=%d, GetFFTDetectorID()=%d) Returned NULL!",
                   "CSweepTrace::GetProperty", GetResultIDName(iID), iID, GetAxisDetector(eAxis));
        return nullptr;
    }
    return pSettings->MakeUnitProperty(iID);
}

const CUnitSet* CSweepTrace::UnitSetForID(int iID, int iDetector, int iRelativity, int bJitter)
{
    const CSettingsBase* pSettings = (iID != 0 && iID != UNUSED_RESULT) ? GetSettingsForID(iID, iDetector) : nullptr;
    if (!pSettings) return nullptr;
    const int iSet = pSettings->DoGetUnitSet(iID, GetDomain(), bJitter, iRelativity);
    return iSet > 0 ? ::GetUnitSet(iSet) : nullptr;
}

const CUnitSet* CSweepTrace::GetUnitSet(int iAxis)
{
    if (iAxis == 2) return UnitSetForID(GetPropertyID(Y_AXIS), m_iFFTDetectorID, GetRelativity(), IsJitterMode());
    if (iAxis == 1) return UnitSetForID(GetPropertyID(X_AXIS), m_iXAxisDetectorID, m_iXAxisRelativity, 0);
    QXASSERT((iAxis == 1) || (iAxis == 2));
    return nullptr;
}

void CSweepTrace::UpdateReferences()
{
    for (AxisType eAxis : {X_AXIS, Y_AXIS}) {
        SReferences& refs = eAxis == X_AXIS ? m_refsXAxis : m_refsYAxis;
        int iID = 0;
        if (const CSettingsBase* pSettings = GetAxisSettings(eAxis, &iID)) refs = pSettings->GetPropertyReferences(iID);
        else refs.SetNull();
    }
    m_bReferencesStale = false;
}

int CSweepTrace::GetReferences(int iAxis, int /*bDefault*/, SReferences* pReferences)
{
    if (!pReferences || (iAxis != 1 && iAxis != 2)) {
        QXASSERT(pReferences && ((iAxis == 1) || (iAxis == 2)));
        return 0;
    }
    SReferences& refs = iAxis == 1 ? m_refsXAxis : m_refsYAxis;
    if (refs.GetType() == SReferences::REFS_NULL) UpdateReferences();
    *pReferences = refs;
    pReferences->SetUnlocked(IsUnlocked());
    return 1;
}

void CSweepTrace::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    const int iAxisUnit = ResolveAxisUnit(*this, eAxis, iUnit);
    const bool bDb = IsdBUnit(iAxisUnit);
    bool bLog = false;
    if (eAxis == Y_AXIS) {
        const int iActual = GetActualResultID();
        if (iActual == UNUSED_RESULT) bLog = false;
        else if (IsRelative()) bLog = !bDb;
        else bLog = IsSweepResultLogAllowed(iActual, iAxisUnit);
    } else if (IsXAxisSource()) {
        bLog = IsSweepSourceLogAllowed(m_iXAxisSourceType, iAxisUnit);
    } else if (IsXAxisResult()) {
        bLog = IsSweepResultLogAllowed(m_iXAxisResultID, iAxisUnit);
    }
    if (pbIsDbUnit) *pbIsDbUnit = bDb ? 1 : 0;
    if (pbLogAllowed) *pbLogAllowed = bLog ? 1 : 0;
}

int CSweepTrace::IsLimitConsistent(int iXUnit, int iYUnit)
{
    return (CheckUnit(iXUnit, X_AXIS) && CheckUnit(iYUnit, Y_AXIS)) ? 1 : 0;
}

ScaleType CSweepTrace::GetDefaultXScaleType()
{
    if (m_iXAxisSourceType != -1) return GetSweepSourceScaleType(m_iXAxisSourceType);
    if (m_iXAxisResultID != UNUSED_RESULT)
        return GetSweepResultScaleType(m_iXAxisResultID, m_iXAxisRelativity > 0, IsJitterMode());
    return ST_SWEEP_FREQ;
}

namespace {

// Jitter is read peak-to-peak now; older files kept the peak units.
bool ToPeakToPeak(int* piUnit)
{
    if (*piUnit == UNIT_JITTER_NS) *piUnit = UNIT_JITTER_NSPP;
    else if (*piUnit == UNIT_JITTER_UI) *piUnit = UNIT_JITTER_UIPP;
    else return false;
    return true;
}

} // namespace

void CSweepTrace::PostSerialize(CArchive& /*ar*/)
{
    bool bReplaced = false;
    if (m_iXAxisSourceType == TRIGGER_TIME && (m_iXAxisUnit == -1 || m_iXAxisUnit == 0)) {
        m_iXAxisUnit = UNIT_MS;
        const int iScaleUnit = GetXUnit();
        if (iScaleUnit == -1 || iScaleUnit == 0) SetXUnit(UNIT_MS);
        bReplaced = true;
    }
    if (m_iResultID == RES_DIC_JITTER)
        for (int* piUnit : {&m_iYDigUnit, &m_iYAnaUnit, &m_iYJDOUnit, &m_iYSoundcardUnit, &m_iYRelativeUnit,
                            &m_iCursorYDigUnit, &m_iCursorYAnaUnit, &m_iCursorYJDOUnit, &m_iCursorYSoundcardUnit,
                            &m_iCursorYRelativeUnit})
            bReplaced = ToPeakToPeak(piUnit) || bReplaced;
    if (m_iXAxisResultID == RES_DIC_JITTER && m_iXAxisSourceType == -1) {
        bReplaced = ToPeakToPeak(&m_iXAxisUnit) || bReplaced;
        int iScaleUnit = GetXUnit();
        if (ToPeakToPeak(&iScaleUnit)) {
            SetXUnit(iScaleUnit);
            bReplaced = true;
        }
    }
    // A range never set takes the sweep's start and stop.
    const bool bOpen = std::fabs(m_dMinXScaleValue) == DBL_MAX && std::fabs(m_dMaxXScaleValue) == DBL_MAX;
    if (bOpen && std::fabs(m_dXAxisMinValue) != DBL_MAX && std::fabs(m_dXAxisMaxValue) != DBL_MAX) {
        QXASSERT(m_iDataSize == 2);
        SetXValueRange(m_dXAxisMinValue, m_dXAxisMaxValue, 1);
    }
    if (bReplaced) UpdateTraceVariables(false, true, nullptr);
}

int CSweepTrace::CheckUnit(int iUnit, AxisType eAxis)
{
    int iID = 0;
    if (const CSettingsBase* pSettings = GetAxisSettings(eAxis, &iID))
        return pSettings->IsPropertyUnitValid(iID, iUnit) ? 1 : 0;
    return iUnit == m_iXAxisUnit ? 1 : 0;
}

void CSweepTrace::SetYUnit(int iUnit)
{
    CQXTrace::SetYUnit(iUnit);
    // Only amplitudes are shown in units that hang on the input; any other
    // result keeps its unit when the input changes.
    if (!IsSweepAmplitudeResult(GetActualResultID()))
        for (int* piField : {&m_iYDigUnit, &m_iYAnaUnit, &m_iYJDOUnit, &m_iYSoundcardUnit}) *piField = iUnit;
    if (IsRelative()) {
        QXASSERT(m_iYRelativeUnit == iUnit);
        return;
    }
    switch (m_eMode) {
    case eModeDigital: QXASSERT(m_iYDigUnit == iUnit); break;
    case eModeAnalogue: QXASSERT(m_iYAnaUnit == iUnit); break;
    case eModeJDOData:
    case eModeJDOfs: QXASSERT(m_iYJDOUnit == iUnit); break;
    case eModeSoundcard: QXASSERT(m_iYSoundcardUnit == iUnit); break;
    default: QXASSERT(m_eMode != eModeNull); break;
    }
}
