#pragma once
// CVariant: the values a script engine passes through a dispatch table (I2,
// I4, R8, BOOL, BSTR, and empty), with the coercions the engine applies
// when an argument's type differs from the one a member declares.
//
// Coercion rules (as the engine's ChangeType does them):
//   R8 -> I2/I4   rounded half to even; outside the range: overflow
//   BOOL          true is -1, false 0 as a number; any non-zero number is true
//   BSTR -> number the whole text parsed as a number (spaces around allowed),
//                  then as R8; anything else: type mismatch
//   BSTR -> BOOL  "True"/"False" in any case, or a number
//   number -> BSTR decimal text, R8 with up to 15 significant digits
//   empty         0, false, or the empty string

#include "platform/String.h"

#include <cstdint>
#include <variant>

// Variant type codes, numbered as the automation framework numbers them.
enum VARTYPE : unsigned short {
    VT_EMPTY = 0,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_BYREF = 0x4000,
    // A VARIANT* parameter: the member writes a value back into the argument.
    VT_BYREF_VARIANT = VT_BYREF | VT_VARIANT,
};

// How a conversion or an automation call ended.
enum class EDispResult {
    ok,
    typeMismatch,   // the value cannot become the type asked for
    overflow,       // a number outside the range of the type asked for
    unknownName,    // no member has the name
    memberNotFound, // no member has the dispatch ID, or it cannot be called that way
    badParamCount,  // the argument count differs from the member's
    readOnly,       // a set of a read-only property
};
const char* DescribeDispResult(EDispResult eResult);

class CVariant {
public:
    CVariant() = default;
    static CVariant I2(short s) { return CVariant(Value(s)); }
    static CVariant I4(std::int32_t l) { return CVariant(Value(l)); }
    static CVariant R8(double d) { return CVariant(Value(d)); }
    static CVariant Bool(bool b) { return CVariant(Value(b)); }
    static CVariant BStr(const CString& s) { return CVariant(Value(s)); }

    VARTYPE GetType() const;
    bool IsEmpty() const { return GetType() == VT_EMPTY; }

    // The value converted to a type; `ok` fills *pOut.
    EDispResult ChangeType(VARTYPE vt, CVariant* pOut) const;

    // The value as a type, or the type's zero when it cannot be converted.
    short AsI2() const;
    std::int32_t AsI4() const;
    double AsR8() const;
    bool AsBool() const;
    CString AsBStr() const;

    bool operator==(const CVariant& other) const = default;

private:
    using Value = std::variant<std::monostate, short, std::int32_t, double, bool, CString>;
    explicit CVariant(Value value) : m_value(std::move(value)) {}
    // The value as a double for a numeric target; false for text that is no number.
    EDispResult ToDouble(double* pd) const;

    Value m_value;
};
