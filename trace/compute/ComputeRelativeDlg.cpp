#include "trace/compute/ComputeRelativeDlg.h"

#include "host/app/AppServices.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeRelative.h"

#include <algorithm>

CComputeRelativeDlg::CComputeRelativeDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg)
    : CComputeDlg(kTemplateID, IDS_COMPUTE_RELATIVE_CAPTION, pCompute, pTrace, pListDlg)
{
    if (!pTrace) return;
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->FillTraceCombo(this, CHANNEL_BOTH, &AddChoice, this);
    if (const auto* pRelative = dynamic_cast<CComputeRelative*>(pCompute)) {
        const short sID = pRelative->GetGoldenTraceID();
        const auto it = std::find_if(m_aChoices.begin(), m_aChoices.end(),
                                     [sID](const SGoldenChoice& c) { return c.sTraceID == sID; });
        if (it != m_aChoices.end()) m_iSelected = static_cast<int>(it - m_aChoices.begin());
    }
    const int iYUnit = UnitTrace()->GetYUnit();
    m_bGainAllowed = AreSameKindsOfUnit(iYUnit, UNIT_DBFS) || AreSameKindsOfUnit(iYUnit, UNIT_RELATIVE_DB);
    if (m_bGainAllowed) {
        UnitTrace()->GetUnitsList(Y_AXIS, &m_aGainUnits, nullptr, 0);
        m_iGainUnit = iYUnit;
    }
}

int CComputeRelativeDlg::AddChoice(ITraceCombo* pCombo, CQXTrace* pCandidate, void* pContext)
{
    auto* pDlg = static_cast<CComputeRelativeDlg*>(pContext);
    (void)pCombo;
    if (CComputeRelative::IsAcceptableGoldenTrace(pDlg->GetTrace(), pCandidate))
        pDlg->m_aChoices.push_back({pCandidate->GetTraceID(), pCandidate->GetTraceName(1, 0, 0)});
    return 1;
}

void CComputeRelativeDlg::Select(int iChoice)
{
    m_iSelected = (iChoice >= 0 && iChoice < static_cast<int>(m_aChoices.size())) ? iChoice : -1;
}

void CComputeRelativeDlg::SetGain(bool bGain) { m_bGain = bGain && m_bGainAllowed; }

CString CComputeRelativeDlg::Validate(int* piControl) const
{
    if (piControl) *piControl = 0;
    if (IsOKEnabled()) return CString();
    if (piControl) *piControl = IDC_GOLDEN_TRACE;
    return LoadResString(IDS_COMPUTE_DESC_NO_TRACE);
}

bool CComputeRelativeDlg::SaveComputeDetailsFromDlg(CCompute* pCompute)
{
    auto* pRelative = dynamic_cast<CComputeRelative*>(pCompute);
    if (!pRelative || !IsOKEnabled()) return false;
    pRelative->SetGoldenTrace(m_aChoices[static_cast<size_t>(m_iSelected)].sTraceID);
    pRelative->SetRelative(0);
    return true;
}
