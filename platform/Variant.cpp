#include "platform/Variant.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <limits>

const char* DescribeDispResult(EDispResult eResult)
{
    switch (eResult) {
    case EDispResult::ok: return "ok";
    case EDispResult::typeMismatch: return "type mismatch";
    case EDispResult::overflow: return "overflow";
    case EDispResult::unknownName: return "unknown name";
    case EDispResult::memberNotFound: return "member not found";
    case EDispResult::badParamCount: return "wrong number of parameters";
    case EDispResult::readOnly: return "read-only property";
    }
    return "?";
}

VARTYPE CVariant::GetType() const
{
    static constexpr VARTYPE kTypes[] = {VT_EMPTY, VT_I2, VT_I4, VT_R8, VT_BOOL, VT_BSTR};
    return kTypes[m_value.index()];
}

namespace {

// Text to a number: the whole text (spaces around allowed) must be one.
bool ParseNumber(const CString& s, double* pd)
{
    const wchar_t* p = s.GetString();
    while (std::iswspace(static_cast<wint_t>(*p))) ++p;
    if (*p == L'\0') return false;
    wchar_t* pEnd = nullptr;
    const double d = std::wcstod(p, &pEnd);
    while (std::iswspace(static_cast<wint_t>(*pEnd))) ++pEnd;
    if (*pEnd != L'\0' || std::isnan(d)) return false;
    *pd = d;
    return true;
}

// Half to even, as the engine rounds; overflow outside [lo, hi].
EDispResult RoundInto(double d, double lo, double hi, double* pRounded)
{
    if (!std::isfinite(d)) return EDispResult::overflow;
    double r = std::round(d);
    if (std::fabs(d - std::trunc(d)) == 0.5) r = 2.0 * std::round(d / 2.0);
    if (r < lo || r > hi) return EDispResult::overflow;
    *pRounded = r;
    return EDispResult::ok;
}

CString NumberText(double d)
{
    CString s;
    s.Format(L"%.15G", d);
    return s;
}

} // namespace

EDispResult CVariant::ToDouble(double* pd) const
{
    switch (GetType()) {
    case VT_EMPTY: *pd = 0.0; return EDispResult::ok;
    case VT_I2: *pd = std::get<short>(m_value); return EDispResult::ok;
    case VT_I4: *pd = std::get<std::int32_t>(m_value); return EDispResult::ok;
    case VT_R8: *pd = std::get<double>(m_value); return EDispResult::ok;
    case VT_BOOL: *pd = std::get<bool>(m_value) ? -1.0 : 0.0; return EDispResult::ok;
    case VT_BSTR: return ParseNumber(std::get<CString>(m_value), pd) ? EDispResult::ok : EDispResult::typeMismatch;
    default: return EDispResult::typeMismatch;
    }
}

EDispResult CVariant::ChangeType(VARTYPE vt, CVariant* pOut) const
{
    if (vt == GetType()) {
        *pOut = *this;
        return EDispResult::ok;
    }
    if (vt == VT_BSTR) {
        switch (GetType()) {
        case VT_EMPTY: *pOut = BStr(CString()); break;
        case VT_BOOL: *pOut = BStr(std::get<bool>(m_value) ? L"True" : L"False"); break;
        default: {
            double d = 0.0;
            ToDouble(&d);
            *pOut = BStr(NumberText(d));
        }
        }
        return EDispResult::ok;
    }
    if (vt == VT_BOOL && GetType() == VT_BSTR) {
        const CString& s = std::get<CString>(m_value);
        if (s.CompareNoCase(L"True") == 0 || s.CompareNoCase(L"False") == 0) {
            *pOut = Bool(s.CompareNoCase(L"True") == 0);
            return EDispResult::ok;
        }
    }
    double d = 0.0;
    if (const EDispResult eResult = ToDouble(&d); eResult != EDispResult::ok) return eResult;
    double r = 0.0;
    switch (vt) {
    case VT_R8: *pOut = R8(d); return EDispResult::ok;
    case VT_BOOL: *pOut = Bool(d != 0.0); return EDispResult::ok;
    case VT_I2:
        if (const EDispResult eResult = RoundInto(d, -32768.0, 32767.0, &r); eResult != EDispResult::ok) return eResult;
        *pOut = I2(static_cast<short>(r));
        return EDispResult::ok;
    case VT_I4:
        if (const EDispResult eResult = RoundInto(d, -2147483648.0, 2147483647.0, &r); eResult != EDispResult::ok)
            return eResult;
        *pOut = I4(static_cast<std::int32_t>(r));
        return EDispResult::ok;
    default: return EDispResult::typeMismatch;
    }
}

short CVariant::AsI2() const
{
    CVariant v;
    return ChangeType(VT_I2, &v) == EDispResult::ok ? std::get<short>(v.m_value) : short(0);
}

std::int32_t CVariant::AsI4() const
{
    CVariant v;
    return ChangeType(VT_I4, &v) == EDispResult::ok ? std::get<std::int32_t>(v.m_value) : 0;
}

double CVariant::AsR8() const
{
    double d = 0.0;
    return ToDouble(&d) == EDispResult::ok ? d : 0.0;
}

bool CVariant::AsBool() const
{
    CVariant v;
    return ChangeType(VT_BOOL, &v) == EDispResult::ok && std::get<bool>(v.m_value);
}

CString CVariant::AsBStr() const
{
    CVariant v;
    ChangeType(VT_BSTR, &v);
    return v.GetType() == VT_BSTR ? std::get<CString>(v.m_value) : CString();
}
