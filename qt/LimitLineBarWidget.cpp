#include "qt/LimitLineBarWidget.h"

#include "host/units/Unit.h"
#include "qt/QtConvert.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QComboBox* UnitCombo(QWidget* pParent, const std::vector<EUnit>& aeUnits, int iSelected)
{
    auto* pCombo = new QComboBox(pParent);
    for (EUnit eUnit : aeUnits) {
        const CUnit* pUnit = FindUnitObject(eUnit);
        pCombo->addItem(pUnit ? ToQString(pUnit->GetName()) : QString::number(eUnit));
    }
    pCombo->setCurrentIndex(iSelected);
    return pCombo;
}

} // namespace

CLimitLineBarWidget::CLimitLineBarWidget(CLimitLineBar& bar, QWidget* pParent)
    : QWidget(pParent, Qt::Tool), m_bar(bar)
{
    setWindowTitle("Limit Line");
    auto* pGrid = new QGridLayout(this);
    for (int i = 0; i < CLimitLineBar::BTN_COUNT; ++i) {
        const auto eButton = static_cast<CLimitLineBar::EButton>(i);
        auto* pButton = new QPushButton(ToQString(CLimitLineBar::GetButtonText(eButton)), this);
        // The bar may end the mode, and this widget with it: nothing after the call.
        connect(pButton, &QPushButton::clicked, this, [this, eButton]() { m_bar.OnButton(eButton); });
        pGrid->addWidget(pButton, 0, i);
        m_apButtons[static_cast<size_t>(i)] = pButton;
    }
    m_pXUnit = UnitCombo(this, bar.GetXUnits(), bar.GetXUnitIndex());
    m_pYUnit = UnitCombo(this, bar.GetYUnits(), bar.GetYUnitIndex());
    m_pXText = new QLabel(this);
    m_pYText = new QLabel(this);
    m_pXText->setMinimumWidth(110);
    m_pYText->setMinimumWidth(110);
    pGrid->addWidget(new QLabel("X", this), 1, 0);
    pGrid->addWidget(m_pXUnit, 1, 1);
    pGrid->addWidget(m_pXText, 1, 2);
    pGrid->addWidget(new QLabel("Y", this), 1, 3);
    pGrid->addWidget(m_pYUnit, 1, 4);
    pGrid->addWidget(m_pYText, 1, 5);
    connect(m_pXUnit, &QComboBox::currentIndexChanged, this, [this](int i) { m_bar.SetXUnitIndex(i); });
    connect(m_pYUnit, &QComboBox::currentIndexChanged, this, [this](int i) { m_bar.SetYUnitIndex(i); });
    m_bar.SetChangeListener([this]() { Refresh(); });
    Refresh();
}

void CLimitLineBarWidget::Refresh()
{
    for (int i = 0; i < CLimitLineBar::BTN_COUNT; ++i)
        m_apButtons[static_cast<size_t>(i)]->setEnabled(m_bar.IsButtonEnabled(static_cast<CLimitLineBar::EButton>(i)));
    m_pXText->setText(ToQString(m_bar.GetXCursorText()));
    m_pYText->setText(ToQString(m_bar.GetYCursorText()));
}
