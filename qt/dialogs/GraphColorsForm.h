#pragma once
// The Qt form of "Change default graph colours": one swatch button per
// colour (a QColorDialog picks it), a "Cycle" box beside each copy colour,
// and Restore defaults; every choice goes to the CGraphColorsDlg at once.

#include "qt/dialogs/ModelForm.h"
#include "trace/document/GraphColorsDlg.h"

#include <vector>

class QCheckBox;
class QPushButton;

class CGraphColorsForm : public CModelForm {
public:
    CGraphColorsForm(CGraphColorsDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    // The swatches and boxes show the model's colours again.
    void ShowColours();

    CGraphColorsDlg& m_model;
    std::vector<QPushButton*> m_apSwatches;
    std::vector<QCheckBox*> m_apCycle; // null for colours that cannot cycle
};
