#pragma once
// CLimitLine: an upper or lower limit attached to a trace, its parent. It is
// drawn on the parent's scales (and never owns or deletes them), shows the
// parent's units, reports the parent's trace type and follows its X range.
// The curve is held either as trace data (one value per point of the parent,
// in the units it was taken in) or as a limit table of breakpoints.

#include "trace/model/QXTrace.h"

#include <memory>
#include <string>
#include <vector>

class CArchive;
class CLimitTable;

class CLimitLine : public CQXTrace {
    DECLARE_DYNCREATE(CLimitLine)
public:
    // For loading.
    CLimitLine();
    // A line of the parent: maximum when iMax > 0, else minimum.
    CLimitLine(CQXTrace* pParent, int iMax, int iDataSizeKind);
    // As the graph document's factory makes it: TT_MAXLIMITLINE or
    // TT_MINLIMITLINE, without a parent until SetParentTrace.
    CLimitLine(ChannelNumber eChannel, int iDataSize, TraceType eTraceType, int iBare);
    ~CLimitLine() override;

    // ---- The parent and the two forms ----------------------------------------
    CQXTrace* GetTrace() const { return m_pTrace; }
    // Attaches the line to a trace: channel and scales follow it.
    void SetParentTrace(CQXTrace* pParent);
    int IsMaxLimit() const { return m_eTraceType == TT_MAXLIMITLINE; }
    int HasTraceData() const { return m_pYData != nullptr; }
    int HasLimitTable() const { return m_pLimitTable != nullptr; }
    CLimitTable* GetLimitTable() const { return m_pLimitTable.get(); }
    // The table, created empty when the line has none (units from the
    // parent); null when memory runs out (reported).
    CLimitTable* EnsureLimitTable();
    void RemoveLimitTable();
    void RemoveTraceData();
    // The units the line's own values are in: the table's, or those the
    // trace data was taken in.
    int GetLimitXUnit() const;
    int GetLimitYUnit() const;
    // Whether the record holds a table: set before storing, after loading.
    int GetTableFlag() const { return m_iTableFlag; }
    void SetTableFlag(int bTable) { m_iTableFlag = bTable; }
    int GetXUnitCreated() const { return m_iXUnitCreated; }
    int GetYUnitCreated() const { return m_iYUnitCreated; }
    void SetUnitsCreated(int iXUnit, int iYUnit) { m_iXUnitCreated = iXUnit; m_iYUnitCreated = iYUnit; }
    double GetMaxXValueWhenCreated() const { return m_dMaxXValueWhenCreated; }
    void SetMaxXValueWhenCreated(double dValue) { m_dMaxXValueWhenCreated = dValue; }
    // Polarity of the points (limit lines of scope-like parents only).
    int HasPolarityData(int bTransformed) const;
    Polarity GetPolarityAtPos(int iPos, int bTransformed) const;
    void SetPolarityAtPos(int iPos, Polarity ePolarity, int bTransformed);
    // Takes the parent's scales, X positions and windows (full: also the X
    // range, Y ticks, Y auto-interval and Y log flags).
    void SetScaleValuesFromTrace(bool bFull);

    // ---- The curve (LimitLineData.cpp) ------------------------------------------
    // Takes the parent's current data: as trace data when the parent has no
    // X data, else as a table of its points. 1 on success.
    int CopyDataFromTrace();
    // A per-point line of a trace that grew (a sense sweep) grows with it:
    // the new positions at its end have no limit. A table line, or one as
    // long already, is left alone; 0 when memory runs out (the line stays as
    // it was and reads past its end give no limit).
    int ExtendTraceData(int iDataSize);
    // Moves every limit by dDelta in the parent's current Y unit.
    void AlterAllValues(double dDelta, int bTransformed);
    // Moves every limit by dDelta in the parent's data; signed limits change
    // polarity when they cross zero.
    void AlterAllData(double dDelta, int bTransformed);
    // The limit at a position (trace data) or at a table point, as data of
    // the parent with its sign; +DBL_MAX where there is no limit.
    double GetYDataAtXPos(int iPos, int bTransformed) override;
    // Stores a limit given as signed data of the parent at a position or
    // table point; a signed limit's polarity follows the sign (none stays).
    void SetYDataAtXPos(int iPos, double dData, int bTransformed);
    // The limit at an X value of the line's X unit, as data of the parent.
    double GetYDataAtXValue(double dValue, int bTransformed) override;
    int GetYPointForData(double dData) override;
    // Limits are values of their own unit, each converted alone: no Y map.
    SYMap MakeYMap() override { return SYMap(); }
    void DataToPlot() override;

    // ---- The limit file (LimitLineFile.cpp) -------------------------------------
    // Loads a limit file (table, trace-data or older trace-file form); 1 on
    // success. With bShowMessages failures are reported in message boxes.
    // psReason, when given, receives why a file did not load, in words.
    int InitialiseFromFile(CString sPath, int bShowMessages, std::string* psReason = nullptr);
    // The same from an archive already open (sPath names it in messages).
    int InitialiseFromArchive(CArchive& ar, const CString& sPath, int bShowMessages, std::string* psReason = nullptr);
    // Reads what a limit-table file holds after its table, where written:
    // the computes, the transformed values and the name.
    void ReadTableTail(CArchive& ar);
    // Loads a limit file into a new line and attaches it to pTrace as its
    // eType line. 0 when the file does not load or its units do not suit
    // the trace, with the message id in *piFailure (shown with bShowMessages)
    // and the reason in words in *psReason.
    static int LoadForTrace(CQXTrace* pTrace, const CString& sPath, TraceType eType, int bShowMessages,
                            int* piFailure, std::string* psReason = nullptr);
    // The limit-line record (the base trace record first only in files
    // before 0.93d).
    void Serialize(CArchive& ar) override;
    void PostSerialize(CArchive& ar) override;
    // The record a graph configuration holds: the base trace record, then
    // the limit-line record (set the table flag before reading).
    void SerializeInConfig(CArchive& ar);

    // ---- Virtual operations ---------------------------------------------------
    bool IsLimitLine() override { return true; }
    int GetDataSize() override;
    const int* DataSizeField() const override { return nullptr; }
    int AllocateTransformedYDataBuffer(int bLock) override;
    void FreeTransformedYDataBuffer(int bLock) override;
    int CopyYDataToTransformedBuffer() override;
    int IsValidComputeType(ComputeType eType) override;
    int GetMinXPos() override;
    int GetMaxXPos() override;
    int GetCurrentMinXPos() override;
    int GetCurrentMaxXPos() override;
    double GetMinXScaleValue() override;
    void SetMinXScaleValue(double dValue) override;
    double GetMaxXScaleValue() override;
    void SetMaxXScaleValue(double dValue) override;
    double GetCurrentMinXScaleValue() override;
    void SetCurrentMinXScaleValue(double dValue) override;
    double GetCurrentMaxXScaleValue() override;
    void SetCurrentMaxXScaleValue(double dValue) override;
    double GetMinYValue(EUnit eUnit) override;
    double GetMaxYValue(EUnit eUnit) override;
    void CalcDefaultXScaleValues(double* pdMin, double* pdMax) override;
    void CalcDefaultYScaleValues(double* pdMin, double* pdMax) override;
    void DefaultZoomX(int bUpdateViews, int bStoreHistory) override;
    void SetXAutoZoomValues() override;
    void SetXDefaultZoomValues() override;
    void SetYAutoZoomValues() override;
    void SetYDefaultZoomValues() override;
    int GetXZoomCentrePoint() override;
    int GetXPosForValue(double dValue, int iUnit) override;
    // Positions through the parent, column by column: no map.
    SAffineMap MakePositionMap(const SXMap&) override { return SAffineMap(); }
    double GetXValueAtPos(int iPos, int iUnit) override;
    int GetXUnit() override;
    int GetYUnit() override;
    void SetXUnit(int iUnit) override;
    void SetYUnit(int iUnit) override;
    EUnit GetDefaultXUnit() override;
    EUnit GetDefaultYUnit(EMode eMode, int bRelative) override;
    using CQXTrace::GetStorageUnit;
    EUnit GetStorageUnit(AxisType eAxis) override;
    const CUnitSet* GetUnitSet(int iAxis) override;
    EUnit GetUnit(int iAxis) override;
    int GetReferences(int iAxis, int bDefault, SReferences* pReferences) override;
    void GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed) override;
    ScaleType GetDefaultXScaleType() override;
    int CheckUnit(int iUnit, AxisType eAxis) override;
    CQXTrace* CopyFrom(CQXTrace* pFrom) override;

protected:
    CQXTrace* GetParentTrace() override { return m_pTrace; }
    double GetPlotDataAtPos(int iPos, double dStored) override;
    int ZoomsWithParentTrace() override { return HasLimitTable(); }
    void FreePolarityData() override;
    int AllocatePolarityData(int iDataSize) override;

private:
    enum class ELimitFileResult { ok, notALimitFile, notALimitLine, tooOld, corrupt, outOfMemory };

    void InitialiseTrace(CQXTrace* pParent, int iMax);
    // Reading a limit file after it was opened, and the parts of the record.
    ELimitFileResult ReadLimitFile(CArchive& ar, std::string& sReason);
    int ReadTraceData(CArchive& ar);
    void SerializeTail(CArchive& ar, int iStored);
    // The table forms of CopyDataFromTrace, GetYDataAtXValue and DataToPlot.
    int CopyTableFromTrace();
    double GetTableDataAtXValue(double dValue, int bTransformed);
    void TableToPlot();
    // The stored value of a point: trace data, or the table point's value
    // (the transformed one when asked and present); +DBL_MAX when absent.
    double GetStoredValueAt(int iPos, int bTransformed);
    void SetStoredValueAt(int iPos, double dValue, int bTransformed);
    // A stored value as data of the parent, and back.
    double StoredToData(double dValue, int bTransformed);
    double DataToStored(double dData, int bTransformed);

    bool ParentIsScopeLike() const;
    // Own positions once the line has points, the parent's before.
    bool UsesOwnPositions();

    CQXTrace* m_pTrace = nullptr;          // not owned
    std::unique_ptr<CLimitTable> m_pLimitTable; // table form only
    int m_iTableFlag = 0;
    int m_iXUnitCreated = -1;
    int m_iYUnitCreated = -1;
    double m_dMaxXValueWhenCreated = 0.0;
    std::vector<unsigned char> m_pPolarityData;
    std::vector<unsigned char> m_pTransformedPolarityData;
    // Entries of the transformed buffer: the data size, or a table's points.
    int m_iTransformedSize = 0;
    // The X window of a line without a parent (a parent's lives in its scale).
    double m_dOwnCurrentMinXScaleValue = -DBL_MAX;
    double m_dOwnCurrentMaxXScaleValue = DBL_MAX;
};
