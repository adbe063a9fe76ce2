#pragma once
// CLimitLineBarWidget: the floating bar of limit-line drawing, a thin Qt
// tool window over a CLimitLineBar: its buttons run the bar's buttons, its
// unit selectors set the bar's units, and it shows the bar's states and
// cursor read-outs whenever the bar says it changed. Whoever ends the mode
// clears the bar's listener while the bar still lives.

#include "trace/limits/LimitLineBar.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

class CLimitLineBarWidget : public QWidget {
public:
    CLimitLineBarWidget(CLimitLineBar& bar, QWidget* pParent = nullptr);

    void Refresh();

private:
    CLimitLineBar& m_bar;
    std::array<QPushButton*, CLimitLineBar::BTN_COUNT> m_apButtons{};
    QComboBox* m_pXUnit = nullptr;
    QComboBox* m_pYUnit = nullptr;
    QLabel* m_pXText = nullptr;
    QLabel* m_pYText = nullptr;
};
