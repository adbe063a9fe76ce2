#pragma once
// CFFTBaseTrace: what every spectrum shares. N = L/2 + 1 points for an FFT of
// length L; position k is k x fs / L; X is stored in bins and shown in Hz; Y
// is stored as linear magnitudes (UNIT_HEX), or as a ratio when the trace is
// relative and comes from an impulse response. Never created on its own:
// CFFTTrace and CCTFFTTrace set their type and initialise through it.

#include "host/units/References.h"
#include "trace/model/QXTrace.h"
#include "trace/core/FFTMath.h"

#include <atomic>
#include <thread>

class IRecordSink;

class CFFTBaseTrace : public CQXTrace {
    DECLARE_DYNCREATE(CFFTBaseTrace)
public:
    CFFTBaseTrace();
    ~CFFTBaseTrace() override;

    double GetLowestValidFrequency() const { return m_dLowestValidFrequency; }
    double GetNyquistFrequency() const { return m_dNyquistFrequency; }

    void TraceOn(int iMatch, int bRegisterEvents) override;
    void TraceOff(int bRemoveEvents) override;
    // Files from before configuration version 25 had no rate of their own:
    // the trace takes twice its top frequency, and announces itself.
    int LoadTrace(CArchive& ar, int bLoadData) override;
    bool IsFFTTrace() override { return true; }
    double GetMaxXScaleValue() override;
    double GetMaxXValue(EUnit eUnit) override;
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    void SetYDefaultZoomValues() override;
    EUnit GetDefaultXUnit() override { return UNIT_FREQ_HZ; }
    EUnit GetDefaultYUnit(EMode eMode, int bRelative) override;
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override;
    const CUnitSet* GetUnitSet(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    int CanDrawInBands() override { return 1; }
    int CanSumBinsInBands() override { return 1; }
    ScaleType GetDefaultXScaleType() override { return ST_FFT; }
    int ManageDataSizeChange() override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
    // The archive section after the base record (trace/file/KindSections.cpp);
    // DescribeSection lists its fields in writing order.
    void Serialize(CArchive& ar) override;
    void DescribeSection(IRecordSink& sink);

    // A new FFT buffer of powers (relative to the full-scale sine): stored as
    // magnitudes, the Nyquist bin without a value, the gate and Nyquist
    // limits refreshed and the X range cut to the Nyquist frequency.
    int UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* pOtherChannelBuffer, int* piFlags) override;
    // The lowest frequency the impulse-response gate lets through (0: no gate).
    double CalcLowestValidFrequency();
    // Keeps the range cut to the Nyquist frequency across a rate change.
    void ManageSampleRateChange() override;
    void SetXDefaultZoomValues() override;
    int GetMaxCursorXPos(bool bCurrent) override;
    int GetYAutoZoomData(double* pdMin, double* pdMax) override;
    void PostSerialize(CArchive& ar) override;
    // Marks on the fundamental and its harmonics (up to 20), cursor on the fundamental.
    bool ListHarmonics(bool bAll) override;
    // One step of a sliding band sum over pdData (GetDataSize() values).
    double GetBandSum(int iCentreBin, double dBandFactor, double dScale, double* pdData, int* piLowBin,
                      int* piHighBin, double* pdSumSquares) override;
    // Bins reduced to pixel columns (FFTPlot.cpp).
    void DataToPlot() override;

    // Spectra map Y through the display unit (dB scales are linear in dB,
    // not in the stored magnitudes).
    int GetYOrigin() override;
    int GetYPointForData(double dData) override;
    // Affine in the datum, or in its log10 for dB units; none on a log axis.
    // While a plot is built, the map held for it.
    SYMap MakeYMap() override;
    double GetYDataAtPoint(int iDeviceY) override;

protected:
    // Columns left of the lowest valid frequency are drawn dotted.
    int GetLowestValidXPoint() override;

    CFFTBaseTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);
    // Sets the type, then the base initialisation; then zeroed bins, X in Hz
    // over 0 .. fs/2 and a default Y window.
    void InitialiseFFTTrace(TraceType eType, int iDataSize);
    // Copies the standard details from a trace of the expected class.
    CQXTrace* CopyFromKind(CQXTrace* pFrom, const CRuntimeClass* pClass, const char* szAssert);
    // The default Y window, its lower end corrected for a log axis when asked.
    void SetYDefaultZoomValuesFrom(bool bCorrectLogStart);

    double m_dLowestValidFrequency = 0.0;
    double m_dNyquistFrequency = 0.0;

private:
    void FillNyquistFrequency();
    void PostFFTTracesChanged();
    // Cuts the X range (or only the current window) to m_dNyquistFrequency.
    void LimitXRangeToNyquist();
    // Set while the base refill runs: the Nyquist frequency is still the
    // old rate's then, and must not cut the range the new rate sets.
    bool m_bRefilling = false;

    // Plot reduction (FFTPlot.cpp).
    class CReferenceHold;
    // The X and Y references, held for the plotting thread while a plot is
    // built: they cannot change under it, and rebuilding them for every
    // mapped bin would cost more than the bins.
    SReferences m_aHeldReferences[2];
    std::atomic<std::thread::id> m_HeldBy{};
    // Heights while held: every Y unit of spectra is affine in the datum, or
    // in its log10 for dB units, so the row before truncation is too; a row
    // that lands near an edge is still mapped through the unit service.
    SYMap m_HeldHeights;
    // The height's row expression before truncation, through the unit service.
    double YRowBeforeTruncation(double dData);
    // The spectra's column plans (bins from the columns' edges) and their
    // line through the bins where a column holds at most one.
    void PlanBinColumns(SColumnPlan& plan, const SPlotScan& scan, const SXMap& xmap, const SAffineMap& bins,
                        double dBinsPerColumn);
    void PlanLogBinColumns(SColumnPlan& plan, const SPlotScan& scan, const SXMap& xmap, const SAffineMap& bins);
    void BinLinesToPlot(const SPlotScan& scan, const SXMap& xmap, const SAffineMap& bins);
};

// The shared logarithmic details of the frequency-domain kinds (spectra,
// responses, filters): dB units are never drawn logarithmically on Y; X
// always may be.
void GetFrequencyDomainLogDetails(CQXTrace& trace, AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed);
// The Y limits of a frequency-domain kind in a unit, with the analyser-versus-
// generator unit answered in the host's analyser unit; 0 with an assertion for
// a unit outside the table.
double GetSpectrumYLimit(EUnit eUnit, bool bMax);
