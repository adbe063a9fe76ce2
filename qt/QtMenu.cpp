#include "qt/QtMenu.h"

#include "qt/QtConvert.h"
#include "trace/display/Accelerators.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QToolBar>

void AddMenuItems(QMenu& menu, const CMenuItems& aItems)
{
    for (const SMenuItem& item : aItems) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (!item.aSubmenu.empty() || item.uCommand == 0) {
            QMenu* pSubmenu = menu.addMenu(ToQString(item.sText));
            pSubmenu->setEnabled(item.bEnabled);
            AddMenuItems(*pSubmenu, item.aSubmenu);
        } else {
            QAction* pAction = menu.addAction(ToQString(item.sText));
            pAction->setData(item.uCommand);
            pAction->setEnabled(item.bEnabled);
            pAction->setCheckable(item.bChecked);
            pAction->setChecked(item.bChecked);
            // Shown beside the item; the window's own shortcut runs it.
            if (const CString sKey = GetAcceleratorKey(item.uCommand); !sKey.IsEmpty()) {
                pAction->setShortcut(QKeySequence(ToQString(sKey)));
                pAction->setShortcutContext(Qt::WidgetShortcut);
            }
        }
    }
}

UINT GetMenuCommand(const QAction* pAction) { return pAction ? pAction->data().toUInt() : 0; }

void BindMenu(QMenu& menu, std::function<CMenuItems()> fnItems, std::function<void(UINT)> fnRun)
{
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, fnItems]() {
        menu.clear();
        AddMenuItems(menu, fnItems());
    });
    QObject::connect(&menu, &QMenu::triggered, &menu, [fnRun](QAction* pAction) {
        if (const UINT uCommand = GetMenuCommand(pAction)) fnRun(uCommand);
    });
}

void FillToolBar(QToolBar& bar, const CMenuItems& aItems, std::function<void(UINT)> fnRun)
{
    for (const SMenuItem& item : aItems) {
        if (item.IsSeparator()) {
            bar.addSeparator();
            continue;
        }
        QAction* pAction = bar.addAction(ToQString(item.sText));
        pAction->setData(item.uCommand);
    }
    QObject::connect(&bar, &QToolBar::actionTriggered, &bar, [fnRun](QAction* pAction) {
        if (const UINT uCommand = GetMenuCommand(pAction)) fnRun(uCommand);
    });
    UpdateToolBar(bar, aItems);
}

void UpdateToolBar(QToolBar& bar, const CMenuItems& aItems)
{
    const QList<QAction*> apActions = bar.actions();
    for (int i = 0; i < apActions.size() && i < static_cast<int>(aItems.size()); ++i) {
        QAction* pAction = apActions[i];
        const SMenuItem& item = aItems[i];
        if (item.IsSeparator()) continue;
        if (pAction->isEnabled() != item.bEnabled) pAction->setEnabled(item.bEnabled);
        // A command that ticks in the menus shows pressed while it is on.
        if (pAction->isCheckable() != item.bChecked && item.bChecked) pAction->setCheckable(true);
        if (pAction->isChecked() != item.bChecked) pAction->setChecked(item.bChecked);
    }
}
