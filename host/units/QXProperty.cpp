#include "host/units/QXProperty.h"

#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr double kNegInfinityInDb = -200.0;
// 10^-i for the decimal places a value can be shown with.
constexpr double kPowersOfTenBelowOne[16] = {1e0,  1e-1, 1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                             1e-8, 1e-9, 1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15};

void AppendHex(std::wstring& sText, double dValue, bool bSign)
{
    const double dMagnitude = std::fabs(std::round(dValue));
    // Clamp so that the conversion to an integer is defined.
    const unsigned long long ulMagnitude =
        dMagnitude >= 9.2e18 ? 0x7FFFFFFFFFFFFFFFull : static_cast<unsigned long long>(dMagnitude);
    const wchar_t* sSign = (dValue < 0.0 && ulMagnitude != 0) ? L"-" : (bSign ? L"+" : L"");
    CString sDigits;
    sDigits.Format(L"%s%llX", sSign, ulMagnitude);
    sText += sDigits.str();
}

// What "%.*f" or "%+.*f" prints, the places clamped as GetDPsString clamps
// them, without parsing a format: tables format millions of these.
void AppendDecimal(std::wstring& sText, double dValue, int iNumDPs, bool bSign)
{
    iNumDPs = std::clamp(iNumDPs, 0, 15);
    // Values that round to zero would print as "-0.00".
    if (std::fabs(dValue) < 0.5 * kPowersOfTenBelowOne[iNumDPs]) dValue = 0.0;
    AppendFixed(sText, dValue, iNumDPs, bSign);
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
    CString sText;
    AppendFormattedValue(sText.str(), dValue, iUnit, iFlags, pFormat);
    return sText;
}

void CQXProperty::AppendFormattedValue(std::wstring& sText, double dValue, int iUnit, int iFlags,
                                       const SFormat* pFormat)
{
    if (dValue == DBL_MAX) {
        sText += L"---";
        return;
    }
    const CUnit* pUnit = FindUnitObject(iUnit);
    QXASSERT(pUnit != nullptr);

    const int iNumDPs = (pFormat && pFormat->m_iNumDPs >= 0) ? pFormat->m_iNumDPs : (pUnit ? pUnit->GetNumDPs() : 2);
    const bool bSign = (iFlags & FORMAT_INCLUDESIGN) || (pFormat && pFormat->m_bIncludeSign)
        || (pUnit && pUnit->IncludeSign());
    const bool bUnit = (iFlags & FORMAT_INCLUDEUNIT) || (pFormat && pFormat->m_bIncludeUnit);

    if (dValue == -DBL_MAX && !(pUnit && pUnit->NegInfinityAllowed()))
        sText += L"-inf";
    else if (pUnit && pUnit->GetBase() == NUMBERBASE_HEXADECIMAL)
        AppendHex(sText, dValue, bSign);
    else
        AppendDecimal(sText, dValue == -DBL_MAX ? kNegInfinityInDb : dValue, iNumDPs, bSign);

    if (bUnit && pUnit && !pUnit->GetName().IsEmpty()) {
        sText += L' ';
        sText += pUnit->GetName().str();
    }
}
