#pragma once
// CImpulseWindowBarWidget: the floating bar of impulse-window editing, a thin
// Qt tool window over a CImpulseWindowBar and its editor: Finish, Cancel,
// the window function, "Half window", the start, mid and end bins (a typed value is committed on
// Return or when the field loses focus), the bin unit and "Tied". It shows
// the settings again whenever the bar says something changed.

#include <QWidget>

#include <array>

class CImpulseWindowBar;
class CImpulseWindowEditor;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CImpulseWindowBarWidget : public QWidget {
public:
    CImpulseWindowBarWidget(CImpulseWindowEditor& editor, QWidget* pParent = nullptr);

    void Refresh();

private:
    CImpulseWindowEditor& m_editor;
    CImpulseWindowBar& m_bar;
    QCheckBox* m_pHalf = nullptr;
    QCheckBox* m_pTied = nullptr;
    QComboBox* m_pUnit = nullptr;
    QComboBox* m_pWindow = nullptr;
    std::array<QLineEdit*, 3> m_apBins{};
};
