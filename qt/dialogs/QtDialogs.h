#pragma once
// Shows a dialog model with its Qt form, found by the model's template id.

#include "host/app/DialogModel.h"

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
// without a form).
int QtDoModal(CDialogModel& model, QWidget* pParent = nullptr);
// The form of a model, not yet shown; null for a model without one.
QDialog* CreateQtForm(CDialogModel& model, QWidget* pParent = nullptr);
