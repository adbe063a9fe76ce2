// CGraphDoc: new measurement data. The host calls NewMathThreadData on the
// user-interface thread after its measurement thread has finished a block;
// the document reads the shared result buffers under the shared-data lock
// and the device lock (in that order) and hands each buffer to the live
// traces of its kind. Derived traces follow: window functions take the new
// sample size, filter traces the FFT's range.

#include "trace/document/GraphDoc.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/HostObjects.h"
#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/DeviceManager.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SettingsIds.h"
#include "host/settings/SharedMeasurementData.h"
#include "trace/model/BufferScale.h"
#include "trace/model/QXTrace.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/WindowFunction.h"

namespace {

CSharedMeasurementData* SharedData()
{
    CQuorixDoc* pDoc = GetQuorixDoc();
    return pDoc ? pDoc->GetSharedData() : nullptr;
}

CDevice* CurrentDevice() { return CDeviceManager::GetInstance()->GetCurrentDevice(); }

bool IsAsked(ChannelNumber eAsked, int iChannel) { return eAsked == CHANNEL_BOTH || eAsked == iChannel; }

// A channel whose analogue input could not find a range delivers nothing usable.
bool AutoRangeFailed(int iChannel)
{
    const CAnalogueInputsSettings* pInputs = GetAnalogueInputsSettings();
    return pInputs && pInputs->GetAutoRangeFailed(iChannel);
}

// While the input is unlocked the host may ask for deliveries to be dropped.
bool DropWhileUnlocked()
{
    const CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    return pAnalyser && pAnalyser->GetAnalyserSampleRate(0) == -1.0 &&
           pAnalyser->GetPropertyAsBool(PROP_ANA_SKIP_WHEN_UNLOCKED);
}

// Holds a trace's lock for a whole refill: a plot built meanwhile on another
// thread must see the data, the size and the windows of one state.
class CTraceRefillLock {
public:
    explicit CTraceRefillLock(CQXTrace& trace) : m_Trace(trace) { m_Trace.LockTrace(); }
    ~CTraceRefillLock() { m_Trace.UnlockTrace(); }
    CTraceRefillLock(const CTraceRefillLock&) = delete;
    CTraceRefillLock& operator=(const CTraceRefillLock&) = delete;

private:
    CQXTrace& m_Trace;
};

// Feeds one buffer and re-runs the trace's computes on it (in place or in
// its compute trace); true when the trace changed size or its Y display.
bool Feed(CQXTrace& trace, CSampleBuffer* pBuffer, CSampleBuffer* pOtherBuffer = nullptr)
{
    CTraceRefillLock lock(trace);
    int bChanged = 0;
    trace.UpdateTraceData(pBuffer, pOtherBuffer, &bChanged);
    trace.SetComputeRequired(1);
    trace.ApplyComputationsOnTraceDataChange(0);
    return bChanged != 0;
}

// The traces a delivery ends with: their computes and limits.
bool IsCheckedAfterDelivery(CQXTrace& trace)
{
    if (!trace.IsLive()) return false;
    const TraceType eType = trace.GetTraceType();
    return eType == TT_CTDET || eType == TT_FFT || eType == TT_CTFFT || eType == TT_FFTRESPONSE;
}

} // namespace

bool CGraphDoc::IsFedByDelivery(CQXTrace* pTrace)
{
    if (!pTrace || !pTrace->IsInUse()) return false;
    const CQXTrace* pCompute = pTrace->GetComputeTrace();
    return pTrace->IsOn() || (pCompute && pCompute->IsOn());
}

void CGraphDoc::NewMathThreadData(ChannelNumber eChannel, int bFFTOnly)
{
    if (m_bInExport || DropWhileUnlocked()) return;

    bool bRedrawAll = false;
    if (!bFFTOnly && NewSampleData(eChannel)) bRedrawAll = true;
    if (NewFFTData(eChannel)) bRedrawAll = true;

    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    GetChannelRange(iFirst, iLast);
    for (int iChannel = iFirst; iChannel <= iLast; ++iChannel) {
        if (!IsAsked(eChannel, iChannel)) continue;
        for (CQXTrace* pTrace : GetTraceArray(static_cast<ChannelNumber>(iChannel))) {
            if (!pTrace || !IsCheckedAfterDelivery(*pTrace)) continue;
            pTrace->CheckLimits();
        }
    }
    UpdateAllViews(bRedrawAll ? UPDATE_GRAPH_REDRAWALL : UPDATE_GRAPH_TRACES, nullptr);
}

int CGraphDoc::NewSampleData(ChannelNumber eChannel)
{
    CSharedMeasurementData* pData = SharedData();
    if (!pData) return 0;
    CSharedDataAccess access(*pData, CurrentDevice());

    int iResult = 0;
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    GetChannelRange(iFirst, iLast);
    for (int iChannel = iFirst; iChannel <= iLast; ++iChannel) {
        if (!IsAsked(eChannel, iChannel) || AutoRangeFailed(iChannel)) continue;
        CSampleBuffer* pSamples = pData->IsImpulseResponseMode() ? pData->GetImpulseResponseBuffer(iChannel)
                                                                 : pData->GetSampleBuffer(iChannel);
        for (CQXTrace* pTrace : GetTraceArray(static_cast<ChannelNumber>(iChannel))) {
            if (!IsFedByDelivery(pTrace)) continue;
            const TraceType eType = pTrace->GetTraceType();
            if (pTrace->IsLive()) {
                if (eType == TT_SCOPE && Feed(*pTrace, pSamples)) iResult = 1;
                if (eType == TT_CTDET && Feed(*pTrace, pData->GetCTSampleBuffer(iChannel))) iResult = 1;
                continue;
            }
            // The impulse window follows its own details, not the sample size.
            if (eType != TT_WINDOW || pTrace->GetTraceCreateExtraInfo() != 0) continue;
            const int iSize = pData->GetSampleBuffer(iChannel)->GetSize();
            if (iSize <= 0 || iSize == pTrace->GetDataSize()) continue;
            CTraceRefillLock lock(*pTrace);
            if (static_cast<CWindowFunction*>(pTrace)->SetWindow(iSize, 0) && pTrace->GetDataSize() == iSize) {
                iResult = 1;
                UpdateAllViews(UPDATE_TRACE_NUMPOINTS, pTrace);
            }
        }
    }
    return iResult;
}

int CGraphDoc::NewFFTData(ChannelNumber eChannel)
{
    CSharedMeasurementData* pData = SharedData();
    if (!pData) return 0;
    CSharedDataAccess access(*pData, CurrentDevice());
    if (pData->IsBeingRebuilt()) return 0;

    int iResult = 0;
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    GetChannelRange(iFirst, iLast);
    for (int iChannel = iFirst; iChannel <= iLast; ++iChannel) {
        if (!IsAsked(eChannel, iChannel) || !pData->IsNewFFTDataValid(iChannel) || AutoRangeFailed(iChannel)) continue;
        CFFTBuffer* pFFT = pData->GetFFTBuffer(iChannel);
        // The FFT trace sorts before the filter traces, so a range it
        // finds is known when they come.
        bool bRangeChanged = false;
        double dMinX = 0.0;
        double dMaxX = 0.0;
        for (CQXTrace* pTrace : GetTraceArray(static_cast<ChannelNumber>(iChannel))) {
            if (!IsFedByDelivery(pTrace)) continue;
            const TraceType eType = pTrace->GetTraceType();
            if (!pTrace->IsLive()) {
                if (eType != TT_FILTER) continue;
                CTraceRefillLock lock(*pTrace);
                pTrace->UpdateTraceVariables(false, false, pFFT);
                if (bRangeChanged) {
                    static_cast<CFilterTrace*>(pTrace)->SetFilter(pFFT->GetMaxSize(), 0, 0);
                    pTrace->SetXValueRange(dMinX, dMaxX, 1);
                    iResult = 1;
                }
            } else if (eType == TT_FFT) {
                const double dOldMax = pTrace->GetMaxXScaleValue();
                Feed(*pTrace, pFFT);
                if (pTrace->GetMaxXScaleValue() != dOldMax) {
                    dMinX = pTrace->GetMinXScaleValue();
                    dMaxX = pTrace->GetMaxXScaleValue();
                    bRangeChanged = true;
                    iResult = 1;
                }
            } else if (eType == TT_CTFFT) {
                Feed(*pTrace, pData->GetCTFFTBuffer(iChannel));
            } else if (eType == TT_FFTRESPONSE) {
                Feed(*pTrace, pFFT, pData->GetFFTBuffer(iChannel == CHANNEL_A ? CHANNEL_B : CHANNEL_A));
            }
        }
    }
    return iResult;
}

double CGraphDoc::GetTraceBufferScaleFactor(CQXTrace* pTrace)
{
    if (!QXVERIFY(pTrace != nullptr)) return 1.0;
    return BufferScaleFactor(BufferScaleInputsFor(*pTrace));
}
