#include "qt/CursorBarWidget.h"

#include "host/units/Unit.h"
#include "qt/QtConvert.h"
#include "trace/display/GraphFrame.h"
#include "trace/model/QXTrace.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

namespace {

// Refills the box only when its units changed, so a refresh never moves the user's choice.
void ShowUnits(QComboBox& box, const std::vector<EUnit>& aeUnits, int iSelected)
{
    const QSignalBlocker blocker(&box);
    QList<int> aiShown;
    for (int i = 0; i < box.count(); ++i) aiShown.push_back(box.itemData(i).toInt());
    if (aiShown != QList<int>(aeUnits.begin(), aeUnits.end())) {
        box.clear();
        for (EUnit eUnit : aeUnits) {
            const CUnit* pUnit = FindUnitObject(eUnit);
            box.addItem(pUnit ? ToQString(pUnit->GetName()) : QString::number(eUnit), int(eUnit));
        }
    }
    box.setCurrentIndex(iSelected);
    box.setEnabled(!aeUnits.empty());
}

QLabel* ReadOut(QWidget* pParent)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setMinimumWidth(120);
    pLabel->setFrameShape(QFrame::StyledPanel);
    return pLabel;
}

} // namespace

CCursorBarWidget::CCursorBarWidget(CGraphFrame& frame, QWidget* pParent)
    : QToolBar("Trace Cursor Toolbar", pParent), m_frame(frame), m_bar(frame.GetCursorBar())
{
    setObjectName("cursorBar");
    m_pTrace = new QLabel(this);
    m_pTrace->setMinimumWidth(90);
    m_pXUnit = new QComboBox(this);
    m_pYUnit = new QComboBox(this);
    m_pXUnit->setObjectName("cursorXUnit");
    m_pYUnit->setObjectName("cursorYUnit");
    m_pXText = ReadOut(this);
    m_pYText = ReadOut(this);
    addWidget(m_pTrace);
    addSeparator();
    addWidget(new QLabel("X", this));
    addWidget(m_pXUnit);
    addWidget(m_pXText);
    addWidget(new QLabel("Y", this));
    addWidget(m_pYUnit);
    addWidget(m_pYText);
    addSeparator();
    m_pRelative = addAction("Relative");
    m_pRelative->setCheckable(true);
    m_pReset = addAction("Reset");
    connect(m_pXUnit, &QComboBox::activated, this, [this](int i) { m_bar.SetXUnitIndex(i); });
    connect(m_pYUnit, &QComboBox::activated, this, [this](int i) { m_bar.SetYUnitIndex(i); });
    connect(m_pRelative, &QAction::triggered, this, [this]() { m_frame.Execute(ID_CURSOR_RELATIVE); });
    connect(m_pReset, &QAction::triggered, this, [this]() { m_frame.Execute(ID_CURSOR_RESET); });
    m_bar.SetChangeListener([this]() { Refresh(); });
    m_bar.Update();
}

CCursorBarWidget::~CCursorBarWidget() { m_bar.SetChangeListener({}); }

void CCursorBarWidget::Refresh()
{
    CQXTrace* pTrace = m_bar.GetTrace();
    m_pTrace->setText(pTrace ? ToQString(pTrace->GetTraceName(1, 0, 0)) : QString("No trace"));
    ShowUnits(*m_pXUnit, m_bar.GetXUnits(), m_bar.GetXUnitIndex());
    ShowUnits(*m_pYUnit, m_bar.GetYUnits(), m_bar.GetYUnitIndex());
    m_pXText->setText(ToQString(m_bar.GetXCursorText(pTrace)));
    m_pYText->setText(ToQString(m_bar.GetYCursorText(pTrace)));
    const SCommandStatus relative = m_bar.GetRelativeState();
    m_pRelative->setEnabled(relative.bEnabled);
    m_pRelative->setChecked(relative.bChecked);
    m_pReset->setEnabled(m_frame.GetCommandStatus(ID_CURSOR_RESET).bEnabled);
}
