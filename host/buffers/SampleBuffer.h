#pragma once
// The host's containers of measurement data. The measurement thread fills
// them; the trace window reads them under the shared-data lock.
//
// A buffer has a maximum size (the capacity a trace sizes itself to) and a
// current size (the samples actually delivered, never above the maximum).
// Out-of-range access is a programming error: it is reported with QXASSERT
// and answered with a safe value (0.0, or nothing written); nothing throws.

#include "host/units/References.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What one stored value means.
enum ESampleType : int {
    SAMPLETYPE_INT24 = 0,    // 24-bit integer samples (8388607 = digital full scale)
    SAMPLETYPE_DOUBLE = 1,   // time-domain samples as doubles, in the same scale
    SAMPLETYPE_FFTPOWER = 2, // power per FFT bin (square of an RMS magnitude)
    SAMPLETYPE_PHASE = 3,    // phase per FFT bin, in degrees
};

// Which input the data came from. The numeric values are the ones a trace
// maps to its input mode (0 analogue, 1 digital, 2 soundcard, 3 and 4 the
// two jitter-demodulation inputs).
enum ESourceKind : int {
    SOURCE_ANALOGUE = 0,
    SOURCE_DIGITAL = 1,
    SOURCE_SOUNDCARD = 2,
    SOURCE_JDOFS = 3,
    SOURCE_JDODATA = 4,
};

// How many of `count` values starting at `first` a container of `size`
// values can give: clamped at the end, 0 for a start outside it.
int ClampedCopyCount(int first, int count, int size);

class CSampleBuffer {
public:
    virtual ~CSampleBuffer() = default;
    CSampleBuffer(const CSampleBuffer&) = delete;
    CSampleBuffer& operator=(const CSampleBuffer&) = delete;

    ESampleType GetSampleType() const { return m_eSampleType; }

    // Hz; -1.0 when the input is unlocked (no valid rate).
    double GetSampleRate() const { return m_dSampleRate; }
    void SetSampleRate(double dRate) { m_dSampleRate = dRate; }

    ESourceKind GetSourceKind() const { return m_eSourceKind; }
    void SetSourceKind(ESourceKind eKind) { m_eSourceKind = eKind; }

    int GetChannel() const { return m_iChannel; }
    void SetChannel(int iChannel) { m_iChannel = iChannel; }

    // Samples before the time origin, as measured with this block.
    int GetTriggerBin() const { return m_iTriggerBin; }
    void SetTriggerBin(int iBin) { m_iTriggerBin = iBin; }

    // Analogue input range in force when the block was taken, mV RMS of a
    // full-scale sine (the analyser's range reference).
    double GetInputRange() const { return m_dInputRange; }
    void SetInputRange(double dRangemV) { m_dInputRange = dRangemV; }

    // The block's own scale (for asynchronous references): a stored value
    // times this factor is the value in the buffer's natural scale.
    double GetScaleFactor() const { return m_dScaleFactor; }
    void SetScaleFactor(double dFactor) { m_dScaleFactor = dFactor; }

    int GetMaxSize() const { return m_iMaxSize; }
    int GetSize() const { return m_iSize; }
    bool IsEmpty() const { return m_iSize == 0; }

    // Sets the number of valid samples; above the maximum is clamped (assert).
    void SetSize(int iSize);
    // Reallocates for a new maximum; kept samples stay, new ones are 0.
    // A negative size is refused (assert) and returns false.
    bool Resize(int iMaxSize);

    // Value at i (0 <= i < current size); 0.0 with an assert otherwise.
    double GetAt(int i) const;
    // Writes at i (0 <= i < maximum size); a write past the current size
    // extends it. Returns false (assert) outside the maximum.
    bool SetAt(int i, double dValue);

    // Copies min(count, size - first) values times dFactor into pDest and
    // returns how many were copied. Bad arguments give 0 with an assert;
    // a request running past the end is clamped silently.
    int GetDataAsDouble(double* pDest, int iFirst, int iCount, double dFactor) const;

protected:
    CSampleBuffer(ESampleType eType, int iMaxSize);

    // Storage of the concrete type; indices are already checked.
    virtual double ReadAt(int i) const = 0;
    virtual void WriteAt(int i, double dValue) = 0;
    virtual void Reallocate(int iMaxSize) = 0;
    // Bulk copy for the refresh path; the base version goes through ReadAt.
    virtual void CopyOut(double* pDest, int iFirst, int iCount, double dFactor) const;

private:
    bool IsReadable(int i) const { return i >= 0 && i < m_iSize; }

    ESampleType m_eSampleType;
    ESourceKind m_eSourceKind = SOURCE_ANALOGUE;
    int m_iChannel = 0;
    int m_iMaxSize = 0;
    int m_iSize = 0;
    int m_iTriggerBin = 0;
    double m_dSampleRate = 48000.0;
    double m_dInputRange = 15455.3019;
    double m_dScaleFactor = 1.0;
};

// Samples held as doubles.
class CDoublePrecisionBuffer : public CSampleBuffer {
public:
    explicit CDoublePrecisionBuffer(int iMaxSize = 0) : CDoublePrecisionBuffer(SAMPLETYPE_DOUBLE, iMaxSize) {}
    // Direct access for writers that fill a whole block (size = maximum size).
    const double* GetData() const { return m_adData.data(); }

protected:
    CDoublePrecisionBuffer(ESampleType eType, int iMaxSize);
    double ReadAt(int i) const override { return m_adData[static_cast<size_t>(i)]; }
    void WriteAt(int i, double dValue) override { m_adData[static_cast<size_t>(i)] = dValue; }
    void Reallocate(int iMaxSize) override { m_adData.resize(static_cast<size_t>(iMaxSize), 0.0); }
    void CopyOut(double* pDest, int iFirst, int iCount, double dFactor) const override;

private:
    std::vector<double> m_adData;
};

// Power per FFT bin. Powers are never negative: a negative write is a
// programming error, asserted and stored as 0.
class CFFTBuffer : public CDoublePrecisionBuffer {
public:
    explicit CFFTBuffer(int iMaxSize = 0) : CDoublePrecisionBuffer(SAMPLETYPE_FFTPOWER, iMaxSize) {}

protected:
    void WriteAt(int i, double dValue) override;
};

// Phase per FFT bin, degrees.
class CPhaseBuffer : public CDoublePrecisionBuffer {
public:
    explicit CPhaseBuffer(int iMaxSize = 0) : CDoublePrecisionBuffer(SAMPLETYPE_PHASE, iMaxSize) {}
};

// 24-bit integer samples as the converters deliver them. Writes are rounded
// to the nearest integer and saturate at +/-8388607 (digital full scale).
class CQuorixSampleBuffer : public CSampleBuffer {
public:
    static constexpr int32_t kFullScale = static_cast<int32_t>(SReferences::kFullScaleHex);

    explicit CQuorixSampleBuffer(int iMaxSize = 0);
    const int32_t* GetData() const { return m_aiData.data(); }

protected:
    double ReadAt(int i) const override { return static_cast<double>(m_aiData[static_cast<size_t>(i)]); }
    void WriteAt(int i, double dValue) override;
    void Reallocate(int iMaxSize) override { m_aiData.resize(static_cast<size_t>(iMaxSize), 0); }

private:
    std::vector<int32_t> m_aiData;
};

// Rounds and saturates a value to a 24-bit sample (NaN gives 0).
int32_t ToSample24(double dValue);
