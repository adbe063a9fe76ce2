#include "qt/dialogs/QtDialogs.h"

#include "host/app/AppMessages.h"
#include "qt/dialogs/CreateFilterForm.h"
#include "trace/file/CreateFilterDlg.h"

#include <QDialog>

#include <memory>

QDialog* CreateQtForm(CDialogModel& model, QWidget* pParent)
{
    if (model.GetTemplateID() == CCreateFilterDlg::kTemplateID)
        return new CCreateFilterForm(static_cast<CCreateFilterDlg&>(model), pParent);
    return nullptr;
}

int QtDoModal(CDialogModel& model, QWidget* pParent)
{
    std::unique_ptr<QDialog> pForm(CreateQtForm(model, pParent));
    if (!pForm) return IDCANCEL;
    return pForm->exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

int CQtDialogHost::DoModal(CDialogModel& model) { return QtDoModal(model, m_pParent); }
