#include "host/units/UnitSets.h"

#include "host/app/DebugLog.h"

#include <array>
#include <memory>

CUnitSetAmplitudeAnalyser::CUnitSetAmplitudeAnalyser()
{
    AddUnits(UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_V, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W, UNIT_DBSPL,
             UNIT_DBR, UNIT_PERCENTREF);
}

CUnitSetAmplitudeGenerator::CUnitSetAmplitudeGenerator()
{
    AddUnits(UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM,
             UNIT_W, UNIT_DBSPL, UNIT_DBR, UNIT_PERCENTREF);
}

CUnitSetAmplitudeSignalAnalyser::CUnitSetAmplitudeSignalAnalyser()
{
    AddUnits(UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_V, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W, UNIT_DBSPL, UNIT_DBR,
             UNIT_PERCENTREF);
}

CUnitSetRefAmplitude::CUnitSetRefAmplitude()
{
    AddUnits(UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM,
             UNIT_W, UNIT_DBSPL);
}

CUnitSetSPLRef::CUnitSetSPLRef()
{
    AddUnits(UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM,
             UNIT_W);
}

CUnitSetTriggerThreshold::CUnitSetTriggerThreshold()
{
    AddUnits(UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX, UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM,
             UNIT_W, UNIT_DBSPL, UNIT_DBR, UNIT_PERCENTREF);
}

CUnitSetAnalogueRange::CUnitSetAnalogueRange() { AddUnits(UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU); }

CUnitSetDALineUp::CUnitSetDALineUp()
{
    AddUnits(UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV, UNIT_DBM, UNIT_W);
}

CUnitSetSoundcardLineUp::CUnitSetSoundcardLineUp() { AddUnits(UNIT_VRMS, UNIT_VP, UNIT_VPP, UNIT_DBU, UNIT_DBV); }
CUnitSetDCOffset::CUnitSetDCOffset() { AddUnits(UNIT_DBFS, UNIT_FS, UNIT_FFS, UNIT_HEX); }
CUnitSetAmplitudeRel::CUnitSetAmplitudeRel() { AddUnits(UNIT_RELATIVE_DB, UNIT_RELATIVE_PERCENT, UNIT_RELATIVE_GAIN); }

CUnitSetAmplitudeRelAnaVsGen::CUnitSetAmplitudeRelAnaVsGen()
{
    AddUnits(UNIT_RELATIVE_DB, UNIT_RELATIVE_PERCENT, UNIT_RELATIVE_GAIN, UNIT_RELATIVE_ANAVSGEN);
}

CUnitSetAmplitudeRatio::CUnitSetAmplitudeRatio() { AddUnits(UNIT_RELATIVE_RATIO); }
CUnitSetGain::CUnitSetGain() { AddUnits(UNIT_RELATIVE_GAIN, UNIT_RELATIVE_DB); }
CUnitSetAnaloguePhase::CUnitSetAnaloguePhase() { AddUnits(UNIT_PHASE_DEGREES, UNIT_PHASE_RADIANS, UNIT_PHASE_US); }

CUnitSetDigitalPhase::CUnitSetDigitalPhase()
{
    AddUnits(UNIT_PHASE_DEGREES, UNIT_PHASE_SAMPLES, UNIT_PHASE_RADIANS, UNIT_PHASE_US);
}

CUnitSetCarrierPhase::CUnitSetCarrierPhase() { AddUnits(UNIT_PHASE_UI, UNIT_PHASE_PERCENT, UNIT_PHASE_DEGREES); }
CUnitSetCarrierJitter::CUnitSetCarrierJitter() { AddUnits(UNIT_JITTER_UI, UNIT_JITTER_NS, UNIT_JITTER_DBUI); }
// Peak-to-peak units; see the header.
CUnitSetCarrierJitterPP::CUnitSetCarrierJitterPP() { AddUnits(UNIT_JITTER_UIPP, UNIT_JITTER_NSPP); }
CUnitSetCarrierAmpl::CUnitSetCarrierAmpl() { AddUnits(UNIT_V); }
CUnitSetFrequency::CUnitSetFrequency() { AddUnits(UNIT_FREQ_HZ, UNIT_FREQ_OFFSET, UNIT_FREQ_RATIO); }
CUnitSetFrequencyAbs::CUnitSetFrequencyAbs() { AddUnits(UNIT_FREQ_HZ); }
CUnitSetFrequencyRatio::CUnitSetFrequencyRatio() { AddUnits(UNIT_FREQ_RATIO); }
CUnitSetFFTBins::CUnitSetFFTBins() { AddUnits(UNIT_BINS, UNIT_FREQ_HZ); }
CUnitSetDeviation::CUnitSetDeviation() { AddUnits(UNIT_PPM); }
CUnitSetDutyCycle::CUnitSetDutyCycle() { AddUnits(UNIT_DUTYCYCLE_PERCENT, UNIT_DUTYCYCLE_SAMPLES); }
CUnitSetBurstDuration::CUnitSetBurstDuration() { AddUnits(UNIT_MS, UNIT_NUMPERIODS); }
CUnitSetNumSamples::CUnitSetNumSamples() { AddUnits(UNIT_MS, UNIT_SAMPLES); }
CUnitSetImpedance::CUnitSetImpedance() { AddUnits(UNIT_IMPEDANCE_R); }

namespace {

struct SSetEntry {
    const char* sName;
    std::unique_ptr<const CUnitSet> pSet;
};

template <class Set>
SSetEntry Make(const char* sName)
{
    return {sName, std::make_unique<Set>()};
}

// Indexed by EUnitSetId; built once, immutable afterwards.
const std::array<SSetEntry, UNITSET_LAST + 1>& Sets()
{
    static const std::array<SSetEntry, UNITSET_LAST + 1> aSets = {
        SSetEntry{"UNITSET_NONE", nullptr},
        Make<CUnitSetAmplitudeGenerator>("UNITSET_AMPLITUDE_GENERATOR"),
        Make<CUnitSetAmplitudeSignalAnalyser>("UNITSET_AMPLITUDE_SIGNALANALYSER"),
        Make<CUnitSetRefAmplitude>("UNITSET_REFAMPLITUDE"),
        Make<CUnitSetSPLRef>("UNITSET_SPLREF"),
        Make<CUnitSetTriggerThreshold>("UNITSET_TRIGGERTHRESHOLD"),
        Make<CUnitSetAnalogueRange>("UNITSET_ANALOGUERANGE"),
        Make<CUnitSetDALineUp>("UNITSET_DALINEUP"),
        Make<CUnitSetCarrierJitter>("UNITSET_CARRIERJITTER"),
        Make<CUnitSetCarrierJitterPP>("UNITSET_CARRIERJITTERPP"),
        Make<CUnitSetSoundcardLineUp>("UNITSET_SOUNDCARDLINEUP"),
        Make<CUnitSetAmplitudeRel>("UNITSET_AMPLITUDEREL"),
        Make<CUnitSetAmplitudeAnalyser>("UNITSET_AMPLITUDE_ANALYSER"),
        Make<CUnitSetDCOffset>("UNITSET_DCOFFSET"),
        Make<CUnitSetAmplitudeRelAnaVsGen>("UNITSET_AMPLITUDERELANAVSGEN"),
        Make<CUnitSetAmplitudeRatio>("UNITSET_AMPLITUDERATIO"),
        Make<CUnitSetAnaloguePhase>("UNITSET_ANALOGUEPHASE"),
        Make<CUnitSetDigitalPhase>("UNITSET_DIGITALPHASE"),
        Make<CUnitSetCarrierPhase>("UNITSET_CARRIERPHASE"),
        Make<CUnitSetCarrierAmpl>("UNITSET_CARRIERAMPL"),
        Make<CUnitSetFrequency>("UNITSET_FREQUENCY"),
        Make<CUnitSetNumSamples>("UNITSET_NUMSAMPLES"),
        Make<CUnitSetFFTBins>("UNITSET_FFTBINS"),
        Make<CUnitSetFrequencyAbs>("UNITSET_FREQUENCYABS"),
        Make<CUnitSetFrequencyRatio>("UNITSET_FREQUENCYRATIO"),
        Make<CUnitSetDeviation>("UNITSET_DEVIATION"),
        Make<CUnitSetDutyCycle>("UNITSET_DUTYCYCLE"),
        Make<CUnitSetBurstDuration>("UNITSET_BURSTDURATION"),
        Make<CUnitSetImpedance>("UNITSET_IMPEDANCE"),
        Make<CUnitSetGain>("UNITSET_GAIN"),
    };
    return aSets;
}

bool IsKnownSetId(int iSetId)
{
    return iSetId > UNITSET_NONE && iSetId <= UNITSET_LAST;
}

} // namespace

const CUnitSet* GetUnitSet(int iSetId)
{
    const bool bKnown = IsKnownSetId(iSetId);
    QXASSERT(bKnown);
    return bKnown ? Sets()[static_cast<size_t>(iSetId)].pSet.get() : nullptr;
}

const char* GetUnitSetDiagName(int iSetId)
{
    return (iSetId >= 0 && iSetId <= UNITSET_LAST) ? Sets()[static_cast<size_t>(iSetId)].sName : "UNITSET_UNKNOWN";
}
