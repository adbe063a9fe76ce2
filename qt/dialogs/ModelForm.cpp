#include "qt/dialogs/ModelForm.h"

#include "qt/QtConvert.h"

#include <QBoxLayout>
#include <QDialogButtonBox>

CModelForm::CModelForm(CDialogModel& model, QWidget* pParent) : QDialog(pParent), m_Model(model)
{
    setWindowTitle(ToQString(model.GetCaption()));
}

void CModelForm::accept()
{
    if (m_Model.OnOK()) {
        QDialog::accept();
    } else if (QWidget* pControl = FindControl(m_Model.GetFailedControl())) {
        pControl->setFocus();
    }
}

void CModelForm::reject()
{
    if (m_Model.OnCancel()) QDialog::reject();
}

void CModelForm::AddButtons(QBoxLayout* pLayout)
{
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CModelForm::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CModelForm::reject);
    pLayout->addWidget(pButtons);
}
