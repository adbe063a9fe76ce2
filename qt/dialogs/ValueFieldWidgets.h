#pragma once
// A value edit and its unit combo box, shown from a model's SValueField.
// Typing and choosing a unit go to the model through the two callbacks;
// the model's field is always what is shown.

#include "trace/compute/ComputeDlg.h"

#include <QComboBox>
#include <QLineEdit>

#include <functional>

class QGridLayout;

class CValueFieldWidgets {
public:
    // Puts the label (a QLabel, or the radio button that picks the field),
    // the edit and the combo box on a row of the grid.
    CValueFieldWidgets(QWidget* pParent, QGridLayout* pGrid, int iRow, QWidget* pLabel);

    void OnEdited(std::function<void(const CString&)> setText);
    void OnUnitChosen(std::function<void(int)> setUnit);
    void Show(const SValueField& field);
    QWidget* Edit() const { return m_pEdit; }

private:
    QLineEdit* m_pEdit;
    QComboBox* m_pUnits;
    bool m_bShowing = false;
};
