#include "qt/dialogs/TraceSettingsForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Text(int iId) { return ToQString(LoadResString(iId)); }

using EIntervals = CTraceSettingsDlg::EIntervals;
constexpr EIntervals kChoices[3] = {EIntervals::automatic, EIntervals::linear, EIntervals::logarithmic};

} // namespace

CTraceSettingsForm::CTraceSettingsForm(CTraceSettingsDlg& model, QWidget* pParent)
    : CModelForm(model, pParent), m_Model(model)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pGrid = new QGridLayout();
    m_pName = new QLineEdit(this);
    m_pName->setMinimumWidth(280);
    pGrid->addWidget(new QLabel(Text(IDS_TRACE_SETTINGS_NAME), this), 0, 0);
    pGrid->addWidget(m_pName, 0, 1, 1, 5);
    connect(m_pName, &QLineEdit::textEdited, this, [this](const QString& s) { m_Model.SetName(FromQString(s)); });
    AddAxis(pGrid, 1, X_AXIS);
    AddAxis(pGrid, 3, Y_AXIS);
    m_pPositive = new QCheckBox(Text(IDS_TRACE_SETTINGS_POSITIVE), this);
    m_pPositive->setEnabled(model.PolarityApplies());
    pGrid->addWidget(m_pPositive, 5, 1, 1, 2);
    connect(m_pPositive, &QCheckBox::toggled, this, [this](bool b) { m_Model.SetPositive(b); });
    auto* pReset = new QPushButton(Text(IDS_TRACE_SETTINGS_RESET), this);
    pGrid->addWidget(pReset, 5, 4, 1, 2);
    connect(pReset, &QPushButton::clicked, this, [this]() {
        m_Model.ResetDefaults();
        ShowModel();
    });
    AddLimit(pGrid, 6, true);
    AddLimit(pGrid, 7, false);
    pLayout->addLayout(pGrid);
    AddButtons(pLayout);
    ShowModel();
}

void CTraceSettingsForm::AddLimit(QGridLayout* pGrid, int iRow, bool bUpper)
{
    QLineEdit*& pEdit = m_apLimits[bUpper ? 0 : 1];
    pEdit = new QLineEdit(ToQString(m_Model.GetLimitFile(bUpper)), this);
    auto* pBrowse = new QPushButton(Text(IDS_CREATE_FILTER_BROWSE), this);
    pGrid->addWidget(new QLabel(Text(bUpper ? IDS_TRACE_SETTINGS_UPPER : IDS_TRACE_SETTINGS_LOWER), this), iRow, 0);
    pGrid->addWidget(pEdit, iRow, 1, 1, 4);
    pGrid->addWidget(pBrowse, iRow, 5);
    connect(pEdit, &QLineEdit::textEdited, this,
            [this, bUpper](const QString& s) { m_Model.SetLimitFile(bUpper, FromQString(s)); });
    connect(pBrowse, &QPushButton::clicked, this, [this, bUpper, pEdit]() {
        if (m_Model.BrowseLimitFile(bUpper)) pEdit->setText(ToQString(m_Model.GetLimitFile(bUpper)));
    });
}

void CTraceSettingsForm::AddAxis(QGridLayout* pGrid, int iRow, AxisType eAxis)
{
    SAxisWidgets& w = m_aAxes[eAxis == X_AXIS ? 0 : 1];
    w.pFrom = new QLineEdit(this);
    w.pTo = new QLineEdit(this);
    w.pCount = new QLineEdit(this);
    w.pCount->setMaximumWidth(50);
    pGrid->addWidget(new QLabel(Text(eAxis == X_AXIS ? IDS_TRACE_SETTINGS_X_AXIS : IDS_TRACE_SETTINGS_Y_AXIS), this),
                     iRow, 0);
    pGrid->addWidget(new QLabel(Text(IDS_TRACE_SETTINGS_FROM), this), iRow, 1, Qt::AlignRight);
    pGrid->addWidget(w.pFrom, iRow, 2);
    pGrid->addWidget(new QLabel(Text(IDS_TRACE_SETTINGS_TO), this), iRow, 3, Qt::AlignRight);
    pGrid->addWidget(w.pTo, iRow, 4);
    pGrid->addWidget(new QLabel(ToQString(m_Model.GetUnitName(eAxis)), this), iRow, 5);
    auto* pGroup = new QButtonGroup(this);
    const int aTexts[3] = {IDS_TRACE_SETTINGS_AUTO, IDS_TRACE_SETTINGS_LINEAR, IDS_TRACE_SETTINGS_LOG};
    pGrid->addWidget(new QLabel(Text(IDS_TRACE_SETTINGS_INTERVALS), this), iRow + 1, 1, Qt::AlignRight);
    for (int i = 0; i < 3; ++i) {
        w.apIntervals[i] = new QRadioButton(Text(aTexts[i]), this);
        pGroup->addButton(w.apIntervals[i]);
        pGrid->addWidget(w.apIntervals[i], iRow + 1, 2 + i);
        connect(w.apIntervals[i], &QRadioButton::toggled, this, [this, eAxis, i, &w](bool bOn) {
            if (!bOn) return;
            m_Model.Axis(eAxis).eIntervals = kChoices[i];
            w.pCount->setEnabled(kChoices[i] == EIntervals::linear);
        });
    }
    w.apIntervals[2]->setEnabled(m_Model.LogAllowed(eAxis));
    pGrid->addWidget(w.pCount, iRow + 1, 5);
    connect(w.pFrom, &QLineEdit::textEdited, this, [this, eAxis](const QString& s) { m_Model.Axis(eAxis).sFrom = FromQString(s); });
    connect(w.pTo, &QLineEdit::textEdited, this, [this, eAxis](const QString& s) { m_Model.Axis(eAxis).sTo = FromQString(s); });
    connect(w.pCount, &QLineEdit::textEdited, this,
            [this, eAxis](const QString& s) { m_Model.Axis(eAxis).sCount = FromQString(s); });
}

void CTraceSettingsForm::ShowModel()
{
    m_pName->setText(ToQString(m_Model.GetName()));
    for (AxisType eAxis : {X_AXIS, Y_AXIS}) {
        const SAxisWidgets& w = m_aAxes[eAxis == X_AXIS ? 0 : 1];
        const CTraceSettingsDlg::SAxis& axis = m_Model.GetAxis(eAxis);
        w.pFrom->setText(ToQString(axis.sFrom));
        w.pTo->setText(ToQString(axis.sTo));
        w.pCount->setText(ToQString(axis.sCount));
        for (int i = 0; i < 3; ++i)
            if (kChoices[i] == axis.eIntervals) w.apIntervals[i]->setChecked(true);
        w.pCount->setEnabled(axis.eIntervals == EIntervals::linear);
    }
    m_pPositive->setChecked(m_Model.GetPositive());
}

QWidget* CTraceSettingsForm::FindControl(int iControl)
{
    const int iBase = iControl >= CTraceSettingsDlg::IDC_Y_FROM && iControl <= CTraceSettingsDlg::IDC_Y_INTERVALS
                          ? CTraceSettingsDlg::IDC_Y_FROM
                          : CTraceSettingsDlg::IDC_X_FROM;
    const SAxisWidgets& w = m_aAxes[iBase == CTraceSettingsDlg::IDC_X_FROM ? 0 : 1];
    if (iControl == CTraceSettingsDlg::IDC_NAME) return m_pName;
    if (iControl == CTraceSettingsDlg::IDC_UPPER_LIMIT) return m_apLimits[0];
    if (iControl == CTraceSettingsDlg::IDC_LOWER_LIMIT) return m_apLimits[1];
    if (iControl == iBase) return w.pFrom;
    if (iControl == iBase + 1) return w.pTo;
    return iControl == iBase + 2 ? w.pCount : nullptr;
}
