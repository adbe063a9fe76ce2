#pragma once
// CCTBaseTrace: the time-domain kinds (scope and CT detector). X is stored in
// samples and shown in milliseconds; Y is stored as signed sample values
// (UNIT_HEX), or as a ratio for a relative scope trace from an impulse
// response. The Y window is always symmetric about 0 in data; the automatic
// X window shows a few whole periods of the channel's fundamental.

#include "trace/model/QXTrace.h"

class CCTBaseTrace : public CQXTrace {
    DECLARE_DYNCREATE(CCTBaseTrace)
public:
    CCTBaseTrace();
    ~CCTBaseTrace() override;

    bool IsCTTrace() override { return true; }
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    int HasNegativeYData() override { return 1; }
    int HasPositiveYData() override { return 1; }
    int DrawYScaleFromData() override { return 1; }
    void CalcDefaultXScaleValues(double* pdMin, double* pdMax) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    int UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* pOtherBuffer, int* pbSizeChanged) override;
    void SetXAutoZoomValues() override;
    void SetXDefaultZoomValues() override;
    void SetYDefaultZoomValues() override;
    EUnit GetDefaultXUnit() override { return UNIT_MS; }
    EUnit GetDefaultYUnit(EMode eMode, int bRelative) override;
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override;
    const CUnitSet* GetUnitSet(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    ScaleType GetDefaultXScaleType() override { return ST_SCOPE; }
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;

    // The default X window: 0 to 2 ms.
    static constexpr double kDefaultXMaxMs = 2.0;

    // The end of the automatic X window in samples: trunc(k * fs / f) for the
    // first k from 2 on that reaches kMinAutoZoomSamples, trying
    // kMaxAutoZoomPeriods values of k; 0 when f or fs is not positive or no
    // k reaches it.
    static constexpr int kMinAutoZoomSamples = 64;
    static constexpr int kMaxAutoZoomPeriods = 100;
    static int AutoZoomEndPos(double dFundamental, double dSampleRate);
    // Generator waveforms without a period to fit (noise and the like).
    static bool IsNoiseLikeWaveform(int iWaveform);

protected:
    CCTBaseTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);
    // Sets the type, then the base initialisation; then X in ms over the
    // buffer and a default Y window.
    void InitialiseCTTrace(TraceType eType, int iDataSize);
    CQXTrace* CopyFromKind(CQXTrace* pFrom, const CRuntimeClass* pClass, const char* szAssert);
    // Current Y scale values as given; current Y data minus and plus the
    // data magnitudes of the two, so the window stays symmetric about 0.
    void SetSymmetricYWindow(double dMinValue, double dMaxValue, int iUnit);
};
