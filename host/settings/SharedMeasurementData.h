#pragma once
// The measurement results shared between the host's measurement thread
// (the writer) and the trace window (the reader), held by the master
// document. Every access goes under the shared-data lock; a reader that
// also needs the instrument takes the shared-data lock first and the
// current device's lock second (CSharedDataAccess does both, and releases
// them in reverse order).
//
// Buffer scales: time-domain buffers hold fractions of digital full scale
// (1.0 is 8388607); FFT buffers hold powers relative to the full-scale
// sine (1.0 is a sine of RMS 5931640). The trace window multiplies by its
// own scale factor when it copies a buffer.
//
// Per channel: the scope (sample) buffer, the impulse-response sample
// buffer, the CT detector buffer, the FFT and CT FFT buffers, the phase
// buffer, and what the routing of new data needs: sample rate, data size,
// input kind, the detectors the CT and FFT buffers come from, the
// new-FFT-data-valid flag and a new-data flag.

#include "host/buffers/SampleBuffer.h"
#include "platform/CriticalSection.h"

class CDevice;

class CSharedMeasurementData {
public:
    struct SChannelInfo {
        double dSampleRate = 48000.0;
        int iDataSize = 0;
        ESourceKind eSourceKind = SOURCE_ANALOGUE;
        int iCTDetectorID = 0;
        int iFFTDetectorID = 1;
        bool bNewFFTDataValid = false;
        bool bNewData = false;
    };

    // Buffers sized for an FFT of iFFTLength points: iFFTLength samples,
    // iFFTLength / 2 bins.
    explicit CSharedMeasurementData(int iFFTLength = 16384);
    CSharedMeasurementData(const CSharedMeasurementData&) = delete;
    CSharedMeasurementData& operator=(const CSharedMeasurementData&) = delete;

    CCriticalSection& GetLock() { return m_Lock; }
    bool Lock() { return m_Lock.Lock(); }
    bool Unlock() { return m_Lock.Unlock(); }

    // A channel other than 0 or 1 asserts and gives null.
    CDoublePrecisionBuffer* GetSampleBuffer(int iChannel);
    CDoublePrecisionBuffer* GetImpulseResponseBuffer(int iChannel);
    CDoublePrecisionBuffer* GetCTSampleBuffer(int iChannel);
    CFFTBuffer* GetFFTBuffer(int iChannel);
    CFFTBuffer* GetCTFFTBuffer(int iChannel);
    CPhaseBuffer* GetPhaseBuffer(int iChannel);
    SChannelInfo* GetChannelInfo(int iChannel);

    int GetFFTSize() const { return m_iFFTSize; }
    bool IsNewFFTDataValid(int iChannel) const;
    bool IsImpulseResponseMode() const { return m_bImpulseResponseMode; }
    void SetImpulseResponseMode(bool bOn) { m_bImpulseResponseMode = bOn; }
    // Set while the writer rebuilds the buffers; readers skip FFT data then.
    bool IsBeingRebuilt() const { return m_bRebuilding; }

    // Writer side: reallocates every buffer for a new FFT length, under the
    // lock, with the rebuilding flag set meanwhile. False (assert) for a
    // length below 2.
    bool Rebuild(int iFFTLength);

private:
    struct SChannel {
        explicit SChannel(int iFFTLength);
        CDoublePrecisionBuffer sample;
        CDoublePrecisionBuffer impulse;
        CDoublePrecisionBuffer ct;
        CFFTBuffer fft;
        CFFTBuffer ctFFT;
        CPhaseBuffer phase;
        SChannelInfo info;
    };

    SChannel* Channel(int iChannel);

    CCriticalSection m_Lock;
    SChannel m_aChannels[2];
    int m_iFFTSize;
    bool m_bImpulseResponseMode = false;
    bool m_bRebuilding = false;
};

// Holds the shared-data lock and then the device's lock (when there is a
// device) for its lifetime; releases them in reverse order.
class CSharedDataAccess {
public:
    CSharedDataAccess(CSharedMeasurementData& data, CDevice* pDevice);
    ~CSharedDataAccess();
    CSharedDataAccess(const CSharedDataAccess&) = delete;
    CSharedDataAccess& operator=(const CSharedDataAccess&) = delete;

private:
    CSharedMeasurementData& m_Data;
    CDevice* m_pDevice;
};
