#pragma once
// "Edit Trace comment": the free comment of a trace (printed and exported
// in the legend). Any text will do, none too; OK sets it through the
// document when it changed, which tells the views.
//
// Toolkit-free; a host shows it (qt/dialogs/TraceCommentForm, or the
// headless host in tests).

#include "host/app/DialogModel.h"

class CGraphFrame;
class CQXTrace;

class CTraceCommentDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 806;
    static constexpr int IDC_COMMENT = 8330;

    // The trace stays the caller's and must outlive the dialog.
    explicit CTraceCommentDlg(CQXTrace& trace);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;
    const CString& GetComment() const { return m_sComment; }
    void SetComment(const CString& sComment) { m_sComment = sComment; }
    CString Validate(int* piControl) const override;

protected:
    bool Apply() override;

private:
    CQXTrace& m_Trace;
    CString m_sComment;
};

// "Edit Trace comment..." in the frame's command table: the dialog on a trace in use.
void InstallTraceCommentCommand(CGraphFrame& frame);
