// The plain tables of the trace kinds.

#include "trace/types/TraceKindTables.h"

#include "host/app/DebugLog.h"
#include "host/settings/SettingsIds.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"

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

bool IsSweepAmplitudeResult(int iResultID)
{
    switch (iResultID) {
    case RES_CHA_RMSAMPL:
    case RES_CHB_RMSAMPL: return true;
    default: return IsSweepDetectorResult(iResultID);
    }
}

bool IsSweepDetectorResult(int iResultID)
{
    switch (iResultID) {
    case RES_CTDET_CHA:
    case RES_CTDET_CHB:
    case RES_FFTDET_CHA:
    case RES_FFTDET_CHB: return true;
    default: return false;
    }
}

bool IsSweepFrequencyResult(int iResultID)
{
    switch (iResultID) {
    case RES_AI_SAMPLERATE:
    case RES_CHA_FREQ:
    case RES_CHB_FREQ:
    case RES_DI_FRAMERATE_ACTUAL:
    case RES_DO_SOURCEFS:
    case RES_DO_ACTUALSOURCEFS:
    case RES_AO_SAMPLERATE: return true;
    default: return false;
    }
}

EUnit GetSweepStorageUnit(int iResultID, EUnit eUnit, int iRelativity)
{
    if (IsSweepFrequencyResult(iResultID)) return UNIT_FREQ_HZ;
    if (IsSweepDetectorResult(iResultID)) return iRelativity != 0 ? UNIT_RELATIVE_DB : UNIT_HEX;
    switch (iResultID) {
    case RES_DI_FRAMERATE_DEVIATION:
    case RES_DO_SOURCEFSDEVIATION: return UNIT_PPM;
    case RES_DIC_CARRIERAMPL: return UNIT_V;
    case RES_DIC_JITTER: return UNIT_JITTER_NSPP;
    case RES_DI_CARRIERPHASE: return UNIT_PHASE_UI;
    case RES_CHA_RMSAMPL:
    case RES_CHB_RMSAMPL: return UNIT_HEX;
    case RES_PHASE:
    case RES_DELAY: return eUnit;
    case UNUSED_RESULT: return UNIT_NULL;
    default:
        QXDebugLog(1, "GetSweepStorageUnit", "SCALE: no storage unit for result %d", iResultID);
        return UNIT_NULL;
    }
}

EUnit GetSweepSourceStorageUnit(int iTrigger, int iXAxisUnit)
{
    switch (iTrigger) {
    case TRIGGER_GENFREQ_CHA:
    case TRIGGER_GENFREQ_CHB:
    case TRIGGER_GENFREQ_BOTH:
    case TRIGGER_JITTERFREQ:
    case TRIGGER_CTDET_BPBRFREQ:
    case TRIGGER_FFTDET_BPBRFREQ:
    case TRIGGER_SENSEFREQ_CHA:
    case TRIGGER_SENSEFREQ_CHB: return UNIT_FREQ_HZ;
    case TRIGGER_GENAMPL_CHA:
    case TRIGGER_GENAMPL_CHB:
    case TRIGGER_GENAMPL_BOTH:
    case TRIGGER_DCOFFSET:
    case TRIGGER_SENSEAMPL_CHA:
    case TRIGGER_SENSEAMPL_CHB: return UNIT_HEX;
    case TRIGGER_JITTERAMPL: return UNIT_JITTER_NSPP;
    case TRIGGER_TIME: return UNIT_SECONDS;
    case TRIGGER_DATATABLE:
        QXASSERT(iTrigger != TRIGGER_DATATABLE);
        return static_cast<EUnit>(iXAxisUnit);
    case TRIGGER_MANUAL:
    case TRIGGER_CHANNELARRAY: return UNIT_NULL;
    default:
        QXDebugLog(1, "GetSweepSourceStorageUnit", "SCALE: no storage unit for trigger %d", iTrigger);
        return UNIT_NULL;
    }
}

EUnit GetDefaultUnitForResultID(int iResultID, int iMode, bool bRelative)
{
    if (IsSweepFrequencyResult(iResultID)) return UNIT_FREQ_HZ;
    if (IsSweepAmplitudeResult(iResultID)) {
        if (iMode == 3 || iMode == 4) return UNIT_JITTER_NS;
        if (bRelative) return UNIT_RELATIVE_DB;
        switch (iMode) {
        case 1: return GetDefaultDigitalUnit(RESULTKIND_AMPLITUDE);
        case 2: return GetDefaultAnalogueUnit(RESULTKIND_AMPLITUDE);
        default:
            QXASSERT(iMode == 5); // IsSoundcard()
            return GetDefaultSoundcardUnit(RESULTKIND_AMPLITUDE);
        }
    }
    switch (iResultID) {
    case RES_DI_FRAMERATE_DEVIATION:
    case RES_DO_SOURCEFSDEVIATION: return UNIT_PPM;
    case RES_DIC_CARRIERAMPL: return UNIT_V;
    case RES_DIC_JITTER: return UNIT_JITTER_NS;
    case RES_DI_CARRIERPHASE: return UNIT_PHASE_SAMPLES;
    case RES_PHASE: return UNIT_PHASE_DEGREES;
    case RES_DELAY: return UNIT_PHASE_US;
    default:
        QXDebugLog(1, "GetDefaultUnitForResultID", "SCALE: no default unit for result %d", iResultID);
        return UNIT_NULL;
    }
}

ScaleType GetSweepSourceScaleType(int iTrigger)
{
    switch (iTrigger) {
    case TRIGGER_GENFREQ_CHA:
    case TRIGGER_GENFREQ_CHB:
    case TRIGGER_GENFREQ_BOTH:
    case TRIGGER_JITTERFREQ:
    case TRIGGER_CTDET_BPBRFREQ:
    case TRIGGER_FFTDET_BPBRFREQ:
    case TRIGGER_SENSEFREQ_CHA:
    case TRIGGER_SENSEFREQ_CHB: return ST_SWEEP_FREQ;
    case TRIGGER_GENAMPL_CHA:
    case TRIGGER_GENAMPL_CHB:
    case TRIGGER_GENAMPL_BOTH:
    case TRIGGER_SENSEAMPL_CHA:
    case TRIGGER_SENSEAMPL_CHB: return ST_SWEEP_AMPL;
    case TRIGGER_DCOFFSET: return ST_SWEEP_DCOFFSET;
    case TRIGGER_JITTERAMPL: return ST_SWEEP_JITTER;
    case TRIGGER_TIME: return ST_SWEEP_TIME;
    case TRIGGER_MANUAL: return ST_SWEEP_MANUAL;
    case TRIGGER_CHANNELARRAY: return ST_SWEEP_CHANNEL;
    default:
        QXDebugLog(1, "GetSweepSourceScaleType", "SCALE: no scale type for trigger %d", iTrigger);
        return ST_SWEEP_FREQ;
    }
}

ScaleType GetSweepResultScaleType(int iResultID, bool bRelative, bool bJitterMode)
{
    if (IsSweepFrequencyResult(iResultID)) return ST_SWEEP_FREQ;
    if (IsSweepAmplitudeResult(iResultID)) {
        if (bRelative) return ST_SWEEP_RELATIVEAMPL;
        return bJitterMode ? ST_SWEEP_JITTER : ST_SWEEP_AMPL;
    }
    switch (iResultID) {
    case RES_DI_FRAMERATE_DEVIATION:
    case RES_DO_SOURCEFSDEVIATION: return ST_SWEEP_DEVIATION;
    case RES_DIC_CARRIERAMPL: return ST_SWEEP_CARRIERAMPL;
    case RES_DIC_JITTER: return ST_SWEEP_JITTER;
    case RES_DI_CARRIERPHASE: return ST_SWEEP_CARRIERPHASE;
    case RES_PHASE: return ST_SWEEP_PHASE;
    case RES_DELAY: return ST_SWEEP_DELAY;
    default:
        QXDebugLog(1, "GetSweepResultScaleType", "SCALE: no scale type for result %d", iResultID);
        return ST_SWEEP_FREQ;
    }
}

int GetCtrlIDForSweepSource(int iTrigger)
{
    switch (iTrigger) {
    case TRIGGER_GENFREQ_CHA:
    case TRIGGER_GENFREQ_BOTH: return PROP_GEN_FREQ_CHA;
    case TRIGGER_GENFREQ_CHB: return PROP_GEN_FREQ_CHB;
    case TRIGGER_GENAMPL_CHA:
    case TRIGGER_GENAMPL_BOTH: return PROP_GEN_AMPL_CHA;
    case TRIGGER_GENAMPL_CHB: return PROP_GEN_AMPL_CHB;
    case TRIGGER_DCOFFSET: return PROP_GEN_DC_OFFSET;
    case TRIGGER_JITTERFREQ: return PROP_GEN_JITTER_FREQ;
    case TRIGGER_JITTERAMPL: return PROP_GEN_JITTER_AMPL;
    case TRIGGER_CTDET_BPBRFREQ: return PROP_CT_BPBR_FREQ;
    case TRIGGER_FFTDET_BPBRFREQ: return PROP_FFTD_BPBR_FREQ;
    case TRIGGER_SENSEFREQ_CHA: return RES_CHA_FREQ;
    case TRIGGER_SENSEFREQ_CHB: return RES_CHB_FREQ;
    case TRIGGER_SENSEAMPL_CHA: return RES_CHA_RMSAMPL;
    case TRIGGER_SENSEAMPL_CHB: return RES_CHB_RMSAMPL;
    default: return 0;
    }
}
