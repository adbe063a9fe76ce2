#pragma once
// Shows a dialog model with its Qt form, found by the model's template id,
// and the library's message boxes as Qt message boxes.

#include "host/app/DialogModel.h"
#include "platform/String.h"

class QDialog;
class QWidget;

// The dialog host of the Qt front end: installed while it lives.
class CQtDialogHost : public IDialogHost {
public:
    explicit CQtDialogHost(QWidget* pParent = nullptr) : m_pParent(pParent), m_pPrevious(InstallDialogHost(this)) {}
    ~CQtDialogHost() override { InstallDialogHost(m_pPrevious); }
    CQtDialogHost(const CQtDialogHost&) = delete;
    CQtDialogHost& operator=(const CQtDialogHost&) = delete;
    int DoModal(CDialogModel& model) override;

private:
    QWidget* m_pParent;
    IDialogHost* m_pPrevious;
};

// IDOK after an OK the model accepted, else IDCANCEL (also for a model
// without a form). A dialog opened from another's form sits on that form.
int QtDoModal(CDialogModel& model, QWidget* pParent = nullptr);
// The form of a model, not yet shown; null for a model without one.
QDialog* CreateQtForm(CDialogModel& model, QWidget* pParent = nullptr);
// A message box of the library (MB_ type bits) as a Qt message box, on the
// form or window in front; IDYES/IDNO(/IDCANCEL), IDOK/IDCANCEL or IDOK.
int QtMessageBox(const CString& sText, unsigned uType);
