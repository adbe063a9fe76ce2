#pragma once
// "Invert Trace data" on the invert dialog model.

#include "qt/dialogs/ModelForm.h"
#include "qt/dialogs/ValueFieldWidgets.h"
#include "trace/compute/ComputeInvertDlg.h"

#include <memory>

class QRadioButton;

class CComputeInvertForm : public CModelForm {
public:
    CComputeInvertForm(CComputeInvertDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    void Refresh();

    CComputeInvertDlg& m_Model;
    QRadioButton* m_pCursor;
    QRadioButton* m_pValue;
    std::unique_ptr<CValueFieldWidgets> m_pField;
};
