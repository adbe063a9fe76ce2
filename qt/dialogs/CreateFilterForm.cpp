#include "qt/dialogs/CreateFilterForm.h"

#include "host/units/Unit.h"
#include "qt/QtConvert.h"
#include "resources/StringTable.h"
#include "trace/file/CreateFilterDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Text(int iId) { return ToQString(LoadResString(iId)); }

} // namespace

CCreateFilterForm::CCreateFilterForm(CCreateFilterDlg& model, QWidget* pParent) : QDialog(pParent), m_Model(model)
{
    setWindowTitle(ToQString(model.GetCaption()));
    auto* pGrid = new QGridLayout(this);
    m_pValue = new QLineEdit(ToQString(model.GetValueText()), this);
    m_pUnit = new QComboBox(this);
    for (EUnit eUnit : model.GetUnits()) {
        const CUnit* pUnit = FindUnitObject(eUnit);
        m_pUnit->addItem(pUnit ? ToQString(pUnit->GetName()) : QString::number(eUnit));
    }
    m_pUnit->setCurrentIndex(model.GetUnitIndex());
    m_pInvert = new QCheckBox(Text(IDS_CREATE_FILTER_INVERT), this);
    m_pInvert->setChecked(model.GetInvert());
    m_pFile = new QLineEdit(ToQString(model.GetFileName()), this);
    m_pFile->setMinimumWidth(260);
    auto* pBrowse = new QPushButton(Text(IDS_CREATE_FILTER_BROWSE), this);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    pGrid->addWidget(new QLabel(Text(IDS_CREATE_FILTER_USE), this), 0, 0);
    pGrid->addWidget(m_pValue, 0, 1);
    pGrid->addWidget(m_pUnit, 0, 2);
    pGrid->addWidget(new QLabel(Text(IDS_CREATE_FILTER_AS_GAIN), this), 0, 3);
    pGrid->addWidget(m_pInvert, 1, 0, 1, 4);
    pGrid->addWidget(new QLabel(Text(IDS_CREATE_FILTER_FILE_LABEL), this), 2, 0, 1, 4);
    pGrid->addWidget(m_pFile, 3, 0, 1, 3);
    pGrid->addWidget(pBrowse, 3, 3);
    pGrid->addWidget(pButtons, 4, 0, 1, 4);

    connect(pBrowse, &QPushButton::clicked, this, [this]() {
        ToModel();
        if (m_Model.Browse()) m_pFile->setText(ToQString(m_Model.GetFileName()));
    });
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CCreateFilterForm::ToModel()
{
    m_Model.SetValueText(FromQString(m_pValue->text()));
    m_Model.SetUnitIndex(m_pUnit->currentIndex());
    m_Model.SetInvert(m_pInvert->isChecked());
    m_Model.SetFileName(FromQString(m_pFile->text()));
}

void CCreateFilterForm::FocusControl(int iControl)
{
    QWidget* pWidget = iControl == CCreateFilterDlg::IDC_FILE ? static_cast<QWidget*>(m_pFile) : m_pValue;
    pWidget->setFocus();
}

void CCreateFilterForm::accept()
{
    ToModel();
    if (m_Model.OnOK()) QDialog::accept();
    else FocusControl(m_Model.GetFailedControl());
}
