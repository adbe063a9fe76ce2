#include "trace/compute/ComputeListDlg.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/compute/Compute.h"

#include <utility>

int CQXTrace::ShowComputeListDlg()
{
    CComputeListDlg dlg(this);
    return DoModalDialog(dlg);
}

CComputeListDlg::CComputeListDlg(CQXTrace* pTrace) : m_pTrace(pTrace)
{
    QXASSERT(pTrace != 0);
    if (!m_pTrace) return;
    m_sTraceName = m_pTrace->GetTraceName(1, 0, 0);
    m_List.InitialiseComputations();
    if (const CComputeList* pList = m_pTrace->GetComputeList()) m_List = *pList;
    RefillList();
    m_aeAvailable.clear();
    for (int iType = COMPUTE_NORMALISE; iType <= COMPUTE_RELATIVE; ++iType) {
        const auto eType = static_cast<ComputeType>(iType);
        if (IsKnownComputeType(eType) && m_pTrace->IsValidComputeType(eType)) m_aeAvailable.push_back(eType);
    }
    m_bApplyToCopy = m_List.GetApplyToCopy() && CanApplyToCopy();
    m_bApplyChecked = m_pTrace->GetShowTransformedYData() != 0;
    m_bEdited = false;
}

CString CComputeListDlg::GetCaption() const { return LoadResString(IDS_COMPUTE_LIST_CAPTION); }

CString CComputeListDlg::Validate(int* piControl) const
{
    if (piControl) *piControl = 0;
    return CString();
}

void CComputeListDlg::RefillList()
{
    m_abChecked.clear();
    for (int i = 0; i < m_List.GetNumComputeObjects(); ++i) m_abChecked.push_back(m_List.GetComputeObjectAt(i)->IsEnabled());
    if (m_iSelected >= m_List.GetNumComputeObjects()) m_iSelected = -1;
}

std::vector<CString> CComputeListDlg::GetLines() const
{
    std::vector<CString> asLines;
    for (int i = 0; i < m_List.GetNumComputeObjects(); ++i) asLines.push_back(m_List.GetComputeObjectAt(i)->GetListLine());
    return asLines;
}

bool CComputeListDlg::IsLineChecked(int iLine) const
{
    return iLine >= 0 && iLine < static_cast<int>(m_abChecked.size()) && m_abChecked[static_cast<size_t>(iLine)];
}

bool CComputeListDlg::CanApplyToCopy() const
{
    return m_pTrace && m_pTrace->IsLive() && m_pTrace->IsInUse() && m_pTrace->IsOn();
}

bool CComputeListDlg::CanAdd() const
{
    return m_iSelectedType >= 0 && m_iSelectedType < static_cast<int>(m_aeAvailable.size());
}

bool CComputeListDlg::CanMoveDown() const
{
    return m_iSelected >= 0 && m_iSelected < m_List.GetNumComputeObjects() - 1;
}

void CComputeListDlg::SelectLine(int iLine)
{
    m_iSelected = (iLine >= 0 && iLine < m_List.GetNumComputeObjects()) ? iLine : -1;
}

void CComputeListDlg::SelectType(int iIndex) { m_iSelectedType = iIndex; }

void CComputeListDlg::SetLineChecked(int iLine, bool bChecked)
{
    if (iLine < 0 || iLine >= static_cast<int>(m_abChecked.size())) return;
    m_abChecked[static_cast<size_t>(iLine)] = bChecked;
    MarkEdited();
}

void CComputeListDlg::SetApplyToCopy(bool bCopy)
{
    if (!CanApplyToCopy()) return;
    m_bApplyToCopy = bCopy;
    MarkEdited();
}

void CComputeListDlg::MarkEdited()
{
    m_bEdited = true;
    m_bApplyChecked = false;
}

bool CComputeListDlg::Add()
{
    if (!CanAdd()) return false;
    CCompute* pCompute = CreateComputeObject(m_aeAvailable[static_cast<size_t>(m_iSelectedType)], m_pTrace);
    if (!pCompute) return false;
    pCompute->SetEnabled(true);
    if (pCompute->ShowComputeDlg(this, m_pTrace) != IDOK || !m_List.AddComputeObject(pCompute)) {
        delete pCompute;
        return false;
    }
    m_abChecked.push_back(true);
    m_iSelected = m_List.GetNumComputeObjects() - 1;
    MarkEdited();
    return true;
}

bool CComputeListDlg::Edit()
{
    CCompute* pCompute = CanEdit() ? m_List.GetComputeObjectAt(m_iSelected) : nullptr;
    if (!pCompute || pCompute->ShowComputeDlg(this, m_pTrace) != IDOK) return false;
    MarkEdited();
    return true;
}

bool CComputeListDlg::ConfirmWithinList(CCompute& compute, EValidateAction eAction, int iIndex)
{
    if (compute.ValidateWithinList(m_pTrace, eAction)) return true;
    if (AfxMessageBox(LoadResString(IDS_COMPUTE_INVALIDATES_LIST), MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    compute.EnsureListCorrect(iIndex + 1);
    RefillList();
    return true;
}

bool CComputeListDlg::Remove()
{
    if (!CanRemove()) return false;
    if (AfxMessageBox(LoadResString(IDS_COMPUTE_CONFIRM_DELETE), MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    const int iIndex = m_iSelected;
    CCompute* pCompute = m_List.GetComputeObjectAt(iIndex);
    if (!ConfirmWithinList(*pCompute, VALIDATE_REMOVED, iIndex)) return false;
    m_List.DeleteComputeObjectAt(m_List.GetIndex(pCompute));
    delete pCompute;
    RefillList();
    SelectLine(iIndex);
    MarkEdited();
    return true;
}

bool CComputeListDlg::Move(int iStep)
{
    if (iStep < 0 ? !CanMoveUp() : !CanMoveDown()) return false;
    const int iFrom = m_iSelected;
    CCompute* pCompute = m_List.GetComputeObjectAt(iFrom);
    // The line's check mark goes with it.
    pCompute->SetEnabled(IsLineChecked(iFrom));
    if (!ConfirmWithinList(*pCompute, iStep < 0 ? VALIDATE_MOVED_UP : VALIDATE_MOVED_DOWN, iFrom)) return false;
    const int iTo = iFrom + iStep;
    if (!m_List.MoveComputeObject(iFrom, iTo)) return false;
    std::vector<bool>::swap(m_abChecked[static_cast<size_t>(iFrom)], m_abChecked[static_cast<size_t>(iTo)]);
    m_iSelected = iTo;
    MarkEdited();
    return true;
}

void CComputeListDlg::SetComputeListDetailsInTrace()
{
    for (int i = 0; i < m_List.GetNumComputeObjects(); ++i) m_List.GetComputeObjectAt(i)->SetEnabled(IsLineChecked(i));
    m_List.SetApplyToCopy(m_bApplyToCopy && CanApplyToCopy());
    const int iCount = m_List.GetNumComputeObjects();
    if (iCount > 0) {
        m_pTrace->SetComputeList(&m_List);
    } else {
        // Hidden first, so that a compute trace and the buffer go with the list.
        m_pTrace->SetShowTransformedYData(0, 1);
        m_pTrace->SetComputeList(nullptr);
        m_pTrace->FreeTransformedYDataBuffer(1);
    }
    m_pTrace->SetShowTransformedYData(iCount > 0, 1);
}

void CComputeListDlg::ClickApply(bool bChecked)
{
    if (bChecked) SetComputeListDetailsInTrace();
    m_pTrace->SetShowTransformedYData(bChecked, 1);
    m_bEdited = false;
    m_bApplyChecked = m_pTrace->GetShowTransformedYData() != 0;
}

bool CComputeListDlg::Apply()
{
    SetComputeListDetailsInTrace();
    UpdateViews(nullptr, UPDATE_TRACE_NAME, m_pTrace);
    return true;
}

bool CComputeListDlg::OnCancel()
{
    if (!m_bEdited) return true;
    return AfxMessageBox(LoadResString(IDS_COMPUTE_CONFIRM_CANCEL), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
