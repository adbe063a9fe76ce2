#include "qt/dialogs/QtDialogs.h"

#include "host/app/AppMessages.h"
#include "qt/QtConvert.h"
#include "qt/dialogs/ComputeInvertForm.h"
#include "qt/dialogs/ComputeListForm.h"
#include "qt/dialogs/ComputeNormaliseForm.h"
#include "qt/dialogs/ComputeRelativeForm.h"
#include "qt/dialogs/ComputeSmoothForm.h"
#include "qt/dialogs/ComputeSumBinsForm.h"
#include "qt/dialogs/CreateFilterForm.h"
#include "qt/dialogs/LimitLineOptionsForm.h"
#include "trace/file/CreateFilterDlg.h"
#include "trace/limits/LimitLineOptionsDlg.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <memory>

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
    QWidget* pParent = FrontWidget(nullptr);
    const QString sMessage = ToQString(sText);
    if ((uType & 0x0F) == MB_YESNO)
        return QMessageBox::question(pParent, "tracewin", sMessage) == QMessageBox::Yes ? IDYES : IDNO;
    if ((uType & 0x0F) == MB_YESNOCANCEL) {
        const auto eAnswer = QMessageBox::question(pParent, "tracewin", sMessage,
                                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return eAnswer == QMessageBox::Yes ? IDYES : eAnswer == QMessageBox::No ? IDNO : IDCANCEL;
    }
    if ((uType & 0x0F) == MB_OKCANCEL) {
        const auto eAnswer = QMessageBox::question(pParent, "tracewin", sMessage, QMessageBox::Ok | QMessageBox::Cancel);
        return eAnswer == QMessageBox::Ok ? IDOK : IDCANCEL;
    }
    QMessageBox::information(pParent, "tracewin", sMessage);
    return IDOK;
}
