#include "qt/dialogs/AddTraceForm.h"

#include "qt/QtConvert.h"
#include "resources/StringTable.h"
#include "trace/model/QXTrace.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

QString Text(int iId) { return ToQString(LoadResString(iId)); }

using EChannels = CAddTraceDlg::EChannels;
using EKind = CAddTraceDlg::EKind;

struct SKindRow {
    EKind eKind;
    int iTextId;
    int iControl;
};
constexpr SKindRow kKinds[] = {
    {EKind::live, IDS_ADD_TRACE_LIVE, CAddTraceDlg::IDC_KIND_LIVE},
    {EKind::filter, IDS_ADD_TRACE_FILTER, CAddTraceDlg::IDC_KIND_FILTER},
    {EKind::window, IDS_ADD_TRACE_WINDOW, CAddTraceDlg::IDC_KIND_WINDOW},
    {EKind::saved, IDS_ADD_TRACE_SAVED, CAddTraceDlg::IDC_KIND_SAVED},
    {EKind::limit, IDS_ADD_TRACE_LIMIT, CAddTraceDlg::IDC_KIND_LIMIT},
};

QWidget* FindIn(const std::map<int, QWidget*>& mControls, int iControl)
{
    const auto it = mControls.find(iControl);
    return it == mControls.end() ? nullptr : it->second;
}

} // namespace

CAddTraceForm::CAddTraceForm(CAddTraceDlg& model, QWidget* pParent) : CModelForm(model, pParent), m_Model(model)
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pTop = new QHBoxLayout();
    m_pChannels = new QComboBox(this);
    for (int iId : {IDS_ADD_TRACE_CHANNEL_A, IDS_ADD_TRACE_CHANNEL_B, IDS_ADD_TRACE_BOTH_CHANNELS})
        m_pChannels->addItem(Text(iId));
    m_pChannels->setCurrentIndex(static_cast<int>(model.GetChannels()));
    pTop->addWidget(new QLabel(Text(IDS_ADD_TRACE_ADD_TO), this));
    pTop->addWidget(m_pChannels, 1);
    pLayout->addLayout(pTop);
    connect(m_pChannels, &QComboBox::currentIndexChanged, this, [this](int iIndex) {
        m_Model.SetChannels(static_cast<EChannels>(iIndex));
        ShowLiveEntries();
    });

    auto* pGrid = new QGridLayout();
    auto* pKinds = new QButtonGroup(this);
    for (const SKindRow& row : kKinds) {
        auto* pRadio = new QRadioButton(Text(row.iTextId), this);
        pRadio->setChecked(model.GetKind() == row.eKind);
        pKinds->addButton(pRadio, static_cast<int>(row.eKind));
        m_mControls[row.iControl] = pRadio;
    }
    connect(pKinds, &QButtonGroup::idClicked, this, [this](int iKind) {
        m_Model.SetKind(static_cast<EKind>(iKind));
        ShowEnabled();
    });

    m_pLive = new QComboBox(this);
    m_pLive->setMinimumWidth(300);
    connect(m_pLive, &QComboBox::activated, this, [this](int iIndex) { m_Model.SetLiveIndex(iIndex); });
    m_pFilter = new QComboBox(this);
    for (int iSource : CAddTraceDlg::GetFilterSources())
        m_pFilter->addItem(ToQString(CAddTraceDlg::GetFilterSourceName(iSource)));
    m_pFilter->setCurrentIndex(model.GetFilterIndex());
    connect(m_pFilter, &QComboBox::activated, this, [this](int iIndex) { m_Model.SetFilterIndex(iIndex); });
    m_pWindow = new QComboBox(this);
    for (const CAddTraceDlg::SWindowEntry& window : CAddTraceDlg::GetWindows()) m_pWindow->addItem(Text(window.iNameId));
    m_pWindow->setCurrentIndex(model.GetWindowIndex());
    connect(m_pWindow, &QComboBox::activated, this, [this](int iIndex) {
        m_Model.SetWindowIndex(iIndex);
        ShowEnabled();
    });

    // One row per kind; the user window's file sits under its choice.
    constexpr int kRows[] = {0, 1, 2, 4, 5};
    for (size_t i = 0; i < std::size(kKinds); ++i) pGrid->addWidget(m_mControls[kKinds[i].iControl], kRows[i], 0);
    pGrid->addWidget(m_pLive, 0, 1, 1, 2);
    pGrid->addWidget(m_pFilter, 1, 1, 1, 2);
    pGrid->addWidget(m_pWindow, 2, 1, 1, 2);
    pGrid->addWidget(new QLabel(Text(IDS_ADD_TRACE_USER_WINDOW), this), 3, 0, Qt::AlignRight);
    m_pWindowFile = AddFileRow(pGrid, 3, EKind::window, model.GetWindowFile());
    m_pWindowBrowse = static_cast<QPushButton*>(pGrid->itemAtPosition(3, 2)->widget());
    AddFileRow(pGrid, 4, EKind::saved, model.GetSavedFile());
    AddFileRow(pGrid, 5, EKind::limit, model.GetLimitFile());
    m_mControls[CAddTraceDlg::IDC_LIVE_LIST] = m_pLive;
    m_mControls[CAddTraceDlg::IDC_FILTER_LIST] = m_pFilter;
    m_mControls[CAddTraceDlg::IDC_WINDOW_LIST] = m_pWindow;
    m_mControls[CAddTraceDlg::IDC_WINDOW_FILE] = m_pWindowFile;
    pLayout->addLayout(pGrid);

    auto* pButtons = new QDialogButtonBox(this);
    auto* pAdd = pButtons->addButton(Text(IDS_ADD_TRACE_ADD), QDialogButtonBox::ActionRole);
    auto* pClose = pButtons->addButton(Text(IDS_ADD_TRACE_CLOSE), QDialogButtonBox::RejectRole);
    pAdd->setDefault(true);
    m_mControls[CAddTraceDlg::IDC_ADD] = pAdd;
    connect(pAdd, &QPushButton::clicked, this, [this]() { OnAdd(); });
    connect(pClose, &QPushButton::clicked, this, &CModelForm::reject);
    pLayout->addWidget(pButtons);
    ShowLiveEntries();
}

QLineEdit* CAddTraceForm::AddFileRow(QGridLayout* pGrid, int iRow, EKind eKind, const CString& sFile)
{
    auto* pEdit = new QLineEdit(ToQString(sFile), this);
    auto* pBrowse = new QPushButton(Text(IDS_CREATE_FILTER_BROWSE), this);
    pGrid->addWidget(pEdit, iRow, 1);
    pGrid->addWidget(pBrowse, iRow, 2);
    const int iControl = eKind == EKind::saved ? CAddTraceDlg::IDC_SAVED_FILE : CAddTraceDlg::IDC_LIMIT_FILE;
    if (eKind != EKind::window) m_mControls[iControl] = pEdit;
    connect(pEdit, &QLineEdit::textEdited, this, [this, eKind](const QString& s) {
        const CString sFile = FromQString(s);
        if (eKind == EKind::saved) m_Model.SetSavedFile(sFile);
        else if (eKind == EKind::limit) m_Model.SetLimitFile(sFile);
        else m_Model.SetWindowFile(sFile);
    });
    connect(pBrowse, &QPushButton::clicked, this, [this, eKind, pEdit]() {
        if (!m_Model.Browse(eKind)) return;
        pEdit->setText(ToQString(eKind == EKind::saved   ? m_Model.GetSavedFile()
                                 : eKind == EKind::limit ? m_Model.GetLimitFile()
                                                         : m_Model.GetWindowFile()));
    });
    return pEdit;
}

void CAddTraceForm::ShowLiveEntries()
{
    m_pLive->clear();
    for (const CAddTraceDlg::SLiveEntry& entry : m_Model.GetLiveEntries()) m_pLive->addItem(ToQString(entry.sName));
    if (m_Model.GetLiveEntries().empty()) m_pLive->addItem(ToQString(CAddTraceDlg::GetNoLiveTracesText()));
    m_pLive->setCurrentIndex(m_Model.GetLiveEntries().empty() ? 0 : m_Model.GetLiveIndex());
    ShowEnabled();
}

void CAddTraceForm::ShowEnabled()
{
    const EKind eKind = m_Model.GetKind();
    m_pLive->setEnabled(eKind == EKind::live && !m_Model.GetLiveEntries().empty());
    m_pFilter->setEnabled(eKind == EKind::filter);
    m_pWindow->setEnabled(eKind == EKind::window);
    m_pWindowFile->setEnabled(eKind == EKind::window && m_Model.IsUserWindow());
    m_pWindowBrowse->setEnabled(m_pWindowFile->isEnabled());
    for (EKind eFileKind : {EKind::saved, EKind::limit}) {
        const int iControl = eFileKind == EKind::saved ? CAddTraceDlg::IDC_SAVED_FILE : CAddTraceDlg::IDC_LIMIT_FILE;
        m_mControls[iControl]->setEnabled(eKind == eFileKind);
    }
}

void CAddTraceForm::OnAdd()
{
    if (m_Model.Add()) ShowLiveEntries();
    else if (QWidget* pControl = FindControl(m_Model.GetFailedControl())) pControl->setFocus();
}

QWidget* CAddTraceForm::FindControl(int iControl) { return FindIn(m_mControls, iControl); }

CChooseLimitTraceForm::CChooseLimitTraceForm(CChooseLimitTraceDlg& model, QWidget* pParent)
    : CModelForm(model, pParent)
{
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(Text(IDS_CHOOSE_LIMIT_FILE) + " " + ToQString(model.GetFile()), this));
    auto* pGrid = new QGridLayout();
    int iRow = 0;
    for (const CChooseLimitTraceDlg::SChannel& channel : model.GetChannels()) {
        auto* pCombo = new QComboBox(this);
        pCombo->setMinimumWidth(280);
        pCombo->addItem(ToQString(CChooseLimitTraceDlg::GetNoneText()));
        for (CQXTrace* pTrace : channel.apTraces) pCombo->addItem(ToQString(pTrace->GetTraceName(0, 0, 0)));
        pCombo->setCurrentIndex(channel.iChosen + 1);
        const ChannelNumber eChannel = channel.eChannel;
        connect(pCombo, &QComboBox::activated, this,
                [&model, eChannel](int iIndex) { model.SetChosen(eChannel, iIndex - 1); });
        const bool bB = eChannel == CHANNEL_B;
        m_mControls[bB ? CChooseLimitTraceDlg::IDC_TRACE_B : CChooseLimitTraceDlg::IDC_TRACE_A] = pCombo;
        pGrid->addWidget(new QLabel(Text(bB ? IDS_ADD_TRACE_CHANNEL_B : IDS_ADD_TRACE_CHANNEL_A), this), iRow, 0);
        pGrid->addWidget(pCombo, iRow++, 1);
    }
    pLayout->addLayout(pGrid);
    auto* pUpper = new QRadioButton(Text(IDS_LIMIT_OPTIONS_MAX), this);
    auto* pLower = new QRadioButton(Text(IDS_LIMIT_OPTIONS_MIN), this);
    (model.GetUpper() ? pUpper : pLower)->setChecked(true);
    connect(pUpper, &QRadioButton::toggled, this, [&model](bool bOn) { model.SetUpper(bOn); });
    m_mControls[CChooseLimitTraceDlg::IDC_UPPER] = pUpper;
    m_mControls[CChooseLimitTraceDlg::IDC_LOWER] = pLower;
    pLayout->addWidget(pUpper);
    pLayout->addWidget(pLower);
    AddButtons(pLayout);
}

QWidget* CChooseLimitTraceForm::FindControl(int iControl) { return FindIn(m_mControls, iControl); }
