#include "host/units/References.h"

#include <cfloat>

namespace {

// A stored reference is usable when it is positive and not the missing value.
double Usable(double dValue, double dDefault)
{
    return (dValue > 0.0 && dValue < DBL_MAX) ? dValue : dDefault;
}

} // namespace

void SReferences::SetUnlocked(bool bUnlocked)
{
    m_iType = bUnlocked ? (m_iType | REFS_UNLOCKED) : (m_iType & ~REFS_UNLOCKED);
}

SReferences SReferences::ForFFTX(double dSampleRate, int iDataSize)
{
    SReferences refs;
    refs.m_iType = REFS_FFT_X;
    refs.m_adValues[1] = dSampleRate;
    refs.m_aiValues[0] = iDataSize;
    return refs;
}

SReferences SReferences::ForAbsoluteY(double dAnalogueRangemV, double dReference, double dImpedance,
                                      double dZerodBSPLmV, bool bRMS, bool bDigitalReference)
{
    SReferences refs;
    refs.m_iType = REFS_ABSOLUTE_Y;
    refs.m_adValues[0] = dAnalogueRangemV;
    refs.m_adValues[1] = dReference;
    refs.m_adValues[2] = dImpedance;
    refs.m_adValues[3] = dZerodBSPLmV;
    refs.m_aiValues[0] = bRMS ? 1 : 0;
    refs.m_aiValues[1] = bDigitalReference ? 1 : 0;
    return refs;
}

SReferences SReferences::ForRelativeY(double dReference, double dAnaVsGenFactor, int iAnalyserUnit,
                                      int iGeneratorUnit, double dAnalogueRangemV)
{
    SReferences refs;
    refs.m_iType = REFS_RELATIVE_Y;
    refs.m_adValues[0] = dReference;
    refs.m_adValues[1] = dAnaVsGenFactor;
    refs.m_adValues[2] = dAnalogueRangemV;
    refs.m_aiValues[0] = iAnalyserUnit;
    refs.m_aiValues[1] = iGeneratorUnit;
    return refs;
}

SReferences SReferences::ForJitterY(double dSampleRate, bool bDataJitter)
{
    SReferences refs;
    refs.m_iType = REFS_JITTER_Y;
    refs.m_adValues[1] = dSampleRate;
    refs.m_aiValues[0] = bDataJitter ? 1 : 0;
    return refs;
}

SReferences SReferences::ForFrequency(double dReferenceFrequency, double dSampleRate)
{
    SReferences refs;
    refs.m_iType = REFS_FREQUENCY;
    refs.m_adValues[0] = dReferenceFrequency;
    refs.m_adValues[1] = dSampleRate;
    return refs;
}

SReferences SReferences::ForTimeX(double dSampleRate, int iBinsPerSample, int iZeroBinSamples)
{
    SReferences refs;
    refs.m_iType = REFS_TIME_X;
    refs.m_adValues[1] = dSampleRate;
    refs.m_aiValues[0] = iBinsPerSample;
    refs.m_aiValues[1] = iZeroBinSamples;
    return refs;
}

double SReferences::AnalogueRangemV() const
{
    const int iType = GetType();
    if (iType == REFS_ABSOLUTE_Y) return Usable(m_adValues[0], kDefaultAnalogueRangemV);
    if (iType == REFS_RELATIVE_Y) return Usable(m_adValues[2], kDefaultAnalogueRangemV);
    return kDefaultAnalogueRangemV;
}

double SReferences::ReferenceHex() const
{
    if (GetType() != REFS_ABSOLUTE_Y || !(m_adValues[1] > 0.0 && m_adValues[1] < DBL_MAX))
        return kFullScaleSineHex;
    if (m_aiValues[1] == 1) return m_adValues[1];
    return m_adValues[1] / AnalogueRangemV() * kFullScaleSineHex;
}

double SReferences::Impedance() const
{
    return GetType() == REFS_ABSOLUTE_Y ? Usable(m_adValues[2], kDefaultImpedance) : kDefaultImpedance;
}

double SReferences::ZerodBSPLmV() const
{
    return GetType() == REFS_ABSOLUTE_Y ? Usable(m_adValues[3], kDefaultZerodBSPLmV) : kDefaultZerodBSPLmV;
}

double SReferences::SampleRate() const
{
    switch (GetType()) {
    case REFS_FFT_X:
    case REFS_JITTER_Y:
    case REFS_FREQUENCY:
    case REFS_TIME_X:
        return Usable(m_adValues[1], kDefaultSampleRate);
    case REFS_RELATIVE_Y:
        return Usable(m_adValues[3], kDefaultSampleRate);
    default:
        return kDefaultSampleRate;
    }
}

int SReferences::FFTLength() const
{
    if (GetType() != REFS_FFT_X || m_aiValues[0] < 2) return kDefaultFFTLength;
    return 2 * (m_aiValues[0] - 1);
}

double SReferences::ReferenceFrequency() const
{
    return GetType() == REFS_FREQUENCY ? Usable(m_adValues[0], kDefaultReferenceFrequency)
                                       : kDefaultReferenceFrequency;
}

double SReferences::RelativeReference() const
{
    return GetType() == REFS_RELATIVE_Y ? Usable(m_adValues[0], kFullScaleSineHex) : kFullScaleSineHex;
}

int SReferences::RelativeReferenceUnit() const
{
    const bool bStored = GetType() == REFS_RELATIVE_Y && m_adValues[0] > 0.0 && m_adValues[0] < DBL_MAX;
    return bStored ? m_aiValues[0] : -1;
}

double SReferences::AnaVsGenFactor() const
{
    return GetType() == REFS_RELATIVE_Y ? Usable(m_adValues[1], 1.0) : 1.0;
}

bool SReferences::IsDataJitter() const
{
    return GetType() == REFS_JITTER_Y && m_aiValues[0] == 1;
}

int SReferences::BinsPerSample() const
{
    return (GetType() == REFS_TIME_X && m_aiValues[0] > 0) ? m_aiValues[0] : 1;
}

int SReferences::ZeroBinSamples() const
{
    return GetType() == REFS_TIME_X ? m_aiValues[1] : 0;
}
