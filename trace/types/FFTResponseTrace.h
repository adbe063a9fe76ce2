#pragma once
// CFFTResponseTrace: the response curve of a multitone measurement, one point
// per tone (or per selected bin) at its frequency, relative to a chosen
// reference. It owns its X array, so its points need not be evenly spaced;
// X is kept in Hz. Each FFT buffer rebuilds the points (FFTResponseData.cpp).

#include "platform/CriticalSection.h"
#include "trace/model/QXTrace.h"

class IRecordSink;

// How the host describes a response measurement.
struct ResponseDetails {
    short sFunction = 0;       // 0 .. 4, see the function names
    short sSumBinsType = 0;    // 0 every bin, 1 even bins, 2 odd bins
    short sIncludeType = 0;    // 0 all, 1 tone bins, 3 generator tone bins, 2 and 4 between tones
    short sRelativeTo = 0;     // reference of the values, 0 .. 6
    int iAnaOtherValueBin = 0; // the reference bin for relative-to 3
    int iReserved = 0;
    int iYUnit = UNIT_INVALID;
    int iToneMode = 0;
    int iExtra1 = 0;           // kept with the trace, not interpreted
    int iExtra2 = 0;
};

class CFFTResponseTrace : public CQXTrace {
    DECLARE_DYNCREATE(CFFTResponseTrace)
public:
    CFFTResponseTrace();
    CFFTResponseTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);
    CFFTResponseTrace(int iDataSize, int iCopy, int iBare);
    ~CFFTResponseTrace() override;

    // Takes the host's description; 0 for a Y storage unit it cannot default.
    int SetResponseDetails(const ResponseDetails& details);
    ResponseDetails GetResponseDetails() const;
    // X from 0 to the Nyquist frequency spread over the points, none of which
    // has a value yet; the first tones arrive with the next FFT buffer.
    void InitialiseXData();
    CString GetTraceFunctionName();

    // The generator's and analyser's tone bins of this channel; in tone
    // mode 1 the other channel's are kept apart (starting as a copy). 0, with
    // the out-of-memory report and no arrays kept, when they cannot be held.
    int SetToneBins(int iNumTones, const int* piAnaToneBins, const int* piGenToneBins);
    int GetNumToneBins() const { return m_iNumToneBins; }
    const std::vector<int>& GetAnaToneBins() const { return m_piAnaToneBins; }
    // The analyser's tone bins for the current rates: the host's simulated
    // analyser and generator share one rate and one FFT length, so the bins
    // the host gave stay (asserting that all four sets exist).
    void UpdateAnalyserToneBins();
    // Keeps a run of bins on the parity the sum-bins type visits.
    void AdjustBins(int& iStartBin, int& iEndBin);
    int AccountForToneSpread(int& iBin, int iToneBin, int iSpread);
    // One FFT buffer of powers (and the other channel's, for cross-talk)
    // into the points; 1 with no buffer, 0 leaving the trace unchanged when
    // tone bins, the other channel's buffer or the buffer's size are lacking.
    int UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* pOtherChannelBuffer, int* piFlags) override;
    // The FFT band sum over the points (asserting an include type that sums).
    double GetBandSum(int iCentreBin, double dBandFactor, double dScale, double* pdData, int* piLowBin,
                      int* piHighBin, double* pdSumSquares) override;
    // Interpolated between the two points around X; a point next to one
    // without a value answers alone.
    double GetYDataAtXValue(double dValue, int bTransformed) override;
    void SetXValue(int iPos, double dValue);
    // Guards the X and Y arrays while a buffer rebuilds them; readers of the
    // X array take it too. Taken after the trace lock, never before.
    void LockXData() { m_XDataLock.Lock(); }
    void UnlockXData() { m_XDataLock.Unlock(); }
    // One live response trace per kind of measurement on a channel.
    long GetTraceCreateExtraInfo() override;
    // The range runs from 0 to the Nyquist frequency of the current rate.
    void ManageSampleRateChange() override;
    void PostSerialize(CArchive& ar) override;
    // Base relativity of a relative-to code (asserts and gives 0 for an unknown one).
    static int RelativityForRelativeTo(int iRelativeTo);

    void UpdateRelativityAndResponse() override;
    bool IsRelative() override { return m_sRelativeTo != 0; }
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    void SetYDefaultZoomValues() override;
    double GetXValueAtPos(int iPos, int iUnit) override;
    // Heights follow the Y window's values, as for spectra and sweeps: a
    // window in dB is linear in dB.
    int GetYOrigin() override;
    int GetYPointForData(double dData) override;
    double GetYDataAtPoint(int iDeviceY) override;
    int GetXPosForValue(double dValue, int iUnit) override;
    // Heights through the value window and positions from the X array: no maps.
    SYMap MakeYMap() override { return SYMap(); }
    SAffineMap MakePositionMap(const SXMap&) override { return SAffineMap(); }
    EUnit GetDefaultXUnit() override { return UNIT_FREQ_HZ; }
    EUnit GetDefaultYUnit(EMode eMode, int bRelative) override;
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override;
    const CUnitSet* GetUnitSet(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    int HasXData() override { return 1; }
    double* GetXData() override { return m_pXData.get(); }
    int CanSumBinsInBands() override;
    ScaleType GetDefaultXScaleType() override { return ST_FFT; }
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
    // The archive section after the base record (trace/file/KindSections.cpp);
    // DescribeSection lists its fields in writing order.
    void Serialize(CArchive& ar) override;
    void DescribeSection(IRecordSink& sink);

protected:
    CString GetKindName() override { return GetTraceFunctionName(); }

private:
    void ClearFields();
    // The divisor of a level for the reference, 0 when it has none. A
    // reference bin (3, and 5, which reads as 3) divides by its own level; the
    // buffer's own scale (6) by the level that scale makes 1.
    double CommonReference(const std::vector<double>& adLevels, int iOtherChannel, double dBufferScale) const;
    double GeneratorLevel(int iChannel) const;
    // Writes the points under both locks and fits the X window to them.
    int StorePoints(const std::vector<double>& adX, const std::vector<double>& adY, int* piFlags);

    CCriticalSection m_XDataLock;
    void CopyFieldsFrom(const CFFTResponseTrace& from);

    short m_sSumBinsType = 0;
    short m_sIncludeType = 0;
    int m_iAnaOtherValueBin = 0;
    int m_iNumToneBins = 0;
    std::vector<int> m_piAnaToneBins;
    std::vector<int> m_piGenToneBins;
    std::vector<int> m_piOtherChannelAnaToneBins;
    std::vector<int> m_piOtherChannelGenToneBins;
    int m_iToneMode = 0;
    short m_sFunction = 0;
    short m_sRelativeTo = 0;
    double m_dInputRange = 0.0;
    int m_iReserved = 0;
    int m_iExtra1 = 0;
    int m_iExtra2 = 0;
};
