#include "trace/compute/ComputeInvertDlg.h"

#include "resources/StringIds.h"
#include "trace/compute/ComputeInvert.h"

CComputeInvertDlg::CComputeInvertDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg)
    : CComputeDlg(kTemplateID, IDS_COMPUTE_INVERT_CAPTION, pCompute, pTrace, pListDlg)
{
    m_Value.eAxis = Y_AXIS;
    m_Value.iControl = IDC_VALUE;
    auto* pInvert = dynamic_cast<CComputeInvert*>(pCompute);
    if (!pTrace || !pInvert) return;
    m_dValue = OpenField(m_Value, pInvert->GetInvertUnit(), pInvert->GetInvertValue(), pInvert->GetDefaultYValue(pTrace));
    m_iValueUnit = m_Value.iUnit;
    SetAroundCursor(pInvert->GetInvertAroundCursor() != 0);
}

void CComputeInvertDlg::SetAroundCursor(bool bCursor)
{
    if (bCursor && !m_bAroundCursor && m_Value.iUnit >= 0) {
        // What was typed comes back when the pivot is a value again.
        double dTyped = 0.0;
        if (ParseFieldValue(m_Value.sText, m_Value.iUnit, &dTyped)) m_dValue = dTyped;
        m_iValueUnit = m_Value.iUnit;
    }
    m_bAroundCursor = bCursor;
    m_Value.bEnabled = !bCursor;
    if (bCursor) {
        m_Value.sText = CString();
        m_Value.iUnit = -1;
        m_Value.bUnitEnabled = false;
        return;
    }
    const int iUnit = m_iValueUnit >= 0 ? m_iValueUnit : UnitTrace()->GetYUnit();
    ShowValue(m_Value, m_dValue, iUnit);
}

std::vector<const SValueField*> CComputeInvertDlg::CheckedFields() const
{
    if (m_bAroundCursor) return {};
    return {&m_Value};
}

bool CComputeInvertDlg::SaveComputeDetailsFromDlg(CCompute* pCompute)
{
    auto* pInvert = dynamic_cast<CComputeInvert*>(pCompute);
    if (!pInvert) return false;
    if (!m_bAroundCursor) {
        if (!ReadValue(m_Value, &m_dValue).IsEmpty()) return false;
        m_iValueUnit = m_Value.iUnit;
    }
    if (m_iValueUnit >= 0 && !pInvert->SetYUnit(static_cast<EUnit>(m_iValueUnit))) return false;
    pInvert->SetInvertAroundCursor(m_bAroundCursor ? 1 : 0);
    pInvert->SetInvertValue(m_dValue);
    return true;
}
