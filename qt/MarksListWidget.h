#pragma once
// CMarksListWidget: the marks list, a thin modeless window over the frame's
// CMarksDlg: a table of the marks (label, X, Y) under the model's headings,
// the check box that leaves the first mark out of the sum, and the sum line
// with its caption, and Close. It shows the model again whenever the model says it
// changed (new marks, new data, another current trace); closing it closes
// the model, which then stops reading.

#include <QWidget>

class CMarksDlg;
class QCheckBox;
class QLabel;
class QTableWidget;

class CMarksListWidget : public QWidget {
public:
    CMarksListWidget(CMarksDlg& model, QWidget* pParent);
    ~CMarksListWidget() override;

    void Refresh();

protected:
    void closeEvent(QCloseEvent* pEvent) override;

private:
    CMarksDlg& m_model;
    QTableWidget* m_pTable = nullptr;
    QCheckBox* m_pExcludeFirst = nullptr;
    QLabel* m_pSumCaption = nullptr;
    QLabel* m_pSumText = nullptr;
};
