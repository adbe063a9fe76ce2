#include "qt/dialogs/MarkLabelForm.h"

#include "qt/QtConvert.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CMarkLabelForm::CMarkLabelForm(CMarkLabelDlg& model, QWidget* pParent) : CModelForm(model, pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    m_pEdit = new QLineEdit(ToQString(model.GetLabel()), this);
    m_pEdit->setMinimumWidth(300);
    pLayout->addWidget(new QLabel(ToQString(model.GetPrompt()), this));
    pLayout->addWidget(m_pEdit);
    AddButtons(pLayout);
    connect(m_pEdit, &QLineEdit::textEdited, this, [&model](const QString& sText) { model.SetLabel(FromQString(sText)); });
}

QWidget* CMarkLabelForm::FindControl(int iControl) { return iControl == CMarkLabelDlg::IDC_LABEL ? m_pEdit : nullptr; }
