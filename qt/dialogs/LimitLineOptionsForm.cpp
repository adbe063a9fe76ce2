#include "qt/dialogs/LimitLineOptionsForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"
#include "trace/limits/LimitLineOptionsDlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Text(int iId) { return ToQString(LoadResString(iId)); }

// A titled pair of exclusive choices; the first is returned, checked as asked.
QRadioButton* AddChoice(QWidget* pParent, QVBoxLayout* pLayout, int iTitle, int iFirst, int iSecond, bool bFirst)
{
    auto* pGroup = new QGroupBox(Text(iTitle), pParent);
    auto* pGroupLayout = new QVBoxLayout(pGroup);
    auto* pFirst = new QRadioButton(Text(iFirst), pGroup);
    auto* pSecond = new QRadioButton(Text(iSecond), pGroup);
    pGroupLayout->addWidget(pFirst);
    pGroupLayout->addWidget(pSecond);
    (bFirst ? pFirst : pSecond)->setChecked(true);
    pLayout->addWidget(pGroup);
    return pFirst;
}

} // namespace

CLimitLineOptionsForm::CLimitLineOptionsForm(CLimitLineOptionsDlg& model, QWidget* pParent)
    : QDialog(pParent), m_Model(model)
{
    setWindowTitle(ToQString(model.GetCaption()));
    auto* pLayout = new QVBoxLayout(this);
    m_pMax = AddChoice(this, pLayout, IDS_LIMIT_OPTIONS_WHICH, IDS_LIMIT_OPTIONS_MAX, IDS_LIMIT_OPTIONS_MIN, model.IsMax());
    m_pDraw =
        AddChoice(this, pLayout, IDS_LIMIT_OPTIONS_HOW, IDS_LIMIT_OPTIONS_DRAW, IDS_LIMIT_OPTIONS_COPY, model.IsDraw());
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pLayout->addWidget(pButtons);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CLimitLineOptionsForm::accept()
{
    m_Model.SetMax(m_pMax->isChecked());
    m_Model.SetDraw(m_pDraw->isChecked());
    if (m_Model.OnOK()) QDialog::accept();
}
