#pragma once
// "Smooth Trace data" on the smooth dialog model.

#include "qt/dialogs/ModelForm.h"
#include "trace/compute/ComputeSmoothDlg.h"

class QSpinBox;

class CComputeSmoothForm : public CModelForm {
public:
    CComputeSmoothForm(CComputeSmoothDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    QSpinBox* m_pHalfWidth;
    QSpinBox* m_pPasses;
};
