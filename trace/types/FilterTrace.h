#pragma once
// CFilterTrace: the frequency response of the filters an analyser path applies.
// X is stored in bins and shown in Hz; Y is a ratio shown in relative dB.

#include "trace/model/QXTrace.h"

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
    int m_iFilterSource = kSourceCTDetector;
};
