#pragma once
// SReferences: the reference values a unit conversion needs, passed by pointer
// with every conversion (null means "use the defaults below").
//
// Layout: a kind word, four doubles and two integers. Traces fill the raw
// fields (or use the For... constructors); the converters read them only
// through the named accessors, which give the default whenever the kind does
// not carry the value or the stored value is not usable (zero or negative).
// Bit 0x8000 of the kind word is set while the trace runs unlocked on the
// nominal 96000 Hz; the trace then stores 96000 as its sample rate itself.
//
// Per kind (d = m_adValues, i = m_aiValues):
//  0  REFS_NULL        nothing; every accessor gives its default.
//  1  REFS_FFT_X       d[1] sample rate (Hz); i[0] data size N of the FFT
//                      trace (an FFT of length L gives N = L/2 + 1 points, so
//                      L = 2 (N - 1)). Bins <-> Hz: Hz = bin * fs / L.
//  2  REFS_ABSOLUTE_Y  d[0] analogue range: mV RMS of a full-scale sine (the
//                      sine whose RMS sample value is 5931640);
//                      d[1] reference amplitude that reads 0 dBr / 100 % ref,
//                      in mV RMS, or as a sample magnitude (UNIT_HEX) when
//                      i[1] is 1 (digital reference);
//                      d[2] reference impedance for dBm and W (ohms);
//                      d[3] 0 dBSPL reference (mV RMS that reads 0 dBSPL);
//                      i[0] 1 when the data is an RMS reading (response 0),
//                      informational: all amplitudes are converted as RMS
//                      values of a sine; i[1] see d[1].
//  3  REFS_RELATIVE_Y  d[0] the amplitude that reads 1 (0 dB), given in unit
//                      i[0] (an absolute amplitude unit, a jitter unit, or
//                      -1/UNIT_HEX for a sample magnitude); d[1] the
//                      analyser-versus-generator factor; d[2] optional
//                      analogue range (mV) used to bring d[0] to a sample
//                      magnitude; d[3] optional sample rate (Hz) for a
//                      jitter reference unit;
//                      i[1] the generator unit (informational).
//  4  REFS_JITTER_Y    d[1] sample rate of the jittered interface (Hz);
//                      i[0] 1 for data jitter, 0 for sample-rate jitter
//                      (chooses the sample scaling of UNIT_HEX).
//  5  REFS_FREQUENCY   d[0] reference frequency (Hz): frequency offset and
//                      ratio, phase in µs and samples, duty cycle in samples,
//                      burst periods; d[1] sample rate (Hz).
//  13 REFS_TIME_X      d[1] sample rate (Hz); i[0] bins per sample (8 when
//                      interpolated); i[1] samples before the time origin
//                      (trigger bin).

struct SReferences {
    enum : int {
        REFS_NULL = 0,
        REFS_FFT_X = 1,
        REFS_ABSOLUTE_Y = 2,
        REFS_RELATIVE_Y = 3,
        REFS_JITTER_Y = 4,
        REFS_FREQUENCY = 5,
        REFS_TIME_X = 13,
        REFS_UNLOCKED = 0x8000,
    };

    // Defaults used when a value is missing.
    static constexpr double kDefaultAnalogueRangemV = 15455.3019;
    static constexpr double kDefaultImpedance = 600.0;
    static constexpr double kDefaultZerodBSPLmV = 20.0;
    static constexpr double kDefaultSampleRate = 48000.0;
    static constexpr int kDefaultFFTLength = 16384;
    static constexpr double kDefaultReferenceFrequency = 1000.0;
    // Digital full scale (peak) of a 24-bit sample.
    static constexpr double kFullScaleHex = 8388607.0;
    // The RMS of a full-scale sine, kept as the converter's own figure rather
    // than derived from the full scale.
    static constexpr double kFullScaleSineHex = 5931640.0;

    int m_iType = REFS_NULL;
    double m_adValues[4] = {0.0, 0.0, 0.0, 0.0};
    int m_aiValues[2] = {0, 0};

    // The kind without the unlocked bit.
    int GetType() const { return m_iType & ~REFS_UNLOCKED; }
    bool IsUnlocked() const { return (m_iType & REFS_UNLOCKED) != 0; }
    void SetUnlocked(bool bUnlocked);
    void SetNull() { *this = SReferences(); }

    static SReferences ForFFTX(double dSampleRate, int iDataSize);
    static SReferences ForAbsoluteY(double dAnalogueRangemV, double dReference, double dImpedance,
                                    double dZerodBSPLmV, bool bRMS = true, bool bDigitalReference = false);
    static SReferences ForRelativeY(double dReference, double dAnaVsGenFactor, int iAnalyserUnit,
                                    int iGeneratorUnit, double dAnalogueRangemV = 0.0);
    static SReferences ForJitterY(double dSampleRate, bool bDataJitter);
    static SReferences ForFrequency(double dReferenceFrequency, double dSampleRate = 0.0);
    static SReferences ForTimeX(double dSampleRate, int iBinsPerSample, int iZeroBinSamples);

    // Accessors with defaults (see the table above).
    double AnalogueRangemV() const;
    // The 0 dBr reference as a sample magnitude (default: the full-scale sine).
    double ReferenceHex() const;
    double Impedance() const;
    double ZerodBSPLmV() const;
    double SampleRate() const;
    int FFTLength() const;
    double ReferenceFrequency() const;
    // Kind 3: the reference value in its own unit, and that unit.
    double RelativeReference() const;
    int RelativeReferenceUnit() const;
    double AnaVsGenFactor() const;
    bool IsDataJitter() const;
    int BinsPerSample() const;
    int ZeroBinSamples() const;
};
