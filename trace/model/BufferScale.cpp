#include "trace/model/BufferScale.h"

#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/units/References.h"
#include "trace/model/QXTrace.h"

#include <cmath>

namespace {

constexpr double kDigitalFullScale = SReferences::kFullScaleHex;
constexpr double kFullScaleSineRMS = SReferences::kFullScaleSineHex;
const double kSqrt2 = std::sqrt(2.0);

bool IsSpectrum(TraceType eType) { return eType == TT_FFT || eType == TT_CTFFT; }
bool IsTimeDomain(TraceType eType) { return eType == TT_SCOPE || eType == TT_CTDET; }

} // namespace

double BufferScaleFactor(const SBufferScaleInputs& in)
{
    double f = 1.0;
    if (in.bJitterMode) {
        if (IsTimeDomain(in.eType)) f = in.dCalibration;
    } else if (in.bAnalogueMode && (IsTimeDomain(in.eType) || IsSpectrum(in.eType) || in.eType == TT_FFTRESPONSE)) {
        // The buffers' full scale is channel 0's largest range; the current
        // range rescales it.
        const double d = (in.dChannel0MaxmV / 1000.0) / kSqrt2;
        if (d != 0.0) f = in.dInputRangeV / d;
    }
    if (in.bImpulseRelative) return IsSpectrum(in.eType) ? f * f : f;
    switch (in.eType) {
    case TT_SCOPE: return f * kDigitalFullScale;
    case TT_CTDET: return f * (in.bRMSRelative ? kFullScaleSineRMS : kDigitalFullScale);
    case TT_FFT:
    case TT_CTFFT: return (f * kFullScaleSineRMS) * (f * kFullScaleSineRMS);
    default: return f;
    }
}

SBufferScaleInputs BufferScaleInputsFor(CQXTrace& trace)
{
    SBufferScaleInputs in;
    in.eType = trace.GetTraceType();
    in.bJitterMode = trace.IsJDO();
    in.bAnalogueMode = trace.GetMode() == CQXTrace::eModeAnalogue;
    const bool bRelative = trace.IsRelative();
    in.bImpulseRelative = trace.IsFromImpulseResponse() && bRelative;
    in.bRMSRelative = trace.IsRMS() && bRelative;
    if (in.bJitterMode) {
        if (const CAnalyserSettings* pAnalyser = GetAnalyserSettings())
            in.dCalibration = pAnalyser->GetInputCalibrationFactor();
    }
    if (in.bAnalogueMode) {
        if (const CAnalogueInputsSettings* pInputs = GetAnalogueInputsSettings()) {
            in.dChannel0MaxmV = pInputs->GetMaxmVValue(0);
            in.dInputRangeV = pInputs->GetCurrentRangeInV(trace.GetChannel() == CHANNEL_B ? 1 : 0);
        }
    }
    return in;
}
