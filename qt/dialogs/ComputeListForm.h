#pragma once
// "Live Trace transforms" on the transforms-list dialog model.

#include "qt/dialogs/ModelForm.h"
#include "trace/compute/ComputeListDlg.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

class CComputeListForm : public CModelForm {
public:
    CComputeListForm(CComputeListDlg& model, QWidget* pParent);

private:
    // Runs a model action, then shows the model again.
    template <typename Action>
    void Do(Action action);
    void Refresh();

    CComputeListDlg& m_Model;
    QLabel* m_pName;
    QListWidget* m_pLines;
    QListWidget* m_pTypes;
    QCheckBox* m_pCopy;
    QPushButton* m_pAdd;
    QPushButton* m_pRemove;
    QPushButton* m_pEdit;
    QPushButton* m_pUp;
    QPushButton* m_pDown;
    QPushButton* m_pApply;
    bool m_bShowing = false;
};
