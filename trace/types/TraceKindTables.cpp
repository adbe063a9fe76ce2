// The plain tables of the trace kinds.

#include "trace/types/TraceKindTables.h"

#include "host/app/DebugLog.h"
#include "host/settings/SettingsIds.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"
#include "trace/core/ResultTable.h"

#include <initializer_list>

namespace {

// One row of a limits table: the units that share a range.
struct SLimitRow {
    std::initializer_list<EUnit> aUnits;
    double dMin;
    double dMax;
};

bool LookUpLimits(std::initializer_list<SLimitRow> aRows, EUnit eUnit, double* pdMin, double* pdMax)
{
    double dMin = 0.0;
    double dMax = 0.0;
    bool bFound = false;
    for (const SLimitRow& row : aRows) {
        for (EUnit e : row.aUnits) {
            if (e == eUnit) {
                dMin = row.dMin;
                dMax = row.dMax;
                bFound = true;
            }
        }
        if (bFound) break;
    }
    if (pdMin) *pdMin = dMin;
    if (pdMax) *pdMax = dMax;
    return bFound;
}

constexpr double kDefaultAnalogueRelativeRef = 15.4553019;

} // namespace

// ---- Full Y ranges -------------------------------------------------------------------

bool GetSpectrumYLimits(EUnit eUnit, double* pdMin, double* pdMax)
{
    return LookUpLimits(
        {
            {{UNIT_DBSPL, UNIT_DBFS, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_DBR, UNIT_RELATIVE_DB, UNIT_JITTER_DBUI},
             -250.0, 200.0},
            {{UNIT_FS, UNIT_FFS, UNIT_PERCENTREF, UNIT_RELATIVE_PERCENT}, -1000.0, 1000.0},
            {{UNIT_HEX}, -kFullScaleHex, kFullScaleHex},
            {{UNIT_W}, -10000.0, 10000.0},
            {{UNIT_JITTER_UI}, 0.0, 10.0},
            {{UNIT_JITTER_NS}, 0.0, 200.0},
            {{UNIT_V}, -500.0, 500.0},
            {{UNIT_RELATIVE_RATIO, UNIT_RELATIVE_GAIN}, -10.0, 10.0},
        },
        eUnit, pdMin, pdMax);
}

bool GetTimeYLimits(EUnit eUnit, double* pdMin, double* pdMax)
{
    return LookUpLimits(
        {
            {{UNIT_DBSPL, UNIT_DBFS, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_DBR, UNIT_RELATIVE_DB, UNIT_JITTER_DBUI},
             -150.0, 150.0},
            {{UNIT_FS, UNIT_FFS, UNIT_W, UNIT_PERCENTREF, UNIT_RELATIVE_PERCENT}, -1000.0, 1000.0},
            {{UNIT_HEX}, -kFullScaleHex, kFullScaleHex},
            {{UNIT_JITTER_UI, UNIT_RELATIVE_RATIO, UNIT_RELATIVE_GAIN}, -10.0, 10.0},
            {{UNIT_JITTER_NS}, -200.0, 200.0},
            {{UNIT_V}, -500.0, 500.0},
        },
        eUnit, pdMin, pdMax);
}

bool GetSweepYLimits(EUnit eUnit, double* pdMin, double* pdMax)
{
    return LookUpLimits(
        {
            {{UNIT_FREQ_HZ, UNIT_FREQ_OFFSET, UNIT_PHASE_US}, -100000.0, 100000.0},
            {{UNIT_FREQ_RATIO}, 0.0, 1000.0},
            {{UNIT_FS, UNIT_FFS, UNIT_PERCENTREF, UNIT_RELATIVE_PERCENT}, -1000.0, 1000.0},
            {{UNIT_DBSPL, UNIT_DBFS, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_DBR, UNIT_RELATIVE_DB, UNIT_JITTER_NS,
              UNIT_JITTER_NSPP, UNIT_PHASE_PERCENT},
             -200.0, 200.0},
            {{UNIT_HEX}, -kFullScaleHex, kFullScaleHex},
            {{UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_V}, -500.0, 500.0},
            {{UNIT_W}, -10000.0, 10000.0},
            {{UNIT_JITTER_UI, UNIT_JITTER_UIPP, UNIT_PHASE_UI, UNIT_RELATIVE_RATIO, UNIT_RELATIVE_GAIN}, -10.0, 10.0},
            {{UNIT_PHASE_SAMPLES}, -50000.0, 50000.0},
            {{UNIT_PHASE_DEGREES}, -360.0, 360.0},
            {{UNIT_PHASE_RADIANS}, -5.0, 5.0},
            {{UNIT_PPM}, -5000.0, 5000.0},
        },
        eUnit, pdMin, pdMax);
}

// ---- Amplitude Y axes -------------------------------------------------------------------

int GetAmplitudeYUnitSet(bool bRelative, bool bJitterMode, bool bFromImpulseResponse, int iRelativity)
{
    if (!bRelative) return bJitterMode ? 8 : 12;
    return (bFromImpulseResponse && iRelativity == 2) ? 29 : 11;
}

double EffectiveSampleRate(double dSampleRate, bool bUnlocked)
{
    return (bUnlocked || dSampleRate <= 0.0) ? kUnlockedSampleRate : dSampleRate;
}

SReferences MakeAmplitudeYReferences(const SAmplitudeYRefInputs& in)
{
    SReferences refs;
    if (in.bRelative) {
        double dReference = in.dRelativityOther;
        if (in.bDefault) {
            if (in.bJitterMode) dReference = 10.0;
            else if (dReference == 0.0)
                dReference = in.bTimeDomain ? kFullScaleHex
                                            : (in.bAnalogue ? kDefaultAnalogueRelativeRef : kFullScaleSineHex);
        }
        refs.m_iType = SReferences::REFS_RELATIVE_Y;
        refs.m_adValues[0] = dReference;
        refs.m_adValues[1] = in.dAnaVsGenFactor;
        refs.m_aiValues[0] = in.iAnalyserUnit;
        refs.m_aiValues[1] = in.iGeneratorUnit;
    } else if (in.bJitterMode) {
        refs.m_iType = SReferences::REFS_JITTER_Y;
        refs.m_adValues[1] = in.bUnlocked ? kUnlockedSampleRate : in.dJitterSampleRate;
        refs.m_aiValues[0] = in.bDataJitter ? 1 : 0;
    } else {
        refs.m_iType = SReferences::REFS_ABSOLUTE_Y;
        refs.m_adValues[0] = in.dAnalogueRange;
        refs.m_adValues[1] = in.dReference;
        refs.m_adValues[2] = in.dImpedance;
        refs.m_adValues[3] = in.dZerodBSPL;
        refs.m_aiValues[0] = in.iResponse == 0 ? 1 : 0;
        refs.m_aiValues[1] = 0;
    }
    refs.SetUnlocked(in.bUnlocked);
    return refs;
}

// ---- Sweep axes ----------------------------------------------------------------------------

namespace {

// The row of a result a sweep axis can show (nullptr for the
// selected-channel ids and no result, as for an unknown id).
const SResultRow* FindSweepResultRow(int iResultID)
{
    const SResultRow* pRow = FindResultRow(iResultID);
    return pRow && pRow->eKind != ESweepResultKind::None ? pRow : nullptr;
}

// The row of a result, logging a result the table does not know.
const SResultRow* ResultRowOrLog(int iResultID, const char* szWhat)
{
    const SResultRow* pRow = FindSweepResultRow(iResultID);
    if (!pRow) QXDebugLog(1, szWhat, "SCALE: no row for sweep result %d", iResultID);
    return pRow;
}

bool IsAmplitudeKind(const SResultRow* pRow)
{
    return pRow && (pRow->eKind == ESweepResultKind::Amplitude || pRow->eKind == ESweepResultKind::Detector);
}

// One sweep trigger: storage unit, scale kind, the host control behind it and
// whether its axis may be logarithmic (time and manual steps never are).
struct STriggerRow {
    int iTrigger;
    EUnit eStorage;
    ScaleType eScale;
    int iCtrl;
    bool bLog;
};

constexpr STriggerRow kTriggerRows[] = {
    {TRIGGER_GENFREQ_CHA, UNIT_FREQ_HZ, ST_SWEEP_FREQ, PROP_GEN_FREQ_CHA, true},
    {TRIGGER_GENFREQ_CHB, UNIT_FREQ_HZ, ST_SWEEP_FREQ, PROP_GEN_FREQ_CHB, true},
    {TRIGGER_GENFREQ_BOTH, UNIT_FREQ_HZ, ST_SWEEP_FREQ, PROP_GEN_FREQ_CHA, true},
    {TRIGGER_GENAMPL_CHA, UNIT_HEX, ST_SWEEP_AMPL, PROP_GEN_AMPL_CHA, true},
    {TRIGGER_GENAMPL_CHB, UNIT_HEX, ST_SWEEP_AMPL, PROP_GEN_AMPL_CHB, true},
    {TRIGGER_GENAMPL_BOTH, UNIT_HEX, ST_SWEEP_AMPL, PROP_GEN_AMPL_CHA, true},
    {TRIGGER_DCOFFSET, UNIT_HEX, ST_SWEEP_DCOFFSET, PROP_GEN_DC_OFFSET, true},
    {TRIGGER_JITTERFREQ, UNIT_FREQ_HZ, ST_SWEEP_FREQ, PROP_GEN_JITTER_FREQ, true},
    {TRIGGER_JITTERAMPL, UNIT_JITTER_NSPP, ST_SWEEP_JITTER, PROP_GEN_JITTER_AMPL, true},
    {TRIGGER_CTDET_BPBRFREQ, UNIT_FREQ_HZ, ST_SWEEP_FREQ, PROP_CT_BPBR_FREQ, true},
    {TRIGGER_FFTDET_BPBRFREQ, UNIT_FREQ_HZ, ST_SWEEP_FREQ, PROP_FFTD_BPBR_FREQ, true},
    {TRIGGER_SENSEFREQ_CHA, UNIT_FREQ_HZ, ST_SWEEP_FREQ, RES_CHA_FREQ, true},
    {TRIGGER_SENSEFREQ_CHB, UNIT_FREQ_HZ, ST_SWEEP_FREQ, RES_CHB_FREQ, true},
    {TRIGGER_SENSEAMPL_CHA, UNIT_HEX, ST_SWEEP_AMPL, RES_CHA_RMSAMPL, true},
    {TRIGGER_SENSEAMPL_CHB, UNIT_HEX, ST_SWEEP_AMPL, RES_CHB_RMSAMPL, true},
    {TRIGGER_TIME, UNIT_SECONDS, ST_SWEEP_TIME, 0, false},
    {TRIGGER_MANUAL, UNIT_NULL, ST_SWEEP_MANUAL, 0, false},
    {TRIGGER_CHANNELARRAY, UNIT_NULL, ST_SWEEP_CHANNEL, 0, true},
};

const STriggerRow* FindTriggerRow(int iTrigger)
{
    for (const STriggerRow& row : kTriggerRows)
        if (row.iTrigger == iTrigger) return &row;
    return nullptr;
}

} // namespace

bool IsSweepAmplitudeResult(int iResultID) { return IsAmplitudeKind(FindSweepResultRow(iResultID)); }

bool IsSweepDetectorResult(int iResultID)
{
    const SResultRow* pRow = FindSweepResultRow(iResultID);
    return pRow && pRow->eKind == ESweepResultKind::Detector;
}

bool IsSweepFrequencyResult(int iResultID)
{
    const SResultRow* pRow = FindSweepResultRow(iResultID);
    return pRow && pRow->eKind == ESweepResultKind::Frequency;
}

EUnit GetSweepStorageUnit(int iResultID, EUnit eUnit, int iRelativity)
{
    if (iResultID == UNUSED_RESULT) return UNIT_NULL;
    const SResultRow* pRow = ResultRowOrLog(iResultID, "GetSweepStorageUnit");
    if (!pRow) return UNIT_NULL;
    if (pRow->eKind == ESweepResultKind::Detector && iRelativity != 0) return UNIT_RELATIVE_DB;
    return pRow->eStorage == UNIT_INVALID ? eUnit : pRow->eStorage;
}

bool IsSweepResultSigned(int iResultID, bool bRelative, bool bJitterMode)
{
    const SResultRow* pRow = FindSweepResultRow(iResultID);
    if (!pRow) return false;
    if (pRow->eKind == ESweepResultKind::Detector) return bRelative && !bJitterMode;
    return pRow->bSigned;
}

bool IsSweepResultLogAllowed(int iResultID, int iUnit)
{
    const SResultRow* pRow = FindSweepResultRow(iResultID);
    return pRow && !pRow->bSigned && !IsdBUnit(iUnit);
}

bool IsSweepSourceLogAllowed(int iTrigger, int iUnit)
{
    const STriggerRow* pRow = FindTriggerRow(iTrigger);
    return (!pRow || pRow->bLog) && !IsdBUnit(iUnit);
}

EUnit GetSweepSourceStorageUnit(int iTrigger, int iXAxisUnit)
{
    if (iTrigger == TRIGGER_DATATABLE) {
        QXASSERT(iTrigger != TRIGGER_DATATABLE);
        return static_cast<EUnit>(iXAxisUnit);
    }
    if (const STriggerRow* pRow = FindTriggerRow(iTrigger)) return pRow->eStorage;
    QXDebugLog(1, "GetSweepSourceStorageUnit", "SCALE: no storage unit for trigger %d", iTrigger);
    return UNIT_NULL;
}

EUnit GetDefaultUnitForResultID(int iResultID, int iMode, bool bRelative)
{
    const SResultRow* pRow = ResultRowOrLog(iResultID, "GetDefaultUnitForResultID");
    if (!pRow) return UNIT_NULL;
    if (!IsAmplitudeKind(pRow)) return pRow->eDefault;
    if (iMode == 3 || iMode == 4) return UNIT_JITTER_NS;
    if (bRelative) return UNIT_RELATIVE_DB;
    const EUnit eUnit = DefaultYUnitForMode(iMode, EYQuantity::Amplitude);
    QXASSERT(eUnit != UNIT_INVALID);
    return eUnit;
}

EUnit DefaultYUnitForMode(int iMode, EYQuantity eQuantity)
{
    const bool bLevel = eQuantity == EYQuantity::Level;
    switch (iMode) {
    case 1: return bLevel ? UNIT_DBFS : GetDefaultDigitalUnit(RESULTKIND_AMPLITUDE);
    case 5: return bLevel ? UNIT_DBFS : GetDefaultSoundcardUnit(RESULTKIND_AMPLITUDE);
    case 3:
    case 4: return bLevel ? UNIT_JITTER_DBUI : UNIT_JITTER_NS;
    case 2: {
        const EUnit eUnit = GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE);
        // A spectrum of volts or watts is read as a level in dBV.
        return bLevel && (eUnit == UNIT_W || eUnit == UNIT_V) ? UNIT_DBV : eUnit;
    }
    default: return UNIT_INVALID;
    }
}

ScaleType GetSweepSourceScaleType(int iTrigger)
{
    if (const STriggerRow* pRow = FindTriggerRow(iTrigger)) return pRow->eScale;
    QXDebugLog(1, "GetSweepSourceScaleType", "SCALE: no scale type for trigger %d", iTrigger);
    return ST_SWEEP_FREQ;
}

ScaleType GetSweepResultScaleType(int iResultID, bool bRelative, bool bJitterMode)
{
    const SResultRow* pRow = ResultRowOrLog(iResultID, "GetSweepResultScaleType");
    if (!pRow) return ST_SWEEP_FREQ;
    if (!IsAmplitudeKind(pRow)) return pRow->eScale;
    if (bRelative) return ST_SWEEP_RELATIVEAMPL;
    return bJitterMode ? ST_SWEEP_JITTER : ST_SWEEP_AMPL;
}

int GetCtrlIDForSweepSource(int iTrigger)
{
    const STriggerRow* pRow = FindTriggerRow(iTrigger);
    return pRow ? pRow->iCtrl : 0;
}
