#include "qt/dialogs/ComputeRelativeForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CComputeRelativeForm::CComputeRelativeForm(CComputeRelativeDlg& model, QWidget* pParent)
    : CModelForm(model, pParent), m_Model(model)
{
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(ToQString(LoadResString(IDS_COMPUTE_RELATIVE_TO)), this));
    m_pGolden = new QComboBox(this);
    for (const auto& choice : model.GetChoices()) m_pGolden->addItem(ToQString(choice.sName));
    pLayout->addWidget(m_pGolden);
    auto* pGrid = new QGridLayout();
    m_pOffset = new QRadioButton(ToQString(LoadResString(IDS_COMPUTE_RELATIVE_OFFSET)), this);
    m_pGain = new QRadioButton(ToQString(LoadResString(IDS_COMPUTE_RELATIVE_GAIN)), this);
    m_pGainUnit = new QComboBox(this);
    for (const auto& [eUnit, sName] : model.GetGainUnits()) m_pGainUnit->addItem(ToQString(sName), static_cast<int>(eUnit));
    pGrid->addWidget(m_pOffset, 0, 0);
    pGrid->addWidget(m_pGain, 1, 0);
    pGrid->addWidget(m_pGainUnit, 1, 1);
    pLayout->addLayout(pGrid);
    AddButtons(pLayout);
    if (auto* pBox = findChild<QDialogButtonBox*>()) m_pOK = pBox->button(QDialogButtonBox::Ok);

    connect(m_pGolden, &QComboBox::currentIndexChanged, this, [this](int i) { m_Model.Select(i); Refresh(); });
    connect(m_pOffset, &QRadioButton::clicked, this, [this]() { m_Model.SetGain(false); Refresh(); });
    connect(m_pGain, &QRadioButton::clicked, this, [this]() { m_Model.SetGain(true); Refresh(); });
    connect(m_pGainUnit, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_Model.SetGainUnit(m_pGainUnit->itemData(i).toInt()); });
    Refresh();
}

QWidget* CComputeRelativeForm::FindControl(int iControl)
{
    return iControl == CComputeRelativeDlg::IDC_GOLDEN_TRACE ? m_pGolden : nullptr;
}

void CComputeRelativeForm::Refresh()
{
    const QSignalBlocker block(m_pGolden);
    m_pGolden->setCurrentIndex(m_Model.GetSelected());
    m_pOffset->setChecked(!m_Model.IsGain());
    m_pGain->setChecked(m_Model.IsGain());
    m_pGain->setEnabled(m_Model.IsGainAllowed());
    m_pGainUnit->setEnabled(m_Model.IsGain());
    const int iUnit = m_pGainUnit->findData(m_Model.GetGainUnit());
    if (iUnit >= 0) {
        const QSignalBlocker blockUnit(m_pGainUnit);
        m_pGainUnit->setCurrentIndex(iUnit);
    }
    if (m_pOK) m_pOK->setEnabled(m_Model.IsOKEnabled());
}
