#pragma once
// CTestTrace: a plain concrete trace kind for unit tests. It answers every
// operation a kind must supply with simple, settable choices:
//  - X axis: FFT bins (unit set 22, Hz by default) or time (unit set 21, ms);
//  - Y axis: absolute amplitude (unit set 12), stored as sample magnitudes
//    (UNIT_HEX), shown in dBFS by default;
//  - a full Y range and a default Y window in the storage unit;
//  - helpers to fill the Y data and to set up a plot rectangle and plot
//    columns without drawing.
// Construct it with a document installed (GetGraphDoc()) when the test
// needs colours or scales from the document.

#include "host/units/References.h"
#include "host/units/UnitSets.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <functional>
#include <vector>

class CTestTrace : public CQXTrace {
public:
    enum EXAxis : int {
        XAXIS_FFT_BINS = 0,
        XAXIS_TIME = 1,
    };

    static constexpr double kFullScaleHex = 8388607.0;

    explicit CTestTrace(TraceType eType = TT_FFT, ChannelNumber eChannel = CHANNEL_A, int iDataSize = 512,
                        EXAxis eXAxis = XAXIS_FFT_BINS)
        : CQXTrace(eChannel, iDataSize, 0), m_eXAxis(eXAxis)
    {
        m_eTraceType = eType;
        InitialiseTrace(iDataSize);
        m_dSampleRate = 48000.0;
    }

    // ---- Settings a test may change ----------------------------------------
    void SetTraceType(TraceType eType) { m_eTraceType = eType; }
    EXAxis GetXAxisKind() const { return m_eXAxis; }
    void SetTestSampleRate(double dRate) { m_dSampleRate = dRate; }
    void SetTestMode(EMode eMode) { m_eMode = eMode; }
    void SetTestCopy(int bCopy) { m_bCopy = bCopy; }
    void SetTestInterpolationFactor(int iFactor) { m_iInterpolationFactor = iFactor; }
    void SetStorageUnits(EUnit eX, EUnit eY) { m_eXStorage = eX; m_eYStorage = eY; }
    void SetTestDefaultYUnit(EUnit eUnit) { m_eDefaultYUnit = eUnit; }
    // Full Y range and default Y window, both in the Y storage unit.
    void SetFullYRange(double dMinData, double dMaxData) { m_dFullMinY = dMinData; m_dFullMaxY = dMaxData; }
    void SetDefaultYWindow(double dMinData, double dMaxData) { m_dDefaultMinY = dMinData; m_dDefaultMaxY = dMaxData; }
    // The full X range and the current X window, in GetXUnit() (the X scale
    // must exist for the window).
    void SetTestXRange(double dMin, double dMax) { m_dMinXScaleValue = dMin; m_dMaxXScaleValue = dMax; }
    void SetTestXWindow(double dMin, double dMax)
    {
        SetCurrentMinXScaleValue(dMin);
        SetCurrentMaxXScaleValue(dMax);
    }

    // ---- Data ------------------------------------------------------------
    void FillYData(const std::vector<double>& aValues)
    {
        double* p = GetYDataBuffer(0);
        if (!p) return;
        const int n = std::min<int>(GetDataSize(), static_cast<int>(aValues.size()));
        std::copy(aValues.begin(), aValues.begin() + n, p);
    }
    void FillYData(const std::function<double(int)>& fnValueAt)
    {
        double* p = GetYDataBuffer(0);
        if (!p) return;
        for (int i = 0; i < GetDataSize(); ++i) p[i] = fnValueAt(i);
    }
    std::vector<double> GetYDataCopy()
    {
        const double* p = GetYDataBuffer(0);
        return p ? std::vector<double>(p, p + GetDataSize()) : std::vector<double>();
    }

    // ---- Plot geometry without drawing -------------------------------------
    void SetTestDrawRect(const CRect& rc) { m_rcDraw = rc; }
    // Column extremes as heights above the Y origin (2147483647: no data).
    void SetTestPlotColumns(const std::vector<int>& aMin, const std::vector<int>& aMax)
    {
        m_ipPlotMin = aMin;
        m_ipPlotMax = aMax;
        m_bPlotValid = 1;
    }
    // Fixes the Y origin row (otherwise computed from the Y window).
    void SetTestYOrigin(int iRow) { m_iTestYOrigin = iRow; m_bFixedOrigin = true; }
    int GetYOrigin() override { return m_bFixedOrigin ? m_iTestYOrigin : CQXTrace::GetYOrigin(); }

    // ---- What every kind supplies ------------------------------------------
    double GetMinYValue(EUnit eUnit) override { return GetYValueForData(m_dFullMinY, eUnit, 1, 0); }
    double GetMaxYValue(EUnit eUnit) override { return GetYValueForData(m_dFullMaxY, eUnit, 1, 0); }
    void SetYDefaultZoomValues() override
    {
        m_dCurrentMinYData = m_dDefaultMinY;
        m_dCurrentMaxYData = m_dDefaultMaxY;
        m_dCurrentMinYScaleValue = GetYValueForData(m_dDefaultMinY, GetYUnit(), 0, 0);
        m_dCurrentMaxYScaleValue = GetYValueForData(m_dDefaultMaxY, GetYUnit(), 0, 0);
    }
    EUnit GetDefaultXUnit() override { return m_eXAxis == XAXIS_TIME ? UNIT_MS : UNIT_FREQ_HZ; }
    EUnit GetDefaultYUnit(EMode, int) override { return m_eDefaultYUnit; }
    EUnit GetStorageUnit(AxisType eAxis) override { return eAxis == X_AXIS ? m_eXStorage : m_eYStorage; }
    using CQXTrace::GetStorageUnit;
    const CUnitSet* GetUnitSet(int iAxis) override
    {
        if (iAxis == 1) return ::GetUnitSet(m_eXAxis == XAXIS_TIME ? UNITSET_NUMSAMPLES : UNITSET_FFTBINS);
        if (iAxis == 2) return ::GetUnitSet(UNITSET_AMPLITUDE_ANALYSER);
        return nullptr;
    }
    int GetReferences(int iAxis, int, SReferences* pReferences) override
    {
        if (!pReferences) return 0;
        if (iAxis == 1) {
            *pReferences = m_eXAxis == XAXIS_TIME
                               ? SReferences::ForTimeX(m_dSampleRate, m_iInterpolationFactor, GetNumSamplesZeroBin())
                               : SReferences::ForFFTX(m_dSampleRate, GetDataSize());
        } else {
            *pReferences = SReferences::ForAbsoluteY(m_References.dAnalogueInputRange,
                                                     m_References.dAnaAnalogueReference, m_References.dAnaImpedance,
                                                     m_References.dAnaZerodBSPL);
        }
        return 1;
    }
    void GetLogDetails(AxisType, int, int* piLog, int* piAuto) override
    {
        if (piLog) *piLog = 0;
        if (piAuto) *piAuto = 1;
    }
    ScaleType GetDefaultXScaleType() override { return m_eXAxis == XAXIS_TIME ? ST_SCOPE : ST_FFT; }
    CQXTrace* CopyFrom(CQXTrace* pFrom) override
    {
        CopyStdTraceDetails(pFrom);
        return this;
    }

private:
    EXAxis m_eXAxis;
    EUnit m_eXStorage = UNIT_BINS;
    EUnit m_eYStorage = UNIT_HEX;
    EUnit m_eDefaultYUnit = UNIT_DBFS;
    double m_dFullMinY = 0.0;
    double m_dFullMaxY = kFullScaleHex;
    double m_dDefaultMinY = 0.0;
    double m_dDefaultMaxY = kFullScaleHex;
    int m_iTestYOrigin = 0;
    bool m_bFixedOrigin = false;
};
