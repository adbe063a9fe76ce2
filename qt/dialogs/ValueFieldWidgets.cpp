#include "qt/dialogs/ValueFieldWidgets.h"

#include "qt/QtConvert.h"

#include <QGridLayout>

CValueFieldWidgets::CValueFieldWidgets(QWidget* pParent, QGridLayout* pGrid, int iRow, QWidget* pLabel)
    : m_pEdit(new QLineEdit(pParent)), m_pUnits(new QComboBox(pParent))
{
    pGrid->addWidget(pLabel, iRow, 0);
    pGrid->addWidget(m_pEdit, iRow, 1);
    pGrid->addWidget(m_pUnits, iRow, 2);
}

void CValueFieldWidgets::OnEdited(std::function<void(const CString&)> setText)
{
    QObject::connect(m_pEdit, &QLineEdit::textEdited, m_pEdit,
                     [setText](const QString& sText) { setText(FromQString(sText)); });
}

void CValueFieldWidgets::OnUnitChosen(std::function<void(int)> setUnit)
{
    QObject::connect(m_pUnits, &QComboBox::currentIndexChanged, m_pUnits, [this, setUnit](int iIndex) {
        if (!m_bShowing && iIndex >= 0) setUnit(m_pUnits->itemData(iIndex).toInt());
    });
}

void CValueFieldWidgets::Show(const SValueField& field)
{
    m_bShowing = true;
    if (m_pUnits->count() != static_cast<int>(field.aUnits.size())) {
        m_pUnits->clear();
        for (const auto& [eUnit, sName] : field.aUnits) m_pUnits->addItem(ToQString(sName), static_cast<int>(eUnit));
    }
    m_pUnits->setCurrentIndex(m_pUnits->findData(field.iUnit));
    m_pUnits->setEnabled(field.bEnabled && field.bUnitEnabled);
    if (m_pEdit->text() != ToQString(field.sText)) m_pEdit->setText(ToQString(field.sText));
    m_pEdit->setEnabled(field.bEnabled);
    m_bShowing = false;
}
