#pragma once
// "Show Trace as relative" on the relative dialog model.

#include "qt/dialogs/ModelForm.h"
#include "trace/compute/ComputeRelativeDlg.h"

class QComboBox;
class QPushButton;
class QRadioButton;

class CComputeRelativeForm : public CModelForm {
public:
    CComputeRelativeForm(CComputeRelativeDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    void Refresh();

    CComputeRelativeDlg& m_Model;
    QComboBox* m_pGolden;
    QRadioButton* m_pOffset;
    QRadioButton* m_pGain;
    QComboBox* m_pGainUnit;
    QPushButton* m_pOK = nullptr;
};
