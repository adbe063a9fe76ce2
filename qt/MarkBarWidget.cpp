#include "qt/MarkBarWidget.h"

#include "qt/QtConvert.h"
#include "trace/display/GraphFrame.h"
#include "trace/model/CursorMark.h"

#include <QLabel>
#include <QLineEdit>

CMarkBarWidget::CMarkBarWidget(CGraphFrame& frame, QWidget* pParent)
    : QToolBar("Trace Mark Toolbar", pParent), m_frame(frame), m_bar(frame.GetMarkBar())
{
    setObjectName("markBar");
    AddCommand("Add mark", ID_MARK_ADD);
    AddCommand("Remove mark", ID_MARK_REMOVE);
    AddCommand("Previous mark", ID_MARK_PREVIOUS);
    AddCommand("Next mark", ID_MARK_NEXT);
    addSeparator();
    m_pNumber = new QLabel(this);
    m_pNumber->setMinimumWidth(60);
    addWidget(m_pNumber);
    addWidget(new QLabel("Label", this));
    m_pLabel = new QLineEdit(this);
    m_pLabel->setObjectName("markLabel");
    m_pLabel->setMinimumWidth(180);
    m_pLabel->setMaximumWidth(260);
    m_pLabel->setMaxLength(CCursorMark::kMaxLabelLength);
    addWidget(m_pLabel);
    addSeparator();
    AddCommand("List marks", ID_MARK_LISTALL);
    AddCommand("Harmonics", ID_MARK_HARMONICS);
    connect(m_pLabel, &QLineEdit::editingFinished, this, [this]() {
        if (m_pLabel->isModified()) m_bar.SetMarkLabel(FromQString(m_pLabel->text()));
        m_pLabel->setModified(false);
    });
    m_bar.SetChangeListener([this]() { Refresh(); });
    m_bar.Update();
}

CMarkBarWidget::~CMarkBarWidget() { m_bar.SetChangeListener({}); }

void CMarkBarWidget::AddCommand(const char* szText, UINT uCommand)
{
    QAction* pAction = addAction(szText);
    connect(pAction, &QAction::triggered, this, [this, uCommand]() { m_frame.Execute(uCommand); });
    m_aCommands.emplace_back(pAction, uCommand);
}

void CMarkBarWidget::Refresh()
{
    m_pNumber->setText(ToQString(m_bar.GetMarkNumberText()));
    // A label being typed stays as typed until it is applied.
    const QString sLabel = ToQString(m_bar.GetMarkLabel());
    if (!m_pLabel->isModified() && m_pLabel->text() != sLabel) m_pLabel->setText(sLabel);
    m_pLabel->setEnabled(m_bar.GetMarkNumber() >= 0);
    for (const auto& [pAction, uCommand] : m_aCommands) pAction->setEnabled(m_frame.GetCommandStatus(uCommand).bEnabled);
}
