#pragma once
// "Sum Trace data bins" on the band-sum dialog model.

#include "qt/dialogs/ModelForm.h"
#include "trace/compute/ComputeSumBinsDlg.h"

class CComputeSumBinsForm : public CModelForm {
public:
    CComputeSumBinsForm(CComputeSumBinsDlg& model, QWidget* pParent);
};
