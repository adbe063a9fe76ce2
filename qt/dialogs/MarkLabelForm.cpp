#include "qt/dialogs/MarkLabelForm.h"

#include "qt/QtConvert.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CMarkLabelForm::CMarkLabelForm(CMarkLabelDlg& model, QWidget* pParent) : CModelForm(model, pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pRow = new QHBoxLayout();
    m_pEdit = new QLineEdit(ToQString(model.GetLabel()), this);
    m_pEdit->setMinimumWidth(260);
    pRow->addWidget(new QLabel(ToQString(model.GetPrompt()), this));
    pRow->addWidget(m_pEdit);
    pLayout->addLayout(pRow);
    AddButtons(pLayout);
    connect(m_pEdit, &QLineEdit::textEdited, this, [&model](const QString& sText) { model.SetLabel(FromQString(sText)); });
}

QWidget* CMarkLabelForm::FindControl(int iControl) { return iControl == CMarkLabelDlg::IDC_LABEL ? m_pEdit : nullptr; }
