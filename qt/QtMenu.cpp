#include "qt/QtMenu.h"

#include "qt/QtConvert.h"

#include <QAction>
#include <QMenu>

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
