#include "qt/dialogs/QtDialogs.h"

#include "host/app/AppMessages.h"
#include "qt/QtConvert.h"
#include "qt/dialogs/AddTraceForm.h"
#include "qt/dialogs/ComputeInvertForm.h"
#include "qt/dialogs/ComputeListForm.h"
#include "qt/dialogs/ComputeNormaliseForm.h"
#include "qt/dialogs/ComputeRelativeForm.h"
#include "qt/dialogs/ComputeSmoothForm.h"
#include "qt/dialogs/ComputeSumBinsForm.h"
#include "qt/dialogs/CreateFilterForm.h"
#include "qt/dialogs/GraphColorsForm.h"
#include "qt/dialogs/LimitLineOptionsForm.h"
#include "qt/dialogs/MarkLabelForm.h"
#include "qt/dialogs/TraceCommentForm.h"
#include "qt/dialogs/TraceSettingsForm.h"
#include "trace/file/CreateFilterDlg.h"
#include "trace/limits/LimitLineOptionsDlg.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QWidget* FrontWidget(QWidget* pFallback)
{
    if (QWidget* pModal = QApplication::activeModalWidget()) return pModal;
    return pFallback ? pFallback : QApplication::activeWindow();
}

} // namespace

QDialog* CreateQtForm(CDialogModel& model, QWidget* pParent)
{
    switch (model.GetTemplateID()) {
    case CAddTraceDlg::kTemplateID: return new CAddTraceForm(static_cast<CAddTraceDlg&>(model), pParent);
    case CChooseLimitTraceDlg::kTemplateID:
        return new CChooseLimitTraceForm(static_cast<CChooseLimitTraceDlg&>(model), pParent);
    case CCreateFilterDlg::kTemplateID: return new CCreateFilterForm(static_cast<CCreateFilterDlg&>(model), pParent);
    case CComputeListDlg::kTemplateID: return new CComputeListForm(static_cast<CComputeListDlg&>(model), pParent);
    case CComputeInvertDlg::kTemplateID:
        return new CComputeInvertForm(static_cast<CComputeInvertDlg&>(model), pParent);
    case CComputeNormaliseDlg::kTemplateID:
        return new CComputeNormaliseForm(static_cast<CComputeNormaliseDlg&>(model), pParent);
    case CLimitLineOptionsDlg::kTemplateID:
        return new CLimitLineOptionsForm(static_cast<CLimitLineOptionsDlg&>(model), pParent);
    case CComputeSmoothDlg::kTemplateID: return new CComputeSmoothForm(static_cast<CComputeSmoothDlg&>(model), pParent);
    case CComputeSumBinsDlg::kTemplateID:
        return new CComputeSumBinsForm(static_cast<CComputeSumBinsDlg&>(model), pParent);
    case CComputeRelativeDlg::kTemplateID:
        return new CComputeRelativeForm(static_cast<CComputeRelativeDlg&>(model), pParent);
    case CTraceCommentDlg::kTemplateID: return new CTraceCommentForm(static_cast<CTraceCommentDlg&>(model), pParent);
    case CMarkLabelDlg::kTemplateID: return new CMarkLabelForm(static_cast<CMarkLabelDlg&>(model), pParent);
    case CGraphColorsDlg::kTemplateID: return new CGraphColorsForm(static_cast<CGraphColorsDlg&>(model), pParent);
    case CTraceSettingsDlg::kTemplateID:
        return new CTraceSettingsForm(static_cast<CTraceSettingsDlg&>(model), pParent);
    default: return nullptr;
    }
}

int QtDoModal(CDialogModel& model, QWidget* pParent)
{
    std::unique_ptr<QDialog> pForm(CreateQtForm(model, FrontWidget(pParent)));
    if (!pForm) return IDCANCEL;
    return pForm->exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

int CQtDialogHost::DoModal(CDialogModel& model) { return QtDoModal(model, m_pParent); }

int QtMessageBox(const CString& sText, unsigned uType)
{
    // The buttons of each MB_ type in order, with the answer each gives.
    struct SButton {
        QMessageBox::StandardButton eButton;
        int iAnswer;
    };
    std::vector<SButton> aButtons{{QMessageBox::Ok, IDOK}};
    if ((uType & 0x0F) == MB_OKCANCEL) aButtons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    if ((uType & 0x0F) == MB_YESNO) aButtons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    if ((uType & 0x0F) == MB_YESNOCANCEL)
        aButtons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    const unsigned uIcon = uType & 0xF0;
    const QMessageBox::Icon eIcon = uIcon == MB_ICONERROR         ? QMessageBox::Critical
                                    : uIcon == MB_ICONQUESTION    ? QMessageBox::Question
                                    : uIcon == MB_ICONEXCLAMATION ? QMessageBox::Warning
                                    : uIcon == MB_ICONINFORMATION ? QMessageBox::Information
                                                                  : QMessageBox::NoIcon;
    QMessageBox box(eIcon, "tracewin", ToQString(sText), QMessageBox::NoButton, FrontWidget(nullptr));
    for (const SButton& button : aButtons) box.addButton(button.eButton);
    const size_t uDefault = std::min<size_t>((uType & 0x0F00) >> 8, aButtons.size() - 1);
    box.setDefaultButton(aButtons[uDefault].eButton);
    const int iPressed = box.exec();
    for (const SButton& button : aButtons)
        if (iPressed == button.eButton) return button.iAnswer;
    // Closed without a button: Cancel where there is one, else the only answer.
    return aButtons.size() > 1 && aButtons.back().iAnswer == IDCANCEL ? IDCANCEL : aButtons.front().iAnswer;
}
