#include "host/units/QXProperty.h"

#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"

#include <cfloat>
#include <cmath>

namespace {

constexpr double kNegInfinityInDb = -200.0;

CString FormatHex(double dValue, bool bSign)
{
    const double dMagnitude = std::fabs(std::round(dValue));
    // Clamp so that the conversion to an integer is defined.
    const unsigned long long ulMagnitude =
        dMagnitude >= 9.2e18 ? 0x7FFFFFFFFFFFFFFFull : static_cast<unsigned long long>(dMagnitude);
    const wchar_t* sSign = (dValue < 0.0 && ulMagnitude != 0) ? L"-" : (bSign ? L"+" : L"");
    CString sText;
    sText.Format(L"%s%llX", sSign, ulMagnitude);
    return sText;
}

CString FormatDecimal(double dValue, int iNumDPs, bool bSign)
{
    // Values that round to zero would print as "-0.00".
    if (std::fabs(dValue) < 0.5 * std::pow(10.0, -iNumDPs)) dValue = 0.0;
    CString sText;
    sText.Format(GetDPsString(iNumDPs, bSign ? FORMAT_INCLUDESIGN : 0), dValue);
    return sText;
}

} // namespace

bool CQXProperty::SetInUnit(int iUnit)
{
    if (!QXVERIFY(IsUnitValid(iUnit))) return false;
    m_eInUnit = static_cast<EUnit>(iUnit);
    return true;
}

bool CQXProperty::IsUnitValid(int iUnit) const
{
    return IsValidUnit(iUnit);
}

CString CQXProperty::DoFormatValue(double dValue, int iUnit, int iFlags, const SFormat* pFormat)
{
    if (dValue == DBL_MAX) return CString(L"---");
    const CUnit* pUnit = FindUnitObject(iUnit);
    QXASSERT(pUnit != nullptr);

    const int iNumDPs = (pFormat && pFormat->m_iNumDPs >= 0) ? pFormat->m_iNumDPs : (pUnit ? pUnit->GetNumDPs() : 2);
    const bool bSign = (iFlags & FORMAT_INCLUDESIGN) || (pFormat && pFormat->m_bIncludeSign)
        || (pUnit && pUnit->IncludeSign());
    const bool bUnit = (iFlags & FORMAT_INCLUDEUNIT) || (pFormat && pFormat->m_bIncludeUnit);

    CString sText;
    if (dValue == -DBL_MAX && !(pUnit && pUnit->NegInfinityAllowed()))
        sText = L"-inf";
    else if (pUnit && pUnit->GetBase() == NUMBERBASE_HEXADECIMAL)
        sText = FormatHex(dValue, bSign);
    else
        sText = FormatDecimal(dValue == -DBL_MAX ? kNegInfinityInDb : dValue, iNumDPs, bSign);

    if (bUnit && pUnit && !pUnit->GetName().IsEmpty()) sText += L" " + pUnit->GetName();
    return sText;
}
