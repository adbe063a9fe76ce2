#include "qt/dialogs/ComputeListForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"
#include "trace/compute/Compute.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Text(int iId) { return ToQString(LoadResString(iId)); }

} // namespace

CComputeListForm::CComputeListForm(CComputeListDlg& model, QWidget* pParent)
    : CModelForm(model, pParent), m_Model(model)
{
    auto* pLayout = new QVBoxLayout(this);
    m_pName = new QLabel(this);
    pLayout->addWidget(m_pName);
    auto* pGrid = new QGridLayout();
    pGrid->addWidget(new QLabel(Text(IDS_COMPUTE_LIST_TO_APPLY), this), 0, 0);
    pGrid->addWidget(new QLabel(Text(IDS_COMPUTE_LIST_AVAILABLE), this), 0, 2);
    m_pLines = new QListWidget(this);
    m_pTypes = new QListWidget(this);
    pGrid->addWidget(m_pLines, 1, 0);
    pGrid->addWidget(m_pTypes, 1, 2);
    auto* pButtons = new QVBoxLayout();
    m_pAdd = new QPushButton(Text(IDS_COMPUTE_LIST_ADD), this);
    m_pRemove = new QPushButton(Text(IDS_COMPUTE_LIST_REMOVE), this);
    m_pEdit = new QPushButton(Text(IDS_COMPUTE_LIST_EDIT), this);
    m_pUp = new QPushButton(Text(IDS_COMPUTE_LIST_MOVE_UP), this);
    m_pDown = new QPushButton(Text(IDS_COMPUTE_LIST_MOVE_DOWN), this);
    for (QPushButton* p : {m_pAdd, m_pRemove, m_pEdit, m_pUp, m_pDown}) pButtons->addWidget(p);
    pButtons->addStretch();
    pGrid->addLayout(pButtons, 1, 1);
    pLayout->addLayout(pGrid);
    m_pCopy = new QCheckBox(Text(IDS_COMPUTE_LIST_COPY), this);
    m_pApply = new QPushButton(Text(IDS_COMPUTE_LIST_APPLY), this);
    m_pApply->setCheckable(true);
    auto* pRow = new QHBoxLayout();
    pRow->addWidget(m_pCopy);
    pRow->addStretch();
    pRow->addWidget(m_pApply);
    pLayout->addLayout(pRow);
    AddButtons(pLayout);

    connect(m_pLines, &QListWidget::currentRowChanged, this, [this](int i) { if (!m_bShowing) Do([&] { m_Model.SelectLine(i); }); });
    connect(m_pTypes, &QListWidget::currentRowChanged, this, [this](int i) { if (!m_bShowing) Do([&] { m_Model.SelectType(i); }); });
    connect(m_pLines, &QListWidget::itemChanged, this, [this](QListWidgetItem* pItem) {
        if (!m_bShowing) Do([&] { m_Model.SetLineChecked(m_pLines->row(pItem), pItem->checkState() == Qt::Checked); });
    });
    connect(m_pCopy, &QCheckBox::clicked, this, [this](bool b) { Do([&] { m_Model.SetApplyToCopy(b); }); });
    connect(m_pApply, &QPushButton::clicked, this, [this](bool b) { Do([&] { m_Model.ClickApply(b); }); });
    connect(m_pAdd, &QPushButton::clicked, this, [this]() { Do([&] { m_Model.Add(); }); });
    connect(m_pRemove, &QPushButton::clicked, this, [this]() { Do([&] { m_Model.Remove(); }); });
    connect(m_pEdit, &QPushButton::clicked, this, [this]() { Do([&] { m_Model.Edit(); }); });
    connect(m_pUp, &QPushButton::clicked, this, [this]() { Do([&] { m_Model.MoveUp(); }); });
    connect(m_pDown, &QPushButton::clicked, this, [this]() { Do([&] { m_Model.MoveDown(); }); });
    Refresh();
    resize(760, 340);
}

template <typename Action>
void CComputeListForm::Do(Action action)
{
    action();
    Refresh();
}

void CComputeListForm::Refresh()
{
    m_bShowing = true;
    m_pName->setText(ToQString(m_Model.GetTraceName()));
    const std::vector<CString> asLines = m_Model.GetLines();
    m_pLines->clear();
    for (size_t i = 0; i < asLines.size(); ++i) {
        auto* pItem = new QListWidgetItem(ToQString(asLines[i]), m_pLines);
        pItem->setFlags(pItem->flags() | Qt::ItemIsUserCheckable);
        pItem->setCheckState(m_Model.IsLineChecked(static_cast<int>(i)) ? Qt::Checked : Qt::Unchecked);
    }
    m_pLines->setCurrentRow(m_Model.GetSelectedLine());
    if (m_pTypes->count() != static_cast<int>(m_Model.GetAvailableTypes().size())) {
        m_pTypes->clear();
        for (ComputeType eType : m_Model.GetAvailableTypes())
            m_pTypes->addItem(ToQString(LoadResString(GetNameStrIDForComputeType(eType))));
    }
    m_pTypes->setCurrentRow(m_Model.GetSelectedType());
    m_pCopy->setChecked(m_Model.GetApplyToCopy());
    m_pCopy->setEnabled(m_Model.CanApplyToCopy());
    m_pApply->setChecked(m_Model.IsApplyChecked());
    m_pAdd->setEnabled(m_Model.CanAdd());
    m_pRemove->setEnabled(m_Model.CanRemove());
    m_pEdit->setEnabled(m_Model.CanEdit());
    m_pUp->setEnabled(m_Model.CanMoveUp());
    m_pDown->setEnabled(m_Model.CanMoveDown());
    m_bShowing = false;
}
