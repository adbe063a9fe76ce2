#pragma once
// CMarkBarWidget: the "Trace Mark Toolbar", a thin QToolBar over the
// frame's CMarkBar and mark commands: Add, Remove, Previous and Next,
// the current mark's number, its label (typed in, applied on Return or
// when the field is left), the marks list and the harmonics. It shows the
// bar again whenever the bar says it changed.

#include "platform/Types.h"

#include <QToolBar>

#include <utility>
#include <vector>

class CGraphFrame;
class CMarkBar;
class QLabel;
class QLineEdit;

class CMarkBarWidget : public QToolBar {
public:
    CMarkBarWidget(CGraphFrame& frame, QWidget* pParent = nullptr);
    ~CMarkBarWidget() override;

    void Refresh();

private:
    void AddCommand(const char* szText, UINT uCommand);

    CGraphFrame& m_frame;
    CMarkBar& m_bar;
    QLabel* m_pNumber = nullptr;
    QLineEdit* m_pLabel = nullptr;
    std::vector<std::pair<QAction*, UINT>> m_aCommands;
};
