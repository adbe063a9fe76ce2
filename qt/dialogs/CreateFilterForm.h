#pragma once
// The Qt form of "Create Weighting filter": moves values between its
// controls and a CCreateFilterDlg; the model checks and carries them out.

#include <QDialog>

class CCreateFilterDlg;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CCreateFilterForm : public QDialog {
public:
    CCreateFilterForm(CCreateFilterDlg& model, QWidget* pParent = nullptr);

    void accept() override;

private:
    void ToModel();
    void FocusControl(int iControl);

    CCreateFilterDlg& m_Model;
    QLineEdit* m_pValue = nullptr;
    QComboBox* m_pUnit = nullptr;
    QCheckBox* m_pInvert = nullptr;
    QLineEdit* m_pFile = nullptr;
};
