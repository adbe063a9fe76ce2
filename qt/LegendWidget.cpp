#include "qt/LegendWidget.h"

#include "qt/QtConvert.h"
#include "qt/QtMenu.h"
#include "trace/display/GraphFrame.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPixmap>

namespace {

QTableWidgetItem* FixedItem(const QString& sText)
{
    auto* pItem = new QTableWidgetItem(sText);
    pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    pItem->setTextAlignment(Qt::AlignCenter);
    return pItem;
}

} // namespace

CLegendWidget::CLegendWidget(CGraphFrame& frame, QWidget* parent)
    : QTableWidget(parent), m_frame(frame), m_legend(frame)
{
    setColumnCount(CQuickLegend::COL_COUNT);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    for (int i = 0; i < CQuickLegend::COL_COUNT; ++i) {
        const int iWidth = CQuickLegend::GetColumns()[i].iWidth;
        if (iWidth > 0) setColumnWidth(i, iWidth + 8); // room for the cell's margins
    }
    horizontalHeader()->setSectionResizeMode(CQuickLegend::COL_NAME, QHeaderView::Stretch);
    connect(this, &QTableWidget::cellClicked, this, [this](int iRow, int iColumn) {
        if (!m_bFilling && CQuickLegend::GetColumns()[iColumn].bClickable && m_legend.OnCellClicked(iRow, iColumn))
            ShowRows();
    });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int iRow, int, int iPrevious, int) {
        if (!m_bFilling && iRow != iPrevious && m_legend.OnSelChange(iRow)) ShowRows();
    });
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* pItem) {
        if (!m_bFilling && pItem->column() == CQuickLegend::COL_NAME &&
            m_legend.OnLabelEdited(pItem->row(), FromQString(pItem->text())))
            ShowRows();
    });
    Refresh();
}

void CLegendWidget::Refresh()
{
    if (state() == QAbstractItemView::EditingState) return; // keep the name being typed
    const std::vector<SLegendRow> aBefore = m_legend.GetRows();
    m_legend.FillList();
    // Live data sends many hints that change no row: the table stays as it is then.
    if (m_legend.GetRows() != aBefore || rowCount() != static_cast<int>(aBefore.size())) ShowRows();
}

void CLegendWidget::ShowRows()
{
    m_bFilling = true;
    const auto& aRows = m_legend.GetRows();
    setRowCount(static_cast<int>(aRows.size()));
    for (int i = 0; i < static_cast<int>(aRows.size()); ++i) {
        const SLegendRow& row = aRows[i];
        setItem(i, CQuickLegend::COL_ONOFF, FixedItem(row.iOnImage == 11 ? QStringLiteral("\u25CF") : QStringLiteral("\u25CB")));
        // A swatch drawn as the cell's icon stays visible on the selected row.
        QPixmap swatch(12, 12);
        swatch.fill(ToQColor(row.crColor));
        QTableWidgetItem* pSwatch = FixedItem(QString());
        pSwatch->setData(Qt::DecorationRole, swatch);
        setItem(i, CQuickLegend::COL_COLOR, pSwatch);
        setItem(i, CQuickLegend::COL_CHANNEL, FixedItem(ToQString(row.sChannel)));
        auto* pName = new QTableWidgetItem(ToQString(row.sName));
        setItem(i, CQuickLegend::COL_NAME, pName);
        const QString sCopy = row.iCopyImage == 13 ? QStringLiteral("+") : row.iCopyImage == 14 ? QStringLiteral("\u00B7") : QString();
        setItem(i, CQuickLegend::COL_COPY, FixedItem(sCopy));
        if (row.bCurrent) setCurrentCell(i, CQuickLegend::COL_NAME);
    }
    m_bFilling = false;
}

void CLegendWidget::contextMenuEvent(QContextMenuEvent* event)
{
    const int iRow = rowAt(event->pos().y());
    if (iRow < 0 || iRow >= static_cast<int>(m_legend.GetRows().size())) return;
    CQXTrace* pTrace = m_legend.GetRows()[iRow].pTrace;
    m_frame.OnSetCurrentTrace(pTrace);
    QMenu menu(this);
    AddMenuItems(menu, FillRMBMenu(pTrace, &m_frame));
    if (const UINT uCommand = GetMenuCommand(menu.exec(event->globalPos()))) {
        m_frame.SetTraceForNextCommand(pTrace);
        m_frame.Execute(uCommand);
    }
    Refresh();
}
