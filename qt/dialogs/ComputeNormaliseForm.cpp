#include "qt/dialogs/ComputeNormaliseForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

CComputeNormaliseForm::CComputeNormaliseForm(CComputeNormaliseDlg& model, QWidget* pParent)
    : CModelForm(model, pParent), m_Model(model)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pGrid = new QGridLayout();
    m_pY = std::make_unique<CValueFieldWidgets>(this, pGrid, 0, new QLabel(ToQString(LoadResString(IDS_COMPUTE_NORMALISE_SET_Y)), this));
    m_pX = std::make_unique<CValueFieldWidgets>(this, pGrid, 1, new QLabel(ToQString(LoadResString(IDS_COMPUTE_NORMALISE_AT_X)), this));
    pLayout->addLayout(pGrid);
    AddButtons(pLayout);

    m_pY->OnEdited([this](const CString& s) { m_Model.SetYText(s); });
    m_pX->OnEdited([this](const CString& s) { m_Model.SetXText(s); });
    m_pY->OnUnitChosen([this](int iUnit) { m_Model.SetYUnit(iUnit); Refresh(); });
    m_pX->OnUnitChosen([this](int iUnit) { m_Model.SetXUnit(iUnit); Refresh(); });
    Refresh();
}

QWidget* CComputeNormaliseForm::FindControl(int iControl)
{
    if (iControl == CComputeNormaliseDlg::IDC_Y) return m_pY->Edit();
    return iControl == CComputeNormaliseDlg::IDC_X ? m_pX->Edit() : nullptr;
}

void CComputeNormaliseForm::Refresh()
{
    m_pY->Show(m_Model.Y());
    m_pX->Show(m_Model.X());
}
