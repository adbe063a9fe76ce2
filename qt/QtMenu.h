#pragma once
// Qt menus from the library's menu items: one action per item carrying its
// command id, submenus and separators in place, enabled and checked states
// as the items give them.

#include "trace/display/TraceMenu.h"

#include <functional>

class QMenu;
class QToolBar;

void AddMenuItems(QMenu& menu, const CMenuItems& aItems);
// The command id of a chosen action; 0 for none.
UINT GetMenuCommand(const class QAction* pAction);
// Refills the menu from fnItems each time it is about to show (so states
// are current) and runs fnRun with the id of the action chosen from it.
void BindMenu(QMenu& menu, std::function<CMenuItems()> fnItems, std::function<void(UINT)> fnRun);
// A toolbar of text buttons from the items (separators in place), each
// button running fnRun with its id; UpdateToolBar gives them the items'
// states again (the same list, fresh states).
void FillToolBar(QToolBar& bar, const CMenuItems& aItems, std::function<void(UINT)> fnRun);
void UpdateToolBar(QToolBar& bar, const CMenuItems& aItems);
