#include "qt/dialogs/ComputeSumBinsForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CComputeSumBinsForm::CComputeSumBinsForm(CComputeSumBinsDlg& model, QWidget* pParent) : CModelForm(model, pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pRow = new QHBoxLayout();
    auto* pBands = new QComboBox(this);
    for (const CString& sName : model.GetBandNames()) pBands->addItem(ToQString(sName));
    pBands->setCurrentIndex(model.GetBandWidth());
    pRow->addWidget(new QLabel(ToQString(LoadResString(IDS_COMPUTE_SUMBINS_WITHIN)), this));
    pRow->addWidget(pBands);
    pLayout->addLayout(pRow);
    AddButtons(pLayout);
    connect(pBands, &QComboBox::currentIndexChanged, this, [&model](int i) { model.SetBandWidth(i); });
}
