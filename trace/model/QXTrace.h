#pragma once
// CQXTrace: the base of every curve in a trace window. It holds the Y values
// in a storage unit (and X values where the kind has its own X axis), the
// units each axis is shown in, its scales and zoom window, cursor and marks,
// colours and identity. Trace kinds differ through the virtual operations
// below, kept in one fixed order; a kind appends its own after the last.
//
// The class spreads over several sources by topic:
//   QXTrace.cpp        lifecycle, buffers, naming, colours, copies, scales
//   TraceMapping.cpp   positions, values, pixels, read-outs, hit testing
//   TraceInterpolate.cpp  the 8x display interpolation
//   TraceRefresh.cpp   refills from sample buffers: mode, rates, references, Y unit
//   TraceZoom.cpp      zoom windows and history
//   TraceTicks.cpp     the Y ticks of the trace's own grid
//   TraceCursor.cpp    cursors, marks and their read-outs
//   TraceDataGraph.cpp plot columns, painting, colours on a device

#include "host/app/RateLimiter.h"
#include "host/units/References.h"
#include "host/units/UnitIds.h"
#include "platform/CmdTarget.h"
#include "platform/Color.h"
#include "platform/CriticalSection.h"
#include "platform/Geometry.h"
#include "platform/String.h"
#include "trace/core/PlotMaps.h"
#include "trace/core/PlotScan.h"
#include "trace/core/TickArray.h"
#include "trace/core/TraceDefs.h"
#include "trace/core/ZoomHistory.h"
#include "trace/model/TraceValue.h"

#include <array>
#include <memory>
#include <new>
#include <utility>
#include <vector>

class CArchive;
class CColorCycler;
class CCompute;
class CComputeList;
class CCursorMark;
enum CursorMarkType : int;
class CDC;
class CDispatchTable;
class CLimitLine;
class CScale;
class CSampleBuffer;
class CUnitSet;
class CXScale;
class CYScale;
struct SColumnSpan;
struct SFormat;
struct SPlotScan;
struct SReferences;

// The measurement domain of a trace's X axis.
enum EDomain : int {
    DOMAIN_TIME = 0,
    DOMAIN_FREQUENCY = 1,
};

// Units offered for an axis, as (unit, display name) pairs: what a unit
// combo box or menu lists.
using CUnitChoiceList = std::vector<std::pair<EUnit, CString>>;

class CQXTrace : public CCmdTarget {
    DECLARE_DYNAMIC(CQXTrace)
public:
    // The kind of analyser input the data came from.
    enum EMode : int {
        eModeNull = 0,
        eModeDigital = 1,
        eModeAnalogue = 2,
        eModeJDOData = 3,
        eModeJDOfs = 4,
        eModeSoundcard = 5,
    };

    // Reference values used for unit conversion, in their stored order.
    struct SReferenceBlock {
        double dAnalogueInputRange = 15455.3019;
        double dGenAnalogueReference = 21857.09754588;
        double dAnaAnalogueReference = 15455.3019;
        double dGenDigitalReference = SReferences::kFullScaleHex;
        double dAnaDigitalReference = SReferences::kFullScaleHex;
        double dGenImpedance = 600.0;
        double dAnaImpedance = 600.0;
        double dGenZerodBSPL = 200.0;
        double dAnaZerodBSPL = 200.0;
    };

    CQXTrace();
    // Stores the channel only. A kind finishes construction by calling
    // InitialiseTrace(iDataSize) at the end of its own constructor, once its
    // type is set: the steps call the kind's virtual operations, which C++
    // does not reach while the base is being constructed.
    CQXTrace(ChannelNumber eChannel, int iDataSize, int iUnused);
    ~CQXTrace() override;
    CQXTrace(const CQXTrace&) = delete;
    CQXTrace& operator=(const CQXTrace&) = delete;

    void Serialize(CArchive& ar) override;

    // ---- Virtual operations, in slot order ------------------------------
    virtual bool UpdateTraceVariables(bool bLoading, bool bKeepRate, CSampleBuffer* pBuffer);      // 1
    virtual void UpdateRelativityAndResponse();                                                     // 2
    virtual void UpdateReferenceVariables(CSampleBuffer* pBuffer, bool bDefault);                   // 3
    virtual int GetRequiredTraceDataSize(CSampleBuffer* pBuffer);                                   // 4
    virtual bool IsRelative();                                                                      // 5
    virtual int GetRelativity();                                                                    // 6
    virtual void TraceOn(int iMatch, int bRegisterEvents);                                          // 7
    virtual void TraceOff(int bRemoveEvents);                                                       // 8
    virtual void SetInUse(int bInUse);                                                              // 9
    virtual int GetDataSize();                                                                      // 10
    virtual int ManageUsingYValues();                                                               // 11
    virtual int ManageUsingYData();                                                                 // 12
    virtual long GetTraceCreateExtraInfo();                                                         // 13
    virtual CString GetTraceName(int bIncludeChannel, int bIncludeTransformed, int bIgnoreUserName); // 14
    virtual int SetBuffer(int iDataSize);                                                           // 15
    virtual bool IsCTTrace();                                                                       // 16
    virtual bool IsFFTTrace();                                                                      // 17
    virtual bool IsSweepTrace();                                                                    // 18
    virtual bool IsLimitLine();                                                                     // 19
    virtual bool IsUserTrace();                                                                     // 20
    virtual bool CanCopy();                                                                         // 21
    virtual int AllocateTransformedYDataBuffer(int bLock);                                          // 22
    virtual void FreeTransformedYDataBuffer(int bLock);                                             // 23
    virtual int CopyYDataToTransformedBuffer();                                                     // 24
    virtual int IsValidComputeType(ComputeType eType);                                              // 25
    virtual double GetBandSum(int iBand, double dMinX, double dMaxX, double* pdSum, int* piMinPos,
                              int* piMaxPos, double* pdWidth);                                      // 26
    virtual int DrawingBandHistogram();                                                             // 27
    virtual int GetResultID();                                                                      // 28
    virtual int GetFFTDetectorID();                                                                 // 29
    virtual int GetMinXPos();                                                                       // 30
    virtual void SetMinXPos(int iPos);                                                              // 31
    virtual int GetMaxXPos();                                                                       // 32
    virtual void SetMaxXPos(int iPos);                                                              // 33
    virtual int GetCurrentMinXPos();                                                                // 34
    virtual void SetCurrentMinXPos(int iPos);                                                       // 35
    virtual int GetCurrentMaxXPos();                                                                // 36
    virtual void SetCurrentMaxXPos(int iPos);                                                       // 37
    virtual double GetMinXScaleValue();                                                             // 38
    virtual void SetMinXScaleValue(double dValue);                                                  // 39
    virtual double GetMaxXScaleValue();                                                             // 40
    virtual void SetMaxXScaleValue(double dValue);                                                  // 41
    virtual double GetCurrentMinXScaleValue();                                                      // 42
    virtual void SetCurrentMinXScaleValue(double dValue);                                           // 43
    virtual double GetCurrentMaxXScaleValue();                                                      // 44
    virtual void SetCurrentMaxXScaleValue(double dValue);                                           // 45
    virtual int CheckRange(double dValue, AxisType eAxis, int iUnit, int iFlag);                    // 46
    virtual int GetYAutoZoomData(double* pdMin, double* pdMax);                                     // 47
    virtual double GetMinXValue(EUnit eUnit);                                                       // 48
    virtual double GetMaxXValue(EUnit eUnit);                                                       // 49
    virtual double GetMinYValue(EUnit eUnit) = 0;                                                   // 50
    virtual double GetMaxYValue(EUnit eUnit) = 0;                                                   // 51
    virtual int CheckYScaleRange(double& dMin, double& dMax);                                       // 52
    virtual int CheckYScaleValue(double dValue, int iUnit);                                         // 53
    virtual int HasNegativeYData();                                                                 // 54
    virtual int HasPositiveYData();                                                                 // 55
    virtual void CalcDefaultXScaleValues(double* pdMin, double* pdMax);                             // 56
    virtual void CalcDefaultYScaleValues(double* pdMin, double* pdMax);                             // 57
    virtual int LoadTrace(CArchive& ar, int bPost);                                                 // 58
    virtual int UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* pOtherBuffer, int* pbSizeChanged); // 59
    virtual void Draw(CDC* pDC, int iLineWidth);                                                    // 60
    virtual void DefaultZoomX(int bUpdateViews, int bStoreHistory);                                 // 61
    virtual void DefaultZoomY(int bUpdateViews, int bStoreHistory);                                 // 62
    virtual int CanZoomX(int iMinPos, int iMaxPos);                                                 // 63
    virtual int CanUnZoomX();                                                                       // 64
    virtual int CanZoomY(double dMinData, double dMaxData);                                         // 65
    virtual int CanUnZoomY();                                                                       // 66
    virtual void SetXAutoZoomValues();                                                              // 67
    virtual void SetXDefaultZoomValues();                                                           // 68
    virtual void SetYAutoZoomValues();                                                              // 69
    virtual void SetYDefaultZoomValues() = 0;                                                       // 70
    virtual int GetXZoomCentrePoint();                                                              // 71
    virtual int GetXPosAtPoint(int iPoint);                                                         // 72
    virtual double GetYDataAtPoint(int iDeviceY);                                                   // 73
    virtual int GetYPointForData(double dData);                                                     // 74
    virtual int GetXPosForValue(double dValue, int iUnit);                                          // 75
    virtual double GetXValueAtPos(int iPos, int iUnit);                                             // 76
    virtual double GetYDataAtXPos(int iPos, int bTransformed);                                      // 77
    virtual double GetYDataAtXValue(double dValue, int bTransformed);                               // 78
    virtual int DrawYScaleFromData();                                                               // 79
    virtual int GetLogX();                                                                          // 80
    virtual void SetLogX(int bLog);                                                                 // 81
    virtual int GetLogY();                                                                          // 82
    virtual void SetLogY(int bLog);                                                                 // 83
    virtual CString GetValueStringForXPos(int iPos, int iUnit, SFormat* pFormat);                   // 84
    virtual CString GetValueStringForXValue(double dValue, int iUnit, SFormat* pFormat);            // 85
    virtual CString GetValueStringForYData(double dData, int iUnit, int iFlag, int bTransformed,
                                           SFormat* pFormat);                                       // 86
    virtual CString GetValueStringForYValue(double dValue, int iUnit, SFormat* pFormat);            // 87
    virtual int GetXUnit();                                                                         // 88
    virtual int GetYUnit();                                                                         // 89
    virtual void SetXUnit(int iUnit);                                                               // 90
    virtual void SetYUnit(int iUnit);                                                               // 91
    virtual EUnit GetDefaultXUnit() = 0;                                                            // 92
    virtual EUnit GetDefaultYUnit(EMode eMode, int iFlag) = 0;                                      // 93
    virtual double GetCursorMarkXValue(CCursorMark* pMark, int iUnit);                              // 94
    virtual double GetCursorMarkYValue(CCursorMark* pMark, int iUnit);                              // 95
    virtual int AdjustCursorPosition(int bLeftwards, int bFast);                                    // 96
    virtual int GetMinCursorXPos(bool bCurrent);                                                    // 97
    virtual int GetMaxCursorXPos(bool bCurrent);                                                    // 98
    virtual int GetYOrigin();                                                                       // 99
    virtual int CreateScales();                                                                     // 100
    virtual int CalcXTicks();                                                                       // 101
    virtual int CalcYTicks();                                                                       // 102
    virtual double GetYDataForValue(double dValue, int iUnit, int bTransformed);                    // 103
    virtual double GetYValueForData(double dData, int iUnit, int bAllowNegInf, int bTransformed);   // 104
    virtual EUnit GetStorageUnit(int iAxis);                                                        // 105
    virtual EUnit GetStorageUnit(AxisType eAxis);                                                   // 106
    virtual const CUnitSet* GetUnitSet(int iAxis) = 0;                                              // 107
    virtual EUnit GetUnit(int iAxis);                                                               // 108
    virtual int GetReferences(int iAxis, int bDefault, SReferences* pReferences) = 0;               // 109
    virtual void GetLogDetails(AxisType eAxis, int iFlag, int* piLog, int* piAuto) = 0;             // 110
    virtual int HasXData();                                                                         // 111
    virtual double* GetXData();                                                                     // 112
    virtual int CanDrawInBands();                                                                   // 113
    virtual int CanSumBinsInBands();                                                                // 114
    virtual double GetBandTotal(double dBand);                                                      // 115
    virtual int IsLimitConsistent(int iXUnit, int iYUnit);                                          // 116
    virtual ScaleType GetDefaultXScaleType() = 0;                                                   // 117
    virtual int CheckUnit(int iUnit, AxisType eAxis);                                               // 118
    virtual int GetUnitsList(AxisType eAxis, CUnitChoiceList* pCombo, CUnitChoiceList* pMenu, int iFlag); // 119
    virtual CQXTrace* CopyFrom(CQXTrace* pFrom) = 0;                                                // 120
    virtual int ManageDataSizeChange();                                                             // 121
    virtual bool ListHarmonics(bool bOn);                                                           // 122
    virtual void PostSerialize(CArchive& ar);                                                       // 123
    virtual void ManageSampleRateChange();                                                          // 124
    virtual void DataToPlot();                                                                      // 125

    // The TRACE_ members (trace/document/TraceOLEData.cpp); each acts on the
    // document's automation trace when one is set.
    const CDispatchTable* GetDispatchTable() const override;

    // ---- Lifecycle, identity and state -----------------------------------
    static int GetDefaultDataSize(TraceType eType);

    void UpdateMode(CSampleBuffer* pBuffer);
    // The rate from the buffer, or the host's (the current one when keeping).
    void SetSampleRate(CSampleBuffer* pBuffer, bool bKeepRate);
    void SetXDataRange(int iMin, int iMax);
    void SetXValueRange(double dMin, double dMax, int bSetCurrent);

    double* GetYDataBuffer(int bTransformed);
    short GetTraceID() const { return m_sTraceID; }
    void SetTraceID(short sID) { m_sTraceID = sID; }
    TraceType GetTraceType();
    TraceType GetOwnTraceType() const { return m_eTraceType; }
    EDomain GetDomain();
    ChannelNumber GetChannel() const { return m_eChannel; }

    const CString& GetUserName() const { return m_sTraceName; }
    void SetTraceName(const CString& sName) { m_sTraceName = sName; }
    const CString& GetComment() const { return m_sComment; }
    void SetComment(const CString& sComment) { m_sComment = sComment; }
    const CString& GetFileName() const { return m_sFileName; }
    void SetFileName(const CString& sFileName) { m_sFileName = sFileName; }

    int IsOn() const { return m_bOn; }
    int IsInUse() const { return m_bInUse; }
    int IsLive() const { return m_bLive; }
    void SetLive(int bLive);
    int IsCopy() const { return m_bCopy; }
    int GetInterpolated() const { return m_bInterpolated; }
    void SetInterpolated(int bInterpolated);
    bool IsJDO() const { return m_eMode == eModeJDOData || m_eMode == eModeJDOfs; }
    bool IsSoundcard() const { return m_eMode == eModeSoundcard; }
    bool IsRMS() const { return m_iResponse == 0; }
    EMode GetMode() const { return m_eMode; }
    bool IsUnlocked() const { return m_bInputUnlocked; }
    void SetInputUnlocked(bool bUnlocked) { m_bInputUnlocked = bUnlocked; }
    int GetNumSamplesZeroBin() const { return m_bUseZeroBin ? m_iNumSamplesZeroBin : 0; }
    double GetAnaVsGenFactor(int iChannel) const;
    double GetSampleRate() const { return m_dSampleRate; }
    double GetJDOSampleRate() const { return m_dJDOSampleRate; }
    int IsFromImpulseResponse() const { return m_bFromImpulseResponse; }
    const SReferenceBlock& GetReferenceBlock() const { return m_References; }
    // The Y unit kept for each kind of input.
    int GetYDigUnit() const { return m_iYDigUnit; }
    int GetYAnaUnit() const { return m_iYAnaUnit; }
    int GetYSoundcardUnit() const { return m_iYSoundcardUnit; }
    int GetYJDOUnit() const { return m_iYJDOUnit; }
    int GetMinLimitBreached() const { return m_iMinLimitBreached > 0; }
    int GetMaxLimitBreached() const { return m_iMaxLimitBreached > 0; }
    void SetMinLimitBreached(int iCount) { m_iMinLimitBreached = iCount; }
    void SetMaxLimitBreached(int iCount) { m_iMaxLimitBreached = iCount; }
    // Breach counts since the last reset (the flags above say whether above 0).
    int GetMinLimitBreachCount() const { return m_iMinLimitBreached; }
    int GetMaxLimitBreachCount() const { return m_iMaxLimitBreached; }

    // ---- Limit checking (trace/limits/LimitCheck.cpp) ----------------------
    // Attaches pLimitLine (null detaches) as the TT_MAXLIMITLINE or
    // TT_MINLIMITLINE of this trace, replacing the one there (after asking,
    // with bAsk); 0 when the user declines or the call makes no sense.
    int SetLimitLineForTrace(CLimitLine* pLimitLine, TraceType eLimitLineTraceType, int bTurnOn, int iRemoveFlag,
                             int bAsk);
    // Compares the whole trace with its limit lines that are on; each kind
    // of breach fires its script event and counts once per call.
    void CheckLimits();
    // The positions where the last CheckLimits found the trace above its
    // maximum (bMax) or below its minimum, ascending.
    const std::vector<int>& GetLimitBreachPositions(bool bMax) const
    {
        return bMax ? m_aiMaxLimitBreaches : m_aiMinLimitBreaches;
    }
    // Redraws the plot where the last check found a breach of a limit line
    // that is on, in that line's colour and twice as wide, so a failed check
    // shows where it failed.
    void DrawLimitBreaches(CDC* pDC, int iLineWidth);

    // Colours.
    COLORREF GetScreenColor() const { return m_crColor; }
    COLORREF GetDefaultColor() const { return m_crDefaultColor; }
    COLORREF GetPrintColor() const { return m_crPrintColor; }
    void SetColor(COLORREF crColor);
    void SetPrintColor(COLORREF crColor) { m_crPrintColor = crColor; }
    void InitialiseColors(int bAlsoPrintColor);
    COLORREF GetNextCopyColor();
    int GetPrintStyle() const { return m_iPrintStyle; }
    void SetPrintStyle(int iStyle) { m_iPrintStyle = iStyle; }

    // Files (trace/file/TraceRecord.cpp). Set while the record is written or
    // read inside a graph configuration, where it also carries the Y scale.
    int IsSerializingConfig() const { return m_bSerializingConfig; }
    void SetSerializingConfig(int bConfig) { m_bSerializingConfig = bConfig; }
    // The show-transformed state a record asked for, applied once the
    // computes are complete (PostSerializeTransformations).
    int GetShowTransformedRequest() const { return m_bShowTransformedRequest; }
    double GetRelativityOtherValue() const { return m_dRelativityOtherValue; }

    // Copies.
    void SetCopyDetails(CQXTrace* pCopyFrom);
    int CopyStdTraceDetails(CQXTrace* pFrom);
    void CopyZoomHistory(CQXTrace* pFrom);
    void UpdateTriggerDetailsFrom(CQXTrace* pFrom);

    // Scales, shared with other traces of the channel.
    CXScale* GetXScale() const { return m_pXScale; }
    CYScale* GetYScale() const { return m_pYScale; }
    CXScale* CreateXScale();
    CYScale* CreateYScale();
    void DeleteXScale();
    void DeleteYScale();
    void UpdateXScales(CXScale* pScale);
    void UpdateYScales(CYScale* pScale);
    // Forgets both scales without deleting them: for the document, which
    // deletes every scale it holds once, whoever shares it.
    void DetachScales() { m_pXScale = nullptr; m_pYScale = nullptr; }
    const CTickArray& GetTicks() const { return m_aiTicks; }
    CTickArray& GetTicks() { return m_aiTicks; }
    // Y ticks spaced automatically (non-zero) or spread over the tick count.
    int GetYAutoIntervals() const { return m_bYAutoIntervals; }
    void SetYAutoIntervals(int bAuto) { m_bYAutoIntervals = bAuto; }
    // The trace whose colour a scale shows for this one: a limit line's parent.
    CQXTrace* GetScaleColorTrace()
    {
        CQXTrace* pParent = IsLimitLine() ? GetParentTrace() : nullptr;
        return pParent ? pParent : this;
    }

    // Limit lines attached to this trace (owned). They are CLimitLine
    // objects, held through their trace base so that the trace can recalc,
    // resize and delete them without the limit-line class.
    CQXTrace* GetMaxLimitLine() const { return m_pMaxLimitLine; }
    CQXTrace* GetMinLimitLine() const { return m_pMinLimitLine; }
    // Takes a limit line off this trace without deleting it.
    void DetachLimitLine(const CQXTrace* pLimit)
    {
        if (pLimit && m_pMaxLimitLine == pLimit) m_pMaxLimitLine = nullptr;
        if (pLimit && m_pMinLimitLine == pLimit) m_pMinLimitLine = nullptr;
    }
    // The trace a limit line belongs to; null for every other kind.
    CQXTrace* GetOwnerTrace() { return IsLimitLine() ? GetParentTrace() : nullptr; }

    // Cursor and marks (owned).
    CCursorMark* GetCursor() const { return m_pCursor; }
    CCursorMark* GetRelativeCursor() const { return m_pRelativeCursor; }
    CCursorMark* GetMark(int i) const;
    int GetCurrentMark() const { return m_iCurrentMark; }
    int IsCursorOn() const { return m_bCursorOn; }
    int IsRelativeCursorOn() const { return m_bRelativeCursorOn; }
    void RemoveInvalidCursorMarks();
    int HasTransformedYData() const { return m_pTransformedYData != nullptr; }
    void CursorOn();
    void CursorOff();
    void RelativeCursorOn();
    void RelativeCursorOff();
    void SetCursorPosition(int iPos);
    void SetRelativeCursorPosition(int iPos);
    int GetCursorXUnit();
    void SetCursorXUnit(int iUnit, int bUpdateViews);
    int GetCursorYUnit();
    void SetCursorYUnit(int iUnit, int bUpdateViews);
    // Marks are packed: slots 0 .. n - 1 hold the n marks.
    int AddMark(int iPos, int bUpdateViews);
    int RemoveMark(int iMark, int bUpdateViews);
    int RemoveCurrentMark();
    void RemoveAllMarks(int bUpdateViews);
    int GetNumMarks() const; // free slots
    int GetLastMark() const;
    int HasMarks() const { return m_apMarks[0] != nullptr; }
    int SetCurrentMark(int iMark);
    int GetMarkPosition(int iMark, int bAbsolute) const;
    int SetMarkPosition(int iMark, int iPos);
    CString GetMarkLabel(int iMark, int bWithNumber) const;
    int SetMarkLabel(int iMark, CString& sLabel, bool bUpdateViews);
    double GetSumOfMarks(int iUnit, int bExcludeFirst);
    void MarksOn();
    void MarksOff();
    int AreMarksOn() const { return m_bMarksOn; }
    int GetShowMarksOnScreen() const { return m_bShowMarksOnScreen; }
    int GetPrintMarks() const { return m_bPrintMarks; }
    // The label of harmonic mark iIndex (0: "Fundamental" .. 19: "Twentieth").
    static CString GetHarmonicLabel(int iIndex);
    // The value GetValueStringForYData shows for a datum in a unit (not -1).
    double GetYReadOutValue(double dData, int iUnit, int bTransformed);
    // Read-out texts: the value in the unit, " (r)" appended while relative;
    // empty when there is no value or the axis's unit set lacks the unit.
    CString GetCursorMarkXText(CCursorMark* pMark, int iUnit);
    CString GetCursorMarkYText(CCursorMark* pMark, int iUnit);
    CString GetXCursorText(int iUnit) { return GetCursorMarkXText(m_pCursor, iUnit); }
    CString GetYCursorText(int iUnit) { return GetCursorMarkYText(m_pCursor, iUnit); }
    // The marks list's sum line ("<value> <unit name>") and its caption.
    CString GetSumOfMarksText(int iUnit, int bExcludeFirst);
    CString GetSumOfMarksCaption(int bExcludeFirst);

    // Locks: the trace lock guards the Y data against plot building; the
    // transform lock guards the transformed array.
    int LockTrace() { m_TraceLock.Lock(); return 1; }
    int UnlockTrace() { m_TraceLock.Unlock(); return 1; }
    CCriticalSection* GetTransformLock() const { return m_pTransformLock.get(); }

    void RecalcTrace();
    int NeedsRecalc() const { return m_bRecalcPlot; }
    // ---- Computes (trace/compute/TraceCompute.cpp) -------------------------
    // The trace owns its list (null: none) and its transformed buffer; the
    // compute trace, a copy that shows the result of a live trace, belongs
    // to the document.
    CComputeList* GetComputeList() const { return m_pComputeList; }
    CQXTrace* GetComputeTrace() const { return m_pComputeTrace; }
    // Set when new raw data arrive (only while a list exists); a run clears it.
    int GetComputeRequired() const { return m_bComputeRequired; }
    void SetComputeRequired(int bRequired);
    // Set by every successful run of the transforms.
    int GetComputed() const { return m_bComputed; }
    // Creates an empty list when there is none; 1 when one exists after.
    int EnsureComputeListValid();
    // A deep copy of pList becomes the trace's list; null deletes it.
    void SetComputeList(const CComputeList* pList);
    // Deletes the list unless another trace of the document holds the same object.
    void DeleteComputeList();
    void SetComputeTrace(CQXTrace* pTrace);
    // 0 for a live trace; else whether a live trace shows its result here.
    int IsComputeTrace();
    // Allocates the transformed buffer when missing, then copies the raw data in.
    int InitialiseTransformedData();
    int HasTransformedYDataBuffer() const { return m_pTransformedYData != nullptr; }
    // Whether the result is shown: derived from the transformed buffer and
    // the compute trace, never stored.
    int GetShowTransformedYData();
    // The trace the list runs on: this one in place (raw data copied into the
    // transformed buffer) or the compute trace (refreshed from this one);
    // created with bCreate; null when there is none.
    CQXTrace* GetTraceToPerformComputationsOn(int bApplyToCopy, int bCreate);
    // Runs a list or one transform on this trace; on success recalculates,
    // updates the views when asked and marks the data computed.
    int DoComputations(CComputeList* pList, int bUseTransformedYData, int iReserved, int bUpdateViews);
    int DoComputation(CCompute* pCompute, int bUseTransformedYData, int iReserved, int bUpdateViews);
    // Shows the result (running the list) or hides it (freeing the buffer,
    // removing the compute trace); 0 without a list or when the run fails.
    int SetShowTransformedYData(int bShow, int bUpdateViews);
    // Replaces the list by one enabled transform of a type (with its
    // defaults) and shows the result; 0 when it cannot be made or run.
    int ShowSingleCompute(ComputeType eType, int bUpdateViews);
    // Re-runs the list after new raw data, creating nothing.
    int ApplyComputationsOnTraceDataChange(int bUpdateViews);
    // A trace of the document is going: forget it as the compute trace and
    // tell every transform.
    void OnTraceDeleted(CQXTrace* pDeleted);
    // At the first transform that does not suit the units, hides the result
    // and deletes the whole list (0); 1 when all suit.
    int ValidateComputeList(int iXUnit, int iYUnit);
    // After loading: completes the transforms and applies the show request.
    void PostSerializeTransformations();
    // Runs the "Live Trace transforms" dialog for this trace (ComputeListDlg.cpp).
    int ShowComputeListDlg();
    void OnTriggerBinChanged();
    void UpdateRelativityOtherValue();

    // ---- Value mapping and lookup ----------------------------------------
    // The columns of the plot rectangle over the current X window in the X
    // scale unit, or in iUnit (a log window's start corrected).
    SXMap MakeXMap();
    SXMap MakeXMapInUnit(int iUnit);
    // Data to heights as they stand, asked once per plot build. A kind that
    // maps Y its own way (overrides GetYPointForData) gives its own map, or
    // none: each datum then goes through GetYPointForData.
    virtual SYMap MakeYMap();
    // X values (in the X map's unit) to positions, affine over the window,
    // or not valid where positions are not affine in values (kinds with an
    // X array): each column then asks GetXPosForValue.
    virtual SAffineMap MakePositionMap(const SXMap& xmap);
    // The position under the left edge of column i.
    int ColumnPosition(const SXMap& xmap, const SAffineMap& positions, int i);
    double GetXValueAtPoint(int iDeviceX);
    int GetXPointForPos(int iPos);
    int GetXPointForValue(double dValue, int iUnit);
    int XScaleEncompasses(double dMin, double dMax, int iUnit);
    double GetYValueAtPoint(int iDeviceY);
    int GetYPointForValue(double dValue, int iUnit, Polarity ePolarity);
    int GetNearestPointOnTrace(int x, int y, CPoint* pPoint);
    int HitTest(CPoint point, CPoint* pNearest);
    int PointOnTrace(CPoint point, CPoint& result);
    const CRect& GetDrawRect() const { return m_rcDraw; }
    // Sets the plot rectangle of the trace and its limit lines.
    void SetDrawRect(const CRect& rect);

    // ---- Plot and drawing ------------------------------------------------
    // Cursor (and relative cursor), then marks, over the drawn curve.
    void DrawCursor(CDC* pDC);
    void DrawMarks(CDC* pDC);
    void DrawCursorAndMarks(CDC* pDC);
    // The pen colour on a device (its drawing context says print colour,
    // black and white, and the background a white trace would vanish on).
    COLORREF GetColor(CDC* pDC);
    // The last plot: per column the lowest and highest height above the Y
    // origin row (2147483647: no data), that row, and whether the columns
    // hold reduced spans (else a line through the points).
    const std::vector<int>& GetPlotMinArray() const { return m_ipPlotMin; }
    const std::vector<int>& GetPlotMaxArray() const { return m_ipPlotMax; }
    int GetPlotYOrigin() const { return m_iYOrigin; }
    int IsPlotInColumns() const { return m_bColumnMode; }

    // ---- Zoom ------------------------------------------------------------
    void ZoomX(int bUpdateViews, int iMinPos, int iMaxPos, int bStoreHistory);
    void ZoomY(int bUpdateViews, double dMinData, double dMaxData, int bStoreHistory);
    void ZoomXAndY(int bUpdateViews, int iMinPos, int iMaxPos, double dMinData, double dMaxData, int bStoreHistory);
    void UnZoomX(int bUpdateViews, int bStoreHistory);
    void UnZoomY(int bUpdateViews, int bStoreHistory);
    void UnZoomXAndY(int bUpdateViews);
    void AutoZoomX(int bUpdateViews, int bStoreHistory);
    void AutoZoomY(int bUpdateViews, int bStoreHistory);
    void AutoZoomXAndY(int bUpdateViews);
    void DefaultZoomXAndY(int bUpdateViews);
    void CalcNewXZoomValues(double dFactor, int iCentrePos, int* piMin, int* piMax);
    void CalcNewYZoomValues(double dFraction, double* pdMinData, double* pdMaxData);
    void AdjustScaleValuesForAutoZooming(double* pdMin, double* pdMax, double dSpan);
    int StoreCurrentZoomDetails();
    int RestoreLastZoomDetails();
    int HasZoomHistory() const { return m_ZoomHistory.GetCount() > 0; }
    void ResetZoomHistory() { m_ZoomHistory.ResetHistory(); }
    const CZoomHistory& GetZoomHistory() const { return m_ZoomHistory; }

    double GetCurrentMinYData() const { return m_dCurrentMinYData; }
    double GetCurrentMaxYData() const { return m_dCurrentMaxYData; }
    void SetCurrentMinYData(double d) { m_dCurrentMinYData = d; }
    void SetCurrentMaxYData(double d) { m_dCurrentMaxYData = d; }
    double GetCurrentMinYScaleValue() const { return m_dCurrentMinYScaleValue; }
    double GetCurrentMaxYScaleValue() const { return m_dCurrentMaxYScaleValue; }
    void SetCurrentMinYScaleValue(double d) { m_dCurrentMinYScaleValue = d; }
    void SetCurrentMaxYScaleValue(double d) { m_dCurrentMaxYScaleValue = d; }
    double GetYOffset() const { return m_dYOffset; }
    void SetYOffset(double d) { m_dYOffset = d; }

protected:
    void InitialiseTrace(int iDataSize);
    void SetPointersToNull();
    int FindBinForXValue(double dValue, int iUnit);
    // AddMark with the kind of mark given (sweeps add time-out marks).
    int AddMarkOfKind(int iPos, CursorMarkType eKind, int bUpdateViews);
    // Reports an allocation failure: the fatal log line and message 0x8004.
    static void ReportOutOfMemory(const char* file, unsigned line);

    // Hooks through which the limit-line, filter, sweep and response kinds
    // take part in the base operations; the base answers for a plain trace.
    // The trace a limit line belongs to; null for every other kind.
    virtual CQXTrace* GetParentTrace() { return nullptr; }
    // Non-zero for a limit line kept as a limit table: it zooms through its parent.
    virtual int ZoomsWithParentTrace() { return 0; }
    // Filter type of a filter trace: 1000 CT detector, 1001 FFT parameters,
    // otherwise the FFT detector number.
    virtual int GetFilterType() { return 0; }
    // The sweep's result string or the response trace's function name.
    virtual CString GetKindName() { return CString(); }
    // Cursor values kept across a change of data size, in GetXUnit().
    void NoteOldCursorValues(double* pdX, double* pdXRel);
    void SetNewCursorValues(double dX, double dXRel);

    // Limit checking of one point (a trace that grows point by point), the
    // two whole-trace scans, and dropping limit lines whose units no longer
    // suit the trace.
    void CheckLimitAtPoint(int iPos);
    // The trace grew (a sense sweep): per-point limit lines grow with it.
    void ExtendLimitLinesTo(int iDataSize);
    void CheckLimitsAgainstLimitTables();
    void CheckLimitsAgainstTraceData();
    void CheckLimitLinesConsistent(int iRemoveFlag);
    void ReportLimitBreaches(bool bMinBreached, bool bMaxBreached);

    // Per-point polarity data of a limit line, sized with the Y array.
    virtual void FreePolarityData() {}
    virtual int AllocatePolarityData(int /*iDataSize*/) { return 1; }
    // The datum the plot draws for the stored Y value at a position (+DBL_MAX
    // stays missing); a limit line converts its limit into its trace's
    // storage unit and applies its polarity. Called in line mode only.
    virtual double GetPlotDataAtPos(int /*iPos*/, double dStored) { return dStored; }
    // Columns left of this offset from the plot's left edge are drawn dotted
    // (FFT kinds: below the lowest valid frequency); 0 for none.
    virtual int GetLowestValidXPoint() { return 0; }
    // The field GetDataSize answers from, so that a plot scan checks the size
    // per column without a virtual call; null where the size lives elsewhere.
    virtual const int* DataSizeField() const { return &m_iDataSize; }
    // Height above the origin of a datum on a logarithmic Y axis, mapped
    // through the Y unit (shared by the kinds that map Y in display values).
    int GetLogYPoint(double dData);

    // Plot building shared with the kinds that reduce columns their own way.
    // The array the plot reads (transformed when present) and the column count.
    const double* GetPlotYArray() const;
    int GetPlotColumns() const;
    // Whether position iPos may still be read under the scan (a refill may
    // have replaced the array); logs the race, rate-limited, when not.
    bool PlotScanValid(const SPlotScan& scan, int iPos, int iLine);
    // Whether heights follow the order of the data, so that a column's
    // extremes can be taken in data and mapped alone.
    bool YMappingFollowsData();
    // The span of positions iFirst .. iLast, ending at the first without a
    // height; false when the scan lost its array. *pbWhole (when given) is
    // set when the span holds the heights of every position of the run
    // through the scan's map, so any of them maps inside it.
    bool ColumnSpanAt(const SPlotScan& scan, int iFirst, int iLast, bool bFollowsData, SColumnSpan* pSpan,
                      bool* pbWhole = nullptr);
    // The height of the datum at iPos through the scan's map; none outside the array.
    int PlotHeightAt(const SPlotScan& scan, int iPos);
    // The one column reducer: every column's span from its plan (the X side)
    // and the scan's Y map.
    void ColumnsToPlot(const SPlotScan& scan, const SColumnPlan& plan);
    // The plan for a key, reused when the last one was built for the same
    // key, else rebuilt by fnBuild(plan); null when memory runs out.
    template <class F>
    const SColumnPlan* ColumnPlanFor(const SColumnPlan::SKey& key, int iColumns, bool bPoints, F&& fnBuild);

    // ---- Fields, in the order of the data model ---------------------------
    COLORREF m_crColor = 0xFFFFFF;
    COLORREF m_crDefaultColor = 0xFFFFFF;
    COLORREF m_crPrintColor = 0xFFFFFF;
    std::unique_ptr<CColorCycler> m_pColorCycler;
    int m_bLive = 0;
    int m_bOn = 0;
    int m_bInUse = 0;
    int m_iYDigUnit = 0;
    int m_iYAnaUnit = 0;
    int m_iYJDOUnit = 0;
    int m_iYSoundcardUnit = 0;
    int m_iYRelativeUnit = 0;
    int m_iCursorXUnit = 0;
    int m_iCursorYDigUnit = 0;
    int m_iCursorYAnaUnit = 0;
    int m_iCursorYSoundcardUnit = 0;
    int m_iCursorYJDOUnit = 0;
    int m_iCursorYRelativeUnit = 0;
    short m_sTraceID = 0;
    int m_iDataSize = 0;
    std::unique_ptr<double[]> m_pXData;
    std::unique_ptr<double[]> m_pYData;
    std::unique_ptr<double[]> m_pTransformedYData;
    int m_iMinLimitBreached = 0;
    int m_iMaxLimitBreached = 0;
    std::vector<int> m_aiMinLimitBreaches;
    std::vector<int> m_aiMaxLimitBreaches;
    CString m_sTraceName;
    CXScale* m_pXScale = nullptr;
    CYScale* m_pYScale = nullptr;
    int m_bCopy = 0;
    TraceType m_eTraceType = TT_SCOPE;
    ChannelNumber m_eChannel = CHANNEL_BOTH;
    int m_bInterpolated = 0;
    CString m_sComment;
    CString m_sFileName;
    int m_bLogY = 0;
    std::vector<int> m_ipPlotMin;
    std::vector<int> m_ipPlotMax;
    int m_bPlotValid = 0;
    CTickArray m_aiTicks;
    int m_bYAutoIntervals = 1;
    int m_bCursorOn = 0;
    int m_bRelativeCursorOn = 0;
    int m_bShowMarksOnScreen = 0;
    int m_bPrintMarks = 1;
    int m_bMarksOn = 0; // the switch MarksOn/MarksOff answer for, whatever the two above say
    CCursorMark* m_pCursor = nullptr;
    CCursorMark* m_pRelativeCursor = nullptr;
    CQXTrace* m_pMaxLimitLine = nullptr;
    CQXTrace* m_pMinLimitLine = nullptr;
    double m_dYOffset = 0.0;
    double m_dYOffsetData = 0.0; // the offset kept next to m_dYOffset, in data
    bool m_bZoomFromOtherChannel = false;
    CTraceValue m_XValue{1};
    CTraceValue m_YValue{2};
    std::array<CCursorMark*, MAX_MARKS> m_apMarks{};
    int m_iCurrentMark = -1;
    int m_iMinXPos = 0;
    int m_iMaxXPos = 0;
    int m_iCurrentMinXPos = 0;
    int m_iCurrentMaxXPos = 0;
    double m_dCurrentMinYData = -DBL_MAX;
    double m_dCurrentMaxYData = DBL_MAX;
    double m_dCurrentMinYScaleValue = -DBL_MAX;
    double m_dCurrentMaxYScaleValue = DBL_MAX;
    double m_dMinXScaleValue = -DBL_MAX;
    double m_dMaxXScaleValue = DBL_MAX;
    CRect m_rcDraw{-1, -1, -1, -1};
    EMode m_eMode = eModeNull;
    int m_iRelativity = 0;
    int m_iResponse = 0;
    SReferenceBlock m_References;
    double m_dSampleRate = -1.0;
    double m_dJDOSampleRate = -1.0;
    double m_dFullScaleHex = SReferences::kFullScaleHex;
    bool m_bInputUnlocked = false;
    int m_iNumSamplesZeroBin = 0;
    bool m_bUseZeroBin = false;
    bool m_bFromImpulseResponse = false;
    double m_dAnaVsGenFactor = 1.0;
    int m_iInterpolationFactor = 1;
    bool m_bRecalcPlot = true;
    CComputeList* m_pComputeList = nullptr;
    CQXTrace* m_pComputeTrace = nullptr;
    int m_bComputeRequired = 0;
    std::unique_ptr<CCriticalSection> m_pTransformLock;
    CZoomHistory m_ZoomHistory;
    CCriticalSection m_TraceLock;
    int m_bSerializingConfig = 0;
    int m_bShowTransformedRequest = 0;
    int m_bComputed = 0;
    double m_dRelativityOtherValue = 0.0;

    // Drawing state of the last plot.
    int m_iYOrigin = 0;
    int m_bColumnMode = 0;
    COLORREF m_crPen = 0;
    int m_iPenWidth = 1;
    int m_iPrintStyle = TRACE_PRINTSTYLE_SOLID;
    // Reports of a refill racing the plot scan, per trace.
    CRateLimiter m_PlotRaceReports{1, 10000};
    // The last column plan, reused while its key holds (DataToPlot only).
    SColumnPlan m_ColumnPlan;

private:
    // Reads and writes the trace record with the fields as they are.
    friend class CTraceRecord;

    void InitialiseMemberVars();

    // Helpers of the lifecycle, naming and copy operations.
    int AllocateDataArrays(int iDataSize);
    void RestoreXWindow(double dOldMin, double dOldMax);
    CString GetTypeText();
    // Whether the list runs on a compute trace: asked for, and this is a live trace.
    int AppliesToCopy() const;
    // Deletes the list as the trace goes (no other trace is asked).
    void DestroyComputeList();
    // Resizes the compute trace and copies this trace's raw data into it.
    void RefreshComputeTrace();
    void RegisterLimitEvent(CQXTrace* pParent);
    EMode ModeFromAnalyserSettings();
    int CopyDataFrom(CQXTrace* pFrom);
    void CopyStateFrom(CQXTrace* pFrom);
    void CopyViewFrom(CQXTrace* pFrom);
    void CopyScalesFrom(CQXTrace* pFrom);
    void CopyCursorsFrom(CQXTrace* pFrom);
    CQXTrace* FindOtherTraceSharing(const CScale* pScale);
    static void ReleaseScale(CScale* pScale);
    int* YUnitField(int bCursor);

    // Helpers of the value mapping.
    int GetReferencesForY(int bTransformed, SReferences* pReferences);
    void GetXWindowInUnit(int iUnit, double* pdMin, double* pdMax);
    int UseCarefulXMapping(int iUnit);

    // The 8x display interpolation.
    int InterpolateData();

    // Plot building and painting.
    int UsesCarefulPlotX();
    void PlanLinearColumns(SColumnPlan& plan, const SPlotScan& scan, double dPointsPerColumn);
    void PlanLogColumns(SColumnPlan& plan, const SPlotScan& scan, const SXMap& xmap, const SAffineMap& positions);
    void LinesToPlot(const SPlotScan& scan);
    int PenWidthFor(CDC* pDC, int iLineWidth);
    void Paint(CDC* pDC, int iLineWidth);
    void DoPaint(CDC* pDC);
    void DrawPolyLine(CDC* pDC, int iFirstColumn, int iEndColumn, int iPrintStyle, int iPatternScale, int* piMin,
                      int* piMax);
};

template <class F>
const SColumnPlan* CQXTrace::ColumnPlanFor(const SColumnPlan::SKey& key, int iColumns, bool bPoints, F&& fnBuild)
{
    if (m_ColumnPlan.Serves(key) && static_cast<int>(m_ColumnPlan.aiFirst.size()) == iColumns) return &m_ColumnPlan;
    try {
        m_ColumnPlan.Reset(key, iColumns, bPoints);
    } catch (const std::bad_alloc&) {
        m_ColumnPlan = SColumnPlan();
        return nullptr;
    }
    fnBuild(m_ColumnPlan);
    return &m_ColumnPlan;
}
