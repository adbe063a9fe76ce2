#include "trace/compute/ComputeNormaliseDlg.h"

#include "host/units/UnitSet.h"
#include "resources/StringIds.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"

#include <algorithm>

CComputeNormaliseDlg::CComputeNormaliseDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg)
    : CComputeDlg(kTemplateID, IDS_COMPUTE_NORMALISE_CAPTION, pCompute, pTrace, pListDlg)
{
    m_Y.eAxis = Y_AXIS;
    m_Y.iControl = IDC_Y;
    m_X.eAxis = X_AXIS;
    m_X.iControl = IDC_X;
    auto* pNormalise = dynamic_cast<CComputeNormalise*>(pCompute);
    if (!pTrace || !pNormalise) return;
    OpenField(m_Y, pNormalise->GetYUnit(), pNormalise->GetYValue(), pNormalise->GetDefaultYValue(pTrace));
    FillUnits(m_X);
    const bool bHasUnit = pNormalise->GetXUnit() >= 0;
    ShowValue(m_X, bHasUnit ? pNormalise->GetXValue() : pNormalise->GetDefaultXValue(pTrace),
              bHasUnit ? pNormalise->GetXUnit() : UnitTrace()->GetXUnit());
}

void CComputeNormaliseDlg::GetLimits(AxisType eAxis, int iUnit, double* pdLow, double* pdHigh) const
{
    CComputeDlg::GetLimits(eAxis, iUnit, pdLow, pdHigh);
    if (eAxis != X_AXIS) return;
    CQXTrace* pTrace = GetTrace();
    const CLimitTable* pTable = pTrace->IsLimitLine() ? static_cast<CLimitLine*>(pTrace)->GetLimitTable() : nullptr;
    double dFirst = 0.0;
    double dLast = 0.0;
    if (pTable && pTable->GetNumPoints() > 0) {
        // Table points are in the table's X unit.
        dFirst = pTable->GetPoints().front().dX;
        dLast = pTable->GetPoints().back().dX;
        const CUnitSet* pSet = UnitTrace()->GetUnitSet(1);
        if (iUnit != pTable->GetXUnit() && pSet && pSet->CanConvert(iUnit) && pSet->CanConvert(pTable->GetXUnit())) {
            dFirst = pSet->ConvertValue(dFirst, pTable->GetXUnit(), iUnit, nullptr);
            dLast = pSet->ConvertValue(dLast, pTable->GetXUnit(), iUnit, nullptr);
        }
    } else {
        dFirst = pTrace->GetXValueAtPos(pTrace->GetMinXPos(), iUnit);
        dLast = pTrace->GetXValueAtPos(pTrace->GetMaxXPos(), iUnit);
    }
    *pdLow = std::min(dFirst, dLast);
    *pdHigh = std::max(dFirst, dLast);
}

bool CComputeNormaliseDlg::SaveComputeDetailsFromDlg(CCompute* pCompute)
{
    auto* pNormalise = dynamic_cast<CComputeNormalise*>(pCompute);
    double dY = 0.0;
    double dX = 0.0;
    if (!pNormalise || !ReadValue(m_Y, &dY).IsEmpty() || !ReadValue(m_X, &dX).IsEmpty() ||
        !pNormalise->SetYUnit(static_cast<EUnit>(m_Y.iUnit)) || !pNormalise->SetXUnit(static_cast<EUnit>(m_X.iUnit)))
        return false;
    pNormalise->SetYValue(dY);
    pNormalise->SetXValue(dX);
    return true;
}
