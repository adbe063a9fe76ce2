#pragma once
// "Normalize Trace data" on the normalise dialog model.

#include "qt/dialogs/ModelForm.h"
#include "qt/dialogs/ValueFieldWidgets.h"
#include "trace/compute/ComputeNormaliseDlg.h"

#include <memory>

class CComputeNormaliseForm : public CModelForm {
public:
    CComputeNormaliseForm(CComputeNormaliseDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    void Refresh();

    CComputeNormaliseDlg& m_Model;
    std::unique_ptr<CValueFieldWidgets> m_pY;
    std::unique_ptr<CValueFieldWidgets> m_pX;
};
