#pragma once
// CDblUnitProperty: a floating value with a unit. It knows the unit set of
// its quantity, the unit it is stored in and the unit it is shown in, and
// Convert is the one conversion entry point the trace library uses.

#include "host/units/QXProperty.h"
#include "host/units/References.h"

#include <utility>
#include <vector>

class CUnitSet;

class CDblUnitProperty : public CQXProperty {
public:
    // The unit set by its id (EUnitSetId) or directly; a property may have none.
    CDblUnitProperty(int iID, int iUnitSetId, EUnit eStorageUnit, EUnit eInUnit);
    CDblUnitProperty(int iID, const CUnitSet* pUnitSet, EUnit eStorageUnit, EUnit eInUnit);

    // Overridden by properties whose set depends on their owner (a trace axis).
    virtual const CUnitSet* GetUnitSet() const { return m_pUnitSet; }
    void SetUnitSet(const CUnitSet* pUnitSet) { m_pUnitSet = pUnitSet; }
    // Overridden by properties whose storage unit belongs to their owner.
    virtual EUnit GetStorageUnit() const { return m_eStorageUnit; }
    void SetStorageUnit(EUnit eUnit) { m_eStorageUnit = eUnit; }

    // References used when a conversion is given none.
    const SReferences& GetReferences() const { return m_References; }
    void SetReferences(const SReferences& references) { m_References = references; }

    // The value in the storage unit, and in any unit of the set.
    double GetValue() const { return m_dValue; }
    void SetValue(double dValue) { m_dValue = dValue; }
    double GetValueInUnit(int iUnit, const SReferences* pReferences = nullptr) const;
    void SetValueInUnit(double dValue, int iUnit, const SReferences* pReferences = nullptr);

    // The value converted between two units. Pseudo-units: UNIT_USESTORAGE is
    // the storage unit, UNIT_USECURRENT the unit shown, UNIT_USEFIRST the first
    // unit of the set. Equal units return the value unchanged; otherwise the
    // set converts (DBL_MAX passes; without a set, or for a unit the set
    // cannot convert, the result is DBL_MAX after an assertion).
    double Convert(double dValue, int iFromUnit, int iToUnit, const SReferences* pReferences) const;

    // A unit is valid when the set offers it, or by the base test without a set.
    bool IsUnitValid(int iUnit) const override;

    // The units of the set as (id, display name), for unit combo boxes and menus.
    using SUnitChoice = std::pair<EUnit, CString>;
    std::vector<SUnitChoice> FillCombo() const;
    std::vector<SUnitChoice> FillMenu() const { return FillCombo(); }

private:
    EUnit ResolveUnit(int iUnit) const;

    const CUnitSet* m_pUnitSet;
    EUnit m_eStorageUnit;
    double m_dValue = 0.0;
    SReferences m_References;
};
