#include "qt/MarksListWidget.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"
#include "trace/display/MarksDlg.h"
#include "trace/model/QXTrace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

CMarksListWidget::CMarksListWidget(CMarksDlg& model, QWidget* pParent) : QWidget(pParent, Qt::Window), m_model(model)
{
    setObjectName("marksList");
    auto* pLayout = new QVBoxLayout(this);
    m_pTable = new QTableWidget(0, CMarksDlg::COLUMN_COUNT, this);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    // All 20 marks in sight, each label on one line.
    m_pTable->verticalHeader()->setDefaultSectionSize(22);
    m_pTable->setColumnWidth(CMarksDlg::COLUMN_LABEL, 190);
    m_pTable->setColumnWidth(CMarksDlg::COLUMN_X, 120);
    m_pTable->setMinimumSize(480, 470);
    m_pExcludeFirst = new QCheckBox(ToQString(LoadResString(IDS_MARKS_EXCLUDE_FIRST)), this);
    auto* pSum = new QHBoxLayout();
    m_pSumCaption = new QLabel(this);
    m_pSumText = new QLabel(this);
    m_pSumText->setFrameShape(QFrame::StyledPanel);
    m_pSumText->setMinimumWidth(160);
    pSum->addWidget(m_pSumCaption);
    pSum->addWidget(m_pSumText, 1);
    auto* pClose = new QPushButton("Close", this);
    pSum->addWidget(pClose);
    connect(pClose, &QPushButton::clicked, this, &QWidget::close);
    pLayout->addWidget(m_pTable);
    pLayout->addWidget(m_pExcludeFirst);
    pLayout->addLayout(pSum);
    connect(m_pExcludeFirst, &QCheckBox::toggled, this, [this](bool bOn) { m_model.SetExcludeFirst(bOn); });
    m_model.SetChangeListener([this]() { Refresh(); });
    Refresh();
}

CMarksListWidget::~CMarksListWidget() { m_model.SetChangeListener({}); }

void CMarksListWidget::closeEvent(QCloseEvent* pEvent)
{
    m_model.Close();
    pEvent->accept();
}

void CMarksListWidget::Refresh()
{
    CQXTrace* pTrace = m_model.GetTrace();
    const QString sTitle = ToQString(LoadResString(IDS_MARKS_LIST_CAPTION));
    setWindowTitle(pTrace ? sTitle + " - " + ToQString(pTrace->GetTraceName(1, 0, 0)) : sTitle);
    const CMarksDlg::SRow& asHeadings = m_model.GetHeadings();
    QStringList asLabels;
    for (const CString& sHeading : asHeadings) asLabels << ToQString(sHeading);
    m_pTable->setHorizontalHeaderLabels(asLabels);
    const auto& aRows = m_model.GetRows();
    m_pTable->setRowCount(static_cast<int>(aRows.size()));
    for (int iRow = 0; iRow < static_cast<int>(aRows.size()); ++iRow)
        for (int iColumn = 0; iColumn < CMarksDlg::COLUMN_COUNT; ++iColumn) {
            const QString sText = ToQString(aRows[static_cast<size_t>(iRow)][static_cast<size_t>(iColumn)]);
            QTableWidgetItem* pItem = m_pTable->item(iRow, iColumn);
            if (!pItem) {
                pItem = new QTableWidgetItem();
                if (iColumn != CMarksDlg::COLUMN_LABEL) pItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_pTable->setItem(iRow, iColumn, pItem);
            }
            if (pItem->text() != sText) pItem->setText(sText);
        }
    const QSignalBlocker blocker(m_pExcludeFirst);
    m_pExcludeFirst->setChecked(m_model.GetExcludeFirst());
    m_pSumCaption->setText(ToQString(m_model.GetSumCaption()));
    m_pSumText->setText(ToQString(m_model.GetSumText()));
}
