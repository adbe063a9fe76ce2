#pragma once
// A settings object: a bag of properties keyed by numeric id (SettingsIds.h).
// Each object defines its properties with their defaults when constructed;
// afterwards only defined ids can be read or written.
//
// Failure values: reading an id the object does not define, or reading it
// as the wrong kind, logs an assert and gives 0 (enum/int/bool), 0.0
// (double) or an empty string. Setters return false in those cases.
// Reads are binary searches in a small sorted array: no allocation.

#include "host/settings/SettingsIds.h"
#include "host/units/References.h"
#include "host/units/UnitIds.h"
#include "platform/String.h"

#include <memory>
#include <vector>

enum class ESettingKind : int { eInt, eDouble, eString };

class CDblUnitProperty;

class CSettingsBase {
public:
    virtual ~CSettingsBase() = default;
    CSettingsBase(const CSettingsBase&) = delete;
    CSettingsBase& operator=(const CSettingsBase&) = delete;

    // A short name for log lines ("Analyser", "FFT detector 2", ...).
    const char* GetSettingsName() const { return m_szName; }

    bool HasProperty(int iId) const { return Find(iId) != nullptr; }
    // The kind of a defined property; eInt with an assert for unknown ids.
    ESettingKind GetPropertyKind(int iId) const;
    // The unit a double property is stored (and by default shown) in;
    // UNIT_NULL for integer and text properties, UNIT_INVALID (assert) when unknown.
    EUnit GetPropertyUnit(int iId) const;
    // The unit a double property is shown in by default (its storage unit
    // unless defined otherwise); UNIT_INVALID (assert) when unknown.
    EUnit GetPropertyDisplayUnit(int iId) const;
    // Host unit-set id (EUnitSetId) a double property's value may be shown
    // in; UNITSET_NONE (0) if none, -1 (assert) when unknown.
    int GetPropertyUnitSet(int iId) const;
    // Whether a unit is one the property may be shown in (its set offers it,
    // or it is the storage unit).
    bool IsPropertyUnitValid(int iId, int iUnit) const;
    // The references conversions of property iId use (from the current
    // analyser, signal-analyser and generator settings).
    virtual SReferences GetPropertyReferences(int iId) const;
    // A unit property carrying a double property's id, unit set, storage and
    // display unit, value and references, for code that converts through
    // CDblUnitProperty. Null (assert) for unknown or non-double ids.
    std::unique_ptr<CDblUnitProperty> MakeUnitProperty(int iId) const;

    int GetPropertyAsEnum(int iId) const { return GetPropertyAsInt(iId); }
    int GetPropertyAsInt(int iId) const;
    bool GetPropertyAsBool(int iId) const { return GetPropertyAsInt(iId) != 0; }
    // A double property in `eUnit` (its storage unit when eUnit is
    // UNIT_INVALID or UNIT_USESTORAGE); an integer property as a number.
    // A unit the value cannot be converted to gives 0.0 with an assert.
    double GetPropertyAsDouble(int iId, EUnit eUnit = UNIT_INVALID) const;
    // Text as stored; numbers formatted ("%d", "%.10g").
    CString GetPropertyAsString(int iId) const;

    bool SetProperty(int iId, int iValue);
    bool SetProperty(int iId, double dValue, EUnit eUnit = UNIT_INVALID);
    bool SetProperty(int iId, const CString& sValue);
    bool SetProperty(int iId, const wchar_t* szValue) { return SetProperty(iId, CString(szValue)); }

    // Unit set of a result held here, for a trace's axis (the trace passes its
    // domain, jitter flag and relativity). The base answers the property's
    // own unit set.
    virtual int DoGetUnitSet(int iId, int iDomain, int bJitter, int iRelativity) const;

    // Converts a value of property iId between two units; false when it
    // cannot. Time units (s, ms, samples, bins) go through the analyser's
    // nominal rate; everything else through the property's unit set with
    // GetPropertyReferences().
    virtual bool ConvertValue(int iId, double dValue, EUnit eFrom, EUnit eTo, double& dResult) const;

    // Restores every property to its default.
    void ResetToDefaults();

protected:
    explicit CSettingsBase(const char* szName) : m_szName(szName) {}

    void DefineInt(int iId, int iDefault);
    void DefineDouble(int iId, double dDefault, EUnit eUnit, int iUnitSet = 0, EUnit eDisplayUnit = UNIT_INVALID);
    void DefineString(int iId, const wchar_t* szDefault);

private:
    struct SProperty {
        int iId = 0;
        ESettingKind eKind = ESettingKind::eInt;
        EUnit eUnit = UNIT_NULL;
        EUnit eDisplayUnit = UNIT_NULL;
        int iUnitSet = 0;
        int iValue = 0;
        int iDefault = 0;
        double dValue = 0.0;
        double dDefault = 0.0;
        CString sValue;
        CString sDefault;
    };

    const SProperty* Find(int iId) const;
    SProperty* Find(int iId);
    SProperty& Define(int iId, ESettingKind eKind);
    const SProperty* FindOfKind(int iId, ESettingKind eKind, const char* szFunction) const;

    const char* m_szName;
    std::vector<SProperty> m_aProperties; // sorted by id
};

// Time conversions every settings object can do with a sample rate:
// seconds, milliseconds, samples and bins (a bin is one sample here).
// Returns false when either unit is not a time unit or the rate is not positive.
bool ConvertTimeUnits(double dValue, EUnit eFrom, EUnit eTo, double dSampleRate, double& dResult);
