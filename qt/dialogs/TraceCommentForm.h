#pragma once
// The Qt form of "Edit Trace comment": the text goes to the
// CTraceCommentDlg as it is typed.

#include "qt/dialogs/ModelForm.h"
#include "trace/document/TraceCommentDlg.h"

class CTraceCommentForm : public CModelForm {
public:
    CTraceCommentForm(CTraceCommentDlg& model, QWidget* pParent);
};
