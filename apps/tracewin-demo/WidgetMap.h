#pragma once
// CWidgetMap: where things are on screen, for a script that drives the demo
// with the mouse and keys (scripts/user-guide) and must not depend on where
// toolbars and dialogs happen to put them. A few times a second it writes
// the items of every visible window to a text file, one per line:
//     WINDOW <tab> TEXT <tab> X <tab> Y <tab> WIDTH <tab> HEIGHT
// in screen pixels: menu entries and menu-bar ones ("menu:Trace"), toolbar
// actions, buttons, labels, tabs, fields (named "field:" and the label,
// radio button or check box on their left), tables and lists ("table:"
// and their column headers) and their rows (the cells' texts joined by
// spaces, at the widest cell), and the areas the demo names (a view, its
// graticule). The file is written aside and renamed, so a reader never sees
// half of it.

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QWidget;

class CWidgetMap : public QObject {
public:
    CWidgetMap(QString sPath, QObject* pParent);
    // An area of the main window that is no widget of its own, in screen pixels.
    void AddArea(QString sName, std::function<QRect()> fnScreenRect);

private:
    void Write() const;

    QString m_sPath;
    std::vector<std::pair<QString, std::function<QRect()>>> m_aAreas;
};
