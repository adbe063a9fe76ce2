#pragma once
// CUnitSet: the units a quantity may be shown in, in menu order, and the
// conversion between them. The arithmetic comes from the family base of each
// concrete set (UnitSetFamilies.h); a family also converts its storage units
// that are not offered to the user (UNIT_HEX for amplitudes and jitter,
// UNIT_BINS for frequency and time), so IsUnitValid tells what a user may
// choose while ConvertValue accepts every unit of the family.

#include "host/units/Enumeration.h"
#include "host/units/UnitIds.h"
#include "host/units/UnitMath.h"

#include <vector>

struct SReferences;

class CUnitSet : public CEnumeration {
public:
    void AddUnit(EUnit eUnit) { Add(eUnit); }
    bool IsUnitValid(int iUnit) const { return Contains(iUnit); }
    // The unit at an index; UNIT_INVALID (with an assertion) outside the set.
    EUnit GetAt(int iIndex) const;
    std::vector<EUnit> GetUnits() const;

    // Whether the family's arithmetic knows a unit.
    bool CanConvert(int iUnit) const;

    // The value converted from one unit to another. UNIT_USEFIRST stands for
    // the first unit of the set; references may be null (defaults). DBL_MAX
    // (a missing value) passes unchanged. A unit the family does not know is
    // a programming error: it is logged and the result is DBL_MAX.
    double ConvertValue(double dValue, int iFromUnit, int iToUnit, const SReferences* pReferences) const;

protected:
    CUnitSet() = default;
    template <class... Units>
    void AddUnits(Units... eUnits) { (AddUnit(eUnits), ...); }
    // The family's conversion arithmetic.
    virtual UnitScaleFunction GetScaleFunction() const = 0;

private:
    EUnit ResolveUnit(int iUnit) const;
};
