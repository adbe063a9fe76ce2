#pragma once
// Qt menus from the library's menu items: one action per item carrying its
// command id, submenus and separators in place, enabled and checked states
// as the items give them.

#include "trace/display/TraceMenu.h"

class QMenu;

void AddMenuItems(QMenu& menu, const CMenuItems& aItems);
// The command id of a chosen action; 0 for none.
UINT GetMenuCommand(const class QAction* pAction);
