#include "qt/dialogs/GraphColorsForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CGraphColorsForm::CGraphColorsForm(CGraphColorsDlg& model, QWidget* pParent) : CModelForm(model, pParent), m_model(model)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pGrid = new QGridLayout();
    pLayout->addLayout(pGrid);
    // Two columns of entries: the graph and trace colours, then the copies.
    int iRow[2] = {0, 0};
    for (int i = 0; i < CGraphColorsDlg::GetCount(); ++i) {
        const SGraphColour& entry = CGraphColorsDlg::GetEntry(i);
        const int iColumn = entry.IsCopy() ? 3 : 0;
        int& row = iRow[entry.IsCopy() ? 1 : 0];
        auto* pSwatch = new QPushButton(this);
        pSwatch->setFixedSize(48, 20);
        pSwatch->setObjectName(QString("colour%1").arg(i));
        pGrid->addWidget(new QLabel(ToQString(entry.pszLabel), this), row, iColumn);
        pGrid->addWidget(pSwatch, row, iColumn + 1);
        m_apSwatches.push_back(pSwatch);
        QCheckBox* pCycle = nullptr;
        if (entry.IsCopy()) {
            pCycle = new QCheckBox(ToQString(LoadResString(IDS_GRAPH_COLOURS_CYCLE)), this);
            pGrid->addWidget(pCycle, row, iColumn + 2);
            connect(pCycle, &QCheckBox::clicked, this, [this, i, entry](bool bCycle) {
                // Leaving the cycle, copies start with the colour of their trace type.
                COLORREF crFixed = 0xFFFFFF;
                for (int j = 0; j < CGraphColorsDlg::GetCount(); ++j)
                    if (CGraphColorsDlg::GetEntry(j).eKind == SGraphColour::trace &&
                        CGraphColorsDlg::GetEntry(j).eType == entry.eType)
                        crFixed = m_model.GetColour(j);
                m_model.SetColour(i, bCycle ? COLOR_CYCLE : crFixed);
                ShowColours();
            });
        }
        m_apCycle.push_back(pCycle);
        connect(pSwatch, &QPushButton::clicked, this, [this, i, entry]() {
            const COLORREF crNow = m_model.GetColour(i);
            const QColor colour = QColorDialog::getColor(ToQColor(crNow == COLOR_CYCLE ? 0xFFFFFF : crNow), this,
                                                         ToQString(entry.pszLabel));
            if (!colour.isValid()) return;
            m_model.SetColour(i, FromQColor(colour));
            ShowColours();
        });
        ++row;
    }
    pGrid->setColumnMinimumWidth(2, 16);
    auto* pRestore = new QPushButton(ToQString(LoadResString(IDS_GRAPH_COLOURS_RESTORE)), this);
    connect(pRestore, &QPushButton::clicked, this, [this]() {
        m_model.RestoreDefaults();
        ShowColours();
    });
    pLayout->addWidget(pRestore, 0, Qt::AlignLeft);
    AddButtons(pLayout);
    ShowColours();
}

void CGraphColorsForm::ShowColours()
{
    for (int i = 0; i < CGraphColorsDlg::GetCount(); ++i) {
        const COLORREF cr = m_model.GetColour(i);
        const bool bCycle = cr == COLOR_CYCLE;
        QPushButton* pSwatch = m_apSwatches[static_cast<size_t>(i)];
        // Flat, so the swatch shows the colour itself; blank while the copies cycle.
        pSwatch->setStyleSheet(bCycle ? QString()
                                      : QString("background-color: %1; border: 1px solid gray").arg(ToQColor(cr).name()));
        if (QCheckBox* pCycle = m_apCycle[static_cast<size_t>(i)]) pCycle->setChecked(bCycle);
    }
}

QWidget* CGraphColorsForm::FindControl(int iControl)
{
    const int i = iControl - CGraphColorsDlg::IDC_COLOUR_FIRST;
    return i >= 0 && i < CGraphColorsDlg::GetCount() ? m_apSwatches[static_cast<size_t>(i)] : nullptr;
}
