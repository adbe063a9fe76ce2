#include "qt/dialogs/ComputeSmoothForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeSmooth.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// An edit with its spin buttons over the counts the model accepts, showing the model's text.
QSpinBox* CountSpin(QWidget* pParent, const CString& sText)
{
    auto* pSpin = new QSpinBox(pParent);
    pSpin->setRange(CComputeSmooth::kMinCount, CComputeSmooth::kMaxCount);
    pSpin->setValue(ToQString(sText).toInt());
    return pSpin;
}

CString CountText(int i) { return FromQString(QString::number(i)); }

} // namespace

CComputeSmoothForm::CComputeSmoothForm(CComputeSmoothDlg& model, QWidget* pParent) : CModelForm(model, pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pGrid = new QGridLayout();
    m_pHalfWidth = CountSpin(this, model.GetHalfWidthText());
    m_pPasses = CountSpin(this, model.GetPassesText());
    pGrid->addWidget(new QLabel(ToQString(LoadResString(IDS_COMPUTE_SMOOTH_AVERAGE)), this), 0, 0);
    pGrid->addWidget(m_pHalfWidth, 0, 1);
    pGrid->addWidget(new QLabel(ToQString(LoadResString(IDS_COMPUTE_SMOOTH_EITHER_SIDE)), this), 0, 2);
    pGrid->addWidget(new QLabel(ToQString(LoadResString(IDS_COMPUTE_SMOOTH_PASSES)), this), 1, 0);
    pGrid->addWidget(m_pPasses, 1, 1);
    pLayout->addLayout(pGrid);
    AddButtons(pLayout);
    connect(m_pHalfWidth, &QSpinBox::valueChanged, this, [&model](int i) { model.SetHalfWidthText(CountText(i)); });
    connect(m_pPasses, &QSpinBox::valueChanged, this, [&model](int i) { model.SetPassesText(CountText(i)); });
}

QWidget* CComputeSmoothForm::FindControl(int iControl)
{
    if (iControl == CComputeSmoothDlg::IDC_HALF_WIDTH) return m_pHalfWidth;
    return iControl == CComputeSmoothDlg::IDC_PASSES ? m_pPasses : nullptr;
}
