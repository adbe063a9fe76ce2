#pragma once
// CWindowFunction: an FFT window function over its points. X is stored in
// bins and shown in ms; Y is a gain, 0 to 1.

#include "host/settings/WindowFunction.h"
#include "trace/model/QXTrace.h"

class CWindowFunction : public CQXTrace {
    DECLARE_DYNCREATE(CWindowFunction)
public:
    // A window function carries the result id of the FFT window setting.
    static constexpr int kResultID = 3325;

    CWindowFunction();
    CWindowFunction(ChannelNumber eChannel, int iDataSize, int iBare);

    virtual void SetWindowType(WINDOWFUNCTION eType, const CString& sFile);
    // Computes the window into the Y data over iNumPoints points. Without
    // bCreate a trace that is off is left alone and a new size resets the X
    // range; with it the units and the default window are set up as well.
    // 0 when the window cannot be computed (a user window file).
    virtual int SetWindow(int iNumPoints, int bCreate);
    WINDOWFUNCTION GetWindowType() const { return m_eWindowType; }
    const CString& GetWindowFile() const { return m_sWindowFile; }

    int GetResultID() override { return kResultID; }
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    void SetYDefaultZoomValues() override;
    EUnit GetDefaultXUnit() override { return UNIT_MS; }
    EUnit GetDefaultYUnit(EMode, int) override { return UNIT_RELATIVE_GAIN; }
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override { return eAxis == X_AXIS ? UNIT_BINS : UNIT_RELATIVE_GAIN; }
    const CUnitSet* GetUnitSet(int iAxis) override;
    EUnit GetUnit(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    ScaleType GetDefaultXScaleType() override { return ST_SCOPE; }
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;

protected:
    // Sets the type, then the base initialisation; X in ms over the points.
    void InitialiseWindowTrace(int iDataSize);
    // After new Y data: X over the data in the X unit when the size changed;
    // on creation also the units and the default window.
    void FinishWindowUpdate(int bCreate, int bSizeChanged);

    WINDOWFUNCTION m_eWindowType = WINDOW_RECTANGULAR;
    CString m_sWindowFile;
};
