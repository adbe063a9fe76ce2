#include "trace/compute/ComputeDlg.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/units/QXProperty.h"
#include "host/units/Unit.h"
#include "host/units/UnitSet.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/compute/Compute.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeListDlg.h"
#include "trace/core/ZoomMath.h"

#include <algorithm>
#include <cfloat>
#include <cwchar>
#include <cwctype>

namespace {

// A lower limit of minus infinity is checked as this value.
constexpr double kMinusInfinityLimit = -300.0;

CString Trimmed(const CString& sText)
{
    std::wstring s = sText.GetString();
    const auto notSpace = [](wchar_t c) { return !std::iswspace(c); };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notSpace));
    s.erase(std::find_if(s.rbegin(), s.rend(), notSpace).base(), s.end());
    return CString(s.c_str());
}

} // namespace

CString FormatFieldValue(double dValue, int iUnit)
{
    if (dValue == -DBL_MAX) return LoadResString(IDS_VALUE_MINUS_INFINITY);
    return CQXProperty::DoFormatValue(dValue, iUnit, 0, nullptr);
}

bool ParseFieldValue(const CString& sText, int iUnit, double* pdValue)
{
    const CString sTrimmed = Trimmed(sText);
    if (sTrimmed.IsEmpty()) return false;
    if (sTrimmed.CompareNoCase(LoadResString(IDS_VALUE_MINUS_INFINITY)) == 0 || sTrimmed.CompareNoCase(L"-inf") == 0) {
        *pdValue = -DBL_MAX;
        return true;
    }
    const wchar_t* pBegin = sTrimmed.GetString();
    wchar_t* pEnd = nullptr;
    const double dValue =
        iUnit == UNIT_HEX ? static_cast<double>(std::wcstoll(pBegin, &pEnd, 16)) : std::wcstod(pBegin, &pEnd);
    if (pEnd == pBegin || *pEnd != 0 || !(dValue > -DBL_MAX && dValue < DBL_MAX)) return false;
    *pdValue = dValue;
    return true;
}

CComputeDlg::CComputeDlg(int iTemplateID, int iCaptionID, CCompute* pCompute, CQXTrace* pTrace,
                         CComputeListDlg* pListDlg)
    : m_iTemplateID(iTemplateID), m_iCaptionID(iCaptionID), m_pCompute(pCompute), m_pTrace(pTrace),
      m_pComputeListDlg(pListDlg)
{
    QXASSERT(pCompute != 0 && pCompute->IsKindOf(RUNTIME_CLASS(CCompute)));
    QXASSERT(pTrace != 0);
}

CString CComputeDlg::GetCaption() const { return LoadResString(m_iCaptionID); }

CQXTrace* CComputeDlg::UnitTrace() const
{
    CQXTrace* pOwner = m_pTrace ? m_pTrace->GetOwnerTrace() : nullptr;
    return pOwner ? pOwner : m_pTrace;
}

CString CComputeDlg::Validate(int* piControl) const
{
    if (piControl) *piControl = 0;
    for (const SValueField* pField : CheckedFields()) {
        double dValue = 0.0;
        const CString sProblem = ReadValue(*pField, &dValue);
        if (!sProblem.IsEmpty()) {
            if (piControl) *piControl = pField->iControl;
            return sProblem;
        }
    }
    return CString();
}

bool CComputeDlg::Apply()
{
    if (!QXVERIFY(m_pTrace != 0)) return false;
    if (!SaveComputeDetailsFromDlg(m_pCompute)) {
        AfxMessageBox(LoadResString(IDS_COMPUTE_SAVE_FAILED), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (m_pComputeListDlg && !m_pCompute->ValidateWithinList(m_pTrace, VALIDATE_EDITED)) {
        if (AfxMessageBox(LoadResString(IDS_COMPUTE_INVALIDATES_LIST), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        m_pCompute->EnsureListCorrect(m_pComputeListDlg->GetWorkingList().GetIndex(m_pCompute) + 1);
        m_pComputeListDlg->RefillList();
    }
    return true;
}

bool CComputeDlg::NegInfinityAllowed(AxisType eAxis, int iUnit) const
{
    if (eAxis != Y_AXIS || !IsdBUnit(iUnit)) return false;
    CQXTrace* pTrace = UnitTrace();
    const TraceType eType = pTrace ? pTrace->GetTraceType() : TT_FFT;
    return eType == TT_SCOPE || eType == TT_CTDET;
}

void CComputeDlg::GetLimits(AxisType eAxis, int iUnit, double* pdLow, double* pdHigh) const
{
    const EUnit eUnit = static_cast<EUnit>(iUnit);
    *pdLow = eAxis == X_AXIS ? m_pTrace->GetMinXValue(eUnit) : m_pTrace->GetMinYValue(eUnit);
    *pdHigh = eAxis == X_AXIS ? m_pTrace->GetMaxXValue(eUnit) : m_pTrace->GetMaxYValue(eUnit);
    if (*pdLow == -DBL_MAX) *pdLow = kMinusInfinityLimit;
}

CString CComputeDlg::ReadValue(const SValueField& field, double* pdValue) const
{
    double dLow = 0.0;
    double dHigh = 0.0;
    if (field.iUnit >= 0) GetLimits(field.eAxis, field.iUnit, &dLow, &dHigh);
    double dValue = 0.0;
    const bool bRead = field.iUnit >= 0 && ParseFieldValue(field.sText, field.iUnit, &dValue);
    const bool bAccepted = bRead && ((dValue == -DBL_MAX && NegInfinityAllowed(field.eAxis, field.iUnit)) ||
                                     (dValue >= dLow && dValue <= dHigh));
    if (!bAccepted) return GetInvalidRangeText(CString(), dLow, dHigh, field.iUnit >= 0 ? field.iUnit : UNIT_NULL, 0);
    *pdValue = dValue;
    return CString();
}

bool CComputeDlg::LeaveField(SValueField& field)
{
    double dValue = 0.0;
    const CString sProblem = ReadValue(field, &dValue);
    if (!sProblem.IsEmpty()) {
        AfxMessageBox(sProblem, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    field.sText = FormatFieldValue(dValue, field.iUnit);
    return true;
}

void CComputeDlg::FillUnits(SValueField& field) const
{
    field.aUnits.clear();
    if (m_pTrace) m_pTrace->GetUnitsList(field.eAxis, &field.aUnits, nullptr, 0);
}

void CComputeDlg::ShowValue(SValueField& field, double dValue, int iUnit) const
{
    field.iUnit = iUnit;
    field.sText = FormatFieldValue(dValue, iUnit);
    field.bUnitEnabled = iUnit != UNIT_INVALID && iUnit != UNIT_NULL;
}

double CComputeDlg::OpenField(SValueField& field, int iUnit, double dValue, double dDefault) const
{
    FillUnits(field);
    const bool bOffered = std::any_of(field.aUnits.begin(), field.aUnits.end(),
                                      [iUnit](const auto& choice) { return choice.first == iUnit; });
    if (iUnit >= 0 && (!m_pTrace->IsSweepTrace() || bOffered)) {
        ShowValue(field, dValue, iUnit);
        return dValue;
    }
    CQXTrace* pTrace = UnitTrace();
    ShowValue(field, dDefault, field.eAxis == X_AXIS ? pTrace->GetXUnit() : pTrace->GetYUnit());
    return dDefault;
}

void CComputeDlg::ChangeUnit(SValueField& field, int iNewUnit) const
{
    double dValue = 0.0;
    if (field.iUnit >= 0 && ParseFieldValue(field.sText, field.iUnit, &dValue) && dValue != -DBL_MAX &&
        iNewUnit != field.iUnit) {
        if (field.eAxis == Y_AXIS) {
            dValue = m_pTrace->GetYValueForData(m_pTrace->GetYDataForValue(dValue, field.iUnit, 0), iNewUnit, 1, 0);
        } else {
            const CUnitSet* pSet = UnitTrace()->GetUnitSet(1);
            if (pSet && pSet->CanConvert(field.iUnit) && pSet->CanConvert(iNewUnit))
                dValue = pSet->ConvertValue(dValue, field.iUnit, iNewUnit, nullptr);
        }
        ShowValue(field, dValue, iNewUnit);
        return;
    }
    field.iUnit = iNewUnit;
}
