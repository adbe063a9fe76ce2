#include "apps/tracewin-demo/WidgetMap.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSaveFile>
#include <QTabBar>
#include <QTableView>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr int kIntervalMs = 250;
// More rows than any window shows at once; the rest are off screen anyway.
constexpr int kMaxRows = 200;

// A menu's "&Open...\tCtrl+O" as the eye reads it: "Open...".
QString Plain(QString sText)
{
    sText = sText.section('\t', 0, 0);
    sText.replace("&&", "\x01").remove('&').replace('\x01', '&');
    return sText.simplified();
}

class CLines {
public:
    explicit CLines(QTextStream& out) : m_out(out) {}
    void Add(const QString& sWindow, const QString& sText, const QRect& rcScreen)
    {
        if (sText.isEmpty() || rcScreen.isEmpty()) return;
        m_out << sWindow << '\t' << sText << '\t' << rcScreen.x() << '\t' << rcScreen.y() << '\t' << rcScreen.width()
              << '\t' << rcScreen.height() << '\n';
    }

private:
    QTextStream& m_out;
};

QRect ScreenRect(const QWidget& widget, const QRect& rcLocal)
{
    return QRect(widget.mapToGlobal(rcLocal.topLeft()), rcLocal.size());
}

QString WindowName(const QWidget& window)
{
    if (const auto* pMenu = qobject_cast<const QMenu*>(&window))
        return pMenu->title().isEmpty() ? QString("menu") : Plain(pMenu->title());
    if (!window.windowTitle().isEmpty()) return window.windowTitle();
    return window.objectName().isEmpty() ? QString(window.metaObject()->className()) : window.objectName();
}

QString CaptionText(const QWidget& widget)
{
    if (const auto* pLabel = qobject_cast<const QLabel*>(&widget)) return pLabel->text();
    if (const auto* pButton = qobject_cast<const QAbstractButton*>(&widget)) return pButton->text();
    return {};
}

// A field is named by the label (or the radio button or check box) nearest
// on its left, on the same line.
QString FieldName(const QWidget& field, const QList<QWidget*>& apLabels)
{
    const QRect rcField = ScreenRect(field, field.rect());
    const QWidget* pBest = nullptr;
    int iBestGap = 0;
    for (const QWidget* pLabel : apLabels) {
        if (!pLabel->isVisible()) continue;
        const QRect rcLabel = ScreenRect(*pLabel, pLabel->rect());
        const int iGap = rcField.left() - rcLabel.right();
        if (iGap < 0 || rcLabel.center().y() < rcField.top() || rcLabel.center().y() > rcField.bottom()) continue;
        if (!pBest || iGap < iBestGap) {
            pBest = pLabel;
            iBestGap = iGap;
        }
    }
    return pBest ? "field:" + Plain(CaptionText(*pBest)) : QString();
}

// A table by its column headers ("table:Bin X (Hz)"), then its rows.
void AddItemRows(CLines& lines, const QString& sWindow, const QAbstractItemView& view)
{
    const QAbstractItemModel* pModel = view.model();
    if (!pModel) return;
    const auto* pTable = qobject_cast<const QTableView*>(&view);
    QStringList asHeaders;
    if (pTable && pTable->horizontalHeader()->isVisible())
        for (int iColumn = 0; iColumn < pModel->columnCount(view.rootIndex()); ++iColumn)
            if (!pTable->isColumnHidden(iColumn))
                asHeaders << Plain(pModel->headerData(iColumn, Qt::Horizontal, Qt::DisplayRole).toString());
    lines.Add(sWindow, asHeaders.isEmpty() ? QString("table") : "table:" + asHeaders.join(' '), ScreenRect(view, view.rect()));
    const QRect rcViewport = view.viewport()->rect();
    const int iRows = std::min(pModel->rowCount(view.rootIndex()), kMaxRows);
    for (int iRow = 0; iRow < iRows; ++iRow) {
        QStringList asCells;
        QRect rcWidest;
        for (int iColumn = 0; iColumn < pModel->columnCount(view.rootIndex()); ++iColumn) {
            if (pTable && pTable->isColumnHidden(iColumn)) continue;
            const QModelIndex index = pModel->index(iRow, iColumn, view.rootIndex());
            const QString sCell = Plain(pModel->data(index, Qt::DisplayRole).toString());
            if (!sCell.isEmpty()) asCells << sCell;
            const QRect rcCell = view.visualRect(index).intersected(rcViewport);
            if (rcCell.width() > rcWidest.width()) rcWidest = rcCell;
        }
        if (!rcWidest.isEmpty()) lines.Add(sWindow, asCells.join(' '), ScreenRect(*view.viewport(), rcWidest));
    }
}

void AddWindow(CLines& lines, const QWidget& window)
{
    const QString sWindow = WindowName(window);
    lines.Add(sWindow, "*window*", window.frameGeometry());
    if (const auto* pMenu = qobject_cast<const QMenu*>(&window)) {
        for (QAction* pAction : pMenu->actions())
            if (pAction->isVisible() && !pAction->isSeparator())
                lines.Add(sWindow, Plain(pAction->text()), ScreenRect(*pMenu, pMenu->actionGeometry(pAction)));
        return;
    }
    QList<QWidget*> apLabels;
    for (QWidget* pWidget : window.findChildren<QWidget*>())
        if (qobject_cast<QLabel*>(pWidget) || qobject_cast<QRadioButton*>(pWidget) || qobject_cast<QCheckBox*>(pWidget))
            apLabels << pWidget;
    for (const QWidget* pWidget : window.findChildren<QWidget*>()) {
        if (!pWidget->isVisible() || pWidget->window() != &window) continue;
        if (const auto* pBar = qobject_cast<const QMenuBar*>(pWidget)) {
            // "menu:Marks", apart from a toolbar's Marks.
            for (QAction* pAction : pBar->actions())
                lines.Add(sWindow, "menu:" + Plain(pAction->text()), ScreenRect(*pBar, pBar->actionGeometry(pAction)));
        } else if (const auto* pTools = qobject_cast<const QToolBar*>(pWidget)) {
            for (QAction* pAction : pTools->actions())
                if (const QWidget* pButton = pTools->widgetForAction(pAction); pButton && pButton->isVisible())
                    lines.Add(sWindow, Plain(pAction->text()), ScreenRect(*pButton, pButton->rect()));
        } else if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget)) {
            if (!qobject_cast<const QToolBar*>(pButton->parentWidget()))
                lines.Add(sWindow, Plain(pButton->text()), ScreenRect(*pButton, pButton->rect()));
        } else if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget)) {
            lines.Add(sWindow, Plain(pLabel->text()), ScreenRect(*pLabel, pLabel->rect()));
        } else if (const auto* pTabs = qobject_cast<const QTabBar*>(pWidget)) {
            for (int i = 0; i < pTabs->count(); ++i)
                lines.Add(sWindow, Plain(pTabs->tabText(i)), ScreenRect(*pTabs, pTabs->tabRect(i)));
        } else if (qobject_cast<const QLineEdit*>(pWidget) || qobject_cast<const QComboBox*>(pWidget) ||
                   qobject_cast<const QAbstractSpinBox*>(pWidget)) {
            // A spin box's or combo box's own line edit is part of it.
            if (qobject_cast<const QAbstractSpinBox*>(pWidget->parentWidget()) ||
                qobject_cast<const QComboBox*>(pWidget->parentWidget()))
                continue;
            lines.Add(sWindow, FieldName(*pWidget, apLabels), ScreenRect(*pWidget, pWidget->rect()));
            if (!pWidget->objectName().isEmpty() && !pWidget->objectName().startsWith("qt_"))
                lines.Add(sWindow, "field:" + pWidget->objectName(), ScreenRect(*pWidget, pWidget->rect()));
        } else if (const auto* pView = qobject_cast<const QAbstractItemView*>(pWidget)) {
            if (!qobject_cast<const QHeaderView*>(pView)) AddItemRows(lines, sWindow, *pView);
        }
    }
}

} // namespace

CWidgetMap::CWidgetMap(QString sPath, QObject* pParent) : QObject(pParent), m_sPath(std::move(sPath))
{
    auto* pTimer = new QTimer(this);
    connect(pTimer, &QTimer::timeout, this, [this]() { Write(); });
    pTimer->start(kIntervalMs);
}

void CWidgetMap::AddArea(QString sName, std::function<QRect()> fnScreenRect)
{
    m_aAreas.emplace_back(std::move(sName), std::move(fnScreenRect));
}

void CWidgetMap::Write() const
{
    QSaveFile file(m_sPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
    QTextStream out(&file);
    CLines lines(out);
    for (const auto& [sName, fnRect] : m_aAreas) lines.Add("areas", sName, fnRect());
    for (const QWidget* pWindow : QApplication::topLevelWidgets())
        if (pWindow->isVisible()) AddWindow(lines, *pWindow);
    out.flush();
    file.commit();
}
