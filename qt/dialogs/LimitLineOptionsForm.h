#pragma once
// The Qt form of "Create/Edit Limit Line": two choices moved into a
// CLimitLineOptionsDlg on OK.

#include <QDialog>

class CLimitLineOptionsDlg;
class QRadioButton;

class CLimitLineOptionsForm : public QDialog {
public:
    CLimitLineOptionsForm(CLimitLineOptionsDlg& model, QWidget* pParent = nullptr);

    void accept() override;

private:
    CLimitLineOptionsDlg& m_Model;
    QRadioButton* m_pMax = nullptr;
    QRadioButton* m_pDraw = nullptr;
};
