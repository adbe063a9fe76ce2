#pragma once
// CQXProperty: a host setting or axis value with the unit it is shown in, and
// the value formatter the library uses for every number it shows.

#include "host/units/UnitIds.h"
#include "platform/String.h"

#include <string>

// Optional formatting record; unset fields follow the unit.
struct SFormat {
    int m_iNumDPs = -1;            // decimal places; -1: the unit's own
    bool m_bIncludeUnit = false;   // append " " and the unit's display name
    bool m_bIncludeSign = false;   // "+" before positive numbers
};

class CQXProperty {
public:
    explicit CQXProperty(int iID = 0, EUnit eInUnit = UNIT_NULL) : m_iID(iID), m_eInUnit(eInUnit) {}
    virtual ~CQXProperty() = default;

    int GetID() const { return m_iID; }
    // The unit the value is shown in.
    EUnit GetInUnit() const { return m_eInUnit; }
    // Refused (false, with an assertion) for a unit this property does not offer.
    bool SetInUnit(int iUnit);
    // Any unit with a unit object.
    virtual bool IsUnitValid(int iUnit) const;

    // Text of a value in a unit (flags: EFormatFlags; pFormat may be null).
    //  - decimal places from the unit (or pFormat), hexadecimal digits for
    //    UNIT_HEX ("5A8278", "-7FFFFF");
    //  - a sign when asked for or when the unit shows one (dBr, dB, offset, ppm);
    //  - minus infinity (-DBL_MAX) reads as -200 in dB units and "-inf" elsewhere;
    //  - a missing value (DBL_MAX) reads "---" whatever the unit;
    //  - an id without a unit object is formatted with 2 places after an assertion;
    //  - values that round to zero never show "-0".
    static CString DoFormatValue(double dValue, int iUnit, int iFlags, const SFormat* pFormat);
    // The same text appended to sText (long tables format without a string per value).
    static void AppendFormattedValue(std::wstring& sText, double dValue, int iUnit, int iFlags,
                                     const SFormat* pFormat);

private:
    int m_iID;
    EUnit m_eInUnit;
};
