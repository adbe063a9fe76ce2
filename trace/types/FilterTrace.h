#pragma once
// CFilterTrace: the frequency response of the filters an analyser path applies.
// X is stored in bins and shown in Hz; Y is a ratio shown in relative dB.

#include "trace/model/QXTrace.h"

#include <vector>

class IRecordSink;

class CFilterTrace : public CQXTrace {
    DECLARE_DYNCREATE(CFilterTrace)
public:
    static constexpr int kSourceCTDetector = 1000;
    static constexpr int kSourceFFTParameters = 1001;
    static constexpr int kSourceNone = -1;

    CFilterTrace();
    CFilterTrace(ChannelNumber eChannel, int iDataSize, int iBare);

    int GetFilterType() override { return m_iFilterSource; }
    void SetFilterType(int iSource) { m_iFilterSource = iSource; }

    // Switching on recomputes the response from the current settings, except
    // for a trace read from a trace file or the document's file.
    void TraceOn(int iMatch, int bRegisterEvents) override;
    // Computes the response of the source's filters over 0 .. fs/2 into the
    // Y data: iNumPoints bins (0: the document's FFT size, else half the FFT
    // length) and the end point. Without bCreate a trace that is off is left
    // alone and the buffer follows the bins; with it the trace takes Hz over
    // relative dB and its default Y window. With bOnlyIfFiltered nothing
    // happens unless a band filter is in use. 0 when nothing was computed.
    int SetFilter(int iNumPoints, int bCreate, int bOnlyIfFiltered);

    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    void SetYDefaultZoomValues() override;
    EUnit GetDefaultXUnit() override { return UNIT_FREQ_HZ; }
    EUnit GetDefaultYUnit(EMode, int) override { return UNIT_RELATIVE_DB; }
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override { return eAxis == X_AXIS ? UNIT_BINS : UNIT_RELATIVE_RATIO; }
    const CUnitSet* GetUnitSet(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    ScaleType GetDefaultXScaleType() override { return ST_FFT; }
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
    // The archive section after the base record (trace/file/KindSections.cpp);
    // DescribeSection lists its fields in writing order.
    void Serialize(CArchive& ar) override;
    void DescribeSection(IRecordSink& sink);

    // The default Y window in relative dB.
    static constexpr double kDefaultMinDb = -80.0;
    static constexpr double kDefaultMaxDb = 20.0;

private:
    // Copies the response into the Y data where it fits (the end point
    // repeats the last bin); false, with a log line, where it would not.
    bool CopyResponse(const std::vector<double>& aResponse);
    void FinishFilterUpdate(int bCreate, double dSampleRate, double dCursorX, double dRelCursorX);

    int m_iFilterSource = kSourceCTDetector;
};
