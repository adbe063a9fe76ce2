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
// needs colours or scales from the document (HostDocFixture does that).
//
// Tests never write a trace's protected fields: every choice a kind makes
// that a test needs to vary has a setter here (Set...), and the protected
// operations tests call are opened with `using`. CTestLimitLine, below, is a
// limit line of a parent trace for tests that attach lines by hand.
//
//   CTestTrace trace(TT_FFT, CHANNEL_A, 64);
//   trace.SetSignedData(true);                 // HasNegativeYData() answers 1
//   trace.FillYData({1.0, -2.0, 3.0});
//   auto* pMax = new CTestLimitLine(&trace, TT_MAXLIMITLINE);
//   trace.AttachLimitLines(pMax, nullptr);     // the trace owns it now

#include "host/units/References.h"
#include "host/units/UnitSets.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cfloat>
#include <functional>
#include <vector>

class CTestTrace : public CQXTrace {
public:
    enum EXAxis : int {
        XAXIS_FFT_BINS = 0,
        XAXIS_TIME = 1,
    };

    static constexpr double kFullScaleHex = SReferences::kFullScaleHex;

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
    void SetTestSampleRate(double dRate) { m_dSampleRate = dRate; }
    void SetTestMode(EMode eMode) { m_eMode = eMode; }
    void SetTestCopy(int bCopy) { m_bCopy = bCopy; }
    void SetTestInterpolationFactor(int iFactor) { m_iInterpolationFactor = iFactor; }
    void SetTestDefaultYUnit(EUnit eUnit) { m_eDefaultYUnit = eUnit; }
    // 0 RMS, 1 peak (the response the marks' sum reads).
    void SetTestResponse(int iResponse) { m_iResponse = iResponse; }
    // The full and current X windows as positions, set directly.
    void SetTestXPositions(int iMin, int iMax, int iCurrentMin, int iCurrentMax)
    {
        m_iMinXPos = iMin;
        m_iMaxXPos = iMax;
        m_iCurrentMinXPos = iCurrentMin;
        m_iCurrentMaxXPos = iCurrentMax;
    }
    // Attaches limit lines (either may be null); the trace owns them afterwards.
    void AttachLimitLines(CQXTrace* pMax, CQXTrace* pMin)
    {
        m_pMaxLimitLine = pMax;
        m_pMinLimitLine = pMin;
    }

    // ---- Kind answers a test may change ------------------------------------
    void SetSignedData(bool bSigned) { m_bSigned = bSigned; }          // HasNegativeYData()
    void SetFFTKind(bool bFFT) { m_bFFT = bFFT; }                      // IsFFTTrace()
    void SetUserKind(bool bUser) { m_bUser = bUser; }                  // IsUserTrace()
    void SetFilterType(int iFilterType) { m_iFilterType = iFilterType; } // GetFilterType()
    void SetLowestValidXPoint(int iPos) { m_iLowestValidXPoint = iPos; } // GetLowestValidXPoint()
    void SetLogAllowed(bool bAllowed) { m_bLogAllowed = bAllowed; }      // GetLogDetails(), both axes
    // The plotted value of a stored datum is dStored * dFactor (GetPlotDataAtPos()).
    void SetPlotDataFactor(double dFactor) { m_dPlotDataFactor = dFactor; }
    // Runs before every Y mapping of a datum: lets a test act in the middle of a scan.
    void SetBeforeYMapping(std::function<void()> fn) { m_fnBeforeYMapping = std::move(fn); }
    // Gives the trace its own X array (as sweep and user traces have), sized to it.
    void SetXData(const std::vector<double>& aX)
    {
        m_bXData = true;
        SetBuffer(static_cast<int>(aX.size()));
        if (m_pXData) std::copy(aX.begin(), aX.end(), m_pXData.get());
    }
    // How many sample-rate changes the trace was told about.
    int GetRateChanges() const { return m_iRateChanges; }

    // ---- Protected operations tests call --------------------------------------
    using CQXTrace::CheckLimitAtPoint;
    using CQXTrace::FindBinForXValue;
    using CQXTrace::SetNewCursorValues;
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
    int HasNegativeYData() override { return m_bSigned ? 1 : 0; }
    bool IsFFTTrace() override { return m_bFFT; }
    bool IsUserTrace() override { return m_bUser; }
    int GetFilterType() override { return m_iFilterType; }
    int GetLowestValidXPoint() override { return m_iLowestValidXPoint; }
    double GetPlotDataAtPos(int, double dStored) override
    {
        return dStored == DBL_MAX ? dStored : dStored * m_dPlotDataFactor;
    }
    int GetYPointForData(double dData) override
    {
        if (m_fnBeforeYMapping) m_fnBeforeYMapping();
        return CQXTrace::GetYPointForData(dData);
    }
    // With a hook every datum goes through GetYPointForData, so the hook runs.
    SYMap MakeYMap() override { return m_fnBeforeYMapping ? SYMap() : CQXTrace::MakeYMap(); }
    int HasXData() override { return m_bXData ? 1 : 0; }
    double* GetXData() override { return m_bXData ? m_pXData.get() : nullptr; }
    void ManageSampleRateChange() override
    {
        ++m_iRateChanges;
        CQXTrace::ManageSampleRateChange();
    }
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
        if (piAuto) *piAuto = m_bLogAllowed ? 1 : 0;
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
    bool m_bSigned = false;
    bool m_bFFT = false;
    bool m_bUser = false;
    bool m_bLogAllowed = true;
    bool m_bXData = false;
    int m_iFilterType = 0;
    int m_iLowestValidXPoint = 0;
    double m_dPlotDataFactor = 1.0;
    std::function<void()> m_fnBeforeYMapping;
    int m_iRateChanges = 0;
};

// A limit line of pParent: no data of its own unless given a size, named
// and found through its parent. Attach it with pParent->AttachLimitLines
// (or SetLimitLineForTrace for a real CLimitLine).
class CTestLimitLine : public CTestTrace {
public:
    CTestLimitLine(CQXTrace* pParent, TraceType eType, int iDataSize = 0)
        : CTestTrace(eType, pParent->GetChannel(), iDataSize), m_pParent(pParent)
    {
    }
    // Draws on its parent's scales, as a real limit line does.
    void ShareParentScales()
    {
        UpdateXScales(m_pParent->GetXScale());
        UpdateYScales(m_pParent->GetYScale());
    }
    bool IsLimitLine() override { return true; }
    CQXTrace* GetParentTrace() override { return m_pParent; }

private:
    CQXTrace* m_pParent;
};
