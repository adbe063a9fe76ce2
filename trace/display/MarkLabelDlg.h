#pragma once
// "Mark label": the label of one mark of a trace (the current one, as the
// Marks menu opens it). A label holds at most 32 characters, and the mark
// must still be on the trace when OK is pressed (live data may shrink the
// trace under it); OK sets the label, which tells the views.
//
// Toolkit-free; a host shows it (qt/dialogs/MarkLabelForm, or the headless
// host in tests).

#include "host/app/DialogModel.h"

class CQXTrace;

class CMarkLabelDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 808;
    static constexpr int IDC_LABEL = 8340;

    // The trace stays the caller's and must outlive the dialog; iMark is
    // its slot (-1: the trace's current mark).
    explicit CMarkLabelDlg(CQXTrace& trace, int iMark = -1);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;
    // "Label of mark 3:".
    CString GetPrompt() const;
    int GetMark() const { return m_iMark; }
    const CString& GetLabel() const { return m_sLabel; }
    void SetLabel(const CString& sLabel) { m_sLabel = sLabel; }
    CString Validate(int* piControl) const override;

protected:
    bool Apply() override;

private:
    CQXTrace& m_Trace;
    int m_iMark;
    CString m_sLabel;
};
