#pragma once
// What the forms of live-editing dialog models share: the form writes each
// edit into the model as it happens, so OK and Cancel only ask the model,
// which decides whether the dialog ends; a refused OK focuses the control
// the model names.

#include "host/app/DialogModel.h"

#include <QDialog>

class QBoxLayout;

class CModelForm : public QDialog {
public:
    CModelForm(CDialogModel& model, QWidget* pParent);

    void accept() override;
    void reject() override;

protected:
    // Puts OK and Cancel under the form's other widgets.
    void AddButtons(QBoxLayout* pLayout);
    // The widget of a model's control id; null when the form has none.
    virtual QWidget* FindControl(int /*iControl*/) { return nullptr; }

private:
    CDialogModel& m_Model;
};
