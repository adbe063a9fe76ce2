#pragma once
// The Qt forms of "Add Trace" and of its choose-trace step: each edit goes
// to the model as it happens; "Add" asks the model and shows the live list
// as it then is, "Close" ends the dialog.

#include "qt/dialogs/ModelForm.h"
#include "trace/file/AddTraceDlg.h"
#include "trace/file/ChooseLimitTraceDlg.h"

#include <map>

class QComboBox;
class QLineEdit;
class QPushButton;

class CAddTraceForm : public CModelForm {
public:
    CAddTraceForm(CAddTraceDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    using EKind = CAddTraceDlg::EKind;
    // A file field with its "Browse..." button, on the grid's row.
    QLineEdit* AddFileRow(class QGridLayout* pGrid, int iRow, EKind eKind, const CString& sFile);
    void ShowLiveEntries();
    void ShowEnabled();
    void OnAdd();

    CAddTraceDlg& m_Model;
    QComboBox* m_pChannels = nullptr;
    QComboBox* m_pLive = nullptr;
    QComboBox* m_pFilter = nullptr;
    QComboBox* m_pWindow = nullptr;
    QLineEdit* m_pWindowFile = nullptr;
    QPushButton* m_pWindowBrowse = nullptr;
    std::map<int, QWidget*> m_mControls;
};

class CChooseLimitTraceForm : public CModelForm {
public:
    CChooseLimitTraceForm(CChooseLimitTraceDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    std::map<int, QWidget*> m_mControls;
};
