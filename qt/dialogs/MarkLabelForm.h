#pragma once
// The Qt form of "Mark label": the label goes to the CMarkLabelDlg as it is typed.

#include "qt/dialogs/ModelForm.h"
#include "trace/display/MarkLabelDlg.h"

class QLineEdit;

class CMarkLabelForm : public CModelForm {
public:
    CMarkLabelForm(CMarkLabelDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    QLineEdit* m_pEdit = nullptr;
};
