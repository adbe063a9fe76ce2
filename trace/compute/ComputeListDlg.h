#pragma once
// "Live Trace transforms": the ordered transforms of one trace. The dialog
// works on a deep copy of the trace's list (the working list); "Apply" and
// OK write it into the trace, Cancel after unapplied edits asks first. A
// transform's own dialog (Add, Edit) is shown through the same dialog host.

#include "trace/compute/Compute.h"
#include "trace/compute/ComputeDlg.h"
#include "trace/compute/ComputeList.h"

#include <vector>

class CComputeListDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 865;
    static constexpr int IDC_LIST = 8237;
    static constexpr int IDC_AVAILABLE = 8239;
    static constexpr int IDC_ADD = 8240;
    static constexpr int IDC_REMOVE = 8241;
    static constexpr int IDC_MOVE_UP = 8243;
    static constexpr int IDC_MOVE_DOWN = 8244;
    static constexpr int IDC_COPY = 8246;
    static constexpr int IDC_EDIT = 8250;
    static constexpr int IDC_APPLY = 8252;
    static constexpr int IDC_TRACE_NAME = 8253;

    // Opens on a deep copy of the trace's list; the trace stays the
    // caller's and must outlive the dialog.
    explicit CComputeListDlg(CQXTrace* pTrace);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;
    // Every working list can be written.
    CString Validate(int* piControl) const override;
    // With unapplied edits: "If you cancel, you will lose any edits ...?"
    bool OnCancel() override;

    // --- what the form shows ---
    CString GetTraceName() const { return m_sTraceName; }
    // "<type name> (<description>)" per transform, in order.
    std::vector<CString> GetLines() const;
    bool IsLineChecked(int iLine) const;
    const std::vector<ComputeType>& GetAvailableTypes() const { return m_aeAvailable; }
    int GetSelectedLine() const { return m_iSelected; }
    int GetSelectedType() const { return m_iSelectedType; }
    bool GetApplyToCopy() const { return m_bApplyToCopy; }
    bool CanApplyToCopy() const;
    bool IsApplyChecked() const { return m_bApplyChecked; }
    bool IsEdited() const { return m_bEdited; }
    bool CanAdd() const;
    bool CanEdit() const { return m_iSelected >= 0; }
    bool CanRemove() const { return m_iSelected >= 0; }
    bool CanMoveUp() const { return m_iSelected > 0; }
    bool CanMoveDown() const;

    // --- what the user does ---
    void SelectLine(int iLine);
    void SelectType(int iIndex);
    void SetLineChecked(int iLine, bool bChecked);
    void SetApplyToCopy(bool bCopy);
    // Opens a new transform's dialog (defaults from the trace); OK appends it.
    bool Add();
    bool Edit();
    // Asks "Are you sure you wish to delete ...?" first.
    bool Remove();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(1); }
    // The "Apply" check button: shows (after writing the list) or hides the result.
    void ClickApply(bool bChecked);

    CComputeList& GetWorkingList() { return m_List; }
    // Rebuilds the lines from the working list (after a transform changed it).
    void RefillList();

protected:
    // OK: writes the working list into the trace and updates the views.
    bool Apply() override;

private:
    bool Move(int iStep);
    // A false answer of a transform about the list asks whether to go on;
    // on Yes the transforms after it are put right.
    bool ConfirmWithinList(CCompute& compute, EValidateAction eAction, int iIndex);
    void MarkEdited();
    void SetComputeListDetailsInTrace();

    CQXTrace* m_pTrace;
    CComputeList m_List;
    std::vector<bool> m_abChecked;
    std::vector<ComputeType> m_aeAvailable;
    CString m_sTraceName;
    int m_iSelected = -1;
    int m_iSelectedType = -1;
    bool m_bApplyToCopy = false;
    bool m_bApplyChecked = false;
    bool m_bEdited = false;
};
