#pragma once
// The factor between a value in one of the host's result buffers and a
// trace's stored data. Buffers hold fractions of digital full scale (time
// domain) or powers against the full-scale sine (FFT); traces store sample
// units, scaled for the analogue range and the jitter inputs' calibration.
// The arithmetic is a pure function of what it reads from the trace and
// the host, so it can be tested alone.

#include "trace/core/TraceDefs.h"

class CQXTrace;

struct SBufferScaleInputs {
    TraceType eType = TT_SCOPE;
    bool bJitterMode = false;      // data-jitter or sample-rate-jitter input
    bool bAnalogueMode = false;
    bool bImpulseRelative = false; // from an impulse response and relative
    bool bRMSRelative = false;     // RMS response and relative (CT traces)
    double dCalibration = 1.0;     // the jitter inputs' calibration factor
    double dChannel0MaxmV = 0.0;   // channel 0's largest range, full-scale peak in mV
    double dInputRangeV = 0.0;     // the trace channel's current range, V RMS
};

double BufferScaleFactor(const SBufferScaleInputs& in);

// What the factor depends on, from the trace and the installed settings
// (without settings: no calibration and no range correction).
SBufferScaleInputs BufferScaleInputsFor(CQXTrace& trace);
