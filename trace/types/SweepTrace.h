#pragma once
// CSweepTrace: one measured result plotted against a swept quantity. Four
// sweep slots exist per channel (TT_SWEEP1 .. TT_SWEEP4). Every point carries
// its own X value; the X axis is described either by a source (a sweep
// trigger) or by a second result, never both.

#include "host/units/References.h"
#include "trace/model/QXTrace.h"

class IRecordSink;

class CSweepTrace : public CQXTrace {
    DECLARE_DYNCREATE(CSweepTrace)
public:
    CSweepTrace();
    CSweepTrace(ChannelNumber eChannel, int iDataSize, TraceType eTraceType, int iCopy, int iBare);
    CSweepTrace(int iDataSize, TraceType eTraceType, int iCopy, int iBare);
    ~CSweepTrace() override;

    // ---- The axes ------------------------------------------------------------
    void SetXAxisSourceDetails(int iSourceType, int iUnit, double dStart, double dStop);
    void SetXAxisResultDetails(int iResultID, int iDetectorID, int iRelativity, int iUnit, double dStart,
                               double dStop);
    int IsXAxisSource();
    int IsXAxisResult();
    int IsSenseSweep();
    int GetXAxisSourceType() const { return m_iXAxisSourceType; }
    int GetXAxisResultID() const { return m_iXAxisResultID; }
    int GetXAxisUnit() const { return m_iXAxisUnit; }
    double GetXAxisMinValue() const { return m_dXAxisMinValue; }
    double GetXAxisMaxValue() const { return m_dXAxisMaxValue; }
    // The Y result and the FFT detector it comes from.
    void SetResultID(int iResultID) { m_iResultID = iResultID; }
    void SetFFTDetectorID(int iDetectorID) { m_iFFTDetectorID = iDetectorID; }
    int GetActualResultID();
    const CString& GetResponseName() const { return m_sResponseName; }
    // The text naming the Y result in legends and names.
    CString GetSweepResultString();
    int GetNextPoint() const { return m_iNextPoint; }
    int IsReverseSweep() const { return m_bReverseSweep; }

    // ---- Virtual operations ---------------------------------------------------
    bool IsSweepTrace() override { return true; }
    // The sweep is complete. Each new point frees the transformed buffer, so
    // no transform runs during a sweep; they run here once.
    void SweepFinished();
    void UpdateRelativityAndResponse() override;
    int GetResultID() override { return m_iResultID; }
    int GetFFTDetectorID() override { return m_iFFTDetectorID; }
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    int HasNegativeYData() override;
    void CalcDefaultXScaleValues(double* pdMin, double* pdMax) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    void SetXDefaultZoomValues() override;
    void SetYDefaultZoomValues() override;
    int GetXPosForValue(double dValue, int iUnit) override;
    double GetXValueAtPos(int iPos, int iUnit) override;
    EUnit GetDefaultXUnit() override;
    EUnit GetDefaultYUnit(EMode eMode, int bRelative) override;
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override;
    const CUnitSet* GetUnitSet(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    int HasXData() override { return 1; }
    double* GetXData() override { return m_pXData.get(); }
    int IsLimitConsistent(int iXUnit, int iYUnit) override;
    ScaleType GetDefaultXScaleType() override;
    int CheckUnit(int iUnit, AxisType eAxis) override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
    // The archive section after the base record (trace/file/KindSections.cpp);
    // DescribeSection lists its fields in writing order.
    void Serialize(CArchive& ar) override;
    void DescribeSection(IRecordSink& sink);
    // Set on a copy made before a new sweep (such copies go at the next one).
    int IsSweepCopy() const { return m_bSweepCopy; }
    void SetSweepCopy(int bSweepCopy) { m_bSweepCopy = bSweepCopy; }

protected:
    CString GetKindName() override { return GetSweepResultString(); }

private:
    void InitialiseTrace(int iDataSize, TraceType eTraceType);
    void ResetXAxis();
    void StoreXAxisLimits(double dStart, double dStop);
    bool IsJitterMode() const { return IsJDO(); }
    // The unit set of an axis from the host's settings for its result or source.
    const CUnitSet* UnitSetForID(int iID, int iDetector, int iRelativity, int bJitter);
    // The host id behind an axis (0 when there is none).
    int GetPropertyID(AxisType eAxis);
    int GetAxisDetector(AxisType eAxis) const { return eAxis == X_AXIS ? m_iXAxisDetectorID : m_iFFTDetectorID; }
    void UpdateReferences();

    int m_bReverseSweep = 0;
    CString m_sResponseName;
    int m_iXAxisSourceType = -1;
    int m_iXAxisResultID = 65535;
    int m_iXAxisDetectorID = 0;
    int m_iXAxisRelativity = 0;
    int m_iXAxisUnit = -1;
    double m_dXAxisMinValue = -DBL_MAX;
    double m_dXAxisMaxValue = DBL_MAX;
    SReferences m_refsXAxis;
    SReferences m_refsYAxis;
    int m_iNextPoint = 0;
    bool m_bReferencesStale = true;
    int m_iResultID = 65535;
    int m_iFFTDetectorID = 0;
    int m_bSweepCopy = 0;
};
