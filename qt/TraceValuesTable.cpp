#include "qt/TraceValuesTable.h"

#include "qt/QtConvert.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QString>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

// ---- The model ----------------------------------------------------------------------

CTraceValuesModel::CTraceValuesModel(CTraceValuesView& view, QObject* parent)
    : QAbstractTableModel(parent), m_view(view), m_iRows(view.GetRowCount())
{
    m_view.SetChangeListener([this](CTraceValuesView::EChange eChange) { OnChange(eChange); });
}

CTraceValuesModel::~CTraceValuesModel() { m_view.SetChangeListener(nullptr); }

int CTraceValuesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_view.GetRowCount(); }

int CTraceValuesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : CTraceValuesView::NUM_COLUMNS;
}

QVariant CTraceValuesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return ToQString(m_view.GetCellText(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole) {
        const bool bRight = m_view.GetColumn(index.column()).eAlignment == CTraceValuesView::ALIGN_RIGHT;
        return QVariant::fromValue(Qt::AlignVCenter | (bRight ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant CTraceValuesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return ToQString(m_view.GetColumn(section).sHeader);
}

void CTraceValuesModel::OnChange(CTraceValuesView::EChange eChange)
{
    if (eChange == CTraceValuesView::CHANGE_COMMENTS) {
        const int iRows = m_view.GetRowCount();
        if (iRows > 0)
            emit dataChanged(index(0, CTraceValuesView::COLUMN_COMMENT), index(iRows - 1, CTraceValuesView::COLUMN_COMMENT));
    } else if (eChange != CTraceValuesView::CHANGE_TITLE) {
        // Live data refresh the table many times a second: while the shape
        // stays, the cells change in place and the selection and scroll
        // position survive. The view has changed already, so a new shape
        // needs only a reset.
        const int iRows = m_view.GetRowCount();
        if (iRows == m_iRows && iRows > 0) {
            emit dataChanged(index(0, 0), index(iRows - 1, CTraceValuesView::NUM_COLUMNS - 1));
            emit headerDataChanged(Qt::Horizontal, 0, CTraceValuesView::NUM_COLUMNS - 1);
        } else {
            beginResetModel();
            m_iRows = iRows;
            endResetModel();
        }
    }
    if (m_fnAfter) m_fnAfter(eChange);
}

// ---- The window ----------------------------------------------------------------------

CTraceValuesWidget::CTraceValuesWidget(CQXTrace* pTrace, QWidget* parent) : QWidget(parent), m_frame(pTrace)
{
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    auto* pTools = new QToolBar(this);
    pLayout->addWidget(pTools);

    m_pModel = new CTraceValuesModel(m_frame.GetView(), this);
    m_pTable = new QTableView(this);
    m_pTable->setModel(m_pModel);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pTable->setShowGrid(true);
    m_pTable->setWordWrap(false);
    m_pTable->verticalHeader()->hide();
    // Fixed row heights: the table never measures its rows, whatever their number.
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->setDefaultSectionSize(m_pTable->fontMetrics().height() + 4);
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    pLayout->addWidget(m_pTable);

    const auto addCommand = [&](const char* szText, QKeySequence keys, auto fn) {
        QAction* pAction = pTools->addAction(QString::fromUtf8(szText));
        pAction->setShortcut(keys);
        pAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        QWidget::addAction(pAction);
        connect(pAction, &QAction::triggered, this, fn);
    };
    addCommand("Save as tab-separated...", QKeySequence(), [this] {
        m_frame.OnSaveAsFile(CTraceValuesFrame::ID_VALUES_SAVE_TAB);
    });
    addCommand("Save as comma-separated...", QKeySequence(), [this] {
        m_frame.OnSaveAsFile(CTraceValuesFrame::ID_VALUES_SAVE_COMMA);
    });
    addCommand("Copy", QKeySequence::Copy, [this] { Copy(); });
    addCommand("Select all", QKeySequence::SelectAll, [this] { m_pTable->selectAll(); });

    m_pModel->SetAfterChange([this](CTraceValuesView::EChange eChange) {
        if (eChange != CTraceValuesView::CHANGE_COMMENTS) ApplyColumns();
        UpdateTitle();
    });
    ApplyColumns();
    UpdateTitle();
}

CTraceValuesWidget::~CTraceValuesWidget() = default;

void CTraceValuesWidget::ApplyColumns()
{
    for (int i = 0; i < CTraceValuesView::NUM_COLUMNS; ++i) {
        const int iWidth = m_frame.GetView().GetColumn(i).iWidth;
        m_pTable->setColumnHidden(i, iWidth == 0);
        if (iWidth > 0) m_pTable->setColumnWidth(i, iWidth);
    }
}

void CTraceValuesWidget::UpdateTitle() { setWindowTitle(ToQString(m_frame.GetWindowTitle())); }

bool CTraceValuesWidget::Copy()
{
    CTraceValuesView& view = m_frame.GetView();
    view.ClearSelection();
    // Ranges, not rows: a select-all of a long trace is one range.
    for (const QItemSelectionRange& range : m_pTable->selectionModel()->selection())
        view.SelectRows(range.top(), range.bottom());
    return m_frame.OnEditCopy();
}
