#pragma once
// CUserTrace: points set by a script or the user ("User Trace"). Values are
// kept in the units shown, so storage and display units are the same and no
// conversion happens; every point carries its own X value.

#include "trace/model/QXTrace.h"

class IRecordSink;

class CUserTrace : public CQXTrace {
    DECLARE_DYNCREATE(CUserTrace)
public:
    CUserTrace();
    CUserTrace(ChannelNumber eChannel, int iDataSize, int iCopy, int iBare);

    // The Y range of the trace (asserts dMinValue < dMaxValue; stores them anyway).
    void SetYScaleRange(double dMinValue, double dMaxValue);
    // X values evenly spread over the X scale range.
    void InitialiseXValues();
    void SetXValue(int iPos, double dX);

    bool IsUserTrace() override { return true; }
    bool CanCopy() override { return IsInUse() != 0; }
    int SetBuffer(int iDataSize) override;
    void SetMinXScaleValue(double dValue) override;
    void SetMaxXScaleValue(double dValue) override;
    double GetMinXValue(EUnit eUnit) override;
    double GetMaxXValue(EUnit eUnit) override;
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    void SetYDefaultZoomValues() override;
    int GetXPosForValue(double dValue, int iUnit) override;
    // Positions from the X array: no map.
    SAffineMap MakePositionMap(const SXMap&) override { return SAffineMap(); }
    double GetXValueAtPos(int iPos, int iUnit) override;
    double GetYDataAtXValue(double dValue, int bTransformed) override;
    EUnit GetDefaultXUnit() override;
    EUnit GetDefaultYUnit(EMode eMode, int bRelative) override;
    double GetYDataForValue(double dValue, int iUnit, int bTransformed) override;
    double GetYValueForData(double dData, int iUnit, int bAllowNegInf, int bTransformed) override;
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override;
    const CUnitSet* GetUnitSet(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    int HasXData() override { return 1; }
    double* GetXData() override { return m_pXData.get(); }
    ScaleType GetDefaultXScaleType() override { return ST_USER; }
    int CheckUnit(int iUnit, AxisType eAxis) override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;
    // The archive section after the base record (trace/file/KindSections.cpp);
    // DescribeSection lists its fields in writing order.
    void Serialize(CArchive& ar) override;
    void DescribeSection(IRecordSink& sink);

private:
    double m_dUserMinY = 0.0;
    double m_dUserMaxY = 1.0;
    bool m_bInitialising = false;
};
