#include "qt/ImpulseWindowBarWidget.h"

#include "host/units/Unit.h"
#include "qt/QtConvert.h"
#include "trace/types/ImpulseWindowEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

CImpulseWindowBarWidget::CImpulseWindowBarWidget(CImpulseWindowEditor& editor, QWidget* pParent)
    : QWidget(pParent, Qt::Tool), m_editor(editor), m_bar(editor.GetBar())
{
    auto* pRow = new QHBoxLayout(this);
    auto* pFinish = new QPushButton("Finish", this);
    auto* pCancel = new QPushButton("Cancel", this);
    // Either may end the mode: nothing after the call.
    connect(pFinish, &QPushButton::clicked, this, [this]() { m_editor.OnCmdMsg(ID_IMPULSE_FINISH, 0, nullptr); });
    connect(pCancel, &QPushButton::clicked, this, [this]() { m_editor.OnCmdMsg(ID_IMPULSE_CANCEL, 0, nullptr); });
    pRow->addWidget(pFinish);
    pRow->addWidget(pCancel);
    m_pWindow = new QComboBox(this);
    for (const CString& sName : m_bar.GetWindowFunctionNames()) m_pWindow->addItem(ToQString(sName));
    connect(m_pWindow, &QComboBox::currentIndexChanged, this, [this](int i) { m_bar.SetWindowFunctionIndex(i); });
    pRow->addWidget(m_pWindow);
    m_pHalf = new QCheckBox("Half window", this);
    connect(m_pHalf, &QCheckBox::toggled, this, [this](bool b) { m_editor.SetHalfWindow(b); });
    pRow->addWidget(m_pHalf);
    const char* aszLabels[] = {"Start bin", "Mid bin", "End bin"};
    for (int i = 0; i < 3; ++i) {
        pRow->addWidget(new QLabel(aszLabels[i], this));
        auto* pEdit = new QLineEdit(this);
        pEdit->setFixedWidth(70);
        const auto eBin = static_cast<CImpulseWindowBar::EBin>(i);
        connect(pEdit, &QLineEdit::editingFinished, this,
                [this, pEdit, eBin]() { m_bar.OnBinTyped(eBin, FromQString(pEdit->text())); });
        pRow->addWidget(pEdit);
        m_apBins[static_cast<size_t>(i)] = pEdit;
    }
    m_pUnit = new QComboBox(this);
    for (EUnit eUnit : m_bar.GetBinUnits()) {
        const CUnit* pUnit = FindUnitObject(eUnit);
        m_pUnit->addItem(pUnit ? ToQString(pUnit->GetName()) : QString::number(eUnit));
    }
    connect(m_pUnit, &QComboBox::currentIndexChanged, this, [this](int i) { m_bar.SetBinUnitIndex(i); });
    pRow->addWidget(m_pUnit);
    m_pTied = new QCheckBox("Tied", this);
    connect(m_pTied, &QCheckBox::toggled, this, [this](bool b) { m_editor.SetWindowTied(b); });
    pRow->addWidget(m_pTied);
    m_bar.SetChangeListener([this]() { Refresh(); });
    Refresh();
}

void CImpulseWindowBarWidget::Refresh()
{
    setWindowTitle(ToQString(m_bar.GetTitle()));
    const QSignalBlocker half(m_pHalf), tied(m_pTied), unit(m_pUnit), window(m_pWindow);
    m_pWindow->setCurrentIndex(m_bar.GetWindowFunctionIndex());
    m_pHalf->setChecked(m_editor.GetWorkingDetails().GetHalfWindow());
    m_pTied->setChecked(m_editor.IsTied());
    m_pUnit->setCurrentIndex(m_bar.GetBinUnitIndex());
    for (int i = 0; i < 3; ++i)
        m_apBins[static_cast<size_t>(i)]->setText(ToQString(m_bar.GetBinText(static_cast<CImpulseWindowBar::EBin>(i))));
}
