#pragma once
// CUnit: the immutable description of one unit (display name, automation
// name, decimal places, full range) and CPUnit, the handle through which code
// reaches the unit object of an id. Unit objects live in one static table
// (UnitClasses.cpp); nobody owns or frees them.
//
// Ids with no unit object (UNIT_INVALID, UNIT_USECURRENT, UNIT_USESTORAGE,
// UNIT_USEFIRST, UNIT_BINPOWER and the gaps between table rows) give a CPUnit
// that is not valid; dereferencing it logs an assertion and yields the
// UNIT_NULL object, so a bad id never crashes.

#include "host/units/UnitIds.h"
#include "platform/String.h"

#include <vector>

enum NUMBERBASE : int {
    NUMBERBASE_DECIMAL = 10,
    NUMBERBASE_HEXADECIMAL = 16,
};

class CUnit {
public:
    virtual ~CUnit() = default;
    CUnit(const CUnit&) = delete;
    CUnit& operator=(const CUnit&) = delete;

    EUnit GetEUnit() const { return m_eUnit; }
    // Display name: the abbreviation shown after numbers and in unit menus.
    const CString& GetName() const { return m_sName; }
    // Automation constant name used by scripts.
    const CString& GetOLEName() const { return m_sOLEName; }
    int GetNumDPs() const { return m_iNumDPs; }
    void GetFullRange(double& dMin, double& dMax) const { dMin = m_dMin; dMax = m_dMax; }
    // SI prefixes a user may type after a number ("kK", "kKM", "mu" or "").
    const wchar_t* GetAllowedMultipliers() const;
    NUMBERBASE GetBase() const;
    // Values are shown with an explicit sign (deviations and relative levels).
    bool IncludeSign() const;
    // Minus infinity (-DBL_MAX) is a legal value: the dB units.
    bool NegInfinityAllowed() const { return IsdBUnit(); }

    bool IsAmplitudeUnit() const;
    bool IsAbsoluteAmplitudeUnit() const;
    bool IsRelativeAmplitudeUnit() const;
    bool IsReferenceAmplitudeUnit() const;
    bool IsDigitalAmplitudeUnit() const;
    bool IsdBUnit() const;
    bool IsPercentUnit() const;
    bool IsFrequencyUnit() const;
    bool IsJitterUnit() const;
    bool IsAnalyserPhaseUnit() const;
    bool IsCarrierPhaseUnit() const;

protected:
    CUnit(EUnit eUnit, int iNumDPs, const wchar_t* sName, const wchar_t* sOLEName, double dMin, double dMax)
        : m_eUnit(eUnit), m_iNumDPs(iNumDPs), m_sName(sName), m_sOLEName(sOLEName), m_dMin(dMin), m_dMax(dMax) {}

private:
    EUnit m_eUnit;
    int m_iNumDPs;
    CString m_sName;
    CString m_sOLEName;
    double m_dMin;
    double m_dMax;
};

// Handle to the unit object of an id.
class CPUnit {
public:
    CPUnit(EUnit eUnit);
    explicit CPUnit(int iUnit);

    bool IsValid() const { return m_pUnit != nullptr; }
    EUnit GetId() const { return m_eUnit; }
    // The unit object; for an id without one, logs an assertion and gives the UNIT_NULL object.
    const CUnit* operator->() const;
    const CUnit& operator*() const { return *operator->(); }
    // Null for an id without a unit object (no assertion).
    const CUnit* Get() const { return m_pUnit; }

private:
    EUnit m_eUnit;
    const CUnit* m_pUnit;
};

// The unit object of an id, or null when the id has none.
const CUnit* FindUnitObject(int iUnit);
// True when the id names a dB unit (false for an id without a unit object).
bool IsdBUnit(int iUnit);

// Every unit id that has a unit object, in table order.
const std::vector<EUnit>& AllUnitIds();

// Enumerator name of any id for log lines ("UNIT_DBFS", "UNIT_USESTORAGE",
// "UNIT_JITTER_UIPP"); ids outside the enumeration give "UNIT_UNKNOWN".
const char* GetUnitDiagName(int iUnit);

// Id of a unit named by its automation name, its enumerator name or its
// display name, compared case-insensitively and tried in that order. Names
// that several units share resolve to the first of them in table order
// ("UI" is UNIT_JITTER_UI, "%" UNIT_RELATIVE_PERCENT, "UNIT_JITTER_UI" the
// non-peak unit; the enumerator names "UNIT_JITTER_UIPP" and "UNIT_JITTER_NSPP"
// reach the peak-to-peak units). Unknown or empty names give UNIT_INVALID.
EUnit FindUnitByName(const wchar_t* sName);
