#pragma once
// CCursorBarWidget: the "Trace Cursor Toolbar", a thin QToolBar over the
// frame's CCursorBar: the X and Y unit boxes choose the read-outs' units,
// the two labels show the bar's texts, the Relative button switches the
// relative cursor and Reset runs the frame's reset command. It shows the
// bar again whenever the bar says it changed.

#include <QToolBar>

class CCursorBar;
class CGraphFrame;
class QComboBox;
class QLabel;

class CCursorBarWidget : public QToolBar {
public:
    CCursorBarWidget(CGraphFrame& frame, QWidget* pParent = nullptr);
    ~CCursorBarWidget() override;

    void Refresh();

private:
    CGraphFrame& m_frame;
    CCursorBar& m_bar;
    QLabel* m_pTrace = nullptr;
    QComboBox* m_pXUnit = nullptr;
    QComboBox* m_pYUnit = nullptr;
    QLabel* m_pXText = nullptr;
    QLabel* m_pYText = nullptr;
    QAction* m_pRelative = nullptr;
    QAction* m_pReset = nullptr;
};
