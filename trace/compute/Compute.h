#pragma once
// CCompute: one transform of a trace's Y data (normalise, invert, smooth,
// band sum, relative), and the factory that makes one by type. A compute works on
// the buffer it is told to: the trace's own transformed buffer, or the raw
// data of a compute trace (a copy fed from a live trace). Its arithmetic
// lives in ComputeMath; its file record in trace/file/ComputeRecord.

#include "host/units/UnitIds.h"
#include "platform/Object.h"
#include "platform/String.h"
#include "trace/core/TraceDefs.h"

class CComputeListDlg;
class CQXTrace;

// What is about to happen to a compute in its list (ValidateWithinList).
enum EValidateAction : int {
    VALIDATE_EDITED = 0,
    VALIDATE_REMOVED = 1,
    VALIDATE_MOVED_UP = 2,
    VALIDATE_MOVED_DOWN = 3,
};

class CCompute : public CObject {
    DECLARE_DYNAMIC(CCompute)
public:
    explicit CCompute(ComputeType eType) : m_eComputeType(eType) {}
    ~CCompute() override = default;
    CCompute(const CCompute&) = delete;
    CCompute& operator=(const CCompute&) = delete;

    // The type, checked against the object's class.
    ComputeType GetComputeType() const;
    bool IsEnabled() const { return m_bEnabled; }
    void SetEnabled(bool bEnabled) { m_bEnabled = bEnabled; }

    // Completion after reading (a golden trace found by ID, for instance).
    virtual void PostSerialize() {}
    // Runs the transform on pTrace's chosen buffer; 0 stops the list's run.
    virtual int DoComputation(CQXTrace* pTrace, int bUseTransformedYData, int iReserved);
    // Copies type and enabled flag; the kinds add their fields.
    virtual void CopyFrom(const CCompute& from);
    // Defaults for a new transform of pTrace, before its dialog opens.
    virtual void InitialiseDetailsFromTrace(CQXTrace* pTrace);
    // The part of the list line in brackets after the type name.
    virtual CString GetDescriptionString() const;
    // Whether the transform still suits a trace shown in these units.
    virtual int ValidateComputeObject(int iXUnit, int iYUnit) const;
    virtual void OnTraceDeleted(CQXTrace* /*pDeleted*/) {}
    virtual EUnit GetDefaultXUnit(CQXTrace* pTrace);
    virtual EUnit GetDefaultYUnit(CQXTrace* pTrace);
    virtual double GetDefaultXValue(CQXTrace* pTrace);
    virtual double GetDefaultYValue(CQXTrace* pTrace);
    virtual EUnit GetXUnit() const { return UNIT_INVALID; }
    virtual EUnit GetYUnit() const { return UNIT_INVALID; }
    virtual int SetXUnit(EUnit) { return 0; }
    virtual int SetYUnit(EUnit) { return 0; }
    // Runs the dialog of the compute's type for pTrace, opened from the
    // transforms-list dialog; IDOK when the user saved it.
    virtual int ShowComputeDlg(CComputeListDlg* pParent, CQXTrace* pTrace);
    // Hooks for transforms that depend on their neighbours; none does yet.
    virtual bool ValidateWithinList(CQXTrace* /*pTrace*/, EValidateAction /*eAction*/) { return true; }
    virtual void EnsureListCorrect(int /*iFromIndex*/) {}

    // The type's name ("Normalize", ...), and its line in a list:
    // "<name> (<description>)".
    CString GetNameString() const;
    CString GetListLine() const;

    // A value and unit as descriptions show them: "-Infinity" for minus
    // infinity, else the unit's decimal places and its name.
    static CString FormatValueWithUnit(double dValue, int iUnit);

private:
    ComputeType m_eComputeType;
    bool m_bEnabled = true;
};

// The string id of a type's name; -1 (with an assertion) for other values.
int GetNameStrIDForComputeType(int eType);
// Whether a number names a compute type of this build.
bool IsKnownComputeType(int eType);
// A new compute of the type, initialised from pTrace when given; null (with
// an assertion) for a type this build does not make.
CCompute* CreateComputeObject(ComputeType eType, CQXTrace* pTrace);
