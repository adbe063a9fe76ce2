#pragma once
// The Qt form of "Trace Settings": each edit goes to the CTraceSettingsDlg
// as it happens; "Reset Defaults" asks the model and shows its fields again.

#include "qt/dialogs/ModelForm.h"
#include "trace/document/TraceSettingsDlg.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;

class CTraceSettingsForm : public CModelForm {
public:
    CTraceSettingsForm(CTraceSettingsDlg& model, QWidget* pParent);

protected:
    QWidget* FindControl(int iControl) override;

private:
    struct SAxisWidgets {
        QLineEdit* pFrom = nullptr;
        QLineEdit* pTo = nullptr;
        QRadioButton* apIntervals[3] = {};
        QLineEdit* pCount = nullptr;
    };
    void AddAxis(QGridLayout* pGrid, int iRow, AxisType eAxis);
    void AddLimit(QGridLayout* pGrid, int iRow, bool bUpper);
    void ShowModel();

    CTraceSettingsDlg& m_Model;
    QLineEdit* m_pName = nullptr;
    SAxisWidgets m_aAxes[2];
    QCheckBox* m_pPositive = nullptr;
    QLineEdit* m_apLimits[2] = {};
};
