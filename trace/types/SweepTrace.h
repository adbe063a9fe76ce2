#pragma once
// CSweepTrace: one measured result plotted against a swept quantity. Four
// sweep slots exist per channel (TT_SWEEP1 .. TT_SWEEP4). Every point carries
// its own X value; the X axis is described either by a source (a sweep
// trigger) or by a second result, never both.

#include "host/units/References.h"
#include "trace/model/QXTrace.h"

#include <memory>

class CDblUnitProperty;
class CSettingsBase;
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
    // The host id behind an axis: the actual Y result, the X result or the
    // control of the X source (0 when there is none).
    int GetPropertyID(AxisType eAxis);
    // The host property behind an axis (its units, references and value);
    // null, logged, when the axis has no id or the host has no such setting.
    std::unique_ptr<CDblUnitProperty> GetProperty(AxisType eAxis);
    int GetNextPoint() const { return m_iNextPoint; }
    int IsReverseSweep() const { return m_bReverseSweep; }

    // ---- A sweep, point by point (SweepPoints.cpp) -------------------------------
    // A new sweep: the next point goes to the first position, or to the last
    // for a reverse sweep.
    void SweepStarted(int bReverse);
    // Stores the next point (time-out flags: 0x01 settling, 0x02 regulating,
    // 0x04 waiting for data). With bInsert the point goes to its place in X
    // order; with bRestart the sweep starts again at the first position.
    void AddSweepPoint(double dX, double dY, int iTimeoutFlags, int bInsert, int bRestart, int bUpdateViews);
    // Puts the point in X order at or near iPointToAdd; the cursors and marks
    // stay on the points they were on. A sense sweep grows by one point when
    // iPointToAdd is past its end. Returns the position written, -1 for none.
    int InsertTracePoint(int iPointToAdd, double dX, double dY);
    void SetXValue(int iPos, double dX);
    // A time-out mark at iPos, labelled by the flags; its slot, -1 when all
    // slots are taken, -2 when none can be made (0 for a position off the trace).
    int AddTimeOutMark(int iPos, int iTimeoutFlags);
    // The sweep is complete: the computes run once on the raw points (the
    // limits are checked again on their result), then the trace zooms to
    // what was measured as asked.
    void SweepFinished(int bAutoZoomX, int bAutoZoomY);

    // ---- Virtual operations ---------------------------------------------------
    bool IsSweepTrace() override { return true; }
    bool UpdateTraceVariables(bool bLoading, bool bKeepRate, CSampleBuffer* pBuffer) override;
    void UpdateRelativityAndResponse() override;
    int GetResultID() override { return m_iResultID; }
    int GetFFTDetectorID() override { return m_iFFTDetectorID; }
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    int HasNegativeYData() override;
    // Non-amplitude results keep one unit across the inputs.
    void SetYUnit(int iUnit) override;
    void CalcDefaultXScaleValues(double* pdMin, double* pdMax) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    void SetXDefaultZoomValues() override;
    void SetXAutoZoomValues() override;
    void SetYDefaultZoomValues() override;
    // ---- Mapping and plot (SweepPlot.cpp) ---------------------------------------
    double GetMinXValue(EUnit eUnit) override;
    double GetMaxXValue(EUnit eUnit) override;
    double GetYDataAtPoint(int iDeviceY) override;
    int GetYPointForData(double dData) override;
    int GetXPosForValue(double dValue, int iUnit) override;
    // Heights and positions of their own: no maps.
    SYMap MakeYMap() override { return SYMap(); }
    SAffineMap MakePositionMap(const SXMap&) override { return SAffineMap(); }
    double GetXValueAtPos(int iPos, int iUnit) override;
    double GetYDataAtXValue(double dValue, int bTransformed) override;
    int GetYOrigin() override;
    void DataToPlot() override;
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
    // Brings traces of older files up to date: the unit of a time axis, the
    // peak jitter units (now peak-to-peak) and a still open X range.
    void PostSerialize(CArchive& ar) override;
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
    // A CT- or FFT-detector amplitude of a relative trace (mapped in dB).
    bool IsRelativeDetectorResult();
    // The X value at the first (last) position and the sweep's start (stop),
    // both in eUnit (-1: as stored).
    void GetXLimitPair(bool bMax, EUnit eUnit, double* pdActual, double* pdAxis);
    // Opens a slot at q by moving the points q .. iLast up one; the cursors
    // and marks on them move too.
    void ShiftPointsUp(int q, int iLast);
    // A sense sweep beyond its end: the arrays grow by one with the new
    // point at q. False (trace unchanged) when memory runs out.
    bool GrowWithPoint(int q, double dX, double dY);
    // The zoom after a sweep, through the document so that related traces follow.
    void ZoomAfterSweep(int bAutoZoomX, int bAutoZoomY);
    // The unit set of an axis from the host's settings for its result or source.
    const CUnitSet* UnitSetForID(int iID, int iDetector, int iRelativity, int bJitter);
    // The host settings holding the axis's id (stored in *piID), or null.
    const CSettingsBase* GetAxisSettings(AxisType eAxis, int* piID);
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
