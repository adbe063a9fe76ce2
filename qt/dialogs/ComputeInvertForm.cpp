#include "qt/dialogs/ComputeInvertForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CComputeInvertForm::CComputeInvertForm(CComputeInvertDlg& model, QWidget* pParent)
    : CModelForm(model, pParent), m_Model(model)
{
    auto* pLayout = new QVBoxLayout(this);
    m_pCursor = new QRadioButton(ToQString(LoadResString(IDS_COMPUTE_INVERT_AROUND_CURSOR)), this);
    pLayout->addWidget(m_pCursor);
    auto* pGrid = new QGridLayout();
    m_pValue = new QRadioButton(ToQString(LoadResString(IDS_COMPUTE_INVERT_AROUND_VALUE)), this);
    m_pField = std::make_unique<CValueFieldWidgets>(this, pGrid, 0, m_pValue);
    pLayout->addLayout(pGrid);
    AddButtons(pLayout);

    connect(m_pCursor, &QRadioButton::clicked, this, [this]() { m_Model.SetAroundCursor(true); Refresh(); });
    connect(m_pValue, &QRadioButton::clicked, this, [this]() { m_Model.SetAroundCursor(false); Refresh(); });
    m_pField->OnEdited([this](const CString& s) { m_Model.SetValueText(s); });
    m_pField->OnUnitChosen([this](int iUnit) { m_Model.SetUnit(iUnit); Refresh(); });
    Refresh();
}

QWidget* CComputeInvertForm::FindControl(int iControl)
{
    return iControl == CComputeInvertDlg::IDC_VALUE ? m_pField->Edit() : nullptr;
}

void CComputeInvertForm::Refresh()
{
    m_pCursor->setChecked(m_Model.IsAroundCursor());
    m_pValue->setChecked(!m_Model.IsAroundCursor());
    m_pField->Show(m_Model.Value());
}
